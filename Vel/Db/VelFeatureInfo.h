#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A special feature whose name and text take a value (table 275, keyed by
// feature id).
class VelFeatureInfo : public VelRecord<VelFeatureInfo>
{
public:
    static constexpr const char* kClassName = "VelFeatureInfo";

    // Kinds: how the value is shown and used.
    static constexpr std::uint16_t kKindGrantsFeat = 1;
    // A chosen ability of this kind allows one more general feat.
    static constexpr std::uint16_t kKindGeneralFeat = 2;
    static constexpr std::uint16_t kKindAbilityModifier = 3;
    static constexpr std::uint16_t kKindItem = 4;
    static constexpr std::uint16_t kKindEnemy = 5;
    // Format kind whose text takes the value twice.
    static constexpr std::uint16_t kFormatTwice = 2;
    // Format kinds of choices whose value names an enemy or a weapon.
    static constexpr std::uint16_t kFormatEnemyChoice = 14;
    static constexpr std::uint16_t kFormatWeaponChoice = 15;

    // The name with the value shown as the kind wants; a negative value
    // leaves the name as it is.
    std::string FormatName(std::int32_t value) const;
    // The text filled in with the value (twice for kFormatTwice); a negative
    // value leaves the text as it is.
    std::string FormatText(std::int32_t value) const;
    // The format kind doubles as the feature's group: a class's rows of one
    // group above 0 are the stages of one feature, each replacing the last.
    std::int16_t GetGroup() const { return static_cast<std::int16_t>(formatKind); }

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("formatKind", formatKind);
        v("kind", kind);
        v("text", text);
        v("firstFlag", firstFlag);
        v("secondFlag", secondFlag);
    }

    // For the kinds other than 3, 4 and 5 it may take the value.
    std::string name;
    std::uint16_t formatKind = 0;
    std::uint16_t kind = 0;
    // At most two integer conversions.
    std::string text;
    std::uint8_t firstFlag = 0;
    std::uint8_t secondFlag = 0;
};
