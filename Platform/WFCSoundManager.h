#pragma once

#include "Fc/Devices/FCSoundManager.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class WFCSoundChannel;

// Sound on SDL_mixer: eight channels numbered 0 to 7, music on channel 7.
// The mixer calls back on its own thread when a sound ends; the callbacks
// only queue {channel, generation}, and DeliverEnds (run by the message pump)
// tells the listeners on the main thread.
class WFCSoundManager : public FCSoundManager
{
public:
    WFCSoundManager() = default;
    // Clears every listener and stops every channel before anything is
    // released, so no end is reported into a half-closed program.
    ~WFCSoundManager() override;

    // Opens the audio device; false (with the last-error text) when there is
    // none, and the program goes on without sound.
    bool StartUp() override;
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
    // Stop pauses; a stopped sound never ends, so it never reports.
    void Stop(std::int32_t channel) override;
    void StopAll() override;
    void StopAllExcept(std::int32_t a, std::int32_t b, std::int32_t c) override;
    void End(std::int32_t channel) override;
    void Resume(std::int32_t channel) override;
    bool IsPlaying(std::int32_t channel) override;
    // Pauses what plays and remembers it; ResumeAll restarts only that.
    void SuspendAll() override;
    void ResumeAll() override;
    FCSoundChannel* GetChannel(std::int32_t channel) override;
    // The mixer services itself on its own thread: it has no timer delay,
    // no preferences and nothing to serve.
    std::uint32_t GetTimerHighestDelay() override { return 0; }
    void SetSoundPreference(std::uint32_t) override {}
    void Serve() override {}
    void RemoveListener(FCObject* listener) override;

    // Main thread: tells each listener whose sound ran out since the last call.
    void DeliverEnds();

private:
    struct ChannelRecord
    {
        WFCSoundChannel* channel = nullptr;
        std::uint16_t number = 0;
        std::uint16_t savedStatus = 3;
    };
    struct EndNote
    {
        std::int32_t channel = 0;
        std::uint32_t generation = 0;
    };

    static void OnChannelFinished(int channel);
    static void OnMusicFinished();
    void Note(std::int32_t channel);
    // The channel record of a play request (kAnyChannel: a free one); null
    // when nothing may play.
    WFCSoundChannel* ChannelFor(std::int32_t& channel);

    std::vector<ChannelRecord> channels;
    std::mutex endLock;
    std::vector<EndNote> endNotes;
    std::uint8_t audioOpen = 0;
    std::uint8_t suspended = 0;
};
