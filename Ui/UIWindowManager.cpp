#include "Ui/UIWindowManager.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCDirtyRectList.h"
#include "Fc/Devices/FCDisplayManager.h"
#include "Fc/Graphics/FCDisplayPageStack.h"
#include "Fc/Graphics/FCDoubleBuffer.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Fc/Devices/FCSystem.h"
#include "Ui/UIControl.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindow.h"

#include <algorithm>
#include <utility>

namespace
{
UIWindowManager* g_windowManager = nullptr;

// The screen-load bracket: the sound library gets more time while a layout
// loads, so music keeps playing.
constexpr std::uint32_t kLoadingSoundPreference = 32;

// One reference on each control of a list, so that a walk survives handlers
// that change the original list.
class HeldList
{
public:
    explicit HeldList(const std::vector<UIControl*>& source) : controls(source)
    {
        for (UIControl* control : controls)
            control->AddRef();
    }
    ~HeldList()
    {
        for (UIControl* control : controls)
            control->Release();
    }
    HeldList(const HeldList&) = delete;
    HeldList& operator=(const HeldList&) = delete;

    std::vector<UIControl*> controls;
};

class Hold
{
public:
    explicit Hold(UIControl* held) : control(held)
    {
        if (control)
            control->AddRef();
    }
    ~Hold()
    {
        if (control)
            control->Release();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    UIControl* control;
};

// The window a control is, when it may be modal; logs the refusal otherwise.
UIWindow* AsModalWindow(UIControl* control)
{
    auto* window = dynamic_cast<UIWindow*>(control);
    if (!window)
        FC_LOG("A %s cannot be a modal window\n", control->GetClassName().c_str());
    return window;
}

void ReleaseAll(std::vector<UIControl*>& list)
{
    std::vector<UIControl*> old;
    old.swap(list);
    for (UIControl* control : old)
        control->Release();
}
} // namespace

UIWindowManager::UIWindowManager()
{
    if (FCDisplayManager* display = FCDisplayManager::GetInstance())
    {
        const FCPoint size = display->GetSize();
        screenRect = FCRect(0, 0, size.x, size.y);
    }
    g_windowManager = this;
}

UIWindowManager::~UIWindowManager()
{
    StopRepeatTimer();
    ClearKeyListeners();
    ReleaseAll(pendingRemovals);
    if (UIWindow* pending = std::exchange(pendingWindow, nullptr))
        pending->Release();
    focus = capture = hover = dragged = dropTarget = modal = nullptr;
    ReleaseAll(windows);
    if (g_windowManager == this)
        g_windowManager = nullptr;
}

UIWindowManager* UIWindowManager::GetInstance()
{
    return g_windowManager;
}

void UIWindowManager::HandleMessage(std::int16_t messageId, void* data)
{
    const auto type = static_cast<std::uint16_t>(messageId);
    switch (type)
    {
    case UIMessage::kUpdate:
        OnUpdate(data);
        break;
    case UIMessage::kPaint:
        OnPaint(data);
        break;
    case UIMessage::kMouseDown:
    case UIMessage::kMouseUp:
    case UIMessage::kDoubleClick:
    case UIMessage::kMouseMove:
    {
        if (!data)
            break;
        const auto* words = static_cast<const std::uint32_t*>(data);
        UIEvent event(
            nullptr, type,
            FCPoint(static_cast<std::int32_t>(words[0]), static_cast<std::int32_t>(words[1])),
            words[2], 0);
        if (type == UIMessage::kMouseDown || type == UIMessage::kDoubleClick)
            OnMouseDown(event);
        else if (type == UIMessage::kMouseUp)
            OnMouseUp(event);
        else
        {
            lastPointer = event.GetPoint();
            OnMouseMove(event);
        }
        break;
    }
    case UIMessage::kKeyDown:
    case UIMessage::kKeyUp:
    case UIMessage::kChar:
    {
        if (!data)
            break;
        const auto* words = static_cast<const std::uint32_t*>(data);
        if (type == UIMessage::kKeyDown)
            keyState = {words[0], words[1]};
        else if (type == UIMessage::kKeyUp)
            keyState = {0, 0};
        UIEvent event(nullptr, type, FCPoint(0, 0), words[0], words[1]);
        OnKey(event);
        break;
    }
    default:
        break;
    }
    ApplyPendingSwitch();
}

void UIWindowManager::OnUpdate(void* data)
{
    {
        HeldList walk(windows);
        for (UIControl* window : walk.controls)
        {
            // A switch requested by an earlier window ends the old screens' turn.
            if (pendingWindow)
                break;
            window->HandleMessage(UIMessage::kUpdate, data);
            if (window == modal)
                break;
        }
    }
    if (pendingRemovals.empty())
        return;
    std::vector<UIControl*> removals;
    removals.swap(pendingRemovals);
    for (UIControl* control : removals)
    {
        if (UIControl* owner = control->GetParent())
            owner->RemoveChild(control);
        else
            FC_LOG("Attempt to remove control with no parent.\n");
        control->Release();
    }
}

void UIWindowManager::OnPaint(void* data)
{
    if (!data)
        return;
    FCImageBuffer* target = *static_cast<FCImageBuffer* const*>(data);
    FCDoubleBuffer* current = FCDisplayPageStack::GetCurrent();
    if (!target || !current || !current->GetFirst())
        return;
    // Copies: drawing may invalidate, which grows the list under us.
    const std::vector<FCRect> dirty = current->GetFirst()->GetRects();
    HeldList walk(windows);
    for (const FCRect& rect : dirty)
    {
        FCRect clip;
        if (!clip.Intersect(screenRect, rect))
            continue;
        for (auto at = walk.controls.rbegin(); at != walk.controls.rend(); ++at)
            (*at)->Draw(target, clip);
    }
}

UIControl* UIWindowManager::PressTarget(UIEvent& event, bool bringToFront)
{
    UIControl* window = WindowAt(event.x, event.y);
    if (!window)
        return nullptr;
    Hold holdWindow(window);
    if (bringToFront &&
        (window->GetDragFlags() & (UIDragRecord::kMovable | UIDragRecord::kDraggable)))
        BringToFront(window);
    UIControl* control = window->FindControlAt(event.GetPoint(), true);
    SetFocus(control);
    return control;
}

void UIWindowManager::OnMouseDown(UIEvent& event)
{
    UIControl* control = PressTarget(event, true);
    if (!control || pendingWindow)
        return;
    Hold hold(control);
    control->OnMouseDown(event);
    if ((control->GetInputFlags() & UIControl::kAutoRepeat) && repeatTimerId == 0 && !pendingWindow)
    {
        FCSystem::AddTimer(kRepeatTimerId, kFirstRepeatDelay, this);
        repeatTimerId = kRepeatTimerId;
        repeatPhase = 0;
    }
    // The platform reports a quick second press as a double click; it is a
    // press all the same (a spinner clicked fast steps at every click), and
    // the double click comes on top of it.
    if (event.type == UIMessage::kDoubleClick && !pendingWindow)
        control->OnDoubleClick(event);
}

void UIWindowManager::OnMouseUp(UIEvent& event)
{
    if (dragged)
    {
        // The press that started the drag ends here too: nothing else will
        // release its capture or stop its repeat.
        if (UIControl* pressed = std::exchange(capture, nullptr))
            pressed->SetPressed(0);
        StopRepeatTimer();
        DropDragged(event.GetPoint());
        return;
    }
    if (capture)
    {
        UIControl* target = capture;
        Hold hold(target);
        target->OnMouseUp(event);
    }
    StopRepeatTimer();
}

void UIWindowManager::OnMouseMove(UIEvent& event)
{
    if (dragged)
    {
        FollowDrag(event.GetPoint());
        return;
    }
    UIControl* window = WindowAt(event.x, event.y);
    if (!window)
        return;
    Hold holdWindow(window);
    window->OnWindowMouseMove(event);
    if (pendingWindow)
        return;
    UIControl* control = window->FindControlAt(event.GetPoint(), true);
    if (control != hover)
        SetHover(control);
    if (pendingWindow)
        return;
    UIControl* target = capture ? capture : control;
    if (target)
    {
        Hold hold(target);
        target->OnMouseMove(event);
    }
}

void UIWindowManager::OnKey(UIEvent& event)
{
    auto deliver = [&event](UIControl* control)
    {
        if (event.type == UIMessage::kKeyDown)
            control->OnKeyDown(event);
        else if (event.type == UIMessage::kKeyUp)
            control->OnKeyUp(event);
        else
            control->OnChar(event);
    };
    UIControl* focused = focus;
    if (focused)
    {
        Hold hold(focused);
        deliver(focused);
    }
    HeldList walk(keyListeners);
    for (UIControl* listener : walk.controls)
    {
        if (pendingWindow)
            break;
        if (listener != focused)
            deliver(listener);
    }
}

UIControl* UIWindowManager::SetFocus(UIControl* control)
{
    if (control == focus)
        return control;
    UIControl* previous = focus;
    if (previous)
    {
        Hold hold(previous);
        if (!previous->OnLoseFocus(control))
            return nullptr;
    }
    focus = control;
    if (control)
        control->OnGetFocus();
    return previous;
}

void UIWindowManager::ClearFocus()
{
    if (UIControl* old = std::exchange(focus, nullptr))
        old->SetFocused(0);
}

UIControl* UIWindowManager::SetCapture(UIControl* control)
{
    return std::exchange(capture, control);
}

void UIWindowManager::ReleaseCapture()
{
    capture = nullptr;
}

void UIWindowManager::SetHover(UIControl* control)
{
    if (UIControl* old = hover)
    {
        Hold hold(old);
        old->OnMouseLeave();
    }
    hover = control;
    if (control)
        control->OnMouseEnter();
}

void UIWindowManager::ClearHover()
{
    if (UIControl* old = std::exchange(hover, nullptr))
        old->SetMouseOver(0);
}

void UIWindowManager::PushWindow(UIControl* window, std::uint8_t makeModal)
{
    if (!window)
        return;
    if (makeModal)
    {
        UIWindow* modalWindow = AsModalWindow(window);
        if (!modalWindow)
            return;
        modal = modalWindow;
    }
    auto at = std::find(windows.begin(), windows.end(), window);
    if (at != windows.end())
        windows.erase(at); // pushed again: moves to the top, keeping its one reference
    else
        window->AddRef();
    windows.insert(windows.begin(), window);
    window->Activate();
    window->Invalidate();
}

void UIWindowManager::BringToFront(UIControl* window)
{
    if (!window || (!windows.empty() && windows.front() == window))
        return;
    window->Invalidate();
    auto at = std::find(windows.begin(), windows.end(), window);
    if (at != windows.end())
        windows.erase(at);
    else
        window->AddRef();
    windows.insert(windows.begin(), window);
}

bool UIWindowManager::IsInside(const UIControl* control, const UIControl* window)
{
    return control && (control == window || window->ContainsDescendant(control));
}

void UIWindowManager::RemoveWindow(UIControl* window)
{
    if (!window)
        return;
    Hold hold(window);
    window->Invalidate();
    if (IsInside(focus, window))
        ClearFocus();
    if (IsInside(capture, window))
    {
        capture = nullptr;
        StopRepeatTimer();
    }
    if (IsInside(hover, window))
        ClearHover();
    if (IsInside(dropTarget, window))
        dropTarget = nullptr;
    if (IsInside(dragged, window))
        dragged = nullptr;
    if (modal == window)
        modal = nullptr;
    auto at = std::find(windows.begin(), windows.end(), window);
    if (at != windows.end())
    {
        windows.erase(at);
        window->Release();
    }
    if (UIControl* top = GetTopWindow())
        top->Activate();
}

void UIWindowManager::CloseAll()
{
    for (UIControl* window : windows)
        window->Invalidate();
    dragged = nullptr;
    dropTarget = nullptr;
    ClearFocus();
    // Capture and hover lie in the windows going away as well.
    capture = nullptr;
    ClearHover();
    ReleaseAll(windows);
    StopRepeatTimer();
    modal = nullptr;
}

bool UIWindowManager::IsOpen(const UIControl* window) const
{
    return window && std::find(windows.begin(), windows.end(), window) != windows.end();
}

UIControl* UIWindowManager::GetTopWindow() const
{
    return windows.empty() ? nullptr : windows.front();
}

UIControl* UIWindowManager::GetWindow(std::uint32_t index) const
{
    return index < windows.size() ? windows[index] : nullptr;
}

UIControl* UIWindowManager::WindowAt(std::int32_t px, std::int32_t py) const
{
    const FCPoint point(px, py);
    for (UIControl* window : windows)
    {
        if (modal && window != modal)
            continue;
        if (window != dragged && window->HitTest(point, true))
            return window;
    }
    return nullptr;
}

UIControl* UIWindowManager::LoadWindow(const std::string& name)
{
    FCSoundManager* sound = FCSoundManager::GetInstance();
    if (sound)
    {
        sound->SetSoundPreference(kLoadingSoundPreference);
        sound->Serve();
    }
    FCObject* object = FCClassRegistry::LoadObjectFromFile(name);
    if (sound)
        sound->SetSoundPreference(0);
    if (!object)
    {
        FC_LOG("Could not load layout %s\n", name.c_str());
        return nullptr;
    }
    auto* window = dynamic_cast<UIControl*>(object);
    if (!window)
    {
        FC_LOG("Layout %s does not hold a control\n", name.c_str());
        object->Release();
    }
    return window;
}

UIControl* UIWindowManager::OpenWindow(const std::string& name, std::uint8_t makeModal)
{
    UIControl* window = LoadWindow(name);
    if (!window)
        return nullptr;
    if (makeModal && !AsModalWindow(window))
    {
        window->Release();
        return nullptr;
    }
    PushWindow(window, makeModal);
    window->Release();
    return window;
}

UIWindow* UIWindowManager::SwitchTo(const std::string& name, std::uint8_t makeModal)
{
    UIControl* loaded = LoadWindow(name);
    if (!loaded)
        return nullptr;
    auto* window = dynamic_cast<UIWindow*>(loaded);
    if (!window)
    {
        FC_LOG("Layout %s does not hold a window\n", name.c_str());
        loaded->Release();
        return nullptr;
    }
    // Only the last switch of an event counts.
    if (UIWindow* earlier = std::exchange(pendingWindow, window))
        earlier->Release();
    pendingModal = makeModal;
    pendingReplaceAll = 1;
    return window;
}

void UIWindowManager::ApplyPendingSwitch()
{
    UIWindow* window = std::exchange(pendingWindow, nullptr);
    if (!window)
        return;
    if (pendingReplaceAll)
    {
        ClearKeyListeners();
        CloseAll();
    }
    PushWindow(window, pendingModal);
    window->Release();
}

void UIWindowManager::AddKeyListener(UIControl* control)
{
    if (!control)
        return;
    control->AddRef();
    keyListeners.push_back(control);
}

void UIWindowManager::ClearKeyListeners()
{
    ReleaseAll(keyListeners);
}

void UIWindowManager::AddPendingRemoval(UIControl* control)
{
    if (!control)
        return;
    control->AddRef();
    pendingRemovals.push_back(control);
}

void UIWindowManager::BeginDrag(UIControl* control, FCPoint point)
{
    if (!control)
        return;
    dropTarget = nullptr;
    dragged = control;
    SetHover(nullptr);
    SetFocus(control);
    if (control->GetDragFlags() & UIDragRecord::kDraggable)
    {
        control->SetDragging(1);
        PushWindow(control, 0);
        const FCPoint size = control->GetSize();
        grabOffset = FCPoint(-(size.x / 2), -(size.y / 2));
        control->SetPosition(FCPoint(point.x + grabOffset.x, point.y + grabOffset.y));
        control->Release(); // the stack keeps it
    }
    else if (control->GetDragFlags() & UIDragRecord::kMovable)
    {
        control->SetDragging(1);
        const FCPoint at = control->GetAbsolutePosition();
        grabOffset = FCPoint(at.x - point.x, at.y - point.y);
        control->SetPosition(at);
    }
}

void UIWindowManager::FollowDrag(FCPoint point)
{
    UIControl* moving = dragged;
    Hold hold(moving);
    moving->SetPosition(FCPoint(point.x + grabOffset.x, point.y + grabOffset.y));
    UIControl* oldTarget = nullptr;
    if (UIControl* window = WindowAt(point.x, point.y))
    {
        oldTarget = dropTarget;
        dropTarget = window->FindDropTarget(point, moving);
    }
    moving->DragOver(dropTarget, oldTarget, point);
}

void UIWindowManager::DropDragged(FCPoint point)
{
    UIControl* moving = dragged;
    Hold hold(moving);
    moving->Drop(dropTarget, point);
    if (moving->GetDragFlags() & UIDragRecord::kDraggable)
        RemoveWindow(moving);
    else
        moving->SetDragging(0); // a moved control is in place again
    dropTarget = nullptr;
    dragged = nullptr;
}

void UIWindowManager::StopRepeatTimer()
{
    if (repeatTimerId)
        FCSystem::RemoveTimer(kRepeatTimerId);
    repeatTimerId = 0;
    repeatPhase = 0;
}

void UIWindowManager::ForgetControl(const UIControl* control)
{
    if (!control)
        return;
    if (focus == control)
        focus = nullptr;
    if (capture == control)
    {
        capture = nullptr;
        StopRepeatTimer();
    }
    if (hover == control)
        hover = nullptr;
    if (dragged == control)
        dragged = nullptr;
    if (dropTarget == control)
        dropTarget = nullptr;
    if (modal == control)
        modal = nullptr;
}

void UIWindowManager::CloseWindowsOwnedBy(const FCObject* owner)
{
    if (!owner)
        return;
    std::vector<UIControl*> owned;
    for (UIControl* window : windows)
        if (const auto* typed = dynamic_cast<const UIWindow*>(window); typed && typed->GetOwner() == owner)
            owned.push_back(window);
    if (owned.empty())
        return;
    // Closing one may close or release another.
    const HeldList held(owned);
    for (UIControl* window : held.controls)
    {
        auto* typed = static_cast<UIWindow*>(window);
        typed->SetOwner(nullptr);
        if (IsOpen(typed))
            typed->Close(0);
    }
}

void UIWindowManager::OnTimer(std::uint16_t timerId)
{
    const bool pushed = page && FCDisplayPageStack::Push(page);
    if (timerId == kRepeatTimerId && capture)
    {
        if (repeatTimerId && repeatPhase == 0)
        {
            FCSystem::RemoveTimer(kRepeatTimerId);
            FCSystem::AddTimer(kRepeatTimerId, kRepeatInterval, this);
            repeatPhase = 1;
        }
        else
        {
            UIControl* target = capture;
            Hold hold(target);
            target->OnTimer(kRepeatTimerId);
        }
    }
    if (pushed)
        FCDisplayPageStack::Pop();
}
