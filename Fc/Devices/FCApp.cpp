#include "Fc/Devices/FCApp.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <system_error>

std::uint32_t ApplicationTime = 0;

namespace
{
FCApp* appInstance = nullptr;
std::uint32_t startTime = 0;

constexpr std::string_view kSeparators = " \t";

// ASCII-only, so that the result never depends on the locale.
bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
    {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        auto lower = [](char c)
        { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
        {
            return false;
        }
    }
    return true;
}

// Reads a screen dimension for "-width" or "-height". The whole token must be
// a decimal number, and its range is checked on the full value, before it is
// narrowed to the 16-bit field.
bool ReadDimension(std::string_view option, std::string_view value, std::int16_t& out)
{
    if (value.empty())
    {
        FC_LOG("%.*s needs a value\n", static_cast<int>(option.size()), option.data());
        return false;
    }
    // "%d" took a leading plus sign; from_chars does not, so it goes first.
    const std::string_view digits = value.front() == '+' ? value.substr(1) : value;
    long long number = 0;
    const char* const last = digits.data() + digits.size();
    const auto [end, error] = std::from_chars(digits.data(), last, number);
    if (error != std::errc() || end != last)
    {
        FC_LOG("%.*s: not a number: %.*s\n", static_cast<int>(option.size()), option.data(),
               static_cast<int>(value.size()), value.data());
        return false;
    }
    if (number < FCApp::kMinDimension || number > FCApp::kMaxDimension)
    {
        FC_LOG("%.*s: %lld is outside %d to %d\n", static_cast<int>(option.size()), option.data(),
               number, FCApp::kMinDimension, FCApp::kMaxDimension);
        return false;
    }
    out = static_cast<std::int16_t>(number);
    return true;
}
} // namespace

FCApp::FCApp()
{
    appInstance = this;
    startTime = FCClock::Now();
}

FCApp::~FCApp()
{
    if (appInstance == this)
    {
        appInstance = nullptr;
    }
}

FCApp* FCApp::GetInstance()
{
    return appInstance;
}

std::uint32_t FCApp::GetStartTime()
{
    return startTime;
}

std::string_view FCApp::NextToken(std::string_view& rest)
{
    const std::size_t begin = rest.find_first_not_of(kSeparators);
    if (begin == std::string_view::npos)
    {
        rest = {};
        return {};
    }
    rest.remove_prefix(begin);
    const std::size_t end = std::min(rest.find_first_of(kSeparators), rest.size());
    const std::string_view token = rest.substr(0, end);
    rest.remove_prefix(end);
    return token;
}

bool FCApp::ParseCommandLine(const char* commandLine)
{
    std::string_view rest =
        commandLine != nullptr ? std::string_view(commandLine) : std::string_view();
    NextToken(rest); // the program's own path
    for (std::string_view token = NextToken(rest); !token.empty(); token = NextToken(rest))
    {
        if (!ParseArgument(token, rest))
        {
            return false;
        }
    }
    return true;
}

bool FCApp::ParseArgument(std::string_view token, std::string_view& rest)
{
    if (EqualsIgnoringCase(token, "-full"))
    {
        windowed = 0;
        fullScreen = 1;
        return true;
    }
    if (EqualsIgnoringCase(token, "-win"))
    {
        windowed = 1;
        fullScreen = 0;
        return true;
    }
    if (EqualsIgnoringCase(token, "-width"))
    {
        return ReadDimension(token, NextToken(rest), width);
    }
    if (EqualsIgnoringCase(token, "-height"))
    {
        return ReadDimension(token, NextToken(rest), height);
    }
    // Anything else changes nothing; the user hears of it and the program runs.
    std::fprintf(stderr, "%s: unknown option \"%.*s\" ignored\n", GetName().c_str(), static_cast<int>(token.size()),
                 token.data());
    FC_LOG("Unknown option %.*s ignored\n", static_cast<int>(token.size()), token.data());
    return true;
}

void FCApp::BeforeCreateWindow() {}

void FCApp::AfterRun() {}

bool FCApp::OnCommand(std::uint16_t)
{
    return false;
}

bool FCApp::OnDropFiles(std::uintptr_t)
{
    return false;
}

bool FCApp::HandleMouse(std::uint32_t, const FCPoint*, std::uint32_t)
{
    return false;
}

bool FCApp::HandleKey(std::uint32_t, std::uintptr_t, std::intptr_t)
{
    return false;
}

bool FCApp::OnActivate(bool)
{
    return false;
}

void FCApp::OnPlatformHook(std::uintptr_t) {}

FCCursorHandle FCApp::LoadCursor() const
{
    return cursorId == 0 ? ::LoadSystemCursor(FCCursorProvider::kArrow) : ::LoadAppCursor(cursorId);
}
