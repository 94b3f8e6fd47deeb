#include "support/RulesFixture.h"

#include "Vel/Character/VelEntity.h"
#include "Vel/Db/VelAgeInfo.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelAnimalSkillInfo.h"
#include "Vel/Db/VelCarryInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelClassLevelInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelEnemyInfo.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelFeatDependInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGodDomainInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelHeightWeightInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelMountInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSpellsPerInfo.h"
#include "Vel/Db/VelSpokenLanguageInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

#include <string>
#include <tuple>
#include <utility>

namespace
{
using F = RulesFixture;
constexpr int kLevels = 20;
constexpr std::int16_t kInt = 3;
constexpr std::int16_t kWis = 4;
constexpr std::int16_t kCha = 5;

bool Casts(std::uint16_t classId)
{
    return classId == 1 || classId == 2 || classId == 3 || classId == 9 || classId == 10;
}

template <class T> T Named(const std::string& name)
{
    T record;
    record.name = name;
    return record;
}

VelClassInfo Class(std::uint16_t id)
{
    VelClassInfo record = Named<VelClassInfo>("Class " + std::to_string(id));
    record.hitDie = static_cast<std::uint16_t>(4 + (id % 4) * 2);
    record.goodSaves = {static_cast<std::uint8_t>(id % 2), static_cast<std::uint8_t>(id % 3 == 0),
                        static_cast<std::uint8_t>(Casts(id))};
    record.baseAttackColumn = static_cast<std::uint16_t>(id % 3);
    record.abilityPriority = {0, 2, 1, 4, 3, 5};
    if (Casts(id))
        record.abilityPriority = {3, 4, 5, 2, 1, 0};
    record.skillPoints = static_cast<std::uint16_t>(2 + id % 3);
    record.moneyDiceCount = 4;
    record.moneyDiceSides = 4;
    record.moneyMultiplier = 10;
    record.startingItem = id == VelIds::kClassWarrior ? F::kSword : 0xFFFF;
    record.castingKind = Casts(id) ? 1 : 0;
    record.animalCompanion = id == 3 || id == 7 || id == 10;
    record.proficiencies = {1, static_cast<std::uint8_t>(!Casts(id)), 1, 0, 0, 1};
    if (Casts(id))
        record.castingAbility = static_cast<std::uint16_t>(id == 10             ? kInt
                                                           : id == 2 || id == 3 ? kWis
                                                                                : kCha);
    return record;
}

// --- The spells, school and animal pages -------------------------------

// The holy knight rides a mount and the innate caster keeps a familiar.
void AddAnimalClasses(DbFixture& db)
{
    for (std::uint16_t id : {VelIds::kClassHolyKnight, VelIds::kClassInnateCaster})
    {
        VelClassInfo record = Class(id);
        record.animalCompanion = 1;
        db.Add(static_cast<std::int16_t>(id), record);
    }
}

const char* SchoolName(std::uint16_t school)
{
    static const char* const kNames[F::kSchoolCount] = {"Universal", "Lore",   "Veils", "Wards",
                                                        "Charms",    "Flames", "Summons"};
    return kNames[school];
}

std::uint16_t SchoolSpell(std::uint16_t school, std::uint16_t level)
{
    return static_cast<std::uint16_t>(F::kFirstSchoolSpell + 10 * school + level);
}

void AddSchoolSpells(DbFixture& db)
{
    for (std::uint16_t school = 0; school < F::kSchoolCount; ++school)
        for (std::uint16_t level = 0; level <= 4; ++level)
        {
            VelSpellInfo spell = Named<VelSpellInfo>(std::string(SchoolName(school)) + " " + std::to_string(level));
            spell.schoolId = school;
            spell.description = "A spell of " + std::string(SchoolName(school));
            db.Add(static_cast<std::int16_t>(SchoolSpell(school, level)), spell);
        }
    VelSpellInfo book = Named<VelSpellInfo>("Bound page");
    book.schoolId = 1;
    db.Add(F::kSpellBookSpell, book);
    VelSpellInfo sun = Named<VelSpellInfo>("Noon");
    sun.schoolId = F::kFireSchool;
    db.Add(F::kDomainSpell, sun);
}

void AddSchoolSpellLevels(DbFixture& db)
{
    const auto add = [&](std::uint16_t spellId, std::int16_t classId, std::int16_t domainId, std::uint16_t level)
    {
        VelSpellLevelInfo row(spellId);
        row.classId = classId;
        row.domainId = domainId;
        row.level = level;
        db.Add(static_cast<std::int16_t>(spellId), row);
    };
    for (std::uint16_t school = 0; school < F::kSchoolCount; ++school)
        for (std::uint16_t level = 0; level <= 4; ++level)
        {
            for (std::int16_t classId : {1, 2, 9})
                add(SchoolSpell(school, level), classId, -1, level);
            if (school == F::kFireSchool && level > 0)
                add(SchoolSpell(school, level), -1, F::kDomainSky, level);
        }
    add(F::kSpellBookSpell, VelIds::kClassScholarCaster, -1, 2);
    add(F::kDomainSpell, -1, F::kDomainSky, 3);
}

// Features that the animals below bring.
void AddAnimalFeatureRecords(DbFixture& db)
{
    VelFeatureInfo nose = Named<VelFeatureInfo>("Keen nose");
    nose.text = "Keen nose";
    VelFeatureInfo flight = Named<VelFeatureInfo>("Flight");
    flight.text = "Flies %d ft.";
    VelFeatureInfo link = Named<VelFeatureInfo>("Empathic link");
    link.text = "Empathic link";
    db.Add(F::kFirstAnimalFeature, nose).Add(F::kFirstAnimalFeature + 1, flight).Add(F::kFirstAnimalFeature + 2, link);
}

// A mount for each rider size and a companion of fractional hit dice.
void AddMagicAnimals(DbFixture& db)
{
    VelAnimalInfo horse = Named<VelAnimalInfo>("Warhorse");
    horse.iconFile = "animal_warhorse.jpg";
    horse.sizeId = F::kSize + 1;
    horse.kindsMask = 4;
    horse.hitDice = 3.0f;
    horse.abilities = {18, 13, 17, 2, 13, 6};
    horse.fourthText = "50 ft.";
    horse.fifthText = "Scent";
    horse.description = "A trained war mount.";
    VelAnimalInfo pony = horse;
    pony.name = "Pony";
    pony.sizeId = F::kSize;
    pony.hitDice = 2.0f;
    VelAnimalInfo wolf = Named<VelAnimalInfo>("Wolf");
    wolf.iconFile = "animal_wolf.jpg";
    wolf.sizeId = F::kSize;
    wolf.kindsMask = 2;
    wolf.hitDice = 2.5f;
    wolf.abilities = {13, 15, 15, 2, 12, 6};
    wolf.fourthText = "50 ft.";
    wolf.fifthText = "Low-light vision, scent";
    wolf.description = "A pack hunter.";
    db.Add(F::kWarhorse, horse).Add(F::kPony, pony).Add(F::kWolf, wolf);
}

// The animals' skills, features and attacks, and the mount table.
void AddMagicTables(DbFixture& db)
{
    db.Section(VelDatabase::kTagAnimalSkill);
    for (const auto& [animal, skill, ranks] : {std::tuple{F::kCat, F::kFirstSkill, 4}, {F::kCat, 51, 2},
                                               {F::kWolf, F::kFirstSkill, 1}, {F::kWarhorse, 52, 3}})
    {
        VelAnimalSkillInfo row(animal, static_cast<std::uint16_t>(skill));
        row.ranks = static_cast<std::int16_t>(ranks);
        db.Add(static_cast<std::int16_t>(animal), row);
    }
    db.Section(VelDatabase::kTagAnimalFeature);
    for (const auto& [animal, feature, value, kinds] :
         {std::tuple{F::kCat, F::kFirstAnimalFeature, 0xFFFF, 7}, {F::kWolf, F::kFirstAnimalFeature, 0xFFFF, 2},
          {F::kHawk, F::kFirstAnimalFeature + 1, 60, 2}, {F::kWarhorse, F::kFirstAnimalFeature, 0xFFFF, 4}})
    {
        VelAnimalFeatureInfo row;
        row.featureId = static_cast<std::uint16_t>(feature);
        row.value = static_cast<std::uint16_t>(value);
        row.kindsMask = static_cast<std::int16_t>(kinds);
        db.Add(static_cast<std::int16_t>(animal), row);
    }
    VelFamiliarFeatureInfo link;
    link.lowestLevel = 1;
    link.featureId = F::kFirstAnimalFeature + 2;
    db.Section(VelDatabase::kTagFamiliarFeature).Add(0, link);
    db.Section(VelDatabase::kTagAnimalAttack);
    VelAnimalAttackInfo hoof(F::kWarhorse, 0);
    hoof.name = "Hoof";
    hoof.diceCount = 1;
    hoof.dieSides = 6;
    hoof.strengthFactor = 1.0f;
    VelAnimalAttackInfo bite(F::kWolf, 0);
    bite.name = "Bite";
    bite.diceCount = 1;
    bite.dieSides = 6;
    bite.strengthFactor = 1.5f;
    db.Add(F::kWarhorse, hoof).Add(F::kWolf, bite);
    db.Section(VelDatabase::kTagMount290);
    for (std::uint16_t level = 1; level <= kLevels; level = static_cast<std::uint16_t>(level + 5))
    {
        VelMountInfo row;
        row.lowestLevel = level;
        row.highestLevel = static_cast<std::uint16_t>(level + 4);
        row.hitDiceBonus = static_cast<std::uint16_t>(level / 5 * 2);
        row.naturalArmorBonus = static_cast<std::uint16_t>(level / 5 * 2 + 4);
        row.strengthBonus = static_cast<std::uint16_t>(level / 5 + 1);
        row.intScore = 6;
        db.Add(0, row);
    }
}

void AddClassTables(DbFixture& db)
{
    db.Section(VelDatabase::kTagClass);
    for (std::uint16_t id = 0; id < VelIds::kClassCount; ++id)
        db.Add(static_cast<std::int16_t>(id), Class(id));
    AddAnimalClasses(db);
    db.Section(VelDatabase::kTagClassLevel);
    for (int level = 1; level <= kLevels; ++level)
    {
        VelClassLevelInfo row;
        row.baseAttack = {static_cast<std::uint16_t>(level),
                          static_cast<std::uint16_t>(level * 3 / 4),
                          static_cast<std::uint16_t>(level / 2), static_cast<std::uint16_t>(level)};
        row.unarmedDiceCount = {1, 1};
        row.unarmedDiceSides = {6, 4};
        row.speedValues = {static_cast<std::uint16_t>(level / 3 * 10), 0};
        row.wealth = static_cast<std::uint32_t>(level * level * 500);
        db.Add(static_cast<std::int16_t>(level), row);
    }
    db.Section(VelDatabase::kTagSpellsPer);
    for (std::uint16_t id = 0; id < VelIds::kClassCount; ++id)
    {
        for (int level = 1; Casts(id) && level <= kLevels; ++level)
        {
            VelSpellsPerInfo row(id, static_cast<std::uint16_t>(level));
            for (int k = 0; k <= (level + 1) / 2 && k < 10; ++k)
                row.spells[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k == 0 ? 4 : 2);
            db.Add(static_cast<std::int16_t>(id), row);
        }
    }
    db.Section(VelDatabase::kTagSpellsPer220);
    for (std::uint16_t id : {VelIds::kClassMinstrel, VelIds::kClassInnateCaster})
    {
        for (int level = 1; level <= kLevels; ++level)
        {
            VelSpellsPerInfo row(id, static_cast<std::uint16_t>(level));
            for (int k = 0; k <= (level + 1) / 2 && k < 10; ++k)
                row.spells[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k == 0 ? 5 : 3);
            db.Add(static_cast<std::int16_t>(id), row);
        }
    }
}

void AddBodyTables(DbFixture& db)
{
    VelRaceInfo race = Named<VelRaceInfo>("Human");
    race.sizeId = F::kSize;
    race.imageFile = "human.jpg";
    db.Section(VelDatabase::kTagRace).Add(F::kRace, race);
    db.Section(VelDatabase::kTagAlignment).Add(9, Named<VelAlignmentInfo>("Neutral"));
    db.Section(VelDatabase::kTagSize).Add(F::kSize, Named<VelSizeInfo>("Medium"));
    VelAgeInfo age;
    age.thresholds = {15, 35, 53, 70};
    age.diceCount = {1, 1, 2, 2};
    age.diceSides = {4, 6, 6, 4};
    db.Section(VelDatabase::kTagAge).Add(F::kRace, age);
    VelHeightWeightInfo body;
    body.baseHeight = 58;
    body.baseWeight = 120;
    body.heightDiceCount = 2;
    body.heightDiceSides = 10;
    body.weightDiceCount = 2;
    body.weightDiceSides = 4;
    db.Section(VelDatabase::kTagHeightWeight).AddPair(F::kRace, 0, body).AddPair(F::kRace, 1, body);
    db.Section(VelDatabase::kTagCarry);
    for (int strength = 1; strength <= 29; ++strength)
    {
        VelCarryInfo carry;
        carry.lightLimit = static_cast<float>(strength * 10);
        carry.mediumLimit = static_cast<float>(strength * 20);
        carry.heavyLimit = static_cast<float>(strength * 30);
        db.Add(static_cast<std::int16_t>(strength), carry);
    }
}

// A language the pages never offer, in the open language section.
void AddHiddenLanguage(DbFixture& db)
{
    VelLanguageInfo hidden = Named<VelLanguageInfo>("Cant");
    hidden.secondFlag = 1;
    db.Add(F::kHiddenLanguage, hidden);
}

// Languages 2 and 3 open to the fixture race as choices, in the open
// speaker section.
void AddLanguageChoices(DbFixture& db)
{
    VelSpokenLanguageInfo allowed;
    allowed.classId = VelIds::kNone;
    allowed.raceId = F::kRace;
    for (std::uint16_t language : {2, 3})
        db.Add(static_cast<std::int16_t>(language), allowed);
}
// Records of the skills and feats pages, defined further down.
void AddSkillsWithSubSkills(DbFixture& db);
void AddTargetFeats(DbFixture& db);

void AddSkillsFeatsLanguages(DbFixture& db, const F::Sizes& sizes, bool withoutExtras)
{
    db.Section(VelDatabase::kTagSkill);
    for (int i = withoutExtras ? 0 : -1; i < sizes.skills; ++i)
    {
        VelSkillInfo skill = Named<VelSkillInfo>("Skill");
        for (std::size_t c = 0; c < skill.classKinds.size(); ++c)
            skill.classKinds[c] = (static_cast<int>(c) + i) % 3 == 0 ? 1 : 2;
        skill.ability = static_cast<std::int16_t>((i + 6) % 6);
        db.Add(static_cast<std::int16_t>(F::kFirstSkill + i), skill);
    }
    AddSkillsWithSubSkills(db);
    db.Section(VelDatabase::kTagFeat);
    for (int i = withoutExtras ? 0 : -1; i < sizes.feats; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstFeat + i), Named<VelFeatInfo>("Feat"));
    AddTargetFeats(db);
    db.Section(VelDatabase::kTagLanguage);
    for (int i = 0; i < sizes.languages; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstLanguage + i), Named<VelLanguageInfo>("Tongue"));
    if (!withoutExtras)
        db.Add(F::kLanguageExtra, Named<VelLanguageInfo>("Old tongue"));
    AddHiddenLanguage(db);
    VelSpokenLanguageInfo spoken;
    spoken.classId = 0xFFFF;
    spoken.raceId = F::kRace;
    spoken.automatic = 1;
    db.Section(VelDatabase::kTagSpokenLanguage).Add(F::kFirstLanguage, spoken);
    AddLanguageChoices(db);
}

