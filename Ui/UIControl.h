#pragma once

#include "Fc/Core/FCBlockAllocator.h"
#include "Ui/UIDragRecord.h"
#include "Ui/UIEvent.h"
#include "Ui/UIObject.h"

#include <cstdint>
#include <memory>
#include <vector>

class FCImageBuffer;
class FCRectCover;
class UIDisplayObject;

// Base of every control, window, dialog and screen: child controls and
// display objects kept in z-order, drawing by state mask, hit testing, the
// pointer, focus and key handlers that the window manager calls, messages
// that bubble up the parent chain, interface sounds, and drag and drop.
class UIControl : public UIObject, public UIDragRecord
{
public:
    static constexpr std::uint16_t kClassCode = 110;

    // Control flags.
    static constexpr std::uint32_t kEnabled = 0x4;
    static constexpr std::uint32_t kOwnMessageIds = 0x8;
    static constexpr std::uint32_t kSelected = 0x200;
    static constexpr std::uint32_t kMouseOver = 0x400;
    static constexpr std::uint32_t kBeingDragged = 0x1000;
    static constexpr std::uint32_t kHighlighted = 0x10000;
    static constexpr std::uint32_t kPressed = 0x40000;
    static constexpr std::uint32_t kFocused = 0x80000;

    // Input flags.
    static constexpr std::uint16_t kAutoRepeat = 0x2;
    static constexpr std::uint16_t kReportEnterLeave = 0x4;
    static constexpr std::uint16_t kPreciseHit = 0x8;
    static constexpr std::uint16_t kMouseTransparent = 0x10;

    // Click and change modes.
    static constexpr std::uint32_t kNever = 0;
    static constexpr std::uint32_t kOnPress = 1;
    static constexpr std::uint32_t kOnRelease = 2;

    // Sound events of the layout's sound section.
    static constexpr std::int16_t kSoundEnter = 170;
    static constexpr std::int16_t kSoundClick = 171;
    static constexpr std::int16_t kSoundSelect = 175;

    // A display-object mask that is drawn in every state.
    static constexpr std::uint32_t kAlwaysDrawn = 0xFFF;

    // The auto-repeat timer of held buttons.
    static constexpr std::uint16_t kRepeatTimerId = 8100;

    using ChildCompare = bool (*)(UIControl* a, UIControl* b);
    // Most controls hold one or a few display objects: their list comes
    // from the block pool, like the elements themselves.
    using DisplayObjectList = std::vector<UIDisplayObject*, FCBlockAllocator<UIDisplayObject*>>;

    UIControl();
    explicit UIControl(std::uint16_t newId);
    // Deep copy: children and display objects are cloned.
    UIControl(const UIControl& other);
    ~UIControl() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // The element record, then display objects, sounds and children. False
    // when anything is unknown, of the wrong kind or cut short.
    bool Load(FCFile& file) override;
    // Size mode 2: the extent of the display objects.
    FCPoint GetSize() const override;
    void Update(std::uint32_t tick) override;
    // Gives the focus to the default-focus control and marks the activation.
    void Activate() override;

    // Children. AddChild takes over the caller's reference; equal z-orders
    // keep the order of insertion.
    void AddChild(UIControl* child);
    bool RemoveChild(UIControl* child);
    bool RemoveAllChildren();
    // Stable: children that compare equal keep their order.
    void SortChildren(ChildCompare compare);
    bool ContainsDescendant(const UIControl* control) const;
    UIControl* FindDescendant(std::uint16_t childId) const;
    UIControl* FindChild(std::uint16_t childId) const;
    std::uint32_t IndexOfChild(const UIControl* child) const;
    // Null until the first child is added. Each element holds one reference.
    const std::vector<UIControl*>* GetChildren() const { return children.get(); }
    std::uint32_t GetChildCount() const;
    UIControl* GetChildAt(std::uint32_t index) const;
    void SetChildEnabled(std::uint16_t childId, std::uint8_t enable);
    void SetChildrenEnabled(std::uint8_t enable);

    // Display objects. A non-zero mask replaces the object's own; takes over
    // the caller's reference.
    void AddDisplayObject(UIDisplayObject* object, std::uint32_t mask);
    UIDisplayObject* FindDisplayObject(std::uint16_t objectId) const;
    UIDisplayObject* FindDisplayObjectByClass(std::uint16_t classCode) const;
    // Null while there is none.
    const DisplayObjectList* GetDisplayObjects() const
    {
        return displayObjects.empty() ? nullptr : &displayObjects;
    }
    UIDisplayObject* GetDisplayObjectAt(std::uint32_t index) const;
    std::uint32_t GetDisplayObjectCount() const;
    // Whether a display object with this mask is drawn in the current state.
    bool IsMaskSelected(std::uint32_t mask) const;

