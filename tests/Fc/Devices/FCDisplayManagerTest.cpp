#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "support/MemoryDisplayManager.h"

#include <gtest/gtest.h>

namespace
{
// The current page's lists as (has second list, first count, second count).
struct PageState
{
    bool twoLists;
    std::size_t firstCount;
    std::size_t secondCount;
};

PageState Current()
{
    FCDoubleBuffer* page = FCDisplayPageStack::GetCurrent();
    EXPECT_NE(page, nullptr);
    if (page == nullptr)
    {
        return {false, 0, 0};
    }
    return {page->HasTwoLists(), page->GetFirst()->GetCount(),
            page->HasTwoLists() ? page->GetSecond()->GetCount() : 0};
}
} // namespace

TEST(FCDisplayManagerTest, ConstructionPushesOneWindowedPageAndDestructionPopsAll)
{
    {
        MemoryDisplayManager display;
        EXPECT_EQ(FCDisplayManager::GetInstance(), &display);
        EXPECT_FALSE(display.IsFullScreen());
        EXPECT_EQ(FCDisplayPageStack::GetCount(), 1);
        EXPECT_FALSE(Current().twoLists);

        auto* own = new FCDoubleBuffer(false);
        EXPECT_TRUE(FCDisplayManager::PushPage(own));
        own->Release();
        EXPECT_EQ(FCDisplayPageStack::GetCount(), 2);
    }
    EXPECT_EQ(FCDisplayManager::GetInstance(), nullptr);
    EXPECT_EQ(FCDisplayPageStack::GetCount(), 0);
    EXPECT_EQ(FCDisplayManager::PopPage(), nullptr);
    EXPECT_EQ(FCDisplayManager::GetBackBuffer(), nullptr);
    EXPECT_EQ(FCDisplayManager::GetPrimaryBuffer(), nullptr);
}

TEST(FCDisplayManagerTest, SwitchingModeRebuildsEveryPageOnceAndDropsPendingAreas)
{
    MemoryDisplayManager display;
    auto* own = new FCDoubleBuffer(false);
    FCDisplayManager::PushPage(own);

    FCDisplayPageStack::Invalidate(FCRect(0, 0, 10, 10));
    EXPECT_TRUE(display.SetFullScreen());
    EXPECT_TRUE(display.IsFullScreen());
    EXPECT_TRUE(own->HasTwoLists());
    EXPECT_TRUE(FCDisplayPageStack::GetPage(0)->HasTwoLists());
    EXPECT_EQ(own->GetFirst()->GetCount(), 0u) << "the rebuild drops pending areas";

    // A second switch to the same mode must not rebuild (and so not drop) again.
    FCDisplayPageStack::Invalidate(FCRect(0, 0, 10, 10));
    EXPECT_TRUE(display.SetFullScreen());
    EXPECT_EQ(own->GetFirst()->GetCount(), 1u);
    EXPECT_EQ(own->GetSecond()->GetCount(), 1u);

    EXPECT_TRUE(display.SetWindowed());
    EXPECT_FALSE(own->HasTwoLists());
    EXPECT_EQ(own->GetFirst()->GetCount(), 0u);
    FCDisplayPageStack::Invalidate(FCRect(0, 0, 10, 10));
    EXPECT_TRUE(display.SetWindowed());
    EXPECT_EQ(own->GetFirst()->GetCount(), 1u);

    FCDisplayManager::PopPage();
    own->Release();
}

TEST(FCDisplayManagerTest, InvalidateScreenMarksTheWholeScreenOnlyInFullScreen)
{
    MemoryDisplayManager display(FCFormat565, 640, 480);
    display.InvalidateScreen();
    EXPECT_EQ(Current().firstCount, 0u);
    display.SetFullScreen();
    display.InvalidateScreen();
    const PageState state = Current();
    EXPECT_EQ(state.firstCount, 1u);
    EXPECT_EQ(state.secondCount, 1u);
    EXPECT_EQ(FCDisplayPageStack::GetCurrent()->GetFirst()->GetRects()[0], FCRect(0, 0, 640, 480));
}