void AddSpells(DbFixture& db, const F::Sizes& sizes, bool withoutExtras)
{
    db.Section(VelDatabase::kTagSpell);
    for (int i = withoutExtras ? 0 : -1; i < sizes.spells; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), Named<VelSpellInfo>("Spell"));
    AddSchoolSpells(db);
    db.Section(VelDatabase::kTagSpellLevel);
    for (int i = 0; i < sizes.spells; ++i)
    {
        for (std::uint16_t classId : {1, 2, 9, 10})
        {
            VelSpellLevelInfo row(static_cast<std::uint16_t>(F::kFirstSpell + i));
            row.classId = static_cast<std::int16_t>(classId);
            row.level = static_cast<std::uint16_t>(i % 10);
            db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), row);
        }
    }
    AddSchoolSpellLevels(db);
}

void AddItems(DbFixture& db, const F::Sizes& sizes, bool withoutExtras)
{
    VelWeaponInfo sword = Named<VelWeaponInfo>("Sword");
    sword.basePrice = F::kSwordPrice;
    sword.coinKind = 2;
    sword.weight = 4.0f;
    sword.diceCount[0] = 1;
    sword.dieSides[0] = 8;
    sword.size = 2;
    sword.handedness = 1;
    db.Section(VelDatabase::kTagItem).Add(F::kSword, sword);
    VelWeaponInfo unarmed = Named<VelWeaponInfo>("Unarmed");
    unarmed.category = 3;
    db.Add(VelIds::kItemUnarmedStrike, unarmed);
    VelGoodsInfo book = Named<VelGoodsInfo>("Spellbook");
    book.basePrice = 15;
    book.coinKind = 2;
    book.usable = 1;
    db.Add(VelIds::kItemSpellbook, book);
    for (int i = withoutExtras ? 0 : -1; i < sizes.goods; ++i)
    {
        VelGoodsInfo goods = Named<VelGoodsInfo>("Goods");
        goods.basePrice = static_cast<std::uint32_t>(i + 2);
        goods.weight = 1.0f;
        goods.usable = 1;
        db.Add(static_cast<std::int16_t>(F::kFirstGoods + i), goods);
    }
}

