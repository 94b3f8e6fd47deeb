// Loading many small objects by class name from an archive, against a loop
// that reads the same bytes and creates the same objects with new directly.
// The registry path may cost at most three times the direct one.

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectVector.h"

#include "RatioReporter.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// A small record of the kind the character's lists hold.
class BenchRecord : public FCObject
{
public:
    void Serialize(FCArchive& ar) override
    {
        FCObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.WriteI16(id);
            ar.WriteI32(amount);
        }
        else
        {
            ar.ReadI16(id);
            ar.ReadI32(amount);
        }
    }
    std::string GetClassName() const override { return "BenchRecord"; }
    FCObject* Clone() const override { return new BenchRecord(*this); }
    FCObject* CreateNew() const override { return new BenchRecord(); }

    std::int16_t id = 0;
    std::int32_t amount = 0;
};

// A stored container holds at most 32,767 elements, so the archive is four
// of them read into one vector (loading appends).
constexpr int kContainers = 4;
constexpr int kPerContainer = 25000;
constexpr int kObjects = kContainers * kPerContainer;

// In a folder of its own that goes away with the program.
const std::string& ArchivePath()
{
    static const TempFolder folder;
    static const std::string path = folder.Join("archive.bin");
    return path;
}

void WriteArchive()
{
    FCArchive ar(ArchivePath(), FCArchive::kStore);
    for (int c = 0; c < kContainers; ++c)
    {
        FCObjectVector vector(2);
        for (int i = 0; i < kPerContainer; ++i)
        {
            auto* record = new BenchRecord();
            record->id = static_cast<std::int16_t>(i);
            record->amount = c * kPerContainer + i;
            vector.Append(record);
            record->Release();
        }
        vector.Serialize(ar);
    }
}

void BM_LoadThroughRegistry(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCArchive ar(ArchivePath(), FCArchive::kLoad);
        FCObjectVector records(2);
        for (int c = 0; c < kContainers; ++c)
            records.Serialize(ar);
        if (ar.HasFailed() || records.GetCount() != kObjects)
            state.SkipWithError("archive did not load");
        benchmark::DoNotOptimize(records.GetAt(kObjects - 1));
    }
}

// The same bytes, read field by field from the same buffered file, with the
// class name checked by comparison and the object made by new.
void BM_LoadDirectly(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCFile file;
        file.Open(ArchivePath().c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead);
        std::vector<BenchRecord*> records;
        std::string name;
        bool ok = true;
        for (int c = 0; c < kContainers && ok; ++c)
        {
            std::uint16_t mode = 0;
            std::int16_t count = 0;
            ok = file.ReadU16(mode) && file.ReadI16(count);
            for (int i = 0; i < count && ok; ++i)
            {
                std::uint16_t marker = 0;
                ok = file.ReadU16(marker) && marker == 0xFFFF && FCArchive::ReadString(file, name) &&
                     name == "BenchRecord";
                if (!ok)
                    break;
                auto* record = new BenchRecord();
                std::uint16_t typeCode = 0;
                std::uint16_t secondWord = 0;
                ok = file.ReadU16(typeCode) && file.ReadU16(secondWord) && file.ReadI16(record->id) &&
                     file.ReadI32(record->amount);
                record->SetTypeCode(typeCode);
                record->SetSecondWord(secondWord);
                records.push_back(record);
            }
        }
        if (!ok || records.size() != kObjects)
            state.SkipWithError("direct read failed");
        benchmark::DoNotOptimize(records.back());
        for (BenchRecord* record : records)
            record->Release();
    }
}
} // namespace

FC_REGISTER_CLASS(BenchRecord);

BENCHMARK(BM_LoadThroughRegistry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDirectly)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    WriteArchive();
    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double registry = reporter.TimeOf("BM_LoadThroughRegistry");
    const double direct = reporter.TimeOf("BM_LoadDirectly");
    // Adjusted times are in the benchmarks' unit (ms).
    if (registry > 0 && direct > 0)
        std::printf("registry: %.1f ns per object, direct: %.1f ns per object\n", registry * 1e6 / kObjects,
                    direct * 1e6 / kObjects);
    if (!RatioReporter::PrintRatio("ratio (registry / direct)", registry, direct, 3.0))
        return 1;
    return 0;
}
