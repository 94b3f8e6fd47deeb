#include "Platform/WFCMovieSound.h"

#include "Fc/Core/FCDebugLog.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>

namespace
{
// More than this waiting (seconds of sound) is dropped: a damaged movie
// with endless sound and no pictures must not fill the memory.
constexpr std::size_t kMaxQueuedSeconds = 4;
} // namespace

WFCMovieSound::~WFCMovieSound()
{
    Stop();
}

bool WFCMovieSound::Start()
{
    Stop();
    int rate = 0;
    int channels = 0;
    Uint16 sampleFormat = 0;
    if (Mix_QuerySpec(&rate, &sampleFormat, &channels) == 0)
        return false;
    if (sampleFormat != AUDIO_S16SYS && sampleFormat != AUDIO_F32SYS)
    {
        FC_LOG("Movie sound not played: mixer format %#x\n", sampleFormat);
        return false;
    }
    format.rate = rate;
    format.channels = channels;
    format.isFloat = sampleFormat == AUDIO_F32SYS;
    Clear();
    playedFrames = 0;
    paused = false;
    // Takes the mixer's lock, so the callback starts with a clean state.
    Mix_SetPostMix(&WFCMovieSound::Mix, this);
    started = true;
    return true;
}

void WFCMovieSound::Stop()
{
    if (!started)
        return;
    // Waits for a running callback: the mixer holds its lock while mixing.
    Mix_SetPostMix(nullptr, nullptr);
    started = false;
    Clear();
}

void WFCMovieSound::Push(const std::uint8_t* bytes, std::size_t count)
{
    const std::size_t limit = kMaxQueuedSeconds * static_cast<std::size_t>(format.rate) *
                              static_cast<std::size_t>(format.channels) * (format.isFloat ? 4 : 2);
    std::lock_guard<std::mutex> guard(lock);
    if (readAt > 0 && readAt >= queued.size() / 2)
    {
        queued.erase(queued.begin(), queued.begin() + static_cast<std::ptrdiff_t>(readAt));
        readAt = 0;
    }
    if (queued.size() - readAt + count > limit)
        return;
    queued.insert(queued.end(), bytes, bytes + count);
}

void WFCMovieSound::Clear()
{
    std::lock_guard<std::mutex> guard(lock);
    queued.clear();
    readAt = 0;
}

void WFCMovieSound::SetVolume(std::int32_t volume)
{
    gain = std::clamp(volume, 0, 127);
}

std::int64_t WFCMovieSound::GetPlayedMs() const
{
    return format.rate > 0 ? static_cast<std::int64_t>(playedFrames.load() * 1000 /
                                                       static_cast<std::uint64_t>(format.rate))
                           : 0;
}

std::size_t WFCMovieSound::GetQueuedBytes()
{
    std::lock_guard<std::mutex> guard(lock);
    return queued.size() - readAt;
}

void WFCMovieSound::Mix(void* self, std::uint8_t* stream, int length)
{
    if (length > 0)
        static_cast<WFCMovieSound*>(self)->MixInto(stream, static_cast<std::size_t>(length));
}

// Mixer thread: adds our samples to what the channels mixed.
void WFCMovieSound::MixInto(std::uint8_t* stream, std::size_t length)
{
    if (paused)
        return;
    const std::size_t sampleBytes = format.isFloat ? 4 : 2;
    const std::size_t frameBytes = sampleBytes * static_cast<std::size_t>(format.channels);
    const std::int32_t volume = gain;
    std::lock_guard<std::mutex> guard(lock);
    std::size_t count = std::min(length, queued.size() - readAt);
    count -= count % frameBytes;
    const std::uint8_t* from = queued.data() + readAt;
    if (format.isFloat)
    {
        const float scale = static_cast<float>(volume) / 127.0f;
        for (std::size_t i = 0; i < count; i += 4)
        {
            float mixed = 0;
            float ours = 0;
            std::memcpy(&mixed, stream + i, 4);
            std::memcpy(&ours, from + i, 4);
            mixed += ours * scale;
            std::memcpy(stream + i, &mixed, 4);
        }
    }
    else
    {
        for (std::size_t i = 0; i < count; i += 2)
        {
            std::int16_t mixed = 0;
            std::int16_t ours = 0;
            std::memcpy(&mixed, stream + i, 2);
            std::memcpy(&ours, from + i, 2);
            const std::int32_t sum =
                std::clamp<std::int32_t>(mixed + ours * volume / 127, -32768, 32767);
            mixed = static_cast<std::int16_t>(sum);
            std::memcpy(stream + i, &mixed, 2);
        }
    }
    readAt += count;
    playedFrames += count / frameBytes;
}
