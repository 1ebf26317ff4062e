// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Two computers: two real Tocklys, each with its own home, X display (typed at with xdotool) and
// session bus, whose synced folders two real Syncthing instances keep in step over loopback.
// Their clocks (faketime, for them alone) run across a local midnight. Then the faults of real
// life on one of them: a half-synced peer file, a peer of a newer format, a peer's folder
// removed, a second machine with the same id, the synced folder unmounted and mounted again.
#include "DesktopTestEnvironment.h"
#include "TestMounts.h"
#include "TocklyProcess.h"
#include "WorkEntry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

namespace {

const QTimeZone berlin("Europe/Berlin");

int freePort()
{
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
}

// A Syncthing of its own that talks to its peer on loopback only: no discovery, relays, NAT,
// usage reports or upgrades, and no web interface.
struct Syncthing {
    QString home;
    int port = freePort();
    QString id;
    ChildProcess process;

    explicit Syncthing(const QString &home) : home(home) {}

    bool generate()
    {
        QProcess p;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        p.setProcessEnvironment(env);
        p.start("syncthing",
                {"generate", "--home=" + home, "--no-default-folder", "--skip-port-probing"});
        p.waitForFinished(60000);
        p.start("syncthing", {"serve", "--home=" + home, "--device-id"});
        p.waitForFinished(60000);
        id = QString::fromLatin1(p.readAllStandardOutput()).trimmed();
        return id.size() == 63;
    }

    bool start(const QString &folder, const Syncthing &peer)
    {
        const QString config =
            QStringLiteral(R"(<configuration version="36">
<folder id="tockly" label="tockly" path="%1" type="sendreceive" rescanIntervalS="3600"
 fsWatcherEnabled="true" fsWatcherDelayS="1"><device id="%2"></device><device id="%3"></device>
<minDiskFree unit="%">0</minDiskFree></folder>
<device id="%2" name="self" compression="metadata"><address>dynamic</address></device>
<device id="%3" name="peer" compression="metadata"><address>tcp://127.0.0.1:%4</address></device>
<gui enabled="false"></gui><options><listenAddress>tcp://127.0.0.1:%5</listenAddress>
<globalAnnounceEnabled>false</globalAnnounceEnabled>
<localAnnounceEnabled>false</localAnnounceEnabled><announceLANAddresses>false</announceLANAddresses>
<relaysEnabled>false</relaysEnabled><natEnabled>false</natEnabled>
<stunKeepaliveStartS>0</stunKeepaliveStartS><urAccepted>-1</urAccepted>
<autoUpgradeIntervalH>0</autoUpgradeIntervalH><startBrowser>false</startBrowser>
<crashReportingEnabled>false</crashReportingEnabled><reconnectionIntervalS>1</reconnectionIntervalS>
</options></configuration>)")
                .arg(folder, id, peer.id, QString::number(peer.port), QString::number(port));
        if (!writeFile(home + "/config.xml", config.toUtf8()) ||
            !QDir().mkpath(folder + "/.stfolder"))
            return false;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("STNOUPGRADE", "1");
        env.insert("STNORESTART", "1");
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(home + "/log");
        process.setStandardErrorFile(home + "/log");
        process.start("syncthing",
                      {"serve", "--home=" + home, "--no-browser", "--no-restart", "--no-upgrade"});
        return process.waitForStarted();
    }
};

// One computer: its home, display, bus and Tockly.
struct Computer {
    QString home, sync;
    XvfbServer x;
    PrivateBus session;
    QDBusConnection bus{QString()};
    QProcessEnvironment env;
    ChildProcess app;

    explicit Computer(const QString &home) : home(home), sync(home + "/Sync") {}

    bool start(const QString &name, const QString &faketime)
    {
        QString error;
        if (!x.start(&error) || !session.start(PrivateBus::Kind::session, &error))
            return false;
        bus = session.connect(name);
        env = tocklyEnvironment(x.environment(), home, session.address());
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_RUNTIME_DIR", home);
        env.insert("TZ", "Europe/Berlin");
        env.insert("QUENBY_UPDATE_FEED", "http://127.0.0.1:9/");
        fakeWallClock(env, faketime);
        // A copied home brings its settings along.
        const bool settings = QFileInfo::exists(home + "/config/Quenby/settings.json");
        return (settings || skipWelcome(home + "/config")) && QDir().mkpath(sync) &&
               startTockly(app, env, bus);
    }

