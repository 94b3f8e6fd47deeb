#include "Vel_ui/Vel_UIInventory.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Devices/FCSystem.h"
#include "Ui/UIButton.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelLayoutNames.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIListRefill.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>
#include <limits>
#include <string>

FC_REGISTER_CLASS(Vel_UIInventory);

namespace
{
constexpr std::int16_t kHighCoin = 2;
// The scholar caster writes scrolls at the levels of the innate caster.
constexpr std::uint16_t kLevelsOfScholar = 9;

void ShowNumber(UITextControl* field, std::int32_t value)
{
    if (field)
        field->SetLong(value);
}

// The level at which a class writes each spell, by spell id (-1: it does
// not), from one walk of the spell levels rather than a search per spell.
// The scholar caster writes at the innate caster's levels, at its own only
// where the innate caster has none.
std::vector<std::int32_t> ScrollLevels(std::int16_t casterClass)
{
    const bool scholar = casterClass == VelIds::kClassScholarCaster;
    const std::int32_t lookup = scholar ? kLevelsOfScholar : casterClass;
    std::vector<std::int32_t> levels;
    std::vector<std::int32_t> ownLevels;
    const auto put = [](std::vector<std::int32_t>& into, std::int16_t spell, std::int32_t level)
    {
        if (into.size() <= static_cast<std::size_t>(spell))
            into.resize(static_cast<std::size_t>(spell) + 1, -1);
        into[static_cast<std::size_t>(spell)] = level;
    };
    VelDatabase::ForEach<VelSpellLevelInfo>(VelDatabase::kTagSpellLevel,
                                            [&](const VelSpellLevelInfo& row)
                                            {
                                                if (row.key < 0)
                                                    return;
                                                if (row.classId == lookup)
                                                    put(levels, row.key, row.level);
                                                else if (scholar && row.classId == casterClass)
                                                    put(ownLevels, row.key, row.level);
                                            });
    for (std::size_t spell = 0; spell < ownLevels.size(); ++spell)
        if (ownLevels[spell] >= 0 && (spell >= levels.size() || levels[spell] < 0))
            put(levels, static_cast<std::int16_t>(spell), ownLevels[spell]);
    return levels;
}
} // namespace

Vel_UIInventory::Vel_UIInventory() = default;

Vel_UIInventory::Vel_UIInventory(const Vel_UIInventory& other)
    : Vel_UIPanel(other), VelInventoryList(other)
{
    // Quietly: the registered prototype is copied before it has children.
    BindChildren(false);
    Bind(this, kInventoryMode, false);
}

Vel_UIInventory::~Vel_UIInventory() = default;

std::string Vel_UIInventory::GetClassName() const
{
    return "Vel_UIInventory";
}
std::string Vel_UIInventory::GetTypeName() const
{
    return "Vel_UIInventory";
}
FCObject* Vel_UIInventory::Clone() const
{
    return new Vel_UIInventory(*this);
}
FCObject* Vel_UIInventory::CreateNew() const
{
    return new Vel_UIInventory();
}

bool Vel_UIInventory::Load(FCFile& file)
{
    if (!Vel_UIPanel::Load(file))
        return false;
    BindChildren(true);
    if (highCoinScroll)
        highCoinScroll->SetRange(0, kMaxHighCoins);
    // The owned list takes drops, hides a row while it is dragged and loses
    // a row dropped where nothing takes it; the stock never shrinks.
    Vel_UIItemTray::SetAcceptsDrops(ownedList, true);
    Vel_UIItemTray::SetMovesRows(ownedList, true);
    if (stockList)
        stockList->SetDragFlags(
            static_cast<std::uint16_t>(stockList->GetDragFlags() | kDragContainer));
    Bind(this, kInventoryMode);
    return true;
}

void Vel_UIInventory::BindChildren(bool logMissing)
{
    lowCoinText = FindChildAs<UITextControl>(kLowCoinText, logMissing);
    middleCoinText = FindChildAs<UITextControl>(kMiddleCoinText, logMissing);
    highCoinScroll = FindChildAs<UINumberScroll>(kHighCoinScroll, logMissing);
    ownedValueText = FindChildAs<UITextControl>(kOwnedValueText, logMissing);
    worthText = FindChildAs<UITextControl>(kWorthText, logMissing);
    startingMoneyText = FindChildAs<UITextControl>(kStartingMoneyText, logMissing);
    ownedList = FindChildAs<Vel_UIListBox>(kOwnedList, logMissing);
    stockList = FindChildAs<Vel_UIListBox>(kStockList, logMissing);
    ignoreCostButton = FindChildAs<UIButton>(kIgnoreCostButton, logMissing);
}

