#include "Platform/WFCInstanceLock.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileUtil.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

WFCInstanceLock::~WFCInstanceLock()
{
    Release();
}

std::string WFCInstanceLock::DefaultPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && DirectoryExists(runtime))
        return std::string(runtime) + "/stavelorn.lock";
    const char* temporary = std::getenv("TMPDIR");
    const std::string folder = temporary && *temporary ? temporary : "/tmp";
    // Per user, so that one user's copy never blocks another's.
    return folder + "/stavelorn-" + std::to_string(::getuid()) + ".lock";
}

WFCInstanceLock::Result WFCInstanceLock::Acquire(const std::string& path)
{
    Release();
    // Close-on-exec: a program we start must not keep our lock alive.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
    {
        FC_LOG("Cannot open the lock file %s: %s\n", path.c_str(), std::strerror(errno));
        return Result::kFailed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Result::kHeldElsewhere;
        FC_LOG("Cannot lock %s: %s\n", path.c_str(), std::strerror(error));
        return Result::kFailed;
    }
    handle = fd;
    return Result::kAcquired;
}

void WFCInstanceLock::Release()
{
    if (handle >= 0)
        ::close(handle);
    handle = -1;
}
