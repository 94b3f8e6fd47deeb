#include "Fc/FCImageBuffer.h"

#include "Fc/FCBlit.h"
#include "Fc/FCDebugLog.h"
#include "Fc/FCDrawFlags.h"
#include "Fc/FCPalette.h"
#include "Fc/FCPixelConvert.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

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
        // Eight bytes at a time: interface panels fill most of the screen.
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
    // Fill one row, then copy it: a row copy is as fast as memory goes.
    std::uint8_t* first = PixelAddress(area.left, area.top);
    const std::int32_t count = area.right - area.left;
    FillSpan(first, count, colour, bytesPerPixel);
    const auto rowBytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(bytesPerPixel);
    for (std::int32_t y = area.top + 1; y < area.bottom; ++y)
        std::memcpy(PixelAddress(area.left, y), first, rowBytes);
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
