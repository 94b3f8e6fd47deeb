// The ability roller over the built layout and interface content, driven
// by pointer clicks and drags, with a fixture rule set and an owner that
// lets go of the dialog when it hears that it closed.

#include "Fc/Core/FCRandom.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFamiliarFeatureInfo.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Rules/VelAbilityRules.h"
#include "Vel/Rules/VelCompanionRules.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIWin_Roller.h"
#include "support/Owned.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace
{
using R = Vel_UIWin_Roller;
struct Point
{
    std::int32_t x, y;
};
// Screen centres: the dialog sits at (160, 80).
constexpr Point kRoll{232, 280};
constexpr Point kReset{448, 488};
constexpr Point kOk{568, 488};
constexpr Point kClose{612, 108};
constexpr Point kIncrease{496, 440};
Point Row(int i) { return {488, 192 + 40 * i}; }
Point Token(int i) { return {604, 192 + 40 * i}; }
Point Method(int m) { return {264, 188 + 24 * m}; }

// Lets go of the dialog as soon as it reports that it closed.
class Owner : public FCObject
{
public:
    void HandleMessage(std::int16_t id, void* data) override
    {
        codes.push_back(id);
        const auto* event = static_cast<const UIEvent*>(data);
        if (id == UIMessage::kResultClosed && event && event->sender == dialog)
        {
            dialog->Release();
            dialog = nullptr;
        }
    }
    std::vector<std::int16_t> codes;
    R* dialog = nullptr;
};

class RollerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rules.IsLoaded());
        VelDatabase::FindRace(RulesFixture::kRace)->abilityAdjust = {0, 2, 0, 0, -2, 0};
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("UI");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        hero = VelClient::CreateCharacter();
        hero->raceId = RulesFixture::kRace;
        hero->AddClass(0)->level = 5;
        FinishCharacterSetup(hero, true);
        hero->hitPointBonus = 4;
        VelClient::SetCurrentCharacter(hero);
    }
    void TearDown() override
    {
        if (owner.dialog)
        {
            owner.dialog->Close(0);
            owner.dialog->Release();
        }
        VelClient::SetCurrentCharacter(nullptr);
        hero->Release();
    }

    R* Open(std::uint16_t method)
    {
        hero->abilityMethod = method;
        owner.dialog = UIWindow::CreateFromFileAs<R>("velRoller.ui", &owner);
        if (owner.dialog)
            owner.dialog->Show(0, &owner);
        ui.Update();
        return owner.dialog;
    }
    void Click(Point p)
    {
        ui.Click(p.x, p.y);
        ui.Update();
    }
    void Drag(Point from, Point to)
    {
        ui.Press(from.x, from.y);
        ui.Move(from.x + 20, from.y);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    std::int16_t RowValue(int i) const
    {
        auto* row = dynamic_cast<UINumberScroll*>(owner.dialog->FindDescendant(
            static_cast<std::uint16_t>(R::kFirstRowId + i)));
        return row ? row->GetValueField()->GetShort() : -99;
    }
    std::int16_t Number(std::uint16_t id) const
    {
        UIControl* control = owner.dialog->FindDescendant(id);
        if (auto* scroll = dynamic_cast<UINumberScroll*>(control))
            return scroll->GetValueField()->GetShort();
        auto* text = dynamic_cast<UITextControl*>(control);
        return text ? text->GetShort() : -99;
    }
    bool Enabled(std::uint16_t id) const { return owner.dialog->FindDescendant(id)->IsEnabled(); }
    void Shoot(const char* name)
    {
        ui.Frame();
        ui.SavePng(std::string(STAVELORN_BINARY_DIR) + "/" + name);
    }

    QuietLog quiet;
    RulesFixture rules;
    UiHarness ui;
    VelSettings settings;
    VelCharacter* hero = nullptr;
    Owner owner;
};

