#include "Vel/Rules/VelEquipRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelMagicItemInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSpecialCostInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>
#include <vector>

namespace
{
TEST(WeaponHandCodeTest, WeaponSizeAgainstRaceSize)
{
    // Weapon size (the race's scale is weapon size + 2), handedness, race size, hand code.
    // Race size 4: a weapon of size 1 is smaller, 2 the same, 3 one larger. A small race
    // (size 3) finds the same weapons one step larger. Sizes compare signed: 0xFFFF is -1,
    // below every weapon.
    const std::vector<std::array<std::int32_t, 4>> cases = {
        {1, 1, 4, 1}, {1, 2, 4, 2}, {1, 3, 4, 6}, {1, 0, 4, 1},   {2, 1, 4, 1},   {2, 2, 4, 3},
        {2, 3, 4, 3}, {3, 1, 4, 2}, {3, 2, 4, 2}, {3, 3, 4, 6},   {4, 1, 4, 0},   {4, 3, 4, 0},
        {2, 1, 3, 2}, {1, 1, 3, 1}, {3, 1, 3, 0}, {-3, 1, -1, 1}, {-2, 1, -1, 2}, {0, 1, -1, 0},
    };
    for (const auto& [size, handedness, raceSize, expected] : cases)
    {
        VelWeaponInfo weapon;
        weapon.size = static_cast<std::int16_t>(size);
        weapon.handedness = static_cast<std::uint16_t>(handedness);
        EXPECT_EQ(GetWeaponHandCodeForSize(static_cast<std::uint16_t>(raceSize), weapon), expected)
            << "weapon " << size << " hands " << handedness << " race " << raceSize;
    }
}

namespace Id = VelIds;
using Item = VelCharacterItem;
constexpr std::uint16_t kHuman = 1, kSmallRace = 2;
constexpr std::uint16_t kSword = 50, kGreatSword = 51, kDagger = 52, kOakStaff = 53;
constexpr std::uint16_t kMail = 60, kFineMail = 61, kRope = 70, kCrate = 71;
constexpr std::uint16_t kWand = 80, kScroll = 81;
constexpr std::uint16_t kBuckler = 90;
constexpr std::uint16_t kFire = 100;

template <class T> T Priced(std::uint32_t price, std::int16_t coinKind, float weight)
{
    T record;
    record.basePrice = price, record.coinKind = coinKind, record.weight = weight;
    return record;
}

VelWeaponInfo Blade(std::int16_t size, std::uint16_t handedness, std::uint32_t price)
{
    VelWeaponInfo weapon = Priced<VelWeaponInfo>(price, 1, 4.0f);
    weapon.size = size, weapon.handedness = handedness;
    return weapon;
}

VelSpecialCostInfo Cost(std::uint16_t second, std::uint32_t price, std::uint8_t replaces)
{
    VelSpecialCostInfo row;
    row.secondKey = second, row.price = price, row.flag = replaces;
    return row;
}

class EquipRulesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        VelRaceInfo human, small;
        human.sizeId = 4;
        small.sizeId = Id::kSizeSmall, small.speedColumn = 1;
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
        mail.armorBonus = 5;
        VelShieldInfo buckler = Priced<VelShieldInfo>(5, 2, 5.0f);
        buckler.shieldBonus = 1;
        VelArmorInfo fineMail = mail;
        fineMail.specialCostKey = 6;
        VelGoodsInfo rope = Priced<VelGoodsInfo>(5, 0, 10.0f);
        rope.usable = 1, rope.amount = 50.0f;
        VelMagicItemInfo wand = Priced<VelMagicItemInfo>(7, 2, 0.0f);
        VelMagicItemInfo scroll = wand;
        scroll.magicKind = VelMagicItemInfo::kMagicKindSpellPriced;
        db.Section(VelDatabase::kTagItem).Add(kSword, sword).Add(kGreatSword, Blade(3, 2, 50));
        db.Add(kDagger, Blade(1, 1, 2))
            .Add(kOakStaff, staff)
            .Add(kMail, mail)
            .Add(kFineMail, fineMail);
        db.Add(kRope, rope).Add(kCrate, Priced<VelGoodsInfo>(1, 0, 50.0f)).Add(kWand, wand);
        db.Add(kScroll, scroll).Add(Id::kItemSpellbook, Priced<VelGoodsInfo>(15, 2, 3.0f));
        db.Add(kBuckler, buckler);
        db.Add(Id::kItemUnarmedStrike, Blade(0, 1, 0));
        db.Section(VelDatabase::kTagSpecialCost).Add(5, Cost(0, 300, 0)).Add(6, Cost(0, 150, 1));
        db.Section(VelDatabase::kTagSpecialCost315)
            .Add(0, Cost(1, 2000, 0))
            .Add(1, Cost(2, 4000, 1));
        VelSpellInfo fire;
        fire.itemPrice = 25, fire.itemPriceKind2 = 40, fire.itemPriceMagicKind6 = 75;
        db.Section(VelDatabase::kTagSpell).Add(kFire, fire);
        VelCarryInfo carry;
        carry.lightLimit = 35.0f, carry.mediumLimit = 70.0f, carry.heavyLimit = 105.0f;
        db.Section(VelDatabase::kTagCarry).Add(10, carry);
        ASSERT_TRUE(db.Load());
        c.raceId = kHuman;
    }

    static VelItemInfo* Record(std::uint16_t id) { return VelDatabase::FindItem(id); }

    QuietLog quiet;
    DbFixture db;
    VelCharacter c;
};

