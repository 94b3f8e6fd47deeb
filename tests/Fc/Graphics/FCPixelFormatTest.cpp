#include "Fc/Graphics/FCPixelFormat.h"

#include "support/ArchiveBytes.h"
#include "support/DbMemoryFile.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<std::uint8_t> FormatBytes(std::initializer_list<std::uint16_t> fields)
{
    ArchiveBytes bytes;
    for (std::uint16_t f : fields)
        bytes.U16(f);
    return bytes.bytes;
}
} // namespace

TEST(FCPixelFormatTest, MasksFollowChannelWidthsWithZeroWidthAllOnes)
{
    const FCPixelFormat f(16, 5, 6, 0, 11, 5, 0);
    EXPECT_EQ(f.redMask, 0x1Fu);
    EXPECT_EQ(f.greenMask, 0x3Fu);
    EXPECT_EQ(f.blueMask, 0xFFFFFFFFu);
    EXPECT_EQ(FCFormatRGB24.redMask, 0xFFu);
}

TEST(FCPixelFormatTest, EqualityIgnoresMasksButNotShifts)
{
    FCPixelFormat a = FCFormat565;
    a.redMask = 0;
    EXPECT_TRUE(a == FCFormat565);
    EXPECT_FALSE(FCFormatRGB24 == FCFormatBGR24);
    EXPECT_TRUE(FCFormatRGB24 != FCFormatBGR24);
    EXPECT_NE(FCFormat555, FCFormat565);
}

TEST(FCPixelFormatTest, ReadTakesSevenFieldsInRedGreenBlueOrderAndRecomputesMasks)
{
    DbMemoryFile file(FormatBytes({16, 5, 6, 5, 11, 5, 0}));
    FCPixelFormat f;
    ASSERT_TRUE(f.Read(file));
    EXPECT_EQ(f, FCFormat565);
    EXPECT_EQ(f.greenMask, 0x3Fu);
    EXPECT_EQ(f.redMask, 0x1Fu);
}

TEST(FCPixelFormatTest, ReadRefusesShortOrUnusableDataAndKeepsTheFormat)
{
    QuietLog quiet;
    const std::vector<std::uint8_t> cases[] = {
        {},
        {16, 0, 5, 0, 6, 0, 5, 0, 11, 0, 5, 0, 0}, // 13 bytes
        FormatBytes({12, 4, 4, 4, 8, 4, 0}),       // unknown depth
        FormatBytes({16, 5, 6, 5, 40, 5, 0}),      // shift beyond the pixel
        FormatBytes({16, 9, 6, 5, 11, 5, 0}),      // red reaches bit 20 of 16
        FormatBytes({32, 0xFFFF, 8, 8, 0, 8, 16}), // absurd width
    };
    for (const auto& bytes : cases)
    {
        DbMemoryFile file(bytes);
        FCPixelFormat f = FCFormat555;
        EXPECT_FALSE(f.Read(file)) << bytes.size() << " bytes";
        EXPECT_EQ(f, FCFormat555);
        EXPECT_EQ(f.greenMask, 0x1Fu);
    }
}
