#include "Ui/UIWindowManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Devices/FCSystem.h"
#include "Ui/UIControl.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindow.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"
#include "support/UiHarness.h"
#include "support/UiTestControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// Writes a window layout: one control of the given size with a child
// control (id 2) in its top-left 10 x 10 corner.
std::vector<std::uint8_t> WindowLayout(std::uint16_t id, std::int32_t width, std::int32_t height,
                                       bool childTakesFocus = false,
                                       const std::string& windowClass = "UIWindow")
{
    UILayoutNode window =
        LayoutBytes::Control(LayoutBytes::Element(id, 0, 0, width, height), windowClass);
    UIObjectRecord child = LayoutBytes::Element(2, 0, 0, 10, 10);
    child.defaultFocus = childTakesFocus ? 1 : 0;
    window.children.push_back(LayoutBytes::Control(child));
    return LayoutBytes::Write(window);
}

// A window on the stack built in code; the stack holds the only reference.
template <class T = RecordingControl>
T* Push(UiHarness& ui, FCRect rect, bool modal = false, std::uint16_t windowId = 1)
{
    auto* window = new T(windowId);
    window->SetPositionXY(rect.left, rect.top);
    window->SetSize(rect.right - rect.left, rect.bottom - rect.top);
    ui.Manager().PushWindow(window, modal ? 1 : 0);
    window->Release();
    return window;
}

// Only a window can be modal: a window that records what reaches it.
struct RecordingWindow : UIWindow
{
    using UIWindow::UIWindow;
    bool HandleNotify(UIEvent& event) override
    {
        if (event.type == UIMessage::kClicked)
            clickSenders.push_back(event.sender);
        return UIWindow::HandleNotify(event);
    }
    void Update(std::uint32_t tick) override
    {
        ++updates;
        UIWindow::Update(tick);
    }
    std::vector<UIControl*> clickSenders;
    int updates = 0;
};

RecordingControl* AddButton(UIControl* parent, FCRect rect, std::uint16_t buttonId = 2)
{
    auto* button = new RecordingControl(buttonId);
    button->SetPositionXY(rect.left, rect.top);
    button->SetSize(rect.right - rect.left, rect.bottom - rect.top);
    parent->AddChild(button);
    return button;
}

TEST(UIWindowManagerStack, ModalWindowBlocksPressesAndUpdatesBelowIt)
{
    UiHarness ui;
    RecordingControl* below = Push(ui, FCRect(0, 0, 800, 600));
    RecordingControl* belowButton = AddButton(below, FCRect(500, 500, 550, 550));
    RecordingWindow* dialog = Push<RecordingWindow>(ui, FCRect(100, 100, 300, 300), true);
    RecordingControl* dialogButton = AddButton(dialog, FCRect(10, 10, 50, 50));
    RecordingControl* above = Push(ui, FCRect(600, 0, 700, 100));
    EXPECT_EQ(ui.Manager().GetModal(), dialog);

    ui.Click(520, 520);
    EXPECT_FALSE(belowButton->IsFocused());
    EXPECT_TRUE(below->events.empty()) << "a press outside the modal window reaches nothing";
    EXPECT_EQ(ui.Manager().WindowAt(650, 50), nullptr) << "only the modal window can be hit";

    ui.Click(120, 120);
    EXPECT_EQ(dialog->clickSenders, std::vector<UIControl*>{dialogButton});

    ui.Update(7);
    EXPECT_EQ(above->updates.size(), 1u);
    EXPECT_EQ(dialog->updates, 1);
    EXPECT_TRUE(below->updates.empty()) << "updates stop at the modal window";

    ui.Manager().RemoveWindow(dialog);
    EXPECT_EQ(ui.Manager().GetModal(), nullptr);
    ui.Click(520, 520);
    EXPECT_EQ(below->Count(UIMessage::kClicked), 1);
}

