#pragma once

#include "Fc/Devices/FCMoviePlayer.h"

#include <cstdint>

// The movie player until movies can be decoded: every movie opens, shows one
// empty frame and is at its end, so its movie object reports the end on the
// next frame and the program goes on as after a skipped movie.
class WFCMoviePlayerBink : public FCMoviePlayer
{
public:
    bool StartUp() override { return true; }
    void Update() override {}
    void Suspend() override {}
    void Resume() override {}
    void Open(const std::string& name, FCMovie* movie, bool copyAll) override;
    void Close() override;
    void Pause(bool) override {}
    void CopyFrame(FCImageBuffer*, const FCPoint&, const FCRect&) override {}
    void CopyFrame(FCImageBuffer*) override {}
    void NextFrame() override {}
    void GotoEnd() override {}
    // Once after Open: the frame that carries the movie object to its end.
    bool DoFrameIfDue() override;
    bool IsAtEnd() override { return true; }
    bool IsPlaying() override { return false; }
    void InvalidateAt(const FCPoint&) override {}
    void SetPosition(const FCPoint&) override {}
    FCPoint GetSize() override { return FCPoint(0, 0); }

private:
    std::uint8_t frameDue = 0;
};
