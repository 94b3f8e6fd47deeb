#include "Ui/UIControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Devices/FCKeyboard.h"
#include "Fc/Graphics/FCRectCover.h"
#include "Fc/Devices/FCSoundManager.h"
#include "Ui/UIDisplayObject.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIWindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <typeinfo>
#include <utility>

FC_REGISTER_CLASS(UIControl);

namespace
{
constexpr std::int32_t kSoundChannel = 6;

// Holds a reference for the length of a call that may make the last owner
// let go of the object.
template <class T> class Hold
{
public:
    explicit Hold(T* held) : object(held)
    {
        if (object)
            object->AddRef();
    }
    ~Hold()
    {
        if (object)
            object->Release();
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    T* object;
};

template <class List, class T> void InsertByZOrder(List& list, T* object)
{
    // After every element of lower or equal z-order, so equal ones keep
    // their insertion order. Most go last (rows of a list, layouts in
    // z-order): that needs no search.
    if (list.empty() || list.back()->GetZOrder() <= object->GetZOrder())
    {
        list.push_back(object);
        return;
    }
    auto at =
        std::upper_bound(list.begin(), list.end(), object->GetZOrder(),
                         [](std::uint16_t z, const T* other) { return z < other->GetZOrder(); });
    list.insert(at, object);
}

UIWindowManager* Manager()
{
    return UIWindowManager::GetInstance();
}
} // namespace

UIControl::UIControl()
{
    typeCode = kClassCode;
}

UIControl::UIControl(std::uint16_t newId) : UIControl()
{
    id = newId;
}

UIControl::UIControl(const UIControl& other)
    : UIObject(other), UIDragRecord(other), clickMode(other.clickMode),
      changeMode(other.changeMode), controlFlags(other.controlFlags), state(other.state),
      inputFlags(other.inputFlags), enterSound(other.enterSound), clickSound(other.clickSound),
      selectSound(other.selectSound), mouseOverMessage(other.mouseOverMessage)
{
    // The drag container is held while a drag object lives (see BeginDrag).
    if (dragContainer)
        dragContainer->AddRef();
    // mouseOverCount is rebuilt by AddDisplayObject below rather than copied,
    // which would count every mouse-over object twice.
    if (other.children)
        for (UIControl* child : *other.children)
            if (auto* copy = dynamic_cast<UIControl*>(child->Clone()))
                AddChild(copy);
    for (UIDisplayObject* object : other.displayObjects)
    {
        FCObject* copy = object->Clone();
        if (auto* display = dynamic_cast<UIDisplayObject*>(copy))
            AddDisplayObject(display, 0);
        else if (copy)
            copy->Release();
    }
}

UIControl::~UIControl()
{
    ReleaseInputReferences(0);
    // A window this control opened must not answer into freed memory.
    if (UIWindowManager* manager = Manager())
        manager->CloseWindowsOwnedBy(this);
    ReleaseDraggedChild();
    if (UIControl* container = std::exchange(dragContainer, nullptr))
        container->Release();
    if (children)
    {
        std::vector<UIControl*> old;
        old.swap(*children);
        for (UIControl* child : old)
        {
            // A child that outlives us (someone else holds it) must not
            // point back at a destroyed parent.
            if (child->GetParent() == this)
                child->SetParent(nullptr);
            child->Release();
        }
    }
    DisplayObjectList old;
    old.swap(displayObjects);
    for (UIDisplayObject* object : old)
    {
        if (object->GetParent() == this)
            object->SetParent(nullptr);
        object->Release();
    }
}

std::string UIControl::GetClassName() const
{
    return "UIControl";
}
std::string UIControl::GetTypeName() const
{
    return "UIControl";
}
FCObject* UIControl::Clone() const
{
    return new UIControl(*this);
}
FCObject* UIControl::CreateNew() const
{
    return new UIControl();
}

namespace
{
// Creates the objects of a control's sections and checks that each is of
// the kind its section holds.
class ControlLoader : public UILayoutCodec::SectionSink
{
public:
    explicit ControlLoader(UIControl& target) : control(target) {}

