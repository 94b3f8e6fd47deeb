#pragma once

#include <cstdint>

// One frame of an image set: a stored rectangle of pixels placed inside a
// larger nominal frame. The stored pixels are width x height, row after row,
// starting at dataOffset in the set's pixel data.
struct FCImageFrame
{
    // Bytes of one frame record in an image-set file (no alignment bytes).
    static constexpr std::uint32_t kFileSize = 29;

    friend bool operator==(const FCImageFrame&, const FCImageFrame&) = default;

    std::uint32_t fullWidth = 0;
    std::uint32_t fullHeight = 0;
    std::uint32_t offsetX = 0;
    std::uint32_t offsetY = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t hasTransparency = 0;
    std::uint32_t dataOffset = 0;
};
