#include "Fc/FCDebugLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace
{
std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class FCDebugLogTest : public ::testing::Test
{
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fcdebuglog-" + std::to_string(::getpid()) + "-" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};
} // namespace

TEST_F(FCDebugLogTest, ModesWithoutFileCreateNoFile)
{
    for (std::uint32_t mode : {FCDebugLog::kOff, FCDebugLog::kDebugger})
    {
        const auto path = dir / ("log" + std::to_string(mode) + ".txt");
        {
            FCDebugLog log(path.string(), mode);
            log.Printf("hello %d\n", 1);
        }
        EXPECT_FALSE(std::filesystem::exists(path)) << "mode " << mode;
    }
}

TEST_F(FCDebugLogTest, LongMessageIsCutTo200Characters)
{
    const auto path = dir / "log.txt";
    {
        FCDebugLog log(path.string(), FCDebugLog::kFile);
        log.Printf("%s", std::string(250, 'x').c_str());
        log.Printf("end");
    }
    EXPECT_EQ(ReadAll(path), std::string(200, 'x') + "end");
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
        const auto path = dir / "loc.txt";
        {
            FCDebugLog log(path.string(), FCDebugLog::kFile);
            log.PrintLocation(c.path, 59);
        }
        EXPECT_EQ(ReadAll(path), c.expected) << c.path;
    }
}

TEST_F(FCDebugLogTest, ReopeningReplacesTheEarlierLog)
{
    const auto path = dir / "log.txt";
    {
        FCDebugLog log(path.string(), FCDebugLog::kFile);
        log.Printf("first run\n");
    }
    {
        FCDebugLog log(path.string(), FCDebugLog::kBoth);
        log.Printf("second\n");
    }
    EXPECT_EQ(ReadAll(path), "second\n");
}

TEST_F(FCDebugLogTest, MacroWritesThroughTheInstalledLog)
{
    const auto path = dir / "macro.txt";
    {
        FCDebugLog log(path.string(), FCDebugLog::kFile);
        FCDebugLog* previous = FCDebugLog::SetInstance(&log);
        FC_LOG("value %u\n", 7u);
        FCDebugLog::SetInstance(previous);
    }
    const std::string text = ReadAll(path);
    EXPECT_EQ(text.rfind("FCDebugLogTest.cpp[", 0), 0u) << text;
    EXPECT_NE(text.find("]: value 7\n"), std::string::npos) << text;
}
