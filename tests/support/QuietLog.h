#pragma once

#include "Fc/Core/FCDebugLog.h"

// Silences the debug log for its lifetime, for tests that provoke logged
// failures on purpose; the previous log comes back afterwards.
class QuietLog
{
public:
    QuietLog() : previous(FCDebugLog::SetInstance(&log)) {}
    ~QuietLog() { FCDebugLog::SetInstance(previous); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    FCDebugLog log{"", FCDebugLog::kOff};
    FCDebugLog* previous;
};
