#include "Vel_ui/CharWindowFixture.h"

#include "Ui/UIButton.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UITextControl.h"
#include "Ui/UITextListBox.h"
#include "Vel_ui/Vel_UIDlg_GameMenu.h"
#include "support/FakeCursorProvider.h"
#include "support/FakePrintCanvas.h"

#include <algorithm>

namespace
{
using M = Vel_UIDlg_GameMenu;
using W = Vel_UIWin_CharConfig;

class GameMenuTest : public CharWindowFixture
{
protected:
    M* OpenMenu()
    {
        VelClient::SetCurrentCharacter(hero);
        if (!Open())
            return nullptr;
        Escape();
        return dynamic_cast<M*>(window->GetGameMenu());
    }
    void ClickMenu(std::uint16_t id) { ClickControl(ui.Manager().GetTopWindow()->FindDescendant(id)); }
    // The screen at the bottom of the stack, once a switch applied.
    std::uint16_t ScreenId()
    {
        ui.Update();
        const UIControl* bottom = ui.Manager().GetWindow(ui.Manager().GetWindowCount() - 1);
        return bottom ? bottom->GetId() : 0;
    }
};

TEST_F(GameMenuTest, LeavingAsksToSaveOnlyWhenModifiedAndFollowsTheAnswer)
{
    struct Case
    {
        std::uint16_t button;
        std::uint8_t modified;
        std::uint16_t answer; // message-box button; 0 when nothing is asked
        std::uint16_t screen;
    };
    const Case cases[] = {
        {M::kStartMenuButton, 0, 0, kStartMenuStand},
        {M::kAddLevelsButton, 0, 0, kSetupStand},
        {M::kStartMenuButton, 1, 112, kStartMenuStand}, // No: leave unsaved
        {M::kAddLevelsButton, 1, 112, kSetupStand},
        {M::kStartMenuButton, 1, 111, W::kWindowId}, // Yes: the save dialog, the menu stays
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.button * 10 + c.answer);
        hero->modified = c.modified;
        ASSERT_NE(OpenMenu(), nullptr);
        ClickMenu(c.button);
        if (c.answer)
        {
            ASSERT_NE(TopId(), W::kGameMenuId) << "the question is open";
            ClickMenu(c.answer);
        }
        EXPECT_EQ(ScreenId(), c.screen);
        if (c.screen == W::kWindowId)
        {
            EXPECT_NE(window->GetGameMenu(), nullptr);
        }
        if (c.screen == kSetupStand)
        {
            EXPECT_EQ(hero->GetListener(), nullptr);
        }
        // Left for the start menu, saved or not, it is no one's to ask about:
        // closing the program there asks nothing.
        EXPECT_EQ(VelClient::GetCurrentCharacter(), c.screen == kStartMenuStand ? nullptr : hero);
        if (c.screen == kStartMenuStand)
        {
            EXPECT_TRUE(client->ConfirmQuit());
            EXPECT_EQ(TopId(), kStartMenuStand);
        }
        ui.RecreateManager();
    }
}

TEST_F(GameMenuTest, CloseMarksTheCharacterModifiedAndGivesTheWindowBack)
{
    ASSERT_NE(OpenMenu(), nullptr);
    ClickMenu(M::kCloseButton);
    EXPECT_EQ(hero->modified, 1);
    EXPECT_EQ(TopId(), W::kWindowId);
    EXPECT_EQ(window->GetGameMenu(), nullptr);
    EXPECT_TRUE(window->FindChild(W::kRollerButton)->IsEnabled());
    EXPECT_FALSE(ui.Manager().GetWindowCount() > 1);
}

