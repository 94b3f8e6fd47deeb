#include "support/AssetBytes.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Graphics/FCImageSet.h"
#include "tools/imageset/ImageSetWriter.h"

AssetIndexBytes& AssetIndexBytes::U16(std::uint16_t value)
{
    std::uint8_t stored[2];
    FCBytes::WriteU16(stored, value);
    bytes.insert(bytes.end(), stored, stored + 2);
    return *this;
}

AssetIndexBytes& AssetIndexBytes::String(const std::string& text)
{
    U16(static_cast<std::uint16_t>(text.size() + 1));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
}

AssetIndexBytes& AssetIndexBytes::Raw(std::initializer_list<std::uint8_t> raw)
{
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

std::vector<std::uint8_t> ImageSetFileBytes(const std::vector<GlyphFrame>& frames,
                                            std::uint16_t pixel)
{
    // Encoded by the image-set tool's own writer, so the file form lives in
    // one place.
    FCImageSet* set =
        CreateImageSet(FCImageSet::kEncoding16, static_cast<std::int16_t>(frames.size()));
    bool ok = set != nullptr;
    std::vector<std::uint8_t> pixels;
    for (auto f = frames.begin(); ok && f != frames.end(); ++f)
    {
        pixels.resize(std::size_t{f->width} * f->height * 2);
        for (std::size_t at = 0; at < pixels.size(); at += 2)
            FCBytes::WriteU16(&pixels[at], pixel);
        ok = set->AddFrame(f->fullWidth, f->fullHeight, f->offsetX, f->offsetY, f->width, f->height,
                           0, pixels.data(), static_cast<std::uint32_t>(pixels.size()));
    }
    std::vector<std::uint8_t> out;
    std::string error;
    if (!ok || !EncodeImageSet(*set, out, error))
        out.clear();
    if (set)
        set->Release();
    return out;
}

std::vector<GlyphFrame> SimpleGlyphs(const std::vector<std::uint32_t>& widths,
                                     std::uint32_t spaceFullWidth, std::uint32_t height)
{
    std::vector<GlyphFrame> frames;
    for (std::size_t i = 0; i < widths.size(); ++i)
    {
        GlyphFrame f;
        f.fullHeight = height;
        f.height = height;
        if (i == 0)
        {
            f.fullWidth = spaceFullWidth;
        }
        else
        {
            f.offsetX = 1;
            f.width = widths[i];
            f.fullWidth = widths[i] + 2;
        }
        frames.push_back(f);
    }
    return frames;
}

std::vector<GlyphFrame> UniformGlyphs(std::uint32_t lastCode, std::uint32_t spaceFullWidth,
                                      std::uint32_t height)
{
    std::vector<GlyphFrame> frames;
    for (std::uint32_t code = 32; code <= lastCode; ++code)
    {
        GlyphFrame f;
        f.fullHeight = height;
        f.height = height;
        f.fullWidth = code == 32 ? spaceFullWidth : 7;
        if (code != 32)
        {
            f.offsetX = 1;
            f.width = 5;
        }
        frames.push_back(f);
    }
    return frames;
}
