// The start menu and its dialogs over the built layouts and interface
// content, driven by pointer clicks at the positions of content/ui/STYLE.md,
// with the real client and stand-in windows for the screens it leads to.

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIFileDialog.h"
#include "Ui/UIListBox.h"
#include "Ui/UIMessageDialog.h"
#include "Ui/UIMessages.h"
#include "Ui/UITextControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Character/VelCharacterFile.h"
#include "Vel_ui/Vel_UIWin_CharacterType.h"
#include "Vel_ui/Vel_UIWin_StartMenu.h"
#include "support/DialogLayouts.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/TempFolder.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kMenuButtons[] = {100, 101, 102, 103, 104};

// Centres of the controls (STYLE.md, "The screens").
constexpr DialogLayouts::Point kNewButton{400, 260};
constexpr DialogLayouts::Point kLoadButton{400, 316};
constexpr DialogLayouts::Point kAboutButton{400, 372};
constexpr DialogLayouts::Point kCreditsButton{400, 428};
constexpr DialogLayouts::Point kQuitButton{400, 484};
constexpr DialogLayouts::Point kCreate{336, 368};
constexpr DialogLayouts::Point kCancelNew{464, 368};
constexpr DialogLayouts::Point kFirstFileRow{300, 154};
constexpr DialogLayouts::Point kFileOk{448, 488};
constexpr DialogLayouts::Point kFileCancel{568, 488};
constexpr DialogLayouts::Point kMessageOk{400, 368};

// Stand-ins for the screens the menu leads to, each a window of its own id.
struct Stand
{
    const char* layout;
    std::uint16_t id;
};
constexpr Stand kStands[] = {
    {"velCharSetup.ui", 9001},
    {"velCharConfig.ui", 9002},
    {"velWinInfo.ui", 9003},
    {"velCreditsWindow.ui", 9007},
};

// A headless screen over the built Resources/ tree, the real client and a
// user data folder of its own.
class StartMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", data.GetPath().c_str(), 1);
        data.MakeFolder("stavelorn/Characters");
        // Stand-ins first (the harness's own root), the build's content after.
        for (const Stand& stand : kStands)
            ui.WriteLayout(stand.layout, LayoutBytes::Write(LayoutBytes::Control(
                                             LayoutBytes::Element(stand.id, 0, 0, 800, 600), "UIWindow")));
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("Sfx");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        client = new VelClient();
        menu = dynamic_cast<Vel_UIWin_StartMenu*>(ui.Manager().SwitchTo("velStartMenu.ui", 0));
        ASSERT_NE(menu, nullptr);
        ui.Update();
    }
    void TearDown() override
    {
        VelClient::SetCurrentCharacter(nullptr);
        if (client)
            client->Release();
        ::unsetenv("XDG_DATA_HOME");
    }

    void Click(DialogLayouts::Point at)
    {
        ui.Click(at.x, at.y);
        ui.Update(); // applies a screen switch
    }
    std::uint16_t TopId()
    {
        const UIControl* top = ui.Manager().GetTopWindow();
        return top ? top->GetId() : 0;
    }
    std::vector<bool> ButtonsEnabled() const
    {
        std::vector<bool> enabled;
        for (std::uint16_t id : kMenuButtons)
            enabled.push_back(menu->FindChild(id) && menu->FindChild(id)->IsEnabled());
        return enabled;
    }
    void ExpectButtons(bool enabled) const
    {
        EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(std::size(kMenuButtons), enabled));
    }
    void WriteCharacterFile(const std::string& name)
    {
        VelCharacter* hero = VelClient::CreateCharacter();
        ASSERT_NE(hero, nullptr);
        EXPECT_TRUE(VelCharacterFile::Save(*hero, data.Join("stavelorn/Characters/" + name)));
        hero->Release();
    }

    QuietLog quiet;
    TempFolder data;
    UiHarness ui;
    VelClient* client = nullptr;
    Vel_UIWin_StartMenu* menu = nullptr; // held by the window manager
};

