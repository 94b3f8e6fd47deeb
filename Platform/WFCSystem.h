#pragma once

#include "Fc/Devices/FCSystem.h"

#include <cstdint>
#include <string>

struct SDL_Window;
union SDL_Event;
class WFCDisplayManagerX;
class WFCKeyboard;
class WFCMoviePlayerBink;
class WFCPrinter;
class WFCSoundManager;

// The platform services on SDL: the one window, the message pump that turns
// SDL's events into the application's input and activation calls, and the
// device objects. Devices are made and destroyed only here; each destroy
// removes only the device this object made.
class WFCSystem : public FCSystem
{
public:
    WFCSystem();
    // Destroys the devices still alive, in the reverse order of start-up,
    // then the window.
    ~WFCSystem() override;

    // Handles every pending event: input goes to the application, focus
    // changes suspend or resume the devices and activate the application,
    // and ended sounds are reported. True once the window was closed or an
    // end was requested.
    bool PumpMessages() override;

    bool CreateDisplayManager() override;
    void DestroyDisplayManager() override;
    // Without an audio device the manager is not kept: false, and the
    // program runs without sound.
    bool CreateSoundManager() override;
    void DestroySoundManager() override;
    bool CreateKeyboard() override;
    void DestroyKeyboard() override;
    bool CreateReservedDevice() override { return true; }
    void DestroyReservedDevice() override {}
    bool CreateMoviePlayer() override;
    void DestroyMoviePlayer() override;
    // Opens the printer, reusing the one that exists.
    bool CreatePrinter() override;
    void DestroyPrinter() override;

    // The next pump reports the end.
    void RequestQuit() override;
    // A message box captioned with the application's name; on standard
    // error when STAVELORN_HEADLESS is set or no box can be shown.
    void ShowMessage(const std::string& text) override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    // Through SDL, never a shell; refused addresses are not handed on.
    bool OpenUrl(const std::string& url) override;

    // The program's one window, of the given client size. False (logged)
    // when SDL's video cannot start.
    bool CreateMainWindow(const std::string& title, std::int32_t width, std::int32_t height);
    void DestroyMainWindow();
    static SDL_Window* GetMainWindow();

    // The focus came or went: devices resumed or suspended, then the
    // application told.
    void Activate(bool active);

    // Shows a box without a system object (a second copy's refusal).
    static void ShowMessageBox(const std::string& caption, const std::string& text);
    static bool IsHeadless();
    // SDL's video runs on a real window system (X11 or Wayland), which also
    // lets it sleep on the connection until an event comes.
    static bool IsOnWindowSystem();

private:
    // True when the event ends the program.
    bool HandleEvent(const SDL_Event& event);

    WFCDisplayManagerX* display = nullptr;
    WFCSoundManager* sound = nullptr;
    WFCKeyboard* keyboard = nullptr;
    WFCMoviePlayerBink* movies = nullptr;
    WFCPrinter* printer = nullptr;
    std::uint8_t quitRequested = 0;
};
