// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayReport.h"

#include "DayTotals.h"
#include "DurationText.h"

#include <QJsonArray>
#include <QStringList>

namespace {

QJsonValue instantOrNull(const std::optional<Instant> &t)
{
    return t ? QJsonValue(*t) : QJsonValue(QJsonValue::Null);
}

QString timeOfDay(const Calendar &calendar, Instant t)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(t)), calendar.zone()).toString(u"HH:mm");
}

} // namespace

DayReport dayReport(const RecordView &record, Instant day)
{
    const Instant now = record.now();
    const auto activity = activityOnDay(record, day);
    DayReport r;
    r.day = record.calendar().dayKey(day);
    r.dayTotal = dayTotal(record, day, now);
    r.rhythm = rhythm(record, day, now);
    r.score = score(record, day, now);
    r.words = words(activity);
    r.typingPace = typingPace(activity);
    if (activity) {
        r.busiestHour = busiestHour(*activity);
        r.topApps = topApps(*activity);
    }
    r.stats = stats(record);
    r.goalSeconds = record.goalSeconds();
    // Progress toward the goal is today's; another day shows it for that day's total.
    r.goal = goalProgress(r.dayTotal, r.goalSeconds);
    return r;
}

QJsonObject toJson(const DayReport &r, const Calendar &calendar)
{
    QJsonArray apps;
    for (const auto &[name, seconds] : r.topApps)
        apps.append(QJsonObject{{"name", name}, {"seconds", seconds}});
    const QJsonValue null(QJsonValue::Null);
    QJsonObject o{
        {"day", r.day},
        {"dayTotal", r.dayTotal},
        {"durationText", durationText(r.dayTotal)},
        {"rhythm", QJsonObject{{"firstInput", instantOrNull(r.rhythm.firstInput)},
                               {"lastInput", instantOrNull(r.rhythm.lastInput)},
                               {"longestStretch", r.rhythm.longestStretch},
                               {"deepWork", r.rhythm.deepWork},
                               {"breaks", r.rhythm.breaks}}},
        {"score", r.score},
        {"words", r.words},
        {"typingPace", r.typingPace},
        {"busiestHour",
         QJsonObject{{"hour", r.busiestHour ? QJsonValue(r.busiestHour->hour) : null},
                     {"keys", r.busiestHour ? QJsonValue(r.busiestHour->keys) : null}}},
        {"topApps", apps},
        {"stats",
         QJsonObject{
             {"last7Days", r.stats.last7Days},
             {"allTime", r.stats.allTime},
             {"bestDay", r.stats.bestDay ? QJsonValue(calendar.dayKey(*r.stats.bestDay)) : null},
             {"bestDayTotal", r.stats.bestDayTotal},
             {"streak", r.stats.streak}}},
        {"goal", QJsonObject{{"seconds", r.goalSeconds},
                             {"percent", r.goal ? QJsonValue(r.goal->percent) : null},
                             {"reached", r.goal ? QJsonValue(r.goal->reached) : null}}},
    };
    if (!r.computers.isEmpty()) {
        QJsonArray computers;
        for (const auto &[name, seconds] : r.computers)
            computers.append(QJsonObject{{"name", name}, {"seconds", seconds}});
        o.insert(QLatin1String("computers"), computers);
    }
    return o;
}

QString reportText(const DayReport &r, const Calendar &calendar)
{
    QList<QPair<QString, QString>> rows;
    const QLocale &locale = calendar.locale();
    const QDate date = dateFromDayKey(r.day);
    rows.append({"Day", r.day + " (" + locale.dayName(date.dayOfWeek()) + ")"});
    rows.append({"Worked", durationText(r.dayTotal)});
    if (!r.computers.isEmpty()) {
        QStringList shares;
        for (const auto &[name, seconds] : r.computers)
            shares.append(name + " " + durationText(seconds));
        rows.append({"Computers", shares.join(", ")});
    }
    if (r.rhythm.firstInput) {
        rows.append({"First input", timeOfDay(calendar, *r.rhythm.firstInput)});
        rows.append({"Last input", timeOfDay(calendar, *r.rhythm.lastInput)});
        rows.append({"Longest stretch", durationText(r.rhythm.longestStretch)});
        rows.append({"Deep work", durationText(r.rhythm.deepWork)});
        rows.append({"Breaks", QString::number(r.rhythm.breaks)});
    }
    rows.append({"Score", locale.toString(r.score)});
    rows.append({"Words", locale.toString(r.words)});
    if (r.typingPace > 0)
        rows.append({"Typing pace", QStringLiteral("%1 words/min").arg(r.typingPace)});
    if (r.busiestHour && r.busiestHour->keys > 0)
        rows.append({"Busiest hour", QStringLiteral("%1:00 (%2 keys)")
                                         .arg(r.busiestHour->hour, 2, 10, QLatin1Char('0'))
                                         .arg(locale.toString(r.busiestHour->keys))});
    if (!r.topApps.isEmpty()) {
        QStringList apps;
        for (const auto &[name, seconds] : r.topApps)
            apps.append(name + " " + durationText(seconds));
        rows.append({"Top apps", apps.join(", ")});
    }
    rows.append({"Last 7 days", durationText(r.stats.last7Days)});
    rows.append({"All time", durationText(r.stats.allTime)});
    if (r.stats.bestDay)
        rows.append({"Best day", calendar.dayKey(*r.stats.bestDay) + " (" +
                                     durationText(r.stats.bestDayTotal) + ")"});
    rows.append({"Streak", r.stats.streak == 1 ? QStringLiteral("1 day")
                                               : QStringLiteral("%1 days").arg(r.stats.streak)});
    if (r.goal)
        rows.append({"Goal", r.goal->reached ? durationText(r.goalSeconds) + " · reached"
                                             : durationText(r.goalSeconds) +
                                                   QStringLiteral(" · %1%").arg(r.goal->percent)});
    else
        rows.append({"Goal", QStringLiteral("off")});

    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString out;
    for (const auto &[label, value] : rows)
        out += label.leftJustified(width + 2) + value + '\n';
    return out;
}
