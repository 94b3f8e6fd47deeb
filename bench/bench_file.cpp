// Reading 10,000 records field by field through FCFile's little-endian
// helpers, against one plain read of the whole file in the same run. The
// buffer must keep the field-by-field reader within 40x of the plain read.

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"

#include "RatioReporter.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kRecords = 10000;

// In a folder of its own that goes away with the program.
const std::string& DataPath()
{
    static const TempFolder folder;
    static const std::string path = folder.Join("data.bin");
    return path;
}

// Each record: i16 key, u16 flags, u32 value, f32 weight, 16-byte name,
// then eight i16 fields, the shape of a small database record.
void WriteData()
{
    FCFile file;
    file.Open(DataPath().c_str(), FCFile::kAccessWrite, FCFile::kCreateAlways, 0);
    const char name[16] = "record name";
    for (int n = 0; n < kRecords; ++n)
    {
        file.WriteI16(static_cast<std::int16_t>(n));
        file.WriteU16(0x8001);
        file.WriteU32(static_cast<std::uint32_t>(n) * 3u);
        file.WriteF32(static_cast<float>(n) * 0.5f);
        file.Write(name, sizeof name);
        for (int f = 0; f < 8; ++f)
            file.WriteI16(static_cast<std::int16_t>(f - n));
    }
    file.Close();
}

void BM_FieldByField(benchmark::State& state)
{
    for (auto _ : state)
    {
        FCFile file;
        file.Open(DataPath().c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead);
        std::int64_t sum = 0;
        for (int n = 0; n < kRecords; ++n)
        {
            std::int16_t key = 0;
            std::uint16_t flags = 0;
            std::uint32_t value = 0;
            float weight = 0;
            char name[16];
            file.ReadI16(key);
            file.ReadU16(flags);
            file.ReadU32(value);
            file.ReadF32(weight);
            file.Read(name, sizeof name);
            sum += key + flags + value + static_cast<std::int64_t>(weight) + name[0];
            for (int f = 0; f < 8; ++f)
            {
                std::int16_t field = 0;
                file.ReadI16(field);
                sum += field;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_PlainRead(benchmark::State& state)
{
    std::vector<char> bytes(std::filesystem::file_size(DataPath()));
    for (auto _ : state)
    {
        const int fd = ::open(DataPath().c_str(), O_RDONLY);
        const ssize_t n = ::read(fd, bytes.data(), bytes.size());
        ::close(fd);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(bytes.data());
    }
}
} // namespace

BENCHMARK(BM_FieldByField)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    WriteData();
    RatioReporter::Initialize(argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (!RatioReporter::PrintRatio("ratio (field by field / one plain read)", reporter.TimeOf("BM_FieldByField"),
                                   reporter.TimeOf("BM_PlainRead"), 40.0))
        return 1;
    return 0;
}
