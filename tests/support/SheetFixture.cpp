#include "support/SheetFixture.h"

#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceFeatureInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSizeInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSpellLevelInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"
#include "support/MakeRecord.h"

#include <cstdio>

namespace
{
using F = SheetFixture;

template <class T> T Named(const std::string& name)
{
    T record;
    record.name = name;
    return record;
}

void AddClasses(DbFixture& db)
{
    const char* names[] = {"Berserker",  "Minstrel",       "Priest",      "Nature Priest",
                           "Warrior",    "Martial Artist", "Holy Knight", "Tracker",
                           "Skirmisher", "Innate Caster",  "Scholar"};
    db.Section(VelDatabase::kTagClass);
    for (std::uint16_t id = 0; id < VelIds::kClassCount; ++id)
    {
        VelClassInfo record = Named<VelClassInfo>(names[id]);
        record.hitDie = 8;
        const bool casts = id == 1 || id == 2 || id == 3 || id == 9 || id == 10;
        record.castingKind = casts ? 1 : 0;
        record.castingAbility = id == 10 ? 3 : id == 2 ? 4 : casts ? 5 : 0xFFFF;
        db.Add(static_cast<std::int16_t>(id), record);
    }
}

void AddBody(DbFixture& db)
{
    db.Section(VelDatabase::kTagRace)
        .Add(F::kRace, MakeRecord<VelRaceInfo>(
                           [](auto& r)
                           {
                               r.name = "Human";
                               r.sizeId = F::kSize;
                           }))
        .Add(F::kOtherRace, MakeRecord<VelRaceInfo>(
                                [](auto& r)
                                {
                                    r.name = "Gnome";
                                    r.sizeId = F::kSize;
                                }));
    db.Section(VelDatabase::kTagAlignment)
        .Add(F::kAlignment, Named<VelAlignmentInfo>("True Neutral"));
    db.Section(VelDatabase::kTagSize).Add(F::kSize, Named<VelSizeInfo>("Medium"));
    // Table order, not name order.
    db.Section(VelDatabase::kTagRaceFeature)
        .Add(0, MakeRecord<VelRaceFeatureInfo>(
                    [](auto& r)
                    {
                        r.raceId = F::kRace;
                        r.name = "Quick Learner";
                    }))
        .Add(1, MakeRecord<VelRaceFeatureInfo>(
                    [](auto& r)
                    {
                        r.raceId = F::kOtherRace;
                        r.name = "Small";
                    }))
        .Add(2, MakeRecord<VelRaceFeatureInfo>(
                    [](auto& r)
                    {
                        r.raceId = F::kRace;
                        r.name = "Adaptable";
                    }));
}

void AddSkillsAndFeats(DbFixture& db)
{
    const auto skill = [](const std::string& name, std::int16_t row, bool subSkills)
    {
        VelSkillInfo record = Named<VelSkillInfo>(name);
        record.sheetRow = static_cast<std::uint16_t>(row);
        record.hasSubSkills = subSkills ? 1 : 0;
        record.ability = 0;
        return record;
    };
    db.Section(VelDatabase::kTagSkill)
        .Add(F::kClimb, skill("Climb", 12, false))
        .Add(F::kCraft, skill("Craft", -1, true))
        .Add(F::kPerform, skill("Perform", 20, true))
        .Add(F::kHidden, skill("Hidden", 45, false))
        .Add(F::kLiteracy, skill("Literacy", -1, false))
        .Add(VelIds::kSkillSpeakLanguage, skill("Speak Language", -1, true));
    for (int i = 0; i < 25; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstLore + i),
               skill(std::string("Lore ") + char('A' + i), -1, false));
    const auto sub = [](std::uint16_t id, const std::string& name)
    {
        VelSubSkillInfo record = Named<VelSubSkillInfo>(name);
        record.subSkillId = id;
        return record;
    };
    db.Section(VelDatabase::kTagSubSkill)
        .Add(F::kCraft, sub(1, "Bows"))
        .Add(F::kCraft, sub(2, "Traps"))
        .Add(F::kPerform, sub(1, "Drums"));

