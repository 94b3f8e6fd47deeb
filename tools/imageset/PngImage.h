#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A PNG file as the image-set compiler needs it: either every pixel as
// red, green, blue, alpha bytes, or (for palettised output) the file's own
// palette indices with its palette, never re-quantised.
struct PngImage
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool indexed = false;
    // indexed: one byte per pixel; otherwise four (RGBA).
    std::vector<std::uint8_t> pixels;
    // indexed only: red, green, blue and alpha of each palette entry.
    std::array<std::array<std::uint8_t, 4>, 256> palette{};
    std::uint32_t paletteSize = 0;
};

// Reads a PNG as RGBA, or, with keepIndices, as palette indices (the file
// must then be a palette PNG). Returns false and fills error on failure.
bool ReadPng(const std::string& path, bool keepIndices, PngImage& image, std::string& error);
