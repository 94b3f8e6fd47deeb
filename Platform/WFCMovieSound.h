#pragma once

#include "Platform/WFCMovieDecoder.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// A movie's sound, mixed into SDL_mixer's output after the eight channels.
// The main thread pushes decoded samples; the mixer's thread takes them and
// counts what it took, which is the movie's audio clock.
class WFCMovieSound
{
public:
    WFCMovieSound() = default;
    // Stops feeding the mixer first.
    ~WFCMovieSound();
    WFCMovieSound(const WFCMovieSound&) = delete;
    WFCMovieSound& operator=(const WFCMovieSound&) = delete;

    // Starts mixing when the mixer is open and its format is 16-bit or float;
    // false otherwise (the movie then plays without sound).
    bool Start();
    // After it returns the mixer never calls back into this object.
    void Stop();
    bool IsStarted() const { return started; }
    const WFCMovieDecoder::SoundFormat& GetFormat() const { return format; }

    void Push(const std::uint8_t* bytes, std::size_t count);
    // Drops what waits, so that the sound stops at once.
    void Clear();
    void SetPaused(bool pause) { paused = pause; }
    // 0 to 127, as every other sound.
    void SetVolume(std::int32_t volume);

    std::int64_t GetPlayedMs() const;
    std::size_t GetQueuedBytes();

private:
    static void Mix(void* self, std::uint8_t* stream, int length);
    void MixInto(std::uint8_t* stream, std::size_t length);

    WFCMovieDecoder::SoundFormat format;
    std::mutex lock;
    std::vector<std::uint8_t> queued;
    std::size_t readAt = 0;
    std::atomic<std::uint64_t> playedFrames{0};
    std::atomic<bool> paused{false};
    std::atomic<std::int32_t> gain{64};
    bool started = false;
};
