// The target dialog over its built layout and the fixture rule set: what it
// lists for each feat and skill and what it greys, and what it reports. Also
// that every text the skills and feats pages and the dialog read exists.

#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelIds.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel/Rules/VelFeatRules.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIFeats.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "Vel_ui/Vel_UISkills.h"
#include "Vel_ui/Vel_UIWin_SelectTarget.h"
#include "support/DialogLayouts.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using D = Vel_UIWin_SelectTarget;
using F = RulesFixture;
using Feat = VelCharacterFeat;
constexpr std::uint16_t kNo = Feat::kNoChoice;

class SelectTargetTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(rules.IsLoaded());
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("Sfx");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        Hero(4);
    }
    void TearDown() override
    {
        held.Reset();
        ui.RecreateManager();
        VelClient::SetCurrentCharacter(nullptr);
    }
    void Hero(std::uint16_t classId)
    {
        hero = VelClient::CreateCharacter();
        hero->raceId = F::kRace;
        hero->AddClass(classId);
        FinishCharacterSetup(hero, true);
        hero->currentClassId = classId;
        VelClient::SetCurrentCharacter(hero);
        hero->Release();
    }
    // Feats held, as the rules take them.
    void Hold(std::uint16_t featId, std::uint16_t choice, std::uint16_t second = kNo, bool bonus = false)
    {
        AddFeat(hero, featId, choice, second, bonus);
    }
    void HoldSkill(std::uint16_t skillId, std::uint16_t subSkillId)
    {
        auto* entry = new VelCharacterSkill(skillId, subSkillId);
        entry->SetRanks(static_cast<std::int16_t>(hero->currentClassId), 1, 1.0f);
        hero->AddSkill(entry);
        entry->Release();
    }
    D* Open(D::Mode mode, std::uint16_t id)
    {
        held = FCCountedRef<D>::Adopt(D::Open(&owner, mode, id));
        dialog = held.Get();
        return dialog;
    }
    // "Name" for a row that may be chosen, "(Name)" for a greyed one.
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> rows;
        UIListBox::ItemCursor cursor;
        UIControl* item = nullptr;
        dialog->GetList()->BeginIteration(cursor);
        while (dialog->GetList()->NextItem(item, cursor))
        {
            const std::string name = static_cast<Vel_UIItem*>(item)->GetColumnText(0);
            rows.push_back(D::IsChoosable(item) ? name : "(" + name + ")");
        }
        return rows;
    }
    std::string Heading() const
    {
        return dynamic_cast<UITextControl*>(dialog->FindDescendant(D::kHeadingId))->GetText();
    }
    std::string Text(std::uint16_t id) const
    {
        const std::string* text = FCResourceManager::GetInstance()->GetString(id);
        return text ? *text : "(none)";
    }
    UIControl* Ok() const { return dialog->FindDescendant(D::kSecondControlId); }
    void ClickControl(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        ui.Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ui.Update();
    }

    QuietLog quiet;
    RulesFixture rules;
    UiHarness ui;
    VelCharacter* hero = nullptr;
    DialogLayouts::RecordingOwner owner;
    // Kept past its closing, to be asked about it.
    FCCountedRef<D> held;
    D* dialog = nullptr;
};

