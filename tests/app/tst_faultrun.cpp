// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayActivity.h"
#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "TestMounts.h"
#include "TocklyProcess.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// The real application under Xvfb, typed at with xdotool, through the faults of real life: its
// folders turn read-only, the disk fills, the wall clock is set back an hour and forward a day
// (faketime, for this process alone), the machine sleeps an hour (logind's signals around a
// stopped process) and the program is killed. Afterwards every recorded second lies in a stretch
// of typing, nothing is recorded twice and every file decodes.
class TestFaultRun : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    XvfbServer x;
    PrivateBus session, system;
    FakeDesktopServices logind;
    QDBusConnection sessionBus{QString()}, controlBus{QString()};
    QString data = dir.filePath("home/data"), config = dir.filePath("home/config");
    QString faketime = dir.filePath("faketime"); // the application's wall clock: setClockOffset
    QProcessEnvironment env;
    int typed = 0;

    // A key every quarter second for `seconds`.
    bool type(int seconds)
    {
        typed += 4 * seconds;
        for (int left = seconds; left > 0; left -= 5)
            if (!x.run("xdotool", QStringList{"key", "--delay", "250"} +
                                      QStringList(4 * std::min(5, left), "x")))
                return false;
        return true;
    }

    int logindCall(const QString &method, const QVariantList &args = {})
    {
        return busCall(controlBus, "org.freedesktop.login1", "/Control",
                       "org.quenby.test.FakeDesktop", method, args)
            .toInt();
    }

    std::optional<Heartbeat> heartbeat() const
    {
        const auto bytes = JsonSettingsStore(config + "/Quenby/settings.json")
                               .dataValue(MacWorkStore::heartbeatKey);
        return bytes ? decodeHeartbeat(*bytes) : std::nullopt;
    }

    QByteArray readData(const QString &name) const { return readFile(data + "/Quenby/" + name); }

private slots:
    void initTestCase()
    {
        QVERIFY(TestMounts::hideInputDevices());
        for (const QString &folder : {data, config})
            QVERIFY(QDir().mkpath(folder) && TestMounts::mountTmpfs(folder, 512 * 1024));
        QString error;
        QVERIFY2(x.start(&error), qPrintable(error));
        QVERIFY2(session.start(PrivateBus::Kind::session, &error), qPrintable(error));
        QVERIFY2(system.start(PrivateBus::Kind::system, &error), qPrintable(error));
        QVERIFY2(logind.start(system.address(), {"login1"}, &error), qPrintable(error));
        sessionBus = session.connect("test");
        controlBus = system.connect("control");
        QVERIFY(skipWelcome(config));
        env = tocklyEnvironment(QProcessEnvironment::systemEnvironment(), dir.filePath("home"),
                                session.address());
        env.insert("DISPLAY", x.display());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", system.address());
        env.insert("QUENBY_DATA_DIR", data);
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("TZ", "UTC");
        env.insert("QUENBY_UPDATE_FEED", "http://127.0.0.1:9/");
        fakeWallClock(env, faketime);
    }

    void cleanupTestCase()
    {
        for (const QString &folder : {data, config})
            TestMounts::unmount(folder);
    }

    void everyRecordedSecondIsAccountedFor()
    {
        QVERIFY(setClockOffset(faketime, 0));
        QProcess app;
        QVERIFY(startTockly(app, env, sessionBus));
        const Instant started = instantFromUnixMSecs(QDateTime::currentMSecsSinceEpoch());
        // Long enough for the heartbeat to hold a stretch that counts.
        QVERIFY(type(38));
        // Both folders turn read-only; then the data folder comes back, full.
        QVERIFY(TestMounts::makeReadOnly(config) && TestMounts::makeReadOnly(data));
        QVERIFY(type(4));
        QVERIFY(TestMounts::unmount(data));
        QVERIFY(TestMounts::fillUp(data + "/filler"));
        QVERIFY(type(4));

        // Set back an hour: the segment so far is closed at the tick before, and can be
        // written nowhere.
        const Instant setBack = instantFromUnixMSecs(QDateTime::currentMSecsSinceEpoch());
        QVERIFY(setClockOffset(faketime, -3600));
        QVERIFY(type(3));

        // An hour asleep. The will-sleep work is done once the delay lock is let go.
        const int typedBeforeSleep = typed;
        QCOMPARE(logindCall("InhibitorsHeld"), 1);
        logindCall("EmitPrepareForSleep", {true});
        QTRY_COMPARE_WITH_TIMEOUT(logindCall("InhibitorsHeld"), 0, 10000);
        ::kill(pid_t(app.processId()), SIGSTOP);
        QVERIFY(setClockOffset(faketime, 0));
        QVERIFY(QFile::remove(data + "/filler"));
        QTest::qWait(1000);
        ::kill(pid_t(app.processId()), SIGCONT);
        logindCall("EmitPrepareForSleep", {false});
        QTRY_COMPARE_WITH_TIMEOUT(logindCall("InhibitorsHeld"), 1, 10000);
        QVERIFY(type(3));
        // Forward a day, then a crash, with the settings still unwritable.
        QVERIFY(setClockOffset(faketime, 86400));
        QVERIFY(type(3));
        app.kill();
        QVERIFY(app.waitForFinished(10000));

        // The next start finds the heartbeat that could not be cleared: a stretch that is
        // already on record.
        QVERIFY(TestMounts::unmount(config));
        const auto staleBeat = heartbeat();
        QVERIFY(staleBeat && staleBeat->segmentStart &&
                staleBeat->lastTick - *staleBeat->segmentStart >= MacWorkStore::minSegment);
        QProcess again;
        QVERIFY(startTockly(again, env, sessionBus));
        QTRY_VERIFY_WITH_TIMEOUT(
            heartbeat().value_or(*staleBeat).segmentStart != staleBeat->segmentStart, 10000);
        again.terminate();
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 0);

        // One stretch: the typing before the clock was set back, whole but for a tick at
        // either end. Nothing of the hour before it, of the sleep or of the day after.
        const auto entries = decodeEntries(readData("entries.json"));
        QVERIFY(entries);
        QCOMPARE(entries->size(), 1);
        const WorkEntry &e = entries->first();
        QCOMPARE(e.date, *staleBeat->segmentStart);
        QVERIFY2(e.date >= started - 2 && e.date <= started + 8,
                 qPrintable(QString::number(e.date - started)));
        QVERIFY2(e.date + e.seconds <= setBack + 1 && e.date + e.seconds >= setBack - 8,
                 qPrintable(QString::number(e.date + e.seconds - setBack)));
        // Recorded by its close, not replayed from the heartbeat.
        QVERIFY(e.date + e.seconds > staleBeat->lastTick + 1);

        // Every key up to the sleep was written once the disk had room again; a crash may
        // lose the last minute's.
        const auto activity = decodeActivity(readData("activity.json"));
        QVERIFY(activity);
        qint64 keys = 0;
        for (const DayActivity &day : *activity)
            keys += day.keys;
        QVERIFY2(keys >= typedBeforeSleep - 8 && keys <= typed,
                 qPrintable(QStringLiteral("%1 of %2").arg(keys).arg(typed)));
        QVERIFY(!JsonSettingsStore(config + "/Quenby/settings.json").unreadable());
        // No copy of an undecodable file, no temporary file left by a failed write.
        QStringList files = QDir(data + "/Quenby").entryList(QDir::Files | QDir::Hidden);
        files.removeAll("tockly.lock");
        QCOMPARE(files, (QStringList{"activity.json", "entries.json"}));
    }
};

QTEST_GUILESS_MAIN(TestFaultRun)
#include "tst_faultrun.moc"
