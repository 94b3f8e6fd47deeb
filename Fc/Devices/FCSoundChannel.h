#pragma once

#include "Fc/Core/FCSoundStreamFile.h"

#include <cstdint>
#include <string>

class FCObject;
class FCSoundSample;

// One of the sound manager's numbered channels: plays one sample or one
// stream at a time. The platform layer supplies the concrete class.
class FCSoundChannel
{
public:
    enum Status : std::int32_t
    {
        kPlaying = 0,
        kStopped = 1,
        kDone = 2,
        kFree = 3,
        kPlayingReleased = 4,
    };

    FCSoundChannel() = default;
    virtual ~FCSoundChannel();
    FCSoundChannel(const FCSoundChannel&) = delete;
    FCSoundChannel& operator=(const FCSoundChannel&) = delete;

    virtual void PlaySampleFile(const std::string& name, const std::string& folder, bool loop,
                                std::int32_t volume, std::int32_t pan, FCObject* listener) = 0;
    virtual void PlaySound(std::uint16_t soundId, bool loop, std::int32_t volume, std::int32_t pan,
                           FCObject* listener) = 0;
    virtual void OpenStream(const std::string& path, bool loop, std::int32_t volume,
                            std::int32_t pan, FCObject* listener) = 0;
    virtual void OpenStreamFile(const std::string& name, const std::string& folder, bool loop,
                                std::int32_t volume, std::int32_t pan, FCObject* listener) = 0;
    virtual void Pause() = 0;
    virtual void End() = 0;
    virtual void Resume() = 0;
    virtual bool IsPlaying() = 0;
    virtual std::int32_t GetStatus() = 0;

    FCSoundSample* GetSample() const { return sample; }

    // The sample stored under the id in the resource manager's sound table;
    // null (and logged) when the id is unknown or no resource manager exists,
    // so that a channel plays nothing rather than an empty or stale sample.
    static FCSoundSample* FindSample(std::uint16_t soundId);

protected:
    // Takes a reference to the new sample and drops the one to the old.
    void SetSample(FCSoundSample* newSample);

    FCSoundSample* sample = nullptr;
    FCSoundStreamFile streamFile;
    std::int32_t volume = 64;
    std::int32_t pan = 64;
    std::uint8_t loop = 0;
};
