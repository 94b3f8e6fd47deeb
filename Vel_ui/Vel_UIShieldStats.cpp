#include "Vel_ui/Vel_UIShieldStats.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"

FC_REGISTER_CLASS(Vel_UIShieldStats);

Vel_UIShieldStats::~Vel_UIShieldStats() = default;

std::string Vel_UIShieldStats::GetClassName() const
{
    return "Vel_UIShieldStats";
}
std::string Vel_UIShieldStats::GetTypeName() const
{
    return "Vel_UIShieldStats";
}
FCObject* Vel_UIShieldStats::Clone() const
{
    return new Vel_UIShieldStats(*this);
}
FCObject* Vel_UIShieldStats::CreateNew() const
{
    return new Vel_UIShieldStats();
}

void Vel_UIShieldStats::ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                                 std::uint32_t)
{
    const auto* shield = dynamic_cast<const VelShieldInfo*>(record);
    std::int16_t bonus = 0;
    std::int16_t penalty = 0;
    std::int16_t failure = 0;
    if (!GetShieldStats(VelClient::GetCurrentCharacter(), shield, options, a, bonus, penalty,
                        failure))
    {
        Clear(fields);
        return;
    }
    ShowBonus(fields[0], bonus);
    ShowNumber(fields[1], penalty);
    ShowText(fields[2], std::to_string(failure) + "%");
    // A shield has no dexterity limit and leaves the speed alone.
    ShowText(fields[3], "-");
    ShowText(fields[4], "-");
    ShowText(fields[5], FormatWeight(GetItemWeight(shield, options)));
}
