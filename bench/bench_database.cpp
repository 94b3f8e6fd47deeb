// Parsing a generated rules database of 10,000 records spread over every
// table, against reading the same file into memory with one read.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelDatabaseWriter.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelInfo.h"

#include "RatioReporter.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
constexpr int kRecords = 10000;

// In a folder of its own that goes away with the program.
const std::string& DatabasePath()
{
    static const TempFolder folder;
    static const std::string path = folder.Join("database.bin");
    return path;
}

// Gives a record plausible contents: short names and file names, a sentence
// for descriptions and other texts, and numbers that differ from record to
// record so that set records are not all equal.
class Filler : public VelFieldVisitor
{
public:
    explicit Filler(int seed) : seed(static_cast<std::uint32_t>(seed)) {}

    void operator()(const char*, std::uint8_t& value) override { value = static_cast<std::uint8_t>(Next() & 1); }
    void operator()(const char*, std::uint16_t& value) override { value = static_cast<std::uint16_t>(Next() % 400); }
    void operator()(const char*, std::int16_t& value) override { value = static_cast<std::int16_t>(Next() % 400); }
    void operator()(const char*, std::uint32_t& value) override { value = Next() % 100000; }
    void operator()(const char*, std::int32_t& value) override { value = static_cast<std::int32_t>(Next() % 100000); }
    void operator()(const char*, float& value) override { value = static_cast<float>(Next() % 1000) / 8.0f; }
    void operator()(const char* name, std::string& value) override
    {
        const std::string field = name;
        if (field == "name" || field == "displayName" || field.find("File") != std::string::npos)
        {
            value = "Name " + std::to_string(Next() % 10000);
        }
        else
        {
            value = "A rule text number " + std::to_string(Next() % 10000) +
                    " of the generated database, as long as a short description.";
        }
    }
    void Widened(const char*, std::int32_t& value) override { value = static_cast<std::int32_t>(Next() % 3); }

private:
    std::uint32_t Next()
    {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    }
    std::uint32_t seed;
};

// One section per tag whose record class is registered, the records dealt
// out evenly; returns the number of records written.
int WriteDatabase()
{
    struct Section
    {
        std::uint16_t tag;
        std::string className;
    };
    std::vector<Section> sections;
    std::size_t itemClass = 0;
    for (std::uint16_t tag : VelDatabase::GetTableTags())
    {
        const char* className = VelDatabase::GetTableClassName(tag);
        std::string name = className ? className
                                     : VelDatabase::GetItemClassNames()[itemClass++ % VelDatabase::GetItemClassNames().size()];
        if (FCClassRegistry::Find(name))
        {
            sections.push_back({tag, name});
        }
    }
    if (sections.empty())
    {
        return 0;
    }
    VelDatabaseWriter writer;
    int written = 0;
    const int perSection = kRecords / static_cast<int>(sections.size());
    for (std::size_t s = 0; s < sections.size(); ++s)
    {
        const int count = s + 1 == sections.size() ? kRecords - written : perSection;
        writer.BeginSection(sections[s].tag);
        for (int i = 0; i < count; ++i)
        {
            FCObject* object = FCClassRegistry::CreateByName(sections[s].className);
            auto* record = static_cast<VelInfo*>(object);
            Filler filler(written + i);
            record->VisitFields(filler);
            // Item keys are spread over the item sections, so give each its own range.
            const auto key = static_cast<std::int16_t>((sections[s].tag * 100 + i) % 30000);
            if (sections[s].tag == VelDatabase::kTagHeightWeight)
            {
                writer.AddPair(static_cast<std::int16_t>(i / 10), static_cast<std::int16_t>(i % 10), *record);
            }
            else
            {
                writer.Add(key, *record);
            }
            record->Release();
        }
        written += count;
    }
    const std::vector<std::uint8_t> bytes = writer.Finish();
    std::FILE* out = std::fopen(DatabasePath().c_str(), "wb");
    if (!out)
    {
        return 0;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    std::printf("database: %zu sections, %d records, %zu bytes\n", sections.size(), written, bytes.size());
    return written;
}

bool OpenDatabase(FCFile& file)
{
    return file.Open(DatabasePath().c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead);
}

void BM_ParseDatabase(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCFile file;
        if (!OpenDatabase(file) || !VelDatabase::ParseStream(file, "bench"))
        {
            state.SkipWithError("parse failed");
            break;
        }
        file.Close();
        state.PauseTiming();
        VelDatabase::Clear();
        state.ResumeTiming();
    }
}

void BM_ReadWholeFile(benchmark::State& state)
{
    std::vector<std::uint8_t> buffer;
    for (auto _ : state)
    {
        FCFile file;
        if (!OpenDatabase(file))
        {
            state.SkipWithError("open failed");
            break;
        }
        buffer.resize(file.GetSize());
        if (!file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size())))
        {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
        file.Close();
    }
}
} // namespace

BENCHMARK(BM_ParseDatabase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    if (WriteDatabase() == 0)
    {
        std::printf("ratio: not measured (no record class registered)\n");
        return 1;
    }
    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    // Processor time is the measure that other work on a shared machine
    // disturbs least; the wall-clock ratio is shown beside it.
    const double parse = reporter.CpuTimeOf("BM_ParseDatabase");
    if (parse > 0)
        std::printf("parse: %.0f ns per record\n", parse * 1000.0 / kRecords);
    if (!RatioReporter::PrintRatio("ratio (parse / one read, processor time)", parse,
                                   reporter.CpuTimeOf("BM_ReadWholeFile"), 40.0))
        return 1;
    const double wallRead = reporter.TimeOf("BM_ReadWholeFile");
    if (wallRead > 0)
        std::printf("wall clock: %.1f\n", reporter.TimeOf("BM_ParseDatabase") / wallRead);
    return 0;
}
