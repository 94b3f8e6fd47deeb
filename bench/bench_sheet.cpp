// The whole character sheet of a 20th-level three-class caster of the
// shipped rule set, drawn as a PDF over the built forms and kept as a file
// (no printer, so nothing is delivered), against compressing the pixels of
// the four form images once with zlib in the same run.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCImageSet.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "Vel/App/VelSheetPrinter.h"
#include "Vel/Character/VelCharacter.h"

#include "RatioReporter.h"
#include "support/PrintSandbox.h"
#include "support/SheetCaster.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace
{
constexpr std::uint16_t kForms[] = {VelSheetPrinter::kFrontForm, VelSheetPrinter::kSecondForm,
                                    VelSheetPrinter::kSpellForm, VelSheetPrinter::kOverflowForm};

VelCharacter* caster = nullptr;
PrintSandbox* sandbox = nullptr;

void BM_CasterSheet(benchmark::State& state)
{
    for (auto _ : state)
    {
        VelSheetPrinter job;
        if (!job.Print(caster, "Stavelorn"))
        {
            state.SkipWithError("the sheet was not made");
            break;
        }
        state.PauseTiming();
        std::filesystem::remove_all(sandbox->PrintoutsFolder());
        state.ResumeTiming();
    }
}

void BM_CompressForms(benchmark::State& state)
{
    std::vector<Bytef> packed;
    for (auto _ : state)
    {
        for (const std::uint16_t id : kForms)
        {
            const FCImageSet* form = FCResourceManager::GetInstance()->GetImageSet(id);
            if (!form || !form->GetPixelData())
            {
                state.SkipWithError("a form is missing");
                return;
            }
            uLongf size = compressBound(form->GetPixelDataSize());
            packed.resize(size);
            compress(packed.data(), &size, form->GetPixelData(), form->GetPixelDataSize());
            benchmark::DoNotOptimize(packed.data());
        }
    }
}
} // namespace

BENCHMARK(BM_CasterSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompressForms)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    BuiltContent content(STAVELORN_BINARY_DIR);
    if (!content.IsLoaded())
    {
        std::printf("the built content in %s does not load\n", STAVELORN_BINARY_DIR);
        return 1;
    }
    PrintSandbox printouts;
    sandbox = &printouts;
    Owned<VelCharacter> character = MakeSheetCaster("Caster");
    caster = character.get();

    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    RatioReporter::PrintRatio("sheet / compressing the forms (wall)",
                              reporter.TimeOf("BM_CasterSheet"),
                              reporter.TimeOf("BM_CompressForms"), 3.0);
    RatioReporter::PrintRatio("sheet / compressing the forms (cpu)",
                              reporter.CpuTimeOf("BM_CasterSheet"),
                              reporter.CpuTimeOf("BM_CompressForms"), 3.0);
    return 0;
}
