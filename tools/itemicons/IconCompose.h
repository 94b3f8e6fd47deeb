#pragma once

#include <cstdint>
#include <vector>

// Straight (not premultiplied) red, green, blue, alpha bytes, row by row.
struct RgbaPicture
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

// One icon's layers, all of the plate's size. mask and mark may be null.
struct IconLayers
{
    const RgbaPicture* plate = nullptr;
    const RgbaPicture* drawing = nullptr;
    // Where the drawing's material is: white (opaque) for material, black or
    // clear for the rest. Only read when a tint is given.
    const RgbaPicture* mask = nullptr;
    bool tinted = false;
    std::uint32_t tintRgb = 0;
    const RgbaPicture* mark = nullptr;
};

// Colours one channel value of a grey-drawn material: mid grey (128) becomes
// the tint itself, darker greys shade towards black and lighter ones towards
// white, so the drawing's light and shade survive the colour.
std::uint8_t TintChannel(std::uint8_t luminance, std::uint8_t tint);

// The icon as red, green, blue bytes: the plate, the drawing over it (its
// masked material tinted), then the mark; a clear plate pixel shows black.
// Every layer must have the plate's size (checked by the caller). Integer
// arithmetic only, so the same layers always give the same bytes.
std::vector<std::uint8_t> ComposeIcon(const IconLayers& layers);
