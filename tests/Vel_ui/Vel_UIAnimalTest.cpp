// The animal page in the character window over its built layout and the
// fixture's animals: who may take which animal, the previews, taking, naming
// and giving up an animal by real drags and keys, and what hovering shows
// in the page and in the window's summary.

#include "Vel_ui/MagicPageFixture.h"

#include "Fc/Graphics/FCResourceManager.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIEditControl.h"
#include "Vel/Character/VelCharacterAnimal.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelAnimalInfo.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Rules/VelPageRules.h"
#include "Vel_ui/Vel_UIAnimal.h"
#include "Vel_ui/Vel_UIAnimalItem.h"
#include "Vel_ui/Vel_UIItemTray.h"

#include <limits>
#include <string>
#include <vector>

namespace
{
using A = Vel_UIAnimal;
using F = RulesFixture;
using W = Vel_UIWin_CharConfig;

constexpr std::uint16_t kNaturePriest = 3;
constexpr std::uint16_t kHolyKnight = 6;
constexpr std::uint16_t kTracker = 7;
constexpr std::uint16_t kInnate = 9;
constexpr std::uint16_t kSpellBook = 10;

class AnimalPageTest : public MagicPageFixture
{
protected:
    UIListBox* List(std::uint16_t id) const { return dynamic_cast<UIListBox*>(page->FindDescendant(id)); }
    Vel_UIItem* AnimalRow(const std::string& name) const { return RowNamed(List(A::kAnimalList), name); }
    Vel_UIAnimalItem* TrayRow() const
    {
        auto* tray = dynamic_cast<Vel_UIItemTray*>(page->FindDescendant(A::kTray));
        return tray ? dynamic_cast<Vel_UIAnimalItem*>(tray->GetHolder()) : nullptr;
    }
    void Take(const std::string& name) { Drag(AnimalRow(name), page->FindDescendant(A::kTray)); }
    std::vector<std::string> Details() const
    {
        std::vector<std::string> texts;
        UIListBox* list = List(A::kDetails);
        for (std::int32_t i = 0; list && list->ItemAt(i, 0); ++i)
            texts.push_back(dynamic_cast<Vel_UIItem*>(list->ItemAt(i, 0))->GetColumnText(0));
        return texts;
    }
    std::string Summary(std::uint16_t id) const { return TextIn(window, id); }
    bool SummaryFont(std::uint16_t id, std::uint16_t font) const
    {
        auto* text = dynamic_cast<UITextControl*>(window->FindDescendant(id));
        return text && text->GetFont() == FCResourceManager::GetInstance()->GetFont(font);
    }

    A* page = nullptr;
};

TEST_F(AnimalPageTest, MountsFromLevelFiveAndOnlyThoseTheRiderSuits)
{
    struct Case
    {
        std::uint16_t level;
        std::uint16_t race;
        bool shown;
        bool horse;
        bool pony;
    };
    const Case cases[] = {
        {4, F::kRace, false, false, false},
        {5, F::kRace, true, true, false},
        {5, 1, true, false, true}, // the small rider has one mount of its own
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.race));
        MakeHero({{kNaturePriest, 1}, {kHolyKnight, c.level}});
        hero->raceId = c.race;
        page = OpenPage<A>(kAnimalPage);
        ASSERT_NE(page, nullptr);
        PickClass(kHolyKnight);
        EXPECT_EQ(Shown(page, A::kAnimalList), c.shown);
        EXPECT_EQ(Shown(page, A::kTray), c.shown);
        if (!c.shown)
            continue;
        EXPECT_EQ(TextIn(page, A::kTitle), "Mount");
        ASSERT_EQ(List(A::kAnimalList)->GetItemCount(), 2u) << "the animals that serve as mounts";
        EXPECT_EQ(Draggable(AnimalRow("Warhorse")), c.horse);
        EXPECT_EQ(Draggable(AnimalRow("Pony")), c.pony);
        EXPECT_EQ(AnimalRow("Pony")->GetFontVariant(), c.pony ? 0 : 1);
        hero->modified = 0;
        Take(c.horse ? "Warhorse" : "Pony");
        const VelCharacterAnimal* mount = hero->FindAnimalBySecondKey(kHolyKnight);
        ASSERT_NE(mount, nullptr);
        EXPECT_EQ(mount->animalId, c.horse ? F::kWarhorse : F::kPony);
        EXPECT_EQ(mount->kind, VelCharacterAnimal::kMount);
        EXPECT_EQ(hero->modified, 1);
        EXPECT_FALSE(Draggable(AnimalRow("Warhorse"))) << "one animal per class";
        EXPECT_TRUE(Shown(page, A::kNameField));
        EXPECT_EQ(TextIn(page, A::kNameLabel), "Mount's name");
    }
}

