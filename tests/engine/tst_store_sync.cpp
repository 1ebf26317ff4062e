// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The store's record across computers on real folders, with the real folder watcher: what goes
// into this computer's folder and when, how the other computers' folders count, and what is left
// alone. (Two real applications through Syncthing, and an unmounted share: tst_sync in tests/app.)
#include "ComputerDescription.h"
#include "DayRhythm.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "MonthRecord.h"
#include "StoreFixture.h"
#include "SyncFiles.h"
#include "linux/InotifyFolderWatcher.h"

#include <QTest>

namespace {

WorkEntry timed(Instant date, double seconds)
{
    return {QUuid::createUuid(), date, seconds, WorkEntry::Kind::timed};
}

Instant at(const char *text)
{
    return localInstant(QTimeZone("Europe/Berlin"), text);
}

} // namespace

class TestStoreSync : public QObject {
    Q_OBJECT

    static double today(MacWorkStore &s)
    {
        const Instant now = s.clock().now();
        return dayTotal(s.recordView(), now, now);
    }
    // Joined stretches are measured between instants of this century: a tenth of a microsecond.
    static bool near(double a, double b) { return std::abs(a - b) < 1e-3; }
    static bool saysOnce(MacWorkStore &s, const char *words)
    {
        return s.syncProblems().filter(QString::fromUtf8(words)).size() == 1;
    }

private slots:
    // Written at start and after each save of the main files, never more often, and only the
    // months that changed; never into a folder that went away.
    void thisComputersFolder()
    {
        QTemporaryDir synced;
        InotifyFolderWatcher watcher;
        StoreFixture f;
        f.folderWatcher = &watcher;
        const QList<WorkEntry> earlier{timed(at("2026-02-27 09:00"), 600),
                                       timed(at("2026-03-02 09:00"), 900)};
        f.writeData("entries.json", encodeEntries(earlier, JsonStyle::compact));
        MacWorkStore &s = f.open();
        const auto mainFiles = [&] {
            return f.readData("entries.json") + f.readData("activity.json");
        };
        // This computer's March, wherever its folder is now.
        const auto march = [&] {
            return readFile(QDir(s.syncFolder().ownFolder()).filePath("2026-03.json"));
        };
        const auto marchEntries = [&] {
            return decodeMonthRecord(march()).value_or(MonthRecord()).entries;
        };
        // Never on: stopping it writes nothing, not even the setting.
        const QByteArray unsynced = mainFiles();
        const int writes = f.settings.writes;
        QCOMPARE(s.setSyncFolder(QString()), QString());
        QCOMPARE(f.settings.writes, writes);
        QVERIFY(!f.settings.values.contains(SyncSetting::key));
        QCOMPARE(mainFiles(), unsynced);
        QVERIFY(s.setSyncFolder(synced.filePath("nowhere")).contains("is not a folder"));
        QVERIFY(!s.syncFolder().isOn());
        QCOMPARE(s.setSyncFolder(synced.path()), QString());
        const QDir own(s.syncFolder().ownFolder());
        QCOMPARE(own.entryList(QDir::Files),
                 (QStringList{"2026-02.json", "2026-03.json", "computer.json"}));
        QCOMPARE(marchEntries(), earlier.mid(1));
        QCOMPARE(decodeMonthRecord(march())->machine,
                 machineStamp("test machine", s.syncFolder().setting().id));
        QCOMPARE(decodeComputerDescription(readFile(own.filePath("computer.json")))->name, "desk");
        const QByteArray february = readFile(own.filePath("2026-02.json"));
        const QDateTime februaryWritten = QFileInfo(own.filePath("2026-02.json")).lastModified();

        // Each tick of typing: the month file changes only when a main file was saved.
        for (int tick = 0; tick < 40; ++tick) {
            const QByteArray files = mainFiles(), month = march();
            tick < 30 ? f.type(5) : f.advance(5);
            if (march() != month)
                QVERIFY(mainFiles() != files);
        }
        QCOMPARE(marchEntries(), s.entries().mid(1));
        QCOMPARE(decodeMonthRecord(march())->activity,
                 *decodeActivity(f.readData("activity.json")));
        QCOMPARE(readFile(own.filePath("2026-02.json")), february);
        QCOMPARE(QFileInfo(own.filePath("2026-02.json")).lastModified(), februaryWritten);

        // This computer's folder goes (an unmounted share): nothing is written, nor made again.
        QVERIFY(QDir(own).removeRecursively());
        QTRY_VERIFY(saysOnce(s, "this computer's folder, is not there"));
        f.type(40);
        f.advance(35);
        QVERIFY(!own.exists());
        // Back, it gets what it missed.
        QVERIFY(QDir().mkdir(own.path()));
        QTRY_COMPARE(marchEntries(), s.entries().mid(1));
        QVERIFY(s.syncProblems().isEmpty());

        // Another machine writes as this computer (a copied home folder): this one stops
        // writing there, and takes a new id when told.
        QVERIFY(writeFile(own.filePath("computer.json"),
                          encodeComputerDescription({s.syncFolder().setting().id, "laptop",
                                                     machineStamp("other", QUuid())})));
        QTRY_VERIFY(saysOnce(s, "another computer (laptop) writes there as this one"));
        const QByteArray stopped = march();
        f.type(40);
        f.advance(35);
        QCOMPARE(march(), stopped);
        s.makeNewComputerId();
        QVERIFY(s.syncProblems().isEmpty());
        QCOMPARE(marchEntries(), s.entries().mid(1));

        // Off: nothing more goes there.
        const QByteArray last = march();
        QCOMPARE(s.setSyncFolder(QString()), QString());
        f.type(40);
        f.advance(35);
        QCOMPARE(readFile(synced.filePath(uuidText(s.syncFolder().setting().id) + "/2026-03.json")),
                 last);
    }

