#pragma once

#include "Fc/Devices/FCApp.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

// SDL's dummy video and audio drivers: windows and sound without a display
// or an audio device. Must run before SDL starts.
inline void UseDummySdlDrivers()
{
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("STAVELORN_HEADLESS", "1", 1);
}

// An application object that writes down every input and activation call it
// receives ("mouse 0x201 10,20 flags 4", "key 0x100 65", "activate 1") and
// runs `run` as its Run.
class RecordingApp : public FCApp
{
public:
    std::int16_t Run() override { return run ? run() : 0; }
    bool HandleMouse(std::uint32_t message, const FCPoint* point, std::uint32_t keyFlags) override;
    bool HandleKey(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool OnActivate(bool isActive) override;

    std::vector<std::string> calls;
    std::function<std::int16_t()> run;
};
