#include "Ui/UINumberScroll.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"

FC_REGISTER_CLASS(UINumberScroll);

UINumberScroll::UINumberScroll() = default;

UINumberScroll::UINumberScroll(const UINumberScroll& other) : UIControl(other)
{
    valueField = dynamic_cast<UINumberEditControl*>(FindChild(kFieldId));
    increaseButton = FindChild(kIncreaseId);
    decreaseButton = FindChild(kDecreaseId);
    for (UIControl* button : {increaseButton, decreaseButton})
        if (button)
            button->SetInputFlags(button->GetInputFlags() | kAutoRepeat);
}

UINumberScroll::~UINumberScroll() = default;

std::string UINumberScroll::GetClassName() const { return "UINumberScroll"; }
std::string UINumberScroll::GetTypeName() const { return "UINumberScroll"; }
FCObject* UINumberScroll::Clone() const { return new UINumberScroll(*this); }
FCObject* UINumberScroll::CreateNew() const { return new UINumberScroll(); }

bool UINumberScroll::Load(FCFile& file)
{
    if (!UIControl::Load(file) || !BindChildren())
        return false;
    for (UIControl* button : {increaseButton, decreaseButton})
        button->SetInputFlags(button->GetInputFlags() | kAutoRepeat | kReportEnterLeave);
    UpdateButtons();
    return true;
}

bool UINumberScroll::BindChildren()
{
    UIControl* field = FindChild(kFieldId);
    valueField = dynamic_cast<UINumberEditControl*>(field);
    increaseButton = FindChild(kIncreaseId);
    decreaseButton = FindChild(kDecreaseId);
    if (field && !valueField)
        FC_LOG("Child %u of number scroll %u is not a number field\n", kFieldId, id);
    if (valueField && increaseButton && decreaseButton)
        return true;
    FC_LOG("Number scroll %u needs a number field %u and buttons %u and %u\n", id, kFieldId, kIncreaseId,
           kDecreaseId);
    valueField = nullptr;
    increaseButton = nullptr;
    decreaseButton = nullptr;
    return false;
}

bool UINumberScroll::HandleNotify(UIEvent& event)
{
    if (!event.sender)
        return false;
    // The parent hears of every step, even in the middle of one (the field's
    // 1009), and may take this spinner away: it and its field must last
    // until the step is done.
    const auto hold = FCCountedRef<UINumberScroll>::Share(this);
    switch (event.type)
    {
    case UIMessage::kClicked:
    {
        const bool up = event.sender == increaseButton;
        if (!up && event.sender != decreaseButton)
            break;
        if (valueField && (up ? valueField->StepUp() : valueField->StepDown()))
        {
            UpdateButtons();
            SendMessageToParent(up ? UIMessage::kSteppedUp : UIMessage::kSteppedDown);
        }
        return true;
    }
    case UIMessage::kMouseEntered:
    case UIMessage::kMouseLeft:
        if (IndexOfChild(event.sender) == 0xFFFFFFFF)
            break;
        SendMessageToParent(event.type);
        return true;
    case UIMessage::kTextChanged:
        if (event.sender != valueField)
            break;
        Notify(0);
        return true;
    default:
        break;
    }
    return UIControl::HandleNotify(event);
}

void UINumberScroll::SetShort(std::int16_t value)
{
    if (valueField && valueField->IsInRange(value))
        valueField->SetShort(value);
}

void UINumberScroll::SetLong(std::int32_t value)
{
    if (valueField && valueField->IsInRange(value))
        valueField->SetLong(value);
}

void UINumberScroll::SetRange(double minimum, double maximum)
{
    if (valueField)
        valueField->SetRange(minimum, maximum);
    Notify(0);
}

void UINumberScroll::SetButtonsVisible(bool show)
{
    for (UIControl* button : {increaseButton, decreaseButton})
        if (button)
        {
            button->Invalidate();
            button->SetVisible(show ? 1 : 0);
            button->Invalidate();
        }
}

void UINumberScroll::Notify(std::int16_t param)
{
    UpdateButtons();
    UIEvent changed(this, UIMessage::kTextChanged, FCPoint(0, 0),
                    static_cast<std::uintptr_t>(static_cast<std::intptr_t>(param)), 0);
    SendToParent(changed);
}

void UINumberScroll::UpdateButtons()
{
    if (!valueField || !increaseButton || !decreaseButton)
        return;
    double minimum = 0.0;
    double maximum = 0.0;
    valueField->GetRange(minimum, maximum);
    const double value = valueField->GetDouble();
    const bool empty = !(minimum < maximum);
    // A value typed beyond a limit (clamped only on Enter) still greys out
    // the arrow that points further out.
    increaseButton->SetEnabled(!empty && value < maximum);
    decreaseButton->SetEnabled(!empty && value > minimum);
    increaseButton->Invalidate();
    decreaseButton->Invalidate();
}
