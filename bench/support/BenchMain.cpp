// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
