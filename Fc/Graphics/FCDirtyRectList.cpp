#include "Fc/Graphics/FCDirtyRectList.h"

FCDirtyRectList::FCDirtyRectList()
{
    rects.reserve(kReserved);
}

void FCDirtyRectList::AddMerging(const FCRect& rect)
{
    if (rect.IsEmpty())
        return;
    FCRect grown = rect;
    FCPoint centre = grown.Centre();
    // A size_t index: a 16-bit one would wrap on a long list.
    std::size_t i = 0;
    while (i < rects.size())
    {
        const FCRect stored = rects[i];
        if (!grown.Contains(stored.Centre()) && !stored.Contains(centre))
        {
            ++i;
            continue;
        }
        grown.Union(grown, stored);
        centre = grown.Centre();
        rects[i] = rects.back();
        rects.pop_back();
    }
    rects.push_back(grown);
    lastAddSettled = grown == rect;
}

void FCDirtyRectList::Append(const FCRect& rect)
{
    if (!rect.IsEmpty())
    {
        rects.push_back(rect);
        lastAddSettled = false;
    }
}

void FCDirtyRectList::Clear()
{
    rects.clear();
    lastAddSettled = false;
    cursor = 0;
}

bool FCDirtyRectList::Next(FCRect& out)
{
    if (cursor >= rects.size())
        return false;
    out = rects[cursor++];
    return true;
}
