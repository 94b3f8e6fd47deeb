#pragma once

#include "Vel/Db/VelIds.h"
#include "support/DbFixture.h"

#include <cstdint>

// A rules database with every table that the set-up and the limit checks
// read, for all eleven classes and twenty levels, loaded for the lifetime of
// the object. The counts of the large tables are the caller's, so that the
// benchmark can load realistic sizes and a test small ones. With
// withoutExtras, one record of each kind a character refers to is left out
// (the k...Extra ids), as in a missing or older database file.
struct RulesFixtureSizes
{
    int skills = 6;
    int feats = 6;
    int spells = 12;
    int goods = 6;
    int languages = 3;
};

class RulesFixture
{
public:
    using Sizes = RulesFixtureSizes;

    static constexpr std::uint16_t kRace = 2;
    static constexpr std::uint16_t kSize = 4;
    static constexpr std::uint16_t kSword = 1; // class 4's starting item, 10 of coin 2
    static constexpr std::uint32_t kSwordPrice = 10;
    static constexpr std::uint16_t kFirstSkill = 50;
    static constexpr std::uint16_t kFirstFeat = 100;
    static constexpr std::uint16_t kFirstSpell = 1000;
    static constexpr std::uint16_t kFirstGoods = 200;
    static constexpr std::uint16_t kFirstLanguage = 1; // spoken by the race
    static constexpr std::uint16_t kCat = 10;          // a familiar
    static constexpr std::uint16_t kHawk = 11;         // a companion
    // The spells, school and animal pages. LoadMagicSchools puts school 0
    // (Universal) and two schools of each ranking 1 to 3 (1 and 2, 3 and 4,
    // 5 and 6) in place of the three at kFirstSchool. Each of those seven has
    // one spell of each level 0 to 4 for classes 1, 2 and 9 (the spell book
    // reads class 9's levels), id kFirstSchoolSpell + 10 x school + level;
    // the fire school's spells of levels 1 to 4 are also those of the sky
    // domain (kDomainSky).
    static constexpr std::uint16_t kSchoolCount = 7;
    static constexpr std::uint16_t kFirstSchoolSpell = 3000;
    static constexpr std::uint16_t kFireSchool = 5;
    static constexpr std::uint16_t kSpellBookSpell = 3100; // level 2 for class 10 alone
    static constexpr std::uint16_t kDomainSpell = 3101;    // level 3 of the sky domain alone
    static constexpr std::uint16_t kWarhorse = 12; // a mount one size above the race
    static constexpr std::uint16_t kWolf = 13;     // a companion of 2.5 hit dice
    static constexpr std::uint16_t kPony = 46;     // the small rider's mount, the race's own size
    static constexpr std::uint16_t kFirstAnimalFeature = 30;
    // Left out with withoutExtras.
    static constexpr std::uint16_t kSkillExtra = 49;
    static constexpr std::uint16_t kFeatExtra = 99;
    static constexpr std::uint16_t kSpellExtra = 999;
    static constexpr std::uint16_t kItemExtra = 199;
    static constexpr std::uint16_t kLanguageExtra = 49;
    static constexpr std::uint16_t kAnimalExtra = 49;
    static constexpr std::uint16_t kFeatureExtra = 49;
    static constexpr std::uint16_t kGodExtra = 49;

    // Skills with sub-skills, the targets of feats and the feats taken for
    // them (what the skills and feats pages and the target dialog need).
    static constexpr std::uint16_t kCraftSkill = 7;    // sub-skills 0 and 1, a class skill
    static constexpr std::uint16_t kLanguageSkill = 37; // sub-skills = language ids
    static constexpr std::uint16_t kUnspokenTongue = 60; // a sub-skill of 37 without a language
    static constexpr std::uint16_t kAxe = 20;       // martial
    static constexpr std::uint16_t kMaul = 21;      // martial, too large for the race
    static constexpr std::uint16_t kChainWhip = 22; // exotic
    static constexpr std::uint16_t kBlowgun = 23;   // exotic, barred to class 3
    static constexpr std::uint16_t kKnife = 24;     // simple and light
    static constexpr std::uint16_t kSling = 25;     // simple, light and ranged
    static constexpr std::uint16_t kNet = 26;       // martial, never a feat's target
    static constexpr std::uint16_t kLongblade = 30; // martial, the longsword's id
    static constexpr std::uint16_t kRapier = VelIds::kItemRapier; // martial, one-handed
    static constexpr std::uint16_t kFirstSchool = 1; // schools 1 to 3
    static constexpr std::uint16_t kSturdyFeat = 37; // needs CON 15

    // Languages 2 and 3 may be chosen by the fixture race; the hidden one
    // is never offered (its exclusion flag is set).
    static constexpr std::uint16_t kHiddenLanguage = 48;

    // Special-ability choices (class-feature rows of level 100) of classes
    // 1, 7 and 8: class 7 chooses enemies, class 1 weapons (the sword, in
    // which every class is trained, and the chain whip) and a plain knack,
    // class 8 a general feat, the knack and an INT-following study.
    static constexpr std::uint16_t kFeatureEnemy = 20;     // kind 5, group 14
    static constexpr std::uint16_t kFeatureWeapon = 21;    // kind 4, group 15
    static constexpr std::uint16_t kFeatureExtraFeat = 22; // kind 2: one more general feat
    static constexpr std::uint16_t kFeatureKnack = 23;
    static constexpr std::uint16_t kFeatureStudy = 24;     // kind 3: "(3 + CHA modifier)"
    static constexpr std::uint16_t kEnemy = 1;             // open to every race
    static constexpr std::uint16_t kKinEnemy = 2;          // the fixture race's own kind
    static constexpr std::uint16_t kOtherEnemy = 3;
    // Gods and domains. Sun holds Sky and Light, Storm Sky, Earth and Dark,
    // Shade (closed to the default alignment 9) Earth and Order. Light and
    // Dark shut each other out; Order needs an alignment bit 9 lacks.
    static constexpr std::uint16_t kGodOfAll = 0;
    static constexpr std::uint16_t kGodSun = 1;
    static constexpr std::uint16_t kGodStorm = 2;
    static constexpr std::uint16_t kGodShade = 3;
    static constexpr std::uint16_t kDomainSky = 1;
    static constexpr std::uint16_t kDomainEarth = 2;
    static constexpr std::uint16_t kDomainLight = 3;
    static constexpr std::uint16_t kDomainDark = 4;
    static constexpr std::uint16_t kDomainOrder = 5;
    // The icons the god and domain records name, under "\Icons\".
    // No shipped picture has these names: a test supplies what it wants.
    static constexpr const char* kSunIcon = "fixture_sun.jpg";
    static constexpr const char* kSkyIcon = "fixture_sky.jpg";

    explicit RulesFixture(const Sizes& sizes = Sizes(), bool withoutExtras = false);
    // False when the database did not load.
    bool IsLoaded() const { return loaded; }
    // The seven schools of the magic pages over the loaded tables; false when
    // they did not load.
    static bool LoadMagicSchools();

private:
    DbFixture db;
    bool loaded = false;
};