    db.Section(VelDatabase::kTagFeat)
        .Add(F::kToughness, Named<VelFeatInfo>("Toughness"))
        .Add(F::kAlertness, Named<VelFeatInfo>("Alertness"))
        .Add(F::kDodge, Named<VelFeatInfo>("Dodge"));
    for (int i = 0; i < 60; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstFeat + i),
               Named<VelFeatInfo>(F::Numbered("Feat", F::kFirstFeat + i)));

    const char* proficiencies[] = {"Simple Weapons", "Martial Weapons", "Light Armour",
                                   "Medium Armour",  "Heavy Armour",    "Shields"};
    db.Section(VelDatabase::kTagFeature);
    db.Add(F::kRage, Named<VelFeatureInfo>("Rage %d/day"));
    db.Add(F::kSecret, MakeRecord<VelFeatureInfo>(
                           [](auto& r)
                           {
                               r.name = "Secret";
                               r.firstFlag = 1;
                           }));
    for (int i = 0; i < 40; ++i)
        db.Add(static_cast<std::int16_t>(F::kFirstFeature + i),
               Named<VelFeatureInfo>(F::Numbered("Feature", F::kFirstFeature + i)));
    for (int i = 0; i < 6; ++i)
        db.Add(static_cast<std::int16_t>(89 + i), Named<VelFeatureInfo>(proficiencies[i]));

    db.Section(VelDatabase::kTagLanguage)
        .Add(F::kCommon, Named<VelLanguageInfo>("Common"))
        .Add(F::kElvish, Named<VelLanguageInfo>("Elvish"));
}

void AddItems(DbFixture& db)
{
    VelWeaponInfo sword = Named<VelWeaponInfo>("Longsword");
    sword.size = 2;
    sword.handedness = 1;
    sword.diceCount[0] = 1;
    sword.dieSides[0] = 8;
    sword.threatRange = 19;
    sword.criticalMultiplier = 2;
    sword.weight = 4.0f;
    VelWeaponInfo dagger = Named<VelWeaponInfo>("Dagger");
    dagger.size = 0;
    dagger.diceCount[0] = 1;
    dagger.dieSides[0] = 4;
    dagger.criticalMultiplier = 2;
    dagger.weight = 1.0f;
    VelWeaponInfo bow = Named<VelWeaponInfo>("Longbow");
    bow.size = 2;
    bow.ranged = 1;
    bow.diceCount[0] = 1;
    bow.dieSides[0] = 8;
    bow.criticalMultiplier = 3;
    bow.rangeIncrement = 100;
    bow.weight = 3.0f;
    VelArmorInfo mail = Named<VelArmorInfo>("Chain Mail");
    mail.armorBonus = 5;
    mail.maxDexBonus = 2;
    mail.checkPenalty = static_cast<std::uint16_t>(-5);
    mail.spellFailure = 30;
    mail.speed = 20;
    mail.slowSpeed = 15;
    mail.weight = 40.0f;
    VelShieldInfo buckler = Named<VelShieldInfo>("Buckler");
    buckler.shieldBonus = 1;
    buckler.checkPenalty = static_cast<std::uint16_t>(-1);
    buckler.spellFailure = 5;
    buckler.weight = 5.0f;
    db.Section(VelDatabase::kTagItem)
        .Add(F::kSword, sword)
        .Add(F::kDagger, dagger)
        .Add(F::kBow, bow)
        .Add(F::kMail, mail)
        .Add(F::kBuckler, buckler);
    for (int i = 0; i < 60; ++i)
    {
        VelGoodsInfo goods = Named<VelGoodsInfo>(F::Numbered("Goods", i));
        goods.weight = 2.5f;
        db.Add(static_cast<std::int16_t>(F::kFirstGoods + i), goods);
    }
}

