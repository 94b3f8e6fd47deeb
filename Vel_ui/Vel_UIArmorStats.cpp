#include "Vel_ui/Vel_UIArmorStats.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"

FC_REGISTER_CLASS(Vel_UIArmorStats);

Vel_UIArmorStats::~Vel_UIArmorStats() = default;

std::string Vel_UIArmorStats::GetClassName() const
{
    return "Vel_UIArmorStats";
}
std::string Vel_UIArmorStats::GetTypeName() const
{
    return "Vel_UIArmorStats";
}
FCObject* Vel_UIArmorStats::Clone() const
{
    return new Vel_UIArmorStats(*this);
}
FCObject* Vel_UIArmorStats::CreateNew() const
{
    return new Vel_UIArmorStats();
}

void Vel_UIArmorStats::ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t a,
                                std::uint32_t)
{
    const auto* armor = dynamic_cast<const VelArmorInfo*>(record);
    std::int16_t bonus = 0;
    std::int16_t maxDex = 0;
    std::int16_t penalty = 0;
    std::int16_t failure = 0;
    std::int16_t speed = 0;
    if (!GetArmorStats(VelClient::GetCurrentCharacter(), armor, options, a, bonus, maxDex, penalty,
                       failure, speed))
    {
        Clear(fields);
        return;
    }
    ShowBonus(fields[0], bonus);
    ShowNumber(fields[1], penalty);
    ShowText(fields[2], std::to_string(failure) + "%");
    ShowNumber(fields[3], maxDex);
    ShowText(fields[4], std::to_string(speed) + " ft");
    ShowText(fields[5], FormatWeight(GetItemWeight(armor, options)));
}