// Features that special-ability choices name, in the open feature section.
void AddChoiceFeatures(DbFixture& db)
{
    auto feature = [&](std::uint16_t id, const char* name, std::uint16_t kind, std::uint16_t group,
                       const char* text)
    {
        VelFeatureInfo record = Named<VelFeatureInfo>(name);
        record.kind = kind;
        record.formatKind = group;
        record.text = text;
        db.Add(static_cast<std::int16_t>(id), record);
    };
    feature(F::kFeatureEnemy, "Chosen Foe", VelFeatureInfo::kKindEnemy,
            VelFeatureInfo::kFormatEnemyChoice, "You know this foe's ways.");
    feature(F::kFeatureWeapon, "Weapon Drill", VelFeatureInfo::kKindItem,
            VelFeatureInfo::kFormatWeaponChoice, "Drilled with one weapon.");
    feature(F::kFeatureExtraFeat, "Extra Learning", VelFeatureInfo::kKindGeneralFeat, 0,
            "One more general feat.");
    feature(F::kFeatureKnack, "Knack", 0, 0, "A knack for getting by.");
    feature(F::kFeatureStudy, "Quick Study", VelFeatureInfo::kKindAbilityModifier, 0,
            "Learns %d lessons more.");
}

// The level-100 rows (choices) of classes 1, 7 and 8, in the open
// class-feature section.
void AddSpecialChoices(DbFixture& db)
{
    auto choice = [&](std::uint16_t classId, std::uint16_t featureId, std::int16_t value)
    {
        VelClassFeatureInfo row;
        row.featureId = featureId;
        row.level = 100;
        row.value = value;
        db.Add(static_cast<std::int16_t>(classId), row);
    };
    for (std::uint16_t enemy : {F::kEnemy, F::kKinEnemy, F::kOtherEnemy})
        choice(VelIds::kClassTracker, F::kFeatureEnemy, static_cast<std::int16_t>(enemy));
    choice(VelIds::kClassMinstrel, F::kFeatureWeapon, F::kChainWhip);
    choice(VelIds::kClassMinstrel, F::kFeatureWeapon, F::kSword);
    choice(VelIds::kClassMinstrel, F::kFeatureKnack, -1);
    for (std::uint16_t feature : {F::kFeatureExtraFeat, F::kFeatureKnack, F::kFeatureStudy})
        choice(VelIds::kClassSkirmisher, feature, -1);
}

