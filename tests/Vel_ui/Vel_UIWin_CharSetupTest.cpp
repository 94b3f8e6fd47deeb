#include "Vel_ui/Vel_UIWin_CharSetup.h"

#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIComboBox.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberScroll.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterClass.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelClassAlignmentInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelRaceInfo.h"
#include "Vel_ui/Vel_UIItem.h"
#include "Vel_ui/Vel_UIListBox.h"
#include "support/DbFixture.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using W = Vel_UIWin_CharSetup;

// Alignments in list order 34, 9, 20; class 6 takes only 34, class 5 never 34.
constexpr std::uint16_t kGood = 34;
constexpr std::uint16_t kNeutral = 9;
constexpr std::uint16_t kEvil = 20;
constexpr std::uint16_t kStrict = 6;
constexpr std::uint16_t kWild = 5;
constexpr std::uint16_t kWarrior = 4; // starts with the fixture's sword

bool LoadAlignments()
{
    VelDatabaseWriter file;
    file.BeginSection(VelDatabase::kTagAlignment);
    const std::pair<std::uint16_t, std::uint16_t> orders[] = {{kGood, 0}, {kNeutral, 4}, {kEvil, 8}};
    for (const auto& [id, order] : orders)
    {
        VelAlignmentInfo record;
        record.name = "Alignment " + std::to_string(id);
        record.sortOrder = order;
        file.Add(static_cast<std::int16_t>(id), record);
    }
    file.BeginSection(VelDatabase::kTagClassAlignment);
    for (const auto& [classId, alignment] : {std::pair{kStrict, kNeutral}, std::pair{kStrict, kEvil},
                                             std::pair{kWild, kGood}})
        file.Add(static_cast<std::int16_t>(classId), VelClassAlignmentInfo(classId, alignment));
    return DbFixture::LoadBytes(file.Finish());
}

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The set-up screen from the built layouts over the fixture rules, with a
// client whose character window does not exist, so switching to it fails.
struct SetupScreen
{
    explicit SetupScreen(std::uint16_t mode, void (*prepare)(VelCharacter*) = nullptr)
    {
        const fs::path built = fs::path(STAVELORN_BINARY_DIR) / "Resources";
        for (const char* name : {"velCharSetup.ui", "velClassLevelItem.ui", "velItem_N32_16pt.ui"})
            ui.WriteLayout(name, ReadFile(built / "UI" / name));
        // The real art and fonts, for a look at the screen.
        std::error_code ignored;
        for (const char* folder : {"Art", "Icons"})
        {
            fs::create_directory_symlink(built / folder, fs::path(ui.Folder().GetPath()) / folder, ignored);
            ui.Files().AddSearchDirectory(folder);
        }
        if (FCResourceManager* resources = FCResourceManager::GetInstance())
            resources->LoadResourceFile("GameAssets.bin");
        loaded = rules.IsLoaded() && LoadAlignments();
        // A portrait the built art has, for a look at the screen.
        if (VelRaceInfo* race = VelDatabase::FindRace(RulesFixture::kRace))
            race->imageFile = "race_human.jpg";
        VelCharacter* fresh = VelClient::CreateCharacter();
        fresh->raceId = RulesFixture::kRace;
        fresh->modified = 0;
        if (prepare)
            prepare(fresh);
        VelClient::SetCurrentCharacter(fresh);
        fresh->Release();
        window = dynamic_cast<W*>(ui.Open("velCharSetup.ui"));
        if (!window)
            return;
        window->SetScreenMode(mode);
        levels = dynamic_cast<Vel_UIListBox*>(window->FindDescendant(W::kClassLevelListId));
        table = dynamic_cast<Vel_UIListBox*>(window->FindDescendant(W::kClassTableId));
        ui.Update();
        ui.Paint();
    }
    ~SetupScreen()
    {
        if (const char* shots = std::getenv("STAVELORN_SCREENSHOTS"))
        {
            const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
            ui.Update();
            ui.Paint();
            ui.SavePng(std::string(shots) + "/" + test->name() + ".png");
        }
        ui.RecreateManager();
        VelClient::SetCurrentCharacter(nullptr);
    }
    VelCharacter* Character() const { return VelClient::GetCurrentCharacter(); }
    Vel_UIItem* TableRow(std::uint16_t classId) const
    {
        return dynamic_cast<Vel_UIItem*>(table->FindItemByData(classId));
    }
    Vel_UIItem* LevelRow(std::int32_t index) const
    {
        return dynamic_cast<Vel_UIItem*>(levels->ItemAt(index, 0));
    }
    static FCPoint Centre(const UIControl* control)
    {
        const FCRect rect = control->GetScreenRect();
        return FCPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    void Drag(FCPoint from, FCPoint to)
    {
        ui.Press(from.x, from.y);
        ui.Move(from.x - 20, from.y);
        ui.Move(to.x, to.y);
        ui.Release(to.x, to.y);
        ui.Update();
    }
    // A class row from the table onto the class list.
    void AddClass(std::uint16_t classId)
    {
        Drag(Centre(TableRow(classId)), FCPoint(100, 400));
    }
    // The last class row dragged off the list onto empty space.
    void DragOffRow(std::int32_t index)
    {
        Drag(Centre(LevelRow(index)), FCPoint(600, 100));
    }
    void Step(std::int32_t index, bool up, int times = 1)
    {
        UINumberScroll* scroll = LevelRow(index)->GetNumberScroll();
        UIControl* arrow = up ? scroll->GetIncreaseButton() : scroll->GetDecreaseButton();
        for (int i = 0; i < times; ++i)
        {
            const FCPoint at = Centre(arrow);
            ui.Click(at.x, at.y);
        }
    }
    std::vector<std::uint16_t> ClassIds() const
    {
        std::vector<std::uint16_t> ids;
        for (std::uint32_t i = 0; i < Character()->classes.GetCount(); ++i)
            ids.push_back(static_cast<VelCharacterClass*>(
                              Character()->classes.GetAt(static_cast<std::int32_t>(i)))->classId);
        return ids;
    }
    bool FinishEnabled() const { return window->FindDescendant(W::kFinishId)->IsEnabled(); }
    std::int32_t AlignmentY() const { return window->FindDescendant(W::kAlignmentId)->GetStoredPosition().y; }
    bool AlignmentEnabled(std::uint16_t id) const
    {
        auto* selector = dynamic_cast<UIComboBox*>(window->FindDescendant(W::kAlignmentId));
        return selector->GetList()->FindItemByData(id)->IsEnabled();
    }

    QuietLog quiet;
    UiHarness ui;
    RulesFixture rules;
    VelSettings settings;
    VelClient client;
    bool loaded = false;
    W* window = nullptr;
    Vel_UIListBox* levels = nullptr;
    Vel_UIListBox* table = nullptr;
};

TEST(Vel_UIWin_CharSetupTest, DragClassesInAndOut)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    ASSERT_NE(s.levels, nullptr);
    EXPECT_EQ(s.table->GetItemCount(), 11u);
    EXPECT_FALSE(s.FinishEnabled());
    EXPECT_NE(s.settings.runFlags & W::kHintFlag, 0u);

