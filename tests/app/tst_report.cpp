// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the real `tockly report` on prepared data folders and checks its figures against values
// worked out here by hand from the data the test wrote.
#include "TocklyProcess.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

namespace {

constexpr double k2001 = 978307200.0;

double at(const QTimeZone &zone, QDate day, QTime time = {0, 0})
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

QJsonObject dataSetting(const QJsonObject &value)
{
    return {{"type", "data"},
            {"value", QString::fromLatin1(QJsonDocument(value).toJson().toBase64())}};
}

struct Run : ProgramRun {
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// A home of its own: the data folder (data/Quenby) and the settings (config/Quenby).
struct Folder {
    QTemporaryDir dir;
    QByteArray language; // LANG alone, when set, instead of the test's LC_ALL

    void write(const QString &name, const QByteArray &bytes) const
    {
        QVERIFY(writeFile(dir.filePath(name), bytes));
    }

    Run report(const QByteArray &zone, const QStringList &args) const
    {
        return tockly(zone, QStringList{"report"} + args);
    }

    Run tockly(const QByteArray &zone, const QStringList &args) const
    {
        return run(TOCKLY_BINARY, zone, args);
    }

    // Any of our programs, with no bus to reach and no display.
    Run run(const QString &program, const QByteArray &zone, const QStringList &args) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", zone);
        env.insert("QUENBY_DATA_DIR", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("xdg-data"));
        for (const char *bus : {"DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"})
            env.insert(bus, "unix:path=" + dir.filePath("no-bus"));
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(display);
        if (!language.isEmpty()) {
            for (const char *other : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                env.remove(other);
            env.insert("LANG", language);
        }
        return {runProgram(program, args, env)};
    }