// More gods in the open god section, then the domains, which gods hold
// which, and the enemies.
void AddGodsAndDomains(DbFixture& db)
{
    VelGodInfo all = Named<VelGodInfo>("The All");
    all.alignment = 0;
    VelGodInfo storm = Named<VelGodInfo>("Storm");
    storm.alignment = 0;
    VelGodInfo shade = Named<VelGodInfo>("Shade");
    shade.alignment = 0;
    shade.excludedAlignment = VelIds::kAlignmentDefault;
    db.Add(F::kGodOfAll, all).Add(F::kGodStorm, storm).Add(F::kGodShade, shade);

    auto domain = [](const char* name, const char* icon, std::int16_t mask, std::int16_t excluded)
    {
        VelDomainInfo record = Named<VelDomainInfo>(name);
        record.iconFile = icon;
        record.chosenText = std::string(name) + " answers your call";
        record.alignmentMask = mask;
        record.excludedDomain = excluded;
        record.description = std::string("The domain of ") + name + ".";
        return record;
    };
    db.Section(VelDatabase::kTagDomain)
        .Add(F::kDomainSky, domain("Sky", F::kSkyIcon, 0, -1))
        .Add(F::kDomainEarth, domain("Earth", "fixture_earth.jpg", 0, -1))
        .Add(F::kDomainLight, domain("Light", "fixture_light.jpg", 0, F::kDomainDark))
        .Add(F::kDomainDark, domain("Dark", "fixture_dark.jpg", 0, F::kDomainLight))
        .Add(F::kDomainOrder, domain("Order", "fixture_order.jpg", 0x20, -1));
    db.Section(VelDatabase::kTagGodDomain);
    const std::pair<std::uint16_t, std::uint16_t> holds[] = {
        {F::kGodSun, F::kDomainSky},     {F::kGodSun, F::kDomainLight},  {F::kGodStorm, F::kDomainSky},
        {F::kGodStorm, F::kDomainEarth}, {F::kGodStorm, F::kDomainDark}, {F::kGodShade, F::kDomainEarth},
        {F::kGodShade, F::kDomainOrder}};
    for (const auto& [god, held] : holds)
        db.Add(static_cast<std::int16_t>(god), VelGodDomainInfo(god, held));

    auto enemy = [](const char* name, std::uint16_t race)
    {
        VelEnemyInfo record = Named<VelEnemyInfo>(name);
        record.raceId = race;
        record.description = std::string(name) + ", known by their tracks.";
        return record;
    };
    db.Section(VelDatabase::kTagEnemy)
        .Add(F::kEnemy, enemy("Goblins", VelIds::kNone))
        .Add(F::kKinEnemy, enemy("Kin", F::kRace))
        .Add(F::kOtherEnemy, enemy("Trolls", VelIds::kNone));
}

