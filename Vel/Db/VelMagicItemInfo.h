#pragma once

#include "Vel/Db/VelItemInfo.h"

#include <cstdint>

// A magic item (item kind code 2004). Its file data has no weight, special
// cost key or class-3 flag: those keep their defaults.
class VelMagicItemInfo : public VelRecord<VelMagicItemInfo, VelItemInfo>
{
public:
    static constexpr const char* kClassName = "VelMagicItemInfo";
    // Priced by the spell it is made from alone.
    static constexpr std::uint16_t kMagicKindSpellPriced = 6;

    VelMagicItemInfo() { SetTypeCode(kMagicItemCode); }

    void AfterLoad();

    template <class V> void Fields(V& v)
    {
        VelItemInfo::Fields(v);
        v("basePrice", basePrice);
        v("coinKind", coinKind);
        v("magicKind", magicKind);
        v("wordA", wordA);
        v("wordB", wordB);
    }

    std::uint16_t magicKind = 0;
    std::uint16_t wordA = 0;
    std::uint16_t wordB = 0;
};
