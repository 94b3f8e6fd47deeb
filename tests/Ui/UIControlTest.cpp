#include "Ui/UIControl.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Devices/FCSoundChannel.h"
#include "Ui/UIBorder.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UIFill.h"
#include "Ui/UIMessages.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
// ---- display-object selection by state mask ----

std::uint16_t AnswerZero(UIControl*, UIControl*)
{
    return 0;
}
std::uint16_t AnswerOne(UIControl*, UIControl*)
{
    return 1;
}

// What a case does to the control before asking, as bits.
enum Setup : unsigned
{
    kNothing = 0,
    kSelect = 1,
    kOver = 2,
    kDisable = 4,
    kOwnIdsOff = 8,
    kHighlight = 16,
    kDragging = 32,
    kAccepting = 64,
    kDropOntoZero = 128,
    kDropOntoOne = 256,
    kStateDown = 512,
};

void Apply(UIControl& c, unsigned setup)
{
    // Only what the bits ask for: the other cases read the control as built.
    if (setup & kSelect)
        c.SetSelectedFlag(1);
    if (setup & kOver)
        c.SetMouseOver(1);
    if (setup & kDisable)
        c.SetEnabled(0);
    if (setup & kOwnIdsOff)
        c.SetControlFlags(c.GetControlFlags() & ~UIControl::kOwnMessageIds);
    if (setup & kHighlight)
        c.SetHighlighted(1);
    if (setup & kDragging)
        c.SetDragging(1);
    if (setup & kAccepting)
    {
        c.SetAcceptDropCallback(AnswerOne);
        c.UpdateAcceptDropState(nullptr);
    }
    if (setup & (kDropOntoZero | kDropOntoOne))
    {
        c.SetDropOntoCallback((setup & kDropOntoOne) ? AnswerOne : AnswerZero);
        c.UpdateDropOntoState(nullptr);
    }
    if (setup & kStateDown)
        c.SetState(64);
}

struct MaskCase
{
    const char* name;
    std::uint32_t mask;
    unsigned setup;
    bool drawn;
};

class UIControlMask : public ::testing::TestWithParam<MaskCase>
{
};

