#include "Vel_ui/CharWindowFixture.h"

#include "Fc/Core/FCRandom.h"
#include "Ui/UIDialog.h"
#include "Ui/UIFileDialog.h"
#include "Ui/UIMessageDialog.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel/Rules/VelLevelRules.h"
#include "Vel_ui/Vel_UIPanel.h"
#include "Vel_ui/Vel_UIWin_Roller.h"
#include "support/Owned.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>

namespace
{
using W = Vel_UIWin_CharConfig;

class CharConfigTest : public CharWindowFixture
{
};

TEST_F(CharConfigTest, FirstActivationOpensTheRollerOnlyWithIncreasesToSpend)
{
    struct Case
    {
        std::uint32_t increases;
        std::uint16_t top;
        std::vector<std::string> effects;
        std::vector<std::string> samples;
    };
    const Case cases[] = {
        {0, W::kWindowId, {"10200.wav"}, {}},
        {2, W::kRollerId, {}, {"2200"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.increases);
        hero->SetValue(VelCharacter::kValueIncreasesToAssign, c.increases);
        settings.runFlags = 0;
        ui.Devices().sound.requests.clear();
        ASSERT_NE(Open(), nullptr);
        EXPECT_EQ(TopId(), c.top);
        EXPECT_EQ(Played("streamfile"), c.effects);
        EXPECT_EQ(Played("sound"), c.samples);
        EXPECT_EQ(hero->GetListener(), window);
        EXPECT_EQ(window->GetCurrentPageIndex(), 0);
        EXPECT_EQ(Enabled(W::kRollerButton), c.increases == 0);
        // Activating again (a dialog on top closed) fills nothing anew.
        window->Activate();
        EXPECT_EQ(TopId(), c.top);
    }
}

TEST_F(CharConfigTest, PageSwitchKeepsTheCurrentPageWhenALayoutIsMissingOrNoPage)
{
    // A layout file that is not one, in the harness's root before the build's.
    ui.WriteLayout("velLanguage.ui", {0x4E, 0x6F});
    ASSERT_NE(Open(), nullptr);
    Vel_UIPanel* first = window->GetCurrentPage();
    ASSERT_NE(first, nullptr);
    struct Case
    {
        std::uint16_t entry;
        std::int16_t shown;
    };
    const Case cases[] = {
        {4703, 0},  // skills: the layout holds a window, not a page
        {4705, 0},  // languages: the layout cannot be read
        {4713, 11}, // notes
        {4702, 0},
        {4713, 11},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.entry);
        ClickChild(c.entry);
        EXPECT_EQ(window->GetCurrentPageIndex(), c.shown);
        EXPECT_EQ(window->FindChild(c.shown == 0 ? 5500 : 11500), window->GetCurrentPage());
    }
    EXPECT_FALSE(window->HoldsPage(1));
    EXPECT_FALSE(window->HoldsPage(3));
    // The table keeps page 0 with its one reference while notes is shown.
    EXPECT_EQ(first->GetRefCount(), 1);
    EXPECT_EQ(Played("streamfile"), (std::vector<std::string>{"10200.wav", "11000.wav"}));
}

TEST_F(CharConfigTest, SpinnersEditScoresCountStepsAndKeepHitPointsAboveTheirBase)
{
    ASSERT_NE(Open(), nullptr);
    const std::uint16_t str = hero->abilities[VelEntity::kStr];
    UINumberScroll* strength = Spinner(W::kFirstAbilitySpinner);
    ClickControl(strength->GetIncreaseButton());
    EXPECT_EQ(hero->abilities[VelEntity::kStr], str + 1);
    EXPECT_EQ(hero->values[VelCharacter::kValueStepsUp], 1u);
    EXPECT_EQ(hero->modified, 1);
    // A typed value takes the same path, without counting a step.
    strength->GetValueField()->SetLong(14);
    EXPECT_EQ(hero->abilities[VelEntity::kStr], 14);
    EXPECT_EQ(hero->values[VelCharacter::kValueStepsUp], 1u);

    // Ranges: INT never below 3, the others never below 1, all up to 45.
    for (std::uint16_t id = W::kFirstAbilitySpinner; id < W::kFirstAbilitySpinner + 6; ++id)
    {
        double low = 0;
        double high = 0;
        Spinner(id)->GetValueField()->GetRange(low, high);
        EXPECT_EQ(low, id == W::kFirstAbilitySpinner + VelEntity::kInt ? 3.0 : 1.0);
        EXPECT_EQ(high, 45.0);
    }

    hero->SetValue(VelCharacter::kValueStepsDown, 99);
    ClickControl(strength->GetDecreaseButton());
    EXPECT_EQ(hero->values[VelCharacter::kValueStepsDown], 99u);

    // Hit points: the bonus never goes below 0; typed and stepped alike.
    Owned<VelCharacterAnimal> cat(new VelCharacterAnimal(RulesFixture::kCat, kFighter));
    cat->kind = VelCharacterAnimal::kFamiliar; // with half the hit points
    hero->AddAnimal(cat.get());
    UINumberScroll* hp = Spinner(W::kHitPointSpinner);
    const std::int32_t base = hero->stats[VelEntity::kHitPoints];
    EXPECT_FALSE(hp->GetDecreaseButton()->IsEnabled());
    ClickControl(hp->GetIncreaseButton());
    EXPECT_EQ(hero->hitPointBonus, 1);
    hp->GetValueField()->SetLong(base + 6);
    EXPECT_EQ(hero->hitPointBonus, 6);
    EXPECT_EQ(hero->stats[VelEntity::kHitPoints], base + 6);
    EXPECT_EQ(cat->stats[VelEntity::kHitPoints], (base + 6) / 2);
    hp->GetValueField()->SetLong(base - 3); // below the range: refused
    EXPECT_EQ(hero->hitPointBonus, 6);
}

TEST_F(CharConfigTest, WarningsLightTheirEntriesAndSoundOnlyOnTheTurn)
{
    ASSERT_NE(Open(), nullptr);
    struct Case
    {
        std::uint32_t flags;
        std::vector<std::string> samples;
        bool skillsLit;
    };
    const Case cases[] = {
        {0x10, {"2000"}, true},
        {0x10 | 0x1000, {}, true},
        {0x1000, {}, false},
        {0, {"2010"}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.flags);
        ui.Devices().sound.requests.clear();
        window->SetWarningFlags(c.flags);
        EXPECT_EQ(Played("sound"), c.samples);
        const UIControl* skills = window->FindDescendant(4703);
        EXPECT_EQ((skills->GetControlFlags() & UIControl::kHighlighted) != 0, c.skillsLit);
        EXPECT_EQ(window->FindChild(W::kWarningButton)->GetVisibleFlag(), c.flags != 0);
        EXPECT_EQ(window->FindChild(W::kNoWarningButton)->GetVisibleFlag(), c.flags == 0);
    }
}

TEST_F(CharConfigTest, EscapeAndTheGameMenuNeverReenableUnderADialog)
{
    ASSERT_NE(Open(), nullptr);
    Escape();
    EXPECT_EQ(TopId(), W::kGameMenuId);
    EXPECT_FALSE(Enabled(W::kRollerButton));
    EXPECT_TRUE(Enabled(W::kNoWarningButton));
    Escape();
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_TRUE(Enabled(W::kRollerButton));
    Escape();
    Escape();
    // The menu's hint once per run; the flip sound every time.
    EXPECT_EQ(Played("streamfile"), (std::vector<std::string>{"10200.wav", "11200.wav"}));
    EXPECT_EQ(Played("sound"), (std::vector<std::string>(4, "2100")));

    ClickChild(W::kRollerButton);
    ASSERT_EQ(TopId(), W::kRollerId);
    window->OnDialogOpened(); // a page's dialog as well
    Escape();
    EXPECT_EQ(TopId(), W::kRollerId);
    EXPECT_EQ(window->GetGameMenu(), nullptr);
    dynamic_cast<UIWindow*>(ui.Manager().GetTopWindow())->Close(1);
    EXPECT_FALSE(Enabled(W::kRollerButton)) << "the page's dialog is still open";
    window->OnDialogClosed();
    EXPECT_TRUE(Enabled(W::kRollerButton));

    hero->modified = 1;
    ASSERT_FALSE(client->ConfirmQuit()); // the question is the top window
    Escape();
    EXPECT_EQ(window->GetGameMenu(), nullptr);
}

TEST_F(CharConfigTest, AViewedAnimalIsForgottenWhenItGoesOrThePageChanges)
{
    ASSERT_NE(Open(), nullptr);
    auto* animal = new VelCharacterAnimal(RulesFixture::kHawk, 3);
    animal->abilities[VelEntity::kStr] = 7;
    hero->AddAnimal(animal);
    window->SetViewedEntity(animal);
    animal->Release();
    EXPECT_FALSE(Spinner(W::kFirstAbilitySpinner)->IsEnabled());
    EXPECT_EQ(Spinner(W::kFirstAbilitySpinner)->GetValueField()->GetLong(), 7);

    hero->RemoveAnimal(animal);
    hero->changeMask = VelCharacter::kChangedStr;
    hero->NotifyChanged();
    EXPECT_EQ(window->GetViewedEntity(), nullptr);
    EXPECT_TRUE(Spinner(W::kFirstAbilitySpinner)->IsEnabled());

    auto* second = new VelCharacterAnimal(RulesFixture::kCat, 9);
    hero->AddAnimal(second);
    window->SetViewedEntity(second);
    second->Release();
    ClickChild(4713);
    EXPECT_EQ(window->GetViewedEntity(), nullptr);
}

TEST_F(CharConfigTest, GoingAwayLetsGoOfTheCharacterAndTheSharedControls)
{
    ASSERT_NE(Open(), nullptr);
    W::SetHelpId(5500);
    W::RestoreHelpText();
    EXPECT_EQ(W::GetLive(), window);
    ui.RecreateManager();
    EXPECT_EQ(W::GetLive(), nullptr);
    EXPECT_EQ(hero->GetListener(), nullptr);
    EXPECT_EQ(W::GetHelpId(), 0);
    // Nothing to show them on: nothing happens.
    W::ShowHelpText("gone");
    W::ShowClassInfo(kFighter);
    W::ShowButton(false);
    hero->changeMask = VelCharacter::kChangedStr;
    hero->NotifyChanged();
}
TEST_F(CharConfigTest, ClosingOverTheRollerCancelsTheRollBeforeAskingToSave)
{
    // The real roller, not the fixture's stand-in; characters go to a
    // folder of this test's own.
    std::filesystem::remove(ui.Folder().Join("UI/velRoller.ui"));
    TempFolder data;
    ::setenv("XDG_DATA_HOME", data.GetPath().c_str(), 1);
    hero->GetClassAt(0)->level = 5;
    FCRandom::GetGlobal().Seed(3);
    RollHitPointsForLevels(hero, VelHitDiceMode::kRerollAll, false);
    hero->hitPointBonus = 4;
    hero->abilityMethod = Vel_UIWin_Roller::kModeRoll;
    hero->modified = 1;
    const auto dice = hero->hitDieRolls;

    ASSERT_NE(Open(), nullptr);
    ClickChild(W::kRollerButton);
    ASSERT_EQ(TopId(), W::kRollerId);
    ClickControl(ui.Manager().GetTopWindow()->FindDescendant(Vel_UIWin_Roller::kRollButtonId));
    ASSERT_EQ(hero->hitPointBonus, 0) << "a roll under way clears the bonus";
    ASSERT_NE(hero->hitDieRolls, dice) << "and rolls the dice anew";

    EXPECT_FALSE(client->ConfirmQuit());
    EXPECT_EQ(hero->hitPointBonus, 4) << "the roller was cancelled first";
    EXPECT_EQ(hero->hitDieRolls, dice);
    EXPECT_TRUE(window->FindChild(W::kRollerButton)->IsEnabled()) << "the window has heard it close";
    auto* question = dynamic_cast<UIMessageDialog*>(ui.Manager().GetTopWindow());
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ui.Manager().GetWindow(1), window);
    ClickControl(question->FindDescendant(UIMessageDialog::kSecondButtonId)); // Yes
    auto* save = dynamic_cast<UIFileDialog*>(ui.Manager().GetTopWindow());
    ASSERT_NE(save, nullptr);
    save->SetFileName("Quitter");
    ClickControl(save->FindDescendant(UIFileDialog::kOkId));
    EXPECT_TRUE(ui.Devices().system.quitRequested);

