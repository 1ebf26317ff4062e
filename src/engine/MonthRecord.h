// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DayActivity.h"
#include "WorkEntry.h"

#include <QList>
#include <QUuid>

#include <optional>

// One month of a computer's record in the synced folder ("2026-03.json" in its folder): the
// entries dated in the month and the month's day activity, as the computer's local calendar
// has them. A month that is over is never written again, so a sync tool moves only the current
// one.
struct MonthRecord {
    QUuid computer;
    QString machine; // as in the computer's description
    QString month;   // "yyyy-MM"
    QList<WorkEntry> entries;
    ActivityByDay activity;

    friend bool operator==(const MonthRecord &, const MonthRecord &) = default;
};

// {"activity": {day key: activity}, "computer": "UUID", "entries": [...], "format": 1,
//  "machine": "…", "month": "yyyy-MM"}, compact, the entries and activity as in our own files.
QByteArray encodeMonthRecord(const MonthRecord &record);
// Strict: our format; entries and activity as strict as our own files'; besides, every day key
// in the month, every entry dated within two days of it, and no stretch longer than two days.
std::optional<MonthRecord> decodeMonthRecord(QByteArrayView json);

// The month key ("yyyy-MM") of a day key, and the file name of a month.
inline QString monthOfDayKey(const QString &dayKey)
{
    return dayKey.left(7);
}
QString monthFileName(const QString &month);
// The month of a file name as written by monthFileName(); empty for any other name.
QString monthOfFileName(const QString &fileName);