void AddFeaturesAndAnimals(DbFixture& db, bool withoutExtras)
{
    VelFeatureInfo sneak = Named<VelFeatureInfo>("Sneak +%dd6");
    sneak.formatKind = 1;
    db.Section(VelDatabase::kTagFeature).Add(1, sneak).Add(2, Named<VelFeatureInfo>("Track"));
    if (!withoutExtras)
        db.Add(F::kFeatureExtra, Named<VelFeatureInfo>("Old gift"));
    AddAnimalFeatureRecords(db);
    AddChoiceFeatures(db);
    db.Section(VelDatabase::kTagClassFeature);
    for (std::uint16_t classId = 0; classId < VelIds::kClassCount; ++classId)
    {
        for (std::uint16_t level = 1; level <= kLevels;
             level = static_cast<std::uint16_t>(level + 4))
        {
            VelClassFeatureInfo row;
            row.featureId = 1;
            row.level = level;
            row.value = static_cast<std::int16_t>(level / 4 + 1);
            db.Add(static_cast<std::int16_t>(classId), row);
        }
        VelClassFeatureInfo track;
        track.featureId = 2;
        track.level = 2;
        db.Add(static_cast<std::int16_t>(classId), track);
    }
    AddSpecialChoices(db);
    VelAnimalInfo cat = Named<VelAnimalInfo>("Cat");
    cat.hitDice = 0.5f;
    cat.abilities = {3, 15, 10, 2, 12, 7};
    cat.kindsMask = 1;
    VelAnimalInfo hawk = Named<VelAnimalInfo>("Hawk");
    hawk.hitDice = 1.0f;
    hawk.abilities = {10, 17, 10, 2, 14, 6};
    hawk.kindsMask = 2;
    db.Section(VelDatabase::kTagAnimal).Add(F::kCat, cat).Add(F::kHawk, hawk);
    if (!withoutExtras)
        db.Add(F::kAnimalExtra, hawk);
    AddMagicAnimals(db);
    db.Section(VelDatabase::kTagMount295);
    for (std::uint16_t level = 1; level <= kLevels; level = static_cast<std::uint16_t>(level + 2))
    {
        VelMountInfo row;
        row.lowestLevel = level;
        row.highestLevel = static_cast<std::uint16_t>(level + 1);
        row.naturalArmorBonus = static_cast<std::uint16_t>(level / 2 + 1);
        row.intScore = static_cast<std::uint16_t>(6 + level / 2);
        db.Add(0, row);
    }
    // Gods of every alignment.
    VelGodInfo god = Named<VelGodInfo>("Sun");
    god.alignment = 0;
    god.iconFile = F::kSunIcon;
    db.Section(VelDatabase::kTagGod).Add(1, god);
    if (!withoutExtras)
        db.Add(F::kGodExtra, god);
    AddGodsAndDomains(db);
}

