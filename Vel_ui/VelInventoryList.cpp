#include "Vel_ui/VelInventoryList.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIEvent.h"
#include "Ui/UIGroup.h"
#include "Ui/UIListBox.h"
#include "Ui/UIText.h"
#include "Ui/UITextControl.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel_ui/Vel_UIItemStats.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"

#include <algorithm>

namespace
{
// Texts of the selectors' entries.
constexpr std::int32_t kFirstSizeText = 10520;        // "All", then the four sizes
constexpr std::int32_t kFirstWeaponGroupText = 10530; // "All", then the weapon groups
constexpr std::int32_t kFirstArmorGroupText = 10540;  // "All", then light, medium, heavy
constexpr std::int32_t kFirstGoodsGroupText = 10551;
constexpr std::int32_t kGoodsGroupCount = 8;
constexpr std::int32_t kFirstSpecialText = 10600;   // "All", ordinary, special, masterwork
constexpr std::int32_t kFirstMagicKindText = 10620; // + the magic kind, 1 to 11
constexpr std::int32_t kMagicKindCount = 11;
constexpr std::int32_t kFirstEnhancedText = 10642; // 10642 to 10644: sub-categories 22 to 24
constexpr std::int32_t kAllKindsText = 10680;      // heads the wondrous and level lists
constexpr std::int32_t kFirstWondrousText = 10681; // + the wondrous sub-kind, 1 to 3
constexpr std::int16_t kHighestSpellLevel = 9;
constexpr std::int16_t kHighestBonus = 5;

// Special filter values.
constexpr std::int16_t kAll = -1;
constexpr std::int16_t kOrdinary = 0;
constexpr std::int16_t kSpecial = 1;
constexpr std::int16_t kMasterwork = 2;

// The classes that write scrolls and brew potions, in the order offered.
constexpr std::uint16_t kCasterClasses[] = {10, 9, 2, 3, 7, 6, 1};

std::string TextOf(std::int32_t textId)
{
    const std::string* text = Vel_UIItemStats::TextOf(textId);
    if (!text)
        FC_LOG("No text %d for an inventory selector\n", static_cast<int>(textId));
    return text ? *text : std::string();
}

bool IsMasterworkCapable(const VelItemInfo& record)
{
    return record.specialCostKey != 0;
}

bool MatchesFilter(std::int32_t filter, std::int32_t value)
{
    return filter == -1 || filter == value;
}

// The name of a stock row takes the room its price leaves, up to a gap
// before the price's first glyph: the longest names stay whole beside a
// short price and never run into a long one.
constexpr std::int32_t kNamePriceGap = 8;

void FitNameToPrice(Vel_UIInvItem& row)
{
    auto* name = dynamic_cast<UITextControl*>(row.GetColumnControl(0));
    auto* price = dynamic_cast<UITextControl*>(row.GetColumnControl(1));
    const UIText* priceText = price ? price->GetTextObject() : nullptr;
    if (!name || !priceText || !price->GetFont())
        return;
    const std::int32_t priceLeft = price->GetPosition().x + priceText->GetPosition().x +
                                   priceText->GetSize().x -
                                   MeasureTextLine(price->GetText(), *price->GetFont()).x;
    name->SetSize(std::max(0, priceLeft - kNamePriceGap - name->GetPosition().x),
                  name->GetSize().y);
}

void SetEntryText(UIControl* entry, const std::string& text)
{
    if (auto* row = dynamic_cast<Vel_UIItem*>(entry))
        row->SetColumnText(0, text);
    else if (auto* field = dynamic_cast<UITextControl*>(entry))
        field->SetText(text);
}
} // namespace

VelInventoryList::VelInventoryList()
{
    Reset();
}

VelInventoryList::VelInventoryList(const VelInventoryList& other)
    : category(other.category), shownBox(other.shownBox), weaponSizeFilter(other.weaponSizeFilter),
      weaponGroupFilter(other.weaponGroupFilter),
      magicWeaponGroupFilter(other.magicWeaponGroupFilter),
      armorGroupFilter(other.armorGroupFilter), magicArmorGroupFilter(other.magicArmorGroupFilter),
      goodsGroupFilter(other.goodsGroupFilter), magicSubCategory(other.magicSubCategory),
      weaponSpecialFilter(other.weaponSpecialFilter), specialFilter(other.specialFilter),
      wondrousFilter(other.wondrousFilter), enhancementBonus(other.enhancementBonus),
      casterClass(other.casterClass), spellLevelFilter(other.spellLevelFilter),
      stockTemplate(other.stockTemplate), ownedTemplate(other.ownedTemplate),
      ownedIconTemplate(other.ownedIconTemplate), mode(other.mode)
{
}

