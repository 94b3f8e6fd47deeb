#pragma once

#include "Fc/Devices/FCSoundChannel.h"

#include <atomic>
#include <cstdint>
#include <string>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

// One of the eight channels on SDL_mixer. Everything plays from memory as a
// mixer chunk on the mixer channel of the same number, except streams on the
// music channel, which go through the mixer's one music stream.
//
// Every halt or replacement of the sound gives the channel a new generation.
// The mixer's end callbacks only note the generation they ended; the sound
// manager hands the note back on the main thread, and the listener hears of
// the end only when the generation is still the current one, so a sound that
// was stopped or replaced never reports.
class WFCSoundChannel : public FCSoundChannel
{
public:
    static constexpr std::int32_t kMusicChannel = 7;
    // Sent to the listener, with a pointer to the channel pointer.
    static constexpr std::int16_t kEndMessage = 16;

    explicit WFCSoundChannel(std::int32_t number);
    ~WFCSoundChannel() override;

    void PlaySampleFile(const std::string& name, const std::string& folder, bool loop,
                        std::int32_t volume, std::int32_t pan, FCObject* listener) override;
    void PlaySound(std::uint16_t soundId, bool loop, std::int32_t volume, std::int32_t pan,
                   FCObject* listener) override;
    // A host or program path; read by the mixer as it plays on the music
    // channel, loaded whole elsewhere.
    void OpenStream(const std::string& path, bool loop, std::int32_t volume, std::int32_t pan,
                    FCObject* listener) override;
    // A file of the resource folders, read into memory first.
    void OpenStreamFile(const std::string& name, const std::string& folder, bool loop,
                        std::int32_t volume, std::int32_t pan, FCObject* listener) override;
    // Holds the sound where it is; Resume goes on from there.
    void Pause() override;
    // Stops the sound for good; its listener is not told.
    void End() override;
    void Resume() override;
    bool IsPlaying() override { return GetStatus() == kPlaying; }
    std::int32_t GetStatus() override;

    // Read by the mixer's callbacks on the audio thread.
    std::uint32_t GetGeneration() const { return generation.load(); }
    // Main thread: a sound of this generation ran out.
    void OnEnded(std::uint32_t endedGeneration);
    void RemoveListener(FCObject* gone);
    // Stops the sound and forgets it and its listener; nothing is reported.
    void Halt();

    std::int32_t GetNumber() const { return number; }

private:
    enum Kind : std::uint16_t
    {
        kSample = 0,
        kStream = 1,
        kNothing = 2,
    };

    void PlayLoaded(bool loop, std::int32_t volume, std::int32_t pan, FCObject* listener);
    // The current sample loaded as LoadFromSample does and played as
    // newKind; a sample that does not load leaves the channel halted.
    void PlaySample(bool asStream, Kind newKind, bool loop, std::int32_t volume, std::int32_t pan,
                    FCObject* listener);
    // Makes name in folder the sample; none when it cannot be read.
    void SetSampleFromFile(const std::string& name, const std::string& folder);
    // The sample's bytes as a chunk, or as the music stream on the music
    // channel when asStream is set.
    bool LoadFromSample(bool asStream);
    bool UsesMusic() const { return music != nullptr; }

    std::int32_t number = 0;
    std::uint16_t kind = kNothing;
    // Set by End: the channel reports done rather than free.
    std::uint8_t ended = 0;
    Mix_Chunk* chunk = nullptr;
    Mix_Music* music = nullptr;
    FCObject* listener = nullptr;
    std::atomic<std::uint32_t> generation{0};
};
