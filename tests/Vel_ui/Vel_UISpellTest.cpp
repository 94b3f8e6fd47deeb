// The spells page in the character window over its built layout and the
// fixture rule set: the spell book's tabs and purchases, the known lists of
// the other keeping classes, spells per day, the domain list, and what
// survives a page switch. Rows move by real drags through the window
// manager.

#include "Vel_ui/MagicPageFixture.h"

#include "Ui/UIScrollFrame.h"
#include "Vel/Character/VelCharacterSpell.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Rules/VelLimitFlags.h"
#include "Vel_ui/Vel_UISpell.h"
#include "Vel_ui/Vel_UISpellItem.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using S = Vel_UISpell;
using F = RulesFixture;

constexpr std::uint16_t kMinstrel = 1;
constexpr std::uint16_t kPriest = 2;
constexpr std::uint16_t kFighterClass = 4;
constexpr std::uint16_t kInnate = 9;
constexpr std::uint16_t kSpellBook = 10;

// "Lore 2 (2)": the row of a school spell.
std::string RowText(std::uint16_t school, std::uint16_t level)
{
    static const char* const kNames[] = {"Universal", "Lore", "Veils", "Wards", "Charms", "Flames", "Summons"};
    return std::string(kNames[school]) + " " + std::to_string(level) + " (" + std::to_string(level) + ")";
}

// The font variant a combo entry is drawn in.
int VariantOf(const UIControl* entry)
{
    const auto* row = dynamic_cast<const Vel_UIItem*>(entry);
    return row ? row->GetFontVariant() : -1;
}

std::uint16_t SchoolSpell(std::uint16_t school, std::uint16_t level)
{
    return static_cast<std::uint16_t>(F::kFirstSchoolSpell + 10 * school + level);
}

class SpellPageTest : public MagicPageFixture
{
protected:
    UIListBox* List(std::uint16_t id) const { return dynamic_cast<UIListBox*>(page->FindDescendant(id)); }
    std::vector<Vel_UISpellItem*> Rows(std::uint16_t id) const
    {
        std::vector<Vel_UISpellItem*> rows;
        UIListBox* list = List(id);
        for (std::int32_t i = 0; list && list->ItemAt(i, 0); ++i)
            rows.push_back(dynamic_cast<Vel_UISpellItem*>(list->ItemAt(i, 0)));
        return rows;
    }
    Vel_UIItem* ClassRow(const std::string& text) const { return RowNamed(List(S::kKnownClassList), text); }
    Vel_UIItem* KnownRow(const std::string& text) const { return RowNamed(List(S::kKnownList), text); }
    void Learn(const std::string& text) { Drag(ClassRow(text), page->FindDescendant(S::kKnownList)); }
    void GiveBack(const std::string& text) { Drag(KnownRow(text), kNowhere); }
    void ClickTab(std::int16_t slot)
    {
        ClickControl(page->FindDescendant(slot == S::kPurchaseSlot ? S::kPurchaseTab
                                                                    : static_cast<std::uint16_t>(S::kFirstTab + slot)));
    }
    std::string Tab(std::int16_t slot) const
    {
        return TextIn(page, slot == S::kPurchaseSlot ? S::kPurchaseTab : static_cast<std::uint16_t>(S::kFirstTab + slot));
    }
    static std::string Free(const VelCharacterClass* entry, std::size_t slot)
    {
        return std::to_string(static_cast<int>(entry->spellsKnown[slot]) - static_cast<int>(entry->spellsChosen[slot]));
    }
    VelCharacterSpell* Held(std::uint16_t spellId, std::uint16_t classId) const
    {
        const VelCharacterSpell probe(spellId, classId);
        return hero->FindSpell(probe);
    }

    S* page = nullptr;
};

