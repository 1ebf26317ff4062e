// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DayRhythm.h"
#include "Stats.h"

#include <QJsonObject>

// Everything the card and the history window show about one day and the record, gathered once
// for the command line.
struct DayReport {
    QString day; // day key
    double dayTotal = 0;
    DayRhythm rhythm;
    qint64 score = 0;
    qint64 words = 0;
    qint64 typingPace = 0;
    std::optional<BusiestHour> busiestHour; // absent without an activity record
    QList<QPair<QString, double>> topApps;
    Stats stats;
    double goalSeconds = 0;
    std::optional<GoalProgress> goal; // absent without a goal
    // Each computer's own worked time on the day, when the record is synced across computers;
    // empty otherwise.
    QList<QPair<QString, double>> computers;
};

DayReport dayReport(const RecordView &record, Instant day);

// Instants as seconds since 2001-01-01 UTC, days as day keys, absent values as null.
QJsonObject toJson(const DayReport &report, const Calendar &calendar);
// A short aligned listing with durations written as everywhere else.
QString reportText(const DayReport &report, const Calendar &calendar);
