#include "Fc/Devices/FCMovie.h"

#include "Fc/Devices/FCMoviePlayer.h"
#include "Fc/Core/FCObject.h"

namespace
{
// The movie object the player was last opened for; only it may drive or
// close the player.
FCMovie* playerOwner = nullptr;

// The player, but only for the movie object it plays.
FCMoviePlayer* PlayerFor(const FCMovie* movie)
{
    return playerOwner == movie ? FCMoviePlayer::GetInstance() : nullptr;
}
} // namespace

FCMovie::FCMovie(const FCMovie& other) : loop(other.loop), closeAtEnd(other.closeAtEnd) {}

FCMovie::~FCMovie()
{
    Close();
}

void FCMovie::Open(const std::string& name, bool copyAll)
{
    if (FCMoviePlayer* player = FCMoviePlayer::GetInstance())
    {
        player->Open(name, this, copyAll);
        playerOwner = this;
    }
    paused = 0;
    frameShown = 0;
    hasFrame = 0;
    loop = 0;
    // A resume left over from an earlier movie must not skip this one.
    resumePending = 0;
    SetPosition(GetPosition());
    Update();
}

void FCMovie::Close()
{
    OnStop();
    FCMoviePlayer* player = PlayerFor(this);
    if (playerOwner == this)
    {
        playerOwner = nullptr;
    }
    if (player != nullptr)
    {
        player->Close();
    }
}

void FCMovie::SkipToEnd()
{
    FCMoviePlayer* player = PlayerFor(this);
    if (player == nullptr || player->IsAtEnd())
    {
        return;
    }
    if (closeAtEnd != 0)
    {
        Close();
    }
    else
    {
        OnStop();
        player->GotoEnd();
        SetPaused(true);
    }
    NotifyEnd();
}

void FCMovie::SetPaused(bool pause)
{
    const std::uint8_t wanted = pause ? 1 : 0;
    if (wanted == paused)
    {
        return;
    }
    paused = wanted;
    if (FCMoviePlayer* player = PlayerFor(this))
    {
        player->Pause(pause);
    }
}

void FCMovie::Suspend()
{
    pausedBeforeSuspend = paused;
    SetPaused(true);
}

void FCMovie::Resume()
{
    if (pausedBeforeSuspend == 0)
    {
        resumePending = 1;
    }
}

void FCMovie::DrawFrame(FCImageBuffer* target, const FCPoint& at, const FCRect& clip)
{
    FCMoviePlayer* player = PlayerFor(this);
    if (hasFrame != 0 && player != nullptr && target != nullptr)
    {
        player->CopyFrame(target, at, clip);
    }
}

void FCMovie::OnStop() {}

void FCMovie::Update()
{
    FCMoviePlayer* player = PlayerFor(this);
    if (resumePending != 0)
    {
        // Focus came back: the movie goes on where it was.
        resumePending = 0;
        SetPaused(false);
    }
    if (frameShown != 0)
    {
        frameShown = 0;
        if (loop == 0 && player != nullptr && player->IsAtEnd())
        {
            if (closeAtEnd != 0)
            {
                Close();
            }
            else
            {
                SetPaused(true);
            }
            NotifyEnd();
            return;
        }
        if (player != nullptr)
        {
            player->NextFrame();
        }
    }
    if (player != nullptr && player->DoFrameIfDue())
    {
        player->InvalidateAt(GetPosition());
        frameShown = 1;
        hasFrame = 1;
    }
}

FCPoint FCMovie::GetPosition()
{
    return FCPoint(0, 0);
}

void FCMovie::SetPosition(const FCPoint& at)
{
    if (FCMoviePlayer* player = FCMoviePlayer::GetInstance())
    {
        player->SetPosition(at);
    }
}

FCPoint FCMovie::GetSize() const
{
    FCMoviePlayer* player = FCMoviePlayer::GetInstance();
    return player != nullptr ? player->GetSize() : FCPoint(0, 0);
}

// Last thing every caller does: the listener may close or delete this movie.
void FCMovie::NotifyEnd()
{
    if (listener != nullptr)
    {
        listener->HandleMessage(kEndMessage, nullptr);
    }
}
