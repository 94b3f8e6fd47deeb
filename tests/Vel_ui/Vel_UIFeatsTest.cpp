// The feats page in the character window over its built layouts and the
// fixture rule set: drops onto the general and bonus lists against their
// counters, fixed feats, a feat dragged between the chosen lists, the feat
// taken for the INT modifier, feats with a target, the categories and a
// prerequisite met by raising CON. Every edit marks the character modified.

#include "Vel_ui/SkillPagesFixture.h"

#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIScrollFrame.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel_ui/Vel_UIFeats.h"
#include "Vel_ui/Vel_UIWin_SelectTarget.h"

namespace
{
using P = Vel_UIFeats;
using W = Vel_UIWin_CharConfig;
using F = RulesFixture;
using Feat = VelCharacterFeat;

constexpr std::uint16_t kPlainFeat = F::kFirstFeat; // no flags, no prerequisite
constexpr std::uint16_t kWeaponTraining = VelIds::kFeatWeaponTraining;
constexpr std::uint16_t kIntellect = VelIds::kFeatIntellectGrant;
constexpr std::uint16_t kNo = Feat::kNoChoice;
constexpr std::uint16_t kPriest = 2;
constexpr std::uint16_t kScholar = 10;

class FeatsPageTest : public SkillPagesFixture
{
protected:
    P* Page() { return dynamic_cast<P*>(window->GetCurrentPage()); }
    Vel_UIItem* Available(std::uint16_t featId)
    {
        return FindRow<Vel_UIItem>(Page()->GetAvailableList(),
                                   [&](const Vel_UIItem& r) { return r.key == featId; });
    }
    Vel_UIItem* Chosen(Vel_UIListBox* list, const std::string& name)
    {
        return FindRow<Vel_UIItem>(list,
                                   [&](const Vel_UIItem& r) { return r.GetColumnText(0) == name; });
    }
    // An available feat onto a chosen list, the category showing it first.
    void Take(std::uint16_t featId, Vel_UIListBox* list)
    {
        if (!Available(featId))
            Choose(P::kCategoryId, P::kAllCategories);
        Vel_UIItem* row = Available(featId);
        ASSERT_NE(row, nullptr) << featId;
        // The list checks again whatever the row shows.
        row->SetDraggable(true);
        DragRow(Page()->GetAvailableList(), row, list);
    }
    void SetCounters(std::int32_t generalLeft, std::uint16_t bonusLeft)
    {
        hero->SetValue(VelCharacter::kValueFeatsAllowed, 2);
        hero->SetValue(VelCharacter::kValueFeatsUsed, static_cast<std::uint32_t>(2 - generalLeft));
        hero->GetClassAt(0)->bonusFeats = bonusLeft;
    }
    bool Accepts(const UIControl* list) const
    {
        return (list->GetDragFlags() & UIControl::kDropTarget) != 0;
    }
};

TEST_F(FeatsPageTest, DropsFollowTheCountersOfTheirList)
{
    struct Case
    {
        const char* what;
        bool bonusList;
        std::uint16_t feat;
        std::int32_t generalLeft;
        std::uint16_t bonusLeft;
        bool taken;
    };
    const Case cases[] = {
        {"general, one left", false, F::kSturdyFeat, 1, 0, true},
        {"general, none left", false, F::kSturdyFeat, 0, 1, false},
        {"general, over the limit", false, F::kSturdyFeat, -1, 1, false},
        {"bonus, one left", true, F::kSturdyFeat, 0, 1, true},
        {"bonus, none left", true, F::kSturdyFeat, 1, 0, false},
        {"bonus list, not a bonus feat", true, kPlainFeat, 1, 1, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Remake({kFighter});
        SetAbilityScore(hero, VelEntity::kCon, 15, false);
        SetCounters(c.generalLeft, c.bonusLeft);
        hero->modified = 0;
        ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
        Vel_UIListBox* list = c.bonusList ? Page()->GetBonusList() : Page()->GetChosenList();
        EXPECT_EQ(Accepts(list), (c.bonusList ? c.bonusLeft : c.generalLeft) > 0);
        EXPECT_EQ(Text(P::kGeneralLeftId), std::to_string(c.generalLeft));
        EXPECT_EQ(Text(P::kBonusLeftId), std::to_string(c.bonusLeft));
        Take(c.feat, list);
        EXPECT_EQ(hero->HasFeat(c.feat, kNo, -1), c.taken);
        EXPECT_EQ(hero->modified, c.taken ? 1 : 0);
        if (c.taken)
        {
            EXPECT_EQ(Names(list), (std::vector<std::string>{"Sturdy"}));
            EXPECT_EQ(Text(c.bonusList ? P::kBonusLeftId : P::kGeneralLeftId), "0");
            EXPECT_FALSE(Accepts(list));
        }
    }
}

TEST_F(FeatsPageTest, AListThatStillAcceptsChecksItsCounterOnTheDrop)
{
    SetCounters(1, 0);
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    ASSERT_TRUE(Accepts(Page()->GetChosenList()));
    // The feats run out behind the page's back.
    hero->SetValue(VelCharacter::kValueFeatsUsed, 2);
    Take(kPlainFeat, Page()->GetChosenList());
    EXPECT_FALSE(hero->HasFeat(kPlainFeat, kNo, -1));
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsUsed], 2u);
}

