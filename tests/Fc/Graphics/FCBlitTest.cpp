#include "Fc/Graphics/FCBlit.h"

#include "Fc/Graphics/FCPalette.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kBackground = '.';

// Source pixels are letters, so that grids read as text:
//   a b c d
//   e f g h      16-bit: the letter itself; 8-bit: index letter - 'a',
//   i j k l      with palette entry = the letter.
// Both are stored with padded pitches to catch pitch mistakes.
struct Fixture
{
    static constexpr std::int32_t kSourcePitch16 = 2 * 6;
    static constexpr std::int32_t kSourcePitch8 = 7;
    static constexpr std::int32_t kTargetPitch = 2 * 6; // 5 pixels and one pad
    std::vector<std::uint8_t> source16 = std::vector<std::uint8_t>(kSourcePitch16 * 3, 0xFF);
    std::vector<std::uint8_t> source8 = std::vector<std::uint8_t>(kSourcePitch8 * 3, 0xFF);
    std::vector<std::uint8_t> target = std::vector<std::uint8_t>(kTargetPitch * 4, 0);
    FCPalette palette;

    Fixture()
    {
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
            {
                const auto letter = static_cast<std::uint16_t>('a' + 4 * y + x);
                std::memcpy(&source16[static_cast<std::size_t>(y * kSourcePitch16 + 2 * x)],
                            &letter, 2);
                source8[static_cast<std::size_t>(y * kSourcePitch8 + x)] =
                    static_cast<std::uint8_t>(letter - 'a');
                palette.entries[static_cast<std::size_t>(letter - 'a')] = 0xABCD0000u | letter;
            }
        for (std::size_t i = 0; i < target.size(); i += 2)
            std::memcpy(&target[i], &kBackground, 2);
    }

    std::vector<std::string> Grid() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < 4; ++y)
        {
            std::string row;
            for (int x = 0; x < 6; ++x) // includes the pad pixel
            {
                std::uint16_t v;
                std::memcpy(&v, &target[static_cast<std::size_t>(y * kTargetPitch + 2 * x)], 2);
                row += v < 128 ? static_cast<char>(v) : '?';
            }
            rows.push_back(row);
        }
        return rows;
    }
};

using Rows = std::vector<std::string>;
using Call = std::function<void(Fixture&, const FCRect&)>;
constexpr std::int32_t kPitch = Fixture::kTargetPitch;
constexpr std::int32_t kPitch16 = Fixture::kSourcePitch16;
constexpr std::int32_t kPitch8 = Fixture::kSourcePitch8;
} // namespace

TEST(FCBlitTest, EveryBlitterReadsItsSourceRectangleAndWritesItsPlaces)
{
    // Source rectangle (1, 1, 3, 3) is   f g
    //                                    j k     written at (2, 1).
    struct Case
    {
        const char* name;
        Call call;
        Rows expected;
    };
    const Case cases[] = {
        {"Blit16",
         [](Fixture& f, const FCRect& r)
         { Blit16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r); },
         {"......", "..fg..", "..jk..", "......"}},
        {"BlitKeyed16",
         [](Fixture& f, const FCRect& r)
         { BlitKeyed16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r, 'g'); },
         {"......", "..f...", "..jk..", "......"}},
        {"BlitMirrored16 both",
         [](Fixture& f, const FCRect& r) {
             BlitMirrored16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r, true,
                            true);
         },
         {"......", "..kj..", "..gf..", "......"}},
        {"BlitKeyedMirrored16 y",
         [](Fixture& f, const FCRect& r)
         {
             BlitKeyedMirrored16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r, 'j',
                                 false, true);
         },
         {"......", "...k..", "..fg..", "......"}},
        {"BlitRotated16 counter-clockwise",
         [](Fixture& f, const FCRect& r)
         {
             BlitRotated16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r,
                           kTurnCounterClockwise);
         },
         {"......", "..gk..", "..fj..", "......"}},
        {"BlitKeyedRotated16",
         [](Fixture& f, const FCRect& r) {
             BlitKeyedRotated16(f.target.data(), kPitch, 2, 1, f.source16.data(), kPitch16, r, 'f',
                                7);
         },
         {"......", "..j...", "..kg..", "......"}},
        {"Blit8",
         [](Fixture& f, const FCRect& r)
         { Blit8(f.target.data(), kPitch, 2, 1, f.source8.data(), kPitch8, r, f.palette); },
         {"......", "..fg..", "..jk..", "......"}},
        {"BlitKeyed8",
         [](Fixture& f, const FCRect& r) {
             BlitKeyed8(f.target.data(), kPitch, 2, 1, f.source8.data(), kPitch8, r, f.palette,
                        'j' - 'a');
         },
         {"......", "..fg..", "...k..", "......"}},
        {"BlitKeyedMirrored8 x",
         [](Fixture& f, const FCRect& r)
         {
             BlitKeyedMirrored8(f.target.data(), kPitch, 2, 1, f.source8.data(), kPitch8, r,
                                f.palette, 'k' - 'a', true, false);
         },
         {"......", "..gf..", "...j..", "......"}},
        {"BlitKeyedRotated8 clockwise",
         [](Fixture& f, const FCRect& r)
         {
             BlitKeyedRotated8(f.target.data(), kPitch, 2, 1, f.source8.data(), kPitch8, r,
                               f.palette, 'k' - 'a', kTurnClockwise);
         },
         {"......", "..jf..", "...g..", "......"}},
    };
    const Rows untouched{"......", "......", "......", "......"};
    for (const Case& c : cases)
    {
        Fixture f;
        c.call(f, FCRect(1, 1, 3, 3));
        EXPECT_EQ(f.Grid(), c.expected) << c.name;
        for (const FCRect empty : {FCRect(2, 2, 2, 3), FCRect(1, 2, 3, 1)})
        {
            Fixture g;
            c.call(g, empty);
            EXPECT_EQ(g.Grid(), untouched) << c.name << " with an empty rectangle";
        }
    }
}

