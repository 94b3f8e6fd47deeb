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
        .Add(kWolf, MakeRecord<VelAnimalAttackInfo>([](auto& r) { r.attackIndex = 1, r.name = "Claw"; }));
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
        std::uint16_t strength;
        bool onePerLine;
        const char* text;
    };
    const Case cases[] = {
        {2, 14, false, "Bite +3 Claw +3"},       // 2 + 2 - 1
        {7, 10, true, "Bite +6/+1\nClaw +6/+1"}, // a second attack from 6 up
        {1, 4, false, "Bite -3 Claw -3"},
    };
    for (const Case& c : cases)
    {
        VelCharacterAnimal wolf(kWolf, 3);
        wolf.stats[VelEntity::kBaseAttack] = c.baseAttack;
        wolf.abilities[VelEntity::kStr] = c.strength;
        EXPECT_EQ(FormatAnimalAttackBonuses(&wolf, c.onePerLine), c.text);
    }
    EXPECT_EQ(FormatAnimalAttackBonuses(nullptr, false), "");
}
} // namespace
