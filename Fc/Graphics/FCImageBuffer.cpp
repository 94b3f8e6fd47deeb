#include "Fc/Graphics/FCImageBuffer.h"

#include "Fc/Graphics/FCBlit.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDrawFlags.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelConvert.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define FC_FILL_AVX2 1
#endif

namespace
{
std::int32_t Saturate(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// Writes count copies of one pixel value of the given depth.
void FillSpan(std::uint8_t* p, std::int32_t count, std::uint32_t colour, std::int32_t bytesPerPixel)
{
    switch (bytesPerPixel)
    {
    case 1:
        std::memset(p, static_cast<std::uint8_t>(colour), static_cast<std::size_t>(count));
        break;
    case 2:
    {
        // Eight bytes at a time. (FillRect takes 16-bit areas to FillRows16.)
        const auto v = static_cast<std::uint16_t>(colour);
        const std::uint64_t pattern = v * 0x0001000100010001ull;
        std::int32_t i = 0;
        for (; i + 4 <= count; i += 4)
            std::memcpy(p + 2 * i, &pattern, 8);
        for (; i < count; ++i)
            std::memcpy(p + 2 * i, &v, 2);
        break;
    }
    case 3:
    {
        // Same byte order as SetPixel.
        const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(colour >> 16),
                                       static_cast<std::uint8_t>(colour >> 8),
                                       static_cast<std::uint8_t>(colour)};
        for (std::int32_t i = 0; i < count; ++i)
            std::memcpy(p + 3 * i, bytes, 3);
        break;
    }
    case 4:
        for (std::int32_t i = 0; i < count; ++i)
            std::memcpy(p + 4 * i, &colour, 4);
        break;
    default:
        break;
    }
}

#if defined(FC_FILL_AVX2)
// Rows of at least 16 pixels in 32-byte stores, the rest of each row as one
// store overlapping the last full one.
__attribute__((target("avx2"))) void FillWideRows16Avx2(std::uint8_t* row, std::size_t bytes,
                                                        std::int32_t rows, std::int32_t pitch,
                                                        std::uint16_t v)
{
    const __m256i wide = _mm256_set1_epi16(static_cast<short>(v));
    for (std::int32_t r = 0; r < rows; ++r, row += pitch)
    {
        std::size_t i = 0;
        for (; i + 128 <= bytes; i += 128)
        {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i), wide);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i + 32), wide);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i + 64), wide);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i + 96), wide);
        }
        for (; i + 32 <= bytes; i += 32)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + i), wide);
        if (i < bytes)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + bytes - 32), wide);
    }
}

const bool g_hasAvx2 = []
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}();
#endif

// 16-bit areas row by row, the width case chosen once per area: narrow
// bands (outlines, separators) in two overlapping stores per row, wide rows
// with the widest stores the processor has. A library copy per row would
// cost more than most rows.
void FillRows16(std::uint8_t* row, std::int32_t count, std::int32_t rows, std::int32_t pitch,
                std::uint16_t v)
{
    const std::size_t bytes = static_cast<std::size_t>(count) * 2;
#if defined(FC_FILL_AVX2)
    if (bytes >= 32 && g_hasAvx2)
    {
        FillWideRows16Avx2(row, bytes, rows, pitch, v);
        return;
    }
#endif
    const std::uint64_t pattern = v * 0x0001000100010001ull;
    if (bytes >= 16)
    {
        std::uint8_t block[16];
        std::memcpy(block, &pattern, 8);
        std::memcpy(block + 8, &pattern, 8);
        for (std::int32_t r = 0; r < rows; ++r, row += pitch)
        {
            std::size_t i = 0;
            for (; i + 16 <= bytes; i += 16)
                std::memcpy(row + i, block, 16);
            if (i < bytes)
                std::memcpy(row + bytes - 16, block, 16);
        }
    }
    else if (bytes >= 8)
    {
        for (std::int32_t r = 0; r < rows; ++r, row += pitch)
        {
            std::memcpy(row, &pattern, 8);
            std::memcpy(row + bytes - 8, &pattern, 8);
        }
    }
    else if (bytes >= 4)
    {
        const auto pair = static_cast<std::uint32_t>(pattern);
        for (std::int32_t r = 0; r < rows; ++r, row += pitch)
        {
            std::memcpy(row, &pair, 4);
            std::memcpy(row + bytes - 4, &pair, 4);
        }
    }
    else
    {
        // One pixel wide: the sides of an outline.
        for (std::int32_t r = 0; r < rows; ++r, row += pitch)
            std::memcpy(row, &v, 2);
    }
}
} // namespace

FCImageBuffer::FCImageBuffer() = default;

