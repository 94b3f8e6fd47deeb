#include "Vel/Rules/VelEquipRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST(WeaponHandCodeTest, WeaponSizeAgainstRaceSize)
{
    struct Case
    {
        std::int16_t weaponSize; // the race's scale is weapon size + 2
        std::uint16_t handedness;
        std::uint16_t raceSize;
        std::uint16_t expected;
    };
    // Race size 4: a weapon of size 1 is smaller, 2 the same, 3 one larger.
    const std::vector<Case> cases = {
        {1, 1, 4, 1},
        {1, 2, 4, 2},
        {1, 3, 4, 6},
        {1, 0, 4, 1},
        {2, 1, 4, 1},
        {2, 2, 4, 3},
        {2, 3, 4, 3},
        {3, 1, 4, 2},
        {3, 2, 4, 2},
        {3, 3, 4, 6},
        {4, 1, 4, 0},
        {4, 3, 4, 0},
        // A small race (size 3) finds the same weapons one step larger.
        {2, 1, 3, 2},
        {1, 1, 3, 1},
        {3, 1, 3, 0},
        // Sizes compare signed: size 0xFFFF is -1, below every weapon.
        {-3, 1, 0xFFFF, 1},
        {-2, 1, 0xFFFF, 2},
        {0, 1, 0xFFFF, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "weapon " << c.weaponSize << " hands " << c.handedness
                                        << " race " << c.raceSize);
        VelWeaponInfo weapon;
        weapon.size = c.weaponSize;
        weapon.handedness = c.handedness;
        EXPECT_EQ(GetWeaponHandCodeForSize(c.raceSize, weapon), c.expected);
    }
}

namespace Id = VelIds;
using Item = VelCharacterItem;
constexpr std::uint16_t kHuman = 1, kSmallRace = 2;
constexpr std::uint16_t kSword = 50, kGreatSword = 51, kDagger = 52, kOakStaff = 53;
constexpr std::uint16_t kMail = 60, kFineMail = 61, kRope = 70, kCrate = 71;
constexpr std::uint16_t kWand = 80, kScroll = 81;
constexpr std::uint16_t kFire = 100;

template <class T> T Priced(std::uint32_t price, std::int16_t coinKind, float weight)
{
    T record;
    record.basePrice = price;
    record.coinKind = coinKind;
    record.weight = weight;
    return record;
}

VelWeaponInfo Blade(std::int16_t size, std::uint16_t handedness, std::uint32_t price)
{
    VelWeaponInfo weapon = Priced<VelWeaponInfo>(price, 1, 4.0f);
    weapon.size = size;
    weapon.handedness = handedness;
    return weapon;
}

VelSpecialCostInfo Cost(std::uint16_t second, std::uint32_t price, std::uint8_t replaces)
{
    VelSpecialCostInfo row;
    row.secondKey = second;
    row.price = price;
    row.flag = replaces;
    return row;
}

class EquipRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        VelRaceInfo human, small;
        human.sizeId = 4;
        small.sizeId = Id::kSizeSmall;
        small.speedColumn = 1;
        db.Section(VelDatabase::kTagRace).Add(kHuman, human).Add(kSmallRace, small);
        db.Section(VelDatabase::kTagClass);
        for (std::uint16_t id = 0; id < Id::kClassCount; ++id)
        {
            VelClassInfo record;
            record.castingKind = id == Id::kClassMinstrel ? 2 : 1;
            record.startingItem = id == Id::kClassScholarCaster ? kRope : 0xFFFF;
            db.Add(static_cast<std::int16_t>(id), record);
        }
        VelWeaponInfo sword = Blade(2, 1, 15);
        sword.specialCostKey = 5;
        VelWeaponInfo staff = Blade(2, 3, 2);
        staff.forbiddenToClass3 = 1;
        VelArmorInfo mail = Priced<VelArmorInfo>(50, 2, 30.0f);
        mail.specialCostKey = 9; // no such row
        VelArmorInfo fineMail = mail;
        fineMail.specialCostKey = 6;
        VelGoodsInfo rope = Priced<VelGoodsInfo>(5, 0, 10.0f);
        rope.usable = 1;
        rope.amount = 50.0f;
        VelMagicItemInfo wand = Priced<VelMagicItemInfo>(7, 2, 0.0f);
        VelMagicItemInfo scroll = wand;
        scroll.magicKind = VelMagicItemInfo::kMagicKindSpellPriced;
        db.Section(VelDatabase::kTagItem)
            .Add(kSword, sword)
            .Add(kGreatSword, Blade(3, 2, 50))
            .Add(kDagger, Blade(1, 1, 2))
            .Add(kOakStaff, staff)
            .Add(kMail, mail)
            .Add(kFineMail, fineMail)
            .Add(kRope, rope)
            .Add(kCrate, Priced<VelGoodsInfo>(1, 0, 50.0f))
            .Add(kWand, wand)
            .Add(kScroll, scroll)
            .Add(static_cast<std::int16_t>(Id::kItemSpellbook), Priced<VelGoodsInfo>(15, 2, 3.0f))
            .Add(static_cast<std::int16_t>(Id::kItemUnarmedStrike), Blade(0, 1, 0));
        db.Section(VelDatabase::kTagSpecialCost).Add(5, Cost(0, 300, 0)).Add(6, Cost(0, 150, 1));
        db.Section(VelDatabase::kTagSpecialCost315)
            .Add(0, Cost(1, 2000, 0))
            .Add(1, Cost(2, 4000, 1));
        VelSpellInfo fire;
        fire.itemPrice = 25;
        fire.itemPriceKind2 = 40;
        fire.itemPriceMagicKind6 = 75;
        db.Section(VelDatabase::kTagSpell).Add(kFire, fire);
        ASSERT_TRUE(db.Load());
        c.raceId = kHuman;
    }

    static VelItemInfo* Record(std::uint16_t id) { return VelDatabase::FindItem(id); }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST_F(EquipRulesTest, PricesWithEveryOption)
{
    struct Case
    {
        std::uint16_t item;
        std::uint32_t options;
        std::int32_t a;
        std::uint32_t b;
        std::uint32_t expected;
    };
    const std::vector<Case> cases = {
        {kSword, 0, 0, 0, 15},
        {kSword, Item::kSmall, 0, 0, 15},
        {kSword, Item::kMasterwork, 0, 0, 315},    // row adds
        {kFineMail, Item::kMasterwork, 0, 0, 150}, // row replaces
        {kMail, Item::kMasterwork, 0, 0, 50},      // no row
        {kSword, Item::kEnhanced, 1, 0, 2015},
        {kSword, Item::kEnhanced, 2, 0, 15}, // no row
        {kMail, Item::kEnhanced, 2, 0, 4000},
        {kSword, Item::kMasterwork | Item::kEnhanced, 1, 0, 315}, // masterwork only
        {kRope, Item::kEnhanced, 1, 0, 5},                        // goods have no rows
        {kWand, Item::kSpellBased, kFire, Id::kClassPriest, 25},
        {kWand, Item::kSpellBased, kFire, Id::kClassMinstrel, 40}, // casting kind 2
        {kScroll, Item::kSpellBased, kFire, Id::kClassPriest, 75}, // magic kind 6
        {kWand, Item::kSpellBased, kFire, 99, 7},                  // no class
        {kWand, Item::kSpellBased, kFire, 0xFFFFFFFF, 7},
        {kWand, Item::kSpellBased, 555, Id::kClassPriest, 7}, // no spell
        {kWand, Item::kSpellBased, -1, Id::kClassPriest, 7},
        {kWand, Item::kSpellBased, 70000, Id::kClassPriest, 7},
    };
    for (const Case& t : cases)
        EXPECT_EQ(GetItemPrice(Record(t.item), t.options, t.a, t.b), t.expected)
            << "item " << t.item << " options " << t.options << " a " << t.a << " b " << t.b;
    EXPECT_EQ(GetItemPrice(nullptr, 0, 0, 0), 0u);
}

TEST_F(EquipRulesTest, WeightsCapacityAndCoins)
{
    EXPECT_FLOAT_EQ(GetItemWeight(Record(kSword), Item::kSmall), 2.0f);
    EXPECT_FLOAT_EQ(GetItemWeight(Record(kRope), Item::kSmall), 2.5f);
    EXPECT_FLOAT_EQ(GetItemWeight(Record(kRope), Item::kMasterwork), 10.0f);
    const auto* rope = VelDatabase::FindItem<VelGoodsInfo>(kRope);
    EXPECT_FLOAT_EQ(GetItemCapacity(rope, 0), 50.0f);
    EXPECT_FLOAT_EQ(GetItemCapacity(rope, Item::kSmall), 12.5f);
    EXPECT_EQ(ToCopperValue(5, 0), 5);
    EXPECT_EQ(ToCopperValue(5, 1), 50);
    EXPECT_EQ(ToCopperValue(5, 2), 500);
    EXPECT_EQ(ToCopperValue(5, 3), 0);
    EXPECT_EQ(ToCopperValue(5, -1), 0);
}

