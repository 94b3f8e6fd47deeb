#include "Platform/WFCImageBufferX.h"

#include "Fc/Graphics/FCBlit.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCSurfaceBlitFlags.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
constexpr std::uint16_t kSurfaceKind = 1;

// The source columns (or rows) [from, to) of a copy of `length` pixels whose
// first one lands at `at`, cut to a source of `sourceSize` and a target of
// `targetSize`; with mirroring the source is read from its far end. The
// target start moves along with the cut. False when nothing is left.
bool ClipSpan(std::int64_t sourceStart, std::int64_t length, std::int64_t at,
              std::int64_t sourceSize, std::int64_t targetSize, bool mirror, std::int32_t& from,
              std::int32_t& to, std::int32_t& targetStart)
{
    // Target positions t in [at, at + length) read source column
    // sourceStart + (t - at), or sourceStart + length - 1 - (t - at) mirrored.
    std::int64_t first = std::max<std::int64_t>(at, 0);
    std::int64_t last = std::min<std::int64_t>(at + length, targetSize);
    if (mirror)
    {
        // Source column s is read at t = at + sourceStart + length - 1 - s.
        first = std::max(first, at + sourceStart + length - sourceSize);
        last = std::min(last, at + sourceStart + length);
    }
    else
    {
        first = std::max(first, at - sourceStart);
        last = std::min(last, at + sourceSize - sourceStart);
    }
    if (first >= last)
        return false;
    const std::int64_t offset = first - at;
    const std::int64_t count = last - first;
    const std::int64_t start = mirror ? sourceStart + length - offset - count : sourceStart + offset;
    from = static_cast<std::int32_t>(start);
    to = static_cast<std::int32_t>(start + count);
    targetStart = static_cast<std::int32_t>(first);
    return true;
}
} // namespace

WFCImageBufferX::WFCImageBufferX(std::int32_t newWidth, std::int32_t newHeight)
    : FCImageBuffer(newWidth, newHeight, FCFormat565)
{
    kind = kSurfaceKind;
}

WFCImageBufferX* WFCImageBufferX::Create(std::int32_t newWidth, std::int32_t newHeight)
{
    auto* buffer = new WFCImageBufferX(newWidth, newHeight);
    if (buffer->GetWidth() != newWidth || buffer->GetHeight() != newHeight)
    {
        buffer->Release();
        return nullptr;
    }
    return buffer;
}

bool WFCImageBufferX::Blit(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                           std::uint32_t flags)
{
    if (flags & kSurfaceBlitMirrorLeftRight)
        return Copy(target, source, sourceRect, false, true, (flags & kSurfaceBlitMirrorUpDown) != 0);
    return Copy(target, source, sourceRect, (flags & kSurfaceBlitSourceKey) != 0, false,
                (flags & kSurfaceBlitMirrorUpDown) != 0);
}

bool WFCImageBufferX::BlitFast(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                               std::uint32_t flags)
{
    return Copy(target, source, sourceRect, (flags & kSurfaceBlitSourceKey) != 0, false, false);
}

bool WFCImageBufferX::Copy(FCPoint target, FCImageBuffer* source, const FCRect& sourceRect,
                           bool keyed, bool mirrorX, bool mirrorY)
{
    if (!source || source->GetKind() != kSurfaceKind)
        return false;
    if (!keyed && !mirrorX && !mirrorY)
        return FCImageBuffer::Blit(target, source, sourceRect, 0);
    if (!pixels || !source->GetPixels())
    {
        FC_LOG("Blt failed.\r\n");
        return false;
    }
    FCRect part;
    FCPoint at;
    if (!ClipSpan(sourceRect.left, sourceRect.Width(), target.x, source->GetWidth(), width,
                  mirrorX, part.left, part.right, at.x) ||
        !ClipSpan(sourceRect.top, sourceRect.Height(), target.y, source->GetHeight(), height,
                  mirrorY, part.top, part.bottom, at.y))
        return true;

    // A keyed or mirrored copy within one surface reads from a snapshot, so
    // that no pixel is read after it was overwritten.
    const std::uint8_t* from = source->GetPixels();
    std::int32_t fromPitch = source->GetPitch();
    std::vector<std::uint8_t> snapshot;
    if (source == this)
    {
        snapshot.assign(pixels, pixels + static_cast<std::size_t>(pitch) * height);
        from = snapshot.data();
    }
    const std::uint32_t key = source->GetColourKey();
    if (keyed)
        BlitKeyedMirrored16(pixels, pitch, at.x, at.y, from, fromPitch, part, key, mirrorX, mirrorY);
    else
        BlitMirrored16(pixels, pitch, at.x, at.y, from, fromPitch, part, mirrorX, mirrorY);
    return true;
}
