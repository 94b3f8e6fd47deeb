#include "Fc/Devices/FCMovie.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Graphics/FCRect.h"
#include "support/FakeMoviePlayer.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class EndListener : public FCObject
{
public:
    void HandleMessage(std::int16_t id, void* data) override
    {
        messages.push_back(id);
        EXPECT_EQ(data, nullptr);
        if (movieToDelete != nullptr)
        {
            FCMovie* movie = movieToDelete;
            movieToDelete = nullptr;
            delete movie;
        }
    }

    std::vector<std::int16_t> messages;
    FCMovie* movieToDelete = nullptr;
};

class FCMovieTest : public ::testing::Test
{
protected:
    void SetUp() override { movie.SetListener(&listener); }

    // Updates until the listener hears of the end; the number of updates.
    int UpdatesUntilEnd(int limit)
    {
        for (int i = 1; i <= limit; ++i)
        {
            movie.Update();
            if (!listener.messages.empty())
            {
                return i;
            }
        }
        return -1;
    }

    FakeMoviePlayer player;
    EndListener listener;
    FCMovie movie;
};
} // namespace

TEST_F(FCMovieTest, OpenShowsTheFirstFrameAndTheEndPausesAndTellsTheListenerOnce)
{
    player.frameCount = 3;
    movie.Open("intro.mov", false);
    EXPECT_EQ(player.movie, &movie);
    EXPECT_TRUE(movie.HasFrame()) << "the first frame is decoded by Open";
    EXPECT_EQ(player.invalidated.size(), 1u);
    // Frames 2 and 3 follow; the update after frame 3 was shown finds the end.
    EXPECT_EQ(UpdatesUntilEnd(10), 3);
    EXPECT_EQ(player.Count("NextFrame"), 2);
    EXPECT_EQ(listener.messages, std::vector<std::int16_t>{FCMovie::kEndMessage});
    EXPECT_TRUE(movie.IsPaused());
    EXPECT_TRUE(player.isOpen) << "held on its last frame";
    for (int i = 0; i < 5; ++i)
    {
        movie.Update();
    }
    EXPECT_EQ(listener.messages.size(), 1u);
}

TEST_F(FCMovieTest, CloseAtEndClosesInsteadOfPausing)
{
    movie.Open("intro.mov", false);
    movie.SetCloseAtEnd(true);
    EXPECT_EQ(UpdatesUntilEnd(10), 3);
    EXPECT_FALSE(player.isOpen);
    EXPECT_EQ(player.Count("Close"), 1);
    EXPECT_FALSE(movie.IsPaused());
}

TEST_F(FCMovieTest, LoopingMovieNeverReportsTheEnd)
{
    movie.Open("loop.mov", false);
    movie.SetLoop(true);
    EXPECT_EQ(UpdatesUntilEnd(20), -1);
    EXPECT_GE(player.Count("NextFrame"), 19);
    EXPECT_FALSE(movie.IsPaused());
}

TEST_F(FCMovieTest, SuspendingAPausedMovieLeavesItPausedAndUnskipped)
{
    movie.Open("intro.mov", false);
    movie.SetPaused(true);
    player.Suspend();
    player.Resume();
    movie.Update();
    movie.Update();
    EXPECT_TRUE(movie.IsPaused());
    EXPECT_EQ(player.Count("GotoEnd"), 0);
    EXPECT_TRUE(listener.messages.empty());
}

TEST_F(FCMovieTest, ResumingARunningMovieGoesOnWhereItWasAtTheNextUpdate)
{
    player.frameCount = 100;
    movie.Open("intro.mov", false);
    player.Suspend();
    EXPECT_TRUE(movie.IsPaused());
    player.Resume();
    EXPECT_TRUE(movie.IsPaused()) << "nothing happens before the next update";
    movie.Update();
    EXPECT_EQ(player.Count("Pause 0"), 1);
    EXPECT_FALSE(movie.IsPaused());
    EXPECT_EQ(player.Count("GotoEnd"), 0);
    EXPECT_TRUE(listener.messages.empty());
    EXPECT_EQ(player.Count("NextFrame"), 1) << "the frame after the one shown before";
}

