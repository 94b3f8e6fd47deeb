#include "Vel_ui/Vel_UIGoodsStats.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Ui/UITextControl.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"

FC_REGISTER_CLASS(Vel_UIGoodsStats);

Vel_UIGoodsStats::~Vel_UIGoodsStats() = default;

std::string Vel_UIGoodsStats::GetClassName() const
{
    return "Vel_UIGoodsStats";
}
std::string Vel_UIGoodsStats::GetTypeName() const
{
    return "Vel_UIGoodsStats";
}
FCObject* Vel_UIGoodsStats::Clone() const
{
    return new Vel_UIGoodsStats(*this);
}
FCObject* Vel_UIGoodsStats::CreateNew() const
{
    return new Vel_UIGoodsStats();
}

void Vel_UIGoodsStats::ShowItem(const VelItemInfo* record, std::uint32_t options, std::int32_t,
                                std::uint32_t)
{
    const auto* goods = dynamic_cast<const VelGoodsInfo*>(record);
    if (!goods)
    {
        Clear(fields);
        return;
    }
    // Goods that are owned but never carried (animals, carts) weigh nothing
    // on the character.
    ShowText(fields[0], goods->usable ? FormatWeight(GetItemWeight(goods, options)) : "-");
    const float amount = GetItemCapacity(goods, options);
    ShowText(fields[1], amount > 0.0f ? FormatAmountWithUnit(amount, goods->unit) : std::string());
}
