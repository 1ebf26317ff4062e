// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HistoryValues.h"

#include "DayRhythm.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "HistoryText.h"
#include "Stats.h"

#include <QCoreApplication>

#include <algorithm>

using namespace HistoryText;

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(HistoryValues)
};

} // namespace

HistoryTiles historyTiles(const RecordView &record)
{
    const Stats s = stats(record);
    return {.week = durationText(s.last7Days),
            .streakEmoji = streakEmoji(s.streak),
            .streak = daysText(s.streak),
            .bestDay = bestDayValue(s),
            .allTime = durationText(s.allTime)};
}

HistoryMonth historyMonth(const RecordView &record, Instant month, Instant selectedDay)
{
    const Calendar &calendar = record.calendar();
    const Instant now = record.now();
    const QDate today = calendar.date(now);
    const QDate selected = calendar.date(selectedDay);
    HistoryMonth shown{
        .title = monthTitle(month, calendar), .weekdays = weekdayHeader(calendar), .cells = {}};
    for (const std::optional<Instant> &day : monthCells(calendar, month)) {
        if (!day) {
            shown.cells.append(MonthCell{});
            continue;
        }
        const double seconds = totalInDay(record, calendar.dayInterval(*day), now);
        const CellTint tint = cellTint(seconds);
        const QDate date = calendar.date(*day);
        shown.cells.append({.blank = false,
                            .day = *day,
                            .number = date.day(),
                            .label = tint.worked ? compactLabel(seconds) : QString(),
                            .worked = tint.worked,
                            .opacity = tint.opacity,
                            .isToday = date == today,
                            .isSelected = date == selected,
                            .isFuture = *day > now});
    }
    return shown;
}

HistoryDay historyDay(const RecordView &record, Instant day)
{
    const Calendar &calendar = record.calendar();
    const QLocale &locale = calendar.locale();
    const Instant now = record.now();
    const auto activity = activityOnDay(record, day);
    const DayActivity counters = activity.value_or(DayActivity{});
    const auto segment = record.segmentStart();
    const bool counting = segment && calendar.date(*segment) == calendar.date(day);

    QList<WorkEntry> entries = entriesOnDay(record, day);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const WorkEntry &a, const WorkEntry &b) { return a.date < b.date; });

    QList<double> hourBars;
    const qint64 most = std::ranges::max(counters.hourlyKeys);
    for (qint64 keys : counters.hourlyKeys)
        hourBars.append(most > 0 ? double(keys) / double(most) : 0.0);

    const auto apps = topApps(counters);
    QList<AppRow> appRows;
    for (const auto &[name, seconds] : apps)
        appRows.append({name, seconds / apps.first().second, durationText(seconds)});

    QList<SessionRow> sessions;
    for (const WorkEntry &e : entries)
        sessions.append({sessionSymbol(e.kind), sessionTitle(e), sessionTimes(e, calendar)});

    return {
        .title = dayTitle(day, now, calendar),
        .total = durationText(dayTotal(record, day, now)),
        .words = wordsLine(counters.keys, locale),
        .score = locale.toString(score(record, day, now)),
        .counting = counting,
        //: %1 is the time the running stretch of work began.
        .countingSince =
            counting ? Text::tr("counting now · since %1").arg(shortTime(*segment, calendar))
                     : QString(),
        .empty = entries.isEmpty() && !counting,
        .typingShown = typingBarShown(counters),
        .typingShare = typingShare(counters),
        //: %1 is the time spent typing.
        .typingText = Text::tr("⌨️ %1 typing").arg(durationText(counters.typingSeconds)),
        //: %1 is the time spent with the mouse.
        .mousingText = Text::tr("🖱 %1 mousing").arg(durationText(counters.mousingSeconds)),
        .hoursShown = activity.has_value(),
        .hourBars = hourBars,
        .busiest = busiestLine(busiestHour(counters), locale),
        .appsShown = topAppsShown(apps),
        .chips = chips(rhythm(record, day, now), activity, calendar),
        .apps = appRows,
        .sessions = sessions,
    };
}
