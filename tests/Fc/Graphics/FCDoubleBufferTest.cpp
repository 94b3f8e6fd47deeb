#include "Fc/Graphics/FCDoubleBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const FCRect kA(0, 0, 10, 10);
const FCRect kB(100, 100, 110, 110);

std::vector<FCRect> Rects(const FCDirtyRectList* list)
{
    return list ? list->GetRects() : std::vector<FCRect>{};
}
} // namespace

TEST(FCDoubleBufferTest, TwoListsCarryAnAreaIntoTheNextFrameOnce)
{
    auto* page = new FCDoubleBuffer(true);
    ASSERT_TRUE(page->HasTwoLists());
    page->Add(kA);
    EXPECT_EQ(Rects(page->GetFirst()), std::vector<FCRect>{kA});
    EXPECT_EQ(Rects(page->GetSecond()), std::vector<FCRect>{kA});

    page->Swap(); // frame 1 painted kA into one buffer; the other still needs it
    EXPECT_EQ(Rects(page->GetFirst()), std::vector<FCRect>{kA});
    EXPECT_TRUE(Rects(page->GetSecond()).empty());

    page->Add(kB);
    page->Swap();
    EXPECT_EQ(Rects(page->GetFirst()), std::vector<FCRect>{kB});
    EXPECT_TRUE(Rects(page->GetSecond()).empty());
    page->Release();
}

TEST(FCDoubleBufferTest, SwapWithOneListOnlyEmptiesIt)
{
    auto* page = new FCDoubleBuffer(false);
    EXPECT_FALSE(page->HasTwoLists());
    EXPECT_EQ(page->GetSecond(), nullptr);
    page->Add(kA);
    FCDirtyRectList* first = page->GetFirst();
    page->Swap();
    EXPECT_EQ(page->GetFirst(), first);
    EXPECT_TRUE(Rects(first).empty());
    page->Release();
}

TEST(FCDoubleBufferTest, RebuildDropsPendingAreasAndSetsTheListCount)
{
    auto* page = new FCDoubleBuffer(false);
    page->Add(kA);
    page->Rebuild(true);
    ASSERT_TRUE(page->HasTwoLists());
    EXPECT_TRUE(Rects(page->GetFirst()).empty());
    page->Add(kB);
    page->Rebuild(false);
    EXPECT_FALSE(page->HasTwoLists());
    EXPECT_TRUE(Rects(page->GetFirst()).empty());
    page->Release();
}
