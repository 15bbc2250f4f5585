#pragma once
// The main of a benchmark that needs windows: an offscreen application around the benchmark run.
#include <QApplication>
#include <benchmark/benchmark.h>

#define MINUTRIX_GUI_BENCHMARK_MAIN()                                                                                  \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;                                              \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
