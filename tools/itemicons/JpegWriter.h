#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes red, green, blue bytes as a baseline JPEG with full-resolution
// colour (no chroma subsampling: small icons keep their edges). libjpeg
// writes no time or host into the file, so the same pixels always give the
// same bytes. False, with error filled, when libjpeg refuses.
bool EncodeJpeg(const std::vector<std::uint8_t>& rgb, std::uint32_t width, std::uint32_t height,
                int quality, std::vector<std::uint8_t>& jpeg, std::string& error);