TEST(SpellItemTest, OrdersByLevelThenByTheNameBytes)
{
    struct Case
    {
        std::int16_t levelA;
        const char* nameA;
        std::int16_t levelB;
        const char* nameB;
        bool less;
    };
    const Case cases[] = {
        {1, "Zap", 2, "Aid", true},       {2, "Aid", 1, "Zap", false}, {3, "Aid", 3, "Zap", true},
        {3, "Zap", 3, "aid", true},       {3, "Ward", 3, "Ward II", true}, {3, "Ward II", 3, "Ward", false},
        {3, "\xe9tude", 3, "zeal", false}, {0, "Same", 0, "Same", false},
    };
    UiHarness ui;
    ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
    ui.Files().SetUseAlternateRoot(true);
    FCCountedRef<Vel_UIItem> prototype = FCCountedRef<Vel_UIItem>::Adopt(Vel_UIItem::CreateFromLayout(S::kRowLayout));
    ASSERT_NE(dynamic_cast<Vel_UISpellItem*>(prototype.Get()), nullptr);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.nameA) + " / " + c.nameB);
        FCCountedRef<Vel_UISpellItem> a = FCCountedRef<Vel_UISpellItem>::Adopt(static_cast<Vel_UISpellItem*>(prototype->Clone()));
        FCCountedRef<Vel_UISpellItem> b = FCCountedRef<Vel_UISpellItem>::Adopt(static_cast<Vel_UISpellItem*>(prototype->Clone()));
        a->level = c.levelA;
        a->SetColumnText(0, c.nameA);
        b->level = c.levelB;
        b->SetColumnText(0, c.nameB);
        EXPECT_EQ(Vel_UISpellItem::IsLessByLevelAndName(a.Get(), b.Get()), c.less);
        // A copy keeps what the row stands for.
        a->spellId = 7;
        a->slot = 4;
        FCCountedRef<Vel_UISpellItem> copy = FCCountedRef<Vel_UISpellItem>::Adopt(static_cast<Vel_UISpellItem*>(a->Clone()));
        EXPECT_EQ(copy->spellId, 7);
        EXPECT_EQ(copy->level, c.levelA);
        EXPECT_EQ(copy->slot, 4);
    }
}

TEST_F(SpellPageTest, SpellBookTabsListLevelsUpToTheTabAndADropTakesTheTabsSlot)
{
    MakeHero({{kSpellBook, 5}}, {-1, -1, -1, 16});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), 9501);
    EXPECT_FALSE(Shown(page, S::kFirstTab)) << "the spell book has no level-0 slots";
    EXPECT_TRUE(Shown(page, S::kPurchaseTab));
    EXPECT_FALSE(Shown(page, S::kLevelCombo));
    EXPECT_FALSE(Shown(page, S::kClassList));
    const VelCharacterClass* entry = Entry(kSpellBook);
    for (std::int16_t tab = 1; tab <= 3; ++tab)
    {
        SCOPED_TRACE(tab);
        ClickTab(tab);
        EXPECT_EQ(page->GetCurrentTab(), tab);
        EXPECT_EQ(Tab(tab), Free(entry, static_cast<std::size_t>(tab)));
        std::int16_t lowest = 99;
        std::int16_t highest = -1;
        for (const Vel_UISpellItem* row : Rows(S::kKnownClassList))
        {
            lowest = std::min(lowest, row->level);
            highest = std::max(highest, row->level);
        }
        EXPECT_EQ(lowest, 1) << "no level-0 rows";
        EXPECT_EQ(highest, tab);
        for (std::uint16_t school = 0; school < F::kSchoolCount; ++school)
        {
            EXPECT_NE(ClassRow(RowText(school, static_cast<std::uint16_t>(tab))), nullptr) << school;
            EXPECT_EQ(ClassRow(RowText(school, static_cast<std::uint16_t>(tab + 1))), nullptr) << school;
        }
        // A spell with a level of the spell book's own only.
        EXPECT_EQ(ClassRow("Bound page (2)") != nullptr, tab >= 2);
    }
    const std::string before = Tab(3);
    Learn(RowText(1, 1));
    const VelCharacterSpell* held = Held(SchoolSpell(1, 1), kSpellBook);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->spellLevel, 3) << "the slot of the tab, whatever the level";
    EXPECT_EQ(held->thirdKey, 1);
    EXPECT_EQ(entry->spellsChosen[3], 1);
    EXPECT_EQ(entry->spellsChosen[1], 0);
    EXPECT_EQ(Tab(3), std::to_string(std::stoi(before) - 1));
    EXPECT_NE(KnownRow(RowText(1, 1)), nullptr);
    EXPECT_FALSE(Draggable(ClassRow(RowText(1, 1)))) << "held once per class";
    EXPECT_EQ(hero->modified, 1);
}