    bool OnDisplayObject(const std::string& className, FCFile& file) override
    {
        FCObject* object = FCClassRegistry::LoadObject(className, file);
        if (!object)
            return false;
        auto* display = dynamic_cast<UIDisplayObject*>(object);
        if (!display)
        {
            FC_LOG("%s is not a display object\n", className.c_str());
            object->Release();
            return false;
        }
        control.AddDisplayObject(display, 0);
        return true;
    }
    void OnMouseOverMessage(std::uint16_t message) override
    {
        control.SetMouseOverMessage(static_cast<std::int16_t>(message));
    }
    void OnSound(std::int16_t soundEvent, std::uint16_t soundId) override
    {
        control.SetSound(soundEvent, soundId);
    }
    bool OnChild(const std::string& className, FCFile& file) override
    {
        FCObject* object = FCClassRegistry::LoadObject(className, file);
        if (!object)
            return false;
        auto* child = dynamic_cast<UIControl*>(object);
        if (!child)
        {
            FC_LOG("%s is not a control\n", className.c_str());
            object->Release();
            return false;
        }
        control.AddChild(child);
        return true;
    }

private:
    UIControl& control;
};
} // namespace

bool UIControl::Load(FCFile& file)
{
    if (!UIObject::Load(file))
        return false;
    ControlLoader loader(*this);
    if (!UILayoutCodec::ReadControlSections(file, loader))
    {
        FC_LOG("Could not read the sections of control %u\n", id);
        return false;
    }
    return true;
}

FCPoint UIControl::GetSize() const
{
    if (sizeMode != kSizeContent)
        return UIObject::GetSize();
    FCPoint extent(0, 0);
    for (const UIDisplayObject* object : displayObjects)
    {
        if (object->GetSizeMode() == kSizeParent)
            continue;
        const FCPoint at = object->GetStoredPosition();
        const FCPoint size = object->GetSize();
        extent.x = std::max(extent.x, static_cast<std::int32_t>(std::int64_t{at.x} + size.x));
        extent.y = std::max(extent.y, static_cast<std::int32_t>(std::int64_t{at.y} + size.y));
    }
    return extent;
}

void UIControl::Update(std::uint32_t tick)
{
    // By index and holding each element: an update may add or remove some.
    for (std::uint32_t i = 0; i < GetDisplayObjectCount(); ++i)
    {
        UIDisplayObject* object = displayObjects[i];
        if (object->GetSecondWord() & 0x2)
        {
            Hold<UIDisplayObject> hold(object);
            object->Update(tick);
        }
    }
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
    {
        UIControl* child = (*children)[i];
        Hold<UIControl> hold(child);
        child->Update(tick);
    }
}

void UIControl::Activate()
{
    if (UIWindowManager* manager = Manager())
        manager->SetFocus(FindDefaultFocus());
    activated = 1;
}

void UIControl::AddChild(UIControl* child)
{
    if (!child)
        return;
    if (!children)
        children = std::make_unique<std::vector<UIControl*>>();
    child->SetParent(this);
    InsertByZOrder(*children, child);
}

bool UIControl::RemoveChild(UIControl* child)
{
    if (!children || !child)
        return false;
    auto at = std::find(children->begin(), children->end(), child);
    if (at == children->end())
        return false;
    child->ReleaseInputReferences(1);
    child->Invalidate();
    // Invalidate may not reshape the list, but look the child up again all
    // the same before erasing.
    at = std::find(children->begin(), children->end(), child);
    if (at == children->end())
        return false;
    children->erase(at);
    if (child->GetParent() == this)
        child->SetParent(nullptr);
    child->Release();
    return true;
}

bool UIControl::RemoveAllChildren()
{
    if (!children)
        return false;
    std::vector<UIControl*> old;
    old.swap(*children);
    for (UIControl* child : old)
    {
        child->ReleaseInputReferences(1);
        child->Invalidate();
        if (child->GetParent() == this)
            child->SetParent(nullptr);
        child->Release();
    }
    return true;
}

void UIControl::SortChildren(ChildCompare compare)
{
    if (children && compare)
        std::stable_sort(children->begin(), children->end(), compare);
}

bool UIControl::ContainsDescendant(const UIControl* control) const
{
    if (!children || !control)
        return false;
    for (const UIControl* child : *children)
        if (child == control || child->ContainsDescendant(control))
            return true;
    return false;
}

UIControl* UIControl::FindDescendant(std::uint16_t childId) const
{
    if (!children)
        return nullptr;
    for (UIControl* child : *children)
    {
        if (child->GetId() == childId)
            return child;
        if (UIControl* found = child->FindDescendant(childId))
            return found;
    }
    return nullptr;
}

UIControl* UIControl::FindChild(std::uint16_t childId) const
{
    if (!children)
        return nullptr;
    for (UIControl* child : *children)
        if (child->GetId() == childId)
            return child;
    return nullptr;
}

std::uint32_t UIControl::IndexOfChild(const UIControl* child) const
{
    if (!children)
        return 0xFFFFFFFF;
    auto at = std::find(children->begin(), children->end(), child);
    return at == children->end() ? 0xFFFFFFFF : static_cast<std::uint32_t>(at - children->begin());
}

std::uint32_t UIControl::GetChildCount() const
{
    return children ? static_cast<std::uint32_t>(children->size()) : 0;
}

UIControl* UIControl::GetChildAt(std::uint32_t index) const
{
    return index < GetChildCount() ? (*children)[index] : nullptr;
}

void UIControl::SetChildEnabled(std::uint16_t childId, std::uint8_t enable)
{
    if (UIControl* child = FindChild(childId))
    {
        child->SetEnabled(enable);
        child->Invalidate();
    }
}

void UIControl::SetChildrenEnabled(std::uint8_t enable)
{
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
    {
        (*children)[i]->SetEnabled(enable);
        (*children)[i]->Invalidate();
    }
}

void UIControl::AddDisplayObject(UIDisplayObject* object, std::uint32_t mask)
{
    if (!object)
        return;
    object->SetParent(this);
    if (mask != 0)
        object->SetStateMask(mask);
    const std::uint32_t finalMask = object->GetStateMask();
    if (finalMask != kAlwaysDrawn && (finalMask & kMouseOver))
        ++mouseOverCount;
    InsertByZOrder(displayObjects, object);
}

UIDisplayObject* UIControl::FindDisplayObject(std::uint16_t objectId) const
{
    for (UIDisplayObject* object : displayObjects)
        if (object->GetId() == objectId)
            return object;
    return nullptr;
}

UIDisplayObject* UIControl::FindDisplayObjectByClass(std::uint16_t classCode) const
{
    for (UIDisplayObject* object : displayObjects)
        if (object->GetTypeCode() == classCode)
            return object;
    return nullptr;
}

std::uint32_t UIControl::GetDisplayObjectCount() const
{
    return static_cast<std::uint32_t>(displayObjects.size());
}

UIDisplayObject* UIControl::GetDisplayObjectAt(std::uint32_t index) const
{
    return index < GetDisplayObjectCount() ? displayObjects[index] : nullptr;
}

bool UIControl::IsMaskSelected(std::uint32_t mask) const
{
    if (mask == kAlwaysDrawn)
        return true;
    // A "set" bit and its "clear" partner: the clear test applies only when
    // the set bit is absent from the mask.
    auto pairPasses = [mask](std::uint32_t setBit, std::uint32_t clearBit, bool isSet)
    {
        if (mask & setBit)
            return isSet;
        if (mask & clearBit)
            return !isSet;
        return true;
    };
    const std::uint32_t flags = controlFlags;
    if ((mask & 0x1000) && !(flags & kBeingDragged))
        return false;
    if ((mask & 0x2000) && acceptDropState != kAccept)
        return false;
    if (mask & 0x4000)
    {
        if (dropOntoState != 0)
            return false;
    }
    else if ((mask & 0x8000) && dropOntoState != 1)
        return false;
    return pairPasses(0x400, 0x800, flags & kMouseOver) &&
           pairPasses(0x200, 0x001, flags & kSelected) &&
           pairPasses(0x004, 0x002, flags & kEnabled) &&
           pairPasses(0x008, 0x010, flags & kOwnMessageIds) &&
           pairPasses(0x10000, 0x20000, flags & kHighlighted) &&
           (!(mask & 0x1E0) || (state & mask) != 0);
}

namespace
{
void SetBit(std::uint32_t& flags, std::uint32_t bit, std::uint8_t on)
{
    flags = on ? (flags | bit) : (flags & ~bit);
}
} // namespace

void UIControl::SetEnabled(std::uint8_t enable)
{
    // The face drawn depends on the flag, so a change must reach the screen.
    const std::uint32_t before = controlFlags;
    SetBit(controlFlags, kEnabled, enable);
    if (before != controlFlags)
        Invalidate();
}
void UIControl::SetSelectedFlag(std::uint8_t select)
{
    SetBit(controlFlags, kSelected, select);
}
void UIControl::SetMouseOver(std::uint8_t over)
{
    SetBit(controlFlags, kMouseOver, over);
}
void UIControl::SetPressed(std::uint8_t press)
{
    SetBit(controlFlags, kPressed, press);
}

void UIControl::SetHighlighted(std::uint8_t highlight)
{
    const std::uint32_t before = controlFlags;
    SetBit(controlFlags, kHighlighted, highlight);
    if (before != controlFlags)
        Invalidate();
}

void UIControl::SetMouseTransparent(std::uint8_t transparent)
{
    inputFlags = transparent ? (inputFlags | kMouseTransparent)
                             : static_cast<std::uint16_t>(inputFlags & ~kMouseTransparent);
}

std::uint16_t UIControl::GetSound(std::int16_t soundEvent) const
{
    switch (soundEvent)
    {
    case kSoundEnter:
        return enterSound;
    case kSoundClick:
        return clickSound;
    case kSoundSelect:
        return selectSound;
    default:
        return 0;
    }
}

bool UIControl::HitTest(FCPoint point, bool enabledOnly) const
{
    if (enabledOnly && (!IsEnabled() || !IsVisible()))
        return false;
    if (!GetScreenRect().Contains(point))
        return false;
    if (!(inputFlags & kPreciseHit))
        return true;
    return HitTestDisplayObjects(point);
}

bool UIControl::HitTestDisplayObjects(FCPoint point) const
{
    if (!IsVisible())
        return false;
    for (UIDisplayObject* object : displayObjects)
        if (IsMaskSelected(object->GetStateMask()) && object->HitTest(point))
            return true;
    if (children)
        for (const UIControl* child : *children)
            if (child->HitTestDisplayObjects(point))
                return true;
    return false;
}

UIControl* UIControl::FindControlAt(FCPoint point, bool enabledOnly)
{
    for (std::uint32_t i = GetChildCount(); i-- > 0;)
    {
        UIControl* child = (*children)[i];
        if (child->HitTest(point, enabledOnly))
            if (UIControl* found = child->FindControlAt(point, enabledOnly))
                return found;
    }
    if (HitTest(point, enabledOnly) && !(inputFlags & kMouseTransparent))
        return this;
    return nullptr;
}

UIControl* UIControl::FindDropTarget(FCPoint point, UIControl* dragged)
{
    for (std::uint32_t i = GetChildCount(); i-- > 0;)
    {
        UIControl* child = (*children)[i];
        if (child->HitTest(point, true))
            if (UIControl* found = child->FindDropTarget(point, dragged))
                return found;
    }
    if (HitTest(point, true) && !(inputFlags & kMouseTransparent) && (dragFlags & kDropTarget) &&
        QueryAcceptDrop(dragged) != kNoAnswer)
        return this;
    return nullptr;
}

UIControl* UIControl::FindDefaultFocus()
{
    for (std::uint32_t i = GetChildCount(); i-- > 0;)
    {
        UIControl* child = (*children)[i];
        if (child->GetDefaultFocus())
            return child;
        if (UIControl* found = child->FindDefaultFocus())
            return found;
    }
    return nullptr;
}

UIControl* UIControl::FindDragContainer() const
{
    for (UIControl* ancestor = parent; ancestor; ancestor = ancestor->GetParent())
        if (ancestor->GetDragFlags() & kDragContainer)
            return ancestor;
    return nullptr;
}

bool UIControl::SendToParent(UIEvent& event)
{
    return parent ? parent->HandleNotify(event) : false;
}

bool UIControl::SendMessageToParent(std::uint16_t messageId)
{
    UIEvent event(this, messageId);
    return SendToParent(event);
}

bool UIControl::SendAs(const UIEvent& event, std::uint16_t messageId)
{
    UIEvent message(event);
    message.sender = this;
    if (controlFlags & kOwnMessageIds)
        message.type = messageId;
    else
    {
        message.type = UIMessage::kWrapped;
        message.innerId = messageId;
    }
    return SendToParent(message);
}

void UIControl::RequestSelect(std::uint8_t select, std::uintptr_t param)
{
    UIEvent record(this, UIMessage::kChanged, GetAbsolutePosition(), param, 0);
    if (IsSelected())
        SendAs(record, UIMessage::kDeselect);
    else if (select == 1)
        NotifyChanged(record);
}

void UIControl::ReleaseInputReferences(std::uint8_t recursive)
{
    if (UIWindowManager* manager = Manager())
        manager->ForgetControl(this);
    if (recursive)
        for (std::uint32_t i = 0; i < GetChildCount(); ++i)
            (*children)[i]->ReleaseInputReferences(1);
}

void UIControl::PlaySound(std::uint16_t soundId) const
{
    if (soundId == 0)
        return;
    if (FCSoundManager* sound = FCSoundManager::GetInstance())
        sound->PlaySound(soundId, kSoundChannel, false, nullptr, FCSoundManager::kMiddleVolume,
                         FCSoundManager::kMiddlePan);
}

void UIControl::ReleaseDraggedChild()
{
    if (UIControl* child = draggedChild)
    {
        draggedChild = nullptr;
        child->Release();
    }
}

void UIControl::SetSound(std::int16_t soundEvent, std::uint16_t soundId)
{
    switch (soundEvent)
    {
    case kSoundEnter:
        enterSound = soundId;
        break;
    case kSoundClick:
        clickSound = soundId;
        break;
    case kSoundSelect:
        selectSound = soundId;
        break;
    default:
        break;
    }
}

void UIControl::SetState(std::uint32_t newState)
{
    state = newState;
    Invalidate();
}

void UIControl::SetFocused(std::uint8_t focused)
{
    SetBit(controlFlags, kFocused, focused);
}

void UIControl::SetDragging(std::uint8_t dragging)
{
    SetBit(controlFlags, kBeingDragged, dragging);
    Invalidate();
}

void UIControl::RemoveDraggedChild()
{
    if (draggedChild)
        RemoveChild(draggedChild);
}

std::uint16_t UIControl::QueryAcceptDrop(UIControl* dragged)
{
    return acceptDropCallback ? acceptDropCallback(this, dragged) : kNoAnswer;
}

void UIControl::SendDropMessage(UIControl* dragged, FCPoint point)
{
    UIEvent event(this, UIMessage::kDroppedOnto, point, reinterpret_cast<std::uintptr_t>(dragged),
                  0);
    SendToParent(event);
}

void UIControl::OnDropRefused(UIControl*) {}

void UIControl::UpdateAcceptDropState(UIControl* dragged)
{
    acceptDropState = QueryAcceptDrop(dragged);
}
void UIControl::ClearAcceptDropState()
{
    acceptDropState = kNoAnswer;
}

UIControl* UIControl::CreateDragObject()
{
    if ((dragFlags & kDragObjectFromAncestor) && parent)
        if (UIControl* made = parent->CreateDragObjectFor(this))
            return made;
    return dynamic_cast<UIControl*>(Clone());
}

UIControl* UIControl::CreateDragObjectFor(UIControl* control)
{
    return parent ? parent->CreateDragObjectFor(control) : nullptr;
}

void UIControl::BeginDrag(FCPoint point)
{
    if (!(dragFlags & kDraggable))
        return;
    UIControl* dragObject = CreateDragObject();
    if (!dragObject)
        return;
    dragObject->SetParent(nullptr);
    // The window manager keeps only drag objects on its stack; one made by
    // an ancestor must be one too, or nothing would own it during the drag.
    dragObject->dragFlags |= kDraggable;
    UIControl* container = FindDragContainer();
    if (!container)
        container = parent;
    // The drag object keeps its container alive until the drop reports to it.
    if (container)
        container->AddRef();
    if (UIControl* previous = std::exchange(dragObject->dragContainer, container))
        previous->Release();
    if (container)
    {
        UIEvent started(this, UIMessage::kDragStarted, point,
                        reinterpret_cast<std::uintptr_t>(this), 0);
        container->HandleNotify(started);
    }
    if (UIWindowManager* manager = Manager())
        manager->BeginDrag(dragObject, point);
    else
        dragObject->Release();
}

void UIControl::DragOver(UIControl* newTarget, UIControl* oldTarget, FCPoint)
{
    if (oldTarget && oldTarget != newTarget)
    {
        oldTarget->ClearAcceptDropState();
        ClearDropOntoState();
    }
    if (newTarget && newTarget != oldTarget)
    {
        newTarget->UpdateAcceptDropState(this);
        UpdateDropOntoState(newTarget);
    }
}

void UIControl::Drop(UIControl* target, FCPoint point)
{
    if (!(dragFlags & kDraggable))
        return;
    Hold<UIControl> holdSelf(this);
    Hold<UIControl> holdTarget(target);
    UIControl* container = dragContainer;
    std::uint16_t outcome = UIMessage::kDragCancelled;
    if (target && target->GetAcceptDropState() == kAccept && dropOntoState == kDropYes)
    {
        OnDroppedOnto(target);
        target->SendDropMessage(this, point);
        outcome = UIMessage::kDragAccepted;
    }
    else if (target && target->GetAcceptDropState() == kRefuse)
        target->OnDropRefused(this);
    if (container)
    {
        UIEvent ended(this, outcome, point, reinterpret_cast<std::uintptr_t>(this), 0);
        container->HandleNotify(ended);
    }
    if (target)
    {
        target->ClearAcceptDropState();
        ClearDropOntoState();
    }
}

std::uint16_t UIControl::QueryDropOnto(UIControl* target)
{
    return dropOntoCallback ? dropOntoCallback(this, target) : kDropOntoNoAnswer;
}

void UIControl::OnDroppedOnto(UIControl*) {}
void UIControl::UpdateDropOntoState(UIControl* target)
{
    dropOntoState = QueryDropOnto(target);
}
void UIControl::ClearDropOntoState()
{
    dropOntoState = kDropOntoNoAnswer;
}

void UIControl::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (!target || !IsVisible())
        return;
    const FCRect screen = GetScreenRect();
    FCRect area;
    if (!area.Intersect(screen, clip))
        return;
    const PaintScope drawing(*this, FCPoint(screen.left, screen.top));
    // Panels on panels would paint most pixels several times over. All
    // drawing here writes only the pixels it reads, so the part of a fill
    // that a child's opaque fill paints over later need not be painted.
    FCRectCover cover;
    bool coverKnown = false;
    for (std::uint32_t i = 0; i < GetDisplayObjectCount(); ++i)
    {
        UIDisplayObject* object = displayObjects[i];
        if (!IsMaskSelected(object->GetStateMask()))
            continue;
        FCRect opaque;
        FCRect painted;
        if (GetChildCount() == 0 || !object->GetOpaqueRect(opaque) ||
            !painted.Intersect(opaque, area))
        {
            object->Draw(target, area);
            continue;
        }
        if (!coverKnown)
        {
            for (std::uint32_t c = 0; c < GetChildCount(); ++c)
                (*children)[c]->AddOpaqueCover(cover, area);
            coverKnown = true;
        }
        cover.ForEachUncovered(painted, [&](const FCRect& piece) { object->Draw(target, piece); });
    }
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
        (*children)[i]->Draw(target, area);
}

