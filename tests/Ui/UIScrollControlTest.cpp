#include "Ui/UIGroup.h"
#include "Ui/UIGroupScrollFrame.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UIScrollControl.h"
#include "Ui/UISlider.h"

#include "support/LayoutBytes.h"
#include "support/ListLayouts.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST(UIGroupScrollFrame, LaysItemsOutAlongTheAxisOrInWrappingLines)
{
    struct Case
    {
        const char* name;
        std::uint16_t axis;
        std::int32_t wrap, cellWidth, cellHeight;
        FCPoint contentSize;
        std::vector<FCPoint> sizes;
        std::vector<FCPoint> expected;
        FCPoint expectedContent;
    };
    const Case cases[] = {
        {"own heights", 2, 0, 0, 0, {50, 0}, {{5, 10}, {5, 20}, {5, 30}},
         {{0, 0}, {0, 10}, {0, 30}}, {50, 60}},
        {"cell height", 2, 0, 0, 25, {50, 0}, {{5, 10}, {5, 20}, {5, 30}},
         {{0, 0}, {0, 25}, {0, 50}}, {50, 80}},
        {"rows wrap", 2, 1, 0, 0, {100, 0}, {{40, 10}, {40, 10}, {40, 10}, {40, 10}},
         {{0, 0}, {40, 0}, {0, 10}, {40, 10}}, {100, 20}},
        {"own widths", 1, 0, 0, 0, {0, 30}, {{5, 9}, {15, 9}}, {{0, 0}, {5, 0}}, {20, 30}},
        {"columns wrap", 1, 1, 0, 0, {0, 25}, {{7, 10}, {7, 10}, {7, 10}},
         {{0, 0}, {0, 10}, {7, 0}}, {14, 25}},
        {"empty", 2, 0, 0, 0, {50, 70}, {}, {}, {50, 0}},
    };
    for (const Case& c : cases)
    {
        UIGroupScrollFrame frame;
        frame.SetAxis(c.axis);
        frame.SetWrap(c.wrap);
        frame.SetCellSize(c.cellWidth, c.cellHeight);
        frame.GetContent()->SetSize(c.contentSize);
        std::vector<UIControl*> items;
        for (FCPoint size : c.sizes)
        {
            auto* item = new UIControl();
            item->SetSize(size);
            items.push_back(item);
            frame.AddItem(item, false);
        }
        frame.LayoutItems();
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(items[i]->GetPosition(), c.expected[i]) << c.name << " item " << i;
        EXPECT_EQ(frame.GetContent()->GetSize(), c.expectedContent) << c.name;
    }
}

// A scroll control at (0, 0), 116 x 100 (frame 100 x 100, bar 121), under a
// recording parent.
struct ScrollScreen
{
    explicit ScrollScreen(const char* className = "UIScrollControl")
    {
        parent.SetSize(800, 600);
        auto* loaded = dynamic_cast<UIScrollControl*>(LayoutBytes::Load(
            LayoutBytes::Write(ListLayouts::ListBox(7, FCRect(0, 0, 116, 100), {}, className))));
        control = loaded;
        if (control)
            parent.AddChild(control);
    }
    UIGroup* Content() const
    {
        return dynamic_cast<UIGroupScrollFrame*>(control->GetScrollFrame())->GetContent();
    }
    bool Send(UIControl* from, std::int32_t value)
    {
        UIEvent event(from, UIMessage::kValueChanged, FCPoint(0, 0), 0,
                      static_cast<std::uintptr_t>(static_cast<std::intptr_t>(value)));
        return control->HandleNotify(event);
    }
    RecordingControl parent{1};
    UIScrollControl* control = nullptr;
};

TEST(UIScrollControl, OnlyItsOwnBarsScrollAndAnUnchangedPositionGoesNoFurther)
{
    ScrollScreen screen;
    ASSERT_NE(screen.control, nullptr);
    UISlider* bar = screen.control->GetScrollBar();
    ASSERT_NE(bar, nullptr);
    screen.control->SetScrollRange(0, 300);

    EXPECT_TRUE(screen.Send(bar, 0));
    EXPECT_EQ(screen.parent.Count(UIMessage::kValueChanged), 0) << "unchanged: swallowed";

    screen.Send(bar, 40);
    EXPECT_EQ(screen.Content()->GetPosition(), FCPoint(0, -40));
    EXPECT_EQ(screen.parent.Count(UIMessage::kValueChanged), 1);

    // A slider inside the content (a row's own control) is not a scroll bar.
    auto* rowSlider = new UISlider();
    screen.Content()->AddChild(rowSlider);
    screen.Send(rowSlider, 90);
    EXPECT_EQ(screen.control->GetScrollPosition(), FCPoint(0, 40));
    EXPECT_EQ(screen.parent.Count(UIMessage::kValueChanged), 2) << "it bubbles on unhandled";
}

// Follows the scrolling: where the content stood each time, and how much the
// parent had heard by then.
class FollowingScrollControl : public UIScrollControl
{
public:
    FollowingScrollControl(const UIScrollControl& loaded, const RecordingControl& watched)
        : UIScrollControl(loaded), parent(watched)
    {
    }
    void OnScrolled() override
    {
        positions.push_back(GetScrollPosition());
        heardBefore.push_back(parent.Count(UIMessage::kValueChanged));
    }
    const RecordingControl& parent;
    std::vector<FCPoint> positions;
    std::vector<int> heardBefore;
};

