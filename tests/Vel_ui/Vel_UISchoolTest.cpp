// The school page in the character window over its built layout and the
// fixture's schools: which schools each list offers for the slots, which
// counts the combo allows, and the trays' drops through the window manager.
// Rankings: Lore and Veils 1, Wards and Charms 2, Flames and Summons 3;
// Universal (0) is never offered.

#include "Vel_ui/MagicPageFixture.h"

#include "Ui/UIImage.h"
#include "Ui/UIImageControl.h"
#include "Vel/Character/VelCharacterFeat.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel_ui/Vel_UIItemTray.h"
#include "Vel_ui/Vel_UISchool.h"

#include "support/TempFolder.h"

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace
{
using P = Vel_UISchool;
using Schools = std::set<std::uint16_t>;

constexpr std::uint16_t kNone = VelCharacter::kNone;
constexpr std::uint16_t kLore = 1;
constexpr std::uint16_t kVeils = 2;
constexpr std::uint16_t kWards = 3;
constexpr std::uint16_t kCharms = 4;
constexpr std::uint16_t kFlames = 5;
constexpr std::uint16_t kSummons = 6;
constexpr std::uint16_t kSpellBook = 10;

class SchoolPageTest : public MagicPageFixture
{
protected:
    void SetUp() override
    {
        MagicPageFixture::SetUp();
        MakeHero({{kSpellBook, 3}});
    }
    P* Show(std::uint16_t specialty, std::uint16_t count, std::uint16_t first = kNone, std::uint16_t second = kNone)
    {
        hero->schoolSlots = {specialty, count, first, second, kNone};
        if (!page)
            page = OpenPage<P>(kSchoolPage);
        else
            page->EnterPage();
        return page;
    }
    UIListBox* List(std::uint16_t id) const { return dynamic_cast<UIListBox*>(page->FindDescendant(id)); }
    // The schools whose rows can be dragged.
    Schools Open(std::uint16_t listId) const
    {
        Schools open;
        UIListBox* list = List(listId);
        for (std::int32_t i = 0; list && list->ItemAt(i, 0); ++i)
        {
            auto* row = dynamic_cast<Vel_UIItem*>(list->ItemAt(i, 0));
            EXPECT_EQ(row->GetFontVariant(), Draggable(row) ? 0 : 1) << row->GetColumnText(0);
            if (Draggable(row))
                open.insert(static_cast<std::uint16_t>(i));
        }
        return open;
    }
    Vel_UIItemTray* Tray(std::uint16_t id) const { return dynamic_cast<Vel_UIItemTray*>(page->FindDescendant(id)); }
    Vel_UIItem* TrayRow(std::uint16_t id) const
    {
        return Tray(id) ? dynamic_cast<Vel_UIItem*>(Tray(id)->GetHolder()) : nullptr;
    }
    Vel_UIItem* ListRow(std::uint16_t listId, std::uint16_t school) const
    {
        auto* row = dynamic_cast<Vel_UIItem*>(List(listId)->ItemAt(school, 0));
        List(listId)->ScrollToItem(row);
        List(listId)->UpdateLayout();
        return row;
    }
    Schools OpenCounts() const
    {
        Schools open;
        auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(P::kCountCombo));
        for (std::int32_t i = 0; UIControl* entry = combo->GetList()->ItemAt(i, 0); ++i)
            if (entry->IsEnabled())
                open.insert(static_cast<std::uint16_t>(combo->GetList()->GetItemData(entry)));
        return open;
    }
    UIControl* SelectedCount() const
    {
        auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(P::kCountCombo));
        return combo->GetList()->GetSelectedItem(0);
    }

    P* page = nullptr;
};

