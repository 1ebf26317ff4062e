#include "DayActivity.h"
#include "DesktopTestEnvironment.h"
#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "TestMounts.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QDBusConnectionInterface>
#include <QDir>
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
    QString data, config;
    int typed = 0;

    QString home(const QString &name) const { return dir.filePath(QStringLiteral("home/") + name); }

    // The wall clock the application sees: the real one moved by `seconds`.
    void setClockOffset(qint64 seconds)
    {
        QFile f(dir.filePath(QStringLiteral("faketime")));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write((seconds < 0 ? "" : "+") + QByteArray::number(seconds) + '\n');
    }

    void startApp(QProcess &app)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), x.display());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session.address());
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), system.address());
        env.insert(QStringLiteral("QUENBY_DATA_DIR"), data);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        env.insert(QStringLiteral("QUENBY_UPDATE_FEED"), QStringLiteral("http://127.0.0.1:9/"));
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TOCKLY_FAKETIME_LIBRARY));
        env.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"),
                   dir.filePath(QStringLiteral("faketime")));
        env.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        // Timers and input times run on the real monotonic and boot clocks, as they do when
        // someone sets the clock.
        env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   QStringLiteral("detect_leaks=0:verify_asan_link_order=0"));
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(QStringLiteral(TOCKLY_BINARY), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(
            sessionBus.interface()->isServiceRegistered(QStringLiteral("org.quenby.Tockly")),
            20000);
    }

    // A key every quarter second for `seconds`.
    bool type(int seconds)
    {
        for (int done = 0; done < seconds; done += 5) {
            const int keys = 4 * std::min(5, seconds - done);
            if (!x.xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"),
                                       QStringLiteral("250")} +
                           QStringList(keys, QStringLiteral("x"))))
                return false;
            typed += keys;
        }
        return true;
    }

    int logindCall(const QString &method, const QVariantList &args = {})
    {
        auto call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/Control"),
            QStringLiteral("org.quenby.test.FakeDesktop"), method);
        call.setArguments(args);
        return controlBus.call(call).arguments().value(0).toInt();
    }

    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TestMounts::enterPrivateNamespace());
        // Input devices readable here would be counted instead of the X server's input.
        if (QFileInfo::exists(QStringLiteral("/dev/input")))
            QVERIFY(TestMounts::mountTmpfs(QStringLiteral("/dev/input"), 4096));
        data = home(QStringLiteral("data"));
        config = home(QStringLiteral("config"));
        for (const QString &folder : {data, config})
            QVERIFY(QDir().mkpath(folder) && TestMounts::mountTmpfs(folder, 512 * 1024));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("run"))));
        QFile::setPermissions(dir.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QString error;
        QVERIFY2(x.start(&error), qPrintable(error));
        QVERIFY2(session.start(PrivateBus::Kind::session, &error), qPrintable(error));
        QVERIFY2(system.start(PrivateBus::Kind::system, &error), qPrintable(error));
        QVERIFY2(logind.start(system.address(), {QStringLiteral("login1")}, &error),
                 qPrintable(error));
        sessionBus = session.connect(QStringLiteral("test"));
        controlBus = system.connect(QStringLiteral("control"));
        // Past the welcome, as on any day but the first.
        QVERIFY(JsonSettingsStore(config + QStringLiteral("/Quenby/settings.json"))
                    .setValue(QStringLiteral("quenby.mac.welcomed.v1"), true));
    }

    void cleanupTestCase()
    {
        for (const QString &folder : {data, config})
            TestMounts::unmount(folder);
    }

    void everyRecordedSecondIsAccountedFor()
    {
        setClockOffset(0);
        QProcess app;
        startApp(app);
        const Instant started = instantFromUnixMSecs(QDateTime::currentMSecsSinceEpoch());
        // Long enough for the heartbeat to hold a stretch that counts.
        QVERIFY(type(38));
        // Both folders turn read-only; then the data folder comes back, full.
        QVERIFY(TestMounts::makeReadOnly(config) && TestMounts::makeReadOnly(data));
        QVERIFY(type(4));
        QVERIFY(TestMounts::unmount(data));
        QVERIFY(TestMounts::fillUp(data + QStringLiteral("/filler")));
        QVERIFY(type(4));

        // Set back an hour: the segment so far is closed at the tick before, and can be
        // written nowhere.
        const Instant setBack = instantFromUnixMSecs(QDateTime::currentMSecsSinceEpoch());
        setClockOffset(-3600);
        QVERIFY(type(3));

        // An hour asleep. The will-sleep work is done once the delay lock is let go.
        const int typedBeforeSleep = typed;
        QCOMPARE(logindCall(QStringLiteral("InhibitorsHeld")), 1);
        logindCall(QStringLiteral("EmitPrepareForSleep"), {true});
        QTRY_COMPARE_WITH_TIMEOUT(logindCall(QStringLiteral("InhibitorsHeld")), 0, 10000);
        ::kill(pid_t(app.processId()), SIGSTOP);
        setClockOffset(0);
        QVERIFY(QFile::remove(data + QStringLiteral("/filler")));
        QTest::qWait(1000);
        ::kill(pid_t(app.processId()), SIGCONT);
        logindCall(QStringLiteral("EmitPrepareForSleep"), {false});
        QTRY_COMPARE_WITH_TIMEOUT(logindCall(QStringLiteral("InhibitorsHeld")), 1, 10000);
        QVERIFY(type(3));
        // Forward a day, then a crash, with the settings still unwritable.
        setClockOffset(86400);
        QVERIFY(type(3));
        app.kill();
        QVERIFY(app.waitForFinished(10000));

        // The next start finds the heartbeat that could not be cleared: a stretch that is
        // already on record.
        QVERIFY(TestMounts::unmount(config));
        const auto staleBeat =
            decodeHeartbeat(*JsonSettingsStore(config + QStringLiteral("/Quenby/settings.json"))
                                 .dataValue(MacWorkStore::heartbeatKey));
        QVERIFY(staleBeat && staleBeat->segmentStart &&
                staleBeat->lastTick - *staleBeat->segmentStart >= MacWorkStore::minSegment);
        QProcess again;
        startApp(again);
        QTRY_VERIFY_WITH_TIMEOUT(
            decodeHeartbeat(*JsonSettingsStore(config + QStringLiteral("/Quenby/settings.json"))
                                 .dataValue(MacWorkStore::heartbeatKey))
                    ->segmentStart != staleBeat->segmentStart,
            10000);
        again.terminate();
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 0);

        // One stretch: the typing before the clock was set back, whole but for a tick at
        // either end. Nothing of the hour before it, of the sleep or of the day after.
        const QString folder = data + QStringLiteral("/Quenby/");
        const auto entries = decodeEntries(readAll(folder + QStringLiteral("entries.json")));
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
        const auto activity = decodeActivity(readAll(folder + QStringLiteral("activity.json")));
        QVERIFY(activity);
        qint64 keys = 0;
        for (const DayActivity &day : *activity)
            keys += day.keys;
        QVERIFY2(keys >= typedBeforeSleep - 8 && keys <= typed,
                 qPrintable(QStringLiteral("%1 of %2").arg(keys).arg(typed)));
        QVERIFY(!JsonSettingsStore(config + QStringLiteral("/Quenby/settings.json")).unreadable());
        // No copy of an undecodable file, no temporary file left by a failed write.
        QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        files.removeAll(QStringLiteral("tockly.lock"));
        QCOMPARE(files,
                 (QStringList{QStringLiteral("activity.json"), QStringLiteral("entries.json")}));
    }
};

QTEST_GUILESS_MAIN(TestFaultRun)
#include "tst_faultrun.moc"