TEST_F(SpellPageTest, PurchaseTabSellsForTwoHundredTimesTheLevelAndRefunds)
{
    struct Case
    {
        std::int32_t coins;
        bool affordable;
    };
    for (const Case c : {Case{799, false}, Case{800, true}})
    {
        SCOPED_TRACE(c.coins);
        MakeHero({{kSpellBook, 7}}, {-1, -1, -1, 18});
        hero->money.coins[2] = c.coins;
        page = OpenPage<S>(kSpellPage);
        ASSERT_NE(page, nullptr);
        ClickTab(S::kPurchaseSlot);
        EXPECT_EQ(page->GetCurrentTab(), S::kPurchaseSlot);
        EXPECT_EQ(Tab(S::kPurchaseSlot), std::to_string(c.coins));
        Vel_UIItem* row = ClassRow(RowText(4, 4));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(Draggable(row), c.affordable);
        EXPECT_EQ(row->GetFontVariant(), c.affordable ? 0 : 1);
        EXPECT_TRUE(Draggable(ClassRow(RowText(4, 3)))) << "600 is within reach";
        Learn(RowText(4, 4));
        const VelCharacterSpell* held = Held(SchoolSpell(4, 4), kSpellBook);
        ASSERT_EQ(held != nullptr, c.affordable);
        EXPECT_EQ(hero->money.coins[2], c.affordable ? c.coins - 800 : c.coins);
        if (!c.affordable)
            continue;
        EXPECT_EQ(held->spellLevel, S::kPurchaseSlot);
        EXPECT_EQ(Tab(S::kPurchaseSlot), std::to_string(c.coins - 800));
        hero->modified = 0;
        GiveBack(RowText(4, 4));
        EXPECT_EQ(Held(SchoolSpell(4, 4), kSpellBook), nullptr);
        EXPECT_EQ(hero->money.coins[2], c.coins);
        EXPECT_EQ(hero->modified, 1);
    }
}

TEST_F(SpellPageTest, AHeldSpellDroppedAgainAddsNothing)
{
    struct Case
    {
        std::uint16_t classId;
        std::int16_t tab;
    };
    for (const Case c : {Case{kInnate, 1}, Case{kSpellBook, S::kPurchaseSlot}})
    {
        SCOPED_TRACE(c.classId);
        MakeHero({{c.classId, 3}}, {-1, -1, -1, 16, -1, 16});
        hero->money.coins[2] = 1000;
        page = OpenPage<S>(kSpellPage);
        ASSERT_NE(page, nullptr);
        if (c.classId == kSpellBook)
            ClickTab(c.tab);
        Vel_UIItem* row = ClassRow(RowText(2, 1));
        ASSERT_NE(row, nullptr);
        FCCountedRef<Vel_UIItem> copy = FCCountedRef<Vel_UIItem>::Adopt(static_cast<Vel_UIItem*>(row->Clone()));
        Learn(RowText(2, 1));
        ASSERT_NE(Held(SchoolSpell(2, 1), c.classId), nullptr);
        const std::size_t known = Rows(S::kKnownList).size();
        const std::uint16_t chosen = Entry(c.classId)->spellsChosen[1];
        const std::int32_t coins = hero->money.coins[2];
        // The copy the framework would hand over for a second drop.
        UIControl* list = page->FindDescendant(S::kKnownList);
        UIEvent drop(list, UIMessage::kDroppedOnto, FCPoint(0, 0), reinterpret_cast<std::uintptr_t>(copy.Get()), 0);
        page->HandleNotify(drop);
        EXPECT_EQ(Rows(S::kKnownList).size(), known);
        EXPECT_EQ(Entry(c.classId)->spellsChosen[1], chosen);
        EXPECT_EQ(hero->money.coins[2], coins);
    }
}

