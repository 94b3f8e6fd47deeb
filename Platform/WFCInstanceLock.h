#pragma once

#include <string>

// Keeps a second copy of the program from running: an advisory lock on a
// file in the user's runtime folder, which the kernel drops when the holder
// ends, even after a crash.
class WFCInstanceLock
{
public:
    enum class Result
    {
        kAcquired,
        // Another process (or another lock object) holds it.
        kHeldElsewhere,
        // The lock file could not be opened.
        kFailed,
    };

    WFCInstanceLock() = default;
    ~WFCInstanceLock();
    WFCInstanceLock(const WFCInstanceLock&) = delete;
    WFCInstanceLock& operator=(const WFCInstanceLock&) = delete;

    // "stavelorn.lock" in $XDG_RUNTIME_DIR, else a file of the user's own in
    // the system's temporary folder.
    static std::string DefaultPath();

    Result Acquire(const std::string& path);
    void Release();
    bool IsHeld() const { return handle >= 0; }

private:
    int handle = -1;
};
