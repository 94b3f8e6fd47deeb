#include "Vel_ui/Vel_UIEquip.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIEquipHandItem.h"
#include "Vel_ui/Vel_UIItemStats.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <limits>

FC_REGISTER_CLASS(Vel_UIEquip);

namespace
{
void ShowText(UITextControl* field, const std::string& text)
{
    if (field)
        field->SetText(text);
}

void ShowNumber(UITextControl* field, std::int32_t value)
{
    if (field)
        field->SetLong(value);
}

void ShowControl(UIControl* control, bool show)
{
    if (control)
        control->SetVisible(show ? 1 : 0);
}

VelCharacterItem* EntryOf(const VelCharacter* character, std::intptr_t key)
{
    if (!character || key < 0 || key > std::numeric_limits<std::int16_t>::max())
        return nullptr;
    return character->FindItem(static_cast<std::uint16_t>(key));
}

void Changed(VelCharacter* character)
{
    if (!character)
        return;
    character->modified = 1;
    character->NotifyChanged();
}

VelCharacterEquip* SetAt(const VelCharacter& character, std::uint32_t index)
{
    return static_cast<VelCharacterEquip*>(
        character.equipSets.GetAt(static_cast<std::int32_t>(index)));
}
} // namespace

Vel_UIEquip::Vel_UIEquip() = default;

Vel_UIEquip::Vel_UIEquip(const Vel_UIEquip& other)
    : Vel_UIPanel(other), VelInventoryList(other), handTemplate(other.handTemplate),
      iconTemplate(other.iconTemplate)
{
    // Quietly: the registered prototype is copied before it has children.
    BindChildren(false);
    Bind(this, kEquipMode, false);
}

Vel_UIEquip::~Vel_UIEquip() = default;

std::string Vel_UIEquip::GetClassName() const
{
    return "Vel_UIEquip";
}
std::string Vel_UIEquip::GetTypeName() const
{
    return "Vel_UIEquip";
}
FCObject* Vel_UIEquip::Clone() const
{
    return new Vel_UIEquip(*this);
}
FCObject* Vel_UIEquip::CreateNew() const
{
    return new Vel_UIEquip();
}

bool Vel_UIEquip::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    if (pool)
        pool->SetDragFlags(static_cast<std::uint16_t>(pool->GetDragFlags() | kDragContainer));
    Bind(this, kEquipMode);
    return true;
}

void Vel_UIEquip::BindChildren(bool logMissing)
{
    caption = FindChildAs<UITextControl>(kCaption, logMissing);
    wornList = FindChildAs<Vel_UIListBox>(kWornList, logMissing);
    weightText = FindChildAs<UITextControl>(kWeightText, logMissing);
    loadText = FindChildAs<UITextControl>(kLoadText, logMissing);
    handItemName = FindChildAs<UITextControl>(kHandItemName, logMissing);
    attackPanel = FindChildAs<UIControl>(kAttackPanel, logMissing);
    for (std::size_t i = 0; i < attackTexts.size(); ++i)
        attackTexts[i] = FindChildAs<UITextControl>(static_cast<std::uint16_t>(kFirstAttackText + i), logMissing);
    armorClassPanel = FindChildAs<UIControl>(kArmorClassPanel, logMissing);
    for (std::size_t i = 0; i < armorClassTexts.size(); ++i)
        armorClassTexts[i] = FindChildAs<UITextControl>(static_cast<std::uint16_t>(kFirstArmorClassText + i), logMissing);
    pool = FindChildAs<Vel_UIListBox>(kPool, logMissing);
}

void Vel_UIEquip::EnterPage()
{
    // The window's shared button has nothing to do here.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    FillCategories();
    ShowLoad();
}

void Vel_UIEquip::OnCharacterChanged(VelCharacter* character)
{
    if (!character)
        return;
    if (character->changeMask & (VelCharacter::kChangedSpeed | VelCharacter::kChangedLoad))
        ShowLoad();
    if ((character->changeMask & VelCharacter::kChangedArmorClass) && category == kArmorAndShields)
        ShowArmorClass();
}

