#pragma once

#include "Fc/Devices/FCSystem.h"

#include <memory>
#include <string>
#include <vector>

class FakeKeyboard;
class FakeMoviePlayer;
class FakePrinter;
class FakeSoundManager;
class MemoryDisplayManager;

// A platform-services object without a platform. Each create call is
// recorded and, when no such device exists yet, makes the matching fake
// (an 800 x 600 5-6-5 memory display, sound, keyboard, movie player, an
// opened printer), which the destroy call or the system's own end removes.
// Messages are collected instead of shown, and a quit request makes the next
// pump report the end. Installed as the system instance (with a fresh timer
// list) for its lifetime.
class FakeSystem : public FCSystem
{
public:
    FakeSystem();
    ~FakeSystem() override;

    bool PumpMessages() override;

    bool CreateDisplayManager() override;
    void DestroyDisplayManager() override;
    bool CreateSoundManager() override;
    void DestroySoundManager() override;
    bool CreateKeyboard() override;
    void DestroyKeyboard() override;
    bool CreateReservedDevice() override { return true; }
    void DestroyReservedDevice() override {}
    bool CreateMoviePlayer() override;
    void DestroyMoviePlayer() override;
    bool CreatePrinter() override;
    void DestroyPrinter() override;

    void RequestQuit() override { quitRequested = true; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    // Records what it was given; answers whether the address is openable
    // and a browser took it.
    bool OpenUrl(const std::string& url) override
    {
        openedUrls.push_back(url);
        return urlOpens && IsOpenableUrl(url);
    }

    std::vector<std::string> deviceCalls;
    std::vector<std::string> messages;
    std::vector<std::string> openedUrls;
    bool quitRequested = false;
    // False: as on a machine without a browser.
    bool urlOpens = true;
    // The answer of every create call; a refused create makes nothing.
    bool createSucceeds = true;

private:
    bool Record(const char* call);

    std::unique_ptr<MemoryDisplayManager> display;
    std::unique_ptr<FakeSoundManager> sound;
    std::unique_ptr<FakeKeyboard> keyboard;
    std::unique_ptr<FakeMoviePlayer> movies;
    std::unique_ptr<FakePrinter> printer;
};
