// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The store with a ten-year record (about 110,000 entries, 3,650 activity days): a quiet tick and
// a counting tick (platform readings are in-memory stand-ins, so only the store's own work is
// measured), construction from the data files, and the entries file's save.
#include "BenchMain.h"
#include "CrewClient.h"
#include "MacWorkStore.h"
#include "SyntheticHistory.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <map>

namespace {

int gDays = 3650;

class BenchClock final : public Clock {
public:
    Instant now() const override { return t; }
    Instant t = 0;
};

class BenchInput final : public InputSource {
public:
    explicit BenchInput(const BenchClock &clock) : clock(clock) {}
    double secondsSinceLastEvent(InputEvent type) const override
    {
        return clock.t - (type == InputEvent::keyDown ? lastKey : lastMouse);
    }
    quint32 eventCounter(InputEvent type) const override
    {
        return type == InputEvent::keyDown ? keys : 0;
    }
    const BenchClock &clock;
    Instant lastKey = -1e9;
    Instant lastMouse = -1e9;
    quint32 keys = 0;
};

class BenchWorkspace final : public Workspace {
public:
    std::optional<FrontmostApplication> frontmostApplication() const override
    {
        return FrontmostApplication{QStringLiteral("org.editor"), QStringLiteral("Editor")};
    }
};

class BenchSettings final : public SettingsStore {
public:
    std::optional<SettingValue> value(const QString &key) const override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    bool setValue(const QString &key, const SettingValue &value) override
    {
        values[key] = value;
        return true;
    }
    bool remove(const QString &key) override
    {
        values.erase(key);
        return true;
    }
    std::map<QString, SettingValue> values;
};

class BenchLoginItems final : public LoginItems {
public:
    Status status() const override { return Status::notRegistered; }
    bool registerApp() override { return true; }
    bool unregisterApp() override { return true; }
};

class BenchProcess final : public Process {
public:
    std::optional<QString> environmentValue(const QString &name) const override
    {
        return name == QLatin1String("QUENBY_DATA_DIR") ? std::optional(folder) : std::nullopt;
    }
    QStringList arguments() const override { return {}; }
    QString folder;
};

class BenchTimer final : public RepeatingTimer {
public:
    void start(double, double) override {}
    void stop() override {}
    bool isActive() const override { return true; }
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The ten-year record on disk, and the services a store is built on.
struct Bench {
    QTemporaryDir dir;
    Calendar calendar{QTimeZone("Europe/Berlin"), 2};
    BenchClock clock;
    BenchInput input{clock};
    BenchWorkspace workspace;
    BenchSettings settings;
    BenchLoginItems loginItems;
    BenchProcess process;
    BenchTimer timer;
    CrewClient::HttpConnection crews;
    qsizetype entryCount = 0;

    Bench()
    {
        clock.t = instantFromDateTime(
            QDateTime(QDate(2026, 12, 7), QTime(15, 0), QTimeZone("Europe/Berlin")));
        const SyntheticHistory history = makeSyntheticHistory(calendar, clock.t, gDays);
        entryCount = history.entries.size();
        process.folder = dir.path();
        QDir().mkpath(dir.filePath(QStringLiteral("Quenby")));
        writeFile(dir.filePath(QStringLiteral("Quenby/entries.json")),
                  encodeEntries(history.entries, JsonStyle::compact));
        writeFile(dir.filePath(QStringLiteral("Quenby/activity.json")),
                  encodeActivity(history.activity));
    }

    // A fresh start on the record: no heartbeat from an earlier run, the user idle.
    std::unique_ptr<MacWorkStore> open()
    {
        settings.values.clear();
        input.lastKey = input.lastMouse = clock.t - 1000;
        return MacWorkStore::open({clock, calendar, input, workspace, settings, loginItems, process,
                                   timer, dir.path(), crews});
    }
};

Bench &bench()
{
    static Bench b;
    return b;
}

void BM_QuietTick(benchmark::State &state)
{
    Bench &b = bench();
    auto store = b.open();
    b.input.lastKey = b.input.lastMouse = b.clock.t - 1000;
    store->tick(b.clock.t);
    for (auto _ : state) {
        b.clock.t += 1e-6;
        store->tick(b.clock.t);
    }
    state.counters["entries"] = double(store->entries().size());
}

void BM_CountingTick(benchmark::State &state)
{
    Bench &b = bench();
    auto store = b.open();
    // Steps small enough that a run stays within the day and within the activity file's
    // minute, so this is the tick that happens every five seconds, without its file write.
    b.input.lastKey = b.clock.t;
    store->tick(b.clock.t);
    store->persistActivity();
    for (auto _ : state) {
        b.clock.t += 1e-5;
        b.input.keys += 1;
        b.input.lastKey = b.clock.t - 1e-6;
        store->tick(b.clock.t);
    }
    if (!store->isTracking())
        state.SkipWithError("the tick did not count");
}

void BM_ActivityWrite(benchmark::State &state)
{
    Bench &b = bench();
    auto store = b.open();
    b.input.lastKey = b.clock.t;
    store->tick(b.clock.t);
    for (auto _ : state) {
        b.clock.t += 61;
        b.input.keys += 1;
        b.input.lastKey = b.clock.t;
        store->sampleInput(b.clock.t, b.clock.t - 5, true);
    }
}

void BM_Construction(benchmark::State &state)
{
    Bench &b = bench();
    for (auto _ : state) {
        auto store = b.open();
        if (store->entries().size() != b.entryCount)
            state.SkipWithError("the record did not load");
        auto title = store->menuBarTitle();
        benchmark::DoNotOptimize(title);
    }
    state.counters["entries"] = double(b.entryCount);
}

void BM_SaveEntries(benchmark::State &state)
{
    Bench &b = bench();
    auto store = b.open();
    for (auto _ : state) {
        if (!store->saveEntries())
            state.SkipWithError("save failed");
    }
    state.counters["MB"] = double(QFileInfo(store->entriesFileURL()).size()) / 1e6;
}

BENCHMARK(BM_QuietTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountingTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ActivityWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Construction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks(argc, argv, gDays);
}