TEST_F(SpellPageTest, EntriesOutsideTheSlotsNeverCountNorRefund)
{
    MakeHero({{kSpellBook, 5}}, {-1, -1, -1, 16});
    hero->money.coins[2] = 50;
    for (const auto& [spell, slot] : {std::pair{SchoolSpell(2, 1), std::int16_t{-1}}, {SchoolSpell(3, 2), std::int16_t{11}},
                                      {SchoolSpell(4, 2), std::int16_t{300}}})
    {
        auto* held = new VelCharacterSpell(spell, kSpellBook);
        held->thirdKey = static_cast<std::int16_t>(spell % 10);
        held->spellLevel = slot;
        hero->AddSpell(held);
        held->Release();
    }
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    const auto chosen = Entry(kSpellBook)->spellsChosen;
    for (const std::string& text : {RowText(2, 1), RowText(3, 2), RowText(4, 2)})
    {
        SCOPED_TRACE(text);
        Vel_UIItem* row = KnownRow(text);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetFontVariant(), 0);
        GiveBack(text);
        EXPECT_EQ(KnownRow(text), nullptr);
    }
    EXPECT_EQ(Held(SchoolSpell(2, 1), kSpellBook), nullptr);
    EXPECT_EQ(Held(SchoolSpell(3, 2), kSpellBook), nullptr);
    EXPECT_EQ(Entry(kSpellBook)->spellsChosen, chosen);
    EXPECT_EQ(hero->money.coins[2], 50);
}

TEST_F(SpellPageTest, PlusOneMarksTheDomainFromLevelOneAndTheSpecialtyOnEveryLevel)
{
    struct Case
    {
        std::uint16_t classId;
        bool choice; // a domain, or a specialty school
        bool levelZero;
        bool levelOne;
    };
    const Case cases[] = {
        {kPriest, false, false, false},
        {kPriest, true, false, true},
        {kSpellBook, false, false, false},
        {kSpellBook, true, true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.classId) + (c.choice ? " with" : " without"));
        MakeHero({{c.classId, 5}}, {-1, -1, -1, 16, 16});
        if (c.choice && c.classId == kPriest)
            hero->domainIds[0] = F::kDomainSky;
        if (c.choice && c.classId == kSpellBook)
            hero->schoolSlots[VelCharacter::kSpecialtySlot] = 1;
        page = OpenPage<S>(kSpellPage);
        ASSERT_NE(page, nullptr);
        const VelCharacterClass* entry = Entry(c.classId);
        EXPECT_EQ(TextIn(page, S::kFirstPerDayCell), std::to_string(entry->spellsPerDay[0]) + (c.levelZero ? "+1" : ""));
        EXPECT_EQ(TextIn(page, S::kFirstPerDayCell + 1),
                  std::to_string(entry->spellsPerDay[1]) + (c.levelOne ? "+1" : ""));
        EXPECT_EQ(TextIn(page, S::kFirstPerDayCell + 9), "-");
        EXPECT_EQ(page->FindDescendant(S::kPerDayGroup)->GetStoredPosition().y, c.classId == kPriest ? 90 : 338);
    }
}

TEST_F(SpellPageTest, DomainListForTheDomainCasterAndBackToSchoolsForOtherClasses)
{
    MakeHero({{kPriest, 5}, {kInnate, 1}}, {-1, -1, -1, -1, 16, 16});
    hero->domainIds[0] = F::kDomainSky;
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), 9503);
    EXPECT_EQ(HelpLine(), "You may cast every spell your class lists; those of levels you cannot cast yet, or of a domain you lack, are greyed.");
    EXPECT_TRUE(Shown(page, S::kModeCombo));
    EXPECT_FALSE(Shown(page, S::kFilterCaption));
    EXPECT_FALSE(Shown(page, S::kKnownList));
    Choose(page, S::kModeCombo, 1);
    ASSERT_EQ(page->GetMode(), 1);
    auto* filter = dynamic_cast<UIComboBox*>(page->FindDescendant(S::kFilterCombo));
    ASSERT_EQ(filter->GetList()->GetItemCount(), VelDatabase::GetMap(VelDatabase::kTagDomain)->GetCount())
        << "domains only, no entry for all";
    EXPECT_EQ(VariantOf(filter->GetList()->FindItemByData(F::kDomainEarth)), 1);
    EXPECT_EQ(VariantOf(filter->GetList()->FindItemByData(F::kDomainSky)), 0);
    Choose(page, S::kFilterCombo, F::kDomainSky);
    UIListBox* list = List(S::kClassList);
    ASSERT_EQ(list->GetItemCount(), 5u) << "the fire spells of levels 1 to 4 and the domain's own";
    EXPECT_NE(RowNamed(list, "Noon (3)"), nullptr);
    struct Mark
    {
        std::uint16_t level;
        std::int16_t variant;
    };
    for (const Mark m : {Mark{1, 0}, Mark{3, 0}, Mark{4, 1}})
    {
        Vel_UIItem* row = RowNamed(list, RowText(F::kFireSchool, m.level));
        ASSERT_NE(row, nullptr) << m.level;
        EXPECT_EQ(row->GetFontVariant(), m.variant) << m.level;
        EXPECT_FALSE(Draggable(row));
    }
    // Without the domain every row is greyed.
    hero->domainIds[0] = VelCharacter::kNone;
    hero->changeMask |= VelCharacter::kChangedSpells;
    hero->NotifyChanged();
    EXPECT_EQ(RowNamed(list, RowText(F::kFireSchool, 1))->GetFontVariant(), 1);

    PickClass(kInnate);
    EXPECT_EQ(page->GetMode(), 0);
    EXPECT_FALSE(Shown(page, S::kModeCombo));
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), 9502);
    EXPECT_EQ(filter->GetList()->GetItemCount(), F::kSchoolCount + 1u) << "all, then the schools";
    PickClass(kPriest);
    EXPECT_EQ(ChosenText(page, S::kModeCombo), "Class spells");
    EXPECT_NE(RowNamed(List(S::kClassList), RowText(3, 2)), nullptr) << "the class list again";
}

