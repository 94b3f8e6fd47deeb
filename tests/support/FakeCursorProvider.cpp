#include "support/FakeCursorProvider.h"

FakeCursorProvider::FakeCursorProvider() : previous(FCCursorProvider::SetInstance(this)) {}

FakeCursorProvider::~FakeCursorProvider()
{
    FCCursorProvider::SetInstance(previous);
}

FCCursorHandle FakeCursorProvider::LoadAppCursor(std::uint16_t id)
{
    appLoads.push_back(id);
    return AppCursor(id);
}

FCCursorHandle FakeCursorProvider::LoadSystemCursor(std::uint16_t id)
{
    systemLoads.push_back(id);
    return SystemCursor(id);
}
