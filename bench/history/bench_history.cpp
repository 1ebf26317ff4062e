// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the history window computes when it redraws, on a ten-year record: the four tiles (one
// stats()), the month's cells and the detail panel of a busy day. Target: 16 ms, one frame.

#include "BenchMain.h"
#include "HistoryValues.h"
#include "SyntheticHistory.h"

#include <benchmark/benchmark.h>

namespace {

int gDays = 3650;

const SyntheticRecord &fixture()
{
    static const SyntheticRecord f(gDays);
    return f;
}

void BM_HistoryRedraw(benchmark::State &state)
{
    const SyntheticRecord &f = fixture();
    const Instant month = f.calendar.monthInterval(f.now)->start;
    const Instant yesterday = *f.calendar.addDays(f.calendar.startOfDay(f.now), -1);
    for (auto _ : state) {
        const RecordView v = f.view();
        benchmark::DoNotOptimize(historyTiles(v));
        benchmark::DoNotOptimize(historyMonth(v, month, yesterday));
        benchmark::DoNotOptimize(historyDay(v, yesterday));
    }
    state.counters["entries"] = double(f.history.entries.size());
}

BENCHMARK(BM_HistoryRedraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, gDays);
}