TEST_P(UIControlMask, SelectsDisplayObjectsByFlagsAndState)
{
    const MaskCase& c = GetParam();
    UIControl control;
    Apply(control, c.setup);
    EXPECT_EQ(control.IsMaskSelected(c.mask), c.drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Table, UIControlMask,
    ::testing::Values(MaskCase{"AlwaysPlain", 0xFFF, kNothing, true},
                      MaskCase{"AlwaysSelectedDisabled", 0xFFF, kSelect | kDisable, true},
                      MaskCase{"EmptyMask", 0, kNothing, true},
                      MaskCase{"SelectedWhenSelected", 0x200, kSelect, true},
                      MaskCase{"SelectedWhenNot", 0x200, kNothing, false},
                      MaskCase{"SetBitWinsWhenSelected", 0x201, kSelect, true},
                      MaskCase{"SetBitWinsWhenNot", 0x201, kNothing, false},
                      MaskCase{"UnselectedWhenNot", 0x001, kNothing, true},
                      MaskCase{"UnselectedWhenSelected", 0x001, kSelect, false},
                      MaskCase{"OverWhenOver", 0x400, kOver, true},
                      MaskCase{"OverWhenNot", 0x400, kNothing, false},
                      MaskCase{"NotOverWhenOver", 0x800, kOver, false},
                      MaskCase{"OverBeatsNotOver", 0xC00, kOver, true},
                      MaskCase{"EnabledByDefault", 0x004, kNothing, true},
                      MaskCase{"DisabledWhenEnabled", 0x002, kNothing, false},
                      MaskCase{"DisabledWhenDisabled", 0x002, kDisable, true},
                      MaskCase{"OwnIdsByDefault", 0x008, kNothing, true},
                      MaskCase{"WrappedIds", 0x010, kOwnIdsOff, true},
                      MaskCase{"WrappedIdsWhenOwn", 0x010, kNothing, false},
                      MaskCase{"Highlighted", 0x10000, kHighlight, true},
                      MaskCase{"NotHighlighted", 0x20000, kNothing, true},
                      MaskCase{"NotHighlightedWhenIs", 0x20000, kHighlight, false},
                      MaskCase{"DraggedWhenNot", 0x1000, kNothing, false},
                      MaskCase{"DraggedWhenIs", 0x1000, kDragging, true},
                      MaskCase{"AcceptingWhenNoAnswer", 0x2000, kNothing, false},
                      MaskCase{"AcceptingWhenAccepting", 0x2000, kAccepting, true},
                      MaskCase{"DropOntoYes", 0x4000, kDropOntoZero, true},
                      MaskCase{"DropOntoYesDefault", 0x4000, kNothing, false},
                      MaskCase{"DropOntoOne", 0x8000, kDropOntoOne, true},
                      MaskCase{"DropOntoYesBeatsOne", 0xC000, kDropOntoOne, false},
                      MaskCase{"UpStateInUp", 0x020, kNothing, true},
                      MaskCase{"DownStateInUp", 0x040, kNothing, false},
                      MaskCase{"DownStateInDown", 0x040, kStateDown, true},
                      MaskCase{"EitherState", 0x060, kStateDown, true},
                      MaskCase{"AllTestsMustPass", 0x600, kSelect, false},
                      MaskCase{"AllTestsPass", 0x600, kSelect | kOver, true}),
    [](const ::testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

// ---- children, z-order, drawing and hit tests ----

FCImageBuffer* NewScreen()
{
    FCImageBuffer* screen = FCImageBuffer::Create(100, 100, FCFormat565);
    screen->Clear(0);
    return screen;
}

std::uint16_t PixelOf(FCImageBuffer* buffer, std::int32_t x, std::int32_t y)
{
    return static_cast<std::uint16_t>(buffer->GetPixel(x, y, FCFormat565));
}

TEST(UIControlChildren, EqualZOrderKeepsInsertionOrderForDrawingAndHits)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetSize(100, 100);
    auto* first = new SwatchControl(2, FCRect(10, 10, 50, 50), 0x1111);
    auto* second = new SwatchControl(3, FCRect(30, 30, 70, 70), 0x2222);
    auto* low = new SwatchControl(4, FCRect(0, 0, 100, 100), 0x3333);
    low->SetZOrder(50);
    root->AddChild(first);
    root->AddChild(second);
    root->AddChild(low);
    EXPECT_EQ(root->IndexOfChild(low), 0u);
    EXPECT_EQ(root->IndexOfChild(first), 1u);
    EXPECT_EQ(root->IndexOfChild(second), 2u);

    Owned<FCImageBuffer> screen(NewScreen());
    root->Draw(screen.get(), FCRect(0, 0, 100, 100));
    EXPECT_EQ(PixelOf(screen.get(), 40, 40), 0x2222) << "the later of two equal z-orders is on top";
    EXPECT_EQ(PixelOf(screen.get(), 15, 15), 0x1111);
    EXPECT_EQ(PixelOf(screen.get(), 90, 90), 0x3333);
    EXPECT_EQ(root->FindControlAt(FCPoint(40, 40), true), second);
    EXPECT_EQ(root->FindControlAt(FCPoint(15, 15), true), first);
}

TEST(UIControlDraw, IsClippedToItsRectangleAndTheClipAndSkipsHiddenControls)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetPositionXY(20, 20);
    root->SetSize(40, 40);
    auto* big = new SwatchControl(2, FCRect(-20, -20, 80, 80), 0x1234);
    root->AddChild(big);
    auto* hidden = new SwatchControl(3, FCRect(0, 0, 40, 40), 0x4321);
    hidden->SetVisible(0);
    root->AddChild(hidden);

    Owned<FCImageBuffer> screen(NewScreen());
    root->Draw(screen.get(), FCRect(0, 0, 45, 100));
    EXPECT_EQ(PixelOf(screen.get(), 19, 30), 0) << "outside the parent";
    EXPECT_EQ(PixelOf(screen.get(), 20, 30), 0x1234);
    EXPECT_EQ(PixelOf(screen.get(), 44, 30), 0x1234);
    EXPECT_EQ(PixelOf(screen.get(), 45, 30), 0) << "outside the clip";
    EXPECT_EQ(PixelOf(screen.get(), 30, 60), 0) << "outside the parent";
    EXPECT_EQ(hidden->drawCount, 1);
}

TEST(UIControlHit, TransparentAndDisabledControls)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetSize(100, 100);
    auto* panel = new UIControl(2);
    panel->SetSize(60, 60);
    panel->SetMouseTransparent(1);
    root->AddChild(panel);
    auto* button = new UIControl(3);
    button->SetPositionXY(10, 10);
    button->SetSize(10, 10);
    panel->AddChild(button);

    EXPECT_EQ(root->FindControlAt(FCPoint(15, 15), true), button);
    EXPECT_EQ(root->FindControlAt(FCPoint(40, 40), true), root.get())
        << "the panel itself is never hit";
    button->SetEnabled(0);
    EXPECT_EQ(root->FindControlAt(FCPoint(15, 15), true), root.get());
    EXPECT_EQ(root->FindControlAt(FCPoint(15, 15), false), button);
    EXPECT_FALSE(root->HitTest(FCPoint(100, 50), false)) << "right edge is outside";
    EXPECT_TRUE(root->HitTest(FCPoint(0, 0), false));
}

