#pragma once

#include <cstdint>
#include <vector>

// An RGB picture (three bytes a pixel, rows top first) encoded as a JPEG at
// full quality without chroma subsampling, so that flat 8 x 8 blocks come
// back with their own colour.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, const std::vector<std::uint8_t>& rgb,
                                     bool progressive = false);
