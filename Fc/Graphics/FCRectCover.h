#pragma once

#include "Fc/Graphics/FCRect.h"

#include <cstdint>

// A few rectangles known to be painted over later, so that what lies beneath
// them can be left unpainted. Holds a fixed number; a rectangle beyond that
// is dropped, which only costs painting beneath it after all.
class FCRectCover
{
public:
    static constexpr std::uint32_t kCapacity = 64;

    // Empty rectangles are ignored; false when the cover is full.
    bool Add(const FCRect& rect);
    std::uint32_t GetCount() const { return count; }

    // Calls paint(piece) for disjoint rectangles that together make up the
    // part of area outside every rectangle of the cover, top to bottom.
    template <typename Paint> void ForEachUncovered(const FCRect& area, Paint&& paint) const
    {
        if (area.IsEmpty())
            return;
        std::int32_t edges[2 * kCapacity + 2];
        const std::uint32_t edgeCount = BandEdges(area, edges);
        for (std::uint32_t band = 0; band + 1 < edgeCount; ++band)
        {
            const std::int32_t top = edges[band];
            const std::int32_t bottom = edges[band + 1];
            Span spans[kCapacity];
            const std::uint32_t spanCount = BandSpans(area, top, bottom, spans);
            std::int32_t x = area.left;
            for (std::uint32_t i = 0; i < spanCount; ++i)
            {
                if (spans[i].left > x)
                    paint(FCRect(x, top, spans[i].left, bottom));
                if (spans[i].right > x)
                    x = spans[i].right;
            }
            if (x < area.right)
                paint(FCRect(x, top, area.right, bottom));
        }
    }

private:
    struct Span
    {
        std::int32_t left;
        std::int32_t right;
    };
    // The sorted, distinct top and bottom edges of area and of the cover's
    // rectangles inside it.
    std::uint32_t BandEdges(const FCRect& area, std::int32_t* edges) const;
    // The horizontal extents, inside area and sorted by left edge, of the
    // rectangles that cross the whole band from top to bottom.
    std::uint32_t BandSpans(const FCRect& area, std::int32_t top, std::int32_t bottom,
                            Span* spans) const;

    // Edges without FCRect's initialisers: a cover is made for every
    // drawing control, and only the used part is ever read.
    struct Box
    {
        std::int32_t left;
        std::int32_t top;
        std::int32_t right;
        std::int32_t bottom;
    };
    Box rects[kCapacity];
    std::uint32_t count = 0;
};