void AddMagic(DbFixture& db)
{
    // Spell n: level n % 10 for the minstrel, priest and innate caster;
    // count n % 5 + 1, unit 0, range 1, duration 2, save 3 (the last
    // spell's save is negative; the one before it has no count, its unit
    // 7 the time its text gives).
    constexpr int kSpells = 70;
    db.Section(VelDatabase::kTagSpell);
    for (int i = 0; i < kSpells; ++i)
    {
        VelSpellInfo spell = Named<VelSpellInfo>(F::Numbered("Spell", i));
        const bool uncounted = i == kSpells - 2;
        spell.words = {static_cast<std::uint16_t>(uncounted ? -1 : i % 5 + 1),
                       static_cast<std::uint16_t>(uncounted ? 7 : 0), 1, 2,
                       static_cast<std::uint16_t>(i == kSpells - 1 ? -1 : 3)};
        db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), spell);
    }
    db.Section(VelDatabase::kTagSpellLevel);
    for (int i = 0; i < kSpells; ++i)
    {
        for (const std::uint16_t classId :
             {VelIds::kClassMinstrel, VelIds::kClassPriest, VelIds::kClassInnateCaster})
        {
            VelSpellLevelInfo row(static_cast<std::uint16_t>(F::kFirstSpell + i));
            row.classId = static_cast<std::int16_t>(classId);
            row.level = static_cast<std::uint16_t>(i % 10);
            db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), row);
        }
        if (i < F::kNaturePriestSpells)
        {
            VelSpellLevelInfo row(static_cast<std::uint16_t>(F::kFirstSpell + i));
            row.classId = static_cast<std::int16_t>(VelIds::kClassNaturePriest);
            row.level = 0;
            db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), row);
        }
        // Every spell is a fire-domain spell at that level too; the sun
        // domain has spell 13 at level 3.
        VelSpellLevelInfo fire(static_cast<std::uint16_t>(F::kFirstSpell + i));
        fire.domainId = F::kFire;
        fire.level = static_cast<std::uint16_t>(i % 10);
        db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), fire);
        if (i == 13)
        {
            VelSpellLevelInfo sun(static_cast<std::uint16_t>(F::kFirstSpell + i));
            sun.domainId = F::kSun;
            sun.level = 3;
            db.Add(static_cast<std::int16_t>(F::kFirstSpell + i), sun);
        }
    }
    db.Section(VelDatabase::kTagDomain)
        .Add(F::kFire, MakeRecord<VelDomainInfo>(
                           [](auto& r)
                           {
                               r.name = "Fire";
                               r.chosenText = "Turn water creatures";
                           }))
        .Add(F::kSun, MakeRecord<VelDomainInfo>(
                          [](auto& r)
                          {
                              r.name = "Sun";
                              r.chosenText = "Greater turning";
                          }));
    db.Section(VelDatabase::kTagSchool)
        .Add(F::kWards, Named<VelSchoolInfo>("Wards"))
        .Add(F::kCharms, Named<VelSchoolInfo>("Charms"));

    db.Section(VelDatabase::kTagAnimal)
        .Add(F::kWolf, MakeRecord<VelAnimalInfo>(
                           [](auto& r)
                           {
                               r.name = "Wolf";
                               r.hitDice = 2.5f;
                           }))
        .Add(F::kHorse, MakeRecord<VelAnimalInfo>(
                            [](auto& r)
                            {
                                r.name = "Horse";
                                r.hitDice = 3.0f;
                            }));
    const auto attack = [](std::int16_t index, const char* name, std::uint16_t sides)
    {
        return MakeRecord<VelAnimalAttackInfo>(
            [=](auto& r)
            { r.attackIndex = index, r.name = name, r.diceCount = 1, r.dieSides = sides; });
    };
    db.Section(VelDatabase::kTagAnimalAttack)
        .Add(F::kWolf, attack(0, "Bite", 6))
        .Add(F::kHorse, attack(0, "Hooves", 6))
        .Add(F::kHorse, attack(1, "Bite", 4));
}

