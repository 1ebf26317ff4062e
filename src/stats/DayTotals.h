// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecordView.h"

#include <QList>

#include <map>

// Seconds worked on the local day holding `day`, counting the running segment up to `now`
// clipped to that day. Never negative.
double dayTotal(const RecordView &record, Instant day, Instant now);
// The same for a day already turned into its interval.
double totalInDay(const RecordView &record, const DayInterval &day, Instant now);

// Start of day -> seconds, one member per day with an entry or the running segment. The whole
// running segment counts on its start day. Every value is at least 0.
std::map<Instant, double> dailyTotals(const RecordView &record);

// The entries dated in the day, in stored order, all kinds.
QList<WorkEntry> entriesOnDay(const RecordView &record, Instant day);

// First instant of the rolling week: today and the six calendar days before it.
Instant rollingWeekStart(const Calendar &calendar, Instant now);

// Blank cells up to the month's first weekday, then the first instant of each day of the month.
QList<std::optional<Instant>> monthCells(const Calendar &calendar, Instant month);
