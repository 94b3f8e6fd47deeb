// Reads a palette (with its pixel format) from arbitrary bytes, converts
// pixels through whatever format was accepted, and draws a picture of
// arbitrary size, position, clip, flags and key onto a small screen.

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPalette.h"
#include "Fc/Graphics/FCPixelConvert.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
std::string InputPath()
{
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("fuzz-pixels-" + std::to_string(::getpid()) + ".bin"))
                                        .string();
    return path;
}

constexpr std::size_t kHeader = 32;

void DrawPicture(const std::uint8_t* h, const FCPalette* palette)
{
    const std::int32_t w = h[0] % 48;
    const std::int32_t ht = h[1] % 48;
    const bool indexed = (h[2] & 1) != 0;
    const FCPoint at(FCBytes::ReadI16(h + 3), FCBytes::ReadI16(h + 5));
    const FCRect clip(FCBytes::ReadI32(h + 7), FCBytes::ReadI32(h + 11), FCBytes::ReadI32(h + 15),
                      FCBytes::ReadI32(h + 19));
    const std::uint16_t flags = FCBytes::ReadU16(h + 23);
    const std::uint32_t key = FCBytes::ReadU32(h + 25);

    FCImageBuffer* picture = FCImageBuffer::Create(w, ht, indexed ? FCFormat8 : FCFormat565);
    FCImageBuffer* screen = FCImageBuffer::Create(40, 30, (h[2] & 2) ? FCFormat555 : FCFormat565);
    if (!picture || !screen)
        __builtin_trap(); // small sizes must always be accepted
    for (std::int32_t y = 0; y < ht; ++y)
        for (std::int32_t x = 0; x < w; ++x)
            picture->SetPixel(x, y, static_cast<std::uint32_t>(x * 7 + y * 13));
    if (indexed && palette)
        picture->SetPalette(new FCPalette(palette));
    picture->SetColourKey(key);
    screen->Clear(0);
    picture->Draw(screen, at, clip, flags);
    screen->DrawFrameClipped(key, clip, FCRect(at.x, at.y, at.x + w, at.y + ht),
                             static_cast<std::uint16_t>(h[29]));
    screen->Blit(at, picture, clip, 0);
    picture->Release();
    screen->Release();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    if (size < kHeader)
        return 0;

    FILE* out = std::fopen(InputPath().c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data + kHeader, 1, size - kHeader, out);
    std::fclose(out);

    FCFile file;
    FCPalette palette;
    bool havePalette = false;
    if (file.Open(InputPath().c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, 0))
    {
        havePalette = palette.Read(file);
        file.Close();
    }
    if (havePalette)
    {
        for (std::uint32_t i = 0; i < 256; i += 17)
        {
            const auto index = static_cast<std::uint8_t>(i);
            LookUpPaletteColour(&index, &palette, FCFormat565);
            ConvertPixelValue(palette.entries[i], &palette, palette.format, FCFormatRGB24);
            ConvertPixel(&palette.entries[i], &palette, palette.format, FCFormat555);
            PackPixel(static_cast<std::uint8_t>(i), 0x80, 0xFF, palette.format);
        }
        GetRowConverter(palette.format, FCFormat565);
        FCPalette converted(&palette);
        converted.Convert(FCFormat565);
        FCPalette back(&converted);
        back.Convert(palette.format);
    }
    DrawPicture(data, havePalette ? &palette : nullptr);
    return 0;
}
