#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSection.h"
#include "support/PakBytes.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string ReadAll(FCFileSection& view)
{
    std::string text(view.GetSize(), '\0');
    EXPECT_TRUE(view.Read(text.data(), static_cast<std::uint32_t>(text.size())));
    return text;
}

// What name opens to through the file system, or "-" when it does not open.
std::string Fetch(FCFileSystem& fs, const std::string& name, const std::string& dir = "")
{
    FCFileSection view;
    const bool found = dir.empty() ? fs.Open(view, name) : fs.Open(view, name, dir);
    if (!found)
        return view.IsOpen() ? "open after failure" : "-";
    if (view.Tell() != 0)
        return "not at the first byte";
    return ReadAll(view);
}

// A root holding loose files and a package for the folders UI and Art.
class FCFileSystemTest : public testing::Test
{
protected:
    void SetUp() override
    {
        first.WriteFile("UI/menu.ui", "loose menu");
        first.WriteFile("UI/Both.txt", "loose both");
        first.WriteFile("Art/Both.txt", "art both");
        first.WriteFile("UI.pak",
                        BuildPak(0, PakDir{{{"menu.ui", "packed menu"}, {"packed.ui", "packed only"}},
                                           {{"dlg\\", PakDir{{{"ok.ui", "packed ok"}}, {}}}}}));
        second.WriteFile("UI/spare.ui", "spare loose");
        second.WriteFile("Sfx.pak", BuildPak(0, PakDir{{{"click.wav", "spare click"}}, {}}));
        fs.SetRootPath(first.GetPath() + "\\");
    }

    TempFolder first;
    TempFolder second;
    FCFileSystem fs;
};
} // namespace

