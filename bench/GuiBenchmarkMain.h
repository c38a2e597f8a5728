#pragma once

#include <QGuiApplication>

#include <benchmark/benchmark.h>

// Runs the benchmarks inside a GUI application, which fonts and text documents need; no display
// is involved. prepare() builds the fixtures before the clock starts.
template <typename Prepare>
int runGuiBenchmarks(int argc, char **argv, benchmark::BenchmarkReporter &reporter, Prepare prepare)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    prepare();
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
