#include "Fc/Graphics/FCImageSet.h"

#include "Fc/Graphics/FCBlit.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCImageSet16.h"
#include "Fc/Graphics/FCImageSet8.h"

#include <algorithm>
#include <cstring>

namespace
{
// Glyph-sized rows of 8 to 16 bytes, as two overlapping words each: the
// general blitter's setup would cost more than the copy. Locals only, so
// that stores through the pixel pointers cannot alias anything read here.
void CopyShortRows(std::uint8_t* to, std::int32_t toPitch, const std::uint8_t* from,
                   std::int32_t fromPitch, std::size_t rowBytes, std::int32_t rows)
{
    for (; rows > 0; --rows, to += toPitch, from += fromPitch)
    {
        std::uint64_t head;
        std::uint64_t tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + rowBytes - 8, 8);
        std::memcpy(to, &head, 8);
        std::memcpy(to + rowBytes - 8, &tail, 8);
    }
}

bool ExtentsInRange(std::uint32_t fullWidth, std::uint32_t fullHeight, std::uint32_t offsetX,
                    std::uint32_t offsetY, std::uint32_t width, std::uint32_t height)
{
    constexpr std::uint32_t kMax = FCImageSet::kMaxFrameExtent;
    return fullWidth <= kMax && fullHeight <= kMax && offsetX <= kMax && offsetY <= kMax &&
           width <= kMax && height <= kMax;
}

std::uint64_t FrameBytes(const FCImageFrame& frame, std::uint32_t bytesPerPixel)
{
    return std::uint64_t{frame.width} * frame.height * bytesPerPixel;
}

bool ReadFrame(FCFile& file, FCImageFrame& frame)
{
    return file.ReadU32(frame.fullWidth) && file.ReadU32(frame.fullHeight) &&
           file.ReadU32(frame.offsetX) && file.ReadU32(frame.offsetY) &&
           file.ReadU32(frame.width) && file.ReadU32(frame.height) &&
           file.ReadU8(frame.hasTransparency) && file.ReadU32(frame.dataOffset);
}
} // namespace

FCImageSet::FCImageSet(std::uint16_t setEncoding, const FCPixelFormat& setFormat,
                       std::int16_t reserve)
    : encoding(setEncoding), format(setFormat), storedFormat(setFormat)
{
    if (reserve > 0)
        frames.reserve(static_cast<std::size_t>(reserve));
}

FCImageSet::~FCImageSet() = default;

void FCImageSet::Reset()
{
    frames.clear();
    pixelData.reset();
    pixelDataSize = 0;
    loadedBytes = 0;
    palette.reset();
    filePalette.reset();
    format = storedFormat;
    colourKey = 0;
}

bool FCImageSet::Load(FCFile& file, bool withPixels)
{
    // A reload starts from nothing: old frames would otherwise point into the
    // new pixel data, and a set converted for the screen would be converted
    // a second time.
    Reset();

    const std::uint32_t fileSize = file.GetSize();
    const std::uint32_t start = file.Tell();
    if (fileSize == FCFile::kInvalidPosition || start == FCFile::kInvalidPosition ||
        start > fileSize)
    {
        FC_LOG("Image set file is not readable.\n");
        return false;
    }
    if (!ReadFrames(file, fileSize - start))
    {
        Reset();
        return false;
    }

    std::uint32_t declaredSize = 0;
    if (!file.ReadU32(colourKey) || !file.ReadU32(declaredSize))
    {
        FC_LOG("Image set ends inside its header.\n");
        Reset();
        return false;
    }
    pixelDataSize = declaredSize;
    for (const FCImageFrame& frame : frames)
    {
        if (!FrameFitsPixelData(frame))
        {
            FC_LOG("Image set frame lies outside the pixel data (%u bytes).\n", pixelDataSize);
            Reset();
            return false;
        }
    }
    if (!withPixels)
        return true;

    const std::uint32_t position = file.Tell();
    if (position == FCFile::kInvalidPosition || position > fileSize ||
        pixelDataSize > fileSize - position)
    {
        FC_LOG("Image set pixel data (%u bytes) runs past the end of the file.\n", pixelDataSize);
        Reset();
        return false;
    }
    if (pixelDataSize > 0)
    {
        // Not zeroed first: the read fills it, and a short read discards it.
        pixelData = std::make_unique_for_overwrite<std::uint8_t[]>(pixelDataSize);
        if (!file.Read(pixelData.get(), pixelDataSize))
        {
            FC_LOG("Image set pixel data is short.\n");
            Reset();
            return false;
        }
    }
    loadedBytes = pixelDataSize;

    std::int16_t paletteFlag = 0;
    if (!file.ReadI16(paletteFlag))
    {
        FC_LOG("Image set ends before its palette flag.\n");
        Reset();
        return false;
    }
    if (paletteFlag > 0)
    {
        auto newPalette = std::make_unique<FCPalette>();
        if (!newPalette->Read(file))
        {
            FC_LOG("Image set palette is damaged.\n");
            Reset();
            return false;
        }
        palette = std::move(newPalette);
        filePalette = std::make_unique<FCPalette>(palette.get());
    }
    if (encoding == kEncoding8 && !palette)
    {
        // Palette indices without a palette have no colours to draw with.
        FC_LOG("Palettised image set has no palette.\n");
        Reset();
        return false;
    }
    PrepareForScreen();
    return true;
}

