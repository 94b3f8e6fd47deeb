#include "RulesSchema.h"

#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"

#include <array>

namespace
{
using Ns = RulesNs;
using Out = RulesOutput;
using Key = RulesKeying;
using namespace VelDatabase;

// Parents come before the tables written inside them.
constexpr auto kTables = std::to_array<RulesTable>({
    {"alignments", nullptr, "VelAlignmentInfo", kTagAlignment, Out::Database, Key::Id,
     Ns::Alignment},
    {"sizes", nullptr, "VelSizeInfo", kTagSize, Out::Database, Key::Id, Ns::Size},
    {"carrying", nullptr, "VelCarryInfo", kTagCarry, Out::Database, Key::Id},
    {"classLevels", nullptr, "VelClassLevelInfo", kTagClassLevel, Out::Database, Key::Id},
    {"classes", nullptr, "VelClassInfo", kTagClass, Out::Database, Key::Id, Ns::Class},
    {"forbiddenAlignments", "classes", "VelClassAlignmentInfo", kTagClassAlignment, Out::Database,
     Key::Owner, Ns::None, nullptr, "alignmentId"},
    {"features", "classes", "VelClassFeatureInfo", kTagClassFeature, Out::Database, Key::Owner},
    {"spellsPerDay", "classes", "VelSpellsPerInfo", kTagSpellsPer, Out::Spells, Key::Owner},
    {"spellsKnown", "classes", "VelSpellsPerInfo", kTagSpellsPer220, Out::Spells, Key::Owner},
    {"races", nullptr, "VelRaceInfo", kTagRace, Out::Database, Key::Id, Ns::Race},
    {"traits", "races", "VelRaceFeatureInfo", kTagRaceFeature, Out::Database, Key::Owner, Ns::None,
     "raceId"},
    {"skillBonuses", "races", "VelRaceSkillInfo", kTagRaceSkill, Out::Database, Key::Owner},
    {"names", "races", "VelNameInfo", kTagName, Out::Database, Key::Owner},
    {"age", "races", "VelAgeInfo", kTagAge, Out::Database, Key::Owner, Ns::None, nullptr, nullptr,
     nullptr, Ns::None, true},
    {"heightWeight", "races", "VelHeightWeightInfo", kTagHeightWeight, Out::Database,
     Key::OwnerPair, Ns::None, nullptr, nullptr, "sex", Ns::Sex},
    {"skills", nullptr, "VelSkillInfo", kTagSkill, Out::Database, Key::Id, Ns::Skill},
    {"subSkills", "skills", "VelSubSkillInfo", kTagSubSkill, Out::Database, Key::Owner},
    {"feats", nullptr, "VelFeatInfo", kTagFeat, Out::Database, Key::Id, Ns::Feat},
    {"prerequisites", "feats", "VelFeatDependInfo", kTagFeatDepend, Out::Database, Key::Owner},
    {"features", nullptr, "VelFeatureInfo", kTagFeature, Out::Database, Key::Id, Ns::Feature},
    {"languages", nullptr, "VelLanguageInfo", kTagLanguage, Out::Database, Key::Id, Ns::Language},
    {"speakers", "languages", "VelSpokenLanguageInfo", kTagSpokenLanguage, Out::Database,
     Key::Owner},
    {"enemies", nullptr, "VelEnemyInfo", kTagEnemy, Out::Database, Key::Id, Ns::Enemy},
    {"items", nullptr, nullptr, kTagItem, Out::Equipment, Key::Id, Ns::Item},
    {"weaponFamiliarity", "items", "VelProfWeaponInfo", kTagProfWeapon, Out::Equipment, Key::Owner},
    {"enhancementCosts", nullptr, "VelSpecialCostInfo", kTagSpecialCost315, Out::Equipment,
     Key::Id},
    {"specialCosts", nullptr, "VelSpecialCostInfo", kTagSpecialCost, Out::Equipment, Key::Id},
    {"animals", nullptr, "VelAnimalInfo", kTagAnimal, Out::Animals, Key::Id, Ns::Animal},
    {"attacks", "animals", "VelAnimalAttackInfo", kTagAnimalAttack, Out::Animals, Key::Owner},
    {"skills", "animals", "VelAnimalSkillInfo", kTagAnimalSkill, Out::Animals, Key::Owner},
    {"features", "animals", "VelAnimalFeatureInfo", kTagAnimalFeature, Out::Animals, Key::Owner},
    {"companionLevels", nullptr, "VelMountInfo", kTagMount290, Out::Animals, Key::Id},
    {"familiarLevels", nullptr, "VelMountInfo", kTagMount295, Out::Animals, Key::Id},
    {"familiarFeatures", nullptr, "VelFamiliarFeatureInfo", kTagFamiliarFeature, Out::Animals,
     Key::Id},
    {"schools", nullptr, "VelSchoolInfo", kTagSchool, Out::Spells, Key::Id, Ns::School},
    {"domains", nullptr, "VelDomainInfo", kTagDomain, Out::Spells, Key::Id, Ns::Domain},
    {"skills", "domains", "VelDomainSkillInfo", kTagDomainSkill, Out::Spells, Key::Owner},
    {"gods", nullptr, "VelGodInfo", kTagGod, Out::Spells, Key::Id, Ns::God},
    {"domains", "gods", "VelGodDomainInfo", kTagGodDomain, Out::Spells, Key::Owner, Ns::None,
     nullptr, "domainId"},
    {"races", "gods", "VelGodRaceInfo", kTagGodRace, Out::Spells, Key::Owner, Ns::None, nullptr,
     "raceId"},
    {"domainFeats", "gods", "VelGodDomainFeatInfo", kTagGodDomainFeat, Out::Spells, Key::Owner},
    {"spells", nullptr, "VelSpellInfo", kTagSpell, Out::Spells, Key::Id, Ns::Spell},
    {"levels", "spells", "VelSpellLevelInfo", kTagSpellLevel, Out::Spells, Key::Owner},
});

constexpr auto kFields = std::to_array<RulesField>({
    {"VelAlignmentInfo", "compatible", Ns::Alignment},
    {"VelClassInfo", "goodSaves", Ns::None, Ns::Save},
    {"VelClassInfo", "abilityPriority", Ns::Ability},
    {"VelClassInfo", "startingItem", Ns::Item},
    {"VelClassInfo", "proficiencies", Ns::None, Ns::Proficiency},
    {"VelClassInfo", "castingAbility", Ns::Ability},
    {"VelClassInfo", "portraitFile", Ns::None, Ns::None, -1, true},
    {"VelClassAlignmentInfo", "alignmentId", Ns::Alignment},
    {"VelClassFeatureInfo", "featureId", Ns::Feature},
    {"VelClassFeatureInfo", "value", Ns::FeatureValue},
    {"VelRaceInfo", "imageFile", Ns::None, Ns::None, -1, true},
    {"VelRaceInfo", "sizeId", Ns::Size},
    {"VelRaceInfo", "abilityAdjust", Ns::None, Ns::Ability},
    {"VelRaceInfo", "saveBonus", Ns::None, Ns::Save},
    {"VelRaceFeatureInfo", "raceId", Ns::Race},
    {"VelRaceSkillInfo", "skillId", Ns::Skill},
    {"VelNameInfo", "sex", Ns::Sex},
    {"VelNameInfo", "kind", Ns::NamePart},
    {"VelSkillInfo", "classKinds", Ns::SkillKind, Ns::Class},
    {"VelSkillInfo", "ability", Ns::Ability},
    {"VelFeatInfo", "choiceKind", Ns::FeatChoice},
    {"VelFeatDependInfo", "type", Ns::Prerequisite},
    {"VelFeatDependInfo", "ability", Ns::Ability},
    {"VelFeatDependInfo", "feat", Ns::Feat},
    {"VelFeatDependInfo", "skill", Ns::Skill},
    {"VelFeatureInfo", "name", Ns::None, Ns::None, 1},
    {"VelFeatureInfo", "kind", Ns::FeatureKind},
    {"VelFeatureInfo", "text", Ns::None, Ns::None, 2},
    {"VelSpokenLanguageInfo", "classId", Ns::Class},
    {"VelSpokenLanguageInfo", "raceId", Ns::Race},
    {"VelEnemyInfo", "raceId", Ns::Race},
    {"VelItemInfo", "iconFile", Ns::None, Ns::None, -1, true},
    {"VelProfWeaponInfo", "classId", Ns::Class},
    {"VelProfWeaponInfo", "raceId", Ns::Race},
    {"VelProfWeaponInfo", "minSize", Ns::Size},
    {"VelAnimalInfo", "iconFile", Ns::None, Ns::None, -1, true},
    {"VelAnimalInfo", "sizeId", Ns::Size},
    {"VelAnimalInfo", "goodSaves", Ns::None, Ns::Save},
    {"VelAnimalInfo", "abilities", Ns::None, Ns::Ability},
    {"VelAnimalSkillInfo", "skillId", Ns::Skill},
    {"VelAnimalFeatureInfo", "featureId", Ns::Feature},
    {"VelAnimalFeatureInfo", "value", Ns::FeatureValue},
    {"VelFamiliarFeatureInfo", "featureId", Ns::Feature},
    {"VelFamiliarFeatureInfo", "value", Ns::FeatureValue},
    {"VelSchoolInfo", "iconFile", Ns::None, Ns::None, -1, true},
    {"VelDomainInfo", "iconFile", Ns::None, Ns::None, -1, true},
    {"VelDomainInfo", "excludedDomain", Ns::Domain},
    {"VelDomainSkillInfo", "skillId", Ns::Skill},
    {"VelGodInfo", "iconFile", Ns::None, Ns::None, -1, true},
    {"VelGodInfo", "alignment", Ns::Alignment},
    {"VelGodInfo", "excludedAlignment", Ns::Alignment},
    {"VelGodDomainInfo", "domainId", Ns::Domain},
    {"VelGodRaceInfo", "raceId", Ns::Race},
    {"VelGodDomainFeatInfo", "domainId", Ns::Domain},
    {"VelGodDomainFeatInfo", "featId", Ns::Feat},
    {"VelSpellInfo", "schoolId", Ns::School},
    {"VelSpellLevelInfo", "classId", Ns::Class},
    {"VelSpellLevelInfo", "domainId", Ns::Domain},
});

constexpr auto kWords = std::to_array<RulesWord>({
    {Ns::Ability, "STR", 0},
    {Ns::Ability, "DEX", 1},
    {Ns::Ability, "CON", 2},
    {Ns::Ability, "INT", 3},
    {Ns::Ability, "WIS", 4},
    {Ns::Ability, "CHA", 5},
    {Ns::Save, "fortitude", 0},
    {Ns::Save, "reflex", 1},
    {Ns::Save, "will", 2},
    {Ns::Proficiency, "simpleWeapons", 0},
    {Ns::Proficiency, "martialWeapons", 1},
    {Ns::Proficiency, "lightArmor", 2},
    {Ns::Proficiency, "mediumArmor", 3},
    {Ns::Proficiency, "heavyArmor", 4},
    {Ns::Proficiency, "shields", 5},
    {Ns::SkillKind, "barred", 0},
    {Ns::SkillKind, "class", 1},
    {Ns::SkillKind, "cross", 2},
    {Ns::Prerequisite, "feat", 0},
    {Ns::Prerequisite, "skill", 1},
    {Ns::Prerequisite, "baseAttack", 2},
    {Ns::Prerequisite, "always", 3},
    {Ns::Prerequisite, "ability", 4},
    {Ns::Prerequisite, "casterLevel", 5},
    {Ns::Prerequisite, "priestOrHolyKnight", 6},
    {Ns::Prerequisite, "warriorLevel4", 7},
    {Ns::Prerequisite, "scholarCaster", 8},
    {Ns::Prerequisite, "totalLevel", 9},
    {Ns::FeatChoice, "none", 0},
    {Ns::FeatChoice, "item", 1},
    {Ns::FeatChoice, "skill", 2},
    {Ns::FeatChoice, "school", 3},
    {Ns::FeatureKind, "plain", 0},
    {Ns::FeatureKind, "grantsFeat", 1},
    {Ns::FeatureKind, "generalFeat", 2},
    {Ns::FeatureKind, "abilityModifier", 3},
    {Ns::FeatureKind, "item", 4},
    {Ns::FeatureKind, "enemy", 5},
    {Ns::Sex, "male", 0},
    {Ns::Sex, "female", 1},
    {Ns::Sex, "either", 2},
    {Ns::NamePart, "first", 0},
    {Ns::NamePart, "second", 1},
    {Ns::NamePart, "whole", 2},
});

using namespace VelIds;

constexpr auto kWellKnown = std::to_array<RulesWellKnown>({
    {Ns::Class, kClassBerserker, "berserker class"},
    {Ns::Class, kClassMinstrel, "minstrel class"},
    {Ns::Class, kClassPriest, "priest class"},
    {Ns::Class, kClassNaturePriest, "nature priest class"},
    {Ns::Class, kClassWarrior, "warrior class"},
    {Ns::Class, kClassMartialArtist, "martial artist class"},
    {Ns::Class, kClassHolyKnight, "holy knight class"},
    {Ns::Class, kClassTracker, "tracker class"},
    {Ns::Class, kClassSkirmisher, "skirmisher class"},
    {Ns::Class, kClassInnateCaster, "innate caster class"},
    {Ns::Class, kClassScholarCaster, "scholar caster class"},
    {Ns::Race, kRaceVersatile, "default race"},
    {Ns::Race, kRaceSmallRider, "race that rides one mount"},
    {Ns::Race, kRaceLightBlade, "race with light blades"},
    {Ns::Alignment, kAlignmentDefault, "default alignment"},
    {Ns::Size, kSizeSmall, "small size"},
    {Ns::Skill, kSkillHeading7, "skill with a heading"},
    {Ns::Skill, kSkillHeading22, "skill with a heading"},
    {Ns::Skill, kSkillHeading31, "skill with a heading"},
    {Ns::Skill, kSkillKeenSenseA, "keen-senses skill"},
    {Ns::Skill, kSkillKeenSenseB, "keen-senses skill"},
    {Ns::Skill, kSkillValue18, "familiar's skill"},
    {Ns::Skill, kSkillSpeakLanguage, "language skill"},
    {Ns::Skill, kSkillEncumbered, "skill hindered by weight"},
    {Ns::Skill, kSkillLiteracy, "literacy skill"},
    {Ns::Feat, kFeatKeenSenses, "keen-senses feat"},
    {Ns::Feat, kFeatOffHandTraining, "off-hand feat"},
    {Ns::Feat, kFeatLightArmorProficiency, "light armour feat"},
    {Ns::Feat, kFeatMediumArmorProficiency, "medium armour feat"},
    {Ns::Feat, kFeatHeavyArmorProficiency, "heavy armour feat"},
    {Ns::Feat, kFeatExoticWeaponProficiency, "exotic weapon feat"},
    {Ns::Feat, kFeatFortitudeBonus, "fortitude feat"},
    {Ns::Feat, kFeatWiderCritical, "critical range feat"},
    {Ns::Feat, kFeatInitiativeBonus, "initiative feat"},
    {Ns::Feat, kFeatWillBonus, "will feat"},
    {Ns::Feat, kFeatReflexBonus, "reflex feat"},
    {Ns::Feat, kFeatMartialWeaponProficiency, "martial weapon feat"},
    {Ns::Feat, kFeatLongRange, "range feat"},
    {Ns::Feat, kFeatShieldProficiency, "shield feat"},
    {Ns::Feat, kFeatSimpleWeaponProficiency, "simple weapon feat"},
    {Ns::Feat, kFeatSkillBonus, "skill feat"},
    {Ns::Feat, kFeatSchoolFocus, "school feat"},
    {Ns::Feat, kFeatExtraHitPoints, "hit point feat"},
    {Ns::Feat, kFeatTwoWeaponStyle, "two-weapon feat"},
    {Ns::Feat, kFeatTrackerStyle, "tracker's style feat"},
    {Ns::Feat, kFeatDexterousAttack, "dexterous attack feat"},
    {Ns::Feat, kFeatWeaponTraining, "weapon training feat"},
    {Ns::Feat, kFeatIntellectGrant, "intellect feat"},
    {Ns::Feat, kFeatWeaponMastery, "weapon mastery feat"},
    {Ns::Feature, kFeatureFamiliarSkill, "familiar's skill gift"},
    {Ns::Feature, kFeatureFamiliarFortitude, "familiar's fortitude gift"},
    {Ns::Feature, kFeatureFamiliarReflex, "familiar's reflex gift"},
    {Ns::Feature, kFeatureFamiliarConstitution, "familiar's constitution gift"},
    {Ns::Feature, kFeatureProficiencyNames + 0, "name of the simple weapons proficiency"},
    {Ns::Feature, kFeatureProficiencyNames + 1, "name of the martial weapons proficiency"},
    {Ns::Feature, kFeatureProficiencyNames + 2, "name of the light armour proficiency"},
    {Ns::Feature, kFeatureProficiencyNames + 3, "name of the medium armour proficiency"},
    {Ns::Feature, kFeatureProficiencyNames + 4, "name of the heavy armour proficiency"},
    {Ns::Feature, kFeatureProficiencyNames + 5, "name of the shields proficiency"},
    {Ns::Item, kItemUnarmedStrike, "unarmed strike"},
    {Ns::Item, kItemSpellbook, "spellbook"},
    {Ns::Item, kItemRapier, "rapier"},
    {Ns::Item, kItemMithralRapier, "mithral rapier"},
    {Ns::Item, kItemSpikedChain, "spiked chain"},
    {Ns::Animal, kAnimalSmallRiderMount, "mount of the race that rides one"},
    {Ns::School, kSchoolUniversal, "school that no one gives up"},
    {Ns::God, kGodAnyDomain, "god of every domain"},
});

constexpr auto kItemClasses = std::to_array<RulesItemClass>({
    {"weapon", "VelWeaponInfo"},
    {"armor", "VelArmorInfo"},
    {"shield", "VelShieldInfo"},
    {"goods", "VelGoodsInfo"},
    {"magic", "VelMagicItemInfo"},
});

struct NsInfo
{
    Ns ns;
    const char* name;
};

constexpr auto kNsNames = std::to_array<NsInfo>({
    {Ns::None, "number"},
    {Ns::Class, "class"},
    {Ns::Race, "race"},
    {Ns::Alignment, "alignment"},
    {Ns::Size, "size"},
    {Ns::Skill, "skill"},
    {Ns::Feat, "feat"},
    {Ns::Feature, "feature"},
    {Ns::Language, "language"},
    {Ns::Enemy, "enemy"},
    {Ns::Item, "item"},
    {Ns::Animal, "animal"},
    {Ns::God, "god"},
    {Ns::Domain, "domain"},
    {Ns::School, "school"},
    {Ns::Spell, "spell"},
    {Ns::Ability, "ability"},
    {Ns::Save, "saving throw"},
    {Ns::Proficiency, "proficiency"},
    {Ns::SkillKind, "skill kind"},
    {Ns::Prerequisite, "prerequisite type"},
    {Ns::FeatChoice, "feat choice"},
    {Ns::FeatureKind, "feature kind"},
    {Ns::Sex, "sex"},
    {Ns::NamePart, "name part"},
    {Ns::FeatureValue, "feature value"},
});
} // namespace

