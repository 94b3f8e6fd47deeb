#pragma once

// The character window over the built layouts, a fixture rule set, the real
// client and settings, with stand-ins for the pages, the roller and the
// screens the game menu leads to.

#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIMessages.h"
#include "Ui/UINumberEditControl.h"
#include "Ui/UINumberScroll.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel/App/VelSettings.h"
#include "Vel/Character/VelCharacter.h"
#include "Vel/Rules/VelSetupRules.h"
#include "Vel_ui/Vel_UIWin_CharConfig.h"
#include "support/DialogLayouts.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/RulesFixture.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CharWindowFixture : public ::testing::Test
{
protected:
    static constexpr std::uint16_t kStartMenuStand = 9000;
    static constexpr std::uint16_t kSetupStand = 9001;
    static constexpr std::uint16_t kFighter = 4;

    void SetUp() override
    {
        ASSERT_TRUE(rules.IsLoaded());
        using LayoutBytes::Control;
        using LayoutBytes::Element;
        // Stand-ins in the harness's own root, found before the build's.
        Stand("velStartMenu.ui", kStartMenuStand, "UIWindow");
        Stand("velCharSetup.ui", kSetupStand, "UIWindow");
        Stand("velAbilities.ui", 5500, "Vel_UIPanel");
        Stand("velNotes.ui", 11500, "Vel_UIPanel");
        Stand("velSkills.ui", 6000, "UIWindow"); // not a page
        Stand("velRoller.ui", Vel_UIWin_CharConfig::kRollerId, "UIDialog");
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("Sfx");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        client = new VelClient();
        hero = VelClient::CreateCharacter();
        hero->raceId = RulesFixture::kRace;
        hero->AddClass(kFighter);
        FinishCharacterSetup(hero, true);
        hero->modified = 0;
        // The fixture keeps its own reference: going to the start menu lets
        // go of the current character.
        VelClient::SetCurrentCharacter(hero);
    }
    void TearDown() override
    {
        ui.RecreateManager();
        VelClient::SetCurrentCharacter(nullptr);
        hero->Release();
        client->Release();
    }

    void Stand(const char* layout, std::uint16_t id, const char* className)
    {
        ui.WriteLayout(layout, LayoutBytes::Write(LayoutBytes::Control(
                                   LayoutBytes::Element(id, 224, 72, 352, 440), className)));
    }

    // Opens the window as the client's screen switch does, and activates it.
    Vel_UIWin_CharConfig* Open()
    {
        window = dynamic_cast<Vel_UIWin_CharConfig*>(ui.Manager().SwitchTo("velCharConfig.ui", 0));
        ui.Update();
        return window;
    }

    void ClickControl(const UIControl* control)
    {
        ASSERT_NE(control, nullptr);
        const FCRect rect = control->GetScreenRect();
        ui.Click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ui.Update();
    }
    void ClickChild(std::uint16_t id) { ClickControl(window->FindDescendant(id)); }
    void Escape()
    {
        ui.Key(UIMessage::kKeyDown, 27);
        ui.Update();
    }
    std::uint16_t TopId()
    {
        const UIControl* top = ui.Manager().GetTopWindow();
        return top ? top->GetId() : 0;
    }
    UINumberScroll* Spinner(std::uint16_t id)
    {
        return dynamic_cast<UINumberScroll*>(window->FindDescendant(id));
    }
    bool Enabled(std::uint16_t id) { return window->FindChild(id)->IsEnabled(); }

    // Effects played on channel 4 and samples on channel 2, in order.
    std::vector<std::string> Played(const char* kind)
    {
        std::vector<std::string> out;
        // Samples below 2000 are the controls' own clicks.
        for (const auto& request : ui.Devices().sound.requests)
            if (request.kind == kind && (request.kind != "sound" || std::stoi(request.what) >= 2000))
                out.push_back(request.what);
        return out;
    }

    QuietLog quiet;
    RulesFixture rules;
    UiHarness ui;
    VelSettings settings;
    VelClient* client = nullptr;
    VelCharacter* hero = nullptr;
    Vel_UIWin_CharConfig* window = nullptr;
};