void Vel_UIInventory::EnterPage()
{
    // The window's shared button has nothing to do here.
    Vel_UIWin_CharConfig::ShowButton(false);
    Vel_UIWin_CharConfig::SetHelpId(kScreenId);
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    // Gold held above what can be typed stays within reach while the page
    // is shown: a step down from it can be stepped up again.
    goldTop = std::max(character ? character->money.coins[kHighCoin] : 0, kMaxHighCoins);
    FillCategories();
    ShowEverything();
}

void Vel_UIInventory::ShowEverything()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    ShowMoney();
    if (startingMoneyText)
    {
        if (character->startingMoney == 0)
            startingMoneyText->SetText(kNoStartingMoney);
        else
            startingMoneyText->SetText(std::to_string(character->startingMoney));
    }
    FillOwnedList(*character);
    if (ignoreCostButton)
        ignoreCostButton->SetState(character->freeItems ? UIButton::kDown : UIButton::kUp);
}

void Vel_UIInventory::ShowMoney()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    ShowGold(character->money.coins[kHighCoin]);
    ShowNumber(middleCoinText, character->money.coins[1]);
    ShowNumber(lowCoinText, character->money.coins[0]);
    ShowValue(true);
}

void Vel_UIInventory::ShowValue(bool normalise)
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character)
        return;
    if (normalise)
        character->ownedItemsValue.Normalize();
    const std::int32_t owned = character->ownedItemsValue.coins[2];
    ShowNumber(ownedValueText, owned);
    ShowNumber(worthText, GetWealth(character));
}

void Vel_UIInventory::FillOwnedList(const VelCharacter& character)
{
    if (!ownedList)
        return;
    ownedList->RemoveAllItems();
    VelRulesWalk::Each<VelCharacterItem>(character.items,
                                         [&](VelCharacterItem& entry)
                                         {
                                             if (Vel_UIInvItem* row = CreateOwnedRow(&entry))
                                                 ownedList->AddRow(row, 0, false);
                                             return false;
                                         });
    ownedList->SortItems(Vel_UIItem::CompareByName);
    ownedList->UpdateLayout();
}

// --- The stock ---

void Vel_UIInventory::RefreshLists()
{
    if (!stockList)
        return;
    VelCharacter* character = VelClient::GetCurrentCharacter();
    // Hidden while it is rebuilt, the list is redrawn once as a whole rather
    // than row by row as hundreds of rows change.
    const std::uint8_t shown = stockList->GetVisibleFlag();
    stockList->SetVisible(0);
    if (IsMagicCategory() && (magicSubCategory == kScrolls || magicSubCategory == kPotions))
        BuildSpellStock();
    else
        BuildItemStock();
    FinishStock(character);
    // Another category or filter: the rows are new, and so is the place.
    stockList->ScrollTo(0);
    stockList->SetVisible(shown);
}

void Vel_UIInventory::BuildItemStock()
{
    const FCObjectMap* items = VelDatabase::GetMap(VelDatabase::kTagItem);
    if (!items)
        return;
    const bool enhanced = IsEnhancedCategory();
    const bool magic = IsMagicCategory();
    const bool masterworkOnly = !magic && IsMasterworkOnly();
    const bool withMasterwork = !magic && WantsMasterworkRows();
    const auto add = [&](const VelItemInfo& record, std::uint32_t options, std::uint32_t a) {
        offers.push_back(
            {&record, options, a, 0, VelCharacterItem::FormatName(&record, options, a)});
    };
    VelRulesWalk::Each<VelItemInfo>(*items,
                                    [&](VelItemInfo& record)
                                    {
                                        if (!IsItemShown(&record))
                                            return false;
                                        if (!enhanced && !masterworkOnly)
                                            add(record, 0, 0);
                                        if (withMasterwork && record.specialCostKey != 0)
                                            add(record, VelCharacterItem::kMasterwork, 0);
                                        if (enhanced)
                                            add(record, VelCharacterItem::kEnhanced,
                                                static_cast<std::uint32_t>(enhancementBonus));
                                        return false;
                                    });
}