    s.AddClass(kWarrior);
    s.AddClass(0);
    EXPECT_EQ(s.ClassIds(), (std::vector<std::uint16_t>{kWarrior, 0}));
    EXPECT_TRUE(s.FinishEnabled());
    EXPECT_EQ(s.Character()->modified, 1);
    // A held class cannot be taken again; its row is greyed.
    EXPECT_EQ(s.TableRow(kWarrior)->GetFontVariant(), 1);
    s.AddClass(kWarrior);
    EXPECT_EQ(s.ClassIds().size(), 2u);
    // Only the last class comes off; a row dropped onto its own list stays.
    s.DragOffRow(0);
    s.Drag(SetupScreen::Centre(s.LevelRow(1)), FCPoint(100, 120));
    EXPECT_EQ(s.ClassIds().size(), 2u);
    s.DragOffRow(1);
    EXPECT_EQ(s.ClassIds(), (std::vector<std::uint16_t>{kWarrior}));
    s.DragOffRow(0);
    EXPECT_TRUE(s.ClassIds().empty());
    EXPECT_FALSE(s.FinishEnabled());
    EXPECT_EQ(s.TableRow(kWarrior)->GetFontVariant(), 0);
}

TEST(Vel_UIWin_CharSetupTest, LevelLimitsAndRecheckedDrops)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    s.AddClass(kWarrior);
    s.Step(0, true, 18);
    s.AddClass(0);
    s.Step(1, true, 3); // already at 20 in all
    EXPECT_EQ(s.Character()->GetTotalLevel(), 20);
    EXPECT_EQ(s.Character()->FindClass(0)->level, 1);
    // At 20 levels every up arrow is off and no class row can be dragged.
    for (std::int32_t i = 0; i < 2; ++i)
        EXPECT_FALSE(s.LevelRow(i)->GetNumberScroll()->GetIncreaseButton()->IsEnabled());
    EXPECT_EQ(s.TableRow(2)->GetDragFlags() & UIControl::kDraggable, 0);
    // A copy dropped by other means is checked again: full, or held already.
    Vel_UIItem* copy = static_cast<Vel_UIItem*>(s.TableRow(2)->Clone());
    UIEvent drop(s.levels, UIMessage::kDroppedOnto, FCPoint(0, 0), reinterpret_cast<std::uintptr_t>(copy), 0);
    s.window->HandleNotify(drop);
    EXPECT_EQ(s.ClassIds().size(), 2u);
    s.Step(0, false, 5);
    copy->key = kWarrior;
    s.window->HandleNotify(drop);
    EXPECT_EQ(s.ClassIds().size(), 2u);
    copy->key = 2;
    s.window->HandleNotify(drop);
    EXPECT_EQ(s.ClassIds().size(), 3u);
    copy->Release();
    // Raising one class lowers the others' maximum by as much.
    EXPECT_EQ(s.Character()->GetTotalLevel(), 16);
    EXPECT_TRUE(s.LevelRow(1)->GetNumberScroll()->GetIncreaseButton()->IsEnabled());
    s.Step(2, true, 4);
    EXPECT_FALSE(s.LevelRow(1)->GetNumberScroll()->GetIncreaseButton()->IsEnabled());
}

