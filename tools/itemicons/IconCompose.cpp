#include "IconCompose.h"

#include <cstddef>

namespace
{
std::uint8_t Blend(std::uint32_t over, std::uint32_t under, std::uint32_t alpha)
{
    return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

std::uint32_t Luminance(const std::uint8_t* rgb)
{
    return (rgb[0] * 77u + rgb[1] * 150u + rgb[2] * 29u + 128u) >> 8;
}

// The material's share of a drawing pixel: white and opaque in the mask.
std::uint32_t MaskCoverage(const std::uint8_t* mask)
{
    return (mask[0] * static_cast<std::uint32_t>(mask[3]) + 127) / 255;
}

void TintPixel(std::uint8_t* rgb, std::uint32_t coverage, std::uint32_t tintRgb)
{
    const auto luminance = static_cast<std::uint8_t>(Luminance(rgb));
    for (int c = 0; c < 3; ++c)
    {
        const auto tint = static_cast<std::uint8_t>(tintRgb >> (16 - 8 * c));
        rgb[c] = Blend(TintChannel(luminance, tint), rgb[c], coverage);
    }
}

void Over(std::uint8_t* under, const std::uint8_t* over, std::uint32_t alpha)
{
    for (int c = 0; c < 3; ++c)
        under[c] = Blend(over[c], under[c], alpha);
}
} // namespace

std::uint8_t TintChannel(std::uint8_t luminance, std::uint8_t tint)
{
    if (luminance < 128)
        return static_cast<std::uint8_t>((tint * static_cast<std::uint32_t>(luminance) + 64) / 128);
    return static_cast<std::uint8_t>(tint + ((255u - tint) * (luminance - 128u) + 63) / 127);
}

std::vector<std::uint8_t> ComposeIcon(const IconLayers& layers)
{
    const std::size_t count =
        static_cast<std::size_t>(layers.plate->width) * layers.plate->height;
    std::vector<std::uint8_t> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i)
    {
        std::uint8_t* out = &rgb[i * 3];
        const std::uint8_t* plate = &layers.plate->pixels[i * 4];
        // A clear plate pixel is the night behind the icon.
        for (int c = 0; c < 3; ++c)
            out[c] = Blend(plate[c], 0, plate[3]);

        const std::uint8_t* drawn = &layers.drawing->pixels[i * 4];
        if (drawn[3] != 0)
        {
            std::uint8_t colour[3] = {drawn[0], drawn[1], drawn[2]};
            if (layers.tinted && layers.mask)
                TintPixel(colour, MaskCoverage(&layers.mask->pixels[i * 4]), layers.tintRgb);
            Over(out, colour, drawn[3]);
        }
        if (layers.mark)
        {
            const std::uint8_t* mark = &layers.mark->pixels[i * 4];
            Over(out, mark, mark[3]);
        }
    }
    return rgb;
}