TEST_F(AnimalPageTest, AFamiliarCostsItsMasterAndIsSharedByTheArcaneClasses)
{
    MakeHero({{kInnate, 2}, {kSpellBook, 1}});
    hero->money.coins[2] = 150;
    // The master's ranks in the familiar's own class column count.
    auto* skill = new VelCharacterSkill(F::kFirstSkill, VelCharacterSkill::kNoSubSkill);
    skill->SetRanks(kInnate, VelCharacterSkill::kClassRanks, 5.0f);
    skill->SetRanks(kSpellBook, VelCharacterSkill::kClassRanks, 9.0f);
    hero->AddSkill(skill);
    skill->Release();
    page = OpenPage<A>(kAnimalPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TextIn(page, A::kTitle), "Familiar");
    EXPECT_TRUE(Draggable(AnimalRow("Cat")));
    Take("Cat");
    const VelCharacterAnimal* cat = hero->FindAnimalBySecondKey(kInnate);
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->kind, VelCharacterAnimal::kFamiliar);
    EXPECT_EQ(hero->money.coins[2], 50);
    EXPECT_EQ(TrayRow()->GetColumnText(0), "Cat");
    EXPECT_EQ(TrayRow()->GetEntity(), cat);
    EXPECT_EQ(Details(), (std::vector<std::string>{"Shared skills with master", "Skill (5.0 )", "Skill (2.0 )",
                                                   "Keen nose", "Empathic link"}));
    PickClass(kSpellBook);
    EXPECT_FALSE(Shown(page, A::kAnimalList)) << "one familiar for both classes";
    EXPECT_FALSE(Shown(page, A::kTray));
    EXPECT_FALSE(Shown(page, A::kNameField));
    PickClass(kInnate);
    EXPECT_TRUE(Shown(page, A::kTray));

    // Giving it up: removed, paid back, and the summary is the character's.
    Hover(TrayRow());
    EXPECT_EQ(window->GetViewedEntity(), cat);
    Drag(TrayRow(), kNowhere);
    EXPECT_EQ(hero->FindAnimalBySecondKey(kInnate), nullptr);
    EXPECT_EQ(hero->money.coins[2], 150);
    EXPECT_EQ(window->GetViewedEntity(), nullptr);
    EXPECT_EQ(Summary(W::kMeleeLabel), "Melee");
    EXPECT_FALSE(TrayRow()->IsVisible());
    EXPECT_TRUE(Details().empty());
    // Without the money no familiar can be taken.
    hero->money.coins[2] = 99;
    PickClass(kSpellBook);
    PickClass(kInnate);
    EXPECT_FALSE(Draggable(AnimalRow("Cat")));
}

TEST_F(AnimalPageTest, HoverShowsHitDiceAndTheAnimalsValuesInTheSummary)
{
    struct Case
    {
        std::uint16_t classId;
        const char* animal;
        const char* hitDice;
    };
    const Case cases[] = {{kHolyKnight, "Warhorse", "3"}, {kNaturePriest, "Wolf", "2.50"}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.animal);
        MakeHero({{c.classId, 5}});
        page = OpenPage<A>(kAnimalPage);
        ASSERT_NE(page, nullptr);
        Vel_UIItem* row = AnimalRow(c.animal);
        ASSERT_NE(row, nullptr);
        Hover(row);
        EXPECT_EQ(TextIn(page, A::kHitDiceText), c.hitDice);
        EXPECT_EQ(TextIn(page, A::kMovesText), "50 ft.");
        EXPECT_FALSE(TextIn(page, A::kSensesText).empty());
        auto* preview = dynamic_cast<Vel_UIAnimalItem*>(row)->GetEntity();
        ASSERT_EQ(window->GetViewedEntity(), preview);
        EXPECT_EQ(Summary(W::kMeleeLabel), "Attacks");
        EXPECT_EQ(Summary(W::kRangedLabel), "Damage");
        EXPECT_TRUE(SummaryFont(W::kMeleeText, W::kAnimalAttackFont));
        EXPECT_EQ(Summary(W::kMeleeText), FormatAnimalAttackBonuses(preview, true));
        EXPECT_EQ(Summary(W::kFirstValueText), std::to_string(preview->stats[VelEntity::kArmorClass]));
        EXPECT_NE(HelpLine().find("A "), std::string::npos);
        HoverAway();
        ui.Update();
        EXPECT_EQ(TextIn(page, A::kHitDiceText), "");
        EXPECT_EQ(window->GetViewedEntity(), nullptr);
        EXPECT_EQ(Summary(W::kMeleeLabel), "Melee");
        EXPECT_TRUE(SummaryFont(W::kMeleeText, W::kAttackFont));
        EXPECT_EQ(HelpLine(), "Pick a class with an animal above, then drag its companion, mount or familiar from the list and give it a name.");
    }
}