FCImageBuffer::FCImageBuffer(std::int32_t newWidth, std::int32_t newHeight,
                             const FCPixelFormat& newFormat)
    : format(newFormat)
{
    Allocate(newWidth, newHeight);
}

FCImageBuffer* FCImageBuffer::Create(std::int32_t newWidth, std::int32_t newHeight,
                                     const FCPixelFormat& newFormat)
{
    auto* buffer = new FCImageBuffer(newWidth, newHeight, newFormat);
    if (buffer->width != newWidth || buffer->height != newHeight)
    {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

FCImageBuffer::~FCImageBuffer()
{
    FreePixels();
    delete palette;
}

void FCImageBuffer::SetPalette(FCPalette* newPalette)
{
    if (newPalette == palette)
        return;
    delete palette;
    palette = newPalette;
}

bool FCImageBuffer::Allocate(std::int32_t newWidth, std::int32_t newHeight)
{
    width = height = pitch = 0;
    const std::int32_t bytesPerPixel = format.BytesPerPixel();
    if (newWidth < 0 || newHeight < 0 || newWidth > kMaxDimension || newHeight > kMaxDimension)
    {
        FC_LOG("Image buffer: refused size %d x %d\n", newWidth, newHeight);
        return false;
    }
    // Both factors are at most 32,767 and bytesPerPixel at most 4, so the
    // product fits in 64 bits.
    const std::uint64_t bytes =
        std::uint64_t(bytesPerPixel) * std::uint64_t(newWidth) * std::uint64_t(newHeight);
    if (bytes > kMaxBytes)
    {
        FC_LOG("Image buffer: refused size %d x %d (%llu bytes)\n", newWidth, newHeight,
               static_cast<unsigned long long>(bytes));
        return false;
    }
    if (bytes > 0)
    {
        pixels = new (std::nothrow) std::uint8_t[bytes];
        if (!pixels)
        {
            FC_LOG("Image buffer: out of memory for %d x %d\n", newWidth, newHeight);
            return false;
        }
        ownsPixels = 1;
    }
    width = newWidth;
    height = newHeight;
    pitch = bytesPerPixel * newWidth;
    return true;
}

void FCImageBuffer::FreePixels()
{
    if (ownsPixels)
        delete[] pixels;
    pixels = nullptr;
}

std::uint8_t* FCImageBuffer::Resize(std::int32_t newWidth, std::int32_t newHeight)
{
    FreePixels();
    // The new block is ours whoever owned the old one.
    ownsPixels = 1;
    Allocate(newWidth, newHeight);
    return pixels;
}

std::uint8_t* FCImageBuffer::Lock()
{
    return pixels;
}

bool FCImageBuffer::Unlock()
{
    return true;
}

bool FCImageBuffer::FillRect(std::uint32_t colour, const FCRect& rect)
{
    if (!pixels)
        return false;
    FCRect area;
    if (rect == FCRect())
        area = GetBounds();
    else if (!area.Intersect(rect, GetBounds()))
        return true;
    const std::int32_t bytesPerPixel = format.BytesPerPixel();
    std::uint8_t* row = PixelAddress(area.left, area.top);
    const std::int32_t count = area.right - area.left;
    const std::int32_t rows = area.bottom - area.top;
    if (bytesPerPixel == 2)
    {
        FillRows16(row, count, rows, pitch, static_cast<std::uint16_t>(colour));
        return true;
    }
    // Fill one row, then copy it: a row copy is as fast as memory goes.
    const std::uint8_t* first = row;
    FillSpan(row, count, colour, bytesPerPixel);
    const auto rowBytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(bytesPerPixel);
    for (std::int32_t r = 1; r < rows; ++r)
    {
        row += pitch;
        std::memcpy(row, first, rowBytes);
    }
    return true;
}

bool FCImageBuffer::Clear(std::uint32_t colour)
{
    return FillRect(colour, FCRect());
}

namespace
{
// The four bands of an outline: top, left, right, bottom.
void FrameBands(const FCRect& r, std::int32_t t, FCRect (&bands)[4])
{
    const auto add = [](std::int32_t a, std::int32_t b) { return Saturate(std::int64_t{a} + b); };
    bands[0] = FCRect(r.left, r.top, r.right, add(r.top, t));
    bands[1] = FCRect(r.left, add(r.top, t), add(r.left, t), add(r.bottom, -t));
    bands[2] = FCRect(add(r.right, -t), add(r.top, t), r.right, add(r.bottom, -t));
    bands[3] = FCRect(r.left, add(r.bottom, -t), r.right, r.bottom);
}
} // namespace

bool FCImageBuffer::DrawFrameClipped(std::uint32_t colour, const FCRect& rect, const FCRect& clip,
                                     std::uint16_t thickness)
{
    if (!pixels)
        return false;
    FCRect bands[4];
    FrameBands(rect, thickness, bands);
    for (const FCRect& band : bands)
    {
        // Empty bands are skipped here: FillRect reads an all-zero rectangle
        // as the whole buffer.
        FCRect part;
        if (part.Intersect(band, clip) && !FillRect(colour, part))
            return false;
    }
    return true;
}

bool FCImageBuffer::DrawFrame(std::uint32_t colour, const FCRect& rect, std::uint16_t thickness)
{
    return DrawFrameClipped(colour, rect, rect, thickness);
}

bool FCImageBuffer::Blit(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                         std::uint32_t /*flags*/)
{
    if (!source || source->format.bitsPerPixel != format.bitsPerPixel ||
        format.BytesPerPixel() == 0)
    {
        FC_LOG("Image buffer: blit refused (no source or a different depth)\n");
        return false;
    }
    std::uint8_t* from = source->Lock();
    std::uint8_t* to = Lock();
    if (!from || !to)
    {
        if (from)
            source->Unlock();
        if (to)
            Unlock();
        return false;
    }
    // Clip the source to its buffer, then the target to ours, moving the
    // other rectangle along. 64-bit, so that no coordinate can overflow.
    FCRect src;
    if (src.Intersect(sourceRect, source->GetBounds()))
    {
        const std::int64_t dx = std::int64_t{target.x} + (std::int64_t{src.left} - sourceRect.left);
        const std::int64_t dy = std::int64_t{target.y} + (std::int64_t{src.top} - sourceRect.top);
        const std::int64_t left = std::max<std::int64_t>(dx, 0);
        const std::int64_t top = std::max<std::int64_t>(dy, 0);
        const std::int64_t right = std::min<std::int64_t>(dx + src.Width(), width);
        const std::int64_t bottom = std::min<std::int64_t>(dy + src.Height(), height);
        if (left < right && top < bottom)
        {
            const auto sx = static_cast<std::int32_t>(src.left + (left - dx));
            const auto sy = static_cast<std::int32_t>(src.top + (top - dy));
            const auto x = static_cast<std::int32_t>(left);
            const auto y = static_cast<std::int32_t>(top);
            const auto rows = static_cast<std::int32_t>(bottom - top);
            const auto bytes = static_cast<std::size_t>(right - left) *
                               static_cast<std::size_t>(format.BytesPerPixel());
            // A copy within one buffer moving down must run bottom-up.
            const bool bottomUp = source == this && y > sy;
            for (std::int32_t k = 0; k < rows; ++k)
            {
                const std::int32_t row = bottomUp ? rows - 1 - k : k;
                std::memmove(PixelAddress(x, y + row), source->PixelAddress(sx, sy + row), bytes);
            }
        }
    }
    source->Unlock();
    Unlock();
    return true;
}

bool FCImageBuffer::BlitFast(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                             std::uint32_t flags)
{
    return FCImageBuffer::Blit(target, source, sourceRect, flags);
}

void FCImageBuffer::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value)
{
    if (!pixels || !IsInside(x, y))
        return;
    std::uint8_t* p = PixelAddress(x, y);
    switch (format.bitsPerPixel)
    {
    case 8:
        *p = static_cast<std::uint8_t>(value);
        break;
    case 16:
    {
        const auto v = static_cast<std::uint16_t>(value);
        std::memcpy(p, &v, 2);
        break;
    }
    case 24:
        p[0] = static_cast<std::uint8_t>(value >> 16);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value);
        break;
    case 32:
        std::memcpy(p, &value, 4);
        break;
    default:
        break;
    }
}