TEST_F(FeatsPageTest, ChosenFeatsGoBackUnlessFixedOrLetGoOverTheOtherList)
{
    SetCounters(2, 1);
    AddFeat(hero, kPlainFeat, kNo, kNo, false);
    AddFeat(hero, F::kFirstFeat + 1, kNo, kNo, false);
    Feat* fixed = hero->FindFeat(F::kFirstFeat + 1, kNo, -1);
    ASSERT_NE(fixed, nullptr);
    fixed->flags |= Feat::kFixed;
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    Vel_UIListBox* general = Page()->GetChosenList();
    ASSERT_EQ(Rows(general).size(), 2u);
    EXPECT_EQ(Text(P::kGeneralLeftId), "0");

    // Fixed: its row cannot be dragged, and a report of it changes nothing.
    Vel_UIItem* fixedRow = Rows(general)[1];
    EXPECT_FALSE(Draggable(fixedRow));
    EXPECT_TRUE(Draggable(Rows(general)[0]));
    UIEvent stale(general, UIMessage::kChildDraggedOut, FCPoint(0, 0),
                  reinterpret_cast<std::uintptr_t>(fixedRow), 0);
    Page()->HandleNotify(stale);
    EXPECT_TRUE(hero->HasFeat(F::kFirstFeat + 1, kNo, -1));

    // Onto the bonus list: it stays a general feat.
    hero->modified = 0;
    DragRow(general, Rows(general)[0], Page()->GetBonusList());
    EXPECT_TRUE(hero->HasFeat(kPlainFeat, kNo, -1));
    EXPECT_EQ(Rows(general).size(), 2u);
    EXPECT_TRUE(Rows(Page()->GetBonusList()).empty());
    EXPECT_EQ(hero->modified, 0);

    // Onto empty space: given back.
    DragRow(general, Rows(general)[0], window->FindDescendant(6711));
    EXPECT_FALSE(hero->HasFeat(kPlainFeat, kNo, -1));
    EXPECT_EQ(Text(P::kGeneralLeftId), "1");
    EXPECT_EQ(hero->modified, 1);
    EXPECT_TRUE(Accepts(general));
}

TEST_F(FeatsPageTest, TheIntellectFeatTakesTheIntModifierOncePerValue)
{
    Remake({kScholar}, 1, 14);
    SetCounters(2, 0);
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    Take(kIntellect, Page()->GetChosenList());
    EXPECT_EQ(TopId(), W::kWindowId) << "no dialog";
    EXPECT_TRUE(hero->HasFeat(kIntellect, 2, -1));
    EXPECT_EQ(Text(P::kGeneralLeftId), "1");
    Take(kIntellect, Page()->GetChosenList());
    EXPECT_EQ(hero->CountFeat(kIntellect, 2, -1), 1) << "held with that value";
    EXPECT_EQ(Text(P::kGeneralLeftId), "1");
    Spinner(W::kFirstAbilitySpinner + VelEntity::kInt)->GetValueField()->SetLong(16);
    Take(kIntellect, Page()->GetChosenList());
    EXPECT_TRUE(hero->HasFeat(kIntellect, 3, -1));
    EXPECT_EQ(Text(P::kGeneralLeftId), "0");
}