// --- What the skills and feats pages and the target dialog need ----------

// Into the open skill section: a skill with sub-skills (a class skill but
// for class 0, which cannot have it), and the language skill (cross-class,
// but a class skill of class 1).
void AddSkillsWithSubSkills(DbFixture& db)
{
    VelSkillInfo craft = Named<VelSkillInfo>("Craft");
    craft.hasSubSkills = 1;
    craft.classKinds.fill(VelSkillInfo::kClassSkill);
    craft.classKinds[0] = VelSkillInfo::kNotAvailable;
    craft.ability = kInt;
    craft.description = "Making things.";
    db.Add(F::kCraftSkill, craft);
    VelSkillInfo speak = Named<VelSkillInfo>("Speak Language");
    speak.hasSubSkills = 1;
    speak.classKinds.fill(VelSkillInfo::kCrossClassSkill);
    speak.classKinds[1] = VelSkillInfo::kClassSkill;
    speak.description = "Speaking a tongue.";
    db.Add(F::kLanguageSkill, speak);
}

VelFeatInfo TargetFeat(const char* name, std::int32_t kind, std::uint16_t choiceKind)
{
    VelFeatInfo feat = Named<VelFeatInfo>(name);
    feat.kind = kind;
    feat.repeatable = 1;
    feat.choiceKind = choiceKind;
    feat.description = std::string("About ") + name + ".";
    return feat;
}