std::int32_t FCImageBuffer::WriteRow(std::int32_t x, std::int32_t y, const void* source,
                                     std::int32_t byteCount)
{
    if (!pixels || !source || byteCount <= 0 || !IsInside(x, y))
        return 0;
    const std::int64_t room = std::int64_t{width - x} * format.BytesPerPixel();
    const auto count = static_cast<std::int32_t>(std::min<std::int64_t>(byteCount, room));
    std::memmove(PixelAddress(x, y), source, static_cast<std::size_t>(count));
    return count;
}

void FCImageBuffer::WriteRowKeyed(std::int32_t x, std::int32_t y, const std::uint16_t* source,
                                  std::int32_t byteCount, std::uint16_t key)
{
    if (format.bitsPerPixel != 16 || !pixels || !source || byteCount <= 0 || !IsInside(x, y))
        return;
    const std::int32_t count = std::min((byteCount - 1) / 2 + 1, width - x);
    std::uint8_t* p = PixelAddress(x, y);
    for (std::int32_t i = 0; i < count; ++i)
    {
        std::uint16_t v;
        std::memcpy(&v, source + i, 2);
        if (v != key)
            std::memcpy(p + 2 * i, &v, 2);
    }
}

std::uint8_t FCImageBuffer::GetByte(std::int32_t x, std::int32_t y)
{
    if (!pixels || !IsInside(x, y) || format.BytesPerPixel() == 0)
        return 0;
    return *PixelAddress(x, y);
}

