#include "Ui/UIGroup.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIMessages.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

FC_REGISTER_CLASS(UIGroup);

namespace
{
constexpr std::uint32_t kNotFound = 0xFFFFFFFF;

using Ref = FCCountedRef<UIControl>;
} // namespace

UIGroup::UIGroup()
{
    typeCode = kClassCode;
}

UIGroup::UIGroup(std::uint16_t newId) : UIGroup()
{
    id = newId;
}

UIGroup::UIGroup(const UIGroup& other)
    : UIControl(other), allowNone(other.allowNone), selectionMode(other.selectionMode)
{
}

UIGroup::~UIGroup() = default;

std::string UIGroup::GetClassName() const
{
    return "UIGroup";
}
std::string UIGroup::GetTypeName() const
{
    return "UIGroup";
}
FCObject* UIGroup::Clone() const
{
    return new UIGroup(*this);
}
FCObject* UIGroup::CreateNew() const
{
    return new UIGroup();
}

bool UIGroup::SetMemberSelected(UIControl* member, std::uint8_t select)
{
    if (!member)
        return false;
    if (!select && !allowNone && CountSelected() <= 1)
        return false;
    member->SetSelected(select);
    return true;
}

bool UIGroup::SelectOnly(UIControl* member, std::uint8_t select)
{
    DeselectAll();
    anchor = Ref::Share(member);
    return SetMemberSelected(member, select);
}

void UIGroup::DeselectAll()
{
    // The parent hears of each member and may change the group meanwhile.
    const Ref self = Ref::Share(this);
    std::vector<Ref> selected;
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
        if (UIControl* member = GetChildAt(i); member->IsSelected())
            selected.push_back(Ref::Share(member));
    for (const Ref& member : selected)
    {
        if (!member->IsSelected() || member->GetParent() != this)
            continue;
        member->SetSelected(0);
        SendMessageToParent(UIMessage::kDeselect);
    }
    anchor.Reset();
}

void UIGroup::SelectRange(UIControl* member, std::uint8_t select)
{
    const std::uint32_t at = IndexOfChild(member);
    if (at == kNotFound)
        return;
    const UIControl* from = GetAnchor();
    const std::uint32_t other = from ? IndexOfChild(from) : at;
    const std::uint32_t first = std::min(at, other);
    const std::uint32_t last = std::max(at, other);
    // Selecting first: deselecting before anything is selected could be
    // refused as taking away the last selected member.
    const Ref self = Ref::Share(this);
    for (const std::uint8_t value : {std::uint8_t{1}, std::uint8_t{0}})
        for (std::uint32_t i = 0; i < GetChildCount(); ++i)
        {
            const bool inRange = i >= first && i <= last;
            if ((inRange ? select != 0 : select == 0) == (value != 0))
                SetMemberSelected(GetChildAt(i), value);
        }
}

bool UIGroup::Toggle(UIControl* member)
{
    return member && SetMemberSelected(member, !member->IsSelected());
}

bool UIGroup::RequestSelectMember(UIControl* member, std::uint8_t select, std::uintptr_t param)
{
    if (!member)
        return false;
    if (select && member->IsSelected())
        return true;
    const Ref self = Ref::Share(this);
    const Ref held = Ref::Share(member);
    UIControl* outer = std::exchange(programRequest, member);
    member->RequestSelect(select, param);
    programRequest = outer;
    return true;
}

bool UIGroup::SelectById(std::uint8_t select, std::uint16_t memberId, std::uintptr_t param)
{
    return RequestSelectMember(FindDescendant(memberId), select, param);
}

UIControl* UIGroup::GetSelected(std::uint32_t n) const
{
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
        if (UIControl* member = GetChildAt(i); member->IsSelected() && n-- == 0)
            return member;
    return nullptr;
}

std::uint32_t UIGroup::CountSelected() const
{
    std::uint32_t count = 0;
    for (std::uint32_t i = 0; i < GetChildCount(); ++i)
        count += GetChildAt(i)->IsSelected() ? 1 : 0;
    return count;
}

UIControl* UIGroup::GetAnchor() const
{
    UIControl* member = anchor.Get();
    return member && IndexOfChild(member) != kNotFound ? member : nullptr;
}

void UIGroup::ApplyRequest(UIControl* member, std::uintptr_t modifiers, bool byProgram)
{
    const bool control = !byProgram && (modifiers & UIMessage::kModControl);
    const bool shift = !byProgram && (modifiers & UIMessage::kModShift);
    switch (selectionMode)
    {
    case kSingle:
        SelectOnly(member, 1);
        break;
    case kControlToggles:
    case kShiftToggles:
    {
        const bool toggles = selectionMode == kControlToggles ? control : shift;
        const bool ranges = selectionMode == kControlToggles ? shift : control;
        if (toggles)
            Toggle(member);
        else if (ranges)
            SelectRange(member, 1);
        else
            SelectOnly(member, 1);
        break;
    }
    case kAlwaysToggle:
        Toggle(member);
        break;
    default:
        break;
    }
}

bool UIGroup::HandleNotify(UIEvent& event)
{
    UIControl* member = event.sender;
    if (!member)
        return false;
    if (member->GetParent() != this || IndexOfChild(member) == kNotFound)
        return UIControl::HandleNotify(event);
    const Ref self = Ref::Share(this);
    const Ref held = Ref::Share(member);
    switch (event.type)
    {
    case UIMessage::kChanged:
    {
        const bool wasSelected = member->IsSelected();
        ApplyRequest(member, event.param1, member == programRequest);
        if (wasSelected && !member->IsSelected())
        {
            UIEvent deselected(event);
            deselected.type = UIMessage::kDeselect;
            return UIControl::HandleNotify(deselected);
        }
        return UIControl::HandleNotify(event);
    }
    case UIMessage::kDeselect:
        if (!SetMemberSelected(member, 0))
            return true;
        return UIControl::HandleNotify(event);
    default:
        return UIControl::HandleNotify(event);
    }
}