// Into the open feat section: the feats taken for a target, one of every
// kind, bonus feats of both bonus classes, and one with a prerequisite.
void AddTargetFeats(DbFixture& db)
{
    constexpr std::uint16_t kItem = VelFeatInfo::kChoiceItem;
    constexpr std::uint16_t kSchool = VelFeatInfo::kChoiceSchool;
    struct Row
    {
        std::uint16_t id;
        const char* name;
        std::int32_t kind;
        std::uint16_t choiceKind;
        bool warrior;
        bool scholar;
    };
    constexpr Row rows[] = {
        {13, "Exotic Weapon", 3, kItem, true, false},
        {19, "Keen Edge", 2, kItem, true, false},
        {26, "Martial Weapon", 3, kItem, false, false},
        {46, "Skill Knack", 0, VelFeatInfo::kChoiceSkill, false, false},
        {47, "School Knack", 1, kSchool, false, true},
        {53, "Light Touch", 2, kItem, true, false},
        {54, "Weapon Training", 2, kItem, true, false},
        {72, "Intellect", 1, VelFeatInfo::kChoiceNone, false, true},
        {73, "Weapon Mastery", 2, kItem, true, false},
        {74, "Deeper School Knack", 1, kSchool, false, true},
    };
    for (const Row& row : rows)
    {
        VelFeatInfo feat = TargetFeat(row.name, row.kind, row.choiceKind);
        feat.warriorBonusFeat = row.warrior ? 1 : 0;
        feat.scholarBonusFeat = row.scholar ? 1 : 0;
        db.Add(static_cast<std::int16_t>(row.id), feat);
    }
    VelFeatInfo sturdy = Named<VelFeatInfo>("Sturdy");
    sturdy.kind = 2;
    sturdy.warriorBonusFeat = 1;
    sturdy.description = "Hard to tire.";
    db.Add(F::kSturdyFeat, sturdy);
}

VelWeaponInfo Weapon(const char* name, std::int16_t category, std::int16_t size)
{
    VelWeaponInfo weapon = Named<VelWeaponInfo>(name);
    weapon.category = category;
    weapon.size = size;
    weapon.handedness = 2;
    weapon.diceCount[0] = 1;
    weapon.dieSides[0] = 6;
    weapon.description = std::string("A ") + name + ".";
    return weapon;
}