TEST_F(FCMovieTest, SkipToEndDoesNothingAtTheEndOrWithoutAMovie)
{
    player.missing.insert("gone.mov");
    movie.Open("gone.mov", false);
    EXPECT_FALSE(movie.HasFrame());
    movie.SkipToEnd();
    EXPECT_TRUE(listener.messages.empty());

    movie.Open("intro.mov", false);
    movie.SkipToEnd();
    movie.SkipToEnd();
    EXPECT_EQ(player.Count("GotoEnd"), 1);
    EXPECT_EQ(listener.messages.size(), 1u);
}

TEST_F(FCMovieTest, DrawFrameCopiesOnlyOnceAFrameWasDecoded)
{
    FCImageBuffer* target = FCImageBuffer::Create(8, 8, FCFormat565);
    player.framesDue = false;
    movie.Open("intro.mov", false);
    movie.DrawFrame(target, FCPoint(5, 6), FCRect(0, 0, 800, 600));
    EXPECT_EQ(player.Count("CopyFrame 5,6"), 0);
    player.framesDue = true;
    movie.Update();
    movie.DrawFrame(target, FCPoint(5, 6), FCRect(0, 0, 800, 600));
    EXPECT_EQ(player.Count("CopyFrame 5,6"), 1);
    target->Release();
}

TEST_F(FCMovieTest, ListenerMayDeleteTheMovieWhenToldOfTheEnd)
{
    auto* owned = new FCMovie();
    owned->SetListener(&listener);
    owned->SetCloseAtEnd(true);
    listener.movieToDelete = owned;
    owned->Open("intro.mov", false);
    owned->Update();
    owned->Update();
    owned->Update(); // the end: the listener deletes the movie inside this call
    EXPECT_EQ(listener.messages.size(), 1u);
    EXPECT_EQ(listener.movieToDelete, nullptr);

    auto* skipped = new FCMovie();
    skipped->SetListener(&listener);
    listener.movieToDelete = skipped;
    skipped->Open("intro.mov", false);
    skipped->SkipToEnd();
    EXPECT_EQ(listener.messages.size(), 2u);
}

TEST(FCMovieWithoutPlayerTest, EveryOperationIsHarmless)
{
    ASSERT_EQ(FCMoviePlayer::GetInstance(), nullptr);
    EndListener listener;
    FCMovie movie;
    movie.SetListener(&listener);
    movie.Open("intro.mov", false);
    movie.Update();
    movie.SetPaused(true);
    EXPECT_TRUE(movie.IsPaused());
    movie.Suspend();
    movie.Resume();
    movie.Update();
    movie.SkipToEnd();
    movie.DrawFrame(nullptr, FCPoint(), FCRect());
    EXPECT_EQ(movie.GetSize(), FCPoint(0, 0));
    movie.Close();
    EXPECT_TRUE(listener.messages.empty());
}

TEST(FCMovieLifetimeTest, DestroyingTheMovieClosesThePlayer)
{
    FakeMoviePlayer player;
    {
        FCMovie movie;
        movie.Open("intro.mov", true);
        EXPECT_TRUE(player.copyAll);
        EXPECT_EQ(movie.GetSize(), FCPoint(320, 240));
    }
    EXPECT_FALSE(player.isOpen);
    EXPECT_EQ(player.movie, nullptr);
}

TEST(FCMovieLifetimeTest, AMovieObjectThatLostThePlayerCannotDisturbTheNextOne)
{
    FakeMoviePlayer player;
    EndListener firstListener;
    auto* first = new FCMovie();
    first->SetListener(&firstListener);
    first->Open("intro.mov", false);
    FCMovie second;
    second.Open("credits.mov", false);
    ASSERT_EQ(player.movie, &second);

    first->SetPaused(true);
    first->SkipToEnd();
    first->Update();
    first->Close();
    delete first;
    EXPECT_TRUE(player.isOpen);
    EXPECT_EQ(player.movie, &second);
    EXPECT_EQ(player.Count("Pause 1"), 0);
    EXPECT_EQ(player.Count("GotoEnd"), 0);
    EXPECT_EQ(player.Count("Close"), 0);
    EXPECT_TRUE(firstListener.messages.empty());

    second.Close();
    EXPECT_FALSE(player.isOpen);
}
