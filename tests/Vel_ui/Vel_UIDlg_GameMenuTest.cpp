#include "Vel_ui/CharWindowFixture.h"

#include "Ui/UIButton.h"
#include "Vel_ui/Vel_UIDlg_GameMenu.h"

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
        EXPECT_FALSE(menu->FindDescendant(M::kPrintButton)->IsEnabled());
        ClickMenu(M::kSoundToggle);
        EXPECT_EQ(settings.IsSoundEffectsOn(), s.on);
        const auto effects = Played("streamfile");
        EXPECT_EQ(std::count(effects.begin(), effects.end(), M::kSoundOffHint), s.hint ? 1 : 0);
        ui.RecreateManager();
    }
}
} // namespace