// --- Lists ---

void Vel_UIEquip::RefreshLists()
{
    FillPool();
    if (caption)
        caption->SetTextId(static_cast<std::uint16_t>(kFirstCaptionText + category));
    const bool weapons = category == kWeapons;
    ShowControl(attackPanel, weapons);
    ShowControl(handItemName, weapons);
    ShowControl(armorClassPanel, !weapons && category != kGoods);
    if (!weapons && category != kGoods)
        ShowArmorClass();
    if (weapons)
        ShowAttack(nullptr, 0);
    // A pool weapon dropped on a hand stays in the pool; an item taken by
    // the worn list leaves it.
    if (pool)
    {
        const std::uint16_t flags = pool->GetDragFlags();
        pool->SetDragFlags(weapons ? static_cast<std::uint16_t>(flags & ~kRemoveOnAccept)
                                   : static_cast<std::uint16_t>(flags | kRemoveOnAccept));
    }
    // The hand rows are no drop target; the worn items come and go.
    Vel_UIItemTray::SetAcceptsDrops(wornList, !weapons);
    Vel_UIItemTray::SetMovesRows(wornList, !weapons);
    FillWornList();
}

void Vel_UIEquip::FillPool()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!pool || !character)
        return;
    pool->RemoveAllItems();
    VelRulesWalk::Each<VelCharacterItem>(
        character->items,
        [&](VelCharacterItem& entry)
        {
            const VelItemInfo* record = entry.GetHeldObject();
            // Enhanced pieces are not put on here.
            if (!record || (entry.options & VelCharacterItem::kEnhanced) || !IsItemShown(record))
                return false;
            // A weapon may be in several sets, so it stays in the pool.
            const bool weapon = record->GetTypeCode() == VelItemInfo::kWeaponCode;
            if (!weapon && entry.placement != VelCharacterItem::kNotOnBody)
                return false;
            Vel_UIInvItem* row = CreateOwnedRowWithIcon(&entry);
            if (!row)
                return false;
            const bool usable = CanUseItem(character, record);
            row->SetDragFlags(
                static_cast<std::uint16_t>(row->GetDragFlags() | kDragObjectFromAncestor));
            row->SetFontVariant(usable ? 0 : 1);
            pool->AddRow(row, 0, false);
            row->SetDraggable(usable);
            return false;
        });
    pool->SortItems(Vel_UIItem::CompareByName);
    pool->UpdateLayout();
    // Every fill, so that what was just taken off is tested too.
    if (category == kArmorAndShields)
        UpdatePoolUsability();
}

void Vel_UIEquip::UpdatePoolUsability()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!pool || !character)
        return;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    pool->BeginIteration(cursor);
    while (pool->NextItem(item, cursor))
    {
        auto* row = dynamic_cast<Vel_UIInvItem*>(item);
        const VelCharacterItem* entry = row ? character->FindItem(row->itemKey) : nullptr;
        const VelItemInfo* record = entry ? entry->GetHeldObject() : nullptr;
        if (!record)
            continue;
        bool wearable = false;
        if (record->GetTypeCode() == VelItemInfo::kArmorCode)
            wearable = character->GetWornArmor() == nullptr;
        else if (record->GetTypeCode() == VelItemInfo::kShieldCode)
            wearable = character->CountPairSlotsInUse() < 2;
        wearable = wearable && CanUseItem(character, record);
        row->SetFontVariant(wearable ? 0 : 1);
        row->SetDraggable(wearable);
    }
}