    VelCharacter* saved = VelCharacterFile::Load(".\\Resources\\Characters\\Quitter.cg3");
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->hitPointBonus, 4);
    EXPECT_EQ(saved->hitDieRolls, dice);
    saved->Release();
}

TEST_F(CharConfigTest, PageEntriesThatCannotBeChosenLookNeitherCurrentNorOpen)
{
    // The fighter has no god: that entry is disabled; abilities is current.
    ASSERT_NE(Open(), nullptr);
    const UIControl* god = window->FindDescendant(W::kFirstNavigationEntry + 5);
    const UIControl* current = window->FindDescendant(W::kFirstNavigationEntry);
    const UIControl* open = window->FindDescendant(W::kFirstNavigationEntry + 2);
    ASSERT_TRUE(god && current && open);
    ASSERT_FALSE(god->IsEnabled());
    ui.Update();
    ui.Paint();
    // The caption's ink: ash for what cannot be used, gold for the chosen.
    const std::uint16_t ash = UiHarness::Rgb(0x6f, 0x66, 0x5c);
    const std::uint16_t gold = UiHarness::Rgb(0xe0, 0xb8, 0x64);
    const auto count = [&](const UIControl* entry, std::uint16_t colour)
    {
        int found = 0;
        const FCRect rect = entry->GetScreenRect();
        for (std::int32_t y = rect.top; y < rect.bottom; ++y)
            for (std::int32_t x = rect.left; x < rect.right; ++x)
                found += ui.Pixel(x, y) == colour ? 1 : 0;
        return found;
    };
    EXPECT_GT(count(god, ash), 10);
    EXPECT_EQ(count(god, gold), 0);
    EXPECT_GT(count(current, gold), 10);
    EXPECT_EQ(count(current, ash), 0);
    EXPECT_EQ(count(open, ash) + count(open, gold), 0);
}
} // namespace
