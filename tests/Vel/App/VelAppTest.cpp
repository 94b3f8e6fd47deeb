#include "Fc/Core/FCDebugLog.h"
#include "Vel/App/VelApp.h"
#include "Vel/App/VelClient.h"
#include "support/FakeDevices.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>
#include <vector>

namespace
{
// A client that records what the application hands it, and still runs the
// real frame (which flips the memory display).
class SpyClient : public VelClient
{
public:
    struct Message
    {
        std::int16_t id;
        std::vector<std::uint32_t> words;
    };
    void HandleMessage(std::int16_t messageId, void* data) override
    {
        const auto* words = static_cast<const std::uint32_t*>(data);
        const std::size_t count = messageId >= 12 ? 2 : 3;
        messages.push_back({messageId, std::vector<std::uint32_t>(words, words + count)});
    }
    std::vector<Message> messages;
};

// The application with a client that did not start any device: the test's
// fakes stand in for them.
class LoopApp : public VelApp
{
public:
    explicit LoopApp(bool withClient = true)
    {
        if (withClient)
            client = spy = new SpyClient();
        running = 1;
    }
    ~LoopApp() override
    {
        if (client)
            client->Release();
        client = nullptr;
    }
    SpyClient* spy = nullptr;
};

// Sleeps by moving the clock on, and ends the loop after a number of sleeps.
class SleepingSystem : public FakeSystem
{
public:
    explicit SleepingSystem(TestClock& testClock) : clock(testClock) {}
    void WaitForMessages(std::uint32_t timeoutMs) override
    {
        waits.push_back(timeoutMs);
        clock.Advance(timeoutMs);
        if (waits.size() == sleepsBeforeQuit)
            RequestQuit();
    }
    TestClock& clock;
    std::vector<std::uint32_t> waits;
    std::size_t sleepsBeforeQuit = 60;
};

struct Devices
{
    TestClock clock{5000};
    SleepingSystem system{clock};
    MemoryDisplayManager display;
};

TEST(VelAppTest, FramesRunOnlyWhenMoreThanSixteenMillisecondsPassedWhileActive)
{
    Devices devices;
    LoopApp app;
    app.OnActivate(true);
    app.ResetFrameClock();
    struct Step
    {
        std::uint32_t advance;
        int activate; // -1 leaves it
        bool frame;
        std::uint32_t wait;
    };
    const Step steps[] = {
        {0, -1, false, 1},   // 16 ms since the pretended last frame
        {1, -1, true, 17},   // 17: the first frame
        {16, -1, false, 1},
        {1, -1, true, 17},
        {5, 0, false, 16},   // inactive: no frame, however long
        {100, -1, false, 16},
        {16, 1, false, 1},   // counted from the last inactive turn
        {1, -1, true, 17},
        {40, -1, true, 17},  // late frames are not caught up
    };
    int frames = 0;
    for (const Step& step : steps)
    {
        SCOPED_TRACE(testing::Message() << "advance " << step.advance);
        devices.clock.Advance(step.advance);
        if (step.activate >= 0)
            app.OnActivate(step.activate == 1);
        EXPECT_EQ(app.Tick(), step.wait);
        frames += step.frame ? 1 : 0;
        EXPECT_EQ(devices.display.flipCount, frames);
        EXPECT_EQ(ApplicationTime, devices.clock.GetMilliseconds() - 5000);
    }
}

TEST(VelAppTest, TheLoopSleepsBetweenFramesAndEndsOnQuit)
{
    Devices devices;
    LoopApp app;
    app.OnActivate(true);
    app.MainLoop();
    ASSERT_EQ(devices.system.waits.size(), 60u);
    for (const std::uint32_t wait : devices.system.waits)
    {
        EXPECT_GE(wait, 1u);
        EXPECT_LE(wait, VelApp::kFrameMs + 1);
    }
    // Every sleep but the first ends at a frame.
    EXPECT_EQ(devices.display.flipCount, 59);
}

TEST(VelAppTest, ActivationRestoresTheDisplayOnceAndLogsEachChange)
{
    TempFolder folder;
    const std::string logPath = folder.Join("debug.log");
    FCDebugLog log(logPath, FCDebugLog::kFile);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    {
        Devices devices;
        LoopApp app;
        const bool changes[] = {true, true, false, false, true};
        for (const bool active : changes)
            EXPECT_TRUE(app.OnActivate(active));
        EXPECT_EQ(devices.display.restoreCount, 2);
    }
    FCDebugLog::SetInstance(previous);
    std::ifstream in(logPath);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
    {
        EXPECT_EQ(line.rfind("VelApp.cpp[", 0), 0u) << line;
        lines.push_back(line.substr(line.find("]: ") + 3));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"Activating ...", "Deactivating ...", "Activating ..."}));
}

TEST(VelAppTest, MouseAndKeyMessagesBecomeNumberedClientMessages)
{
    Devices devices;
    LoopApp app;
    struct Case
    {
        std::uint32_t message;
        std::int16_t id; // 0: refused
    };
    const Case mouse[] = {{0x200, 11}, {0x201, 6}, {0x202, 7}, {0x203, 8},
                          {0x204, 9},  {0x205, 10}, {0x206, 0}, {0x100, 0}};
    const FCPoint point(123, 45);
    for (const Case& c : mouse)
    {
        SCOPED_TRACE(c.message);
        app.spy->messages.clear();
        EXPECT_EQ(app.HandleMouse(c.message, &point, 4), c.id != 0);
        ASSERT_EQ(app.spy->messages.size(), c.id != 0 ? 1u : 0u);
        if (c.id != 0)
        {
            EXPECT_EQ(app.spy->messages[0].id, c.id);
            EXPECT_EQ(app.spy->messages[0].words, (std::vector<std::uint32_t>{123, 45, 4}));
        }
    }
    // 0x104 is a system key: the platform keeps it.
    const Case keys[] = {{0x100, 12}, {0x101, 13}, {0x102, 14}, {0x104, 0}, {0x201, 0}};
    for (const Case& c : keys)
    {
        SCOPED_TRACE(c.message);
        app.spy->messages.clear();
        EXPECT_EQ(app.HandleKey(c.message, 0x41, 0x1E0001), c.id != 0);
        ASSERT_EQ(app.spy->messages.size(), c.id != 0 ? 1u : 0u);
        if (c.id != 0)
        {
            EXPECT_EQ(app.spy->messages[0].id, c.id);
            EXPECT_EQ(app.spy->messages[0].words, (std::vector<std::uint32_t>{0x41, 0x1E0001}));
        }
    }
}

TEST(VelAppTest, InputBeforeTheClientExistsIsRefused)
{
    Devices devices;
    LoopApp app(false);
    const FCPoint point(1, 2);
    EXPECT_FALSE(app.HandleMouse(0x201, &point, 0));
    EXPECT_FALSE(app.HandleKey(0x100, 0x41, 0));
}

TEST(VelAppTest, StartsFullScreenUnlessTheCommandLineAsksForAWindow)
{
    VelApp app;
    EXPECT_TRUE(app.IsFullScreen() && !app.IsWindowed());
    EXPECT_TRUE(app.ParseCommandLine("stavelorn -win"));
    EXPECT_TRUE(app.IsWindowed() && !app.IsFullScreen());
}
} // namespace
