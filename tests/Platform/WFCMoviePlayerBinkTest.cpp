#include "Platform/WFCMoviePlayerBink.h"
#include "Platform/WFCSystem.h"
#include "support/QuietLog.h"
#include "support/RecordingApp.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"
#include "support/ToolRunner.h"

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Devices/FCMovie.h"
#include "Fc/Graphics/FCImageBuffer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kFrames = 10;
constexpr int kFrameMs = 100;
// The test pattern's quadrants: top left, top right, bottom left, bottom right.
constexpr std::uint8_t kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};

std::string FindProgram(const char* name)
{
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin");
    for (std::string dir; std::getline(path, dir, ':');)
        if (::access((dir + "/" + name).c_str(), X_OK) == 0)
            return dir + "/" + name;
    return name;
}

struct EndListener : FCObject
{
    void HandleMessage(std::int16_t id, void*) override
    {
        ids.push_back(id);
        if (toDelete)
        {
            // The end's listener replaces the screen: the movie goes away here.
            delete toDelete;
            toDelete = nullptr;
        }
    }
    std::vector<std::int16_t> ids;
    FCMovie* toDelete = nullptr;
};

// A 16-bit target whose pixels sit inside a larger block filled with a
// guard value, so that a write outside the target shows.
class GuardedTarget : public FCImageBuffer
{
public:
    static constexpr std::uint16_t kGuard = 0xA5A5;
    static constexpr int kMargin = 64;

    GuardedTarget(int w, int h, const FCPixelFormat& pixelFormat)
        : block(static_cast<std::size_t>((h + 2 * kMargin) * (w + 2 * kMargin)), kGuard)
    {
        format = pixelFormat;
        width = w;
        height = h;
        pitch = (w + 2 * kMargin) * 2;
        ownsPixels = 0;
        pixels =
            reinterpret_cast<std::uint8_t*>(block.data() + kMargin * (w + 2 * kMargin) + kMargin);
    }
    std::uint16_t At(int x, int y) const
    {
        return block[static_cast<std::size_t>((y + kMargin) * (width + 2 * kMargin) + x + kMargin)];
    }
    // Guard values outside the target.
    int UntouchedOutside() const
    {
        int count = 0;
        for (int y = -kMargin; y < height + kMargin; ++y)
            for (int x = -kMargin; x < width + kMargin; ++x)
                if ((x < 0 || y < 0 || x >= width || y >= height) && At(x, y) == kGuard)
                    ++count;
        return count;
    }
    int OutsideCount() const
    {
        return (width + 2 * kMargin) * (height + 2 * kMargin) - width * height;
    }

private:
    std::vector<std::uint16_t> block;
};

class WFCMoviePlayerBinkTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder();
        std::vector<std::uint8_t> raw;
        for (int f = 0; f < kFrames; ++f)
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                {
                    const auto* c =
                        kColours[(y >= kHeight / 2 ? 2 : 0) + (x >= kWidth / 2 ? 1 : 0)];
                    raw.insert(raw.end(), c, c + 3);
                }
        folder->WriteFile("pattern.rgb", raw);
        folder->MakeFolder("Movies");
        const ToolResult made =
            RunTool(FindProgram("ffmpeg"), {"-v",
                                            "error",
                                            "-y",
                                            "-f",
                                            "rawvideo",
                                            "-pix_fmt",
                                            "rgb24",
                                            "-s",
                                            "64x48",
                                            "-r",
                                            "10",
                                            "-i",
                                            folder->Join("pattern.rgb"),
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=frequency=440:sample_rate=44100:duration=1",
                                            "-c:v",
                                            "libvpx",
                                            "-b:v",
                                            "1M",
                                            "-c:a",
                                            "libvorbis",
                                            "-shortest",
                                            folder->Join("Movies/clip.webm")});
        ASSERT_EQ(made.exitCode, 0) << made.output;
        clip = new std::vector<std::uint8_t>(folder->ReadFile("Movies/clip.webm"));
    }
    static void TearDownTestSuite()
    {
        delete clip;
        delete folder;
    }

    void SetUp() override
    {
        ASSERT_FALSE(clip->empty());
        files.SetRootPath(folder->GetPath());
        movie.SetListener(&listener);
    }

    // Updates every 10 ms of the test clock until the end is heard; the
    // times at which a new frame was shown.
    std::vector<std::uint32_t> PlayToEnd(std::uint32_t limitMs)
    {
        std::vector<std::uint32_t> shown;
        std::uint32_t frames = player.GetFrameNumber();
        for (std::uint32_t t = clock.GetMilliseconds(); t <= limitMs && listener.ids.empty();
             t += 10)
        {
            clock.Set(t);
            player.Update();
            if (player.GetFrameNumber() != frames)
                shown.push_back(t);
            frames = player.GetFrameNumber();
        }
        return shown;
    }

    static TempFolder* folder;
    static std::vector<std::uint8_t>* clip;
    QuietLog quiet;
    TestClock clock{0};
    FCFileSystem files;
    WFCMoviePlayerBink player;
    EndListener listener;
    FCMovie movie;
};
TempFolder* WFCMoviePlayerBinkTest::folder = nullptr;
std::vector<std::uint8_t>* WFCMoviePlayerBinkTest::clip = nullptr;

