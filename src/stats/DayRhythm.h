// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecordView.h"

#include <QList>
#include <QPair>

// How a day went: its stretches of work and the breaks between them.
struct DayRhythm {
    std::optional<Instant> firstInput;
    std::optional<Instant> lastInput;
    double longestStretch = 0;
    double deepWork = 0; // stretches of 25 minutes or more, summed
    qint64 breaks = 0;

    friend bool operator==(const DayRhythm &, const DayRhythm &) = default;
};

inline constexpr double kDeepWorkSeconds = 1500;

DayRhythm rhythm(const RecordView &record, Instant day, Instant now);
// Minutes worked + deep-work minutes + words / 10 + clicks / 25 + scrolls / 200, rounded.
qint64 score(const RecordView &record, Instant day, Instant now);

std::optional<DayActivity> activityOnDay(const RecordView &record, Instant day);
// Five keystrokes make a word.
qint64 words(const std::optional<DayActivity> &activity);
// Whole words per minute of typing; 0 under a minute of typing.
qint64 typingPace(const std::optional<DayActivity> &activity);

struct BusiestHour {
    int hour = 0;
    qint64 keys = 0;
    qint64 words = 0;
};
BusiestHour busiestHour(const DayActivity &activity);

// Up to five applications with the most seconds, most first.
QList<QPair<QString, double>> topApps(const DayActivity &activity);
