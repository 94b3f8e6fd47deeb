#include "Fc/Core/FCDebugLog.h"

#include <cstdarg>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{
struct InstanceState
{
    FCDebugLog* log = nullptr;
    bool chosen = false; // set once a log was installed or the default was built
};

InstanceState& State()
{
    static InstanceState state;
    return state;
}
} // namespace

FCDebugLog::FCDebugLog(const std::string& fileName, std::uint32_t mode) : mode(mode)
{
    if (mode == kFile || mode == kBoth)
    {
        fileHandle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
}

FCDebugLog::~FCDebugLog()
{
    if (fileHandle >= 0)
    {
        ::close(fileHandle);
    }
    if (State().log == this)
    {
        State().log = nullptr;
    }
}

FCDebugLog* FCDebugLog::GetInstance()
{
    InstanceState& state = State();
    if (!state.chosen)
    {
        // Built on first use, so that static registrations that log before main
        // never meet an unconstructed log; never built when a program installs
        // its own first, so tools and tests leave no stray "DebugLog.txt".
        static FCDebugLog defaultLog("DebugLog.txt", kBoth);
        state.log = &defaultLog;
        state.chosen = true;
    }
    return state.log;
}

FCDebugLog* FCDebugLog::SetInstance(FCDebugLog* log)
{
    InstanceState& state = State();
    FCDebugLog* previous = state.chosen ? state.log : nullptr;
    state.log = log;
    state.chosen = true;
    return previous;
}

const char* FCDebugLog::BaseName(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p)
    {
        if (*p == '/' || *p == '\\')
        {
            base = p + 1;
        }
    }
    return base;
}

void FCDebugLog::Printf(const char* format, ...)
{
    if (mode == kOff)
    {
        return;
    }
    char buffer[kMessageLimit + 1];
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (wanted < 0)
    {
        return;
    }
    WriteText(buffer, std::min<std::size_t>(static_cast<std::size_t>(wanted), kMessageLimit));
}

void FCDebugLog::PrintLocation(const char* sourcePath, std::int32_t line)
{
    Printf("%s[%d]: ", BaseName(sourcePath), static_cast<int>(line));
}

void FCDebugLog::WriteText(const char* text, std::size_t length)
{
    if ((mode == kFile || mode == kBoth) && fileHandle >= 0)
    {
        // A failed write loses the line; the log never reports failure.
        [[maybe_unused]] const ssize_t written = ::write(fileHandle, text, length);
    }
    if (mode == kDebugger || mode == kBoth)
    {
        std::fwrite(text, 1, length, stderr);
    }
}
