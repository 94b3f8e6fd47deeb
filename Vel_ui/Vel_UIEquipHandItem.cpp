#include "Vel_ui/Vel_UIEquipHandItem.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIGroup.h"
#include "Ui/UIMessages.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel_ui/Vel_UIItemTray.h"

#include <limits>

FC_REGISTER_CLASS(Vel_UIEquipHandItem);

namespace
{
constexpr std::uint16_t kEmpty = VelCharacterEquip::kEmptySlot;

bool IsTwoHanded(std::int16_t gripMode)
{
    return gripMode == VelCharacterEquip::kTwoHands || gripMode == VelCharacterEquip::kTwoHandsAlt;
}

// An owned-item key as a slot holds it; kEmpty for anything out of range.
std::uint16_t SlotKey(std::intptr_t key)
{
    return key >= 0 && key <= std::numeric_limits<std::int16_t>::max()
               ? static_cast<std::uint16_t>(key)
               : kEmpty;
}

VelCharacterItem* OwnedEntry(const VelCharacter* character, std::uint16_t key)
{
    return character && key != kEmpty ? character->FindItem(key) : nullptr;
}

void Changed(VelCharacter* character)
{
    if (!character)
        return;
    character->modified = 1;
    character->NotifyChanged();
}
} // namespace

Vel_UIEquipHandItem::Vel_UIEquipHandItem() = default;

Vel_UIEquipHandItem::Vel_UIEquipHandItem(const Vel_UIEquipHandItem& other)
    : Vel_UIItem(other), itemKey(other.itemKey), emptyTexts(other.emptyTexts),
      equipSet(other.equipSet)
{
    BindParts(false);
}

Vel_UIEquipHandItem::~Vel_UIEquipHandItem() = default;

std::string Vel_UIEquipHandItem::GetClassName() const
{
    return "Vel_UIEquipHandItem";
}
std::string Vel_UIEquipHandItem::GetTypeName() const
{
    return "Vel_UIEquipHandItem";
}
FCObject* Vel_UIEquipHandItem::Clone() const
{
    return new Vel_UIEquipHandItem(*this);
}
FCObject* Vel_UIEquipHandItem::CreateNew() const
{
    return new Vel_UIEquipHandItem();
}

bool Vel_UIEquipHandItem::Load(FCFile& file)
{
    if (!Vel_UIItem::Load(file))
        return false;
    BindParts(true);
    return true;
}

void Vel_UIEquipHandItem::BindParts(bool logMissing)
{
    for (std::size_t slot = 0; slot < trays.size(); ++slot)
    {
        const auto trayId = static_cast<std::uint16_t>(kFirstTray + slot);
        trays[slot] = dynamic_cast<Vel_UIItemTray*>(FindDescendant(trayId));
        if (!trays[slot])
        {
            if (logMissing)
                FC_LOG("Hand row has no tray %u\n", trayId);
            continue;
        }
        trays[slot]->SetAcceptDropCallback(&Vel_UIEquipHandItem::QueryAcceptSlot);
        const auto* holder = dynamic_cast<const Vel_UIItem*>(trays[slot]->GetHolder());
        if (!holder && logMissing)
            FC_LOG("Tray %u of the hand row holds no row\n", trayId);
        else if (holder && logMissing && holder->GetColumnControl(0))
            emptyTexts[slot] = holder->GetColumnText(0);
    }
    gripGroup = dynamic_cast<UIGroup*>(FindDescendant(kGripGroup));
    oneHandButton = FindDescendant(kOneHandButton);
    twoHandsButton = FindDescendant(kTwoHandsButton);
    twoWeaponsButton = FindDescendant(kTwoWeaponsButton);
    if ((!gripGroup || !oneHandButton || !twoHandsButton || !twoWeaponsButton) && logMissing)
        FC_LOG("Hand row lacks its grip group %u or one of its buttons\n", kGripGroup);
}

Vel_UIItemTray* Vel_UIEquipHandItem::GetTray(std::int16_t slot) const
{
    return slot == 0 || slot == 1 ? trays[static_cast<std::size_t>(slot)] : nullptr;
}

Vel_UIItem* Vel_UIEquipHandItem::GetSlotRow(std::int16_t slot) const
{
    const Vel_UIItemTray* tray = GetTray(slot);
    return tray ? dynamic_cast<Vel_UIItem*>(tray->GetHolder()) : nullptr;
}

std::int16_t Vel_UIEquipHandItem::SlotOf(const UIControl* tray) const
{
    for (std::size_t slot = 0; slot < trays.size(); ++slot)
        if (tray && trays[slot] == tray)
            return static_cast<std::int16_t>(slot);
    return -1;
}

Vel_UIEquipHandItem* Vel_UIEquipHandItem::RowOf(UIControl* control)
{
    for (UIControl* at = control; at; at = at->GetParent())
        if (auto* row = dynamic_cast<Vel_UIEquipHandItem*>(at))
            return row;
    return nullptr;
}