void Vel_UIEquip::FillWornList()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!wornList || !character)
        return;
    if (category == kWeapons)
    {
        RepairEquipSets(*character);
        wornList->RemoveAllItems();
        for (std::uint32_t i = 0; i < character->equipSets.GetCount(); ++i)
            if (Vel_UIEquipHandItem* row = CreateHandRow(SetAt(*character, i)))
                wornList->AddRow(row, 0, false);
        wornList->UpdateLayout();
        return;
    }
    if (category != kGoods && category != kArmorAndShields)
        return;
    wornList->RemoveAllItems();
    VelRulesWalk::Each<VelCharacterItem>(character->items,
                                         [&](VelCharacterItem& entry)
                                         {
                                             if (entry.placement != VelCharacterItem::kNotOnBody &&
                                                 IsOfCurrentCategory(entry.GetHeldObject()))
                                                 if (Vel_UIInvItem* row =
                                                         CreateOwnedRowWithIcon(&entry))
                                                     wornList->AddRow(row, 0, false);
                                             return false;
                                         });
    wornList->SortItems(Vel_UIItem::CompareByName);
    wornList->UpdateLayout();
}

void Vel_UIEquip::RepairEquipSets(VelCharacter& character)
{
    for (std::uint32_t i = 0; i < character.equipSets.GetCount(); ++i)
    {
        VelCharacterEquip* set = SetAt(character, i);
        bool stale = false;
        for (std::size_t slot = 0; set && slot < VelCharacterEquip::kSlotCount; ++slot)
        {
            const std::uint16_t key = set->slots[slot];
            if (key != VelCharacterEquip::kEmptySlot && !character.FindItem(key))
            {
                FC_LOG("An equipment set holds item %u, which the character does not own\n", key);
                set->SetSlot(static_cast<std::int16_t>(slot), VelCharacterEquip::kEmptySlot);
                stale = true;
            }
        }
        if (stale)
            set->UpdateModes(&character);
    }
    // Backwards, so that removing a set leaves the rest where they are.
    for (std::uint32_t i = character.equipSets.GetCount(); i-- > 0;)
    {
        VelCharacterEquip* set = SetAt(character, i);
        if (!set || (set->IsEmpty() && i + 1 != character.equipSets.GetCount()))
            character.RemoveEquip(set);
    }
    const std::uint32_t count = character.equipSets.GetCount();
    if (count == 0 || !SetAt(character, count - 1)->IsEmpty())
        AddDefaultEquipSet(&character);
}

Vel_UIEquipHandItem* Vel_UIEquip::CreateHandRow(VelCharacterEquip* set)
{
    if (!handTemplate)
        handTemplate = FCCountedRef<Vel_UIEquipHandItem>::Adopt(
            Vel_UIItem::CreateFromLayoutAs<Vel_UIEquipHandItem>(kHandRowLayout));
    if (!handTemplate)
        return nullptr;
    auto* row = static_cast<Vel_UIEquipHandItem*>(handTemplate->Clone());
    row->SetEquipSet(set);
    return row;
}

Vel_UIEquipHandItem* Vel_UIEquip::FindHandRow(const VelCharacterEquip* set) const
{
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    if (!wornList || !set)
        return nullptr;
    wornList->BeginIteration(cursor);
    while (wornList->NextItem(item, cursor))
        if (auto* row = dynamic_cast<Vel_UIEquipHandItem*>(item); row && row->GetEquipSet() == set)
            return row;
    return nullptr;
}

UIControl* Vel_UIEquip::CreateDragObjectFor(UIControl* control)
{
    auto* row = dynamic_cast<Vel_UIItem*>(control);
    if (!row)
        return nullptr;
    if (!iconTemplate)
        iconTemplate =
            FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(kDragIconLayout));
    Vel_UIItem* icon = nullptr;
    if (iconTemplate)
    {
        icon = static_cast<Vel_UIItem*>(iconTemplate->Clone());
        const VelCharacterItem* entry = EntryOf(VelClient::GetCurrentCharacter(), row->key);
        icon->SetColumnImageBuffer(0, entry ? GetItemIcon(entry->GetHeldObject()) : nullptr);
    }
    else
        // Without the icon layout the row itself is dragged.
        icon = static_cast<Vel_UIItem*>(row->Clone());
    icon->SetDraggable(true);
    icon->kind = Vel_UIEquipHandItem::kPoolKind;
    icon->key = row->key;
    return icon;
}

