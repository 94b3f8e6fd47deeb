// What the spells, school and animal pages share: pages whose layout lacks
// their controls still open (and say what they lack), a row's key leads to
// a record only when it is one, and a combo box without the asked entry
// shows nothing chosen.

#include "Vel_ui/MagicPageFixture.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelSchoolInfo.h"
#include "Vel_ui/Vel_UIAnimal.h"
#include "Vel_ui/Vel_UIPagePart.h"
#include "Vel_ui/Vel_UISchool.h"
#include "Vel_ui/Vel_UISpell.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace
{
namespace Part = Vel_UIPagePart;
using F = RulesFixture;

class PagePartTest : public MagicPageFixture
{
};

TEST_F(PagePartTest, PagesWhoseLayoutLacksTheirControlsOpenAndSaySo)
{
    struct Case
    {
        const char* layout;
        const char* className;
        std::uint16_t screenId;
        std::int16_t page;
        const char* logged;
    };
    const Case cases[] = {
        {"velSpell.ui", "Vel_UISpell", 9500, kSpellPage, "Page 9500 has no control 9705"},
        {"velSchool.ui", "Vel_UISchool", 9000, kSchoolPage, "Page 9000 has no control 9010"},
        {"velAnimal.ui", "Vel_UIAnimal", 10000, kAnimalPage, "Page 10000 has no control 10025"},
    };
    TempFolder folder;
    FCDebugLog log(folder.Join("log.txt"), FCDebugLog::kFile);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    for (const Case& c : cases)
        ui.WriteLayout(c.layout, LayoutBytes::Write(LayoutBytes::Control(
                                     LayoutBytes::Element(c.screenId, 224, 72, 352, 440), c.className)));
    MakeHero({{10, 3}, {3, 1}});
    hero->money.coins[2] = 500;
    std::vector<Vel_UIPanel*> pages;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.className);
        Vel_UIPanel* page = OpenPage<Vel_UIPanel>(c.page);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetClassName(), c.className);
        page->Refresh();
        page->OnCharacterChanged(hero);
        pages.push_back(page);
    }
    PickClass(3);
    FCDebugLog::SetInstance(previous);
    const std::vector<std::uint8_t> bytes = folder.ReadFile("log.txt");
    const std::string text(bytes.begin(), bytes.end());
    for (const Case& c : cases)
        EXPECT_NE(text.find(c.logged), std::string::npos) << c.logged;
}

// A list lays its rows out only through a scroll bar: every drop-down of
// the window and the pages has one, seen or not, so no two entries share a
// place.
TEST_F(PagePartTest, DropDownListsLayTheirEntriesOut)
{
    MakeHero({{10, 3}, {2, 1}, {3, 1}});
    ASSERT_NE(Open(), nullptr);
    struct Case
    {
        std::int16_t page; // -1: the window itself
        std::uint16_t combo;
        std::uint32_t entries;
    };
    const Case cases[] = {
        {-1, Vel_UIWin_CharConfig::kClassSelector, 3},
        {kSchoolPage, Vel_UISchool::kCountCombo, 3},
        {kSpellPage, Vel_UISpell::kFilterCombo, F::kSchoolCount + 1},
        {kSpellPage, Vel_UISpell::kLevelCombo, 11},
        {kSpellPage, Vel_UISpell::kModeCombo, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.combo);
        const UIControl* owner = c.page < 0 ? static_cast<UIControl*>(window) : OpenPage<Vel_UIPanel>(c.page);
        ASSERT_NE(owner, nullptr);
        auto* combo = dynamic_cast<UIComboBox*>(owner->FindDescendant(c.combo));
        ASSERT_NE(combo, nullptr);
        UIListBox* list = combo->GetList();
        ASSERT_EQ(list->GetItemCount(), c.entries);
        for (std::int32_t i = 1; i < static_cast<std::int32_t>(c.entries); ++i)
            EXPECT_EQ(list->ItemAt(i, 0)->GetStoredPosition().y - list->ItemAt(i - 1, 0)->GetStoredPosition().y,
                      list->ItemAt(i - 1, 0)->GetSize().y)
                << i;
    }
}

TEST_F(PagePartTest, ARowLeadsToARecordOnlyThroughTheTablesOwnRecords)
{
    const FCObjectMap* schools = VelDatabase::GetMap(VelDatabase::kTagSchool);
    ASSERT_NE(schools, nullptr);
    const VelSchoolInfo* wards = VelDatabase::FindSchool(3);
    ASSERT_NE(wards, nullptr);
    std::int32_t stranger = 3;
    struct Case
    {
        std::intptr_t key;
        std::uint16_t tag;
        const VelInfo* found;
    };
    const Case cases[] = {
        {reinterpret_cast<std::intptr_t>(wards), VelDatabase::kTagSchool, wards},
        {reinterpret_cast<std::intptr_t>(wards), VelDatabase::kTagAnimal, nullptr},
        {reinterpret_cast<std::intptr_t>(&stranger), VelDatabase::kTagSchool, nullptr},
        {3, VelDatabase::kTagSchool, nullptr},
        {-1, VelDatabase::kTagSchool, nullptr},
    };
    Vel_UIItem row;
    row.kind = Vel_UISchool::kProhibitedKind;
    for (const Case& c : cases)
    {
        row.key = c.key;
        EXPECT_EQ(Part::RecordOfRow(&row, c.tag), c.found) << c.key;
    }
    EXPECT_TRUE(Part::IsRowOfKind(&row, Vel_UISchool::kProhibitedKind));
    EXPECT_FALSE(Part::IsRowOfKind(&row, Vel_UISchool::kSpecialtyKind));
    UIControl plain;
    EXPECT_FALSE(Part::IsRowOfKind(&plain, 0));
    EXPECT_EQ(Part::RecordOfRow(&plain, VelDatabase::kTagSchool), nullptr);
}

TEST_F(PagePartTest, AComboWithoutTheAskedEntryShowsNothingChosen)
{
    auto* page = dynamic_cast<Vel_UISpell*>(FCClassRegistry::LoadObjectFromFile("velSpell.ui"));
    ASSERT_NE(page, nullptr);
    auto* combo = dynamic_cast<UIComboBox*>(page->FindDescendant(Vel_UISpell::kLevelCombo));
    ASSERT_NE(combo, nullptr);
    Part::AddEntry(combo, "All", static_cast<std::uint32_t>(-1));
    Part::AddEntry(combo, "0", 0);
    Part::AddEntry(combo, "4", 4);
    struct Case
    {
        std::uint32_t data;
        const char* shown;
    };
    for (const Case c : {Case{4, "4"}, Case{0, "0"}, Case{static_cast<std::uint32_t>(-1), "All"}, Case{7, ""}})
    {
        Part::SelectByData(combo, c.data);
        EXPECT_EQ(ChosenText(page, Vel_UISpell::kLevelCombo), c.shown) << c.data;
    }
    page->Release();
}
} // namespace
