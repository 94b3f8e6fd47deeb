#include "Fc/Core/FCFileUtil.h"
#include "Fc/Core/FCConvert.h"
#include "Fc/Core/FCFileSection.h"
#include "Fc/Core/FCFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// Runs the test body with the working directory changed, and restores it
// by the host's own name, which the program's may not be.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::string& path) : previous(std::filesystem::current_path())
    {
        EXPECT_EQ(::chdir(path.c_str()), 0);
    }
    ~WorkingDirectory() { EXPECT_EQ(::chdir(previous.c_str()), 0); }

private:
    std::filesystem::path previous;
};

FCStringList List(const std::string& dir, const std::string& pattern, std::uint8_t flags)
{
    return *ListFiles(dir, pattern, flags);
}
} // namespace

TEST(FCFileUtilTest, HostPathsAcceptBothSeparatorsAndAnyCase)
{
    TempFolder folder;
    folder.WriteFile("Art/Panels/Frame.bmp", "x");
    const std::string base = folder.GetPath();
    struct Case
    {
        std::string given;
        std::string expected;
    };
    const Case cases[] = {
        {base + "\\Art\\Panels\\Frame.bmp", base + "/Art/Panels/Frame.bmp"},
        {base + "/art\\PANELS/frame.BMP", base + "/Art/Panels/Frame.bmp"},
        {base + "\\ART\\", base + "/Art/"},
        // Missing parts are kept as given below the last folder that matched.
        {base + "\\art\\New\\File.txt", base + "/Art/New/File.txt"},
        {base + "\\art\\panels\\new.txt", base + "/Art/Panels/new.txt"},
        {"", ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(ToHostPath(c.given), c.expected);
    }

    WorkingDirectory cwd(base);
    EXPECT_EQ(ToHostPath("art\\panels\\frame.bmp"), "Art/Panels/Frame.bmp");
    EXPECT_EQ(ToHostPath(".\\ART\\Panels"), "./Art/Panels");
}

TEST(FCFileUtilTest, MatchingFollowsChangesToAFolderSeenBefore)
{
    TempFolder folder;
    folder.WriteFile("Sfx/Old.wav", "x");
    const std::string sfx = folder.Join("Sfx");
    // A folder last changed long ago, as installed data is.
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, sfx.c_str(), past, 0), 0);
    EXPECT_EQ(ToHostPath(sfx + "/old.WAV"), sfx + "/Old.wav");
    EXPECT_EQ(ToHostPath(sfx + "/new.wav"), sfx + "/new.wav");

    folder.WriteFile("Sfx/New.wav", "x");
    ASSERT_EQ(::rename((sfx + "/Old.wav").c_str(), (sfx + "/Renamed.wav").c_str()), 0);
    EXPECT_EQ(ToHostPath(sfx + "/new.wav"), sfx + "/New.wav");
    EXPECT_EQ(ToHostPath(sfx + "/old.WAV"), sfx + "/old.WAV");
    EXPECT_EQ(ToHostPath(sfx + "/RENAMED.wav"), sfx + "/Renamed.wav");
}

TEST(FCFileUtilTest, UserFilesLiveInTheUserDataFolder)
{
    TempFolder data;
    ::setenv("XDG_DATA_HOME", data.GetPath().c_str(), 1);
    const std::string user = data.GetPath() + "/stavelorn";
    struct Case
    {
        const char* given;
        std::string expected;
    };
    const Case cases[] = {
        {"Resources\\settings.dat", user + "/settings.dat"},
        {"resources/SETTINGS.DAT", user + "/SETTINGS.DAT"},
        {"Resources\\Characters\\", user + "/Characters/"},
        {".\\Resources\\Characters\\\\Hero.cg3", user + "/Characters//Hero.cg3"},
        // The program's own data stays where it is.
        {"Resources\\UI\\velStartMenu.ui", "Resources/UI/velStartMenu.ui"},
        {"Resources\\settings.dat\\x", "Resources/settings.dat/x"},
        {"Other\\Characters\\Hero.cg3", "Other/Characters/Hero.cg3"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.given);
        EXPECT_EQ(ToHostPath(c.given), c.expected);
    }
    ::setenv("XDG_DATA_HOME", "relative", 1);
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
    {
        EXPECT_EQ(GetUserDataFolder(), std::string(home) + "/.local/share/stavelorn");
    }
    ::unsetenv("XDG_DATA_HOME");
}

TEST(FCFileUtilTest, WorkingDirectoryHasNoTrailingSeparator)
{
    TempFolder folder;
    {
        WorkingDirectory cwd(folder.GetPath() + "/");
        EXPECT_EQ(GetWorkingDirectory(), folder.GetPath());
    }
    // At the root nothing is left: root + "\x" then names "/x" again.
    WorkingDirectory cwd("/");
    EXPECT_EQ(GetWorkingDirectory(), "");
}

