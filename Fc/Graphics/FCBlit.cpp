#include "Fc/Graphics/FCBlit.h"

#include "Fc/Graphics/FCPalette.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
using Byte = std::uint8_t;

// Rows up to this many bytes are copied without a library call.
constexpr std::size_t kShortRowBytes = 64;

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
// Blocks of 8, 16 or 32 bytes, moved through registers.
template <std::size_t Block> struct RowBlock;

template <> struct RowBlock<8>
{
    std::uint64_t v;
    void Load(const Byte* p) { std::memcpy(&v, p, 8); }
    void Store(Byte* p) const { std::memcpy(p, &v, 8); }
};

#if defined(__SSE2__)
template <> struct RowBlock<16>
{
    __m128i v;
    void Load(const Byte* p) { v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    void Store(Byte* p) const { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
};

template <> struct RowBlock<32>
{
    __m128i a;
    __m128i b;
    void Load(const Byte* p)
    {
        a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    }
    void Store(Byte* p) const
    {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b);
    }
};
#else
template <std::size_t Block> struct RowBlock
{
    std::uint64_t v[Block / 8];
    void Load(const Byte* p) { std::memcpy(v, p, Block); }
    void Store(Byte* p) const { std::memcpy(p, v, Block); }
};
#endif

// Copies rows of Block to 2 * Block bytes: the first Block bytes and the
// last Block bytes of each row, both loaded before either is stored.
template <std::size_t Block> void CopyRow(Byte* t, const Byte* s, std::size_t bytes)
{
    RowBlock<Block> head;
    RowBlock<Block> tail;
    head.Load(s);
    tail.Load(s + bytes - Block);
    head.Store(t);
    tail.Store(t + bytes - Block);
}

// Two rows per step: glyphs are a dozen rows of a few pixels.
template <std::size_t Block>
void CopyRows(Byte* t, std::int32_t targetPitch, const Byte* s, std::int32_t sourcePitch,
              std::int32_t rows, std::size_t bytes)
{
    std::int32_t r = 0;
    const std::ptrdiff_t targetStep = 2 * std::ptrdiff_t{targetPitch};
    const std::ptrdiff_t sourceStep = 2 * std::ptrdiff_t{sourcePitch};
    for (; r + 2 <= rows; r += 2, t += targetStep, s += sourceStep)
    {
        CopyRow<Block>(t, s, bytes);
        CopyRow<Block>(t + targetPitch, s + sourcePitch, bytes);
    }
    if (r < rows)
        CopyRow<Block>(t, s, bytes);
}
} // namespace

void CopyRow16(void* target, const void* source, std::int32_t count)
{
    if (count <= 0)
        return;
    const std::size_t bytes = static_cast<std::size_t>(count) * 2;
    auto* t = static_cast<Byte*>(target);
    const auto* s = static_cast<const Byte*>(source);
    if (bytes > kShortRowBytes)
    {
        std::memcpy(t, s, bytes);
        return;
    }
    // Glyph and icon rows are a few pixels long: copied inline, since a
    // library call per row would cost more than the copy.
    if (bytes < 8)
    {
        for (std::size_t i = 0; i < bytes; i += 2)
            Store16(t + i, Load16(s + i));
        return;
    }
    // Whole words, then a last word that may overlap the one before.
    std::uint64_t last;
    std::memcpy(&last, s + bytes - 8, 8);
    for (std::size_t i = 0; i + 8 < bytes; i += 8)
    {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        std::memcpy(t + i, &word, 8);
    }
    std::memcpy(t + bytes - 8, &last, 8);
}

void Blit16(void* target, std::int32_t targetPitch, std::int32_t x, std::int32_t y,
            const void* source, std::int32_t sourcePitch, const FCRect& sourceRect)
{
    const Area a(source, sourcePitch, sourceRect, 2);
    if (a.IsEmpty())
        return;
    Byte* t = TargetRow(target, targetPitch, y, x);
    const Byte* s = a.source;
    const std::size_t bytes = static_cast<std::size_t>(a.w) * 2;
    // Glyph- and icon-sized rows are copied inline as two or four blocks,
    // the later ones overlapping the earlier as far as needed; a library
    // call per row would cost more than the copy. The width case is chosen
    // once for the whole rectangle.
    if (bytes >= 8 && bytes <= 16)
        CopyRows<8>(t, targetPitch, s, a.sourcePitch, a.h, bytes);
    else if (bytes > 16 && bytes <= 32)
        CopyRows<16>(t, targetPitch, s, a.sourcePitch, a.h, bytes);
    else if (bytes > 32 && bytes <= 64)
        CopyRows<32>(t, targetPitch, s, a.sourcePitch, a.h, bytes);
    else
        for (std::int32_t r = 0; r < a.h; ++r, t += targetPitch, s += a.sourcePitch)
            CopyRow16(t, s, a.w);
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
