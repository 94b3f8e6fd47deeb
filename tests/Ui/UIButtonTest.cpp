#include "Ui/UIButton.h"
#include "Ui/UIDragButton.h"
#include "Ui/UIMessages.h"
#include "support/LayoutBytes.h"
#include "support/Owned.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace
{
// A window watching one button at (10, 10), 50 x 20.
template <class Button> struct ButtonScene
{
    ButtonScene()
    {
        window = new RecordingControl(1);
        window->SetSize(300, 200);
        button = new Button(2);
        button->SetPositionXY(10, 10);
        button->SetSize(50, 20);
        window->AddChild(button);
        ui.Manager().PushWindow(window, 0);
        window->Release(); // the stack holds it
    }
    UiHarness ui;
    RecordingControl* window = nullptr;
    Button* button = nullptr;
};

constexpr std::uint32_t kHeld = UIMessage::kModButtonHeld;
} // namespace

TEST(UIButtonTest, EachTypeCyclesItsStatesAndReportsItsClicks)
{
    struct Case
    {
        std::int32_t type;
        bool ownIds; // control flag 0x8: clicks under their own id, and latching
        std::array<std::uint32_t, 6> states; // after press, release, three times
        int changes;
    };
    const Case cases[] = {
        {UIButton::kPush, true, {64, 32, 64, 32, 64, 32}, 0},
        {UIButton::kToggle, true, {64, 64, 32, 32, 64, 64}, 0},
        {UIButton::kToggle, false, {64, 32, 64, 32, 64, 32}, 0},
        {UIButton::kRadio, true, {64, 64, 64, 64, 64, 64}, 3},
        {UIButton::kRadio, false, {64, 32, 64, 32, 64, 32}, 3},
        {UIButton::kInert, true, {32, 32, 32, 32, 32, 32}, 0},
        {UIButton::kThreeState, true, {64, 64, 128, 128, 32, 32}, 0},
        {UIButton::kThreeState, false, {64, 32, 64, 32, 64, 32}, 0},
        {UIButton::kOwnerDecided, true, {64, 32, 64, 32, 64, 32}, 3},
        {7, true, {32, 32, 32, 32, 32, 32}, 0}, // unknown: inert
    };
    for (const Case& c : cases)
    {
        ButtonScene<UIButton> s;
        s.button->SetButtonType(c.type);
        if (!c.ownIds)
            s.button->SetControlFlags(s.button->GetControlFlags() & ~UIControl::kOwnMessageIds);
        std::vector<std::uint32_t> seen;
        for (int i = 0; i < 3; ++i)
        {
            s.ui.Press(20, 20);
            seen.push_back(s.button->GetState());
            s.ui.Release(20, 20);
            seen.push_back(s.button->GetState());
        }
        const std::string where = "type " + std::to_string(c.type) + (c.ownIds ? "" : " wrapped");
        EXPECT_EQ(seen, std::vector<std::uint32_t>(c.states.begin(), c.states.end())) << where;
        EXPECT_EQ(s.window->Count(UIMessage::kClicked, true), 3) << where;
        EXPECT_EQ(s.window->Count(UIMessage::kClicked), c.ownIds ? 3 : 0) << where;
        EXPECT_EQ(s.window->Count(UIMessage::kChanged, true), c.changes) << where;
    }
}

