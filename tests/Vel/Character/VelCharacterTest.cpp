#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterListener.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelItemInfo.h"
#include "support/CharacterFixture.h"
#include "support/Owned.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
using F = CharacterFixture;

using CharacterPtr = Owned<VelCharacter>;

class VelCharacterTest : public ::testing::Test
{
protected:
    VelItemInfo* Item(std::uint16_t id) { return VelDatabase::FindItem(id); }

    CharacterFixture fixture;
    QuietLog quiet;
    VelCharacter c;
};

TEST_F(VelCharacterTest, CloneGivesAFreshCharacter)
{
    CharacterPtr rich(CharacterFixture::MakeRichCharacter());
    CharacterPtr clone(static_cast<VelCharacter*>(rich->Clone()));
    EXPECT_EQ(clone->classes.GetCount(), 0u);
    EXPECT_EQ(clone->raceId, 0);
    EXPECT_EQ(clone->name, "Unknown");
    EXPECT_EQ(clone->schoolSlots[1], 1);
}

TEST_F(VelCharacterTest, ClassQueriesOnMissingClassesAnswerNone)
{
    EXPECT_EQ(c.GetLastClassId(), 0xFFFF);
    EXPECT_EQ(c.GetClassLevel(3), 0xFFFF);
    EXPECT_EQ(c.GetClassAt(-1), nullptr);
    EXPECT_EQ(c.GetClassAt(0), nullptr);
    EXPECT_FALSE(c.IsFormerMember(3));
    EXPECT_FALSE(c.HasClassMark(3));
    c.RemoveLastClass(); // nothing to remove
    EXPECT_EQ(c.classes.GetCount(), 0u);
}

TEST_F(VelCharacterTest, ClassesAddMarkTotalAndCommit)
{
    VelCharacterClass* first = c.AddClass(4);
    VelCharacterClass* second = c.AddClass(10);
    EXPECT_EQ(first->level, 1);
    EXPECT_TRUE(c.HasClassMark(4));
    EXPECT_TRUE(c.HasClassMark(10));
    second->level = 3;
    second->formerMember = 1;
    EXPECT_EQ(c.GetTotalLevel(), 4);
    EXPECT_EQ(c.GetClassLevel(10), 3);
    EXPECT_EQ(c.GetLastClassId(), 10);
    EXPECT_EQ(c.GetClassAt(1), second);
    EXPECT_EQ(c.GetClassAt(2), nullptr);
    EXPECT_TRUE(c.IsFormerMember(10));
    EXPECT_FALSE(c.IsFormerMember(4));

    c.CommitClassLevels();
    second->level = 5;
    std::uint16_t levels = 0;
    std::uint16_t starting = 0;
    c.GetLevelTotals(levels, starting);
    EXPECT_EQ(levels, 6);
    EXPECT_EQ(starting, 4);

    c.ClearClassMarks();
    EXPECT_FALSE(c.HasClassMark(4));
    EXPECT_FALSE(c.HasClassMark(10));

    c.RemoveLastClass();
    EXPECT_FALSE(c.HasClass(10));
    EXPECT_EQ(c.GetLastClassId(), 4);
}

TEST_F(VelCharacterTest, ItemKeysAreReusedLowestFirstAndNeverReplaced)
{
    for (std::uint16_t expected : {0, 1, 2})
        EXPECT_EQ(c.AddItem(Item(F::kRope))->itemKey, expected);
    EXPECT_EQ(c.nextItemKey, 3);
    c.RemoveItem(1);
    EXPECT_EQ(c.FindItem(1), nullptr);
    EXPECT_EQ(c.nextItemKey, 1);
    c.RemoveItem(7); // absent: nothing changes
    EXPECT_EQ(c.nextItemKey, 1);
    EXPECT_EQ(c.AddItem(Item(F::kRope))->itemKey, 1);
    EXPECT_EQ(c.nextItemKey, 3);
    EXPECT_EQ(c.items.GetCount(), 3u);

    // A taken next key, as a careless caller might leave it, replaces nothing.
    VelCharacterItem* second = c.FindItem(1);
    c.nextItemKey = 1;
    EXPECT_EQ(c.AddItem(Item(F::kMail))->itemKey, 3);
    EXPECT_EQ(c.FindItem(1), second);
}