// --- Putting on and taking off ---

void Vel_UIEquip::PutOn(UIControl* dropped)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(dropped);
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterItem* entry = row ? EntryOf(character, row->key) : nullptr;
    if (!entry)
        return;
    if (!EquipItem(character, entry, true))
    {
        // Refused (a second suit of armour, a third shield): the pool shows
        // the item again, where it was.
        const Vel_UIListKeepPlace keep(pool);
        FillPool();
        return;
    }
    if (Vel_UIInvItem* worn = CreateOwnedRowWithIcon(entry))
        wornList->AddRow(worn, 0, true);
    if (category == kArmorAndShields)
    {
        UpdatePoolUsability();
        ShowArmorClass();
    }
    Changed(character);
}

void Vel_UIEquip::TakeOff(UIControl* removed)
{
    const auto* row = dynamic_cast<const Vel_UIInvItem*>(removed);
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterItem* entry = row && character ? character->FindItem(row->itemKey) : nullptr;
    if (!entry)
        return;
    UnequipItem(character, entry);
    {
        const Vel_UIListKeepPlace keep(pool);
        FillPool();
    }
    if (category == kArmorAndShields)
        ShowArmorClass();
    Changed(character);
}

void Vel_UIEquip::AddSet()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    AddDefaultEquipSet(character);
    const std::uint32_t count = character->equipSets.GetCount();
    if (count > 0 && wornList)
        if (Vel_UIEquipHandItem* row = CreateHandRow(SetAt(*character, count - 1)))
        {
            wornList->AddRow(row, 0, true);
            wornList->ScrollToItem(row);
        }
    Changed(character);
}

void Vel_UIEquip::RemoveSet(Vel_UIEquipHandItem* handRow)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterEquip* set = handRow ? handRow->GetEquipSet() : nullptr;
    const std::uint32_t count = character ? character->equipSets.GetCount() : 0;
    if (!set || count == 0)
        return;
    // The last set is the empty one the next weapon goes into.
    if (SetAt(*character, count - 1) == set)
    {
        handRow->SetEquipSet(set);
        return;
    }
    const auto hold = FCCountedRef<Vel_UIEquipHandItem>::Share(handRow);
    character->RemoveEquip(set);
    if (wornList)
        wornList->RemoveItem(handRow, true);
    Changed(character);
}

// --- What the page shows ---

void Vel_UIEquip::ShowAttack(const VelCharacterEquip* set, std::int16_t hand)
{
    if (!set || hand < 0 || static_cast<std::size_t>(hand) >= VelCharacterEquip::kSlotCount)
    {
        for (UITextControl* text : attackTexts)
            ShowText(text, std::string());
        ShowText(handItemName, std::string());
        return;
    }
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    const std::int32_t base = character->stats[VelEntity::kBaseAttack];
    std::int32_t ability = 0;
    // An empty hand has no weapon part; a weapon's carries the armour's
    // penalty, so a held weapon's parts add up to the window's attack.
    std::int32_t weaponBonus = 0;
    const std::uint16_t key = set->slots[static_cast<std::size_t>(hand)];
    const VelCharacterItem* entry =
        key != VelCharacterEquip::kEmptySlot ? EntryOf(character, key) : nullptr;
    const auto* weapon =
        entry ? dynamic_cast<const VelWeaponInfo*>(entry->GetHeldObject()) : nullptr;
    if (weapon)
    {
        ability = GetWeaponAbilityModifier(character, weapon);
        weaponBonus = GetWeaponAttackBonus(character, set, hand);
    }
    const std::int32_t penalty = GetTwoWeaponPenalty(character, set, hand);
    const std::int32_t adjustment = GetHandAttackAdjustment(character, set, hand);
    const std::int32_t parts[] = {base + ability + penalty + adjustment + weaponBonus,
                                  base,
                                  ability,
                                  penalty,
                                  adjustment,
                                  weaponBonus};
    for (std::size_t i = 0; i < std::size(parts); ++i)
        ShowNumber(attackTexts[i], parts[i]);
    UITextControl* damage = attackTexts[kAttackTextCount - 1];
    if (weapon)
    {
        ShowText(damage, FormatDamageRange(character, weapon, set, hand));
        Vel_UIWin_CharConfig::ShowHelpText(weapon->description);
        ShowText(handItemName, entry->GetName());
    }
    else
    {
        ShowText(damage, "-");
        Vel_UIWin_CharConfig::RestoreHelpText();
        ShowText(handItemName, std::string());
    }
}