TEST_F(SelectTargetTest, FeatsListTheirTargetsAndGreyWhatCannotBeChosen)
{
    struct Case
    {
        const char* what;
        std::uint16_t classId;
        std::function<void(SelectTargetTest&)> held;
        std::uint16_t feat;
        std::uint16_t heading;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"exotic, class 4", 4, {}, 13, 16002, {"Blowgun", "Chain Whip"}},
        {"exotic, class 3", 3, {}, 13, 16002, {"(Blowgun)", "Chain Whip"}},
        {"martial, proficient", 4, {}, 26, 16001, {"(Axe)", "(Longblade)", "(Maul)", "(Net)", "(Rapier)"}},
        {"martial, not proficient", 2, {}, 26, 16001, {"Axe", "Longblade", "(Maul)", "Net", "Rapier"}},
        {"critical", 4, [](SelectTargetTest& t) { t.Hold(19, F::kAxe); }, 19, 16000,
         {"(Axe)", "Knife", "Longblade", "(Maul)", "Rapier", "Sling", "Sword", "Unarmed"}},
        {"finesse", 4, [](SelectTargetTest& t) { t.Hold(53, F::kKnife); }, 53, 16000,
         {"(Knife)", "Rapier", "Unarmed"}},
        {"finesse, small: light weapons alone", 4,
         [](SelectTargetTest&) { VelDatabase::FindRace(F::kRace)->sizeId = VelIds::kSizeSmall; }, 53,
         16000, {"Unarmed"}},
        {"mastery: each weapon once", 4,
         [](SelectTargetTest& t)
         {
             t.Hold(54, F::kAxe);
             t.Hold(54, F::kAxe, kNo, true);
             t.Hold(54, F::kKnife);
             t.Hold(73, F::kKnife);
         },
         73, 16000, {"Axe", "(Knife)"}},
        {"101: no longer a feat of held weapons", 4, [](SelectTargetTest& t) { t.Hold(54, F::kKnife); },
         101, 0, {}},
        {"102: no longer a feat of held weapons", 4, [](SelectTargetTest& t) { t.Hold(73, F::kAxe); },
         102, 0, {}},
        {"46: the skills held", 4,
         [](SelectTargetTest& t)
         {
             t.HoldSkill(F::kFirstSkill, VelCharacterSkill::kNoSubSkill);
             t.HoldSkill(F::kCraftSkill, 1);
             t.Hold(46, F::kCraftSkill, 1);
         },
         46, 16003, {"(Craft (Weaving))", "Skill"}},
        {"47: schools, one prohibited", 10,
         [](SelectTargetTest& t)
         {
             t.hero->SetSchool(VelCharacter::kFirstProhibitedSlot, F::kFirstSchool + 1);
             t.Hold(47, F::kFirstSchool + 2);
         },
         47, 16004, {"School C", "(School B)", "(School A)"}},
        {"74: no longer a feat of held schools", 10,
         [](SelectTargetTest& t)
         {
             t.Hold(47, F::kFirstSchool);
             t.Hold(47, F::kFirstSchool + 2);
             t.Hold(74, F::kFirstSchool);
         },
         74, 0, {}},
        {"no target", 4, {}, F::kFirstFeat, 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        VelDatabase::FindRace(F::kRace)->sizeId = F::kSize;
        Hero(c.classId);
        if (c.held)
            c.held(*this);
        ASSERT_NE(Open(D::kModeFeat, c.feat), nullptr);
        EXPECT_EQ(dialog->GetMode(), D::kModeFeat);
        EXPECT_EQ(Listed(), c.rows);
        EXPECT_EQ(Heading(), c.heading ? Text(c.heading) : std::string());
        EXPECT_FALSE(Ok()->IsEnabled()) << "nothing chosen yet";
        dialog->Close(0);
    }
}

TEST_F(SelectTargetTest, SkillsListTheirSubSkillsAndGreyThoseHeldOrSpoken)
{
    HoldSkill(F::kCraftSkill, 0);
    struct Case
    {
        std::uint16_t skill;
        std::uint16_t heading;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        // The race speaks tongue 1 from the start.
        {F::kLanguageSkill, 16013,
         {"Lost tongue", "Old tongue", "Tongue of the hills", "(Tongue of the plains)"}},
        {F::kCraftSkill, 16010, {"(Smithing)", "Weaving"}},
        {F::kFirstSkill, 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.skill);
        ASSERT_NE(Open(D::kModeSkill, c.skill), nullptr);
        EXPECT_EQ(Listed(), c.rows);
        EXPECT_EQ(Heading(), c.heading ? Text(c.heading) : std::string());
        const auto* message = dynamic_cast<UITextControl*>(dialog->FindDescendant(D::kMessageTextId));
        EXPECT_EQ(message->GetText(), c.skill == F::kCraftSkill ? "Craft"
                                      : c.skill == F::kLanguageSkill ? "Speak Language"
                                                                     : "Skill");
        dialog->Close(0);
    }
}

