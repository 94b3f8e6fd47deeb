#include "Fc/Graphics/FCImageSet16.h"

#include "Fc/Graphics/FCBlit.h"
#include "Fc/Core/FCBytes.h"
#include "Fc/Graphics/FCPixelConvert.h"
#include "Fc/Graphics/FCScreenFormat.h"

FCImageSet16::FCImageSet16(std::int16_t reserve) : FCImageSet(kEncoding16, FCFormat565, reserve) {}

void FCImageSet16::SetColourKey(std::uint32_t key, bool convert)
{
    const FCPixelFormat* screen = GetScreenFormat();
    if (convert && screen && screen->bitsPerPixel == 16)
        key = ConvertPixelValue(key, nullptr, format, *screen);
    colourKey = key;
}

bool FCImageSet16::AddFrameFromImage(FCImageBuffer& image, const FCRect& nominal,
                                     const FCRect& stored, bool detectKey)
{
    return CopyFrameFromImage(image, nominal, stored, detectKey);
}

void FCImageSet16::PrepareForScreen()
{
    if (const FCPixelFormat* screen = GetScreenFormat())
        PrepareForTarget(*screen);
}

void FCImageSet16::PrepareForTarget(const FCPixelFormat& target)
{
    // Converted once, so that every later draw is a straight copy.
    if (target == format || target.bitsPerPixel != format.bitsPerPixel)
        return;
    // The key goes through the same row conversion as the pixels, so that a
    // key pixel still equals the key after any sequence of conversions.
    if (colourKey <= 0xFFFF)
    {
        std::uint8_t key[2];
        FCBytes::WriteU16(key, static_cast<std::uint16_t>(colourKey));
        ConvertRow16(key, 2, 0, format, key, target);
        colourKey = FCBytes::ReadU16(key);
    }
    if (pixelData && pixelDataSize > 0)
        ConvertRow16(pixelData.get(), static_cast<std::int32_t>(pixelDataSize), 0, format,
                     pixelData.get(), target);
    format = target;
}

void FCImageSet16::BlitFrame(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                             std::int32_t x, std::int32_t y, const FCRect& source)
{
    Blit16(target, pitch, x, y, GetFramePixels(frame), static_cast<std::int32_t>(frame.width * 2),
           source);
}

void FCImageSet16::BlitFrameKeyed(const FCImageFrame& frame, std::uint8_t* target,
                                  std::int32_t pitch, std::int32_t x, std::int32_t y,
                                  const FCRect& source, std::uint32_t key)
{
    BlitKeyed16(target, pitch, x, y, GetFramePixels(frame),
                static_cast<std::int32_t>(frame.width * 2), source, key);
}

void FCImageSet16::BlitFrameMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                     std::int32_t pitch, std::int32_t x, std::int32_t y,
                                     const FCRect& source, bool mirrorX, bool mirrorY)
{
    BlitMirrored16(target, pitch, x, y, GetFramePixels(frame),
                   static_cast<std::int32_t>(frame.width * 2), source, mirrorX, mirrorY);
}

void FCImageSet16::BlitFrameKeyedMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                          std::int32_t pitch, std::int32_t x, std::int32_t y,
                                          const FCRect& source, std::uint32_t key, bool mirrorX,
                                          bool mirrorY)
{
    BlitKeyedMirrored16(target, pitch, x, y, GetFramePixels(frame),
                        static_cast<std::int32_t>(frame.width * 2), source, key, mirrorX, mirrorY);
}

bool FCImageSet16::IsKeyPixel(const FCImageFrame& frame, FCPoint point, std::uint32_t key) const
{
    if (!PixelInFrame(frame, point))
        return false;
    const std::uint8_t* pixel =
        GetFramePixels(frame) +
        (std::size_t{static_cast<std::uint32_t>(point.y)} * frame.width + point.x) * 2;
    return FCBytes::ReadU16(pixel) == key;
}