int Channel(std::uint16_t pixel, int shift, int bits)
{
    return (pixel >> shift) & ((1 << bits) - 1);
}
} // namespace

TEST_F(WFCMoviePlayerBinkTest, EveryFrameIsShownOnTimeAndTheEndIsHeardOnce)
{
    movie.Open("clip.webm", false);
    EXPECT_EQ(player.GetSize(), FCPoint(kWidth, kHeight));
    EXPECT_FALSE(player.HasSound()) << "no sound manager: the program's clock drives";
    EXPECT_EQ(player.GetFrameNumber(), 1u) << "the first frame is shown by Open";
    const std::vector<std::uint32_t> shown = PlayToEnd(3000);
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(kFrames - 1));
    for (int i = 0; i < kFrames - 1; ++i)
        EXPECT_EQ(shown[i], static_cast<std::uint32_t>((i + 1) * kFrameMs));
    EXPECT_EQ(player.GetFrameNumber(), static_cast<std::uint32_t>(kFrames));
    ASSERT_EQ(listener.ids, std::vector<std::int16_t>{FCMovie::kEndMessage});
    // The last frame had its full time, and the end came the update after.
    EXPECT_GE(clock.GetMilliseconds(), static_cast<std::uint32_t>(kFrames * kFrameMs));
    EXPECT_LE(clock.GetMilliseconds(), static_cast<std::uint32_t>(kFrames * kFrameMs + 20));
    EXPECT_TRUE(player.IsAtEnd());
    EXPECT_FALSE(player.IsPlaying());
    clock.Advance(1000);
    player.Update();
    EXPECT_EQ(listener.ids.size(), 1u);
}

TEST_F(WFCMoviePlayerBinkTest, PausedAndSuspendedTimeIsNotCountedAndResumeGoesOn)
{
    movie.Open("clip.webm", false);
    clock.Set(250);
    player.Update();
    player.Update();
    EXPECT_EQ(player.GetFrameNumber(), 3u);
    player.Suspend();
    clock.Set(5000);
    player.Update();
    EXPECT_EQ(player.GetFrameNumber(), 3u);
    player.Resume();
    player.Update();
    player.Update();
    EXPECT_FALSE(movie.IsPaused());
    EXPECT_TRUE(listener.ids.empty()) << "focus regained: no skip to the end";
    EXPECT_EQ(player.GetFrameNumber(), 3u);
    clock.Set(5050);
    player.Update();
    EXPECT_EQ(player.GetFrameNumber(), 4u) << "frame 4 was due 50 ms after the pause";
}

TEST_F(WFCMoviePlayerBinkTest, FramesArriveIn565AndIn555)
{
    movie.Open("clip.webm", false);
    FCImageBuffer* target = FCImageBuffer::Create(kWidth, kHeight, FCFormat565);
    player.CopyFrame(target);
    const FCPoint centres[4] = {{16, 12}, {48, 12}, {16, 36}, {48, 36}};
    for (int q = 0; q < 4; ++q)
    {
        const auto pixel =
            static_cast<std::uint16_t>(target->GetPixel(centres[q].x, centres[q].y, FCFormat565));
        EXPECT_NEAR(Channel(pixel, 11, 5), kColours[q][0] >> 3, 2) << "quadrant " << q;
        EXPECT_NEAR(Channel(pixel, 5, 6), kColours[q][1] >> 2, 4) << "quadrant " << q;
        EXPECT_NEAR(Channel(pixel, 0, 5), kColours[q][2] >> 3, 2) << "quadrant " << q;
    }
    target->Release();
    target = FCImageBuffer::Create(kWidth, kHeight, FCFormat555);
    player.CopyFrame(target);
    const auto green = static_cast<std::uint16_t>(target->GetPixel(48, 12, FCFormat555));
    EXPECT_NEAR(Channel(green, 5, 5), 31, 2);
    EXPECT_LE(Channel(green, 10, 5), 2);
    target->Release();
}

