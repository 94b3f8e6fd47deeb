#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FCImageSet;

// The file form of an image set, exactly as LoadImageSet reads it: encoding,
// frame records, colour key, pixel data, palette flag and palette. 16-bit
// sets must still hold their stored 5-6-5 pixels, palettised sets a palette.
// Returns false (with error) for a set that cannot be written.
bool EncodeImageSet(const FCImageSet& set, std::vector<std::uint8_t>& out, std::string& error);

// Writes the bytes to a temporary file beside path and renames it over path,
// so a failed write never leaves a damaged or half-written image set.
bool WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& error);
