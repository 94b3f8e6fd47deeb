#include "Fc/Graphics/FCPalette.h"

#include "support/ArchiveBytes.h"
#include "support/DbMemoryFile.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// 256 entries, all 0 but the first and last, then the format's seven fields.
std::vector<std::uint8_t> PaletteBytes(std::uint32_t firstEntry, std::uint32_t lastEntry,
                                       std::initializer_list<std::uint16_t> format)
{
    ArchiveBytes bytes;
    bytes.U32(firstEntry).Repeat(254 * 2, 0).U32(lastEntry);
    for (std::uint16_t f : format)
        bytes.U16(f);
    return bytes.bytes;
}
} // namespace

TEST(FCPaletteTest, ConvertToOwnFormatLeavesEvenOddEntriesAlone)
{
    FCPalette p;
    p.entries[0] = 0xFFFFFFFF; // a value no conversion would leave intact
    p.entries[1] = 0x00F8F8F8;
    ASSERT_TRUE(p.Convert(FCFormatRGB24));
    EXPECT_EQ(p.entries[0], 0xFFFFFFFFu);
    EXPECT_EQ(p.entries[1], 0x00F8F8F8u);
}

TEST(FCPaletteTest, ConvertReencodesEveryEntryForEachScreenFormat)
{
    struct Row
    {
        std::uint32_t rgb24; // 0x00BBGGRR
        std::uint32_t as565;
        std::uint32_t as555;
    };
    const Row rows[] = {
        {0x000000FF, 0xF800, 0x7C00}, {0x0000FF00, 0x07E0, 0x03E0}, {0x00FF0000, 0x001F, 0x001F},
        {0x00FFFFFF, 0xFFFF, 0x7FFF}, {0x00808080, 0x8410, 0x4210}, {0x00080408, 0x0821, 0x0401},
        {0x00000000, 0x0000, 0x0000},
    };
    for (const FCPixelFormat* target : {&FCFormat565, &FCFormat555})
    {
        FCPalette p;
        for (std::size_t i = 0; i < std::size(rows); ++i)
            p.entries[i] = rows[i].rgb24;
        ASSERT_TRUE(p.Convert(*target));
        EXPECT_EQ(p.format, *target);
        for (std::size_t i = 0; i < std::size(rows); ++i)
            EXPECT_EQ(p.entries[i], target == &FCFormat565 ? rows[i].as565 : rows[i].as555)
                << "entry " << i << " green bits " << target->greenBits;
    }
}

TEST(FCPaletteTest, ConvertToAnIndexedFormatIsRefused)
{
    QuietLog quiet;
    FCPalette p;
    p.entries[3] = 0x00FFFFFF;
    EXPECT_FALSE(p.Convert(FCFormat8));
    EXPECT_EQ(p.format, FCFormatRGB24);
    EXPECT_EQ(p.entries[3], 0x00FFFFFFu);
}

TEST(FCPaletteTest, ReadTakesLittleEndianEntriesThenTheFormat)
{
    DbMemoryFile file(PaletteBytes(0x11223344, 0xA1B2C3D4, {16, 5, 6, 5, 11, 5, 0}));
    FCPalette p;
    ASSERT_TRUE(p.Read(file));
    EXPECT_EQ(p.entries[0], 0x11223344u);
    EXPECT_EQ(p.entries[255], 0xA1B2C3D4u);
    EXPECT_EQ(p.format, FCFormat565);
    EXPECT_TRUE(file.IsEof());
}

TEST(FCPaletteTest, ReadFailsCleanlyOnShortOrIndexedData)
{
    QuietLog quiet;
    auto shortFormat = PaletteBytes(1, 2, {16, 5, 6, 5, 11, 5, 0});
    shortFormat.pop_back();
    const std::vector<std::uint8_t> cases[] = {
        std::vector<std::uint8_t>(1000, 0), shortFormat,
        PaletteBytes(1, 2, {8, 0, 0, 0, 0, 0, 0}), // a palette of indices
    };
    for (const auto& bytes : cases)
    {
        DbMemoryFile file(bytes);
        FCPalette p;
        p.entries[0] = 77;
        EXPECT_FALSE(p.Read(file)) << bytes.size() << " bytes";
        EXPECT_EQ(p.entries[0], 77u);
        EXPECT_EQ(p.format, FCFormatRGB24);
    }
}