TEST_F(EquipRulesTest, WhoMayUseWhat)
{
    struct Case
    {
        std::uint16_t race, item;
        bool natureClass, expected;
    };
    const std::vector<Case> cases = {
        {kHuman, kSword, false, true},
        {kSmallRace, kSword, false, false}, // one-handed, too big
        {kHuman, kGreatSword, false, true},
        {kSmallRace, kGreatSword, false, false},
        {kSmallRace, kDagger, false, true},
        {kHuman, kRope, false, true},
        {kHuman, kCrate, false, false},
        {kHuman, kOakStaff, true, false},
        {kHuman, kOakStaff, false, true},
        {kSmallRace, kMail, false, true},
        {99, kSword, false, false},
        {99, kMail, false, true},
    };
    for (const Case& t : cases)
    {
        VelCharacter fresh;
        fresh.raceId = t.race;
        if (t.natureClass)
            fresh.AddClass(Id::kClassNaturePriest);
        EXPECT_EQ(CanUseItem(&fresh, Record(t.item)), t.expected)
            << "race " << t.race << " item " << t.item;
    }
    const auto* great = VelDatabase::FindItem<VelWeaponInfo>(kGreatSword);
    VelCharacterEquip set;
    EXPECT_TRUE(CanHoldWeaponInSlot(&c, VelDatabase::FindItem<VelWeaponInfo>(kSword), &set));
    EXPECT_TRUE(CanHoldWeaponInSlot(&c, great, &set));
    set.SetSlot(0, 3);
    EXPECT_FALSE(CanHoldWeaponInSlot(&c, great, &set));
    EXPECT_TRUE(IsWeaponLight(&c, VelDatabase::FindItem<VelWeaponInfo>(kDagger)));
    EXPECT_FALSE(IsWeaponTooLarge(&c, great));
    c.raceId = kSmallRace;
    EXPECT_TRUE(IsWeaponTooLarge(&c, great));
    EXPECT_EQ(GetRaceSpeedColumn(&c), 1);
}

TEST_F(EquipRulesTest, BuyingEquippingAndSelling)
{
    c.SetCoins(2, 100);
    Item* mail = BuyItem(&c, Record(kMail), 0, 0, 0, true);
    Item* sword = BuyItem(&c, Record(kSword), Item::kMasterwork, 0, 0, false);
    ASSERT_NE(mail, nullptr);
    ASSERT_NE(sword, nullptr);
    EXPECT_EQ(c.money, VelCoins(0, 0, 50));
    EXPECT_EQ(sword->price, 315u);
    EXPECT_EQ(c.ownedItemsValue, VelCoins(0, 5, 81));

    EquipItem(&c, mail, false);
    EquipItem(&c, sword, true);
    EquipItem(&c, sword, true); // already on: counted once
    EXPECT_EQ(c.GetWornArmor(), mail);
    EXPECT_EQ(sword->placement, Item::kCarried);
    EXPECT_FLOAT_EQ(c.carriedWeight, 34.0f);

    // Selling a carried weapon that two sets hold removes both sets.
    VelCharacterEquip held;
    held.SetSlot(1, sword->itemKey);
    c.AddEquip(held);
    c.AddEquip(held);
    AddDefaultEquipSet(&c);
    SellItem(&c, sword);
    EXPECT_EQ(c.equipSets.GetCount(), 1u);
    EXPECT_FLOAT_EQ(c.carriedWeight, 30.0f);
    EXPECT_EQ(c.money, VelCoins(0, 5, 81));
    EXPECT_EQ(c.ownedItemsValue, VelCoins(0, 0, 50));
    EXPECT_EQ(c.items.GetCount(), 1u);
    UnequipItem(&c, mail);
    EXPECT_EQ(c.GetWornArmor(), nullptr);
    EXPECT_FLOAT_EQ(c.carriedWeight, 0.0f);
}

TEST_F(EquipRulesTest, StartingItems)
{
    VelCharacter scholar;
    scholar.raceId = kHuman;
    scholar.AddClass(Id::kClassScholarCaster);
    scholar.SetCoins(2, 100);
    GiveStartingItems(&scholar);
    EXPECT_EQ(scholar.GetMoneyInLowestCoin(), 10000 - 5 - 1500);
    EXPECT_EQ(scholar.items.GetCount(), 2u);
    EXPECT_FLOAT_EQ(scholar.carriedWeight, 13.0f);

    // A starting item of "none" buys nothing; the unarmed strike is owned, not carried.
    VelCharacter monk;
    monk.AddClass(Id::kClassWarrior);
    monk.AddClass(Id::kClassMartialArtist);
    monk.SetCoins(2, 10);
    GiveStartingItems(&monk);
    EXPECT_EQ(monk.money, VelCoins(0, 0, 10));
    ASSERT_EQ(monk.items.GetCount(), 1u);
    EXPECT_EQ(monk.FindItem(0)->GetHeldObject(), Record(Id::kItemUnarmedStrike));
    EXPECT_EQ(monk.FindItem(0)->placement, Item::kNotOnBody);
}

TEST_F(EquipRulesTest, OldFilesAreRevaluedAtRealPrices)
{
    Item* sword = c.AddItem(Record(kSword));
    sword->options = Item::kMasterwork;
    RevalueOwnedItems(&c);
    EXPECT_EQ(sword->price, 315u);
    EXPECT_EQ(c.ownedItemsValue, VelCoins(0, 5, 31));
    VelCharacter::SetItemPricer(nullptr);
}
} // namespace