    QString run(const QStringList &args) const
    {
        QString out;
        runTockly(env, args, &out);
        return out;
    }
    QJsonObject report(const QString &day) const
    {
        return QJsonDocument::fromJson(run({"report", "--json", "--day", day}).toUtf8()).object();
    }
    QStringList doctor() const { return run({"doctor"}).split('\n').filter("sync: "); }
    // Whether `tockly doctor` comes to name a sync problem with these words `times` times.
    bool comesToSay(const QString &words, int times = 1) const
    {
        return eventually([&] { return doctor().filter(words).size() == times; }, 30);
    }
    QString title() const
    {
        return QJsonDocument::fromJson(run({"status", "--json"}).toUtf8())["title"].toString();
    }
    QList<WorkEntry> entries() const
    {
        return decodeEntries(readFile(home + "/data/Quenby/entries.json"))
            .value_or(QList<WorkEntry>());
    }
    qint64 keys(const QString &day) const
    {
        const auto a = QJsonDocument::fromJson(readFile(home + "/data/Quenby/activity.json"));
        return a[day]["keys"].toInteger();
    }
    // Keys at four a second, on this computer's display.
    void type(ChildProcess &xdotool, int seconds) const
    {
        xdotool.setProcessEnvironment(x.environment());
        xdotool.start("xdotool",
                      QStringList{"key", "--delay", "250"} + QStringList(4 * seconds, "x"));
    }
};

// The seconds of a day covered by any of the entries (timed entries are stretches).
double unionOn(const QList<QList<WorkEntry>> &records, const QString &day)
{
    QList<std::pair<double, double>> spans;
    double total = 0;
    const QDate date = QDate::fromString(day, Qt::ISODate);
    const double start = instantFromDateTime(QDateTime(date, QTime(0, 0), berlin));
    const double end = instantFromDateTime(QDateTime(date.addDays(1), QTime(0, 0), berlin));
    for (const auto &entries : records)
        for (const WorkEntry &e : entries)
            if (e.date >= start && e.date < end)
                spans.append({e.date, e.date + e.seconds});
    std::sort(spans.begin(), spans.end());
    double reached = -1e300;
    for (const auto &[from, to] : spans) {
        total += std::max(0.0, to - std::max(from, reached));
        reached = std::max(reached, to);
    }
    return total;
}

// Typing that has ended, or ends within a minute.
bool typed(QProcess &xdotool)
{
    return xdotool.state() == QProcess::NotRunning || xdotool.waitForFinished(60000);
}

// Instants of this century carry about a tenth of a microsecond of rounding.
bool near(double a, double b)
{
    return std::abs(a - b) < 1e-3;
}

QMap<QString, double> shares(const QJsonObject &report)
{
    QMap<QString, double> m;
    for (const QJsonValue &c : report["computers"].toArray())
        m.insert(c["name"].toString(), c["seconds"].toDouble());
    return m;
}

} // namespace

class TestSync : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    Computer desk{dir.filePath("desk")}, laptop{dir.filePath("laptop")};
    Syncthing deskSync{dir.filePath("syncthing-desk")},
        laptopSync{dir.filePath("syncthing-laptop")};
    QString faketime = dir.filePath("faketime");
    QString backing = dir.filePath("desk-sync-backing");
    QString days[2];