TEST(UIScrollControl, ADerivedControlHearsOfEachScrollBeforeTheParent)
{
    ScrollScreen screen;
    ASSERT_NE(screen.control, nullptr);
    auto* following = new FollowingScrollControl(*screen.control, screen.parent);
    screen.parent.RemoveChild(screen.control);
    screen.parent.AddChild(following);
    screen.control = following;
    UISlider* bar = following->GetScrollBar();
    ASSERT_NE(bar, nullptr);
    following->SetScrollRange(0, 300);
    auto* rowSlider = new UISlider();
    screen.Content()->AddChild(rowSlider);

    for (const auto& [from, value] : {std::pair<UIControl*, int>{bar, 0}, {bar, 40}, {bar, 40},
                                      {rowSlider, 90}, {bar, 10}})
        screen.Send(from, value);
    EXPECT_EQ(following->positions, (std::vector<FCPoint>{{0, 40}, {0, 10}})) << "only what moved the content";
    // The row slider's report went up as well, without scrolling.
    EXPECT_EQ(following->heardBefore, (std::vector<int>{0, 2}));
    EXPECT_EQ(screen.parent.Count(UIMessage::kValueChanged), 3);
}

TEST(UIScrollControl, ScrollToAndRangesClampThroughTheBar)
{
    ScrollScreen screen;
    ASSERT_NE(screen.control, nullptr);
    UISlider* bar = screen.control->GetScrollBar();
    screen.control->SetScrollRange(0, 300);

    screen.control->ScrollTo(1000);
    EXPECT_EQ(bar->GetValue(), 300);
    EXPECT_EQ(screen.control->GetScrollPosition(), FCPoint(0, 300));

    // No horizontal bar: the value is used as given.
    screen.control->ScrollTo(1000, UIScrollControl::kHorizontalBar);
    EXPECT_EQ(screen.control->GetScrollPosition(), FCPoint(1000, 300));

    screen.control->SetScrollRange(0, 120);
    EXPECT_EQ(screen.control->GetScrollPosition().y, 120);
    EXPECT_EQ(bar->GetValue(), 120);

    EXPECT_TRUE(bar->GetVisibleFlag());
    screen.control->SetAlwaysShowBars(0);
    screen.control->SetScrollRange(0, 0);
    EXPECT_FALSE(bar->GetVisibleFlag());
    screen.control->SetScrollRange(0, 10);
    EXPECT_TRUE(bar->GetVisibleFlag());
}

TEST(UIScrollControl, PartsOfTheWrongClassFailTheLoadAndMissingOnesAreSkipped)
{
    QuietLog quiet;
    const auto list = [] { return ListLayouts::ListBox(7, FCRect(0, 0, 116, 100), {}, "UIListBox"); };
    UILayoutNode plainBar = list();
    plainBar.children[1] = LayoutBytes::Control(LayoutBytes::Element(121, 100, 0, 16, 100));
    UILayoutNode plainFrame = list();
    plainFrame.children[0].className = "UIControl";
    UILayoutNode noFrame = list();
    noFrame.children.erase(noFrame.children.begin());
    UILayoutNode combo = LayoutBytes::Control(LayoutBytes::Element(3, 0, 0, 100, 100), "UIComboBox");
    combo.children.push_back(LayoutBytes::Control(LayoutBytes::Element(152, 0, 0, 100, 100)));
    const struct
    {
        const char* name;
        const UILayoutNode& node;
        bool loads;
    } cases[] = {
        {"bar is no slider", plainBar, false},   {"frame is no frame", plainFrame, false},
        {"no frame", noFrame, true},             {"combo list is no list", combo, false},
    };
    for (const auto& c : cases)
    {
        const std::vector<std::uint8_t> bytes = LayoutBytes::Write(c.node);
        ASSERT_FALSE(bytes.empty()) << c.name;
        Owned<FCObject> loaded(LayoutBytes::Load(bytes));
        EXPECT_EQ(loaded != nullptr, c.loads) << c.name;
    }
}

TEST(UIListBox, ListsTallerThan16BitsScrollToTheirEnd)
{
    UiHarness ui;
    std::vector<UILayoutNode> rows;
    for (std::uint16_t i = 0; i < 2000; ++i)
        rows.push_back(ListLayouts::Row(i, 100, 20, i % 2 ? 200 : 40));
    UILayoutNode window = LayoutBytes::Control(LayoutBytes::Element(1, 0, 0, 800, 600));
    window.children.push_back(ListLayouts::ListBox(7, FCRect(10, 10, 126, 110), std::move(rows)));
    ui.WriteLayout("testListLong.ui", LayoutBytes::Write(window));
    UIControl* screen = ui.Open("testListLong.ui");
    ASSERT_NE(screen, nullptr);
    auto* list = dynamic_cast<UIListBox*>(screen->FindChild(7));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 2000u);

    std::int32_t low = 0;
    std::int32_t high = 0;
    list->GetScrollRange(low, high);
    EXPECT_EQ(high, 40000 - 100);
    list->ScrollToItem(list->ItemAt(1999, 0));
    EXPECT_EQ(list->GetScrollValue(), 39900);
    EXPECT_EQ(list->ItemAt(1999, 0)->GetScreenRect(), FCRect(10, 90, 110, 110));

    // The increase arrow at the end changes nothing; a page up pages.
    ui.Click(118, 105);
    EXPECT_EQ(list->GetScrollValue(), 39900);
    ui.Click(118, 20);
    EXPECT_EQ(list->GetScrollValue(), 39800);
    ui.ClearScreen(0);
    ui.Paint();
    EXPECT_EQ(ui.Pixel(50, 15), UiHarness::Rgb(40, 40, 40)) << "row 1990 at the top";
    EXPECT_EQ(ui.Pixel(50, 35), UiHarness::Rgb(200, 200, 200)) << "row 1991 below it";
}
} // namespace
