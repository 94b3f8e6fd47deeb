// The languages page in the character window over its built layout and the
// fixture rule set: learning by dragging onto the known list up to what INT
// allows, forgetting by dragging off, languages that stay (spoken by the
// race, known through the language skill) and drops that a stale row would
// let through.

#include "Vel/Character/VelCharacterLanguage.h"
#include "Vel/Character/VelCharacterSkill.h"
#include "Vel/Db/VelIds.h"
#include "Vel_ui/CharPageFixture.h"
#include "Vel_ui/Vel_UILanguage.h"
#include "support/MakeRecord.h"

namespace
{
using L = Vel_UILanguage;
using F = RulesFixture;
constexpr std::uint16_t kEntry = 4705;
// The fixture race speaks 1; it may learn 2 and 3; 49 it may not.
constexpr std::intptr_t kSpoken = F::kFirstLanguage;
constexpr std::intptr_t kSecond = 2;
constexpr std::intptr_t kThird = 3;
constexpr std::intptr_t kClosed = F::kLanguageExtra;

class LanguagePageTest : public CharPageFixture
{
protected:
    L* OpenLanguages()
    {
        L* page = OpenPage<L>(kEntry);
        known = Child<Vel_UIListBox>(L::kKnownListId);
        available = Child<Vel_UIListBox>(L::kAvailableListId);
        return page;
    }
    std::string Counter() const { return Child<UITextControl>(L::kCounterId)->GetText(); }
    std::int32_t Chosen() const
    {
        return static_cast<std::int32_t>(hero->values[VelCharacter::kValueLanguagesChosen]);
    }
    std::vector<std::intptr_t> TakeableKeys() const
    {
        std::vector<std::intptr_t> keys;
        for (const Vel_UIItem* row : Rows(available))
            if (Takeable(row))
                keys.push_back(row->key);
        return keys;
    }

    Vel_UIListBox* known = nullptr;
    Vel_UIListBox* available = nullptr;
};

TEST_F(LanguagePageTest, LearnsUpToTheLimitAndForgets)
{
    MakeHero({{4, 1}}, 12); // one bonus language
    ASSERT_NE(OpenLanguages(), nullptr);
    EXPECT_EQ(Vel_UIWin_CharConfig::GetHelpId(), L::kScreenId);
    EXPECT_EQ(HelpLine(), TextOf(L::kScreenId));
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken}));
    EXPECT_FALSE(Draggable(Rows(known)[0])) << "the race's own language stays";
    // The hidden language is not offered at all.
    EXPECT_EQ(Keys(available), (std::vector<std::intptr_t>{kSpoken, kSecond, kThird, kClosed}));
    EXPECT_EQ(TakeableKeys(), (std::vector<std::intptr_t>{kSecond, kThird}));
    EXPECT_EQ(Counter(), "1");

    Drag(RowWithKey(available, kSecond), known);
    EXPECT_NE(hero->FindLanguage(kSecond), nullptr);
    EXPECT_EQ(Chosen(), 1);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken, kSecond}));
    EXPECT_EQ(Counter(), "0");
    EXPECT_TRUE(TakeableKeys().empty()) << "the limit greys every row";

    // The limit passed (a lower INT, say): the counter goes negative.
    hero->SetValue(VelCharacter::kValueLanguagesAllowed, 0);
    hero->changeMask = VelCharacter::kChangedLanguages;
    hero->NotifyChanged();
    EXPECT_EQ(Counter(), "-1");
    EXPECT_TRUE(TakeableKeys().empty());
    hero->SetValue(VelCharacter::kValueLanguagesAllowed, 1);

    hero->modified = 0;
    Drag(RowWithKey(known, kSecond), kNowhere);
    EXPECT_EQ(hero->FindLanguage(kSecond), nullptr);
    EXPECT_EQ(Chosen(), 0);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken}));
    EXPECT_EQ(TakeableKeys(), (std::vector<std::intptr_t>{kSecond, kThird}));
    EXPECT_EQ(Counter(), "1");

    // The race's language does not move.
    Drag(RowWithKey(known, kSpoken), kNowhere);
    EXPECT_NE(hero->FindLanguage(kSpoken), nullptr);
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken}));
}

TEST_F(LanguagePageTest, SkillLanguagesStayUncountedAndStaleRowsAreRefused)
{
    MakeHero({{4, 1}}, 14); // two bonus languages
    // Language 3 through the language skill, and a sub-skill no language
    // record names.
    for (std::uint16_t sub : {std::uint16_t{kThird}, std::uint16_t{40}})
        Adopt(new VelCharacterSkill(VelIds::kSkillSpeakLanguage, sub),
              [&](VelCharacterSkill* s) { hero->AddSkill(s); });
    ASSERT_NE(OpenLanguages(), nullptr);
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken, kThird}));
    EXPECT_FALSE(Draggable(RowWithKey(known, kThird)));
    EXPECT_EQ(TakeableKeys(), (std::vector<std::intptr_t>{kSecond}));
    EXPECT_EQ(Counter(), "2") << "a skill's language is not a choice";

    // Rows that were open when drawn and are not any more: each is dropped
    // as if it still promised a choice, and nothing is learnt.
    struct Case
    {
        std::intptr_t language;
        const char* why;
    };
    const Case cases[] = {
        {kSpoken, "already known"},
        {kThird, "known through the skill"},
        {kClosed, "not open to the race"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.why);
        Vel_UIItem* row = RowWithKey(available, c.language);
        ASSERT_NE(row, nullptr);
        row->SetDraggable(true);
        Drag(row, known);
        EXPECT_EQ(Chosen(), 0);
        EXPECT_EQ(hero->modified, 0);
        EXPECT_EQ(hero->languages.GetCount(), 1u);
        EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken, kThird}));
    }

    // A skill's language made draggable by a stale row is not forgotten.
    RowWithKey(known, kThird)->SetDraggable(true);
    Drag(RowWithKey(known, kThird), kNowhere);
    EXPECT_EQ(Keys(known), (std::vector<std::intptr_t>{kSpoken, kThird}));
    EXPECT_EQ(hero->modified, 0);
}
} // namespace
