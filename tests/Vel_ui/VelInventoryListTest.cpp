// The inventory list shared by the inventory and equipment pages: which
// records pass the category and filters, the selectors each category
// offers, the statistics box it shows, and the rows it makes.

#include "Vel_ui/GearPageFixture.h"

#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel_ui/Vel_UIItemStats.h"
#include "Vel_ui/Vel_UIListBox.h"

#include <functional>

namespace
{
namespace G = GearRecords;
using L = VelInventoryList;

// The list's state, open to the test.
class Probe : public VelInventoryList
{
public:
    using VelInventoryList::armorGroupFilter;
    using VelInventoryList::category;
    using VelInventoryList::goodsGroupFilter;
    using VelInventoryList::magicArmorGroupFilter;
    using VelInventoryList::magicSubCategory;
    using VelInventoryList::magicWeaponGroupFilter;
    using VelInventoryList::mode;
    using VelInventoryList::specialFilter;
    using VelInventoryList::weaponGroupFilter;
    using VelInventoryList::weaponSizeFilter;
    using VelInventoryList::weaponSpecialFilter;
    using VelInventoryList::wondrousFilter;
};

VelWeaponInfo Weapon(std::int16_t size, std::int16_t group, std::uint16_t flag, std::uint16_t mw)
{
    VelWeaponInfo weapon;
    weapon.size = size, weapon.category = group, weapon.groupFlag = flag,
    weapon.specialCostKey = mw;
    return weapon;
}

TEST(InventoryListFilterTest, IsItemShownByKindModeAndFilter)
{
    const VelWeaponInfo sword = Weapon(2, 1, 1, 0);
    const VelWeaponInfo dagger = Weapon(1, 0, 1, 1); // masterwork row
    const VelWeaponInfo claw = Weapon(1, 3, 0, 0);   // natural
    VelArmorInfo leather;
    leather.category = 0, leather.specialCostKey = 5;
    VelArmorInfo mail;
    mail.category = 1;
    VelShieldInfo buckler;
    buckler.specialCostKey = 5;
    const VelShieldInfo tower;
    VelGoodsInfo pack;
    pack.wordA = 0;
    VelGoodsInfo cart;
    cart.wordA = 4, cart.groupFlag = 1;
    VelMagicItemInfo ring;
    ring.magicKind = 1;
    VelMagicItemInfo cloak;
    cloak.magicKind = 7, cloak.wordA = 1;
    VelMagicItemInfo bag;
    bag.magicKind = 7, bag.wordA = 2;

    using Set = std::function<void(Probe&)>;
    const auto in = [](std::int32_t category, std::int16_t mode = 0)
    {
        return [=](Probe& p)
        {
            p.category = category;
            p.mode = mode;
        };
    };
    const auto with = [](Set first, Set then) { return [=](Probe& p) { first(p), then(p); }; };
    const auto magic = [&](std::int16_t sub)
    { return with(in(4), [=](Probe& p) { p.magicSubCategory = sub; }); };
    struct Case
    {
        const char* what;
        Set set;
        std::vector<std::pair<const VelItemInfo*, bool>> shown;
    };
    const Case cases[] = {
        {"weapons, ordinary",
         in(0),
         {{&sword, true}, {&dagger, true}, {&claw, false}, {&leather, false}}},
        {"weapons, special",
         with(in(0), [](Probe& p) { p.weaponSpecialFilter = 1; }),
         {{&sword, false}, {&claw, true}}},
        {"weapons, masterwork",
         with(in(0), [](Probe& p) { p.weaponSpecialFilter = 2; }),
         {{&sword, false}, {&dagger, true}}},
        {"weapons, all",
         with(in(0), [](Probe& p) { p.weaponSpecialFilter = -1; }),
         {{&sword, true}, {&dagger, true}, {&claw, true}}},
        {"weapons, unknown special",
         with(in(0), [](Probe& p) { p.weaponSpecialFilter = 7; }),
         {{&sword, false}, {&dagger, false}}},
        {"weapons of size 2",
         with(in(0), [](Probe& p) { p.weaponSizeFilter = 2; }),
         {{&sword, true}, {&dagger, false}}},
        {"martial weapons",
         with(in(0), [](Probe& p) { p.weaponGroupFilter = 1; }),
         {{&sword, true}, {&dagger, false}}},
        {"weapons, equipment page",
         with(in(0, 1), [](Probe& p) { p.weaponSizeFilter = 3, p.weaponSpecialFilter = 2; }),
         {{&sword, true}, {&claw, true}, {&leather, false}}},
        {"enhanced weapons",
         magic(22),
         {{&sword, true}, {&dagger, true}, {&claw, false}, {&ring, false}}},
        {"enhanced simple weapons",
         with(magic(22), [](Probe& p) { p.magicWeaponGroupFilter = 0; }),
         {{&sword, false}, {&dagger, true}}},
        {"enhanced armour",
         magic(23),
         {{&leather, true}, {&mail, true}, {&sword, false}, {&buckler, false}}},
        {"enhanced medium armour",
         with(magic(23), [](Probe& p) { p.magicArmorGroupFilter = 1; }),
         {{&leather, false}, {&mail, true}}},
        {"enhanced shields", magic(24), {{&buckler, true}, {&tower, true}, {&leather, false}}},
        {"armour, ordinary", in(1), {{&leather, true}, {&mail, true}, {&buckler, false}}},
        {"light armour",
         with(in(1), [](Probe& p) { p.armorGroupFilter = 0; }),
         {{&leather, true}, {&mail, false}}},
        {"armour, special",
         with(in(1), [](Probe& p) { p.specialFilter = 1; }),
         {{&leather, false}, {&mail, false}}},
        {"armour, masterwork",
         with(in(1), [](Probe& p) { p.specialFilter = 2; }),
         {{&leather, true}, {&mail, false}}},
        {"armour and shields",
         in(6),
         {{&leather, true}, {&buckler, true}, {&sword, false}, {&pack, false}}},
        {"armour and shields, equipment page",
         with(in(6, 1), [](Probe& p) { p.armorGroupFilter = 2, p.specialFilter = 2; }),
         {{&mail, true}, {&tower, true}}},
        {"shields, ordinary", in(2), {{&buckler, true}, {&tower, true}, {&leather, false}}},
        {"shields, special",
         with(in(2), [](Probe& p) { p.specialFilter = 1; }),
         {{&buckler, false}}},
        {"shields, masterwork",
         with(in(2), [](Probe& p) { p.specialFilter = 2; }),
         {{&buckler, true}, {&tower, false}}},
        {"goods of group 0", in(3), {{&pack, true}, {&cart, false}, {&ring, false}}},
        {"goods of group 4, ordinary",
         with(in(3), [](Probe& p) { p.goodsGroupFilter = 4; }),
         {{&cart, false}}},
        {"goods of group 4, special",
         with(in(3), [](Probe& p) { p.goodsGroupFilter = 4, p.specialFilter = 1; }),
         {{&cart, true}, {&pack, false}}},
        {"goods of group 4, all",
         with(in(3), [](Probe& p) { p.goodsGroupFilter = 4, p.specialFilter = -1; }),
         {{&cart, true}}},
        {"goods, masterwork", with(in(3), [](Probe& p) { p.specialFilter = 2; }), {{&pack, false}}},
        {"goods, equipment page", in(3, 1), {{&pack, true}, {&cart, true}}},
        {"rings", magic(1), {{&ring, true}, {&cloak, false}, {&sword, false}}},
        {"wondrous items", magic(7), {{&cloak, true}, {&bag, true}, {&ring, false}}},
        {"worn wondrous items",
         with(magic(7), [](Probe& p) { p.wondrousFilter = 1; }),
         {{&cloak, true}, {&bag, false}}},
        {"carried wondrous items",
         with(magic(7), [](Probe& p) { p.wondrousFilter = 2; }),
         {{&cloak, false}, {&bag, true}}},
        {"category 5", in(5), {{&sword, false}, {&leather, false}, {&pack, false}, {&ring, false}}},
    };
    for (const Case& c : cases)
    {
        Probe probe;
        c.set(probe);
        for (const auto& [record, shown] : c.shown)
            EXPECT_EQ(probe.IsItemShown(record), shown)
                << c.what << ", type " << record->GetTypeCode();
    }
    Probe probe;
    EXPECT_FALSE(probe.IsItemShown(nullptr));
    EXPECT_FALSE(L::IsOfCategory(5, &sword));
    EXPECT_TRUE(L::IsOfCategory(6, &buckler));
}

// The inventory page with its list rebuilds counted.
class SpyInventory : public Vel_UIInventory
{
public:
    explicit SpyInventory(const Vel_UIInventory& page) : Vel_UIInventory(page) {}
    void RefreshLists() override
    {
        ++rebuilds;
        Vel_UIInventory::RefreshLists();
    }
    int rebuilds = 0;
};

class InventoryListTest : public GearPageFixture
{
protected:
    UIComboBox* Selector(const VelInventoryList& list, std::size_t index)
    {
        return list.GetSelector(index);
    }
    std::vector<bool> VisibleBoxes(const VelInventoryList& list)
    {
        std::vector<bool> visible;
        for (std::size_t i = 0; i < VelInventoryList::kBoxCount; ++i)
            visible.push_back(list.GetBox(i) && list.GetBox(i)->GetVisibleFlag() == 1);
        return visible;
    }
};

TEST_F(InventoryListTest, EachPageOffersItsCategories)
{
    Vel_UIInventory* inventory = ShowInventory();
    ASSERT_NE(inventory, nullptr);
    EXPECT_EQ(Entries(inventory->GetSelector(0)), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    Vel_UIEquip* equip = ShowEquip();
    ASSERT_NE(equip, nullptr);
    EXPECT_EQ(Entries(equip->GetSelector(0)), (std::vector<std::int32_t>{0, 6, 3}));
    EXPECT_EQ(equip->GetMode(), VelInventoryList::kEquipMode);
}

TEST_F(InventoryListTest, EachCategorySetsUpItsFilters)
{
    using V = std::vector<std::int32_t>;
    struct Case
    {
        std::int32_t category;
        V first;
        V second; // empty: hidden
        V third;
        std::vector<bool> boxes;
    };
    const std::vector<bool> none(5, false);
    const Case cases[] = {
        {0, {-1, 0, 1, 2, 3}, {-1, 0, 1, 2, 3}, {-1, 0, 1, 2}, {true, false, false, false, false}},
        {1, {-1, 0, 1, 2}, {}, {-1, 0, 2}, {false, true, false, false, false}},
        {2, {-1, 0, 2}, {}, {}, {false, false, true, false, false}},
        {3, {0, 1, 2, 3, 4, 5, 6, 7}, {}, {-1, 0, 1, 2}, {false, false, false, true, false}},
        // The stored sub-category, 22, picks the weapon box.
        {4,
         {22, 23, 24, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {-1, 0, 1, 2},
         {1, 2, 3, 4, 5},
         {true, false, false, false, false}},
    };
    Vel_UIInventory* page = ShowInventory();
    ASSERT_NE(page, nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.category);
        Choose(page->GetSelector(0), c.category);
        EXPECT_EQ(page->GetCategory(), c.category);
        EXPECT_EQ(Entries(page->GetSelector(1)), c.first);
        EXPECT_EQ(Offered(page->GetSelector(2)), c.second);
        EXPECT_EQ(Offered(page->GetSelector(3)), c.third);
        EXPECT_EQ(VisibleBoxes(*page), c.boxes);
    }
}

TEST_F(InventoryListTest, MagicSubCategoriesRebuildOnceAndPickTheirBox)
{
    Vel_UIInventory* shown = ShowInventory();
    ASSERT_NE(shown, nullptr);
    auto* spy = new SpyInventory(*shown);
    // A copy's selectors hold no data until they are filled.
    spy->FillCategories();
    EXPECT_EQ(spy->rebuilds, 1) << "the category selection builds the lists";
    spy->rebuilds = 0;
    Choose(spy->GetSelector(0), VelInventoryList::kMagic);
    EXPECT_EQ(spy->rebuilds, 1) << "entering the magic category";
    EXPECT_EQ(spy->GetShownBox(), 0);
    EXPECT_EQ(VisibleBoxes(*spy), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(Names(spy->GetStockList()).front(), "Dagger +1");

    struct Case
    {
        std::int32_t sub;
        std::vector<std::int32_t> second;
        std::vector<std::int32_t> third;
        std::int32_t box;
        std::vector<bool> boxes;
    };
    const std::vector<bool> none(5, false);
    const Case cases[] = {
        {23, {-1, 0, 1, 2}, {1, 2, 3, 4, 5}, 1, {false, true, false, false, false}},
        // Wondrous items: kinds of use, no third filter, no box; the index stays.
        {7, {-1, 1, 2, 3}, {}, 1, none},
        {24, {}, {1, 2, 3, 4, 5}, 2, {false, false, true, false, false}},
        {4, {10, 9, 2, 3, 7, 6, 1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 2, none},
        {1, {}, {}, 2, none},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sub);
        spy->rebuilds = 0;
        Choose(spy->GetSelector(1), c.sub);
        EXPECT_EQ(spy->rebuilds, 1);
        EXPECT_EQ(Offered(spy->GetSelector(2)), c.second);
        EXPECT_EQ(Offered(spy->GetSelector(3)), c.third);
        EXPECT_EQ(spy->GetShownBox(), c.box);
        EXPECT_EQ(VisibleBoxes(*spy), c.boxes);
    }
    // Coming back to the magic category with sub-category 1 shows the fifth
    // box's place: the index is 4 (the layout has no fifth box).
    Choose(spy->GetSelector(0), VelInventoryList::kGoods);
    spy->rebuilds = 0;
    Choose(spy->GetSelector(0), VelInventoryList::kMagic);
    EXPECT_EQ(spy->rebuilds, 1);
    EXPECT_EQ(spy->GetShownBox(), 4);
    EXPECT_EQ(Names(spy->GetStockList()), std::vector<std::string>{"Ring of Guarding"});
    spy->Release();
}

TEST_F(InventoryListTest, StockRowsNameAndPriceWhatTheyOffer)
{
    hero->SetCoins(2, 999999);
    Vel_UIInventory* page = ShowInventory();
    ASSERT_NE(page, nullptr);
    const auto row = [&](const std::string& name) -> Vel_UIInvItem*
    { return dynamic_cast<Vel_UIInvItem*>(RowNamed(page->GetStockList(), name)); };
    struct Case
    {
        std::function<void()> choose;
        std::string name;
        std::string price;
        std::uint32_t options;
    };
    const Case cases[] = {
        {[&] { Choose(page->GetSelector(3), 2); }, "Dagger MW", "302 gold", 1},
        {[&] { Choose(page->GetSelector(0), 3); }, "Rope", "5 silver", 0},
        // Bonuses, spells and magic items are priced in gold without a coin name.
        {[&] { Choose(page->GetSelector(0), 4), Choose(page->GetSelector(3), 2); }, "Dagger +2",
         "8002", 0x40},
        {[&] { Choose(page->GetSelector(1), 1); }, "Ring of Guarding", "2000", 0},
        {[&] { Choose(page->GetSelector(1), 4); }, "Scroll Fire Bolt", "375", 0x80},
        {[&] { Choose(page->GetSelector(1), 6); }, "Potion Fire Bolt", "750", 0x80},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.choose();
        Vel_UIInvItem* found = row(c.name);
        ASSERT_NE(found, nullptr) << testing::PrintToString(Names(page->GetStockList()));
        EXPECT_EQ(found->GetColumnText(1), c.price);
        EXPECT_EQ(found->options, c.options);
        EXPECT_EQ(found->category, Vel_UIInvItem::kStockRow);
    }
    const Vel_UIInvItem* potion = row("Potion Fire Bolt");
    ASSERT_NE(potion, nullptr);
    EXPECT_EQ(potion->itemKey, G::kPotion);
    EXPECT_EQ(potion->valueA, G::kFireBolt);
    EXPECT_EQ(potion->valueB, 10u);

    // A small character gets the small version of armour, shields and the
    // goods made in one, and of nothing else.
    VelDatabase::FindRace(RulesFixture::kRace)->sizeId = VelIds::kSizeSmall;
    struct Small
    {
        std::int32_t category;
        std::string name;
        bool small;
    };
    const Small small[] = {{1, "Leather", true},
                           {2, "Buckler", true},
                           {3, "Backpack", true},
                           {3, "Rope", false},
                           {0, "Dagger MW", false}};
    for (const Small& s : small)
    {
        Choose(page->GetSelector(0), s.category);
        Vel_UIInvItem* found = row(s.name);
        ASSERT_NE(found, nullptr) << s.name;
        EXPECT_EQ((found->options & VelCharacterItem::kSmall) != 0, s.small) << s.name;
    }
}

TEST_F(InventoryListTest, AMissingRowLayoutLeavesTheListEmpty)
{
    // The stock row's layout, in the harness's own root, holds no row.
    ui.WriteLayout("velInventoryItem.ui", LayoutBytes::Write(LayoutBytes::Control(
                                              LayoutBytes::Element(1, 0, 0, 10, 10), "UIControl")));
    Vel_UIInventory* page = ShowInventory();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetStockList()->GetItemCount(), 0u);
    EXPECT_FALSE(Names(page->GetOwnedList()).empty()) << "the owned rows have their own layout";
}
} // namespace