VelInventoryList::~VelInventoryList() = default;

void VelInventoryList::Reset()
{
    category = kWeapons;
    shownBox = 0;
    weaponSizeFilter = -1;
    weaponGroupFilter = -1;
    magicWeaponGroupFilter = -1;
    armorGroupFilter = -1;
    magicArmorGroupFilter = -1;
    goodsGroupFilter = 0;
    magicSubCategory = kEnhancedWeapons;
    weaponSpecialFilter = kOrdinary;
    specialFilter = kOrdinary;
    wondrousFilter = -1;
    enhancementBonus = 1;
    casterClass = VelIds::kClassScholarCaster;
    spellLevelFilter = 0;
    busy = 0;
}

void VelInventoryList::Bind(UIControl* parent, std::int16_t newMode, bool logMissing)
{
    mode = newMode;
    if (!parent)
        return;
    const auto find = [&](std::uint16_t controlId, bool needed) -> UIControl*
    {
        UIControl* found = parent->FindDescendant(controlId);
        if (!found && needed && logMissing)
            FC_LOG("Page %u has no inventory control %u\n", parent->GetId(), controlId);
        return found;
    };
    categorySelector = dynamic_cast<UIComboBox*>(find(kCategorySelector, true));
    for (std::size_t i = 0; i < filters.size(); ++i)
        filters[i] = dynamic_cast<UIComboBox*>(
            find(static_cast<std::uint16_t>(kFirstFilter + 10 * i), mode == kInventoryMode));
    for (std::size_t i = 0; i < boxes.size(); ++i)
    {
        UIControl* found = find(static_cast<std::uint16_t>(kFirstBox + kBoxStep * i), false);
        boxes[i] = dynamic_cast<Vel_UIItemStats*>(found);
        if (found && !boxes[i] && logMissing)
            FC_LOG("Control %u of page %u is a %s, not a statistics box\n", found->GetId(),
                   parent->GetId(), found->GetClassName().c_str());
    }
}

UIComboBox* VelInventoryList::GetSelector(std::size_t index) const
{
    if (index == 0)
        return categorySelector;
    return index <= filters.size() ? filters[index - 1] : nullptr;
}

Vel_UIItemStats* VelInventoryList::GetBox(std::size_t index) const
{
    return index < boxes.size() ? boxes[index] : nullptr;
}

// --- Selectors ---

void VelInventoryList::FillCategories()
{
    Entries entries;
    for (std::int32_t value = kWeapons; value <= kMagic; ++value)
    {
        std::int32_t shown = value;
        if (mode == kEquipMode)
        {
            if (value == kArmor)
                shown = kArmorAndShields;
            else if (value == kShields || value == kMagic)
                continue;
        }
        entries.push_back({TextOf(kFirstCategoryText + shown), shown});
    }
    FillSelector(categorySelector, entries, category);
}

void VelInventoryList::FillSelector(UIComboBox* selector, const Entries& entries,
                                    std::int32_t value)
{
    if (!selector)
        return;
    UIListBox* list = selector->GetList();
    UIControl* entryTemplate = selector->GetItemTemplate();
    if (!list || !entryTemplate)
    {
        FC_LOG("Selector %u has no list or no entry to copy\n", selector->GetId());
        return;
    }
    list->RemoveAllItems();
    selector->SetVisible(1);
    for (const Entry& entry : entries)
    {
        auto* item = dynamic_cast<UIControl*>(entryTemplate->Clone());
        if (!item)
            continue;
        SetEntryText(item, entry.text);
        selector->AddItem(item, static_cast<std::uint32_t>(entry.data), false);
    }
    selector->UpdateList();
    UIListBox::SelectItem(list->FindItemByData(static_cast<std::uint32_t>(value)), 0);
}

