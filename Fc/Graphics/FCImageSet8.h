#pragma once

#include "Fc/Graphics/FCImageSet.h"

// Image set of 8-bit palette indices; its palette is converted to the
// screen's format and the indices stay as they are.
class FCImageSet8 : public FCImageSet
{
public:
    explicit FCImageSet8(std::int16_t reserve = 0);

    bool AddFrameFromImage(FCImageBuffer& image, const FCRect& nominal, const FCRect& stored,
                           bool detectKey) override;
    void PrepareForScreen() override;

protected:
    void PrepareForTarget(const FCPixelFormat& target) override;
    void BlitFrame(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                   std::int32_t x, std::int32_t y, const FCRect& source) override;
    void BlitFrameKeyed(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                        std::int32_t x, std::int32_t y, const FCRect& source,
                        std::uint32_t key) override;
    void BlitFrameMirrored(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                           std::int32_t x, std::int32_t y, const FCRect& source, bool mirrorX,
                           bool mirrorY) override;
    void BlitFrameKeyedMirrored(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                                std::int32_t x, std::int32_t y, const FCRect& source,
                                std::uint32_t key, bool mirrorX, bool mirrorY) override;
    bool IsKeyPixel(const FCImageFrame& frame, FCPoint point, std::uint32_t key) const override;
};
