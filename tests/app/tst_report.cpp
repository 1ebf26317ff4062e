// Runs the real `tockly report` on prepared data folders and checks its figures against values
// worked out here by hand from the data the test wrote.
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <cmath>

namespace {

constexpr double k2001 = 978307200.0;

double at(const QTimeZone &zone, QDate day, QTime time)
{
    return double(QDateTime(day, time, zone).toMSecsSinceEpoch()) / 1000 - k2001;
}

QJsonObject entry(double date, double seconds, const char *kind = "timed")
{
    return {{"id", QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()},
            {"date", date},
            {"seconds", seconds},
            {"kind", kind}};
}

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

class Folder {
public:
    Folder() { QDir(dir.path()).mkpath("data/Quenby"); }

    QString data(const QString &name) const { return dir.filePath("data/Quenby/" + name); }

    void write(const QString &path, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void writeEntries(const QJsonArray &entries) const
    {
        write(data("entries.json"), QJsonDocument(entries).toJson());
    }
    void writeSettings(const QJsonObject &settings) const
    {
        write(dir.filePath("config/Quenby/settings.json"), QJsonDocument(settings).toJson());
    }

    Run report(const QByteArray &zone, const QStringList &args) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", zone);
        env.insert("QUENBY_DATA_DIR", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("xdg-data"));
        p.setProcessEnvironment(env);
        p.start(TOCKLY_BINARY, QStringList{"report"} + args);
        p.waitForFinished(30000);
        return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
    }

    // Every file below the temporary folder with its size: nothing may change.
    QStringList listing() const
    {
        QStringList files;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            files.append(it.filePath() + ":" + QString::number(it.fileInfo().size()));
        }
        files.sort();
        return files;
    }

    QTemporaryDir dir;
};

QJsonObject dataSetting(const QByteArray &json)
{
    return {{"type", "data"}, {"value", QString::fromLatin1(json.toBase64())}};
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void figuresOfADay();
    void badInput();
};

