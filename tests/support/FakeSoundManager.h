#pragma once

#include "Fc/Devices/FCSoundManager.h"
#include "support/FakeSoundChannel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A sound manager with eight fake channels that follows the rules callers
// rely on: -1 picks a free channel, nothing plays while suspended, resuming
// restarts only what was playing. Every request is recorded. Installed as
// the sound-manager instance for its lifetime.
class FakeSoundManager : public FCSoundManager
{
public:
    struct Request
    {
        std::string kind; // "sound", "file", "stream", "streamfile"
        std::string what; // the id in decimal, or the name
        std::int32_t channel = 0;
        bool loop = false;
        FCObject* listener = nullptr;
        std::int32_t volume = 0;
        std::int32_t pan = 0;
        std::int32_t result = 0;
    };

    bool StartUp() override { return startUpSucceeds; }
    std::int32_t PlaySoundFile(const std::string& name, const std::string& folder,
                               std::int32_t channel, bool loop, FCObject* listener,
                               std::int32_t volume, std::int32_t pan) override;
    std::int32_t PlaySound(std::uint16_t soundId, std::int32_t channel, bool loop,
                           FCObject* listener, std::int32_t volume, std::int32_t pan) override;
    std::int32_t PlayStream(const std::string& path, std::int32_t channel, bool loop,
                            FCObject* listener, std::int32_t volume, std::int32_t pan) override;
    std::int32_t PlayStreamFile(const std::string& name, const std::string& folder,
                                std::int32_t channel, bool loop, FCObject* listener,
                                std::int32_t volume, std::int32_t pan) override;
    void Stop(std::int32_t channel) override;
    void StopAll() override;
    void StopAllExcept(std::int32_t a, std::int32_t b, std::int32_t c) override;
    void End(std::int32_t channel) override;
    void Resume(std::int32_t channel) override;
    bool IsPlaying(std::int32_t channel) override;
    void SuspendAll() override;
    void ResumeAll() override;
    FCSoundChannel* GetChannel(std::int32_t channel) override { return Channel(channel); }
    std::uint32_t GetTimerHighestDelay() override { return 0; }
    void SetSoundPreference(std::uint32_t value) override { preferences.push_back(value); }
    void Serve() override { ++serveCount; }
    void RemoveListener(FCObject* listener) override;

    // Null outside 0 to 7.
    FakeSoundChannel* Channel(std::int32_t channel);
    bool IsSuspended() const { return suspended; }

    std::vector<Request> requests;
    std::vector<std::uint32_t> preferences;
    int serveCount = 0;
    bool startUpSucceeds = true;
    // When set, SuspendAll and ResumeAll are also written here as "sound.<call>".
    std::vector<std::string>* journal = nullptr;

private:
    // -1 becomes the last channel not playing; kNoChannel when none can play.
    std::int32_t PickChannel(std::int32_t channel);
    template <typename Play> std::int32_t Dispatch(Request request, Play play);

    std::array<FakeSoundChannel, kChannelCount> channels;
    std::array<std::int32_t, kChannelCount> savedStatus{};
    bool suspended = false;
};
