#include "Fc/Graphics/FCPixelConvert.h"

#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCScreenFormat.h"

#include <cstring>

namespace
{
// Shifts of 32 or more give 0 rather than undefined behaviour, so that no
// format read from a file can trip the converters.
constexpr std::uint32_t ShiftLeft(std::uint32_t v, std::uint32_t n)
{
    return n >= 32 ? 0 : v << n;
}
constexpr std::uint32_t ShiftRight(std::uint32_t v, std::uint32_t n)
{
    return n >= 32 ? 0 : v >> n;
}
constexpr std::uint32_t LowOnes(std::uint32_t n)
{
    return n >= 32 ? 0xFFFFFFFFu : (1u << n) - 1u;
}

std::uint32_t AdjustChannel(std::uint32_t channel, std::int32_t d, bool fillLowBits)
{
    if (d > 0)
        return ShiftRight(channel, static_cast<std::uint32_t>(d));
    const auto widen = static_cast<std::uint32_t>(-d);
    if (!fillLowBits)
        return ShiftLeft(channel, widen);
    if (channel == 0)
        return 0;
    return ShiftLeft(channel, widen) | LowOnes(widen);
}

std::uint32_t Repack(std::uint32_t pixel, const FCPixelFormat& from, const FCPixelFormat& to,
                     bool fillLowBits)
{
    const std::uint32_t red = ShiftRight(pixel, from.redShift) & from.redMask;
    const std::uint32_t green = ShiftRight(pixel, from.greenShift) & from.greenMask;
    const std::uint32_t blue = ShiftRight(pixel, from.blueShift) & from.blueMask;
    const std::uint32_t r =
        AdjustChannel(red, std::int32_t{from.redBits} - to.redBits, fillLowBits);
    const std::uint32_t g =
        AdjustChannel(green, std::int32_t{from.greenBits} - to.greenBits, fillLowBits);
    const std::uint32_t b =
        AdjustChannel(blue, std::int32_t{from.blueBits} - to.blueBits, fillLowBits);
    return ShiftLeft(b, to.blueShift) | ShiftLeft(g, to.greenShift) | ShiftLeft(r, to.redShift);
}

std::uint16_t Load16(const std::uint8_t* p)
{
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store16(std::uint8_t* p, std::uint16_t v)
{
    std::memcpy(p, &v, sizeof v);
}

std::uint16_t Pixel555To565(std::uint16_t s)
{
    return static_cast<std::uint16_t>(((s & 0xFFE0u) << 1) | (s & 0x001Fu));
}
std::uint16_t Pixel565To555(std::uint16_t s)
{
    return static_cast<std::uint16_t>(((s >> 1) & 0x7FE0u) | (s & 0x001Fu));
}

// Each pixel is read before it is written, which keeps in-place conversion
// safe; memcpy lets the compiler vectorise without alignment assumptions.
template <std::uint16_t (*Pixel)(std::uint16_t)>
void ConvertRow16Loop(const void* source, void* target, std::int32_t count)
{
    const auto* s = static_cast<const std::uint8_t*>(source);
    auto* t = static_cast<std::uint8_t*>(target);
    for (std::int32_t i = 0; i < count; ++i)
        Store16(t + 2 * i, Pixel(Load16(s + 2 * i)));
}

template <unsigned RedShift, unsigned GreenMask, unsigned GreenShift>
void ConvertRow24Loop(const void* source, void* target, std::int32_t count)
{
    const auto* s = static_cast<const std::uint8_t*>(source);
    auto* t = static_cast<std::uint8_t*>(target);
    for (std::int32_t i = 0; i < count; ++i)
    {
        const std::uint32_t r = s[3 * i], g = s[3 * i + 1], b = s[3 * i + 2];
        Store16(t + 2 * i, static_cast<std::uint16_t>(((r & 0xF8u) << RedShift) |
                                                      ((g & GreenMask) << GreenShift) | (b >> 3)));
    }
}
} // namespace

std::uint32_t LookUpPaletteColour(const std::uint8_t* index, const FCPalette* palette,
                                  const FCPixelFormat& to)
{
    // A palette in an indexed format would send the look-up round again.
    if (!palette || !palette->format.HasChannels())
        return 0;
    const std::uint32_t entry = palette->entries[*index];
    // Entries are values; ConvertPixel wants their little-endian bytes.
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(entry), static_cast<std::uint8_t>(entry >> 8),
        static_cast<std::uint8_t>(entry >> 16), static_cast<std::uint8_t>(entry >> 24)};
    return ConvertPixel(bytes, nullptr, palette->format, to);
}

