#pragma once

// Prints the usual table, then the median real time of each benchmark as a multiple of a
// baseline's, measured in the same run: absolute times on a shared machine drift, ratios much less.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(std::string baseline)
        : baseline_(std::move(baseline))
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
        const auto baseline = seconds_.find(baseline_);
        if (baseline == seconds_.end())
            return;
        const double base = median(baseline->second);
        std::printf("\nMedian real time as a multiple of %s (%.3f ms):\n", baseline_.c_str(), base * 1e3);
        for (const auto &[name, seconds] : seconds_)
            std::printf("  %-36s %9.3f ms %8.2fx\n", name.c_str(), median(seconds) * 1e3, median(seconds) / base);
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
    std::map<std::string, std::vector<double>> seconds_;
};
