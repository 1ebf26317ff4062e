#include "DayActivity.h"
#include "Heartbeat.h"
#include "MacWorkStore.h"
#include "TestMounts.h"
#include "TestTime.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QDeadlineTimer>
#include <QDir>
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

const QString today = QStringLiteral("2026-03-10");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The harness process, its clock set and its timer fired by the test: every instant is known, so
// nothing depends on how fast a loaded machine runs either process.
class Harness {
public:
    enum class Zone { berlin, system };
    Harness(const QTemporaryDir &dir, Instant at, QStringList extra = {}, Zone zone = Zone::berlin)
        : now(at)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUENBY_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        if (zone == Zone::berlin)
            env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
        else
            env.remove(QStringLiteral("TZ"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(HARNESS_PATH),
                      QStringList{QStringLiteral("--at"), QString::number(at, 'f', 3)} + extra);
    }
    ~Harness()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // Reads what the harness printed until a line starting with `word` (and `value`, when given)
    // came. The minute allowed is for a crash, not for timing: a live harness answers at once.
    bool waitFor(const QByteArray &word, const QByteArray &value = {})
    {
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            output += process.readAllStandardOutput();
            qsizetype end;
            while ((end = output.indexOf('\n')) >= 0) {
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
    void setClock(Instant t)
    {
        now = t;
        send("at " + QByteArray::number(t, 'f', 3));
    }
    // The store's timer fires `seconds` on; true once the store has handled that tick.
    bool tick(double seconds)
    {
        setClock(now + seconds);
        send("tick");
        return waitFor("tick", QByteArray::number(now, 'f', 3));
    }
    // Two keys a second before each 5-second tick, for `seconds`.
    bool type(double seconds)
    {
        for (double done = 0; done + 5 <= seconds; done += 5) {
            setClock(now + 4);
            send("key 2");
            typed.append({now, 2});
            if (!tick(1))
                return false;
        }
        return true;
    }
    // Keys typed up to `t`.
    int typedBefore(Instant t) const
    {
        int n = 0;
        for (const auto &[at, count] : typed)
            n += at <= t ? count : 0;
        return n;
    }
    void stop(int signal)
    {
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(60000));
    }

    QProcess process;
    QByteArray output;
    Instant now;
    QList<QPair<Instant, int>> typed;
};

} // namespace

class TestStoreCrash : public QObject {
    Q_OBJECT
private slots:
    void stoppedMidSegment_data();
    void stoppedMidSegment();
    void secondProcessIsRefused();
    void followsTheSystemZone();

private:
    static std::optional<Heartbeat> heartbeat(const QTemporaryDir &dir)
    {
        JsonSettingsStore settings(dir.filePath(QStringLiteral("config/Quenby/settings.json")));
        const auto data = settings.dataValue(QStringLiteral("quenby.mac.heartbeat.v1"));
        return data ? decodeHeartbeat(*data) : std::nullopt;
    }
};

void TestStoreCrash::stoppedMidSegment_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGKILL") << int(SIGKILL);
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestStoreCrash::stoppedMidSegment()
{
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data/Quenby/"));
    const Instant base = localInstant(QTimeZone("Europe/Berlin"), "2026-03-10 10:00");
    Instant lastTick = 0;
    Instant firstKey = 0;
    int typed = 0;
    int sampled = 0;
    int savedAMinuteAgo = 0;
    {
        Harness h(dir, base);
        QVERIFY(h.waitFor("ready"));
        QVERIFY(h.type(120));
        lastTick = h.now;
        firstKey = h.typed.first().first;
        sampled = h.typedBefore(lastTick);
        savedAMinuteAgo = h.typedBefore(lastTick - MacWorkStore::activitySaveInterval);
        // Stopped between two ticks, after keys no tick has sampled yet.
        h.setClock(lastTick + 3);
        h.send("key 2");
        h.typed.append({h.now, 2});
        typed = h.typedBefore(h.now);
        QVERIFY(h.process.waitForBytesWritten());
        h.stop(signal);
        if (signal == SIGKILL) {
            QCOMPARE(h.process.exitStatus(), QProcess::CrashExit);
        } else {
            QCOMPARE(h.process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(h.process.exitCode(), 0);
        }
    }
    // Either way the open segment is left in the heartbeat, up to the last tick.
    const auto beat = heartbeat(dir);
    QVERIFY(beat);
    QCOMPARE(beat->segmentStart, firstKey);
    QCOMPARE(beat->lastTick, lastTick);
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("entries.json")) ||
            decodeEntries(readAll(data + QStringLiteral("entries.json")))->isEmpty());

    // Activity counts: at most a minute lost after a hard stop; none of what was sampled after
    // a termination signal. Never more than was typed.
    const auto activity = decodeActivity(readAll(data + QStringLiteral("activity.json")));
    QVERIFY(activity);
    const qint64 keys = activity->value(today).keys;
    QVERIFY(keys < typed);
    if (signal == SIGKILL)
        QVERIFY2(keys >= savedAMinuteAgo && keys <= sampled, qPrintable(QString::number(keys)));
    else
        QCOMPARE(keys, sampled);

    // The next start, two minutes later, records the segment once, up to the heartbeat; the one
    // after adds nothing.
    for (int run = 0; run < 2; ++run) {
        Harness h(dir, lastTick + 120 + run);
        QVERIFY(h.waitFor("ready"));
        h.stop(SIGTERM);
        QCOMPARE(h.process.exitCode(), 0);
        const auto entries = decodeEntries(readAll(data + QStringLiteral("entries.json")));
        QVERIFY(entries);
        QCOMPARE(entries->size(), 1);
        QCOMPARE(entries->first().date, firstKey);
        QCOMPARE(entries->first().seconds, lastTick - firstKey);
        QCOMPARE(heartbeat(dir)->segmentStart, std::nullopt);
        QCOMPARE(decodeActivity(readAll(data + QStringLiteral("activity.json")))->value(today).keys,
                 keys);
    }
}

