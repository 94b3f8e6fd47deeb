#include "Fc/Graphics/FCPixelFormat.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"

namespace
{
bool IsKnownDepth(std::uint16_t bpp)
{
    return bpp == 1 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// A channel must lie inside the pixel, or the converters would shift by 32
// or more.
bool ChannelFits(std::uint16_t bits, std::uint16_t shift, std::uint16_t bpp)
{
    return std::uint32_t{bits} + shift <= bpp;
}
} // namespace

bool FCPixelFormat::Read(FCFile& file)
{
    std::uint16_t v[7] = {};
    for (std::uint16_t& field : v)
    {
        if (!file.ReadU16(field))
        {
            FC_LOG("Pixel format: file ends early\n");
            return false;
        }
    }
    const FCPixelFormat read(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
    if (!IsKnownDepth(read.bitsPerPixel) ||
        !ChannelFits(read.redBits, read.redShift, read.bitsPerPixel) ||
        !ChannelFits(read.greenBits, read.greenShift, read.bitsPerPixel) ||
        !ChannelFits(read.blueBits, read.blueShift, read.bitsPerPixel))
    {
        FC_LOG("Pixel format: unusable layout (%u bits per pixel)\n", unsigned{read.bitsPerPixel});
        return false;
    }
    *this = read;
    return true;
}
