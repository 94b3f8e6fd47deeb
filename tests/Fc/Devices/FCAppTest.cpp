#include "Fc/Devices/FCApp.h"
#include "support/FakeCursorProvider.h"
#include "support/QuietLog.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class TestApp : public FCApp
{
public:
    std::int16_t Run() override { return 0; }
    void SetCursorId(std::uint16_t id) { cursorId = id; }
};

struct Settings
{
    std::int16_t width;
    std::int16_t height;
    bool windowed;
    bool fullScreen;
};

Settings Read(const FCApp& app)
{
    return {app.GetWidth(), app.GetHeight(), app.IsWindowed(), app.IsFullScreen()};
}

struct CommandLineCase
{
    const char* line;
    bool result;
    Settings after;
};

void PrintTo(const CommandLineCase& c, std::ostream* os)
{
    *os << '"' << c.line << '"';
}

class FCAppCommandLineTest : public ::testing::TestWithParam<CommandLineCase>
{
};

constexpr Settings kDefaults{640, 480, true, false};
} // namespace

TEST(FCAppTest, ConstructionRecordsInstanceAndStartTime)
{
    TestClock clock(123456);
    {
        TestApp app;
        EXPECT_EQ(FCApp::GetInstance(), &app);
        EXPECT_EQ(FCApp::GetStartTime(), 123456u);
    }
    EXPECT_EQ(FCApp::GetInstance(), nullptr);
}

TEST_P(FCAppCommandLineTest, ParsesIntoTheSettings)
{
    const CommandLineCase& c = GetParam();
    QuietLog quiet;
    TestApp app;
    EXPECT_EQ(app.ParseCommandLine(c.line), c.result);
    const Settings s = Read(app);
    EXPECT_EQ(s.width, c.after.width);
    EXPECT_EQ(s.height, c.after.height);
    EXPECT_EQ(s.windowed, c.after.windowed);
    EXPECT_EQ(s.fullScreen, c.after.fullScreen);
}

INSTANTIATE_TEST_SUITE_P(
    Options, FCAppCommandLineTest,
    ::testing::Values(
        // No options at all.
        CommandLineCase{"", true, kDefaults}, CommandLineCase{"prog", true, kDefaults},
        CommandLineCase{"  \t prog \t ", true, kDefaults},
        // Display mode, last one wins, any letter case.
        CommandLineCase{"prog -full", true, {640, 480, false, true}},
        CommandLineCase{"prog -full -win", true, {640, 480, true, false}},
        CommandLineCase{"prog -FULL", true, {640, 480, false, true}},
        CommandLineCase{"prog -full -WiN", true, {640, 480, true, false}},
        // Unknown tokens are skipped, and so is the program path even when it
        // looks like an option.
        CommandLineCase{"prog -foo -full", true, {640, 480, false, true}},
        CommandLineCase{"-full", true, kDefaults},
        CommandLineCase{"prog -fullscreen", true, kDefaults},
        // Sizes, including the range limits and an explicit plus sign.
        CommandLineCase{"prog -width 1024 -height 768", true, {1024, 768, true, false}},
        CommandLineCase{"prog -WIDTH 800 -Height 600", true, {800, 600, true, false}},
        CommandLineCase{"prog -width 1 -height 1600", true, {1, 1600, true, false}},
        CommandLineCase{"prog -width +800", true, {800, 480, true, false}},
        // Blanks and tabs both separate, in any number; nothing else does.
        CommandLineCase{"prog\t-width\t\t1024   -height \t 768\t", true, {1024, 768, true, false}},
        CommandLineCase{"prog -full\n", true, kDefaults},
        // Refused values keep the previous setting and end the parse.
        CommandLineCase{"prog -full -width 2000 -win", false, {640, 480, false, true}},
        CommandLineCase{"prog -width 0", false, kDefaults},
        CommandLineCase{"prog -width 1601", false, kDefaults},
        CommandLineCase{"prog -height -600", false, kDefaults},
        // 66336 narrowed to 16 bits would be 800: the range is checked first.
        CommandLineCase{"prog -width 66336", false, kDefaults},
        CommandLineCase{"prog -width 99999999999999999999999", false, kDefaults},
        CommandLineCase{"prog -width abc", false, kDefaults},
        CommandLineCase{"prog -width 800x", false, kDefaults},
        CommandLineCase{"prog -width 0x20", false, kDefaults},
        CommandLineCase{"prog -width ++8", false, kDefaults},
        CommandLineCase{"prog -width +", false, kDefaults},
        CommandLineCase{"prog -width", false, kDefaults},
        CommandLineCase{"prog -height \t ", false, kDefaults},
        // Everything before the refused token stays applied, nothing after it.
        CommandLineCase{"prog -height 600 -width x -full", false, {640, 600, true, false}},
        CommandLineCase{"prog -width 0 -height 700", false, kDefaults},
        // A refused value is not taken for an option of its own.
        CommandLineCase{"prog -width -full", false, kDefaults}));

TEST(FCAppTest, UnknownOptionsAreReportedAndIgnored)
{
    QuietLog quiet;
    TestApp app;
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(app.ParseCommandLine("prog -foo -full -nointro -win"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              app.GetName() + ": unknown option \"-foo\" ignored\n" + app.GetName() +
                  ": unknown option \"-nointro\" ignored\n");
    EXPECT_EQ(app.IsWindowed(), true);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(app.ParseCommandLine("prog -width 800 -full"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(FCAppTest, NullCommandLineIsEmpty)
{
    TestApp app;
    EXPECT_TRUE(app.ParseCommandLine(nullptr));
    EXPECT_EQ(app.GetWidth(), 640);
}

TEST(FCAppTest, LoadCursorUsesTheArrowForIdZeroElseTheOwnResource)
{
    FakeCursorProvider cursors;
    TestApp app;
    EXPECT_EQ(app.LoadCursor(), cursors.SystemCursor(FCCursorProvider::kArrow));
    app.SetCursorId(105);
    EXPECT_EQ(app.LoadCursor(), cursors.AppCursor(105));
    EXPECT_EQ(cursors.systemLoads, std::vector<std::uint16_t>{32512});
    EXPECT_EQ(cursors.appLoads, std::vector<std::uint16_t>{105});

    SetCurrentCursor(LoadSystemCursor(FCCursorProvider::kWait));
    ASSERT_EQ(cursors.currentCursors.size(), 1u);
    EXPECT_EQ(cursors.currentCursors[0], cursors.SystemCursor(32514));
}

TEST(FCAppTest, CursorFunctionsWithoutProviderDoNothing)
{
    ASSERT_EQ(FCCursorProvider::GetInstance(), nullptr);
    TestApp app;
    app.SetCursorId(105);
    EXPECT_EQ(app.LoadCursor(), nullptr);
    EXPECT_EQ(LoadSystemCursor(FCCursorProvider::kWait), nullptr);
    SetCurrentCursor(nullptr);
}