TEST(WealthTest, MoneyAndOwnedValueAddCoinByCoin)
{
    constexpr std::int32_t kMost = std::numeric_limits<std::int32_t>::max();
    struct Case
    {
        VelCoins money;
        VelCoins owned;
        std::int32_t wealth;
    };
    const Case cases[] = {
        // Two halves of a highest coin make one.
        {VelCoins(0, 5, 2549), VelCoins(0, 5, 2550), 5100},
        {VelCoins(9, 9, 0), VelCoins(1, 0, 0), 1},
        {VelCoins(5, 9, 10), VelCoins(5, 0, 20), 31},
        {VelCoins(0, 0, -3), VelCoins(0, 0, 10), 7},
        {VelCoins(-5, 0, 10), VelCoins(0, 0, 0), 9},
        // Sums past the 32-bit range stop at its end.
        {VelCoins(kMost, kMost, kMost), VelCoins(kMost, kMost, kMost), kMost},
    };
    for (const Case& c : cases)
    {
        VelCharacter character;
        character.money = c.money;
        character.ownedItemsValue = c.owned;
        EXPECT_EQ(GetWealth(&character), c.wealth) << c.money.coins[2] << " + " << c.owned.coins[2];
        EXPECT_EQ(character.money, c.money);
        EXPECT_EQ(character.ownedItemsValue, c.owned);
    }
    EXPECT_EQ(GetWealth(nullptr), 0);
}