bool FCImageSet::ReadFrames(FCFile& file, std::uint32_t bytesLeft)
{
    std::int16_t count = 0;
    if (!file.ReadI16(count))
    {
        FC_LOG("Image set ends before its frame count.\n");
        return false;
    }
    if (count < 0)
    {
        FC_LOG("Image set has a negative frame count (%d).\n", count);
        return false;
    }
    // Frame records, colour key and pixel-data size must all be there before
    // any room is reserved for them.
    const std::uint64_t needed =
        2 + std::uint64_t{static_cast<std::uint16_t>(count)} * FCImageFrame::kFileSize + 8;
    if (needed > bytesLeft)
    {
        FC_LOG("Image set claims %d frames but the file is too short.\n", count);
        return false;
    }
    frames.reserve(static_cast<std::size_t>(count));
    for (std::int16_t i = 0; i < count; ++i)
    {
        FCImageFrame frame;
        if (!ReadFrame(file, frame))
        {
            FC_LOG("Image set frame %d is short.\n", i);
            return false;
        }
        frames.push_back(frame);
    }
    return true;
}

bool FCImageSet::FrameFitsPixelData(const FCImageFrame& frame) const
{
    if (!ExtentsInRange(frame.fullWidth, frame.fullHeight, frame.offsetX, frame.offsetY,
                        frame.width, frame.height))
        return false;
    return std::uint64_t{frame.dataOffset} + FrameBytes(frame, BytesPerPixel()) <= pixelDataSize;
}

bool FCImageSet::AddFrame(std::uint32_t fullWidth, std::uint32_t fullHeight, std::uint32_t offsetX,
                          std::uint32_t offsetY, std::uint32_t width, std::uint32_t height,
                          std::uint8_t hasTransparency, const std::uint8_t* pixels,
                          std::uint32_t byteCount)
{
    if (!ExtentsInRange(fullWidth, fullHeight, offsetX, offsetY, width, height) ||
        frames.size() >= 0x7FFF)
    {
        FC_LOG("Image set frame out of range.\n");
        return false;
    }
    FCImageFrame frame{fullWidth, fullHeight, offsetX,         offsetY,
                       width,     height,     hasTransparency, pixelDataSize};
    const std::uint64_t needed = FrameBytes(frame, BytesPerPixel());
    if (byteCount < needed || (byteCount > 0 && !pixels) || loadedBytes != pixelDataSize ||
        std::uint64_t{pixelDataSize} + byteCount > 0xFFFFFFFFu)
    {
        FC_LOG("Image set frame has %u bytes for %llu.\n", byteCount,
               static_cast<unsigned long long>(needed));
        return false;
    }
    if (byteCount > 0)
    {
        auto grown = std::make_unique<std::uint8_t[]>(std::size_t{pixelDataSize} + byteCount);
        if (pixelDataSize > 0)
            std::memcpy(grown.get(), pixelData.get(), pixelDataSize);
        std::memcpy(grown.get() + pixelDataSize, pixels, byteCount);
        pixelData = std::move(grown);
        pixelDataSize += byteCount;
        loadedBytes = pixelDataSize;
    }
    frames.push_back(frame);
    return true;
}

void FCImageSet::SetPalette(std::unique_ptr<FCPalette> newPalette)
{
    palette = std::move(newPalette);
    filePalette = palette ? std::make_unique<FCPalette>(palette.get()) : nullptr;
}