void TestStoreCrash::secondProcessIsRefused()
{
    QTemporaryDir dir;
    const Instant at = localInstant(QTimeZone("Europe/Berlin"), "2026-03-10 10:00");
    Harness first(dir, at);
    QVERIFY(first.waitFor("ready"));
    const QString settings = dir.filePath(QStringLiteral("config/Quenby/settings.json"));
    const QByteArray settingsBefore = readAll(settings);
    QVERIFY(!settingsBefore.isEmpty());

    Harness second(dir, at, {QStringLiteral("-quenbyReset")});
    QVERIFY(second.process.waitForFinished(10000));
    QCOMPARE(second.process.exitCode(), 1);
    const QByteArray message = second.process.readAllStandardError();
    QVERIFY2(message.contains("will not track"), message.constData());
    QVERIFY(message.contains(
        QDir::toNativeSeparators(dir.filePath(QStringLiteral("data/Quenby"))).toUtf8()));
    QVERIFY(!second.process.readAllStandardOutput().contains("ready"));
    QCOMPARE(readAll(settings), settingsBefore);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("data/Quenby/entries.json"))));
    QVERIFY(first.process.state() == QProcess::Running);
}

// The zone changes the way a desktop's time settings change it: /etc/localtime re-pointed, here
// in a copy of /etc bound over the real one in this test's own mount namespace. The keys typed
// before go to the day of the old zone, those after to the day of the new one, and the segment open
// across the change is split at the new zone's midnights only: 23:58 to 00:01 UTC is 08:58 to 09:01
// in Tokyo.
void TestStoreCrash::followsTheSystemZone()
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
        // As the time settings do it: a new link renamed over the old one, never a missing file.
        const QByteArray link = QFile::encodeName(etc + QStringLiteral("/localtime"));
        QFile::remove(QString::fromLocal8Bit(link + ".new"));
        return ::symlink("/usr/share/zoneinfo/" + zone, link + ".new") == 0 &&
               ::rename(link + ".new", link) == 0;
    };
    QVERIFY(pointTo("Etc/UTC"));
    Harness h(dir, utcInstant("2026-03-10 23:58:00"), {}, Harness::Zone::system);
    QVERIFY(h.waitFor("ready"));
    QVERIFY(h.type(20));
    const int before = h.typedBefore(h.now);
    QVERIFY(pointTo("Asia/Tokyo"));
    QVERIFY(h.type(utcInstant("2026-03-11 00:01:00") - h.now));
    const int after = h.typedBefore(h.now) - before;
    const Instant lastKey = h.typed.last().first;
    // Idle: the segment closes at the last key and is written.
    QVERIFY(h.tick(35));
    h.stop(SIGTERM);

    const auto entries =
        decodeEntries(readAll(dir.filePath(QStringLiteral("data/Quenby/entries.json"))));
    QVERIFY(entries);
    QCOMPARE(entries->size(), 1);
    QCOMPARE(entries->first().date, h.typed.first().first);
    QCOMPARE(entries->first().date + entries->first().seconds, lastKey);
    const auto activity =
        decodeActivity(readAll(dir.filePath(QStringLiteral("data/Quenby/activity.json"))));
    QVERIFY(activity);
    QCOMPARE(activity->value(QStringLiteral("2026-03-10")).keys, before);
    QCOMPARE(activity->value(QStringLiteral("2026-03-11")).keys, after);
    QCOMPARE(activity->size(), 2);
}

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_store_crash.moc"
