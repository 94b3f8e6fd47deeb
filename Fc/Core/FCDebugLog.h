#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// The program's diagnostic trace: a text file, standard error (our stand-in
// for the debugger's output channel), both or neither. Every message is cut
// to 200 characters and written at once, unbuffered.
class FCDebugLog
{
public:
    enum Mode : std::uint32_t
    {
        kOff = 0,
        kDebugger = 1,
        kFile = 2,
        kBoth = 3,
    };
    static constexpr std::size_t kMessageLimit = 200;

    FCDebugLog(const std::string& fileName, std::uint32_t mode);
    ~FCDebugLog();
    FCDebugLog(const FCDebugLog&) = delete;
    FCDebugLog& operator=(const FCDebugLog&) = delete;

    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void PrintLocation(const char* sourcePath, std::int32_t line);

    std::uint32_t GetMode() const { return mode; }

    // The global log that FC_LOG writes to; null writes nothing. Until one is
    // installed or the run's log opened, standard error only, so that tools
    // and tests write no file. Tests may install their own instance and
    // restore the previous one afterwards.
    static FCDebugLog* GetInstance();
    static FCDebugLog* SetInstance(FCDebugLog* log);

    // Makes the program's own log, in both modes on PrepareRunLog's file in
    // the user's state folder, the global one; does nothing once a caller has
    // installed a log (a test's, a tool's).
    static void OpenRunLog();

    // Base name of a source path, split at both '/' and '\'.
    static const char* BaseName(const char* path);

    // Readies the host folder for this run's log and returns the log's path
    // there, "DebugLog.txt", which the log replaces when it opens: the folder
    // is made when missing. Empty when the folder is empty or cannot be made;
    // a log on that path writes no file.
    static std::string PrepareRunLog(const std::string& folder);

private:
    void WriteText(const char* text, std::size_t length);

    int fileHandle = -1;
    std::uint32_t mode = kOff;
};

// Writes "<source base name>[<line>]: " and then the formatted message.
#define FC_LOG(...)                                                                                \
    do                                                                                             \
    {                                                                                              \
        if (FCDebugLog* fcLog_ = FCDebugLog::GetInstance())                                        \
        {                                                                                          \
            fcLog_->PrintLocation(__FILE__, __LINE__);                                             \
            fcLog_->Printf(__VA_ARGS__);                                                           \
        }                                                                                          \
    } while (0)
