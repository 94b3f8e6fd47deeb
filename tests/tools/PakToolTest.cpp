#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCPackage.h"
#include "support/TempFolder.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
std::string PakProgram()
{
    const char* dir = std::getenv("STAVELORN_BINARY_DIR");
    return std::string(dir != nullptr ? dir : STAVELORN_BINARY_DIR) + "/tools/pak/pak";
}

ToolResult Pak(const std::vector<std::string>& arguments)
{
    return RunTool(PakProgram(), arguments);
}

std::string ReadEntry(const FCPackage& package, const std::string& path)
{
    FCFileSection view;
    if (!package.OpenEntry(view, path))
        return "-";
    std::string text(view.GetSize(), '\0');
    EXPECT_TRUE(view.Read(text.data(), static_cast<std::uint32_t>(text.size())));
    return text;
}

void FillSource(const TempFolder& folder)
{
    folder.WriteFile("src/Readme.TXT", "read me");
    folder.WriteFile("src/empty.bin", "");
    folder.WriteFile("src/Sounds/Click.wav", std::string(70000, 'c'));
    folder.WriteFile("src/Sounds/Fx/Boom.WAV", "boom");
    folder.MakeFolder("src/Sounds/Nothing");
}
} // namespace

TEST(PakToolTest, BuiltPackageReadsBackThroughTheProgram)
{
    TempFolder folder;
    FillSource(folder);
    ASSERT_EQ(Pak({"build", folder.Join("src"), folder.Join("Data.pak")}).exitCode, 0);

    FCPackage package;
    ASSERT_TRUE(package.Open(folder.Join("Data.pak")));
    EXPECT_EQ(package.GetRoot().caseFlag, 0);
    struct Case
    {
        const char* path;
        std::string contents;
    };
    const Case cases[] = {
        {"Readme.txt", "read me"},
        {"\\README.TXT", "read me"},
        {"empty.bin", ""},
        {"sounds\\click.wav", std::string(70000, 'c')},
        {"Sounds\\FX\\boom.wav", "boom"},
        {"Sounds\\Fx\\Boom.WAV", "boom"},
        {"Sounds\\Boom.WAV", "-"},
        {"Sounds\\Nothing", "-"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ReadEntry(package, c.path), c.contents);
    }
    const auto sounds = package.GetRoot().subdirectories.find("sounds\\");
    ASSERT_NE(sounds, package.GetRoot().subdirectories.end());
    EXPECT_EQ(sounds->second->subdirectories.count("nothing\\"), 1u);

    // Mounted the way the program mounts its folders.
    FCFileSystem fs;
    fs.SetRootPath(folder.GetPath());
    fs.SetSearchMode(FCFileSystem::kPackagesOnly);
    fs.AddSearchDirectory("Data");
    FCFileSection view;
    ASSERT_TRUE(fs.Open(view, "Sounds\\Fx\\Boom.WAV"));
    EXPECT_EQ(view.GetSize(), 4u);
    ASSERT_TRUE(fs.Open(view, "boom.wav", "\\Data\\Sounds\\Fx\\"));
}

TEST(PakToolTest, OutputIsTheSameOnEveryBuild)
{
    TempFolder a;
    TempFolder b;
    FillSource(a);
    // The same tree made in another order, with other times.
    b.MakeFolder("src/Sounds/Nothing");
    b.WriteFile("src/Sounds/Fx/Boom.WAV", "boom");
    b.WriteFile("src/empty.bin", "");
    b.WriteFile("src/Sounds/Click.wav", std::string(70000, 'c'));
    b.WriteFile("src/Readme.TXT", "read me");
    ASSERT_EQ(Pak({"build", a.Join("src"), a.Join("out.pak")}).exitCode, 0);
    ASSERT_EQ(Pak({"build", b.Join("src"), b.Join("out.pak")}).exitCode, 0);
    const std::vector<std::uint8_t> first = a.ReadFile("out.pak");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, b.ReadFile("out.pak"));
    ASSERT_EQ(Pak({"build", a.Join("src"), a.Join("out.pak")}).exitCode, 0);
    EXPECT_EQ(first, a.ReadFile("out.pak"));
}

TEST(PakToolTest, ListAndExtractRoundTrip)
{
    TempFolder folder;
    FillSource(folder);
    const std::string pak = folder.Join("Data.pak");
    ASSERT_EQ(Pak({"build", folder.Join("src"), pak}).exitCode, 0);

    const ToolResult list = Pak({"list", pak});
    ASSERT_EQ(list.exitCode, 0);
    for (const char* name : {"\\empty.bin", "\\readme.txt", "\\sounds\\click.wav", "\\sounds\\fx\\boom.wav"})
        EXPECT_NE(list.output.find(std::string(" ") + name + "\n"), std::string::npos) << name << "\n" << list.output;

    ASSERT_EQ(Pak({"extract", pak, folder.Join("out")}).exitCode, 0);
    EXPECT_EQ(folder.ReadFile("out/readme.txt"), folder.ReadFile("src/Readme.TXT"));
    EXPECT_EQ(folder.ReadFile("out/sounds/click.wav"), folder.ReadFile("src/Sounds/Click.wav"));
    EXPECT_EQ(folder.ReadFile("out/sounds/fx/boom.wav"), folder.ReadFile("src/Sounds/Fx/Boom.WAV"));
    FCFileSection view;
    EXPECT_TRUE(view.Open(folder.Join("out/empty.bin").c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, 0));
}

TEST(PakToolTest, FailuresLeaveThePreviousPackage)
{
    TempFolder folder;
    FillSource(folder);
    const std::string pak = folder.Join("Data.pak");
    ASSERT_EQ(Pak({"build", folder.Join("src"), pak}).exitCode, 0);
    const std::vector<std::uint8_t> good = folder.ReadFile("Data.pak");

    // Two names that differ only in case cannot both be stored.
    folder.WriteFile("src/README.txt", "clash");
    EXPECT_EQ(Pak({"build", folder.Join("src"), pak}).exitCode, 1);
    EXPECT_EQ(Pak({"build", folder.Join("missing"), pak}).exitCode, 1);
    EXPECT_EQ(folder.ReadFile("Data.pak"), good);
    EXPECT_TRUE(folder.ReadFile("Data.pak.tmp").empty());

    folder.WriteFile("bad.pak", std::vector<std::uint8_t>{0, 1, 0, 0xFF, 0x7F});
    EXPECT_EQ(Pak({"list", folder.Join("bad.pak")}).exitCode, 1);
    EXPECT_EQ(Pak({"extract", folder.Join("bad.pak"), folder.Join("x")}).exitCode, 1);
    EXPECT_EQ(Pak({}).exitCode, 2);
    EXPECT_EQ(Pak({"build", "onlyone"}).exitCode, 2);
}