TEST_F(SpellPageTest, ANotificationUnderANonCasterLeavesSpellsPerDayHidden)
{
    MakeHero({{kPriest, 3}, {kFighterClass, 1}}, {-1, -1, -1, -1, 14});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Shown(page, S::kPerDayGroup));
    PickClass(kFighterClass);
    EXPECT_FALSE(Shown(page, S::kPerDayGroup));
    EXPECT_FALSE(Shown(page, S::kClassList));
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), S::kScreenId);
    SetAbilityScore(hero, VelEntity::kWis, 18, true);
    ui.Update();
    EXPECT_FALSE(Shown(page, S::kPerDayGroup));
    EXPECT_FALSE(Shown(page, S::kFilterCombo));
    PickClass(kPriest);
    EXPECT_TRUE(Shown(page, S::kPerDayGroup));
}

TEST_F(SpellPageTest, MoreChosenThanKnownShowsNegativeAndEachRemovalNotifies)
{
    MakeHero({{kInnate, 1}}, {-1, -1, -1, -1, -1, 16});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Shown(page, S::kFirstTab)) << "the innate caster fills level 0 too";
    EXPECT_FALSE(Shown(page, S::kPurchaseTab));
    const VelCharacterClass* entry = Entry(kInnate);
    ASSERT_EQ(entry->spellsKnown[1], 3);
    for (std::uint16_t school : {1, 2, 3})
        Learn(RowText(school, 1));
    EXPECT_EQ(entry->spellsChosen[1], 3);
    EXPECT_EQ(Tab(1), "0");
    EXPECT_FALSE(Draggable(ClassRow(RowText(4, 1)))) << "no free slot left";

    ListenForChanges();
    SetAbilityScore(hero, VelEntity::kCha, 10, true);
    ui.Update();
    ASSERT_EQ(entry->spellsKnown[1], 0);
    EXPECT_EQ(Tab(1), "-3");
    EXPECT_EQ(KnownRow(RowText(1, 1))->GetFontVariant(), 2);
    EXPECT_NE(window->GetWarningFlags() & VelLimitFlags::kSpellsChosen, 0u);
    const char* left[] = {"-2", "-1", "-"};
    for (std::uint16_t school : {1, 2, 3})
    {
        SCOPED_TRACE(school);
        recorder.calls = 0;
        recorder.bits = 0;
        hero->modified = 0;
        GiveBack(RowText(school, 1));
        EXPECT_EQ(recorder.calls, 1);
        EXPECT_NE(recorder.bits & VelCharacter::kChangedSpells, 0u);
        EXPECT_EQ(hero->modified, 1);
        EXPECT_EQ(Tab(1), left[school - 1]);
    }
    EXPECT_EQ(window->GetWarningFlags() & VelLimitFlags::kSpellsChosen, 0u);
    EXPECT_FALSE(page->FindDescendant(S::kFirstTab + 1)->IsEnabled());
}

