#include "Fc/Graphics/FCFont.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Graphics/FCResourceManager.h"

FCFont::FCFont(const std::array<std::uint16_t, kVariantCount>& setIds) : imageSetIds(setIds) {}

FCFont::~FCFont() { ReleaseSets(); }

void FCFont::ReportMissing(std::uint16_t which, const char* why)
{
    const std::uint8_t bit = static_cast<std::uint8_t>(which < kVariantCount ? 1u << which : 0x10u);
    if (reportedMissing & bit)
        return;
    reportedMissing |= bit;
    FC_LOG("Font variant %u (image set %u): %s\n", static_cast<unsigned>(which),
           static_cast<unsigned>(GetImageSetId(which)), why);
}

FCImageSet* FCFont::GetVariantSet()
{
    if (variant >= kVariantCount)
    {
        ReportMissing(variant, "no such variant");
        return nullptr;
    }
    FCImageSet*& held = imageSets[variant];
    if (!held)
    {
        FCResourceManager* manager = FCResourceManager::GetInstance();
        FCImageSet* set = manager ? manager->GetImageSet(imageSetIds[variant]) : nullptr;
        if (!set)
        {
            ReportMissing(variant, "image set not available");
            return nullptr;
        }
        set->AddRef();
        held = set;
    }
    const FCImageFrame* space = held->GetFrame(0);
    if (!space)
    {
        ReportMissing(variant, "image set has no frames");
        return nullptr;
    }
    if (height == 0)
    {
        // Frame extents are bounded well inside 16 bits by the image-set loader.
        height = static_cast<std::uint16_t>(space->fullHeight);
        spaceWidth = static_cast<std::int16_t>(space->fullWidth / 2);
    }
    return held;
}

std::uint16_t FCFont::GetHeight()
{
    GetVariantSet();
    return height;
}

std::int16_t FCFont::GetSpaceWidth()
{
    GetVariantSet();
    return spaceWidth;
}

FCPoint FCFont::GetGlyphSize(std::int16_t glyph, bool tight)
{
    FCImageSet* set = GetVariantSet();
    if (!set)
        return {};
    const FCImageFrame* frame = set->GetFrame(glyph);
    if (!frame)
        return {};
    if (glyph == 0)
        return {spaceWidth, static_cast<std::int32_t>(frame->fullHeight)};
    if (tight)
        return {static_cast<std::int32_t>(frame->width), static_cast<std::int32_t>(frame->height)};
    return {static_cast<std::int32_t>(frame->offsetX + frame->width),
            static_cast<std::int32_t>(frame->offsetY + frame->height)};
}

FCPoint FCFont::GetCharSize(char c, bool tight) { return GetGlyphSize(GlyphOf(c), tight); }

void FCFont::DrawChar(char c, FCImageBuffer& target, FCPoint point, const FCRect& clip, bool first)
{
    FCImageSet* set = GetVariantSet();
    if (!set)
        return;
    const std::int16_t glyph = GlyphOf(c);
    const FCImageFrame* frame = set->GetFrame(glyph);
    if (!frame)
        return;
    if (first)
        point.x -= static_cast<std::int32_t>(frame->offsetX);
    set->DrawFrame(glyph, target, point, clip, 0);
}

FCPoint FCFont::DrawText(std::string_view line, FCImageBuffer& target, FCPoint pen,
                         const FCRect& clip)
{
    FCImageSet* set = GetVariantSet();
    // Without a set no character draws or advances.
    if (!set)
        return pen;
    FCImageSet::Run run(*set, target, clip);
    bool first = true;
    for (const char c : line)
    {
        if (c == '\n')
            continue;
        const std::int16_t glyph = GlyphOf(c);
        const FCImageFrame* frame = set->GetFrame(glyph);
        if (frame)
        {
            FCPoint at = pen;
            if (first)
                at.x -= static_cast<std::int32_t>(frame->offsetX);
            run.Draw(*frame, at);
            std::int64_t advance = spaceWidth;
            if (glyph != 0)
                advance = first ? frame->width : std::int64_t{frame->offsetX} + frame->width;
            pen.x = FCRect::Saturate(std::int64_t{pen.x} + advance);
        }
        first = false;
    }
    return pen;
}

void FCFont::ReleaseSets()
{
    for (FCImageSet*& set : imageSets)
    {
        if (set)
            set->Release();
        set = nullptr;
    }
}
