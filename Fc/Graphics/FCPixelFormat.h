#pragma once

#include <cstdint>

class FCFile;

// How a pixel value is laid out: its depth and, per channel, the width and
// the position of the lowest bit. Blue comes before green in the stored
// order, while the constructor and the file form take red, green, blue.
struct FCPixelFormat
{
    // Width of a channel to its right-aligned value mask. A channel of 0 bits
    // gets all ones: the shift count 32 wraps to 0.
    static constexpr std::uint32_t MaskOf(std::uint16_t bits)
    {
        return 0xFFFFFFFFu >> ((32u - bits) % 32u);
    }

    constexpr FCPixelFormat() { ComputeMasks(); }
    constexpr FCPixelFormat(std::uint16_t bpp, std::uint16_t rBits, std::uint16_t gBits,
                            std::uint16_t bBits, std::uint16_t rShift, std::uint16_t gShift,
                            std::uint16_t bShift)
        : bitsPerPixel(bpp), redBits(rBits), blueBits(bBits), greenBits(gBits), redShift(rShift),
          blueShift(bShift), greenShift(gShift)
    {
        ComputeMasks();
    }

    constexpr void ComputeMasks()
    {
        redMask = MaskOf(redBits);
        blueMask = MaskOf(blueBits);
        greenMask = MaskOf(greenBits);
    }

    // Reads the 14-byte file form (seven u16: depth, red, green and blue
    // widths, red, green and blue shifts) and recomputes the masks. A short
    // read, a depth other than 1, 8, 16, 24 or 32, or a channel that does not
    // fit inside the pixel leaves the format unchanged and gives false.
    bool Read(FCFile& file);

    // True for depths whose channels the converters understand (16, 24, 32).
    constexpr bool HasChannels() const
    {
        return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
    }
    constexpr std::int32_t BytesPerPixel() const { return bitsPerPixel / 8; }

    // The masks are derived, so they take no part in equality.
    friend constexpr bool operator==(const FCPixelFormat& a, const FCPixelFormat& b)
    {
        return a.bitsPerPixel == b.bitsPerPixel && a.redBits == b.redBits &&
               a.blueBits == b.blueBits && a.greenBits == b.greenBits && a.redShift == b.redShift &&
               a.blueShift == b.blueShift && a.greenShift == b.greenShift;
    }

    std::uint16_t bitsPerPixel = 0;
    std::uint16_t redBits = 0;
    std::uint16_t blueBits = 0;
    std::uint16_t greenBits = 0;
    std::uint16_t redShift = 0;
    std::uint16_t blueShift = 0;
    std::uint16_t greenShift = 0;
    std::uint32_t redMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t greenMask = 0;
};

// The seven formats every graphics module shares. Constant-initialised, so
// they are usable from any static initialiser.
inline constexpr FCPixelFormat FCFormat8{8, 0, 0, 0, 0, 0, 0};
inline constexpr FCPixelFormat FCFormat555{16, 5, 5, 5, 10, 5, 0};
inline constexpr FCPixelFormat FCFormat565{16, 5, 6, 5, 11, 5, 0};
// Bytes in memory red, green, blue: the format of palette entries.
inline constexpr FCPixelFormat FCFormatRGB24{24, 8, 8, 8, 0, 8, 16};
// Bytes in memory blue, green, red.
inline constexpr FCPixelFormat FCFormatBGR24{24, 8, 8, 8, 16, 8, 0};
inline constexpr FCPixelFormat FCFormat32{32, 8, 8, 8, 16, 8, 0};
// One bit per pixel; no converter handles it.
inline constexpr FCPixelFormat FCFormat1{1, 0, 0, 0, 0, 0, 0};