TEST(UIControlHit, PreciseHitsGoThroughTheSelectedDisplayObjects)
{
    Owned<UIControl> control(new UIControl(1));
    control->SetSize(100, 100);
    control->SetInputFlags(UIControl::kPreciseHit);
    auto* fill = new UIFill(10, 0xFFFF);
    fill->SetPositionXY(0, 0);
    fill->SetSize(50, 100);
    control->AddDisplayObject(fill, 0xFFF);
    auto* selectedOnly = new UIFill(11, 0xFFFF);
    selectedOnly->SetPositionXY(50, 0);
    selectedOnly->SetSize(50, 100);
    control->AddDisplayObject(selectedOnly, 0x200);

    EXPECT_TRUE(control->HitTest(FCPoint(10, 10), true));
    EXPECT_FALSE(control->HitTest(FCPoint(60, 10), true))
        << "its object is not drawn while unselected";
    control->SetSelectedFlag(1);
    EXPECT_TRUE(control->HitTest(FCPoint(60, 10), true));

    // Children's display objects count too.
    Owned<UIControl> outer(new UIControl(2));
    outer->SetSize(100, 100);
    outer->SetInputFlags(UIControl::kPreciseHit);
    auto* inner = new UIControl(3);
    inner->SetSize(100, 100);
    auto* dot = new UIFill(12, 0xFFFF);
    dot->SetPositionXY(5, 5);
    dot->SetSize(2, 2);
    inner->AddDisplayObject(dot, 0);
    outer->AddChild(inner);
    EXPECT_TRUE(outer->HitTest(FCPoint(6, 6), true));
    EXPECT_FALSE(outer->HitTest(FCPoint(8, 8), true));
}

TEST(UIControlSize, ContentSizeIsTheExtentOfTheDisplayObjects)
{
    Owned<UIControl> control(new UIControl(1));
    control->SetSize(5, 5);
    control->SetSizeMode(UIObject::kSizeContent);
    EXPECT_EQ(control->GetSize(), FCPoint(0, 0));
    auto* a = new UIFill(1, 0);
    a->SetPositionXY(10, 2);
    a->SetSize(20, 3);
    control->AddDisplayObject(a, 0);
    auto* b = new UIFill(2, 0);
    b->SetPositionXY(0, 30);
    b->SetSize(4, 4);
    control->AddDisplayObject(b, 0);
    auto* followsParent = new UIFill(3, 0);
    followsParent->SetSize(500, 500);
    followsParent->SetSizeMode(UIObject::kSizeParent);
    control->AddDisplayObject(followsParent, 0);
    EXPECT_EQ(control->GetSize(), FCPoint(30, 34));
}

// ---- lookups ----

TEST(UIControlLookup, FindsDepthFirstAndAnswersEmptyWithoutCollections)
{
    Owned<UIControl> root(new UIControl(1));
    EXPECT_EQ(root->GetChildCount(), 0u);
    EXPECT_FALSE(root->RemoveAllChildren());
    EXPECT_EQ(root->IndexOfChild(root.get()), 0xFFFFFFFFu);
    EXPECT_EQ(root->FindDisplayObject(1), nullptr);
    EXPECT_EQ(root->FindDisplayObjectByClass(202), nullptr);
    root->SetChildEnabled(9, 0); // no such child: nothing happens

    auto* a = new UIControl(10);
    auto* a1 = new UIControl(5);
    a->AddChild(a1);
    auto* b = new UIControl(5);
    root->AddChild(a);
    root->AddChild(b);
    EXPECT_EQ(root->FindDescendant(5), a1) << "a child's subtree comes before the next sibling";
    EXPECT_EQ(root->FindChild(5), b);
    EXPECT_TRUE(root->ContainsDescendant(a1));
    EXPECT_FALSE(root->ContainsDescendant(root.get()));

    Owned<UIControl> stranger(new UIControl(5));
    EXPECT_FALSE(root->RemoveChild(stranger.get()));
    EXPECT_TRUE(root->RemoveChild(b));
    EXPECT_EQ(root->FindChild(5), nullptr);
    EXPECT_TRUE(root->RemoveAllChildren());
    EXPECT_EQ(root->GetChildCount(), 0u);
}

TEST(UIControlLookup, DefaultFocusIsSearchedFromTheTopChild)
{
    Owned<UIControl> root(new UIControl(1));
    auto* first = new UIControl(2);
    auto* nested = new UIControl(3);
    nested->SetDefaultFocus(1);
    first->AddChild(nested);
    auto* second = new UIControl(4);
    root->AddChild(first);
    root->AddChild(second);
    EXPECT_EQ(root->FindDefaultFocus(), nested);
    second->SetDefaultFocus(1);
    EXPECT_EQ(root->FindDefaultFocus(), second);
}

TEST(UIControlCopy, ClonesChildrenAndDisplayObjectsWithoutDoublingCounts)
{
    Owned<UIControl> original(new UIControl(1));
    original->SetClickMode(1);
    original->SetSound(UIControl::kSoundClick, 44);
    original->SetMouseOverMessage(9);
    auto* child = new UIControl(2);
    original->AddChild(child);
    original->AddDisplayObject(new UIFill(3, 0x1234), 0x400);

    Owned<UIControl> copy(static_cast<UIControl*>(original->Clone()));
    ASSERT_EQ(copy->GetChildCount(), 1u);
    EXPECT_NE(copy->GetChildAt(0), child);
    EXPECT_EQ(copy->GetChildAt(0)->GetParent(), copy.get());
    ASSERT_NE(copy->FindDisplayObject(3), nullptr);
    EXPECT_EQ(copy->FindDisplayObject(3)->GetParent(), copy.get());
    EXPECT_EQ(copy->GetMouseOverCount(), 1);
    EXPECT_EQ(copy->GetClickMode(), 1u);
    EXPECT_EQ(copy->GetSound(UIControl::kSoundClick), 44);
    EXPECT_EQ(copy->GetMouseOverMessage(), 9);
}

