#include "Vel_ui/Vel_UIInvItem.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(Vel_UIInvItem);

Vel_UIInvItem::~Vel_UIInvItem() = default;

std::string Vel_UIInvItem::GetClassName() const
{
    return "Vel_UIInvItem";
}
std::string Vel_UIInvItem::GetTypeName() const
{
    return "Vel_UIInvItem";
}
FCObject* Vel_UIInvItem::Clone() const
{
    return new Vel_UIInvItem(*this);
}
FCObject* Vel_UIInvItem::CreateNew() const
{
    return new Vel_UIInvItem();
}
