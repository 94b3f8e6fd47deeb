#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Builders for the resource files that tests and benchmarks load: asset
// indexes and image sets. Nothing here depends on the test framework, so the
// benchmarks compile it too.

// The bytes of an asset index, written section by section with the same
// little-endian forms the reader expects.
class AssetIndexBytes
{
public:
    AssetIndexBytes& U16(std::uint16_t value);
    AssetIndexBytes& I16(std::int16_t value) { return U16(static_cast<std::uint16_t>(value)); }
    // The stored string form: u16 length + 1, the bytes, a NUL.
    AssetIndexBytes& String(const std::string& text);
    AssetIndexBytes& Raw(std::initializer_list<std::uint8_t> bytes);

    AssetIndexBytes& ImageSet(std::uint16_t id, const std::string& fileName)
    {
        return U16(id).String(fileName);
    }
    AssetIndexBytes& Text(std::uint16_t id, const std::string& text)
    {
        return U16(id).String(text);
    }
    AssetIndexBytes& Sound(std::uint16_t id, const std::string& fileName)
    {
        return U16(id).String(fileName);
    }
    AssetIndexBytes& Font(std::uint16_t id, std::uint16_t a, std::uint16_t b, std::uint16_t c,
                          std::uint16_t d)
    {
        return U16(id).U16(a).U16(b).U16(c).U16(d);
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes; }

private:
    std::vector<std::uint8_t> bytes;
};

// One glyph frame: nominal size, offsets of the stored pixels, their size.
struct GlyphFrame
{
    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
    std::uint32_t offsetX = 0;
    std::uint32_t offsetY = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// A 16-bit image-set file whose frames are filled with one pixel value;
// empty when the frames cannot form a set.
std::vector<std::uint8_t> ImageSetFileBytes(const std::vector<GlyphFrame>& frames,
                                            std::uint16_t pixel = 0xFFFF);

// Frames for glyphs 32..32+widths.size()-1: glyph i has offsetX 1, the given
// stored width, and a nominal frame of fullWidth x height (frame 0 is the
// space, so fullWidth sets the space advance).
std::vector<GlyphFrame> SimpleGlyphs(const std::vector<std::uint32_t>& widths,
                                     std::uint32_t spaceFullWidth, std::uint32_t height);

// Glyphs for codes 32..lastCode: the space with a nominal width of
// spaceFullWidth, every other glyph offsetX 1 and width 5 (advance 6, or 5
// as a line's first glyph), all height high.
std::vector<GlyphFrame> UniformGlyphs(std::uint32_t lastCode, std::uint32_t spaceFullWidth,
                                      std::uint32_t height);