TEST_F(AnimalPageTest, HitDiceOfADamagedRecordShowAsTheLargestWholeNumber)
{
    for (const float hitDice : {3e9f, std::numeric_limits<float>::infinity()})
    {
        SCOPED_TRACE(hitDice);
        VelDatabase::FindAnimal(F::kWolf)->hitDice = hitDice;
        MakeHero({{kNaturePriest, 5}});
        page = OpenPage<A>(kAnimalPage);
        ASSERT_NE(page, nullptr);
        Hover(AnimalRow("Wolf"));
        EXPECT_EQ(TextIn(page, A::kHitDiceText), "2147483647");
        HoverAway();
    }
}

TEST_F(AnimalPageTest, PreviewsAreTheAnimalForThisMasterAndKind)
{
    struct Case
    {
        std::uint16_t classId;
        std::uint16_t kind;
        std::size_t rows;
    };
    const Case cases[] = {{kInnate, VelCharacterAnimal::kFamiliar, 1},
                          {kNaturePriest, VelCharacterAnimal::kCompanion, 3},
                          {kHolyKnight, VelCharacterAnimal::kMount, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.classId);
        MakeHero({{c.classId, 5}});
        hero->money.coins[2] = 100;
        page = OpenPage<A>(kAnimalPage);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetKind(), c.kind);
        UIListBox* list = List(A::kAnimalList);
        ASSERT_EQ(list->GetItemCount(), c.rows);
        for (std::uint32_t i = 0; i < c.rows; ++i)
        {
            auto* row = dynamic_cast<Vel_UIAnimalItem*>(list->ItemAt(static_cast<std::int32_t>(i), 0));
            ASSERT_NE(row, nullptr);
            const VelCharacterAnimal* preview = row->GetEntity();
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->kind, c.kind);
            EXPECT_EQ(preview->secondKey, c.classId);
            EXPECT_EQ(preview->owner, hero);
            EXPECT_GT(preview->stats[VelEntity::kArmorClass], 0);
            EXPECT_EQ(row->kind, A::kListKind);
            EXPECT_EQ(hero->FindAnimalBySecondKey(c.classId), nullptr) << "a preview is not the character's";
        }
    }
}

TEST_F(AnimalPageTest, ACompanionGroupShowsItsCountAndTheNameIsStoredOnFocusLoss)
{
    MakeHero({{kNaturePriest, 1}});
    page = OpenPage<A>(kAnimalPage);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(TextIn(page, A::kTitle), "Animal companion");
    EXPECT_FALSE(Shown(page, A::kNameField)) << "nothing to name yet";
    Take("Hawk");
    EXPECT_EQ(TrayRow()->GetColumnText(0), "Hawk  (2)");
    EXPECT_EQ(Details(), std::vector<std::string>{"Flies 60 ft."});
    ASSERT_TRUE(Shown(page, A::kNameField));
    EXPECT_EQ(TextIn(page, A::kNameLabel), "Companion's name");
    hero->modified = 0;
    ClickControl(page->FindDescendant(A::kNameField));
    for (const char key : std::string("Swift"))
        ui.Key(UIMessage::kChar, static_cast<std::uint8_t>(key));
    EXPECT_EQ(hero->FindAnimalBySecondKey(kNaturePriest)->text, "") << "stored when the field is left";
    ClickControl(page->FindDescendant(A::kTitle));
    EXPECT_EQ(hero->FindAnimalBySecondKey(kNaturePriest)->text, "Swift");
    EXPECT_EQ(hero->modified, 1);
    // Leaving the page while typing keeps what was typed.
    ClickControl(page->FindDescendant(A::kNameField));
    ui.Key(UIMessage::kChar, '!');
    ClickChild(kFirstEntry);
    EXPECT_EQ(hero->FindAnimalBySecondKey(kNaturePriest)->text, "Swift!");
    // Reopened, the page shows the stored name.
    page = OpenPage<A>(kAnimalPage);
    EXPECT_EQ(TextIn(page, A::kNameField), "Swift!");
}