    // Every file below the folder with a digest of its bytes: a report changes nothing.
    QStringList listing() const
    {
        QStringList files;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            QFile file(it.filePath());
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            files.append(it.filePath() + ":" + QString::number(it.fileInfo().size()) + ":" +
                         QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
        }
        files.sort();
        return files;
    }
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void figuresOfADay()
    {
        // Lord Howe Island's clocks go back half an hour: a day of 24.5 hours.
        const QByteArray zone("Australia/Lord_Howe");
        const QTimeZone z(zone);
        const QDate day(2026, 4, 5);
        const double dayStart = at(z, day), dayEnd = dayStart + 24.5 * 3600;

        // The day: three stretches, time added and removed, and its neighbours' entries.
        const double late = dayEnd - 1800;
        const QDate today = QDateTime::currentDateTimeUtc().toTimeZone(z).date();
        const QDate below = day.addDays(-10);
        QJsonArray entries{
            entry(dayStart + 60, 1800), entry(at(z, day, {9, 0}), 3600), entry(late, 1200),
            entry(at(z, day, {12, 0}), 900, "added"), entry(at(z, day, {12, 5}), -300, "removed"),
            entry(dayStart - 60, 59), entry(dayEnd, 600),
            // a day whose entries sum below zero
            entry(at(z, below, {10, 0}), 100), entry(at(z, below, {11, 0}), -500, "removed"),
            // yesterday and the day before: a streak of two
            entry(at(z, today.addDays(-1), {10, 0}), 100),
            entry(at(z, today.addDays(-2), {10, 0}), 100)};
        Folder f;
        f.write("data/Quenby/entries.json", QJsonDocument(entries).toJson());
        f.write(
            "data/Quenby/activity.json",
            R"({"2026-04-05": {"keys": 4000, "clicks": 300, "scrolls": 1000, "typingSeconds": 600}})");
        // A heartbeat left by a process that stopped long ago counts up to its last tick only,
        // as the application will record it at its next start.
        const double beat = at(z, day.addDays(-20), {15, 0});
        const QJsonObject settings{
            {"quenby.mac.goal.v1", QJsonObject{{"type", "double"}, {"value", 10800}}},
            {"quenby.mac.heartbeat.v1",
             dataSetting({{"segmentStart", beat}, {"lastTick", beat + 600}})}};
        f.write("config/Quenby/settings.json", QJsonDocument(settings).toJson());
        const QStringList before = f.listing();

        const Run run = f.report(zone, {"--day", day.toString(Qt::ISODate), "--json"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        // The option's other forms, as scripts write them.
        QCOMPARE(f.report(zone, {"--json", "--day=" + day.toString(Qt::ISODate)}).out, run.out);
        const QJsonObject r = run.json();
        QCOMPARE(r.value("day").toString(), day.toString(Qt::ISODate));
        QCOMPARE(r.value("dayTotal").toDouble(), 1800 + 3600 + 1200 + 900 - 300.0);
        QCOMPARE(r.value("rhythm").toObject().value("lastInput").toDouble(), late + 1200);
        QCOMPARE(r.value("words").toInteger(), 4000 / 5);
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
        QVERIFY2(text.out.contains("Worked           2h 0m\n"), qPrintable(text.out));

        // Never synced: the commands about syncing change nothing, and the report is the one of
        // a single computer.
        const Run off = f.tockly(zone, {"sync", "--off"});
        QCOMPARE(off.exitCode, 0);
        QCOMPARE(off.out, "Folder:        off (tockly sync FOLDER turns it on)\n");
        const QJsonObject status = f.tockly(zone, {"sync", "--json"}).json();
        QVERIFY(status.value("folder").isNull() && status.value("computers").toArray().isEmpty());
        const Run doctor = f.tockly(zone, {"doctor"});
        QCOMPARE(doctor.exitCode, 0);
        QVERIFY2(!doctor.out.contains("sync"), qPrintable(doctor.out));
        QVERIFY(!r.contains("computers") && !text.out.contains("Computers"));
        QCOMPARE(f.listing(), before);

        // In every language the JSON and the exit codes stay byte for byte the same; the text
        // and the help speak the session's language, with its plural forms.
        const QStringList dayArgs{"--day", day.toString(Qt::ISODate)};
        const QList<QStringList> machine{dayArgs + QStringList{"--json"}, {"--day", "2026-02-30"}};
        const auto runs = [&](const QStringList &report) {
            return std::pair{f.report(zone, report), f.tockly(zone, {"sync", "--json"})};
        };
        f.language = "C";
        QCOMPARE(f.report(zone, dayArgs).out, text.out);
        const auto english = runs(machine[0]);
        const auto englishRefusal = f.report(zone, machine[1]);
        const QList<QStringList> languages{{"de_DE.UTF-8", "Gearbeitet", "2 Tage", "Befehle"},
                                           {"fr_FR.UTF-8", "Travaillé", "2 jours", "Commandes"},
                                           {"es_ES.UTF-8", "Trabajado", "2 días", "Órdenes"}};
        for (const QStringList &l : languages) {
            f.language = l[0].toUtf8();
            const auto [report, sync] = runs(machine[0]);
            QCOMPARE(report.out, english.first.out);
            QCOMPARE(sync.out, english.second.out);
            QCOMPARE(sync.exitCode, english.second.exitCode);
            QCOMPARE(f.report(zone, machine[1]).exitCode, englishRefusal.exitCode);
            const QString words = f.report(zone, dayArgs).out;
            QVERIFY2(words.contains(l[1]) && words.contains(l[2]) && !words.contains("Worked"),
                     qPrintable(words));
            QVERIFY(f.tockly(zone, {"--help"}).out.contains(l[3]));
        }
        f.language.clear();

        // Once its segment is on record the heartbeat adds nothing: no second count.
        entries.append(entry(beat, 600));
        f.write("data/Quenby/entries.json", QJsonDocument(entries).toJson());
        QCOMPARE(dayTotal(day.addDays(-20)), 600.0);

        // A running application's heartbeat: its segment counts up to now, clipped to today.
        const double now = double(QDateTime::currentMSecsSinceEpoch()) / 1000 - k2001;
        const QJsonObject running{
            {"quenby.mac.heartbeat.v1",
             dataSetting({{"segmentStart", now - 600}, {"lastTick", now - 2}})}};
        f.write("config/Quenby/settings.json", QJsonDocument(running).toJson());
        const double counted = dayTotal(today);
        QVERIFY2(std::abs(counted - (now - std::max(now - 600, at(z, today)))) < 5,
                 qPrintable(QString::number(counted)));
    }

    // Cut files, a bad date or option, a data folder that is a file, and none at all.
    void badInput()
    {
        Folder f;
        f.write("data/Quenby/entries.json",
                QJsonDocument(QJsonArray{entry(1000, 100), entry(2000, 100)}).toJson());
        const QString entries = f.dir.filePath("data/Quenby/entries.json");
        QFile::resize(entries, QFileInfo(entries).size() / 2);
        f.write("data/Quenby/activity.json", "{\"2026-01-01\": {\"keys\": ");
        f.write("config/Quenby/settings.json", "{\"quenby.mac.goal.v1\": [");
        const QStringList before = f.listing();
        const Run broken = f.report("UTC", {"--json"});
        QCOMPARE(broken.exitCode, 0);
        QCOMPARE(broken.err.trimmed().split('\n').size(), 3);
        for (const char *file : {"entries.json", "activity.json", "settings.json"})
            QVERIFY2(broken.err.contains(file), file);
        QCOMPARE(broken.json().value("stats").toObject().value("allTime").toDouble(), 0.0);
        QCOMPARE(broken.json().value("goal").toObject().value("seconds").toDouble(), 14400.0);
        QCOMPARE(f.listing(), before); // nothing moved aside, nothing written

        const Run badDay = f.report("UTC", {"--day", "2026-02-30"});
        QCOMPARE(badDay.exitCode, 2);
        QCOMPARE(badDay.err.count('\n'), 1);
        QVERIFY(badDay.out.isEmpty());
        QCOMPARE(f.report("UTC", {"--frobnicate"}).exitCode, 2);

        // A data folder that cannot be read as a folder.
        QDir(f.dir.filePath("data")).removeRecursively();
        f.write("data/Quenby", "not a folder");
        const Run unreadable = f.report("UTC", {"--json"});
        QCOMPARE(unreadable.exitCode, 0);
        QVERIFY(unreadable.err.contains("data/Quenby"));

        // No data folder at all: nothing to say, nothing on stderr.
        QDir(f.dir.filePath("data")).removeRecursively();
        QFile::remove(f.dir.filePath("config/Quenby/settings.json"));
        const Run none = f.report("UTC", {});
        QCOMPARE(none.exitCode, 0);
        QCOMPARE(none.err, QString());
        QVERIFY(none.out.contains("Worked"));
        QVERIFY(!QFileInfo::exists(f.dir.filePath("data")));
    }

    // Each program and each command of tockly: --help and --version (naming the licence) on stdout
    // without a display or a bus, a bad command line as one line on stderr with exit status 2; and
    // the forms of the options that scripts and the desktop use parse as they always did.
    void commandLines()
    {
        Folder f;
        const QList<QStringList> programs{{TOCKLY_BINARY, "tockly"},
                                          {TOCKLY_CREWD_BINARY, "tockly-crewd"},
                                          {TOCKLY_INPUTD_BINARY, "tockly-inputd"}};
        for (const QStringList &program : programs) {
            const QString &name = program[1];
            const Run help = f.run(program[0], "UTC", {"--help"});
            QCOMPARE(help.exitCode, 0);
            QVERIFY2(help.out.startsWith("Usage: ") && help.out.contains("--version"),
                     qPrintable(help.out));
            const Run version = f.run(program[0], "UTC", {"-v"});
            QCOMPARE(version.exitCode, 0);
            QVERIFY2(version.out.startsWith(name + " " TOCKLY_VERSION "\n") &&
                         version.out.contains("\nLicense GPLv3+: GNU GPL version 3 or later "),
                     qPrintable(version.out));
            for (const char *bad : {"--no-such-option", "--version=1"}) {
                const Run wrong = f.run(program[0], "UTC", {bad});
                QCOMPARE(wrong.exitCode, 2);
                QVERIFY(wrong.out.isEmpty());
                QVERIFY2(wrong.err.startsWith(name + ": ") && wrong.err.count('\n') == 1,
                         qPrintable(wrong.err));
            }
        }
        QCOMPARE(f.run(TOCKLY_INPUTD_BINARY, "UTC", {"--devices"}).exitCode, 2);
        QCOMPARE(f.run(TOCKLY_INPUTD_BINARY, "UTC", {"stray"}).exitCode, 2);
        // The launch options keep their single dash; a link does not hide a bad option after it.
        QCOMPARE(f.tockly("UTC", {"-quenbyReset", "-quenbyCheckUpdates", "--help"}).exitCode, 0);
        QCOMPARE(f.tockly("UTC", {"quenby://join/ab12cd", "-quenbyRest"}).exitCode, 2);

        for (const char *command :
             {"status", "card", "pause", "resume", "report", "sync", "doctor"}) {
            const Run help = f.tockly("UTC", {command, "-h"});
            QCOMPARE(help.exitCode, 0);
            QVERIFY2(help.out.contains(QString(" %1 [options]").arg(command)), command);
            const Run wrong = f.tockly("UTC", {command, "--bogus"});
            QCOMPARE(wrong.exitCode, 2);
            QVERIFY2(wrong.err.startsWith(QString("tockly %1: ").arg(command)), command);
        }
        QCOMPARE(f.tockly("UTC", {"card", "stray"}).exitCode, 2);
        QCOMPARE(f.tockly("UTC", {"sync", "--off", "--new-id"}).exitCode, 2);
        QCOMPARE(f.tockly("UTC", {"sync", "--name"}).exitCode, 2);
        // Without Tockly running, the bus commands say so with exit status 1, as before.
        QCOMPARE(f.tockly("UTC", {"status", "--json"}).exitCode, 1);
        QCOMPARE(f.tockly("UTC", {"pause"}).exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
