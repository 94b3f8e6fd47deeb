#include "FontRasteriser.h"

#include "Fc/Core/FCWindows1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace
{
struct LibraryCloser
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// 26.6 fixed point to whole pixels, rounded.
std::int32_t Pixels(FT_Pos value) { return static_cast<std::int32_t>((value + 32) >> 6); }

bool RenderGlyph(FT_Face face, std::uint32_t codePoint, std::int32_t ascender, std::int32_t lineHeight,
                 RasterGlyph& glyph)
{
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0)
        return true; // the font has no such character: an empty cell
    // One-bit rendering: the sets are colour-keyed, so there is no room for
    // partly covered pixels.
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const std::int32_t advance = std::max(0, Pixels(slot->advance.x));
    const std::int32_t left = std::max(0, slot->bitmap_left);
    const std::int32_t inkWidth = static_cast<std::int32_t>(bitmap.width);
    const std::int32_t right = std::max(advance, left + inkWidth);

    // Rows above the cell are cut; the stored rectangle starts at row 0 then.
    std::int32_t top = ascender - slot->bitmap_top;
    std::int32_t skipRows = 0;
    if (top < 0)
    {
        skipRows = -top;
        top = 0;
    }
    const std::int32_t rows = std::max(0, static_cast<std::int32_t>(bitmap.rows) - skipRows);

    glyph.fullWidth = static_cast<std::uint32_t>(right);
    glyph.fullHeight = static_cast<std::uint32_t>(lineHeight);
    glyph.offsetX = static_cast<std::uint32_t>(left);
    glyph.width = static_cast<std::uint32_t>(right - left);
    if (rows == 0 || inkWidth == 0)
        return true; // spacing only
    glyph.offsetY = static_cast<std::uint32_t>(top);
    glyph.height = static_cast<std::uint32_t>(rows);
    glyph.ink.assign(static_cast<std::size_t>(glyph.width) * glyph.height, 0);
    for (std::int32_t y = 0; y < rows; ++y)
    {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y + skipRows) * bitmap.pitch;
        for (std::int32_t x = 0; x < inkWidth; ++x)
        {
            const bool set = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] & (0x80 >> (x & 7))) != 0
                                                                     : row[x] >= 128;
            if (set)
                glyph.ink[static_cast<std::size_t>(y) * glyph.width + static_cast<std::size_t>(x)] = 1;
        }
    }
    return true;
}
} // namespace

bool RasteriseFont(const std::string& fontPath, std::uint32_t pixelSize, std::vector<RasterGlyph>& glyphs,
                   std::string& error)
{
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0)
    {
        error = "FreeType could not start";
        return false;
    }
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), fontPath.c_str(), 0, &rawFace) != 0)
    {
        error = "cannot read font " + fontPath;
        return false;
    }
    std::unique_ptr<FT_FaceRec_, FaceCloser> face(rawFace);
    if (FT_Set_Pixel_Sizes(face.get(), 0, pixelSize) != 0)
    {
        error = "font " + fontPath + " has no size " + std::to_string(pixelSize);
        return false;
    }
    const std::int32_t ascender = Pixels(face->size->metrics.ascender);
    const std::int32_t lineHeight = ascender - Pixels(face->size->metrics.descender);

    glyphs.assign(256 - 32, RasterGlyph{});
    for (std::uint32_t code = 32; code < 256; ++code)
    {
        // The program's texts mark a value not shown with a lone backquote;
        // our fonts draw it as an en dash rather than a stray accent.
        const std::uint32_t codePoint =
            code == '`' ? 0x2013u : Windows1252ToUnicode(static_cast<std::uint8_t>(code));
        RasterGlyph& glyph = glyphs[code - 32];
        if (codePoint == 0)
            continue;
        if (!RenderGlyph(face.get(), codePoint, ascender, lineHeight, glyph))
        {
            error = "cannot render character " + std::to_string(code);
            return false;
        }
    }
    // The space: a cell twice its advance, nothing stored.
    RasterGlyph& space = glyphs[0];
    space = RasterGlyph{};
    const FT_UInt spaceIndex = FT_Get_Char_Index(face.get(), ' ');
    if (spaceIndex != 0 && FT_Load_Glyph(face.get(), spaceIndex, FT_LOAD_TARGET_MONO) == 0)
        space.fullWidth = static_cast<std::uint32_t>(2 * std::max(0, Pixels(face->glyph->advance.x)));
    space.fullHeight = static_cast<std::uint32_t>(lineHeight);
    return true;
}
