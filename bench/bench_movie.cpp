// Playing our intro movie: decoding one 800 x 600 frame to 5-6-5 and
// copying it to the screen, against one full-screen opaque blit measured in
// the same run. The movie is the one the build renders into
// Resources/Movies/ beside this program's folder.

#include "BlitBaseline.h"
#include "RatioReporter.h"

#include "Fc/Core/FCClock.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCImageBuffer.h"
#include "Platform/WFCMoviePlayerBink.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>

namespace
{
BlitBaseline::ScreenPair* pair = nullptr;
WFCMoviePlayerBink* player = nullptr;
FCImageBuffer* screen = nullptr;

// Frames come due exactly one per step of this clock.
class StepClock : public FCClock
{
public:
    std::uint32_t GetMilliseconds() override { return now; }
    std::uint32_t now = 0;
};
StepClock* steps = nullptr;

void OpenMovie()
{
    player->Open("fluid.webm", nullptr, false);
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
}

void BM_MovieFrame(benchmark::State& state)
{
    for (auto _ : state)
    {
        steps->now += 40;
        player->NextFrame();
        if (!player->DoFrameIfDue() || player->IsAtEnd())
        {
            state.PauseTiming();
            OpenMovie();
            state.ResumeTiming();
        }
        player->CopyFrame(screen);
        benchmark::ClobberMemory();
    }
}
} // namespace

BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_MovieFrame);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    int result = 0;
    {
        const std::filesystem::path resources =
            std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "Resources";
        FCFileSystem files;
        files.SetRootPath(resources.string());
        StepClock clock;
        steps = &clock;
        FCClock::SetInstance(&clock);
        BlitBaseline::ScreenPair screens;
        pair = &screens;
        WFCMoviePlayerBink movies;
        player = &movies;
        screen = FCImageBuffer::Create(800, 600, FCFormat565);
        OpenMovie();
        if (movies.GetSize() != FCPoint(800, 600))
        {
            std::printf("no 800 x 600 movie at %s/Movies/fluid.webm\n", resources.c_str());
            result = 1;
        }
        else
        {
            RatioReporter reporter;
            benchmark::RunSpecifiedBenchmarks(&reporter);
            RatioReporter::PrintRatio("movie frame decoded and copied / opaque blit",
                                      reporter.TimeOf("BM_MovieFrame"),
                                      reporter.TimeOf("BM_OpaqueBlit"), 8.0);
        }
        movies.Close();
        screen->Release();
        FCClock::SetInstance(nullptr);
    }
    benchmark::Shutdown();
    FCDebugLog::SetInstance(nullptr);
    return result;
}
