// Google Benchmark's console output plus, at the end, each benchmark's time as a
// ratio of its baseline from the same run. Pairs are named "Subject" -> "Baseline".
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace sw::bench {

struct RatioTarget {
    std::string subject;
    std::string baseline;
    double target;  // the subject's time may be at most target x the baseline's
    std::string what;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<RatioTarget> targets) : targets_(std::move(targets)) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-58s %10s %8s  %s\n", "ratio (subject / baseline, same run)", "ratio", "target", "");
        for (const RatioTarget& t : targets_) {
            auto s = times_.find(t.subject), b = times_.find(t.baseline);
            if (s == times_.end() || b == times_.end() || b->second <= 0)
                continue;
            double ratio = s->second / b->second;
            std::printf("%-58s %10.3f %8.2f  %s\n", t.what.c_str(), ratio, t.target,
                        ratio <= t.target ? "ok" : "MISSED");
        }
    }

private:
    std::vector<RatioTarget> targets_;
    std::map<std::string, double> times_;
};

}  // namespace sw::bench
