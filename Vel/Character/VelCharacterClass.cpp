#include "Vel/Character/VelCharacterClass.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"

FC_REGISTER_CLASS(VelCharacterClass);

VelCharacterClass::VelCharacterClass(std::uint16_t classId, std::uint16_t level)
    : classId(classId), level(level)
{
}

VelCharacterClass::~VelCharacterClass() = default;

std::string VelCharacterClass::GetName() const
{
    const VelClassInfo* record = VelDatabase::FindClass(classId);
    if (!record)
    {
        return {};
    }
    return formerMember ? "Ex-" + record->name : record->name;
}

void VelCharacterClass::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(classId);
        ar.WriteU16(level);
        ar.WriteU16(hitPointsRolled);
        ar.WriteU16(skillPointsAvailable);
        ar.WriteU16(skillPointsSpent);
        ar.WriteU16(bonusFeats);
        for (std::size_t i = 0; i < kSpellLevelCount; ++i)
        {
            ar.WriteI16(spellsPerDay[i]);
            ar.WriteU16(spellsChosen[i]);
            ar.WriteU16(spellsKnown[i]);
        }
        ar.WriteU8(formerMember);
        ar.WriteU16(specialChoices);
        return;
    }
    ar.ReadU16(classId);
    ar.ReadU16(level);
    ar.ReadU16(hitPointsRolled);
    ar.ReadU16(skillPointsAvailable);
    ar.ReadU16(skillPointsSpent);
    ar.ReadU16(bonusFeats);
    for (std::size_t i = 0; i < kSpellLevelCount; ++i)
    {
        ar.ReadI16(spellsPerDay[i]);
        ar.ReadU16(spellsChosen[i]);
        ar.ReadU16(spellsKnown[i]);
    }
    ar.ReadU8(formerMember);
    ar.ReadU16(specialChoices);
    startingLevel = 0;
    flags = 0;
}
