#include "Platform/WFCDisplayManagerX.h"
#include "Platform/WFCSystem.h"
#include "support/QuietLog.h"
#include "support/RecordingApp.h"

#include "Fc/Graphics/FCImageBuffer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
class WFCDisplayManagerXTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseDummySdlDrivers();
        ASSERT_TRUE(system.CreateMainWindow("Display", 800, 600));
        ASSERT_TRUE(system.CreateDisplayManager());
        display = FCDisplayManager::GetInstance();
        ASSERT_NE(display, nullptr);
    }

    QuietLog quiet;
    WFCSystem system;
    FCDisplayManager* display = nullptr;
};

TEST_F(WFCDisplayManagerXTest, PresentedFrameEqualsTheBackBuffer)
{
    // No focus event ever arrives: the frame is shown all the same.
    ASSERT_TRUE(display->SetWindowed());
    ASSERT_TRUE(display->SetMode(800, 600, 16));
    ASSERT_TRUE(display->CreateBuffers());
    FCImageBuffer* back = FCDisplayManager::GetBackBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetFormat(), FCFormat565);
    for (std::int32_t y = 0; y < 600; ++y)
        for (std::int32_t x = 0; x < 800; ++x)
            back->SetPixel(x, y, static_cast<std::uint32_t>((x * 37 + y * 101) & 0xFFFF));
    display->Flip();

    std::vector<std::uint16_t> shown(800 * 600);
    auto* renderer = static_cast<WFCDisplayManagerX*>(display)->GetRenderer();
    ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB565, shown.data(), 800 * 2),
              0)
        << SDL_GetError();
    EXPECT_EQ(std::memcmp(shown.data(), back->GetPixels(), shown.size() * 2), 0);
    EXPECT_EQ(std::memcmp(FCDisplayManager::GetPrimaryBuffer()->GetPixels(), back->GetPixels(),
                          shown.size() * 2),
              0);
}

TEST_F(WFCDisplayManagerXTest, OnlySixteenBitModesExist)
{
    EXPECT_FALSE(display->SetMode(800, 600, 24));
    EXPECT_EQ(FCSystem::GetLastErrorText(),
              "This system does not support the required 800 x 600 24 bit video mode.");
    EXPECT_TRUE(display->SetMode(640, 480, 16));
    EXPECT_EQ(display->GetSize(), FCPoint(640, 480));
}

TEST(WFCDisplayManagerXAlone, StartsOnlyWithAWindow)
{
    QuietLog quiet;
    WFCSystem system;
    EXPECT_FALSE(system.CreateDisplayManager());
    EXPECT_EQ(FCSystem::GetLastErrorText(), "Could not start the display: the program has no window.");
    EXPECT_FALSE(FCDisplayManager::GetInstance()->SetFullScreen());
    EXPECT_EQ(FCSystem::GetLastErrorText(), "The display has not been started.");
    system.DestroyDisplayManager();
    EXPECT_EQ(FCDisplayManager::GetInstance(), nullptr);
}
} // namespace