TEST(UIWindowManagerFocus, RefusedFocusStaysButThePressStillArrives)
{
    struct Stubborn : RecordingControl
    {
        using RecordingControl::RecordingControl;
        bool OnLoseFocus(UIControl*) override { return false; }
    };
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    auto* field = new Stubborn(3);
    field->SetSize(50, 20);
    window->AddChild(field);
    RecordingControl* button = AddButton(window, FCRect(100, 100, 150, 150));

    ui.Click(10, 10);
    ASSERT_EQ(ui.Manager().GetFocus(), field);
    EXPECT_EQ(ui.Manager().SetFocus(field), field)
        << "setting the same focus again gives that control";

    ui.Press(120, 120);
    EXPECT_EQ(ui.Manager().GetFocus(), field);
    EXPECT_TRUE(button->IsPressed());
    ui.Release(120, 120);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 2);
    EXPECT_EQ(ui.Manager().SetFocus(button), nullptr) << "a refused change gives null";
}

TEST(UIWindowManagerPointer, DoubleClickSequenceGivesTwoClicksAndOneDoubleClick)
{
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    AddButton(window, FCRect(10, 10, 60, 60));
    // What the platform sends for a double click: down, up, double, up.
    ui.Press(20, 20);
    ui.Release(20, 20);
    ui.DoubleClick(20, 20);
    ui.Release(20, 20);
    std::vector<std::uint16_t> messages;
    for (std::uint16_t type : window->Types())
        if (type == UIMessage::kClicked || type == UIMessage::kDoubleClicked)
            messages.push_back(type);
    EXPECT_EQ(messages, (std::vector<std::uint16_t>{UIMessage::kClicked, UIMessage::kDoubleClicked,
                                                    UIMessage::kClicked}));
}

TEST(UIWindowManagerPointer, CaptureGetsMovesAndTheReleaseAwayFromTheControl)
{
    struct MoveCounter : RecordingControl
    {
        using RecordingControl::RecordingControl;
        void OnMouseMove(UIEvent& event) override
        {
            moves.push_back(event.GetPoint());
            RecordingControl::OnMouseMove(event);
        }
        std::vector<FCPoint> moves;
    };
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    auto* thumb = new MoveCounter(5);
    thumb->SetSize(20, 20);
    window->AddChild(thumb);
    ui.Press(5, 5);
    ui.Move(300, 300);
    EXPECT_EQ(thumb->moves, std::vector<FCPoint>{FCPoint(300, 300)});
    EXPECT_EQ(ui.Manager().GetLastPointer(), FCPoint(300, 300));
    ui.Release(300, 300);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 0);
    EXPECT_EQ(ui.Manager().GetCapture(), nullptr);
    ui.Move(350, 350);
    EXPECT_EQ(thumb->moves.size(), 1u)
        << "without the capture moves go to the control under the pointer";
}

TEST(UIWindowManagerRepeat, HeldButtonRepeatsAfter650AndThenEvery150)
{
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    RecordingControl* arrow = AddButton(window, FCRect(10, 10, 30, 30));
    arrow->SetInputFlags(UIControl::kAutoRepeat);

    ui.Press(15, 15);
    EXPECT_TRUE(ui.Manager().IsRepeatTimerRunning());
    ui.AdvanceTime(600);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 0) << "nothing repeated by 600 ms";
    ui.AdvanceTime(40);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 0);
    ui.AdvanceTime(20);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 1) << "the first repeat at 650 ms";
    ui.AdvanceTime(130); // 790 ms
    EXPECT_EQ(window->Count(UIMessage::kClicked), 1);
    ui.AdvanceTime(10);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 2) << "then every 150 ms";

    ui.Release(15, 15);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 3) << "the release inside clicks as usual";
    EXPECT_FALSE(ui.Manager().IsRepeatTimerRunning());
    EXPECT_EQ(FCSystem::GetTimerCount(), 0u);
    ui.AdvanceTime(1000);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 3);
}

TEST(UIWindowManagerRepeat, ReleasedAt600HasNoRepeat)
{
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    RecordingControl* arrow = AddButton(window, FCRect(10, 10, 30, 30));
    arrow->SetInputFlags(UIControl::kAutoRepeat);
    arrow->SetClickMode(UIControl::kOnPress);
    ui.Press(15, 15);
    ui.AdvanceTime(600);
    ui.Release(15, 15);
    ui.AdvanceTime(1000);
    EXPECT_EQ(window->Count(UIMessage::kClicked), 1) << "only the press";
}