TEST_F(StartMenuTest, ButtonsLeadToTheirScreens)
{
    struct Case
    {
        DialogLayouts::Point button;
        std::uint16_t screen;
    };
    const Case cases[] = {
        {kAboutButton, 9003},
        {kQuitButton, 9003},
        {kCreditsButton, 9007},
    };
    auto* version = dynamic_cast<UITextControl*>(menu->FindChild(Vel_UIWin_StartMenu::kVersionTextId));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->GetText(), "Version 1.2");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.screen);
        menu = dynamic_cast<Vel_UIWin_StartMenu*>(ui.Manager().SwitchTo("velStartMenu.ui", 0));
        ASSERT_NE(menu, nullptr);
        ui.Update();
        Click(c.button);
        EXPECT_EQ(TopId(), c.screen);
    }
}

TEST_F(StartMenuTest, NewCharacterAsksFirst)
{
    Click(kNewButton);
    EXPECT_EQ(TopId(), Vel_UIWin_CharacterType::kWindowId);
    ExpectButtons(false);
    Click(kCancelNew);
    EXPECT_EQ(TopId(), menu->GetId());
    ExpectButtons(true);
    EXPECT_EQ(VelClient::GetCurrentCharacter(), nullptr);

    Click(kNewButton);
    Click(kCreate);
    EXPECT_EQ(TopId(), 9001) << "the set-up screen";
    EXPECT_NE(VelClient::GetCurrentCharacter(), nullptr);
}

TEST_F(StartMenuTest, LoadDialogKeepsTheMenuDisabledUntilItCloses)
{
    WriteCharacterFile("Hero.cg3");
    Click(kLoadButton);
    auto* dialog = dynamic_cast<UIFileDialog*>(ui.Manager().GetTopWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetId(), Vel_UIWin_StartMenu::kFileDialogId);
    ASSERT_EQ(dialog->GetFileList()->GetItemCount(), 1u);
    ExpectButtons(false);
    Click(kNewButton);
    EXPECT_EQ(TopId(), Vel_UIWin_StartMenu::kFileDialogId) << "a disabled button does nothing";

    Click(kFileCancel);
    EXPECT_EQ(TopId(), menu->GetId());
    ExpectButtons(true);
}

TEST_F(StartMenuTest, ChosenFileIsLoadedOrExplainedOverTheDialog)
{
    WriteCharacterFile("Hero.cg3");
    data.WriteFile("stavelorn/Characters/Broken.cg3", "not a character");

    // Broken sorts first: its message belongs to the dialog, which stays.
    Click(kLoadButton);
    auto* dialog = dynamic_cast<UIFileDialog*>(ui.Manager().GetTopWindow());
    ASSERT_NE(dialog, nullptr);
    Click(kFirstFileRow);
    ASSERT_EQ(dialog->GetFileName(), "Broken");
    Click(kFileOk);
    auto* box = dynamic_cast<UIMessageDialog*>(ui.Manager().GetTopWindow());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetOwner(), dialog);
    EXPECT_EQ(ui.Manager().GetModal(), box);
    EXPECT_TRUE(dialog->IsOpen());
    EXPECT_EQ(VelClient::GetCurrentCharacter(), nullptr);
    Click(kMessageOk);
    EXPECT_EQ(TopId(), Vel_UIWin_StartMenu::kFileDialogId);
    ExpectButtons(false);

    // Hero is a character: it becomes current and the character window opens.
    Click({kFirstFileRow.x, kFirstFileRow.y + dialog->GetFileList()->GetItemSize().y});
    ASSERT_EQ(dialog->GetFileName(), "Hero");
    Click(kFileOk);
    EXPECT_EQ(TopId(), 9002);
    ASSERT_NE(VelClient::GetCurrentCharacter(), nullptr);
    EXPECT_EQ(VelClient::GetCurrentCharacter()->fileName.rfind("Hero", 0), 0u);
}