TEST(Vel_UIWin_CharSetupTest, AlignmentFollowsTheClassesWithFormerMembers)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    EXPECT_EQ(s.Character()->alignmentId, kNeutral);
    // Until the first class comes, the selector is where the layout puts it.
    EXPECT_EQ(s.AlignmentY(), 135);
    s.AddClass(kWild);
    EXPECT_EQ(s.Character()->alignmentId, kNeutral);
    EXPECT_EQ(s.AlignmentY(), 103 + 32);
    EXPECT_FALSE(s.AlignmentEnabled(kGood));
    // The strict class allows only good: the wild class's member becomes former.
    s.AddClass(kStrict);
    EXPECT_EQ(s.Character()->alignmentId, kGood);
    EXPECT_EQ(s.AlignmentY(), 103 + 64);
    EXPECT_FALSE(s.AlignmentEnabled(kNeutral));
    EXPECT_TRUE(s.AlignmentEnabled(kGood));
    EXPECT_EQ(s.LevelRow(0)->GetFontVariant(), 2);
    EXPECT_EQ(s.LevelRow(0)->GetColumnText(0), "Ex-Class 5");
    EXPECT_TRUE(s.Character()->IsFormerMember(kWild));
    EXPECT_FALSE(s.LevelRow(0)->GetNumberScroll()->IsEnabled());
    // Off again: the first alignment both allow is back, and so is the member.
    s.DragOffRow(1);
    EXPECT_EQ(s.Character()->alignmentId, kNeutral);
    EXPECT_EQ(s.LevelRow(0)->GetColumnText(0), "Class 5");
    EXPECT_FALSE(s.Character()->IsFormerMember(kWild));
    // Clearing every class: alignment 9, selector at 135, finish off.
    s.AddClass(kStrict);
    const FCPoint clear = SetupScreen::Centre(s.window->FindDescendant(W::kClearClassesId));
    s.ui.Click(clear.x, clear.y);
    EXPECT_TRUE(s.ClassIds().empty());
    EXPECT_EQ(s.Character()->alignmentId, kNeutral);
    EXPECT_EQ(s.AlignmentY(), 135);
    EXPECT_TRUE(s.AlignmentEnabled(kGood));
    EXPECT_FALSE(s.FinishEnabled());
}

