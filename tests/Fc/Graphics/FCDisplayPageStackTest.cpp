#include "Fc/Graphics/FCDisplayPageStack.h"

#include "Fc/Graphics/FCDoubleBuffer.h"

#include "support/QuietLog.h"

#include <gtest/gtest.h>

namespace
{
class FCDisplayPageStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (auto*& page : pages)
            page = new FCDoubleBuffer(false);
        ASSERT_EQ(FCDisplayPageStack::GetCount(), 0);
    }
    void TearDown() override
    {
        while (FCDisplayPageStack::Pop())
        {
        }
        for (FCDoubleBuffer* page : pages)
            page->Release();
    }

    QuietLog quiet;
    FCDoubleBuffer* pages[5] = {};
};
} // namespace

TEST_F(FCDisplayPageStackTest, PushHoldsAReferenceAndPopReleasesItInStackOrder)
{
    EXPECT_EQ(FCDisplayPageStack::GetCurrent(), nullptr);
    ASSERT_TRUE(FCDisplayPageStack::Push(pages[0]));
    ASSERT_TRUE(FCDisplayPageStack::Push(pages[1]));
    EXPECT_EQ(pages[0]->GetRefCount(), 2);
    EXPECT_EQ(FCDisplayPageStack::GetCurrent(), pages[1]);
    EXPECT_EQ(FCDisplayPageStack::GetPage(0), pages[0]);
    EXPECT_EQ(FCDisplayPageStack::GetPage(2), nullptr);

    EXPECT_EQ(FCDisplayPageStack::Pop(), pages[1]);
    EXPECT_EQ(pages[1]->GetRefCount(), 1);
    EXPECT_EQ(FCDisplayPageStack::GetCurrent(), pages[0]);
    EXPECT_EQ(FCDisplayPageStack::Pop(), pages[0]);
    EXPECT_EQ(FCDisplayPageStack::Pop(), nullptr);
    EXPECT_EQ(FCDisplayPageStack::GetCount(), 0);
}

TEST_F(FCDisplayPageStackTest, NullIsIgnoredAndAFifthPageIsRefused)
{
    EXPECT_FALSE(FCDisplayPageStack::Push(nullptr));
    EXPECT_EQ(FCDisplayPageStack::GetCount(), 0);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(FCDisplayPageStack::Push(pages[i]));
    EXPECT_FALSE(FCDisplayPageStack::Push(pages[4]));
    EXPECT_EQ(FCDisplayPageStack::GetCount(), 4);
    EXPECT_EQ(pages[4]->GetRefCount(), 1);
    EXPECT_EQ(FCDisplayPageStack::GetCurrent(), pages[3]);
}

TEST_F(FCDisplayPageStackTest, StackReferenceKeepsAPageAliveAfterItsCreatorLetsGo)
{
    auto* own = new FCDoubleBuffer(false);
    ASSERT_TRUE(FCDisplayPageStack::Push(own));
    own->Release(); // as the display manager does with its first page
    EXPECT_EQ(FCDisplayPageStack::GetCurrent()->GetRefCount(), 1);
    FCDisplayPageStack::Invalidate(FCRect(0, 0, 4, 4));
    EXPECT_EQ(FCDisplayPageStack::GetCurrent()->GetFirst()->GetCount(), 1u);
    EXPECT_NE(FCDisplayPageStack::Pop(), nullptr); // deletes it; LeakSanitizer watches
}

TEST_F(FCDisplayPageStackTest, InvalidateGoesToTheCurrentPageOnlyAndRebuildAllSwitchesEveryPage)
{
    FCDisplayPageStack::Invalidate(FCRect(0, 0, 5, 5)); // no page: nothing happens
    FCDisplayPageStack::Push(pages[0]);
    FCDisplayPageStack::Push(pages[1]);
    FCDisplayPageStack::RebuildAll(true);
    EXPECT_TRUE(pages[0]->HasTwoLists());
    EXPECT_TRUE(pages[1]->HasTwoLists());

    FCDisplayPageStack::Invalidate(FCRect(0, 0, 5, 5));
    EXPECT_EQ(pages[1]->GetFirst()->GetCount(), 1u);
    EXPECT_EQ(pages[1]->GetSecond()->GetCount(), 1u);
    EXPECT_EQ(pages[0]->GetFirst()->GetCount(), 0u);

    FCDisplayPageStack::RebuildAll(false);
    EXPECT_FALSE(pages[1]->HasTwoLists());
    EXPECT_EQ(pages[1]->GetFirst()->GetCount(), 0u);
}
