#pragma once

#include "Fc/Devices/FCSoundChannel.h"

#include <cstdint>
#include <string>

class FCObject;

// A channel that keeps the state a real one would report, without sound.
// Sounds by id are looked up in the resource manager's table like the real
// channel does; an unknown id plays nothing.
class FakeSoundChannel : public FCSoundChannel
{
public:
    // Sent to a listener, with a pointer to the channel pointer, at the end.
    static constexpr std::int16_t kEndMessage = 16;

    void PlaySampleFile(const std::string& name, const std::string& folder, bool loop,
                        std::int32_t volume, std::int32_t pan, FCObject* listener) override;
    void PlaySound(std::uint16_t soundId, bool loop, std::int32_t volume, std::int32_t pan,
                   FCObject* listener) override;
    void OpenStream(const std::string& path, bool loop, std::int32_t volume, std::int32_t pan,
                    FCObject* listener) override;
    void OpenStreamFile(const std::string& name, const std::string& folder, bool loop,
                        std::int32_t volume, std::int32_t pan, FCObject* listener) override;
    void Pause() override;
    void End() override;
    void Resume() override;
    bool IsPlaying() override { return status == kPlaying; }
    std::int32_t GetStatus() override { return status; }

    // The sound runs out: done, and the listener is told.
    void Finish();

    std::int32_t GetVolume() const { return volume; }
    std::int32_t GetPan() const { return pan; }
    bool IsLooping() const { return loop != 0; }

    std::int32_t status = kFree;
    // What was last started: "sound <id>", "file <name>", "stream <path>".
    std::string playing;
    FCObject* endListener = nullptr;

private:
    void Start(std::string what, bool loop, std::int32_t volume, std::int32_t pan,
               FCObject* listener);
};
