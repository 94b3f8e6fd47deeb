#include "Vel/Rules/VelLevelRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelAbilityRules.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr std::int64_t kExperienceStep = 1000;
constexpr std::int32_t kHitPointsPerFeat = 3;

// Sides of the class's hit die; none (logged) without the class record.
std::int16_t HitDieSides(std::uint16_t classId)
{
    if (const VelClassInfo* record = VelDatabase::FindClass(classId))
        return static_cast<std::int16_t>(record->hitDie);
    FC_LOG("No class %u: no hit die\n", static_cast<unsigned>(classId));
    return 0;
}

std::uint16_t RollOrAverage(std::int16_t sides, bool average)
{
    if (sides <= 0)
        return 0;
    return average ? static_cast<std::uint16_t>(sides / 2 + 1) : RollDie(sides);
}

// Stores one level's result; false once the level passes the cap, so that
// the array is never written beyond it.
bool StoreHitDie(VelCharacter& character, VelCharacterClass& entry, std::int32_t level,
                 std::uint16_t roll)
{
    if (level > VelCharacter::kMaxLevel)
    {
        FC_LOG("No hit die beyond level %d\n", static_cast<int>(VelCharacter::kMaxLevel));
        return false;
    }
    character.SetHitDieRoll(static_cast<std::int16_t>(level), roll);
    entry.hitPointsRolled = static_cast<std::uint16_t>(entry.hitPointsRolled + roll);
    return true;
}

std::uint16_t SumOfEntries(const VelCharacter& character)
{
    std::uint16_t sum = 0;
    for (std::uint32_t i = 0; i < character.classes.GetCount(); ++i)
    {
        if (const VelCharacterClass* entry = character.GetClassAt(static_cast<std::int16_t>(i)))
            sum = static_cast<std::uint16_t>(sum + entry->hitPointsRolled);
    }
    return sum;
}
} // namespace

std::int32_t GetExperienceForLevel(std::int16_t level)
{
    if (level < 2)
        return 0;
    const std::int64_t experience = kExperienceStep * (level - 1) * level / 2;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(experience, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t GetExperienceForCurrentLevel(const VelCharacter* character)
{
    if (!character)
        return 0;
    return GetExperienceForLevel(static_cast<std::int16_t>(character->GetTotalLevel()));
}

std::int32_t GetExperienceForNextLevel(const VelCharacter* character)
{
    if (!character)
        return 0;
    const std::uint16_t level = character->GetTotalLevel();
    if (level >= VelCharacter::kMaxLevel)
        return 0;
    return GetExperienceForLevel(static_cast<std::int16_t>(level + 1));
}

std::uint16_t RollHitDice(VelCharacter* character, bool average)
{
    if (!character)
        return 0;
    std::uint16_t levels = 0;
    std::uint16_t applied = 0;
    character->GetLevelTotals(levels, applied);
    // New levels follow every level already applied, whichever class
    // they belong to.
    std::int32_t index = applied;
    bool room = true;
    for (std::uint32_t i = 0; room && i < character->classes.GetCount(); ++i)
    {
        VelCharacterClass* entry = character->GetClassAt(static_cast<std::int16_t>(i));
        if (!entry)
            continue;
        const std::int16_t sides = HitDieSides(entry->classId);
        for (std::int32_t n = entry->startingLevel; room && n < entry->level; ++n)
            room = StoreHitDie(*character, *entry, ++index, RollOrAverage(sides, average));
    }
    return SumOfEntries(*character);
}

std::uint16_t RerollAllHitDice(VelCharacter* character, bool average)
{
    if (!character)
        return 0;
    std::int32_t index = 0;
    bool room = true;
    for (std::uint32_t i = 0; i < character->classes.GetCount(); ++i)
    {
        VelCharacterClass* entry = character->GetClassAt(static_cast<std::int16_t>(i));
        if (!entry)
            continue;
        entry->hitPointsRolled = 0;
        const std::int16_t sides = HitDieSides(entry->classId);
        for (std::int32_t n = 0; room && n < entry->level; ++n)
        {
            // The character's very first level takes the whole die.
            const std::uint16_t roll =
                index == 0 ? static_cast<std::uint16_t>(std::max<std::int16_t>(sides, 0))
                           : RollOrAverage(sides, average);
            room = StoreHitDie(*character, *entry, ++index, roll);
        }
    }
    return SumOfEntries(*character);
}

std::uint16_t RollHitPointsForLevels(VelCharacter* character, VelHitDiceMode mode, bool average)
{
    if (!character)
        return 0;
    switch (mode)
    {
    case VelHitDiceMode::kRerollAll:
        RerollAllHitDice(character, average);
        break;
    case VelHitDiceMode::kRollNewLevels:
        RollHitDice(character, average);
        break;
    case VelHitDiceMode::kKeepRolls:
        break;
    }
    return ComputeHitPoints(character, -1);
}

std::uint16_t ComputeHitPoints(const VelCharacter* character, std::int16_t conScore)
{
    if (!character)
        return 0;
    const std::int16_t con =
        conScore > 0 ? conScore : static_cast<std::int16_t>(character->abilities[VelEntity::kCon]);
    const std::int32_t modifier = GetAbilityModifier(con);
    // There are no results beyond the level cap to count.
    const std::int32_t levels =
        std::min<std::int32_t>(character->GetTotalLevel(), VelCharacter::kMaxLevel);
    std::int32_t hitPoints = 0;
    for (std::int32_t level = 1; level <= levels; ++level)
    {
        const std::int32_t die = character->GetHitDieRoll(static_cast<std::int16_t>(level));
        hitPoints += std::max<std::int32_t>(1, die + modifier);
    }
    hitPoints += GetFeatHitPointBonus(character) + character->hitPointBonus;
    return static_cast<std::uint16_t>(hitPoints);
}

std::uint16_t GetFeatHitPointBonus(const VelCharacter* character)
{
    if (!character)
        return 0;
    const std::int32_t count =
        character->CountFeat(VelIds::kFeatExtraHitPoints, VelCharacterFeat::kNoChoice,
                             static_cast<std::int16_t>(VelCharacterFeat::kNoChoice));
    return static_cast<std::uint16_t>(kHitPointsPerFeat * std::max(count, 0));
}

std::uint32_t GetStartingMoney(const VelCharacter* character)
{
    if (!character)
        return 0;
    const std::uint16_t level = character->GetTotalLevel();
    if (level == 1)
    {
        const VelCharacterClass* first = character->GetClassAt(0);
        const VelClassInfo* record = first ? VelDatabase::FindClass(first->classId) : nullptr;
        if (!record)
        {
            FC_LOG("No first class record: no starting money\n");
            return 0;
        }
        const std::uint32_t dice =
            RollDice(static_cast<std::int16_t>(record->moneyDiceSides), record->moneyDiceCount);
        return dice * record->moneyMultiplier;
    }
    if (const VelClassLevelInfo* row = VelDatabase::FindClassLevel(level))
        return row->wealth;
    FC_LOG("No level %u row: no starting money\n", static_cast<unsigned>(level));
    return 0;
}
