#include "Ui/UIDragButton.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIMessages.h"

FC_REGISTER_CLASS(UIDragButton);

namespace
{
// Pointer and layout positions are 32-bit; wrap like the 32-bit arithmetic
// they stand for rather than overflow.
std::int32_t Difference(std::int32_t a, std::int32_t b, std::int32_t c = 0)
{
    return static_cast<std::int32_t>(std::int64_t{a} - b - c);
}
} // namespace

UIDragButton::UIDragButton()
{
    typeCode = kClassCode;
    inputFlags |= kAutoRepeat;
}

UIDragButton::UIDragButton(std::uint16_t newId) : UIDragButton()
{
    id = newId;
}

UIDragButton::UIDragButton(const UIDragButton& other)
    : UIButton(other), axisFlags(other.axisFlags), grabX(other.grabX), grabY(other.grabY)
{
}

UIDragButton::~UIDragButton() = default;

std::string UIDragButton::GetClassName() const
{
    return "UIDragButton";
}
std::string UIDragButton::GetTypeName() const
{
    return "UIDragButton";
}
FCObject* UIDragButton::Clone() const
{
    return new UIDragButton(*this);
}
FCObject* UIDragButton::CreateNew() const
{
    return new UIDragButton();
}

void UIDragButton::OnMouseDown(UIEvent& event)
{
    const FCPoint at = GetAbsolutePosition();
    grabX = Difference(event.x, at.x);
    grabY = Difference(event.y, at.y);
    UIButton::OnMouseDown(event);
}

void UIDragButton::OnMouseMove(UIEvent& event)
{
    if ((event.param1 & UIMessage::kModButtonHeld) && parent)
    {
        FCPoint at = GetPosition();
        const FCPoint origin = parent->GetAbsolutePosition();
        if (axisFlags & kMoveX)
            at.x = Difference(event.x, grabX, origin.x);
        if (axisFlags & kMoveY)
            at.y = Difference(event.y, grabY, origin.y);
        SetPosition(at);
    }
    UIButton::OnMouseMove(event);
}

void UIDragButton::OnMouseUp(UIEvent& event)
{
    ReportPosition(event, 1);
    UIButton::OnMouseUp(event);
}

void UIDragButton::OnRepeat(UIEvent& event)
{
    ReportPosition(event, event.param1);
}

void UIDragButton::ReportPosition(const UIEvent& event, std::uintptr_t param)
{
    UIEvent report(event);
    report.type = UIMessage::kValueChanged;
    report.innerId = 0;
    report.sender = this;
    report.param1 = param;
    SendToParent(report);
}
