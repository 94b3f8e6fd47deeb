#include "Vel_ui/Vel_UIWeaponStats.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelFormatRules.h"

FC_REGISTER_CLASS(Vel_UIWeaponStats);

Vel_UIWeaponStats::~Vel_UIWeaponStats() = default;

std::string Vel_UIWeaponStats::GetClassName() const
{
    return "Vel_UIWeaponStats";
}
std::string Vel_UIWeaponStats::GetTypeName() const
{
    return "Vel_UIWeaponStats";
}
FCObject* Vel_UIWeaponStats::Clone() const
{
    return new Vel_UIWeaponStats(*this);
}
FCObject* Vel_UIWeaponStats::CreateNew() const
{
    return new Vel_UIWeaponStats();
}

void Vel_UIWeaponStats::ShowItem(const VelItemInfo* record, std::uint32_t, std::int32_t,
                                 std::uint32_t)
{
    const auto* weapon = dynamic_cast<const VelWeaponInfo*>(record);
    if (!weapon)
    {
        Clear(fields);
        return;
    }
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    ShowText(fields[0], FormatWeaponDamageDice(character, weapon));
    ShowText(fields[1], FormatCriticalRange(character, weapon));
    ShowText(fields[2], FormatRangeIncrement(character, weapon));
    // The record's own weight, whoever would carry it.
    ShowText(fields[3], FormatWeight(weapon->weight));
    // Only the four size classes the selectors offer have a name.
    const std::string* size = weapon->size >= 0 && weapon->size < kSizeCount
                                  ? TextOf(kFirstSizeText + weapon->size)
                                  : nullptr;
    ShowText(fields[4], size && !size->empty() ? size->substr(0, 1) : std::string("-"));
    const std::string* wound = TextOf(kFirstWoundText + weapon->typeText);
    ShowText(fields[5], wound ? *wound : std::string("-"));
}