// ---- pointer handling and messages (through the window manager) ----

struct PointerScene
{
    PointerScene()
    {
        window = new RecordingControl(1);
        window->SetSize(200, 200);
        button = new RecordingControl(2);
        button->SetPositionXY(10, 10);
        button->SetSize(50, 20);
        window->AddChild(button);
        ui.Manager().PushWindow(window, 0);
        window->Release(); // the stack holds it
    }
    UiHarness ui;
    RecordingControl* window = nullptr;
    RecordingControl* button = nullptr;
};

TEST(UIControlPointer, ClickOnReleaseNeedsTheReleaseInside)
{
    PointerScene s;
    s.ui.Press(20, 20, UIMessage::kModShift);
    EXPECT_TRUE(s.button->IsPressed());
    EXPECT_EQ(s.ui.Manager().GetCapture(), s.button);
    s.ui.Release(21, 21, UIMessage::kModControl);
    ASSERT_EQ(s.window->Count(UIMessage::kClicked), 1);
    const UIEvent& click = s.window->events.back();
    EXPECT_EQ(click.sender, s.button);
    EXPECT_EQ(click.GetPoint(), FCPoint(21, 21));
    EXPECT_EQ(click.param1, UIMessage::kModControl) << "modifiers of the release that caused it";
    EXPECT_FALSE(s.button->IsPressed());
    EXPECT_EQ(s.ui.Manager().GetCapture(), nullptr);

    s.ui.Press(20, 20);
    s.ui.Release(150, 150);
    EXPECT_EQ(s.window->Count(UIMessage::kClicked), 1) << "released outside: no click";
    EXPECT_FALSE(s.button->IsPressed());
}

TEST(UIControlPointer, ClickAndChangeModes)
{
    PointerScene s;
    s.button->SetClickMode(UIControl::kOnPress);
    s.button->SetChangeMode(UIControl::kOnPress);
    s.ui.Press(20, 20, UIMessage::kModShift);
    EXPECT_EQ(s.window->Types(),
              (std::vector<std::uint16_t>{UIMessage::kFocusGained, UIMessage::kChanged,
                                          UIMessage::kClicked}));
    EXPECT_EQ(s.window->events.back().param1, UIMessage::kModShift);
    s.ui.Release(20, 20);
    EXPECT_EQ(s.window->events.size(), 3u);

    s.button->SetClickMode(UIControl::kNever);
    s.button->SetChangeMode(UIControl::kOnRelease);
    s.ui.Press(20, 20);
    s.ui.Release(20, 20);
    EXPECT_EQ(s.window->Count(UIMessage::kChanged), 2);
    EXPECT_EQ(s.window->Count(UIMessage::kClicked), 1);
}

