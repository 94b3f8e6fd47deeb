#include "support/CharacterFixture.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterEquip.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Character/VelEntityFeature.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelAnimalFeatureInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelArmorInfo.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDomainInfo.h"
#include "Vel/Db/VelFeatInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelGodInfo.h"
#include "Vel/Db/VelGoodsInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelLanguageInfo.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel/Db/VelShieldInfo.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel/Db/VelSpellInfo.h"
#include "Vel/Db/VelSubSkillInfo.h"
#include "Vel/Db/VelWeaponInfo.h"

#include <stdexcept>
#include <string>

namespace
{
template <class T> T Named(const std::string& name)
{
    T record;
    record.name = name;
    return record;
}

template <class T> T Priced(const std::string& name, std::uint32_t price, std::int16_t coinKind, float weight = 0.0f)
{
    T record = Named<T>(name);
    record.basePrice = price;
    record.coinKind = coinKind;
    record.weight = weight;
    return record;
}

VelFeatureInfo Feature(const std::string& name, std::uint16_t group, std::uint16_t kind)
{
    VelFeatureInfo record = Named<VelFeatureInfo>(name);
    record.formatKind = group;
    record.kind = kind;
    return record;
}

VelSchoolInfo School(const std::string& name, std::int16_t weight)
{
    VelSchoolInfo record = Named<VelSchoolInfo>(name);
    record.prohibitionWeight = weight;
    return record;
}
} // namespace

CharacterFixture::CharacterFixture()
{
    using F = CharacterFixture;
    VelRaceInfo human = Named<VelRaceInfo>("Human");
    human.sizeId = kHumanSize;
    VelRaceInfo halfling = Named<VelRaceInfo>("Halfling");
    halfling.sizeId = kHalflingSize;
    db.Section(VelDatabase::kTagRace).Add(F::kHuman, human).Add(F::kHalfling, halfling);
    db.Section(VelDatabase::kTagAlignment).Add(F::kNeutral, Named<VelAlignmentInfo>("Neutral"));
    db.Section(VelDatabase::kTagClass);
    for (std::uint16_t id = 0; id < VelIds::kClassCount; ++id)
        db.Add(static_cast<std::int16_t>(id), Named<VelClassInfo>("Class " + std::to_string(id)));
    db.Section(VelDatabase::kTagSkill)
        .Add(F::kClimb, Named<VelSkillInfo>("Climb"))
        .Add(F::kCraft, Named<VelSkillInfo>("Craft"));
    VelSubSkillInfo bows = Named<VelSubSkillInfo>("Bows");
    bows.subSkillId = F::kCraftBows;
    db.Section(VelDatabase::kTagSubSkill).Add(F::kCraft, bows);
    db.Section(VelDatabase::kTagFeat)
        .Add(F::kPowerFeat, Named<VelFeatInfo>("Power"))
        .Add(F::kFocusFeat, Named<VelFeatInfo>("Focus"));
    db.Section(VelDatabase::kTagSpell)
        .Add(F::kSpellA, Named<VelSpellInfo>("Light"))
        .Add(F::kSpellB, Named<VelSpellInfo>("Dark"));
    db.Section(VelDatabase::kTagLanguage)
        .Add(F::kCommon, Named<VelLanguageInfo>("Common"))
        .Add(F::kElvish, Named<VelLanguageInfo>("Elvish"));
    db.Section(VelDatabase::kTagItem)
        .Add(F::kSword, Priced<VelWeaponInfo>("Sword", 15, 1, 4.0f))
        .Add(F::kMail, Priced<VelArmorInfo>("Mail", 50, 2, 30.0f))
        .Add(F::kBuckler, Priced<VelShieldInfo>("Buckler", 9, 2, 4.25f))
        .Add(F::kRope, Priced<VelGoodsInfo>("Rope", 5, 0));
    db.Section(VelDatabase::kTagFeature)
        .Add(F::kSneakFeature, Feature("Sneak", 1, 0))
        .Add(F::kSneakFeature2, Feature("Sneak II", 1, 0))
        .Add(F::kPlainFeature, Feature("Gift", 0, 4));
    VelAnimalInfo toad = Named<VelAnimalInfo>("Toad");
    toad.hitDice = 0.5f;
    VelAnimalInfo wolf = Named<VelAnimalInfo>("Wolf");
    wolf.hitDice = 2.0f;
    db.Section(VelDatabase::kTagAnimal).Add(F::kToad, toad).Add(F::kWolf, wolf);
    db.Section(VelDatabase::kTagGod).Add(F::kGod, Named<VelGodInfo>("Sun"));
    db.Section(VelDatabase::kTagDomain)
        .Add(F::kDomainA, Named<VelDomainInfo>("Law"))
        .Add(F::kDomainB, Named<VelDomainInfo>("Fire"));
    db.Section(VelDatabase::kTagSchool)
        .Add(F::kSchoolA, School("Wards", 2))
        .Add(F::kSchoolB, School("Charms", 5))
        .Add(F::kSchoolC, School("Visions", 1));
    if (!db.Load())
        throw std::runtime_error("the character fixture database did not load");
}

