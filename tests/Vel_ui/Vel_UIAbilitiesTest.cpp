// The abilities page over its built layout with a fixture rule set: the
// height carrying between feet and inches, the race's ranges, experience,
// modifiers and the race's feature rows.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIListBox.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindow.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelRaceFeatureInfo.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIAbilities.h"
#include "Vel_ui/Vel_UIItem.h"
#include "support/DbFixture.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using A = Vel_UIAbilities;

class AbilitiesPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(rules.IsLoaded());
        extra.Section(VelDatabase::kTagRaceFeature);
        for (std::uint16_t race : {RulesFixture::kRace, std::uint16_t{5}, RulesFixture::kRace})
        {
            VelRaceFeatureInfo feature;
            feature.raceId = race;
            feature.name = "Feature of " + std::to_string(race);
            extra.Add(0, feature);
        }
        ASSERT_TRUE(DbFixture::LoadBytes(extra.Finish()));
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("UI");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        hero = VelClient::CreateCharacter();
        hero->raceId = RulesFixture::kRace;
        hero->AddClass(0)->level = 5;
        FinishCharacterSetup(hero, true);
        VelClient::SetCurrentCharacter(hero);
        page = dynamic_cast<A*>(FCClassRegistry::LoadObjectFromFile("velAbilities.ui"));
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override
    {
        if (page)
            page->Release();
        VelClient::SetCurrentCharacter(nullptr);
        hero->Release();
    }
    UINumberEditControl* Field(std::uint16_t id) const
    {
        auto* scroll = dynamic_cast<UINumberScroll*>(page->FindDescendant(id));
        return scroll ? scroll->GetValueField() : nullptr;
    }
    std::string Text(std::uint16_t id) const
    {
        auto* text = dynamic_cast<UITextControl*>(page->FindDescendant(id));
        return text ? text->GetText() : "?";
    }

    QuietLog quiet;
    DbFixture extra;
    RulesFixture rules;
    UiHarness ui;
    VelCharacter* hero = nullptr;
    A* page = nullptr;
};

TEST_F(AbilitiesPageTest, InchesCarryIntoFeetWithinTheRaceRange)
{
    // The fixture race is 60 to 78 inches tall.
    struct Case
    {
        std::uint32_t height;
        bool up;
        std::uint32_t stored;
    };
    const Case cases[] = {{71, true, 72}, {72, false, 71}, {78, true, 78}, {60, false, 60}};
    for (const Case& c : cases)
    {
        hero->SetValue(VelCharacter::kValueHeight, c.height);
        page->EnterPage();
        hero->modified = 0;
        ASSERT_NE(Field(A::kInchesId), nullptr);
        ASSERT_TRUE(c.up ? Field(A::kInchesId)->StepUp() : Field(A::kInchesId)->StepDown());
        EXPECT_EQ(hero->values[VelCharacter::kValueHeight], c.stored) << c.height;
        EXPECT_EQ(Field(A::kFeetId)->GetLong(), static_cast<std::int32_t>(c.stored / 12));
        EXPECT_EQ(Field(A::kInchesId)->GetLong(), static_cast<std::int32_t>(c.stored % 12));
        EXPECT_EQ(hero->modified, 1) << "an edit marks the character";
    }
}