TEST(UIControlMessages, WithoutOwnIdsTheFourSelectionMessagesAreWrapped)
{
    PointerScene s;
    s.button->SetControlFlags(s.button->GetControlFlags() & ~UIControl::kOwnMessageIds);
    s.ui.Click(20, 20);
    s.ui.DoubleClick(20, 20);
    s.button->RequestSelect(1, 77);
    s.button->SetSelectedFlag(1);
    s.button->RequestSelect(1, 78);

    std::vector<std::pair<std::uint16_t, std::uint16_t>> seen;
    for (const UIEvent& e : s.window->events)
        if (e.type == UIMessage::kWrapped || (e.type >= 1000 && e.type <= 1003))
            seen.emplace_back(e.type, e.innerId);
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected = {
        {UIMessage::kWrapped, UIMessage::kClicked},
        {UIMessage::kWrapped, UIMessage::kDoubleClicked},
        {UIMessage::kWrapped, UIMessage::kChanged},
        {UIMessage::kWrapped, UIMessage::kDeselect}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(s.window->events.back().param1, 78u);
    EXPECT_EQ(s.window->events.back().GetPoint(), FCPoint(10, 10))
        << "a programmatic select carries the position";

    // A copy keeps what it wraps.
    UIEvent copy(s.window->events.back());
    EXPECT_EQ(copy.innerId, UIMessage::kDeselect);
}

TEST(UIControlMessages, SelectRequestsWithOwnIds)
{
    PointerScene s;
    s.button->RequestSelect(0, 5);
    EXPECT_TRUE(s.window->events.empty()) << "not selected, no select: nothing";
    s.button->RequestSelect(1, 5);
    s.button->SetSelectedFlag(1);
    s.button->RequestSelect(0, 6);
    EXPECT_EQ(s.window->Types(),
              (std::vector<std::uint16_t>{UIMessage::kChanged, UIMessage::kDeselect}));
}

TEST(UIControlMessages, BubbleUntilAHandlerAnswersAndIgnoreNullSenders)
{
    struct Taker : RecordingControl
    {
        bool HandleNotify(UIEvent& event) override
        {
            RecordingControl::HandleNotify(event);
            return event.type == UIMessage::kClicked;
        }
    };
    Owned<RecordingControl> top(new RecordingControl(1));
    auto* taker = new Taker;
    top->AddChild(taker);
    auto* leaf = new UIControl(3);
    taker->AddChild(leaf);

    UIEvent click(leaf, UIMessage::kClicked);
    EXPECT_TRUE(leaf->SendToParent(click));
    EXPECT_EQ(top->events.size(), 1u) << "the bubbling reached the top once";
    EXPECT_EQ(taker->events.size(), 1u);

    // A drag message without a sender is not taken as one: it bubbles on.
    UIEvent forged(nullptr, UIMessage::kDragStarted, FCPoint(0, 0),
                   reinterpret_cast<std::uintptr_t>(leaf), 0);
    EXPECT_FALSE(taker->UIControl::HandleNotify(forged));
    EXPECT_EQ(taker->GetDraggedChild(), nullptr);
    EXPECT_FALSE(top->SendMessageToParent(UIMessage::kClicked)) << "no parent: false";
}

TEST(UIControlSounds, ClickAndEnterSoundsUseChannelSix)
{
    QuietLog quiet; // the fake channels log that the ids have no samples
    PointerScene s;
    s.button->SetSound(UIControl::kSoundClick, 31);
    s.button->SetSound(UIControl::kSoundEnter, 32);
    s.button->SetSound(UIControl::kSoundSelect, 33);
    s.button->SetSound(172, 99); // not a sound event
    FakeSoundManager& sound = s.ui.Devices().sound;

    s.ui.Move(20, 20);
    ASSERT_EQ(sound.requests.size(), 1u);
    EXPECT_EQ(sound.requests[0].what, "32");
    EXPECT_EQ(sound.requests[0].channel, 6);
    EXPECT_EQ(sound.requests[0].volume, 64);
    EXPECT_EQ(sound.requests[0].pan, 64);
    EXPECT_FALSE(sound.requests[0].loop);

    // The sample is not in the resource table, so mark the channel busy by hand.
    sound.Channel(6)->status = FCSoundChannel::kPlaying;
    s.ui.Move(150, 150);
    s.ui.Move(20, 20);
    EXPECT_EQ(sound.requests.size(), 1u) << "channel 6 is still playing: no enter sound";

    s.ui.Click(20, 20);
    s.button->SetSelected(1);
    ASSERT_EQ(sound.requests.size(), 3u);
    EXPECT_EQ(sound.requests[1].what, "31");
    EXPECT_EQ(sound.requests[2].what, "33");
    s.button->SetSelected(0);
    EXPECT_EQ(sound.requests.size(), 3u);
}

TEST(UIControlPointer, EnterAndLeaveMessages)
{
    PointerScene s;
    s.ui.Move(20, 20);
    s.ui.Move(150, 150);
    EXPECT_TRUE(s.window->events.empty()) << "nothing asked for";

    s.button->SetInputFlags(UIControl::kReportEnterLeave);
    s.button->SetMouseOverMessage(77);
    s.ui.Move(20, 20);
    EXPECT_EQ(s.ui.Manager().GetHover(), s.button);
    EXPECT_EQ(s.button->GetControlFlags() & UIControl::kMouseOver, UIControl::kMouseOver);
    s.ui.Move(150, 150);
    EXPECT_EQ(s.window->Types(),
              (std::vector<std::uint16_t>{UIMessage::kMouseEntered, UIMessage::kMouseOverEntered,
                                          UIMessage::kMouseLeft, UIMessage::kMouseOverLeft}));
    EXPECT_EQ(s.window->events[1].param1, 77u);
    EXPECT_EQ(s.window->events[3].param1, 77u);
}

TEST(UIControlFocus, GainAndLossAreReportedWithTheNewFocus)
{
    PointerScene s;
    auto* other = new UIControl(3);
    other->SetPositionXY(100, 100);
    other->SetSize(20, 20);
    s.window->AddChild(other);

    s.ui.Press(20, 20);
    EXPECT_TRUE(s.button->IsFocused());
    s.ui.Release(20, 20);
    s.ui.Press(110, 110);
    EXPECT_FALSE(s.button->IsFocused());
    EXPECT_TRUE(other->IsFocused());
    ASSERT_EQ(s.window->Count(UIMessage::kFocusLost), 1);
    for (const UIEvent& e : s.window->events)
    {
        if (e.type == UIMessage::kFocusLost)
        {
            EXPECT_EQ(e.param1, reinterpret_cast<std::uintptr_t>(other));
        }
    }
}

TEST(UIControlRepeat, ATickClearsPressedBeforeTheClickAndReadsTheKeyboard)
{
    PointerScene s;
    s.ui.Devices().keyboard.Press(0x10);
    s.ui.Devices().keyboard.Press(0x11);
    s.button->SetPressed(1);
    s.button->OnTimer(8101);
    EXPECT_TRUE(s.window->events.empty()) << "only the repeat timer counts";

    s.button->OnTimer(UIControl::kRepeatTimerId);
    ASSERT_EQ(s.window->Count(UIMessage::kClicked), 1);
    EXPECT_FALSE(s.window->pressedWhenNotified.back());
    EXPECT_EQ(s.window->events.back().param1, UIMessage::kModShift | UIMessage::kModControl);

    s.button->SetEnabled(0);
    s.button->OnTimer(UIControl::kRepeatTimerId);
    EXPECT_EQ(s.window->Count(UIMessage::kClicked), 1) << "a disabled control does not repeat";
}

TEST(UIControlPaint, EnablingRepaintsOnlyWhenTheFlagChanges)
{
    UiHarness ui;
    auto* window = new SwatchControl(1, FCRect(10, 20, 30, 40), 0x1234);
    ui.Manager().PushWindow(window, 0);
    ui.ClearDirty();
    window->SetEnabled(1);
    EXPECT_TRUE(ui.DirtyRects().empty()) << "already enabled";
    window->SetEnabled(0);
    EXPECT_EQ(ui.DirtyRects(), std::vector<FCRect>{FCRect(10, 20, 30, 40)});
    ui.ClearDirty();
    window->SetEnabled(1);
    EXPECT_EQ(ui.DirtyRects(), std::vector<FCRect>{FCRect(10, 20, 30, 40)});
    ui.Manager().RemoveWindow(window);
    window->Release();
}

TEST(UIControlPaint, ADisplayObjectRepaintsUnlessItsControlIsHidden)
{
    UiHarness ui;
    auto* window = new SwatchControl(1, FCRect(0, 0, 200, 100), 0x1234);
    auto* row = new SwatchControl(2, FCRect(10, 20, 60, 30), 0x4321);
    auto* fill = new UIFill(3, 0xFFFF);
    fill->SetSize(50, 10);
    row->AddDisplayObject(fill, 0);
    window->AddChild(row);
    ui.Manager().PushWindow(window, 0);
    struct Case
    {
        std::uint8_t windowShown;
        std::uint8_t rowShown;
        std::uint8_t fillShown;
        bool repainted;
    };
    // A fill just hidden itself must still be painted over; one inside a
    // hidden control or window shows nothing either way.
    const Case cases[] = {{1, 1, 1, true}, {1, 1, 0, true}, {1, 0, 1, false}, {0, 1, 1, false}};
    for (const Case& c : cases)
    {
        window->SetVisible(c.windowShown);
        row->SetVisible(c.rowShown);
        fill->SetVisible(c.fillShown);
        ui.ClearDirty();
        fill->Invalidate();
        EXPECT_EQ(ui.DirtyRects(), c.repainted ? std::vector<FCRect>{FCRect(10, 20, 60, 30)}
                                               : std::vector<FCRect>{})
            << int(c.windowShown) << int(c.rowShown) << int(c.fillShown);
    }
    ui.Manager().RemoveWindow(window);
    window->Release();
}

TEST(UIControlUpdate, ReachesEveryChild)
{
    Owned<RecordingControl> root(new RecordingControl(1));
    auto* child = new RecordingControl(2);
    auto* grandchild = new RecordingControl(3);
    child->AddChild(grandchild);
    root->AddChild(child);
    std::uint32_t tick = 42;
    root->HandleMessage(UIMessage::kUpdate, &tick);
    EXPECT_EQ(grandchild->updates, std::vector<std::uint32_t>{42});
}

} // namespace

