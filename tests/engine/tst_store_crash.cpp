// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayActivity.h"
#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "TestFiles.h"
#include "TestMounts.h"
#include "TestTime.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

// The store in a real process on real files: stopped hard (SIGKILL) or by a termination signal in
// the middle of a work segment, then started again; and with the system's zone changed under it.
namespace {

// The harness (store_harness.cpp) on the test's folders, in the zone of this process's TZ. Its
// clock and timer are set by its arguments: every instant is known, so nothing depends on how
// fast a loaded machine runs either process. Every wait allows a minute: it is there for a crash,
// not for timing.
struct Harness {
    Harness(const QTemporaryDir &dir, Instant at, const QStringList &steps = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUENBY_DATA_DIR", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(HARNESS_PATH),
                      QStringList{"--at", QString::number(at, 'f', 3)} + steps);
    }
    ~Harness()
    {
        process.kill();
        process.waitForFinished(60000);
    }
    bool waitFor(const QByteArray &line)
    {
        for (QDeadlineTimer deadline(60000); !deadline.hasExpired();) {
            while (process.canReadLine())
                if (process.readLine() == line + '\n')
                    return true;
            if (process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(100);
        }
        return false;
    }
    // A termination signal ends the harness cleanly, as it ends the application.
    void stop(int signal)
    {
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 signal != SIGKILL);
    }

    QProcess process;
};

// The keys "--type" has pressed `seconds` after its start: two a second before each tick.
int typedBy(double seconds)
{
    return 2 * (int(seconds + 1) / 5);
}

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "Europe/Berlin");
        qputenv("ASAN_OPTIONS", "detect_leaks=0");
    }

    void stoppedMidSegment()
    {
        // SIGTERM ends every later start below.
        for (const int signal : {SIGKILL, SIGHUP}) {
            QTemporaryDir dir;
            const QString data = dir.filePath("data/Quenby/");
            auto heartbeat = [&] {
                return decodeHeartbeat(
                    JsonSettingsStore(dir.filePath("config/Quenby/settings.json"))
                        .dataValue(MacWorkStore::heartbeatKey)
                        .value_or(QByteArray()));
            };
            const Instant start = localInstant(QTimeZone("Europe/Berlin"), "2026-03-10 10:00");
            // Stopped between two ticks, after keys no tick has sampled yet.
            Harness h(dir, start, {"--type", "120", "--key", "3"});
            QVERIFY(h.waitFor("ready"));
            const Instant lastTick = start + 120;
            const Instant firstKey = start + 4;
            const int sampled = typedBy(120);
            const int savedAMinuteAgo = typedBy(120 - MacWorkStore::activitySaveInterval);

            // A second process, even asked to wipe the record, is refused and touches nothing
            // (the checks of the heartbeat and the activity below).
            Harness second(dir, lastTick, {"-quenbyReset"});
            QVERIFY(second.process.waitForFinished(60000));
            QCOMPARE(second.process.exitCode(), 1);
            const QByteArray message = second.process.readAllStandardError();
            QVERIFY2(message.contains("will not track") &&
                         message.contains(data.chopped(1).toUtf8()),
                     message.constData());

            h.stop(signal);

            // Either way the open segment is left in the heartbeat, up to the last tick, and not
            // yet recorded.
            QCOMPARE(heartbeat(), (Heartbeat{firstKey, lastTick}));

            // Activity counts: at most a minute lost after a hard stop; none of what was sampled
            // after a termination signal. Never more than was typed.
            const auto activity = decodeActivity(readFile(data + "activity.json"));
            QVERIFY(activity);
            const qint64 keys = activity->value("2026-03-10").keys;
            QVERIFY2(keys >= (signal == SIGKILL ? savedAMinuteAgo : sampled) && keys <= sampled,
                     qPrintable(QStringLiteral("%1 keys, signal %2").arg(keys).arg(signal)));

            // The next start records the segment once, up to the heartbeat; the one after adds
            // nothing.
            for (int run = 0; run < 2; ++run) {
                Harness next(dir, lastTick + 120 + run);
                QVERIFY(next.waitFor("ready"));
                next.stop(SIGTERM);
                const auto entries = decodeEntries(readFile(data + "entries.json"));
                QVERIFY(entries && entries->size() == 1);
                QCOMPARE(entries->first().date, firstKey);
                QCOMPARE(entries->first().seconds, lastTick - firstKey);
                QCOMPARE(heartbeat()->segmentStart, std::nullopt);
                QCOMPARE(decodeActivity(readFile(data + "activity.json")), activity);
            }
        }
    }

    // The zone changes the way a desktop's time settings change it: /etc/localtime re-pointed, here
    // in a copy of /etc bound over the real one in this test's own mount namespace. The keys typed
    // before go to the day of the old zone, those after to the day of the new one, and the segment
    // open across the change is split at the new zone's midnights only: 23:58 to 00:01 UTC is 08:58
    // to 09:01 in Tokyo.
    void followsTheSystemZone()
    {
        QTemporaryDir dir;
        const QString etc = dir.filePath("etc");
        QCOMPARE(QProcess::execute("cp", {"-a", "/etc", etc}), 0);
        QVERIFY(TestMounts::enterPrivateNamespace());
        QVERIFY(TestMounts::bind(etc, "/etc"));
        auto unbind = qScopeGuard([] { TestMounts::unmount("/etc"); });
        auto pointTo = [&](const QByteArray &zone) {
            // As the time settings do it: a new link renamed over the old one, never a missing
            // file.
            const QByteArray link = QFile::encodeName(etc + "/localtime");
            QFile::remove(QString::fromLocal8Bit(link + ".new"));
            return ::symlink("/usr/share/zoneinfo/" + zone, link + ".new") == 0 &&
                   ::rename(link + ".new", link) == 0;
        };
        QVERIFY(pointTo("Etc/UTC"));
        qunsetenv("TZ");
        const Instant start = utcInstant("2026-03-10 23:58:00");
        const double after = utcInstant("2026-03-11 00:01:00") - start - 20;
        Harness h(dir, start,
                  {"--type", "20", "--wait", "--type", QString::number(after), "--tick", "35"});
        QVERIFY(h.waitFor("waiting"));
        QVERIFY(pointTo("Asia/Tokyo"));
        h.process.write("\n");
        // Idle at the last tick: the segment closes at the last key and is written.
        QVERIFY(h.waitFor("ready"));
        h.stop(SIGTERM);

        const QString data = dir.filePath("data/Quenby/");
        const auto entries = decodeEntries(readFile(data + "entries.json"));
        QVERIFY(entries && entries->size() == 1);
        QCOMPARE(entries->first().date, start + 4);
        QCOMPARE(entries->first().date + entries->first().seconds, start + 20 + after - 1);
        const auto activity = decodeActivity(readFile(data + "activity.json"));
        QVERIFY(activity && activity->size() == 2);
        QCOMPARE(activity->value("2026-03-10").keys, typedBy(20));
        QCOMPARE(activity->value("2026-03-11").keys, typedBy(after));
    }
};

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_store_crash.moc"
