// The special abilities page in the character window over its built layout
// and the fixture rule set (choices of classes 1, 7 and 8): which class
// shows choices and which help, taking and giving back by dragging, what a
// general-feat choice does to the feats, choices that are held, closed or
// left none of, and texts that follow CHA.

#include "Ui/UIComboBox.h"
#include "Vel/Character/VelCharacterFeature.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel_ui/CharPageFixture.h"
#include "Vel_ui/Vel_UIGod.h"
#include "Vel_ui/Vel_UILanguage.h"
#include "Vel_ui/Vel_UINotes.h"
#include "Vel_ui/Vel_UISpecial.h"

namespace
{
using S = Vel_UISpecial;
using W = Vel_UIWin_CharConfig;
constexpr std::uint16_t kEntry = 4706;

class SpecialPageTest : public CharPageFixture
{
protected:
    S* OpenSpecial()
    {
        S* page = OpenPage<S>(kEntry);
        chosen = Child<Vel_UIListBox>(S::kChosenListId);
        available = Child<Vel_UIListBox>(S::kAvailableListId);
        return page;
    }
    VelCharacterClass* Current() const { return hero->FindClass(hero->currentClassId); }
    std::vector<std::string> TakeableTexts() const
    {
        std::vector<std::string> texts;
        for (const Vel_UIItem* row : Rows(available))
            if (Takeable(row))
                texts.push_back(row->GetColumnText(0));
        return texts;
    }
    void Take(const std::string& text) { Drag(RowWithText(available, text), chosen); }
    void GiveBack(const std::string& text) { Drag(RowWithText(chosen, text), kNowhere); }
    bool Shown(std::uint16_t id) const { return window->FindDescendant(id)->GetVisibleFlag() != 0; }

    Vel_UIListBox* chosen = nullptr;
    Vel_UIListBox* available = nullptr;
};

TEST_F(SpecialPageTest, ChoicesShowForTheirClassesWithTheHelpOfTheLevel)
{
    struct Case
    {
        std::uint16_t classId;
        std::uint16_t level;
        std::uint16_t help;
        std::uint16_t heading; // 0: no choices shown
    };
    const Case cases[] = {
        {2, 3, S::kScreenId, 0},         {1, 1, S::kHelpWithChoices, 1053},
        {7, 4, S::kScreenId, 1052},      {7, 5, S::kHelpWithChoices, 1052},
        {8, 9, S::kScreenId, 1054},         {8, 10, S::kHelpWithChoices, 1054},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "class " << c.classId << " level " << c.level);
        ui.RecreateManager();
        MakeHero({{c.classId, c.level}});
        ASSERT_NE(OpenSpecial(), nullptr);
        EXPECT_EQ(W::GetHelpId(), c.help);
        EXPECT_EQ(HelpLine(), TextOf(c.help));
        // Class 8 gains its first choice at level 10, yet shows the list.
        const bool shown = c.heading != 0;
        for (std::uint16_t id : {S::kChoicesLabelId, S::kChoicesLeftId, S::kHeadingId, S::kAvailableListId})
            EXPECT_EQ(Shown(id), shown) << id;
        EXPECT_EQ(Rows(available).empty(), !shown);
        if (c.heading)
        {
            EXPECT_EQ(Child<UITextControl>(S::kHeadingId)->GetText(), TextOf(c.heading));
        }
        EXPECT_EQ(Child<UITextControl>(S::kChoicesLeftId)->GetText(),
                  std::to_string(Current()->specialChoices));
        // The levels' own features are the character's and stay.
        ASSERT_FALSE(Rows(chosen).empty());
        for (const Vel_UIItem* row : Rows(chosen))
            EXPECT_FALSE(Draggable(row)) << row->GetColumnText(0);
        EXPECT_FALSE(Child<UIControl>(W::kSharedButton)->GetVisibleFlag());
    }
}

TEST_F(SpecialPageTest, TheClassSelectorShowsTheOtherClassesChoices)
{
    MakeHero({{2, 1}, {7, 5}});
    ASSERT_NE(OpenSpecial(), nullptr);
    EXPECT_FALSE(Shown(S::kAvailableListId));
    auto* selector = Child<UIComboBox>(W::kClassSelector);
    ASSERT_NE(selector, nullptr);
    ClickControl(selector->FindChild(151));
    ASSERT_EQ(selector->GetList()->GetItemCount(), 2u);
    ClickControl(selector->GetList()->ItemAt(1, 0));
    EXPECT_EQ(hero->currentClassId, 7);
    EXPECT_TRUE(Shown(S::kAvailableListId));
    EXPECT_EQ(Child<UITextControl>(S::kHeadingId)->GetText(), TextOf(1052));
    EXPECT_EQ(HelpLine(), TextOf(S::kHelpWithChoices)) << "the help follows the class";
    EXPECT_EQ(TakeableTexts(),
              (std::vector<std::string>{"Chosen Foe: Goblins", "Chosen Foe: Trolls"}));
}