void TestReport::figuresOfADay()
{
    // Lord Howe Island's clocks go back half an hour: a day of 24.5 hours.
    const QByteArray zone("Australia/Lord_Howe");
    const QTimeZone z(zone);
    const QDate day(2026, 4, 5);
    const double dayLength = 24.5 * 3600;
    const double dayStart = double(day.startOfDay(z).toMSecsSinceEpoch()) / 1000 - k2001;

    // The day: three stretches, time added and removed, and its neighbours' entries.
    const double first = dayStart + 60, late = dayStart + dayLength - 1800;
    const QDate today = QDateTime::currentDateTimeUtc().toTimeZone(z).date();
    const QDate below = day.addDays(-10);
    QJsonArray entries{
        entry(first, 1800), entry(at(z, day, {9, 0}), 3600), entry(late, 1200),
        entry(at(z, day, {12, 0}), 900, "added"), entry(at(z, day, {12, 5}), -300, "removed"),
        entry(dayStart - 60, 59), entry(dayStart + dayLength, 600),
        // a day whose entries sum below zero
        entry(at(z, below, {10, 0}), 100), entry(at(z, below, {11, 0}), -500, "removed"),
        // yesterday and the day before: a streak of two
        entry(at(z, today.addDays(-1), {10, 0}), 100),
        entry(at(z, today.addDays(-2), {10, 0}), 100)};
    Folder f;
    f.writeEntries(entries);
    const QJsonObject activity{
        {day.toString(Qt::ISODate),
         QJsonObject{{"keys", 4000}, {"clicks", 300}, {"scrolls", 1000}, {"typingSeconds", 600}}}};
    f.write(f.data("activity.json"), QJsonDocument(activity).toJson());
    // A heartbeat left by a process that stopped long ago counts up to its last tick only, as
    // the application will record it at its next start.
    const double beat = at(z, day.addDays(-20), {15, 0});
    const QJsonObject heartbeat{{"segmentStart", beat}, {"lastTick", beat + 600}};
    f.writeSettings({{"quenby.mac.goal.v1", QJsonObject{{"type", "double"}, {"value", 10800}}},
                     {"quenby.mac.heartbeat.v1", dataSetting(QJsonDocument(heartbeat).toJson())}});
    const QStringList before = f.listing();

    const Run run = f.report(zone, {"--day", day.toString(Qt::ISODate), "--json"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    const QJsonObject r = run.json();
    QCOMPARE(r.value("day").toString(), day.toString(Qt::ISODate));
    QCOMPARE(r.value("dayTotal").toDouble(), 1800 + 3600 + 1200 + 900 - 300.0);
    QCOMPARE(r.value("rhythm").toObject().value("lastInput").toDouble(), late + 1200);
    // 120 minutes + 90 deep-work minutes + 800 words / 10 + 300 / 25 + 1000 / 200
    QCOMPARE(r.value("score").toInt(), 120 + 90 + 80 + 12 + 5);
    const QJsonObject stats = r.value("stats").toObject();
    QCOMPARE(stats.value("allTime").toDouble(), 7200 + 59 + 600 + 0 + 200 + 600.0);
    QCOMPARE(stats.value("last7Days").toDouble(), 200.0);
    QCOMPARE(stats.value("bestDayTotal").toDouble(), 7200.0);
    QCOMPARE(stats.value("streak").toInt(), 2);
    // A stored goal of 3 hours is restored to the nearest two-hour step, 4 hours.
    QCOMPARE(r.value("goal").toObject(),
             (QJsonObject{{"seconds", 14400}, {"percent", 50}, {"reached", false}}));

    const auto dayTotal = [&](QDate d) {
        return f.report(zone, {"--day", d.toString(Qt::ISODate), "--json"})
            .json()
            .value("dayTotal")
            .toDouble();
    };
    QCOMPARE(dayTotal(below), 0.0);
    QCOMPARE(dayTotal(day.addDays(-20)), 600.0);

    // The text form: aligned labels, durations as everywhere else.
    const Run text = f.report(zone, {"--day", day.toString(Qt::ISODate)});
    QCOMPARE(text.exitCode, 0);
    QVERIFY2(text.out.contains("Worked           2h 0m\n"), text.out.constData());
    QCOMPARE(f.listing(), before);

    // Once its segment is on record the heartbeat adds nothing: no second count.
    entries.append(entry(beat, 600));
    f.writeEntries(entries);
    QCOMPARE(dayTotal(day.addDays(-20)), 600.0);

    // A running application's heartbeat: its segment counts up to now, clipped to today.
    const double now = double(QDateTime::currentMSecsSinceEpoch()) / 1000 - k2001;
    const double todayStart = double(today.startOfDay(z).toMSecsSinceEpoch()) / 1000 - k2001;
    const QJsonObject running{{"segmentStart", now - 600}, {"lastTick", now - 2}};
    f.writeSettings({{"quenby.mac.heartbeat.v1", dataSetting(QJsonDocument(running).toJson())}});
    const double counted = dayTotal(today);
    QVERIFY2(std::abs(counted - (now - std::max(now - 600, todayStart))) < 5,
             qPrintable(QString::number(counted)));
}

void TestReport::badInput()
{
    Folder f;
    f.writeEntries({entry(1000, 100), entry(2000, 100)});
    QFile::resize(f.data("entries.json"), QFileInfo(f.data("entries.json")).size() / 2);
    f.write(f.data("activity.json"), "{\"2026-01-01\": {\"keys\": ");
    f.write(f.dir.filePath("config/Quenby/settings.json"), "{\"quenby.mac.goal.v1\": [");
    const QStringList before = f.listing();
    const Run broken = f.report("UTC", {"--json"});
    QCOMPARE(broken.exitCode, 0);
    const QList<QByteArray> lines = broken.err.trimmed().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(broken.err.contains("entries.json"));
    QVERIFY(broken.err.contains("activity.json"));
    QVERIFY(broken.err.contains("settings.json"));
    QCOMPARE(broken.json().value("stats").toObject().value("allTime").toDouble(), 0.0);
    QCOMPARE(broken.json().value("goal").toObject().value("seconds").toDouble(), 14400.0);
    QCOMPARE(f.listing(), before); // nothing moved aside, nothing written

    for (const char *day : {"2026-02-30", "yesterday"}) {
        const Run bad = f.report("UTC", {"--day", day});
        QCOMPARE(bad.exitCode, 2);
        QCOMPARE(bad.err.count('\n'), 1);
        QVERIFY(bad.out.isEmpty());
    }
    QCOMPARE(f.report("UTC", {"--frobnicate"}).exitCode, 2);

    // A data folder that cannot be read as a folder.
    Folder g;
    QDir(g.dir.filePath("data")).removeRecursively();
    g.write(g.dir.filePath("data/Quenby"), "not a folder");
    const Run unreadable = g.report("UTC", {"--json"});
    QCOMPARE(unreadable.exitCode, 0);
    QVERIFY(unreadable.err.contains("data/Quenby"));

    // No data folder at all: nothing to say, nothing on stderr.
    Folder empty;
    QDir(empty.dir.filePath("data")).removeRecursively();
    const Run none = empty.report("UTC", {});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.err, QByteArray());
    QVERIFY(none.out.contains("Worked"));
    QVERIFY(!QFileInfo::exists(empty.dir.filePath("data")));
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
