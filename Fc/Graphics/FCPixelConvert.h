#pragma once

#include "Fc/Graphics/FCPixelFormat.h"

#include <cstdint>

class FCPalette;

// Converts count pixels of one row into a 16-bit row. Rows may be unaligned,
// and source and target may be the same row (conversion in place).
using FCRowConverter = void (*)(const void* source, void* target, std::int32_t count);

// The pixel stored at the pointer (1 to 4 bytes by the from-format's depth),
// re-encoded in the to-format. Widened channels get zero low bits. 8-bit
// pixels go through the palette unless the target is 8-bit too; depths
// without channels (1 bit) give 0.
std::uint32_t ConvertPixel(const void* pixel, const FCPalette* palette, const FCPixelFormat& from,
                           const FCPixelFormat& to);
// As ConvertPixel for a value, but a widened non-zero channel has its new low
// bits set, so full intensity stays full (31 in 5 bits becomes 255).
std::uint32_t ConvertPixelValue(std::uint32_t value, const FCPalette* palette,
                                const FCPixelFormat& from, const FCPixelFormat& to);
// The palette entry of the index converted to the to-format; 0 without a
// palette or for a palette in a format without colour channels.
std::uint32_t LookUpPaletteColour(const std::uint8_t* index, const FCPalette* palette,
                                  const FCPixelFormat& to);

// Green gains a zero low bit.
void ConvertRow555To565(const void* source, void* target, std::int32_t count);
// Green loses its low bit.
void ConvertRow565To555(const void* source, void* target, std::int32_t count);
// Sources hold three bytes per pixel in the order red, green, blue.
void ConvertRow24To565(const void* source, void* target, std::int32_t count);
void ConvertRow24To555(const void* source, void* target, std::int32_t count);

// The row converter from one format to a 16-bit one, or null when none is
// needed (equal formats) or none exists (a target that is not 16-bit, a
// source that is neither 16- nor 24-bit).
FCRowConverter GetRowConverter(const FCPixelFormat& from, const FCPixelFormat& to);
// Converts sourceBytes / 2 pixels between the two 16-bit formats; nothing
// when they are equal or either is not 16-bit. The third argument is unused.
void ConvertRow16(const void* source, std::int32_t sourceBytes, std::int32_t unused,
                  const FCPixelFormat& from, void* target, const FCPixelFormat& to);

// Packs an 8-bit-per-channel colour by dropping low bits (no rounding).
// Formats without colour channels give 0.
std::uint32_t PackPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                        const FCPixelFormat& format);
// PackPixel in the back buffer's format; without display buffers (tools,
// tests) in FCFormat565, the format of our screen.
std::uint32_t MakeScreenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
