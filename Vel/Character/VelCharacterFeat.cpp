#include "Vel/Character/VelCharacterFeat.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelItemInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"

#include <tuple>

FC_REGISTER_CLASS(VelCharacterFeat);

namespace
{
// Choice kind whose choice is a plain number.
constexpr std::uint16_t kChoiceNumber = 4;

// What the choice names, by the feat's choice kind; empty when the named
// record is missing or the kind names nothing.
std::string ChoiceText(const VelFeatInfo& feat, std::uint16_t choice, std::uint16_t secondChoice)
{
    switch (feat.choiceKind)
    {
    case VelFeatInfo::kChoiceItem:
        if (const VelItemInfo* item = VelDatabase::FindItem(choice))
        {
            return item->name;
        }
        return {};
    case VelFeatInfo::kChoiceSkill:
    {
        const VelSkillInfo* skill = VelDatabase::FindSkill(choice);
        if (!skill)
        {
            return {};
        }
        std::string text = skill->name;
        if (secondChoice != VelCharacterFeat::kNoChoice)
        {
            if (const VelSubSkillInfo* subSkill = VelDatabase::FindSubSkill(choice, secondChoice))
            {
                text += " " + subSkill->name;
            }
        }
        return text;
    }
    case VelFeatInfo::kChoiceSchool:
        if (const VelSchoolInfo* school = VelDatabase::FindSchool(choice))
        {
            return school->name;
        }
        return {};
    case kChoiceNumber:
        return "(" + std::to_string(choice) + ")";
    default:
        return {};
    }
}
} // namespace

VelCharacterFeat::VelCharacterFeat(std::uint16_t featId, std::uint16_t choice,
                                   std::uint16_t secondChoice, std::uint16_t classId)
    : featId(featId), choice(choice), secondChoice(secondChoice), classId(classId)
{
}

VelCharacterFeat::~VelCharacterFeat() = default;

std::string VelCharacterFeat::GetName() const
{
    const VelFeatInfo* feat = VelDatabase::FindFeat(featId);
    if (!feat)
    {
        return {};
    }
    const bool hasChoice = choice != kNoChoice;
    std::string name = hasChoice ? feat->GetDisplayName() : feat->name;
    if (count > 1)
    {
        name += " x" + std::to_string(count);
    }
    if (hasChoice)
    {
        name += " " + ChoiceText(*feat, choice, secondChoice);
    }
    return name;
}

void VelCharacterFeat::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(featId);
        ar.WriteI16(count);
        ar.WriteU16(choice);
        ar.WriteU16(secondChoice);
        ar.WriteU16(classId);
        ar.WriteU32(flags);
        return;
    }
    ar.ReadU16(featId);
    ar.ReadI16(count);
    ar.ReadU16(choice);
    ar.ReadU16(secondChoice);
    ar.ReadU16(classId);
    ar.ReadU32(flags);
}

bool VelCharacterFeat::IsLess(const FCObject& other) const
{
    const auto* that = FCObjectAs<VelCharacterFeat>(other);
    if (!that)
    {
        return GetClassName() < other.GetClassName();
    }
    const auto key = [](const VelCharacterFeat& f)
    {
        return std::tuple(static_cast<std::int16_t>(f.featId), static_cast<std::int16_t>(f.classId),
                          static_cast<std::int16_t>(f.choice),
                          static_cast<std::int16_t>(f.secondChoice), (f.flags & kBonusFeat) != 0);
    };
    return key(*this) < key(*that);
}