namespace
{
// Records where it finds itself each time it is drawn.
class PlaceProbe : public UIDisplayObject
{
public:
    explicit PlaceProbe(std::uint16_t newId) : UIDisplayObject(newId) {}
    void Draw(FCImageBuffer*, const FCRect&) override
    {
        seen.push_back(GetScreenRect());
        visibleSeen.push_back(IsVisible());
    }
    std::vector<FCRect> seen;
    std::vector<bool> visibleSeen;
};

// While a control draws, what it holds takes the control's place from the
// draw instead of walking up again: it must be the place the walk gives,
// through aligned and nested ancestors, and follow every move and hide
// between paints.
TEST(UIControlDraw, DrawnElementsSeeTheirPlaceThroughAlignedAncestors)
{
    Owned<UIControl> root(new UIControl(1));
    root->SetPositionXY(10, 20);
    root->SetSize(300, 200);
    auto* corner = new UIControl(2);
    corner->SetSize(100, 80);
    corner->SetPositionXY(-5, -7);
    corner->SetAlignFlags(UIObject::kAlignRight | UIObject::kAlignBottom);
    root->AddChild(corner);
    auto* middle = new UIControl(3);
    middle->SetSize(20, 10);
    middle->SetAlignFlags(UIObject::kAlignCentreX | UIObject::kAlignCentreY);
    corner->AddChild(middle);
    auto* inMiddle = new PlaceProbe(4);
    inMiddle->SetPositionXY(3, 4);
    inMiddle->SetSize(5, 5);
    middle->AddDisplayObject(inMiddle, 0);
    auto* inCorner = new PlaceProbe(5);
    inCorner->SetSizeMode(UIObject::kSizeParent);
    corner->AddDisplayObject(inCorner, 0);
    // A sibling drawn after the nested controls.
    auto* after = new UIControl(6);
    after->SetPositionXY(1, 2);
    after->SetSize(30, 30);
    root->AddChild(after);
    auto* inAfter = new PlaceProbe(7);
    inAfter->SetSize(4, 4);
    after->AddDisplayObject(inAfter, 0);

    Owned<FCImageBuffer> screen(NewScreen());
    struct Step
    {
        const char* what;
        std::function<void()> change;
        FCRect middleRect;
        FCRect cornerRect;
    };
    // corner: 10 + 300 - 100 - 5 = 205, 20 + 200 - 80 - 7 = 133;
    // middle: 205 + 50 - 10 = 245, 133 + 40 - 5 = 168.
    const Step steps[] = {
        {"as built", [] {}, FCRect(248, 172, 253, 177), FCRect(205, 133, 305, 213)},
        {"root moved", [&] { root->SetPositionXY(0, 0); }, FCRect(238, 152, 243, 157),
         FCRect(195, 113, 295, 193)},
        {"root grown", [&] { root->SetSize(400, 300); }, FCRect(338, 252, 343, 257),
         FCRect(295, 213, 395, 293)},
        {"corner realigned",
         [&] { corner->SetAlignFlags(UIObject::kAlignLeft | UIObject::kAlignTop); },
         FCRect(38, 32, 43, 37), FCRect(-5, -7, 95, 73)},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.change();
        inMiddle->seen.clear();
        inCorner->seen.clear();
        inAfter->seen.clear();
        root->Draw(screen.get(), FCRect(-1000, -1000, 1000, 1000));
        ASSERT_EQ(inMiddle->seen.size(), 1u);
        ASSERT_EQ(inCorner->seen.size(), 1u);
        ASSERT_EQ(inAfter->seen.size(), 1u);
        EXPECT_EQ(inMiddle->seen[0], step.middleRect);
        EXPECT_EQ(inCorner->seen[0], step.cornerRect);
        // Outside any draw the walk gives the same.
        EXPECT_EQ(inMiddle->GetScreenRect(), step.middleRect);
        EXPECT_EQ(inCorner->GetScreenRect(), step.cornerRect);
        const FCPoint rootPlace = root->GetAbsolutePosition();
        EXPECT_EQ(inAfter->seen[0],
                  FCRect(rootPlace.x + 1, rootPlace.y + 2, rootPlace.x + 5, rootPlace.y + 6));
        EXPECT_EQ(inMiddle->visibleSeen.back(), true);
    }

    // Hidden between paints: nothing under it is drawn, and afterwards the
    // probes answer from the walk again.
    corner->SetVisible(0);
    const std::size_t before = inMiddle->seen.size();
    root->Draw(screen.get(), FCRect(-1000, -1000, 1000, 1000));
    EXPECT_EQ(inMiddle->seen.size(), before);
    EXPECT_FALSE(inMiddle->IsVisible());
    EXPECT_EQ(inAfter->visibleSeen.back(), true);
    corner->SetVisible(1);
    EXPECT_TRUE(inMiddle->IsVisible());
    // A move after the last paint shows at once, with no paint in between.
    root->SetPositionXY(50, 60);
    EXPECT_EQ(inAfter->GetScreenRect(), FCRect(51, 62, 55, 66));
}
} // namespace