void Vel_UIInventory::BuildSpellStock()
{
    const std::uint16_t baseKey = magicSubCategory == kScrolls ? kScrollItem : kPotionItem;
    const VelItemInfo* base = VelDatabase::FindItem(baseKey);
    const VelClassInfo* caster =
        casterClass >= 0 ? VelDatabase::FindClass(static_cast<std::uint16_t>(casterClass))
                         : nullptr;
    const FCObjectMap* spells = VelDatabase::GetMap(VelDatabase::kTagSpell);
    // Without the plain record or the class that writes it, there is
    // nothing to price a scroll or potion by.
    if (!base || !caster || !spells)
    {
        FC_LOG("No stock of item %u for class %d\n", baseKey, static_cast<int>(casterClass));
        return;
    }
    const std::vector<std::int32_t> levels = ScrollLevels(casterClass);
    VelRulesWalk::Each<VelSpellInfo>(
        *spells,
        [&](VelSpellInfo& spell)
        {
            const std::uint32_t kindValue = spell.GetKindValue(caster->castingKind);
            const std::uint32_t offer =
                magicSubCategory == kScrolls ? kindValue : spell.itemPriceMagicKind6;
            if (offer == 0 || kindValue == 0)
                return false;
            const auto spellId = static_cast<std::uint16_t>(spell.key);
            const std::int32_t level =
                spell.key >= 0 && static_cast<std::size_t>(spell.key) < levels.size()
                    ? levels[static_cast<std::size_t>(spell.key)]
                    : -1;
            if (level < 0 || (spellLevelFilter != 0 && level != spellLevelFilter))
                return false;
            offers.push_back({base, VelCharacterItem::kSpellBased, spellId,
                              static_cast<std::uint32_t>(casterClass),
                              base->name + " " + spell.GetDisplayName()});
            return false;
        });
}

void Vel_UIInventory::FinishStock(VelCharacter* character)
{
    // Each row's affordability with the price it was just given.
    AddStockRows(*stockList, character, offers,
                 [&](Vel_UIInvItem& row, std::uint32_t price)
                 {
                     if (const VelItemInfo* record = VelDatabase::FindItem(row.itemKey);
                         record && character)
                         ShowAffordability(row, *character, record->coinKind, price);
                 });
    stockList->UpdateLayout();
}

void Vel_UIInventory::UpdateAffordability()
{
    const VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!stockList || !character)
        return;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    stockList->BeginIteration(cursor);
    while (stockList->NextItem(item, cursor))
    {
        auto* row = dynamic_cast<Vel_UIInvItem*>(item);
        const VelItemInfo* record = row ? VelDatabase::FindItem(row->itemKey) : nullptr;
        if (record)
            ShowAffordability(*row, *character, record->coinKind,
                              GetItemPrice(record, row->options,
                                           static_cast<std::int32_t>(row->valueA), row->valueB));
    }
}

void Vel_UIInventory::ShowAffordability(Vel_UIInvItem& row, const VelCharacter& character,
                                        std::int16_t coinKind, std::uint32_t price)
{
    const bool affordable =
        character.freeItems ||
        character.CanAfford(static_cast<std::int32_t>(std::min<std::uint32_t>(
                                price, std::numeric_limits<std::int32_t>::max())),
                            coinKind);
    const std::int16_t variant = affordable ? 0 : 1;
    row.SetDraggable(affordable);
    row.SetFontVariant(variant);
    if (auto* priceCell = dynamic_cast<UITextControl*>(row.GetColumnControl(1)))
        priceCell->SetFontVariant(static_cast<std::uint16_t>(variant));
}

void Vel_UIInventory::ShowItemPicture(const VelItemInfo* record)
{
    if (record)
        Vel_UIWin_CharConfig::ShowImage(GetItemIcon(record));
    else
        Vel_UIWin_CharConfig::ShowCurrentClassInfo();
}

// --- Edits ---

void Vel_UIInventory::Changed(VelCharacter& character)
{
    character.modified = 1;
    character.NotifyChanged();
}

void Vel_UIInventory::OnMoneyEdited()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    const UINumberEditControl* field = highCoinScroll ? highCoinScroll->GetValueField() : nullptr;
    if (!character || !field)
        return;
    const std::int32_t held = character->money.coins[kHighCoin];
    // Enter and then leaving the field both end the same edit; a field left
    // as it was shown is no edit at all.
    if (field->GetLong() == held)
        return;
    // Gold above what can be typed is the character's: stepping down from it
    // takes one coin, not all above the limit.
    const std::int32_t typed =
        std::clamp<std::int32_t>(field->GetLong(), 0, std::max(held, goldTop));
    character->SetCoins(kHighCoin, typed);
    ShowGold(typed);
    if (typed == held)
        return;
    ShowValue(false);
    UpdateAffordability();
    Changed(*character);
}

