#pragma once

#include "Ui/UIWindow.h"
#include "Vel/App/VelClient.h"

#include <cstdint>
#include <string>

class FCObject;
class UIMovieControl;

// The intro: our logo movie, then the intro movie, then the game data and
// the start menu. A click skips the movie playing; a movie file that cannot
// be found plays nothing, and the window waits for a click.
class Vel_UIMovieWindow : public UIWindow, public VelScreenMode
{
public:
    static constexpr std::uint16_t kMovieControlId = 444;
    static constexpr std::int16_t kLogoMovie = 0;
    static constexpr std::int16_t kIntroMovie = 1;
    static constexpr const char* kMovieFolder = "Movies\\";
    // The movie starts running on the first frame after this delay.
    static constexpr std::uint32_t kStartDelayMs = 500;

    Vel_UIMovieWindow();
    Vel_UIMovieWindow(const Vel_UIMovieWindow& other);
    ~Vel_UIMovieWindow() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    void HandleMessage(std::int16_t messageId, void* data) override;
    bool HandleNotify(UIEvent& event) override;
    // The client's mode is the first movie of the chain.
    void SetScreenMode(std::uint16_t mode) override;

    // Indices other than the logo and the intro play nothing.
    virtual void PlayMovieByIndex(std::int16_t index);
    // What follows the movie now playing.
    virtual void OnMovieEnd();
    virtual void PlayMovie(const std::string& name, bool autoClose, FCObject* listener);
    virtual void StopMovie();
    void SetMoviePaused(bool paused);

    std::int16_t GetMovieIndex() const { return movieIndex; }
    UIMovieControl* GetMovieControl() const { return movieControl; }

protected:
    UIMovieControl* movieControl = nullptr; // a child, not owned
    std::uint32_t startTime = 0;
    std::uint8_t started = 0;
    std::int16_t movieIndex = 0;
    // The game data is loaded on the next frame, once.
    std::uint8_t loadPending = 0;
    std::uint8_t loadRequested = 0;
    // An end was reported since the last frame: a click on the movie has
    // skipped it already and must not skip the next one too.
    std::uint8_t endReported = 0;
    std::int16_t endedIndex = 0; // the movie whose end was reported last
};
