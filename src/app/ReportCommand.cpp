// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReportCommand.h"

#include "CommandLine.h"
#include "DataFolder.h"
#include "DayReport.h"
#include "Json.h"
#include "MergedView.h"
#include "StoredRecord.h"
#include "SyncFolder.h"
#include "linux/JsonSettingsStore.h"
#include "linux/XdgFolders.h"

#include <QFileInfo>
#include <QSysInfo>

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(ReportCommand)
};

QString description()
{
    return Text::tr(
        "Prints a day's worked time, its rhythm, score, words, typing pace, busiest hour and top\n"
        "applications, and the records (last 7 days, all time, best day, streak) with the goal.\n"
        "Reads the data folder without changing it, so it can run while Tockly runs; a segment\n"
        "that is being counted right now counts up to now. When the record is synced across\n"
        "computers (tockly sync), the figures are the day across all of them, and each computer's\n"
        "own time is listed.");
}

} // namespace

int runReport(const Process &process, const Clock &clock, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption dayOption(QStringLiteral("day"),
                                       Text::tr("The day to report (default: today)."),
                                       QStringLiteral("yyyy-MM-dd"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"), Text::tr("Print JSON: instants as seconds since 2001-01-01 UTC, "
                                         "days as yyyy-MM-dd, absent values as null."));
    parser.addOptions({dayOption, jsonOption});
    if (const auto exitCode =
            parseCommandLine(parser, process.arguments(), QStringLiteral("report"), 0, out, err))
        return *exitCode;
    const bool json = parser.isSet(jsonOption);
    std::optional<QString> dayKey;
    if (parser.isSet(dayOption))
        dayKey = parser.value(dayOption);
    if (dayKey && !dateFromDayKey(*dayKey).isValid()) {
        err << "tockly report: "
            << Text::tr("--day needs a real date written yyyy-MM-dd, not \"%1\"").arg(*dayKey)
            << '\n';
        return 2;
    }

    const Calendar calendar = Calendar::system();
    const Instant now = clock.now();
    const QString folder = dataFolderPath(process, xdgDataHome(process));
    const QFileInfo folderInfo(folder);
    if (folderInfo.exists() &&
        !(folderInfo.isDir() && folderInfo.isReadable() && folderInfo.isExecutable()))
        err << "tockly report: " << folder << ": "
            << Text::tr("not a readable folder, counted as empty") << '\n';
    JsonSettingsStore settings(JsonSettingsStore::defaultPath(process),
                               JsonSettingsStore::Mode::readOnly);
    if (settings.unreadable())
        err << "tockly report: " << settings.path() << ": "
            << Text::tr("unreadable, counted as empty") << '\n';
    const StoredRecord record = readStoredRecord(folder, settings, calendar, now);
    for (const QString &problem : record.problems)
        err << "tockly report: " << problem << '\n';

    const std::span<const WorkEntry> entries(record.entries.constData(),
                                             size_t(record.entries.size()));
    const auto index = RecordView::indexByDate(entries);
    const RecordView own(entries, index, record.segmentStart, record.activity, record.goalSeconds,
                         calendar, now);
    const Instant day = dayKey ? calendar.startOfDay(dateFromDayKey(*dayKey)) : now;

    // With the record synced, the day across every computer seen in the folder.
    SyncFolder sync({settings, calendar, QSysInfo::machineUniqueId(), QSysInfo::machineHostName()});
    OtherComputers others(clock, calendar);
    others.setFolder(sync.isOn() ? sync.setting().folder : QString(), sync.setting().id,
                     sync.setting().published);
    for (const QString &problem : others.problems())
        err << "tockly report: " << problem << '\n';
    MergedView merged;
    const RecordView view = others.hasRecords() ? merged.view({entries, index, record.segmentStart,
                                                               record.activity, record.goalSeconds},
                                                              others, calendar, now)
                                                : own;
    DayReport report = dayReport(view, day);
    if (sync.isOn())
        report.computers = computerShares(own, sync.computerName(), others, day);
    if (json)
        out << writeJson(toJson(report, calendar), JsonStyle::pretty) << '\n';
    else
        out << reportText(report, calendar);
    return 0;
}
