// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "MonthModel.h"
#include "RecordView.h"

#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// What the history window shows, computed from the record at its moment.

// The four tiles over the calendar.
struct HistoryTiles {
    Q_GADGET
    QML_VALUE_TYPE(historyTiles)
    Q_PROPERTY(QString week MEMBER week)
    Q_PROPERTY(QString streakEmoji MEMBER streakEmoji)
    Q_PROPERTY(QString streak MEMBER streak)
    Q_PROPERTY(QString bestDay MEMBER bestDay)
    Q_PROPERTY(QString allTime MEMBER allTime)

public:
    QString week, streakEmoji, streak, bestDay, allTime;
};

// From one stats().
HistoryTiles historyTiles(const RecordView &record);
struct HistoryMonth {
    QString title;
    // Very short weekday names, the calendar's first weekday first.
    QStringList weekdays;
    QList<MonthCell> cells;
};
HistoryMonth historyMonth(const RecordView &record, Instant month, Instant selectedDay);
// The detail panel of a day: {title, total, words, score, counting, countingSince, empty,
// chips, typingShown, typingShare, typingText, mousingText, hoursShown, hourBars
// (each hour against the busiest), busiest, appsShown, apps, sessions}.
QVariantMap historyDetail(const RecordView &record, Instant day);
