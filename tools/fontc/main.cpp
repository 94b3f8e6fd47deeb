// fontc: renders a TrueType font at a pixel size into the four image sets
// of a bitmap font (one per variant: normal, highlighted, negative,
// disabled), glyphs 32 to 255 of Windows-1252.
//
//   fontc FONT.ttf PIXELSIZE OUTPREFIX [--colour VARIANT=RRGGBB]...
//
// Writes OUTPREFIX0.set to OUTPREFIX3.set. Pixels are 16-bit 5-6-5 with a
// magenta colour key around the ink.

#include "FontRasteriser.h"
#include "ImageSetWriter.h"

#include "Fc/Graphics/FCImageSet.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kKey = 0xF81F; // magenta, never a text colour
constexpr std::size_t kVariants = 4;

std::uint16_t To565(std::uint32_t rgb)
{
    return static_cast<std::uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

// "2=FF4020": variant 2 in that colour.
bool ParseColour(const std::string& text, std::array<std::uint32_t, kVariants>& colours)
{
    if (text.size() != 8 || text[1] != '=' || text[0] < '0' || text[0] > '3')
        return false;
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(text.c_str() + 2, &end, 16);
    if (*end != '\0')
        return false;
    colours[static_cast<std::size_t>(text[0] - '0')] = static_cast<std::uint32_t>(rgb);
    return true;
}

bool ParseSize(const std::string& text, std::uint32_t& size)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 4 || value > 200)
        return false;
    size = static_cast<std::uint32_t>(value);
    return true;
}

FCImageSet* BuildVariant(const std::vector<RasterGlyph>& glyphs, std::uint16_t colour)
{
    FCImageSet* set = CreateImageSet(FCImageSet::kEncoding16, static_cast<std::int16_t>(glyphs.size()));
    set->SetColourKey(kKey, false);
    std::vector<std::uint8_t> pixels;
    for (const RasterGlyph& glyph : glyphs)
    {
        pixels.clear();
        std::uint8_t transparent = 0;
        for (const std::uint8_t ink : glyph.ink)
        {
            const std::uint16_t value = ink ? colour : kKey;
            transparent |= ink ? 0 : 1;
            pixels.push_back(static_cast<std::uint8_t>(value & 0xFF));
            pixels.push_back(static_cast<std::uint8_t>(value >> 8));
        }
        const std::uint8_t none = 0;
        if (!set->AddFrame(glyph.fullWidth, glyph.fullHeight, glyph.offsetX, glyph.offsetY, glyph.width,
                           glyph.height, transparent, pixels.empty() ? &none : pixels.data(),
                           static_cast<std::uint32_t>(pixels.size())))
        {
            set->Release();
            return nullptr;
        }
    }
    return set;
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    // Normal, highlighted, negative, disabled.
    std::array<std::uint32_t, kVariants> colours = {0xFFFFFF, 0xFFD040, 0xE04030, 0x808080};
    bool usage = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--colour" && i + 1 < argc)
            usage |= !ParseColour(argv[++i], colours);
        else if (!arg.empty() && arg[0] == '-')
            usage = true;
        else
            positional.push_back(arg);
    }
    std::uint32_t pixelSize = 0;
    if (usage || positional.size() != 3 || !ParseSize(positional[1], pixelSize))
    {
        std::fprintf(stderr, "usage: fontc FONT.ttf PIXELSIZE(4-200) OUTPREFIX [--colour VARIANT=RRGGBB]...\n");
        return 2;
    }
    for (const std::uint32_t colour : colours)
    {
        if (To565(colour) == kKey)
        {
            std::fprintf(stderr, "fontc: a text colour cannot be the key colour (magenta)\n");
            return 2;
        }
    }

    std::vector<RasterGlyph> glyphs;
    std::string error;
    if (!RasteriseFont(positional[0], pixelSize, glyphs, error))
    {
        std::fprintf(stderr, "fontc: %s\n", error.c_str());
        return 1;
    }
    for (std::size_t variant = 0; variant < kVariants; ++variant)
    {
        FCImageSet* set = BuildVariant(glyphs, To565(colours[variant]));
        std::vector<std::uint8_t> bytes;
        const bool encoded = set && EncodeImageSet(*set, bytes, error);
        if (set)
            set->Release();
        const std::string path = positional[2] + std::to_string(variant) + ".set";
        if (!encoded)
        {
            std::fprintf(stderr, "fontc: %s: %s\n", path.c_str(), set ? error.c_str() : "a glyph does not fit");
            return 1;
        }
        if (!WriteFileReplacing(path, bytes, error))
        {
            std::fprintf(stderr, "fontc: %s\n", error.c_str());
            return 1;
        }
    }
    std::printf("%s0.set to %s3.set: %zu glyphs, line height %u\n", positional[2].c_str(), positional[2].c_str(),
                glyphs.size(), glyphs[0].fullHeight);
    return 0;
}
