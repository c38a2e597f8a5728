#pragma once

// Prints the usual table, then the median real time of each benchmark as a multiple of a
// baseline's, measured in the same run: absolute times on a shared machine drift, ratios much less.
// Pairs of a benchmark and its own baseline are printed as ratios of their own.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    using Pairs = std::vector<std::pair<std::string, std::string>>;

    explicit RatioReporter(std::string baseline, Pairs pairs = {})
        : baseline_(std::move(baseline))
        , pairs_(std::move(pairs))
    {
    }

    void ReportRuns(const std::vector<Run> &reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run &run : reports) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds_[name(run)].push_back(run.real_accumulated_time / double(run.iterations));
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (const auto baseline = seconds_.find(baseline_); baseline != seconds_.end()) {
            const double base = median(baseline->second);
            std::printf("\nMedian real time as a multiple of %s (%.3f ms):\n", baseline_.c_str(), base * 1e3);
            for (const auto &[name, seconds] : seconds_)
                std::printf("  %-36s %9.3f ms %8.2fx\n", name.c_str(), median(seconds) * 1e3, median(seconds) / base);
        }
        for (const auto &[name, own] : pairs_) {
            const auto measured = seconds_.find(name);
            const auto against = seconds_.find(own);
            if (measured != seconds_.end() && against != seconds_.end())
                std::printf("%s as a multiple of %s: %.3fx\n", name.c_str(), own.c_str(),
                            median(measured->second) / median(against->second));
        }
    }

private:
    // The benchmark and its arguments, without the repetition and iteration settings.
    static std::string name(const Run &run)
    {
        const std::string &args = run.run_name.args;
        return args.empty() ? run.run_name.function_name : run.run_name.function_name + "/" + args;
    }

    static double median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        const std::size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    }

    std::string baseline_;
    Pairs pairs_;
    std::map<std::string, std::vector<double>> seconds_;
};