TEST_F(SelectTargetTest, OkReportsTheChoiceThenTheClosingAndNeverAGreyedRow)
{
    HoldSkill(F::kFirstSkill, VelCharacterSkill::kNoSubSkill);
    HoldSkill(F::kCraftSkill, 1);
    Hold(46, F::kCraftSkill, 1);
    ASSERT_NE(Open(D::kModeFeat, 46), nullptr);
    EXPECT_EQ(ui.Devices().sound.requests.back().what, "2200");
    // The program selects the greyed row: OK stays off, Accept does nothing.
    UIControl* greyed = dialog->GetList()->ItemAt(0, 0);
    ASSERT_FALSE(D::IsChoosable(greyed));
    UIListBox::SelectItem(greyed, 1);
    EXPECT_EQ(dialog->GetList()->GetSelectedItem(0), greyed);
    EXPECT_FALSE(Ok()->IsEnabled());
    dialog->Accept();
    EXPECT_TRUE(owner.results.empty());
    EXPECT_TRUE(dialog->IsOpen());
    // A user's click on it selects nothing.
    ClickControl(dialog->GetList()->ItemAt(1, 0));
    ClickControl(greyed);
    EXPECT_NE(dialog->GetList()->GetSelectedItem(0), greyed);

    ASSERT_TRUE(Ok()->IsEnabled());
    ClickControl(Ok());
    ASSERT_EQ(owner.Codes(), (std::vector<std::uint16_t>{D::kResultTargetChosen, UIMessage::kResultClosed}));
    // Skill 50 without a sub-skill: its key is none in the high half.
    EXPECT_EQ(owner.results[0].param, 0xFFFF0000u | F::kFirstSkill);
    EXPECT_EQ(D::ChoiceOf(static_cast<std::uint32_t>(owner.results[0].param)), F::kFirstSkill);
    EXPECT_EQ(D::SecondChoiceOf(static_cast<std::uint32_t>(owner.results[0].param)), kNo);
    EXPECT_EQ(owner.results[1].sender, dialog);
    EXPECT_EQ(dialog->GetId(), D::kDialogId);
    EXPECT_FALSE(dialog->IsOpen());
}

TEST_F(SelectTargetTest, CancelReportsOnlyTheClosing)
{
    ASSERT_NE(Open(D::kModeSkill, F::kCraftSkill), nullptr);
    ClickControl(dialog->GetList()->ItemAt(0, 0));
    ClickControl(dialog->FindDescendant(D::kCloseButtonId));
    EXPECT_EQ(owner.Codes(), (std::vector<std::uint16_t>{UIMessage::kResultClosed}));
}

TEST_F(SelectTargetTest, EveryTextThePagesAndTheDialogReadExists)
{
    std::vector<std::uint16_t> ids = {Vel_UISkills::kScreenId, Vel_UISkills::kMultiClassHelpId,
                                      Vel_UIFeats::kScreenId, 410, 413};
    for (std::uint16_t i = 0; i < 3; ++i)
        ids.push_back(static_cast<std::uint16_t>(Vel_UISkills::kFirstFilterText + i));
    for (std::int32_t c = Vel_UIFeats::kAllCategories; c <= Vel_UIFeats::kBonusCategory; ++c)
        ids.push_back(static_cast<std::uint16_t>(Vel_UIFeats::kFirstCategoryText + 1 + c));
    for (std::uint16_t id = D::kHeadingWeapon; id <= D::kHeadingSchool; ++id)
        ids.push_back(id);
    for (std::uint16_t i = 0; i < 4; ++i)
        ids.push_back(static_cast<std::uint16_t>(D::kFirstSkillHeading + i));
    for (std::uint16_t id : ids)
    {
        const std::string* text = FCResourceManager::GetInstance()->GetString(id);
        ASSERT_NE(text, nullptr) << id;
        EXPECT_FALSE(text->empty()) << id;
    }
}
} // namespace
