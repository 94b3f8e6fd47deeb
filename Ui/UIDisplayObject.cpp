#include "Ui/UIDisplayObject.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UIControl.h"
#include "Ui/UILayoutCodec.h"

FC_REGISTER_CLASS(UIDisplayObject);

UIDisplayObject::UIDisplayObject()
{
    typeCode = kClassCode;
}

UIDisplayObject::UIDisplayObject(std::uint16_t newId) : UIDisplayObject()
{
    id = newId;
}

UIDisplayObject::UIDisplayObject(const UIDisplayObject& other)
    : UIObject(other), stateMask(other.stateMask)
{
}

UIDisplayObject::~UIDisplayObject() = default;

std::string UIDisplayObject::GetClassName() const { return "UIDisplayObject"; }
std::string UIDisplayObject::GetTypeName() const { return "UIDisplayObject"; }
FCObject* UIDisplayObject::Clone() const { return new UIDisplayObject(*this); }
FCObject* UIDisplayObject::CreateNew() const { return new UIDisplayObject(); }

bool UIDisplayObject::Load(FCFile& file)
{
    UIDisplayObjectRecord record;
    if (!UILayoutCodec::Read(file, record))
        return false;
    Apply(record);
    return true;
}

void UIDisplayObject::Apply(const UIDisplayObjectRecord& record)
{
    ApplyRecord(record.object);
    stateMask = record.stateMask;
}

void UIDisplayObject::Invalidate()
{
    // Inside a hidden control nothing of it shows: the control's own hiding
    // asked for the repaint. A list rebuilt while hidden thus adds no
    // rectangle per cell.
    if (!parent || parent->IsVisible())
        AddScreenRectToPage();
}

void UIDisplayObject::Draw(FCImageBuffer*, const FCRect&) {}

bool UIDisplayObject::HitTest(FCPoint) { return false; }

bool UIDisplayObject::GetOpaqueRect(FCRect&) const { return false; }