TEST_F(SchoolPageTest, ListsOfferTheSchoolsTheRankingsAllow)
{
    struct Case
    {
        const char* name;
        std::uint16_t specialty;
        std::uint16_t count;
        std::uint16_t first;
        std::uint16_t second;
        Schools specialties;
        Schools prohibitions;
    };
    const Case cases[] = {
        {"nothing chosen", kNone, 1, kNone, kNone, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {"one of rank 2 given up", kNone, 1, kWards, kNone, {1, 2, 4}, {}},
        {"two, one of rank 1 given up", kNone, 2, kLore, kNone, {3, 4}, {2, 3, 4}},
        {"two of rank 1 given up", kNone, 2, kLore, kVeils, {3, 4}, {}},
        {"two, the first tray emptied, rank 1 in the second", kNone, 2, kNone, kVeils, {3, 4}, {1, 3, 4}},
        {"one, rank 2 in the second tray only", kNone, 1, kNone, kWards, {1, 2, 4}, {}},
        {"three, none chosen", kNone, 3, kNone, kNone, {5, 6}, {1, 2, 3, 4, 5, 6}},
        {"specialty of rank 3, one", kFlames, 1, kNone, kNone, {}, {6}},
        {"specialty of rank 3, two", kFlames, 2, kNone, kNone, {}, {3, 4}},
        {"specialty of rank 2, two, one given", kWards, 2, kLore, kNone, {}, {2}},
        {"specialty of rank 1, three", kLore, 3, kNone, kNone, {}, {2, 3, 4, 5, 6}},
        {"a slot of no school reads as empty", 77, 1, 88, kNone, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
        {"Universal is never a specialty", 0, 1, kNone, kNone, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_NE(Show(c.specialty, c.count, c.first, c.second), nullptr);
        EXPECT_EQ(Open(P::kSpecialtyList), c.specialties);
        EXPECT_EQ(Open(P::kProhibitedList), c.prohibitions);
    }
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), P::kScreenId);
}

TEST_F(SchoolPageTest, CountComboFollowsTheSpecialtysRanking)
{
    struct Case
    {
        std::uint16_t specialty;
        std::uint16_t given; // a school given up, for the largest ranking
        Schools counts;
    };
    const Case cases[] = {
        {kNone, kNone, {1, 2, 3}},    {kLore, kNone, {1}},        {kWards, kNone, {1, 2}},
        {kWards, kLore, {2}},         {kWards, kCharms, {1}},     {kWards, kFlames, {1, 2, 3}},
        {kFlames, kNone, {1, 2, 3}},  {kFlames, kLore, {1, 2, 3}}, {kFlames, kWards, {2, 3}},
        {kFlames, kSummons, {1, 3}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.specialty) + " " + std::to_string(c.given));
        ASSERT_NE(Show(c.specialty, 2, c.given), nullptr);
        EXPECT_EQ(OpenCounts(), c.counts);
        // The stored count stays chosen even where it is no longer allowed.
        ASSERT_NE(SelectedCount(), nullptr);
        auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(P::kCountCombo));
        EXPECT_EQ(combo->GetList()->GetItemData(SelectedCount()), 2u);
        EXPECT_EQ(ChosenText(page, P::kCountCombo), "Two schools");
        // What cannot be chosen is drawn ash.
        for (std::int32_t i = 0; UIControl* entry = combo->GetList()->ItemAt(i, 0); ++i)
            EXPECT_EQ(dynamic_cast<Vel_UIItem*>(entry)->GetFontVariant(), entry->IsEnabled() ? 0 : 1) << i;
    }
}

TEST_F(SchoolPageTest, ACountChangeClearsTheSchoolsGivenUpAndNotifies)
{
    ASSERT_NE(Show(kNone, 2, kLore, kVeils), nullptr);
    ListenForChanges();
    Choose(page, P::kCountCombo, 2);
    EXPECT_EQ(recorder.calls, 0) << "the same count changes nothing";
    EXPECT_EQ(hero->modified, 0);
    Choose(page, P::kCountCombo, 1);
    EXPECT_EQ(hero->schoolSlots[1], 1);
    EXPECT_EQ(hero->schoolSlots[2], kNone);
    EXPECT_EQ(hero->schoolSlots[3], kNone);
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_NE(recorder.bits & VelCharacter::kChangedSpells, 0u);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_FALSE(TrayRow(P::kFirstProhibitedTray)->IsVisible());
    EXPECT_TRUE(Shown(page, P::kFirstProhibitedTray));
    EXPECT_FALSE(Shown(page, P::kFirstProhibitedTray + 1)) << "one empty tray for one school";
    EXPECT_EQ(Open(P::kProhibitedList), (Schools{1, 2, 3, 4, 5, 6}));
}