TEST_F(FeatsPageTest, AFeatWithATargetAsksForItAndCancellingTakesNothing)
{
    SetCounters(1, 1);
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    hero->modified = 0;
    Take(kWeaponTraining, Page()->GetChosenList());
    ASSERT_EQ(TopId(), Vel_UIWin_SelectTarget::kDialogId);
    EXPECT_FALSE(Enabled(W::kRollerButton));
    ClickControl(Page()->GetDialog()->FindDescendant(Vel_UIDialog::kCloseButtonId));
    EXPECT_TRUE(Enabled(W::kRollerButton));
    EXPECT_EQ(hero->values[VelCharacter::kValueFeatsUsed], 1u);
    EXPECT_EQ(hero->modified, 0);

    struct Case
    {
        bool bonus;
        const char* weapon;
        std::uint16_t weaponId;
    };
    const Case cases[] = {{false, "Axe", F::kAxe}, {true, "Knife", F::kKnife}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.weapon);
        Vel_UIListBox* list = c.bonus ? Page()->GetBonusList() : Page()->GetChosenList();
        Take(kWeaponTraining, list);
        Vel_UIWin_SelectTarget* dialog = Page()->GetDialog();
        ASSERT_NE(dialog, nullptr);
        UIControl* row = Chosen(dialog->GetList(), c.weapon);
        ASSERT_NE(row, nullptr);
        ClickControl(row);
        ClickControl(dialog->FindDescendant(Vel_UIDialog::kSecondControlId));
        EXPECT_EQ(TopId(), W::kWindowId);
        EXPECT_TRUE(Enabled(W::kRollerButton));
        const Feat* taken = hero->FindFeat(kWeaponTraining, c.weaponId, -1);
        ASSERT_NE(taken, nullptr);
        EXPECT_EQ((taken->flags & Feat::kBonusFeat) != 0, c.bonus);
        EXPECT_EQ(Names(list), (std::vector<std::string>{taken->GetName()}));
        EXPECT_EQ(Text(c.bonus ? P::kBonusLeftId : P::kGeneralLeftId), "0");
        EXPECT_EQ(hero->modified, 1);
    }
}

