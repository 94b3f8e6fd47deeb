#pragma once

#include "Fc/Devices/FCApp.h"

#include <cstdint>

class VelClient;

// The program's application object: its window and display defaults, its
// whole life in Run (start-up, main loop, shut-down) and the translation of
// the platform's mouse and key input into numbered messages for the client.
class VelApp : public FCApp
{
public:
    static constexpr std::uint32_t kFrameMs = 16;
    static constexpr std::int16_t kExitNormal = 0;
    static constexpr std::int16_t kExitStartUpFailed = 2;

    VelApp();
    ~VelApp() override;

    // Init, MainLoop, Shutdown. 0, or 2 when the client's start-up failed.
    std::int16_t Run() override;
    void BeforeCreateWindow() override {}
    void AfterRun() override {}
    bool OnCommand(std::uint16_t) override { return false; }
    bool OnDropFiles(std::uintptr_t) override { return false; }
    bool HandleMouse(std::uint32_t message, const FCPoint* point, std::uint32_t keyFlags) override;
    bool HandleKey(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool OnActivate(bool active) override;

    // The steps of Run, open to tests. Init returns the client's start-up
    // result.
    bool Init();
    void MainLoop();
    void Shutdown();
    // The first turn of the main loop after this runs a frame at once.
    void ResetFrameClock();
    // One turn of the main loop after the pump: runs a frame when one is
    // due and answers how long the loop may sleep before the next.
    std::uint32_t Tick();

    VelClient* GetClient() const { return client; }
    bool IsRunning() const { return running != 0; }

protected:
    VelClient* client = nullptr;
    std::uint8_t running = 0;
};