void Vel_UIInventory::ShowGold(std::int32_t gold)
{
    if (!highCoinScroll)
        return;
    highCoinScroll->SetRange(std::min(gold, 0), std::max(gold, goldTop));
    highCoinScroll->SetLong(gold);
}

void Vel_UIInventory::OnIgnoreCostClicked()
{
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!character || !ignoreCostButton)
        return;
    // A way of shopping, not part of the character: not saved, no edit.
    character->freeItems = ignoreCostButton->GetState() == UIButton::kDown ? 1 : 0;
    UpdateAffordability();
}

void Vel_UIInventory::Buy(UIControl* dropped)
{
    auto* row = dynamic_cast<Vel_UIInvItem*>(dropped);
    VelCharacter* character = VelClient::GetCurrentCharacter();
    if (!row || row->category != Vel_UIInvItem::kStockRow || !character)
        return;
    VelItemInfo* record = VelDatabase::FindItem(row->itemKey);
    if (!record)
        return;
    VelCharacterItem* entry =
        BuyItem(character, record, row->options, static_cast<std::int32_t>(row->valueA),
                row->valueB, !character->freeItems);
    if (!entry)
        return;
    if (ownedList)
        if (Vel_UIInvItem* owned = CreateOwnedRow(entry))
        {
            ownedList->AddRow(owned, 0, true);
            ownedList->ScrollToItem(owned);
        }
    ShowMoney();
    UpdateAffordability();
    Changed(*character);
}

void Vel_UIInventory::Sell(UIControl* removed)
{
    const auto* row = dynamic_cast<const Vel_UIInvItem*>(removed);
    VelCharacter* character = VelClient::GetCurrentCharacter();
    VelCharacterItem* entry = row && character ? character->FindItem(row->itemKey) : nullptr;
    if (!entry)
        return;
    if (!CanSellItem(character, entry))
    {
        // The owned list has let the row go already: it comes back where
        // the user left the list.
        const Vel_UIListKeepPlace keep(ownedList);
        FillOwnedList(*character);
        ExplainUnsold(entry);
        return;
    }
    SellItem(character, entry);
    ShowMoney();
    UpdateAffordability();
    Changed(*character);
}

void Vel_UIInventory::ExplainUnsold(const VelCharacterItem* entry)
{
    const std::string text = "The " + entry->GetName() + kUnsoldText;
    if (UIMessageDialog* box =
            UIMessageDialog::Create(VelLayout::kMessageDialog, kUnsoldCaption, text,
                                    Vel_UIWin_CharConfig::GetLive(), UIMessageDialog::kOk))
    {
        box->Show(1, nullptr);
        box->Release();
        return;
    }
    // Without the dialog's layout the user still hears of it.
    if (FCSystem* system = FCSystem::GetInstance())
        system->ShowMessage(text);
}

// --- Messages ---

bool Vel_UIInventory::HandleNotify(UIEvent& event)
{
    UIControl* sender = event.sender;
    if (!sender)
        return Vel_UIPanel::HandleNotify(event);
    switch (event.type)
    {
    case UIMessage::kClicked:
        if (sender == ignoreCostButton)
            OnIgnoreCostClicked();
        break;
    case UIMessage::kChanged:
        if (event.param1 != 1)
            OnSelectorChanged(event);
        break;
    case UIMessage::kFocusLost:
    case UIMessage::kEnterPressed:
        if (highCoinScroll && sender->GetParent() == highCoinScroll)
            OnMoneyEdited();
        break;
    case UIMessage::kSteppedUp:
    case UIMessage::kSteppedDown:
        if (sender == highCoinScroll)
            OnMoneyEdited();
        break;
    case UIMessage::kChildDraggedOut:
        // Only the owned list gives rows away; the stock never does.
        if (sender == ownedList)
            Sell(reinterpret_cast<UIControl*>(event.param1));
        break;
    case UIMessage::kDroppedOnto:
        if (sender == ownedList)
            Buy(reinterpret_cast<UIControl*>(event.param1));
        break;
    default:
        break;
    }
    return Vel_UIPanel::HandleNotify(event);
}

bool Vel_UIInventory::OnMouseOverEnter(UIControl* control)
{
    ShowItemUnderPointer(control);
    return false;
}

bool Vel_UIInventory::OnMouseOverLeave(UIControl* control)
{
    ClearItemUnderPointer(control);
    return false;
}