    // The others' folders count as read last, whatever becomes of them; our own record is never
    // touched by them.
    void otherComputers()
    {
        QTemporaryDir synced;
        InotifyFolderWatcher watcher;
        StoreFixture f;
        f.folderWatcher = &watcher;
        MacWorkStore &s = f.open();
        QCOMPARE(s.setSyncFolder(synced.path()), QString());
        f.type(60);
        f.advance(35);
        const double own = today(s);
        const QByteArray ownEntries = f.readData("entries.json");

        // One stretch before ours, one overlapping it by 30 seconds; counts are summed.
        const QUuid laptop = QUuid::createUuid();
        const QString laptopPath = synced.filePath(uuidText(laptop));
        QVERIFY(writeFile(laptopPath + "/computer.json",
                          encodeComputerDescription({laptop, "laptop", "peer"})));
        ActivityByDay counts;
        counts["2026-03-10"].keys = 500;
        const QList<WorkEntry> worked{timed(at("2026-03-10 09:00"), 1800),
                                      timed(s.entries().first().date + own - 30, 90)};
        QVERIFY(writeFile(laptopPath + "/2026-03.json",
                          encodeMonthRecord({laptop, "peer", "2026-03", worked, counts})));
        QTRY_VERIFY(near(today(s), own + 1800 + 60));
        QCOMPARE(s.menuBarTitle(), durationText(own + 1860));
        QVERIFY(near(s.reportDays(s.clock().now()).value("2026-03-10"), own + 1860)); // crews
        QCOMPARE(activityOnDay(s.recordView(), s.clock().now())->keys,
                 s.activityByDay().value("2026-03-10").keys + 500);
        QCOMPARE(s.otherComputers().computers().at(laptop).name, "laptop");

        // Half synced: its last good reading counts.
        const QByteArray whole = readFile(laptopPath + "/2026-03.json");
        QVERIFY(writeFile(laptopPath + "/2026-03.json", whole.left(whole.size() / 2)));
        QTRY_VERIFY(saysOnce(s, "2026-03.json: cannot be read (half synced, or damaged); left "
                                "alone, its last good reading counts"));
        QVERIFY(near(today(s), own + 1860));

        // A computer of a newer format is left alone.
        const QString tablet = synced.filePath(uuidText(QUuid::createUuid()));
        QVERIFY(writeFile(tablet + "/computer.json",
                          R"({"format":2,"id":")" + tablet.right(36).toLatin1() +
                              R"(","name":"tablet","machine":"x","more":[]})"));
        QVERIFY(writeFile(tablet + "/2026-03.json", R"({"format":2,"entries":{}})"));
        QTRY_VERIFY(saysOnce(s, "2026-03.json: written in a newer format (2) by a newer Tockly"));
        QVERIFY(near(today(s), own + 1860));

        // Its folder removed: the laptop counts as last seen.
        QVERIFY(QDir(laptopPath).removeRecursively());
        QTRY_VERIFY(saysOnce(s, "laptop ("));
        QVERIFY(saysOnce(s, "its folder is gone; it counts as last seen"));
        QVERIFY(near(today(s), own + 1860));
        QCOMPARE(f.readData("entries.json"), ownEntries);

        // Stopping forgets them all.
        QCOMPARE(s.setSyncFolder(QString()), QString());
        QCOMPARE(today(s), own);
        QVERIFY(s.syncProblems().isEmpty());
    }

    // The month files are read as strictly as our own files, and a little more.
    void monthFilesAreStrict()
    {
        const QUuid id = QUuid::createUuid();
        ActivityByDay activity;
        activity["2026-03-31"].keys = 7;
        const MonthRecord good{id, "m", "2026-03", {timed(at("2026-03-31 23:30"), 1800)}, activity};
        const QByteArray bytes = encodeMonthRecord(good);
        QCOMPARE(decodeMonthRecord(bytes), std::optional(good));
        const auto with = [&](const char *from, const char *to) {
            return decodeMonthRecord(QByteArray(bytes).replace(from, to));
        };
        QVERIFY(!with("\"month\":\"2026-03\"", "\"month\":\"2026-13\""));
        QVERIFY(!with("2026-03-31", "2026-04-01")); // a day of another month
        QVERIFY(!with("\"format\":1", "\"format\":\"1\""));
        QVERIFY(!with("\"seconds\":1800", "\"seconds\":200000")); // longer than two days
        QVERIFY(!with("\"keys\":7", "\"keys\":7.5"));
        QVERIFY(!with("\"entries\":[", "\"entries\":[1,"));
        MonthRecord far = good;
        far.entries[0].date += 3 * 86400; // beyond the month in any zone
        QVERIFY(!decodeMonthRecord(encodeMonthRecord(far)));
        for (const char *name : {"2026-3.json", "2026-03.json.tmp", ".syncthing.2026-03.json.tmp",
                                 "2026-03.sync-conflict-20260310-101010-ABCDEFG.json"})
            QVERIFY(monthOfFileName(name).isEmpty());
        QVERIFY(
            !decodeComputerDescription(encodeComputerDescription({id, QString(201, u'x'), "m"})));
    }
};

QTEST_GUILESS_MAIN(TestStoreSync)
#include "tst_store_sync.moc"
