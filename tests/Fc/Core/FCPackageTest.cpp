#include "Fc/Core/FCPackage.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"
#include "support/PakBytes.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::string ReadAll(FCFileSection& view)
{
    std::string text(view.GetSize(), '\0');
    EXPECT_TRUE(view.Read(text.data(), static_cast<std::uint32_t>(text.size())));
    EXPECT_TRUE(view.IsEof());
    return text;
}

struct Lookup
{
    std::string path;
    const char* contents; // null: not found
};

void CheckLookups(const FCPackage& package, const std::vector<Lookup>& lookups)
{
    for (const Lookup& lookup : lookups)
    {
        SCOPED_TRACE(lookup.path);
        FCFileSection view;
        ASSERT_EQ(package.OpenEntry(view, lookup.path), lookup.contents != nullptr);
        if (lookup.contents != nullptr)
        {
            EXPECT_EQ(view.Tell(), 0u);
            EXPECT_EQ(ReadAll(view), lookup.contents);
        }
        else
        {
            EXPECT_FALSE(view.IsOpen());
        }
    }
}
} // namespace

TEST(FCPackageTest, FlagZeroLowerCasesTheWholePath)
{
    TempFolder folder;
    PakDir root;
    root.files = {{"readme.txt", "top"}, {"empty.bin", ""}};
    root.dirs = {{"sounds\\", PakDir{{{"x.wav", "wave"}}, {{"fx\\", PakDir{{{"boom.wav", "boom"}}, {}}}}}}};
    folder.WriteFile("Data.pak", BuildPak(0, root));
    FCPackage package;
    ASSERT_TRUE(package.Open(folder.Join("Data.pak")));
    CheckLookups(package, {
                              {"Sounds\\X.WAV", "wave"},
                              {"\\sounds\\x.wav", "wave"},
                              {"SOUNDS/FX/Boom.wav", "boom"},
                              {"README.TXT", "top"},
                              {"empty.bin", ""},
                              {"sounds\\y.wav", nullptr},
                              {"sounds", nullptr},
                              {"fx\\boom.wav", nullptr},
                              {"sounds\\\\x.wav", "wave"}, // an empty component adds nothing
                          });
}

TEST(FCPackageTest, NonZeroFlagKeepsTheFirstFolderAndFileNameCase)
{
    TempFolder folder;
    PakDir fx{{{"X.WAV", "deep"}}, {}};
    PakDir sounds{{{"X.WAV", "upper"}}, {{"fx\\", fx}, {"Fx\\", PakDir{{{"X.WAV", "never"}}, {}}}}};
    PakDir root;
    root.dirs = {{"Sounds\\", sounds}, {"sounds\\", PakDir{{{"x.wav", "lower"}}, {}}}};
    // A white-space flag is an ordinary non-zero flag: it is one raw byte.
    for (std::uint8_t flag : {std::uint8_t{1}, std::uint8_t{' '}, std::uint8_t{'\t'}})
    {
        SCOPED_TRACE(int{flag});
        folder.WriteFile("Data.pak", BuildPak(flag, root));
        FCPackage package;
        ASSERT_TRUE(package.Open(folder.Join("Data.pak")));
        EXPECT_EQ(package.GetRoot().caseFlag, flag);
        CheckLookups(package, {
                                  {"Sounds\\X.WAV", "upper"},
                                  {"sounds\\x.wav", "lower"},
                                  {"Sounds\\x.wav", nullptr},
                                  // Deeper folders are always looked up in lower case.
                                  {"Sounds\\Fx\\X.WAV", "deep"},
                                  {"Sounds\\fx\\X.WAV", "deep"},
                              });
    }
}

TEST(FCPackageTest, NamesEndAtTheirFirstNul)
{
    TempFolder folder;
    std::vector<std::uint8_t> bytes;
    PutU8(bytes, 0);
    PutI16(bytes, 1);
    PutName(bytes, std::string("a.txt\0junk", 10));
    PutU32(bytes, 1 + 2 + 12 + 8 + 2);
    PutU32(bytes, 3);
    PutI16(bytes, 0);
    for (char c : std::string("xyz"))
        PutU8(bytes, static_cast<std::uint8_t>(c));
    folder.WriteFile("p.pak", bytes);
    FCPackage package;
    ASSERT_TRUE(package.Open(folder.Join("p.pak")));
    CheckLookups(package, {{"a.txt", "xyz"}, {"a.txt\\junk", nullptr}});
}

TEST(FCPackageTest, DamagedTreesAreRefusedCleanly)
{
    QuietLog quiet;
    const auto tree = [](std::int16_t nameLength, std::uint32_t offset, std::uint32_t size) {
        std::vector<std::uint8_t> bytes;
        PutU8(bytes, 0);
        PutI16(bytes, 1);
        PutI16(bytes, nameLength);
        for (int n = 0; n < std::max<int>(nameLength, 0) && n < 5; ++n)
            PutU8(bytes, 'a');
        PutU32(bytes, offset);
        PutU32(bytes, size);
        PutI16(bytes, 0);
        bytes.resize(bytes.size() + 40, 0);
        return bytes;
    };
    const auto nested = [](int depth) {
        std::vector<std::uint8_t> bytes;
        PutU8(bytes, 0);
        for (int n = 0; n < depth; ++n)
        {
            PutI16(bytes, 0);
            PutI16(bytes, 1);
            PutName(bytes, "d\\");
        }
        PutI16(bytes, 0);
        PutI16(bytes, 0);
        return bytes;
    };
    std::vector<std::uint8_t> valid = BuildPak(0, PakDir{{{"a", "12345"}}, {{"s\\", PakDir{{{"b", "xy"}}, {}}}}});

    struct Case
    {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool opens;
    };
    std::vector<Case> cases = {
        {"empty file", {}, false},
        {"flag only", {0}, false},
        {"white space only", {' ', '\n'}, false},
        {"sound tree", tree(5, 0, 10), true},
        {"negative name length", tree(-1, 0, 10), false},
        {"name longer than the file", tree(30000, 0, 10), false},
        {"entry ending at the end of the file", tree(5, 50, 10), true},
        {"entry beyond the file", tree(5, 51, 10), false},
        {"size beyond the file", tree(5, 0, 1000), false},
        {"offset and size wrap around", tree(5, 0xFFFFFFFFu, 2), false},
        {"64 levels", nested(64), true},
        {"65 levels", nested(65), false},
        {"30000 levels", nested(30000), false},
    };
    // Every cut of a valid package short of its tree's end fails.
    const std::size_t treeEnd = valid.size() - 7;
    for (std::size_t cut = 0; cut < treeEnd; ++cut)
        cases.push_back({"truncated", std::vector<std::uint8_t>(valid.begin(), valid.begin() + cut), false});
    // Negative counts mean none.
    std::vector<std::uint8_t> negativeCounts;
    PutU8(negativeCounts, 0);
    PutI16(negativeCounts, -5);
    PutI16(negativeCounts, -32768);
    cases.push_back({"negative counts", negativeCounts, true});

    TempFolder folder;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.what << ", " << c.bytes.size() << " bytes");
        folder.WriteFile("bad.pak", c.bytes);
        FCPackage package;
        EXPECT_EQ(package.Open(folder.Join("bad.pak")), c.opens);
        if (!c.opens)
        {
            EXPECT_TRUE(package.GetRoot().files.empty());
            EXPECT_TRUE(package.GetRoot().subdirectories.empty());
        }
    }
    FCPackage missing;
    EXPECT_FALSE(missing.Open(folder.Join("missing.pak")));
}
