#include "Platform/WFCMoviePlayerBink.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Devices/FCMovie.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCImageBuffer.h"

#include <algorithm>
#include <cstring>

namespace
{
// Sound decoded ahead of what the mixer has played.
constexpr std::int64_t kSoundAheadMs = 500;

FCRect FrameRect(const FCPoint& at, std::int32_t width, std::int32_t height)
{
    return FCRect(at.x, at.y, FCRect::Saturate(std::int64_t{at.x} + width),
                  FCRect::Saturate(std::int64_t{at.y} + height));
}
} // namespace

WFCMoviePlayerBink::~WFCMoviePlayerBink()
{
    Close();
}

void WFCMoviePlayerBink::Update()
{
    // Last: the movie's listener may close or replace the movie.
    if (FCMovie* current = movie)
        current->Update();
}

void WFCMoviePlayerBink::Suspend()
{
    if (!active)
        return;
    active = false;
    if (movie)
        movie->Suspend();
}

void WFCMoviePlayerBink::Resume()
{
    if (active)
        return;
    active = true;
    if (movie)
        movie->Resume();
}

void WFCMoviePlayerBink::Open(const std::string& name, FCMovie* movieObject, bool copyAllFrames)
{
    Close();
    movie = movieObject;
    openName = name;
    copyAll = copyAllFrames;
    frameWanted = true;
    FCFileSystem* files = FCFileSystem::GetInstance();
    if (name.empty() || name.find_first_of("/\\") != std::string::npos)
    {
        FC_LOG("Movie name refused: %s\n", name.c_str());
        Fail();
        return;
    }
    if (!files || !files->Open(file, name, kFolder))
    {
        FC_LOG("Movie not found: %s\n", name.c_str());
        Fail();
        return;
    }
    const bool withSound = FCSoundManager::GetInstance() != nullptr && sound.Start();
    WFCMovieDecoder::SoundSink sink;
    if (withSound)
        sink = [this](const std::uint8_t* bytes, std::size_t count) { sound.Push(bytes, count); };
    if (!decoder.Open(file, withSound ? &sound.GetFormat() : nullptr, std::move(sink)))
    {
        FC_LOG("Movie cannot be played: %s\n", name.c_str());
        Fail();
        return;
    }
    if (!decoder.HasSound())
        sound.Stop();
    sound.SetVolume(volume);
    framePitch = (decoder.GetWidth() + 63) & ~31;
    frame.assign(static_cast<std::size_t>(framePitch) * decoder.GetHeight(), 0);
    soundClock = sound.IsStarted();
    clockBase = 0;
    clockStart = FCClock::Now();
    if (soundClock)
        decoder.ReadSoundAhead(kSoundAheadMs);
}

void WFCMoviePlayerBink::Fail()
{
    decoder.Close();
    sound.Stop();
    file.Close();
    frame.clear();
    failedFrameDue = true;
}

void WFCMoviePlayerBink::Close()
{
    decoder.Close();
    sound.Stop();
    file.Close();
    frame.clear();
    movie = nullptr;
    frameNumber = 0;
    frameEnd = 0;
    soundClock = false;
    paused = false;
    atEnd = false;
    frameWanted = false;
    failedFrameDue = false;
}

void WFCMoviePlayerBink::Pause(bool pause)
{
    if (!decoder.IsOpen() || pause == paused)
        return;
    if (pause)
        clockBase = GetMovieTime();
    else
        clockStart = FCClock::Now();
    paused = pause;
    sound.SetPaused(pause);
}

std::int64_t WFCMoviePlayerBink::GetMovieTime()
{
    if (soundClock)
    {
        const std::int64_t played = sound.GetPlayedMs();
        decoder.ReadSoundAhead(played + kSoundAheadMs);
        if (sound.GetQueuedBytes() > 0 || !decoder.IsSoundStalled())
            return played;
        // The sound ran out before the pictures: time goes on without it.
        SwitchToProgramClock(played);
    }
    if (paused)
        return clockBase;
    return clockBase + static_cast<std::uint32_t>(FCClock::Now() - clockStart);
}

