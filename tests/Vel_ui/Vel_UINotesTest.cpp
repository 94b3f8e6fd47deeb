// The notes page in the character window over its built layout: what is
// typed becomes the character's note and marks it modified, whichever way
// the user leaves the field (another field, another page, the game menu),
// notes come back into the fields, and a field stops where a character file
// does.

#include "Fc/Core/FCArchive.h"
#include "Fc/Graphics/FCTextLayout.h"
#include "Ui/UIEditControl.h"
#include "Ui/UIText.h"
#include "Vel_ui/CharPageFixture.h"
#include "Vel_ui/Vel_UINotes.h"

#include <functional>

namespace
{
using N = Vel_UINotes;
using W = Vel_UIWin_CharConfig;
constexpr std::uint16_t kEntry = 4713;
constexpr std::uint16_t kAbilitiesEntry = 4702;

class NotesPageTest : public CharPageFixture
{
protected:
    UIEditControl* Field(std::size_t i) const
    {
        return Child<UIEditControl>(static_cast<std::uint16_t>(N::kFirstFieldId + i));
    }
    void Type(const std::string& text)
    {
        for (const char c : text)
            ui.Key(UIMessage::kChar, static_cast<std::uint8_t>(c));
        ui.Update();
    }
};

TEST_F(NotesPageTest, TypedNotesAreKeptHoweverTheFieldIsLeft)
{
    MakeHero({{4, 1}});
    ASSERT_NE(OpenPage<N>(kEntry), nullptr);
    EXPECT_EQ(W::GetHelpId(), N::kScreenId);
    EXPECT_EQ(HelpLine(), TextOf(N::kScreenId));
    EXPECT_FALSE(Child<UIControl>(W::kSharedButton)->GetVisibleFlag()) << "the shared button is hidden";

    struct Case
    {
        std::size_t field;
        const char* typed;
        const char* leave;
        std::function<void()> away;
    };
    const Case cases[] = {
        {0, "Owes the miller", "another field", [&] { ClickControl(Field(1)); }},
        {2, "Scar", "another page and back",
         [&]
         {
             ClickChild(kAbilitiesEntry);
             ClickChild(kEntry);
         }},
        // Half typed when Escape opens the game menu, from which the
        // character may be saved at once.
        {4, "Half", "the game menu", [&] { Escape(); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.leave);
        hero->modified = 0;
        ClickControl(Field(c.field));
        Type(c.typed);
        c.away();
        EXPECT_EQ(hero->notes[c.field], c.typed);
        EXPECT_EQ(hero->modified, 1);
        EXPECT_EQ(Field(c.field)->GetText(), c.typed);
    }
    EXPECT_EQ(TopId(), W::kGameMenuId);
    Escape();
    // Entering the page again reads every note back, one set elsewhere too
    // (a loaded file), and writes nothing.
    hero->notes[8] = "From the file";
    hero->modified = 0;
    ClickChild(kAbilitiesEntry);
    ClickChild(kEntry);
    EXPECT_EQ(Field(8)->GetText(), "From the file");
    EXPECT_EQ(Field(0)->GetText(), "Owes the miller");
    EXPECT_EQ(hero->modified, 0);
    EXPECT_FALSE(Child<UIControl>(W::kSharedButton)->GetVisibleFlag());
}

TEST_F(NotesPageTest, ANoteCountsWhileItIsTyped)
{
    // The window may go (the program closed) with the field still focused,
    // which tells the page nothing: the quit question must know already.
    MakeHero({{4, 1}});
    ASSERT_NE(OpenPage<N>(kEntry), nullptr);
    ClickControl(Field(6));
    Type("Hi");
    EXPECT_EQ(hero->notes[6], "Hi");
    EXPECT_EQ(hero->modified, 1);
    ui.RecreateManager();
    EXPECT_EQ(hero->notes[6], "Hi");
}

TEST_F(NotesPageTest, AnEmptiedFieldStoresAnEmptyNoteAndAFullOneStops)
{
    MakeHero({{4, 1}});
    const std::string full(FCArchive::kMaxStringLength, 'a');
    hero->notes[3] = "x";
    hero->notes[5] = full;
    ASSERT_NE(OpenPage<N>(kEntry), nullptr);
    ClickControl(Field(3));
    ui.Key(UIMessage::kKeyDown, 8); // Backspace
    ClickControl(Field(4));
    EXPECT_EQ(hero->notes[3], "");
    EXPECT_EQ(hero->modified, 1);

    hero->modified = 0;
    ClickControl(Field(5));
    Type("b");
    ClickControl(Field(4));
    EXPECT_EQ(hero->notes[5], full) << "what a file keeps, and no more";
    EXPECT_EQ(hero->modified, 0);
}

TEST_F(NotesPageTest, AFieldTakesNoMoreThanItShows)
{
    // What runs on out of sight would still be saved and printed.
    MakeHero({{4, 1}});
    ASSERT_NE(OpenPage<N>(kEntry), nullptr);
    for (const char c : {'W', 'i', '8'})
    {
        SCOPED_TRACE(c);
        ClickControl(Field(1));
        Type(std::string(200, c));
        ClickControl(Field(2));
        const std::string& note = hero->notes[1];
        UIText* shown = Field(1)->GetTextObject();
        ASSERT_NE(shown, nullptr);
        ASSERT_NE(Field(1)->GetFont(), nullptr);
        EXPECT_GT(note.size(), 10U);
        EXPECT_LT(note.size(), 200U);
        EXPECT_LE(MeasureTextLine(note, *Field(1)->GetFont()).x, shown->GetSize().x);
        // A full field still lets a character go and come again.
        const std::string full = note;
        ClickControl(Field(1));
        ui.Key(UIMessage::kKeyDown, 35); // End
        ui.Key(UIMessage::kKeyDown, 8);
        EXPECT_EQ(hero->notes[1], full.substr(0, full.size() - 1));
        Type(std::string(2, c));
        EXPECT_EQ(hero->notes[1], full);
        for (std::size_t i = 0; i < 200; ++i)
            ui.Key(UIMessage::kKeyDown, 8);
    }
}
} // namespace
