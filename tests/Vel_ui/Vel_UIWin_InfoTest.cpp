// The information window in its modes over the built layout, picture and
// interface content, with the real client, a stand-in start menu and the
// fake system and sound devices; and the filter every link passes.

#include "Fc/Devices/FCSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Ui/UIImageControl.h"
#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel_ui/Vel_UIWin_Info.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/RecordingApp.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kMenuStandIn = 9000;
// The buttons, then the layout's text, which the window leaves as it is.
constexpr std::uint16_t kChildren[] = {Vel_UIWin_Info::kLeaveId, Vel_UIWin_Info::kBackId,
                                       Vel_UIWin_Info::kLinkId, 1810};
// Screen centres of the rail's buttons.
constexpr std::int32_t kLinkX = 336, kRightX = 464, kRailY = 480;

TEST(OpenableUrl, OnlyHttpAddressesWithoutSpacesOrControls)
{
    struct Case
    {
        const char* url;
        bool openable;
    };
    const Case cases[] = {
        {"https://example.org/stavelorn", true},
        {"http://example.org", true},
        {"https://", false},
        {"ftp://example.org", false},
        {"file:///etc/passwd", false},
        {"HTTPS://example.org", false},
        {"javascript:alert(1)", false},
        {" https://example.org", false},
        {"https://example.org/a b", false},
        {"https://example.org/\t", false},
        {"https://example.org/\n--flag", false},
        {"https://example.org/\x7f", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FCSystem::IsOpenableUrl(c.url), c.openable) << c.url;
}

class InfoWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui.WriteLayout("velStartMenu.ui", LayoutBytes::Write(LayoutBytes::Control(
                                              LayoutBytes::Element(kMenuStandIn, 0, 0, 800, 600), "UIWindow")));
        ui.Files().SetAlternateRootPath(std::string(STAVELORN_BINARY_DIR) + "/Resources");
        ui.Files().SetUseAlternateRoot(true);
        ui.Files().AddSearchDirectory("Art");
        ui.Files().AddSearchDirectory("Sfx");
        ASSERT_TRUE(FCResourceManager::GetInstance()->LoadResourceFile("GameAssets.bin"));
        client = new VelClient();
    }
    void TearDown() override { client->Release(); }

    Vel_UIWin_Info* Open(std::uint16_t state)
    {
        if (!client->GoToScreen(state))
            return nullptr;
        ui.Update(ui.Devices().clock.GetMilliseconds());
        return dynamic_cast<Vel_UIWin_Info*>(ui.Manager().GetTopWindow());
    }
    std::uint16_t TopId()
    {
        const UIControl* top = ui.Manager().GetTopWindow();
        return top ? top->GetId() : 0;
    }
    std::size_t FarewellRequests()
    {
        std::size_t count = 0;
        for (const FakeSoundManager::Request& r : ui.Devices().sound.requests)
            count += r.kind == "sound" && r.what == "1000" && r.channel == 6 ? 1 : 0;
        return count;
    }

    QuietLog quiet;
    UiHarness ui;
    VelClient* client = nullptr;
};

TEST_F(InfoWindowTest, ModesShowTheirChildrenAndThePicture)
{
    struct Case
    {
        std::uint16_t mode;
        std::vector<bool> shown; // leave, back, link, text
        bool picture;
    };
    const Case cases[] = {
        {3, {true, false, true, true}, true},
        {4, {false, true, false, true}, true},
        {5, {false, true, true, true}, true},
        {9, {false, false, false, true}, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.mode);
        ui.RecreateManager();
        Vel_UIWin_Info* info = Open(VelClient::kInfoMode5);
        ASSERT_NE(info, nullptr);
        info->SetMode(static_cast<std::int16_t>(c.mode));
        std::vector<bool> shown;
        for (std::uint16_t id : kChildren)
            shown.push_back(info->FindChild(id) && info->FindChild(id)->IsVisible());
        EXPECT_EQ(shown, c.shown);
        if (c.picture)
        {
            auto* picture = dynamic_cast<UIImageControl*>(info->FindChild(Vel_UIWin_Info::kPictureId));
            ASSERT_NE(picture, nullptr);
            EXPECT_NE(picture->GetImage(), nullptr);
            EXPECT_EQ(picture->GetSize(), FCPoint(800, 600));
        }
    }
}

