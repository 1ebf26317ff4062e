// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "RecordView.h"

#include <QList>

#include <span>

// The record of someone who works on several computers, as the statistics read it: worked time
// is the union of every computer's stretches (two computers used at the same moment count once),
// counts are summed. It is merged one window of time at a time (a month), so that a change to
// one month is merged again alone.

// No stretch is longer: the tracker cuts its segments at local midnights, and other computers'
// files that hold a longer one are refused.
inline constexpr double kLongestStretch = 2 * 86400;

// Adds the counters of `part` to `sum`, hour by hour and application by application.
void addActivity(DayActivity &sum, const DayActivity &part);

// What one window of time merges to.
struct MergedWindow {
    // By date: the union of the timed stretches (one that overlaps no other is kept as it was;
    // the others become one stretch, cut at local midnights and the window's edges), and the
    // entries that are no stretch (added, removed) as they were.
    QList<WorkEntry> entries;
    // Where the merged stretch that holds the running segment begins, when the segment reaches
    // into the window. That stretch is left out of `entries`: it is still running.
    std::optional<Instant> runningFrom;

    friend bool operator==(const MergedWindow &, const MergedWindow &) = default;
};

// The entries of every computer that lie in `window` (dated in it, or for stretches, reaching
// into it), each computer given as its date index (RecordView::indexByDate). `segmentStart` is
// this computer's running segment, which goes on past the window's end.
MergedWindow mergeWindow(std::span<const RecordView::DateIndex *const> computers,
                         std::optional<Instant> segmentStart, const DayInterval &window,
                         const Calendar &calendar);