    // Flags.
    void SetEnabled(std::uint8_t enable);
    bool IsEnabled() const { return (controlFlags & kEnabled) != 0; }
    void SetSelectedFlag(std::uint8_t select);
    bool IsSelected() const { return (controlFlags & kSelected) != 0; }
    void SetMouseOver(std::uint8_t over);
    void SetHighlighted(std::uint8_t highlight);
    void SetPressed(std::uint8_t press);
    bool IsPressed() const { return (controlFlags & kPressed) != 0; }
    bool IsFocused() const { return (controlFlags & kFocused) != 0; }
    void SetMouseTransparent(std::uint8_t transparent);
    std::uint32_t GetControlFlags() const { return controlFlags; }
    void SetControlFlags(std::uint32_t flags) { controlFlags = flags; }
    std::uint32_t GetState() const { return state; }
    std::uint16_t GetInputFlags() const { return inputFlags; }
    void SetInputFlags(std::uint16_t flags) { inputFlags = flags; }
    std::uint32_t GetClickMode() const { return clickMode; }
    void SetClickMode(std::uint32_t mode) { clickMode = mode; }
    std::uint32_t GetChangeMode() const { return changeMode; }
    void SetChangeMode(std::uint32_t mode) { changeMode = mode; }
    std::uint16_t GetMouseOverCount() const { return mouseOverCount; }
    std::int16_t GetMouseOverMessage() const { return mouseOverMessage; }
    void SetMouseOverMessage(std::int16_t message) { mouseOverMessage = message; }
    std::uint16_t GetSound(std::int16_t soundEvent) const;

    // Hit testing.
    bool HitTest(FCPoint point, bool enabledOnly) const;
    bool HitTestDisplayObjects(FCPoint point) const;
    UIControl* FindControlAt(FCPoint point, bool enabledOnly);
    UIControl* FindDropTarget(FCPoint point, UIControl* dragged);
    UIControl* FindDefaultFocus();
    UIControl* FindDragContainer() const;

    // Messages.
    bool SendToParent(UIEvent& event);
    bool SendMessageToParent(std::uint16_t messageId);
    void RequestSelect(std::uint8_t select, std::uintptr_t param);

    // Lets go of the window manager's focus, capture, hover, drag and drop
    // target when they are this control (and, recursively, its descendants).
    void ReleaseInputReferences(std::uint8_t recursive);

    virtual void SetSound(std::int16_t soundEvent, std::uint16_t soundId);
    virtual void SetState(std::uint32_t newState);
    virtual void SetFocused(std::uint8_t focused);
    virtual void SetDragging(std::uint8_t dragging);
    virtual void RemoveDraggedChild();
    virtual std::uint16_t QueryAcceptDrop(UIControl* dragged);
    virtual void SendDropMessage(UIControl* dragged, FCPoint point);
    virtual void OnDropRefused(UIControl* dragged);
    virtual void UpdateAcceptDropState(UIControl* dragged);
    virtual void ClearAcceptDropState();
    // A new object (one reference for the caller) that follows the pointer.
    virtual UIControl* CreateDragObject();
    virtual UIControl* CreateDragObjectFor(UIControl* control);
    virtual void BeginDrag(FCPoint point);
    virtual void DragOver(UIControl* newTarget, UIControl* oldTarget, FCPoint point);
    virtual void Drop(UIControl* target, FCPoint point);
    virtual std::uint16_t QueryDropOnto(UIControl* target);
    virtual void OnDroppedOnto(UIControl* target);
    virtual void UpdateDropOntoState(UIControl* target);
    virtual void ClearDropOntoState();
    // Display objects, then children. A plain fill is painted only where
    // no child's own fill is sure to paint over it in the same draw.
    virtual void Draw(FCImageBuffer* target, const FCRect& clip);
    // Adds what Draw(target, clip) is sure to paint opaquely with this
    // control's own display objects, as far as the cover has room. Only a
    // control that paints like UIControl adds anything.
    void AddOpaqueCover(FCRectCover& cover, const FCRect& clip) const;

    // Handlers called by the window manager.
    virtual void OnMouseDown(UIEvent& event);
    virtual void OnMouseUp(UIEvent& event);
    virtual void OnDoubleClick(UIEvent& event);
    virtual void OnWindowMouseMove(UIEvent& event);
    virtual void OnMouseMove(UIEvent& event);
    virtual void OnRepeat(UIEvent& event);
    virtual bool OnKeyDown(UIEvent& event);
    virtual bool OnKeyUp(UIEvent& event);
    virtual bool OnChar(UIEvent& event);
    virtual void OnTimer(std::uint16_t timerId);
    virtual bool OnGetFocus();
    // False refuses to give up the focus.
    virtual bool OnLoseFocus(UIControl* newFocus);
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();
    virtual bool NotifyClicked(UIEvent& event);
    virtual bool NotifyChanged(UIEvent& event);
    virtual void SetSelected(std::uint8_t select);
    // The bubbling handler: drag-container messages here, the rest to the parent.
    virtual bool HandleNotify(UIEvent& event);

protected:
    // True when Draw paints display objects and children just as UIControl
    // does, so that what they cover is known before they paint. A derived
    // class says so itself: an override of Draw could paint elsewhere.
    virtual bool PaintsLikeControl() const;
    // Sends a copy of the event as the given message, wrapped when this
    // control does not send its own ids.
    bool SendAs(const UIEvent& event, std::uint16_t messageId);
    void PlaySound(std::uint16_t soundId) const;
    // Ends a drag-container message by releasing the dragged child.
    void ReleaseDraggedChild();

    // Children: created on the first add. Both hold one reference per
    // element, lowest z-order first. Display objects are only ever added, so
    // an empty list is one that never had any.
    std::unique_ptr<std::vector<UIControl*>> children;
    DisplayObjectList displayObjects;
    std::uint32_t clickMode = kOnRelease;
    std::uint32_t changeMode = kNever;
    std::uint32_t controlFlags = 12;
    std::uint32_t state = 32;
    std::uint16_t inputFlags = 0;
    std::uint16_t mouseOverCount = 0;
    std::uint16_t enterSound = 0;
    std::uint16_t clickSound = 0;
    std::uint16_t selectSound = 0;
    std::int16_t mouseOverMessage = 0;
};
