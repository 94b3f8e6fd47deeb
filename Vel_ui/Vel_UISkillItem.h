#pragma once

#include "Vel_ui/Vel_UIItem.h"

#include <cstdint>
#include <string>

// A row of the skills page: a skill (or one sub-skill of it) for one class,
// with the kind of ranks it shows (class skill or cross-class).
class Vel_UISkillItem : public Vel_UIItem
{
public:
    Vel_UISkillItem();
    Vel_UISkillItem(const Vel_UISkillItem& other);
    ~Vel_UISkillItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;

    std::uint16_t skillId = 0;
    std::uint16_t subSkillId = 0xFFFF;
    // Kept with the row; the skills page does not use it.
    std::uint16_t secondId = 0xFFFF;
    std::uint16_t classId = 0;
    // 1 class skill, 2 cross-class.
    std::int32_t classKind = 0;
    // Where the skills page's list order puts the row.
    std::uint32_t listOrder = 0;
};
