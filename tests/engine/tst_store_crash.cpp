#include "DayActivity.h"
#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "TestMounts.h"
#include "TestTime.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

// The store in a real process on real files: stopped hard (SIGKILL) or by a termination signal in
// the middle of a work segment, then started again; and with the system's zone changed under it.
namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The harness process, its clock set and its timer fired by the test: every instant is known, so
// nothing depends on how fast a loaded machine runs either process. Every wait allows a minute:
// it is there for a crash, not for timing.
class Harness {
public:
    Harness(const QTemporaryDir &dir, Instant at, QStringList extra = {}, bool berlin = true)
        : now(at)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUENBY_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.remove(QStringLiteral("TZ"));
        if (berlin)
            env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(HARNESS_PATH),
                      QStringList{QStringLiteral("--at"), QString::number(at, 'f', 3)} + extra);
    }
    ~Harness()
    {
        process.kill();
        process.waitForFinished(60000);
    }

    // Reads what the harness printed until the line "`word` `value`" (or just `word`) came.
    bool waitFor(const QByteArray &word, const QByteArray &value = {})
    {
        for (QDeadlineTimer deadline(60000); !deadline.hasExpired();) {
            output += process.readAllStandardOutput();
            for (qsizetype end; (end = output.indexOf('\n')) >= 0;) {
                const QList<QByteArray> words = output.left(end).split(' ');
                output.remove(0, end + 1);
                if (words[0] == word && (value.isEmpty() || words.value(1) == value))
                    return true;
            }
            if (process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(100);
        }
        return false;
    }
    void send(const QByteArray &line) { process.write(line + '\n'); }
    void key(double after)
    {
        now += after;
        send("at " + QByteArray::number(now, 'f', 3) + "\nkey 2");
        keys.append(now);
    }
    // The store's timer fires `seconds` on; true once the store has handled that tick.
    bool tick(double seconds)
    {
        now += seconds;
        send("at " + QByteArray::number(now, 'f', 3) + "\ntick");
        return waitFor("tick", QByteArray::number(now, 'f', 3));
    }
    // Two keys a second before each 5-second tick, for `seconds`.
    bool type(double seconds)
    {
        for (double done = 0; done + 5 <= seconds; done += 5) {
            key(4);
            if (!tick(1))
                return false;
        }
        return true;
    }
    int typedBefore(Instant t) const
    {
        return 2 *
               int(std::count_if(keys.cbegin(), keys.cend(), [t](Instant k) { return k <= t; }));
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
    QByteArray output;
    Instant now;
    QList<Instant> keys; // two keys at each
};

std::optional<Heartbeat> heartbeat(const QTemporaryDir &dir)
{
    JsonSettingsStore settings(dir.filePath(QStringLiteral("config/Quenby/settings.json")));
    const auto data = settings.dataValue(MacWorkStore::heartbeatKey);
    return data ? decodeHeartbeat(*data) : std::nullopt;
}

const Instant tenAM = localInstant(QTimeZone("Europe/Berlin"), "2026-03-10 10:00");

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT

private slots:
    void stoppedMidSegment_data()
    {
        QTest::addColumn<int>("signal");
        // SIGTERM ends every later start below.
        QTest::newRow("SIGKILL") << int(SIGKILL);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void stoppedMidSegment()
    {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data/Quenby/"));
        Harness h(dir, tenAM);
        QVERIFY(h.waitFor("ready"));
        QVERIFY(h.type(120));
        const Instant lastTick = h.now;
        const Instant firstKey = h.keys.first();
        const int sampled = h.typedBefore(lastTick);
        const int savedAMinuteAgo = h.typedBefore(lastTick - MacWorkStore::activitySaveInterval);
        // Stopped between two ticks, after keys no tick has sampled yet.
        h.key(3);
        QVERIFY(h.process.waitForBytesWritten());
        h.stop(signal);

        // Either way the open segment is left in the heartbeat, up to the last tick.
        QCOMPARE(heartbeat(dir), (Heartbeat{firstKey, lastTick}));
        QVERIFY(decodeEntries(readAll(data + QStringLiteral("entries.json")))
                    .value_or(QList<WorkEntry>())
                    .isEmpty());

        // Activity counts: at most a minute lost after a hard stop; none of what was sampled after
        // a termination signal. Never more than was typed.
        const auto activity = decodeActivity(readAll(data + QStringLiteral("activity.json")));
        QVERIFY(activity);
        const qint64 keys = activity->value(QStringLiteral("2026-03-10")).keys;
        if (signal == SIGKILL)
            QVERIFY2(keys >= savedAMinuteAgo && keys <= sampled, qPrintable(QString::number(keys)));
        else
            QCOMPARE(keys, sampled);

        // The next start records the segment once, up to the heartbeat; the one after adds nothing.
        for (int run = 0; run < 2; ++run) {
            Harness next(dir, lastTick + 120 + run);
            QVERIFY(next.waitFor("ready"));
            next.stop(SIGTERM);
            const auto entries = decodeEntries(readAll(data + QStringLiteral("entries.json")));
            QVERIFY(entries && entries->size() == 1);
            QCOMPARE(entries->first().date, firstKey);
            QCOMPARE(entries->first().seconds, lastTick - firstKey);
            QCOMPARE(heartbeat(dir)->segmentStart, std::nullopt);
            QCOMPARE(decodeActivity(readAll(data + QStringLiteral("activity.json"))), activity);
        }
    }

    void secondProcessIsRefused()
    {
        QTemporaryDir dir;
        Harness first(dir, tenAM);
        QVERIFY(first.waitFor("ready"));
        const QString settings = dir.filePath(QStringLiteral("config/Quenby/settings.json"));
        const QByteArray settingsBefore = readAll(settings);
        // Even asked to wipe the record, a second process touches nothing.
        Harness second(dir, tenAM, {QStringLiteral("-quenbyReset")});
        QVERIFY(second.process.waitForFinished(60000));
        QCOMPARE(second.process.exitCode(), 1);
        const QByteArray message = second.process.readAllStandardError();
        QVERIFY2(message.contains("will not track") &&
                     message.contains(dir.filePath(QStringLiteral("data/Quenby")).toUtf8()),
                 message.constData());
        QCOMPARE(readAll(settings), settingsBefore);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("data/Quenby/entries.json"))));
    }

    // The zone changes the way a desktop's time settings change it: /etc/localtime re-pointed, here
    // in a copy of /etc bound over the real one in this test's own mount namespace. The keys typed
    // before go to the day of the old zone, those after to the day of the new one, and the segment
    // open across the change is split at the new zone's midnights only: 23:58 to 00:01 UTC is 08:58
    // to 09:01 in Tokyo.
    void followsTheSystemZone()
    {
        QTemporaryDir dir;
        const QString etc = dir.filePath(QStringLiteral("etc"));
        QCOMPARE(QProcess::execute(QStringLiteral("cp"),
                                   {QStringLiteral("-a"), QStringLiteral("/etc"), etc}),
                 0);
        QVERIFY(TestMounts::enterPrivateNamespace());
        QVERIFY(TestMounts::bind(etc, QStringLiteral("/etc")));
        auto unbind = qScopeGuard([] { TestMounts::unmount(QStringLiteral("/etc")); });
        auto pointTo = [&](const QByteArray &zone) {
            // As the time settings do it: a new link renamed over the old one, never a missing
            // file.
            const QByteArray link = QFile::encodeName(etc + QStringLiteral("/localtime"));
            QFile::remove(QString::fromLocal8Bit(link + ".new"));
            return ::symlink("/usr/share/zoneinfo/" + zone, link + ".new") == 0 &&
                   ::rename(link + ".new", link) == 0;
        };
        QVERIFY(pointTo("Etc/UTC"));
        Harness h(dir, utcInstant("2026-03-10 23:58:00"), {}, false);
        QVERIFY(h.waitFor("ready"));
        QVERIFY(h.type(20));
        const int before = h.typedBefore(h.now);
        QVERIFY(pointTo("Asia/Tokyo"));
        QVERIFY(h.type(utcInstant("2026-03-11 00:01:00") - h.now));
        // Idle: the segment closes at the last key and is written.
        QVERIFY(h.tick(35));
        h.stop(SIGTERM);

        const auto entries =
            decodeEntries(readAll(dir.filePath(QStringLiteral("data/Quenby/entries.json"))));
        QVERIFY(entries && entries->size() == 1);
        QCOMPARE(entries->first().date, h.keys.first());
        QCOMPARE(entries->first().date + entries->first().seconds, h.keys.last());
        const auto activity =
            decodeActivity(readAll(dir.filePath(QStringLiteral("data/Quenby/activity.json"))));
        QVERIFY(activity && activity->size() == 2);
        QCOMPARE(activity->value(QStringLiteral("2026-03-10")).keys, before);
        QCOMPARE(activity->value(QStringLiteral("2026-03-11")).keys, h.typedBefore(h.now) - before);
    }
};

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_store_crash.moc"
