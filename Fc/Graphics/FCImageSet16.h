#pragma once

#include "Fc/Graphics/FCImageSet.h"

// Image set of 16-bit pixels, stored as 5-6-5 and converted once to the
// screen's format when loaded.
class FCImageSet16 : public FCImageSet
{
public:
    explicit FCImageSet16(std::int16_t reserve = 0);

    // With convert, key is a 5-6-5 value re-encoded for the screen.
    void SetColourKey(std::uint32_t key, bool convert) override;
    bool AddFrameFromImage(FCImageBuffer& image, const FCRect& nominal, const FCRect& stored,
                           bool detectKey) override;
    void PrepareForScreen() override;

protected:
    void PrepareForTarget(const FCPixelFormat& target) override;
    // Final, as BlitsStraight16 promises what they do.
    void BlitFrame(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                   std::int32_t x, std::int32_t y, const FCRect& source) final;
    void BlitFrameKeyed(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                        std::int32_t x, std::int32_t y, const FCRect& source,
                        std::uint32_t key) final;
    void BlitFrameMirrored(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                           std::int32_t x, std::int32_t y, const FCRect& source, bool mirrorX,
                           bool mirrorY) override;
    void BlitFrameKeyedMirrored(const FCImageFrame& frame, std::uint8_t* target, std::int32_t pitch,
                                std::int32_t x, std::int32_t y, const FCRect& source,
                                std::uint32_t key, bool mirrorX, bool mirrorY) override;
    bool BlitsStraight16() const final { return true; }
    bool IsKeyPixel(const FCImageFrame& frame, FCPoint point, std::uint32_t key) const override;
};
