#include "Fc/Graphics/FCRectCover.h"

#include <algorithm>

bool FCRectCover::Add(const FCRect& rect)
{
    if (rect.IsEmpty())
        return true;
    if (count == kCapacity)
        return false;
    rects[count++] = Box{rect.left, rect.top, rect.right, rect.bottom};
    return true;
}

std::uint32_t FCRectCover::BandEdges(const FCRect& area, std::int32_t* edges) const
{
    std::uint32_t n = 0;
    edges[n++] = area.top;
    edges[n++] = area.bottom;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const Box& r = rects[i];
        FCRect inside;
        if (!inside.Intersect(FCRect(r.left, r.top, r.right, r.bottom), area))
            continue;
        edges[n++] = inside.top;
        edges[n++] = inside.bottom;
    }
    std::sort(edges, edges + n);
    return static_cast<std::uint32_t>(std::unique(edges, edges + n) - edges);
}

std::uint32_t FCRectCover::BandSpans(const FCRect& area, std::int32_t top, std::int32_t bottom,
                                     Span* spans) const
{
    std::uint32_t n = 0;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const Box& r = rects[i];
        if (r.top > top || r.bottom < bottom)
            continue;
        const std::int32_t left = std::max(r.left, area.left);
        const std::int32_t right = std::min(r.right, area.right);
        if (left < right)
            spans[n++] = Span{left, right};
    }
    std::sort(spans, spans + n, [](const Span& a, const Span& b) { return a.left < b.left; });
    return n;
}
