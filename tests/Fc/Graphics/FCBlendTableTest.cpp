#include "Fc/Graphics/FCBlendTable.h"

#include "support/QuietLog.h"

#include <gtest/gtest.h>

namespace
{
std::uint8_t Entry(std::uint32_t level, std::uint32_t a, std::uint32_t b)
{
    return GetBlendTable().entries[(level << 12) | (a << 6) | b];
}

class FCBlendTableTest : public ::testing::Test
{
protected:
    void TearDown() override { FreeBlendTable(); }
    QuietLog quiet;
};
} // namespace

TEST_F(FCBlendTableTest, EntriesWeighAByLevelPlusOneSixteenths)
{
    ASSERT_TRUE(BuildBlendTable(FCFormat565));
    for (std::uint32_t a = 0; a < 64; ++a)
        for (std::uint32_t b = 0; b < 64; ++b)
        {
            ASSERT_EQ(Entry(15, a, b), a) << a << "," << b;
            ASSERT_EQ(Entry(0, a, b), (a + 15 * b) >> 4) << a << "," << b;
        }
    EXPECT_EQ(Entry(7, 63, 0), 31); // half of 63, rounded down
    EXPECT_EQ(Entry(7, 0, 63), 31);
    EXPECT_EQ(Entry(3, 40, 8), 16); // (12 * 8 + 4 * 40) / 16
    EXPECT_EQ(Entry(11, 63, 63), 63);
}

TEST_F(FCBlendTableTest, KeepsTheScreenLayoutBesideTheTable)
{
    ASSERT_TRUE(BuildBlendTable(FCFormat565));
    EXPECT_EQ(GetBlendTable().redShift, 11);
    EXPECT_EQ(GetBlendTable().greenShift, 5);
    EXPECT_EQ(GetBlendTable().blueShift, 0);
    EXPECT_EQ(GetBlendTable().greenMask, 0x3Fu);
    EXPECT_EQ(GetBlendTable().greenMaskHigh, 0xFC0u);

    ASSERT_TRUE(BuildBlendTable(FCFormat555)); // rebuilding frees the old table
    EXPECT_EQ(GetBlendTable().redShift, 10);
    EXPECT_EQ(GetBlendTable().greenMask, 0x1Fu);
    EXPECT_EQ(GetBlendTable().greenMaskHigh, 0x7C0u);
}

TEST_F(FCBlendTableTest, FreeAndRefusedFormatsLeaveNoTable)
{
    ASSERT_TRUE(BuildBlendTable(FCFormat565));
    FreeBlendTable();
    EXPECT_EQ(GetBlendTable().entries, nullptr);
    FreeBlendTable(); // twice is harmless
    EXPECT_FALSE(BuildBlendTable(FCFormatRGB24));
    EXPECT_EQ(GetBlendTable().entries, nullptr);
}
