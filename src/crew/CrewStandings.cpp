// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewStandings.h"

#include "Calendar.h"

#include <algorithm>

namespace CrewClient {

static constexpr int monday = 2; // Calendar weekdays: 1 = Sunday ... 7 = Saturday

QStringList weekKeys(Instant now, const QTimeZone &zone)
{
    const Calendar calendar(zone, monday);
    const QDate today = calendar.date(now);
    if (!today.isValid())
        return {};
    const int sinceWeekStart = (calendar.weekday(now) - calendar.firstWeekday() + 7) % 7;
    // Whole dates, not instants: a day that a zone skipped (Apia, 2011-12-30) still has its
    // key, and no key can come out twice.
    const QDate start = today.addDays(-sinceWeekStart);
    QStringList keys;
    for (int i = 0; i < 7; ++i)
        keys.append(dayKeyOfDate(start.addDays(i)));
    return keys;
}

QList<Standing> standings(const QList<CrewResponse::MemberPayload> &members, Instant now,
                          const QTimeZone &zone)
{
    const QStringList week = weekKeys(now, zone);
    const QString today = Calendar(zone, monday).dayKey(now);
    QList<Standing> rows;
    for (const CrewResponse::MemberPayload &m : members) {
        Standing row{0, m.nickname, 0, m.days.value(today, 0)};
        for (const QString &key : week)
            row.weekSeconds += m.days.value(key, 0);
        rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Standing &a, const Standing &b) {
        if (a.todaySeconds != b.todaySeconds)
            return a.todaySeconds > b.todaySeconds;
        return a.weekSeconds > b.weekSeconds;
    });
    for (int i = 0; i < rows.size(); ++i)
        rows[i].id = i;
    return rows;
}

} // namespace CrewClient
