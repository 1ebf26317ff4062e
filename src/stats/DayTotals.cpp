// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayTotals.h"

#include <algorithm>

double totalInDay(const RecordView &record, const DayInterval &day, Instant now)
{
    double total = 0;
    record.forEachInInterval(day, [&](const WorkEntry &e) { total += e.seconds; });
    if (const auto start = record.segmentStart()) {
        const Instant from = std::max(*start, day.start);
        const Instant to = std::min(day.end, now);
        if (to > from)
            total += to - from;
    }
    return std::max(total, 0.0);
}

double dayTotal(const RecordView &record, Instant day, Instant now)
{
    return totalInDay(record, record.calendar().dayInterval(day), now);
}

std::map<Instant, double> dailyTotals(const RecordView &record)
{
    std::map<Instant, double> totals;
    const auto &inOrder = record.inOrder();
    // One calendar lookup per day on record rather than one per entry.
    for (auto it = inOrder.begin(); it != inOrder.end();) {
        const DayInterval day = record.calendar().dayInterval((*it)->date);
        const auto dayEnd = std::partition_point(
            it, inOrder.end(), [&](const WorkEntry *e) { return e->date < day.end; });
        double &total = totals[day.start];
        std::for_each(it, dayEnd, [&](const WorkEntry *e) { total += e->seconds; });
        it = dayEnd;
    }
    for (const WorkEntry *e : record.stragglers())
        totals[record.calendar().startOfDay(e->date)] += e->seconds;
    if (const auto start = record.segmentStart())
        totals[record.calendar().startOfDay(*start)] += record.now() - *start;
    for (auto &[day, seconds] : totals)
        seconds = std::max(seconds, 0.0);
    return totals;
}

QList<WorkEntry> entriesOnDay(const RecordView &record, Instant day)
{
    const DayInterval interval = record.calendar().dayInterval(day);
    QList<WorkEntry> result;
    for (const WorkEntry &e : record.entries()) {
        if (interval.contains(e.date))
            result.append(e);
    }
    return result;
}

Instant rollingWeekStart(const Calendar &calendar, Instant now)
{
    // The true start of the date six days back. Moving today's start back by six days would keep
    // its wall-clock time, which lies inside that day when only one of the two began at midnight.
    const QDate first = calendar.date(now).addDays(-6);
    return first.isValid() ? calendar.startOfDay(first) : now;
}

QList<std::optional<Instant>> monthCells(const Calendar &calendar, Instant month)
{
    QList<std::optional<Instant>> cells;
    const auto interval = calendar.monthInterval(month);
    const int days = calendar.daysInMonth(month);
    if (!interval || days <= 0)
        return cells;
    const int lead = (calendar.weekday(interval->start) - calendar.firstWeekday() + 7) % 7;
    cells.reserve(lead + days);
    for (int i = 0; i < lead; ++i)
        cells.append(std::nullopt);
    const QDate first = calendar.date(interval->start);
    for (int i = 0; i < days; ++i) {
        // A date the zone skipped gets a blank cell rather than a second copy of the next day.
        const auto day = calendar.addDays(interval->start, i);
        cells.append(day && calendar.date(*day) == first.addDays(i) ? day : std::nullopt);
    }
    return cells;
}