TEST_F(SpecialPageTest, EnemiesOfTheRaceAreClosedAndNoChoiceLeftTakesNothing)
{
    MakeHero({{7, 1}});
    ASSERT_NE(OpenSpecial(), nullptr);
    EXPECT_EQ(Texts(available), (std::vector<std::string>{"Chosen Foe: Goblins", "Chosen Foe: Kin",
                                                         "Chosen Foe: Trolls"}));
    EXPECT_EQ(TakeableTexts(),
              (std::vector<std::string>{"Chosen Foe: Goblins", "Chosen Foe: Trolls"}));
    Hover(RowWithText(available, "Chosen Foe: Goblins"));
    EXPECT_EQ(HelpLine(), "Goblins, known by their tracks.");
    HoverAway();
    EXPECT_EQ(HelpLine(), TextOf(S::kScreenId));

    const std::uint32_t features = hero->features.GetCount();
    Take("Chosen Foe: Goblins");
    EXPECT_EQ(hero->features.GetCount(), features + 1);
    EXPECT_EQ(Current()->specialChoices, 0);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_TRUE(Draggable(RowWithText(chosen, "Chosen Foe: Goblins")));
    EXPECT_TRUE(TakeableTexts().empty());
    EXPECT_EQ(Child<UITextControl>(S::kChoicesLeftId)->GetText(), "0");

    // A row drawn before the last choice: nothing is taken, nothing wraps.
    hero->modified = 0;
    Vel_UIItem* stale = RowWithText(available, "Chosen Foe: Trolls");
    stale->SetDraggable(true);
    Drag(stale, chosen);
    EXPECT_EQ(hero->features.GetCount(), features + 1);
    EXPECT_EQ(Current()->specialChoices, 0);
    EXPECT_EQ(hero->modified, 0);

    GiveBack("Chosen Foe: Goblins");
    EXPECT_EQ(hero->features.GetCount(), features);
    EXPECT_EQ(Current()->specialChoices, 1);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(TakeableTexts(),
              (std::vector<std::string>{"Chosen Foe: Goblins", "Chosen Foe: Trolls"}));
}

TEST_F(SpecialPageTest, AGeneralFeatChoiceRaisesTheFeatsAllowedForTheWindowToo)
{
    MakeHero({{8, 13}}); // two choices
    ASSERT_NE(OpenSpecial(), nullptr);
    ASSERT_EQ(Current()->specialChoices, 2);
    const std::uint32_t allowed = hero->values[VelCharacter::kValueFeatsAllowed];
    // One general feat too many: the window warns.
    hero->SetValue(VelCharacter::kValueFeatsUsed, allowed + 1);
    hero->changeMask = VelCharacter::kChangedFeats;
    hero->NotifyChanged();
    ASSERT_EQ(window->GetWarningFlags() & VelLimitFlags::kGeneralFeats, VelLimitFlags::kGeneralFeats);

    hero->modified = 0;
    Take("Extra Learning");
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsAllowed], allowed + 1);
    EXPECT_EQ(window->GetWarningFlags() & VelLimitFlags::kGeneralFeats, 0u);
    EXPECT_EQ(hero->modified, 1);
    // It may be taken again; a plain ability once.
    Take("Knack");
    EXPECT_EQ(TakeableTexts(), std::vector<std::string>{}) << "no choice left";
    Current()->specialChoices = 1;
    window->GetCurrentPage()->Refresh();
    EXPECT_EQ(TakeableTexts(), (std::vector<std::string>{"Extra Learning", "Quick Study"}));
    Take("Extra Learning");
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsAllowed], allowed + 2);

    GiveBack("Extra Learning");
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsAllowed], allowed + 1);
    EXPECT_EQ(Current()->specialChoices, 1);
    GiveBack("Extra Learning");
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsAllowed], allowed);
    EXPECT_EQ(window->GetWarningFlags() & VelLimitFlags::kGeneralFeats, VelLimitFlags::kGeneralFeats);
}