TEST_F(EquipRulesTest, PricesWithEveryOption)
{
    constexpr std::uint32_t kMw = Item::kMasterwork, kEn = Item::kEnhanced, kSm = Item::kSmall;
    constexpr std::uint32_t kSp = Item::kSpellBased, kPri = Id::kClassPriest;
    constexpr std::uint32_t kMin = Id::kClassMinstrel;
    // Item, options, enhancement or spell, caster class (-1 is 0xFFFFFFFF), price. The sword's
    // masterwork row adds 300, the fine mail's replaces the price, the mail has none. Masterwork
    // wins over enhancement; goods have no enhancement rows. A spell-based price follows the
    // caster's casting kind (the minstrel's is 2) or the scroll's magic kind; a missing class or
    // spell leaves the base price.
    const std::vector<std::array<std::int64_t, 5>> cases = {
        {kSword, 0, 0, 0, 15},           {kSword, kSm, 0, 0, 15},
        {kSword, kMw, 0, 0, 315},        {kFineMail, kMw, 0, 0, 150},
        {kMail, kMw, 0, 0, 50},          {kSword, kEn, 1, 0, 2015},
        {kSword, kEn, 2, 0, 15},         {kMail, kEn, 2, 0, 4000},
        {kSword, kMw | kEn, 1, 0, 315},  {kRope, kEn, 1, 0, 5},
        {kWand, kSp, kFire, kPri, 25},   {kWand, kSp, kFire, kMin, 40},
        {kScroll, kSp, kFire, kPri, 75}, {kWand, kSp, kFire, 99, 7},
        {kWand, kSp, kFire, -1, 7},      {kWand, kSp, 555, kPri, 7},
        {kWand, kSp, -1, kPri, 7},       {kWand, kSp, 70000, kPri, 7},
    };
    for (const auto& [item, options, a, b, expected] : cases)
        EXPECT_EQ(GetItemPrice(Record(static_cast<std::uint16_t>(item)),
                               static_cast<std::uint32_t>(options), static_cast<std::int32_t>(a),
                               static_cast<std::uint32_t>(b)),
                  expected)
            << "item " << item << " options " << options << " a " << a << " b " << b;
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
    // Race, item, with the nature priest, usable. A one-handed weapon too big for a small
    // race; goods not marked usable; a race without its record holds no weapon.
    const std::vector<std::array<std::uint16_t, 4>> cases = {
        {kHuman, kSword, 0, 1},          {kSmallRace, kSword, 0, 0},  {kHuman, kGreatSword, 0, 1},
        {kSmallRace, kGreatSword, 0, 0}, {kSmallRace, kDagger, 0, 1}, {kHuman, kRope, 0, 1},
        {kHuman, kCrate, 0, 0},          {kHuman, kOakStaff, 1, 0},   {kHuman, kOakStaff, 0, 1},
        {kSmallRace, kMail, 0, 1},       {99, kSword, 0, 0},          {99, kMail, 0, 1},
    };
    for (const auto& [race, item, nature, expected] : cases)
    {
        VelCharacter fresh;
        fresh.raceId = race;
        if (nature)
            fresh.AddClass(Id::kClassNaturePriest);
        EXPECT_EQ(CanUseItem(&fresh, Record(item)), expected != 0)
            << "race " << race << " item " << item;
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

TEST_F(EquipRulesTest, SellingAWeaponEmptiesOnlyItsOwnHands)
{
    Item* sword = BuyItem(&c, Record(kSword), 0, 0, 0, false);
    Item* dagger = BuyItem(&c, Record(kDagger), 0, 0, 0, false);
    ASSERT_NE(sword, nullptr);
    ASSERT_NE(dagger, nullptr);
    EquipItem(&c, sword, false);
    EquipItem(&c, dagger, false);
    struct Case
    {
        const char* what;
        std::vector<std::array<std::uint16_t, 2>> sets;
        std::vector<std::array<std::uint16_t, 2>> left;
    };
    constexpr std::uint16_t e = VelCharacterEquip::kEmptySlot;
    const std::uint16_t s = sword->itemKey, d = dagger->itemKey;
    const Case cases[] = {
        {"the other hand keeps its weapon", {{d, s}, {e, e}}, {{d, e}, {e, e}}},
        {"sets left empty go, the empty one at the end stays",
         {{e, s}, {s, d}, {e, e}},
         {{e, d}, {e, e}}},
        // Without an empty set, the last one emptied stays for the next weapon.
        {"one empty set is kept", {{e, s}, {s, e}}, {{e, e}}},
    };
    for (const Case& test : cases)
    {
        VelCharacter seller;
        seller.raceId = kHuman;
        Item* sold = seller.AddItem(Record(kSword));
        Item* kept = seller.AddItem(Record(kDagger));
        ASSERT_EQ(sold->itemKey, s);
        ASSERT_EQ(kept->itemKey, d);
        EquipItem(&seller, sold, false);
        EquipItem(&seller, kept, false);
        for (const auto& hands : test.sets)
        {
            VelCharacterEquip set;
            set.SetSlot(0, hands[0]);
            set.SetSlot(1, hands[1]);
            set.UpdateModes(&seller);
            seller.AddEquip(set);
        }
        SellItem(&seller, sold);
        std::vector<std::array<std::uint16_t, 2>> left;
        for (std::uint32_t i = 0; i < seller.equipSets.GetCount(); ++i)
        {
            const auto* set = static_cast<VelCharacterEquip*>(
                seller.equipSets.GetAt(static_cast<std::int32_t>(i)));
            left.push_back(set->slots);
            // The grip follows what is left: one hand for the dagger alone.
            EXPECT_TRUE(set->IsModeAllowed(set->gripMode)) << test.what;
        }
        EXPECT_EQ(left, test.left) << test.what;
        EXPECT_EQ(seller.FindItem(s), nullptr);
        EXPECT_EQ(kept->placement, Item::kCarried) << test.what;
    }
}

TEST_F(EquipRulesTest, OneArmourAndTwoShieldsAtMost)
{
    Item* mail = BuyItem(&c, Record(kMail), 0, 0, 0, false);
    Item* fineMail = BuyItem(&c, Record(kFineMail), 0, 0, 0, false);
    Item* shields[3] = {};
    for (Item*& shield : shields)
        shield = BuyItem(&c, Record(kBuckler), 0, 0, 0, false);

    EXPECT_TRUE(EquipItem(&c, mail, false));
    EXPECT_FALSE(EquipItem(&c, fineMail, true));
    EXPECT_TRUE(EquipItem(&c, shields[0], false));
    EXPECT_TRUE(EquipItem(&c, shields[1], false));
    EXPECT_FALSE(EquipItem(&c, shields[2], false));
    EXPECT_EQ(c.GetWornArmor(), mail);
    EXPECT_EQ(fineMail->placement, Item::kNotOnBody);
    EXPECT_EQ(shields[2]->placement, Item::kNotOnBody);
    EXPECT_FLOAT_EQ(c.carriedWeight, 30.0f + 5.0f + 5.0f); // refused gear weighs nothing
    EXPECT_TRUE(EquipItem(&c, mail, false));                // already on: nothing to do
    EXPECT_FLOAT_EQ(c.carriedWeight, 40.0f);

    // Off comes the first shield: the third may go on in its place.
    UnequipItem(&c, shields[0]);
    EXPECT_EQ(c.GetFirstShield(), nullptr);
    EXPECT_EQ(c.GetSecondShield(), shields[1]);
    EXPECT_TRUE(EquipItem(&c, shields[2], false));
    EXPECT_EQ(c.GetFirstShield(), shields[2]);

    // Two entries marked as the worn armour (a damaged file): taking off the
    // one the slot does not hold leaves the slot alone.
    fineMail->placement = Item::kWornArmor;
    UnequipItem(&c, fineMail);
    EXPECT_EQ(c.GetWornArmor(), mail);
    EXPECT_EQ(fineMail->placement, Item::kNotOnBody);
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

TEST_F(EquipRulesTest, WornSlotsAndCarriedWeightOfAFileFollowTheItemsOnTheBody)
{
    // STR 10 carries 35 lb light, 70 medium. Owned: mail (30 lb, +5), a
    // buckler worn (5 lb, +1), a dagger carried (4 lb), a rope in the pack,
    // a second mail where the case puts it.
    constexpr int kNoItem = -1, kMailItem = 0, kBucklerItem = 1, kDaggerItem = 2;
    constexpr int kSpareMailItem = 4; // after the rope
    using Slots = std::array<int, 3>; // the entries named by the armour and two shield slots
    struct Case
    {
        const char* what;
        Slots slots;
        std::int16_t mailPlacement;
        float weight; // the file's carried weight
        Slots loaded;
        float carried;
        std::int16_t load;
        std::int32_t armorClass;
        std::int16_t spareMailPlacement = Item::kNotOnBody;
        bool unknownItem = false; // one more carried, of a record the database lacks
    };
    const Slots sound{kMailItem, kBucklerItem, kNoItem}, bucklerOnly{kNoItem, kBucklerItem, kNoItem};
    const std::int16_t on = Item::kWornArmor, off = Item::kNotOnBody;
    const Case cases[] = {
        {"sound", sound, on, 39.0f, sound, 39.0f, kLoadMedium, 16},
        {"armour slot names a dagger", Slots{kDaggerItem, kBucklerItem, kNoItem}, off, 9.0f,
         bucklerOnly, 9.0f, kLoadLight, 11},
        {"armour slot names armour in the pack", sound, off, 39.0f, bucklerOnly, 9.0f, kLoadLight, 11},
        {"one buckler in both shield slots", Slots{kMailItem, kBucklerItem, kBucklerItem}, on, 39.0f,
         sound, 39.0f, kLoadMedium, 16},
        {"shield slot names the armour", Slots{kMailItem, kMailItem, kBucklerItem}, on, 39.0f,
         Slots{kMailItem, kNoItem, kBucklerItem}, 39.0f, kLoadMedium, 16},
        {"worn armour marked as carried", sound, Item::kCarried, 39.0f, sound, 39.0f, kLoadMedium, 16},
        {"carried weight of 1e30", sound, on, 1e30f, sound, 39.0f, kLoadMedium, 16},
        {"carried weight of nothing", sound, on, 0.0f, sound, 39.0f, kLoadMedium, 16},
        {"worn armour that no slot names", bucklerOnly, on, 39.0f, sound, 39.0f, kLoadMedium, 16},
        {"worn buckler that no slot names", Slots{kMailItem, kNoItem, kNoItem}, on, 39.0f, sound,
         39.0f, kLoadMedium, 16},
        {"second worn armour, no slot free", sound, on, 69.0f, sound, 39.0f, kLoadMedium, 16, on},
        {"carried weight within rounding", sound, on, 39.00001f, sound, 39.00001f, kLoadMedium, 16},
        {"unknown item, the heaviest load", sound, on, 105.0f, sound, 105.0f, kLoadHeavy, 16, off, true},
        {"unknown item, beyond the heaviest load", sound, on, 106.0f, sound, 39.0f, kLoadMedium, 16, off, true},
        {"unknown item, lighter than the rest", sound, on, 38.0f, sound, 39.0f, kLoadMedium, 16, off, true},
    };
    TempFolder folder;
    const std::string path = folder.Join("hostile.cg3");
    for (const Case& t : cases)
    {
        SCOPED_TRACE(t.what);
        VelCharacter hero;
        hero.raceId = kHuman;
        hero.abilities.fill(10);
        Item* items[] = {hero.AddItem(Record(kMail)), hero.AddItem(Record(kBuckler)),
                         hero.AddItem(Record(kDagger)), hero.AddItem(Record(kRope)),
                         hero.AddItem(Record(kMail))};
        items[kSpareMailItem]->placement = t.spareMailPlacement;
        items[kMailItem]->placement = t.mailPlacement;
        items[kBucklerItem]->placement = Item::kFirstShield;
        items[kDaggerItem]->placement = Item::kCarried;
        if (t.unknownItem)
            Adopt(new VelWeaponInfo(), [&](VelWeaponInfo* lost) { hero.AddItem(lost)->placement = Item::kCarried; });
        VelCharacterItem** slots[] = {&hero.wornArmor, &hero.firstShield, &hero.secondShield};
        for (std::size_t i = 0; i < 3; ++i)
            *slots[i] = t.slots[i] == kNoItem ? nullptr : items[t.slots[i]];
        hero.carriedWeight = t.weight;
        hero.stats[VelEntity::kArmorClass] = 30; // whatever the file says
        hero.changeMask = VelCharacter::kChangedArmorClass;
        ASSERT_TRUE(VelCharacterFile::Save(hero, path));

        Owned<VelCharacter> loaded(VelCharacterFile::Load(path));
        ASSERT_NE(loaded, nullptr);
        RecomputeLoadedGear(loaded.get());
        const Item* worn[] = {loaded->GetWornArmor(), loaded->GetFirstShield(),
                              loaded->GetSecondShield()};
        for (std::size_t i = 0; i < 3; ++i)
        {
            const int entry = t.loaded[i];
            EXPECT_EQ(worn[i], entry == kNoItem ? nullptr : loaded->FindItem(items[entry]->itemKey))
                << i;
        }
        EXPECT_EQ(loaded->carriedWeight, t.carried);
        EXPECT_EQ(loaded->values[VelCharacter::kValueLoad], static_cast<std::uint32_t>(t.load));
        EXPECT_EQ(loaded->stats[VelEntity::kArmorClass], t.armorClass);
        // The page shows every armour and shield on the body as worn: each
        // must fill a slot, for the armour class to count what is shown.
        for (const int entry : {kMailItem, kBucklerItem, kSpareMailItem})
        {
            const Item* owned = loaded->FindItem(items[entry]->itemKey);
            EXPECT_EQ(owned->placement != Item::kNotOnBody,
                      owned == worn[0] || owned == worn[1] || owned == worn[2])
                << entry;
        }
        EXPECT_EQ(loaded->modified, 0);
        EXPECT_EQ(loaded->changeMask, VelCharacter::kChangedArmorClass);
        // Armour off the body can be put on; taken off, it leaves its slot.
        Item* mail = loaded->FindItem(items[kMailItem]->itemKey);
        if (t.mailPlacement == Item::kNotOnBody)
        {
            EXPECT_TRUE(EquipItem(loaded.get(), mail, true));
        }
        UnequipItem(loaded.get(), mail);
        EXPECT_EQ(loaded->GetWornArmor(), nullptr);
    }
}
} // namespace
