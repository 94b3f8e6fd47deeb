#pragma once

// The console reporter of every benchmark program: it prints as usual and
// keeps each benchmark's time per iteration by name, so that the program can
// print its ratios to a baseline measured in the same run. With repetitions
// (see Initialize) a time is the median of its repetitions, so one
// disturbed run on a shared machine does not decide a ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.error_occurred)
                continue;
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty())
                name += "/" + run.run_name.args;
            if (run.run_type == Run::RT_Iteration)
            {
                realTimes[name].push_back(run.GetAdjustedRealTime());
                cpuTimes[name].push_back(run.GetAdjustedCPUTime());
            }
            else if (run.aggregate_name == "median")
            {
                // Reported alone when only aggregates are shown.
                realTimes[name] = {run.GetAdjustedRealTime()};
                cpuTimes[name] = {run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Real and processor time in the benchmark's own unit; 0 when the
    // benchmark did not run (filtered out or failed).
    double TimeOf(const std::string& name) const { return Find(realTimes, name); }
    double CpuTimeOf(const std::string& name) const { return Find(cpuTimes, name); }

    // Prints "what: ratio (target <= target) OK|MISSED"; false, after saying
    // so, when either time was not measured.
    static bool PrintRatio(const char* what, double time, double baseline, double target)
    {
        if (time <= 0 || baseline <= 0)
        {
            std::printf("%s: not measured\n", what);
            return false;
        }
        const double ratio = time / baseline;
        std::printf("%s: %.3f (target <= %.1f) %s\n", what, ratio, target,
                    ratio <= target ? "OK" : "MISSED");
        return true;
    }

    // Initialises the benchmark library with five repetitions of every
    // benchmark, interleaved at random so that a baseline and what it is
    // compared with meet the same machine load; arguments the caller gives
    // win over these.
    static void Initialize(int argc, char** argv)
    {
        static char repetitions[] = "--benchmark_repetitions=5";
        static char interleave[] = "--benchmark_enable_random_interleaving=true";
        static char quiet[] = "--benchmark_report_aggregates_only=true";
        static std::vector<char*> args;
        args = {argv[0], repetitions, interleave, quiet};
        args.insert(args.end(), argv + 1, argv + argc);
        args.push_back(nullptr);
        int count = static_cast<int>(args.size()) - 1;
        benchmark::Initialize(&count, args.data());
    }

private:
    static double Find(const std::map<std::string, std::vector<double>>& times,
                       const std::string& name)
    {
        const auto it = times.find(name);
        if (it == times.end() || it->second.empty())
            return 0.0;
        std::vector<double> sorted = it->second;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t mid = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
    }

    std::map<std::string, std::vector<double>> realTimes;
    std::map<std::string, std::vector<double>> cpuTimes;
};