TEST_F(SpecialPageTest, HeldAndProficientChoicesAreClosedAndGrantedOnesStay)
{
    MakeHero({{1, 1}});
    ASSERT_NE(OpenSpecial(), nullptr);
    // Every class is trained in the sword, none in the whip.
    EXPECT_EQ(TakeableTexts(), (std::vector<std::string>{"Weapon Drill Chain Whip", "Knack"}));
    Take("Knack");
    Current()->specialChoices = 1;
    window->GetCurrentPage()->Refresh();
    EXPECT_EQ(TakeableTexts(), std::vector<std::string>{"Weapon Drill Chain Whip"});

    // The level's own feature cannot be dragged off, nor given back by a
    // row made draggable.
    Vel_UIItem* granted = RowWithText(chosen, "Sneak +1d6");
    ASSERT_NE(granted, nullptr);
    const std::uint32_t features = hero->features.GetCount();
    granted->SetDraggable(true);
    hero->modified = 0;
    Drag(granted, kNowhere);
    EXPECT_EQ(hero->features.GetCount(), features);
    EXPECT_NE(RowWithText(chosen, "Sneak +1d6"), nullptr) << "the list shows it again";
    EXPECT_EQ(Current()->specialChoices, 1);
    EXPECT_EQ(hero->modified, 0);
}

TEST_F(SpecialPageTest, TextsThatCountChaFollowItAndLeaveTheEntryAsItWas)
{
    MakeHero({{8, 10}});
    SetAbilityScore(hero, VelEntity::kCha, 10, false);
    ASSERT_NE(OpenSpecial(), nullptr);
    Take("Quick Study");
    ASSERT_NE(RowWithText(chosen, "Quick Study (3 + 0)"), nullptr);
    Hover(RowWithText(chosen, "Quick Study (3 + 0)"));
    EXPECT_EQ(HelpLine(), "Learns 0 lessons more.");
    HoverAway();
    SetAbilityScore(hero, VelEntity::kCha, 14, true);
    EXPECT_NE(RowWithText(chosen, "Quick Study (3 + 2)"), nullptr) << Texts(chosen).back();
    SetAbilityScore(hero, VelEntity::kCha, 6, true);
    EXPECT_NE(RowWithText(chosen, "Quick Study (3 - 2)"), nullptr) << Texts(chosen).back();
    // Shown, not written: the file and the sheet are as before the page.
    EXPECT_TRUE(hero->HasFeatureOfKind(VelFeatureInfo::kKindAbilityModifier, 0xFFFF));
}

// Layouts that hold the page alone: each page opens, logs what it misses
// and works on without it.
TEST_F(SpecialPageTest, PagesWithoutTheirControlsStillOpen)
{
    struct Case
    {
        const char* layout;
        const char* className;
        std::uint16_t id;
        std::uint16_t entry;
    };
    const Case cases[] = {
        {"velLanguage.ui", "Vel_UILanguage", Vel_UILanguage::kScreenId, 4705},
        {"velSpecial.ui", "Vel_UISpecial", S::kScreenId, kEntry},
        {"velGod.ui", "Vel_UIGod", Vel_UIGod::kScreenId, 4707},
        {"velNotes.ui", "Vel_UINotes", Vel_UINotes::kScreenId, 4713},
    };
    MakeHero({{2, 1}, {7, 5}});
    for (const Case& c : cases)
        Stand(c.layout, c.id, c.className);
    ASSERT_NE(Open(), nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.className);
        ClickChild(c.entry);
        ASSERT_NE(window->GetCurrentPage(), nullptr);
        EXPECT_EQ(window->GetCurrentPage()->GetClassName(), c.className);
        EXPECT_EQ(W::GetHelpId(), c.id);
        window->GetCurrentPage()->Refresh();
        hero->changeMask = VelCharacter::kChangedInt | VelCharacter::kChangedLanguages;
        hero->NotifyChanged();
    }
}

TEST_F(SpecialPageTest, EveryTextThePagesReadExists)
{
    const std::uint16_t ids[] = {Vel_UILanguage::kScreenId, S::kScreenId, S::kHelpWithChoices, 1052, 1053, 1054,
                                 Vel_UIGod::kScreenId,      Vel_UINotes::kScreenId};
    for (const std::uint16_t id : ids)
    {
        const std::string* text = FCResourceManager::GetInstance()->GetString(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_FALSE(text->empty()) << id;
    }
}
} // namespace
