#pragma once

#include "Fc/Graphics/FCPoint.h"

#include <cstdint>
#include <string>

class FCImageBuffer;
class FCObject;
struct FCRect;

// Playback state of one movie on screen, driven once per frame by its owner
// through the movie player. Every operation is harmless without a player,
// and only the movie object the player was last opened for can drive it.
class FCMovie
{
public:
    // Sent to the listener (HandleMessage, no data) when the movie ends.
    static constexpr std::int16_t kEndMessage = 25;

    FCMovie() = default;
    // A copy (a clone of a prototype) takes the settings, not the playback.
    FCMovie(const FCMovie& other);
    FCMovie& operator=(const FCMovie&) = delete;
    // Closes the movie when it is the one open in the player.
    virtual ~FCMovie();

    // Opens the movie in the player for this object and shows its first
    // frame when one is due. Clears the pause and loop settings.
    void Open(const std::string& name, bool copyAll);
    // Stops this movie; the player is closed only while it plays this movie,
    // so closing one movie object never ends another's playback.
    void Close();
    // Jumps to the end as if the movie had played out, and tells the listener.
    void SkipToEnd();
    void SetPaused(bool pause);
    // Focus lost: pause, remembering whether the movie was already paused.
    void Suspend();
    // Focus regained: a movie that was running goes on from where it was at
    // the next Update.
    void Resume();
    // Not owned; told of the end.
    void SetListener(FCObject* object) { listener = object; }
    void SetLoop(bool on) { loop = on ? 1 : 0; }
    void SetCloseAtEnd(bool on) { closeAtEnd = on ? 1 : 0; }

    bool IsPaused() const { return paused != 0; }
    bool HasFrame() const { return hasFrame != 0; }
    bool IsLooping() const { return loop != 0; }
    bool ClosesAtEnd() const { return closeAtEnd != 0; }

    virtual void DrawFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip);
    virtual void OnStop();
    // The per-frame work: advance, detect the end, decode the next frame.
    virtual void Update();
    virtual FCPoint GetPosition();
    virtual void SetPosition(const FCPoint& at);
    virtual FCPoint GetSize() const;

private:
    void NotifyEnd();

    std::uint8_t frameShown = 0;
    std::uint8_t hasFrame = 0;
    std::uint8_t loop = 0;
    std::uint8_t paused = 0;
    std::uint8_t pausedBeforeSuspend = 0;
    std::uint8_t closeAtEnd = 0;
    FCObject* listener = nullptr;
    std::uint8_t resumePending = 0;
};