TEST_F(VelCharacterTest, WearingSortsItemsIntoSlots)
{
    VelCharacterItem* mail = c.AddItem(Item(F::kMail));
    VelCharacterItem* shield1 = c.AddItem(Item(F::kBuckler));
    VelCharacterItem* shield2 = c.AddItem(Item(F::kBuckler));
    VelCharacterItem* rope = c.AddItem(Item(F::kRope));
    VelCharacterItem* nothing = c.AddItem(nullptr);
    for (VelCharacterItem* item : {mail, shield1, shield2, rope, nothing})
        c.WearItem(item);
    EXPECT_EQ(c.GetWornArmor(), mail);
    EXPECT_EQ(mail->placement, VelCharacterItem::kWornArmor);
    EXPECT_EQ(c.GetFirstShield(), shield1);
    EXPECT_EQ(shield1->placement, VelCharacterItem::kFirstShield);
    EXPECT_EQ(c.GetSecondShield(), shield2);
    EXPECT_EQ(shield2->placement, VelCharacterItem::kSecondShield);
    EXPECT_EQ(rope->placement, VelCharacterItem::kCarried);
    EXPECT_EQ(nothing->placement, VelCharacterItem::kCarried);
    EXPECT_EQ(c.CountPairSlotsInUse(), 2);

    c.TakeOffItem(shield1);
    EXPECT_EQ(c.GetFirstShield(), nullptr);
    EXPECT_EQ(c.GetSecondShield(), shield2);
    EXPECT_EQ(shield1->placement, VelCharacterItem::kNotOnBody);
    EXPECT_EQ(c.CountPairSlotsInUse(), 1);
    c.TakeOffItem(rope);
    EXPECT_EQ(rope->placement, VelCharacterItem::kNotOnBody);
    c.TakeOffItem(rope); // placement 0: nothing
    EXPECT_EQ(c.GetWornArmor(), mail);
}

TEST_F(VelCharacterTest, RemovingAnItemEmptiesItsSlotAndHands)
{
    VelCharacterItem* mail = c.AddItem(Item(F::kMail));
    VelCharacterItem* shield = c.AddItem(Item(F::kBuckler));
    VelCharacterItem* sword = c.AddItem(Item(F::kSword));
    c.WearItem(mail);
    c.WearItem(shield);
    VelCharacterEquip set;
    set.SetSlot(0, sword->itemKey);
    set.SetSlot(1, shield->itemKey);
    VelCharacterEquip* held = c.AddEquip(set);
    VelCharacterEquip* other = c.AddEquip(set);
    held->gripMode = VelCharacterEquip::kTwoWeapons;

    c.RemoveItem(shield->itemKey);
    EXPECT_EQ(c.GetFirstShield(), nullptr);
    EXPECT_EQ(c.GetWornArmor(), mail);
    for (VelCharacterEquip* s : {held, other})
    {
        EXPECT_EQ(s->slots[0], sword->itemKey);
        EXPECT_EQ(s->slots[1], VelCharacterEquip::kEmptySlot);
    }
    // Two weapons need two held items.
    EXPECT_NE(held->gripMode, VelCharacterEquip::kTwoWeapons);
    c.RemoveItem(mail->itemKey);
    EXPECT_EQ(c.GetWornArmor(), nullptr);
}

TEST_F(VelCharacterTest, EquipmentSetsCopyAndAnswerWhoHoldsAnItem)
{
    VelCharacterEquip set;
    set.setTag = 5;
    set.SetSlot(0, 3);
    VelCharacterEquip* first = c.AddEquip(set);
    EXPECT_NE(first, &set);
    EXPECT_EQ(first->setTag, 5);
    EXPECT_FALSE(c.IsItemUnequipped(3, nullptr));
    EXPECT_TRUE(c.IsItemUnequipped(3, first));
    EXPECT_TRUE(c.IsItemUnequipped(4, nullptr));
    c.RemoveEquip(first);
    EXPECT_EQ(c.equipSets.GetCount(), 0u);
    EXPECT_TRUE(c.IsItemUnequipped(3, nullptr));
}

struct MoneyCase
{
    const char* what;
    VelCoins start;
    bool spend;
    std::int32_t amount;
    std::int32_t unit;
    VelCoins expected;
};