FCRect FCImageSet::GetFrameRect(std::int16_t frame, std::uint32_t flags) const
{
    const FCImageFrame* f = GetFrame(frame);
    if (!f)
        return FCRect();
    // Extents are bounded at load, so none of this leaves 32 bits.
    const auto fullWidth = static_cast<std::int32_t>(f->fullWidth);
    const auto fullHeight = static_cast<std::int32_t>(f->fullHeight);
    const auto width = static_cast<std::int32_t>(f->width);
    const auto height = static_cast<std::int32_t>(f->height);
    const auto offsetX = static_cast<std::int32_t>(f->offsetX);
    const auto offsetY = static_cast<std::int32_t>(f->offsetY);
    const std::int32_t left = (flags & kDrawMirrorFrameX) ? fullWidth - width - offsetX : offsetX;
    const std::int32_t top = (flags & kDrawMirrorFrameY) ? fullHeight - height - offsetY : offsetY;
    return FCRect(left, top, left + width, top + height);
}

bool FCImageSet::DrawFrame(std::int16_t frame, FCImageBuffer& target, FCPoint point,
                           const FCRect& clip, std::uint32_t flags)
{
    const FCImageFrame* f = GetFrame(frame);
    if (!f || !GetFramePixels(*f) || target.GetFormat().bitsPerPixel != 16)
        return false;
    if (encoding == kEncoding8 && !palette)
        return false;

    FCRect drawn = GetFrameRect(frame, flags);
    drawn.Offset(point.x, point.y);
    // The caller's clip may reach past the buffer; the blitters must not.
    FCRect visible;
    if (!visible.Intersect(clip, FCRect(0, 0, target.GetWidth(), target.GetHeight())) ||
        !visible.Intersect(visible, drawn))
        return false;

    const std::int32_t left =
        (flags & kDrawMirrorXMask) ? drawn.right - visible.right : visible.left - drawn.left;
    const std::int32_t top =
        (flags & kDrawMirrorYMask) ? drawn.bottom - visible.bottom : visible.top - drawn.top;
    const FCRect source(left, top, left + (visible.right - visible.left),
                        top + (visible.bottom - visible.top));

    PrepareForTarget(target.GetFormat());
    auto* pixels = static_cast<std::uint8_t*>(target.Lock());
    if (!pixels)
        return false;
    const std::int32_t pitch = target.GetPitch();
    const bool mirrored = (flags & kDrawMirrorMask) != 0;
    const bool mirrorX = (flags & kDrawMirrorXMask) != 0;
    const bool mirrorY = (flags & kDrawMirrorYMask) != 0;
    if (f->hasTransparency)
    {
        if (mirrored)
            BlitFrameKeyedMirrored(*f, pixels, pitch, visible.left, visible.top, source, colourKey,
                                   mirrorX, mirrorY);
        else
            BlitFrameKeyed(*f, pixels, pitch, visible.left, visible.top, source, colourKey);
    }
    else if (mirrored)
        BlitFrameMirrored(*f, pixels, pitch, visible.left, visible.top, source, mirrorX, mirrorY);
    else
        BlitFrame(*f, pixels, pitch, visible.left, visible.top, source);
    return target.Unlock();
}

FCImageSet::Run::Run(FCImageSet& drawnSet, FCImageBuffer& drawnTarget, const FCRect& clip)
    : set(drawnSet), target(drawnTarget)
{
    usable = target.GetFormat().bitsPerPixel == 16 &&
             !(set.encoding == kEncoding8 && !set.palette) &&
             visible.Intersect(clip, FCRect(0, 0, target.GetWidth(), target.GetHeight()));
    direct16 = usable && set.BlitsStraight16();
}

FCImageSet::Run::~Run()
{
    if (pixels)
        target.Unlock();
}

bool FCImageSet::Run::Begin()
{
    if (!pixels)
    {
        set.PrepareForTarget(target.GetFormat());
        pixels = target.Lock();
        pitch = target.GetPitch();
    }
    return pixels != nullptr;
}

