// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "WorkEntry.h"

#include <QList>

#include <optional>

// How an older version kept the entries: one settings value holding the list and the segment that
// was open. Only read, once, to move it into the entries file.
struct Saved {
    QList<WorkEntry> entries;
    std::optional<Instant> segmentStart;
    std::optional<Instant> lastTick;
};

// {"entries": [...], "segmentStart": 1.0, "lastTick": 2.0}; "entries" is required.
std::optional<Saved> decodeSaved(QByteArrayView json);
