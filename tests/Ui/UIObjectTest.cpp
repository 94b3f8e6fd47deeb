#include "Ui/UIObject.h"
#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Ui/UIControl.h"
#include "support/MemoryDisplayManager.h"
#include "support/Owned.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
// A page with both lists pushed for the test's lifetime, so invalidation
// has somewhere to go and can be read back.
class UIObjectPage : public ::testing::Test
{
protected:
    UIObjectPage()
    {
        page = new FCDoubleBuffer(true);
        FCDisplayPageStack::Push(page);
    }
    ~UIObjectPage() override
    {
        FCDisplayPageStack::Pop();
        page->Release();
    }
    std::vector<FCRect> First() const { return page->GetFirst()->GetRects(); }
    std::vector<FCRect> Second() const { return page->GetSecond()->GetRects(); }
    void ClearLists()
    {
        page->GetFirst()->Clear();
        page->GetSecond()->Clear();
    }

    FCDoubleBuffer* page = nullptr;
};


struct AlignCase
{
    const char* name;
    std::uint16_t flags;
    FCPoint parentSize;
    FCPoint position;
    FCPoint size;
    FCPoint expected;
};

class UIObjectAlign : public ::testing::TestWithParam<AlignCase>
{
};

TEST_P(UIObjectAlign, PlacesTheElementInsideItsParent)
{
    const AlignCase& c = GetParam();
    Owned<UIControl> parent(new UIControl(1));
    parent->SetSize(c.parentSize);
    auto* child = new UIControl(2);
    child->SetPositionXY(c.position.x, c.position.y);
    child->SetSize(c.size);
    child->SetAlignFlags(c.flags);
    parent->AddChild(child);
    EXPECT_EQ(child->GetPosition(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, UIObjectAlign,
    ::testing::Values(
        AlignCase{"TopLeft", 0x05, {200, 100}, {10, 5}, {50, 20}, {10, 5}},
        AlignCase{"Bottom", 0x02, {200, 100}, {10, 5}, {50, 20}, {10, 85}},
        AlignCase{"Right", 0x08, {200, 100}, {10, 5}, {50, 20}, {160, 5}},
        AlignCase{"CentreVertically", 0x10, {200, 100}, {10, 5}, {50, 20}, {10, 45}},
        AlignCase{"CentreHorizontally", 0x20, {200, 100}, {10, 5}, {50, 20}, {85, 5}},
        AlignCase{"CentringBeatsBottom", 0x12, {200, 100}, {0, 0}, {50, 20}, {0, 40}},
        AlignCase{"CentringBeatsRight", 0x28, {200, 100}, {0, 0}, {50, 20}, {75, 0}},
        // Odd sizes: the parent halves down, the element's own half too.
        AlignCase{"OddSizesHalveDown", 0x30, {201, 101}, {0, 0}, {51, 21}, {75, 40}},
        // A negative parent size halves arithmetically (toward minus infinity).
        AlignCase{"NegativeParentHalvesArithmetically", 0x20, {-3, 0}, {0, 0}, {0, 0}, {-2, 0}},
        AlignCase{"ClampLow", 0x45, {200, 100}, {-5, -9}, {50, 20}, {0, 0}},
        AlignCase{"ClampHigh", 0x45, {200, 100}, {500, 500}, {50, 20}, {150, 80}},
        AlignCase{"ClampInsideUnchanged", 0x45, {200, 100}, {20, 30}, {50, 20}, {20, 30}},
        // Larger than the parent: the upper bound wins and is negative.
        AlignCase{"ClampLargerThanParent", 0x45, {200, 100}, {0, 0}, {300, 120}, {-100, -20}},
        AlignCase{"AlignThenClamp", 0x48, {200, 100}, {30, 0}, {50, 20}, {150, 0}}),
    [](const ::testing::TestParamInfo<AlignCase>& info) { return std::string(info.param.name); });

TEST(UIObjectPosition, WithoutParentTheScreenIsTheReference)
{
    UIObject element(1, FCPoint(7, 9), FCPoint(50, 20), 100);
    element.AddAlignFlags(UIObject::kAlignRight | UIObject::kAlignBottom);
    // No display manager: a zero-sized reference, never a crash.
    EXPECT_EQ(element.GetPosition(), FCPoint(7 - 50, 9 - 20));

    MemoryDisplayManager display(FCFormat565, 640, 480);
    EXPECT_EQ(element.GetPosition(), FCPoint(7 + 640 - 50, 9 + 480 - 20));
}

TEST(UIObjectSize, ParentSizeModeFollowsTheParentOrIsEmpty)
{
    UIObject alone(1, FCPoint(0, 0), FCPoint(30, 40), 100);
    alone.SetSizeMode(UIObject::kSizeParent);
    EXPECT_EQ(alone.GetSize(), FCPoint(0, 0));

    Owned<UIControl> parent(new UIControl(1));
    parent->SetSize(120, 80);
    auto* child = new UIControl(2);
    child->SetSize(30, 40);
    child->SetSizeMode(UIObject::kSizeParent);
    parent->AddChild(child);
    EXPECT_EQ(child->GetSize(), FCPoint(120, 80));
    EXPECT_EQ(child->GetWidth(), 120);
    EXPECT_EQ(child->GetHeight(), 80);
}

TEST(UIObjectPosition, AbsolutePositionAndScreenRectAddUpTheAncestors)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetPositionXY(100, 50);
    root->SetSize(400, 300);
    auto* middle = new UIControl(2);
    middle->SetPositionXY(10, 20);
    middle->SetSize(200, 100);
    root->AddChild(middle);
    auto* leaf = new UIControl(3);
    leaf->SetPositionXY(0, 0);
    leaf->SetSize(40, 10);
    leaf->SetAlignFlags(UIObject::kAlignRight);
    middle->AddChild(leaf);

    EXPECT_EQ(leaf->GetAbsolutePosition(), FCPoint(100 + 10 + 160, 50 + 20));
    EXPECT_EQ(leaf->GetScreenRect(), FCRect(270, 70, 310, 80));
}

TEST(UIObjectClip, BothFormsGiveThePassesClipWhereverTheElementIs)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetPositionXY(100, 50);
    root->SetSize(400, 300);
    auto* hidden = new UIControl(2);
    hidden->SetPositionXY(600, 500);
    hidden->SetSize(10, 10);
    hidden->SetVisible(0);
    root->AddChild(hidden);
    const UIObject* elements[] = {root.get(), hidden};
    const FCRect clips[] = {FCRect(0, 0, 800, 600), FCRect(5, 6, 7, 8), FCRect(-20, -10, 0, 0)};
    for (const UIObject* element : elements)
        for (const FCRect& clip : clips)
        {
            FCRect withTarget(1, 1, 1, 1);
            FCRect plain(2, 2, 2, 2);
            element->GetClipRect(withTarget, nullptr, clip);
            element->GetClipRect(plain, clip);
            EXPECT_EQ(withTarget, clip) << element->GetId();
            EXPECT_EQ(plain, clip) << element->GetId();
        }
}

