#include "Ui/UIScrollBar.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIMessages.h"

#include <initializer_list>

FC_REGISTER_CLASS(UIScrollBar);

UIScrollBar::UIScrollBar()
{
    typeCode = kClassCode;
}

UIScrollBar::UIScrollBar(const UIScrollBar& other) : UISlider(other)
{
    BindArrows();
}

UIScrollBar::~UIScrollBar() = default;

std::string UIScrollBar::GetClassName() const { return "UIScrollBar"; }
std::string UIScrollBar::GetTypeName() const { return "UIScrollBar"; }
FCObject* UIScrollBar::Clone() const { return new UIScrollBar(*this); }
FCObject* UIScrollBar::CreateNew() const { return new UIScrollBar(); }

bool UIScrollBar::Load(FCFile& file)
{
    if (!UISlider::Load(file))
        return false;
    BindArrows();
    return true;
}

void UIScrollBar::BindArrows()
{
    if (UIControl* found = FindDescendant(kDecreaseId))
        SetDecreaseButton(found);
    if (UIControl* found = FindDescendant(kIncreaseId))
        SetIncreaseButton(found);
}

bool UIScrollBar::HandleNotify(UIEvent& event)
{
    if (event.sender && event.type == UIMessage::kClicked)
    {
        const std::uint16_t from = event.sender->GetId();
        if (from == kDecreaseId || from == kIncreaseId)
        {
            if (from == kDecreaseId)
                StepDown();
            else
                StepUp();
            SendValue();
            return true;
        }
    }
    return UISlider::HandleNotify(event);
}

void UIScrollBar::SetRange(std::int32_t newMinimum, std::int32_t newMaximum)
{
    const bool usable = newMinimum < newMaximum;
    for (UIControl* arrow : {decreaseButton, increaseButton})
        if (arrow)
            arrow->SetEnabled(usable);
    UISlider::SetRange(newMinimum, newMaximum);
}

void UIScrollBar::SetDecreaseButton(UIControl* button)
{
    decreaseButton = button;
    if (button)
        button->SetInputFlags(button->GetInputFlags() | kAutoRepeat);
}

void UIScrollBar::SetIncreaseButton(UIControl* button)
{
    increaseButton = button;
    if (button)
        button->SetInputFlags(button->GetInputFlags() | kAutoRepeat);
}
