// The intro chain and the credits over the built layouts, with the fake
// movie player (each movie three frames long), the real client and a
// stand-in start menu.

#include "Ui/UIWindowManager.h"
#include "Vel/App/VelClient.h"
#include "Vel_ui/Vel_UIMovieWindow.h"
#include "Vel_ui/Vel_UIWin_Credits.h"
#include "support/LayoutBytes.h"
#include "support/QuietLog.h"
#include "support/UiHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
constexpr std::uint16_t kMenuStandIn = 9000;

std::vector<std::uint8_t> BuiltLayout(const std::string& name)
{
    std::ifstream in(std::string(STAVELORN_BINARY_DIR) + "/Resources/UI/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class IntroScreensTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui.WriteLayout("velStartMenu.ui", LayoutBytes::Write(LayoutBytes::Control(
                                              LayoutBytes::Element(kMenuStandIn, 0, 0, 800, 600), "UIWindow")));
        for (const char* name : {"velMovieWindow.ui", "velCreditsWindow.ui"})
        {
            const std::vector<std::uint8_t> bytes = BuiltLayout(name);
            ASSERT_FALSE(bytes.empty()) << name;
            ui.WriteLayout(name, bytes);
        }
        client = new VelClient();
    }
    void TearDown() override { client->Release(); }

    void WriteMovies()
    {
        ui.Folder().MakeFolder("Movies");
        for (const char* name : {"qelt.webm", "fluid.webm"})
            std::ofstream(ui.Folder().Join(std::string("Movies/") + name)) << "movie";
    }
    // One turn of the main loop: the player drives its movie, then a frame.
    void Pump(std::uint32_t milliseconds = 40)
    {
        ui.Devices().clock.Advance(milliseconds);
        ui.Devices().movies.Update();
        ui.Update(ui.Devices().clock.GetMilliseconds());
    }
    std::uint16_t TopId()
    {
        const UIControl* top = ui.Manager().GetTopWindow();
        return top ? top->GetId() : 0;
    }
    Vel_UIMovieWindow* MovieWindow()
    {
        return dynamic_cast<Vel_UIMovieWindow*>(ui.Manager().GetTopWindow());
    }
    std::vector<std::string> Opens()
    {
        std::vector<std::string> opens;
        for (const std::string& call : ui.Devices().movies.calls)
            if (call.rfind("Open ", 0) == 0)
                opens.push_back(call);
        return opens;
    }

    QuietLog quiet;
    UiHarness ui;
    VelClient* client = nullptr;
};

TEST_F(IntroScreensTest, FirstRunChainEndsInTheStartMenu)
{
    struct Case
    {
        const char* name;
        bool movies;     // the two files are there
        bool click;      // each movie is clicked once it shows
        std::vector<std::string> opens;
        int waits = 0;   // frames before each click
    };
    const std::vector<std::string> both = {"Open qelt.webm", "Open fluid.webm"};
    const Case cases[] = {
        {"played out", true, false, both},
        {"each skipped by a click", true, true, both},
        {"missing movies wait for a click each", false, true, {}, 20},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ui.RecreateManager();
        ui.Devices().movies.calls.clear();
        if (c.movies)
            WriteMovies();
        ASSERT_TRUE(client->GoToScreen(VelClient::kIntroMovie));
        Pump();
        // Nothing ends inside the switch that opened the window.
        ASSERT_NE(MovieWindow(), nullptr);
        EXPECT_EQ(MovieWindow()->GetMovieIndex(), Vel_UIMovieWindow::kLogoMovie);
        // The logo waits for the window's frames before it runs.
        EXPECT_EQ(ui.Devices().movies.isOpen && ui.Devices().movies.paused, c.movies);
        if (c.click)
        {
            for (int i = 0; i < c.waits; ++i)
                Pump();
            ui.Click(400, 300);
            ASSERT_NE(MovieWindow(), nullptr);
            // One click skips one movie: the intro now plays.
            EXPECT_EQ(MovieWindow()->GetMovieIndex(), Vel_UIMovieWindow::kIntroMovie);
            EXPECT_EQ(Opens(), c.opens);
            for (int i = 0; i <= c.waits; ++i)
                Pump();
            ASSERT_NE(MovieWindow(), nullptr);
            ui.Click(400, 300);
            ui.Click(400, 300); // a late click while the data waits changes nothing
            EXPECT_NE(MovieWindow(), nullptr);
            Pump();
            EXPECT_EQ(TopId(), kMenuStandIn);
        }
        for (int i = 0; i < 60 && TopId() != kMenuStandIn; ++i)
            Pump();
        EXPECT_EQ(TopId(), kMenuStandIn);
        EXPECT_EQ(Opens(), c.opens);
        std::filesystem::remove_all(ui.Folder().Join("Movies"));
    }
}

