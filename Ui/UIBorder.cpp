#include "Ui/UIBorder.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCImageBuffer.h"

FC_REGISTER_CLASS(UIBorder);

UIBorder::UIBorder()
{
    typeCode = kClassCode;
}

UIBorder::UIBorder(std::uint16_t newId, std::uint32_t newColour) : UIBorder()
{
    id = newId;
    colour = newColour;
}

UIBorder::UIBorder(const UIBorder& other) : UIFill(other), thickness(other.thickness) {}

UIBorder::~UIBorder() = default;

std::string UIBorder::GetClassName() const { return "UIBorder"; }
std::string UIBorder::GetTypeName() const { return "UIBorder"; }
FCObject* UIBorder::Clone() const { return new UIBorder(*this); }
FCObject* UIBorder::CreateNew() const { return new UIBorder(); }

bool UIBorder::Load(FCFile& file)
{
    thickness = 1;
    return UIFill::Load(file);
}

void UIBorder::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (target && IsVisible())
        target->DrawFrameClipped(colour, GetScreenRect(), clip, thickness);
}
