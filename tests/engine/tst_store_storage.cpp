// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AtomicFile.h"
#include "StoreFixture.h"
#include "linux/JsonSettingsStore.h"
#include "linux/XdgFolders.h"

#include <QJsonObject>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QByteArray entryA =
    R"({"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795000000,"seconds":600,"kind":"timed"})";
const QByteArray entryB =
    R"({"id":"1E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795100000,"seconds":-60,"kind":"removed"})";
const QByteArray legacy =
    "{\"entries\":[" + entryA + "],\"segmentStart\":795150000,\"lastTick\":795150300}";

CrewClient::Config crew(const char *code)
{
    return {QString::fromLatin1(code), QStringLiteral("m-1"), QStringLiteral("Ada"),
            QStringLiteral("Ada's Crew")};
}

} // namespace

class TestStoreStorage : public QObject {
    Q_OBJECT
private slots:
    // Undecodable files are copied aside and count as missing; the activity then comes from the
    // older key counts, which move into a new activity file.
    void undecodableFilesAndKeystrokes()
    {
        StoreFixture f;
        f.writeData(QStringLiteral("entries.json"), "[" + entryA + ",");
        f.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":"3"}})");
        f.writeData(QStringLiteral("keystrokes.json"), R"({"2026-03-01":1200,"2026-03-02":7})");
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty());
        DayActivity expected;
        expected.keys = 1200;
        QCOMPARE(s.activityByDay().value(QStringLiteral("2026-03-01")), expected);
        QCOMPARE(s.activityByDay().value(QStringLiteral("2026-03-02")).keys, 7);
        QCOMPARE(decodeActivity(f.readData(QStringLiteral("activity.json"))), s.activityByDay());
        QVERIFY(!QFileInfo::exists(f.dataPath(QStringLiteral("keystrokes.json"))));
        QCOMPARE(f.readData(QStringLiteral("entries.json.corrupt-20260310-100000")),
                 QByteArray("[" + entryA + ","));
        QCOMPARE(f.readData(QStringLiteral("activity.json.corrupt-20260310-100000")),
                 QByteArray(R"({"2026-03-05":{"keys":"3"}})"));
        // The next save writes a fresh file beside the copy.
        f.type(60);
        f.advance(35);
        QCOMPARE(decodeEntries(f.readData(QStringLiteral("entries.json")))->size(), 1);

        // With a readable activity file the older one is not touched.
        StoreFixture g;
        g.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":3}})");
        g.writeData(QStringLiteral("keystrokes.json"), R"({"2026-03-01":1200})");
        QCOMPARE(g.open().activityByDay().keys(), QStringList{QStringLiteral("2026-03-05")});
        QVERIFY(QFileInfo::exists(g.dataPath(QStringLiteral("keystrokes.json"))));
    }

    void legacyEntriesMigration()
    {
        StoreFixture f(795200000);
        f.writeData(QStringLiteral("entries.json"), "[" + entryB + "]");
        f.settings.setValue(MacWorkStore::legacyStorageKey, legacy);
        // Not consulted, nor replayed later: it may mirror the legacy segment.
        f.settings.setValue(MacWorkStore::heartbeatKey, encodeHeartbeat({795150000, 795150300}));
        MacWorkStore &s = f.open();
        QCOMPARE(s.entries().size(), 2);
        QCOMPARE(s.entries().first(), *workEntryFromJson(*parseJson(entryA)));
        QCOMPARE(s.entries().last().seconds, 300.0);
        QCOMPARE(decodeEntries(f.readData(QStringLiteral("entries.json"))), s.entries());
        QVERIFY(!f.settings.value(MacWorkStore::legacyStorageKey));
        QCOMPARE(f.open().entries().size(), 2);

        // Legacy data that does not decode is ignored and left in place.
        StoreFixture g(795200000);
        g.writeData(QStringLiteral("entries.json"), "[" + entryB + "]");
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
        f.writeData(QStringLiteral("entries.json"), "[" + entryA + "]");
        f.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":3}})");
        f.settings.setValue(MacWorkStore::goalKey, 21600.0);
        f.settings.setValue(MacWorkStore::heartbeatKey,
                            encodeHeartbeat({f.clock.now() - 600, f.clock.now() - 5}));
        f.process.args.append(QStringLiteral("-quenbyReset"));
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty() && s.activityByDay().isEmpty());
        QCOMPARE(f.readData(QStringLiteral("entries.json")), QByteArray("[]"));
        QCOMPARE(f.readData(QStringLiteral("activity.json")), QByteArray("{}"));
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
        const QStringList files{f.dataPath(QStringLiteral("activity.json")),
                                f.dataPath(QStringLiteral("entries.json"))};
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
        const QString path = dir.filePath(QStringLiteral("Quenby/settings.json"));
        {
            JsonSettingsStore store(path);
            QVERIFY(store.setValue(QStringLiteral("auto"), false));
            QVERIFY(store.setValue(QStringLiteral("goal"), 14400.25));
            QVERIFY(store.setValue(QStringLiteral("invite"), QStringLiteral("QUENBY-JOIN:ABC ✓")));
            // JSON has no NaN: storing one would make the whole file unreadable.
            QVERIFY(!store.setValue(QStringLiteral("nan"), qQNaN()));
        }
        QCOMPARE(parseJson(readFile(path))->toObject().value(QStringLiteral("goal")).toObject(),
                 (QJsonObject{{"type", "double"}, {"value", 14400.25}}));
        JsonSettingsStore store(path);
        QCOMPARE(store.boolValue(QStringLiteral("auto")), false);
        QCOMPARE(store.doubleValue(QStringLiteral("goal")), 14400.25);
        QCOMPARE(store.textValue(QStringLiteral("invite")), QStringLiteral("QUENBY-JOIN:ABC ✓"));
        QVERIFY(!store.value(QStringLiteral("nan")));
        // A value of another type reads as absent.
        QCOMPARE(store.doubleValue(QStringLiteral("auto")), std::nullopt);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("Quenby"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("settings.json")});

        // A folder that cannot hold the file: the change is refused on disk, kept in memory.
        QVERIFY(writeFileAtomically(dir.filePath(QStringLiteral("blocked")), "not a folder"));
        JsonSettingsStore blocked(dir.filePath(QStringLiteral("blocked/settings.json")));
        QVERIFY(!blocked.setValue(QStringLiteral("auto"), false));
        QCOMPARE(blocked.boolValue(QStringLiteral("auto")), false);

        // An undecodable file (bad syntax, or a value of the wrong form) is copied aside, once per
        // failure, and replaced by the next write; several failures in one second get distinct
        // names, and the three newest are kept.
        const QString bad = dir.filePath(QStringLiteral("settings.json"));
        for (int round = 0; round < 4; ++round) {
            QVERIFY(writeFileAtomically(bad, (round % 2 ? R"({"a":{"type":"bool","value":tr)"
                                                        : R"({"a":{"type":"bool","value":1}})") +
                                                 QByteArray(round, ' ')));
            JsonSettingsStore store(bad);
            QVERIFY(!store.value(QStringLiteral("a")));
            QVERIFY(store.setValue(QStringLiteral("b"), 2.0));
            QCOMPARE(JsonSettingsStore(bad).doubleValue(QStringLiteral("b")), 2.0);
        }
        QByteArrayList kept;
        for (const QString &c :
             QDir(dir.path()).entryList({QStringLiteral("settings.json.corrupt-*")}))
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
        process.environment = {{QStringLiteral("HOME"), QStringLiteral("/home/ada")},
                               {QStringLiteral("XDG_DATA_HOME"), QStringLiteral("data")},
                               {QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("cfg")}};
        QCOMPARE(xdgDataHome(process), QStringLiteral("/home/ada/.local/share"));
        QCOMPARE(JsonSettingsStore::defaultPath(process),
                 QStringLiteral("/home/ada/.config/Quenby/settings.json"));
    }

    // A write that fails part way (here the file size limit, which binds root too; a full disk acts
    // the same) must leave the old file whole, for small writes that Qt buffers and large ones
    // alike.
    void cutShortWritesKeepTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("entries.json"));
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

QTEST_GUILESS_MAIN(TestStoreStorage)
#include "tst_store_storage.moc"
