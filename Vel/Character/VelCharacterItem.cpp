#include "Vel/Character/VelCharacterItem.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
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
    : itemKey(itemKey), record(FCCountedRef<VelItemInfo>::Share(record)),
      recordId(record ? static_cast<std::uint16_t>(record->key) : kNoRecord)
{
}

VelCharacterItem::~VelCharacterItem() = default;

void VelCharacterItem::SetHeldObject(VelItemInfo* newRecord)
{
    // Share first: the new record may be the one held, with our reference
    // its last.
    FCCountedRef<VelItemInfo> held = FCCountedRef<VelItemInfo>::Share(newRecord);
    record = std::move(held);
    recordId = newRecord ? static_cast<std::uint16_t>(newRecord->key) : kNoRecord;
}

std::string VelCharacterItem::GetName() const
{
    return FormatName(record.Get(), options, count);
}

std::string VelCharacterItem::FormatName(const VelItemInfo* record, std::uint32_t options,
                                         std::uint32_t value)
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
        name += " +" + std::to_string(static_cast<std::int32_t>(value));
    }
    else if (options & kSpellBased)
    {
        if (const VelSpellInfo* spell = FindSpellOf(value))
        {
            name += " " + spell->GetDisplayName();
        }
    }
    return name;
}

const VelSpellInfo* VelCharacterItem::FindSpellOf(std::uint32_t value)
{
    // A key past the signed 16-bit range names no spell, rather than the
    // one its low bits hit.
    return value <= static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max())
               ? VelDatabase::FindSpell(static_cast<std::uint16_t>(value))
               : nullptr;
}

void VelCharacterItem::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(itemKey);
        ar.WriteU32(count);
        ar.WriteU16(record ? static_cast<std::uint16_t>(record->key) : recordId);
        ar.WriteI16(placement);
        ar.WriteU32(price);
        ar.WriteU16(coinKind);
        ar.WriteU32(options);
        ar.WriteU32(optionValue);
        return;
    }
    std::uint16_t storedId = kNoRecord;
    ar.ReadU16(itemKey);
    ar.ReadU32(count);
    const bool haveId = ar.ReadU16(storedId);
    ar.ReadI16(placement);
    SetHeldObject(haveId ? VelDatabase::FindItem(storedId) : nullptr);
    // The character's loader logs entries whose record is missing.
    if (haveId)
    {
        recordId = storedId;
    }
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