TEST(UIWindowManagerRepeat, CloseAllAndTheDestructorStopTheTimer)
{
    for (const bool closeAll : {true, false})
    {
        SCOPED_TRACE(closeAll ? "CloseAll" : "destructor");
        UiHarness ui;
        RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
        AddButton(window, FCRect(10, 10, 30, 30))->SetInputFlags(UIControl::kAutoRepeat);
        ui.Press(15, 15);
        ASSERT_EQ(FCSystem::GetTimerCount(), 1u);
        if (closeAll)
        {
            ui.Manager().CloseAll();
            EXPECT_EQ(ui.Manager().GetCapture(), nullptr);
            EXPECT_EQ(ui.Manager().GetWindowCount(), 0u);
        }
        else
            ui.RecreateManager();
        EXPECT_EQ(FCSystem::GetTimerCount(), 0u);
    }
}

TEST(UIWindowManagerKeys, FocusFirstThenListenersWithoutRepeats)
{
    struct KeyLog : RecordingControl
    {
        KeyLog(std::uint16_t newId, std::vector<std::string>& shared)
            : RecordingControl(newId), log(shared)
        {
        }
        bool OnKeyDown(UIEvent& e) override { return Note("down", e); }
        bool OnKeyUp(UIEvent& e) override { return Note("up", e); }
        bool OnChar(UIEvent& e) override { return Note("char", e); }
        bool Note(const char* what, UIEvent& e)
        {
            log.push_back(std::to_string(GetId()) + what + std::to_string(e.param1) + "/" +
                          std::to_string(e.param2));
            return true;
        }
        std::vector<std::string>& log;
    };
    UiHarness ui;
    std::vector<std::string> log;
    RecordingControl* window = Push(ui, FCRect(0, 0, 400, 400));
    auto* field = new KeyLog(3, log);
    field->SetSize(20, 20);
    window->AddChild(field);
    auto* listener = new KeyLog(4, log);
    window->AddChild(listener);
    ui.Manager().AddKeyListener(listener);
    ui.Manager().AddKeyListener(field);

    ui.Key(UIMessage::kKeyDown, 65, 9);
    EXPECT_EQ(log, (std::vector<std::string>{"4down65/9", "3down65/9"}))
        << "no focus: the listeners in order";
    ui.Click(5, 5);
    log.clear();
    ui.Key(UIMessage::kKeyDown, 66, 1);
    ui.Key(UIMessage::kChar, 98, 1);
    ui.Key(UIMessage::kKeyUp, 66, 2);
    ui.Key(UIMessage::kRightDown, 0, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"3down66/1", "4down66/1", "3char98/1", "4char98/1",
                                             "3up66/2", "4up66/2"}));
}

TEST(UIWindowManagerScreens, SwitchInsideAHandlerWaitsForTheEventToEnd)
{
    struct Switcher : RecordingControl
    {
        using RecordingControl::RecordingControl;
        bool OnKeyDown(UIEvent&) override
        {
            UIWindowManager::GetInstance()->SwitchTo("first.ui", 0);
            switched = UIWindowManager::GetInstance()->SwitchTo("second.ui", 1);
            stillOpen = UIWindowManager::GetInstance()->IsOpen(GetParent());
            return true;
        }
        UIControl* switched = nullptr;
        bool stillOpen = false;
    };
    struct Listener : RecordingControl
    {
        using RecordingControl::RecordingControl;
        bool OnKeyDown(UIEvent&) override
        {
            ++keys;
            return true;
        }
        int keys = 0;
    };
    UiHarness ui;
    ui.WriteLayout("first.ui", WindowLayout(10, 100, 100));
    ui.WriteLayout("second.ui", WindowLayout(20, 200, 200, true));
    RecordingControl* old = Push(ui, FCRect(0, 0, 400, 400));
    auto* switcher = new Switcher(3);
    switcher->SetSize(20, 20);
    old->AddChild(switcher);
    auto* listener = new Listener(4);
    old->AddChild(listener);
    // Keep the old screen alive past its closing to look at it afterwards.
    old->AddRef();
    listener->AddRef();
    ui.Manager().AddKeyListener(listener);
    ui.Click(5, 5);

    ui.Devices().sound.preferences.clear();
    ui.Key(UIMessage::kKeyDown, 13, 0);
    EXPECT_TRUE(switcher->stillOpen) << "the old screen is open while the handler runs";
    EXPECT_EQ(listener->keys, 0) << "the old screen receives nothing more in that event";
    ASSERT_EQ(ui.Manager().GetWindowCount(), 1u);
    UIControl* top = ui.Manager().GetTopWindow();
    EXPECT_EQ(top, switcher->switched);
    EXPECT_EQ(top->GetId(), 20) << "only the last switch of the event counts";
    EXPECT_EQ(ui.Manager().GetModal(), top);
    EXPECT_EQ(ui.Manager().GetFocus(), top->FindChild(2)) << "activated: default focus";
    EXPECT_EQ(ui.Devices().sound.preferences, (std::vector<std::uint32_t>{32, 0, 32, 0}));
    ui.Key(UIMessage::kKeyDown, 13, 0);
    EXPECT_EQ(listener->keys, 0) << "key listeners were cleared";
    listener->Release();
    old->Release();
}

