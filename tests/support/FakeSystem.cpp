#include "support/FakeSystem.h"

#include "support/FakeKeyboard.h"
#include "support/FakeMoviePlayer.h"
#include "support/FakePrinter.h"
#include "support/FakeSoundManager.h"
#include "support/MemoryDisplayManager.h"

FakeSystem::FakeSystem() = default;

// The devices go in the reverse order of a normal start-up.
FakeSystem::~FakeSystem()
{
    printer.reset();
    movies.reset();
    keyboard.reset();
    sound.reset();
    display.reset();
}

bool FakeSystem::PumpMessages()
{
    FCSystem::PumpMessages();
    return quitRequested;
}

bool FakeSystem::Record(const char* call)
{
    deviceCalls.emplace_back(call);
    return createSucceeds;
}

bool FakeSystem::CreateDisplayManager()
{
    if (!Record("CreateDisplayManager"))
    {
        return false;
    }
    if (FCDisplayManager::GetInstance() == nullptr)
    {
        display = std::make_unique<MemoryDisplayManager>();
    }
    return true;
}

void FakeSystem::DestroyDisplayManager()
{
    Record("DestroyDisplayManager");
    display.reset();
}

bool FakeSystem::CreateSoundManager()
{
    if (!Record("CreateSoundManager"))
    {
        return false;
    }
    if (FCSoundManager::GetInstance() == nullptr)
    {
        sound = std::make_unique<FakeSoundManager>();
    }
    return true;
}

void FakeSystem::DestroySoundManager()
{
    Record("DestroySoundManager");
    sound.reset();
}

bool FakeSystem::CreateKeyboard()
{
    if (!Record("CreateKeyboard"))
    {
        return false;
    }
    if (FCKeyboard::GetInstance() == nullptr)
    {
        keyboard = std::make_unique<FakeKeyboard>();
    }
    return true;
}

void FakeSystem::DestroyKeyboard()
{
    Record("DestroyKeyboard");
    keyboard.reset();
}

bool FakeSystem::CreateMoviePlayer()
{
    if (!Record("CreateMoviePlayer"))
    {
        return false;
    }
    if (FCMoviePlayer::GetInstance() == nullptr)
    {
        movies = std::make_unique<FakeMoviePlayer>();
    }
    return true;
}

void FakeSystem::DestroyMoviePlayer()
{
    Record("DestroyMoviePlayer");
    movies.reset();
}

bool FakeSystem::CreatePrinter()
{
    if (!Record("CreatePrinter"))
    {
        return false;
    }
    if (FCPrinter::GetInstance() == nullptr)
    {
        printer = std::make_unique<FakePrinter>();
        printer->Open();
    }
    return true;
}

void FakeSystem::DestroyPrinter()
{
    Record("DestroyPrinter");
    printer.reset();
}
