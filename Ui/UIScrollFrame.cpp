#include "Ui/UIScrollFrame.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(UIScrollFrame);

UIScrollFrame::UIScrollFrame()
{
    typeCode = kClassCode;
}

UIScrollFrame::UIScrollFrame(const UIScrollFrame& other)
    : UIControl(other), scrollX(other.scrollX), scrollY(other.scrollY), axis(other.axis)
{
}

UIScrollFrame::~UIScrollFrame() = default;

std::string UIScrollFrame::GetClassName() const { return "UIScrollFrame"; }
std::string UIScrollFrame::GetTypeName() const { return "UIScrollFrame"; }
FCObject* UIScrollFrame::Clone() const { return new UIScrollFrame(*this); }
FCObject* UIScrollFrame::CreateNew() const { return new UIScrollFrame(); }

void UIScrollFrame::SetScrollPosition(FCPoint position)
{
    SetScrollPositionRaw(position);
    Invalidate();
}

void UIScrollFrame::SetScrollValue(std::int32_t scrollValue)
{
    SetScrollValueRaw(scrollValue);
    Invalidate();
}

void UIScrollFrame::SetScrollPositionRaw(FCPoint position)
{
    scrollX = position.x;
    scrollY = position.y;
}

void UIScrollFrame::SetScrollValueRaw(std::int32_t scrollValue)
{
    if (axis & kHorizontal)
        scrollX = scrollValue;
    else if (axis & kVertical)
        scrollY = scrollValue;
}