// The program's data lies below its working directory whatever letters its
// folders hold: one the code page cannot name must not be taken for a
// look-alike beside it that sorts first.
TEST(FCFileUtilTest, TheProgramRootIsFoundBelowFoldersTheCodePageCannotName)
{
    const struct
    {
        const char* lookAlike;
        const char* program;
    } cases[] = {
        {"\xD0\x90\xD0\xB1\xD0\xB2\xD0\xB3\xD0\xB4\xD0\xB5\xD0\xB6",
         "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82\xD1\x8B"}, // Cyrillic
        {"\xE4\xB8\xAD\xE6\x96\x87", "\xE9\xA1\xB9\xE7\x9B\xAE"}, // Chinese
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.program);
        TempFolder folder;
        folder.WriteFile(std::string(c.lookAlike) + "/Resources/Database/Database.bin", "look-alike");
        folder.WriteFile(std::string(c.program) + "/Resources/Database/Database.bin", "ours");
        WorkingDirectory cwd(folder.Join(c.program));
        const std::string root = GetWorkingDirectory() + "\\Resources\\";
        FCFileSystem files;
        files.SetRootPath(root);
        files.AddSearchDirectory("Database");
        FCFileSection view;
        ASSERT_TRUE(files.Open(view, "Database.bin"));
        std::string text(view.GetSize(), '\0');
        ASSERT_TRUE(view.Read(text.data(), static_cast<std::uint32_t>(text.size())));
        EXPECT_EQ(text, "ours");
        // The program's own names may follow the host's folder.
        EXPECT_EQ(ToHostPath(root + "Characters\\Andr\xE9.cg3"),
                  std::filesystem::current_path().string() + "/Resources/Characters/Andr\xC3\xA9.cg3");
    }
}

