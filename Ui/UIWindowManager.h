#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCPoint.h"
#include "Fc/Graphics/FCRect.h"
#include "Fc/Devices/FCTimerListener.h"
#include "Ui/UIEvent.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class FCDoubleBuffer;
class FCImageBuffer;
class UIControl;
class UIWindow;

// The one owner of the open windows. Routes every input event to the right
// window and control, keeps the keyboard focus, the pointer capture and the
// control under the pointer, runs the auto-repeat timer of held buttons,
// moves dragged objects, repaints dirty areas and applies screen switches
// between events. The stack holds controls (screens and dragged objects);
// only a UIWindow can be modal or the window of a screen switch. Index 0 of
// the stack is the top.
class UIWindowManager : public FCObject, public FCTimerListener
{
public:
    static constexpr std::uint16_t kRepeatTimerId = 8100;
    static constexpr std::uint16_t kFirstRepeatDelay = 500;
    static constexpr std::uint16_t kRepeatInterval = 150;

    // Becomes the global window manager; the paint clip is the display size
    // (empty without a display manager).
    UIWindowManager();
    UIWindowManager(const UIWindowManager&) = delete;
    UIWindowManager& operator=(const UIWindowManager&) = delete;
    ~UIWindowManager() override;

    static UIWindowManager* GetInstance();

    // The event entry. data by type: 1 a std::uint32_t tick; 2 the address of
    // the target FCImageBuffer*; 6, 7, 8, 11 three std::uint32_t words (x, y,
    // modifier bits); 12, 13, 14 two words (key or character code, second key
    // word). Other types are ignored. A pending screen switch is applied
    // afterwards.
    void HandleMessage(std::int16_t messageId, void* data) override;
    std::string GetClassName() const override { return "UIWindowManager"; }
    std::string GetTypeName() const override { return "UIWindowManager"; }

    // Focus: the previous focus, or null when the old focus refused to let go.
    UIControl* SetFocus(UIControl* control);
    void ClearFocus();
    UIControl* GetFocus() const { return focus; }

    UIControl* SetCapture(UIControl* control);
    void ReleaseCapture();
    UIControl* GetCapture() const { return capture; }

    void SetHover(UIControl* control);
    void ClearHover();
    UIControl* GetHover() const { return hover; }

    // The window stack. PushWindow adds the stack's own reference; a modal
    // push of a control that is not a UIWindow is refused (logged).
    void PushWindow(UIControl* window, std::uint8_t makeModal);
    void BringToFront(UIControl* window);
    void RemoveWindow(UIControl* window);
    void CloseAll();
    bool IsOpen(const UIControl* window) const;
    UIControl* GetTopWindow() const;
    UIControl* GetWindow(std::uint32_t index) const;
    std::uint32_t GetWindowCount() const { return static_cast<std::uint32_t>(windows.size()); }
    UIControl* WindowAt(std::int32_t px, std::int32_t py) const;
    UIWindow* GetModal() const { return modal; }
    void SetModal(UIWindow* window) { modal = window; }

    // Loads a window from a layout file and pushes it; the stack holds it.
    // Null when the file is absent or holds no control, or when modal is
    // asked of a root that is not a UIWindow.
    UIControl* OpenWindow(const std::string& name, std::uint8_t makeModal);
    // Loads now and replaces every window with it after the current event.
    // Null unless the layout's root is a UIWindow.
    UIWindow* SwitchTo(const std::string& name, std::uint8_t makeModal);
    UIWindow* GetPendingWindow() const { return pendingWindow; }

    void AddKeyListener(UIControl* control);
    void ClearKeyListeners();
    // Removed from its parent after the next update (adds a reference).
    void AddPendingRemoval(UIControl* control);

    void BeginDrag(UIControl* control, FCPoint point);
    bool IsDragging() const { return dragged != nullptr; }
    UIControl* GetDragged() const { return dragged; }
    UIControl* GetDropTarget() const { return dropTarget; }

    // Display page made current while a timer tick is handled.
    void SetPage(FCDoubleBuffer* newPage) { page = newPage; }
    const FCRect& GetScreenRect() const { return screenRect; }
    void SetScreenRect(const FCRect& rect) { screenRect = rect; }
    bool IsRepeatTimerRunning() const { return repeatTimerId != 0; }
    FCPoint GetLastPointer() const { return lastPointer; }

    // Forgets a control that is going away: focus, capture, hover, the
    // dragged object and the drop target. Called by the control itself.
    void ForgetControl(const UIControl* control);
    // Closes, without a report, every open window whose owner this is, and
    // makes it forget its owner: an answer must never reach an owner that
    // has closed or gone.
    void CloseWindowsOwnedBy(const FCObject* owner);

    void OnTimer(std::uint16_t timerId) override;

protected:
    void OnUpdate(void* data);
    void OnPaint(void* data);
    // A press; a double click is a press that also reports its double click.
    void OnMouseDown(UIEvent& event);
    void OnMouseUp(UIEvent& event);
    void OnMouseMove(UIEvent& event);
    void OnKey(UIEvent& event);
    // Finds the window and control under a press and moves the focus there.
    UIControl* PressTarget(UIEvent& event, bool bringToFront);
    void FollowDrag(FCPoint point);
    void DropDragged(FCPoint point);
    void StopRepeatTimer();
    void ApplyPendingSwitch();
    // Loads a layout as a control inside the sound manager's loading bracket.
    UIControl* LoadWindow(const std::string& name);
    // Whether the control is the window or lies inside it.
    static bool IsInside(const UIControl* control, const UIControl* window);

    FCDoubleBuffer* page = nullptr;
    FCRect screenRect;
    UIControl* focus = nullptr;
    UIControl* capture = nullptr;
    UIControl* hover = nullptr;
    UIControl* dragged = nullptr;
    UIControl* dropTarget = nullptr;
    FCPoint grabOffset;
    std::array<std::uint32_t, 2> keyState{};
    std::uint16_t repeatTimerId = 0;
    std::uint16_t repeatPhase = 0;
    UIWindow* modal = nullptr;
    // One reference per element.
    std::vector<UIControl*> windows;
    std::vector<UIControl*> pendingRemovals;
    std::vector<UIControl*> keyListeners;
    UIWindow* pendingWindow = nullptr;
    std::uint8_t pendingModal = 0;
    std::uint8_t pendingReplaceAll = 0;
    FCPoint lastPointer;
};
