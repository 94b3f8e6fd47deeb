// Loading the shipped rule set (the four database files the build makes)
// against reading the same bytes with one read each, and the time of the
// rule compiler over the whole source tree.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelInfo.h"

#include "RatioReporter.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
const char* const kFiles[] = {"Database.bin", "AnimalDB.bin", "EquipDB.bin", "SpellDB.bin"};

std::string PathOf(const char* name)
{
    return std::string(RULES_BUILD_DIR) + "/" + name;
}

bool LoadAll()
{
    bool ok = true;
    for (const char* name : kFiles)
        ok = VelDatabase::ParseFile(PathOf(name)) && ok;
    return ok;
}

std::size_t CountRecords()
{
    std::size_t count = 0;
    for (std::uint16_t tag : VelDatabase::GetTableTags())
    {
        if (tag != VelDatabase::kTagItem && !VelDatabase::GetTableClassName(tag))
            continue;
        if (FCObjectMap* map = VelDatabase::GetMap(tag))
            count += map->GetCount();
        else if (FCObjectPairMap* pairs = VelDatabase::GetPairMap(tag))
            count += pairs->GetCount();
        else
            VelDatabase::ForEach<VelInfo>(tag, [&count](const VelInfo&) { ++count; });
    }
    return count;
}

void BM_LoadRuleSet(benchmark::State& state)
{
    for (auto _ : state)
    {
        if (!LoadAll())
        {
            state.SkipWithError("load failed");
            break;
        }
        state.PauseTiming();
        VelDatabase::Clear();
        state.ResumeTiming();
    }
}

void BM_ReadRuleFiles(benchmark::State& state)
{
    std::vector<std::uint8_t> buffer;
    for (auto _ : state)
    {
        for (const char* name : kFiles)
        {
            FCFile file;
            if (!file.Open(PathOf(name).c_str(), FCFile::kAccessRead, FCFile::kOpenExisting,
                           FCFile::kShareRead))
            {
                state.SkipWithError("open failed");
                return;
            }
            buffer.resize(file.GetSize());
            if (!buffer.empty() &&
                !file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size())))
            {
                state.SkipWithError("read failed");
                return;
            }
            benchmark::DoNotOptimize(buffer.data());
            file.Close();
        }
    }
}

// Milliseconds of one run of the compiler over the sources, the median of
// five; negative when it fails.
double TimeCompiler()
{
    TempFolder folder;
    const std::string command = std::string("\"") + RULESC_TOOL + "\" \"" + RULES_CONTENT_DIR +
                                "\" \"" + folder.Join("out") + "\"";
    std::vector<double> times;
    for (int run = 0; run < 5; ++run)
    {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return -1.0;
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
} // namespace

BENCHMARK(BM_LoadRuleSet)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadRuleFiles)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    if (!LoadAll())
    {
        std::printf("the rule set in %s does not load\n", RULES_BUILD_DIR);
        return 1;
    }
    const std::size_t records = CountRecords();
    VelDatabase::Clear();
    std::printf("rule set: %zu records\n", records);

    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double load = reporter.CpuTimeOf("BM_LoadRuleSet");
    RatioReporter::PrintRatio("load / plain read (cpu)", load,
                              reporter.CpuTimeOf("BM_ReadRuleFiles"), 40.0);
    RatioReporter::PrintRatio("load / plain read (wall)", reporter.TimeOf("BM_LoadRuleSet"),
                              reporter.TimeOf("BM_ReadRuleFiles"), 40.0);
    if (load > 0 && records > 0)
        std::printf("load per record: %.3f us\n", load / static_cast<double>(records));
    const double compile = TimeCompiler();
    if (compile < 0)
        std::printf("rulesc: failed\n");
    else
        std::printf("rulesc over the sources: %.1f ms (target < 1000) %s\n", compile,
                    compile < 1000 ? "OK" : "MISSED");
    return 0;
}