std::uint32_t FCImageBuffer::GetPixel(std::int32_t x, std::int32_t y, const FCPixelFormat& wanted)
{
    if (!pixels || !IsInside(x, y) || format.BytesPerPixel() == 0)
        return 0;
    return ConvertPixel(PixelAddress(x, y), palette, format, wanted);
}

bool FCImageBuffer::Draw(FCImageBuffer* target, FCPoint point, const FCRect& clip,
                         std::uint16_t flags)
{
    if (!target || target->format.bitsPerPixel != 16)
    {
        FC_LOG("Image buffer: drawing needs a 16-bit target\n");
        return false;
    }
    const std::uint16_t depth = format.bitsPerPixel;
    if ((depth != 16 && depth != 8) || (depth == 8 && !palette))
        return false;

    const bool turned = (flags & kDrawTurnMask) != 0;
    const std::int32_t w = turned ? height : width;
    const std::int32_t h = turned ? width : height;
    const FCRect drawn(point.x, point.y, Saturate(std::int64_t{point.x} + w),
                       Saturate(std::int64_t{point.y} + h));
    FCRect clipped;
    if (!clipped.Intersect(drawn, clip) || !clipped.Intersect(clipped, target->GetBounds()))
        return false;

    const std::int32_t clippedW = clipped.right - clipped.left;
    const std::int32_t clippedH = clipped.bottom - clipped.top;
    const bool mirrorX = (flags & kDrawMirrorXMask) != 0;
    const bool mirrorY = (flags & kDrawMirrorYMask) != 0;
    FCRect source;
    if (flags & kDrawTurnLeft)
    {
        source.left = drawn.bottom - clipped.bottom;
        source.top = clipped.left - drawn.left;
        source.right = source.left + clippedH;
        source.bottom = source.top + clippedW;
    }
    else if (flags & kDrawTurnRight)
    {
        source.left = clipped.top - drawn.top;
        source.top = drawn.right - clipped.right;
        source.right = source.left + clippedH;
        source.bottom = source.top + clippedW;
    }
    else
    {
        source.left = mirrorX ? drawn.right - clipped.right : clipped.left - drawn.left;
        source.top = mirrorY ? drawn.bottom - clipped.bottom : clipped.top - drawn.top;
        source.right = source.left + clippedW;
        source.bottom = source.top + clippedH;
    }

    std::uint8_t* to = target->Lock();
    if (!to)
        return false;
    const std::uint8_t* from = Lock();
    if (!from)
    {
        target->Unlock();
        return false;
    }

    const std::int32_t tp = target->pitch;
    const std::int32_t x = clipped.left;
    const std::int32_t y = clipped.top;
    const std::uint16_t direction =
        (flags & kDrawTurnLeft) ? kTurnCounterClockwise : kTurnClockwise;
    const bool keyed = colourKey != 0;
    if (depth == 16)
    {
        if (turned)
            keyed ? BlitKeyedRotated16(to, tp, x, y, from, pitch, source, colourKey, direction)
                  : BlitRotated16(to, tp, x, y, from, pitch, source, direction);
        else if (mirrorX || mirrorY)
            keyed ? BlitKeyedMirrored16(to, tp, x, y, from, pitch, source, colourKey, mirrorX,
                                        mirrorY)
                  : BlitMirrored16(to, tp, x, y, from, pitch, source, mirrorX, mirrorY);
        else
            keyed ? BlitKeyed16(to, tp, x, y, from, pitch, source, colourKey)
                  : Blit16(to, tp, x, y, from, pitch, source);
    }
    else
    {
        const FCPalette& pal = *palette;
        if (turned)
            keyed ? BlitKeyedRotated8(to, tp, x, y, from, pitch, source, pal, colourKey, direction)
                  : BlitRotated8(to, tp, x, y, from, pitch, source, pal, direction);
        else if (mirrorX || mirrorY)
            keyed ? BlitKeyedMirrored8(to, tp, x, y, from, pitch, source, pal, colourKey, mirrorX,
                                       mirrorY)
                  : BlitMirrored8(to, tp, x, y, from, pitch, source, pal, mirrorX, mirrorY);
        else
            keyed ? BlitKeyed8(to, tp, x, y, from, pitch, source, pal, colourKey)
                  : Blit8(to, tp, x, y, from, pitch, source, pal);
    }

    target->Unlock();
    return Unlock();
}
