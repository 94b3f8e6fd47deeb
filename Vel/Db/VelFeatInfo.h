#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// A feat (table 150, keyed by feat id).
class VelFeatInfo : public VelRecord<VelFeatInfo>
{
public:
    static constexpr const char* kClassName = "VelFeatInfo";

    // Feat kind.
    static constexpr std::int32_t kKindSpellcasting = 1;
    // What the feat's choice names.
    static constexpr std::uint16_t kChoiceNone = 0;
    static constexpr std::uint16_t kChoiceItem = 1;
    static constexpr std::uint16_t kChoiceSkill = 2;
    static constexpr std::uint16_t kChoiceSchool = 3;

    const std::string& GetDisplayName() const { return SelectDisplayName(name, displayName); }

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("displayName", displayName);
        v("kind", VelField::I16(kind));
        v("warriorBonusFeat", warriorBonusFeat);
        v("scholarBonusFeat", scholarBonusFeat);
        v("repeatable", repeatable);
        v("choiceKind", choiceKind);
        v("thirdFlag", thirdFlag);
        v("description", description);
    }

    std::string name;
    std::string displayName;
    // Sign-extended, so 0xFFFF in the file is -1.
    std::int32_t kind = 0;
    // Non-zero: may be taken as a bonus feat of the warrior class, or of
    // the scholar caster class.
    std::uint8_t warriorBonusFeat = 0;
    std::uint8_t scholarBonusFeat = 0;
    // Zero: the feat can be taken only once.
    std::uint16_t repeatable = 0;
    std::uint16_t choiceKind = kChoiceNone;
    std::uint8_t thirdFlag = 0;
    std::string description;
};
