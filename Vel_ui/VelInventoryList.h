#pragma once

#include "Fc/Core/FCCountedRef.h"
#include "Vel_ui/Vel_UIInvItem.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class UIComboBox;
class UIControl;
struct UIEvent;
class VelCharacter;
class VelCharacterItem;
class VelItemInfo;
class Vel_UIItemStats;
class Vel_UIListBox;

// What the inventory and the equipment page share: the item-category
// selector, three filter selectors whose entries follow the category, the
// five statistics boxes, the test of which item records a list shows, and
// the rows for items on sale and items owned. Each page is one of these and
// fills its own lists when asked (RefreshLists). The category and filters
// live as long as the page, so leaving and coming back keeps them.
class VelInventoryList
{
public:
    // Categories (the category selector's data).
    static constexpr std::int32_t kWeapons = 0;
    static constexpr std::int32_t kArmor = 1;
    static constexpr std::int32_t kShields = 2;
    static constexpr std::int32_t kGoods = 3;
    static constexpr std::int32_t kMagic = 4;
    static constexpr std::int32_t kArmorAndShields = 6;

    // Magic sub-categories with a meaning of their own; the rest are the
    // magic items' own kinds.
    static constexpr std::int16_t kScrolls = 4;
    static constexpr std::int16_t kPotions = 6;
    static constexpr std::int16_t kWondrous = 7;
    static constexpr std::int16_t kEnhancedWeapons = 22;
    static constexpr std::int16_t kEnhancedArmor = 23;
    static constexpr std::int16_t kEnhancedShields = 24;

    // Modes: the inventory page uses every filter, the equipment page only
    // the category.
    static constexpr std::int16_t kInventoryMode = 0;
    static constexpr std::int16_t kEquipMode = 1;

    // Controls by id.
    static constexpr std::uint16_t kCategorySelector = 10600;
    static constexpr std::uint16_t kFirstFilter = 10610;
    static constexpr std::uint16_t kSecondFilter = 10620;
    static constexpr std::uint16_t kThirdFilter = 10630;
    static constexpr std::uint16_t kFirstBox = 10700;
    static constexpr std::uint16_t kBoxStep = 20;
    static constexpr std::size_t kBoxCount = 5;

    // Texts.
    static constexpr std::int32_t kFirstCategoryText = 10510;
    static constexpr std::int32_t kFirstCoinText = 360;

    // The records of a scroll and of a potion of any spell.
    static constexpr std::uint16_t kScrollItem = 5000;
    static constexpr std::uint16_t kPotionItem = 5010;

    static constexpr const char* kStockRowLayout = "velInventoryItem.ui";
    static constexpr const char* kOwnedRowLayout = "velCharInventoryItem.ui";
    static constexpr const char* kOwnedIconRowLayout = "velCharInventoryItemWithIcon.ui";

    VelInventoryList();
    // Copies the category, the filters and the mode and shares the row
    // templates (a reference of its own each). The copy's page binds its
    // own controls.
    VelInventoryList(const VelInventoryList& other);
    VelInventoryList& operator=(const VelInventoryList&) = delete;
    virtual ~VelInventoryList();

    // The page's list rebuild, after a category or filter change.
    virtual void RefreshLists() {}
    // The picture of the item under the pointer; null when it leaves.
    virtual void ShowItemPicture(const VelItemInfo* /*record*/) {}

    // Finds the selectors and boxes anywhere in the page; a missing one is
    // skipped (logged, with logMissing, where the mode uses it).
    void Bind(UIControl* parent, std::int16_t mode, bool logMissing = true);
    // Fills the category selector for the mode and selects the current
    // category, which reports the change and so builds the page's lists.
    void FillCategories();
    // A selection made on one of the four selectors (message 1002); false
    // when the sender is none of them.
    bool OnSelectorChanged(const UIEvent& event);
    void SetCategory(std::int32_t newCategory);
    void OnFilterChanged(std::uint16_t selectorId, std::int32_t value);

    bool IsItemShown(const VelItemInfo* record) const;
    // Category 6 holds armour and shields; any unknown category nothing.
    static bool IsOfCategory(std::int32_t someCategory, const VelItemInfo* record);
    bool IsOfCurrentCategory(const VelItemInfo* record) const;
    bool IsOfShownBox(const VelItemInfo* record) const;
    bool IsMagicCategory() const { return category == kMagic; }
    // The magic category's weapons, armour and shields bought with a bonus.
    bool IsEnhancedCategory() const;
    // Whether the special filter in force lists masterwork rows, and only
    // those.
    bool WantsMasterworkRows() const;
    bool IsMasterworkOnly() const;

    // New rows, one reference for the caller; null without a record or a
    // row layout (logged).
    Vel_UIInvItem* CreateStockRow(const VelCharacter* character, const VelItemInfo* record,
                                  std::uint32_t options, std::uint32_t a, std::uint32_t b);
    Vel_UIInvItem* CreateOwnedRow(const VelCharacterItem* entry);
    Vel_UIInvItem* CreateOwnedRowWithIcon(const VelCharacterItem* entry);

