#include "Fc/Graphics/FCPixelConvert.h"

#include "Fc/Graphics/FCPalette.h"

#include "support/MemoryDisplayManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
std::uint32_t ConvertStored16(std::uint16_t v, const FCPixelFormat& from, const FCPixelFormat& to)
{
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    return ConvertPixel(bytes, nullptr, from, to);
}

std::vector<std::uint16_t> Read16(const std::uint8_t* p, std::size_t count)
{
    std::vector<std::uint16_t> out(count);
    std::memcpy(out.data(), p, count * 2);
    return out;
}
} // namespace

TEST(FCPixelConvertTest, WideningFillsLowBitsOnlyForValues)
{
    EXPECT_EQ(ConvertPixelValue(0x7FFF, nullptr, FCFormat555, FCFormatRGB24), 0x00FFFFFFu);
    EXPECT_EQ(ConvertStored16(0x7FFF, FCFormat555, FCFormatRGB24), 0x00F8F8F8u);
    // Zero channels stay zero even when filling: pure red.
    EXPECT_EQ(ConvertPixelValue(0x7C00, nullptr, FCFormat555, FCFormatRGB24), 0x000000FFu);
}

TEST(FCPixelConvertTest, GreenLowBitSurvivesOnlyTheFillingRoundTrip)
{
    const std::uint16_t pixel = 0x07E0 | 0x0800 | 0x0001; // green 63, red 1, blue 1
    const std::uint32_t as555 = ConvertStored16(pixel, FCFormat565, FCFormat555);
    EXPECT_EQ(as555, 0x0400u | 0x03E0u | 0x0001u);
    EXPECT_EQ(ConvertStored16(static_cast<std::uint16_t>(as555), FCFormat555, FCFormat565),
              0x0800u | 0x07C0u | 1u);
    EXPECT_EQ(ConvertPixelValue(as555, nullptr, FCFormat555, FCFormat565), 0x0800u | 0x07E0u | 1u);
    // Green 0 stays 0 with filling.
    EXPECT_EQ(ConvertPixelValue(0x7C00, nullptr, FCFormat555, FCFormat565), 0xF800u);
}

TEST(FCPixelConvertTest, PrimaryColoursInEveryChannelFormat)
{
    struct Row
    {
        const FCPixelFormat& to;
        std::uint32_t red, green, blue;
    };
    const Row rows[] = {
        {FCFormat555, 0x7C00, 0x03E0, 0x001F},
        {FCFormat565, 0xF800, 0x07E0, 0x001F},
        {FCFormatRGB24, 0x0000FF, 0x00FF00, 0xFF0000},
        {FCFormatBGR24, 0xFF0000, 0x00FF00, 0x0000FF},
        {FCFormat32, 0xFF0000, 0x00FF00, 0x0000FF},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message()
                     << "to " << row.to.bitsPerPixel << " bpp, red shift " << row.to.redShift);
        EXPECT_EQ(ConvertPixelValue(0x0000FF, nullptr, FCFormatRGB24, row.to), row.red);
        EXPECT_EQ(ConvertPixelValue(0x00FF00, nullptr, FCFormatRGB24, row.to), row.green);
        EXPECT_EQ(ConvertPixelValue(0xFF0000, nullptr, FCFormatRGB24, row.to), row.blue);
        EXPECT_EQ(PackPixel(255, 0, 0, row.to),
                  ConvertPixel("\xFF\x00\x00", nullptr, FCFormatRGB24, row.to));
        EXPECT_EQ(PackPixel(0, 0, 255, row.to), row.blue);
    }
}

TEST(FCPixelConvertTest, StoredPixelsAreReadLittleEndianByDepth)
{
    const std::uint8_t bgr[3] = {0x01, 0x02, 0x03}; // blue 1, green 2, red 3
    EXPECT_EQ(ConvertPixel(bgr, nullptr, FCFormatBGR24, FCFormatRGB24), 0x010203u);
    const std::uint8_t argb[4] = {0x01, 0x02, 0x03, 0x80};
    EXPECT_EQ(ConvertPixel(argb, nullptr, FCFormat32, FCFormatRGB24), 0x010203u);
    EXPECT_EQ(ConvertPixel(argb, nullptr, FCFormat1, FCFormat565), 0u);
}