bool FCImageSet::Run::Draw(const FCImageFrame& frame, FCPoint point)
{
    // Most glyphs are short opaque rows wholly inside the clip: one
    // containment test, then straight to the rows.
    if (direct16 && !frame.hasTransparency && frame.width >= 4 && frame.width <= 8 &&
        frame.height > 0)
    {
        const std::int64_t left = std::int64_t{point.x} + frame.offsetX;
        const std::int64_t top = std::int64_t{point.y} + frame.offsetY;
        if (left >= visible.left && top >= visible.top && left + frame.width <= visible.right &&
            top + frame.height <= visible.bottom)
        {
            const std::uint8_t* framePixels = set.GetFramePixels(frame);
            if (!framePixels || !Begin())
                return false;
            CopyShortRows(pixels + top * pitch + left * 2, pitch, framePixels,
                          static_cast<std::int32_t>(frame.width * 2), frame.width * 2,
                          static_cast<std::int32_t>(frame.height));
            return true;
        }
    }
    const std::uint8_t* framePixels = usable ? set.GetFramePixels(frame) : nullptr;
    if (!framePixels)
        return false;
    // The stored rectangle at point, in 64 bits: clipped against the 32-bit
    // visible area this gives what DrawFrame's saturated rectangle gives,
    // without saturating four edges per glyph.
    const std::int64_t drawnLeft = std::int64_t{point.x} + frame.offsetX;
    const std::int64_t drawnTop = std::int64_t{point.y} + frame.offsetY;
    const std::int64_t drawnRight = drawnLeft + frame.width;
    const std::int64_t drawnBottom = drawnTop + frame.height;
    const std::int64_t shownLeft = std::max<std::int64_t>(visible.left, drawnLeft);
    const std::int64_t shownTop = std::max<std::int64_t>(visible.top, drawnTop);
    const std::int64_t shownRight = std::min<std::int64_t>(visible.right, drawnRight);
    const std::int64_t shownBottom = std::min<std::int64_t>(visible.bottom, drawnBottom);
    if (shownLeft >= shownRight || shownTop >= shownBottom)
        return false;
    // Inside the visible area now, so every edge fits 32 bits.
    const FCRect shown(static_cast<std::int32_t>(shownLeft), static_cast<std::int32_t>(shownTop),
                       static_cast<std::int32_t>(shownRight),
                       static_cast<std::int32_t>(shownBottom));
    const auto left = static_cast<std::int32_t>(shown.left - drawnLeft);
    const auto top = static_cast<std::int32_t>(shown.top - drawnTop);
    const FCRect source(left, top, left + (shown.right - shown.left),
                        top + (shown.bottom - shown.top));
    if (!Begin())
        return false;
    if (direct16)
    {
        const auto framePitch = static_cast<std::int32_t>(frame.width * 2);
        const auto rowBytes = static_cast<std::size_t>(source.right - source.left) * 2;
        if (!frame.hasTransparency && rowBytes >= 8 && rowBytes <= 16)
        {
            CopyShortRows(pixels + std::int64_t{shown.top} * pitch + std::int64_t{shown.left} * 2,
                          pitch,
                          framePixels + std::int64_t{source.top} * framePitch +
                              std::int64_t{source.left} * 2,
                          framePitch, rowBytes, source.bottom - source.top);
            return true;
        }
        if (frame.hasTransparency)
            BlitKeyed16(pixels, pitch, shown.left, shown.top, framePixels, framePitch, source,
                        set.colourKey);
        else
            Blit16(pixels, pitch, shown.left, shown.top, framePixels, framePitch, source);
    }
    else if (frame.hasTransparency)
        set.BlitFrameKeyed(frame, pixels, pitch, shown.left, shown.top, source, set.colourKey);
    else
        set.BlitFrame(frame, pixels, pitch, shown.left, shown.top, source);
    return true;
}

bool FCImageSet::HitTestFrame(FCPoint q, std::int16_t frame, FCPoint position,
                              std::uint32_t flags) const
{
    const FCImageFrame* f = GetFrame(frame);
    if (!f)
        return false;
    FCRect drawn = GetFrameRect(frame, flags);
    drawn.Offset(position.x, position.y);
    if (!drawn.Contains(q))
        return false;
    // Without loaded pixels there is no key to find: the stored rectangle
    // counts as solid.
    if (!f->hasTransparency || !GetFramePixels(*f))
        return true;
    const FCPoint inside(q.x - drawn.left, q.y - drawn.top);
    if (!(flags & kDrawMirrorMask))
        return !IsKeyPixel(*f, inside, colourKey);
    return !IsKeyPixelMirrored(*f, inside, drawn, colourKey, (flags & kDrawMirrorXMask) != 0,
                               (flags & kDrawMirrorYMask) != 0);
}

void FCImageSet::SetColourKey(std::uint32_t key, bool)
{
    colourKey = key;
}

bool FCImageSet::AddFrameFromImage(FCImageBuffer&, const FCRect&, const FCRect&, bool)
{
    return false;
}

