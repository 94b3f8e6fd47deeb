#pragma once

#include "Fc/Core/FCFileSection.h"
#include "Fc/Devices/FCMoviePlayer.h"
#include "Platform/WFCMovieDecoder.h"
#include "Platform/WFCMovieSound.h"

#include <cstdint>
#include <string>
#include <vector>

// The movie player on FFmpeg: WebM movies from the Movies folder of the
// program's files, decoded to 5-6-5 when due by the movie clock. The clock
// is the sound the mixer has played while the movie's sound plays, and the
// program's clock otherwise (no sound manager, a silent movie, or after the
// sound ran out). A movie that is missing or cannot be played shows no
// picture and counts as ended: its movie object hears of the end on the
// update after the one that opened it.
class WFCMoviePlayerBink : public FCMoviePlayer
{
public:
    static constexpr const char* kFolder = "Movies";

    WFCMoviePlayerBink() = default;
    ~WFCMoviePlayerBink() override;

    // Always true: without a sound manager movies play without sound.
    bool StartUp() override { return true; }
    // Drives the open movie object; touches nothing after it returns, as its
    // listener may have closed or replaced the movie.
    void Update() override;
    void Suspend() override;
    void Resume() override;
    // name is a file of the Movies folder ("qelt.webm"); a name with a path
    // in it is refused.
    void Open(const std::string& name, FCMovie* movie, bool copyAll) override;
    void Close() override;
    void Pause(bool pause) override;
    // Writes the part of the frame at `at` inside both clip and the target,
    // into 16-bit targets only; also while paused.
    void CopyFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip) override;
    void CopyFrame(FCImageBuffer* target) override;
    void NextFrame() override;
    void GotoEnd() override;
    bool DoFrameIfDue() override;
    bool IsAtEnd() override { return !decoder.IsOpen() || atEnd; }
    bool IsPlaying() override { return decoder.IsOpen() && !paused && !atEnd; }
    // Frames are always copied whole, so the whole frame area is reported.
    void InvalidateAt(const FCPoint& at) override;
    void SetPosition(const FCPoint&) override {}
    FCPoint GetSize() override;
    void SetVolume(std::int32_t volume) override;

    // Frames passed since Open: shown, or skipped to keep up with the clock.
    std::uint32_t GetFrameNumber() const { return frameNumber; }
    // The movie's sound is being mixed (and is its clock).
    bool HasSound() const { return sound.IsStarted(); }
    // Milliseconds since the movie started, paused time not counted.
    std::int64_t GetMovieTime();

private:
    void Fail();
    void ShowNextFrame();
    void SwitchToProgramClock(std::int64_t at);

    WFCMovieDecoder decoder;
    WFCMovieSound sound;
    FCFileSection file;
    FCMovie* movie = nullptr;
    // Kept for a looping movie, which opens again at its end.
    std::string openName;
    // The shown frame in 5-6-5, rows framePitch pixels apart.
    std::vector<std::uint16_t> frame;
    std::int32_t framePitch = 0;
    std::uint32_t frameNumber = 0;
    // Program clock: the movie time at clockStart, where it counts from.
    std::int64_t clockBase = 0;
    std::uint32_t clockStart = 0;
    std::int64_t frameEnd = 0;
    std::int32_t volume = 64;
    bool soundClock = false;
    bool paused = false;
    bool copyAll = false;
    bool active = true;
    bool atEnd = false;
    bool frameWanted = false;
    // A movie that failed to open still gives its object one frame, so that
    // the object finds the end on its next update.
    bool failedFrameDue = false;
};
