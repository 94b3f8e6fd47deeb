#pragma once

#include "Fc/Graphics/FCPixelFormat.h"

#include <array>
#include <cstdint>

class FCFile;

// The 256 colours of an 8-bit picture, each a pixel value in the palette's
// own format. Entries always carry a 16-, 24- or 32-bit format; an indexed
// format would make every look-up convert from an index again.
class FCPalette
{
public:
    static constexpr std::int32_t kEntryCount = 256;

    // All entries 0 in FCFormatRGB24, so an entry reads 0x00BBGGRR.
    FCPalette() = default;
    // Copies the entries and format of another palette; with none, the
    // entries are 0 and the format is FCFormatRGB24.
    explicit FCPalette(const FCPalette* other);

    // Re-encodes every entry into the target format (filling the low bits of
    // widened channels) and adopts it; nothing when the formats are equal.
    // A target without colour channels is refused.
    bool Convert(const FCPixelFormat& target);

    // Reads the 1,038-byte file form: 256 u32 entries, then the pixel format.
    // On a short read or a format without colour channels the palette is
    // left unchanged and the result is false.
    bool Read(FCFile& file);

    std::array<std::uint32_t, kEntryCount> entries{};
    FCPixelFormat format = FCFormatRGB24;
};
