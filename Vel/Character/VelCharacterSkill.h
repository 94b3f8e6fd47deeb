#pragma once

#include "Fc/Core/FCObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// A skill (or one sub-skill of it) with the ranks bought for it, kept per
// class so that multi-class characters can move ranks between kinds.
class VelCharacterSkill : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterSkill";
    // One column per class id 0 to 10.
    static constexpr std::size_t kColumnCount = 11;
    static constexpr std::uint16_t kNoSubSkill = 0xFFFF;
    // Rank kinds.
    static constexpr std::int32_t kClassRanks = 1;
    static constexpr std::int32_t kCrossClassRanks = 2;
    // Bit of flags: the ranks exceed what the character may have.
    static constexpr std::uint32_t kOverLimit = 0x20;

    struct Column
    {
        float classRanks = 0.0f;
        float crossClassRanks = 0.0f;
        std::uint16_t value = 0;
    };

    VelCharacterSkill() = default;
    VelCharacterSkill(std::uint16_t skillId, std::uint16_t subSkillId);
    VelCharacterSkill(const VelCharacterSkill& other) = default;
    ~VelCharacterSkill() override;

    // 0 for another kind or a column out of range.
    float GetRanks(std::int16_t column, std::int32_t kind) const;
    // Another kind or a column out of range changes nothing.
    void SetRanks(std::int16_t column, std::int32_t kind, float ranks);
    // Both kinds over every column.
    double GetTotalRanks() const;
    // 0 for a column out of range.
    std::uint16_t GetColumnValue(std::int16_t column) const;
    void SetColumnValue(std::int16_t column, std::uint16_t value);

    // The skill's name, with the sub-skill's in parentheses; empty when the
    // skill is not in the database.
    std::string GetName() const;

    // The flags are read only from version 2 bodies (the archive's version).
    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterSkill(*this); }
    FCObject* CreateNew() const override { return new VelCharacterSkill(); }
    // Skill id, then sub-skill id.
    bool IsLess(const FCObject& other) const override;

    std::uint16_t skillId = 0;
    std::uint16_t subSkillId = kNoSubSkill;
    std::array<Column, kColumnCount> columns{};
    std::uint32_t flags = 0;
};
