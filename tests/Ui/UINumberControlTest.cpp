#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIText.h"

#include "support/QuietLog.h"
#include "support/TextFieldFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
using LayoutBytes::Element;
using K = UITextControl::Key;

// Number fields without a font: what they hold does not depend on one.
UINumberEditControl* NumberField(UIControl& parent, std::vector<UIFieldAttribute> attributes = {})
{
    return Mount<UINumberEditControl>(
        parent, FieldNode("UINumberEditControl", Element(155, 0, 0, 40, 20), std::move(attributes), 0));
}

UILayoutNode ScrollNode()
{
    UILayoutNode node = LayoutBytes::Control(Element(20, 100, 100, 60, 20), "UINumberScroll");
    node.children.push_back(FieldNode("UINumberEditControl", Element(155, 0, 0, 40, 20), {}, 0));
    node.children.push_back(LayoutBytes::Control(Element(156, 40, 0, 20, 10)));
    node.children.push_back(LayoutBytes::Control(Element(157, 40, 10, 20, 10)));
    return node;
}

// A screen-sized window of class W on the harness's stack, holding a spinner
// at (100, 100) (arrows at x 140 to 160: up y 100 to 110, down 110 to 120).
template <class W> UINumberScroll* PushSpinnerWindow(UiHarness& harness, W*& window)
{
    window = new W(1);
    window->SetSize(800, 600);
    auto* scroll = Mount<UINumberScroll>(*window, ScrollNode());
    harness.Manager().PushWindow(window, 0);
    window->Release();
    return scroll;
}