TEST_F(AbilitiesPageTest, ARaceWithoutBodyRowsKeepsTheStoredValuesAndGreysTheirArrows)
{
    struct Case
    {
        std::uint16_t race; // race 5 has no height, weight or age rows
        bool editable;
    };
    for (const Case c : {Case{5, false}, Case{RulesFixture::kRace, true}, Case{5, false}})
    {
        SCOPED_TRACE(c.race);
        hero->raceId = c.race;
        hero->SetValue(VelCharacter::kValueHeight, 70);
        hero->SetValue(VelCharacter::kValueWeight, 150);
        hero->SetValue(VelCharacter::kValueAge, 20);
        page->EnterPage();
        EXPECT_EQ(Field(A::kFeetId)->GetLong(), 5);
        EXPECT_EQ(Field(A::kInchesId)->GetLong(), 10);
        EXPECT_EQ(Field(A::kWeightId)->GetLong(), 150);
        EXPECT_EQ(Field(A::kAgeId)->GetLong(), 20);
        for (std::uint16_t id : {A::kInchesId, A::kWeightId, A::kAgeId})
        {
            auto* scroll = dynamic_cast<UINumberScroll*>(page->FindDescendant(id));
            ASSERT_NE(scroll, nullptr);
            EXPECT_EQ(scroll->IsEnabled(), c.editable) << id;
            EXPECT_EQ(scroll->GetIncreaseButton()->IsEnabled(), c.editable) << id;
            EXPECT_EQ(scroll->GetDecreaseButton()->IsEnabled(), c.editable) << id;
            EXPECT_EQ(Field(id)->StepUp(), c.editable) << id;
        }
        const std::uint32_t kept[] = {70, 150, 20};
        const std::uint32_t stepped[] = {71, 151, 21};
        const auto& expected = c.editable ? stepped : kept;
        EXPECT_EQ(hero->values[VelCharacter::kValueHeight], expected[0]);
        EXPECT_EQ(hero->values[VelCharacter::kValueWeight], expected[1]);
        EXPECT_EQ(hero->values[VelCharacter::kValueAge], expected[2]);
    }
}

TEST_F(AbilitiesPageTest, RangesExperienceModifiersAndFeatures)
{
    hero->SetValue(VelCharacter::kValueWeight, 150);
    hero->SetValue(VelCharacter::kValueAge, 20);
    hero->SetValue(VelCharacter::kValueExperience, 10000);
    hero->abilities = {18, 9, 10, 3, 12, 1};
    page->EnterPage();
    double low = 0.0;
    double high = 0.0;
    Field(A::kWeightId)->GetRange(low, high);
    EXPECT_EQ(low, 124.0);
    EXPECT_EQ(high, 280.0);
    EXPECT_EQ(Field(A::kWeightId)->GetLong(), 150);
    Field(A::kAgeId)->GetRange(low, high);
    EXPECT_EQ(low, 15.0);
    EXPECT_EQ(high, 34.0);
    EXPECT_EQ(Field(A::kAgeId)->GetLong(), 20);
    EXPECT_EQ(Text(A::kSizeId), "Medium");
    EXPECT_EQ(Text(A::kExperienceId), "10000");
    EXPECT_EQ(Text(A::kNextLevelId), "15000");
    const char* modifiers[] = {"+4", "-1", "+0", "-4", "+1", "-5"};
    for (std::uint16_t i = 0; i < 6; ++i)
        EXPECT_EQ(Text(static_cast<std::uint16_t>(A::kFirstModifierId + i)), modifiers[i]) << i;
    auto* list = dynamic_cast<UIListBox*>(page->FindDescendant(A::kFeatureListId));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 2u) << "only the character's race";
    EXPECT_EQ(dynamic_cast<Vel_UIItem*>(list->ItemAt(1, 0))->GetColumnText(0), "Feature of 2");

    {
        // A look at the page where the character window puts it.
        auto* screen = new UIWindow(1);
        screen->SetSize(800, 600);
        page->AddRef();
        screen->AddChild(page);
        ui.Manager().PushWindow(screen, 0);
        screen->Release();
        ui.Frame();
        ui.SavePng(std::string(STAVELORN_BINARY_DIR) + "/abilities-page.png");
    }
    ASSERT_TRUE(Field(A::kWeightId)->StepUp());
    EXPECT_EQ(hero->values[VelCharacter::kValueWeight], 151u);
    hero->GetClassAt(0)->level = 20;
    page->OnCharacterChanged(hero);
    EXPECT_EQ(Text(A::kNextLevelId), "-") << "no level after the last";
    hero->raceId = 5;
    page->OnCharacterChanged(hero);
    EXPECT_EQ(list->GetItemCount(), 1u);
}
} // namespace
