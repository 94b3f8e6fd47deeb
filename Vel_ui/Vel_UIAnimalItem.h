#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIItem.h"

#include <string>

class VelCharacterAnimal;

// A row of the animal page that carries an animal: the character's own
// (the tray's row) or a preview of one that could be taken. The row holds
// a counted reference, and a copy shares the animal.
class Vel_UIAnimalItem : public Vel_UIItem
{
public:
    Vel_UIAnimalItem();
    Vel_UIAnimalItem(const Vel_UIAnimalItem& other);
    ~Vel_UIAnimalItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    void SetEntity(VelCharacterAnimal* animal);
    VelCharacterAnimal* GetEntity() const { return entity.Get(); }

protected:
    FCCountedRef<VelCharacterAnimal> entity;
};
