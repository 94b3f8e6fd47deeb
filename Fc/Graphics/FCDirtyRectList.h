#pragma once

#include "Fc/Graphics/FCRect.h"
#include "Fc/Core/FCRefCounted.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The screen areas changed since the list was last emptied. Add merges
// overlapping areas so that the painter redraws each pixel about once.
class FCDirtyRectList : public FCRefCounted
{
public:
    static constexpr std::size_t kReserved = 32;

    FCDirtyRectList();

    // Merging insert. An empty rectangle is ignored. The new rectangle N and
    // a stored one S merge when S's centre lies in N or N's centre lies in S
    // (right and bottom edges outside): N grows to their union, the last
    // stored rectangle moves into S's slot and the walk goes on from that
    // slot; slots already passed are not tested again. N is then appended.
    void Add(const FCRect& rect)
    {
        // Again the area that the last Add appended without growing: every
        // other area has just been tested against it and stayed apart, so
        // the walk would take it out and append it again, leaving the list
        // as it is. Elements that report their area before and after a
        // change, and rows made one after another in one place, ask for
        // this all the time.
        if (lastAddSettled && rects.back() == rect)
            return;
        // Inside the only stored area: the walk would merge the two into
        // that area and append it again. A whole-screen area followed by
        // small changes within it is the common case.
        if (rects.size() == 1 && !rect.IsEmpty() && rects.front().Encloses(rect))
        {
            lastAddSettled = rects.front() == rect;
            return;
        }
        AddMerging(rect);
    }
    // Appends a non-empty rectangle without merging, for callers that keep
    // their areas apart.
    void Append(const FCRect& rect);
    void Clear();

    std::size_t GetCount() const { return rects.size(); }
    const std::vector<FCRect>& GetRects() const { return rects; }

    // The painter's walk: Rewind to the first rectangle, then Next hands out
    // one rectangle per call until it returns false.
    void Rewind() { cursor = 0; }
    bool Next(FCRect& out);

private:
    void AddMerging(const FCRect& rect);

    std::vector<FCRect> rects;
    std::size_t cursor = 0;
    // The last change was an Add that appended its rectangle as given.
    bool lastAddSettled = false;
};