TEST_F(GameMenuTest, SoundToggleIsKeptInTheSettingsAndHintsOncePerRun)
{
    struct Step
    {
        std::uint32_t shownState; // the toggle as the menu opens
        bool on;                  // after the click
        bool hint;
    };
    const Step steps[] = {
        {UIButton::kUp, false, true},
        {UIButton::kDown, true, false},
        {UIButton::kUp, false, false},
    };
    for (const Step& s : steps)
    {
        ui.Devices().sound.requests.clear();
        M* menu = OpenMenu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->FindDescendant(M::kSoundToggle)->GetState(), s.shownState);
        EXPECT_EQ(menu->FindDescendant(M::kPrintButton)->IsEnabled(),
                  window->GetWarningFlags() == 0);
        ClickMenu(M::kSoundToggle);
        EXPECT_EQ(settings.IsSoundEffectsOn(), s.on);
        const auto effects = Played("streamfile");
        EXPECT_EQ(std::count(effects.begin(), effects.end(), M::kSoundOffHint), s.hint ? 1 : 0);
        ui.RecreateManager();
    }
}
TEST_F(GameMenuTest, PrintIsOfferedOnlyWithoutWarnings)
{
    for (const std::uint32_t flags : {0u, 0x10u})
    {
        SCOPED_TRACE(flags);
        ASSERT_TRUE(Open());
        window->SetWarningFlags(flags);
        Escape();
        ASSERT_NE(window->GetGameMenu(), nullptr);
        EXPECT_EQ(window->GetGameMenu()->FindDescendant(M::kPrintButton)->IsEnabled(), flags == 0);
        ui.RecreateManager();
    }
}

TEST_F(GameMenuTest, PrintingWaitsThenSaysWhatBecameOfTheSheet)
{
    using Kind = FCPrintOutcome::Kind;
    struct Case
    {
        const char* name;
        std::size_t failAt;
        bool silently;
        FCPrintOutcome finished;
        const char* says;
    };
    const Case cases[] = {
        {"sent",
         0,
         false,
         {Kind::kSent, "Office", 7, {}, {}},
         "The character sheet went to the printer Office as job 7."},
        {"kept",
         0,
         false,
         {Kind::kSaved, {}, 0, "/home/u/Hero.pdf", "No printer is set up."},
         "The character sheet was saved as /home/u/Hero.pdf instead of printed. No printer is set "
         "up."},
        {"refused page",
         2,
         false,
         {Kind::kSent, "Office", 7, {}, {}},
         "The character sheet could not be printed. StartPage was refused."},
        {"a canvas that fails but claims success",
         3,
         true,
         {Kind::kSent, "Office", 7, {}, {}},
         "The character sheet could not be printed. A page could not be printed."},
    };
    FakePrinter& printer = ui.Devices().printer;
    printer.Open();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        FakeCursorProvider cursors;
        printer.canvasFailAt = c.failAt;
        printer.canvasFailsSilently = c.silently;
        printer.canvasFinished = c.finished;
        M* menu = OpenMenu();
        ASSERT_NE(menu, nullptr);
        menu->SetPrintEnabled(true);
        ClickMenu(M::kPrintButton);
        EXPECT_EQ(printer.canvases.size(), 1u);
        EXPECT_EQ(cursors.currentCursors,
                  (std::vector<FCCursorHandle>{cursors.SystemCursor(FCCursorProvider::kWait),
                                               cursors.SystemCursor(FCCursorProvider::kArrow)}));
        UIControl* box = ui.Manager().GetTopWindow();
        ASSERT_NE(dynamic_cast<UIMessageDialog*>(box), nullptr);
        EXPECT_EQ(ui.Manager().GetModal(), box);
        // The outcome can be long (a path, the printer's own words): it
        // fills the box's scrolling list, one wrapped line a row.
        const auto* list =
            dynamic_cast<UITextListBox*>(box->FindDescendant(UIMessageDialog::kTextListId));
        ASSERT_NE(list, nullptr);
        std::string text;
        UIListBox::ItemCursor row;
        list->BeginIteration(row);
        for (UIControl* item = nullptr; list->NextItem(item, row);)
            if (const auto* line = dynamic_cast<const UITextControl*>(item))
                text += line->GetText();
        EXPECT_EQ(text, c.says);
        EXPECT_EQ(text.find("went to the printer") != std::string::npos,
                  c.finished.kind == Kind::kSent && c.failAt == 0);
        ClickControl(box->FindDescendant(UIMessageDialog::kFirstButtonId));
        EXPECT_EQ(TopId(), W::kGameMenuId);
        printer.canvases.clear();
        ui.RecreateManager();
    }
}
} // namespace
