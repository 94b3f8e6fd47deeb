#include "support/TestClock.h"

TestClock::TestClock(std::uint32_t start) : now(start), previous(FCClock::SetInstance(this)) {}

TestClock::~TestClock()
{
    FCClock::SetInstance(previous);
}
