// Scripted characters of every class at levels 1, 5, 10 and 20, kitted out
// over the shipped rule set as a player would: a god (and two domains for
// the priest), a full spell list, the class's animal, a bought inventory
// with armour, shield and two weapons in an equipment set. Prices, combat
// values and texts are checked against the designs stated here, and
// nothing may be logged.
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCombatRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelFormatRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "Vel/Rules/VelRulesWalk.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel/Rules/VelSpellRules.h"
#include "support/DbFixture.h"
#include "support/Owned.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using C = VelCharacter;
using E = VelEntity;
using Item = VelCharacterItem;

// The pieces as designed: damage die, critical and range texts, whether
// the race-6 bonus for one-hand-only weapons applies; armour bonus, most
// DEX, check penalty, category (-1 none); shield bonus and penalty.
struct Weapon
{
    std::uint16_t id;
    int sides;
    const char* critical;
    const char* range;
    bool oneHandOnly;
};
struct Armour
{
    std::uint16_t id;
    int bonus, maxDex, penalty, category;
};
struct Shield
{
    std::uint16_t id;
    int bonus, penalty;
};
const Weapon kBattleaxe{27, 8, "x3", "-", false}, kRapier{31, 6, "18-20/x2", "-", true},
    kLongsword{30, 8, "19-20/x2", "-", false}, kSickle{6, 6, "x2", "-", true},
    kKama{62, 6, "x2", "-", true}, kShortSword{26, 6, "19-20/x2", "-", true},
    kLightMace{5, 6, "x2", "-", true}, kDagger{1, 4, "19-20/x2", "10 ft", true};
const Armour kNoArmour{0, 0, 99, 0, -1}, kLeather{201, 2, 6, 0, 0}, kStudded{202, 3, 5, -1, 0},
    kHide{210, 3, 4, -3, 1}, kFullPlate{223, 8, 1, -6, 2};
const Shield kNoShield{0, 0, 0}, kBuckler{240, 1, -1}, kSmallWooden{241, 1, -1},
    kLargeSteel{244, 2, -2};

// Per class: race, an alignment it allows, a god of that alignment (or a
// neighbouring one), the priest's two domains (Good, War: War trains the
// god's longsword and focuses on it), the kit, the animal and its kind,
// base attack in quarters of the level and casting kind (2 casts from what
// it knows, which prices its scrolls).
struct Kit
{
    std::uint16_t race, alignment, god;
    std::int16_t domains[2];
    Weapon weapon;
    Armour armour;
    Shield shield;
    std::uint16_t animal, animalKind;
    int attackQuarters, castingKind;
};
constexpr std::uint16_t kFam = VelCharacterAnimal::kFamiliar,
                        kComp = VelCharacterAnimal::kCompanion, kMount = VelCharacterAnimal::kMount;
const Kit kKits[11] = {
    {0, 12, 7, {-1, -1}, kBattleaxe, kHide, kSmallWooden, 0, 0, 4, 0},      // berserker
    {1, 36, 8, {-1, -1}, kRapier, kLeather, kSmallWooden, 0, 0, 3, 2},      // minstrel
    {2, 34, 2, {8, 20}, kLongsword, kFullPlate, kLargeSteel, 0, 0, 3, 1},   // priest
    {3, 9, 3, {-1, -1}, kSickle, kHide, kSmallWooden, 17, kComp, 3, 1},     // nature priest, wolf
    {4, 10, 16, {-1, -1}, kLongsword, kFullPlate, kLargeSteel, 0, 0, 4, 0}, // warrior
    {5, 34, 2, {-1, -1}, kKama, kNoArmour, kNoShield, 0, 0, 3, 0},          // martial artist
    {6, 34, 2, {-1, -1}, kShortSword, kFullPlate, kLargeSteel, 48, kMount, 4, 1}, // holy knight, war pony
    {0, 12, 17, {-1, -1}, kLongsword, kStudded, kBuckler, 0, 0, 4, 1},            // tracker
    {1, 17, 15, {-1, -1}, kShortSword, kLeather, kNoShield, 0, 0, 3, 0},          // skirmisher
    {2, 20, 19, {-1, -1}, kLightMace, kNoArmour, kNoShield, 4, kFam, 2, 2}, // innate caster, rat
    {3, 33, 1, {-1, -1}, kDagger, kNoArmour, kNoShield, 8, kFam, 2, 1}, // scholar caster, weasel
};
// Per race: size bonus to attack and armour class, and whether it keeps
// the slow speeds (20 feet, 15 under load).
const int kSizeBonus[7] = {0, 0, 0, 1, 0, 0, 1};
const bool kSlow[7] = {false, true, false, true, false, false, true};
// Enhancement prices +1 to +5 in gold, masterwork work added included.
const int kWeaponPlus[5] = {2300, 8300, 18300, 32300, 50300},
          kArmourPlus[5] = {1150, 4150, 9150, 16150, 25150};