TEST(FCFileUtilTest, ProbesTellFilesFromDirectories)
{
    TempFolder folder;
    folder.WriteFile("Sub/file.txt", "x");
    const std::string base = folder.GetPath();
    EXPECT_TRUE(DirectoryExists(base + "\\sub"));
    EXPECT_FALSE(DirectoryExists(base + "\\Sub\\file.txt"));
    EXPECT_FALSE(DirectoryExists(base + "\\Missing"));
    EXPECT_TRUE(FileExists(base + "\\SUB\\FILE.TXT"));
    EXPECT_FALSE(FileExists(base + "\\Sub"));
    EXPECT_FALSE(FileExists(base + "\\Sub\\other.txt"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(IsFileWritable(base + "\\Sub\\file.txt"));
    EXPECT_FALSE(IsFileWritable(base + "\\Sub"));
    EXPECT_FALSE(IsFileWritable(base + "\\Sub\\other.txt"));

    EXPECT_TRUE(MakeDirectory(base + "\\New"));
    EXPECT_TRUE(DirectoryExists(base + "/New"));
    EXPECT_FALSE(MakeDirectory(base + "\\New"));
    EXPECT_FALSE(MakeDirectory(base + "\\A\\B"));
}

TEST(FCFileUtilTest, ReplaceWithTempFileKeepsTheOldFileUnlessWritten)
{
    TempFolder folder;
    const std::string base = folder.GetPath();
    folder.WriteFile("a.dat", "old");
    folder.WriteFile("a.dat.tmp", "half");
    EXPECT_FALSE(ReplaceWithTempFile(base + "/a.dat.tmp", base + "/a.dat", false));
    EXPECT_FALSE(FileExists(base + "/a.dat.tmp"));
    EXPECT_EQ(folder.ReadFile("a.dat"), std::vector<std::uint8_t>({'o', 'l', 'd'}));

    folder.WriteFile("a.dat.tmp", "new");
    EXPECT_TRUE(ReplaceWithTempFile(base + "/a.dat.tmp", base + "/a.dat", true));
    EXPECT_FALSE(FileExists(base + "/a.dat.tmp"));
    EXPECT_EQ(folder.ReadFile("a.dat"), std::vector<std::uint8_t>({'n', 'e', 'w'}));

    // A rename into a missing folder fails and leaves no temporary file.
    folder.WriteFile("b.dat.tmp", "new");
    EXPECT_FALSE(ReplaceWithTempFile(base + "/b.dat.tmp", base + "/Missing/b.dat", true));
    EXPECT_FALSE(FileExists(base + "/b.dat.tmp"));
}

TEST(FCFileUtilTest, ListFilesByFlagsAndPattern)
{
    TempFolder folder;
    folder.WriteFile("b.txt", "x");
    folder.WriteFile("A.TXT", "x");
    folder.WriteFile("readme", "x");
    folder.WriteFile("c.dat", "x");
    folder.MakeFolder("Sub.d");
    const std::string dir = folder.GetPath();
    struct Case
    {
        std::string pattern;
        std::uint8_t flags;
        FCStringList expected;
    };
    const Case cases[] = {
        {"", kListFiles, {"A.TXT", "b.txt", "c.dat", "readme"}},
        {"*.*", kListDirectories, {".", "..", "Sub.d"}},
        {"*.*", kListFiles | kListDirectories, {".", "..", "A.TXT", "Sub.d", "b.txt", "c.dat", "readme"}},
        {"*.txt", kListFiles, {"A.TXT", "b.txt"}},
        {"?.*", kListFiles, {"A.TXT", "b.txt", "c.dat"}},
        {"read*", kListFiles | kListDirectories, {"readme"}},
        {"*.d", kListFiles, {}},
        {"*.*", 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pattern + " " + std::to_string(c.flags));
        EXPECT_EQ(List(dir, c.pattern, c.flags), c.expected);
        EXPECT_EQ(List(dir + "\\", c.pattern, c.flags), c.expected);
    }
    EXPECT_TRUE(List(dir + "\\missing", "*.*", kListFiles | kListDirectories).empty());

    WorkingDirectory cwd(dir);
    EXPECT_EQ(List("", "*.dat", kListFiles), FCStringList{"c.dat"});
}

// Names on disc are UTF-8; the program's are Windows-1252. A name the code
// page cannot hold is listed with '?' for each such character and found
// again under that form; so is a name that is not UTF-8 at all.
TEST(FCFileUtilTest, HostNamesAreListedAndFoundInTheProgramsCodePage)
{
    TempFolder folder;
    const struct
    {
        const char* onDisc;  // host bytes
        const char* listed;  // the program's name
    } names[] = {
        {"Zo\xC3\xAB.cg3", "Zo\xEB.cg3"},
        {"\xE6\x97\xA5\xE6\x9C\xAC.cg3", "??.cg3"},
        {"Latin\xE9.cg3", "Latin?.cg3"}, // written by another program in Latin-1
        {"plain.cg3", "plain.cg3"},
    };
    for (const auto& n : names)
        folder.WriteFile(n.onDisc, n.onDisc);
    const std::string dir = folder.GetPath() + "\\";
    EXPECT_EQ(List(dir, "*.cg3", kListFiles),
              (FCStringList{"??.cg3", "Latin?.cg3", "Zo\xEB.cg3", "plain.cg3"}));
    for (const auto& n : names)
    {
        SCOPED_TRACE(n.listed);
        EXPECT_EQ(ToHostPath(dir + n.listed), folder.Join(n.onDisc));
        EXPECT_TRUE(FileExists(dir + n.listed));
        // Case-blind as ever.
        EXPECT_EQ(ToHostPath(dir + ToUpper(n.listed)), folder.Join(n.onDisc));
    }
    // A new name is made in UTF-8; a host path is kept as it is, so mapping
    // twice changes nothing.
    const std::string created = ToHostPath(dir + "Andr\xE9.cg3");
    EXPECT_EQ(created, folder.Join("Andr\xC3\xA9.cg3"));
    EXPECT_EQ(ToHostPath(created), created);
    // The working directory is a program path too.
    {
        WorkingDirectory inside(folder.GetPath());
        folder.MakeFolder("Caf\xC3\xA9");
        WorkingDirectory deeper(folder.Join("Caf\xC3\xA9"));
        const std::string cwd = GetWorkingDirectory();
        EXPECT_EQ(cwd.substr(cwd.size() - 5), "/Caf\xE9");
        EXPECT_TRUE(DirectoryExists(cwd));
    }
}

// A row listed, or a character loaded, under a shown name goes on naming that
// file when others come or go; one that has gone is not found.
TEST(FCFileUtilTest, AShownNameKeepsItsFileWhileTheFolderChanges)
{
    TempFolder folder;
    const std::string dir = folder.GetPath() + "\\";
    folder.WriteFile("\xE6\x97\xA5\xE6\x9C\xAC.cg3", "Japan");
    folder.WriteFile("\xE9\x9F\x93\xE5\x9B\xBD.cg3", "Korea");
    ASSERT_EQ(List(dir, "*.cg3", kListFiles), (FCStringList{"?? (2).cg3", "??.cg3"}));
    folder.WriteFile("\xE4\xB8\xAD\xE5\x9B\xBD.cg3", "China"); // first in byte order
    EXPECT_EQ(ToHostPath(dir + "?? (2).cg3"), folder.Join("\xE9\x9F\x93\xE5\x9B\xBD.cg3"));
    ASSERT_EQ(std::remove(folder.Join("\xE6\x97\xA5\xE6\x9C\xAC.cg3").c_str()), 0);
    EXPECT_FALSE(FileExists(dir + "??.cg3"));
    EXPECT_EQ(List(dir, "*.cg3", kListFiles), (FCStringList{"?? (2).cg3", "?? (3).cg3"}));
}
