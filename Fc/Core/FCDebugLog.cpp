#include "Fc/Core/FCDebugLog.h"

#include "Fc/Core/FCFileUtil.h"

#include <cstdarg>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
struct InstanceState
{
    FCDebugLog* log = nullptr;
    bool chosen = false;    // set once a log was installed or the default was built
    bool installed = false; // the log is one a caller installed
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
        // never meet an unconstructed log.
        static FCDebugLog defaultLog("", kDebugger);
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
    state.installed = true;
    return previous;
}

void FCDebugLog::OpenRunLog()
{
    InstanceState& state = State();
    if (state.installed)
        return;
    // In the user's state folder: an installed program cannot write beside
    // itself.
    static FCDebugLog runLog(PrepareRunLog(GetUserStateFolder()), kBoth);
    state.log = &runLog;
    state.chosen = true;
}

std::string FCDebugLog::PrepareRunLog(const std::string& folder)
{
    if (folder.empty() || folder[0] != '/')
        return std::string();
    // Each missing folder of the path is made, private to the user.
    struct stat info;
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1))
    {
        const std::string part = folder.substr(0, slash);
        const bool present = ::stat(part.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (!present && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return std::string();
        if (slash == std::string::npos)
            break;
    }
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::string();
    return (folder.back() == '/' ? folder : folder + '/') + "DebugLog.txt";
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