TEST_F(VelCharacterTest, MoneyCarriesCapsAndNeverGoesNegative)
{
    const MoneyCase cases[] = {
        {"add carries", {8, 9, 0}, false, 5, 0, {3, 0, 1}},
        {"add in coin 2", {0, 0, 5}, false, 7, 2, {0, 0, 12}},
        {"add caps coin 2", {0, 0, 999990}, false, 50, 2, {0, 0, 999999}},
        {"add caps after carry", {9, 9, 999999}, false, 1, 0, {0, 0, 999999}},
        {"spend borrows", {0, 0, 1}, true, 5, 0, {5, 9, 0}},
        {"spend middle", {4, 2, 3}, true, 5, 1, {4, 7, 2}},
        {"spend exactly all", {3, 2, 1}, true, 123, 0, {0, 0, 0}},
        {"spend from nothing", {0, 0, 0}, true, 5, 0, {0, 0, 0}},
        {"spend more than held", {3, 0, 0}, true, 5, 0, {0, 0, 0}},
        {"spend coin 2 beyond", {9, 9, 2}, true, 4, 2, {0, 0, 0}},
        {"add a debt", {5, 0, 0}, false, -9, 0, {0, 0, 0}},
        {"bad unit changes nothing", {1, 2, 3}, true, 1, 3, {1, 2, 3}},
    };
    for (const MoneyCase& m : cases)
    {
        VelCharacter ch;
        ch.money = m.start;
        if (m.spend)
            ch.SpendMoney(m.amount, m.unit);
        else
            ch.AddMoney(m.amount, m.unit);
        EXPECT_EQ(ch.money, m.expected) << m.what << ": " << ch.money.coins[0] << ","
                                        << ch.money.coins[1] << "," << ch.money.coins[2];
    }
}

TEST_F(VelCharacterTest, AffordabilityCountsEveryCoinInTheLowest)
{
    c.money = VelCoins(5, 2, 1); // 125
    EXPECT_EQ(c.GetMoneyInLowestCoin(), 125);
    EXPECT_TRUE(c.CanAfford(125, 0));
    EXPECT_FALSE(c.CanAfford(126, 0));
    EXPECT_TRUE(c.CanAfford(12, 1));
    EXPECT_FALSE(c.CanAfford(13, 1));
    EXPECT_TRUE(c.CanAfford(1, 2));
    EXPECT_FALSE(c.CanAfford(2, 2));
    c.SetCoins(2, 2147483647);
    EXPECT_EQ(c.GetMoneyInLowestCoin(), 214748364700LL + 25);
    c.AddCoins(2, 10); // stops at the end of the range
    EXPECT_EQ(c.money.coins[2], 2147483647);
    c.SetCoins(3, 1); // no such coin
    EXPECT_EQ(c.money.coins, (std::array<std::int32_t, 3>{5, 2, 2147483647}));
}

class CountingListener : public VelCharacterListener
{
public:
    void OnCharacterChanged(VelCharacter* character) override
    {
        ++calls;
        seenMask = character->changeMask;
    }
    int calls = 0;
    std::uint32_t seenMask = 0;
};

TEST_F(VelCharacterTest, NotifyTellsTheListenerThenClearsTheMask)
{
    c.modified = 0;
    c.changeMask = VelCharacter::kChangedFeats;
    c.NotifyChanged();
    EXPECT_EQ(c.changeMask, VelCharacter::kChangedFeats); // kept without a listener
    EXPECT_EQ(c.modified, 1);

    CountingListener listener;
    c.SetListener(&listener);
    c.modified = 0;
    c.changeMask |= VelCharacter::kChangedSkills;
    c.NotifyChanged();
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.seenMask, VelCharacter::kChangedFeats | VelCharacter::kChangedSkills);
    EXPECT_EQ(c.changeMask, 0u);
    EXPECT_EQ(c.modified, 1);
}

TEST_F(VelCharacterTest, SchoolsCountAndWeighOnlyRealProhibitions)
{
    c.SetSchool(2, F::kSchoolB);
    c.SetSchool(3, 0);
    c.SetSchool(4, F::kSchoolC);
    EXPECT_EQ(c.CountProhibitedSchools(), 2);
    EXPECT_EQ(c.GetProhibitedSchoolsMax(), 5);
    EXPECT_TRUE(c.IsProhibitedSchool(F::kSchoolC));
    EXPECT_FALSE(c.IsProhibitedSchool(F::kSchoolA));
    EXPECT_FALSE(c.HasSpecialtySchool());
    c.SetSchool(0, F::kSchoolA);
    EXPECT_TRUE(c.HasSpecialtySchool());

    c.SetSchool(1, 1); // unchanged option keeps the prohibitions
    EXPECT_EQ(c.CountProhibitedSchools(), 2);
    c.SetSchool(1, 2);
    EXPECT_EQ(c.CountProhibitedSchools(), 0);
    EXPECT_EQ(c.GetProhibitedSchoolsMax(), 0);
    EXPECT_EQ(c.schoolSlots[0], F::kSchoolA);
    c.SetSchool(5, 1); // no such slot
    EXPECT_EQ(c.schoolSlots[1], 2);
}

