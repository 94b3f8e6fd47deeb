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

#include <algorithm>

namespace
{
// A lesser natural attack adds this share of the STR bonus to its damage
// and strikes this much below the first attack.
constexpr float kLesserStrengthFactor = 0.5f;
constexpr std::int32_t kLesserAttackPenalty = 5;

std::int32_t AnimalSizeModifier(const VelCharacterAnimal& animal)
{
    const VelAnimalInfo* record = VelDatabase::FindAnimal(animal.animalId);
    const VelSizeInfo* size = record ? VelDatabase::FindSize(static_cast<std::uint16_t>(record->sizeId)) : nullptr;
    return size ? size->sizeModifier : 0;
}

// A familiar strikes with the better of its STR and DEX, other animals with
// their STR.
std::int32_t AnimalAttackAbility(const VelCharacterAnimal& animal)
{
    const auto modifier = [&](std::size_t ability)
    { return GetAbilityModifier(static_cast<std::int16_t>(animal.abilities[ability])); };
    const std::int16_t str = modifier(VelEntity::kStr);
    if (animal.kind != VelCharacterAnimal::kFamiliar)
        return str;
    return std::max(str, modifier(VelEntity::kDex));
}

// An attack that adds only half the STR bonus is a lesser one, even as an
// animal's only attack.
bool IsLesserAttack(const VelAnimalAttackInfo& attack)
{
    return attack.strengthFactor == kLesserStrengthFactor;
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
    // value cannot overflow the sum.
    const auto base = TruncateToInteger<std::int16_t>(static_cast<std::int32_t>(animal->stats[VelEntity::kBaseAttack]));
    const std::int32_t primary = base + AnimalAttackAbility(*animal) + AnimalSizeModifier(*animal);
    // Natural attacks do not repeat with a high base attack: one bonus each.
    return JoinAnimalAttacks(
        animal->animalId, onePerLine,
        [primary](std::string& text, const VelAnimalAttackInfo& attack)
        {
            if (!attack.name.empty())
                text += attack.name + " ";
            const std::int32_t bonus =
                IsLesserAttack(attack) ? primary - kLesserAttackPenalty : primary;
            text += LongToString(bonus, true);
        });
}