TEST(UIWindowManagerScreens, OpenWindowLoadsAndMissingOrWrongFilesGiveNull)
{
    QuietLog quiet;
    UiHarness ui;
    ui.WriteLayout("dialog.ui", WindowLayout(30, 100, 50));
    UIControl* window = ui.Open("dialog.ui", true);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->GetRefCount(), 1) << "the stack holds the only reference";
    EXPECT_EQ(ui.Manager().GetModal(), window);
    EXPECT_EQ(ui.Open("missing.ui"), nullptr);
    std::vector<std::uint8_t> element = {9, 0, 'U', 'I', 'O', 'b', 'j', 'e', 'c', 't', 0};
    element.resize(element.size() + 25, 0);
    ui.WriteLayout("element.ui", element);
    EXPECT_EQ(ui.Open("element.ui"), nullptr) << "a layout that holds no control";
    EXPECT_EQ(ui.Manager().SwitchTo("missing.ui", 0), nullptr);
    ui.WriteLayout("plain.ui", WindowLayout(31, 100, 50, false, "UIControl"));
    EXPECT_EQ(ui.Manager().SwitchTo("plain.ui", 0), nullptr) << "a screen switch needs a window";
    EXPECT_EQ(ui.Open("plain.ui", true), nullptr) << "only a window can be modal";
    auto* control = new RecordingControl(32);
    ui.Manager().PushWindow(control, 1);
    control->Release();
    EXPECT_EQ(ui.Manager().GetWindowCount(), 1u);
    EXPECT_EQ(ui.Manager().GetModal(), window);
    ASSERT_NE(ui.Open("plain.ui"), nullptr) << "a plain control can still be a screen";
}

TEST(UIWindowManagerStack, RemovingTheTopWindowActivatesTheNextOne)
{
    UiHarness ui;
    ui.WriteLayout("base.ui", WindowLayout(1, 400, 400, true));
    ui.WriteLayout("popup.ui", WindowLayout(2, 100, 100));
    UIControl* base = ui.Open("base.ui");
    ASSERT_NE(base, nullptr);
    UIControl* baseField = base->FindChild(2);
    EXPECT_EQ(ui.Manager().GetFocus(), baseField);
    UIControl* popup = ui.Open("popup.ui");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(ui.Manager().GetFocus(), nullptr) << "the popup has no default focus";
    ui.Click(5, 5);
    EXPECT_EQ(ui.Manager().GetFocus(), popup->FindChild(2));

    ui.Manager().RemoveWindow(popup);
    EXPECT_EQ(ui.Manager().GetTopWindow(), base);
    EXPECT_EQ(ui.Manager().GetFocus(), baseField);
    EXPECT_TRUE(base->IsActivated());
}

