// Statistics over a ten-year record: the history window's stats(), the card's redraw, and the
// entries file's decode and encode. The "literal" variants compute the same figures the naive way
// (a full scan with a same-day test per entry for every day), for comparison in the same run.
#include "BenchMain.h"
#include "DayRhythm.h"
#include "DayTotals.h"
#include "Stats.h"
#include "SyntheticHistory.h"

#include <benchmark/benchmark.h>

namespace {

int gDays = 3650;

struct Fixture : SyntheticRecord {
    Fixture() : SyntheticRecord(gDays) {}
    QByteArray file = encodeEntries(history.entries, JsonStyle::compact);
};

const Fixture &fixture()
{
    static const Fixture f;
    return f;
}

// The same-day test done per entry, with no index: what each day total costs without one.
double literalDayTotal(const RecordView &v, Instant day, Instant now)
{
    const DayInterval interval = v.calendar().dayInterval(day);
    double total = 0;
    for (const WorkEntry &e : v.entries()) {
        if (interval.contains(e.date))
            total += e.seconds;
    }
    if (const auto start = v.segmentStart()) {
        const Instant from = std::max(*start, interval.start);
        const Instant to = std::min(interval.end, now);
        if (to > from)
            total += to - from;
    }
    return std::max(total, 0.0);
}

Stats literalStats(const RecordView &v)
{
    Stats s;
    std::map<Instant, double> totals;
    for (const WorkEntry &e : v.entries())
        totals[v.calendar().startOfDay(e.date)] += e.seconds;
    if (const auto start = v.segmentStart())
        totals[v.calendar().startOfDay(*start)] += v.now() - *start;
    const Instant weekStart = rollingWeekStart(v.calendar(), v.now());
    for (auto &[day, seconds] : totals) {
        seconds = std::max(seconds, 0.0);
        if (day >= weekStart)
            s.last7Days += seconds;
        s.allTime += seconds;
        if (!s.bestDay || seconds > s.bestDayTotal) {
            s.bestDay = day;
            s.bestDayTotal = seconds;
        }
    }
    Instant day = v.calendar().startOfDay(v.now());
    if (literalDayTotal(v, day, v.now()) <= 0)
        day = *v.calendar().addDays(day, -1);
    if (literalDayTotal(v, day, v.now()) > 0) {
        s.streak = 1;
        while (s.streak < kMaxStreak) {
            day = *v.calendar().addDays(day, -1);
            if (literalDayTotal(v, day, v.now()) <= 0)
                break;
            ++s.streak;
        }
    }
    return s;
}

void BM_Stats(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        const RecordView v = f.view();
        benchmark::DoNotOptimize(stats(v));
    }
    const Stats s = stats(f.view());
    state.counters["entries"] = double(f.history.entries.size());
    state.counters["streak"] = double(s.streak);
}

void BM_StatsLiteral(benchmark::State &state)
{
    const Fixture &f = fixture();
    const RecordView v = f.view();
    if (!(literalStats(v) == stats(v)))
        state.SkipWithError("the literal computation disagrees");
    for (auto _ : state)
        benchmark::DoNotOptimize(literalStats(v));
}

// What the card recomputes when it redraws: the last 7 day totals, today's score and pace.
void BM_CardRedraw(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state) {
        const RecordView v = f.view();
        double sum = 0;
        Instant day = v.calendar().startOfDay(f.now);
        for (int i = 0; i < 7; ++i) {
            sum += dayTotal(v, day, f.now);
            day = *v.calendar().addDays(day, -1);
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(score(v, f.now, f.now));
        benchmark::DoNotOptimize(typingPace(activityOnDay(v, f.now)));
    }
}

void BM_DecodeEntries(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeEntries(f.file));
    state.counters["MB"] = double(f.file.size()) / 1e6;
}

void BM_EncodeEntries(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeEntries(f.history.entries, JsonStyle::compact));
}

BENCHMARK(BM_Stats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatsLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CardRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, gDays);
}
