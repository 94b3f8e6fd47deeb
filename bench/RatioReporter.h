#pragma once

// The console reporter of every benchmark program: it prints as usual and
// keeps each benchmark's time per iteration by name, so that the program can
// print its ratios to a baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
            {
                realTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
                cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
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

private:
    static double Find(const std::map<std::string, double>& times, const std::string& name)
    {
        const auto it = times.find(name);
        return it == times.end() ? 0.0 : it->second;
    }

    std::map<std::string, double> realTimes;
    std::map<std::string, double> cpuTimes;
};
