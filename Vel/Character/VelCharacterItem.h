#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Fc/Core/FCObject.h"
#include "Vel/Db/VelItemInfo.h"

#include <cstdint>
#include <string>

class VelSpellInfo;

// An item the character owns. It keeps its database record alive with a
// counted reference of its own.
class VelCharacterItem : public FCObject
{
public:
    static constexpr const char* kClassName = "VelCharacterItem";

    // Where the item is (placement).
    static constexpr std::int16_t kNotOnBody = 0;
    static constexpr std::int16_t kCarried = 1;
    static constexpr std::int16_t kWornArmor = 2;
    static constexpr std::int16_t kFirstShield = 3;
    static constexpr std::int16_t kSecondShield = 4;

    // Bits of options: how the item was bought.
    static constexpr std::uint32_t kMasterwork = 0x01;
    static constexpr std::uint32_t kSmall = 0x02;
    static constexpr std::uint32_t kEnhanced = 0x40;
    static constexpr std::uint32_t kSpellBased = 0x80;

    VelCharacterItem() = default;
    // Takes a reference on the record (which may be null).
    VelCharacterItem(std::uint16_t itemKey, VelItemInfo* record);
    // The copy takes its own reference on the record.
    VelCharacterItem(const VelCharacterItem& other) = default;
    ~VelCharacterItem() override;

    // Releases the record held, then takes a reference on the new one.
    void SetHeldObject(VelItemInfo* newRecord);
    VelItemInfo* GetHeldObject() const { return record.Get(); }

    // The record's name with how it was bought: " MW", " +N" or the spell's
    // name; empty without a record.
    std::string GetName() const;
    // The same for a record bought with these options; value is the
    // enhancement bonus or the spell key.
    static std::string FormatName(const VelItemInfo* record, std::uint32_t options,
                                  std::uint32_t value);
    // The spell a spell-based item's value names, or null.
    static const VelSpellInfo* FindSpellOf(std::uint32_t value);

    // Price, coin kind and the two options words are read only from
    // version 2 bodies (the archive's version); the record is looked up by
    // its id in the item table. An id the table lacks is kept and written
    // back, so that a character outlives a missing or older database.
    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override { return kClassName; }
    std::string GetTypeName() const override { return kClassName; }
    FCObject* Clone() const override { return new VelCharacterItem(*this); }
    FCObject* CreateNew() const override { return new VelCharacterItem(); }

    // The character's own key for the entry (not the record's id).
    std::uint16_t itemKey = 0;
    FCCountedRef<VelItemInfo> record;
    // The record's id; kept when the database lacks the record.
    std::uint16_t recordId = 0xFFFF;
    // The enhancement bonus, or the spell key of a spell-based item.
    std::uint32_t count = 0;
    std::int16_t placement = kNotOnBody;
    // In coinKind.
    std::uint32_t price = 0;
    std::uint16_t coinKind = 2;
    std::uint32_t options = 0;
    // The caster class of a spell-based item.
    std::uint32_t optionValue = 0;
};