TEST_F(VelCharacterTest, MissingRecordsGiveEmptyTextsAndNoSize)
{
    c.raceId = F::kHalfling;
    c.alignmentId = F::kNeutral;
    EXPECT_EQ(c.GetRaceName(), "Halfling");
    EXPECT_EQ(c.GetSizeId(), F::kHalflingSize);
    EXPECT_EQ(c.GetAlignmentName(), "Neutral");
    c.raceId = 77;
    c.alignmentId = 0xFFFF;
    EXPECT_EQ(c.GetRaceName(), "");
    EXPECT_EQ(c.GetSizeId(), VelCharacter::kNone);
    EXPECT_EQ(c.GetAlignmentName(), "");
    c.SetSchool(2, 99); // a school the database lacks weighs nothing
    EXPECT_EQ(c.GetProhibitedSchoolsMax(), 0);
}

TEST_F(VelCharacterTest, HitDieRollsOutsideTwentyLevelsReadZeroAndStoreNothing)
{
    c.SetHitDieRoll(1, 8);
    c.SetHitDieRoll(20, 6);
    const auto before = c.hitDieRolls;
    for (std::int16_t level : {-1, 0, 21, 300})
    {
        c.SetHitDieRoll(level, 99);
        EXPECT_EQ(c.GetHitDieRoll(level), 0) << level;
    }
    EXPECT_EQ(c.hitDieRolls, before);
    EXPECT_EQ(c.GetHitDieRoll(1), 8);
    EXPECT_EQ(c.GetHitDieRoll(20), 6);
}