TEST(Vel_UIWin_CharSetupTest, UnderEightClassRowsTheAlignmentListOpensAboveItsLine)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    for (const std::uint16_t classId : {0, 1, 2, 3, 4, 7, 8, 9})
        s.AddClass(classId);
    ASSERT_EQ(s.ClassIds().size(), 8u);
    auto* selector = dynamic_cast<UIComboBox*>(s.window->FindDescendant(W::kAlignmentId));
    EXPECT_EQ(selector->GetDisplay()->GetScreenRect().top, 103 + 8 * 32);
    EXPECT_LE(selector->GetList()->GetScreenRect().bottom, s.window->GetHeight());
    EXPECT_LE(selector->GetList()->GetScreenRect().bottom, selector->GetDisplay()->GetScreenRect().top);
    // Back under few rows it opens below again.
    s.DragOffRow(7);
    s.DragOffRow(6);
    EXPECT_EQ(selector->GetDisplay()->GetScreenRect().top, 103 + 6 * 32);
    EXPECT_EQ(selector->GetList()->GetScreenRect().top, selector->GetDisplay()->GetScreenRect().bottom);
}

void WarriorAtThree(VelCharacter* character)
{
    character->AddClass(kWarrior)->level = 3;
    character->AddClass(0);
    character->CommitClassLevels();
}

TEST(Vel_UIWin_CharSetupTest, AddLevelsKeepsEarlierLevelsAndBackRestores)
{
    SetupScreen s(W::kModeAddLevels, WarriorAtThree);
    ASSERT_TRUE(s.loaded);
    EXPECT_FALSE(s.window->FindDescendant(W::kClearClassesId)->IsEnabled());
    EXPECT_FALSE(s.window->FindDescendant(W::kRaceId)->IsEnabled());
    EXPECT_EQ(s.Character()->modified, 0);
    // Neither earlier class comes off, nor goes below its level.
    EXPECT_EQ(s.LevelRow(1)->GetDragFlags() & UIControl::kDraggable, 0);
    EXPECT_FALSE(s.LevelRow(0)->GetNumberScroll()->GetDecreaseButton()->IsEnabled());
    s.Step(0, false, 2);
    s.DragOffRow(1);
    EXPECT_EQ(s.ClassIds(), (std::vector<std::uint16_t>{kWarrior, 0}));
    EXPECT_EQ(s.Character()->FindClass(kWarrior)->level, 3);
    // New levels and a new class may be given and taken back.
    s.Step(0, true, 2);
    s.AddClass(2);
    EXPECT_NE(s.LevelRow(2)->GetDragFlags() & UIControl::kDraggable, 0);
    EXPECT_EQ(s.Character()->modified, 1);
    const FCPoint back = SetupScreen::Centre(s.window->FindDescendant(W::kBackId));
    s.ui.Click(back.x, back.y);
    EXPECT_EQ(s.ClassIds(), (std::vector<std::uint16_t>{kWarrior, 0}));
    EXPECT_EQ(s.Character()->FindClass(kWarrior)->level, 3);
    EXPECT_EQ(s.Character()->modified, 0);
    // The switch failed here: the screen shows the restored classes.
    EXPECT_EQ(s.levels->GetItemCount(), 2u);
    EXPECT_EQ(s.LevelRow(0)->GetScrollValue(), 3.0);
}