TEST(UIWindowManagerStack, BringToFrontAndMovableWindows)
{
    UiHarness ui;
    RecordingControl* back = Push(ui, FCRect(0, 0, 200, 200), false, 1);
    RecordingControl* front = Push(ui, FCRect(100, 100, 300, 300), false, 2);
    EXPECT_EQ(ui.Manager().WindowAt(150, 150), front);
    ui.Click(50, 50);
    EXPECT_EQ(ui.Manager().GetTopWindow(), front) << "a plain window stays where it is";
    back->SetDragFlags(UIDragRecord::kMovable);
    ui.Click(150 - 60, 150 - 60);
    EXPECT_EQ(ui.Manager().GetTopWindow(), back);
    EXPECT_EQ(ui.Manager().GetWindowCount(), 2u);
    ui.Manager().BringToFront(back);
    EXPECT_EQ(ui.Manager().GetWindowCount(), 2u);
    ui.Manager().PushWindow(front, 0);
    EXPECT_EQ(ui.Manager().GetWindowCount(), 2u) << "pushing an open window only moves it up";
    EXPECT_EQ(ui.Manager().GetTopWindow(), front);
}

TEST(UIWindowManagerDrag, AMovableWindowFollowsThePointer)
{
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(100, 100, 200, 200));
    window->SetDragFlags(UIDragRecord::kMovable);
    ui.Press(110, 120);
    ui.Move(150, 160); // the move that starts it fixes the grab point
    EXPECT_TRUE(ui.Manager().IsDragging());
    EXPECT_EQ(window->GetPosition(), FCPoint(100, 100));
    ui.Move(160, 175);
    EXPECT_EQ(window->GetPosition(), FCPoint(110, 115));
    ui.Release(160, 170);
    EXPECT_FALSE(ui.Manager().IsDragging());
    EXPECT_EQ(window->GetControlFlags() & UIControl::kBeingDragged, 0u);
    EXPECT_FALSE(window->IsPressed());
    EXPECT_EQ(ui.Manager().GetCapture(), nullptr);
}

// ---- drag and drop ----

std::uint16_t Accept(UIControl*, UIControl*)
{
    return UIDragRecord::kAccept;
}
std::uint16_t Refuse(UIControl*, UIControl*)
{
    return UIDragRecord::kRefuse;
}
std::uint16_t MayDrop(UIControl*, UIControl*)
{
    return UIDragRecord::kDropYes;
}

struct DragScene
{
    explicit DragScene(std::uint16_t containerFlags)
    {
        screen = Push(ui, FCRect(0, 0, 800, 600));
        list = new RecordingControl(10);
        list->SetSize(200, 400);
        list->SetDragFlags(containerFlags | UIDragRecord::kDragContainer);
        screen->AddChild(list);
        row = AddButton(list, FCRect(0, 0, 200, 20), 11);
        row->SetDragFlags(UIDragRecord::kDraggable);
        row->AddRef(); // watched after it may have left the list
        shelf = new RecordingControl(20);
        shelf->SetPositionXY(400, 0);
        shelf->SetSize(200, 400);
        screen->AddChild(shelf);
        target = AddButton(shelf, FCRect(0, 0, 200, 400), 21);
        target->SetDragFlags(UIDragRecord::kDropTarget);
    }
    ~DragScene() { row->Release(); }

    void DragRowTo(FCPoint point)
    {
        ui.Press(50, 10);
        ui.Move(50, 40); // beyond the threshold of 10: the drag starts
        ui.Move(point.x, point.y);
        ui.Release(point.x, point.y);
    }

    UiHarness ui;
    RecordingControl* screen = nullptr;
    RecordingControl* list = nullptr;
    RecordingControl* row = nullptr;
    RecordingControl* shelf = nullptr;
    RecordingControl* target = nullptr;
};

TEST(UIWindowManagerDrag, StartingADragTellsTheContainerAndPushesADragObject)
{
    DragScene s(UIDragRecord::kHideDraggedChild);
    s.ui.Press(50, 10);
    s.ui.Move(55, 14);
    EXPECT_FALSE(s.ui.Manager().IsDragging()) << "9 pixels: below the threshold";
    s.ui.Move(56, 15);
    ASSERT_TRUE(s.ui.Manager().IsDragging());
    UIControl* dragObject = s.ui.Manager().GetDragged();
    EXPECT_NE(dragObject, s.row);
    EXPECT_EQ(s.ui.Manager().GetTopWindow(), dragObject);
    EXPECT_EQ(dragObject->GetParent(), nullptr);
    EXPECT_EQ(dragObject->GetDragContainer(), s.list);
    EXPECT_EQ(dragObject->GetPosition(), FCPoint(56 - 100, 15 - 10)) << "centred on the pointer";
    EXPECT_NE(dragObject->GetControlFlags() & UIControl::kBeingDragged, 0u);
    ASSERT_EQ(s.list->Count(UIMessage::kDragStarted), 1);
    for (const UIEvent& e : s.list->events)
    {
        if (e.type == UIMessage::kDragStarted)
        {
            EXPECT_EQ(e.sender, s.row);
            EXPECT_EQ(e.param1, reinterpret_cast<std::uintptr_t>(s.row));
            EXPECT_EQ(e.GetPoint(), FCPoint(56, 15));
        }
    }
    EXPECT_EQ(s.list->GetDraggedChild(), s.row);
    EXPECT_FALSE(s.row->IsVisible()) << "the container hides the dragged row";
    EXPECT_EQ(s.ui.Manager().WindowAt(56, 15), s.screen)
        << "the drag object is never the window under the pointer";
}