TEST(UIButtonTest, MovingWhileHeldShowsThePressOrItsPredecessor)
{
    struct Case
    {
        std::int32_t type;
        std::uint32_t before;
        std::uint32_t pressed;
        std::uint32_t outside;
        std::uint32_t backInside;
    };
    const Case cases[] = {
        {UIButton::kPush, 32, 64, 32, 64},
        {UIButton::kThreeState, 64, 128, 64, 128},
        {UIButton::kThreeState, 128, 32, 128, 32},
        {UIButton::kRadio, 32, 64, 32, 32}, // stays up until the release
        {UIButton::kInert, 32, 32, 32, 32},
    };
    for (const Case& c : cases)
    {
        ButtonScene<UIButton> s;
        s.button->SetButtonType(c.type);
        s.button->SetState(c.before);
        s.ui.Press(20, 20);
        EXPECT_EQ(s.button->GetState(), c.pressed) << c.type;
        s.ui.Move(150, 150, kHeld);
        EXPECT_EQ(s.button->GetState(), c.outside) << c.type;
        s.ui.Move(150, 150); // without the button flag the state stays
        EXPECT_EQ(s.button->GetState(), c.outside) << c.type;
        s.ui.Move(20, 20, kHeld);
        EXPECT_EQ(s.button->GetState(), c.backInside) << c.type;
        s.ui.Release(150, 150);
        EXPECT_EQ(s.window->Count(UIMessage::kClicked), 0) << c.type << ": released outside";
    }

    ButtonScene<UIButton> s;
    s.ui.Press(20, 20);
    s.ui.Move(150, 150, kHeld);
    s.ui.Move(20, 20, kHeld);
    s.ui.Release(20, 20);
    EXPECT_EQ(s.window->Count(UIMessage::kClicked), 1);
    EXPECT_EQ(s.button->GetState(), 32u);
}

TEST(UIButtonTest, SelectionShowsOnRadioAndOwnerDecidedButtons)
{
    ButtonScene<UIButton> s;
    s.button->SetButtonType(UIButton::kOwnerDecided);
    s.button->SetSelected(1);
    EXPECT_EQ(s.button->GetState(), 64u);
    s.ui.Press(20, 20);
    EXPECT_EQ(s.button->GetState(), 32u) << "a press flips the shown state";
    s.ui.Release(20, 20);
    EXPECT_EQ(s.button->GetState(), 64u) << "the owner's selection decides after the release";
    s.button->SetSelected(0);
    EXPECT_EQ(s.button->GetState(), 32u);

    s.button->SetButtonType(UIButton::kPush);
    s.button->SetSelected(1);
    EXPECT_EQ(s.button->GetState(), 32u);
    EXPECT_TRUE(s.button->IsSelected());
}

TEST(UIButtonTest, ClickSoundsFollowTheStateTheClickLeaves)
{
    ButtonScene<UIButton> s;
    s.button->SetButtonType(UIButton::kThreeState);
    s.button->SetSound(UIButton::kSoundUpClick, 3);
    s.button->SetSound(UIButton::kSoundDownClick, 4);
    auto& requests = s.ui.Devices().sound.requests;
    std::vector<std::string> played;
    for (int i = 0; i < 3; ++i) // leaves 64, 128, 32
    {
        requests.clear();
        s.ui.Click(20, 20);
        played.push_back(requests.empty() ? "-" : requests[0].what);
    }
    EXPECT_EQ(played, (std::vector<std::string>{"4", "-", "3"}));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].channel, 6);
    EXPECT_EQ(requests[0].volume, 64);
    EXPECT_EQ(requests[0].pan, 64);

    s.button->SetSound(UIButton::kSoundUpClick, 0);
    requests.clear();
    s.ui.Click(20, 20);
    s.ui.Click(20, 20);
    s.ui.Click(20, 20);
    ASSERT_EQ(requests.size(), 1u) << "a sound of 0 plays nothing";
    EXPECT_EQ(requests[0].what, "4");
}

