// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayReport.h"

#include "DayTotals.h"
#include "DurationText.h"
#include "PluralCount.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QStringList>

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

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
    //: Report row labels follow; each is printed with its value after it, aligned.
    rows.append({Text::tr("Day"), r.day + " (" + locale.dayName(date.dayOfWeek()) + ")"});
    //: Report row: the worked time of the day.
    rows.append({Text::tr("Worked"), durationText(r.dayTotal)});
    if (!r.computers.isEmpty()) {
        QStringList shares;
        for (const auto &[name, seconds] : r.computers)
            shares.append(name + " " + durationText(seconds));
        rows.append({Text::tr("Computers"), shares.join(", ")});
    }
    if (r.rhythm.firstInput) {
        rows.append({Text::tr("First input"), timeOfDay(calendar, *r.rhythm.firstInput)});
        rows.append({Text::tr("Last input"), timeOfDay(calendar, *r.rhythm.lastInput)});
        rows.append({Text::tr("Longest stretch"), durationText(r.rhythm.longestStretch)});
        rows.append({Text::tr("Deep work"), durationText(r.rhythm.deepWork)});
        rows.append({Text::tr("Breaks"), QString::number(r.rhythm.breaks)});
    }
    rows.append({Text::tr("Score"), locale.toString(r.score)});
    //: Report row: the words typed (keys divided by five).
    rows.append({Text::tr("Words"), locale.toString(r.words)});
    if (r.typingPace > 0)
        rows.append({Text::tr("Typing pace"), Text::tr("%1 words/min").arg(r.typingPace)});
    if (r.busiestHour && r.busiestHour->keys > 0)
        rows.append({Text::tr("Busiest hour"),
                     //: %1 is the hour (09), %2 the number of keys pressed in it.
                     Text::tr("%1:00 (%2 keys)", nullptr, pluralCount(r.busiestHour->keys))
                         .arg(r.busiestHour->hour, 2, 10, QLatin1Char('0'))
                         .arg(locale.toString(r.busiestHour->keys))});
    if (!r.topApps.isEmpty()) {
        QStringList apps;
        for (const auto &[name, seconds] : r.topApps)
            apps.append(name + " " + durationText(seconds));
        rows.append({Text::tr("Top apps"), apps.join(", ")});
    }
    rows.append({Text::tr("Last 7 days"), durationText(r.stats.last7Days)});
    rows.append({Text::tr("All time"), durationText(r.stats.allTime)});
    if (r.stats.bestDay)
        rows.append({Text::tr("Best day"), calendar.dayKey(*r.stats.bestDay) + " (" +
                                               durationText(r.stats.bestDayTotal) + ")"});
    //: Report row: how many days in a row the goal was reached.
    rows.append({Text::tr("Streak"), daysText(r.stats.streak)});
    if (r.goal)
        rows.append({Text::tr("Goal"),
                     durationText(r.goalSeconds) +
                         (r.goal->reached ? " · " + Text::tr("reached")
                                          : QStringLiteral(" · %1%").arg(r.goal->percent))});
    else
        //: Report row value: no daily goal is set.
        rows.append({Text::tr("Goal"), Text::tr("off")});

    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    QString out;
    for (const auto &[label, value] : rows)
        out += label.leftJustified(width + 2) + value + '\n';
    return out;
}