bool FCImageSet::CopyFrameFromImage(FCImageBuffer& image, const FCRect& nominal,
                                    const FCRect& stored, bool detectKey)
{
    const bool storedEmpty = stored.IsEmpty();
    const bool inside =
        storedEmpty || (stored.left >= 0 && stored.top >= 0 && stored.right <= image.GetWidth() &&
                        stored.bottom <= image.GetHeight());
    const bool placed =
        storedEmpty || (stored.left >= nominal.left && stored.top >= nominal.top &&
                        stored.right <= nominal.right && stored.bottom <= nominal.bottom);
    if (!inside || !placed || nominal.Width() < 0 || nominal.Height() < 0 ||
        nominal.Width() > kMaxFrameExtent || nominal.Height() > kMaxFrameExtent)
    {
        FC_LOG("Frame rectangle does not fit the picture.\n");
        return false;
    }
    const std::int32_t width = storedEmpty ? 0 : stored.right - stored.left;
    const std::int32_t height = storedEmpty ? 0 : stored.bottom - stored.top;
    const std::uint32_t bytesPerPixel = BytesPerPixel();
    std::vector<std::uint8_t> bytes(std::size_t{static_cast<std::uint32_t>(width)} *
                                    static_cast<std::uint32_t>(height) * bytesPerPixel);
    std::uint8_t hasTransparency = 0;
    std::size_t at = 0;
    for (std::int32_t y = 0; y < height; ++y)
    {
        for (std::int32_t x = 0; x < width; ++x)
        {
            const std::uint32_t pixel = image.GetPixel(stored.left + x, stored.top + y, format);
            if (detectKey && pixel == colourKey)
                hasTransparency = 1;
            bytes[at++] = static_cast<std::uint8_t>(pixel);
            if (bytesPerPixel == 2)
                bytes[at++] = static_cast<std::uint8_t>(pixel >> 8);
        }
    }
    const auto offsetX = static_cast<std::uint32_t>(storedEmpty ? 0 : stored.left - nominal.left);
    const auto offsetY = static_cast<std::uint32_t>(storedEmpty ? 0 : stored.top - nominal.top);
    return AddFrame(static_cast<std::uint32_t>(nominal.Width()),
                    static_cast<std::uint32_t>(nominal.Height()), offsetX, offsetY,
                    static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                    hasTransparency, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

void FCImageSet::PrepareForScreen() {}

void FCImageSet::PrepareForTarget(const FCPixelFormat&) {}

void FCImageSet::BlitFrame(const FCImageFrame&, std::uint8_t*, std::int32_t, std::int32_t,
                           std::int32_t, const FCRect&)
{
}

void FCImageSet::BlitFrameKeyed(const FCImageFrame&, std::uint8_t*, std::int32_t, std::int32_t,
                                std::int32_t, const FCRect&, std::uint32_t)
{
}

void FCImageSet::BlitFrameMirrored(const FCImageFrame&, std::uint8_t*, std::int32_t, std::int32_t,
                                   std::int32_t, const FCRect&, bool, bool)
{
}

void FCImageSet::BlitFrameKeyedMirrored(const FCImageFrame&, std::uint8_t*, std::int32_t,
                                        std::int32_t, std::int32_t, const FCRect&, std::uint32_t,
                                        bool, bool)
{
}

bool FCImageSet::IsKeyPixel(const FCImageFrame&, FCPoint, std::uint32_t) const
{
    return false;
}

bool FCImageSet::IsKeyPixelMirrored(const FCImageFrame& frame, FCPoint point, const FCRect& rect,
                                    std::uint32_t key, bool mirrorX, bool mirrorY) const
{
    const std::int32_t width = rect.right - rect.left;
    const std::int32_t height = rect.bottom - rect.top;
    const FCPoint source(mirrorX ? width - 1 - point.x : point.x,
                         mirrorY ? height - 1 - point.y : point.y);
    return IsKeyPixel(frame, source, key);
}

bool FCImageSet::PixelInFrame(const FCImageFrame& frame, FCPoint point) const
{
    return point.x >= 0 && point.y >= 0 && static_cast<std::uint32_t>(point.x) < frame.width &&
           static_cast<std::uint32_t>(point.y) < frame.height && GetFramePixels(frame) != nullptr;
}

FCImageSet* CreateImageSet(std::uint16_t encoding, std::int16_t reserve)
{
    switch (encoding)
    {
    case FCImageSet::kEncoding16:
        return new FCImageSet16(reserve);
    case FCImageSet::kEncoding8:
        return new FCImageSet8(reserve);
    default:
        FC_LOG("Unknown image set encoding %u.\n", encoding);
        return nullptr;
    }
}

FCImageSet* LoadImageSet(FCFile& file)
{
    std::uint16_t encoding = 0;
    if (!file.ReadU16(encoding))
    {
        FC_LOG("Image set file is empty.\n");
        return nullptr;
    }
    FCImageSet* set = CreateImageSet(encoding, 0);
    if (set && !set->Load(file, true))
    {
        set->Release();
        return nullptr;
    }
    return set;
}