TEST(UIWindowManagerDrag, AnAcceptedDropIsReportedAndRemovesTheRow)
{
    DragScene s(UIDragRecord::kHideDraggedChild | UIDragRecord::kRemoveOnAccept);
    s.row->SetDropOntoCallback(MayDrop);
    s.row->SetInputFlags(UIControl::kAutoRepeat);
    s.target->SetAcceptDropCallback(Accept);
    s.ui.Press(50, 10);
    ASSERT_EQ(FCSystem::GetTimerCount(), 1u);
    s.ui.Move(50, 40);
    s.ui.Move(500, 100);
    EXPECT_EQ(s.ui.Manager().GetDropTarget(), s.target);
    EXPECT_EQ(s.target->GetAcceptDropState(), UIDragRecord::kAccept);
    EXPECT_EQ(s.ui.Manager().GetDragged()->GetDropOntoState(), UIDragRecord::kDropYes);
    s.ui.Release(500, 100);

    ASSERT_EQ(s.shelf->Count(UIMessage::kDroppedOnto), 1);
    const UIEvent& dropped = s.shelf->events.back();
    EXPECT_EQ(dropped.sender, s.target);
    EXPECT_EQ(dropped.GetPoint(), FCPoint(500, 100));
    EXPECT_EQ(s.list->Count(UIMessage::kDragAccepted), 1);
    EXPECT_EQ(s.screen->Count(UIMessage::kChildDraggedOut), 1);
    EXPECT_EQ(s.list->IndexOfChild(s.row), 0xFFFFFFFFu) << "removed from the list";
    EXPECT_EQ(s.list->GetDraggedChild(), nullptr);
    EXPECT_EQ(s.row->GetRefCount(), 1) << "only the test's reference is left";
    EXPECT_FALSE(s.ui.Manager().IsDragging());
    EXPECT_EQ(s.ui.Manager().GetDropTarget(), nullptr);
    EXPECT_EQ(s.ui.Manager().GetWindowCount(), 1u) << "the drag object left the stack";
    EXPECT_EQ(s.target->GetAcceptDropState(), UIDragRecord::kNoAnswer);
    EXPECT_EQ(s.ui.Manager().GetCapture(), nullptr);
    EXPECT_FALSE(s.row->IsPressed());
    EXPECT_EQ(FCSystem::GetTimerCount(), 0u) << "the release ended the press's repeat too";
}

TEST(UIWindowManagerDrag, WithoutTheDraggedObjectsConsentTheDropIsCancelled)
{
    DragScene s(UIDragRecord::kHideDraggedChild | UIDragRecord::kRemoveOnAccept);
    s.target->SetAcceptDropCallback(Accept); // the target would take it
    s.DragRowTo(FCPoint(500, 100));
    EXPECT_EQ(s.shelf->Count(UIMessage::kDroppedOnto), 0);
    EXPECT_EQ(s.list->Count(UIMessage::kDragCancelled), 1);
    EXPECT_EQ(s.list->Count(UIMessage::kDragAccepted), 0);
    EXPECT_EQ(s.list->IndexOfChild(s.row), 0u);
    EXPECT_TRUE(s.row->IsVisible()) << "shown again";
}

