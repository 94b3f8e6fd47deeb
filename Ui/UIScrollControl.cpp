#include "Ui/UIScrollControl.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UILayoutCodec.h"
#include "Ui/UIMessages.h"
#include "Ui/UIScrollFrame.h"
#include "Ui/UISlider.h"

#include <algorithm>

FC_REGISTER_CLASS(UIScrollControl);

namespace
{
// The child of that id as T: null when it is missing (logged when asked);
// `wrongClass` set, logged, when it is something else.
template <class T>
T* BindChild(const UIControl& owner, std::uint16_t childId, bool logMissing, bool& wrongClass)
{
    UIControl* found = owner.FindDescendant(childId);
    if (!found)
    {
        if (logMissing)
            FC_LOG("Control %u has no child %u\n", owner.GetId(), childId);
        return nullptr;
    }
    T* typed = dynamic_cast<T*>(found);
    if (!typed)
    {
        FC_LOG("Child %u of control %u is a %s of the wrong class\n", childId, owner.GetId(),
               found->GetClassName().c_str());
        wrongClass = true;
    }
    return typed;
}
} // namespace

UIScrollControl::UIScrollControl()
{
    typeCode = kClassCode;
}

UIScrollControl::UIScrollControl(const UIScrollControl& other)
    : UIControl(other), snapToItems(other.snapToItems), scrollBarFlags(other.scrollBarFlags),
      alwaysShowBars(other.alwaysShowBars)
{
    BindParts(false);
}

UIScrollControl::~UIScrollControl() = default;

std::string UIScrollControl::GetClassName() const { return "UIScrollControl"; }
std::string UIScrollControl::GetTypeName() const { return "UIScrollControl"; }
FCObject* UIScrollControl::Clone() const { return new UIScrollControl(*this); }
FCObject* UIScrollControl::CreateNew() const { return new UIScrollControl(); }

bool UIScrollControl::Load(FCFile& file)
{
    if (!UIControl::Load(file))
        return false;
    UIScrollControlRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    scrollBarFlags = record.scrollBarFlags;
    return BindParts(true);
}

bool UIScrollControl::BindParts(bool logMissing)
{
    bool wrongClass = false;
    if (scrollBarFlags & kHorizontalBar)
        horizontalBar = BindChild<UISlider>(*this, kHorizontalBarId, logMissing, wrongClass);
    if (scrollBarFlags & kVerticalBar)
        verticalBar = BindChild<UISlider>(*this, kVerticalBarId, logMissing, wrongClass);
    if (auto* found = BindChild<UIScrollFrame>(*this, kFrameId, logMissing, wrongClass))
        SetScrollFrame(found);
    return !wrongClass;
}

bool UIScrollControl::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    // Only its own bars scroll it: a slider inside an item, or a nested
    // list's bar, must not.
    const bool fromBar = event.sender == horizontalBar || event.sender == verticalBar;
    if (event.type != UIMessage::kValueChanged || !fromBar)
        return UIControl::HandleNotify(event);
    const FCPoint old = GetScrollPosition();
    FCPoint position = old;
    (event.sender == horizontalBar ? position.x : position.y) =
        static_cast<std::int32_t>(static_cast<std::intptr_t>(event.param2));
    const bool changed = frame && position != old;
    if (changed)
        frame->SetScrollPosition(position);
    if (IsSnapToItems())
        SnapScrollPosition();
    if (!changed)
        return true;
    OnScrolled();
    return UIControl::HandleNotify(event);
}

void UIScrollControl::SetSnapToItems(std::uint8_t snap)
{
    snapToItems = snap;
}

void UIScrollControl::SnapScrollPosition() {}

void UIScrollControl::OnScrolled() {}

UISlider* UIScrollControl::GetScrollBar(std::uint16_t axisFlags) const
{
    if (axisFlags == kByFlags)
        axisFlags = scrollBarFlags;
    return (axisFlags & kHorizontalBar) ? horizontalBar : verticalBar;
}

void UIScrollControl::SetScrollBar(UISlider* bar, std::uint16_t axisFlags)
{
    if (axisFlags == kByFlags)
        axisFlags = scrollBarFlags;
    ((axisFlags & kHorizontalBar) ? horizontalBar : verticalBar) = bar;
}

void UIScrollControl::SetScrollFrame(UIScrollFrame* newFrame)
{
    frame = newFrame;
    if (frame)
        frame->SetAxis(scrollBarFlags);
}

void UIScrollControl::SetScrollRange(std::int32_t newMinimum, std::int32_t newMaximum,
                                     std::uint16_t axisFlags)
{
    UISlider* bar = GetScrollBar(axisFlags);
    if (!bar)
        return;
    const std::int32_t old = bar->GetValue();
    bar->SetRange(newMinimum, newMaximum);
    if (old > newMaximum)
        ScrollTo(newMaximum, axisFlags);
    else if (old < newMinimum)
        ScrollTo(newMinimum, axisFlags);
    if (!alwaysShowBars)
        bar->SetVisible(newMinimum < newMaximum);
}

void UIScrollControl::GetScrollRange(std::int32_t& outMinimum, std::int32_t& outMaximum,
                                     std::uint16_t axisFlags) const
{
    outMinimum = 0;
    outMaximum = 0;
    if (UISlider* bar = GetScrollBar(axisFlags))
        bar->GetRange(outMinimum, outMaximum);
}

std::int32_t UIScrollControl::GetScrollValue(std::uint16_t axisFlags) const
{
    UISlider* bar = GetScrollBar(axisFlags);
    return bar ? bar->GetValue() : 0;
}

FCPoint UIScrollControl::GetScrollPosition() const
{
    return frame ? frame->GetScrollPosition() : FCPoint(0, 0);
}

void UIScrollControl::ScrollTo(std::int32_t scrollValue, std::uint16_t axisFlags)
{
    if (axisFlags == kByFlags)
        axisFlags = scrollBarFlags;
    FCPoint position = GetScrollPosition();
    ((axisFlags & kHorizontalBar) ? position.x : position.y) = scrollValue;
    SetScrollPosition(position);
}

void UIScrollControl::SetScrollPosition(FCPoint position)
{
    // Clamped here, not by the bar: a bar set to wrap would wrap instead.
    auto show = [](UISlider* bar, std::int32_t& coordinate)
    {
        if (!bar)
            return;
        std::int32_t low = 0;
        std::int32_t high = 0;
        bar->GetRange(low, high);
        coordinate = std::max(std::min(coordinate, high), low);
        bar->SetValue(coordinate);
    };
    show(horizontalBar, position.x);
    show(verticalBar, position.y);
    if (frame)
        frame->SetScrollPosition(position);
}