void Vel_UIEquip::ShowArmorClass()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    const std::int32_t parts[] = {
        kBaseArmorClass, GetDexBonusToArmorClass(character),
        static_cast<std::int32_t>(character->values[VelCharacter::kValueArmorBonus]),
        static_cast<std::int32_t>(character->values[VelCharacter::kValueShieldBonus]),
        GetClassAndSizeArmorBonus(character, false)};
    std::int32_t total = 0;
    for (std::size_t i = 0; i < std::size(parts); ++i)
    {
        total += parts[i];
        ShowNumber(armorClassTexts[i + 1], parts[i]);
    }
    ShowNumber(armorClassTexts[0], total);
}

void Vel_UIEquip::ShowLoad()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    ShowText(weightText, FormatWeight(character->carriedWeight));
    const auto load = static_cast<std::int32_t>(character->values[VelCharacter::kValueLoad]);
    const std::string* name = load >= 0 ? Vel_UIItemStats::TextOf(kFirstLoadText + load) : nullptr;
    ShowText(loadText, name ? *name : std::string("-"));
}

// --- Messages ---

bool Vel_UIEquip::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return Vel_UIPanel::HandleNotify(event);
    const auto hold = FCCountedRef<Vel_UIEquip>::Share(this);
    switch (event.type)
    {
    case UIMessage::kChanged:
        if (event.param1 != 1)
            OnSelectorChanged(event);
        break;
    case UIMessage::kDroppedOnto:
        if (sender == wornList)
            PutOn(reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kChildDraggedOut:
        // Only the worn list's reports; the pool's are the rows it gave up.
        if (sender == wornList)
            TakeOff(reinterpret_cast<UIControl*>(event.param1));
        break;
    case Vel_UIEquipHandItem::kNewSetMessage:
        if (dynamic_cast<Vel_UIEquipHandItem*>(sender))
            AddSet();
        return true;
    case Vel_UIEquipHandItem::kRemoveSetMessage:
        if (auto* handRow = dynamic_cast<Vel_UIEquipHandItem*>(sender))
            RemoveSet(handRow);
        return true;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIEquip::OnMouseOverEnter(UIControl* control)
{
    if (!control->GetParent())
        return true;
    if (Vel_UIItemTray* tray = Vel_UIEquipHandItem::TrayOf(control))
    {
        const Vel_UIEquipHandItem* handRow = Vel_UIEquipHandItem::RowOf(tray);
        ShowAttack(handRow ? handRow->GetEquipSet() : nullptr,
                   handRow ? handRow->SlotOf(tray) : -1);
        return true;
    }
    ShowItemUnderPointer(control);
    return false;
}

bool Vel_UIEquip::OnMouseOverLeave(UIControl* control)
{
    if (Vel_UIEquipHandItem::TrayOf(control))
    {
        ShowAttack(nullptr, 0);
        Vel_UIWin_CharConfig::RestoreHelpText();
        return true;
    }
    ClearItemUnderPointer(control);
    return false;
}
