#include "DayActivity.h"
#include "Heartbeat.h"
#include "TestMounts.h"
#include "TestTime.h"
#include "WorkEntry.h"
#include "linux/JsonSettingsStore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <unistd.h>

// The store in a real process on real files: stopped hard (SIGKILL) or by a termination signal in
// the middle of a work segment, then started again; and with the system's zone changed under it.
namespace {

const QTimeZone berlin("Europe/Berlin");
const QString today = QStringLiteral("2026-03-10");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Timeline {
    Instant base = localInstant(berlin, "2026-03-10 10:00");
    double speed = 8; // simulated seconds per real second
    qint64 wall = QDateTime::currentMSecsSinceEpoch();
    Instant now() const
    {
        return base + speed * double(QDateTime::currentMSecsSinceEpoch() - wall) / 1000;
    }
};

class Harness {
public:
    enum class Zone { berlin, system };
    Harness(const QTemporaryDir &dir, const Timeline &timeline, QStringList extra = {},
            Zone zone = Zone::berlin)
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
                      QStringList{QStringLiteral("--base"), QString::number(timeline.base, 'f', 3),
                                  QStringLiteral("--wall"), QString::number(timeline.wall),
                                  QStringLiteral("--speed"), QString::number(timeline.speed)} +
                          extra);
    }
    ~Harness()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }

    // Reads what the harness printed; true once a line starting with `word` came.
    bool waitFor(const char *word, int ms = 10000)
    {
        QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            collect();
            if (seen.contains(word))
                return true;
            if (process.state() == QProcess::NotRunning)
                return false;
            process.waitForReadyRead(50);
        }
        return false;
    }
    void collect()
    {
        output += process.readAllStandardOutput();
        qsizetype end;
        while ((end = output.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = output.left(end).split(' ');
            output.remove(0, end + 1);
            seen.insert(words[0]);
            if (words[0] == "tick")
                lastTick = words.value(1).toDouble();
        }
    }
    void send(const QByteArray &line) { process.write(line + '\n'); }
    void stop(int signal)
    {
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(10000));
        collect();
    }

    QProcess process;
    QByteArray output;
    QSet<QByteArray> seen;
    Instant lastTick = 0;
};

// Keys typed so far, each with its instant.
struct Typing {
    QList<QPair<Instant, int>> presses;
    int before(Instant t) const
    {
        int n = 0;
        for (const auto &[at, count] : presses)
            n += at <= t ? count : 0;
        return n;
    }
};

// Types two keys per simulated second for `seconds`, then returns the instant of the stop.
Instant typeFor(Harness &h, const Timeline &timeline, Typing &typing, double seconds)
{
    const Instant until = timeline.now() + seconds;
    while (timeline.now() < until) {
        h.send("key 2");
        typing.presses.append({timeline.now(), 2});
        QTest::qWait(int(1000 / timeline.speed));
        h.collect();
    }
    return timeline.now();
}

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
    const Timeline timeline;
    Typing typing;
    const QString data = dir.filePath(QStringLiteral("data/Quenby/"));
    Instant stoppedAt = 0;
    Instant lastTickSeen = 0;
    {
        Harness h(dir, timeline);
        QVERIFY(h.waitFor("ready"));
        typeFor(h, timeline, typing, 80);
        // Stopped at no particular point of the tick cycle.
        QTest::qWait(QRandomGenerator::global()->bounded(int(5000 / timeline.speed)));
        stoppedAt = timeline.now();
        h.stop(signal);
        lastTickSeen = h.lastTick;
        if (signal == SIGKILL) {
            QCOMPARE(h.process.exitStatus(), QProcess::CrashExit);
        } else {
            QCOMPARE(h.process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(h.process.exitCode(), 0);
        }
    }
    // Either way the open segment is left in the heartbeat, up to the last tick.
    const auto beat = heartbeat(dir);
    QVERIFY(beat && beat->segmentStart);
    QVERIFY(beat->lastTick >= lastTickSeen);
    QVERIFY2(stoppedAt - beat->lastTick <= 5 + 2,
             qPrintable(QString::number(stoppedAt - beat->lastTick)));
    QVERIFY(!QFileInfo::exists(data + QStringLiteral("entries.json")) ||
            decodeEntries(readAll(data + QStringLiteral("entries.json")))->isEmpty());

    // Activity counts: at most a minute lost after a hard stop; none of what was sampled after
    // a termination signal. Never more than was typed.
    const auto activity = decodeActivity(readAll(data + QStringLiteral("activity.json")));
    QVERIFY(activity);
    const qint64 keys = activity->value(today).keys;
    QVERIFY(keys <= typing.before(stoppedAt));
    const Instant surelySaved = signal == SIGKILL ? lastTickSeen - 60 : lastTickSeen;
    QVERIFY2(keys >= typing.before(surelySaved - 5 - 2),
             qPrintable(QStringLiteral("%1 of %2").arg(keys).arg(typing.presses.size() * 2)));

    // The next start records the segment once, up to the heartbeat, and the one after adds nothing.
    for (int run = 0; run < 2; ++run) {
        Harness h(dir, timeline);
        QVERIFY(h.waitFor("ready"));
        h.stop(SIGTERM);
        QCOMPARE(h.process.exitCode(), 0);
        const auto entries = decodeEntries(readAll(data + QStringLiteral("entries.json")));
        QVERIFY(entries);
        QCOMPARE(entries->size(), 1);
        const WorkEntry e = entries->first();
        QVERIFY(qAbs(e.date + e.seconds - beat->lastTick) < 1e-6);
        QCOMPARE(e.date, *beat->segmentStart);
        // Opened at the input before the first tick, which comes up to 30 s late after idleness.
        QVERIFY(e.date >= typing.presses.first().first &&
                e.date <= typing.presses.first().first + 32);
        QCOMPARE(heartbeat(dir)->segmentStart, std::nullopt);
        QCOMPARE(decodeActivity(readAll(data + QStringLiteral("activity.json")))->value(today).keys,
                 keys);
    }
}

