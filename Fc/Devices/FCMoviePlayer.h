#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <string>

class FCImageBuffer;
class FCMovie;
struct FCRect;

// The movie device: one movie open at a time, driven by the FCMovie that
// opened it. The platform layer supplies the concrete class.
class FCMoviePlayer
{
public:
    // Becomes the movie-player instance; the destructor clears it.
    FCMoviePlayer();
    virtual ~FCMoviePlayer();
    FCMoviePlayer(const FCMoviePlayer&) = delete;
    FCMoviePlayer& operator=(const FCMoviePlayer&) = delete;

    static FCMoviePlayer* GetInstance();

    virtual bool StartUp() = 0;
    // Called on every pass of the message pump.
    virtual void Update() = 0;
    // Application focus lost and regained; passed on to the open movie.
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    // copyAll: every frame is copied whole rather than only its changes.
    virtual void Open(const std::string& name, FCMovie* movie, bool copyAll) = 0;
    virtual void Close() = 0;
    virtual void Pause(bool pause) = 0;
    virtual void CopyFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip) = 0;
    // Copies the frame to the top-left corner of the target, unclipped.
    virtual void CopyFrame(FCImageBuffer* target) = 0;
    virtual void NextFrame() = 0;
    virtual void GotoEnd() = 0;
    // True when a new frame was decoded by this call.
    virtual bool DoFrameIfDue() = 0;
    // True when no movie is open or the last frame is current.
    virtual bool IsAtEnd() = 0;
    virtual bool IsPlaying() = 0;
    // Reports the frame's screen area at the point into the current page.
    virtual void InvalidateAt(const FCPoint& at) = 0;
    virtual void SetPosition(const FCPoint& at) = 0;
    // The frame size; (0, 0) without a movie.
    virtual FCPoint GetSize() = 0;
    // The movie's sound, 0 to 127 as every other sound; a player without
    // sound ignores it.
    virtual void SetVolume(std::int32_t) {}
};
