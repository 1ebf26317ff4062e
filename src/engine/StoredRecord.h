// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "SettingsStore.h"
#include "WorkEntry.h"

#include <QStringList>

// The record as the application would see it at its next start, read without taking the data
// folder's lock and without writing, moving or migrating anything: for tools that run beside the
// application.
struct StoredRecord {
    QList<WorkEntry> entries;
    ActivityByDay activity;
    // A segment the running application has open; it counts up to now.
    std::optional<Instant> segmentStart;
    double goalSeconds = 0;
    // One line per stored file that exists but could not be read.
    QStringList problems;
};

StoredRecord readStoredRecord(const QString &dataFolder, const SettingsStore &settings,
                              const Calendar &calendar, Instant now);
