// Reading 10,000 records field by field through FCFile's little-endian
// helpers, against one plain read of the whole file in the same run. The
// buffer must keep the field-by-field reader within 40x of the plain read.

#include "Fc/FCDebugLog.h"
#include "Fc/FCFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int kRecords = 10000;

std::string DataPath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("bench-file-" + std::to_string(::getpid()) + ".bin")).string();
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

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                microseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> microseconds;
};
} // namespace

BENCHMARK(BM_FieldByField)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    WriteData();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::remove(DataPath().c_str());

    const auto fields = reporter.microseconds.find("BM_FieldByField");
    const auto plain = reporter.microseconds.find("BM_PlainRead");
    if (fields == reporter.microseconds.end() || plain == reporter.microseconds.end() || plain->second <= 0)
    {
        std::printf("ratio: not measured\n");
        return 1;
    }
    const double ratio = fields->second / plain->second;
    std::printf("ratio (field by field / one plain read): %.2f (target <= 40) %s\n", ratio,
                ratio <= 40.0 ? "OK" : "MISSED");
    return 0;
}
