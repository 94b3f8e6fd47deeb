#include "Vel/Rules/VelPageRules.h"

#include "Fc/Core/FCConvert.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelFormatRules.h"

namespace
{
// A further attack comes with every this much base attack.
constexpr std::int16_t kAttackStep = 5;

std::int32_t AnimalSizeModifier(const VelCharacterAnimal& animal)
{
    const VelAnimalInfo* record = VelDatabase::FindAnimal(animal.animalId);
    const VelSizeInfo* size = record ? VelDatabase::FindSize(static_cast<std::uint16_t>(record->sizeId)) : nullptr;
    return size ? size->sizeModifier : 0;
}

} // namespace

bool GetClassPortraitName(const VelCharacter* character, std::uint16_t classId,
                          std::string& imageName, std::string& caption)
{
    imageName.clear();
    caption.clear();
    const VelClassInfo* record = VelDatabase::FindClass(classId);
    if (!character || !record)
        return false;
    imageName = GetClassPortraitName(character, classId);
    const VelCharacterClass* entry = character->FindClass(classId);
    caption = entry ? entry->GetName() : record->name;
    return true;
}

std::string FormatAnimalAttackBonuses(const VelCharacterAnimal* animal, bool onePerLine)
{
    if (!animal)
        return std::string();
    // Read in 16 bits, as a character's base attack is: a damaged file's
    // value could neither be summed safely nor listed in any sane time.
    const auto base = TruncateToInteger<std::int16_t>(static_cast<std::int32_t>(animal->stats[VelEntity::kBaseAttack]));
    const std::int32_t total =
        base +
        GetAbilityModifier(static_cast<std::int16_t>(animal->abilities[VelEntity::kStr])) +
        AnimalSizeModifier(*animal);
    return JoinAnimalAttacks(animal->animalId, onePerLine,
                             [base, total](std::string& text, const VelAnimalAttackInfo& attack) {
                                 if (!attack.name.empty())
                                     text += attack.name + " ";
                                 text += FormatAttackSequence(base, total, kAttackStep);
                             });
}
