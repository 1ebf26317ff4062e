#include "BenchMain.h"

#include "SyntheticHistory.h"

#include <benchmark/benchmark.h>

int runBenchmarks(int argc, char **argv, int &days, int quickDays)
{
    if (takeQuickFlag(argc, argv))
        days = quickDays;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
