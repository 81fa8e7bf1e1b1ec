// Google Benchmark's console output plus, at the end, each benchmark's time as a
// ratio of its baseline from the same run. Pairs are named "Subject" -> "Baseline".
//
// One figure per benchmark: the median when repetitions were asked for, else the one
// measurement. Ratios are printed for wall time and for CPU time. Colour follows
// --benchmark_color as the library's own reporter does: "false" (or, by default, a
// pipe) gives plain text.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unistd.h>

namespace sw::bench {

struct RatioTarget {
    std::string subject;
    std::string baseline;
    double target;  // the subject's time may be at most target x the baseline's; 0: shown for information
    std::string what;
};

// A benchmark's time per iteration in seconds.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

// Whether a --benchmark_color value (or the BENCHMARK_COLOR variable) asks for colour;
// "auto" and an empty value mean colour on a terminal only.
inline bool colourWanted(std::string_view value, bool terminal)
{
    if (value == "true" || value == "yes" || value == "1" || value == "on")
        return true;
    if (value == "false" || value == "no" || value == "0" || value == "off")
        return false;
    return terminal;
}

// The console options a command line asks for (arguments after the program's name).
inline benchmark::ConsoleReporter::OutputOptions ratioOutputOptions(const std::vector<std::string>& args,
                                                                    const char* colourVariable, bool terminal)
{
    std::string_view colour = colourVariable ? colourVariable : "";
    bool tabular = false;
    for (const std::string& argument : args) {
        std::string_view arg = argument;
        constexpr std::string_view colourFlag = "--benchmark_color=", tabularFlag = "--benchmark_counters_tabular";
        if (arg.substr(0, colourFlag.size()) == colourFlag)
            colour = arg.substr(colourFlag.size());
        else if (arg == "--benchmark_color")
            colour = "true";
        else if (arg == tabularFlag || arg == "--benchmark_counters_tabular=true")
            tabular = true;
    }
    int options = benchmark::ConsoleReporter::OO_None;
    if (colourWanted(colour, terminal))
        options |= benchmark::ConsoleReporter::OO_Color;
    if (tabular)
        options |= benchmark::ConsoleReporter::OO_Tabular;
    return benchmark::ConsoleReporter::OutputOptions(options);
}

// The options of this process's own command line, read from /proc so that they are
// whole even after benchmark::Initialize has taken its flags out of argv.
inline benchmark::ConsoleReporter::OutputOptions ratioOutputOptions()
{
    std::vector<std::string> args;
    if (std::FILE* file = std::fopen("/proc/self/cmdline", "rb")) {
        std::string all;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            all.append(buffer, n);
        std::fclose(file);
        for (std::size_t start = 0; start < all.size();) {
            std::size_t end = all.find('\0', start);
            if (end == std::string::npos)
                end = all.size();
            args.emplace_back(all, start, end - start);
            start = end + 1;
        }
        if (!args.empty())
            args.erase(args.begin());
    }
    return ratioOutputOptions(args, std::getenv("BENCHMARK_COLOR"), isatty(STDOUT_FILENO) != 0);
}

// Collects one timing per benchmark: a "median" aggregate wins over single runs, and
// among single runs (repetitions without a median) the last one stands.
class TimingTable {
public:
    void add(const benchmark::BenchmarkReporter::Run& run)
    {
        using Run = benchmark::BenchmarkReporter::Run;
        if (run.error_occurred)
            return;
        const std::string name = run.run_name.str();
        const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
        const Timing timing{run.GetAdjustedRealTime() / unit, run.GetAdjustedCPUTime() / unit};
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median" && run.aggregate_unit == benchmark::kTime) {
                times_[name] = timing;
                medians_[name] = true;
            }
            return;
        }
        if (!medians_[name])
            times_[name] = timing;
    }

    const Timing* find(const std::string& name) const
    {
        auto found = times_.find(name);
        return found == times_.end() ? nullptr : &found->second;
    }

    bool median(const std::string& name) const
    {
        auto found = medians_.find(name);
        return found != medians_.end() && found->second;
    }

private:
    std::map<std::string, Timing> times_;
    std::map<std::string, bool> medians_;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::vector<RatioTarget> targets, OutputOptions options = ratioOutputOptions())
        : ConsoleReporter(options), targets_(std::move(targets))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            table_.add(run);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::FILE* out = stdout;
        std::fflush(out);
        GetOutputStream().flush();
        std::fprintf(out, "\n%-58s %8s %8s %8s  %s\n", "ratio (subject / baseline, same run)", "wall", "cpu", "target",
                     "");
        for (const RatioTarget& t : targets_) {
            const Timing *s = table_.find(t.subject), *b = table_.find(t.baseline);
            if (!s || !b || b->wall <= 0 || b->cpu <= 0)
                continue;
            const double wall = s->wall / b->wall, cpu = s->cpu / b->cpu;
            const bool medians = table_.median(t.subject) && table_.median(t.baseline);
            if (t.target <= 0)
                std::fprintf(out, "%-58s %8.3f %8.3f %8s  %s%s\n", t.what.c_str(), wall, cpu, "-", "information",
                             medians ? " (medians)" : "");
            else
                std::fprintf(out, "%-58s %8.3f %8.3f %8.2f  %s%s\n", t.what.c_str(), wall, cpu, t.target,
                             wall <= t.target ? "ok" : "MISSED", medians ? " (medians)" : "");
        }
        std::fflush(out);
    }

private:
    std::vector<RatioTarget> targets_;
    TimingTable table_;
};

}  // namespace sw::bench
