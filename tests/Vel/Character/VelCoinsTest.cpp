#include "Fc/Core/FCArchive.h"
#include "Vel/Character/VelCoins.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

TEST(VelCoinsTest, NormalizeBorrowsAndCarriesTens)
{
    struct Case
    {
        VelCoins in;
        VelCoins out;
    };
    const Case cases[] = {
        {{25, 0, 0}, {5, 2, 0}},
        {{-1, 0, 1}, {9, 9, 0}},
        {{-10, 0, 1}, {0, 9, 0}},
        {{0, -1, 0}, {0, 9, -1}},
        {{5, 12, 3}, {5, 2, 4}},
        {{9, 9, 0}, {9, 9, 0}},
        {{10, 9, 0}, {0, 0, 1}},
        {{0, 0, -5}, {0, 0, -5}},
        {{-9, 0, 0}, {1, 9, -1}},
        {{-100, 0, 0}, {0, 0, -1}},
        {{1234, 56, 7}, {4, 9, 24}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.in.coins[0] << "," << c.in.coins[1] << "," << c.in.coins[2]);
        VelCoins coins = c.in;
        coins.Normalize();
        EXPECT_EQ(coins, c.out);
    }
}

TEST(VelCoinsTest, NormalizeKeepsTheValueOfTheAmount)
{
    const std::int32_t samples[] = {-250, -91, -10, -9, -1, 0, 1, 9, 10, 99, 101, 777};
    for (std::int32_t a : samples)
    {
        for (std::int32_t b : samples)
        {
            VelCoins coins(a, b, 3);
            coins.Normalize();
            EXPECT_EQ(coins.coins[0] + 10 * coins.coins[1] + 100 * coins.coins[2], a + 10 * b + 300);
            EXPECT_GE(coins.coins[0], 0);
            EXPECT_LE(coins.coins[0], 9);
            EXPECT_GE(coins.coins[1], 0);
            EXPECT_LE(coins.coins[1], 9);
        }
    }
}

TEST(VelCoinsTest, ExtremeCountsStayWithinRange)
{
    VelCoins lowest(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min(),
                    std::numeric_limits<std::int32_t>::min());
    lowest.Normalize();
    EXPECT_GE(lowest.coins[0], 0);
    EXPECT_LE(lowest.coins[0], 9);
    EXPECT_EQ(lowest.coins[2], std::numeric_limits<std::int32_t>::min());

    VelCoins highest(std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
                     std::numeric_limits<std::int32_t>::max());
    highest.Normalize();
    EXPECT_EQ(highest.coins[2], std::numeric_limits<std::int32_t>::max());
}

TEST(VelCoinsTest, SerializeWritesThreeWordsCoinZeroFirst)
{
    const std::string path = "/tmp/velcoins_" + std::to_string(getpid()) + ".bin";
    {
        VelCoins coins(1, -2, 0x01020304);
        FCArchive ar(path, FCArchive::kStore);
        ASSERT_TRUE(ar.IsOpen());
        coins.Serialize(ar);
    }
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<std::uint8_t> expected = {0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(bytes, expected);
    {
        FCArchive ar(path, FCArchive::kLoad);
        ASSERT_TRUE(ar.IsOpen());
        VelCoins loaded;
        loaded.Serialize(ar);
        EXPECT_EQ(loaded, VelCoins(1, -2, 0x01020304));
    }
    std::remove(path.c_str());
}
