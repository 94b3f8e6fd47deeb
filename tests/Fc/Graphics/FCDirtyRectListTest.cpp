#include "Fc/Graphics/FCDirtyRectList.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<FCRect> AfterAdds(std::initializer_list<FCRect> stored,
                              std::initializer_list<FCRect> added)
{
    FCDirtyRectList list;
    for (const FCRect& r : stored)
        list.Append(r);
    for (const FCRect& r : added)
        list.Add(r);
    return list.GetRects();
}
} // namespace

TEST(FCDirtyRectListTest, EmptyRectanglesChangeNothing)
{
    EXPECT_TRUE(AfterAdds({}, {FCRect(0, 0, 0, 10), FCRect(5, 5, 4, 9)}).empty());
    FCDirtyRectList list;
    list.Append(FCRect(3, 3, 3, 8));
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST(FCDirtyRectListTest, MergeRuleCases)
{
    struct Row
    {
        const char* name;
        FCRect first, second;
        std::vector<FCRect> expected;
    };
    const Row rows[] = {
        {"stored centre inside the new one",
         FCRect(0, 0, 10, 10),
         FCRect(2, 2, 8, 8),
         {FCRect(0, 0, 10, 10)}},
        {"new centre inside the stored one",
         FCRect(2, 2, 8, 8),
         FCRect(4, 4, 40, 40),
         {FCRect(2, 2, 40, 40)}},
        {"overlap without either centre",
         FCRect(0, 0, 10, 10),
         FCRect(9, 9, 30, 30),
         {FCRect(0, 0, 10, 10), FCRect(9, 9, 30, 30)}},
        // Stored centre (5, 5) on the new rectangle's right edge, new centre
        // (-3, 5) outside: half-open, so no merge. One column more merges.
        {"centre on right edge",
         FCRect(0, 0, 10, 10),
         FCRect(-10, 0, 5, 10),
         {FCRect(0, 0, 10, 10), FCRect(-10, 0, 5, 10)}},
        {"centre one inside right edge",
         FCRect(0, 0, 10, 10),
         FCRect(-10, 0, 6, 10),
         {FCRect(-10, 0, 10, 10)}},
        {"centre on bottom edge",
         FCRect(0, 0, 10, 10),
         FCRect(0, -10, 10, 5),
         {FCRect(0, 0, 10, 10), FCRect(0, -10, 10, 5)}},
        {"centre one inside bottom edge",
         FCRect(0, 0, 10, 10),
         FCRect(0, -10, 10, 6),
         {FCRect(0, -10, 10, 10)}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AfterAdds({}, {row.first, row.second}), row.expected) << row.name;
}

TEST(FCDirtyRectListTest, MergedSlotTakesTheLastRectangleSoOrderChanges)
{
    const FCRect a(0, 0, 10, 10), b(100, 0, 110, 10), c(200, 0, 210, 10), d(300, 0, 310, 10);
    EXPECT_EQ(AfterAdds({a, b, c, d}, {FCRect(95, 0, 115, 10)}),
              (std::vector<FCRect>{a, d, c, FCRect(95, 0, 115, 10)}));
}

TEST(FCDirtyRectListTest, GrownRectangleIsTestedFromTheMergedSlotOnwardOnly)
{
    // N merges with B only; the grown N then holds the centres of A (already
    // passed, so kept) and of C (moved into B's slot, so merged too).
    const FCRect a(0, 0, 10, 10);  // centre (5, 5)
    const FCRect b(30, 0, 40, 20); // centre (35, 10), inside N
    const FCRect c(34, 2, 44, 12); // centre (39, 7), outside N, inside N grown by B
    const FCRect n(0, 8, 40, 20);  // centre (20, 14)
    EXPECT_EQ(AfterAdds({a, b, c}, {n}), (std::vector<FCRect>{a, FCRect(0, 0, 44, 20)}));
}

TEST(FCDirtyRectListTest, WalkHandsOutEachRectangleOnceUntilRewound)
{
    FCDirtyRectList list;
    list.Add(FCRect(0, 0, 1, 1));
    list.Add(FCRect(50, 50, 51, 51));
    std::vector<FCRect> seen;
    FCRect r;
    list.Rewind();
    while (list.Next(r))
        seen.push_back(r);
    EXPECT_EQ(seen, list.GetRects());
    EXPECT_FALSE(list.Next(r));
    list.Rewind();
    ASSERT_TRUE(list.Next(r));
    EXPECT_EQ(r, FCRect(0, 0, 1, 1));
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_FALSE(list.Next(r));
}

// Add skips the walk when it can tell the walk would change nothing; the
// list must still end exactly as the full walk leaves it, order included.
TEST(FCDirtyRectListTest, RepeatedAndContainedAddsEndAsTheFullWalkDoes)
{
    const auto walk = [](std::vector<FCRect>& rects, const FCRect& rect)
    {
        if (rect.IsEmpty())
            return;
        FCRect grown = rect;
        for (std::size_t i = 0; i < rects.size();)
        {
            if (!grown.Contains(rects[i].Centre()) && !rects[i].Contains(grown.Centre()))
            {
                ++i;
                continue;
            }
            grown.Union(grown, rects[i]);
            rects[i] = rects.back();
            rects.pop_back();
        }
        rects.push_back(grown);
    };
    std::uint32_t seed = 7;
    const auto next = [&seed](std::int32_t range)
    {
        seed = seed * 1103515245u + 12345u;
        return static_cast<std::int32_t>((seed >> 16) % static_cast<std::uint32_t>(range));
    };
    FCDirtyRectList list;
    std::vector<FCRect> expected;
    FCRect last(0, 0, 8, 8);
    for (int step = 0; step < 20000; ++step)
    {
        const std::int32_t choice = next(16);
        if (choice == 0)
        {
            list.Clear();
            expected.clear();
            continue;
        }
        // Often the same area again, or one inside the last, as elements do.
        if (choice > 6)
        {
            const std::int32_t x = next(40), y = next(40);
            last = FCRect(x, y, x + 1 + next(30), y + 1 + next(30));
        }
        else if (choice > 3 && !last.IsEmpty())
            last = FCRect(last.left, last.top, last.left + 1 + next(static_cast<std::int32_t>(last.Width())),
                          last.bottom);
        if (choice == 1)
        {
            list.Append(last);
            if (!last.IsEmpty())
                expected.push_back(last);
        }
        else
        {
            list.Add(last);
            walk(expected, last);
        }
        ASSERT_EQ(list.GetRects(), expected) << "step " << step;
    }
}