TEST_F(RollerTest, SeededRollsGoByPriorityAndPlacingAllSixEnablesOk)
{
    ASSERT_NE(Open(R::kModeRoll), nullptr);
    const std::uint32_t count = hero->values[VelCharacter::kValueSetUpAsNew];
    FCRandom::GetGlobal().Seed(7);
    Click(kRoll);
    std::vector<std::uint16_t> rolls = owner.dialog->GetRolls();
    ASSERT_EQ(rolls.size(), 6u);
    EXPECT_TRUE(std::is_sorted(rolls.begin(), rolls.end()));
    // Class 0 ranks STR, CON, DEX, WIS, INT, CHA.
    constexpr int kPriority[] = {0, 2, 1, 4, 3, 5};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(Number(static_cast<std::uint16_t>(R::kFirstTokenId + kPriority[k])), rolls[5 - k]);
    EXPECT_EQ(hero->values[VelCharacter::kValueSetUpAsNew], count + 1);
    EXPECT_EQ(Number(R::kRollCountId), static_cast<std::int16_t>(count + 1));
    EXPECT_EQ(hero->hitPointBonus, 0) << "a new roll clears the bonus";
    Click(kReset);
    EXPECT_EQ(owner.dialog->GetRolls(), rolls) << "reset lays the same values out";
    EXPECT_EQ(hero->values[VelCharacter::kValueSetUpAsNew], count + 1);
    Shoot("roller-rolled.png");

    for (int i = 0; i < 6; ++i)
    {
        EXPECT_FALSE(Enabled(R::kSecondControlId));
        Drag(Token(i), Row(i));
    }
    EXPECT_EQ(owner.dialog->GetPlacedCount(), 6);
    EXPECT_TRUE(Enabled(R::kSecondControlId));
    Drag(Token(0), Row(1));
    EXPECT_EQ(RowValue(1), Number(R::kFirstTokenId + 1) + 2) << "DEX holds its token plus 2";
    std::array<std::int16_t, 6> shown{};
    for (int i = 0; i < 6; ++i)
        shown[static_cast<std::size_t>(i)] = RowValue(i);
    Click(kOk);
    EXPECT_EQ(owner.dialog, nullptr) << "closed and let go in its own handler";
    ASSERT_EQ(owner.codes, std::vector<std::int16_t>{UIMessage::kResultClosed});
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(hero->abilities[static_cast<std::size_t>(i)], shown[static_cast<std::size_t>(i)]);
    EXPECT_EQ(hero->baseAbilities[1], shown[1] - 2);
    EXPECT_EQ(hero->stats[VelEntity::kHitPoints], ComputeHitPoints(hero, -1));
    EXPECT_EQ(settings.runFlags & (R::kHintRoll | R::kHintPointBuy | R::kHintFixed),
              R::kHintRoll | R::kHintPointBuy | R::kHintFixed);
}

TEST_F(RollerTest, FixedArrayAndPointBuyBudget)
{
    ASSERT_NE(Open(R::kModeFixed), nullptr);
    EXPECT_EQ(owner.dialog->GetMode(), R::kModeFixed);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Number(static_cast<std::uint16_t>(R::kFirstTokenId + i)), R::kFixedArray[static_cast<std::size_t>(i)]);
    EXPECT_EQ(owner.dialog->FindDescendant(R::kAverageBoxId)->GetState(), R::kTicked);
    Drag(Token(1), Row(1));
    EXPECT_EQ(RowValue(1), 16) << "14 on a +2 ability";
    EXPECT_EQ(settings.runFlags & R::kHintFixed, R::kHintFixed);

    Click(Method(R::kModePointBuy));
    ASSERT_EQ(owner.dialog->GetMode(), R::kModePointBuy);
    EXPECT_EQ(Number(R::kBudgetId), 25);
    EXPECT_EQ(RowValue(1), 10) << "8 plus the adjustment";
    EXPECT_TRUE(Enabled(R::kSecondControlId));
    auto* str = dynamic_cast<UINumberScroll*>(owner.dialog->FindDescendant(R::kFirstRowId));
    ASSERT_NE(str, nullptr);
    const Point up{str->GetIncreaseButton()->GetScreenRect().left + 4,
                   str->GetIncreaseButton()->GetScreenRect().top + 4};
    for (int step = 0; step < 6; ++step)
        Click(up);
    EXPECT_EQ(RowValue(0), 14);
    EXPECT_EQ(Number(R::kBudgetId), 19);
    Click(up);
    EXPECT_EQ(Number(R::kBudgetId), 17) << "14 to 15 costs 2";
    EXPECT_EQ(Number(R::kPointsId), 8);
    for (int step = 0; step < 3; ++step)
        Click(up);
    EXPECT_EQ(RowValue(0), 18);
    EXPECT_GE(Number(R::kBudgetId), 0);
    EXPECT_FALSE(str->GetIncreaseButton()->IsEnabled()) << "a base of 18 stops";
    Shoot("roller-pointbuy.png");
}

