#include "Ui/UIDragButton.h"
#include "Ui/UIMessages.h"
#include "Ui/UIScrollBar.h"
#include "Ui/UISlider.h"

#include "support/LayoutBytes.h"
#include "support/ListLayouts.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();

template <class T = UISlider> Owned<T> LoadBar(const UILayoutNode& node)
{
    return Owned<T>(dynamic_cast<T*>(LayoutBytes::Load(LayoutBytes::Write(node))));
}

enum class Op
{
    kStepUp,
    kStepDown,
    kPageUp,
    kPageDown,
};

TEST(UISlider, StepsAndPagesClampOrWrapAtTheEnds)
{
    struct Case
    {
        std::int32_t minimum, maximum;
        std::uint8_t wrap;
        std::int32_t start;
        Op op;
        std::int32_t expected;
    };
    const Case cases[] = {
        {0, 100, 0, 100, Op::kStepUp, 100},
        {0, 100, 1, 100, Op::kStepUp, 0},
        {0, 100, 1, 0, Op::kStepDown, 100},
        {0, 100, 0, 5, Op::kPageDown, 0},
        {0, 100, 0, 50, Op::kPageUp, 60},
        {0, 100, 0, 95, Op::kPageUp, 100},
        // Past 16 bits, and at the 32-bit limits the sum saturates rather
        // than wrapping round to the other end.
        {0, 50000, 0, 39995, Op::kPageUp, 40005},
        {0, kMax32, 0, kMax32 - 5, Op::kPageUp, kMax32},
        {kMin32, 0, 0, kMin32 + 3, Op::kPageDown, kMin32},
    };
    for (const Case& c : cases)
    {
        UISlider slider;
        slider.SetRange(c.minimum, c.maximum);
        slider.SetWrap(c.wrap);
        slider.SetValue(c.start);
        switch (c.op)
        {
        case Op::kStepUp: slider.StepUp(); break;
        case Op::kStepDown: slider.StepDown(); break;
        case Op::kPageUp: slider.PageUp(); break;
        case Op::kPageDown: slider.PageDown(); break;
        }
        EXPECT_EQ(slider.GetValue(), c.expected) << c.start << " op " << int(c.op);
    }
}

TEST(UISlider, ThumbAndValueMapByTruncation)
{
    // Track 110 long, thumb 10: thumb places 0 to 100, a span of 101.
    auto slider = LoadBar(ListLayouts::ScrollBar(1, FCRect(0, 0, 110, 10), true, 10, "UISlider"));
    ASSERT_TRUE(slider && slider->GetThumb());
    slider->SetRange(0, 10);
    slider->SetThumbPosition(55);
    slider->ValueFromThumb();
    EXPECT_EQ(slider->GetValue(), 5);
    slider->SetValue(5);
    EXPECT_EQ(slider->GetThumbPosition(), 50);
    slider->SetThumbPosition(500);
    EXPECT_EQ(slider->GetThumbPosition(), 100) << "clamped to the track";

    // One value: the thumb is hidden and disabled, and its place is 0. An
    // empty range (maximum below minimum) must not divide by zero.
    slider->SetRange(3, 3);
    slider->UpdateThumb();
    EXPECT_EQ(slider->GetThumbPosition(), 0);
    EXPECT_FALSE(slider->GetThumb()->GetVisibleFlag());
    EXPECT_FALSE(slider->GetThumb()->IsEnabled());
    slider->SetRange(4, 3);
    slider->UpdateThumb();
    EXPECT_EQ(slider->GetThumbPosition(), 0);

    // Track as long as the thumb: span 1, every place gives the minimum.
    auto tight = LoadBar(ListLayouts::ScrollBar(1, FCRect(0, 0, 10, 10), true, 10, "UISlider"));
    ASSERT_TRUE(tight);
    tight->SetRange(7, 20);
    tight->SetValueRaw(15);
    tight->ValueFromThumb();
    EXPECT_EQ(tight->GetValue(), 7);
}

