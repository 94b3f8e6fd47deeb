#include "Fc/Graphics/FCRect.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FCRectTest, IntersectStoresTheResultEvenWhenEmpty)
{
    FCRect r;
    EXPECT_TRUE(r.Intersect(FCRect(0, 0, 10, 10), FCRect(5, -5, 20, 6)));
    EXPECT_EQ(r, FCRect(5, 0, 10, 6));
    EXPECT_FALSE(r.Intersect(FCRect(0, 0, 10, 10), FCRect(10, 0, 20, 10))); // touching edges
    EXPECT_EQ(r, FCRect(10, 0, 10, 10));
    EXPECT_FALSE(r.Intersect(FCRect(0, 0, 10, 10), FCRect(30, 40, 50, 60)));
    EXPECT_EQ(r, FCRect(30, 40, 10, 10));
    // The result may be one of the inputs.
    FCRect a(0, 0, 8, 8);
    EXPECT_TRUE(a.Intersect(a, FCRect(2, 2, 20, 20)));
    EXPECT_EQ(a, FCRect(2, 2, 8, 8));
}

TEST(FCRectTest, UnionTreatsEmptyRectanglesLikeAnyOther)
{
    FCRect r;
    r.Union(FCRect(0, 0, 10, 10), FCRect(20, 30, 20, 30));
    EXPECT_EQ(r, FCRect(0, 0, 20, 30));
}

TEST(FCRectTest, EmptinessAndHalfOpenContainment)
{
    EXPECT_TRUE(FCRect(0, 0, 0, 10).IsEmpty());
    EXPECT_TRUE(FCRect(5, 5, 4, 9).IsEmpty());
    EXPECT_FALSE(FCRect(0, 0, 1, 1).IsEmpty());
    const FCRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.Contains(FCPoint(0, 0)));
    EXPECT_TRUE(r.Contains(FCPoint(9, 9)));
    EXPECT_FALSE(r.Contains(FCPoint(10, 5)));
    EXPECT_FALSE(r.Contains(FCPoint(5, 10)));
    EXPECT_FALSE(r.Contains(FCPoint(-1, 5)));
}

TEST(FCRectTest, CentreRoundsTowardMinusInfinityWithoutOverflow)
{
    EXPECT_EQ(FCRect(0, 0, 10, 10).Centre(), FCPoint(5, 5));
    EXPECT_EQ(FCRect(0, 0, 5, 3).Centre(), FCPoint(2, 1));
    EXPECT_EQ(FCRect(-3, -5, 0, 0).Centre(), FCPoint(-2, -3));
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(FCRect(big - 10, big - 4, big, big).Centre(), FCPoint(big - 5, big - 2));
}

TEST(FCRectTest, OffsetSaturatesAtTheIntegerRange)
{
    FCRect r(1, 2, 3, 4);
    r.Offset(10, -20);
    EXPECT_EQ(r, FCRect(11, -18, 13, -16));
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    FCRect edge(big - 1, 0, big, 1);
    edge.Offset(5, 0);
    EXPECT_EQ(edge, FCRect(big, 0, big, 1));
    EXPECT_TRUE(edge.IsEmpty());
}
