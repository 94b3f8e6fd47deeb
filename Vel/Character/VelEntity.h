#pragma once

#include "Fc/Core/FCObject.h"

#include <array>
#include <cstdint>
#include <string>

// What a character and an animal have in common: a name, six ability scores
// and eight derived combat values.
class VelEntity : public FCObject
{
public:
    static constexpr std::size_t kAbilityCount = 6;
    static constexpr std::size_t kStatCount = 8;

    // Ability indexes.
    static constexpr std::int16_t kStr = 0;
    static constexpr std::int16_t kDex = 1;
    static constexpr std::int16_t kCon = 2;
    static constexpr std::int16_t kInt = 3;
    static constexpr std::int16_t kWis = 4;
    static constexpr std::int16_t kCha = 5;

    // Derived stat indexes.
    static constexpr std::uint32_t kArmorClass = 0;
    static constexpr std::uint32_t kReflexSave = 1;
    static constexpr std::uint32_t kWillSave = 2;
    static constexpr std::uint32_t kFortitudeSave = 3;
    static constexpr std::uint32_t kInitiative = 4;
    static constexpr std::uint32_t kSpeed = 5;
    static constexpr std::uint32_t kBaseAttack = 6;
    static constexpr std::uint32_t kHitPoints = 7;

    VelEntity() = default;
    // A copy shares only the FCObject part: it starts as a fresh entity.
    VelEntity(const VelEntity& other);
    VelEntity& operator=(const VelEntity& other);
    ~VelEntity() override;

    void Reset();
    // An index out of range changes nothing (logged).
    void SetAbility(std::int16_t ability, std::uint16_t score);
    void SetStat(std::uint32_t index, std::uint32_t value);

    // The entity body of the character file: the FCObject head, the name,
    // six u16 abilities and eight i32 stats.
    void Serialize(FCArchive& ar) override;

    std::string name = "Unknown";
    std::array<std::uint16_t, kAbilityCount> abilities{};
    std::array<std::int32_t, kStatCount> stats{};
};