TEST_F(AnimalPageTest, ALongFeatureGoesOnOverRowsBrokenAtWords)
{
    // The hawk's flight given a sentence of a text for this test.
    auto* flight = VelDatabase::FindFeature<VelFeatureInfo>(F::kFirstAnimalFeature + 1);
    ASSERT_NE(flight, nullptr);
    const std::string kept = flight->text;
    flight->text = "Flies %d ft. and dives on small prey from far above, striking before the prey has seen it.";
    MakeHero({{kNaturePriest, 1}});
    page = OpenPage<A>(kAnimalPage);
    ASSERT_NE(page, nullptr);
    Take("Hawk");
    const std::vector<std::string> rows = Details();
    flight->text = kept;

    ASSERT_GE(rows.size(), 2u) << "the text is wider than one row";
    std::string joined;
    for (const std::string& row : rows)
        joined += row;
    EXPECT_EQ(joined, "Flies 60 ft. and dives on small prey from far above, striking before the prey has seen it.")
        << "nothing lost or repeated";
    UIListBox* list = List(A::kDetails);
    for (std::int32_t i = 0; list && list->ItemAt(i, 0); ++i)
    {
        auto* cell = dynamic_cast<UITextControl*>(dynamic_cast<Vel_UIItem*>(list->ItemAt(i, 0))->GetColumnControl(0));
        ASSERT_NE(cell, nullptr);
        ASSERT_NE(cell->GetFont(), nullptr);
        EXPECT_LE(MeasureTextLine(cell->GetText(), *cell->GetFont()).x, cell->GetSize().x) << cell->GetText();
        EXPECT_EQ(cell->GetFont(), FCResourceManager::GetInstance()->GetFont(A::kDetailFont));
        if (i + 1 < static_cast<std::int32_t>(rows.size()))
        {
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].back(), ' ') << "broken after a word";
        }
    }
}

TEST_F(AnimalPageTest, OtherClassesAndAClassWithoutTheRightToAnAnimalSeeNothing)
{
    MakeHero({{kNaturePriest, 1}, {kTracker, 3}});
    page = OpenPage<A>(kAnimalPage);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Shown(page, A::kAnimalList));
    PickClass(kTracker);
    for (std::uint16_t id : {A::kTitle, A::kTray, A::kHeadings, A::kDetails, A::kAnimalList, A::kInfoGroup, A::kNameField})
        EXPECT_FALSE(Shown(page, id)) << id;
}

TEST_F(AnimalPageTest, HoverRefreshHover)
{
    MakeHero({{kNaturePriest, 5}, {kHolyKnight, 5}});
    page = OpenPage<A>(kAnimalPage);
    ASSERT_NE(page, nullptr);
    Hover(AnimalRow("Wolf"));
    ASSERT_NE(window->GetViewedEntity(), nullptr);
    // The list is built anew under the pointer: the old preview is let go.
    PickClass(kHolyKnight);
    EXPECT_EQ(window->GetViewedEntity(), nullptr);
    Vel_UIItem* horse = AnimalRow("Warhorse");
    ASSERT_NE(horse, nullptr);
    HoverAway();
    Hover(horse);
    EXPECT_EQ(window->GetViewedEntity(), dynamic_cast<Vel_UIAnimalItem*>(horse)->GetEntity());
    EXPECT_EQ(TextIn(page, A::kHitDiceText), "3");
    PickClass(kNaturePriest);
    HoverAway();
    Hover(AnimalRow("Wolf"));
    EXPECT_EQ(TextIn(page, A::kHitDiceText), "2.50");
}
} // namespace
