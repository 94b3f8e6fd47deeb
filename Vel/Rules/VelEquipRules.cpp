#include "Vel/Rules/VelEquipRules.h"

#include "Fc/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

std::uint16_t GetWeaponHandCodeForSize(std::uint16_t sizeId, const VelWeaponInfo& weapon)
{
    // Sizes compare as signed numbers; the weapon's size is offset by 2 onto
    // the race's size scale.
    const std::int32_t weaponSize = weapon.size + 2;
    const std::int32_t raceSize = static_cast<std::int16_t>(sizeId);
    if (weaponSize < raceSize)
    {
        switch (weapon.handedness)
        {
        case 2:
            return 2;
        case 3:
            return 6;
        default:
            return 1;
        }
    }
    if (weaponSize == raceSize)
    {
        return weapon.handedness == 1 ? 1 : 3;
    }
    if (weaponSize == raceSize + 1)
    {
        return weapon.handedness == 3 ? 6 : 2;
    }
    return 0;
}

std::uint16_t GetWeaponHandCode(const VelCharacter* character, const VelWeaponInfo* weapon)
{
    if (!character || !weapon)
    {
        return 0;
    }
    const VelRaceInfo* race = VelDatabase::FindRace(character->raceId);
    if (!race)
    {
        FC_LOG("No race %u for a weapon's grip\n", static_cast<unsigned>(character->raceId));
        return 0;
    }
    return GetWeaponHandCodeForSize(race->sizeId, *weapon);
}