AssetIndexBytes Index(const SheetFixture::Parts& parts)
{
    AssetIndexBytes index;
    if (parts.forms)
    {
        index.U16(FCResourceManager::kTagImageSets);
        for (std::uint16_t id = 9500; id <= 9503; ++id)
            index.ImageSet(id, "Form" + std::to_string(id) + ".set");
        index.U16(0);
    }
    if (parts.texts)
    {
        index.U16(FCResourceManager::kTagTexts);
        index.Text(9800, "action")
            .Text(9807, "See text")
            .Text(9851, "Touch")
            .Text(9902, "Concentration")
            .Text(9953, "Will half");
        index.Text(10541, "Light")
            .Text(10542, "Medium")
            .Text(10543, "Heavy")
            .Text(10545, "Overloaded")
            .Text(9795, "Over-\nloaded");
        index.Text(320, "Roll the Dice").Text(321, "Point Buy");
        index.U16(0);
    }
    return index.U16(0);
}
} // namespace

SheetFixture::SheetFixture(Parts parts) : printer(FCPoint(5100, 6600))
{
    printer.Open();
    if (parts.forms)
        for (std::uint16_t id = 9500; id <= 9503; ++id)
            resources.WriteArt("Form" + std::to_string(id) + ".set",
                               ImageSetFileBytes({{1275, 1650, 0, 0, 1, 1}}));
    AddClasses(db);
    AddBody(db);
    AddSkillsAndFeats(db);
    AddItems(db);
    AddMagic(db);
    loaded = db.Load() && resources.LoadIndex(Index(parts));
}

SheetFixture::~SheetFixture() = default;

std::string SheetFixture::Numbered(const char* stem, int n)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s %02d", stem, n);
    return buffer;
}

FCCountedRef<VelCharacter> SheetFixture::Hero()
{
    auto hero = FCCountedRef<VelCharacter>::Adopt(new VelCharacter());
    hero->name = "Hero";
    hero->raceId = kRace;
    hero->alignmentId = kAlignment;
    hero->AddClass(VelIds::kClassWarrior);
    hero->abilities = {16, 12, 14, 10, 13, 8};
    hero->stats = {15, 3, 1, 4, 1, 30, 1, 12};
    hero->money = VelCoins(0, 0, 50);
    hero->startingMoney = 100;
    hero->values[VelCharacter::kValueHeight] = 70;
    hero->values[VelCharacter::kValueRunMultiplier] = 4;
    return hero;
}

void SheetFixture::AddFeat(VelCharacter& character, std::uint16_t featId)
{
    auto* feat = new VelCharacterFeat(featId, VelCharacterFeat::kNoChoice,
                                      VelCharacterFeat::kNoChoice, VelIds::kClassWarrior);
    character.InsertFeat(feat);
    feat->Release();
}

void SheetFixture::AddSkill(VelCharacter& character, std::uint16_t skillId,
                            std::uint16_t subSkillId, float ranks)
{
    auto* skill = new VelCharacterSkill(skillId, subSkillId);
    skill->SetRanks(VelIds::kClassWarrior, VelCharacterSkill::kClassRanks, ranks);
    character.AddSkill(skill);
    skill->Release();
}

VelCharacterItem* SheetFixture::Own(VelCharacter& character, std::uint16_t itemId,
                                    std::int16_t placement)
{
    VelCharacterItem* item = character.AddItem(VelDatabase::FindItem(itemId));
    item->placement = placement;
    return item;
}

VelCharacterEquip* SheetFixture::AddSet(VelCharacter& character, std::uint16_t offHand,
                                        std::uint16_t mainHand, std::int16_t grip)
{
    VelCharacterEquip set;
    set.slots = {offHand, mainHand};
    set.gripMode = grip;
    return character.AddEquip(set);
}

VelCharacterAnimal* SheetFixture::AddAnimal(VelCharacter& character, std::uint16_t animalId,
                                            std::uint16_t classId, std::uint16_t kind,
                                            const std::string& name)
{
    auto* animal = new VelCharacterAnimal(animalId, classId);
    animal->kind = kind;
    animal->text = name;
    animal->stats = {14, 0, 0, 0, 0, 40, 2, 16};
    character.AddAnimal(animal);
    animal->Release();
    return animal;
}