void VelInventoryList::HideSelector(UIComboBox* selector)
{
    if (!selector)
        return;
    selector->SetListClosed(1);
    selector->SetVisible(0);
}

bool VelInventoryList::OnSelectorChanged(const UIEvent& event)
{
    auto* selector = dynamic_cast<UIComboBox*>(event.sender);
    if (!selector || !selector->GetList())
        return false;
    const bool known = selector == categorySelector ||
                       std::find(filters.begin(), filters.end(), selector) != filters.end();
    if (!known)
        return false;
    auto* chosen = reinterpret_cast<UIControl*>(event.param2);
    const auto value = static_cast<std::int32_t>(selector->GetList()->GetItemData(chosen));
    if (selector == categorySelector)
        SetCategory(value);
    else
        OnFilterChanged(selector->GetId(), value);
    return true;
}

void VelInventoryList::SetCategory(std::int32_t newCategory)
{
    category = newCategory;
    shownBox = newCategory;
    busy = 1;
    if (mode == kInventoryMode)
    {
        // In the magic category the sub-category's choice fills the other
        // two.
        if (category == kMagic)
        {
            HideSelector(filters[1]);
            HideSelector(filters[2]);
            FillFilter(0);
        }
        else
            for (std::size_t index = 0; index < filters.size(); ++index)
                FillFilter(index);
    }
    ShowOnlyBox(shownBox);
    busy = 0;
    RefreshLists();
}

void VelInventoryList::FillFilter(std::size_t index)
{
    const Entries entries = FilterEntries(index);
    if (entries.empty())
        HideSelector(filters[index]);
    else
        FillSelector(filters[index], entries, FilterSlot(index).Get());
}

VelInventoryList::Entries VelInventoryList::FilterEntries(std::size_t index) const
{
    // Entries numbered from -1 ("All") or 0, on consecutive texts.
    const auto run = [](std::int32_t firstText, std::int32_t firstData, std::int32_t count)
    {
        Entries entries;
        for (std::int32_t i = 0; i < count; ++i)
            entries.push_back({TextOf(firstText + i), firstData + i});
        return entries;
    };
    switch (index)
    {
    case 0:
        switch (category)
        {
        case kWeapons:
            return run(kFirstSizeText, -1, 5);
        case kArmor:
        case kArmorAndShields:
            return run(kFirstArmorGroupText, -1, 4);
        case kGoods:
            return run(kFirstGoodsGroupText, 0, kGoodsGroupCount);
        case kShields:
            return SpecialEntries();
        case kMagic:
        {
            Entries entries = run(kFirstEnhancedText, kEnhancedWeapons, 3);
            const Entries kinds = run(kFirstMagicKindText + 1, 1, kMagicKindCount);
            entries.insert(entries.end(), kinds.begin(), kinds.end());
            return entries;
        }
        default:
            return {};
        }
    case 1:
        if (category == kWeapons)
            return run(kFirstWeaponGroupText, -1, 5);
        return category == kMagic ? MagicSecondEntries() : Entries{};
    case 2:
        if (category == kMagic)
            return MagicThirdEntries();
        // Shields have theirs first; no other category has one.
        return category == kWeapons || category == kArmor || category == kGoods ||
                       category == kArmorAndShields
                   ? SpecialEntries()
                   : Entries{};
    default:
        return {};
    }
}

VelInventoryList::Slot VelInventoryList::FilterSlot(std::size_t index)
{
    const bool spells = magicSubCategory == kScrolls || magicSubCategory == kPotions;
    switch (index)
    {
    case 0:
        switch (category)
        {
        case kWeapons:
            return {&weaponSizeFilter};
        case kArmor:
        case kArmorAndShields:
            return {&armorGroupFilter};
        case kGoods:
            return {&goodsGroupFilter};
        case kShields:
            return {nullptr, &specialFilter};
        case kMagic:
            return {nullptr, &magicSubCategory};
        default:
            return {};
        }
    case 1:
        if (category == kWeapons)
            return {&weaponGroupFilter};
        if (category != kMagic)
            return {};
        if (spells)
            return {nullptr, &casterClass};
        if (magicSubCategory == kWondrous)
            return {&wondrousFilter};
        if (magicSubCategory == kEnhancedWeapons)
            return {&magicWeaponGroupFilter};
        return magicSubCategory == kEnhancedArmor ? Slot{&magicArmorGroupFilter} : Slot{};
    case 2:
        if (category == kWeapons)
            return {nullptr, &weaponSpecialFilter};
        if (category != kMagic)
            return {nullptr, &specialFilter};
        if (spells)
            return {nullptr, &spellLevelFilter};
        return IsEnhancedCategory() ? Slot{nullptr, &enhancementBonus} : Slot{};
    default:
        return {};
    }
}

