#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel_ui/Vel_UIItem.h"

#include <array>
#include <cstdint>
#include <string>

class UIGroup;
class VelCharacter;
class Vel_UIItemTray;

// One equipment set on the equipment page: a slot for each hand, each a
// tray showing the held item's icon, and the grip: one hand, two hands, or
// (shown only) two weapons. Weapons are dropped into an empty slot, moved
// between the two slots or dragged out to let go of them. Tells the page
// when its set receives its first item (1500: the page adds the next empty
// set) and when its last item leaves (1501: the page removes the set).
class Vel_UIEquipHandItem : public Vel_UIItem
{
public:
    static constexpr std::uint16_t kFirstTray = 14580;
    static constexpr std::uint16_t kSecondTray = 14581;
    static constexpr std::uint16_t kGripGroup = 14590;
    static constexpr std::uint16_t kOneHandButton = 14595;
    static constexpr std::uint16_t kTwoHandsButton = 14596;
    static constexpr std::uint16_t kTwoWeaponsButton = 14597;
    // Row kinds that can be dropped into a slot: a pool item's drag icon,
    // and the row of a filled slot.
    static constexpr std::uint16_t kPoolKind = 20;
    static constexpr std::uint16_t kSlotKind = 21;
    // Messages to the page.
    static constexpr std::uint16_t kNewSetMessage = 1500;
    static constexpr std::uint16_t kRemoveSetMessage = 1501;

    Vel_UIEquipHandItem();
    // The copy finds its own trays and buttons and shows the same set.
    Vel_UIEquipHandItem(const Vel_UIEquipHandItem& other);
    ~Vel_UIEquipHandItem() override;

    std::string GetClassName() const override;
    std::string GetTypeName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    bool Load(FCFile& file) override;
    bool HandleNotify(UIEvent& event) override;

    // Keeps a reference to the set, so that the row never shows a set the
    // character has let go of.
    void SetEquipSet(VelCharacterEquip* set);
    VelCharacterEquip* GetEquipSet() const { return equipSet.Get(); }

    Vel_UIItemTray* GetTray(std::int16_t slot) const;
    // The row shown in a slot's tray.
    Vel_UIItem* GetSlotRow(std::int16_t slot) const;
    // 0 or 1 for this row's trays, else -1.
    std::int16_t SlotOf(const UIControl* tray) const;
    // The hand row a control lies in, or null.
    static Vel_UIEquipHandItem* RowOf(UIControl* control);
    // The slot's tray a control lies in (itself included), or null.
    static Vel_UIItemTray* TrayOf(UIControl* control);

    // The trays' accept-drop answer: an item for this set's hands.
    static std::uint16_t QueryAcceptSlot(UIControl* tray, UIControl* dragged);

    std::uint16_t itemKey = 0;

protected:
    void BindParts(bool logMissing);
    void ShowSlots();
    void SelectGripButton();
    void UpdateGripButtons();
    void PutIntoSlot(std::int16_t slot, std::intptr_t ownedKey);
    void MoveWithinRow(std::int16_t slot);
    void EmptySlot(std::int16_t slot);
    void OnGripChosen(std::int16_t gripMode);
    static std::int16_t OtherSlot(std::int16_t slot) { return slot == 0 ? 1 : 0; }

    std::array<Vel_UIItemTray*, VelCharacterEquip::kSlotCount> trays{};
    // What an empty slot's row says: the hand's name from the layout.
    std::array<std::string, VelCharacterEquip::kSlotCount> emptyTexts{};
    FCCountedRef<VelCharacterEquip> equipSet;
    UIGroup* gripGroup = nullptr;
    UIControl* oneHandButton = nullptr;
    UIControl* twoHandsButton = nullptr;
    UIControl* twoWeaponsButton = nullptr;
};
