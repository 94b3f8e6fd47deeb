#include "Vel_ui/Vel_UISkillItem.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(Vel_UISkillItem);

Vel_UISkillItem::Vel_UISkillItem() = default;
Vel_UISkillItem::Vel_UISkillItem(const Vel_UISkillItem& other) = default;
Vel_UISkillItem::~Vel_UISkillItem() = default;

std::string Vel_UISkillItem::GetClassName() const { return "Vel_UISkillItem"; }
std::string Vel_UISkillItem::GetTypeName() const { return "Vel_UISkillItem"; }
FCObject* Vel_UISkillItem::Clone() const { return new Vel_UISkillItem(*this); }
FCObject* Vel_UISkillItem::CreateNew() const { return new Vel_UISkillItem(); }
