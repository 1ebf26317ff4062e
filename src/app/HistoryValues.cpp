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
            .streak = streakValue(s.streak),
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

QVariantMap historyDetail(const RecordView &record, Instant day)
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

    QVariantList chipList;
    for (const Chip &c : chips(rhythm(record, day, now), activity, calendar))
        chipList.append(QVariantMap{{QStringLiteral("id"), c.id},
                                    {QStringLiteral("emoji"), c.emoji},
                                    {QStringLiteral("value"), c.value},
                                    {QStringLiteral("label"), c.label}});

    QVariantList hourBars;
    const qint64 most = *std::max_element(counters.hourlyKeys.begin(), counters.hourlyKeys.end());
    for (qint64 keys : counters.hourlyKeys)
        hourBars.append(most > 0 ? double(keys) / double(most) : 0.0);

    const auto apps = topApps(counters);
    QVariantList appRows;
    for (const auto &[name, seconds] : apps)
        appRows.append(QVariantMap{{QStringLiteral("name"), name},
                                   {QStringLiteral("fraction"), seconds / apps.first().second},
                                   {QStringLiteral("duration"), durationText(seconds)}});

    QVariantList sessions;
    for (const WorkEntry &e : entries)
        sessions.append(QVariantMap{{QStringLiteral("symbol"), sessionSymbol(e.kind)},
                                    {QStringLiteral("title"), sessionTitle(e)},
                                    {QStringLiteral("times"), sessionTimes(e, calendar)}});

    return {
        {QStringLiteral("title"), dayTitle(day, now, calendar)},
        {QStringLiteral("total"), durationText(dayTotal(record, day, now))},
        {QStringLiteral("words"), wordsLine(counters.keys, locale)},
        {QStringLiteral("score"), locale.toString(score(record, day, now))},
        {QStringLiteral("counting"), counting},
        {QStringLiteral("countingSince"),
         //: %1 is the time the running stretch of work began.
         counting ? Text::tr("counting now · since %1").arg(shortTime(*segment, calendar))
                  : QString()},
        {QStringLiteral("empty"), entries.isEmpty() && !counting},
        {QStringLiteral("chips"), chipList},
        {QStringLiteral("typingShown"), typingBarShown(counters)},
        {QStringLiteral("typingShare"), typingShare(counters)},
        //: %1 is the time spent typing.
        {QStringLiteral("typingText"),
         Text::tr("⌨️ %1 typing").arg(durationText(counters.typingSeconds))},
        //: %1 is the time spent with the mouse.
        {QStringLiteral("mousingText"),
         Text::tr("🖱 %1 mousing").arg(durationText(counters.mousingSeconds))},
        {QStringLiteral("hoursShown"), activity.has_value()},
        {QStringLiteral("hourBars"), hourBars},
        {QStringLiteral("busiest"), busiestLine(busiestHour(counters), locale)},
        {QStringLiteral("appsShown"), topAppsShown(apps)},
        {QStringLiteral("apps"), appRows},
        {QStringLiteral("sessions"), sessions},
    };
}