void UIControl::AddOpaqueCover(FCRectCover& cover, const FCRect& clip) const
{
    if (!PaintsLikeControl() || !IsVisible())
        return;
    FCRect area;
    if (!area.Intersect(GetScreenRect(), clip))
        return;
    for (std::uint32_t i = 0; i < GetDisplayObjectCount(); ++i)
    {
        const UIDisplayObject* object = displayObjects[i];
        FCRect opaque;
        FCRect inside;
        if (IsMaskSelected(object->GetStateMask()) && object->GetOpaqueRect(opaque) &&
            inside.Intersect(opaque, area) && !cover.Add(inside))
            return;
    }
}

bool UIControl::PaintsLikeControl() const
{
    return typeid(*this) == typeid(UIControl);
}

void UIControl::OnMouseDown(UIEvent& event)
{
    SetPressed(1);
    if (UIWindowManager* manager = Manager())
        manager->SetCapture(this);
    if (changeMode == kOnPress)
        NotifyChanged(event);
    if (clickMode == kOnPress)
        NotifyClicked(event);
    if (dragFlags & (kMovable | kDraggable))
        SetTracking(1);
    if (dragFlags & kDraggable)
    {
        pressX = event.x;
        pressY = event.y;
    }
}

void UIControl::OnMouseUp(UIEvent& event)
{
    if (HitTest(event.GetPoint(), true))
    {
        if (changeMode == kOnRelease)
            NotifyChanged(event);
        if (clickMode == kOnRelease)
            NotifyClicked(event);
    }
    SetPressed(0);
    if (UIWindowManager* manager = Manager(); manager && manager->GetCapture() == this)
        manager->ReleaseCapture();
    if (dragFlags & (kMovable | kDraggable))
        SetTracking(0);
}