TEST(UIWindowManagerDrag, ARefusingTargetIsToldAndTheDropIsCancelled)
{
    struct Refuser : RecordingControl
    {
        using RecordingControl::RecordingControl;
        void OnDropRefused(UIControl* dragged) override { refused.push_back(dragged); }
        std::vector<UIControl*> refused;
    };
    DragScene s(0);
    auto* refuser = new Refuser(22);
    refuser->SetPositionXY(0, 450);
    refuser->SetSize(100, 100);
    refuser->SetDragFlags(UIDragRecord::kDropTarget);
    refuser->SetAcceptDropCallback(Refuse);
    s.screen->AddChild(refuser);
    s.row->SetDropOntoCallback(MayDrop);
    s.DragRowTo(FCPoint(50, 500));
    EXPECT_EQ(refuser->refused.size(), 1u);
    EXPECT_EQ(s.list->Count(UIMessage::kDragCancelled), 1);
    EXPECT_EQ(refuser->GetAcceptDropState(), UIDragRecord::kNoAnswer);
}

TEST(UIWindowManagerDrag, DroppedOutsideItsContainerTheRowIsRemovedWhenAsked)
{
    DragScene keep(0);
    keep.DragRowTo(FCPoint(700, 500));
    EXPECT_EQ(keep.list->IndexOfChild(keep.row), 0u);
    EXPECT_EQ(keep.screen->Count(UIMessage::kChildDraggedOut), 0);

    DragScene inside(UIDragRecord::kRemoveOnDropOutside);
    inside.DragRowTo(FCPoint(100, 300));
    EXPECT_EQ(inside.list->IndexOfChild(inside.row), 0u) << "dropped back inside the list";

    DragScene outside(UIDragRecord::kRemoveOnDropOutside);
    outside.DragRowTo(FCPoint(700, 500));
    EXPECT_EQ(outside.list->IndexOfChild(outside.row), 0xFFFFFFFFu);
    ASSERT_EQ(outside.screen->Count(UIMessage::kChildDraggedOut), 1);
    EXPECT_EQ(outside.screen->events.back().param1, reinterpret_cast<std::uintptr_t>(outside.row));
}

TEST(UIWindowManagerDrag, MovingBetweenTargetsClearsTheOldOne)
{
    DragScene s(0);
    auto* second = AddButton(s.screen, FCRect(0, 450, 100, 550), 23);
    second->SetDragFlags(UIDragRecord::kDropTarget);
    second->SetAcceptDropCallback(Accept);
    s.target->SetAcceptDropCallback(Accept);
    s.row->SetDropOntoCallback(MayDrop);
    s.ui.Press(50, 10);
    s.ui.Move(50, 40);
    s.ui.Move(500, 100);
    EXPECT_EQ(s.target->GetAcceptDropState(), UIDragRecord::kAccept);
    s.ui.Move(50, 500);
    EXPECT_EQ(s.target->GetAcceptDropState(), UIDragRecord::kNoAnswer);
    EXPECT_EQ(second->GetAcceptDropState(), UIDragRecord::kAccept);
    s.ui.Move(700, 590);
    EXPECT_EQ(s.ui.Manager().GetDropTarget(), nullptr);
    EXPECT_EQ(second->GetAcceptDropState(), UIDragRecord::kNoAnswer);
    EXPECT_EQ(s.ui.Manager().GetDragged()->GetDropOntoState(), UIDragRecord::kDropOntoNoAnswer);
    s.ui.Release(700, 590);
    EXPECT_EQ(s.list->Count(UIMessage::kDragCancelled), 1);
}

TEST(UIWindowManagerDrag, ClosingEverythingDuringADragLeavesNothingDangling)
{
    DragScene s(UIDragRecord::kHideDraggedChild);
    s.ui.Press(50, 10);
    s.ui.Move(50, 40);
    s.target->SetAcceptDropCallback(Accept);
    s.ui.Move(500, 100);
    ASSERT_TRUE(s.ui.Manager().IsDragging());
    s.ui.Manager().CloseAll();
    EXPECT_FALSE(s.ui.Manager().IsDragging());
    EXPECT_EQ(s.ui.Manager().GetDropTarget(), nullptr);
    s.ui.Move(510, 110);
    s.ui.Release(510, 110); // nothing left to drop
    EXPECT_EQ(s.ui.Manager().GetWindowCount(), 0u);
}

