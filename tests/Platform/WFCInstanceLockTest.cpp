#include "Platform/WFCEntry.h"
#include "Platform/WFCInstanceLock.h"
#include "support/QuietLog.h"
#include "support/RecordingApp.h"
#include "support/TempFolder.h"

#include "Fc/Core/FCFileUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using Result = WFCInstanceLock::Result;

TEST(WFCInstanceLock, SecondHolderIsRefusedUntilTheFirstLetsGo)
{
    TempFolder folder;
    const std::string path = folder.Join("stavelorn.lock");
    WFCInstanceLock first;
    WFCInstanceLock second;
    EXPECT_EQ(first.Acquire(path), Result::kAcquired);
    EXPECT_EQ(second.Acquire(path), Result::kHeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    first.Release();
    EXPECT_EQ(second.Acquire(path), Result::kAcquired);
    QuietLog quiet;
    EXPECT_EQ(first.Acquire(folder.Join("no/such/folder/x.lock")), Result::kFailed);
}

TEST(WFCInstanceLock, LivesInTheRuntimeFolder)
{
    TempFolder folder;
    ::setenv("XDG_RUNTIME_DIR", folder.GetPath().c_str(), 1);
    EXPECT_EQ(WFCInstanceLock::DefaultPath(), folder.Join("stavelorn.lock"));
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_NE(WFCInstanceLock::DefaultPath().find(".lock"), std::string::npos);
}

class WFCEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseDummySdlDrivers();
        ::setenv("XDG_RUNTIME_DIR", folder.GetPath().c_str(), 1);
        ::setenv("XDG_STATE_HOME", folder.GetPath().c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("XDG_STATE_HOME");
    }

    QuietLog quiet;
    TempFolder folder;
    RecordingApp app;
    char name[10] = "stavelorn";
    char option[5] = "-win";
    char* argv[3] = {name, option, nullptr};
};

TEST_F(WFCEntryTest, ASecondCopyEndsWithOne)
{
    WFCInstanceLock running;
    ASSERT_EQ(running.Acquire(WFCInstanceLock::DefaultPath()), Result::kAcquired);
    app.run = [] { return std::int16_t{0}; };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(WFCMain(2, argv), 1);
    // Captioned with the application's own name.
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              app.GetName() + ": The selected program is already running.\n");
    EXPECT_TRUE(app.calls.empty());
}

// An X display number no server listens on.
std::string DisplayWithoutServer()
{
    int number = 4000;
    while (FileExists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    return ":" + std::to_string(number);
}

TEST_F(WFCEntryTest, WithoutAWindowSystemItSaysSoEndsWithTwoAndLeavesTheLockFree)
{
    const std::string display = DisplayWithoutServer();
    const struct
    {
        const char* x11;
        const char* wayland;
        std::string said;
    } cases[] = {
        {nullptr, "", "no display"},
        {display.c_str(), nullptr, "cannot open the display \"" + display + "\"\n"},
        {nullptr, "stavelorn-no-compositor", "cannot open the display \"stavelorn-no-compositor\"\n"},
    };
    app.run = [] { return std::int16_t{0}; };
    ::unsetenv("SDL_VIDEODRIVER");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.said);
        c.x11 ? ::setenv("DISPLAY", c.x11, 1) : ::unsetenv("DISPLAY");
        c.wayland ? ::setenv("WAYLAND_DISPLAY", c.wayland, 1) : ::unsetenv("WAYLAND_DISPLAY");
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(WFCMain(2, argv), 2);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.said), std::string::npos);
        EXPECT_TRUE(app.calls.empty());
        WFCInstanceLock next;
        EXPECT_EQ(next.Acquire(WFCInstanceLock::DefaultPath()), Result::kAcquired);
    }
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    UseDummySdlDrivers();
}

TEST_F(WFCEntryTest, RunsTheApplicationInAnActiveWindowAndRestoresTheFolder)
{
    const std::string before = GetWorkingDirectory();
    app.run = [] { return std::int16_t{0}; };
    EXPECT_EQ(WFCMain(2, argv), 0);
    EXPECT_EQ(app.calls.front(), "activate 1");
    EXPECT_EQ(GetWorkingDirectory(), before);
    app.run = [] { return std::int16_t{2}; };
    EXPECT_EQ(WFCMain(2, argv), 2);
    EXPECT_FALSE(DirectoryExists(folder.Join("stavelorn"))) << "the test's own log stays in use";
}
} // namespace
