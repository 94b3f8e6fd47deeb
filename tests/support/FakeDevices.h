#pragma once

#include "support/FakeKeyboard.h"
#include "support/FakeMoviePlayer.h"
#include "support/FakePrinter.h"
#include "support/FakeSoundManager.h"
#include "support/FakeSystem.h"
#include "support/MemoryDisplayManager.h"
#include "support/TestClock.h"

#include <string>
#include <vector>

// Every device a screen needs, installed at once in start-up order and torn
// down in reverse: a hand-stepped clock, the system object (fresh timer
// list), an 800 x 600 memory display, sound, keyboard, movie player and
// printer. The devices write their suspend and resume calls to `journal`.
struct FakeDevices
{
    explicit FakeDevices(const FCPixelFormat& screenFormat = FCFormat565, std::int32_t width = 800,
                         std::int32_t height = 600)
        : display(screenFormat, width, height)
    {
        sound.journal = &journal;
        keyboard.journal = &journal;
        movies.journal = &journal;
    }

    std::vector<std::string> journal;
    TestClock clock{1000};
    FakeSystem system;
    MemoryDisplayManager display;
    FakeSoundManager sound;
    FakeKeyboard keyboard;
    FakeMoviePlayer movies;
    FakePrinter printer;
};