const std::int64_t kCopper[3] = {1, 10, 100};
// A dozen goods of all three coins, and the ring of protection +1.
const std::uint16_t kGoods[12] = {1503, 1504, 1512, 1513, 1516, 1518,
                                  1521, 1531, 1534, 1547, 1548, 1554};
constexpr std::uint16_t kRing = 2000, kScroll = 5000, kPotion = 5010;
const auto Mod = [](int score) { return score / 2 - 5; };
const auto Plus = [](int v) { return (v >= 0 ? "+" : "") + std::to_string(v); };

class RulesContentInventoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* name : {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"})
            ASSERT_TRUE(VelDatabase::ParseFile(std::string(RULES_BUILD_DIR) + "/" + name)) << name;
        InstallItemPricer();
    }
    DbFixture db;
};

// The spells of a level for the class (the scholar reads the innate
// caster's level first) or for a domain.
std::vector<std::uint16_t> Pool(std::uint16_t classId, std::int16_t domainId, int level)
{
    std::vector<std::uint16_t> pool;
    VelRulesWalk::Each<VelSpellInfo>(
        *VelDatabase::GetMap(VelDatabase::kTagSpell),
        [&](const VelSpellInfo& spell)
        {
            const auto id = static_cast<std::uint16_t>(spell.key);
            const VelSpellLevelInfo* row =
                domainId >= 0
                    ? VelDatabase::FindDomainSpellLevel(id, static_cast<std::uint16_t>(domainId))
                : classId == VelIds::kClassScholarCaster &&
                        VelDatabase::FindClassSpellLevel(id, VelIds::kClassInnateCaster)
                    ? VelDatabase::FindClassSpellLevel(id, VelIds::kClassInnateCaster)
                    : VelDatabase::FindClassSpellLevel(id, classId);
            if (row && row->level == level)
                pool.push_back(id);
            return false;
        });
    return pool;
}

// Chooses on slot `slot` as many spells as the page allows, from the spell
// level down (only the spell book takes lower ones); the number chosen.
int Choose(C* c, VelCharacterClass* entry, std::int16_t domainId, int slot, int wanted)
{
    int chosen = 0;
    const bool book = entry->classId == VelIds::kClassScholarCaster;
    for (int level = slot; level >= (book ? 1 : slot) && chosen < wanted; --level)
        for (std::uint16_t id : Pool(entry->classId, domainId, level))
        {
            if (chosen == wanted || c->HasSpell(id, entry->classId))
                continue;
            auto* spell = new VelCharacterSpell(id, entry->classId);
            spell->thirdKey = static_cast<std::int16_t>(level);
            spell->spellLevel = static_cast<std::int16_t>(slot);
            c->AddSpell(spell);
            spell->Release();
            ++entry->spellsChosen[static_cast<std::size_t>(slot)];
            ++chosen;
        }
    return chosen;
}

Item* Buy(C* c, std::uint16_t id, std::uint32_t options, std::int32_t value,
          std::uint32_t casterClass, std::int64_t expectedPrice, std::int64_t& spent)
{
    VelItemInfo* record = VelDatabase::FindItem(id);
    EXPECT_NE(record, nullptr) << id;
    if (!record)
        return nullptr;
    EXPECT_TRUE(CanUseItem(c, record)) << record->name;
    Item* item = BuyItem(c, record, options, value, casterClass, true);
    EXPECT_NE(item, nullptr) << record->name;
    if (!item)
        return nullptr;
    EXPECT_EQ(item->price, expectedPrice) << record->name;
    spent += expectedPrice * kCopper[record->coinKind];
    return item;
}

