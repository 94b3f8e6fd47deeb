#pragma once

#include "Vel/Db/VelItemInfo.h"

#include <array>
#include <cstddef>
#include <cstdint>

// A weapon (item kind code 2000).
class VelWeaponInfo : public VelRecord<VelWeaponInfo, VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelWeaponInfo";

    VelWeaponInfo() { SetTypeCode(kWeaponCode); }

    std::int16_t GetItemKind() const override { return 0; }

    template <class V> void Fields(V& v)
    {
        VelItemInfo::Fields(v);
        v("category", category);
        v("ranged", ranged);
        v("size", size);
        v("basePrice", basePrice);
        v("coinKind", coinKind);
        for (std::size_t i = 0; i < diceCount.size(); ++i)
        {
            v("diceCount", diceCount[i]);
            v("dieSides", dieSides[i]);
        }
        v("byteA", byteA);
        v("threatRange", threatRange);
        v("criticalMultiplier", criticalMultiplier);
        v("secondMultiplier", secondMultiplier);
        v("rangeIncrement", rangeIncrement);
        v("weight", weight);
        v("typeText", typeText);
        v("handedness", handedness);
        v("damageStyle", damageStyle);
        v("strengthAndAHalf", strengthAndAHalf);
        v("strengthRating", strengthRating);
        v("specialCostKey", specialCostKey);
        v("groupFlag", groupFlag);
        v("byteB", byteB);
        v("forbiddenToClass3", forbiddenToClass3);
        v("noFeatTarget", noFeatTarget);
    }

    // 0 simple, 1 martial, 2 exotic, 3 natural.
    std::int16_t category = 0;
    // Non-zero: the attack uses DEX instead of STR.
    std::uint16_t ranged = 0;
    // Compared as size + 2 with the race's size id.
    std::int16_t size = 0;
    // Three damage entries: the weapon's damage, a second damage, a third
    // one that is only held.
    std::array<std::uint16_t, 3> diceCount{};
    std::array<std::uint16_t, 3> dieSides{};
    std::uint8_t byteA = 0;
    // Lowest die roll of the critical threat range.
    std::uint16_t threatRange = 0;
    std::uint16_t criticalMultiplier = 0;
    std::uint16_t secondMultiplier = 0;
    // Feet.
    std::uint16_t rangeIncrement = 0;
    // Offset of the weapon type's name in the string table.
    std::uint16_t typeText = 0;
    // Handedness code 1, 2 or 3.
    std::uint16_t handedness = 0;
    // 0: STR applies to damage; 2: only a negative STR modifier does.
    std::uint16_t damageStyle = 0;
    // 1: two-handed style multiplies the STR damage bonus by 1.5.
    std::uint8_t strengthAndAHalf = 1;
    // Non-zero: the most STR damage bonus the weapon allows.
    std::uint16_t strengthRating = 0;
    // Compared by the shop's weapon filter.
    std::uint16_t groupFlag = 1;
    std::uint8_t byteB = 0;
    // Set: not offered as the target of a weapon feat.
    std::uint8_t noFeatTarget = 0;
};