TEST_F(WFCMoviePlayerBinkTest, CopiesWriteOnlyInsideTheClipAndTheTarget)
{
    movie.Open("clip.webm", false);
    auto* target = new GuardedTarget(100, 70, FCFormat565);
    target->Clear(0);
    // Over every edge and corner, paused or not; the clip reaches past the target.
    const FCRect clip(-50, -50, 90, 200);
    const FCPoint places[] = {{-10, -10}, {70, -20}, {-30, 50}, {60, 40}, {99, 69}, {-63, -47}};
    for (const FCPoint& at : places)
    {
        movie.SetPaused(at.x > 0);
        player.CopyFrame(target, at, clip);
    }
    EXPECT_EQ(target->UntouchedOutside(), target->OutsideCount());
    for (int y = 0; y < 70; ++y)
        for (int x = 90; x < 100; ++x)
            ASSERT_EQ(target->At(x, y), 0) << "outside the clip at " << x << "," << y;
    // The paused copy at (60, 40) shows its visible part: blue at (89, 69).
    EXPECT_GT(Channel(target->At(89, 69), 0, 5), 28);
    EXPECT_LT(Channel(target->At(89, 69), 11, 5), 3);
    EXPECT_GT(Channel(target->At(5, 5), 11, 5), 28) << "red from the copy at (-10, -10)";
    EXPECT_LT(Channel(target->At(5, 5), 0, 5), 3);
    EXPECT_EQ(target->At(0, 0) & 0xF7DE, 0xF7DE) << "white: the last pixel of the frame";
    // Only 16-bit targets are written.
    FCImageBuffer* deep = FCImageBuffer::Create(8, 8, FCPixelFormat(32, 8, 8, 8, 16, 8, 0));
    deep->Clear(0x123456);
    player.CopyFrame(deep);
    EXPECT_EQ(deep->GetPixel(3, 3, deep->GetFormat()), 0x123456u);
    deep->Release();
    target->Release();
}

TEST_F(WFCMoviePlayerBinkTest, MissingAndDamagedMoviesEndOnTheNextFrameUntouched)
{
    std::vector<std::uint8_t> cut(clip->begin(), clip->begin() + 300);
    std::vector<std::uint8_t> scrambled = *clip;
    for (std::size_t i = 0; i < scrambled.size(); i += 7)
        scrambled[i] = static_cast<std::uint8_t>(scrambled[i] * 13 + 5);
    folder->WriteFile("Movies/cut.webm", cut);
    folder->WriteFile("Movies/scrambled.webm", scrambled);
    folder->WriteFile("Movies/text.webm", std::string("not a movie at all"));
    for (const char* name : {"missing.webm", "cut.webm", "scrambled.webm", "text.webm", "../x"})
    {
        listener.ids.clear();
        movie.Open(name, false);
        EXPECT_TRUE(listener.ids.empty()) << name << ": never inside the call that opened it";
        EXPECT_EQ(player.GetSize(), FCPoint(0, 0)) << name;
        player.Update();
        EXPECT_EQ(listener.ids, std::vector<std::int16_t>{FCMovie::kEndMessage}) << name;
        FCImageBuffer* target = FCImageBuffer::Create(4, 4, FCFormat565);
        target->Clear(0x1234);
        movie.DrawFrame(target, FCPoint(0, 0), target->GetBounds());
        EXPECT_EQ(target->GetPixel(1, 1, FCFormat565), 0x1234u) << name;
        target->Release();
    }
}

TEST_F(WFCMoviePlayerBinkTest, AListenerMayDeleteThePlayingMovieWhenToldOfTheEnd)
{
    auto* owned = new FCMovie();
    owned->SetListener(&listener);
    listener.toDelete = owned;
    owned->Open("clip.webm", false);
    PlayToEnd(3000);
    EXPECT_EQ(listener.toDelete, nullptr);
    EXPECT_TRUE(player.IsAtEnd()) << "the deleted movie closed the player";
    player.Update();
    FCImageBuffer* target = FCImageBuffer::Create(4, 4, FCFormat565);
    target->Clear(0x1234);
    player.CopyFrame(target);
    EXPECT_EQ(target->GetPixel(0, 0, FCFormat565), 0x1234u);
    target->Release();
    EXPECT_EQ(listener.ids.size(), 1u);
}

TEST(WFCMoviePlayerBinkSoundTest, TheSoundIsMixedAndDrivesTheClock)
{
    UseDummySdlDrivers();
    QuietLog quiet;
    WFCSystem system;
    ASSERT_TRUE(system.CreateSoundManager()) << FCSystem::GetLastErrorText();
    ASSERT_TRUE(system.CreateMoviePlayer());
    auto* player = static_cast<WFCMoviePlayerBink*>(FCMoviePlayer::GetInstance());
    TempFolder folder;
    folder.MakeFolder("Movies");
    const ToolResult made =
        RunTool(FindProgram("ffmpeg"),
                {"-v", "error", "-y", "-f", "lavfi", "-i", "color=c=0x204060:s=32x32:r=20:d=0.6",
                 "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=0.6", "-c:v",
                 "libvpx", "-c:a", "libvorbis", folder.Join("Movies/tone.webm")});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    FCFileSystem files;
    files.SetRootPath(folder.GetPath());
    EndListener listener;
    FCMovie movie;
    movie.SetListener(&listener);
    movie.Open("tone.webm", false);
    EXPECT_TRUE(player->HasSound());
    // The dummy audio device plays in real time; give it up to ten seconds.
    const std::uint32_t start = SDL_GetTicks();
    while (listener.ids.empty() && SDL_GetTicks() - start < 10000)
    {
        system.PumpMessages();
        SDL_Delay(5);
    }
    ASSERT_EQ(listener.ids, std::vector<std::int16_t>{FCMovie::kEndMessage});
    EXPECT_GE(SDL_GetTicks() - start, 500u) << "the end waited for the sound";
    EXPECT_EQ(player->GetFrameNumber(), 12u);
}