Vel_UIItemTray* Vel_UIEquipHandItem::TrayOf(UIControl* control)
{
    for (UIControl* at = control; at && !dynamic_cast<Vel_UIEquipHandItem*>(at);
         at = at->GetParent())
        if (auto* tray = dynamic_cast<Vel_UIItemTray*>(at);
            tray && (tray->GetId() == kFirstTray || tray->GetId() == kSecondTray))
            return tray;
    return nullptr;
}

void Vel_UIEquipHandItem::SetEquipSet(VelCharacterEquip* set)
{
    equipSet = FCCountedRef<VelCharacterEquip>::Share(set);
    if (set)
        set->UpdateModes(VelClient::GetCurrentCharacter());
    ShowSlots();
    SelectGripButton();
}

void Vel_UIEquipHandItem::ShowSlots()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelCharacterEquip* set = equipSet.Get();
    for (std::int16_t slot = 0; slot < static_cast<std::int16_t>(trays.size()); ++slot)
    {
        Vel_UIItemTray* tray = GetTray(slot);
        Vel_UIItem* row = GetSlotRow(slot);
        if (!tray || !row)
            continue;
        const std::uint16_t key = set ? set->slots[static_cast<std::size_t>(slot)] : kEmpty;
        row->SetVisible(1);
        row->SetInputFlags(static_cast<std::uint16_t>(row->GetInputFlags() | kReportEnterLeave));
        if (key != kEmpty)
        {
            const VelCharacterItem* entry = OwnedEntry(character, key);
            FCImageBuffer* icon = entry ? GetItemIcon(entry->GetHeldObject()) : nullptr;
            if (!icon)
                FC_LOG("No icon for the item %u in a hand\n", key);
            row->kind = kSlotKind;
            row->key = key;
            // Shown where the icon is missing; the icon covers it.
            if (row->GetColumnControl(0))
                row->SetColumnText(0, entry ? entry->GetName() : std::string());
            row->SetColumnImageBuffer(0, icon);
            row->SetDraggable(true);
            // Only an empty slot takes a drop; a full one lets its row go.
            tray->SetAcceptsDrops(false);
            tray->SetMovesRows(true);
        }
        else
        {
            row->key = -1;
            if (row->GetColumnControl(0))
                row->SetColumnText(0, emptyTexts[static_cast<std::size_t>(slot)]);
            row->SetColumnImageBuffer(0, nullptr);
            row->SetDraggable(false);
            tray->SetAcceptsDrops(true);
            tray->SetMovesRows(false);
        }
    }
    Invalidate();
}

void Vel_UIEquipHandItem::SelectGripButton()
{
    const VelCharacterEquip* set = equipSet.Get();
    if (!set || !gripGroup)
        return;
    std::uint16_t button = kOneHandButton;
    if (IsTwoHanded(set->gripMode))
        button = kTwoHandsButton;
    else if (set->gripMode == VelCharacterEquip::kTwoWeapons)
        button = kTwoWeaponsButton;
    gripGroup->SelectById(1, button, 1);
    UpdateGripButtons();
    gripGroup->Invalidate();
}

void Vel_UIEquipHandItem::UpdateGripButtons()
{
    const VelCharacterEquip* set = equipSet.Get();
    if (!set)
        return;
    const std::uint32_t allowed = set->allowedModes;
    const bool twoItems = (allowed & VelCharacterEquip::kBothHandsFull) != 0;
    const auto apply = [](UIControl* button, bool enabled, bool visible)
    {
        if (!button)
            return;
        button->SetEnabled(enabled ? 1 : 0);
        button->SetVisible(visible ? 1 : 0);
    };
    apply(oneHandButton, (allowed & VelCharacterEquip::kAllowsOneHand) != 0, !twoItems);
    apply(twoHandsButton, (allowed & VelCharacterEquip::kAllowsTwoHands) != 0, !twoItems);
    // Only shows that the set holds two weapons; never chosen.
    apply(twoWeaponsButton, false, twoItems);
    for (std::int16_t slot = 0; slot < static_cast<std::int16_t>(trays.size()); ++slot)
    {
        // A hand gripping a two-handed weapon holds nothing else.
        const bool closed =
            IsTwoHanded(set->gripMode) && set->slots[static_cast<std::size_t>(slot)] == kEmpty;
        if (Vel_UIItemTray* tray = GetTray(slot))
            tray->SetEnabled(closed ? 0 : 1);
        if (Vel_UIItem* row = GetSlotRow(slot))
            row->SetEnabled(closed ? 0 : 1);
    }
    Invalidate();
}

