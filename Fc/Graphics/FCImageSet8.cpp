#include "Fc/Graphics/FCImageSet8.h"

#include "Fc/Graphics/FCBlit.h"
#include "Fc/Graphics/FCScreenFormat.h"

FCImageSet8::FCImageSet8(std::int16_t reserve) : FCImageSet(kEncoding8, FCFormat8, reserve) {}

bool FCImageSet8::AddFrameFromImage(FCImageBuffer& image, const FCRect& nominal,
                                    const FCRect& stored, bool detectKey)
{
    return CopyFrameFromImage(image, nominal, stored, detectKey);
}

void FCImageSet8::PrepareForScreen()
{
    if (const FCPixelFormat* screen = GetScreenFormat())
        PrepareForTarget(*screen);
}

void FCImageSet8::PrepareForTarget(const FCPixelFormat& target)
{
    // The blitters write the low 16 bits of each entry, so the palette must
    // speak the target's format; the indices never change.
    if (palette && target.bitsPerPixel == 16 && !(palette->format == target))
        palette->Convert(target);
}

void FCImageSet8::BlitFrame(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                            std::int32_t x, std::int32_t y, const FCRect& source)
{
    Blit8(target, pitch, x, y, GetFramePixels(frame), static_cast<std::int32_t>(frame.width),
          source, *palette);
}

void FCImageSet8::BlitFrameKeyed(const FCImageFrame& frame, std::uint8_t* target,
                                 std::int32_t pitch, std::int32_t x, std::int32_t y,
                                 const FCRect& source, std::uint32_t key)
{
    BlitKeyed8(target, pitch, x, y, GetFramePixels(frame), static_cast<std::int32_t>(frame.width),
               source, *palette, key);
}

void FCImageSet8::BlitFrameMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                    std::int32_t pitch, std::int32_t x, std::int32_t y,
                                    const FCRect& source, bool mirrorX, bool mirrorY)
{
    BlitMirrored8(target, pitch, x, y, GetFramePixels(frame),
                  static_cast<std::int32_t>(frame.width), source, *palette, mirrorX, mirrorY);
}

void FCImageSet8::BlitFrameKeyedMirrored(const FCImageFrame& frame, std::uint8_t* target,
                                         std::int32_t pitch, std::int32_t x, std::int32_t y,
                                         const FCRect& source, std::uint32_t key, bool mirrorX,
                                         bool mirrorY)
{
    BlitKeyedMirrored8(target, pitch, x, y, GetFramePixels(frame),
                       static_cast<std::int32_t>(frame.width), source, *palette, key, mirrorX,
                       mirrorY);
}

bool FCImageSet8::IsKeyPixel(const FCImageFrame& frame, FCPoint point, std::uint32_t key) const
{
    if (!PixelInFrame(frame, point))
        return false;
    return GetFramePixels(
               frame)[std::size_t{static_cast<std::uint32_t>(point.y)} * frame.width + point.x] ==
           key;
}