TEST(UIButtonTest, LoadedAndCopiedButtonsKeepTypeChangeModeAndSounds)
{
    UILayoutNode node = LayoutBytes::Control(LayoutBytes::Element(5, 0, 0, 10, 10), "UIButton",
                                             UIButtonRecord{UIButton::kRadio});
    node.sounds = {{UIButton::kSoundUpClick, 8}, {UIButton::kSoundDownClick, 9}};
    Owned<FCObject> loaded(LayoutBytes::Load(LayoutBytes::Write(node)));
    auto* button = dynamic_cast<UIButton*>(loaded.get());
    ASSERT_NE(button, nullptr);
    Owned<FCObject> copied(button->Clone());
    for (auto* each : {button, dynamic_cast<UIButton*>(copied.get())})
    {
        ASSERT_NE(each, nullptr);
        EXPECT_EQ(each->GetButtonType(), UIButton::kRadio);
        EXPECT_EQ(each->GetChangeMode(), UIControl::kOnRelease);
        UiHarness ui;
        each->SetState(64);
        UIEvent click(nullptr, UIMessage::kMouseUp);
        each->NotifyClicked(click);
        ASSERT_EQ(ui.Devices().sound.requests.size(), 1u);
        EXPECT_EQ(ui.Devices().sound.requests[0].what, "9");
    }
}

TEST(UIButtonTest, HeldAutoRepeatButtonsRepeatUnderTheClock)
{
    // A plain button repeats its click; a drag button reports its position
    // with the modifiers instead, and once more with 1 on release.
    ButtonScene<UIButton> plain;
    plain.button->SetInputFlags(UIControl::kAutoRepeat);
    plain.ui.Press(20, 20);
    plain.ui.AdvanceTime(600);
    EXPECT_EQ(plain.window->Count(UIMessage::kClicked), 0);
    plain.ui.AdvanceTime(400);
    EXPECT_EQ(plain.window->Count(UIMessage::kClicked), 3) << "at 650, 800 and 950 ms";
    plain.ui.Release(20, 20);
    EXPECT_EQ(plain.window->Count(UIMessage::kClicked), 4);

    ButtonScene<UIDragButton> drag;
    EXPECT_TRUE(drag.button->GetInputFlags() & UIControl::kAutoRepeat);
    drag.ui.Press(20, 20);
    drag.ui.AdvanceTime(700);
    drag.ui.Devices().keyboard.Press(0x10);
    drag.ui.AdvanceTime(300);
    drag.ui.Release(20, 20);
    std::vector<std::uintptr_t> reports;
    for (const UIEvent& event : drag.window->events)
        if (event.type == UIMessage::kValueChanged)
        {
            EXPECT_EQ(event.sender, drag.button);
            reports.push_back(event.param1);
        }
    EXPECT_EQ(reports, (std::vector<std::uintptr_t>{0, UIMessage::kModShift, UIMessage::kModShift, 1}));
    EXPECT_EQ(drag.window->Count(UIMessage::kClicked), 1) << "only the release clicks";
}

TEST(UIButtonTest, DragButtonsFollowThePointerAlongTheirAxesInsideTheParent)
{
    struct Case
    {
        std::uint16_t axes;
        std::uint16_t align;
        FCPoint pointer;
        FCPoint expected;
    };
    const Case cases[] = {
        {UIDragButton::kMoveX, 5, {70, 90}, {65, 10}},
        {UIDragButton::kMoveY, 5, {70, 90}, {10, 85}},
        {UIDragButton::kMoveX | UIDragButton::kMoveY, 5, {70, 90}, {65, 85}},
        {UIDragButton::kMoveX | UIDragButton::kMoveY, 5 | UIObject::kAlignKeepInside, {299, 199}, {250, 180}},
    };
    for (const Case& c : cases)
    {
        ButtonScene<UIDragButton> s;
        s.button->SetAxisFlags(c.axes);
        s.button->SetAlignFlags(c.align);
        s.ui.Press(15, 15);
        EXPECT_EQ(s.button->GetGrabOffset(), FCPoint(5, 5));
        s.ui.Move(c.pointer.x, c.pointer.y, kHeld);
        EXPECT_EQ(s.button->GetPosition(), c.expected) << c.axes;
        s.ui.Move(c.pointer.x + 7, c.pointer.y); // button not held: stays
        s.ui.Release(c.pointer.x, c.pointer.y);
        EXPECT_EQ(s.button->GetPosition(), c.expected) << c.axes;
        ASSERT_FALSE(s.window->events.empty());
        EXPECT_EQ(s.window->Count(UIMessage::kValueChanged), 1);
    }
}
