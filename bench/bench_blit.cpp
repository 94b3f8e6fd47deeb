// Full-screen 16-bit blits against memcpy of the same bytes in the same run.
// Targets: opaque within 2x of memcpy, colour-keyed within 6x.

#include "BlitBaseline.h"
#include "RatioReporter.h"

#include "Fc/Core/FCDebugLog.h"

#include <benchmark/benchmark.h>

#include <vector>

#include <cstdio>

namespace
{
BlitBaseline::ScreenPair* pair = nullptr;

void BM_Memcpy(benchmark::State& state)
{
    for (auto _ : state)
        pair->Memcpy();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(pair->Bytes()));
}

void BM_OpaqueBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->OpaqueBlit();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(pair->Bytes()));
}

void BM_KeyedBlit(benchmark::State& state)
{
    for (auto _ : state)
        pair->KeyedBlit();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(pair->Bytes()));
}

BENCHMARK(BM_Memcpy);
BENCHMARK(BM_OpaqueBlit);
BENCHMARK(BM_KeyedBlit);
} // namespace

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    RatioReporter::Initialize(argc, argv);
    BlitBaseline::ScreenPair screens;
    pair = &screens;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("key pixels in the picture: %.1f%%\n", 100.0 * screens.KeyFraction());
    const double baseline = reporter.TimeOf("BM_Memcpy");
    RatioReporter::PrintRatio("opaque blit / memcpy", reporter.TimeOf("BM_OpaqueBlit"), baseline,
                              2.0);
    RatioReporter::PrintRatio("keyed blit / memcpy", reporter.TimeOf("BM_KeyedBlit"), baseline,
                              6.0);
    FCDebugLog::SetInstance(nullptr);
    return 0;
}
