#pragma once

// The blit baseline of the drawing benchmarks: a realistic 800 x 600 16-bit
// picture with a screen to draw it on. Include it from any bench/*.cpp.

#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPixelFormat.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace BlitBaseline
{
constexpr std::int32_t kWidth = 800;
constexpr std::int32_t kHeight = 600;
constexpr std::uint16_t kKey = 0xF81F; // magenta, as artists key their pictures

// A screen-sized picture: smooth colour gradients with some grain, and a
// key mask of rounded blobs and gaps (about 30% of the pixels) such as
// cut-out artwork has, so that key runs are long and short as in real art.
class ScreenPair
{
public:
    ScreenPair()
        : picture(FCImageBuffer::Create(kWidth, kHeight, FCFormat565)),
          screen(FCImageBuffer::Create(kWidth, kHeight, FCFormat565))
    {
        std::uint32_t grain = 12345;
        std::int64_t keyPixels = 0;
        for (std::int32_t y = 0; y < kHeight; ++y)
            for (std::int32_t x = 0; x < kWidth; ++x)
            {
                grain = grain * 1103515245u + 12345u;
                const auto r = static_cast<std::uint32_t>((x * 31) / kWidth);
                const auto g = static_cast<std::uint32_t>((y * 63) / kHeight) ^ ((grain >> 16) & 3);
                const auto b = static_cast<std::uint32_t>(((x + y) * 31) / (kWidth + kHeight));
                auto pixel = static_cast<std::uint16_t>((r << 11) | (g << 5) | b);
                if (pixel == kKey)
                    pixel ^= 1;
                const double field =
                    std::sin(x / 37.0) + std::cos(y / 23.0) + std::sin((x + 2 * y) / 71.0);
                if (field > 0.75)
                {
                    pixel = kKey;
                    ++keyPixels;
                }
                picture->SetPixel(x, y, pixel);
            }
        keyFraction = static_cast<double>(keyPixels) / (double(kWidth) * kHeight);
        screen->Clear(0x1234);
    }
    ~ScreenPair()
    {
        picture->Release();
        screen->Release();
    }
    ScreenPair(const ScreenPair&) = delete;
    ScreenPair& operator=(const ScreenPair&) = delete;

    // One full-screen opaque blit through the program's own drawing path.
    void OpaqueBlit()
    {
        picture->SetColourKey(0);
        picture->Draw(screen, FCPoint(0, 0), FCRect(0, 0, kWidth, kHeight), 0);
        benchmark::ClobberMemory();
    }
    void KeyedBlit()
    {
        picture->SetColourKey(kKey);
        picture->Draw(screen, FCPoint(0, 0), FCRect(0, 0, kWidth, kHeight), 0);
        benchmark::ClobberMemory();
    }
    // memcpy of the same bytes between the same two blocks.
    void Memcpy()
    {
        std::memcpy(screen->GetPixels(), picture->GetPixels(), Bytes());
        benchmark::ClobberMemory();
    }
    std::size_t Bytes() const { return static_cast<std::size_t>(kWidth) * kHeight * 2; }
    double KeyFraction() const { return keyFraction; }

private:
    FCImageBuffer* picture;
    FCImageBuffer* screen;
    double keyFraction = 0;
};
} // namespace BlitBaseline