TEST(NumberControlTest, TypingTakesDigitsUpToTheMaximumAndEnterClamps)
{
    struct Case
    {
        const char* name;
        double minimum;
        double maximum;
        std::string typed;
        std::string text;
        std::string afterEnter;
    };
    const Case cases[] = {
        {"no leading zero", 0, 100, "0", "", ""},
        {"five then zero", 0, 100, "50", "50", "50"},
        {"fifty is beyond forty", 0, 40, "50", "5", "5"},
        {"below the minimum while typing", 3, 18, "1", "1", "3"},
        {"ten to eighteen can be typed", 3, 18, "15", "15", "15"},
        {"twenty-five is beyond eighteen", 3, 18, "25", "2", "3"},
        {"letters and a minus are refused", 0, 100, "a-7", "7", "7"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RecordingControl parent;
        UINumberEditControl* field = NumberField(parent);
        ASSERT_NE(field, nullptr);
        field->SetRange(c.minimum, c.maximum);
        field->SetText("");
        Type(*field, c.typed);
        EXPECT_EQ(field->GetText(), c.text);
        parent.events.clear();
        EXPECT_TRUE(SendKey(*field, K::kKeyEnter));
        EXPECT_EQ(field->GetText(), c.afterEnter);
        EXPECT_EQ(parent.Count(UIMessage::kEnterPressed), 1);
    }
    RecordingControl parent;
    UINumberEditControl* field = NumberField(parent);
    field->SetRange(3, 18);
    field->SetText("");
    Type(*field, "1");
    field->OnLoseFocus(nullptr);
    EXPECT_EQ(field->GetText(), "3") << "losing the focus clamps as well";
}

TEST(NumberControlTest, PlusSignIsNeverDoubled)
{
    RecordingControl parent;
    UINumberEditControl* field = NumberField(parent, {{22, 0, 0.0}});
    ASSERT_NE(field, nullptr);
    field->SetLong(5);
    EXPECT_EQ(field->GetText(), "+5");
    SendKey(*field, K::kKeyEnd);
    Type(*field, "3");
    EXPECT_EQ(field->GetText(), "+53");
    EXPECT_EQ(field->GetCaretIndex(), 3);
    field->SetText("+7");
    EXPECT_EQ(field->GetText(), "+7");
    field->SetText("7");
    EXPECT_EQ(field->GetText(), "+7");
}

TEST(NumberControlTest, MaximumTextReadsAsTheMaximum)
{
    RecordingControl parent;
    UINumberEditControl* field = NumberField(parent);
    field->SetRange(0, 20);
    field->SetMaxText("Max");
    parent.events.clear();
    field->SetLong(20);
    EXPECT_EQ(field->GetText(), "Max");
    EXPECT_EQ(field->GetLong(), 20);
    EXPECT_EQ(field->GetShort(), 20);
    EXPECT_EQ(field->GetDouble(), 20.0);
    ASSERT_EQ(parent.Count(UIMessage::kTextChanged), 1);
    EXPECT_EQ(static_cast<std::intptr_t>(parent.events.back().param2), 20);
    EXPECT_TRUE(field->StepDown());
    EXPECT_EQ(field->GetText(), "19");
    field->SetRange(0, 100000);
    field->SetDouble(1e12);
    EXPECT_EQ(field->GetShort(), SHRT_MAX) << "16-bit reads saturate";
}

TEST(NumberControlTest, RangesEmptyAndComeBack)
{
    RecordingControl parent;
    UINumberEditControl* field = NumberField(parent);
    field->SetLong(1);
    field->SetRange(3, 18);
    EXPECT_EQ(field->GetLong(), 3);
    field->SetRange(5, 5);
    EXPECT_FALSE(field->IsEnabled());
    field->SetRange(0, 10);
    EXPECT_TRUE(field->IsEnabled());

    field->SetEnabled(0); // by its screen
    field->SetRange(5, 5);
    field->SetRange(0, 10);
    EXPECT_FALSE(field->IsEnabled());
}

TEST(NumberControlTest, StepsKeysAndVariants)
{
    RecordingControl parent;
    UINumberEditControl* field = NumberField(parent, {{20, 0, 0.0}, {21, 0, 0.0}});
    field->SetRange(-5, 5);
    struct Case
    {
        std::int32_t value;
        std::uint16_t variant;
    };
    for (const Case& c : {Case{-1, 2}, Case{-5, 1}, Case{5, 1}, Case{3, 0}})
    {
        field->SetLong(c.value);
        EXPECT_EQ(field->GetTextObject()->GetFontVariant(), c.variant) << c.value;
    }
    EXPECT_TRUE(SendKey(*field, K::kKeyUp));
    EXPECT_EQ(field->GetLong(), 4);
    EXPECT_TRUE(SendKey(*field, K::kKeyDown));
    EXPECT_TRUE(SendKey(*field, K::kKeyDown));
    EXPECT_EQ(field->GetLong(), 2);
    field->SetLong(5);
    parent.events.clear();
    EXPECT_FALSE(field->StepUp());
    EXPECT_TRUE(parent.events.empty());

    field->SetStep(0.5);
    field->SetDouble(2);
    EXPECT_TRUE(field->StepUp());
    EXPECT_EQ(field->GetText(), "2.5");
}

TEST(NumberControlTest, ScrollArrowsRepeatAndStopAtTheLimit)
{
    UiHarness harness;
    RecordingControl* window = nullptr;
    UINumberScroll* scroll = PushSpinnerWindow(harness, window);
    ASSERT_NE(scroll, nullptr);
    scroll->SetRange(0, 10);
    scroll->SetLong(0);
    EXPECT_FALSE(scroll->GetDecreaseButton()->IsEnabled());
    window->events.clear();

    harness.Press(145, 105);
    harness.AdvanceTime(1000); // repeats at 650, 800 and 950 ms, then the click
    harness.Release(145, 105);
    EXPECT_EQ(scroll->GetValueField()->GetLong(), 4);
    EXPECT_TRUE(scroll->GetDecreaseButton()->IsEnabled());
    std::vector<std::uint16_t> fromScroll;
    for (const UIEvent& event : window->events)
        if (event.sender == scroll)
            fromScroll.push_back(event.type);
    const std::vector<std::uint16_t> step{UIMessage::kTextChanged, UIMessage::kSteppedUp};
    EXPECT_EQ(fromScroll.size(), 8u);
    EXPECT_EQ(std::vector<std::uint16_t>(fromScroll.begin(), fromScroll.begin() + 2), step);

    harness.Press(145, 105);
    harness.AdvanceTime(3000);
    harness.Release(145, 105);
    EXPECT_EQ(scroll->GetValueField()->GetLong(), 10);
    EXPECT_FALSE(scroll->GetIncreaseButton()->IsEnabled());
    EXPECT_EQ(window->Count(UIMessage::kSteppedUp), 10);

    harness.Click(145, 115);
    EXPECT_EQ(scroll->GetValueField()->GetLong(), 9);
    EXPECT_EQ(window->Count(UIMessage::kSteppedDown), 1);
}

// The platform reports every second quick press as a double click, also one
// that lands on the other arrow: each still steps.
TEST(NumberControlTest, QuickPressesEachStep)
{
    using Presses = std::vector<std::pair<std::int32_t, std::int32_t>>;
    for (const Presses& presses : {Presses(8, {145, 105}), Presses{{145, 105}, {145, 115}}})
    {
        UiHarness harness;
        RecordingControl* window = nullptr;
        UINumberScroll* scroll = PushSpinnerWindow(harness, window);
        scroll->SetRange(0, 10);
        for (std::size_t i = 0; i < presses.size(); ++i)
        {
            const auto [x, y] = presses[i];
            i % 2 ? harness.DoubleClick(x, y) : harness.Press(x, y);
            harness.Release(x, y);
        }
        EXPECT_EQ(window->Count(UIMessage::kSteppedUp) + window->Count(UIMessage::kSteppedDown),
                  static_cast<int>(presses.size()));
    }
}

// A window that takes its spinner away as soon as the spinner tells it one
// chosen message, as a page that rebuilds its rows on a change does.
class RemovingWindow : public RecordingControl
{
public:
    using RecordingControl::RecordingControl;
    bool HandleNotify(UIEvent& event) override
    {
        const bool handled = RecordingControl::HandleNotify(event);
        if (spinner && event.sender == spinner && event.type == removeOn)
            RemoveChild(std::exchange(spinner, nullptr));
        return handled;
    }
    UIControl* spinner = nullptr;
    std::uint16_t removeOn = 0;
};

TEST(NumberControlTest, ASpinnerItsParentRemovesMidStepFinishesTheStep)
{
    struct Case
    {
        const char* name;
        std::uint16_t removeOn;
        std::int32_t y;          // the increase or the decrease arrow
        std::uint32_t holdMs;    // 0: a click; else held until the first repeat
        std::uint16_t stepMessage;
    };
    const Case cases[] = {
        {"up, on the field's change", UIMessage::kTextChanged, 105, 0, UIMessage::kSteppedUp},
        {"up, on the step", UIMessage::kSteppedUp, 105, 0, UIMessage::kSteppedUp},
        {"down, on the field's change", UIMessage::kTextChanged, 115, 0, UIMessage::kSteppedDown},
        {"down, on the step", UIMessage::kSteppedDown, 115, 0, UIMessage::kSteppedDown},
        {"held up, on the first repeat's change", UIMessage::kTextChanged, 105, 700, UIMessage::kSteppedUp},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        UiHarness harness;
        RemovingWindow* window = nullptr;
        UINumberScroll* scroll = PushSpinnerWindow(harness, window);
        ASSERT_NE(scroll, nullptr);
        scroll->SetRange(0, 10);
        scroll->SetLong(5);
        window->events.clear();
        window->spinner = scroll;
        window->removeOn = c.removeOn;

        harness.Press(145, c.y);
        harness.AdvanceTime(c.holdMs);
        harness.Release(145, c.y);
        EXPECT_EQ(window->GetChildCount(), 0u) << "the spinner is gone";
        EXPECT_EQ(window->spinner, nullptr);
        // The step that was under way when the spinner went is the last.
        EXPECT_EQ(window->Count(c.removeOn), 1);
        EXPECT_LE(window->Count(c.stepMessage), 1);
        harness.Click(145, c.y);
        EXPECT_EQ(window->Count(c.removeOn), 1) << "nothing answers where it was";
    }
}

TEST(NumberControlTest, ScrollNeedsANumberFieldAndBothButtons)
{
    QuietLog quiet;
    RecordingControl parent;
    EXPECT_NE(Mount<UINumberScroll>(parent, ScrollNode()), nullptr);
    UILayoutNode missing = ScrollNode();
    missing.children.pop_back();
    EXPECT_EQ(Mount<UINumberScroll>(parent, missing), nullptr);
    UILayoutNode wrongKind = ScrollNode();
    wrongKind.children[0] = FieldNode("UIEditControl", Element(155, 0, 0, 40, 20), {}, 0);
    EXPECT_EQ(Mount<UINumberScroll>(parent, wrongKind), nullptr);
}
} // namespace