namespace
{
// ---- fills left unpainted under children's fills ----

// Paints as UIControl does but, being a derived class, does not say so:
// nothing under it is ever left unpainted.
class UncoveringControl : public UIControl
{
public:
    explicit UncoveringControl(std::uint16_t newId) : UIControl(newId) {}
};

// Remembers the pixel under its top-left corner when it is drawn.
class PixelProbe : public UIDisplayObject
{
public:
    explicit PixelProbe(std::uint16_t newId) : UIDisplayObject(newId) { SetSize(1, 1); }
    void Draw(FCImageBuffer* target, const FCRect&) override
    {
        const FCRect at = GetScreenRect();
        seen = static_cast<std::int32_t>(target->GetPixel(at.left, at.top, FCFormat565));
    }
    std::int32_t seen = -1;
};

template <class Control> UIControl* RandomTree(std::mt19937& random, int depth)
{
    auto number = [&](int low, int high)
    { return std::uniform_int_distribution<int>(low, high)(random); };
    auto* control = new Control(static_cast<std::uint16_t>(number(1, 999)));
    control->SetPositionXY(number(-8, 40), number(-8, 30));
    control->SetSize(number(0, 64), number(0, 48));
    control->SetVisible(number(0, 9) > 0 ? 1 : 0);
    control->SetSelectedFlag(static_cast<std::uint8_t>(number(0, 1)));
    const std::uint32_t masks[] = {UIControl::kAlwaysDrawn, 0x200, 0x001};
    for (int i = number(0, 3); i > 0; --i)
    {
        const auto colour = static_cast<std::uint32_t>(number(1, 0xFFFF));
        UIFill* fill = number(0, 3) == 0 ? new UIBorder(1, colour) : new UIFill(1, colour);
        if (number(0, 2) == 0)
            fill->SetSizeMode(UIObject::kSizeParent);
        else
        {
            fill->SetPositionXY(number(-6, 30), number(-6, 20));
            fill->SetSize(number(0, 48), number(0, 40));
        }
        fill->SetVisible(number(0, 7) > 0 ? 1 : 0);
        control->AddDisplayObject(fill, masks[number(0, 2)]);
    }
    if (depth < 3)
        for (int i = number(0, 4); i > 0; --i)
            control->AddChild(RandomTree<Control>(random, depth + 1));
    return control;
}

// Leaving out what children's fills paint over must not change a pixel:
// hidden controls and fills, unselected fills, outlines, fills reaching
// past their control and partial clips all included.
TEST(UIControlDraw, LeavingOutCoveredFillsPaintsTheSamePixels)
{
    for (std::uint32_t seed = 1; seed <= 300; ++seed)
    {
        SCOPED_TRACE(seed);
        std::mt19937 shape(seed);
        Owned<UIControl> covering(RandomTree<UIControl>(shape, 0));
        shape.seed(seed);
        Owned<UIControl> plain(RandomTree<UncoveringControl>(shape, 0));
        std::mt19937 clipping(seed * 7919);
        std::uniform_int_distribution<int> edge(-10, 110);
        const int a = edge(clipping), b = edge(clipping), c = edge(clipping), d = edge(clipping);
        const FCRect clip(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d));

        Owned<FCImageBuffer> expected(NewScreen());
        Owned<FCImageBuffer> actual(NewScreen());
        plain->Draw(expected.get(), clip);
        covering->Draw(actual.get(), clip);
        for (std::int32_t y = 0; y < 100; ++y)
            for (std::int32_t x = 0; x < 100; ++x)
                ASSERT_EQ(PixelOf(actual.get(), x, y), PixelOf(expected.get(), x, y))
                    << "at " << x << "," << y;
    }
}

