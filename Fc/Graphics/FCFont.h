#pragma once

#include "Fc/Graphics/FCPoint.h"
#include "Fc/Core/FCRefCounted.h"

#include <array>
#include <cstdint>
#include <string_view>

class FCImageBuffer;
class FCImageSet;
struct FCRect;

// A bitmap font: up to four variants (normal, highlighted, negative, ...),
// each an image set of the asset index whose frame c - 32 is the glyph of the
// Windows-1252 code c. Variant sets are loaded on first use and released by
// the resource manager's purge; height and space width, once known, stay.
class FCFont : public FCRefCounted
{
public:
    static constexpr std::uint16_t kVariantCount = 4;
    static constexpr std::int32_t kFirstCode = 32;

    FCFont() = default;
    explicit FCFont(const std::array<std::uint16_t, kVariantCount>& setIds);
    ~FCFont() override;
    FCFont(const FCFont&) = delete;
    FCFont& operator=(const FCFont&) = delete;

    void SetVariant(std::uint16_t newVariant) { variant = newVariant; }
    std::uint16_t GetVariant() const { return variant; }
    // The current variant's set, loaded through the resource manager on first
    // use. Null (logged once per variant) when the variant number is out of
    // range, its set cannot be loaded or the set has no frames.
    FCImageSet* GetVariantSet();

    std::uint16_t GetHeight();
    std::int16_t GetSpaceWidth();
    // Glyph 0 is the space: (space width, nominal height). Others: the stored
    // pixels' size when tight, else including the offsets in front. A glyph
    // the set has no frame for measures (0, 0).
    FCPoint GetGlyphSize(std::int16_t glyph, bool tight);
    // Codes are unsigned: the glyph of 0xE9 is frame 0xC9, never a negative one.
    FCPoint GetCharSize(char c, bool tight);
    // With first set the glyph is moved left by its offset, so its pixels
    // start exactly at point. A code without a glyph draws nothing.
    void DrawChar(char c, FCImageBuffer& target, FCPoint point, const FCRect& clip, bool first);
    // Draws a line as DrawChar character by character would, the first
    // character being first, each moving the pen on by its GetCharSize (the
    // x saturating at the 32-bit range); newlines are skipped. The variant's
    // set is looked up once for the whole line. Returns the pen after it.
    FCPoint DrawText(std::string_view line, FCImageBuffer& target, FCPoint pen, const FCRect& clip);
    void ReleaseSets();

    std::uint16_t GetImageSetId(std::uint16_t which) const
    {
        return which < kVariantCount ? imageSetIds[which] : 0;
    }
    // True while the variant's set is held (loaded and not yet released).
    bool IsVariantLoaded(std::uint16_t which) const
    {
        return which < kVariantCount && imageSets[which] != nullptr;
    }

    static std::int16_t GlyphOf(char c) { return static_cast<std::int16_t>(static_cast<unsigned char>(c) - kFirstCode); }

private:
    void ReportMissing(std::uint16_t which, const char* why);

    std::int16_t spaceWidth = 0;
    std::uint16_t height = 0;
    std::array<std::uint16_t, kVariantCount> imageSetIds{};
    std::array<FCImageSet*, kVariantCount> imageSets{};
    std::uint16_t variant = 0;
    // One bit per variant (bit 4 for any out-of-range number) whose absence
    // was logged, so a missing set does not flood the log on every frame.
    std::uint8_t reportedMissing = 0;
};
