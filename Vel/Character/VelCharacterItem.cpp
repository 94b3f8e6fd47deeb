#include "Vel/Character/VelCharacterItem.h"

#include "Fc/FCArchive.h"
#include "Fc/FCClassRegistry.h"
#include "Fc/FCDebugLog.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSpellInfo.h"

#include <limits>

FC_REGISTER_CLASS(VelCharacterItem);

namespace
{
// Written in place of a record id when the entry holds no record.
constexpr std::uint16_t kNoRecord = 0xFFFF;
} // namespace

VelCharacterItem::VelCharacterItem(std::uint16_t itemKey, VelItemInfo* record)
    : itemKey(itemKey), record(FCCountedRef<VelItemInfo>::Share(record))
{
}

VelCharacterItem::~VelCharacterItem() = default;

void VelCharacterItem::SetHeldObject(VelItemInfo* newRecord)
{
    // Share first: the new record may be the one held, with our reference
    // its last.
    FCCountedRef<VelItemInfo> held = FCCountedRef<VelItemInfo>::Share(newRecord);
    record = std::move(held);
}

std::string VelCharacterItem::GetName() const
{
    if (!record)
    {
        return {};
    }
    std::string name = record->name;
    if (options & kMasterwork)
    {
        name += " MW";
    }
    else if (options & kEnhanced)
    {
        name += " +" + std::to_string(static_cast<std::int32_t>(count));
    }
    else if (options & kSpellBased)
    {
        // A key past the signed 16-bit range names no spell, rather than the
        // one its low bits hit.
        const VelSpellInfo* spell =
            count <= static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max())
                ? VelDatabase::FindSpell(static_cast<std::uint16_t>(count))
                : nullptr;
        if (spell)
        {
            name += " " + spell->GetDisplayName();
        }
    }
    return name;
}

void VelCharacterItem::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(itemKey);
        ar.WriteU32(count);
        ar.WriteU16(record ? static_cast<std::uint16_t>(record->key) : kNoRecord);
        ar.WriteI16(placement);
        ar.WriteU32(price);
        ar.WriteU16(coinKind);
        ar.WriteU32(options);
        ar.WriteU32(optionValue);
        return;
    }
    std::uint16_t recordId = kNoRecord;
    ar.ReadU16(itemKey);
    ar.ReadU32(count);
    const bool haveId = ar.ReadU16(recordId);
    ar.ReadI16(placement);
    VelItemInfo* found = haveId ? VelDatabase::FindItem(recordId) : nullptr;
    if (haveId && !found)
    {
        FC_LOG("Owned item %u: no item record %u\n", static_cast<unsigned>(itemKey),
               static_cast<unsigned>(recordId));
    }
    SetHeldObject(found);
    if (ar.GetVersion() > 1)
    {
        ar.ReadU32(price);
        ar.ReadU16(coinKind);
        ar.ReadU32(options);
        ar.ReadU32(optionValue);
        return;
    }
    // Older bodies carry no price: the character's loader revalues them.
    const VelCharacterItem fresh;
    price = fresh.price;
    coinKind = fresh.coinKind;
    options = fresh.options;
    optionValue = fresh.optionValue;
}