TEST_F(SpellPageTest, FiltersAndTabSurviveAPageSwitch)
{
    MakeHero({{kSpellBook, 5}}, {-1, -1, -1, 16});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    ClickTab(3);
    Choose(page, S::kFilterCombo, F::kFireSchool);
    ClickChild(kFirstEntry);
    ASSERT_EQ(window->GetCurrentPageIndex(), 0);
    ASSERT_EQ(OpenPage<S>(kSpellPage), page);
    EXPECT_EQ(page->GetCurrentTab(), 3);
    EXPECT_EQ(page->GetSchoolFilter(), F::kFireSchool);
    EXPECT_EQ(ChosenText(page, S::kFilterCombo), "Flames");
    const std::vector<Vel_UISpellItem*> rows = Rows(S::kKnownClassList);
    ASSERT_EQ(rows.size(), 3u);
    for (const Vel_UISpellItem* row : rows)
        EXPECT_EQ(row->GetColumnText(0).rfind("Flames ", 0), 0u) << row->GetColumnText(0);
    EXPECT_TRUE(page->FindDescendant(S::kFirstTab + 3)->IsSelected());
    // Hovering a row shows its description; leaving brings the page's text back.
    Hover(rows[0]);
    EXPECT_EQ(HelpLine(), "A spell of Flames");
    HoverAway();
    EXPECT_EQ(HelpLine(), "Pick a level tab, then drag spells into your spell book; the last tab buys spells for gold.");
}

TEST_F(SpellPageTest, TheMinstrelsSlotIsTheSpellsLevel)
{
    MakeHero({{kMinstrel, 3}}, {-1, -1, -1, -1, -1, 16});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->FindDescendant(S::kTabGroup)->IsEnabled()) << "only the spell book picks a tab";
    Learn(RowText(6, 2));
    const VelCharacterSpell* held = Held(SchoolSpell(6, 2), kMinstrel);
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->spellLevel, 2);
    EXPECT_EQ(Entry(kMinstrel)->spellsChosen[2], 1);
}

TEST_F(SpellPageTest, LearningASpellLeavesTheClassListWhereItWas)
{
    // Else the next drag takes whatever the list put under the pointer.
    MakeHero({{kMinstrel, 3}}, {-1, -1, -1, -1, -1, 16});
    page = OpenPage<S>(kSpellPage);
    ASSERT_NE(page, nullptr);
    UIListBox* list = List(S::kKnownClassList);
    ASSERT_NE(list, nullptr);
    list->ScrollTo(3 * list->GetItemExtent());
    ui.Update();
    const FCPoint place = list->GetScrollPosition();
    ASSERT_GT(place.y, 0) << "the list holds more rows than it shows";
    const FCRect shown = list->GetScrollFrame()->GetScreenRect();
    Vel_UISpellItem* row = nullptr;
    for (Vel_UISpellItem* r : Rows(S::kKnownClassList))
        if (r->GetScreenRect().top >= shown.top && r->GetScreenRect().bottom <= shown.bottom && Draggable(r))
        {
            row = r;
            break;
        }
    ASSERT_NE(row, nullptr);
    const std::string text = row->GetColumnText(0);
    Drag(row, page->FindDescendant(S::kKnownList));
    EXPECT_NE(KnownRow(text), nullptr);
    EXPECT_EQ(list->GetScrollPosition().y, place.y);
    // Another filter lists other spells: from the top.
    Choose(page, S::kLevelCombo, 0);
    EXPECT_EQ(list->GetScrollPosition().y, 0);
}

TEST_F(SpellPageTest, TheMagicPagesHideTheWindowsSharedButtonThatDoesNothingThere)
{
    MakeHero({{kSpellBook, 5}}, {-1, -1, -1, 16});
    for (const std::int16_t index : {kSchoolPage, kSpellPage, kAnimalPage})
    {
        SCOPED_TRACE(index);
        ASSERT_NE(OpenPage<Vel_UIPanel>(index), nullptr);
        const UIControl* shared = window->FindDescendant(Vel_UIWin_CharConfig::kSharedButton);
        ASSERT_NE(shared, nullptr);
        EXPECT_FALSE(shared->GetVisibleFlag());
    }
}
} // namespace