TEST_F(SchoolPageTest, DropsOnTheTraysSetAndClearTheSlots)
{
    ASSERT_NE(Show(kNone, 1), nullptr);
    ListenForChanges();
    Drag(ListRow(P::kSpecialtyList, kWards), Tray(P::kSpecialtyTray));
    EXPECT_EQ(hero->schoolSlots[0], kWards);
    EXPECT_EQ(TrayRow(P::kSpecialtyTray)->GetColumnText(0), "Wards");
    EXPECT_TRUE(TrayRow(P::kSpecialtyTray)->IsVisible());
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_EQ(hero->modified, 1);
    // A specialty of rank 2 with one school: one of rank 2 or more.
    EXPECT_EQ(Open(P::kProhibitedList), (Schools{4, 5, 6}));
    Drag(ListRow(P::kProhibitedList, kFlames), Tray(P::kFirstProhibitedTray));
    EXPECT_EQ(hero->schoolSlots[2], kFlames);
    EXPECT_EQ(recorder.calls, 2);
    EXPECT_NE(recorder.bits & VelCharacter::kChangedSpells, 0u);

    // Hovering a row shows the school's description; leaving restores.
    Hover(TrayRow(P::kFirstProhibitedTray));
    EXPECT_EQ(HelpLine(), "The school of Flames");
    HoverAway();
    EXPECT_EQ(HelpLine(), "Choose a school to specialise in, and the schools you give up for it.");

    Drag(TrayRow(P::kFirstProhibitedTray), kNowhere);
    EXPECT_EQ(hero->schoolSlots[2], kNone);
    Drag(TrayRow(P::kSpecialtyTray), kNowhere);
    EXPECT_EQ(hero->schoolSlots[0], kNone);
    EXPECT_EQ(recorder.calls, 4);
    EXPECT_FALSE(TrayRow(P::kSpecialtyTray)->IsVisible());
}

TEST_F(SchoolPageTest, LevelZeroSpellsFollowTheSchoolsGivenUp)
{
    // The spell book knows level 0 of every school's list; nothing counts
    // those against the schools given up, so giving one up takes them away.
    const auto cantrip = [](std::uint16_t school) { return static_cast<std::uint16_t>(RulesFixture::kFirstSchoolSpell + 10 * school); };
    const auto known = [&](std::uint16_t school) { return hero->HasSpell(cantrip(school), kSpellBook); };
    ASSERT_TRUE(known(kCharms));
    ASSERT_NE(Show(kNone, 1), nullptr);
    ListenForChanges();
    Drag(ListRow(P::kProhibitedList, kCharms), Tray(P::kFirstProhibitedTray));
    EXPECT_FALSE(known(kCharms));
    EXPECT_TRUE(known(kLore));
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_NE(recorder.bits & VelCharacter::kChangedSpells, 0u);

    Drag(TrayRow(P::kFirstProhibitedTray), kNowhere);
    EXPECT_TRUE(known(kCharms)) << "taken back";
    const VelCharacterSpell* back = hero->FindSpell(VelCharacterSpell(cantrip(kCharms), kSpellBook));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->extra, VelCharacterSpell::kFixed);
    EXPECT_EQ(recorder.calls, 2);

    Drag(ListRow(P::kProhibitedList, kCharms), Tray(P::kFirstProhibitedTray));
    ASSERT_FALSE(known(kCharms));
    Choose(page, P::kCountCombo, 2);
    EXPECT_TRUE(known(kCharms)) << "a new count empties the schools given up";
    EXPECT_EQ(recorder.calls, 4);
}

TEST_F(SchoolPageTest, ASchoolInOneTrayIsRefusedByAnother)
{
    ASSERT_NE(Show(kNone, 2, kLore), nullptr);
    Drag(TrayRow(P::kFirstProhibitedTray), Tray(P::kFirstProhibitedTray + 1));
    EXPECT_NE(hero->schoolSlots[3], kLore) << "never given up twice";
    EXPECT_EQ(hero->schoolSlots[2], kNone) << "dropped where no tray takes it, it is let go";
    EXPECT_EQ(hero->CountProhibitedSchools(), 0);
}

