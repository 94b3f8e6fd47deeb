#include "Fc/Graphics/FCRectCover.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{
constexpr int kSide = 24;

// How often each cell of a kSide x kSide grid is painted by the pieces.
std::vector<int> PaintCounts(const FCRectCover& cover, const FCRect& area)
{
    std::vector<int> counts(kSide * kSide, 0);
    cover.ForEachUncovered(area,
                           [&](const FCRect& piece)
                           {
                               ASSERT_FALSE(piece.IsEmpty());
                               for (int y = piece.top; y < piece.bottom; ++y)
                                   for (int x = piece.left; x < piece.right; ++x)
                                   {
                                       ASSERT_TRUE(x >= 0 && x < kSide && y >= 0 && y < kSide);
                                       ++counts[y * kSide + x];
                                   }
                           });
    return counts;
}

FCRect RandomRect(std::mt19937& random)
{
    // Edges a little outside the grid too, and sometimes empty.
    std::uniform_int_distribution<int> edge(-3, kSide + 3);
    const int a = edge(random);
    const int b = edge(random);
    const int c = edge(random);
    const int d = edge(random);
    return FCRect(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d));
}

// Every cell of the area outside the cover is painted exactly once, and
// nothing else is.
TEST(FCRectCoverTest, PiecesPaintExactlyTheUncoveredPartOfTheArea)
{
    std::mt19937 random(20261206);
    for (int trial = 0; trial < 400; ++trial)
    {
        SCOPED_TRACE(trial);
        FCRectCover cover;
        std::vector<FCRect> rects;
        const int count = static_cast<int>(random() % 9);
        for (int i = 0; i < count; ++i)
        {
            rects.push_back(RandomRect(random));
            ASSERT_TRUE(cover.Add(rects.back()));
        }
        FCRect area;
        area.Intersect(RandomRect(random), FCRect(0, 0, kSide, kSide));
        const std::vector<int> counts = PaintCounts(cover, area);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
            {
                bool covered = false;
                for (const FCRect& r : rects)
                    covered = covered || r.Contains(FCPoint(x, y));
                const int expected = area.Contains(FCPoint(x, y)) && !covered ? 1 : 0;
                ASSERT_EQ(counts[y * kSide + x], expected) << "cell " << x << "," << y;
            }
    }
}

TEST(FCRectCoverTest, EmptyAreasAndRectanglesAndAFullCover)
{
    FCRectCover cover;
    EXPECT_TRUE(cover.Add(FCRect(5, 5, 5, 9))) << "an empty rectangle is ignored, not refused";
    EXPECT_EQ(cover.GetCount(), 0u);
    int pieces = 0;
    cover.ForEachUncovered(FCRect(3, 3, 3, 8), [&](const FCRect&) { ++pieces; });
    EXPECT_EQ(pieces, 0) << "an empty area has nothing to paint";
    cover.ForEachUncovered(FCRect(0, 0, 4, 4),
                           [&](const FCRect& piece)
                           {
                               EXPECT_EQ(piece, FCRect(0, 0, 4, 4));
                               ++pieces;
                           });
    EXPECT_EQ(pieces, 1) << "without a cover the area is one piece";

    for (std::uint32_t i = 0; i < FCRectCover::kCapacity; ++i)
        EXPECT_TRUE(cover.Add(
            FCRect(static_cast<std::int32_t>(i), 0, static_cast<std::int32_t>(i) + 1, 1)));
    EXPECT_FALSE(cover.Add(FCRect(0, 1, 1, 2))) << "full";
    EXPECT_EQ(cover.GetCount(), FCRectCover::kCapacity);
    // What was dropped is painted after all.
    std::vector<FCRect> painted;
    cover.ForEachUncovered(FCRect(0, 0, 2, 2),
                           [&](const FCRect& piece) { painted.push_back(piece); });
    EXPECT_EQ(painted, std::vector<FCRect>{FCRect(0, 1, 2, 2)});
}
} // namespace