std::uint32_t ConvertPixel(const void* pixel, const FCPalette* palette, const FCPixelFormat& from,
                           const FCPixelFormat& to)
{
    const auto* p = static_cast<const std::uint8_t*>(pixel);
    std::uint32_t value = 0;
    switch (from.bitsPerPixel)
    {
    case 8:
        return to.bitsPerPixel == 8 ? *p : LookUpPaletteColour(p, palette, to);
    case 16:
        value = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8);
        break;
    case 24:
        value = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        break;
    case 32:
        value = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
                (std::uint32_t{p[3]} << 24);
        break;
    default:
        return 0;
    }
    return Repack(value, from, to, false);
}

std::uint32_t ConvertPixelValue(std::uint32_t value, const FCPalette* palette,
                                const FCPixelFormat& from, const FCPixelFormat& to)
{
    switch (from.bitsPerPixel)
    {
    case 8:
    {
        const auto index = static_cast<std::uint8_t>(value);
        return to.bitsPerPixel == 8 ? index : LookUpPaletteColour(&index, palette, to);
    }
    case 16:
        return Repack(value & 0xFFFFu, from, to, true);
    case 24:
        return Repack(value & 0xFFFFFFu, from, to, true);
    case 32:
        return Repack(value, from, to, true);
    default:
        return 0;
    }
}

void ConvertRow555To565(const void* source, void* target, std::int32_t count)
{
    ConvertRow16Loop<Pixel555To565>(source, target, count);
}

void ConvertRow565To555(const void* source, void* target, std::int32_t count)
{
    ConvertRow16Loop<Pixel565To555>(source, target, count);
}

void ConvertRow24To565(const void* source, void* target, std::int32_t count)
{
    ConvertRow24Loop<8, 0xFC, 3>(source, target, count);
}

void ConvertRow24To555(const void* source, void* target, std::int32_t count)
{
    ConvertRow24Loop<7, 0xF8, 2>(source, target, count);
}

FCRowConverter GetRowConverter(const FCPixelFormat& from, const FCPixelFormat& to)
{
    if (to.bitsPerPixel != 16)
        return nullptr;
    if (from.bitsPerPixel == 16)
    {
        if (from == to)
            return nullptr;
        return from.greenBits == 5 ? ConvertRow555To565 : ConvertRow565To555;
    }
    if (from.bitsPerPixel == 24)
        return to.greenBits == 5 ? ConvertRow24To555 : ConvertRow24To565;
    return nullptr;
}

void ConvertRow16(const void* source, std::int32_t sourceBytes, std::int32_t /*unused*/,
                  const FCPixelFormat& from, void* target, const FCPixelFormat& to)
{
    if (from.bitsPerPixel != 16 || to.bitsPerPixel != 16 || from == to || sourceBytes <= 0)
        return;
    const std::int32_t count = sourceBytes / 2;
    if (from == FCFormat555)
        ConvertRow555To565(source, target, count);
    else
        ConvertRow565To555(source, target, count);
}

std::uint32_t PackPixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                        const FCPixelFormat& format)
{
    if (!format.HasChannels())
        return 0;
    const auto channel = [](std::uint8_t v, std::uint16_t bits,
                            std::uint16_t shift) -> std::uint32_t
    {
        if (bits == 0)
            return 0;
        const std::uint32_t narrowed =
            bits >= 8 ? ShiftLeft(v, bits - 8u) : std::uint32_t{v} >> (8u - bits);
        return ShiftLeft(narrowed, shift);
    };
    return channel(red, format.redBits, format.redShift) |
           channel(green, format.greenBits, format.greenShift) |
           channel(blue, format.blueBits, format.blueShift);
}

std::uint32_t MakeScreenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const FCPixelFormat* screen = GetScreenFormat();
    return PackPixel(red, green, blue, screen ? *screen : FCFormat565);
}
