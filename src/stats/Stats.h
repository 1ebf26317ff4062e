// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecordView.h"

// The records shown in the history window's tiles.
struct Stats {
    double last7Days = 0;
    double allTime = 0;
    std::optional<Instant> bestDay;
    double bestDayTotal = 0;
    qint64 streak = 0;

    friend bool operator==(const Stats &, const Stats &) = default;
};

inline constexpr qint64 kMaxStreak = 3650;

Stats stats(const RecordView &record);
// Consecutive working days ending today, or yesterday while today has no work yet.
qint64 currentStreak(const RecordView &record);

struct GoalProgress {
    double fraction = 0; // 0 ... 1
    int percent = 0;     // whole percent, cut, not rounded
    bool reached = false;
};
// Progress toward the daily goal; absent when there is no goal.
std::optional<GoalProgress> goalProgress(double todayTotal, double goalSeconds);
