#include "Vel/Character/VelCharacterSkill.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"

#include <utility>

FC_REGISTER_CLASS(VelCharacterSkill);

namespace
{
// Columns are class ids, which come from files and records: check them.
bool IsColumn(std::int16_t column)
{
    return column >= 0 && static_cast<std::size_t>(column) < VelCharacterSkill::kColumnCount;
}
} // namespace

VelCharacterSkill::VelCharacterSkill(std::uint16_t skillId, std::uint16_t subSkillId)
    : skillId(skillId), subSkillId(subSkillId)
{
}

VelCharacterSkill::~VelCharacterSkill() = default;

float VelCharacterSkill::GetRanks(std::int16_t column, std::int32_t kind) const
{
    if (!IsColumn(column))
    {
        return 0.0f;
    }
    const Column& entry = columns[static_cast<std::size_t>(column)];
    switch (kind)
    {
    case kClassRanks:
        return entry.classRanks;
    case kCrossClassRanks:
        return entry.crossClassRanks;
    default:
        return 0.0f;
    }
}

void VelCharacterSkill::SetRanks(std::int16_t column, std::int32_t kind, float ranks)
{
    if (!IsColumn(column))
    {
        FC_LOG("No skill column %d\n", static_cast<int>(column));
        return;
    }
    Column& entry = columns[static_cast<std::size_t>(column)];
    if (kind == kClassRanks)
    {
        entry.classRanks = ranks;
    }
    else if (kind == kCrossClassRanks)
    {
        entry.crossClassRanks = ranks;
    }
}

double VelCharacterSkill::GetTotalRanks() const
{
    double total = 0.0;
    for (const Column& entry : columns)
    {
        total += static_cast<double>(entry.classRanks) + static_cast<double>(entry.crossClassRanks);
    }
    return total;
}

std::uint16_t VelCharacterSkill::GetColumnValue(std::int16_t column) const
{
    return IsColumn(column) ? columns[static_cast<std::size_t>(column)].value : std::uint16_t{0};
}

void VelCharacterSkill::SetColumnValue(std::int16_t column, std::uint16_t value)
{
    if (!IsColumn(column))
    {
        FC_LOG("No skill column %d\n", static_cast<int>(column));
        return;
    }
    columns[static_cast<std::size_t>(column)].value = value;
}

std::string VelCharacterSkill::GetName() const
{
    const VelSkillInfo* skill = VelDatabase::FindSkill(skillId);
    if (!skill)
    {
        return {};
    }
    if (subSkillId == kNoSubSkill)
    {
        return skill->name;
    }
    const VelSubSkillInfo* subSkill = VelDatabase::FindSubSkill(skillId, subSkillId);
    if (!subSkill)
    {
        return skill->GetDisplayName();
    }
    return skill->GetDisplayName() + " (" + subSkill->name + ")";
}

void VelCharacterSkill::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(skillId);
        ar.WriteU16(subSkillId);
        for (const Column& entry : columns)
        {
            ar.WriteF32(entry.classRanks);
            ar.WriteF32(entry.crossClassRanks);
            ar.WriteU16(entry.value);
        }
        ar.WriteU32(flags);
        return;
    }
    ar.ReadU16(skillId);
    ar.ReadU16(subSkillId);
    for (Column& entry : columns)
    {
        ar.ReadF32(entry.classRanks);
        ar.ReadF32(entry.crossClassRanks);
        ar.ReadU16(entry.value);
    }
    flags = 0;
    if (ar.GetVersion() > 1)
    {
        ar.ReadU32(flags);
    }
}

bool VelCharacterSkill::IsLess(const FCObject& other) const
{
    const auto* that = FCObjectAs<VelCharacterSkill>(other);
    if (!that)
    {
        return GetClassName() < other.GetClassName();
    }
    const auto key = [](const VelCharacterSkill& s)
    {
        return std::pair(static_cast<std::int16_t>(s.skillId),
                         static_cast<std::int16_t>(s.subSkillId));
    };
    return key(*this) < key(*that);
}