// Sections of their own: sub-skills, schools, the weapons feats are taken
// for (into the item table, which every item section fills) and the
// prerequisite of the sturdy feat.
void AddPageTargets(DbFixture& db)
{
    db.Section(VelDatabase::kTagSubSkill);
    const auto sub = [&](std::uint16_t skill, std::uint16_t id, const char* name)
    {
        VelSubSkillInfo record;
        record.subSkillId = id;
        record.name = name;
        record.description = std::string("About ") + name + ".";
        db.Add(static_cast<std::int16_t>(skill), record);
    };
    sub(F::kCraftSkill, 0, "Smithing");
    sub(F::kCraftSkill, 1, "Weaving");
    sub(F::kLanguageSkill, F::kFirstLanguage, "Tongue of the plains");
    sub(F::kLanguageSkill, F::kFirstLanguage + 1, "Tongue of the hills");
    sub(F::kLanguageSkill, F::kLanguageExtra, "Old tongue");
    sub(F::kLanguageSkill, F::kUnspokenTongue, "Lost tongue");

    db.Section(VelDatabase::kTagSchool);
    for (std::uint16_t i = 0; i < 3; ++i)
    {
        VelSchoolInfo school = Named<VelSchoolInfo>(std::string("School ") + char('C' - i));
        school.prohibitionWeight = static_cast<std::int16_t>(i + 1);
        school.description = "A school of magic.";
        db.Add(static_cast<std::int16_t>(F::kFirstSchool + i), school);
    }

    db.Section(VelDatabase::kTagItem);
    db.Add(F::kAxe, Weapon("Axe", 1, 2));
    db.Add(F::kMaul, Weapon("Maul", 1, 4));
    db.Add(F::kChainWhip, Weapon("Chain Whip", 2, 2));
    VelWeaponInfo blowgun = Weapon("Blowgun", 2, 1);
    blowgun.forbiddenToClass3 = 1;
    db.Add(F::kBlowgun, blowgun);
    db.Add(F::kKnife, Weapon("Knife", 0, 1));
    VelWeaponInfo sling = Weapon("Sling", 0, 1);
    sling.ranged = 1;
    db.Add(F::kSling, sling);
    VelWeaponInfo net = Weapon("Net", 1, 2);
    net.noFeatTarget = 1;
    db.Add(F::kNet, net);
    db.Add(F::kLongblade, Weapon("Longblade", 1, 2));
    VelWeaponInfo rapier = Weapon("Rapier", 1, 2);
    rapier.handedness = 1;
    db.Add(F::kRapier, rapier);

    db.Section(VelDatabase::kTagFeatDepend);
    VelFeatDependInfo constitution;
    constitution.type = VelFeatDependInfo::kAbilityScore;
    constitution.ability = VelEntity::kCon;
    constitution.minimum = 15;
    db.Add(F::kSturdyFeat, constitution);
}
} // namespace

bool RulesFixture::LoadMagicSchools()
{
    VelDatabaseWriter writer;
    writer.BeginSection(VelDatabase::kTagSchool);
    const std::int16_t rankings[kSchoolCount] = {0, 1, 1, 2, 2, 3, 3};
    for (std::uint16_t school = 0; school < kSchoolCount; ++school)
    {
        VelSchoolInfo record = Named<VelSchoolInfo>(SchoolName(school));
        record.iconFile = "school_" + std::string(SchoolName(school)) + ".jpg";
        record.prohibitionWeight = rankings[school];
        record.description = "The school of " + std::string(SchoolName(school));
        writer.Add(static_cast<std::int16_t>(school), record);
    }
    return DbFixture::LoadBytes(writer.Finish());
}

RulesFixture::RulesFixture(const Sizes& sizes, bool withoutExtras)
{
    AddClassTables(db);
    AddBodyTables(db);
    AddSkillsFeatsLanguages(db, sizes, withoutExtras);
    AddSpells(db, sizes, withoutExtras);
    AddItems(db, sizes, withoutExtras);
    AddFeaturesAndAnimals(db, withoutExtras);
    AddMagicTables(db);
    AddPageTargets(db);
    loaded = db.Load();
}