namespace RulesSchema
{
std::span<const RulesTable> Tables()
{
    return kTables;
}
std::span<const RulesField> Fields()
{
    return kFields;
}
std::span<const RulesWord> Words()
{
    return kWords;
}
std::span<const RulesWellKnown> WellKnownIds()
{
    return kWellKnown;
}
std::span<const RulesItemClass> ItemClasses()
{
    return kItemClasses;
}

const RulesField* FindField(std::string_view className, std::string_view field)
{
    for (const RulesField& rule : kFields)
    {
        if (className == rule.className && field == rule.field)
        {
            return &rule;
        }
    }
    return nullptr;
}

const RulesTable* TableOf(RulesNs ns)
{
    for (const RulesTable& table : kTables)
    {
        if (table.ns == ns && ns != Ns::None)
        {
            return &table;
        }
    }
    return nullptr;
}

bool IsWordSpace(RulesNs ns)
{
    return ns >= Ns::Ability && ns != Ns::FeatureValue;
}

const char* NsName(RulesNs ns)
{
    for (const NsInfo& info : kNsNames)
    {
        if (info.ns == ns)
        {
            return info.name;
        }
    }
    return "value";
}

const char* OutputFileName(RulesOutput output)
{
    switch (output)
    {
    case Out::Database:
        return "Database.bin";
    case Out::Animals:
        return "AnimalDB.bin";
    case Out::Equipment:
        return "EquipDB.bin";
    case Out::Spells:
        return "SpellDB.bin";
    }
    return "";
}
} // namespace RulesSchema