void TestStoreCrash::secondProcessIsRefused()
{
    QTemporaryDir dir;
    const Timeline timeline;
    Harness first(dir, timeline);
    QVERIFY(first.waitFor("ready"));
    const QString settings = dir.filePath(QStringLiteral("config/Quenby/settings.json"));
    const QByteArray settingsBefore = readAll(settings);
    QVERIFY(!settingsBefore.isEmpty());

    Harness second(dir, timeline, {QStringLiteral("-quenbyReset")});
    QVERIFY(second.process.waitForFinished(10000));
    QCOMPARE(second.process.exitCode(), 1);
    const QByteArray message = second.process.readAllStandardError();
    QVERIFY2(message.contains("will not track"), message.constData());
    QVERIFY(message.contains(
        QDir::toNativeSeparators(dir.filePath(QStringLiteral("data/Quenby"))).toUtf8()));
    second.collect();
    QVERIFY(!second.seen.contains("ready"));
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
    Timeline timeline;
    timeline.base = utcInstant("2026-03-10 23:58:00");
    timeline.speed = 20;
    Harness h(dir, timeline, {}, Harness::Zone::system);
    QVERIFY(h.waitFor("ready"));

    Typing before, after;
    typeFor(h, timeline, before, 20);
    // Every key typed so far is sampled by a tick in UTC (a tick later than the next, so that
    // the harness has surely read them).
    const Instant sent = timeline.now();
    QTRY_VERIFY_WITH_TIMEOUT((h.collect(), h.lastTick > sent + 5), 5000);
    QVERIFY(pointTo("Asia/Tokyo"));
    typeFor(h, timeline, after, utcInstant("2026-03-11 00:01:00") - timeline.now());
    // Idle: the segment closes at the last key and is written.
    const QString entriesPath = dir.filePath(QStringLiteral("data/Quenby/entries.json"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(entriesPath), 10000);
    h.stop(SIGTERM);

    const auto entries = decodeEntries(readAll(entriesPath));
    QVERIFY(entries);
    QCOMPARE(entries->size(), 1);
    QVERIFY(entries->first().date < utcInstant("2026-03-10 23:58:32"));
    QVERIFY(entries->first().date + entries->first().seconds > utcInstant("2026-03-11 00:00:55"));
    const auto activity =
        decodeActivity(readAll(dir.filePath(QStringLiteral("data/Quenby/activity.json"))));
    QVERIFY(activity);
    QCOMPARE(activity->value(QStringLiteral("2026-03-10")).keys, before.before(sent));
    QCOMPARE(activity->value(QStringLiteral("2026-03-11")).keys, after.before(timeline.now()));
    QCOMPARE(activity->size(), 2);
}

QTEST_GUILESS_MAIN(TestStoreCrash)
#include "tst_store_crash.moc"
