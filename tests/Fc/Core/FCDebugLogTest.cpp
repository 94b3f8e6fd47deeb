#include "Fc/Core/FCDebugLog.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace
{
class FCDebugLogTest : public ::testing::Test
{
protected:
    std::string Path(const std::string& name) const { return folder.Join(name); }
    std::string ReadAll(const std::string& name) const
    {
        const std::vector<std::uint8_t> bytes = folder.ReadFile(name);
        return {bytes.begin(), bytes.end()};
    }
    TempFolder folder;
};
} // namespace

TEST_F(FCDebugLogTest, ModesWithoutFileCreateNoFile)
{
    for (std::uint32_t mode : {FCDebugLog::kOff, FCDebugLog::kDebugger})
    {
        const std::string path = Path("log" + std::to_string(mode) + ".txt");
        {
            FCDebugLog log(path, mode);
            log.Printf("hello %d\n", 1);
        }
        EXPECT_FALSE(std::filesystem::exists(path)) << "mode " << mode;
    }
}

TEST_F(FCDebugLogTest, LongMessageIsCutTo200Characters)
{
    const std::string path = Path("log.txt");
    {
        FCDebugLog log(path, FCDebugLog::kFile);
        log.Printf("%s", std::string(250, 'x').c_str());
        log.Printf("end");
    }
    EXPECT_EQ(ReadAll("log.txt"), std::string(200, 'x') + "end");
}

TEST_F(FCDebugLogTest, LocationPrefixUsesBaseNameAtEitherSeparator)
{
    struct Case
    {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"FCArchive.cpp", "FCArchive.cpp[59]: "},
        {"src\\Fc\\FCArchive.cpp", "FCArchive.cpp[59]: "},
        {"/home/x/Fc/FCArchive.cpp", "FCArchive.cpp[59]: "},
        {"a/b\\c.cpp", "c.cpp[59]: "},
    };
    for (const Case& c : cases)
    {
        const std::string path = Path("loc.txt");
        {
            FCDebugLog log(path, FCDebugLog::kFile);
            log.PrintLocation(c.path, 59);
        }
        EXPECT_EQ(ReadAll("loc.txt"), c.expected) << c.path;
    }
}

TEST_F(FCDebugLogTest, ReopeningReplacesTheEarlierLog)
{
    const std::string path = Path("log.txt");
    {
        FCDebugLog log(path, FCDebugLog::kFile);
        log.Printf("first run\n");
    }
    {
        FCDebugLog log(path, FCDebugLog::kBoth);
        log.Printf("second\n");
    }
    EXPECT_EQ(ReadAll("log.txt"), "second\n");
}

TEST_F(FCDebugLogTest, MacroWritesThroughTheInstalledLog)
{
    const std::string path = Path("macro.txt");
    {
        FCDebugLog log(path, FCDebugLog::kFile);
        FCDebugLog* previous = FCDebugLog::SetInstance(&log);
        FC_LOG("value %u\n", 7u);
        FCDebugLog::SetInstance(previous);
    }
    const std::string text = ReadAll("macro.txt");
    EXPECT_EQ(text.rfind("FCDebugLogTest.cpp[", 0), 0u) << text;
    EXPECT_NE(text.find("]: value 7\n"), std::string::npos) << text;
}

// Each run writes its own log in the state folder, made when missing, and
// replaces the run before; a folder that cannot be made gives no file and a
// log that still runs.
TEST_F(FCDebugLogTest, RunLogsLiveInTheStateFolderAndOnlyTheLastRunsStays)
{
    const std::string state = Path("state/deeper/stavelorn");
    for (const char* run : {"first\n", "second\n", "third\n"})
    {
        const std::string path = FCDebugLog::PrepareRunLog(state);
        ASSERT_EQ(path, state + "/DebugLog.txt");
        FCDebugLog log(path, FCDebugLog::kFile);
        log.Printf("%s", run);
    }
    EXPECT_EQ(ReadAll("state/deeper/stavelorn/DebugLog.txt"), "third\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state), {}), 1) << "no earlier run's copy";

    folder.WriteFile("file", "kept");
    for (const std::string& unusable : {std::string(), std::string("relative"), Path("file"), Path("file/stavelorn")})
    {
        SCOPED_TRACE(unusable);
        const std::string path = FCDebugLog::PrepareRunLog(unusable);
        EXPECT_EQ(path, "");
        FCDebugLog log(path, FCDebugLog::kBoth);
        log.Printf("the program runs on\n");
    }
    EXPECT_EQ(ReadAll("file"), "kept");
}
