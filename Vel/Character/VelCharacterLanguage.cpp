#include "Vel/Character/VelCharacterLanguage.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelCharacterLanguage);

VelCharacterLanguage::VelCharacterLanguage(std::uint16_t languageId) : languageId(languageId) {}

VelCharacterLanguage::~VelCharacterLanguage() = default;

void VelCharacterLanguage::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(languageId);
        ar.WriteU32(extra);
        return;
    }
    ar.ReadU16(languageId);
    ar.ReadU32(extra);
}
