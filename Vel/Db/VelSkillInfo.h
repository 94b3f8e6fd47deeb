#pragma once

#include "Vel/Db/VelRecord.h"

#include <array>
#include <cstdint>
#include <string>

// A skill (table 145, keyed by skill id).
class VelSkillInfo : public VelRecord<VelSkillInfo>
{
public:
    static constexpr const char* kClassName = "VelSkillInfo";
    static constexpr std::size_t kClassKindCount = 11;

    // Class kind of classKinds: whether a class may buy the skill.
    static constexpr std::int32_t kNotAvailable = 0;
    static constexpr std::int32_t kClassSkill = 1;
    static constexpr std::int32_t kCrossClassSkill = 2;

    template <class V>
    void Fields(V& v)
    {
        v("name", name);
        v("displayName", displayName);
        // The file has the second flag first.
        v("secondFlag", secondFlag);
        v("hasSubSkills", hasSubSkills);
        v("classKinds", VelField::I16(classKinds));
        v("ability", ability);
        v("armorCheck", armorCheck);
        v("armorCheckTwice", armorCheckTwice);
        v("description", description);
        v("sheetRow", sheetRow);
    }

    const std::string& GetDisplayName() const { return SelectDisplayName(name, displayName); }

    std::string name;
    std::string displayName;
    std::uint8_t hasSubSkills = 0;
    std::uint8_t secondFlag = 0;
    // By class id 0 to 10; sign-extended, so 0xFFFF in the file is -1.
    std::array<std::int32_t, kClassKindCount> classKinds{};
    // Ability index whose modifier applies; negative: none.
    std::int16_t ability = -1;
    std::uint8_t armorCheck = 0;
    std::uint8_t armorCheckTwice = 0;
    std::string description;
    // Row of the skill on the printed sheet.
    std::uint16_t sheetRow = 0xFFFF;
};
