#include "Ui/UIFill.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Graphics/FCPixelConvert.h"
#include "Ui/UILayoutCodec.h"

#include <typeinfo>

FC_REGISTER_CLASS(UIFill);

UIFill::UIFill()
{
    typeCode = kClassCode;
}

UIFill::UIFill(std::uint16_t newId, std::uint32_t newColour) : UIFill()
{
    id = newId;
    colour = newColour;
}

UIFill::UIFill(const UIFill& other) : UIDisplayObject(other), colour(other.colour) {}

UIFill::~UIFill() = default;

std::string UIFill::GetClassName() const { return "UIFill"; }
std::string UIFill::GetTypeName() const { return "UIFill"; }
FCObject* UIFill::Clone() const { return new UIFill(*this); }
FCObject* UIFill::CreateNew() const { return new UIFill(); }

bool UIFill::Load(FCFile& file)
{
    UIFillRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    Apply(record);
    return true;
}

void UIFill::Apply(const UIFillRecord& record)
{
    UIDisplayObject::Apply(record.base);
    colour = MakeScreenColour(record.red, record.green, record.blue);
}

void UIFill::Draw(FCImageBuffer* target, const FCRect& clip)
{
    if (!target || !IsVisible())
        return;
    FCRect area;
    // An empty area must not reach FillRect, which takes all zeros as the
    // whole buffer.
    if (area.Intersect(GetScreenRect(), clip))
        target->FillRect(colour, area);
}

bool UIFill::HitTest(FCPoint point)
{
    return IsVisible() && GetScreenRect().Contains(point);
}

bool UIFill::GetOpaqueRect(FCRect& rect) const
{
    if (typeid(*this) != typeid(UIFill) || !IsVisible())
        return false;
    rect = GetScreenRect();
    return true;
}