std::uint16_t Vel_UIEquipHandItem::QueryAcceptSlot(UIControl* tray, UIControl* dragged)
{
    const auto* item = dynamic_cast<const Vel_UIItem*>(dragged);
    if (!item || (item->kind != kPoolKind && item->kind != kSlotKind))
        return kNoAnswer;
    Vel_UIEquipHandItem* hand = RowOf(tray);
    const VelCharacterEquip* set = hand ? hand->GetEquipSet() : nullptr;
    const std::int16_t slot = hand ? hand->SlotOf(tray) : -1;
    if (!set || slot < 0)
        return kNoAnswer;
    const UIControl* source = dragged->GetDragContainer();
    if (source && hand->ContainsDescendant(source))
        return kAccept;
    const std::uint16_t key = SlotKey(item->key);
    // One item cannot be in both hands.
    if (key == kEmpty || set->slots[static_cast<std::size_t>(OtherSlot(slot))] == key)
        return kNoAnswer;
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    const VelCharacterItem* entry = OwnedEntry(character, key);
    const auto* weapon =
        entry ? dynamic_cast<const VelWeaponInfo*>(entry->GetHeldObject()) : nullptr;
    return CanHoldWeaponInSlot(character, weapon, set) ? kAccept : kNoAnswer;
}

void Vel_UIEquipHandItem::PutIntoSlot(std::int16_t slot, std::intptr_t ownedKey)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterEquip* set = equipSet.Get();
    const std::uint16_t key = SlotKey(ownedKey);
    VelCharacterItem* entry = OwnedEntry(character, key);
    if (!set || !entry)
        return;
    // The first item of a set: the next combination gets an empty set.
    if (set->IsEmpty())
        SendMessageToParent(kNewSetMessage);
    set->SetSlot(slot, key);
    if (entry->placement == VelCharacterItem::kNotOnBody)
        EquipItem(character, entry, true);
    set->UpdateModes(character);
    ShowSlots();
    SelectGripButton();
    Changed(character);
}

void Vel_UIEquipHandItem::MoveWithinRow(std::int16_t slot)
{
    VelCharacterEquip* set = equipSet.Get();
    if (!set)
        return;
    const std::int16_t other = OtherSlot(slot);
    set->SetSlot(slot, set->slots[static_cast<std::size_t>(other)]);
    set->SetSlot(other, kEmpty);
    VelCharacter* character = VelClient::GetCurrentCharacter();
    set->UpdateModes(character);
    ShowSlots();
    SelectGripButton();
    if (Vel_UIItem* row = GetSlotRow(other))
        row->SetVisible(1);
    Changed(character);
}

void Vel_UIEquipHandItem::EmptySlot(std::int16_t slot)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterEquip* set = equipSet.Get();
    if (!set || !character)
        return;
    const std::uint16_t key = set->slots[static_cast<std::size_t>(slot)];
    // Another set still holding the item keeps it on the character.
    if (VelCharacterItem* entry = OwnedEntry(character, key);
        entry && entry->placement != VelCharacterItem::kNotOnBody &&
        character->IsItemUnequipped(key, set))
        UnequipItem(character, entry);
    set->SetSlot(slot, kEmpty);
    set->UpdateModes(character);
    Changed(character);
    if (set->IsEmpty())
    {
        SendMessageToParent(kRemoveSetMessage);
        return;
    }
    ShowSlots();
    SelectGripButton();
}

void Vel_UIEquipHandItem::OnGripChosen(std::int16_t gripMode)
{
    VelCharacterEquip* set = equipSet.Get();
    if (!set)
        return;
    set->gripMode = gripMode;
    UpdateGripButtons();
    Changed(VelClient::GetCurrentCharacter());
}

bool Vel_UIEquipHandItem::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return false;
    // The page may remove this row while its handlers run (1501).
    const auto hold = FCCountedRef<Vel_UIEquipHandItem>::Share(this);
    const std::int16_t slot = SlotOf(sender);
    switch (event.type)
    {
    case UIMessage::kChanged:
        // The row's own selection (parameter 1) only shows the stored grip.
        if (event.param1 != 1 && equipSet)
        {
            if (sender == oneHandButton)
                OnGripChosen(VelCharacterEquip::kOneHand);
            else if (sender == twoHandsButton)
                OnGripChosen((equipSet->allowedModes & VelCharacterEquip::kAllowsTwoHandsAlt)
                                 ? VelCharacterEquip::kTwoHandsAlt
                                 : VelCharacterEquip::kTwoHands);
        }
        break;
    case UIMessage::kChildDraggedOut:
        if (slot >= 0)
        {
            EmptySlot(slot);
            return true;
        }
        break;
    case UIMessage::kDroppedOnto:
        if (slot >= 0)
        {
            auto* dropped = reinterpret_cast<UIControl*>(event.param1);
            const UIControl* source = dropped ? dropped->GetDragContainer() : nullptr;
            if (source && ContainsDescendant(source))
                MoveWithinRow(slot);
            else if (const auto* item = dynamic_cast<const Vel_UIItem*>(dropped))
                PutIntoSlot(slot, item->key);
        }
        break;
    default:
        break;
    }
    return Vel_UIItem::HandleNotify(event);
}