VelCharacter* CharacterFixture::MakeRichCharacter()
{
    using F = CharacterFixture;
    auto* c = new VelCharacter();
    c->name = "Merrow";
    c->abilities = {10, 12, 14, 16, 8, 13};
    c->stats = {15, 3, -1, 4, 2, 30, 5, 27};
    c->raceId = F::kHalfling;
    c->alignmentId = F::kNeutral;
    c->sex = 1;
    for (std::uint32_t i = 0; i < VelCharacter::kValueCount; ++i)
        c->values[i] = 1000 + i;
    c->carriedWeight = 42.5f; // what the sword, mail and two bucklers on the body weigh
    c->proficiencies = {1, 0, 1, 1, 0, 1};
    c->money = VelCoins(7, 3, 120);
    c->startingMoney = 150;
    c->baseAbilities = {9, 11, 13, 15, 7, 12};
    c->abilityIncreases = {1, 0, 1, 0, 0, 0};
    c->averageHitDice = 0;
    c->hitPointBonus = 4;
    c->abilityMethod = 2;
    for (std::int16_t level = 1; level <= 5; ++level)
        c->SetHitDieRoll(level, static_cast<std::uint16_t>(level + 3));
    c->SetGodSlot(0, F::kGod);
    c->SetGodSlot(1, F::kDomainA);
    c->SetGodSlot(2, F::kDomainB);
    c->SetSchool(0, F::kSchoolA);
    c->SetSchool(2, F::kSchoolB);
    c->SetSchool(3, F::kSchoolC);
    for (std::size_t i = 0; i < VelCharacter::kNoteCount; ++i)
        c->notes[i] = "note " + std::to_string(i);
    c->currentClassId = 10;
    c->changeMask = 0x8040;

    VelCharacterClass* warrior = c->AddClass(4);
    warrior->level = 3;
    warrior->hitPointsRolled = 22;
    warrior->bonusFeats = 1;
    VelCharacterClass* scholar = c->AddClass(10);
    scholar->level = 2;
    scholar->spellsPerDay[0] = 3;
    scholar->spellsKnown[1] = 2;
    scholar->formerMember = 1;

    auto* climb = new VelCharacterSkill(F::kClimb, VelCharacterSkill::kNoSubSkill);
    climb->SetRanks(4, VelCharacterSkill::kClassRanks, 3.0f);
    climb->SetRanks(10, VelCharacterSkill::kCrossClassRanks, 1.5f);
    climb->flags = VelCharacterSkill::kOverLimit;
    auto* bows = new VelCharacterSkill(F::kCraft, F::kCraftBows);
    bows->SetRanks(4, VelCharacterSkill::kClassRanks, 2.0f);
    for (VelCharacterSkill* skill : {climb, bows})
    {
        c->AddSkill(skill);
        skill->Release();
    }
    auto* power = new VelCharacterFeat(F::kPowerFeat, VelCharacterFeat::kNoChoice,
                                       VelCharacterFeat::kNoChoice, 4);
    power->count = 2;
    auto* focus = new VelCharacterFeat(F::kFocusFeat, F::kSchoolA, VelCharacterFeat::kNoChoice, 10);
    focus->flags = VelCharacterFeat::kBonusFeat;
    for (VelCharacterFeat* feat : {power, focus})
    {
        c->InsertFeat(feat);
        feat->Release();
    }
    for (std::uint16_t spellId : {F::kSpellA, F::kSpellB})
    {
        auto* spell = new VelCharacterSpell(spellId, 10);
        spell->spellLevel = 1;
        spell->extra = VelCharacterSpell::kFixed;
        c->AddSpell(spell);
        spell->Release();
    }
    for (std::uint16_t languageId : {F::kCommon, F::kElvish})
    {
        auto* language = new VelCharacterLanguage(languageId);
        c->AddLanguage(language);
        language->Release();
    }

    VelCharacterItem* sword = c->AddItem(VelDatabase::FindItem(F::kSword));
    VelCharacterItem* mail = c->AddItem(VelDatabase::FindItem(F::kMail));
    VelCharacterItem* buckler1 = c->AddItem(VelDatabase::FindItem(F::kBuckler));
    VelCharacterItem* buckler2 = c->AddItem(VelDatabase::FindItem(F::kBuckler));
    VelCharacterItem* rope = c->AddItem(VelDatabase::FindItem(F::kRope));
    sword->price = 15;
    sword->coinKind = 1;
    sword->options = VelCharacterItem::kMasterwork;
    mail->price = 50;
    rope->count = 3;
    rope->coinKind = 0;
    rope->price = 5;
    for (VelCharacterItem* item : {sword, mail, buckler1, buckler2})
        c->WearItem(item);
    c->ownedItemsValue = VelCoins(5, 5, 118);

    VelCharacterEquip set;
    set.setTag = 1;
    set.SetSlot(1, sword->itemKey);
    set.gripMode = VelCharacterEquip::kOneHand;
    set.allowedModes = VelCharacterEquip::kAllowsOneHand;
    c->AddEquip(set);
    VelCharacterEquip empty;
    empty.setTag = 2;
    empty.allowedModes = VelCharacterEquip::kBothHandsEmpty;
    c->AddEquip(empty);

    VelClassFeatureInfo row;
    row.key = 7;
    row.featureId = F::kSneakFeature;
    row.value = 2;
    c->AddClassFeature(row)->extra = 0x08;
    row.featureId = F::kPlainFeature;
    row.value = F::kRope;
    c->AddClassFeature(row);

    auto* toad = new VelCharacterAnimal(F::kToad, 10);
    toad->kind = VelCharacterAnimal::kFamiliar;
    toad->name = "Pip";
    toad->text = "warty";
    toad->abilities = {1, 12, 8, 2, 11, 4};
    toad->stats[VelEntity::kHitPoints] = 3;
    VelAnimalFeatureInfo animalRow;
    animalRow.featureId = F::kPlainFeature;
    animalRow.value = 9;
    toad->AddAnimalFeature(animalRow);
    auto* wolf = new VelCharacterAnimal(F::kWolf, 6);
    wolf->kind = VelCharacterAnimal::kCompanion;
    for (VelCharacterAnimal* animal : {toad, wolf})
    {
        c->AddAnimal(animal);
        animal->Release();
    }
    return c;
}
