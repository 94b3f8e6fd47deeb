#include "Vel/Rules/VelSetupRules.h"
#include "Fc/Core/FCRandom.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Character/VelCharacterItem.h"
#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelClassFeatureInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelEquipRules.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelPhysicalRules.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace
{
using F = RulesFixture;
using E = VelEntity;
using Bytes = std::vector<std::uint8_t>;

bool HasLevelZeroSpell(const VelCharacter& c)
{
    return c.HasSpell(F::kFirstSpell, VelIds::kClassScholarCaster);
}

// A new first-level character of the class through the whole set-up.
Owned<VelCharacter> NewCharacter(std::uint16_t classId)
{
    Owned<VelCharacter> c(new VelCharacter());
    c->raceId = F::kRace;
    c->AddClass(classId);
    FinishCharacterSetup(c.get(), true);
    return c;
}

TEST(SetupRulesTest, NewFirstLevelCharacterIsRolledPaidAndComputed)
{
    QuietLog quiet;
    RulesFixture rules;
    ASSERT_TRUE(rules.IsLoaded());
    struct Case
    {
        std::uint16_t classId;
        std::uint16_t hitDie;
        std::uint32_t itemsPrice; // starting items, in coin 2
        std::uint32_t itemCount;
    };
    const std::vector<Case> cases = {{4, 4, F::kSwordPrice, 1}, {2, 8, 0, 0}, {10, 8, 15, 1}};
    for (const Case& k : cases)
    {
        SCOPED_TRACE(k.classId);
        FCRandom::GetGlobal().Seed(11);
        Owned<VelCharacter> c = NewCharacter(k.classId);
        for (std::size_t a = 0; a < E::kAbilityCount; ++a)
        {
            EXPECT_GE(c->abilities[a], 3);
            EXPECT_EQ(c->abilities[a], c->baseAbilities[a]); // no racial adjustments
        }
        EXPECT_EQ(c->values[VelCharacter::kValueSetUpAsNew], 1u);
        std::int32_t low = 0;
        std::int32_t high = 0;
        ASSERT_TRUE(GetHeightRange(c.get(), low, high));
        EXPECT_GE(static_cast<std::int32_t>(c->values[VelCharacter::kValueHeight]), low);
        EXPECT_LE(static_cast<std::int32_t>(c->values[VelCharacter::kValueHeight]), high);
        ASSERT_TRUE(GetAgeRange(c.get(), low, high));
        EXPECT_GE(static_cast<std::int32_t>(c->values[VelCharacter::kValueAge]), 15);

        // 4d4 x 10 of coin 2, set before the starting items are bought from it.
        EXPECT_GE(c->startingMoney, 40u);
        EXPECT_LE(c->startingMoney, 160u);
        EXPECT_EQ(c->money.coins[2], static_cast<std::int32_t>(c->startingMoney - k.itemsPrice));
        EXPECT_EQ(c->items.GetCount(), k.itemCount);
        EXPECT_EQ(c->ownedItemsValue.coins[2], static_cast<std::int32_t>(k.itemsPrice));
        EXPECT_EQ(c->equipSets.GetCount(), 1u);

        // The first level takes the full die.
        EXPECT_EQ(c->GetHitDieRoll(1), k.hitDie);
        const std::int32_t con = c->abilities[E::kCon] / 2 - 5;
        EXPECT_EQ(c->stats[E::kHitPoints], std::max(1, k.hitDie + con));
        EXPECT_EQ(c->values[VelCharacter::kValueExperience], 0u);
        EXPECT_NE(c->FindLanguage(F::kFirstLanguage), nullptr);
        EXPECT_EQ(c->features.GetCount(), 1u); // the level-1 feature of every class
        EXPECT_FALSE(c->HasClassMark(k.classId));
        EXPECT_EQ(HasLevelZeroSpell(*c), k.classId == VelIds::kClassScholarCaster);
    }
}

TEST(SetupRulesTest, ExistingCharacterGainingLevelsKeepsWhatItHad)
{
    QuietLog quiet;
    RulesFixture rules;
    ASSERT_TRUE(rules.IsLoaded());
    FCRandom::GetGlobal().Seed(5);
    Owned<VelCharacter> c = NewCharacter(4);
    const auto abilities = c->abilities;
    const auto baseAbilities = c->baseAbilities;
    const VelCoins money = c->money;
    const std::array<std::uint32_t, 3> body = {c->values[1], c->values[2], c->values[3]};
    const std::uint16_t firstRoll = c->GetHitDieRoll(1);
    const std::uint32_t increases = c->values[VelCharacter::kValueIncreasesToAssign];

    c->CommitClassLevels();
    c->FindClass(4)->level = 3;
    c->AddClass(10);
    FinishCharacterSetup(c.get(), false);

    EXPECT_EQ(c->abilities, abilities);
    EXPECT_EQ(c->baseAbilities, baseAbilities);
    EXPECT_EQ(c->money, money);
    EXPECT_EQ((std::array<std::uint32_t, 3>{c->values[1], c->values[2], c->values[3]}), body);
    EXPECT_EQ(c->equipSets.GetCount(), 1u);
    EXPECT_EQ(c->items.GetCount(), 1u); // no spellbook for a class added later
    EXPECT_EQ(c->GetHitDieRoll(1), firstRoll);
    for (std::int16_t level = 2; level <= 4; ++level)
    {
        const std::uint16_t die = level <= 3 ? 4 : 8;
        EXPECT_GE(c->GetHitDieRoll(level), 1);
        EXPECT_LE(c->GetHitDieRoll(level), die);
    }
    EXPECT_EQ(c->values[VelCharacter::kValueExperience], 6000u);
    EXPECT_EQ(c->startingMoney, 4u * 4u * 500u); // the wealth of level 4
    EXPECT_EQ(c->values[VelCharacter::kValueIncreasesToAssign], increases + 1);
    EXPECT_EQ(c->stats[E::kBaseAttack], 2 + 0); // column 1 of levels 3 and 1
    EXPECT_TRUE(HasLevelZeroSpell(*c));
    EXPECT_FALSE(c->HasClassMark(10));
}

// The character of the round trip: every kind of entry, one of each kind
// pointing at a record that the reduced database lacks.
Owned<VelCharacter> CharacterWithExtras()
{
    FCRandom::GetGlobal().Seed(3);
    Owned<VelCharacter> c = NewCharacter(10);
    c->CommitClassLevels();
    c->AddClass(4);
    FinishCharacterSetup(c.get(), false);
    for (std::uint16_t skillId : {F::kFirstSkill, F::kSkillExtra})
    {
        Owned<VelCharacterSkill> skill(
            new VelCharacterSkill(skillId, VelCharacterSkill::kNoSubSkill));
        skill->SetRanks(10, VelCharacterSkill::kClassRanks, 1.0f);
        c->AddSkill(skill.get());
    }
    c->InsertFeat(
        Owned<VelCharacterFeat>(new VelCharacterFeat(F::kFeatExtra, 0xFFFF, 0xFFFF, 10)).get());
    c->AddSpell(Owned<VelCharacterSpell>(new VelCharacterSpell(F::kSpellExtra, 10)).get());
    c->AddLanguage(Owned<VelCharacterLanguage>(new VelCharacterLanguage(F::kLanguageExtra)).get());
    Owned<VelCharacterAnimal> hawk(new VelCharacterAnimal(F::kAnimalExtra, 10));
    hawk->kind = VelCharacterAnimal::kCompanion;
    c->AddAnimal(hawk.get());
    VelCharacterItem* goods = BuyItem(c.get(), VelDatabase::FindItem(F::kItemExtra), 0, 0, 0, true);
    EquipItem(c.get(), goods, true);
    VelClassFeatureInfo row;
    row.key = 10;
    row.featureId = F::kFeatureExtra;
    c->AddClassFeature(row);
    c->godId = F::kGodExtra;
    return c;
}

// Loads, computes as the set-up does for no new levels, and checks limits.
std::uint32_t Recompute(VelCharacter& c)
{
    c.CommitClassLevels();
    FinishCharacterSetup(&c, false);
    return CheckCharacterLimits(&c, 0, true);
}

TEST(SetupRulesTest, CharacterWithMissingRecordsComputesAndSavesBackUnchanged)
{
    QuietLog quiet;
    TempFolder folder;
    const std::string path = folder.Join("extras.cg3");
    Bytes saved;
    std::uint32_t flags = 0;
    {
        RulesFixture rules;
        ASSERT_TRUE(rules.IsLoaded());
        Owned<VelCharacter> c = CharacterWithExtras();
        flags = Recompute(*c);
        ASSERT_TRUE(VelCharacterFile::Save(*c, path));
        saved = folder.ReadFile("extras.cg3");
    }
    RulesFixture reduced(RulesFixture::Sizes(), true);
    ASSERT_TRUE(reduced.IsLoaded());
    Owned<VelCharacter> loaded(VelCharacterFile::Load(path));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Recompute(*loaded), flags);
    ASSERT_TRUE(VelCharacterFile::Save(*loaded, path));
    EXPECT_EQ(folder.ReadFile("extras.cg3"), saved);
}
} // namespace