void UIControl::OnDoubleClick(UIEvent& event)
{
    PlaySound(clickSound);
    SendAs(event, UIMessage::kDoubleClicked);
}

void UIControl::OnWindowMouseMove(UIEvent&) {}

void UIControl::OnMouseMove(UIEvent& event)
{
    if (!tracking)
        return;
    if (dragFlags & kDraggable)
    {
        const std::int64_t travel =
            std::llabs(std::int64_t{event.x} - pressX) + std::llabs(std::int64_t{event.y} - pressY);
        if (static_cast<std::int16_t>(travel) > dragThreshold)
        {
            tracking = 0;
            BeginDrag(event.GetPoint());
        }
        return;
    }
    tracking = 0;
    if (UIWindowManager* manager = Manager())
        manager->BeginDrag(this, event.GetPoint());
}

void UIControl::OnRepeat(UIEvent& event)
{
    if (IsEnabled() && IsVisible())
        NotifyClicked(event);
}

bool UIControl::OnKeyDown(UIEvent&)
{
    return false;
}
bool UIControl::OnKeyUp(UIEvent&)
{
    return false;
}
bool UIControl::OnChar(UIEvent&)
{
    return false;
}

void UIControl::OnTimer(std::uint16_t timerId)
{
    if (timerId != kRepeatTimerId)
        return;
    SetPressed(0);
    std::uintptr_t modifiers = 0;
    if (FCKeyboard* keyboard = FCKeyboard::GetInstance())
    {
        if (keyboard->IsKeyDown(FCKeyboard::kShiftKey))
            modifiers |= UIMessage::kModShift;
        if (keyboard->IsKeyDown(FCKeyboard::kControlKey))
            modifiers |= UIMessage::kModControl;
    }
    UIEvent repeat(this, UIMessage::kMouseDown, FCPoint(0, 0), modifiers, 0);
    OnRepeat(repeat);
}