TEST(UISlider, LoadBindsLinkedPartsAndRefusesAWrongThumb)
{
    QuietLog quiet;
    auto linked = LoadBar(ListLayouts::ScrollBar(1, FCRect(0, 0, 16, 100), false));
    ASSERT_TRUE(linked);
    EXPECT_NE(linked->GetTrack(), nullptr);
    EXPECT_EQ(linked->GetThumb()->GetAxisFlags(), UIDragButton::kMoveY);
    auto* bar = dynamic_cast<UIScrollBar*>(linked.get());
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->GetIncreaseButton()->GetInputFlags() & UIControl::kAutoRepeat);

    // A copy binds its own parts.
    Owned<UIScrollBar> copy(dynamic_cast<UIScrollBar*>(bar->Clone()));
    EXPECT_TRUE(copy->ContainsDescendant(copy->GetThumb()));
    EXPECT_TRUE(copy->ContainsDescendant(copy->GetDecreaseButton()));

    auto unlinked = LoadBar(ListLayouts::ScrollBar(1, FCRect(0, 0, 16, 100), false, 10, "UISlider", 0));
    ASSERT_TRUE(unlinked);
    EXPECT_EQ(unlinked->GetThumb(), nullptr);

    UILayoutNode wrongThumb = ListLayouts::ScrollBar(1, FCRect(0, 0, 16, 100), false);
    UILayoutNode& thumb = wrongThumb.children[0].children[0];
    thumb.className = "UIControl";
    thumb.own = std::monostate{};
    EXPECT_EQ(LayoutBytes::Load(LayoutBytes::Write(wrongThumb)), nullptr);

    UILayoutNode noThumb = ListLayouts::ScrollBar(1, FCRect(0, 0, 16, 100), false);
    noThumb.children[0].children.clear();
    auto loose = LoadBar(noThumb);
    ASSERT_TRUE(loose) << "a missing thumb is logged, not fatal";
    EXPECT_EQ(loose->GetThumb(), nullptr);
}

// A vertical scroll bar at (100, 100), 16 x 200, under a recording window:
// arrows at y 100-110 and 290-300, track 110-290 with a 10-pixel thumb.
struct BarScreen
{
    BarScreen()
    {
        window = new RecordingControl(1);
        window->SetSize(800, 600);
        auto* loaded = dynamic_cast<UIScrollBar*>(
            LayoutBytes::Load(LayoutBytes::Write(ListLayouts::ScrollBar(5, FCRect(100, 100, 116, 300), false))));
        bar = loaded;
        if (bar)
        {
            window->AddChild(bar);
            bar->SetRange(0, 100);
        }
        ui.Manager().PushWindow(window, 0);
        window->Release();
    }
    UiHarness ui;
    RecordingControl* window = nullptr;
    UIScrollBar* bar = nullptr;
};

TEST(UIScrollBar, MouseChangesReportEachValueAndProgramChangesReportNothing)
{
    BarScreen screen;
    ASSERT_NE(screen.bar, nullptr);
    screen.bar->SetValue(50);
    EXPECT_EQ(screen.window->Count(UIMessage::kValueChanged), 0);

    struct Case
    {
        std::int32_t y;
        std::int32_t expected;
    };
    // Thumb at 110 + 50% of 170 = 195: a click above pages down, below up.
    const Case cases[] = {{150, 40}, {280, 50}, {105, 49}, {295, 50}};
    for (const Case& c : cases)
    {
        screen.window->events.clear();
        screen.ui.Click(108, c.y);
        EXPECT_EQ(screen.bar->GetValue(), c.expected) << c.y;
        ASSERT_EQ(screen.window->Count(UIMessage::kValueChanged), 1) << c.y;
        EXPECT_EQ(static_cast<std::int32_t>(screen.window->events.back().param2), c.expected);
    }
}

TEST(UIScrollBar, HeldArrowStepsOnEveryRepeatTickAndTheRelease)
{
    BarScreen screen;
    ASSERT_NE(screen.bar, nullptr);
    screen.ui.Press(108, 295);
    screen.ui.AdvanceTime(1000);
    screen.ui.Release(108, 295);
    EXPECT_EQ(screen.bar->GetValue(), 4);
    EXPECT_EQ(screen.window->Count(UIMessage::kValueChanged), 4);
}

TEST(UIScrollBar, DraggedThumbSetsTheValueOnRelease)
{
    BarScreen screen;
    ASSERT_NE(screen.bar, nullptr);
    screen.ui.Press(108, 112);
    screen.ui.Move(108, 197, UIMessage::kModButtonHeld);
    EXPECT_EQ(screen.bar->GetValue(), 0) << "moving alone changes no value";
    screen.ui.Release(108, 197);
    // Thumb at 85 of 170: value 50, the thumb snapped to 50's place.
    EXPECT_EQ(screen.bar->GetValue(), 50);
    EXPECT_EQ(screen.bar->GetThumbPosition(), 85);
    EXPECT_EQ(screen.window->Count(UIMessage::kValueChanged), 1);
}
} // namespace
