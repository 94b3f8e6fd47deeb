#include "Fc/Graphics/FCDisplayPageStack.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDoubleBuffer.h"

namespace
{
FCDoubleBuffer* pages[FCDisplayPageStack::kMaxPages] = {};
std::uint16_t count = 0;
} // namespace

bool FCDisplayPageStack::Push(FCDoubleBuffer* page)
{
    if (!page)
        return false;
    if (count >= kMaxPages)
    {
        FC_LOG("Display page stack full (%u pages); page not pushed\n", unsigned{kMaxPages});
        return false;
    }
    page->AddRef();
    pages[count++] = page;
    return true;
}

FCDoubleBuffer* FCDisplayPageStack::Pop()
{
    if (count == 0)
        return nullptr;
    FCDoubleBuffer* page = pages[--count];
    pages[count] = nullptr;
    page->Release();
    return page;
}

FCDoubleBuffer* FCDisplayPageStack::GetCurrent()
{
    return count > 0 ? pages[count - 1] : nullptr;
}

std::uint16_t FCDisplayPageStack::GetCount()
{
    return count;
}

FCDoubleBuffer* FCDisplayPageStack::GetPage(std::uint16_t index)
{
    return index < count ? pages[index] : nullptr;
}

void FCDisplayPageStack::Invalidate(const FCRect& rect)
{
    if (FCDoubleBuffer* page = GetCurrent())
        page->Add(rect);
}

void FCDisplayPageStack::RebuildAll(bool twoLists)
{
    for (std::uint16_t i = 0; i < count; ++i)
        pages[i]->Rebuild(twoLists);
}
