#include "Vel/Rules/VelPageRules.h"

#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelAnimalAttackInfo.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSizeInfo.h"
#include "support/DbFixture.h"
#include "support/MakeRecord.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

namespace
{
constexpr std::uint16_t kClass = 4;
constexpr std::uint16_t kWolf = 20;
constexpr std::uint16_t kCamel = 21, kCrocodile = 22; // a lone attack at half STR; a later one at 1.5
constexpr std::uint16_t kLarge = 5;

bool LoadRules(DbFixture& db)
{
    db.Section(VelDatabase::kTagClass)
        .Add(kClass, MakeRecord<VelClassInfo>([](auto& r)
                                              {
                                                  r.name = "Warden";
                                                  r.portraitFile = "class_warden.jpg";
                                              }));
    db.Section(VelDatabase::kTagSize).Add(kLarge, MakeRecord<VelSizeInfo>([](auto& r) { r.sizeModifier = -1; }));
    db.Section(VelDatabase::kTagAnimal).Add(kWolf, MakeRecord<VelAnimalInfo>([](auto& r) { r.sizeId = kLarge; }));
    db.Section(VelDatabase::kTagAnimalAttack)
        .Add(kWolf, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.name = "Bite"; }))
        .Add(kCamel, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.name = "Bite", r.strengthFactor = 0.5f; }))
        .Add(kCrocodile, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.name = "Bite"; }))
        .Add(kCrocodile, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.attackIndex = 1, r.name = "Tail", r.strengthFactor = 1.5f; }))
        .Add(kWolf, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.attackIndex = 1, r.name = "Claw", r.strengthFactor = 0.5f; }));
    return db.Load();
}

TEST(PageRulesTest, ClassCaptionIsTheNameTheCharacterHolds)
{
    QuietLog quiet;
    DbFixture db;
    ASSERT_TRUE(LoadRules(db));
    VelCharacter hero;
    std::string image;
    std::string caption;
    EXPECT_FALSE(GetClassPortraitName(&hero, 9, image, caption));
    EXPECT_TRUE(caption.empty());
    EXPECT_TRUE(GetClassPortraitName(&hero, kClass, image, caption));
    EXPECT_EQ(caption, "Warden") << "a class the character lacks reads as its record";
    hero.AddClass(kClass)->formerMember = 1;
    hero.sex = 1;
    EXPECT_TRUE(GetClassPortraitName(&hero, kClass, image, caption));
    EXPECT_EQ(caption, "Ex-Warden");
    EXPECT_EQ(image, "X-class_warden_F.jpg");
}

TEST(PageRulesTest, AnimalAttackBonusesFollowBaseAttackStrengthAndSize)
{
    QuietLog quiet;
    DbFixture db;
    ASSERT_TRUE(LoadRules(db));
    struct Case
    {
        std::int32_t baseAttack;
        std::uint16_t strength, dexterity, kind;
        bool onePerLine;
        const char* text;
        std::uint16_t animal = kWolf;
    };
    constexpr std::uint16_t kFamiliar = VelCharacterAnimal::kFamiliar, kOther = VelCharacterAnimal::kCompanion;
    const Case cases[] = {
        {2, 14, 10, kOther, false, "Bite +3 Claw -2"}, // 2 + 2 - 1; the lesser claw 5 lower
        {7, 10, 10, kOther, true, "Bite +6\nClaw +1"}, // natural attacks never repeat
        {1, 4, 10, kOther, false, "Bite -3 Claw -8"},
        {2, 6, 16, kOther, false, "Bite -1 Claw -6"},    // STR alone
        {2, 6, 16, kFamiliar, false, "Bite +4 Claw -1"}, // the better of STR and DEX
        {2, 14, 10, kOther, false, "Bite -1", kCamel},   // lesser even as its only attack
        {2, 14, 10, kOther, false, "Bite +4 Tail +4", kCrocodile}, // nor one above half STR
    };
    for (const Case& c : cases)
    {
        VelCharacterAnimal wolf(c.animal, 3);
        wolf.kind = c.kind;
        wolf.stats[VelEntity::kBaseAttack] = c.baseAttack;
        wolf.abilities[VelEntity::kStr] = c.strength;
        wolf.abilities[VelEntity::kDex] = c.dexterity;
        EXPECT_EQ(FormatAnimalAttackBonuses(&wolf, c.onePerLine), c.text);
    }
    EXPECT_EQ(FormatAnimalAttackBonuses(nullptr, false), "");
}
} // namespace
