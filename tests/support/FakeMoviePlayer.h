#pragma once

#include "Fc/Devices/FCMoviePlayer.h"
#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// A movie player over an imaginary movie of frameCount frames. A frame is
// due on every DoFrameIfDue while framesDue is set and the movie runs. Every call that changes
// state is recorded in `calls` ("Open intro.mov", "Pause 1", "NextFrame",
// ...). Installed as the movie-player instance for its lifetime.
class FakeMoviePlayer : public FCMoviePlayer
{
public:
    bool StartUp() override { return true; }
    void Update() override;
    void Suspend() override;
    void Resume() override;
    void Open(const std::string& name, FCMovie* movie, bool copyAll) override;
    void Close() override;
    void Pause(bool pause) override;
    void CopyFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip) override;
    void CopyFrame(FCImageBuffer* target) override;
    void NextFrame() override;
    void GotoEnd() override;
    bool DoFrameIfDue() override;
    bool IsAtEnd() override { return !isOpen || currentFrame >= frameCount; }
    bool IsPlaying() override { return isOpen && !paused && currentFrame < frameCount; }
    void InvalidateAt(const FCPoint& at) override;
    void SetPosition(const FCPoint&) override {}
    FCPoint GetSize() override { return isOpen ? frameSize : FCPoint(0, 0); }

    int Count(const std::string& call) const;

    // Names that fail to open, as a missing file would.
    std::set<std::string> missing;
    std::uint32_t frameCount = 3;
    FCPoint frameSize{320, 240};
    bool framesDue = true;

    bool isOpen = false;
    bool paused = false;
    bool copyAll = false;
    bool active = true;
    // 1 after opening, frameCount at the last frame.
    std::uint32_t currentFrame = 0;
    FCMovie* movie = nullptr;
    std::vector<std::string> calls;
    std::vector<FCPoint> invalidated;
    // When set, Suspend and Resume are also written here as "movie.<call>".
    std::vector<std::string>* journal = nullptr;
};
