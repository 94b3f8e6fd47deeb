#pragma once

#include "Fc/Graphics/FCRect.h"

#include <cstdint>

class FCDoubleBuffer;

// The stack of display pages. The page on top is current: every changed
// screen area goes into it. A component with a page of its own pushes it
// while it draws or invalidates and pops it afterwards. The display manager
// pushes the first page when it is created and pops all when destroyed.
class FCDisplayPageStack
{
public:
    static constexpr std::uint16_t kMaxPages = 4;

    // Adds a reference to the page and makes it current. A null page is
    // ignored; a full stack refuses the page (logged). True when pushed.
    static bool Push(FCDoubleBuffer* page);
    // Drops the stack's reference to the top page and removes it; null when
    // the stack is empty. The pointer is only a token for "a page was
    // popped": the page is gone unless the caller holds its own reference.
    static FCDoubleBuffer* Pop();

    static FCDoubleBuffer* GetCurrent();
    static std::uint16_t GetCount();
    // Page at index (0 at the bottom), null outside the stack.
    static FCDoubleBuffer* GetPage(std::uint16_t index);

    // Reports a changed screen area into the current page's lists; nothing
    // when there is no page.
    static void Invalidate(const FCRect& rect);
    // Gives every page one or two fresh lists (switching between windowed
    // and full-screen); pending areas are dropped.
    static void RebuildAll(bool twoLists);
};