bool UIControl::OnGetFocus()
{
    SetFocused(1);
    SendMessageToParent(UIMessage::kFocusGained);
    return true;
}

bool UIControl::OnLoseFocus(UIControl* newFocus)
{
    SetFocused(0);
    UIEvent lost(this, UIMessage::kFocusLost, FCPoint(0, 0),
                 reinterpret_cast<std::uintptr_t>(newFocus), 0);
    SendToParent(lost);
    return true;
}

void UIControl::OnMouseEnter()
{
    SetMouseOver(1);
    if (mouseOverCount)
        Invalidate();
    if (enterSound)
        if (FCSoundManager* sound = FCSoundManager::GetInstance();
            sound && !sound->IsPlaying(kSoundChannel))
            PlaySound(enterSound);
    if (inputFlags & kReportEnterLeave)
        SendMessageToParent(UIMessage::kMouseEntered);
    if (mouseOverMessage > 0)
    {
        UIEvent entered(this, UIMessage::kMouseOverEntered, FCPoint(0, 0),
                        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(mouseOverMessage)),
                        0);
        SendToParent(entered);
    }
}

void UIControl::OnMouseLeave()
{
    SetMouseOver(0);
    if (mouseOverCount)
        Invalidate();
    if (inputFlags & kReportEnterLeave)
        SendMessageToParent(UIMessage::kMouseLeft);
    if (mouseOverMessage > 0)
    {
        UIEvent left(this, UIMessage::kMouseOverLeft, FCPoint(0, 0),
                     static_cast<std::uintptr_t>(static_cast<std::intptr_t>(mouseOverMessage)), 0);
        SendToParent(left);
    }
}

