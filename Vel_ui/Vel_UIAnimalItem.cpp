#include "Vel_ui/Vel_UIAnimalItem.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Character/VelCharacterAnimal.h"

FC_REGISTER_CLASS(Vel_UIAnimalItem);

Vel_UIAnimalItem::Vel_UIAnimalItem() = default;

Vel_UIAnimalItem::Vel_UIAnimalItem(const Vel_UIAnimalItem& other)
    : Vel_UIItem(other), entity(other.entity)
{
}

Vel_UIAnimalItem::~Vel_UIAnimalItem() = default;

std::string Vel_UIAnimalItem::GetClassName() const { return "Vel_UIAnimalItem"; }
std::string Vel_UIAnimalItem::GetTypeName() const { return "Vel_UIAnimalItem"; }
FCObject* Vel_UIAnimalItem::Clone() const { return new Vel_UIAnimalItem(*this); }
FCObject* Vel_UIAnimalItem::CreateNew() const { return new Vel_UIAnimalItem(); }

void Vel_UIAnimalItem::SetEntity(VelCharacterAnimal* animal)
{
    entity = FCCountedRef<VelCharacterAnimal>::Share(animal);
}
