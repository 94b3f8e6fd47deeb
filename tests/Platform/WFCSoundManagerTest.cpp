#include "Platform/WFCSoundManager.h"
#include "Platform/WFCSystem.h"
#include "support/QuietLog.h"
#include "support/RecordingApp.h"
#include "support/TempFolder.h"

#include "Fc/Core/FCObject.h"
#include "Fc/Devices/FCSoundChannel.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
struct EndListener : FCObject
{
    void HandleMessage(std::int16_t messageId, void* data) override
    {
        ids.push_back(messageId);
        channels.push_back(*static_cast<FCSoundChannel**>(data));
        threads.push_back(std::this_thread::get_id());
    }
    std::vector<std::int16_t> ids;
    std::vector<FCSoundChannel*> channels;
    std::vector<std::thread::id> threads;
};

// A silent 16-bit mono WAV file of the given length.
std::vector<std::uint8_t> Wav(std::uint32_t milliseconds)
{
    const std::uint32_t rate = 22050;
    const std::uint32_t data = rate * milliseconds / 1000 * 2;
    const std::uint32_t words[] = {0x46464952, 36 + data, 0x45564157, 0x20746D66, 16,
                                   0x00010001, rate,      rate * 2,   0x00100002, 0x61746164,
                                   data};
    std::vector<std::uint8_t> bytes(sizeof words + data, 0);
    for (std::size_t i = 0; i < sizeof words; ++i)
        bytes[i] = static_cast<std::uint8_t>(words[i / 4] >> (8 * (i % 4)));
    return bytes;
}

class WFCSoundManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseDummySdlDrivers();
        folder.WriteFile("short.wav", Wav(40));
        // Longer than anything waits here: it can only end by being stopped.
        folder.WriteFile("long.wav", Wav(2000));
        ASSERT_TRUE(system.CreateSoundManager()) << FCSystem::GetLastErrorText();
        sound = FCSoundManager::GetInstance();
    }

    // Pumps the way the main loop does until the listener hears something or
    // the time is up.
    void PumpFor(std::uint32_t milliseconds)
    {
        const std::uint32_t end = SDL_GetTicks() + milliseconds;
        while (listener.ids.empty() && SDL_GetTicks() < end)
        {
            system.PumpMessages();
            SDL_Delay(5);
        }
    }

    QuietLog quiet;
    TempFolder folder;
    WFCSystem system;
    FCSoundManager* sound = nullptr;
    EndListener listener;
};

TEST_F(WFCSoundManagerTest, NaturalEndIsReportedOnTheMainThread)
{
    for (const std::int32_t channel : {7, 4})
    {
        listener.ids.clear();
        ASSERT_EQ(sound->PlayStream(folder.Join("short.wav"), channel, false, &listener, 64, 64),
                  channel);
        // Whether the short sound still plays depends on the audio thread;
        // its end, though, is reported only once the main thread pumps.
        EXPECT_TRUE(listener.ids.empty());
        PumpFor(3000);
        ASSERT_EQ(listener.ids, std::vector<std::int16_t>{16}) << "channel " << channel;
        EXPECT_EQ(listener.channels.back(), sound->GetChannel(channel));
        EXPECT_EQ(listener.threads.back(), std::this_thread::get_id());
        EXPECT_EQ(sound->GetChannel(channel)->GetStatus(), FCSoundChannel::kDone);
    }
}

TEST_F(WFCSoundManagerTest, StoppedReplacedOrForgottenSoundsReportNothing)
{
    sound->PlayStream(folder.Join("long.wav"), 7, false, &listener, 64, 64);
    sound->End(7);
    sound->PlayStream(folder.Join("long.wav"), 4, false, &listener, 64, 64);
    // The replaced sound's halt is noted, but under the old generation.
    sound->PlayStream(folder.Join("long.wav"), 4, false, &listener, 64, 64);
    EndListener gone;
    sound->PlayStream(folder.Join("short.wav"), 2, false, &gone, 64, 64);
    sound->RemoveListener(&gone);
    sound->PlayStream(folder.Join("long.wav"), 6, false, &listener, 64, 64);
    sound->Stop(6);
    PumpFor(400);
    EXPECT_TRUE(listener.ids.empty());
    EXPECT_TRUE(gone.ids.empty());
    EXPECT_EQ(sound->GetChannel(6)->GetStatus(), FCSoundChannel::kStopped);
}

TEST_F(WFCSoundManagerTest, SuspendedOrUnknownChannelsPlayNothing)
{
    EXPECT_EQ(sound->PlayStream(folder.Join("short.wav"), 8, false, nullptr, 64, 64), -2);
    EXPECT_EQ(sound->PlayStream(folder.Join("missing.wav"), 3, false, nullptr, 64, 64), 3);
    EXPECT_EQ(sound->GetChannel(3)->GetStatus(), FCSoundChannel::kFree);
    sound->PlayStream(folder.Join("short.wav"), 7, true, nullptr, 64, 64);
    sound->SuspendAll();
    EXPECT_EQ(sound->PlayStream(folder.Join("short.wav"), 1, false, nullptr, 64, 64), -2);
    EXPECT_FALSE(sound->IsPlaying(7));
    sound->ResumeAll();
    EXPECT_TRUE(sound->IsPlaying(7));
}

TEST_F(WFCSoundManagerTest, ShutDownWithASoundPlayingTellsNobody)
{
    sound->PlayStream(folder.Join("long.wav"), 7, false, &listener, 64, 64);
    system.DestroySoundManager();
    EXPECT_EQ(FCSoundManager::GetInstance(), nullptr);
    SDL_Delay(100);
    system.PumpMessages();
    EXPECT_TRUE(listener.ids.empty());
}
} // namespace
