#include "support/FakeMoviePlayer.h"

#include "Fc/Devices/FCMovie.h"

#include <algorithm>

void FakeMoviePlayer::Update()
{
    if (movie != nullptr)
    {
        movie->Update();
    }
}

void FakeMoviePlayer::Suspend()
{
    calls.push_back("Suspend");
    if (journal != nullptr)
    {
        journal->push_back("movie.Suspend");
    }
    if (active)
    {
        active = false;
        if (movie != nullptr)
        {
            movie->Suspend();
        }
    }
}

void FakeMoviePlayer::Resume()
{
    calls.push_back("Resume");
    if (journal != nullptr)
    {
        journal->push_back("movie.Resume");
    }
    if (!active)
    {
        active = true;
        if (movie != nullptr)
        {
            movie->Resume();
        }
    }
}

void FakeMoviePlayer::Open(const std::string& name, FCMovie* owner, bool copyEverything)
{
    calls.push_back("Open " + name);
    isOpen = missing.count(name) == 0;
    currentFrame = isOpen ? 1 : 0;
    movie = owner;
    copyAll = copyEverything;
    paused = false;
}

void FakeMoviePlayer::Close()
{
    calls.push_back("Close");
    isOpen = false;
    movie = nullptr;
}

void FakeMoviePlayer::Pause(bool pause)
{
    calls.push_back(pause ? "Pause 1" : "Pause 0");
    if (isOpen)
    {
        paused = pause;
    }
}

void FakeMoviePlayer::CopyFrame(FCImageBuffer*, const FCPoint& at, const FCRect&)
{
    calls.push_back("CopyFrame " + std::to_string(at.x) + "," + std::to_string(at.y));
}

void FakeMoviePlayer::CopyFrame(FCImageBuffer*)
{
    calls.push_back("CopyFrame");
}

void FakeMoviePlayer::NextFrame()
{
    calls.push_back("NextFrame");
    if (isOpen)
    {
        currentFrame = std::min(currentFrame + 1, frameCount);
    }
}

void FakeMoviePlayer::GotoEnd()
{
    calls.push_back("GotoEnd");
    if (isOpen)
    {
        currentFrame = frameCount;
    }
}

bool FakeMoviePlayer::DoFrameIfDue()
{
    return isOpen && framesDue && !paused && active;
}

void FakeMoviePlayer::InvalidateAt(const FCPoint& at)
{
    invalidated.push_back(at);
}

int FakeMoviePlayer::Count(const std::string& call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}