TEST(FCBlitTest, KeyedRowsOfEveryLengthAndAlignmentSkipExactlyTheKey)
{
    // Rows long enough for whole blocks of key, of no key and of a mix.
    constexpr std::uint16_t key = 0xF81F;
    std::vector<std::uint16_t> source(48);
    for (std::size_t i = 0; i < source.size(); ++i)
    {
        const bool isKey = (i >= 8 && i < 16) || (i >= 24 && i % 3 == 0);
        source[i] = isKey ? key : static_cast<std::uint16_t>(0x1000 + i);
    }
    for (std::int32_t length = 0; length <= 48; ++length)
        for (std::int32_t x : {0, 1}) // target starting 0 or 2 modulo 4
        {
            std::vector<std::uint16_t> target(50, 0x5555);
            BlitKeyed16(target.data(), 100, x, 0, source.data(), 96, FCRect(0, 0, length, 1), key);
            for (std::int32_t i = 0; i < 50; ++i)
            {
                const std::int32_t c = i - x;
                const bool written =
                    c >= 0 && c < length && source[static_cast<std::size_t>(c)] != key;
                ASSERT_EQ(target[static_cast<std::size_t>(i)],
                          written ? source[static_cast<std::size_t>(c)] : 0x5555)
                    << "length " << length << " x " << x << " at " << i;
            }
        }
}

TEST(FCBlitTest, KeysNoPixelCanTakeSkipNothing)
{
    const std::uint16_t source16[2] = {0x0000, 0x1234};
    std::uint16_t target[2] = {9, 9};
    BlitKeyed16(target, 4, 0, 0, source16, 4, FCRect(0, 0, 2, 1),
                0x10000u); // would match 0 if narrowed
    EXPECT_EQ(target[0], 0x0000);
    EXPECT_EQ(target[1], 0x1234);

    FCPalette palette;
    palette.entries[0] = 0x4444;
    const std::uint8_t source8[1] = {0};
    target[0] = 9;
    BlitKeyed8(target, 4, 0, 0, source8, 1, FCRect(0, 0, 1, 1), palette, 256);
    EXPECT_EQ(target[0], 0x4444);
}

namespace
{
// Short rows are copied in overlapping blocks rather than pixel by pixel:
// every width, source offset and row count must still copy exactly the
// rectangle, in place, without touching the pixels around it.
TEST(FCBlitTest, OpaqueCopyOfEveryShortWidthStaysInsideItsRectangle)
{
    constexpr std::int32_t kSourceWidth = 80;
    constexpr std::int32_t kSourceHeight = 4;
    constexpr std::int32_t kTargetWidth = 90;
    constexpr std::int32_t kTargetHeight = 6;
    constexpr std::uint16_t kGuard = 0xBEEF;
    std::vector<std::uint16_t> source(kSourceWidth * kSourceHeight);
    for (std::size_t i = 0; i < source.size(); ++i)
        source[i] = static_cast<std::uint16_t>(0x1000 + i);

    for (std::int32_t width = 1; width <= 70; ++width)
        for (const std::int32_t left : {0, 1, 3})
            for (const std::int32_t rows : {1, 3})
            {
                SCOPED_TRACE(testing::Message()
                             << "width " << width << " left " << left << " rows " << rows);
                std::vector<std::uint16_t> target(kTargetWidth * kTargetHeight, kGuard);
                const FCRect rect(left, 1, left + width, 1 + rows);
                const std::int32_t x = 5;
                const std::int32_t y = 2;
                Blit16(target.data(), kTargetWidth * 2, x, y, source.data(), kSourceWidth * 2,
                       rect);
                for (std::int32_t ty = 0; ty < kTargetHeight; ++ty)
                    for (std::int32_t tx = 0; tx < kTargetWidth; ++tx)
                    {
                        const bool inside = tx >= x && tx < x + width && ty >= y && ty < y + rows;
                        const std::uint16_t expected =
                            inside ? source[static_cast<std::size_t>(
                                         (ty - y + rect.top) * kSourceWidth + (tx - x + rect.left))]
                                   : kGuard;
                        ASSERT_EQ(target[static_cast<std::size_t>(ty * kTargetWidth + tx)],
                                  expected)
                            << "at " << tx << ", " << ty;
                    }
            }
}
} // namespace
