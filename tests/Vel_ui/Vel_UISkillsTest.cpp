// The skills page in the character window over its built layouts and the
// fixture rule set: drops that buy ranks within the points and the maximum,
// removal, the rows' spinners, other classes' rows, sub-skills through the
// target dialog, the breakdown and a lowered INT. Every edit marks the
// character modified.

#include "Vel_ui/SkillPagesFixture.h"

#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelClassInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSkillInfo.h"
#include "Vel_ui/Vel_UISkillItem.h"
#include "Vel_ui/Vel_UISkills.h"
#include "Vel_ui/Vel_UIWin_SelectTarget.h"

#include <tuple>
#include <vector>

namespace
{
using S = Vel_UISkills;
using W = Vel_UIWin_CharConfig;
using Skill = VelCharacterSkill;
using F = RulesFixture;

// Fixture skills of class 4: 49 and 52 are class skills, 50 and 51
// cross-class; for class 2 skill 50 is cross-class too. Class 4 at level 1
// with INT 12 has 16 points, class 2 (second) 5.
constexpr std::uint16_t kClassSkill = 49;
constexpr std::uint16_t kCrossSkill = 50;
constexpr std::uint16_t kPriest = 2;
constexpr std::uint16_t kNone = Skill::kNoSubSkill;

class SkillsPageTest : public SkillPagesFixture
{
protected:
    S* Page() { return dynamic_cast<S*>(window->GetCurrentPage()); }
    Vel_UISkillItem* Available(std::uint16_t skillId)
    {
        return FindRow<Vel_UISkillItem>(Page()->GetAvailableList(),
                                        [&](const Vel_UISkillItem& r) { return r.skillId == skillId; });
    }
    Vel_UISkillItem* Held(std::uint16_t skillId, std::uint16_t classId)
    {
        return FindRow<Vel_UISkillItem>(Page()->GetSkillList(), [&](const Vel_UISkillItem& r)
                                        { return r.skillId == skillId && r.classId == classId; });
    }
    void DropOnSkills(std::uint16_t skillId)
    {
        DragRow(Page()->GetAvailableList(), Available(skillId), Page()->GetSkillList());
    }
    // A row off the list onto the page's heading, where nothing takes it.
    void DragOff(Vel_UISkillItem* row)
    {
        DragRow(Page()->GetSkillList(), row, window->FindDescendant(6201));
    }
    // Ranks the class bought before, with the points they cost.
    void Give(std::uint16_t skillId, std::uint16_t classId, std::int32_t kind, float ranks,
              std::uint16_t subSkillId = kNone)
    {
        Skill* entry = hero->FindSkill(skillId, subSkillId);
        if (!entry)
        {
            entry = new Skill(skillId, subSkillId);
            hero->AddSkill(entry);
            entry->Release();
        }
        entry->SetRanks(static_cast<std::int16_t>(classId), kind, ranks);
        ClassEntry(classId)->skillPointsSpent = static_cast<std::uint16_t>(
            ClassEntry(classId)->skillPointsSpent + (kind == 2 ? 2 * ranks : ranks));
    }
    float Ranks(std::uint16_t skillId, std::uint16_t classId, std::int32_t kind,
                std::uint16_t subSkillId = kNone)
    {
        const Skill* entry = hero->FindSkill(skillId, subSkillId);
        return entry ? entry->GetRanks(static_cast<std::int16_t>(classId), kind) : -1.0f;
    }
    UINumberScroll* RowSpinner(Vel_UISkillItem* row) { return row ? row->GetNumberScroll() : nullptr; }
};

TEST_F(SkillsPageTest, DropsBuyRanksWithinThePointsAndTheMaximum)
{
    struct Case
    {
        const char* what;
        std::uint16_t skill;
        bool twoClasses;
        std::int32_t pointsLeft;   // of class 4 before the drop
        float otherRanks;          // cross-class ranks class 2 holds already
        float ranks;               // class 4's ranks of the filter's kind after
        std::int32_t kind;
        std::int32_t spent;        // points the drop cost
    };
    const Case cases[] = {
        {"class skill", kClassSkill, false, 16, 0.0f, 1.0f, 1, 1},
        {"cross-class, one point", kCrossSkill, false, 1, 0.0f, 0.5f, 2, 1},
        {"cross-class, two points", kCrossSkill, false, 2, 0.0f, 1.0f, 2, 2},
        {"maximum half used by class 2", kCrossSkill, true, 16, 2.0f, 0.5f, 2, 1},
        {"maximum used by class 2", kCrossSkill, true, 16, 2.5f, 0.0f, 2, 0},
        {"no points", kClassSkill, false, 0, 0.0f, -1.0f, 1, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        if (c.twoClasses)
            Remake({kFighter, kPriest});
        else
            Remake({kFighter});
        ClassEntry(kFighter)->skillPointsSpent =
            static_cast<std::uint16_t>(ClassEntry(kFighter)->skillPointsAvailable - c.pointsLeft);
        if (c.otherRanks > 0.0f)
            Give(c.skill, kPriest, 2, c.otherRanks);
        hero->modified = 0;
        ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
        if (c.kind == 2)
            Choose(S::kFilterId, 2);
        Vel_UISkillItem* row = Available(c.skill);
        ASSERT_NE(row, nullptr);
        const bool open = c.spent > 0;
        EXPECT_EQ(Draggable(row), open);
        EXPECT_EQ(row->GetFontVariant(), open ? 0 : 1);
        // A stale row proves nothing: the drop itself is checked again.
        row->SetDraggable(true);
        DropOnSkills(c.skill);
        EXPECT_EQ(Ranks(c.skill, kFighter, c.kind), c.ranks);
        EXPECT_EQ(PointsLeft(kFighter), c.pointsLeft - c.spent);
        EXPECT_EQ(Text(S::kPointsId), std::to_string(c.pointsLeft - c.spent));
        EXPECT_EQ(hero->modified, open ? 1 : 0);
        EXPECT_EQ(Held(c.skill, kFighter) != nullptr, open);
    }
}

TEST_F(SkillsPageTest, DraggingOffRefundsTheRowsClassAndTheLastRemovesTheSkill)
{
    Remake({kFighter, kPriest});
    Give(kCrossSkill, kFighter, 2, 1.0f);
    Give(kCrossSkill, kPriest, 2, 1.0f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    ASSERT_EQ(Rows(Page()->GetSkillList()).size(), 2u);
    // Another class's row cannot be stepped, but can be given back.
    ASSERT_NE(Held(kCrossSkill, kPriest), nullptr);
    EXPECT_FALSE(RowSpinner(Held(kCrossSkill, kPriest))->IsEnabled());
    EXPECT_TRUE(RowSpinner(Held(kCrossSkill, kFighter))->IsEnabled());

    hero->modified = 0;
    DragOff(Held(kCrossSkill, kPriest));
    EXPECT_EQ(ClassEntry(kPriest)->skillPointsSpent, 0);
    EXPECT_EQ(ClassEntry(kFighter)->skillPointsSpent, 2);
    EXPECT_NE(hero->FindSkill(kCrossSkill, kNone), nullptr) << "class 4 still holds ranks";
    EXPECT_EQ(Ranks(kCrossSkill, kPriest, 2), 0.0f);
    EXPECT_EQ(Rows(Page()->GetSkillList()).size(), 1u);
    EXPECT_EQ(hero->modified, 1);

    DragOff(Held(kCrossSkill, kFighter));
    EXPECT_EQ(hero->FindSkill(kCrossSkill, kNone), nullptr);
    EXPECT_EQ(ClassEntry(kFighter)->skillPointsSpent, 0);
    EXPECT_TRUE(Rows(Page()->GetSkillList()).empty());
    EXPECT_EQ(Text(S::kPointsId), "16");
}

TEST_F(SkillsPageTest, RowsThatStayAreKeptAndTheListStaysInOrder)
{
    using Key = std::tuple<std::uint16_t, std::uint16_t, std::int32_t>; // skill, class, kind
    const auto keys = [this]
    {
        std::vector<Key> found;
        std::int32_t lastTop = -1;
        for (Vel_UISkillItem* row : Rows<Vel_UISkillItem>(Page()->GetSkillList()))
        {
            found.emplace_back(row->skillId, row->classId, row->classKind);
            EXPECT_GT(row->GetScreenRect().top, lastTop) << "laid out in the list's order";
            lastTop = row->GetScreenRect().top;
        }
        return found;
    };
    // Every fixture skill has one name: rows order by class, kind, then skill.
    Remake({kFighter, kPriest});
    Give(52, kFighter, 1, 1.0f);
    Give(kCrossSkill, kPriest, 2, 1.0f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    ASSERT_EQ(keys(), (std::vector<Key>{{kCrossSkill, kPriest, 2}, {52, kFighter, 1}}));
    Vel_UISkillItem* priestRow = Held(kCrossSkill, kPriest);
    Vel_UISkillItem* lastRow = Held(52, kFighter);

    DropOnSkills(kClassSkill);
    EXPECT_EQ(keys(), (std::vector<Key>{{kCrossSkill, kPriest, 2}, {kClassSkill, kFighter, 1}, {52, kFighter, 1}}))
        << "the new row goes between the others, not after them";
    EXPECT_EQ(Held(kCrossSkill, kPriest), priestRow);
    EXPECT_EQ(Held(52, kFighter), lastRow);

    DragOff(Held(kClassSkill, kFighter));
    EXPECT_EQ(keys(), (std::vector<Key>{{kCrossSkill, kPriest, 2}, {52, kFighter, 1}}));
    EXPECT_EQ(Held(kCrossSkill, kPriest), priestRow);
    EXPECT_EQ(Held(52, kFighter), lastRow);
}

TEST_F(SkillsPageTest, ArrowsAndTypedRanksAreChargedTheirDifference)
{
    Give(kClassSkill, kFighter, 1, 1.0f);
    Give(kCrossSkill, kFighter, 2, 0.5f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    UINumberScroll* whole = RowSpinner(Held(kClassSkill, kFighter));
    UINumberScroll* half = RowSpinner(Held(kCrossSkill, kFighter));
    ASSERT_NE(whole, nullptr);
    ASSERT_NE(half, nullptr);
    EXPECT_FALSE(whole->GetDecreaseButton()->IsEnabled()) << "never below one rank";
    EXPECT_EQ(PointsLeft(kFighter), 14);

    struct Step
    {
        UINumberScroll* spinner;
        bool up;
        float classRanks;
        float crossRanks;
        std::int32_t left;
    };
    const Step steps[] = {
        {whole, true, 2.0f, 0.5f, 13},
        {half, true, 2.0f, 1.0f, 12},
        {whole, false, 1.0f, 1.0f, 13},
        {half, false, 1.0f, 0.5f, 14},
    };
    for (const Step& s : steps)
    {
        hero->modified = 0;
        ClickControl(s.up ? s.spinner->GetIncreaseButton() : s.spinner->GetDecreaseButton());
        EXPECT_EQ(Ranks(kClassSkill, kFighter, 1), s.classRanks);
        EXPECT_EQ(Ranks(kCrossSkill, kFighter, 2), s.crossRanks);
        EXPECT_EQ(PointsLeft(kFighter), s.left);
        EXPECT_EQ(Text(S::kPointsId), std::to_string(s.left));
        EXPECT_EQ(hero->modified, 1);
    }
    EXPECT_EQ(half->GetValueField()->GetText(), "0.5");

    // Typed: charged the exact difference; beyond the maximum (4 at level 1)
    // it waits for the field to be put right.
    whole->GetValueField()->SetLong(4);
    EXPECT_EQ(Ranks(kClassSkill, kFighter, 1), 4.0f);
    EXPECT_EQ(PointsLeft(kFighter), 11);
    whole->GetValueField()->SetLong(6);
    EXPECT_EQ(Ranks(kClassSkill, kFighter, 1), 4.0f);
    EXPECT_EQ(PointsLeft(kFighter), 11);
    EXPECT_FALSE(whole->GetIncreaseButton()->IsEnabled()) << "at the skill's maximum";
}

TEST_F(SkillsPageTest, ARowStopsAtTheRoomAnotherClassLeftAndAtThePoints)
{
    Remake({kFighter, kPriest});
    // Maximum 2.5 at total level 2: class 2 holds 2, class 4 half a rank.
    Give(kCrossSkill, kPriest, 2, 2.0f);
    Give(kCrossSkill, kFighter, 2, 0.5f);
    Give(kClassSkill, kFighter, 1, 1.0f);
    ClassEntry(kFighter)->skillPointsSpent = static_cast<std::uint16_t>(
        ClassEntry(kFighter)->skillPointsAvailable - 1);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    ui.Frame();
    ui.SavePng(std::string(STAVELORN_BINARY_DIR) + "/skills-page.png");
    UINumberScroll* cross = RowSpinner(Held(kCrossSkill, kFighter));
    UINumberScroll* whole = RowSpinner(Held(kClassSkill, kFighter));
    double low = 0;
    double high = 0;
    cross->GetValueField()->GetRange(low, high);
    EXPECT_EQ(high, 0.5);
    whole->GetValueField()->GetRange(low, high);
    EXPECT_EQ(high, 2.0) << "one point left: one more rank";
    ClickControl(whole->GetIncreaseButton());
    whole->GetValueField()->GetRange(low, high);
    EXPECT_EQ(high, 2.0) << "no point left: no further";
    EXPECT_FALSE(whole->GetIncreaseButton()->IsEnabled());
}

TEST_F(SkillsPageTest, ASubSkillComesFromTheTargetDialog)
{
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    hero->modified = 0;
    DropOnSkills(F::kCraftSkill);
    ASSERT_EQ(TopId(), Vel_UIWin_SelectTarget::kDialogId);
    EXPECT_FALSE(Enabled(W::kRollerButton)) << "the window waits for the dialog";
    ClickControl(Page()->GetDialog()->FindDescendant(Vel_UIDialog::kCloseButtonId));
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_TRUE(Enabled(W::kRollerButton));
    EXPECT_EQ(hero->FindSkill(F::kCraftSkill, 0), nullptr);
    EXPECT_EQ(hero->modified, 0);

    DropOnSkills(F::kCraftSkill);
    Vel_UIWin_SelectTarget* dialog = Page()->GetDialog();
    ASSERT_NE(dialog, nullptr);
    ui.Frame();
    ui.SavePng(std::string(STAVELORN_BINARY_DIR) + "/target-dialog.png");
    EXPECT_EQ(Names(dialog->GetList()), (std::vector<std::string>{"Smithing", "Weaving"}));
    // A row explains itself on the help line; the plate around it does not.
    const FCPoint weaving = Centre(Rows(dialog->GetList())[1]);
    ui.Move(weaving.x, weaving.y);
    EXPECT_EQ(Text(W::kHelpLine), "About Weaving.");
    const FCPoint heading = Centre(dialog->FindDescendant(Vel_UIWin_SelectTarget::kHeadingId));
    ui.Move(heading.x, heading.y);
    EXPECT_EQ(Text(W::kHelpLine), *FCResourceManager::GetInstance()->GetString(S::kScreenId));
    ClickControl(Rows(dialog->GetList())[0]);
    ClickControl(dialog->FindDescendant(Vel_UIDialog::kSecondControlId));
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_TRUE(Enabled(W::kRollerButton));
    EXPECT_EQ(Ranks(F::kCraftSkill, kFighter, 1, 0), 1.0f);
    EXPECT_EQ(PointsLeft(kFighter), 15);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(Names(Page()->GetSkillList()), (std::vector<std::string>{"Craft (Smithing)"}));

    // Without the dialog's layout the drop is let go and the window stays.
    Stand("velSelectTarget.ui", Vel_UIWin_SelectTarget::kDialogId, "UIWindow");
    DropOnSkills(F::kCraftSkill);
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_TRUE(Enabled(W::kRollerButton));
    EXPECT_EQ(window->GetDialogDepth(), 0);
    EXPECT_EQ(hero->FindSkill(F::kCraftSkill, 1), nullptr);
}

TEST_F(SkillsPageTest, TheBreakdownFollowsThePointerOverTheCharactersRows)
{
    Give(kClassSkill, kFighter, 1, 2.0f);
    Give(F::kCraftSkill, kFighter, 1, 1.0f, 1);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    const char* cleared[] = {"`", "`", "`", "`"};
    const std::uint16_t ids[] = {S::kTotalId, S::kRanksId, S::kAbilityPartId, S::kMiscPartId};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Text(ids[i]), cleared[i]);
    // Skill 49 goes by CHA (12): +1 and two ranks.
    const FCPoint over = Centre(Held(kClassSkill, kFighter)->GetColumnControl(0));
    ui.Move(over.x, over.y);
    const char* shown[] = {"3", "2", "+1", "+0"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Text(ids[i]), shown[i]) << ids[i];
    const FCPoint craft = Centre(Held(F::kCraftSkill, kFighter)->GetColumnControl(0));
    ui.Move(craft.x, craft.y);
    EXPECT_EQ(Text(W::kHelpLine), "About Weaving.") << "the sub-skill's own description";
    ui.Move(400, 30);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Text(ids[i]), cleared[i]);
    EXPECT_EQ(Text(W::kHelpLine), *FCResourceManager::GetInstance()->GetString(S::kScreenId));
}

TEST_F(SkillsPageTest, TheBreakdownUnderThePointerFollowsTheRowsArrows)
{
    Give(kClassSkill, kFighter, 1, 2.0f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    UINumberScroll* spinner = RowSpinner(Held(kClassSkill, kFighter));
    ASSERT_NE(spinner, nullptr);
    // A click does not move the pointer: it goes onto the arrow first.
    const auto step = [&](const UIControl* arrow)
    {
        const FCPoint at = Centre(arrow);
        ui.Move(at.x, at.y);
        ClickControl(arrow);
        return Text(S::kTotalId) + " " + Text(S::kRanksId);
    };
    EXPECT_EQ(step(spinner->GetIncreaseButton()), "4 3");
    EXPECT_EQ(step(spinner->GetDecreaseButton()), "3 2");
}

TEST_F(SkillsPageTest, AnIntLoweredTakesPointsAwayAndGreysTheAvailableSkills)
{
    Give(kClassSkill, kFighter, 1, 4.0f);
    Give(kCrossSkill, kFighter, 2, 2.0f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    EXPECT_EQ(PointsLeft(kFighter), 8);
    EXPECT_TRUE(Draggable(Available(52)));
    // INT 8: max(1, -1 + 3) = 2 points a level, 8 at the first.
    Spinner(W::kFirstAbilitySpinner + VelEntity::kInt)->GetValueField()->SetLong(8);
    EXPECT_EQ(Text(S::kPointsId), "0");
    EXPECT_FALSE(Draggable(Available(52)));
    EXPECT_EQ(Rows(Page()->GetSkillList()).size(), 2u);
    Spinner(W::kFirstAbilitySpinner + VelEntity::kInt)->GetValueField()->SetLong(6);
    EXPECT_EQ(Text(S::kPointsId), "-4");
}

TEST_F(SkillsPageTest, EntryHelpFilterAndUnavailableSkills)
{
    struct Case
    {
        std::initializer_list<std::uint16_t> classes;
        std::uint16_t help;
    };
    const Case cases[] = {{{kFighter}, S::kScreenId}, {{kFighter, kPriest}, S::kMultiClassHelpId}};
    for (const Case& c : cases)
    {
        Remake(c.classes);
        ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
        EXPECT_EQ(window->GetCurrentPageIndex(), 1);
        EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), c.help);
        EXPECT_EQ(Text(W::kHelpLine), *FCResourceManager::GetInstance()->GetString(c.help));
    }
    // Class skills first; the filter's choice survives a page switch.
    EXPECT_EQ(Page()->GetFilter(), 1);
    for (Vel_UISkillItem* row : Rows<Vel_UISkillItem>(Page()->GetAvailableList()))
        EXPECT_EQ(row->classKind, 1) << row->skillId;
    Choose(S::kFilterId, 2);
    EXPECT_EQ(Page()->GetFilter(), 2);
    EXPECT_NE(Available(kCrossSkill), nullptr);
    EXPECT_EQ(Available(kClassSkill), nullptr);
    ClickChild(4702);
    ClickChild(kSkillsEntry);
    EXPECT_NE(Available(kCrossSkill), nullptr);

    // Class 0 cannot have Craft: listed under "not for this class", greyed.
    Remake({0});
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    Choose(S::kFilterId, 0);
    Vel_UISkillItem* craft = Available(F::kCraftSkill);
    ASSERT_NE(craft, nullptr);
    EXPECT_FALSE(Draggable(craft));
    EXPECT_EQ(craft->GetFontVariant(), 1);
    EXPECT_EQ(Rows(Page()->GetAvailableList()).size(), 1u);
}
} // namespace

namespace
{
// Layouts that hold the pages and the dialog but none of their children:
// every operation finds nothing to show and leaves the character alone.
TEST_F(SkillsPageTest, PagesAndTheDialogWithoutTheirChildrenChangeNothing)
{
    Stand("velSkills.ui", S::kScreenId, "Vel_UISkills");
    Stand("velFeats.ui", 6500, "Vel_UIFeats");
    Stand("velSelectTarget.ui", Vel_UIWin_SelectTarget::kDialogId, "Vel_UIWin_SelectTarget");
    Give(kClassSkill, kFighter, 1, 1.0f);
    for (std::uint16_t entry : {kSkillsEntry, kFeatsEntry})
    {
        SCOPED_TRACE(entry);
        auto* page = OpenPage<Vel_UIPanel>(entry);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(window->GetCurrentPageIndex(), entry - 4702);
        page->Refresh();
        hero->changeMask = VelCharacter::kChangedSkills | VelCharacter::kChangedFeats | 0x3F;
        hero->NotifyChanged();
        UIEvent stray(page, UIMessage::kDroppedOnto, FCPoint(0, 0), 0, 0);
        page->HandleNotify(stray);
    }
    EXPECT_EQ(Ranks(kClassSkill, kFighter, 1), 1.0f);
    EXPECT_EQ(ClassEntry(kFighter)->skillPointsSpent, 1);

    DialogLayouts::RecordingOwner owner;
    Vel_UIWin_SelectTarget* dialog =
        Vel_UIWin_SelectTarget::Open(&owner, Vel_UIWin_SelectTarget::kModeFeat, 54);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetList(), nullptr);
    dialog->Accept();
    EXPECT_TRUE(owner.results.empty());
    dialog->Close(1);
    dialog->Release();
    EXPECT_EQ(owner.Codes(), (std::vector<std::uint16_t>{UIMessage::kResultClosed}));
}
} // namespace

namespace
{
TEST_F(SkillsPageTest, ADialogOpenWhenItsPageGoesClosesWithoutAWord)
{
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    DropOnSkills(F::kCraftSkill);
    ASSERT_EQ(TopId(), Vel_UIWin_SelectTarget::kDialogId);
    const auto dialog = FCCountedRef<Vel_UIWin_SelectTarget>::Share(Page()->GetDialog());
    // A new character window replaces the old one, and its pages go.
    ASSERT_NE(Open(), nullptr);
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_TRUE(Enabled(W::kRollerButton));
    EXPECT_EQ(hero->FindSkill(F::kCraftSkill, 0), nullptr);
}

TEST_F(SkillsPageTest, RowsOfOneSkillForTwoClassesShowItsNameAndTheClassOnHover)
{
    Remake({kFighter, kPriest});
    Give(kCrossSkill, kFighter, 2, 1.0f);
    Give(kCrossSkill, kPriest, 2, 1.0f);
    Give(52, kFighter, 1, 1.0f);
    ASSERT_NE(OpenPage<S>(kSkillsEntry), nullptr);
    const VelSkillInfo* skill = VelDatabase::FindSkill(kCrossSkill);
    const VelClassInfo* fighter = VelDatabase::FindClass(kFighter);
    const VelClassInfo* priest = VelDatabase::FindClass(kPriest);
    ASSERT_TRUE(skill && fighter && priest);
    ASSERT_NE(Held(kCrossSkill, kFighter), nullptr);
    ASSERT_NE(Held(kCrossSkill, kPriest), nullptr);
    EXPECT_EQ(Held(kCrossSkill, kFighter)->GetColumnText(0), skill->name);
    EXPECT_EQ(Held(kCrossSkill, kPriest)->GetColumnText(0), skill->name);
    EXPECT_EQ(Held(52, kFighter)->GetColumnText(0), VelDatabase::FindSkill(52)->name);
    // The row's class shows in the shared picture's caption while hovered.
    auto caption = [&] { return Text(W::kSharedInfoText); };
    auto hover = [&](std::uint16_t classId)
    {
        const FCPoint over = Centre(Held(kCrossSkill, classId)->GetColumnControl(0));
        ui.Move(over.x, over.y);
    };
    const std::string current = caption();
    hover(kPriest);
    EXPECT_NE(caption().find(priest->name), std::string::npos) << caption();
    hover(kFighter);
    EXPECT_NE(caption().find(fighter->name), std::string::npos) << caption();
    ui.Move(400, 30);
    EXPECT_EQ(caption(), current);
}

TEST_F(SkillsPageTest, SkillsAndFeatsHideTheWindowsSharedButtonThatDoesNothingThere)
{
    for (const std::uint16_t entry : {kSkillsEntry, kFeatsEntry})
    {
        SCOPED_TRACE(entry);
        ASSERT_NE(OpenPage<Vel_UIPanel>(entry), nullptr);
        const UIControl* shared = window->FindDescendant(Vel_UIWin_CharConfig::kSharedButton);
        ASSERT_NE(shared, nullptr);
        EXPECT_FALSE(shared->GetVisibleFlag());
    }
}
} // namespace
