#include "Vel_ui/Vel_UIMovieWindow.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Devices/FCMovie.h"
#include "Ui/UIMessages.h"
#include "Ui/UIMovie.h"
#include "Ui/UIMovieControl.h"

#include <iterator>

FC_REGISTER_CLASS(Vel_UIMovieWindow);

namespace
{
// The chain: each movie's file; the logo leads to the intro, the intro to
// the game data.
constexpr const char* kMovieFiles[] = {"qelt.webm", "fluid.webm"};

std::uint32_t FrameNow(const void* data)
{
    // A frame's record starts with the application time.
    return data ? *static_cast<const std::uint32_t*>(data) : VelClient::Now();
}
} // namespace

Vel_UIMovieWindow::Vel_UIMovieWindow() : startTime(VelClient::Now()) {}

Vel_UIMovieWindow::Vel_UIMovieWindow(const Vel_UIMovieWindow& other)
    : UIWindow(other), VelScreenMode(other), startTime(VelClient::Now())
{
    // The copy's own child, found again by id.
    if (other.movieControl)
        movieControl = dynamic_cast<UIMovieControl*>(FindChild(kMovieControlId));
}

Vel_UIMovieWindow::~Vel_UIMovieWindow() = default;

std::string Vel_UIMovieWindow::GetClassName() const { return "Vel_UIMovieWindow"; }
std::string Vel_UIMovieWindow::GetTypeName() const { return "Vel_UIMovieWindow"; }
FCObject* Vel_UIMovieWindow::Clone() const { return new Vel_UIMovieWindow(*this); }
FCObject* Vel_UIMovieWindow::CreateNew() const { return new Vel_UIMovieWindow(); }

bool Vel_UIMovieWindow::Load(FCFile& file)
{
    if (!UIWindow::Load(file))
        return false;
    movieControl = dynamic_cast<UIMovieControl*>(FindChild(kMovieControlId));
    if (!movieControl)
        FC_LOG("Movie window without movie control %u\n", kMovieControlId);
    return true;
}

void Vel_UIMovieWindow::SetScreenMode(std::uint16_t mode)
{
    PlayMovieByIndex(static_cast<std::int16_t>(mode));
}

void Vel_UIMovieWindow::PlayMovieByIndex(std::int16_t index)
{
    movieIndex = index;
    if (index >= 0 && index < static_cast<std::int16_t>(std::size(kMovieFiles)))
        PlayMovie(kMovieFiles[index], true, this);
}

void Vel_UIMovieWindow::PlayMovie(const std::string& name, bool autoClose, FCObject* listener)
{
    FC_LOG("MN %s\n", name.c_str());
    UIMovie* movie = movieControl ? movieControl->GetMovie() : nullptr;
    FCFileSystem* files = FCFileSystem::GetInstance();
    std::string directory;
    if (movie && files && files->FindDirectory(directory, kMovieFolder, name))
    {
        FC_LOG("FMN %s\n", directory.c_str());
        movie->SetCloseAtEnd(autoClose);
        movie->SetListener(listener);
        // The player finds the file in its folder by the bare name.
        movie->Open(name, false);
        // The first movie waits for the window's frames, so that a slow
        // start-up does not eat into it.
        if (!started)
            movie->SetPaused(true);
        return;
    }
    FC_LOG("Unable to Play Movie %s\n", name.c_str());
}

void Vel_UIMovieWindow::StopMovie()
{
    if (UIMovie* movie = movieControl ? movieControl->GetMovie() : nullptr)
        movie->Close();
}

void Vel_UIMovieWindow::SetMoviePaused(bool paused)
{
    if (UIMovie* movie = movieControl ? movieControl->GetMovie() : nullptr)
        movie->SetPaused(paused);
}

void Vel_UIMovieWindow::OnMovieEnd()
{
    StopMovie();
    if (movieIndex == kLogoMovie)
    {
        PlayMovieByIndex(kIntroMovie);
    }
    else if (movieIndex == kIntroMovie && !loadRequested)
    {
        // Not inside the movie's end or the click: the switch it makes
        // replaces this window.
        loadRequested = 1;
        loadPending = 1;
    }
}

void Vel_UIMovieWindow::HandleMessage(std::int16_t messageId, void* data)
{
    if (messageId == static_cast<std::int16_t>(UIMessage::kUpdate))
    {
        const std::uint32_t now = FrameNow(data);
        endReported = 0;
        if (!started && now - startTime > kStartDelayMs)
        {
            SetMoviePaused(false);
            started = 1;
        }
        if (loadPending)
        {
            loadPending = 0;
            FC_LOG("Intro over; loading the game data\n");
            if (VelClient* client = VelClient::GetInstance())
                client->LoadGameData();
            else
                FC_LOG("No client to load the game data\n");
        }
        return;
    }
    if (messageId == FCMovie::kEndMessage)
    {
        endReported = 1;
        endedIndex = movieIndex;
        OnMovieEnd();
        return;
    }
    UIWindow::HandleMessage(messageId, data);
}

bool Vel_UIMovieWindow::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    if (event.type == UIMessage::kClicked)
    {
        // A click on the movie skips it through its own end report; any
        // other click ends the movie here.
        const bool skipped = event.sender == movieControl && endReported;
        const std::int16_t clicked = skipped ? endedIndex : movieIndex;
        endReported = 0;
        if (!skipped)
            OnMovieEnd();
        FC_LOG("Movie %d skipped by a click\n", clicked);
    }
    return UIWindow::HandleNotify(event);
}
