#pragma once

#include "Vel/Db/VelRecord.h"

#include <cstdint>
#include <string>

// Base of the five item kinds (all in table 185, keyed by item id). The
// kinds read the base's numbers themselves, each in its own file order, so
// the base's field list holds only the three texts that all of them begin
// with.
class VelItemInfo : public VelRecord<VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelItemInfo";

    // Type codes of the kinds, as the rules test them.
    static constexpr std::uint16_t kWeaponCode = 2000;
    static constexpr std::uint16_t kArmorCode = 2001;
    static constexpr std::uint16_t kShieldCode = 2002;
    static constexpr std::uint16_t kGoodsCode = 2003;
    static constexpr std::uint16_t kMagicItemCode = 2004;

    // First key of the enhancement price rows (table 315); -1 for the kinds
    // that have none.
    virtual std::int16_t GetItemKind() const { return -1; }

    template <class V> void Fields(V& v)
    {
        v("name", name);
        v("iconFile", iconFile);
        v("description", description);
    }

    std::string name;
    // Looked up under "\Icons\".
    std::string iconFile;
    std::string description;
    // Price counted in coinKind.
    std::uint32_t basePrice = 0;
    // 0 the lowest coin, 1 the middle coin (x10), 2 the highest coin (x100).
    std::int16_t coinKind = 0;
    // Pounds.
    float weight = 0.0f;
    // Special-cost row (table 320) of the masterwork option; 0 none.
    std::uint16_t specialCostKey = 0;
    // Set: a character having class 3 cannot use the item.
    std::uint8_t forbiddenToClass3 = 0;
};
