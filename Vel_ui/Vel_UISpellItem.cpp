#include "Vel_ui/Vel_UISpellItem.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(Vel_UISpellItem);

Vel_UISpellItem::Vel_UISpellItem() = default;

Vel_UISpellItem::Vel_UISpellItem(const Vel_UISpellItem& other)
    : Vel_UIItem(other), spellId(other.spellId), level(other.level), slot(other.slot)
{
}

Vel_UISpellItem::~Vel_UISpellItem() = default;

std::string Vel_UISpellItem::GetClassName() const { return "Vel_UISpellItem"; }
std::string Vel_UISpellItem::GetTypeName() const { return "Vel_UISpellItem"; }
FCObject* Vel_UISpellItem::Clone() const { return new Vel_UISpellItem(*this); }
FCObject* Vel_UISpellItem::CreateNew() const { return new Vel_UISpellItem(); }

bool Vel_UISpellItem::IsLessByLevelAndName(UIControl* a, UIControl* b)
{
    const auto* first = dynamic_cast<const Vel_UISpellItem*>(a);
    const auto* second = dynamic_cast<const Vel_UISpellItem*>(b);
    if (!first || !second)
        return false;
    if (first->level != second->level)
        return first->level < second->level;
    // char_traits<char> compares as unsigned char.
    return first->GetColumnText(0) < second->GetColumnText(0);
}