VelInventoryList::Entries VelInventoryList::SpecialEntries() const
{
    Entries entries{{TextOf(kFirstSpecialText), kAll}, {TextOf(kFirstSpecialText + 1), kOrdinary}};
    // Only weapons and goods have special pieces of their own.
    if (category == kWeapons || category == kGoods)
        entries.push_back({TextOf(kFirstSpecialText + 2), kSpecial});
    entries.push_back({TextOf(kFirstSpecialText + 3), kMasterwork});
    return entries;
}

VelInventoryList::Entries VelInventoryList::MagicSecondEntries() const
{
    Entries entries;
    switch (magicSubCategory)
    {
    case kScrolls:
    case kPotions:
        for (std::uint16_t classId : kCasterClasses)
            if (const VelClassInfo* record = VelDatabase::FindClass(classId))
                entries.push_back({record->name, classId});
        break;
    case kWondrous:
        entries.push_back({TextOf(kAllKindsText), -1});
        for (std::int32_t kind = 1; kind <= 3; ++kind)
            entries.push_back({TextOf(kFirstWondrousText + kind), kind});
        break;
    case kEnhancedWeapons:
        for (std::int32_t i = 0; i <= 3; ++i)
            entries.push_back({TextOf(kFirstWeaponGroupText + i), i - 1});
        break;
    case kEnhancedArmor:
        for (std::int32_t i = 0; i <= 3; ++i)
            entries.push_back({TextOf(kFirstArmorGroupText + i), i - 1});
        break;
    default:
        break;
    }
    return entries;
}

VelInventoryList::Entries VelInventoryList::MagicThirdEntries() const
{
    Entries entries;
    switch (magicSubCategory)
    {
    case kScrolls:
    case kPotions:
        entries.push_back({TextOf(kAllKindsText), 0});
        for (std::int16_t level = 1; level <= kHighestSpellLevel; ++level)
            entries.push_back({FormatOrdinal(level), level});
        break;
    case kEnhancedWeapons:
    case kEnhancedArmor:
    case kEnhancedShields:
        for (std::int16_t bonus = 1; bonus <= kHighestBonus; ++bonus)
            entries.push_back({"+" + std::to_string(bonus), bonus});
        break;
    default:
        break;
    }
    return entries;
}

void VelInventoryList::OnFilterChanged(std::uint16_t selectorId, std::int32_t value)
{
    const std::size_t index = static_cast<std::size_t>(selectorId - kFirstFilter) / 10;
    if (index >= filters.size() || selectorId != kFirstFilter + 10 * index)
        return;
    FilterSlot(index).Set(value);
    if (index == 0 && category == kMagic)
    {
        if (IsEnhancedCategory())
        {
            shownBox = magicSubCategory - kEnhancedWeapons;
            ShowOnlyBox(shownBox);
        }
        else
            ShowOnlyBox(-1);
        // One rebuild for the whole choice, not one per refilled selector.
        const std::uint8_t wasBusy = busy;
        busy = 1;
        FillFilter(1);
        FillFilter(2);
        busy = wasBusy;
    }
    if (!busy)
        RefreshLists();
}

void VelInventoryList::ShowOnlyBox(std::int32_t index)
{
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i])
            boxes[i]->SetVisible(static_cast<std::int32_t>(i) == index ? 1 : 0);
}

// --- Which records a list shows ---

bool VelInventoryList::IsOfCategory(std::int32_t someCategory, const VelItemInfo* record)
{
    if (!record)
        return false;
    const std::uint16_t code = record->GetTypeCode();
    switch (someCategory)
    {
    case kWeapons:
        return code == VelItemInfo::kWeaponCode;
    case kArmor:
        return code == VelItemInfo::kArmorCode;
    case kShields:
        return code == VelItemInfo::kShieldCode;
    case kGoods:
        return code == VelItemInfo::kGoodsCode;
    case kMagic:
        return code == VelItemInfo::kMagicItemCode;
    case kArmorAndShields:
        return code == VelItemInfo::kArmorCode || code == VelItemInfo::kShieldCode;
    default:
        return false;
    }
}