// The screens as drawn, checked by the colours of the type scale in the
// boxes where STYLE.md puts each text; with STAVELORN_UI_SCREENS set, each
// screen is also written there as a PNG for a look.
TEST_F(StartMenuTest, ScreensAsDrawn)
{
    struct Ink
    {
        std::int32_t left, top, right, bottom;
        std::uint16_t colour;
    };
    struct Screen
    {
        const char* name;
        std::vector<DialogLayouts::Point> clicks; // before the frame
        std::vector<Ink> present;
        std::vector<Ink> absent;
    };
    const std::uint16_t gold = UiHarness::Rgb(0xe0, 0xb8, 0x64);
    const std::uint16_t parchment = UiHarness::Rgb(0xec, 0xdf, 0xc4);
    const std::uint16_t dim = UiHarness::Rgb(0xb3, 0xa2, 0x84);
    const std::uint16_t ash = UiHarness::Rgb(0x6f, 0x66, 0x5c);
    const std::uint16_t white = UiHarness::Rgb(0xff, 0xff, 0xff);
    const Ink title{280, 96, 520, 152, gold};
    const Ink version{600, 560, 776, 576, dim};
    const Ink quitLive{272, 464, 528, 504, parchment};
    const Ink quitAsh{272, 464, 528, 504, ash};
    const Ink dialogHeading{200, 216, 600, 240, gold};
    const Screen screens[] = {
        {"StartMenu", {}, {title, version, quitLive}, {quitAsh}},
        {"CharacterType", {kNewButton}, {dialogHeading, quitAsh, {200, 264, 600, 336, parchment}}, {quitLive}},
        {"FileDialog", {kCancelNew, kLoadButton, kFirstFileRow},
         {{200, 96, 600, 120, gold}, {178, 146, 606, 163, white}, {272, 424, 624, 456, parchment}}, {}},
        {"MessageDialog", {kFileOk}, {dialogHeading, {200, 264, 600, 336, parchment}}, {}},
    };
    const auto inked = [&](const Ink& ink)
    {
        for (std::int32_t y = ink.top; y < ink.bottom; ++y)
            for (std::int32_t x = ink.left; x < ink.right; ++x)
                if (ui.Pixel(x, y) == ink.colour)
                    return true;
        return false;
    };
    const char* folder = std::getenv("STAVELORN_UI_SCREENS");
    data.WriteFile("stavelorn/Characters/Broken.cg3", "not a character");
    for (const Screen& screen : screens)
    {
        SCOPED_TRACE(screen.name);
        for (DialogLayouts::Point at : screen.clicks)
            Click(at);
        ui.Frame();
        if (folder)
            ui.SavePng(std::string(folder) + "/" + screen.name + ".png");
        for (const Ink& ink : screen.present)
            EXPECT_TRUE(inked(ink)) << ink.left << ", " << ink.top;
        for (const Ink& ink : screen.absent)
            EXPECT_FALSE(inked(ink)) << ink.left << ", " << ink.top;
    }
}

TEST(CharacterTypeDialogTest, ReportsToItsOwner)
{
    struct Case
    {
        std::uint16_t button;
        std::vector<std::uint16_t> codes;
    };
    const Case cases[] = {
        {Vel_UIWin_CharacterType::kConfirmButtonId, {27, UIMessage::kResultClosed}},
        {Vel_UIDialog::kCloseButtonId, {UIMessage::kResultClosed}},
        {Vel_UIDialog::kMessageTextId, {}},
    };
    UiHarness ui;
    ui.WriteLayout("type.ui", LayoutBytes::Write([]
    {
        UILayoutNode root = LayoutBytes::Control(LayoutBytes::Element(16750, 0, 0, 200, 100),
                                                 "Vel_UIWin_CharacterType");
        root.children.push_back(DialogLayouts::TextField(Vel_UIDialog::kMessageTextId, 0, 0, 200, 20));
        root.children.push_back(DialogLayouts::Button(Vel_UIDialog::kCloseButtonId, 0, 40));
        root.children.push_back(DialogLayouts::Button(Vel_UIWin_CharacterType::kConfirmButtonId, 100, 40));
        return root;
    }()));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.button);
        DialogLayouts::RecordingOwner owner;
        auto* dialog = UIWindow::CreateFromFileAs<Vel_UIWin_CharacterType>("type.ui", &owner);
        ASSERT_NE(dialog, nullptr);
        // A copy works on its own children, never on the original's.
        auto* copy = static_cast<Vel_UIWin_CharacterType*>(dialog->Clone());
        ASSERT_NE(copy->GetMessageText(), nullptr);
        EXPECT_EQ(copy->GetMessageText(), copy->FindChild(Vel_UIDialog::kMessageTextId));
        EXPECT_EQ(copy->GetCloseButton(), copy->FindChild(Vel_UIDialog::kCloseButtonId));
        copy->Release();

        dialog->Show(0, nullptr);
        UIEvent click(dialog->FindChild(c.button), UIMessage::kClicked);
        dialog->HandleNotify(click);
        EXPECT_EQ(owner.Codes(), c.codes);
        EXPECT_EQ(dialog->IsOpen(), c.codes.empty());
        ui.Manager().CloseAll();
        dialog->Release();
    }
}
} // namespace
