#include "Fc/FCBlit.h"

#include "Fc/FCPalette.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
using Byte = std::uint8_t;

std::uint16_t Load16(const Byte* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store16(Byte* p, std::uint16_t v)
{
    std::memcpy(p, &v, sizeof v);
}

Byte* TargetRow(void* target, std::int32_t pitch, std::int64_t row, std::int64_t column)
{
    return static_cast<Byte*>(target) + static_cast<std::ptrdiff_t>(row * pitch + column * 2);
}

// Reads raw source pixels (the value a key compares with) and turns them
// into target pixels.
struct Source16
{
    std::uint32_t Raw(const Byte* row, std::int32_t c) const { return Load16(row + 2 * c); }
    std::uint16_t Out(std::uint32_t raw) const { return static_cast<std::uint16_t>(raw); }
};

struct Source8
{
    const FCPalette& palette;
    std::uint32_t Raw(const Byte* row, std::int32_t c) const { return row[c]; }
    std::uint16_t Out(std::uint32_t raw) const
    {
        return static_cast<std::uint16_t>(palette.entries[raw]);
    }
};

struct Area
{
    const Byte* source;
    std::int32_t sourcePitch;
    std::int32_t w;
    std::int32_t h;

    Area(const void* base, std::int32_t pitch, const FCRect& r, std::int32_t bytesPerPixel)
        : source(static_cast<const Byte*>(base)), sourcePitch(pitch),
          w(r.IsEmpty() ? 0 : static_cast<std::int32_t>(r.Width())),
          h(r.IsEmpty() ? 0 : static_cast<std::int32_t>(r.Height()))
    {
        // An empty rectangle may hold any coordinates; only a real one is
        // an address inside the source.
        if (!IsEmpty())
            source += static_cast<std::ptrdiff_t>(std::int64_t{r.top} * pitch +
                                                  std::int64_t{r.left} * bytesPerPixel);
    }
    bool IsEmpty() const { return w <= 0 || h <= 0; }
    const Byte* Row(std::int32_t r) const
    {
        return source + static_cast<std::ptrdiff_t>(std::int64_t{r} * sourcePitch);
    }
};

template <class Src, bool Keyed>
void Straight(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y, const Area& a,
              Src src, std::uint32_t key)
{
    for (std::int32_t r = 0; r < a.h; ++r)
    {
        const Byte* s = a.Row(r);
        Byte* t = TargetRow(target, targetPitch, std::int64_t{y} + r, x);
        for (std::int32_t c = 0; c < a.w; ++c)
        {
            const std::uint32_t raw = src.Raw(s, c);
            if (Keyed && raw == key)
                continue;
            Store16(t + 2 * c, src.Out(raw));
        }
    }
}

template <class Src, bool Keyed>
void Mirrored(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y, const Area& a,
              Src src, std::uint32_t key, bool mirrorX, bool mirrorY)
{
    for (std::int32_t r = 0; r < a.h; ++r)
    {
        const Byte* s = a.Row(r);
        Byte* t = TargetRow(target, targetPitch, std::int64_t{y} + (mirrorY ? a.h - 1 - r : r), x);
        for (std::int32_t c = 0; c < a.w; ++c)
        {
            const std::uint32_t raw = src.Raw(s, c);
            if (Keyed && raw == key)
                continue;
            Store16(t + 2 * (mirrorX ? a.w - 1 - c : c), src.Out(raw));
        }
    }
}

template <class Src, bool Keyed>
void Rotated(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y, const Area& a,
             Src src, std::uint32_t key, std::uint16_t direction)
{
    const bool counterClockwise = direction == kTurnCounterClockwise;
    for (std::int32_t r = 0; r < a.h; ++r)
    {
        const Byte* s = a.Row(r);
        // Source row r becomes target column x + r (counter-clockwise) or
        // x + h - 1 - r (clockwise); its pixels run up or down that column.
        const std::int64_t column = std::int64_t{x} + (counterClockwise ? r : a.h - 1 - r);
        for (std::int32_t c = 0; c < a.w; ++c)
        {
            const std::uint32_t raw = src.Raw(s, c);
            if (Keyed && raw == key)
                continue;
            const std::int64_t row = std::int64_t{y} + (counterClockwise ? a.w - 1 - c : c);
            Store16(TargetRow(target, targetPitch, row, column), src.Out(raw));
        }
    }
}

// The hot path of every transparent image: eight pixels at a time, skipping
// stores entirely where a block is all key and merging where it is mixed.
void KeyedRow16(Byte* t, const Byte* s, std::int32_t count, std::uint16_t key)
{
    std::int32_t i = 0;
#if defined(__SSE2__)
    const __m128i keys = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= count; i += 8)
    {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * i));
        const __m128i isKey = _mm_cmpeq_epi16(pixels, keys);
        const int bits = _mm_movemask_epi8(isKey);
        if (bits == 0xFFFF)
            continue;
        __m128i* out = reinterpret_cast<__m128i*>(t + 2 * i);
        if (bits == 0)
        {
            _mm_storeu_si128(out, pixels);
            continue;
        }
        const __m128i old = _mm_loadu_si128(out);
        _mm_storeu_si128(out,
                         _mm_or_si128(_mm_and_si128(isKey, old), _mm_andnot_si128(isKey, pixels)));
    }
