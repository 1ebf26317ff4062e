// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Stats.h"

#include "DayTotals.h"

#include <algorithm>

Stats stats(const RecordView &record)
{
    Stats s;
    const auto totals = dailyTotals(record);
    const Instant weekStart = rollingWeekStart(record.calendar(), record.now());
    for (const auto &[day, seconds] : totals) {
        if (day >= weekStart)
            s.last7Days += seconds;
        s.allTime += seconds;
        // The earliest of equally good days wins.
        if (!s.bestDay || seconds > s.bestDayTotal) {
            s.bestDay = day;
            s.bestDayTotal = seconds;
        }
    }
    s.streak = currentStreak(record);
    return s;
}

qint64 currentStreak(const RecordView &record)
{
    const Calendar &calendar = record.calendar();
    const Instant now = record.now();
    // Walk back by dates; each day's end is the start of the day after it, so one calendar
    // lookup per day walked.
    QDate date = calendar.date(now);
    DayInterval day = calendar.dayInterval(now);
    auto stepBack = [&] {
        // A date the zone skipped has no instants; the day before it follows directly.
        for (int tries = 0; tries < 3; ++tries) {
            date = date.addDays(-1);
            if (!date.isValid())
                return false;
            const Instant start = calendar.startOfDay(date);
            if (start < day.start) {
                day = {start, day.start};
                return true;
            }
        }
        return false;
    };
    if (totalInDay(record, day, now) <= 0 && !stepBack())
        return 0;
    if (totalInDay(record, day, now) <= 0)
        return 0;
    qint64 count = 1;
    while (count < kMaxStreak && stepBack() && totalInDay(record, day, now) > 0)
        ++count;
    return count;
}

std::optional<GoalProgress> goalProgress(double todayTotal, double goalSeconds)
{
    if (!(goalSeconds > 0))
        return std::nullopt;
    GoalProgress g;
    g.fraction = std::clamp(todayTotal / goalSeconds, 0.0, 1.0);
    g.percent = int(g.fraction * 100);
    g.reached = g.fraction >= 1;
    return g;
}
