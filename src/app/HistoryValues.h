// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HistoryText.h"
#include "Instant.h"
#include "MonthModel.h"
#include "RecordView.h"

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
// One of the top applications: its share against the first one's time.
struct AppRow {
    QString name;
    double fraction = 0;
    QString duration;

    friend bool operator==(const AppRow &, const AppRow &) = default;
};

// One entry of the day: "keyboard", "plus" or "minus"; "Worked 1h 5m"; "09:00 – 10:05".
struct SessionRow {
    QString symbol, title, times;

    friend bool operator==(const SessionRow &, const SessionRow &) = default;
};

// The detail panel of a day. Its rows (chips, applications, sessions) reach QML as list models
// of the history's model; the rest as this value.
struct HistoryDay {
    Q_GADGET
    QML_VALUE_TYPE(historyDay)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString total MEMBER total)
    Q_PROPERTY(QString words MEMBER words)
    Q_PROPERTY(QString score MEMBER score)
    Q_PROPERTY(bool counting MEMBER counting)
    Q_PROPERTY(QString countingSince MEMBER countingSince)
    Q_PROPERTY(bool empty MEMBER empty)
    Q_PROPERTY(bool typingShown MEMBER typingShown)
    Q_PROPERTY(double typingShare MEMBER typingShare)
    Q_PROPERTY(QString typingText MEMBER typingText)
    Q_PROPERTY(QString mousingText MEMBER mousingText)
    Q_PROPERTY(bool hoursShown MEMBER hoursShown)
    // Each hour's keystrokes against the busiest hour's.
    Q_PROPERTY(QList<double> hourBars MEMBER hourBars)
    Q_PROPERTY(QString busiest MEMBER busiest)
    Q_PROPERTY(bool appsShown MEMBER appsShown)

public:
    QString title, total, words, score;
    bool counting = false;
    QString countingSince;
    bool empty = true;
    bool typingShown = false;
    double typingShare = 0;
    QString typingText, mousingText;
    bool hoursShown = false;
    QList<double> hourBars;
    QString busiest;
    bool appsShown = false;
    QList<HistoryText::Chip> chips;
    QList<AppRow> apps;
    QList<SessionRow> sessions;
};
HistoryDay historyDay(const RecordView &record, Instant day);