TEST(FCFileSystemNames, DirectoriesAndPackageNames)
{
    struct Case
    {
        const char* given;
        const char* normalised;
        const char* package;
    };
    const Case cases[] = {
        {"Data", "\\Data\\", "Data"},
        {"\\Data", "\\Data\\", "Data"},
        {"Data\\", "\\Data\\", "Data"},
        {"\\Data\\Sounds\\", "\\Data\\Sounds\\", "Data"},
        {"Data/Sounds", "\\Data\\Sounds\\", "Data"},
        {"`", "\\", ""},
        {"", "\\", ""},
        {"\\", "\\", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(FCFileSystem::NormaliseDirectory(c.given), c.normalised);
        EXPECT_EQ(FCFileSystem::PackageName(c.normalised), c.package);
    }
}

TEST_F(FCFileSystemTest, SearchModesChooseLooseFilesOrPackages)
{
    fs.AddSearchDirectory("UI");
    EXPECT_EQ(fs.GetSearchDirectories(), std::vector<std::string>{"\\UI\\"});
    ASSERT_NE(fs.FindPackage("UI"), nullptr);

    struct Case
    {
        std::uint32_t mode;
        const char* menu;
        const char* packed;
        const char* both;
    };
    const Case cases[] = {
        {FCFileSystem::kLooseOnly, "loose menu", "-", "loose both"},
        {FCFileSystem::kPackagesOnly, "packed menu", "packed only", "-"},
        {FCFileSystem::kLooseThenPackages, "loose menu", "packed only", "loose both"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        fs.SetSearchMode(c.mode);
        EXPECT_EQ(Fetch(fs, "menu.ui"), c.menu);
        EXPECT_EQ(Fetch(fs, "packed.ui"), c.packed);
        // Stored as Both.txt: found by its case-insensitive match.
        EXPECT_EQ(Fetch(fs, "both.TXT"), c.both);
    }
    fs.SetSearchMode(FCFileSystem::kLooseThenPackages);
    EXPECT_EQ(Fetch(fs, "dlg\\OK.ui"), "packed ok");
    EXPECT_EQ(Fetch(fs, "missing.ui"), "-");
}

TEST_F(FCFileSystemTest, PackagesMountOnlyInPackageModesAndOnce)
{
    fs.SetSearchMode(FCFileSystem::kLooseOnly);
    fs.AddSearchDirectory("UI");
    EXPECT_EQ(fs.FindPackage("UI"), nullptr);

    fs.SetSearchMode(FCFileSystem::kLooseThenPackages);
    EXPECT_TRUE(fs.MountPak("\\UI\\"));
    const FCPackage* mounted = fs.FindPackage("UI");
    ASSERT_NE(mounted, nullptr);
    fs.AddPackage("UI");
    fs.AddSearchDirectory("\\UI\\Dlg\\");
    EXPECT_EQ(fs.FindPackage("UI"), mounted);
    EXPECT_FALSE(fs.MountPak("\\Nothing\\"));

    // The backquote stands for the root itself, whose package is root\.pak.
    first.WriteFile(".pak", BuildPak(0, PakDir{{{"top.txt", "root package"}}, {}}));
    fs.AddSearchDirectory("`");
    EXPECT_NE(fs.FindPackage(""), nullptr);
    EXPECT_EQ(fs.GetSearchDirectories().back(), "\\");
    EXPECT_EQ(Fetch(fs, "top.txt", "\\"), "root package");
}

TEST_F(FCFileSystemTest, EarlierSearchDirectoriesWinAndAGivenDirectoryIsTheOnlyOne)
{
    fs.AddSearchDirectory("Art");
    fs.AddSearchDirectory("UI");
    EXPECT_EQ(Fetch(fs, "Both.txt"), "art both");
    EXPECT_EQ(Fetch(fs, "Both.txt", "\\UI\\"), "loose both");
    EXPECT_EQ(Fetch(fs, "menu.ui", "\\Art\\"), "-");
    // Sub-folders of a search directory reach into its package.
    EXPECT_EQ(Fetch(fs, "ok.ui", "\\UI\\Dlg\\"), "packed ok");
    EXPECT_EQ(Fetch(fs, "ok.ui", "UI/dlg"), "packed ok");
    EXPECT_EQ(Fetch(fs, "BOTH.txt", "art"), "art both");
}

TEST_F(FCFileSystemTest, SecondRootIsAFallbackOnlyWhenInUse)
{
    fs.SetAlternateRootPath(second.GetPath());
    fs.AddSearchDirectory("UI");
    fs.AddSearchDirectory("Sfx");
    // Not in use: its packages were not mounted and its files not found.
    EXPECT_EQ(fs.FindPackage("Sfx", true), nullptr);
    EXPECT_EQ(Fetch(fs, "spare.ui"), "-");

    FCFileSystem enabled;
    enabled.SetRootPath(first.GetPath());
    enabled.SetAlternateRootPath(second.GetPath() + "/");
    enabled.SetUseAlternateRoot(true);
    enabled.AddSearchDirectory("UI");
    enabled.AddSearchDirectory("Sfx");
    // UI.pak exists under the first root, so the second root's is not wanted.
    EXPECT_NE(enabled.FindPackage("UI"), nullptr);
    EXPECT_EQ(enabled.FindPackage("UI", true), nullptr);
    EXPECT_NE(enabled.FindPackage("Sfx", true), nullptr);
    EXPECT_EQ(Fetch(enabled, "menu.ui"), "loose menu");
    EXPECT_EQ(Fetch(enabled, "spare.ui"), "spare loose");
    EXPECT_EQ(Fetch(enabled, "click.wav"), "spare click");
    EXPECT_EQ(Fetch(enabled, "click.wav", "\\Sfx\\"), "spare click");
    EXPECT_EQ(Fetch(enabled, "none.wav"), "-");

    // Turned on but empty: nothing is probed (an empty root would name the
    // host's own root folder).
    enabled.SetUseAlternateRoot(false);
    EXPECT_EQ(Fetch(enabled, "spare.ui"), "-");
    enabled.SetAlternateRootPath("");
    enabled.SetUseAlternateRoot(true);
    EXPECT_EQ(Fetch(enabled, "spare.ui"), "-");
}

TEST_F(FCFileSystemTest, DamagedPackageIsNotMountedAndLooseFilesStillOpen)
{
    QuietLog quiet;
    first.WriteFile("Art.pak", std::vector<std::uint8_t>{0, 1, 0, 0xFF, 0xFF});
    second.WriteFile("Art.pak", BuildPak(0, PakDir{{{"spare.txt", "spare"}}, {}}));
    fs.SetAlternateRootPath(second.GetPath());
    fs.SetUseAlternateRoot(true);
    EXPECT_FALSE(fs.MountPak("\\Art\\"));
    fs.AddSearchDirectory("Art");
    EXPECT_EQ(fs.FindPackage("Art"), nullptr);
    EXPECT_EQ(fs.FindPackage("Art", true), nullptr);
    EXPECT_EQ(Fetch(fs, "Both.txt"), "art both");
    EXPECT_EQ(Fetch(fs, "spare.txt"), "-");
}

TEST_F(FCFileSystemTest, LooseViewCoversTheWholeFile)
{
    fs.AddSearchDirectory("UI");
    FCFileSection view;
    ASSERT_TRUE(fs.Open(view, "MENU.UI"));
    EXPECT_EQ(view.GetBase(), 0u);
    EXPECT_EQ(view.GetLength(), 10u);
    EXPECT_EQ(view.GetSize(), 10u);
    // A view already open is reopened on the new file.
    ASSERT_TRUE(fs.Open(view, "packed.ui"));
    EXPECT_EQ(ReadAll(view), "packed only");
    fs.SetSearchMode(FCFileSystem::kPackagesOnly);
    EXPECT_FALSE(fs.Open(view, "nothing.ui"));
    EXPECT_FALSE(view.IsOpen());
}

TEST_F(FCFileSystemTest, FindDirectoryFallsBackToTheSecondRoot)
{
    first.WriteFile("Movies/intro.bik", "m");
    second.WriteFile("Music/Menu.mp3", "m");
    std::string path;
    EXPECT_TRUE(fs.FindDirectory(path, "Movies", "*.bik"));
    EXPECT_EQ(path, first.GetPath() + "\\Movies");
    EXPECT_FALSE(fs.FindDirectory(path, "Music", "*.mp3"));
    EXPECT_EQ(path, first.GetPath() + "\\Music");

    fs.SetAlternateRootPath(second.GetPath());
    fs.SetUseAlternateRoot(true);
    EXPECT_TRUE(fs.FindDirectory(path, "Music", "*.mp3"));
    EXPECT_EQ(path, second.GetPath() + "\\Music");
    EXPECT_FALSE(fs.FindDirectory(path, "Movies", "*.avi"));
    EXPECT_EQ(path, second.GetPath() + "\\Movies");
}
