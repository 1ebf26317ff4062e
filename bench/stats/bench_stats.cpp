// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Statistics over a ten-year record: the history window's stats(), the card's redraw, and the
// entries file's decode and encode. The "literal" variants compute the same figures the naive way
// (a full scan with a same-day test per entry for every day), for comparison in the same run.
// The "ThreeComputers" variants compute them across this computer and two others of ten years
// each, whose records are read from a synced folder; and how long a changed month of another
// computer takes to be read and merged.
#include "BenchMain.h"
#include "DayRhythm.h"
#include "DayTotals.h"
#include "MergedView.h"
#include "MonthRecord.h"
#include "Stats.h"
#include "SyntheticHistory.h"
#include "linux/InotifyFolderWatcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

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

// As the store computes them: its index of the entries is kept between computations, as the
// merged record's is.
void BM_StatsKeptIndex(benchmark::State &state)
{
    const Fixture &f = fixture();
    const auto index = RecordView::indexByDate(f.history.entries);
    for (auto _ : state)
        benchmark::DoNotOptimize(stats(RecordView(f.history.entries, index, f.history.segmentStart,
                                                  f.history.activity, 14400, f.calendar, f.now)));
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
void cardRedraw(const RecordView &v)
{
    double sum = 0;
    Instant day = v.calendar().startOfDay(v.now());
    for (int i = 0; i < 7; ++i) {
        sum += dayTotal(v, day, v.now());
        day = *v.calendar().addDays(day, -1);
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(score(v, v.now(), v.now()));
    benchmark::DoNotOptimize(typingPace(activityOnDay(v, v.now())));
}

void BM_CardRedraw(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        cardRedraw(f.view());
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

class FixedClock final : public Clock {
public:
    explicit FixedClock(Instant t) : m_t(t) {}
    Instant now() const override { return m_t; }

private:
    Instant m_t;
};

// This computer's record, and two others' (other seeds) in their folders of a synced folder.
struct ThreeComputers {
    const Fixture &own = fixture();
    QTemporaryDir folder;
    FixedClock clock{own.now};
    InotifyFolderWatcher watcher;
    OtherComputers others{clock, own.calendar, &watcher};
    std::shared_ptr<const RecordView::DateIndex> index =
        RecordView::indexByDate(own.history.entries);
    MergedView merged;
    QUuid changingId;
    QString changingMonth;
    QString changingFile;
    SyntheticHistory changing;

    ThreeComputers()
    {
        for (unsigned seed : {2u, 3u}) {
            const QUuid id = QUuid::createUuid();
            const SyntheticHistory h = makeSyntheticHistory(own.calendar, own.now, gDays, 30, seed);
            QMap<QString, MonthRecord> months;
            for (const WorkEntry &e : h.entries)
                months[monthOfDayKey(own.calendar.dayKey(e.date))].entries.append(e);
            for (auto it = h.activity.begin(); it != h.activity.end(); ++it)
                months[monthOfDayKey(it.key())].activity.insert(it.key(), it.value());
            const QString dir = QDir(folder.path()).filePath(uuidText(id));
            QDir().mkpath(dir);
            for (auto it = months.begin(); it != months.end(); ++it) {
                it->computer = id;
                it->machine = QStringLiteral("bench");
                it->month = it.key();
                write(dir + "/" + monthFileName(it.key()), encodeMonthRecord(*it));
            }
            changingId = id;
            changingMonth = months.lastKey();
            changingFile = dir + "/" + monthFileName(changingMonth);
            changing.entries = months.last().entries;
            changing.activity = months.last().activity;
        }
        others.setFolder(folder.path(), QUuid::createUuid(), false);
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QSaveFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    }

    RecordView view(MergedView &m)
    {
        return m.view(
            {own.history.entries, index, own.history.segmentStart, own.history.activity, 14400},
            others, own.calendar, own.now);
    }
};

ThreeComputers &threeComputers()
{
    // The watcher's notices come through an event loop.
    static int argc = 1;
    static char name[] = "bench_stats";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static ThreeComputers t;
    return t;
}

void BM_StatsThreeComputers(benchmark::State &state)
{
    ThreeComputers &t = threeComputers();
    t.view(t.merged);
    for (auto _ : state)
        benchmark::DoNotOptimize(stats(t.view(t.merged)));
    state.counters["merged entries"] = double(t.view(t.merged).entries().size());
    state.counters["streak"] = double(stats(t.view(t.merged)).streak);
}

void BM_CardRedrawThreeComputers(benchmark::State &state)
{
    ThreeComputers &t = threeComputers();
    for (auto _ : state)
        cardRedraw(t.view(t.merged));
}

// The whole merge, as at start: every month of the three records.
void BM_MergeThreeComputers(benchmark::State &state)
{
    ThreeComputers &t = threeComputers();
    for (auto _ : state) {
        MergedView fresh;
        benchmark::DoNotOptimize(t.view(fresh).entries().size());
    }
}

// Another computer rewrites its current month (one more stretch each time): the watcher's
// notice, the file read and the month merged again. Writing the file is the sync tool's part,
// not timed.
void BM_MonthFileChanged(benchmark::State &state)
{
    ThreeComputers &t = threeComputers();
    t.view(t.merged);
    MonthRecord month{t.changingId, "bench", t.changingMonth, t.changing.entries,
                      t.changing.activity};
    Instant last = month.entries.isEmpty() ? t.own.now - 86400 : month.entries.last().date;
    for (auto _ : state) {
        state.PauseTiming();
        last += 1;
        month.entries.append({QUuid::createUuid(), last, 0.5, WorkEntry::Kind::timed});
        ThreeComputers::write(t.changingFile, encodeMonthRecord(month));
        state.ResumeTiming();
        QCoreApplication::processEvents();
        t.others.rescanChanges();
        benchmark::DoNotOptimize(t.view(t.merged).entries().size());
    }
}

BENCHMARK(BM_Stats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatsKeptIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatsThreeComputers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeThreeComputers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonthFileChanged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatsLiteral)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CardRedraw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CardRedrawThreeComputers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeEntries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, gDays);
}