bool UIControl::NotifyClicked(UIEvent& event)
{
    PlaySound(clickSound);
    return SendAs(event, UIMessage::kClicked);
}

bool UIControl::NotifyChanged(UIEvent& event)
{
    return SendAs(event, UIMessage::kChanged);
}

void UIControl::SetSelected(std::uint8_t select)
{
    SetSelectedFlag(select);
    if (select)
        PlaySound(selectSound);
    Invalidate();
}

bool UIControl::HandleNotify(UIEvent& event)
{
    if (event.sender)
    {
        switch (event.type)
        {
        case UIMessage::kDragStarted:
        {
            ReleaseDraggedChild();
            draggedChild = reinterpret_cast<UIControl*>(event.param1);
            if (draggedChild)
            {
                draggedChild->AddRef();
                if (dragFlags & kHideDraggedChild)
                    draggedChild->SetVisible(0);
            }
            return true;
        }
        case UIMessage::kDragCancelled:
        case UIMessage::kDragAccepted:
        {
            Hold<UIControl> holdSelf(this);
            if (UIControl* child = draggedChild)
            {
                if (dragFlags & kHideDraggedChild)
                    child->SetVisible(1);
                const bool remove =
                    event.type == UIMessage::kDragAccepted
                        ? (dragFlags & kRemoveOnAccept) != 0
                        : (dragFlags & kRemoveOnDropOutside) && !HitTest(event.GetPoint(), true);
                if (remove)
                {
                    RemoveDraggedChild();
                    UIEvent out(this, UIMessage::kChildDraggedOut, event.GetPoint(),
                                reinterpret_cast<std::uintptr_t>(child), 0);
                    SendToParent(out);
                }
                ReleaseDraggedChild();
            }
            return true;
        }
        default:
            break;
        }
    }
    return SendToParent(event);
}