bool VelInventoryList::IsOfCurrentCategory(const VelItemInfo* record) const
{
    return IsOfCategory(category, record);
}

bool VelInventoryList::IsOfShownBox(const VelItemInfo* record) const
{
    return IsOfCategory(shownBox, record);
}

bool VelInventoryList::IsEnhancedCategory() const
{
    return category == kMagic && magicSubCategory >= kEnhancedWeapons &&
           magicSubCategory <= kEnhancedShields;
}

std::int16_t VelInventoryList::SpecialInForce() const
{
    return category == kWeapons ? weaponSpecialFilter : specialFilter;
}

bool VelInventoryList::WantsMasterworkRows() const
{
    const std::int16_t special = SpecialInForce();
    return special == kAll || special == kMasterwork;
}

bool VelInventoryList::IsMasterworkOnly() const
{
    return SpecialInForce() == kMasterwork && category != kMagic;
}

bool VelInventoryList::PassesSpecialTest(const VelItemInfo& record) const
{
    const auto* goods = dynamic_cast<const VelGoodsInfo*>(&record);
    switch (specialFilter)
    {
    case kAll:
        return true;
    case kOrdinary:
        return !goods || goods->groupFlag == 0;
    case kSpecial:
        return goods && goods->groupFlag != 0;
    case kMasterwork:
        return IsMasterworkCapable(record);
    default:
        return false;
    }
}

bool VelInventoryList::IsWeaponShown(const VelItemInfo& record) const
{
    const auto& weapon = static_cast<const VelWeaponInfo&>(record);
    if (category == kWeapons)
    {
        if (mode == kEquipMode)
            return true;
        if (!MatchesFilter(weaponSizeFilter, weapon.size) ||
            !MatchesFilter(weaponGroupFilter, weapon.category))
            return false;
        switch (weaponSpecialFilter)
        {
        case kAll:
            return true;
        case kOrdinary:
            return weapon.groupFlag == 1;
        case kSpecial:
            return weapon.groupFlag == 0;
        case kMasterwork:
            return IsMasterworkCapable(weapon);
        default:
            return false;
        }
    }
    // Natural attacks take no enhancement.
    return category == kMagic && magicSubCategory == kEnhancedWeapons &&
           (mode == kEquipMode ||
            (MatchesFilter(magicWeaponGroupFilter, weapon.category) && weapon.groupFlag == 1));
}

bool VelInventoryList::IsItemShown(const VelItemInfo* record) const
{
    if (!record)
        return false;
    const bool every = mode == kEquipMode;
    switch (record->GetTypeCode())
    {
    case VelItemInfo::kWeaponCode:
        return dynamic_cast<const VelWeaponInfo*>(record) && IsWeaponShown(*record);
    case VelItemInfo::kArmorCode:
    {
        const auto* armor = dynamic_cast<const VelArmorInfo*>(record);
        if (!armor)
            return false;
        if (category == kArmor || category == kArmorAndShields)
            return every ||
                   (MatchesFilter(armorGroupFilter, armor->category) && PassesSpecialTest(*armor));
        return category == kMagic && magicSubCategory == kEnhancedArmor &&
               (every || MatchesFilter(magicArmorGroupFilter, armor->category));
    }
    case VelItemInfo::kShieldCode:
        if (category == kShields || category == kArmorAndShields)
            return every || PassesSpecialTest(*record);
        return category == kMagic && magicSubCategory == kEnhancedShields;
    case VelItemInfo::kGoodsCode:
    {
        const auto* goods = dynamic_cast<const VelGoodsInfo*>(record);
        return goods && category == kGoods &&
               (every || (goods->wordA == goodsGroupFilter && PassesSpecialTest(*goods)));
    }
    case VelItemInfo::kMagicItemCode:
    {
        const auto* magic = dynamic_cast<const VelMagicItemInfo*>(record);
        if (!magic || category != kMagic)
            return false;
        if (every)
            return true;
        return magic->magicKind == magicSubCategory &&
               (magicSubCategory != kWondrous || wondrousFilter == -1 ||
                magic->wordA == wondrousFilter);
    }
    default:
        return false;
    }
}