    // The mouse entering and leaving an item row: the record's picture,
    // description and statistics box.
    void ShowItemUnderPointer(UIControl* row);
    void ClearItemUnderPointer(UIControl* row);

    std::int32_t GetCategory() const { return category; }
    std::int32_t GetShownBox() const { return shownBox; }
    std::int16_t GetMode() const { return mode; }
    bool IsBusy() const { return busy != 0; }
    UIComboBox* GetSelector(std::size_t index) const;
    Vel_UIItemStats* GetBox(std::size_t index) const;

protected:
    // What a stock row offers, with the name it shows.
    struct Offer
    {
        const VelItemInfo* record = nullptr;
        std::uint32_t options = 0;
        std::uint32_t a = 0;
        std::uint32_t b = 0;
        std::string name;
    };
    // Makes the list's rows the offers' in the order of their names, as
    // Vel_UIItem::CompareByName sorts; empties the offers. A stock of
    // hundreds of rows is sorted far faster as names than in the list.
    // Each row, once filled, goes to filled with its price.
    void AddStockRows(Vel_UIListBox& list, const VelCharacter* character,
                      std::vector<Offer>& offers,
                      const std::function<void(Vel_UIInvItem& row, std::uint32_t price)>& filled);
    // The row's cells and fields; a small character gets the small version
    // of armour, shields and the goods made in one. Returns the price.
    static std::uint32_t FillStockRow(Vel_UIInvItem& row, bool smallCharacter, const Offer& offer);
    static bool IsSmall(const VelCharacter* character);

    // A selector entry: a text of the asset index or a text of its own.
    struct Entry
    {
        std::string text;
        std::int32_t data = 0;
    };
    using Entries = std::vector<Entry>;

    void Reset();
    // Empties the selector, shows it, adds the entries and selects the one
    // holding value, which reports the change like a user's choice.
    void FillSelector(UIComboBox* selector, const Entries& entries, std::int32_t value);
    static void HideSelector(UIComboBox* selector);
    // The filter selector of that index (0 to 2) with the entries that the
    // category and sub-category in force give it; hidden without any.
    void FillFilter(std::size_t index);
    Entries FilterEntries(std::size_t index) const;
    // Where the filter of that index keeps its choice; some filters are
    // 16-bit, some 32-bit.
    struct Slot
    {
        std::int32_t* wide = nullptr;
        std::int16_t* narrow = nullptr;
        std::int32_t Get() const { return wide ? *wide : narrow ? *narrow : 0; }
        void Set(std::int32_t value)
        {
            if (wide)
                *wide = value;
            else if (narrow)
                *narrow = static_cast<std::int16_t>(value);
        }
    };
    Slot FilterSlot(std::size_t index);
    Entries SpecialEntries() const;
    Entries MagicSecondEntries() const;
    Entries MagicThirdEntries() const;
    void ShowOnlyBox(std::int32_t index);
    std::int16_t SpecialInForce() const;
    bool PassesSpecialTest(const VelItemInfo& record) const;
    bool IsWeaponShown(const VelItemInfo& record) const;
    Vel_UIInvItem* CloneTemplate(FCCountedRef<Vel_UIInvItem>& rowTemplate, const char* layout);
    Vel_UIInvItem* MakeOwnedRow(FCCountedRef<Vel_UIInvItem>& rowTemplate, const char* layout,
                                const VelCharacterItem* entry);

    std::int32_t category = kWeapons;
    // Which box shows (0 to 4); any other value shows none.
    std::int32_t shownBox = 0;
    std::int32_t weaponSizeFilter = -1;
    std::int32_t weaponGroupFilter = -1;
    std::int32_t magicWeaponGroupFilter = -1;
    std::int32_t armorGroupFilter = -1;
    std::int32_t magicArmorGroupFilter = -1;
    // Goods have no "all" group.
    std::int32_t goodsGroupFilter = 0;
    std::int16_t magicSubCategory = kEnhancedWeapons;
    std::int16_t weaponSpecialFilter = 0;
    // Armour, shields and goods.
    std::int16_t specialFilter = 0;
    std::int32_t wondrousFilter = -1;
    std::int16_t enhancementBonus = 1;
    std::int16_t casterClass = 10;
    // 0 lists every level.
    std::int16_t spellLevelFilter = 0;
    UIComboBox* categorySelector = nullptr;
    std::array<UIComboBox*, 3> filters{};
    std::array<Vel_UIItemStats*, kBoxCount> boxes{};
    // Set while the category switches, so that the filters it sets up do
    // not each rebuild the lists.
    std::uint8_t busy = 0;
    FCCountedRef<Vel_UIInvItem> stockTemplate;
    FCCountedRef<Vel_UIInvItem> ownedTemplate;
    FCCountedRef<Vel_UIInvItem> ownedIconTemplate;
    std::int16_t mode = kInventoryMode;
};
