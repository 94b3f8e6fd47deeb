#include "Fc/Devices/FCSystem.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Devices/FCPrinter.h"
#include "Fc/Devices/FCTimerListener.h"
#include "support/FakeDevices.h"
#include "support/FakeKeyboard.h"
#include "support/FakeSystem.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
// Records every tick it receives; an optional action runs inside the tick.
class RecordingListener : public FCTimerListener
{
public:
    void OnTimer(std::uint16_t id) override
    {
        fired.push_back(id);
        if (action)
        {
            action(id);
        }
    }

    std::vector<std::uint16_t> fired;
    std::function<void(std::uint16_t)> action;
};

class FCSystemTimerTest : public ::testing::Test
{
protected:
    // Advances the clock and pumps once; returns the ids fired by this pump.
    std::vector<std::uint16_t> Pump(std::uint32_t ms)
    {
        const std::size_t before = listener.fired.size();
        clock.Advance(ms);
        FCSystem::UpdateTimers();
        return {listener.fired.begin() + static_cast<std::ptrdiff_t>(before), listener.fired.end()};
    }

    TestClock clock{1000};
    FakeSystem system; // after the clock: the timer list starts counting from it
    RecordingListener listener;
};

using Ids = std::vector<std::uint16_t>;
} // namespace

TEST_F(FCSystemTimerTest, HundredMsTimerOnThirtyMsPumpFiresOnFourthCallAndRestarts)
{
    FCSystem::AddTimer(7, 100, &listener);
    const std::vector<Ids> expected = {{}, {}, {}, {7}, {}, {}, {}, {7}};
    for (std::size_t call = 0; call < expected.size(); ++call)
    {
        EXPECT_EQ(Pump(30), expected[call]) << "pump " << call + 1;
    }
}

TEST_F(FCSystemTimerTest, TheTimerAfterTheLastFiredGoesFirst)
{
    FCSystem::AddTimer(1, 100, &listener);
    FCSystem::AddTimer(2, 10, &listener);
    FCSystem::AddTimer(3, 100, &listener);
    EXPECT_EQ(Pump(10), Ids{2});
    // Now all three are due; the scan starts after timer 2 and wraps.
    EXPECT_EQ(Pump(90), Ids{3});
    EXPECT_EQ(Pump(0), Ids{1});
    EXPECT_EQ(Pump(0), Ids{2});
    // Each was restarted when it fired; none is due now.
    EXPECT_EQ(Pump(0), Ids{});
}

TEST_F(FCSystemTimerTest, ClockWrapAroundCountsTheRealElapsedTime)
{
    clock.Set(0xFFFFFFF0u);
    FCSystem::UpdateTimers(); // empty list: only notes the time
    FCSystem::AddTimer(5, 50, &listener);
    EXPECT_EQ(Pump(40), Ids{}) << "the clock wrapped to 0x18; 40 ms have passed, not 4 billion";
    EXPECT_EQ(clock.GetMilliseconds(), 0x18u);
    EXPECT_EQ(Pump(9), Ids{});
    EXPECT_EQ(Pump(1), Ids{5});
}

TEST_F(FCSystemTimerTest, TimerAddedBeforeTheFirstPumpWaitsItsInterval)
{
    clock.Advance(100000); // long after the system object was made, with no pump since
    FCSystem::AddTimer(4, 500, &listener);
    EXPECT_EQ(Pump(0), Ids{});
    EXPECT_EQ(Pump(499), Ids{});
    EXPECT_EQ(Pump(1), Ids{4});
}

TEST_F(FCSystemTimerTest, TimerWithoutListenerStaysDueAndLetsOthersFire)
{
    FCSystem::AddTimer(1, 10, nullptr);
    FCSystem::AddTimer(2, 10, &listener);
    EXPECT_EQ(Pump(10), Ids{}); // timer 1's turn: nothing to call
    EXPECT_EQ(Pump(0), Ids{2});
    EXPECT_EQ(Pump(0), Ids{}); // timer 1 again, still due
    EXPECT_EQ(Pump(0), Ids{}); // timer 2 was restarted and is not due
    EXPECT_EQ(Pump(10), Ids{2});
}

TEST_F(FCSystemTimerTest, RemoveTakesFirstMatchAndKeepsTheOrder)
{
    FCSystem::AddTimer(1, 10, &listener);
    FCSystem::AddTimer(2, 10, &listener);
    FCSystem::AddTimer(1, 10, &listener);
    FCSystem::AddTimer(3, 10, &listener);
    EXPECT_FALSE(FCSystem::RemoveTimer(9));
    EXPECT_EQ(FCSystem::GetTimerCount(), 4u);
    EXPECT_TRUE(FCSystem::RemoveTimer(1));
    EXPECT_EQ(FCSystem::GetTimerCount(), 3u);
    EXPECT_EQ(Pump(10), Ids{2});
    EXPECT_EQ(Pump(0), Ids{1});
    EXPECT_EQ(Pump(0), Ids{3});
    EXPECT_TRUE(FCSystem::RemoveTimer(1));
    EXPECT_FALSE(FCSystem::RemoveTimer(1));
}