TEST_F(RollerTest, TheRollCountStandsOnlyBesideTheRollButton)
{
    struct Case
    {
        std::uint16_t method;
        bool increases;
        bool rolling;
    };
    const Case cases[] = {
        {R::kModeRoll, false, true},
        {R::kModePointBuy, false, false},
        {R::kModeFixed, false, false},
        {R::kModeRoll, true, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.method << (c.increases ? " then increases" : ""));
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, c.increases ? 1 : 0);
        ASSERT_NE(Open(c.method), nullptr);
        if (c.increases)
            owner.dialog->StartIncreases(true);
        ui.Update();
        EXPECT_EQ(owner.dialog->FindDescendant(R::kRollButtonId)->IsVisible(), c.rolling);
        EXPECT_EQ(owner.dialog->FindDescendant(R::kRollCountId)->IsVisible(), c.rolling);
        if (c.increases)
            Shoot("roller-increases-mode.png");
        Click(kClose);
        ASSERT_EQ(owner.dialog, nullptr);
    }
}

TEST_F(RollerTest, NewScoresOfferTheIncreasesPlacedBeforeAgain)
{
    struct Case
    {
        const char* name;
        std::uint16_t opened;
        std::int16_t switchedTo; // -1: the method it opened with
        bool roll;
    };
    const Case cases[] = {
        {"rolled again", R::kModeRoll, -1, true},
        {"fixed array", R::kModeFixed, -1, false},
        {"point buy", R::kModePointBuy, -1, false},
        {"from rolling to the fixed array", R::kModeRoll, R::kModeFixed, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        // One increase spent on INT before, one still to spend.
        hero->abilityIncreases = {0, 0, 0, 1, 0, 0};
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, 1);
        ASSERT_NE(Open(c.opened), nullptr);
        if (c.switchedTo >= 0)
            Click(Method(c.switchedTo));
        if (c.roll)
        {
            FCRandom::GetGlobal().Seed(5);
            Click(kRoll);
        }
        if (owner.dialog->GetMode() != R::kModePointBuy)
            for (int i = 0; i < 6; ++i)
                Drag(Token(i), Row(i));
        EXPECT_EQ(Number(R::kIncreaseTokenId), 2);
        if (c.opened == R::kModeFixed)
            Shoot("roller-increases-offered.png");
        const std::int16_t str = RowValue(0);
        Drag(kIncrease, Row(0));
        Drag(kIncrease, Row(0));
        EXPECT_EQ(RowValue(0), str + 2);
        EXPECT_EQ(Number(R::kIncreaseTokenId), 0);
        Click(kOk);
        ASSERT_EQ(owner.dialog, nullptr);
        EXPECT_EQ(hero->abilityIncreases, (std::array<std::uint16_t, 6>{2, 0, 0, 0, 0, 0}));
        EXPECT_EQ(hero->values[VelCharacter::kValueIncreasesToAssign], 0u);
        EXPECT_EQ(hero->abilities[0], str + 2);
        EXPECT_EQ(hero->baseAbilities[0], str);
    }
}

TEST_F(RollerTest, TheIncreasesModeOffersOnlyWhatIsLeft)
{
    hero->abilityIncreases = {0, 0, 0, 1, 0, 0};
    hero->SetValue(VelCharacter::kValueIncreasesToAssign, 0);
    ASSERT_NE(Open(R::kModePointBuy), nullptr);
    owner.dialog->StartIncreases(true);
    const std::int16_t str = RowValue(0);
    Drag(kIncrease, Row(0));
    EXPECT_EQ(Number(R::kIncreaseTokenId), 0);
    EXPECT_EQ(RowValue(0), str) << "a token at 0 hands out nothing";
}

TEST_F(RollerTest, APointBuyCharacterRaisesScoresInTheIncreasesModeOnlyByTheToken)
{
    ASSERT_NE(Open(R::kModePointBuy), nullptr);
    auto* row = dynamic_cast<UINumberScroll*>(owner.dialog->FindDescendant(R::kFirstRowId));
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(row->GetIncreaseButton()->IsVisible());
    const Point up{row->GetIncreaseButton()->GetScreenRect().left + 4,
                   row->GetIncreaseButton()->GetScreenRect().top + 4};
    owner.dialog->StartIncreases(true);
    const std::int16_t str = RowValue(0);
    Click(up);
    Click(up);
    EXPECT_EQ(RowValue(0), str);
    EXPECT_FALSE(row->GetIncreaseButton()->IsVisible());
    EXPECT_FALSE(row->GetDecreaseButton()->IsVisible());
}