#endif
    for (; i < count; ++i)
    {
        const std::uint16_t p = Load16(s + 2 * i);
        if (p != key)
            Store16(t + 2 * i, p);
    }
}
} // namespace

void CopyRow16(void* target, const void* source, std::int32_t count)
{
    if (count > 0)
        std::memcpy(target, source, static_cast<std::size_t>(count) * 2);
}

void Blit16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
            const void* source, std::int32_t sourcePitch, const FCRect& sourceRect)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (a.IsEmpty())
        return;
    for (std::int32_t r = 0; r < a.h; ++r)
        CopyRow16(TargetRow(target, targetPitch, std::int64_t{y} + r, x), a.Row(r), a.w);
}

void BlitKeyed16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                 const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                 std::uint32_t key)
{
    if (key > 0xFFFF)
    {
        Blit16(target, targetPitch, x, y, source, sourcePitch, sourceRect);
        return;
    }
    const Area a(source, sourcePitch, sourceRect, 2);
    if (a.IsEmpty())
        return;
    for (std::int32_t r = 0; r < a.h; ++r)
        KeyedRow16(TargetRow(target, targetPitch, std::int64_t{y} + r, x), a.Row(r), a.w,
                   static_cast<std::uint16_t>(key));
}

void BlitMirrored16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                    const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                    bool mirrorX, bool mirrorY)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (!a.IsEmpty())
        Mirrored<Source16, false>(target, targetPitch, x, y, a, Source16{}, 0, mirrorX, mirrorY);
}

void BlitKeyedMirrored16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                         const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                         std::uint32_t key, bool mirrorX, bool mirrorY)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (!a.IsEmpty())
        Mirrored<Source16, true>(target, targetPitch, x, y, a, Source16{}, key, mirrorX, mirrorY);
}

void BlitRotated16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                   const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                   std::uint16_t direction)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (!a.IsEmpty())
        Rotated<Source16, false>(target, targetPitch, x, y, a, Source16{}, 0, direction);
}

void BlitKeyedRotated16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                        const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                        std::uint32_t key, std::uint16_t direction)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (!a.IsEmpty())
        Rotated<Source16, true>(target, targetPitch, x, y, a, Source16{}, key, direction);
}

void Blit8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
           const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
           const FCPalette& palette)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Straight<Source8, false>(target, targetPitch, x, y, a, Source8{palette}, 0);
}

void BlitKeyed8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                const FCPalette& palette, std::uint32_t key)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Straight<Source8, true>(target, targetPitch, x, y, a, Source8{palette}, key);
}

void BlitMirrored8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                   const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                   const FCPalette& palette, bool mirrorX, bool mirrorY)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Mirrored<Source8, false>(target, targetPitch, x, y, a, Source8{palette}, 0, mirrorX,
                                 mirrorY);
}

void BlitKeyedMirrored8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                        const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                        const FCPalette& palette, std::uint32_t key, bool mirrorX, bool mirrorY)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Mirrored<Source8, true>(target, targetPitch, x, y, a, Source8{palette}, key, mirrorX,
                                mirrorY);
}

void BlitRotated8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                  const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                  const FCPalette& palette, std::uint16_t direction)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Rotated<Source8, false>(target, targetPitch, x, y, a, Source8{palette}, 0, direction);
}

void BlitKeyedRotated8(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
                       const void* source, std::int32_t sourcePitch, const FCRect& sourceRect,
                       const FCPalette& palette, std::uint32_t key, std::uint16_t direction)
{
    const Area a(source, sourcePitch, sourceRect, 1);
    if (!a.IsEmpty())
        Rotated<Source8, true>(target, targetPitch, x, y, a, Source8{palette}, key, direction);
}