TEST_F(FCSystemTimerTest, TimerRemovedAndAddedAgainInsideItsOwnCallback)
{
    // The auto-repeat pattern: the first tick replaces the timer by a faster one.
    int ticks = 0;
    listener.action = [&](std::uint16_t id)
    {
        if (++ticks == 1)
        {
            EXPECT_TRUE(FCSystem::RemoveTimer(id));
            // Enough new records to move the list in memory.
            for (std::uint16_t extra = 100; extra < 120; ++extra)
            {
                FCSystem::AddTimer(extra, 60000, &listener);
            }
            FCSystem::AddTimer(id, 150, &listener);
        }
    };
    FCSystem::AddTimer(8100, 500, &listener);
    EXPECT_EQ(Pump(500), Ids{8100});
    EXPECT_EQ(FCSystem::GetTimerCount(), 21u);
    EXPECT_EQ(Pump(149), Ids{});
    EXPECT_EQ(Pump(1), Ids{8100});
}

TEST_F(FCSystemTimerTest, CallbackRemovingOtherTimersLeavesTheRestWorking)
{
    RecordingListener other;
    listener.action = [](std::uint16_t)
    {
        FCSystem::RemoveTimer(1);
        FCSystem::RemoveTimer(3);
    };
    FCSystem::AddTimer(1, 10, &other);
    FCSystem::AddTimer(2, 5, &listener);
    FCSystem::AddTimer(3, 10, &other);
    EXPECT_EQ(Pump(5), Ids{2});
    EXPECT_EQ(FCSystem::GetTimerCount(), 1u);
    EXPECT_EQ(Pump(5), Ids{2});
    EXPECT_TRUE(other.fired.empty());
}

TEST_F(FCSystemTimerTest, PumpPollsTheKeyboardAndRunsTimers)
{
    FakeKeyboard keyboard;
    FCSystem::AddTimer(1, 10, &listener);
    clock.Advance(10);
    EXPECT_FALSE(system.PumpMessages());
    EXPECT_EQ(keyboard.updateCount, 1);
    EXPECT_EQ(listener.fired, Ids{1});
    system.RequestQuit();
    EXPECT_TRUE(system.PumpMessages());
}

TEST_F(FCSystemTimerTest, NewSystemObjectStartsWithAnEmptyList)
{
    FCSystem::AddTimer(1, 10, &listener);
    {
        FakeSystem second;
        EXPECT_EQ(FCSystem::GetInstance(), &second);
        EXPECT_EQ(FCSystem::GetTimerCount(), 0u);
    }
    EXPECT_EQ(FCSystem::GetInstance(), nullptr);
}

TEST(FCSystemSuspendTest, EachDeviceIsSuspendedAndResumedOnceInOrder)
{
    FakeDevices devices;
    devices.system.Resume(); // not suspended: nothing
    devices.system.Suspend();
    devices.system.Suspend();
    EXPECT_TRUE(FCSystem::IsSuspended());
    devices.system.Resume();
    devices.system.Resume();
    EXPECT_FALSE(FCSystem::IsSuspended());

    const std::vector<std::string> expected = {"movie.Suspend",    "sound.SuspendAll",
                                               "keyboard.Suspend", "sound.ResumeAll",
                                               "movie.Resume",     "keyboard.Resume"};
    EXPECT_EQ(devices.journal, expected);
}

TEST(FCSystemSuspendTest, MissingDevicesAreSkipped)
{
    FakeSystem system;
    FakeKeyboard keyboard; // the only device present
    system.Suspend();
    system.Resume();
    EXPECT_EQ(keyboard.suspendCount, 1);
    EXPECT_EQ(keyboard.resumeCount, 1);
}

TEST(FCSystemDeviceTest, CreateAndDestroyInstallAndRemoveTheDevices)
{
    FakeSystem system;
    ASSERT_EQ(FCDisplayManager::GetInstance(), nullptr);
    ASSERT_TRUE(system.CreateDisplayManager());
    ASSERT_TRUE(system.CreateSoundManager());
    ASSERT_TRUE(system.CreatePrinter());
    EXPECT_NE(FCDisplayManager::GetBackBuffer(), nullptr);
    EXPECT_NE(FCSoundManager::GetInstance(), nullptr);
    EXPECT_EQ(FCPrinter::GetInstance()->GetPageSize(), FCPoint(5100, 6600));
    system.DestroySoundManager();
    EXPECT_EQ(FCSoundManager::GetInstance(), nullptr);

    system.createSucceeds = false;
    EXPECT_FALSE(system.CreateKeyboard());
    EXPECT_EQ(FCKeyboard::GetInstance(), nullptr);
}
