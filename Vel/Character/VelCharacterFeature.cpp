#include "Vel/Character/VelCharacterFeature.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelCharacterFeature);

VelCharacterFeature::~VelCharacterFeature() = default;

void VelCharacterFeature::Serialize(FCArchive& ar)
{
    VelEntityFeature::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(source);
        return;
    }
    ar.ReadU16(source);
}