void WFCMoviePlayerBink::SwitchToProgramClock(std::int64_t at)
{
    soundClock = false;
    clockBase = at;
    clockStart = FCClock::Now();
}

bool WFCMoviePlayerBink::DoFrameIfDue()
{
    if (failedFrameDue)
    {
        failedFrameDue = false;
        return true;
    }
    if (!decoder.IsOpen() || paused || atEnd || !frameWanted)
        return false;
    const std::int64_t now = GetMovieTime();
    // Frames that are over before they could be shown are skipped unseen,
    // so a slow machine keeps up with the sound.
    while (frameNumber > 0 && decoder.HasFrame() &&
           decoder.GetFrameTime() + decoder.GetFrameDuration() <= now)
    {
        ++frameNumber;
        frameEnd = decoder.GetFrameTime() + decoder.GetFrameDuration();
        decoder.DecodeNextFrame();
    }
    if (!decoder.HasFrame())
    {
        if (now < frameEnd)
            return false;
        // The last frame has had its time: the frame that shows the end.
        atEnd = true;
        frameWanted = false;
        sound.Clear();
        return true;
    }
    if (decoder.GetFrameTime() > now)
        return false;
    decoder.ConvertFrame(frame.data(), framePitch * 2);
    ++frameNumber;
    frameEnd = decoder.GetFrameTime() + decoder.GetFrameDuration();
    frameWanted = false;
    decoder.DecodeNextFrame();
    return true;
}

void WFCMoviePlayerBink::NextFrame()
{
    if (!decoder.IsOpen())
        return;
    if (atEnd)
    {
        // Only a looping movie asks past its end: it starts again.
        FCMovie* looping = movie;
        const std::string name = openName;
        Open(name, looping, copyAll);
        return;
    }
    frameWanted = true;
}

void WFCMoviePlayerBink::GotoEnd()
{
    if (!decoder.IsOpen())
        return;
    atEnd = true;
    frameWanted = false;
    sound.Clear();
}

void WFCMoviePlayerBink::CopyFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip)
{
    if (!target || !decoder.IsOpen() || frameNumber == 0 || target->GetFormat().bitsPerPixel != 16)
        return;
    const std::int32_t width = decoder.GetWidth();
    FCRect visible;
    if (!visible.Intersect(FrameRect(at, width, decoder.GetHeight()), clip) ||
        !visible.Intersect(visible, target->GetBounds()))
        return;
    std::uint8_t* pixels = target->Lock();
    if (!pixels)
        return;
    const bool to555 = target->GetFormat() == FCFormat555;
    const auto count = static_cast<std::size_t>(visible.Width());
    for (std::int32_t y = visible.top; y < visible.bottom; ++y)
    {
        const std::uint16_t* from = frame.data() + (std::int64_t{y} - at.y) * framePitch +
                                    (std::int64_t{visible.left} - at.x);
        std::uint8_t* to =
            pixels + std::int64_t{y} * target->GetPitch() + std::int64_t{visible.left} * 2;
        if (!to555)
        {
            std::memcpy(to, from, count * 2);
            continue;
        }
        for (std::size_t i = 0; i < count; ++i)
        {
            const auto pixel =
                static_cast<std::uint16_t>(((from[i] & 0xFFC0) >> 1) | (from[i] & 0x1F));
            std::memcpy(to + i * 2, &pixel, 2);
        }
    }
    target->Unlock();
}

void WFCMoviePlayerBink::CopyFrame(FCImageBuffer* target)
{
    if (target)
        CopyFrame(target, FCPoint(0, 0), target->GetBounds());
}

void WFCMoviePlayerBink::InvalidateAt(const FCPoint& at)
{
    if (decoder.IsOpen())
        FCDisplayPageStack::Invalidate(FrameRect(at, decoder.GetWidth(), decoder.GetHeight()));
}

FCPoint WFCMoviePlayerBink::GetSize()
{
    return decoder.IsOpen() ? FCPoint(decoder.GetWidth(), decoder.GetHeight()) : FCPoint(0, 0);
}

void WFCMoviePlayerBink::SetVolume(std::int32_t newVolume)
{
    volume = std::clamp(newVolume, 0, 127);
    sound.SetVolume(volume);
}