// --- Rows ---

Vel_UIInvItem* VelInventoryList::CloneTemplate(FCCountedRef<Vel_UIInvItem>& rowTemplate,
                                               const char* layout)
{
    if (!rowTemplate)
        rowTemplate = FCCountedRef<Vel_UIInvItem>::Adopt(
            Vel_UIItem::CreateFromLayoutAs<Vel_UIInvItem>(layout));
    return rowTemplate ? static_cast<Vel_UIInvItem*>(rowTemplate->Clone()) : nullptr;
}

Vel_UIInvItem* VelInventoryList::CreateStockRow(const VelCharacter* character,
                                                const VelItemInfo* record, std::uint32_t options,
                                                std::uint32_t a, std::uint32_t b)
{
    if (!record)
        return nullptr;
    Vel_UIInvItem* row = CloneTemplate(stockTemplate, kStockRowLayout);
    if (row)
        FillStockRow(*row, IsSmall(character),
                     {record, options, a, b, VelCharacterItem::FormatName(record, options, a)});
    return row;
}

bool VelInventoryList::IsSmall(const VelCharacter* character)
{
    return character && character->GetSizeId() == VelIds::kSizeSmall;
}

std::uint32_t VelInventoryList::FillStockRow(Vel_UIInvItem& row, bool smallCharacter,
                                             const Offer& offer)
{
    const VelItemInfo* record = offer.record;
    std::uint32_t options = offer.options;
    const std::uint16_t code = record->GetTypeCode();
    if (smallCharacter &&
        (code == VelItemInfo::kArmorCode || code == VelItemInfo::kShieldCode ||
         (code == VelItemInfo::kGoodsCode && static_cast<const VelGoodsInfo*>(record)->smallSize)))
        options |= VelCharacterItem::kSmall;
    const std::uint32_t value =
        GetItemPrice(record, options, static_cast<std::int32_t>(offer.a), offer.b);
    std::string price = std::to_string(value);
    // Bonuses, spells and magic items are all priced in the highest coin.
    if (!(options & (VelCharacterItem::kEnhanced | VelCharacterItem::kSpellBased)) &&
        code != VelItemInfo::kMagicItemCode)
        if (const std::string* coin = Vel_UIItemStats::TextOf(kFirstCoinText + record->coinKind))
            price += " " + *coin;
    row.SetColumnText(0, offer.name);
    row.SetColumnText(1, price);
    FitNameToPrice(row);
    row.itemKey = static_cast<std::uint16_t>(record->key);
    row.key = record->key;
    row.options = options;
    row.valueA = offer.a;
    row.valueB = offer.b;
    row.SetInputFlags(
        static_cast<std::uint16_t>(row.GetInputFlags() | UIControl::kReportEnterLeave));
    row.category = Vel_UIInvItem::kStockRow;
    return value;
}

void VelInventoryList::AddStockRows(
    Vel_UIListBox& list, const VelCharacter* character, std::vector<Offer>& offers,
    const std::function<void(Vel_UIInvItem& row, std::uint32_t price)>& filled)
{
    // Byte-wise, as unsigned values, as Vel_UIItem::CompareByName sorts;
    // equal names keep their order.
    std::stable_sort(offers.begin(), offers.end(),
                     [](const Offer& first, const Offer& second)
                     { return first.name < second.name; });
    // The rows the list has already are filled anew, so that a stock of
    // hundreds of rows built again copies and destroys no rows.
    std::vector<Vel_UIInvItem*> rows;
    UIControl* item = nullptr;
    UIListBox::ItemCursor cursor;
    list.BeginIteration(cursor);
    while (list.NextItem(item, cursor))
        rows.push_back(dynamic_cast<Vel_UIInvItem*>(item));
    if (UIGroup* group = list.GetItemGroup())
        group->DeselectAll();
    const bool smallCharacter = IsSmall(character);
    std::size_t used = 0;
    for (const Offer& offer : offers)
    {
        Vel_UIInvItem* row = used < rows.size() ? rows[used] : nullptr;
        if (!row)
        {
            row = CloneTemplate(stockTemplate, kStockRowLayout);
            if (!row)
                break;
            // Filled in the list, so that a hidden list hides the changes.
            list.AddRow(row, 0, false);
        }
        ++used;
        const std::uint32_t price = FillStockRow(*row, smallCharacter, offer);
        if (filled)
            filled(*row, price);
    }
    // Backwards, so that each row taken out is the last one.
    for (std::size_t i = rows.size(); i-- > used;)
        list.RemoveItem(rows[i], false);
    offers.clear();
}

