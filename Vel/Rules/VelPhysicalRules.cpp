#include "Vel/Rules/VelPhysicalRules.h"

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelDice.h"
#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelSizeInfo.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace
{
// Strengths above this take the row of the same last digit in the
// twenties.
constexpr std::uint16_t kLastCarryRow = 29;

const VelHeightWeightInfo* FindBody(const VelCharacter& character)
{
    const VelHeightWeightInfo* record =
        VelDatabase::FindHeightWeight(character.raceId, character.sex);
    if (!record)
        FC_LOG("No height and weight for race %u, sex %u\n",
               static_cast<unsigned>(character.raceId), static_cast<unsigned>(character.sex));
    return record;
}

const VelAgeInfo* FindAges(const VelCharacter& character)
{
    const VelAgeInfo* record = VelDatabase::FindAge(character.raceId);
    if (!record)
        FC_LOG("No ages for race %u\n", static_cast<unsigned>(character.raceId));
    return record;
}

// The counts compare with 0 as signed numbers.
std::int16_t Count(std::uint16_t count)
{
    return static_cast<std::int16_t>(count);
}

std::int32_t Saturate32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

float CarryFactor(std::uint16_t sizeId)
{
    if (const VelSizeInfo* size = VelDatabase::FindSize(sizeId))
        return size->carryFactor;
    FC_LOG("No size %u: carrying factor 1\n", static_cast<unsigned>(sizeId));
    return 1.0f;
}
} // namespace

bool RollHeightWeight(const VelCharacter* character, std::int32_t& height, std::int32_t& weight)
{
    height = 0;
    weight = 0;
    const VelHeightWeightInfo* body = character ? FindBody(*character) : nullptr;
    if (!body)
        return false;
    const std::int32_t heightRoll =
        Count(body->heightDiceCount) > 0
            ? RollDice(static_cast<std::int16_t>(body->heightDiceSides), body->heightDiceCount)
            : 0;
    const std::int32_t weightRoll =
        Count(body->weightDiceCount) > 0
            ? RollDice(static_cast<std::int16_t>(body->weightDiceSides), body->weightDiceCount)
            : 1;
    height = body->baseHeight + heightRoll;
    // A taller character is heavier by the same roll. Two rolls of huge dice
    // counts multiply past 32 bits.
    weight = Saturate32(std::int64_t{body->baseWeight} + std::int64_t{heightRoll} * weightRoll);
    return true;
}

bool GetHeightRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high)
{
    low = 0;
    high = 0;
    const VelHeightWeightInfo* body = character ? FindBody(*character) : nullptr;
    if (!body)
        return false;
    low = high = body->baseHeight;
    const std::int16_t count = Count(body->heightDiceCount);
    if (count > 0)
    {
        low += count;
        high = Saturate32(std::int64_t{high} + std::int64_t{count} * body->heightDiceSides);
    }
    return true;
}

bool GetWeightRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high)
{
    low = 0;
    high = 0;
    const VelHeightWeightInfo* body = character ? FindBody(*character) : nullptr;
    if (!body)
        return false;
    const std::int64_t heightCount = std::max<std::int16_t>(Count(body->heightDiceCount), 0);
    const std::int64_t heightMax = heightCount * body->heightDiceSides;
    const std::int64_t weightCount = std::max<std::int16_t>(Count(body->weightDiceCount), 1);
    const std::int64_t weightSides = Count(body->weightDiceCount) >= 1 ? body->weightDiceSides : 1;
    // The range is kept in 16 bits; huge dice counts stop at its top instead
    // of wrapping below the lowest weight.
    const auto pounds = [](std::int64_t value) { return std::clamp<std::int64_t>(value, 0, 0xFFFF); };
    low = static_cast<std::int32_t>(pounds(body->baseWeight + weightCount * heightCount));
    high = static_cast<std::int32_t>(pounds(body->baseWeight + heightMax * weightCount * weightSides));
    return true;
}

std::int32_t RollStartingAge(const VelCharacter* character)
{
    const VelAgeInfo* ages = character ? FindAges(*character) : nullptr;
    if (!ages)
        return 0;
    const VelCharacterClass* first = character->GetClassAt(0);
    const VelClassInfo* record = first ? VelDatabase::FindClass(first->classId) : nullptr;
    const auto column = record ? static_cast<std::int16_t>(record->ageColumn) : -1;
    if (column < 0 || static_cast<std::size_t>(column) >= ages->diceCount.size())
    {
        FC_LOG("No age column %d: the adult age\n", static_cast<int>(column));
        return ages->thresholds[0];
    }
    const auto c = static_cast<std::size_t>(column);
    return ages->thresholds[0] +
           RollDice(static_cast<std::int16_t>(ages->diceSides[c]), ages->diceCount[c]);
}

bool GetAgeRange(const VelCharacter* character, std::int32_t& low, std::int32_t& high)
{
    low = 0;
    high = 0;
    const VelAgeInfo* ages = character ? FindAges(*character) : nullptr;
    if (!ages)
        return false;
    low = ages->thresholds[0];
    high = ages->thresholds[1] - 1;
    return true;
}

bool GetCarryingLimits(std::uint16_t strength, std::uint16_t sizeId, VelCarryInfo& carry)
{
    carry.lightLimit = carry.mediumLimit = carry.heavyLimit = 0.0f;
    const bool beyondTable = strength > kLastCarryRow;
    const std::uint16_t row =
        beyondTable ? static_cast<std::uint16_t>(strength % 10 + 20) : strength;
    const VelCarryInfo* limits = VelDatabase::FindCarry(row);
    if (!limits)
    {
        FC_LOG("No carrying limits for strength %u\n", static_cast<unsigned>(row));
        return false;
    }
    carry.lightLimit = limits->lightLimit;
    carry.mediumLimit = limits->mediumLimit;
    carry.heavyLimit = limits->heavyLimit;
    if (beyondTable)
    {
        // Four times the row for each full ten of strength above 20.
        const auto times = static_cast<float>(4 * ((strength - 20) / 10));
        carry.lightLimit *= times;
        carry.mediumLimit *= times;
        carry.heavyLimit *= times;
    }
    const float factor = CarryFactor(sizeId);
    carry.lightLimit *= factor;
    carry.mediumLimit *= factor;
    carry.heavyLimit *= factor;
    return true;
}

std::int16_t GetLoadCategory(const VelCharacter* character)
{
    if (!character)
        return kLoadLight;
    VelCarryInfo carry;
    if (!GetCarryingLimits(character->abilities[VelEntity::kStr], character->GetSizeId(), carry))
        return kLoadLight;
    const float weight = character->carriedWeight;
    if (weight <= carry.lightLimit)
        return kLoadLight;
    if (weight <= carry.mediumLimit)
        return kLoadMedium;
    if (weight <= carry.heavyLimit)
        return kLoadHeavy;
    return kLoadOverloaded;
}
