#pragma once

#include <cstdint>
#include <string>

class FCObject;
class FCSoundChannel;

// The sound device: eight numbered channels playing samples of the asset
// index, sound files and streams. The platform layer supplies the concrete
// class; everything else reaches it through GetInstance, which is null when
// sound failed to start, so every caller tests it first.
class FCSoundManager
{
public:
    static constexpr std::int32_t kAnyChannel = -1;
    // What a play operation answers when nothing was played.
    static constexpr std::int32_t kNoChannel = -2;
    static constexpr std::int32_t kChannelCount = 8;
    static constexpr std::int32_t kMiddleVolume = 64;
    static constexpr std::int32_t kMiddlePan = 64;

    // Becomes the sound-manager instance; the destructor clears it.
    FCSoundManager();
    virtual ~FCSoundManager();
    FCSoundManager(const FCSoundManager&) = delete;
    FCSoundManager& operator=(const FCSoundManager&) = delete;

    static FCSoundManager* GetInstance();

    virtual bool StartUp() = 0;
    // The play operations answer the channel used (channel kAnyChannel picks
    // a free one) or kNoChannel. A listener receives HandleMessage(16, pointer
    // to the channel pointer) when the sound ends.
    virtual std::int32_t PlaySoundFile(const std::string& name, const std::string& folder,
                                       std::int32_t channel, bool loop, FCObject* listener,
                                       std::int32_t volume, std::int32_t pan) = 0;
    virtual std::int32_t PlaySound(std::uint16_t soundId, std::int32_t channel, bool loop,
                                   FCObject* listener, std::int32_t volume, std::int32_t pan) = 0;
    virtual std::int32_t PlayStream(const std::string& path, std::int32_t channel, bool loop,
                                    FCObject* listener, std::int32_t volume, std::int32_t pan) = 0;
    virtual std::int32_t PlayStreamFile(const std::string& name, const std::string& folder,
                                        std::int32_t channel, bool loop, FCObject* listener,
                                        std::int32_t volume, std::int32_t pan) = 0;
    virtual void Stop(std::int32_t channel) = 0;
    virtual void StopAll() = 0;
    virtual void StopAllExcept(std::int32_t a, std::int32_t b, std::int32_t c) = 0;
    virtual void End(std::int32_t channel) = 0;
    virtual void Resume(std::int32_t channel) = 0;
    virtual bool IsPlaying(std::int32_t channel) = 0;
    virtual void SuspendAll() = 0;
    virtual void ResumeAll() = 0;
    // Null for a channel number outside 0 to 7.
    virtual FCSoundChannel* GetChannel(std::int32_t channel) = 0;
    virtual std::uint32_t GetTimerHighestDelay() = 0;
    // Long loads raise it (24 for pictures, 32 for screens) and set 0 after.
    virtual void SetSoundPreference(std::uint32_t value) = 0;
    virtual void Serve() = 0;
    // A listener that goes away calls this first, so that no end of a sound
    // is ever reported to it.
    virtual void RemoveListener(FCObject* listener) = 0;
};