void CheckCharacter(std::uint16_t classId, std::uint16_t level, int race = -1, int wis = 0)
{
    Kit kit = kKits[classId];
    kit.race = race >= 0 ? static_cast<std::uint16_t>(race) : kit.race;
    CapturedLog captured;
    Owned<C> owned(new C());
    C* c = owned.get();
    c->raceId = kit.race;
    c->alignmentId = kit.alignment;
    VelCharacterClass* entry = c->AddClass(classId);
    entry->level = level;
    FinishCharacterSetup(c, true);
    if (wis != 0)
        SetAbilityScore(c, E::kWis, static_cast<std::uint16_t>(wis), false);

    // God and domains.
    SetGod(c, static_cast<std::int16_t>(kit.god));
    EXPECT_TRUE(IsGodAllowed(c, VelDatabase::FindGod(kit.god)));
    for (std::int16_t slot = 0; slot < 2 && kit.domains[0] >= 0; ++slot)
    {
        EXPECT_TRUE(IsGodDomain(kit.god, static_cast<std::uint16_t>(kit.domains[slot])));
        SetDomain(c, slot, kit.domains[slot]);
    }

    // The spell list, full at every spell level: what a known-spells class
    // knows, the book's pages, what a preparing class prepares, and one
    // spell of a domain at each level the priest casts.
    for (int slot = 0; slot < 10; ++slot)
    {
        const bool prepares = classId != VelIds::kClassMinstrel &&
                              classId != VelIds::kClassInnateCaster &&
                              classId != VelIds::kClassScholarCaster;
        const int perDay = entry->spellsPerDay[static_cast<std::size_t>(slot)];
        const int wanted =
            prepares ? std::max(0, perDay) : entry->spellsKnown[static_cast<std::size_t>(slot)];
        EXPECT_EQ(Choose(c, entry, -1, slot, wanted), wanted) << "spell level " << slot;
        if (kit.domains[0] >= 0 && slot > 0 && perDay >= 0)
        {
            // A domain spell may also be on the class list: the other domain's then.
            const int chosen = Choose(c, entry, kit.domains[slot % 2], slot, 1);
            EXPECT_EQ(chosen + (chosen ? 0 : Choose(c, entry, kit.domains[1 - slot % 2], slot, 1)),
                      1)
                << "domain spell " << slot;
        }
    }

    // The animal, when the class has one at this level; money enough for a
    // familiar and the whole shop.
    c->SetCoins(2, 400000);
    const std::int64_t moneyBefore = c->GetMoneyInLowestCoin();
    const int saveBefore[2] = {static_cast<int>(c->stats[E::kFortitudeSave]),
                               static_cast<int>(c->stats[E::kReflexSave])};
    const bool hasAnimal = kit.animalKind != 0 && (kit.animalKind != kMount || level >= 5);
    EXPECT_EQ(ClassGrantsAnimal(entry), hasAnimal);
    EXPECT_EQ(CanGetAnimal(c, classId), hasAnimal || kit.animalKind == 0);
    VelCharacterAnimal* animal = nullptr;
    if (hasAnimal)
    {
        const VelAnimalInfo* record = VelDatabase::FindAnimal(kit.animal);
        ASSERT_NE(record, nullptr);
        const std::uint16_t bit = kit.animalKind == kFam    ? VelAnimalInfo::kKindFamiliar
                                  : kit.animalKind == kComp ? VelAnimalInfo::kKindGroup
                                                            : VelAnimalInfo::kKindCompanion;
        EXPECT_NE(record->kindsMask & bit, 0);
        EXPECT_TRUE(kit.animalKind != kMount || IsSuitableMount(c, record));
        animal = new VelCharacterAnimal(kit.animal, classId);
        animal->kind = kit.animalKind;
        AddAnimal(c, animal);
        animal->Release();
        const int dex = Mod(record->abilities[1]);
        if (kit.animalKind == kFam)
        {
            // A tiny familiar: +1 natural armour and INT 6 at levels 1-2, one
            // more of each every two levels; half its master's hit points.
            EXPECT_EQ(animal->abilities[E::kInt], 5 + (level + 1) / 2);
            EXPECT_EQ(static_cast<int>(animal->stats[E::kArmorClass]),
                      10 + dex + record->naturalArmor + (level + 1) / 2 + 2);
            EXPECT_EQ(static_cast<int>(animal->stats[E::kHitPoints]),
                      static_cast<int>(c->stats[E::kHitPoints]) / 2);
        }
        else if (kit.animalKind == kMount)
        {
            // Natural armour 6, 8, 10, 12 and 2, 4, 6, 8 more hit dice from
            // levels 5, 8, 11 and 15; a medium mount.
            const int step = level >= 15 ? 4 : level >= 11 ? 3 : level >= 8 ? 2 : 1;
            EXPECT_EQ(static_cast<int>(animal->stats[E::kArmorClass]), 10 + dex + 4 + 2 * step);
            const float hitDice = record->hitDice + static_cast<float>(2 * step);
            EXPECT_FLOAT_EQ(GetAnimalHitDice(record, kMount, static_cast<std::int16_t>(level)), hitDice);
            // Its hit points follow the hit dice it shows.
            EXPECT_EQ(static_cast<int>(animal->stats[E::kHitPoints]),
                      static_cast<int>(static_cast<float>(Mod(animal->abilities[E::kCon]) + 5) * hitDice));
        }
        else
        {
            EXPECT_EQ(static_cast<int>(animal->stats[E::kArmorClass]),
                      10 + dex + record->naturalArmor);
        }
        EXPECT_GT(static_cast<int>(animal->stats[E::kHitPoints]), 0);
        EXPECT_NE(FormatAnimalAttacks(animal, false), "");
    }
    // The rat steadies its master's Fortitude, the weasel quickens Reflex.
    EXPECT_EQ(static_cast<int>(c->stats[E::kFortitudeSave]),
              saveBefore[0] + (kit.animal == 4 ? 2 : 0));
    EXPECT_EQ(static_cast<int>(c->stats[E::kReflexSave]),
              saveBefore[1] + (kit.animal == 8 ? 2 : 0));
    EXPECT_EQ(moneyBefore - c->GetMoneyInLowestCoin(),
              kit.animalKind == kFam ? 100 * kCopper[2] : 0);

    // The shop: masterwork at level 1, then +1, +2 and +4 pieces.
    const std::int64_t money = c->GetMoneyInLowestCoin();
    const auto copper = [](const VelCoins& v)
    { return v.coins[0] + 10 * v.coins[1] + 100 * v.coins[2]; };
    const std::int64_t value = copper(c->ownedItemsValue);
    const float weightBefore = c->carriedWeight;
    const int plus = level / 5;
    const std::uint32_t better = plus > 0 ? Item::kEnhanced : Item::kMasterwork;
    std::int64_t spent = 0;
    std::vector<Item*> carried;
    auto base = [](std::uint16_t id)
    { return static_cast<std::int64_t>(VelDatabase::FindItem(id)->basePrice); };
    Item* weapon = Buy(c, kit.weapon.id, better, plus, 0,
                       base(kit.weapon.id) + (plus > 0 ? kWeaponPlus[plus - 1] : 300), spent);
    Item* dagger = Buy(c, kDagger.id, 0, 0, 0, base(kDagger.id), spent);
    ASSERT_TRUE(weapon && dagger);
    EXPECT_EQ(weapon->GetName(),
              weapon->GetHeldObject()->name + (plus > 0 ? " +" + std::to_string(plus) : " MW"));
    carried = {weapon, dagger};
    if (kit.armour.id != 0)
        carried.push_back(Buy(c, kit.armour.id, better, plus, 0,
                              base(kit.armour.id) + (plus > 0 ? kArmourPlus[plus - 1] : 150),
                              spent));
    if (kit.shield.id != 0)
        carried.push_back(Buy(c, kit.shield.id, plus > 0 ? Item::kEnhanced : 0, plus, 0,
                              base(kit.shield.id) + (plus > 0 ? kArmourPlus[plus - 1] : 0), spent));
    for (std::uint16_t id : kGoods)
        carried.push_back(Buy(c, id, 0, 0, 0, base(id), spent));
    carried.push_back(Buy(c, kRing, 0, 0, 0, 2000, spent));
    // A potion of the first spell brewed as one, a scroll of the first spell
    // chosen, priced for the class that writes it.
    const VelSpellInfo* potion = nullptr;
    VelRulesWalk::Each<VelSpellInfo>(*VelDatabase::GetMap(VelDatabase::kTagSpell),
                                     [&](const VelSpellInfo& spell)
                                     {
                                         potion = spell.itemPriceMagicKind6 != 0 ? &spell : nullptr;
                                         return potion != nullptr;
                                     });
    ASSERT_NE(potion, nullptr);
    Item* drink =
        Buy(c, kPotion, Item::kSpellBased, potion->key, 0, potion->itemPriceMagicKind6, spent);
    ASSERT_NE(drink, nullptr);
    EXPECT_EQ(drink->GetName(), "Potion " + potion->GetDisplayName());
    std::uint16_t first = VelIds::kNone;
    VelRulesWalk::Each<VelCharacterSpell>(c->spells,
                                          [&first](const VelCharacterSpell& s)
                                          {
                                              first = s.spellId;
                                              return true;
                                          });
    if (kit.castingKind != 0 && first != VelIds::kNone)
    {
        const VelSpellInfo* spell = VelDatabase::FindSpell(first);
        ASSERT_NE(spell, nullptr);
        const std::int64_t price = kit.castingKind == 2 && spell->itemPriceKind2 != 0
                                       ? spell->itemPriceKind2
                                       : spell->itemPrice;
        EXPECT_GT(price, 0) << spell->name;
        Buy(c, kScroll, Item::kSpellBased, spell->key, classId, price, spent);
    }
    EXPECT_EQ(money - c->GetMoneyInLowestCoin(), spent);
    EXPECT_EQ(copper(c->ownedItemsValue) - value, spent);

    // Armour, shield, weapons and goods on the body; both weapons in hand.
    float weight = weightBefore;
    for (Item* item : carried)
    {
        ASSERT_NE(item, nullptr);
        weight += item->GetHeldObject()->weight;
        EquipItem(c, item, true);
    }
    auto* set = static_cast<VelCharacterEquip*>(c->equipSets.GetAt(0));
    ASSERT_NE(set, nullptr);
    const auto* weaponRecord = static_cast<const VelWeaponInfo*>(weapon->GetHeldObject());
    const auto* daggerRecord = static_cast<const VelWeaponInfo*>(dagger->GetHeldObject());
    EXPECT_TRUE(CanHoldWeaponInSlot(c, weaponRecord, set));
    set->slots[kMainHand] = weapon->itemKey;
    set->slots[kOffHand] = dagger->itemKey;
    set->UpdateModes(c);
    EXPECT_EQ(set->gripMode, VelCharacterEquip::kTwoWeapons);
    EXPECT_EQ(CheckCharacterLimits(c, 0, true), 0u);

    // Load from the carrying table, then the values of armour and load.
    EXPECT_FLOAT_EQ(c->carriedWeight, weight);
    const VelCarryInfo* carry = VelDatabase::FindCarry(c->abilities[E::kStr]);
    ASSERT_NE(carry, nullptr);
    const float factor = kSizeBonus[kit.race] ? 0.75f : 1.0f;
    const int load = weight <= carry->lightLimit * factor    ? 0
                     : weight <= carry->mediumLimit * factor ? 1
                     : weight <= carry->heavyLimit * factor  ? 2
                                                             : 3;
    EXPECT_EQ(c->values[C::kValueLoad], static_cast<unsigned>(load == 3 ? kLoadOverloaded : load));
    const int loadDex[4] = {20, 3, 1, 1}, loadSpeed[4] = {30, 20, 20, 0},
              slowSpeed[4] = {20, 15, 15, 0};
    const int loadPenalty[4] = {0, -3, -6, -6}, run[4] = {4, 4, 3, 3};
    const int maxDex = std::min(loadDex[load], kit.armour.maxDex);
    EXPECT_EQ(static_cast<int>(c->values[C::kValueMaxDexBonus]), maxDex);
    EXPECT_EQ(static_cast<int>(c->values[C::kValueRunMultiplier]),
              kit.armour.category == 2 ? 3 : run[load]);
    const auto better1 = [](int penalty) { return std::min(0, penalty + 1); };
    const int penalty = (kit.armour.id ? better1(kit.armour.penalty) : 0) +
                        (plus > 0 ? better1(kit.shield.penalty) : kit.shield.penalty);
    EXPECT_EQ(static_cast<int>(c->values[C::kValueCheckPenalty]),
              std::min(penalty, loadPenalty[load]));
    EXPECT_EQ(static_cast<int>(c->values[C::kValueAttackPenalty]), 0);
    const int dex = Mod(c->abilities[E::kDex]), str = Mod(c->abilities[E::kStr]);
    const int unarmoured = classId == 5 ? std::max(0, Mod(c->abilities[E::kWis])) + level / 5 : 0;
    const int shieldBonus = kit.shield.id ? kit.shield.bonus + plus : 0;
    EXPECT_EQ(static_cast<int>(c->stats[E::kArmorClass]),
              10 + (kit.armour.id ? kit.armour.bonus + plus : 0) + shieldBonus +
                  std::min(dex, maxDex) + kSizeBonus[kit.race] + unarmoured);
    const int armourSpeed[2][2] = {{30, 20}, {20, 15}}; // by slow race, then medium or heavy
    int speed = std::min(kSlow[kit.race] ? slowSpeed[load] : loadSpeed[load],
                         armourSpeed[kSlow[kit.race]][kit.armour.category > 0]);
    if (classId == 0 && kit.armour.category != 2 && load <= 1)
        speed += 10;
    const int monkSpeed[2][7] = {{30, 40, 50, 60, 70, 80, 90}, {20, 25, 35, 40, 45, 55, 60}};
    if (classId == 5 && load == 0 && level >= 3)
        speed = monkSpeed[kSlow[kit.race]][std::min(6, level / 3)];
    EXPECT_EQ(static_cast<int>(c->stats[E::kSpeed]), speed);

    // Each hand as the sheet adds it up: base attack, ability, two weapons
    // (light off hand), the hand's adjustment and the weapon's own bonus.
    const int attack = level * kit.attackQuarters / 4;
    EXPECT_EQ(static_cast<int>(c->stats[E::kBaseAttack]), attack);
    const bool agile = classId == 7 && load == 0;
    const bool focus = classId == 2;
    const int lightBlade = kit.race == 6 ? 1 : 0;
    const int hands[2][2] = {
        {-8 + (agile ? 6 : 0), kSizeBonus[kit.race] + lightBlade},
        {-4 + (agile ? 2 : 0) + (focus ? 1 : 0),
         kSizeBonus[kit.race] + 1 + (kit.weapon.oneHandOnly ? lightBlade : 0)}};
    for (std::int16_t hand : {kOffHand, kMainHand})
    {
        SCOPED_TRACE(hand);
        const VelWeaponInfo* held = hand == kMainHand ? weaponRecord : daggerRecord;
        const Weapon& design = hand == kMainHand ? kit.weapon : kDagger;
        EXPECT_TRUE(IsProficientWithWeapon(c, design.id));
        const int sum = c->stats[E::kBaseAttack] + GetWeaponAbilityModifier(c, held) +
                        GetTwoWeaponPenalty(c, set, hand) + GetHandAttackAdjustment(c, set, hand) +
                        GetWeaponAttackBonus(c, set, hand);
        EXPECT_EQ(sum, attack + str + hands[hand][0] + hands[hand][1]);
        const int damage = hand == kOffHand && str > 0 ? str / 2 : str;
        EXPECT_EQ(FormatDamageRange(c, held, set, hand),
                  "(1-" + std::to_string(design.sides) + ")" + (damage != 0 ? Plus(damage) : ""));
        EXPECT_EQ(FormatWeaponDamageDice(c, held), "1d" + std::to_string(design.sides));
        EXPECT_EQ(FormatCriticalRange(c, held), design.critical);
        EXPECT_EQ(FormatRangeIncrement(c, held), design.range);
    }
    // Selling the ring gives its price back and leaves the weapon set alone.
    Item* ring = nullptr;
    for (Item* item : carried)
        ring = item->GetHeldObject()->key == kRing ? item : ring;
    ASSERT_NE(ring, nullptr);
    const std::int64_t beforeSale = c->GetMoneyInLowestCoin();
    SellItem(c, ring);
    EXPECT_EQ(c->GetMoneyInLowestCoin() - beforeSale, 2000 * kCopper[2]);
    EXPECT_FLOAT_EQ(c->carriedWeight, weight);
    EXPECT_EQ(c->equipSets.GetCount(), 1u);
    EXPECT_EQ(CheckCharacterLimits(c, 0, true), 0u);
    EXPECT_EQ(captured.Text(), "");
}

TEST_F(RulesContentInventoryTest, EveryClassBuysEquipsAndCastsWithNoMissingRecord)
{
    for (std::uint16_t classId = 0; classId < VelIds::kClassCount; ++classId)
        for (std::uint16_t level : {1, 5, 10, 20})
        {
            SCOPED_TRACE("class " + std::to_string(classId) + " level " + std::to_string(level));
            FCRandom::GetGlobal().Seed(2000u + classId * 31u + level);
            CheckCharacter(classId, level);
        }
    // A small martial artist of little Wisdom: the small speeds, his training whole.
    for (std::uint16_t level : {5, 10, 20})
        CheckCharacter(VelIds::kClassMartialArtist, level, 3, 8);
}
} // namespace