Vel_UIInvItem* VelInventoryList::MakeOwnedRow(FCCountedRef<Vel_UIInvItem>& rowTemplate,
                                              const char* layout, const VelCharacterItem* entry)
{
    // An entry whose record the database lacks stays in the character, but
    // there is nothing to show for it.
    if (!entry || !entry->GetHeldObject())
        return nullptr;
    Vel_UIInvItem* row = CloneTemplate(rowTemplate, layout);
    if (!row)
        return nullptr;
    row->SetColumnText(0, entry->GetName());
    row->category = Vel_UIInvItem::kOwnedRow;
    row->itemKey = entry->itemKey;
    row->key = entry->itemKey;
    row->options = entry->options;
    row->valueA = entry->count;
    row->valueB = entry->optionValue;
    row->SetInputFlags(
        static_cast<std::uint16_t>(row->GetInputFlags() | UIControl::kReportEnterLeave));
    return row;
}

Vel_UIInvItem* VelInventoryList::CreateOwnedRow(const VelCharacterItem* entry)
{
    return MakeOwnedRow(ownedTemplate, kOwnedRowLayout, entry);
}

Vel_UIInvItem* VelInventoryList::CreateOwnedRowWithIcon(const VelCharacterItem* entry)
{
    Vel_UIInvItem* row = MakeOwnedRow(ownedIconTemplate, kOwnedIconRowLayout, entry);
    if (!row)
        return nullptr;
    const VelItemInfo* record = entry->GetHeldObject();
    FCImageBuffer* icon = GetItemIcon(record);
    if (!icon)
        FC_LOG("Item %d has no icon %s\n", static_cast<int>(record->key), record->iconFile.c_str());
    row->SetColumnImageBuffer(0, icon);
    return row;
}

// --- The item under the pointer ---

void VelInventoryList::ShowItemUnderPointer(UIControl* control)
{
    const auto* row = dynamic_cast<const Vel_UIInvItem*>(control);
    if (!row)
        return;
    const VelItemInfo* record = nullptr;
    std::uint32_t options = 0;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    if (row->category == Vel_UIInvItem::kStockRow)
    {
        record = VelDatabase::FindItem(row->itemKey);
        options = row->options;
        a = row->valueA;
        b = row->valueB;
    }
    else if (row->category == Vel_UIInvItem::kOwnedRow)
    {
        const VelCharacter* character = VelClient::GetCurrentCharacter();
        const VelCharacterItem* entry = character ? character->FindItem(row->itemKey) : nullptr;
        if (!entry)
            return;
        record = entry->GetHeldObject();
        options = entry->options;
        a = entry->count;
        b = entry->optionValue;
    }
    if (!record)
        return;
    ShowItemPicture(record);
    if (options & VelCharacterItem::kSpellBased)
    {
        if (const VelSpellInfo* spell = VelCharacterItem::FindSpellOf(a))
            Vel_UIWin_CharConfig::ShowHelpText(spell->description);
    }
    else
        Vel_UIWin_CharConfig::ShowHelpText(record->description);
    if (Vel_UIItemStats* box = GetBox(static_cast<std::size_t>(shownBox));
        box && shownBox >= 0 && IsOfShownBox(record))
        box->ShowItem(record, options, static_cast<std::int32_t>(a), b);
}

void VelInventoryList::ClearItemUnderPointer(UIControl*)
{
    if (Vel_UIItemStats* box = GetBox(static_cast<std::size_t>(shownBox)); box && shownBox >= 0)
        box->ShowItem(nullptr, 0, 0, 0);
    ShowItemPicture(nullptr);
    Vel_UIWin_CharConfig::RestoreHelpText();
}