TEST(FCPixelConvertTest, IndexedPixelsGoThroughThePalette)
{
    FCPalette palette;
    palette.entries[2] = 0x0000FF; // red
    const std::uint8_t index = 2;
    EXPECT_EQ(ConvertPixel(&index, &palette, FCFormat8, FCFormat565), 0xF800u);
    EXPECT_EQ(ConvertPixel(&index, &palette, FCFormat8, FCFormat8), 2u);
    EXPECT_EQ(ConvertPixelValue(0x102, &palette, FCFormat8, FCFormat555), 0x7C00u);
    EXPECT_EQ(LookUpPaletteColour(&index, &palette, FCFormat565), 0xF800u);
    EXPECT_EQ(ConvertPixel(&index, nullptr, FCFormat8, FCFormat565), 0u);
    // A palette of indices would send the look-up round forever.
    palette.format = FCFormat8;
    EXPECT_EQ(LookUpPaletteColour(&index, &palette, FCFormat565), 0u);
}

TEST(FCPixelConvertTest, RowConvertersPerPixel)
{
    struct Row
    {
        FCRowConverter convert;
        std::vector<std::uint8_t> source;
        std::vector<std::uint16_t> expected;
    };
    const Row rows[] = {
        {ConvertRow555To565,
         {0xFF, 0x7F, 0xE0, 0x03, 0x00, 0x7C, 0x1F, 0x00},
         {0xFFDF, 0x07C0, 0xF800, 0x001F}},
        {ConvertRow565To555,
         {0xFF, 0xFF, 0xE0, 0x07, 0x20, 0x00, 0x00, 0xF8},
         {0x7FFF, 0x03E0, 0x0000, 0x7C00}},
        {ConvertRow24To565,
         {0xFF, 0xFF, 0xFF, 0x08, 0x04, 0x08, 0x07, 0x03, 0x07},
         {0xFFFF, 0x0821, 0x0000}},
        {ConvertRow24To555,
         {0xFF, 0xFF, 0xFF, 0x08, 0x08, 0x08, 0x07, 0x07, 0x07},
         {0x7FFF, 0x0421, 0x0000}},
    };
    for (const Row& row : rows)
    {
        std::vector<std::uint8_t> target(row.expected.size() * 2 + 2, 0xAA);
        row.convert(row.source.data(), target.data(),
                    static_cast<std::int32_t>(row.expected.size()));
        EXPECT_EQ(Read16(target.data(), row.expected.size()), row.expected);
        EXPECT_EQ(target[target.size() - 1], 0xAA) << "wrote past the row";
    }
}

TEST(FCPixelConvertTest, OddRowsIntoMisalignedTargetsConvertEveryPixelAlike)
{
    // Seven pixels: odd count; targets at offsets 0 and 2 (2 modulo 4).
    alignas(8) std::uint8_t source16[16];
    alignas(8) std::uint8_t source24[24];
    for (int i = 0; i < 16; ++i)
        source16[i] = static_cast<std::uint8_t>(37 * i + 11);
    for (int i = 0; i < 24; ++i)
        source24[i] = static_cast<std::uint8_t>(53 * i + 5);
    struct Case
    {
        FCRowConverter convert;
        const std::uint8_t* source;
        std::int32_t bytesPerPixel;
    };
    const Case cases[] = {{ConvertRow555To565, source16, 2},
                          {ConvertRow565To555, source16, 2},
                          {ConvertRow24To565, source24, 3},
                          {ConvertRow24To555, source24, 3}};
    for (const Case& c : cases)
    {
        std::vector<std::uint16_t> single(7);
        for (int i = 0; i < 7; ++i)
            c.convert(c.source + c.bytesPerPixel * i, &single[static_cast<std::size_t>(i)], 1);
        for (int offset : {0, 2})
        {
            alignas(8) std::uint8_t target[24];
            std::memset(target, 0xCC, sizeof target);
            c.convert(c.source, target + offset, 7);
            EXPECT_EQ(Read16(target + offset, 7), single) << "offset " << offset;
            EXPECT_EQ(target[offset + 14], 0xCC);
        }
    }
    // In place, as the picture loader converts rows.
    std::uint8_t row[16];
    std::memcpy(row, source16, sizeof row);
    ConvertRow555To565(row, row, 7);
    std::uint8_t copied[16];
    ConvertRow555To565(source16, copied, 7);
    EXPECT_EQ(0, std::memcmp(row, copied, 14));
}

