#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class FCTimerListener;

// Base of the platform-services object: one instance, made by the platform's
// entry point, that pumps messages, creates the device objects, suspends and
// resumes them with the application's focus and shows message boxes. The
// base owns the idle work of every pump (keyboard poll and timers), the
// timer list and the last-error text; these are process-wide, so the timer
// and error functions work whether or not a system object exists.
class FCSystem
{
public:
    struct Timer
    {
        enum State : std::uint16_t
        {
            kRunning = 0,
            kNotStarted = 2,
        };

        std::uint16_t id = 0;
        std::uint16_t interval = 0;
        std::uint16_t remaining = 0;
        std::uint16_t state = kNotStarted;
        FCTimerListener* listener = nullptr;
    };

    // Becomes the system instance; starts the timer list afresh.
    FCSystem();
    virtual ~FCSystem();
    FCSystem(const FCSystem&) = delete;
    FCSystem& operator=(const FCSystem&) = delete;

    static FCSystem* GetInstance();

    // The concrete class handles its pending messages first, then calls this
    // part: keyboard poll, then timers. True asks the main loop to end.
    virtual bool PumpMessages();

    virtual bool CreateDisplayManager() = 0;
    virtual void DestroyDisplayManager() = 0;
    virtual bool CreateSoundManager() = 0;
    virtual void DestroySoundManager() = 0;
    virtual bool CreateKeyboard() = 0;
    virtual void DestroyKeyboard() = 0;
    virtual bool CreateReservedDevice() = 0;
    virtual void DestroyReservedDevice() = 0;
    virtual bool CreateMoviePlayer() = 0;
    virtual void DestroyMoviePlayer() = 0;
    virtual bool CreatePrinter() = 0;
    virtual void DestroyPrinter() = 0;

    // Pause movie, sounds and keyboard while the application is in the
    // background; a repeated call of either does nothing.
    virtual void Suspend();
    virtual void Resume();

    virtual void RequestQuit() = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    // Sleeps until a message waits or timeoutMs have passed, so that an idle
    // main loop leaves the processor alone. The base returns at once.
    virtual void WaitForMessages(std::uint32_t timeoutMs);
    // Hands an address to the desktop's browser; false when it was refused
    // (not openable) or could not be handed over. The base opens nothing.
    virtual bool OpenUrl(const std::string& url);
    // Only http:// and https:// addresses with something after the scheme
    // and without spaces or control characters.
    static bool IsOpenableUrl(const std::string& url);

    static bool IsSuspended();

    // Ids need not be unique; RemoveTimer takes the first match.
    static bool AddTimer(std::uint16_t id, std::uint16_t intervalMs, FCTimerListener* listener);
    static bool RemoveTimer(std::uint16_t id);
    // Advances every running timer by the time since the last call and fires
    // at most one due timer, taking turns among the due ones.
    static void UpdateTimers();
    static std::size_t GetTimerCount();

    static void SetLastErrorText(const std::string& text);
    static const std::string& GetLastErrorText();
};