TEST(Vel_UIWin_CharSetupTest, BackLeavesANewCharacterBehindAndAddedLevelsShowTheRaceFixed)
{
    struct Case
    {
        std::uint16_t mode;
        std::uint16_t screen; // the stand-in the switch opens
        bool stillCurrent;
    };
    constexpr std::uint16_t kMenuStand = 9000, kWindowStand = 9002;
    const Case cases[] = {
        {W::kModeNew, kMenuStand, false},
        {W::kModeAddLevels, kWindowStand, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        SetupScreen s(c.mode, WarriorAtThree);
        ASSERT_TRUE(s.loaded);
        for (const auto& [layout, id] : {std::pair{"velStartMenu.ui", kMenuStand}, std::pair{"velCharConfig.ui", kWindowStand}})
            s.ui.WriteLayout(layout, LayoutBytes::Write(LayoutBytes::Control(LayoutBytes::Element(id, 0, 0, 800, 600),
                                                                             "UIWindow")));
        // The race is fixed once set up, and looks it: a grey arrow, the race in ash.
        auto* race = dynamic_cast<UIComboBox*>(s.window->FindDescendant(W::kRaceId));
        ASSERT_NE(race, nullptr);
        auto* shown = dynamic_cast<Vel_UIItem*>(race->GetDisplay());
        ASSERT_NE(shown, nullptr);
        const bool fixed = c.mode == W::kModeAddLevels;
        EXPECT_EQ(race->IsEnabled(), !fixed);
        EXPECT_EQ(race->GetButton()->IsEnabled(), !fixed);
        EXPECT_EQ(shown->GetFontVariant(), fixed ? 1 : 0);

        VelCharacter* character = s.Character();
        character->AddRef();
        character->modified = 1;
        const FCPoint back = SetupScreen::Centre(s.window->FindDescendant(W::kBackId));
        s.ui.Click(back.x, back.y);
        s.ui.Update();
        ASSERT_NE(s.ui.Manager().GetTopWindow(), nullptr);
        EXPECT_EQ(s.ui.Manager().GetTopWindow()->GetId(), c.screen);
        EXPECT_EQ(s.Character(), c.stillCurrent ? character : nullptr);
        if (!c.stillCurrent)
        {
            // Closing the program now asks nothing about the unsaved one.
            EXPECT_TRUE(s.client.ConfirmQuit());
            EXPECT_EQ(s.ui.Manager().GetWindowCount(), 1u);
        }
        character->Release();
    }
}

TEST(Vel_UIWin_CharSetupTest, AnOpenSelectorListLiesOverTheControlsBelowIt)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    s.AddClass(kWarrior); // a class row under the alignment list
    for (const std::uint16_t id : {W::kRaceId, W::kAlignmentId})
    {
        SCOPED_TRACE(id);
        auto* selector = dynamic_cast<UIComboBox*>(s.window->FindDescendant(id));
        ASSERT_NE(selector, nullptr);
        const FCPoint arrow = SetupScreen::Centre(selector->GetButton());
        s.ui.Click(arrow.x, arrow.y);
        ASSERT_FALSE(selector->IsListClosed());
        // Every row is the pointer's, and is drawn last, over what lies below.
        for (std::uint32_t i = 0; i < selector->GetList()->GetItemCount(); ++i)
        {
            UIControl* row = selector->GetList()->ItemAt(static_cast<std::int32_t>(i), 0);
            const FCRect rect = row->GetScreenRect();
            if (rect.bottom > selector->GetList()->GetScreenRect().bottom)
                break; // scrolled out of sight
            const FCPoint centre = SetupScreen::Centre(row);
            UIControl* hit = s.window->FindControlAt(centre, true);
            EXPECT_TRUE(hit == row || row->ContainsDescendant(hit)) << i;
        }
        s.ui.Click(arrow.x, arrow.y);
        EXPECT_TRUE(selector->IsListClosed());
    }
}

TEST(Vel_UIWin_CharSetupTest, FinishRunsOnceWhenTheSwitchFails)
{
    SetupScreen s(W::kModeNew);
    ASSERT_TRUE(s.loaded);
    s.AddClass(kWarrior);
    const FCPoint finish = SetupScreen::Centre(s.window->FindDescendant(W::kFinishId));
    s.ui.Click(finish.x, finish.y);
    ASSERT_EQ(s.Character()->items.GetCount(), 1u);
    const auto money = s.Character()->money;
    EXPECT_FALSE(s.FinishEnabled());
    // The window stays; neither a second click nor a stray message buys again.
    s.ui.Click(finish.x, finish.y);
    UIEvent again(s.window->FindDescendant(W::kFinishId), UIMessage::kClicked);
    s.window->HandleNotify(again);
    s.AddClass(0);
    EXPECT_FALSE(s.FinishEnabled());
    EXPECT_EQ(s.Character()->items.GetCount(), 1u);
    EXPECT_EQ(s.Character()->values[22], 1u);
    EXPECT_EQ(s.Character()->money.coins, money.coins);
}
} // namespace
