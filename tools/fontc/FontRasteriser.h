#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One glyph of a bitmap font, before colouring: the nominal cell, the
// stored rectangle inside it and its ink as one byte per pixel (0 or 1).
struct RasterGlyph
{
    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
    std::uint32_t offsetX = 0;
    std::uint32_t offsetY = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> ink;
};

// Renders Windows-1252 codes 32 to 255 of a TrueType font at a pixel size.
// Glyph 0 (the space) is an empty cell twice the space's advance wide, so
// that the program's space width (half the cell) is the advance; its height
// is the line height. Every other glyph stores its ink from its left bearing
// to the end of its advance, so that offsetX + width is the advance. Codes
// the code page leaves undefined or the font lacks are empty cells.
bool RasteriseFont(const std::string& fontPath, std::uint32_t pixelSize, std::vector<RasterGlyph>& glyphs,
                   std::string& error);