TEST_F(UIObjectPage, InvalidateGoesIntoBothListsOfTheCurrentPage)
{
    UIObject element(1, FCPoint(5, 6), FCPoint(10, 20), 100);
    element.Invalidate();
    EXPECT_EQ(First(), std::vector<FCRect>{FCRect(5, 6, 15, 26)});
    EXPECT_EQ(Second(), std::vector<FCRect>{FCRect(5, 6, 15, 26)});
}

TEST_F(UIObjectPage, InvalidateWithoutPageDoesNothing)
{
    FCDisplayPageStack::Pop();
    UIObject element(1, FCPoint(5, 6), FCPoint(10, 20), 100);
    element.Invalidate();
    FCDisplayPageStack::Push(page);
    EXPECT_TRUE(First().empty());
}

TEST_F(UIObjectPage, HiddenAncestorHidesAndSilencesEveryDescendant)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetSize(100, 100);
    auto* middle = new UIControl(2);
    middle->SetSize(50, 50);
    root->AddChild(middle);
    auto* leaf = new UIControl(3);
    leaf->SetSize(10, 10);
    middle->AddChild(leaf);
    EXPECT_TRUE(leaf->IsVisible());

    middle->SetVisible(0);
    ClearLists();
    EXPECT_FALSE(leaf->IsVisible());
    EXPECT_TRUE(root->IsVisible());
    leaf->Invalidate();
    leaf->SetPositionXY(3, 3);
    EXPECT_TRUE(First().empty());

    middle->SetVisible(1);
    EXPECT_TRUE(leaf->IsVisible());
}

TEST_F(UIObjectPage, SetPositionRedrawsOldAndNewPlacesOnlyWhenItMoves)
{
    UIObject element(1, FCPoint(0, 0), FCPoint(10, 10), 100);
    element.SetPositionXY(0, 0);
    EXPECT_TRUE(First().empty());

    element.SetPosition(FCPoint(100, 100));
    EXPECT_EQ(First(), (std::vector<FCRect>{FCRect(0, 0, 10, 10), FCRect(100, 100, 110, 110)}));
}

TEST_F(UIObjectPage, HidingRedrawsBeforeAndShowingAfter)
{
    UIObject element(1, FCPoint(0, 0), FCPoint(10, 10), 100);
    element.SetVisible(1);
    EXPECT_TRUE(First().empty()) << "unchanged visibility requests nothing";
    element.SetVisible(0);
    EXPECT_EQ(First().size(), 1u) << "hidden: the place it left is redrawn";
    ClearLists();
    element.SetVisible(1);
    EXPECT_EQ(First().size(), 1u) << "shown: its new look is drawn";
}

class TickRecorder : public UIObject
{
public:
    void Update(std::uint32_t tick) override { ticks.push_back(tick); }
    std::vector<std::uint32_t> ticks;
};

TEST_F(UIObjectPage, HandleMessageUpdatesAndInvalidates)
{
    TickRecorder element;
    element.SetSize(4, 4);
    std::uint32_t tick = 1234;
    element.HandleMessage(1, &tick);
    element.HandleMessage(3, nullptr);
    element.HandleMessage(2, &tick);
    EXPECT_EQ(element.ticks, std::vector<std::uint32_t>{1234});
    EXPECT_EQ(First().size(), 1u);
}

TEST(UIObjectCopy, KeepsPlaceAndParentButNotFocusOrActivation)
{
    Owned<UIControl> parent(new UIControl(1));
    UIObject original(7, FCPoint(1, 2), FCPoint(3, 4), 55);
    original.SetParent(parent.get());
    original.SetDefaultFocus(1);
    original.Activate();
    original.AddAlignFlags(0x40);
    original.SetSizeMode(2);

    Owned<UIObject> copy(static_cast<UIObject*>(original.Clone()));
    EXPECT_EQ(copy->GetId(), 7);
    EXPECT_EQ(copy->GetStoredPosition(), FCPoint(1, 2));
    EXPECT_EQ(copy->GetZOrder(), 55);
    EXPECT_EQ(copy->GetAlignFlags(), 0x45);
    EXPECT_EQ(copy->GetSizeMode(), 2);
    EXPECT_EQ(copy->GetParent(), parent.get());
    EXPECT_EQ(copy->GetDefaultFocus(), 0);
    EXPECT_EQ(copy->IsActivated(), 0);
    EXPECT_EQ(copy->GetTypeCode(), UIObject::kClassCode);
}
} // namespace
