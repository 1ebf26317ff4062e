// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AtomicFile.h"
#include "StoreFixture.h"
#include "linux/JsonSettingsStore.h"
#include "linux/XdgFolders.h"

#include <QJsonObject>
#include <QTest>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

using Pieces = QList<QPair<QString, double>>; // local start "yyyy-MM-dd HH:mm:ss.zzz", seconds

namespace {

QString localText(const Calendar &calendar, Instant t)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(unixMSecs(t))), calendar.zone())
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

Pieces pieces(const MacWorkStore &store)
{
    Pieces result;
    for (const WorkEntry &e : store.entries())
        result.append({localText(store.calendar(), e.date), e.seconds});
    return result;
}

const QByteArray entryA =
    R"({"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795000000,"seconds":600,"kind":"timed"})";
const QByteArray entryB =
    R"({"id":"1E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795100000,"seconds":-60,"kind":"removed"})";
const QByteArray legacy =
    "{\"entries\":[" + entryA + "],\"segmentStart\":795150000,\"lastTick\":795150300}";

CrewClient::Config crew(const char *code)
{
    return {QString::fromLatin1(code), "m-1", "Ada", "Ada's Crew"};
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void typingSessionBecomesOneEntry()
    {
        StoreFixture f;
        const Instant t0 = f.clock.now();
        MacWorkStore &s = f.open();
        // Nothing typed since login: idle, and the timer slow.
        QCOMPARE(s.statusText(), QStringLiteral("Paused — you stepped away"));
        QCOMPARE(f.timer.interval, 30.0);

        f.clock.advance(10);
        f.input.event(InputEvent::keyDown);
        f.advance(20);
        QCOMPARE(f.heartbeat(), (Heartbeat{t0 + 10, t0 + 30})); // from the input, not the tick
        QCOMPARE(f.timer.interval, 5.0);

        f.type(600);
        const Instant lastInput = f.clock.now() - 1;
        f.advance(30);
        QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), t0 + 10), lastInput - (t0 + 10)}}));
        QCOMPARE(decodeEntries(f.readData("entries.json")), s.entries());
        QCOMPARE(f.heartbeat(), (Heartbeat{std::nullopt, f.clock.now()}));
        // Away: the ticks slow down after five minutes and write nothing.
        const int writes = f.settings.writes;
        while (f.clock.now() < lastInput + 330) {
            f.advance(s.currentInterval());
            QCOMPARE(f.timer.interval, f.clock.now() - lastInput > 300 ? 30.0 : 5.0);
        }
        QCOMPARE(f.settings.writes, writes);
    }

    // A segment ends at its last input once 30 s pass without one, or at the tick before a gap of
    // more than 90 s without ticks; one shorter than 30 s is dropped.
    void closingRules()
    {
        const struct {
            double length;  // from the segment's start to the last input
            double silence; // from the last input to the next tick
            int recorded;
            double endAfterInput;
        } rows[] = {
            {60, 29, 0, 0}, {60, 30, 1, 0}, {60, 96, 1, 1}, {29.9, 40, 0, 0}, {30, 40, 1, 0}};
        for (const auto &row : rows) {
            StoreFixture f;
            MacWorkStore &s = f.open();
            f.type(5);
            f.clock.set(s.segmentStart().value() + row.length);
            f.input.event(InputEvent::keyDown);
            f.advance(1);
            f.advance(row.silence - 1);
            QCOMPARE(s.isIdle(), row.silence >= 30);
            QCOMPARE(s.entries().size(), row.recorded);
            if (row.recorded)
                QCOMPARE(s.entries().first().seconds, row.length + row.endAfterInput);
        }
    }

    // The wall clock set back an hour while counting: the stretch up to the step is recorded as it
    // stood, counting goes on from the new time, and the activity file is not held back for an
    // hour.
    void wallClockSetBack()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        f.type(60);
        const Instant start = *s.segmentStart();
        const Instant stepped = s.lastTickAt();
        f.clock.advance(-3600);
        f.type(90);
        QCOMPARE(s.entries().size(), 1);
        QCOMPARE(s.entries().first().date, start);
        QCOMPARE(s.entries().first().seconds, stepped - start);
        QVERIFY(s.lastActivitySave() >= stepped - 3600 && s.lastActivitySave() <= s.lastTickAt());
        f.advance(45);
        QCOMPARE(s.entries().size(), 2);
        QVERIFY(s.entries().last().date >= stepped - 3600);
        QVERIFY(s.entries().last().seconds >= 80);
    }

    void activityCounting()
    {
        StoreFixture f;
        // Large counters at start count nothing: there is no baseline yet.
        f.input.counters = {{InputEvent::keyDown, 50000}, {InputEvent::leftMouseDown, 700}};
        f.input.event(InputEvent::keyDown);
        MacWorkStore &s = f.open();
        const QString today = s.calendar().dayKey(f.clock.now());
        QVERIFY(s.activityByDay().isEmpty());
        auto day = [&] { return s.activityByDay().value(today); };

        f.input.event(InputEvent::leftMouseDown, 2);
        f.input.event(InputEvent::rightMouseDown);
        f.input.event(InputEvent::otherMouseDown);
        f.input.event(InputEvent::scrollWheel, 3);
        f.input.event(InputEvent::flagsChanged, 4);
        f.input.event(InputEvent::keyDown, 7); // the mouse at the same instant: a tie is typing
        f.advance(5);
        QCOMPARE(day().keys, 7);
        QCOMPARE(day().hourlyKeys[10], 7);
        QCOMPARE(day().clicks, 4);
        QCOMPARE(day().scrolls, 3);
        QCOMPARE(day().modifierTaps, 4);
        QCOMPARE(day().typingSeconds, 5.0);

        // Ticks 20 s apart add only 8 s, here to mousing.
        f.clock.advance(19);
        f.input.event(InputEvent::mouseMoved);
        f.advance(1);
        QCOMPARE(day().mousingSeconds, 8.0);

        // A counter that restarts adds nothing on that tick, then counts again.
        f.input.counters[InputEvent::keyDown] = 3;
        f.input.event(InputEvent::mouseMoved);
        f.advance(5);
        f.input.event(InputEvent::keyDown, 2);
        f.advance(5);
        QCOMPARE(day().keys, 9);

        // Modifier presses do not end idleness, but count while idle; time does not.
        f.advance(40);
        const DayActivity before = day();
        f.input.counters[InputEvent::flagsChanged] = 10;
        f.advance(5);
        QCOMPARE(day().modifierTaps, before.modifierTaps + 6);
        QCOMPARE(day().typingSeconds + day().mousingSeconds,
                 before.typingSeconds + before.mousingSeconds);

        // Time in front, by name; the first application after a pause is not a switch.
        auto inFront = [&](std::optional<QString> id, std::optional<QString> name) {
            f.workspace.front = FrontmostApplication{std::move(id), std::move(name)};
            f.type(5);
        };
        inFront(QStringLiteral("org.editor"), QStringLiteral("Editor"));
        inFront(QStringLiteral("org.term"), std::nullopt); // named by its identifier
        inFront(std::nullopt, std::nullopt);               // neither: "?"
        QCOMPARE(day().appSeconds,
                 (QMap<QString, double>{{"Editor", 5}, {"org.term", 5}, {"?", 5}}));
        QCOMPARE(day().appSwitches, 2);
        // No application in front: nothing credited, the last one remembered.
        f.workspace.front.reset();
        f.type(5);
        inFront(std::nullopt, std::nullopt);
        QCOMPARE(day().appSeconds.value("?"), 10.0);
        QCOMPARE(day().appSwitches, 2);
        f.advance(35);
        inFront(QStringLiteral("org.editor"), QStringLiteral("Editor"));
        QCOMPARE(day().appSwitches, 2);
    }

    void autoTrackingOffAndOn()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        f.type(60);
        const Instant start = s.segmentStart().value();
        f.clock.advance(2);
        s.setAutoTrackEnabled(false);
        QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), start), f.clock.now() - 3 - start}}));

        // Off: typing neither counts time nor activity.
        const ActivityByDay counted = s.activityByDay();
        f.type(60);
        QVERIFY(!s.isTracking());
        QCOMPARE(s.activityByDay(), counted);

        // Kept across a restart; switched on while active, counting starts on that very tick.
        f.open();
        QVERIFY(!f.store->autoTrackEnabled());
        f.input.event(InputEvent::keyDown);
        f.clock.advance(1);
        f.store->setAutoTrackEnabled(true);
        QCOMPARE(f.store->segmentStart(), f.clock.now() - 1);
        QCOMPARE(f.settings.boolValue(MacWorkStore::autoKey), true);
    }

    // A heartbeat left by a stopped process is recorded at the next start once if it holds 30 s
    // or more, piece by piece, and then cleared; one that does not decode is only cleared.
    void heartbeatRecovery()
    {
        // At most 60 pieces; the rest of a 70-day segment is dropped.
        Pieces sixty{{"2026-01-01 12:00:00.000", 43200}};
        for (QDate d(2026, 1, 2); sixty.size() < 60; d = d.addDays(1))
            sixty.append({d.toString(u"yyyy-MM-dd") + QStringLiteral(" 00:00:00.000"), 86400});
        const struct {
            const char *zone, *from, *to;
            Pieces expected;
        } rows[] = {{"Europe/Berlin",
                     "2026-03-10 23:59:59.500",
                     "2026-03-11 00:10:00.000",
                     {{"2026-03-11 00:00:00.000", 600}}}, // the 0.5 s piece is dropped
                    {"Europe/Berlin",
                     "2026-03-10 23:59:25.000",
                     "2026-03-11 00:00:05.000",
                     {{"2026-03-10 23:59:25.000", 35}, {"2026-03-11 00:00:00.000", 5}}},
                    {"Europe/Berlin", "2026-03-10 23:00:00.000", "2026-03-10 23:00:29.900", {}},
                    {"Europe/Berlin", "2026-01-01 12:00:00.000", "2026-03-12 12:00:00.000", sixty},
                    // Midnight did not exist that day: the day began at 01:00.
                    {"America/Sao_Paulo",
                     "2018-11-03 23:00:00.000",
                     "2018-11-04 02:00:00.000",
                     {{"2018-11-03 23:00:00.000", 3600}, {"2018-11-04 01:00:00.000", 3600}}},
                    {"Europe/Berlin", nullptr, nullptr, {}}}; // undecodable
        for (const auto &row : rows) {
            StoreFixture f;
            f.calendar = zoneCalendar(row.zone);
            const QTimeZone tz(row.zone);
            const Instant end = row.to ? localInstant(tz, row.to) : f.clock.now();
            f.settings.setValue(MacWorkStore::heartbeatKey,
                                row.from ? encodeHeartbeat({localInstant(tz, row.from), end})
                                         : QByteArray("{\"lastTick\":8"));
            f.clock.set(end + 3600);
            MacWorkStore &s = f.open();
            QCOMPARE(pieces(s), row.expected);
            QCOMPARE(decodeEntries(f.readData("entries.json")).value_or(QList<WorkEntry>()),
                     s.entries());
            QCOMPARE(f.heartbeat(), (Heartbeat{std::nullopt, end + 3600}));
        }
        // As earlier versions stored it: seconds since 2001.
        StoreFixture f(800003600);
        f.settings.setValue(MacWorkStore::heartbeatKey,
                            QByteArray(R"({"lastTick":800000600,"segmentStart":800000000})"));
        QCOMPARE(f.open().entries().value(0).date, 800000000.0);
        QCOMPARE(f.store->entries().value(0).seconds, 600.0);
    }

    // Undecodable files are copied aside and count as missing; the activity then comes from the
    // older key counts, which move into a new activity file.
    void undecodableFilesAndKeystrokes()
    {
        StoreFixture f;
        f.writeData("entries.json", "[" + entryA + ",");
        f.writeData("activity.json", R"({"2026-03-05":{"keys":"3"}})");
        f.writeData("keystrokes.json", R"({"2026-03-01":1200,"2026-03-02":7})");
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty());
        DayActivity expected;
        expected.keys = 1200;
        QCOMPARE(s.activityByDay().value("2026-03-01"), expected);
        QCOMPARE(s.activityByDay().value("2026-03-02").keys, 7);
        QCOMPARE(decodeActivity(f.readData("activity.json")), s.activityByDay());
        QVERIFY(!QFileInfo::exists(f.dataPath("keystrokes.json")));
        QCOMPARE(f.readData("entries.json.corrupt-20260310-100000"), "[" + entryA + ",");
        QCOMPARE(f.readData("activity.json.corrupt-20260310-100000"),
                 QByteArray(R"({"2026-03-05":{"keys":"3"}})"));
        // The next save writes a fresh file beside the copy.
        f.type(60);
        f.advance(35);
        QCOMPARE(decodeEntries(f.readData("entries.json"))->size(), 1);

        // With a readable activity file the older one is not touched.
        StoreFixture g;
        g.writeData("activity.json", R"({"2026-03-05":{"keys":3}})");
        g.writeData("keystrokes.json", R"({"2026-03-01":1200})");
        QCOMPARE(g.open().activityByDay().keys(), QStringList{"2026-03-05"});
        QVERIFY(QFileInfo::exists(g.dataPath("keystrokes.json")));
    }

    void legacyEntriesMigration()
    {
        StoreFixture f(795200000);
        f.writeData("entries.json", "[" + entryB + "]");
        f.settings.setValue(MacWorkStore::legacyStorageKey, legacy);
        // Not consulted, nor replayed later: it may mirror the legacy segment.
        f.settings.setValue(MacWorkStore::heartbeatKey, encodeHeartbeat({795150000, 795150300}));
        MacWorkStore &s = f.open();
        QCOMPARE(s.entries().size(), 2);
        QCOMPARE(s.entries().first(), *workEntryFromJson(*parseJson(entryA)));
        QCOMPARE(s.entries().last().seconds, 300.0);
        QCOMPARE(decodeEntries(f.readData("entries.json")), s.entries());
        QVERIFY(!f.settings.value(MacWorkStore::legacyStorageKey));
        QCOMPARE(f.open().entries().size(), 2);

        // Legacy data that does not decode is ignored and left in place.
        StoreFixture g(795200000);
        g.writeData("entries.json", "[" + entryB + "]");
        g.settings.setValue(MacWorkStore::legacyStorageKey, QByteArray(R"({"entries":"none"})"));
        QCOMPARE(g.open().entries().first().kind, WorkEntry::Kind::removed);
        QVERIFY(g.settings.value(MacWorkStore::legacyStorageKey));

        // A legacy key that cannot be removed is not migrated again over newer entries; its
        // removal is tried again at each start.
        StoreFixture h(795200000);
        h.settings.setValue(MacWorkStore::legacyStorageKey, legacy);
        h.settings.failWrites = true;
        QCOMPARE(h.open().entries().size(), 2);
        h.type(60);
        h.advance(45);
        QCOMPARE(h.open().entries().size(), 3);
        h.settings.failWrites = false;
        QCOMPARE(h.open().entries().size(), 3);
        QVERIFY(!h.settings.value(MacWorkStore::legacyStorageKey));
    }

    // The older single crew moves into the list unless a readable list is there; the older key
    // goes only once the list could be stored.
    void crewListMigration()
    {
        const QByteArray one = CrewClient::encodeConfigs({crew("AAAAAA")}).mid(1).chopped(1);
        const struct {
            QByteArray list; // empty: not set
            QString codes;
            bool singleKept;
        } rows[] = {
            {CrewClient::encodeConfigs({crew("BBBBBB"), crew("CCCCCC")}), "BBBBBB CCCCCC", true},
            {{}, "AAAAAA", false},
            {"[{\"code\":1}]", "AAAAAA", false},
            {{}, {}, true}}; // the list cannot be stored
        for (const auto &row : rows) {
            StoreFixture f;
            if (!row.list.isEmpty())
                f.settings.setValue(MacWorkStore::crewsKey, row.list);
            f.settings.setValue(MacWorkStore::crewKey, one);
            f.settings.failWrites = row.codes.isEmpty();
            QStringList loaded;
            for (const auto &c : f.open().crews()->crewConfigs())
                loaded.append(c.code);
            QCOMPARE(f.settings.value(MacWorkStore::crewKey).has_value(), row.singleKept);
            if (f.settings.failWrites)
                continue;
            QCOMPARE(loaded.join(u' '), row.codes);
            QCOMPARE(CrewClient::decodeConfigs(*f.settings.dataValue(MacWorkStore::crewsKey)),
                     f.store->crews()->crewConfigs());
        }
    }

    // The reset switch empties the record and keeps the settings.
    void resetSwitch()
    {
        StoreFixture f;
        f.writeData("entries.json", "[" + entryA + "]");
        f.writeData("activity.json", R"({"2026-03-05":{"keys":3}})");
        f.settings.setValue(MacWorkStore::goalKey, 21600.0);
        f.settings.setValue(MacWorkStore::heartbeatKey,
                            encodeHeartbeat({f.clock.now() - 600, f.clock.now() - 5}));
        f.process.args.append("-quenbyReset");
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty() && s.activityByDay().isEmpty());
        QCOMPARE(f.readData("entries.json"), QByteArray("[]"));
        QCOMPARE(f.readData("activity.json"), QByteArray("{}"));
        QCOMPARE(f.heartbeat()->segmentStart, std::nullopt);
        QCOMPARE(s.goalSeconds(), 21600.0);
    }

    // The stored goal is rounded to a step of two hours, half up, within 2 to 24 hours (0 is off);
    // what is not a number is the default. A change is stored as set; rounding waits for the next
    // start.
    void goalRestore()
    {
        for (auto [stored, goal] :
             {std::pair{100000.0, 86400.0}, {1440.0, 7200.0}, {0.0, 0.0}, {qQNaN(), 14400.0}}) {
            StoreFixture f;
            f.settings.setValue(MacWorkStore::goalKey, stored);
            QCOMPARE(f.open().goalSeconds(), goal);
        }
        StoreFixture f;
        f.open().setGoalSeconds(10800);
        QCOMPARE(f.settings.doubleValue(MacWorkStore::goalKey), 10800.0);
        QCOMPARE(f.open().goalSeconds(), 14400.0);
    }

    // Failed writes of the entries and the activity are retried on later ticks, without waiting
    // for another segment or the next minute's save.
    void failedWritesAreRetried()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        // A directory where a file should be makes every write fail, even for root.
        const QStringList files{f.dataPath("activity.json"), f.dataPath("entries.json")};
        for (const QString &file : files)
            QDir().mkpath(file);
        f.type(120);
        f.advance(40);
        QCOMPARE(s.entries().size(), 1);
        for (const QString &file : files)
            QDir().rmdir(file);
        f.advance(5);
        QCOMPARE(decodeActivity(readFile(files[0])), s.activityByDay());
        f.advance(55);
        QCOMPARE(decodeEntries(readFile(files[1])), s.entries());
    }

    void settingsFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Quenby/settings.json");
        {
            JsonSettingsStore store(path);
            QVERIFY(store.setValue("auto", false));
            QVERIFY(store.setValue("goal", 14400.25));
            QVERIFY(store.setValue("invite", QStringLiteral("QUENBY-JOIN:ABC ✓")));
            // JSON has no NaN: storing one would make the whole file unreadable.
            QVERIFY(!store.setValue("nan", qQNaN()));
        }
        QCOMPARE(parseJson(readFile(path))->toObject().value("goal").toObject(),
                 (QJsonObject{{"type", "double"}, {"value", 14400.25}}));
        JsonSettingsStore store(path);
        QCOMPARE(store.boolValue("auto"), false);
        QCOMPARE(store.doubleValue("goal"), 14400.25);
        QCOMPARE(store.textValue("invite"), QStringLiteral("QUENBY-JOIN:ABC ✓"));
        QVERIFY(!store.value("nan"));
        // A value of another type reads as absent.
        QCOMPARE(store.doubleValue("auto"), std::nullopt);
        QCOMPARE(QDir(dir.filePath("Quenby")).entryList(QDir::Files), QStringList{"settings.json"});

        // A folder that cannot hold the file: the change is refused on disk, kept in memory.
        QVERIFY(writeFileAtomically(dir.filePath("blocked"), "not a folder"));
        JsonSettingsStore blocked(dir.filePath("blocked/settings.json"));
        QVERIFY(!blocked.setValue("auto", false));
        QCOMPARE(blocked.boolValue("auto"), false);

        // An undecodable file (bad syntax, or a value of the wrong form) is copied aside, once per
        // failure, and replaced by the next write; several failures in one second get distinct
        // names, and the three newest are kept.
        const QString bad = dir.filePath("settings.json");
        for (int round = 0; round < 4; ++round) {
            QVERIFY(writeFileAtomically(bad, (round % 2 ? R"({"a":{"type":"bool","value":tr)"
                                                        : R"({"a":{"type":"bool","value":1}})") +
                                                 QByteArray(round, ' ')));
            JsonSettingsStore store(bad);
            QVERIFY(!store.value("a"));
            QVERIFY(store.setValue("b", 2.0));
            QCOMPARE(JsonSettingsStore(bad).doubleValue("b"), 2.0);
        }
        QByteArrayList kept;
        for (const QString &c : QDir(dir.path()).entryList({"settings.json.corrupt-*"}))
            kept.append(readFile(dir.filePath(c)));
        QCOMPARE(kept.size(), 3);
        QVERIFY(kept.contains(R"({"a":{"type":"bool","value":tr   )") &&
                !kept.contains(R"({"a":{"type":"bool","value":1}})"));
    }

    // Relative XDG folders are ignored for the ones under HOME. (Absolute ones: the crash test's
    // harness finds its settings through XDG_CONFIG_HOME.)
    void xdgFolders()
    {
        FakeProcess process;
        process.environment = {
            {"HOME", "/home/ada"}, {"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "cfg"}};
        QCOMPARE(xdgDataHome(process), "/home/ada/.local/share");
        QCOMPARE(JsonSettingsStore::defaultPath(process), "/home/ada/.config/Quenby/settings.json");
    }

    // A write that fails part way (here the file size limit, which binds root too; a full disk acts
    // the same) must leave the old file whole, for small writes that Qt buffers and large ones
    // alike.
    void cutShortWritesKeepTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("entries.json");
        const QByteArray old(3000, 'o');
        QVERIFY(writeFileAtomically(path, old));
        rlimit limit{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit unlimited = limit;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        const bool small = writeFileAtomically(path, QByteArray(10000, 'n'));
        const bool large = writeFileAtomically(path, QByteArray(40000, 'n'));
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!small && !large);
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"entries.json"});
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