TEST_F(InfoWindowTest, InformationPageOpensTheLinkAndGoesBack)
{
    ASSERT_NE(Open(VelClient::kInfoMode5), nullptr);
    ui.Click(kLinkX, kRailY);
    EXPECT_EQ(ui.Devices().system.openedUrls, std::vector<std::string>{"https://example.org/stavelorn"});
    EXPECT_FALSE(ui.Devices().system.quitRequested);
    ui.Update();
    ui.Click(kRightX, kRailY);
    ui.Update();
    EXPECT_EQ(TopId(), kMenuStandIn);
    EXPECT_FALSE(ui.Devices().system.quitRequested);
}

TEST_F(InfoWindowTest, TheLinkEndsTheClosingScreenWhetherOrNotABrowserTookIt)
{
    struct Case
    {
        std::uint16_t state;
        bool browser;
        bool quits;
    };
    const Case cases[] = {
        {VelClient::kInfoClosing, true, true},
        {VelClient::kInfoClosing, false, true},
        {VelClient::kInfoMode5, true, false},
        {VelClient::kInfoMode5, false, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.state << (c.browser ? " with" : " without") << " a browser");
        ui.RecreateManager();
        ui.Devices().system.quitRequested = false;
        ui.Devices().system.openedUrls.clear();
        ui.Devices().system.urlOpens = c.browser;
        ASSERT_NE(Open(c.state), nullptr);
        ui.Click(kLinkX, kRailY);
        EXPECT_EQ(ui.Devices().system.openedUrls.size(), 1u);
        EXPECT_EQ(ui.Devices().system.quitRequested, c.quits);
    }
}

TEST_F(InfoWindowTest, ClosingScreenQuitsAfterItsSoundAtOnceWithoutItAndWithinFiveSeconds)
{
    struct Case
    {
        const char* name;
        bool soundPlays;
        bool soundEnds;       // the channel reports the end
        std::uint32_t waitMs; // frames after the click, without an end
        bool quitsAtOnce;
        bool quits;
    };
    const Case cases[] = {
        {"sound ends", true, true, 0, false, true},
        {"sound never reports", true, false, 4999, false, false},
        {"five seconds pass", true, false, 5000, false, true},
        {"no sound", false, false, 0, true, true},
    };
    // Frames carry application time, which starts with the application.
    ui.Devices().clock.Set(50000);
    RecordingApp app;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ui.RecreateManager();
        ui.Devices().system.quitRequested = false;
        ui.Devices().sound.requests.clear();
        ui.Devices().sound.ResumeAll();
        Vel_UIWin_Info* info = Open(VelClient::kInfoClosing);
        ASSERT_NE(info, nullptr);
        if (!c.soundPlays)
            ui.Devices().sound.SuspendAll();
        const std::uint32_t clicked = VelClient::Now();
        ui.Click(kRightX, kRailY);
        ui.Click(kRightX, kRailY); // disabled now: no second sound
        EXPECT_EQ(FarewellRequests(), 1u);
        EXPECT_FALSE(info->IsEnabled());
        EXPECT_EQ(ui.Devices().system.quitRequested, c.quitsAtOnce);
        if (c.soundEnds)
            ui.Devices().sound.Channel(Vel_UIWin_Info::kFarewellChannel)->Finish();
        if (c.waitMs)
        {
            ui.Devices().clock.Set(50000 + clicked + c.waitMs);
            ui.Update(clicked + c.waitMs);
        }
        EXPECT_EQ(ui.Devices().system.quitRequested, c.quits);
    }
}

TEST_F(InfoWindowTest, ClosingScreenTakesAnyClickAsLeaving)
{
    Vel_UIWin_Info* info = Open(VelClient::kInfoClosing);
    ASSERT_NE(info, nullptr);
    ui.Click(40, 40); // the picture
    EXPECT_TRUE(info->IsLeaving());
    EXPECT_EQ(FarewellRequests(), 1u);
}
} // namespace