TEST(FCPixelConvertTest, RowConverterChoice)
{
    struct Row
    {
        const FCPixelFormat& from;
        const FCPixelFormat& to;
        FCRowConverter expected;
    };
    const Row rows[] = {
        {FCFormat565, FCFormat565, nullptr},
        {FCFormat555, FCFormat555, nullptr},
        {FCFormat555, FCFormat565, ConvertRow555To565},
        {FCFormat565, FCFormat555, ConvertRow565To555},
        {FCFormatRGB24, FCFormat565, ConvertRow24To565},
        {FCFormatBGR24, FCFormat555, ConvertRow24To555},
        {FCFormat565, FCFormatRGB24, nullptr},
        {FCFormat555, FCFormat32, nullptr},
        {FCFormat8, FCFormat565, nullptr},
        {FCFormat32, FCFormat565, nullptr},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetRowConverter(row.from, row.to), row.expected)
            << row.from.bitsPerPixel << "/" << row.from.greenBits << " -> " << row.to.bitsPerPixel
            << "/" << row.to.greenBits;
}

TEST(FCPixelConvertTest, ConvertRow16CountsWholePixelsOfTheByteCount)
{
    std::uint16_t row[3] = {0x7FFF, 0x7FFF, 0x7FFF};
    ConvertRow16(row, 5, 999, FCFormat555, row, FCFormat565);
    EXPECT_EQ(row[0], 0xFFDF);
    EXPECT_EQ(row[1], 0xFFDF);
    EXPECT_EQ(row[2], 0x7FFF);
    ConvertRow16(row, 6, 0, FCFormat565, row, FCFormat565);
    EXPECT_EQ(row[0], 0xFFDF);
    ConvertRow16(row, 2, 0, FCFormat565, row, FCFormat555);
    EXPECT_EQ(row[0], 0x7FFF); // back where it started
}

TEST(FCPixelConvertTest, PackPixelDropsLowBits)
{
    EXPECT_EQ(PackPixel(255, 255, 255, FCFormat565), 0xFFFFu);
    EXPECT_EQ(PackPixel(255, 255, 255, FCFormat555), 0x7FFFu);
    EXPECT_EQ(PackPixel(0x80, 0x40, 0x27, FCFormat565), 0x8204u);
    EXPECT_EQ(PackPixel(1, 2, 3, FCFormatRGB24), 0x030201u);
    EXPECT_EQ(PackPixel(1, 2, 3, FCFormatBGR24), 0x010203u);
    EXPECT_EQ(PackPixel(1, 2, 3, FCFormat8), 0u);
}

TEST(FCPixelConvertTest, ScreenColourUsesTheBackBufferFormat)
{
    // No display (tools, start-up): the format of our screen, 5-6-5.
    EXPECT_EQ(MakeScreenColour(255, 255, 255), 0xFFFFu);
    {
        MemoryDisplayManager display(FCFormat565, 8, 8);
        EXPECT_EQ(MakeScreenColour(255, 255, 255), 0xFFFFu);
        EXPECT_EQ(MakeScreenColour(0, 255, 0), 0x07E0u);
    }
    {
        MemoryDisplayManager display(FCFormat555, 8, 8);
        EXPECT_EQ(MakeScreenColour(255, 255, 255), 0x7FFFu);
        EXPECT_EQ(MakeScreenColour(0, 255, 0), 0x03E0u);
    }
}
