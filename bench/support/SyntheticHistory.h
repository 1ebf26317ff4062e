// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "RecordView.h"
#include "WorkEntry.h"

#include <QList>

#include <optional>

// A deterministic work record for benchmarks: every day of `days` ending the day before `now` is
// a working day with about `perDay` timed entries that never cross midnight, a few added and
// removed entries, and a full activity record. The same arguments give the same record.
struct SyntheticHistory {
    QList<WorkEntry> entries;
    ActivityByDay activity;
    std::optional<Instant> segmentStart;
};

SyntheticHistory makeSyntheticHistory(const Calendar &calendar, Instant now, int days,
                                      int perDay = 30, unsigned seed = 1);

// The record the statistics and window benchmarks share: `days` of history in Berlin, weeks from
// Monday, English texts, a four-hour goal, seen on 2026-12-07 at 15:00.
struct SyntheticRecord {
    explicit SyntheticRecord(int days);

    Calendar calendar;
    Instant now;
    SyntheticHistory history;

    RecordView view() const;
};

// Strips "--quick" from the arguments; true when it was there. Benchmarks run once under ctest
// with a small record so that they never rot.
bool takeQuickFlag(int &argc, char **argv);
