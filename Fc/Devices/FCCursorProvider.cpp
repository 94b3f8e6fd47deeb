#include "Fc/Devices/FCCursorProvider.h"

namespace
{
FCCursorProvider* cursorProvider = nullptr;
} // namespace

FCCursorProvider* FCCursorProvider::SetInstance(FCCursorProvider* provider)
{
    FCCursorProvider* previous = cursorProvider;
    cursorProvider = provider;
    return previous;
}

FCCursorProvider* FCCursorProvider::GetInstance()
{
    return cursorProvider;
}

FCCursorHandle LoadAppCursor(std::uint16_t id)
{
    return cursorProvider != nullptr ? cursorProvider->LoadAppCursor(id) : nullptr;
}

FCCursorHandle LoadSystemCursor(std::uint16_t id)
{
    return cursorProvider != nullptr ? cursorProvider->LoadSystemCursor(id) : nullptr;
}

void SetCurrentCursor(FCCursorHandle cursor)
{
    if (cursorProvider != nullptr)
    {
        cursorProvider->SetCurrentCursor(cursor);
    }
}