// The parent's fill is left out only under a fill that is sure to be
// painted: a probe drawn just before the child's fill sees what is there.
TEST(UIControlDraw, AParentFillIsLeftOutOnlyUnderAChildFillSureToBePainted)
{
    constexpr std::uint16_t kParent = 0xF800;
    constexpr std::uint16_t kChild = 0x07E0;
    struct Case
    {
        const char* what;
        std::function<void(UIControl& child, UIFill& fill)> change;
        bool derivedChild;
        std::int32_t seen;
    };
    const Case cases[] = {
        {"a plain fill", [](UIControl&, UIFill&) {}, false, 0},
        {"from a derived control", [](UIControl&, UIFill&) {}, true, kParent},
        {"a hidden child", [](UIControl& child, UIFill&) { child.SetVisible(0); }, false, -1},
        {"a hidden fill", [](UIControl&, UIFill& fill) { fill.SetVisible(0); }, false, kParent},
        {"a fill not selected",
         [](UIControl& child, UIFill& fill)
         {
             fill.SetStateMask(0x200);
             child.SetSelectedFlag(0);
         },
         false, kParent},
        {"a fill beside the probe",
         [](UIControl&, UIFill& fill) { fill.SetPositionXY(2, 0); }, false, kParent},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Owned<UIControl> root(new UIControl(1));
        root->SetSize(40, 40);
        auto* background = new UIFill(1, kParent);
        background->SetSizeMode(UIObject::kSizeParent);
        root->AddDisplayObject(background, UIControl::kAlwaysDrawn);
        UIControl* child = c.derivedChild ? new UncoveringControl(2) : new UIControl(2);
        child->SetPositionXY(10, 10);
        child->SetSize(20, 20);
        auto* probe = new PixelProbe(1);
        child->AddDisplayObject(probe, UIControl::kAlwaysDrawn);
        auto* fill = new UIFill(2, kChild);
        fill->SetSize(20, 20);
        child->AddDisplayObject(fill, UIControl::kAlwaysDrawn);
        root->AddChild(child);
        c.change(*child, *fill);

        Owned<FCImageBuffer> screen(NewScreen());
        root->Draw(screen.get(), FCRect(0, 0, 100, 100));
        EXPECT_EQ(probe->seen, c.seen);
        EXPECT_EQ(PixelOf(screen.get(), 5, 5), kParent);
    }
}
} // namespace
