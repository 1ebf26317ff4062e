#include "StoreFixture.h"
#include "TestMounts.h"
#include "linux/JsonSettingsStore.h"

#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <cmath>

namespace {

const QByteArray entryA =
    R"({"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795000000,"seconds":600,"kind":"timed"})";
const QByteArray entryB =
    R"({"id":"1E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":795100000,"seconds":-60,"kind":"removed"})";

CrewClient::Config crew(const char *code)
{
    return {QString::fromLatin1(code), QStringLiteral("m-1"), QStringLiteral("Ada"),
            QStringLiteral("Ada's Crew")};
}

QStringList corruptCopies(const StoreFixture &f, const QString &name)
{
    return QDir(f.dir.filePath(QStringLiteral("Quenby")))
        .entryList({name + QStringLiteral(".corrupt-*")}, QDir::Files, QDir::Name);
}

} // namespace

class TestStoreStorage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(TestMounts::enterPrivateNamespace()); }

    void keystrokesMigration()
    {
        StoreFixture f;
        f.writeData(QStringLiteral("keystrokes.json"), R"({"2026-03-01":1200,"2026-03-02":7})");
        MacWorkStore &s = f.open();
        DayActivity expected;
        expected.keys = 1200;
        QCOMPARE(s.activityByDay().value(QStringLiteral("2026-03-01")), expected);
        QCOMPARE(s.activityByDay().value(QStringLiteral("2026-03-02")).keys, 7);
        QCOMPARE(decodeActivity(f.readData(QStringLiteral("activity.json"))), s.activityByDay());
        QVERIFY(!QFileInfo::exists(f.dataPath(QStringLiteral("keystrokes.json"))));

        // With a readable activity file the older one is not touched.
        StoreFixture g;
        g.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":3}})");
        g.writeData(QStringLiteral("keystrokes.json"), R"({"2026-03-01":1200})");
        QCOMPARE(g.open().activityByDay().keys(), QStringList{QStringLiteral("2026-03-05")});
        QCOMPARE(g.readData(QStringLiteral("keystrokes.json")),
                 QByteArray(R"({"2026-03-01":1200})"));
    }

    void legacyEntriesMigration()
    {
        StoreFixture f(795200000);
        f.writeData(QStringLiteral("entries.json"), "[" + entryB + "]");
        f.settings.setValue(MacWorkStore::legacyStorageKey,
                            QByteArray("{\"entries\":[" + entryA +
                                       "],\"segmentStart\":795150000,"
                                       "\"lastTick\":795150300}"));
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
    }

    void crewListMigration_data()
    {
        QTest::addColumn<QByteArray>("list");   // under the crews key; empty: not set
        QTest::addColumn<QByteArray>("single"); // under the older key
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<bool>("singleKept");
        const QByteArray one = CrewClient::encodeConfigs({crew("AAAAAA")}).mid(1).chopped(1);
        const QByteArray two = CrewClient::encodeConfigs({crew("BBBBBB"), crew("CCCCCC")});
        QTest::newRow("list") << two << one << QStringList{"BBBBBB", "CCCCCC"} << true;
        QTest::newRow("older single") << QByteArray() << one << QStringList{"AAAAAA"} << false;
        QTest::newRow("broken list, older single")
            << QByteArray("[{\"code\":1}]") << one << QStringList{"AAAAAA"} << false;
        QTest::newRow("nothing usable")
            << QByteArray("[") << QByteArray("{}") << QStringList{} << true;
    }

    void crewListMigration()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, single);
        QFETCH(QStringList, codes);
        QFETCH(bool, singleKept);
        StoreFixture f;
        if (!list.isEmpty())
            f.settings.setValue(MacWorkStore::crewsKey, list);
        f.settings.setValue(MacWorkStore::crewKey, single);
        MacWorkStore &s = f.open();
        QStringList loaded;
        for (const auto &c : s.crewConfigs())
            loaded.append(c.code);
        QCOMPARE(loaded, codes);
        QCOMPARE(f.settings.value(MacWorkStore::crewKey).has_value(), singleKept);
        if (!codes.isEmpty())
            QCOMPARE(CrewClient::decodeConfigs(*f.settings.dataValue(MacWorkStore::crewsKey)),
                     s.crewConfigs());
        else if (!list.isEmpty())
            QCOMPARE(f.settings.dataValue(MacWorkStore::crewsKey), list); // left for the next save

        // The older key goes only once the list could be stored.
        StoreFixture g;
        g.settings.setValue(MacWorkStore::crewKey, single);
        g.settings.failWrites = true;
        g.open();
        QVERIFY(g.settings.value(MacWorkStore::crewKey));
    }

    void resetSwitch()
    {
        StoreFixture f;
        f.writeData(QStringLiteral("entries.json"), "[" + entryA + "]");
        f.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":3}})");
        f.settings.setValue(MacWorkStore::goalKey, 21600.0);
        f.settings.setValue(MacWorkStore::autoKey, false);
        f.settings.setValue(MacWorkStore::crewsKey, CrewClient::encodeConfigs({crew("AAAAAA")}));
        f.settings.setValue(MacWorkStore::heartbeatKey,
                            encodeHeartbeat({f.clock.now() - 600, f.clock.now() - 5}));
        f.process.args.append(QStringLiteral("-quenbyReset"));
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty());
        QVERIFY(s.activityByDay().isEmpty());
        QCOMPARE(f.readData(QStringLiteral("entries.json")), QByteArray("[]"));
        QCOMPARE(f.readData(QStringLiteral("activity.json")), QByteArray("{}"));
        QCOMPARE(f.heartbeat()->segmentStart, std::nullopt);
        QCOMPARE(s.goalSeconds(), 21600.0);
        QVERIFY(!s.autoTrackEnabled());
        QCOMPARE(s.crewConfigs().size(), 1);
    }

    void goalRestore_data()
    {
        QTest::addColumn<QVariant>("stored"); // invalid: nothing stored
        QTest::addColumn<double>("goal");
        QTest::newRow("nothing") << QVariant() << 14400.0;
        QTest::newRow("5 h: half rounds up") << QVariant(18000.0) << 21600.0;
        QTest::newRow("28 h") << QVariant(100000.0) << 86400.0;
        QTest::newRow("0.4 h") << QVariant(1440.0) << 7200.0;
        QTest::newRow("off") << QVariant(0.0) << 0.0;
        QTest::newRow("not a number") << QVariant(qQNaN()) << 14400.0;
        QTest::newRow("text") << QVariant(QStringLiteral("14400")) << 14400.0;
    }

    void goalRestore()
    {
        QFETCH(QVariant, stored);
        QFETCH(double, goal);
        StoreFixture f;
        if (stored.typeId() == QMetaType::Double)
            f.settings.setValue(MacWorkStore::goalKey, stored.toDouble());
        else if (stored.typeId() == QMetaType::QString)
            f.settings.setValue(MacWorkStore::goalKey, stored.toString());
        QCOMPARE(f.open().goalSeconds(), goal);
    }

    void settingChanges()
    {
        StoreFixture f;
        // The goal is stored as set; rounding happens only on the next start.
        f.open().setGoalSeconds(10800);
        QCOMPARE(f.settings.doubleValue(MacWorkStore::goalKey), 10800.0);
        QCOMPARE(f.open().goalSeconds(), 14400.0);
    }

    // Restoring calls nothing; after a failed change the switch shows what the system reports.
    // (A failed registration, with the real autostart entry: tst_autostart.)
    void loginItemUnregisterFails()
    {
        StoreFixture f;
        f.loginItems.state = LoginItems::Status::enabled;
        f.loginItems.failUnregister = true;
        MacWorkStore &s = f.open();
        QCOMPARE(f.loginItems.registerCalls + f.loginItems.unregisterCalls, 0);
        s.setLaunchAtLogin(false);
        QVERIFY(s.launchAtLogin());
        QCOMPARE(f.loginItems.unregisterCalls, 1);
    }

    void undecodableFilesAreKept()
    {
        StoreFixture f;
        f.writeData(QStringLiteral("entries.json"), "[" + entryA + ",");
        f.writeData(QStringLiteral("activity.json"), R"({"2026-03-05":{"keys":"3"}})");
        f.writeData(QStringLiteral("keystrokes.json"), R"({"2026-03-01":1200})");
        MacWorkStore &s = f.open();
        QVERIFY(s.entries().isEmpty());
        // The activity falls back to the older key counts, as for a missing file.
        QCOMPARE(s.activityByDay().value(QStringLiteral("2026-03-01")).keys, 1200);
        const QStringList entries = corruptCopies(f, QStringLiteral("entries.json"));
        QCOMPARE(entries, QStringList{QStringLiteral("entries.json.corrupt-20260310-100000")});
        QCOMPARE(f.readData(entries.first()), QByteArray("[" + entryA + ","));
        QCOMPARE(corruptCopies(f, QStringLiteral("activity.json")).size(), 1);

        // The next save writes a fresh file beside the copy.
        f.type(60);
        for (int i = 0; i < 7; ++i)
            f.advance(5);
        QCOMPARE(decodeEntries(f.readData(QStringLiteral("entries.json")))->size(), 1);
    }

    void failedWritesAreRetried()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        // A directory where a file should be makes every write fail, even for root.
        QDir().mkpath(f.dataPath(QStringLiteral("activity.json")));
        QDir().mkpath(f.dataPath(QStringLiteral("entries.json")));
        f.type(120);
        QVERIFY(s.activityDirty());
        const qint64 keys = s.activityByDay().first().keys;
        QVERIFY(keys > 0);
        f.advance(40);
        QCOMPARE(s.entries().size(), 1);

        QDir().rmdir(f.dataPath(QStringLiteral("activity.json")));
        QDir().rmdir(f.dataPath(QStringLiteral("entries.json")));
        f.advance(5);
        QVERIFY(!s.activityDirty());
        QCOMPARE(s.lastActivitySave(), f.clock.now());
        QCOMPARE(decodeActivity(f.readData(QStringLiteral("activity.json")))->first().keys, keys);
        // The entries, a minute after the failed write, without waiting for another segment.
        f.advance(55);
        QCOMPARE(decodeEntries(f.readData(QStringLiteral("entries.json"))), s.entries());
    }

    void failedSettingsWritesNeverRecordTwice_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("full disk") << true;
    }

    // The real settings file on a small file system of its own that turns read-only or fills up
    // while the entries stay writable: neither the legacy key can be removed after its migration
    // nor the heartbeat cleared after a close. No start records a stretch twice, and the migration
    // never runs again over newer entries.
    void failedSettingsWritesNeverRecordTwice()
    {
        QFETCH(bool, full);
        StoreFixture f(795200000);
        const QString config = f.dir.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkpath(config) && TestMounts::mountTmpfs(config, 256 * 1024));
        auto unmount = qScopeGuard([&] { TestMounts::unmount(config); });
        auto failWrites = [&](bool fail) {
            const QString filler = config + QStringLiteral("/filler");
            return full ? (fail ? TestMounts::fillUp(filler) : QFile::remove(filler))
                        : (fail ? TestMounts::makeReadOnly(config) : TestMounts::unmount(config));
        };
        // Each start reads the file afresh, as a new process does.
        std::unique_ptr<JsonSettingsStore> settings;
        auto start = [&]() -> MacWorkStore & {
            f.store.reset();
            settings =
                std::make_unique<JsonSettingsStore>(config + QStringLiteral("/settings.json"));
            f.settingsStore = settings.get();
            return f.open();
        };
        auto startedCount = [&] { return start().entries().size(); };
        auto heartbeatOnFile = [&] {
            const auto data =
                JsonSettingsStore(settings->path()).dataValue(MacWorkStore::heartbeatKey);
            return data ? decodeHeartbeat(*data) : std::nullopt;
        };

        // Legacy entries with their open segment, and a heartbeat of an earlier crash.
        start();
        QVERIFY(
            settings->setValue(MacWorkStore::legacyStorageKey,
                               QByteArray("{\"entries\":[" + entryA +
                                          "],\"segmentStart\":795150000,\"lastTick\":795150300}")));
        QVERIFY(failWrites(true));
        QCOMPARE(startedCount(), 2);
        QVERIFY(JsonSettingsStore(settings->path()).dataValue(MacWorkStore::legacyStorageKey));
        f.type(60);
        f.advance(45); // idle: the segment closes
        QCOMPARE(f.store->entries().size(), 3);
        QCOMPARE(startedCount(), 3);
        QVERIFY(failWrites(false));
        QCOMPARE(startedCount(), 3);
        QVERIFY(!JsonSettingsStore(settings->path()).value(MacWorkStore::legacyStorageKey));

        // A close whose clearing of the heartbeat fails. (The heartbeat of a crash that cannot be
        // cleared after its recovery: tst_faultrun.)
        f.type(60);
        QVERIFY(failWrites(true));
        f.advance(45);
        QCOMPARE(f.store->entries().size(), 4);
        QVERIFY(heartbeatOnFile()->segmentStart);
        QCOMPARE(startedCount(), 4);
        QVERIFY(failWrites(false));
        const QList<WorkEntry> entries = start().entries();
        QCOMPARE(entries.size(), 4);
        QCOMPARE(decodeEntries(f.readData(QStringLiteral("entries.json"))), entries);
        QCOMPARE(heartbeatOnFile()->segmentStart, std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestStoreStorage)
#include "tst_store_storage.moc"