TEST_F(RollerTest, IncreasesKeepHitDiceAndCancelRestoresEverything)
{
    struct Case
    {
        bool increases;
        bool accept;
    };
    for (const Case c : {Case{true, true}, Case{false, false}})
    {
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, 2);
        hero->hitPointBonus = 4;
        const auto dice = hero->hitDieRolls;
        const auto sum = hero->GetClassAt(0)->hitPointsRolled;
        const auto scores = hero->abilities;
        const auto hitPoints = hero->stats[VelEntity::kHitPoints];
        ASSERT_NE(Open(7), nullptr) << "an unknown method opens as rolling";
        EXPECT_EQ(owner.dialog->GetMethod(), R::kModeRoll);
        if (c.increases)
            owner.dialog->StartIncreases(false);
        else
        {
            FCRandom::GetGlobal().Seed(11);
            Click(kRoll);
            Drag(kIncrease, Row(0));
        }
        if (c.increases)
        {
            EXPECT_EQ(settings.runFlags & R::kHintIncreases, R::kHintIncreases);
            Drag(kIncrease, Row(0));
            Drag(kIncrease, Row(0));
            EXPECT_EQ(RowValue(0), scores[0] + 2);
            EXPECT_EQ(Number(R::kIncreaseTokenId), 0);
            EXPECT_FALSE(Enabled(R::kIncreaseTokenId));
            EXPECT_EQ(owner.dialog->GetPlacedCount(), 0) << "an increase is not a value";
            Shoot("roller-increases.png");
        }
        Click(c.accept ? kOk : kClose);
        EXPECT_EQ(owner.dialog, nullptr);
        EXPECT_EQ(hero->hitDieRolls, dice);
        EXPECT_EQ(hero->GetClassAt(0)->hitPointsRolled, sum);
        EXPECT_EQ(hero->hitPointBonus, 4);
        if (c.accept)
        {
            EXPECT_EQ(hero->abilities[0], scores[0] + 2);
            EXPECT_EQ(hero->abilityIncreases[0], 2);
            EXPECT_EQ(hero->values[VelCharacter::kValueIncreasesToAssign], 0u);
            EXPECT_EQ(settings.runFlags & R::kHintRoll, 0u) << "increases leave the roll hints";
        }
        else
        {
            EXPECT_EQ(hero->abilities, scores);
            EXPECT_EQ(hero->stats[VelEntity::kHitPoints], hitPoints);
        }
    }
}

TEST_F(RollerTest, AFamiliarsGiftIsNeverBoughtAndOutlastsNewScores)
{
    // The fixed array's 25 points bought on the race's adjustments, then a
    // familiar that gives CON +2.
    for (std::size_t i = 0; i < 6; ++i)
        hero->abilities[i] = static_cast<std::uint16_t>(
            R::kFixedArray[i] + VelDatabase::FindRace(RulesFixture::kRace)->abilityAdjust[i]);
    EXPECT_EQ(GetPointBuyTotal(hero), 25);
    Owned<VelCharacterAnimal> toad(new VelCharacterAnimal(RulesFixture::kCat, 0));
    toad->kind = VelCharacterAnimal::kFamiliar;
    VelFamiliarFeatureInfo gift;
    gift.featureId = VelIds::kFeatureFamiliarConstitution;
    toad->AddFamiliarFeature(gift);
    hero->AddAnimal(toad.get());
    ApplyFamiliarBenefits(hero, toad.get(), true);
    EXPECT_EQ(hero->abilities[VelEntity::kCon], 15);
    EXPECT_EQ(GetPointBuyTotal(hero), 25);
    ASSERT_NE(Open(R::kModeFixed), nullptr);
    owner.dialog->StartIncreases(true);
    EXPECT_EQ(Number(R::kPointsId), 25) << "the roller handing out increases";
    Click(kClose);

    // New scores keep the gift, and giving the familiar up takes back only it.
    ASSERT_NE(Open(R::kModeFixed), nullptr);
    for (int i = 0; i < 6; ++i)
        Drag(Token(i), Row(i));
    Click(kOk);
    EXPECT_EQ(hero->abilities[VelEntity::kCon], 15);
    EXPECT_EQ(GetPointBuyTotal(hero), 25);
    RemoveAnimal(hero, toad.get());
    EXPECT_EQ(hero->abilities[VelEntity::kCon], 13);
    EXPECT_EQ(GetPointBuyTotal(hero), 25);
}
} // namespace
