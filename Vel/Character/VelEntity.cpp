#include "Vel/Character/VelEntity.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCDebugLog.h"

VelEntity::VelEntity(const VelEntity& other) : FCObject(other) {}

VelEntity& VelEntity::operator=(const VelEntity& other)
{
    FCObject::operator=(other);
    return *this;
}

VelEntity::~VelEntity() = default;

void VelEntity::Reset()
{
    name = "Unknown";
    abilities.fill(0);
    stats.fill(0);
}

void VelEntity::SetAbility(std::int16_t ability, std::uint16_t score)
{
    if (ability < 0 || static_cast<std::size_t>(ability) >= kAbilityCount)
    {
        FC_LOG("No ability %d\n", static_cast<int>(ability));
        return;
    }
    abilities[static_cast<std::size_t>(ability)] = score;
}

void VelEntity::SetStat(std::uint32_t index, std::uint32_t value)
{
    if (index >= kStatCount)
    {
        FC_LOG("No stat %u\n", static_cast<unsigned>(index));
        return;
    }
    stats[index] = static_cast<std::int32_t>(value);
}

void VelEntity::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteString(name);
        for (std::uint16_t score : abilities)
        {
            ar.WriteU16(score);
        }
        for (std::int32_t stat : stats)
        {
            ar.WriteI32(stat);
        }
        return;
    }
    std::string loadedName;
    if (ar.ReadString(loadedName))
    {
        name = std::move(loadedName);
    }
    for (std::uint16_t& score : abilities)
    {
        ar.ReadU16(score);
    }
    for (std::int32_t& stat : stats)
    {
        ar.ReadI32(stat);
    }
}
