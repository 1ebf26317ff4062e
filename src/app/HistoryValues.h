// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "RecordView.h"

#include <QVariantMap>

// What the history window shows, as plain QML values, computed from the record at its moment.

// {week, streakEmoji, streak, bestDay, allTime}, from one stats().
QVariantMap historyTiles(const RecordView &record);
// {title, weekdays, cells: [{blank} or {day, number, label, worked, opacity, isToday,
// isSelected, isFuture}]}.
QVariantMap historyMonth(const RecordView &record, Instant month, Instant selectedDay);
// The detail panel of a day: {title, total, words, score, counting, countingSince, empty,
// chips, typingShown, typingSeconds, mousingSeconds, typingText, mousingText, hoursShown,
// hourBars, busiest, appsShown, apps, sessions}.
QVariantMap historyDetail(const RecordView &record, Instant day);