TEST(UIWindowManagerDrag, RemovingTheTargetsWindowClearsTheTarget)
{
    DragScene s(0);
    auto* other = Push(s.ui, FCRect(600, 400, 800, 600), false, 2);
    auto* target = AddButton(other, FCRect(0, 0, 200, 200), 30);
    target->SetDragFlags(UIDragRecord::kDropTarget);
    target->SetAcceptDropCallback(Accept);
    s.ui.Press(50, 10);
    s.ui.Move(50, 40);
    s.ui.Move(700, 500);
    ASSERT_EQ(s.ui.Manager().GetDropTarget(), target);
    s.ui.Manager().RemoveWindow(other);
    EXPECT_EQ(s.ui.Manager().GetDropTarget(), nullptr);
    s.ui.Release(700, 500);
    EXPECT_EQ(s.list->Count(UIMessage::kDragCancelled), 1);
}

// ---- update and paint ----

TEST(UIWindowManagerUpdate, PendingRemovalsHappenAfterTheUpdate)
{
    CapturedLog log;
    UiHarness ui;
    RecordingControl* window = Push(ui, FCRect(0, 0, 100, 100));
    RecordingControl* child = AddButton(window, FCRect(0, 0, 10, 10));
    ui.Manager().AddPendingRemoval(child);
    auto* orphan = new UIControl(9);
    ui.Manager().AddPendingRemoval(orphan);
    orphan->Release();
    EXPECT_EQ(window->GetChildCount(), 1u);
    ui.Update(1);
    EXPECT_EQ(window->GetChildCount(), 0u);
    EXPECT_EQ(log.Count("Attempt to remove control with no parent."), 1);
}

TEST(UIWindowManagerPaint, RepaintsOnlyTheDirtyRectanglesBottomUp)
{
    UiHarness ui;
    auto* back = new SwatchControl(1, FCRect(0, 0, 800, 600), UiHarness::Rgb(0, 0, 255));
    ui.Manager().PushWindow(back, 0);
    back->Release();
    auto* front = new SwatchControl(2, FCRect(100, 100, 200, 200), UiHarness::Rgb(255, 0, 0));
    ui.Manager().PushWindow(front, 0);
    front->Release();
    ui.Frame();
    ui.Frame(); // the second list came from the first frame
    ASSERT_EQ(ui.Pixel(150, 150), UiHarness::Rgb(255, 0, 0));
    ASSERT_EQ(ui.Pixel(50, 50), UiHarness::Rgb(0, 0, 255));

    ui.ClearScreen(0);
    ui.ClearDirty();
    FCDisplayPageStack::Invalidate(FCRect(190, 190, 210, 205));
    ui.Paint();
    EXPECT_EQ(ui.Pixel(195, 195), UiHarness::Rgb(255, 0, 0))
        << "the top window over the bottom one";
    EXPECT_EQ(ui.Pixel(205, 195), UiHarness::Rgb(0, 0, 255));
    EXPECT_EQ(ui.Pixel(189, 195), 0) << "left of the dirty area: untouched";
    EXPECT_EQ(ui.Pixel(195, 205), 0) << "below the dirty area: untouched";
    EXPECT_EQ(ui.Pixel(150, 150), 0);

    // The screen rectangle clips every dirty area.
    ui.ClearDirty();
    ui.Manager().SetScreenRect(FCRect(0, 0, 120, 120));
    FCDisplayPageStack::Invalidate(FCRect(100, 100, 140, 140));
    ui.Paint();
    EXPECT_EQ(ui.Pixel(110, 110), UiHarness::Rgb(255, 0, 0));
    EXPECT_EQ(ui.Pixel(130, 130), 0);
}

TEST(UIWindowManagerPaint, PushAndRemoveInvalidateTheWindow)
{
    UiHarness ui;
    auto* window = new SwatchControl(1, FCRect(10, 20, 30, 40), 0x1234);
    ui.Manager().PushWindow(window, 0);
    EXPECT_EQ(ui.DirtyRects(), std::vector<FCRect>{FCRect(10, 20, 30, 40)});
    ui.ClearDirty();
    ui.Manager().RemoveWindow(window);
    window->Release();
    EXPECT_EQ(ui.DirtyRects(), std::vector<FCRect>{FCRect(10, 20, 30, 40)});
}
} // namespace