TEST_F(SchoolPageTest, WrongKindsOfRowsAreRefused)
{
    struct Case
    {
        std::uint16_t list;
        std::uint16_t tray;
    };
    for (const Case c : {Case{P::kSpecialtyList, P::kFirstProhibitedTray}, Case{P::kProhibitedList, P::kSpecialtyTray}})
    {
        SCOPED_TRACE(c.list);
        ASSERT_NE(Show(kNone, 1), nullptr);
        hero->modified = 0;
        Drag(ListRow(c.list, kCharms), Tray(c.tray));
        EXPECT_EQ(hero->schoolSlots, (std::array<std::uint16_t, 5>{kNone, 1, kNone, kNone, kNone}));
        EXPECT_EQ(hero->modified, 0);
    }
}

TEST_F(SchoolPageTest, AStoredCountOutOfRangeReadsAsOne)
{
    ASSERT_NE(Show(kNone, 0xFFFF), nullptr);
    auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(P::kCountCombo));
    ASSERT_NE(SelectedCount(), nullptr);
    EXPECT_EQ(combo->GetList()->GetItemData(SelectedCount()), 1u);
    EXPECT_TRUE(Shown(page, P::kFirstProhibitedTray));
    EXPECT_FALSE(Shown(page, P::kFirstProhibitedTray + 1));
    EXPECT_FALSE(Shown(page, P::kFirstProhibitedTray + 2));
    EXPECT_EQ(Open(P::kSpecialtyList), (Schools{1, 2, 3, 4, 5, 6}));
    Drag(ListRow(P::kProhibitedList, kVeils), Tray(P::kFirstProhibitedTray));
    EXPECT_EQ(hero->schoolSlots[2], kVeils);
    EXPECT_EQ(Open(P::kProhibitedList), Schools{}) << "one school given up, as many as the count";
}

TEST_F(SchoolPageTest, HoverShowsTheSchoolsIconAndGetsByWithoutOne)
{
    // A picture of the built art stands in for the fire school's icon; the
    // other schools have none.
    std::filesystem::create_directories(ui.Folder().Join("Icons"));
    std::filesystem::copy_file(std::string(STAVELORN_BINARY_DIR) + "/Resources/Icons/race_dwarf.jpg",
                               ui.Folder().Join("Icons/school_Flames.jpg"));
    // A missing icon is said once per process, so the lore school's is one
    // that no other test, nor an earlier run of this one, asked for.
    static int run = 0;
    const std::string missing = "school_Unseen" + std::to_string(++run) + ".jpg";
    ASSERT_NE(VelDatabase::FindSchool(kLore), nullptr);
    VelDatabase::FindSchool(kLore)->iconFile = missing;
    TempFolder folder;
    FCDebugLog log(folder.Join("log.txt"), FCDebugLog::kFile);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    ASSERT_NE(Show(kNone, 1), nullptr);
    auto* picture = dynamic_cast<UIImageControl*>(window->FindDescendant(Vel_UIWin_CharConfig::kSharedPicture));
    ASSERT_NE(picture, nullptr);
    struct Case
    {
        std::uint16_t school;
        bool icon;
    };
    for (const Case c : {Case{kFlames, true}, Case{kLore, false}, Case{kLore, false}, Case{kFlames, true}})
    {
        SCOPED_TRACE(c.school);
        Hover(ListRow(P::kProhibitedList, c.school));
        EXPECT_EQ(picture->GetImage() && picture->GetImage()->GetImageBuffer(), c.icon);
        EXPECT_EQ(TextIn(window, Vel_UIWin_CharConfig::kSharedInfoText), "");
        HoverAway();
    }
    FCDebugLog::SetInstance(previous);
    const std::vector<std::uint8_t> bytes = folder.ReadFile("log.txt");
    const std::string text(bytes.begin(), bytes.end());
    const std::string line = "Icon " + missing + " is missing";
    ASSERT_NE(text.find(line), std::string::npos);
    EXPECT_EQ(text.find(line, text.find(line) + 1), std::string::npos) << "said once";
}

TEST_F(SchoolPageTest, ASchoolOfTheFocusFeatIsNeverGivenUp)
{
    auto* focus = new VelCharacterFeat(47, kWards, VelCharacterFeat::kNoChoice, kSpellBook);
    hero->InsertFeat(focus);
    focus->Release();
    ASSERT_NE(Show(kNone, 1), nullptr);
    EXPECT_EQ(Open(P::kProhibitedList), (Schools{1, 2, 4, 5, 6}));
    EXPECT_EQ(Open(P::kSpecialtyList), (Schools{1, 2, 3, 4, 5, 6}));
}
} // namespace
