#include "Fc/Devices/FCSystem.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCKeyboard.h"
#include "Fc/Devices/FCMoviePlayer.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Devices/FCTimerListener.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
constexpr std::size_t kReservedTimers = 8;

struct TimerState
{
    std::vector<FCSystem::Timer> timers;
    std::uint32_t lastTick = 0;
    std::uint16_t roundRobin = 0;
};

TimerState& Timers()
{
    static TimerState state;
    return state;
}

FCSystem* systemInstance = nullptr;
bool suspended = false;

std::string& LastErrorText()
{
    static std::string text;
    return text;
}

// Position of the first due timer from `from` to the end, then from the
// start up to `from`; the list's size when none is due.
std::size_t FindDueTimer(const std::vector<FCSystem::Timer>& timers, std::size_t from)
{
    const auto isDue = [](const FCSystem::Timer& t)
    { return t.state == FCSystem::Timer::kRunning && t.remaining == 0; };
    from = std::min(from, timers.size());
    for (std::size_t i = from; i < timers.size(); ++i)
    {
        if (isDue(timers[i]))
        {
            return i;
        }
    }
    for (std::size_t i = 0; i < from; ++i)
    {
        if (isDue(timers[i]))
        {
            return i;
        }
    }
    return timers.size();
}
} // namespace

FCSystem::FCSystem()
{
    systemInstance = this;
    suspended = false;
    TimerState& state = Timers();
    state.timers.clear();
    state.timers.reserve(kReservedTimers);
    state.roundRobin = 0;
    state.lastTick = FCClock::Now();
}

FCSystem::~FCSystem()
{
    if (systemInstance == this)
    {
        systemInstance = nullptr;
    }
}

FCSystem* FCSystem::GetInstance()
{
    return systemInstance;
}

bool FCSystem::PumpMessages()
{
    if (FCKeyboard* keyboard = FCKeyboard::GetInstance())
    {
        keyboard->Update();
    }
    UpdateTimers();
    return false;
}

void FCSystem::Suspend()
{
    if (suspended)
    {
        return;
    }
    suspended = true;
    if (FCMoviePlayer* player = FCMoviePlayer::GetInstance())
    {
        player->Suspend();
    }
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
    {
        sound->SuspendAll();
    }
    if (FCKeyboard* keyboard = FCKeyboard::GetInstance())
    {
        keyboard->Suspend();
    }
}

void FCSystem::Resume()
{
    if (!suspended)
    {
        return;
    }
    suspended = false;
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
    {
        sound->ResumeAll();
    }
    if (FCMoviePlayer* player = FCMoviePlayer::GetInstance())
    {
        player->Resume();
    }
    if (FCKeyboard* keyboard = FCKeyboard::GetInstance())
    {
        keyboard->Resume();
    }
}

void FCSystem::WaitForMessages(std::uint32_t /*timeoutMs*/) {}

bool FCSystem::OpenUrl(const std::string& url)
{
    FC_LOG("No browser to open %s\n", IsOpenableUrl(url) ? url.c_str() : "a refused address");
    return false;
}

bool FCSystem::IsOpenableUrl(const std::string& url)
{
    std::size_t schemeLength = 0;
    for (const char* scheme : {"http://", "https://"})
        if (url.rfind(scheme, 0) == 0)
            schemeLength = std::char_traits<char>::length(scheme);
    if (schemeLength == 0 || url.size() == schemeLength)
        return false;
    return std::none_of(url.begin(), url.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F;
    });
}

bool FCSystem::IsSuspended()
{
    return suspended;
}

bool FCSystem::AddTimer(std::uint16_t id, std::uint16_t intervalMs, FCTimerListener* listener)
{
    Timer timer;
    timer.id = id;
    timer.interval = intervalMs;
    timer.remaining = intervalMs;
    timer.state = Timer::kRunning;
    timer.listener = listener;
    TimerState& state = Timers();
    if (state.timers.empty())
    {
        // Pumps only note the time while the list is empty; without a pump
        // since, the first timer would be charged for all the idle time.
        state.lastTick = FCClock::Now();
    }
    state.timers.push_back(timer);
    return true;
}

bool FCSystem::RemoveTimer(std::uint16_t id)
{
    std::vector<Timer>& timers = Timers().timers;
    const auto it =
        std::find_if(timers.begin(), timers.end(), [id](const Timer& t) { return t.id == id; });
    if (it == timers.end())
    {
        return false;
    }
    timers.erase(it);
    return true;
}

void FCSystem::UpdateTimers()
{
    TimerState& state = Timers();
    const std::uint32_t now = FCClock::Now();
    if (state.timers.empty())
    {
        state.lastTick = now;
        return;
    }
    // Unsigned difference: correct across the clock's wrap at 2^32.
    const std::uint32_t elapsed = now - state.lastTick;
    state.lastTick = now;
    for (Timer& timer : state.timers)
    {
        if (timer.state == Timer::kRunning)
        {
            timer.remaining = timer.remaining > elapsed
                                  ? static_cast<std::uint16_t>(timer.remaining - elapsed)
                                  : std::uint16_t{0};
        }
    }

    const std::size_t due = FindDueTimer(state.timers, state.roundRobin);
    if (due == state.timers.size())
    {
        return;
    }
    state.roundRobin = static_cast<std::uint16_t>(due + 1);
    Timer& timer = state.timers[due];
    if (timer.listener == nullptr)
    {
        return; // stays due until someone listens
    }
    timer.remaining = timer.interval;
    timer.state = Timer::kRunning;
    // The callback may add or remove timers (the list may move), so nothing
    // of the record is touched after it.
    FCTimerListener* listener = timer.listener;
    const std::uint16_t id = timer.id;
    listener->OnTimer(id);
}

std::size_t FCSystem::GetTimerCount()
{
    return Timers().timers.size();
}

void FCSystem::SetLastErrorText(const std::string& text)
{
    LastErrorText() = text;
}

const std::string& FCSystem::GetLastErrorText()
{
    return LastErrorText();
}
