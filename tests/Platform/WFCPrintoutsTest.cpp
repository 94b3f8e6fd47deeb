#include "Platform/WFCPrintouts.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
TEST(WFCPrintoutsTest, NamesStayInsideTheFolderAndReadable)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Aldric", "Aldric"},
        {"", "Character"},
        {"   ", "Character"},
        {"...", "Character"},
        {"../../etc/passwd", "etcpasswd"},
        {"a/b\\c", "abc"},
        {"Sir.. Bors", "Sir. Bors"},
        {" .Hidden. ", "Hidden"},
        {"Two\nLines\t\x7F!", "TwoLines!"},
        {"Ren\xE9" "e \xBD", "Ren\u00e9e \u00bd"},
        {"Un\x81" "known", "Unknown"},
        {std::string(100, 'x'), std::string(64, 'x')},
        // 63 bytes and a two-byte character: the character does not fit.
        {std::string(63, 'x') + "\xE9", std::string(63, 'x')},
        {std::string(62, 'x') + "\xE9", std::string(62, 'x') + "\u00e9"},
        {std::string(63, 'x') + " " + "yy", std::string(63, 'x')},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(MakePrintoutName(name), expected) << name;
}

TEST(WFCPrintoutsTest, KeepingNeverReplacesAFile)
{
    TempFolder folder;
    folder.WriteFile("Aldric.pdf", std::string("old"));
    folder.WriteFile("Aldric-2.pdf", std::string("older"));
    const std::string names[] = {"Aldric-3.pdf", "Aldric-4.pdf"};
    for (const std::string& expected : names)
    {
        folder.WriteFile(".temp", std::string("new"));
        std::string kept;
        std::string error;
        ASSERT_TRUE(KeepPrintout(folder.Join(".temp"), folder.GetPath(), "Aldric", kept, error))
            << error;
        EXPECT_EQ(kept, folder.Join(expected));
        EXPECT_FALSE(std::filesystem::exists(folder.Join(".temp")));
    }
    const auto text = [&](const char* name) {
        const std::vector<std::uint8_t> bytes = folder.ReadFile(name);
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(text("Aldric.pdf"), "old");
    EXPECT_EQ(text("Aldric-2.pdf"), "older");
    EXPECT_EQ(text("Aldric-4.pdf"), "new");

    std::string kept;
    std::string error;
    EXPECT_FALSE(KeepPrintout(folder.Join("missing"), folder.GetPath(), "Bors", kept, error));
    EXPECT_FALSE(error.empty());
}

TEST(WFCPrintoutsTest, FoldersAreMadeWithTheirParents)
{
    TempFolder folder;
    std::string error;
    ASSERT_TRUE(MakeFolders(folder.Join("a/b/c"), error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(folder.Join("a/b/c")));
    EXPECT_TRUE(MakeFolders(folder.Join("a/b/c"), error));
    folder.WriteFile("file", std::string("x"));
    EXPECT_FALSE(MakeFolders(folder.Join("file/d"), error));
    EXPECT_NE(error.find("is not a folder"), std::string::npos) << error;

    ::setenv("XDG_DATA_HOME", folder.GetPath().c_str(), 1);
    EXPECT_EQ(GetPrintoutsFolder(), folder.Join("stavelorn/Printouts"));
    ::unsetenv("XDG_DATA_HOME");
}
} // namespace