TEST_F(IntroScreensTest, CreditsScrollFromTheTopLeftAndEndAfterTheirHeight)
{
    // A scroller 400 high at (40, 16); the window is made at 1000 ms.
    UILayoutNode window = LayoutBytes::Control(LayoutBytes::Element(700, 0, 0, 800, 600), "Vel_UIWin_Credits");
    window.children.push_back(LayoutBytes::Control(LayoutBytes::Element(500, 40, 16, 200, 400)));
    ui.WriteLayout("velCreditsWindow.ui", LayoutBytes::Write(window));
    ASSERT_TRUE(client->GoToScreen(VelClient::kCredits));
    ui.Update(ui.Devices().clock.GetMilliseconds());
    auto* credits = dynamic_cast<Vel_UIWin_Credits*>(ui.Manager().GetTopWindow());
    ASSERT_NE(credits, nullptr);
    UIControl* scroller = credits->GetScroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_EQ(credits->GetScrollLimit(), 400);

    struct Frame
    {
        std::uint32_t at; // ms after the window was made
        std::int32_t x;
        std::int32_t y;
        bool ended;
    };
    const std::uint32_t start = ui.Devices().clock.GetMilliseconds();
    // The first frame after 500 ms starts the scroll: from the top left
    // corner one pixel up per 25 ms, and the end once it has moved by more
    // than 400.
    const std::uint32_t scroll = 501;
    const Frame frames[] = {
        {500, 40, 16, false},
        {scroll, 40, 16, false},
        {scroll + 24, 0, 0, false},
        {scroll + 25, 0, -1, false},
        {scroll + 10024, 0, -400, false},
        {scroll + 10025, 0, 0, true},
    };
    for (const Frame& f : frames)
    {
        SCOPED_TRACE(f.at);
        ui.Update(start + f.at);
        if (f.ended)
        {
            EXPECT_EQ(TopId(), kMenuStandIn);
            break;
        }
        EXPECT_EQ(TopId(), 700);
        EXPECT_EQ(scroller->GetPosition(), FCPoint(f.x, f.y));
    }
}

TEST_F(IntroScreensTest, ShippedCreditsEndOnAClickOrAfterScrollingPast)
{
    for (const bool click : {true, false})
    {
        SCOPED_TRACE(click);
        ui.RecreateManager();
        ASSERT_TRUE(client->GoToScreen(VelClient::kCredits));
        ui.Update(ui.Devices().clock.GetMilliseconds());
        auto* credits = dynamic_cast<Vel_UIWin_Credits*>(ui.Manager().GetTopWindow());
        ASSERT_NE(credits, nullptr);
        ASSERT_NE(credits->GetScroller(), nullptr);
        // Taller than the screen: it rises from the bottom edge.
        EXPECT_GT(credits->GetScrollLimit(), 600);
        const std::uint32_t now = ui.Devices().clock.GetMilliseconds();
        ui.Update(now + 501);
        if (click)
        {
            ui.Click(400, 300);
            ui.Update(now + 600);
        }
        else
        {
            const auto past = static_cast<std::uint32_t>(credits->GetScrollLimit() + 1) * 25;
            ui.Update(now + 501 + past - 1);
            EXPECT_EQ(TopId(), 620);
            ui.Update(now + 501 + past);
        }
        EXPECT_EQ(TopId(), kMenuStandIn);
    }
}
} // namespace