TEST_F(VelCharacterTest, SettersIgnoreIndexesOutOfRange)
{
    c.SetValue(22, 1);
    c.SetValue(23, 7);
    c.SetProficiency(5, 1);
    c.SetProficiency(6, 1);
    c.SetBaseAbility(5, 14);
    c.SetBaseAbility(6, 14);
    c.SetAbilityIncrease(-1, 2);
    c.AddCarriedWeight(0, 2.5f);
    c.AddCarriedWeight(1, 100.0f);
    EXPECT_EQ(c.values[22], 1u);
    EXPECT_EQ(c.proficiencies, (std::array<std::uint8_t, 6>{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(c.baseAbilities, (std::array<std::uint16_t, 6>{0, 0, 0, 0, 0, 14}));
    EXPECT_EQ(c.abilityIncreases, (std::array<std::uint16_t, 6>{}));
    EXPECT_FLOAT_EQ(c.carriedWeight, 2.5f);
}

TEST_F(VelCharacterTest, SetsFindByKeysAndRefuseEqualEntries)
{
    auto* skill = new VelCharacterSkill(F::kCraft, F::kCraftBows);
    EXPECT_EQ(c.AddSkill(skill), 0);
    auto* twin = new VelCharacterSkill(F::kCraft, F::kCraftBows);
    EXPECT_EQ(c.AddSkill(twin), FCObjectSet::kRefused);
    EXPECT_EQ(twin->GetRefCount(), 1); // not taken over
    twin->Release();
    EXPECT_EQ(c.FindSkill(F::kCraft, F::kCraftBows), skill);
    EXPECT_FALSE(c.HasSkill(F::kCraft, VelCharacterSkill::kNoSubSkill));
    c.RemoveSkill(skill);
    skill->Release();
    EXPECT_EQ(c.skills.GetCount(), 0u);

    // Feats are found by feat and choices whatever class took them.
    auto* feat = new VelCharacterFeat(F::kFocusFeat, 2, 0xFFFF, 10);
    c.InsertFeat(feat);
    feat->Release();
    EXPECT_TRUE(c.HasFeat(F::kFocusFeat, 2, -1));
    EXPECT_FALSE(c.HasFeat(F::kFocusFeat, 3, -1));
    const VelCharacterFeat key(F::kFocusFeat, 2, 0xFFFF, 4);
    EXPECT_EQ(c.FindFeatEntry(key), nullptr); // the set order does compare the class
    EXPECT_EQ(c.FindFeat(F::kFocusFeat, 2, -1)->classId, 10);
}

TEST_F(VelCharacterTest, AnimalsGetTheirOwnerAndAreFoundBySecondKey)
{
    auto* wolf = new VelCharacterAnimal(F::kWolf, 6);
    auto* toad = new VelCharacterAnimal(F::kToad, 10);
    EXPECT_EQ(c.AddAnimal(wolf), 0);
    EXPECT_EQ(c.AddAnimal(toad), 0);
    auto* twin = new VelCharacterAnimal(F::kWolf, 6);
    EXPECT_EQ(c.AddAnimal(twin), FCObjectSet::kRefused);
    twin->Release();
    EXPECT_EQ(wolf->owner, &c);
    EXPECT_EQ(c.FindAnimal(F::kToad, 10), toad);
    EXPECT_EQ(c.FindAnimalBySecondKey(6), wolf);
    EXPECT_EQ(c.FindAnimalBySecondKey(3), nullptr);
    // A reference kept elsewhere outlives the character without a dangling owner.
    {
        VelCharacter temporary;
        temporary.AddAnimal(wolf);
    }
    EXPECT_EQ(wolf->owner, nullptr);
    c.RemoveAnimal(toad);
    EXPECT_EQ(c.FindAnimal(F::kToad, 10), nullptr);
    wolf->Release();
    toad->Release();
}

TEST_F(VelCharacterTest, ClassFeaturesAreFoundByGroupAndSource)
{
    VelClassFeatureInfo row;
    row.key = 7;
    row.featureId = F::kSneakFeature;
    row.value = 1;
    VelCharacterFeature* sneak = c.AddClassFeature(row);
    EXPECT_EQ(sneak->source, 7);
    EXPECT_EQ(sneak->value, 1);

    VelClassFeatureInfo upgrade = row;
    upgrade.featureId = F::kSneakFeature2; // same group
    EXPECT_EQ(c.FindClassFeature(upgrade), sneak);
    VelClassFeatureInfo otherClass = upgrade;
    otherClass.key = 8;
    EXPECT_EQ(c.FindClassFeature(otherClass), nullptr);
    VelClassFeatureInfo ungrouped = row;
    ungrouped.featureId = F::kPlainFeature;
    c.AddClassFeature(ungrouped);
    EXPECT_EQ(c.FindClassFeature(ungrouped), nullptr); // group 0 never matches
    VelClassFeatureInfo unknown = row;
    unknown.featureId = 999;
    EXPECT_EQ(c.FindClassFeature(unknown), nullptr);

    EXPECT_TRUE(c.HasFeatureOfKind(4, 1));
    EXPECT_FALSE(c.HasFeatureOfKind(4, 2));
    c.RemoveFeature(sneak);
    EXPECT_EQ(c.FindClassFeature(upgrade), nullptr);
    EXPECT_EQ(c.features.GetCount(), 1u);
}

TEST_F(VelCharacterTest, RevaluingRebuildsPricesAndOwnedValueFromRecords)
{
    VelCharacterItem* sword = c.AddItem(Item(F::kSword));
    VelCharacterItem* mail = c.AddItem(Item(F::kMail));
    c.AddItem(Item(F::kMail));
    c.AddItem(nullptr); // priced by nothing
    c.ownedItemsValue = VelCoins(9, 9, 9);
    c.RevalueOwnedItems();
    EXPECT_EQ(sword->price, 15u);
    EXPECT_EQ(sword->coinKind, 1);
    EXPECT_EQ(mail->price, 50u);
    EXPECT_EQ(mail->coinKind, 2);
    EXPECT_EQ(c.ownedItemsValue, VelCoins(0, 5, 101));

    VelCharacter::SetItemPricer([](const VelItemInfo& record, std::uint32_t)
                                { return record.basePrice * 2; });
    c.RevalueOwnedItems();
    VelCharacter::SetItemPricer(nullptr);
    EXPECT_EQ(sword->price, 30u);
    EXPECT_EQ(c.ownedItemsValue, VelCoins(0, 0, 203));
}
} // namespace