TEST_F(FeatsPageTest, CategoriesFilterTheFeatsAndTheBonusCategoryFollowsTheClass)
{
    Remake({kFighter, kPriest});
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    EXPECT_EQ(window->GetCurrentPageIndex(), 2);
    EXPECT_EQ(Text(W::kHelpLine), *FCResourceManager::GetInstance()->GetString(P::kScreenId));
    EXPECT_EQ(Page()->GetCategory(), 0);
    struct Case
    {
        std::int32_t category;
        std::vector<std::string> some;
        std::vector<std::string> none;
    };
    const Case cases[] = {
        {1, {"School Knack", "Intellect"}, {"Feat", "Axe"}},
        {2, {"Keen Edge", "Sturdy", "Weapon Mastery"}, {"Exotic Weapon", "Skill Knack"}},
        {3, {"Exotic Weapon", "Martial Weapon"}, {"Sturdy"}},
        {4, {"Exotic Weapon", "Sturdy", "Light Touch"}, {"Martial Weapon", "Feat"}},
        {0, {"Feat", "Skill Knack"}, {"Sturdy", "Intellect"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.category);
        Choose(P::kCategoryId, c.category);
        EXPECT_EQ(Page()->GetCategory(), c.category);
        const std::vector<std::string> names = Names(Page()->GetAvailableList());
        for (const std::string& name : c.some)
            EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
        for (const std::string& name : c.none)
            EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << name;
    }
    Choose(P::kCategoryId, P::kAllCategories);
    EXPECT_EQ(Rows(Page()->GetAvailableList()).size(), 18u) << "7 plain and 11 with a purpose";

    // The bonus category under the priest: ash, closed, and the page falls
    // back to the general feats.
    Choose(P::kCategoryId, P::kBonusCategory);
    window->SelectClass(kPriest);
    EXPECT_EQ(Page()->GetCategory(), 0);
    auto* combo = dynamic_cast<UIComboBox*>(window->FindDescendant(P::kCategoryId));
    auto* bonusEntry = dynamic_cast<Vel_UIItem*>(combo->GetList()->FindItemByData(P::kBonusCategory));
    ASSERT_NE(bonusEntry, nullptr);
    EXPECT_FALSE(bonusEntry->IsEnabled());
    EXPECT_EQ(bonusEntry->GetFontVariant(), 1);
    EXPECT_FALSE(Accepts(Page()->GetBonusList())) << "class 2 has no bonus feats";
    ui.Frame();
    ui.SavePng(std::string(STAVELORN_BINARY_DIR) + "/feats-page.png");
}

TEST_F(FeatsPageTest, RaisingConOpensAFeatThatNeedsIt)
{
    SetCounters(1, 1);
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    Choose(P::kCategoryId, 2);
    Vel_UIItem* sturdy = Available(F::kSturdyFeat);
    ASSERT_NE(sturdy, nullptr);
    EXPECT_FALSE(Draggable(sturdy));
    EXPECT_EQ(sturdy->GetFontVariant(), 1);
    Spinner(W::kFirstAbilitySpinner + VelEntity::kCon)->GetValueField()->SetLong(15);
    EXPECT_TRUE(Draggable(sturdy));
    EXPECT_EQ(sturdy->GetFontVariant(), 0);

    // Without a single feat left every row is closed.
    SetCounters(0, 0);
    hero->changeMask = VelCharacter::kChangedFeats;
    hero->NotifyChanged();
    EXPECT_FALSE(Draggable(sturdy));
}

TEST_F(FeatsPageTest, WithoutABonusClassOnlyTheGeneralListShows)
{
    Remake({kPriest});
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    EXPECT_EQ(Page()->GetChosenList()->GetId(), P::kChosenId);
    EXPECT_TRUE(Page()->GetChosenList()->IsVisible());
    for (std::uint16_t id : {P::kChosenWithBonusId, P::kBonusSectionId, P::kBonusLeftId, P::kBonusListId})
        EXPECT_FALSE(window->FindDescendant(id)->GetVisibleFlag()) << id;
    Remake({kFighter});
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    EXPECT_EQ(Page()->GetChosenList()->GetId(), P::kChosenWithBonusId);
    for (std::uint16_t id : {P::kChosenWithBonusId, P::kBonusSectionId, P::kBonusLeftId, P::kBonusListId})
        EXPECT_TRUE(window->FindDescendant(id)->GetVisibleFlag()) << id;
    EXPECT_FALSE(window->FindDescendant(P::kChosenId)->GetVisibleFlag());
}

TEST_F(FeatsPageTest, AChosenListStaysWhereItWasWhenAFeatGoesBack)
{
    SetCounters(0, 1);
    for (std::uint16_t i = 0; i < 3; ++i)
        AddFeat(hero, static_cast<std::uint16_t>(F::kFirstFeat + i), kNo, kNo, false);
    ASSERT_NE(OpenPage<P>(kFeatsEntry), nullptr);
    Vel_UIListBox* general = Page()->GetChosenList();
    ASSERT_EQ(Rows(general).size(), 3u);
    // A list that shows one row, so that the rest scroll.
    UIScrollFrame* frame = general->GetScrollFrame();
    frame->SetSize(frame->GetSize().x, general->GetItemExtent());
    general->UpdateLayout();
    DragRow(general, Rows(general)[1], window->FindDescendant(6711));
    ASSERT_EQ(Rows(general).size(), 2u);
    EXPECT_EQ(general->GetScrollPosition().y, general->GetItemExtent());
}
} // namespace