private slots:
    void initTestCase()
    {
        QVERIFY(TestMounts::hideInputDevices() && setClockOffset(faketime, 0));
        // The desk's synced folder is a mount, to be unmounted later.
        QVERIFY(QDir().mkpath(backing) && QDir().mkpath(desk.sync));
        QVERIFY(TestMounts::bind(backing, desk.sync));
        QVERIFY(deskSync.generate() && laptopSync.generate());
        QVERIFY(deskSync.start(desk.sync, laptopSync) && laptopSync.start(laptop.sync, deskSync));
        QVERIFY(desk.start("desk", faketime) && laptop.start("laptop", faketime));
    }

    void cleanupTestCase()
    {
        stopProcess(desk.app);
        stopProcess(laptop.app);
        TestMounts::unmount(desk.sync);
    }

    void theDayAcrossBothComputers()
    {
        QCOMPARE(runTockly(desk.env, {"sync", desk.sync}), 0);
        QVERIFY(desk.run({"sync", "--name", "desk"}).contains("This computer: desk ("));
        QCOMPARE(runTockly(laptop.env, {"sync", laptop.sync, "--json"}), 0);
        laptop.run({"sync", "--name", "laptop"});
        // Each sees the other once Syncthing has carried their descriptions across.
        QVERIFY(
            eventually([&] { return desk.run({"sync"}).contains("Others:        laptop"); }, 60));
        QVERIFY(
            eventually([&] { return laptop.run({"sync"}).contains("Others:        desk"); }, 60));

        // The clocks jump to 75 s before the next midnight in Berlin.
        const QDateTime now = QDateTime::currentDateTime().toTimeZone(berlin);
        const QDateTime midnight(now.date().addDays(1), QTime(0, 0), berlin);
        QVERIFY(setClockOffset(faketime, now.secsTo(midnight) - 75));
        days[0] = now.date().toString(Qt::ISODate);
        days[1] = QDate::fromString(days[0], Qt::ISODate).addDays(1).toString(Qt::ISODate);
        QTest::qWait(6000); // a tick at the new time on both

        // Both at once for 40 s; the laptop alone across midnight; then the desk alone.
        ChildProcess a, b;
        desk.type(a, 40);
        laptop.type(b, 85);
        QVERIFY(typed(a));
        QTest::qWait(45000);
        desk.type(a, 40);
        QVERIFY(typed(a) && typed(b));
        QTest::qWait(35000); // both segments close

        // Once Syncthing has carried everything, both report the same union.
        const auto same = [&](const QString &day) {
            const QJsonObject a = desk.report(day), b = laptop.report(day);
            return near(a["dayTotal"].toDouble(), b["dayTotal"].toDouble()) &&
                   a["words"] == b["words"];
        };
        QVERIFY(eventually([&] { return same(days[0]) && same(days[1]); }, 150));
        const QList<WorkEntry> deskEntries = desk.entries(), laptopEntries = laptop.entries();
        for (const QString &day : days) {
            const QJsonObject report = desk.report(day);
            QVERIFY(
                near(report["dayTotal"].toDouble(), unionOn({deskEntries, laptopEntries}, day)));
            QCOMPARE(report["words"].toInteger(), (desk.keys(day) + laptop.keys(day)) / 5);
            const auto each = shares(report);
            QCOMPARE(each.keys(), (QStringList{"desk", "laptop"}));
            QVERIFY(near(each["desk"], unionOn({deskEntries}, day)));
            QVERIFY(near(each["laptop"], unionOn({laptopEntries}, day)));
            const auto seen = shares(laptop.report(day));
            QCOMPARE(seen.keys(), each.keys());
            QVERIFY(near(seen["desk"], each["desk"]) && near(seen["laptop"], each["laptop"]));
        }
        // Overlapping, apart and across midnight: both worked before it, at the same time
        // for a while; the laptop past midnight, the desk after it.
        QVERIFY(desk.report(days[0])["dayTotal"].toDouble() <
                unionOn({deskEntries}, days[0]) + unionOn({laptopEntries}, days[0]) - 20);
        QVERIFY(unionOn({laptopEntries}, days[1]) >= 5 && unionOn({deskEntries}, days[1]) >= 30);
        QVERIFY(unionOn({laptopEntries}, days[0]) >= 60);
        // The title in the panel is the day across both.
        QVERIFY(eventually(
            [&] { return desk.title() == desk.report(days[1])["durationText"].toString(); }, 40));
        QVERIFY(eventually([&] { return laptop.title() == desk.title(); }, 40));
    }

    void faultsLeaveOurRecordAlone()
    {
        // From here the desk alone, with files put there by hand.
        stopProcess(deskSync.process);
        stopProcess(laptopSync.process);
        const QString ownEntries = desk.home + "/data/Quenby/entries.json";
        const QByteArray entriesBefore = readFile(ownEntries);
        const QString title = desk.title();
        QString laptopPath;
        for (const QString &name : QDir(desk.sync).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (readFile(desk.sync + "/" + name + "/computer.json").contains("\"laptop\""))
                laptopPath = desk.sync + "/" + name;
        QVERIFY(!laptopPath.isEmpty());
        const QString month = QDir(laptopPath).entryList({"*-*.json"}).last();

        // Half synced.
        const QByteArray whole = readFile(laptopPath + "/" + month);
        QVERIFY(writeFile(laptopPath + "/" + month, whole.left(whole.size() / 2)));
        QVERIFY(desk.comesToSay(month + ": cannot be read (half synced, or damaged); left alone, "
                                        "its last good reading counts"));
        // Of a newer format.
        const QString tablet = desk.sync + "/" + uuidText(QUuid::createUuid());
        QVERIFY(writeFile(tablet + "/computer.json", R"({"format":2,"name":"tablet"})"));
        QVERIFY(desk.comesToSay("computer.json: written in a newer format (2)"));
        // Removed.
        QVERIFY(QDir(laptopPath).removeRecursively());
        QVERIFY(desk.comesToSay("laptop (" + laptopPath +
                                "): its folder is gone; it counts as last seen"));
        QCOMPARE(desk.title(), title);

        // A second machine with the desk's id, from a copied home folder: it writes nothing
        // there and says why.
        Computer copy(dir.filePath("copy"));
        copy.sync = desk.sync;
        QVERIFY(writeFile(copy.home + "/config/Quenby/settings.json",
                          readFile(desk.home + "/config/Quenby/settings.json")));
        QVERIFY(writeFile(dir.filePath("machine-id"), "0123456789abcdef0123456789abcdef\n"));
        QStringList machineIds;
        for (const char *path : {"/var/lib/dbus/machine-id", "/etc/machine-id"})
            if (QFileInfo::exists(path) && TestMounts::bind(dir.filePath("machine-id"), path))
                machineIds << path;
        QVERIFY(!machineIds.isEmpty());
        const QString deskId =
            QJsonDocument::fromJson(desk.run({"sync", "--json"}).toUtf8())["id"].toString();
        const QString ownFolder = desk.sync + "/" + deskId;
        QMap<QString, QByteArray> before;
        for (const QString &name : QDir(ownFolder).entryList(QDir::Files))
            before.insert(name, readFile(ownFolder + "/" + name));
        QVERIFY(copy.start("copy", faketime));
        QVERIFY(copy.comesToSay("another computer (desk) writes there as this one"));
        stopProcess(copy.app);
        for (const QString &path : machineIds)
            QVERIFY(TestMounts::unmount(path));
        // The desk may still save counts it took before (it saves them once a minute): its
        // months are compared by who wrote them and by their entries.
        const auto writtenBy = [](const QByteArray &bytes) {
            const QJsonObject o = QJsonDocument::fromJson(bytes).object();
            return std::pair(o["machine"].toString(), o["entries"]);
        };
        QVERIFY(!before.isEmpty());
        QCOMPARE(QDir(ownFolder).entryList(QDir::Files), before.keys());
        QCOMPARE(readFile(ownFolder + "/computer.json"), before["computer.json"]);
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(writtenBy(readFile(ownFolder + "/" + it.key())) == writtenBy(it.value()),
                     qPrintable(it.key()));
        QCOMPARE(readFile(ownEntries), entriesBefore);

        // The share unmounted: the others count as last seen, nothing lands under the mount
        // point, and once it is back the desk's folder gets what it missed.
        QVERIFY(TestMounts::unmount(desk.sync));
        QVERIFY(desk.comesToSay("is not there (an unmounted share?)"));
        QVERIFY(desk.comesToSay("this computer's folder, is not there"));
        ChildProcess keys;
        desk.type(keys, 40);
        QVERIFY(typed(keys));
        QTest::qWait(35000);
        QVERIFY(readFile(ownEntries) != entriesBefore);
        QCOMPARE(QDir(desk.sync).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(TestMounts::bind(backing, desk.sync));
        const QString thisMonth = QDate::fromString(days[1], Qt::ISODate).toString("yyyy-MM");
        const auto published = [&] {
            const auto month =
                QJsonDocument::fromJson(readFile(ownFolder + "/" + thisMonth + ".json"));
            QList<WorkEntry> entries;
            for (const QJsonValue &e : month["entries"].toArray())
                entries.append(*workEntryFromJson(e));
            return entries;
        };
        const auto ownInMonth = [&] {
            QList<WorkEntry> entries;
            for (const WorkEntry &e : desk.entries())
                if (QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(e.date)), berlin)
                        .toString("yyyy-MM") == thisMonth)
                    entries.append(e);
            return entries;
        };
        QVERIFY(eventually([&] { return published() == ownInMonth(); }, 20));
        QVERIFY(desk.comesToSay("is not there", 0));
        // What the others had is still counted, as last seen.
        QVERIFY(desk.doctor().filter("laptop (").size() == 1);
    }
};

QTEST_GUILESS_MAIN(TestSync)
#include "tst_sync.moc"
