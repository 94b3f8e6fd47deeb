#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Core/FCRefCounted.h"

// A display page: the dirty areas of one drawing context. In full-screen the
// display flips between two buffers, so each area goes into two lists: the
// first is painted this frame, the second carries it into the next frame for
// the other buffer.
class FCDoubleBuffer : public FCRefCounted
{
public:
    explicit FCDoubleBuffer(bool twoLists);

    // Drops both lists with their rectangles and makes fresh ones.
    void Rebuild(bool twoLists);
    // Once per frame after the screen was updated: with two lists they trade
    // places and the new second one is emptied; with one it is emptied.
    void Swap();
    // Reports a changed area: into the first list and, when there is one,
    // the second. Inline, as every invalidation comes through here.
    void Add(const FCRect& rect)
    {
        first->Add(rect);
        if (second)
            second->Add(rect);
    }

    FCDirtyRectList* GetFirst() const { return first.Get(); }
    FCDirtyRectList* GetSecond() const { return second.Get(); }
    bool HasTwoLists() const { return static_cast<bool>(second); }

private:
    FCCountedRef<FCDirtyRectList> first;
    FCCountedRef<FCDirtyRectList> second;
};
