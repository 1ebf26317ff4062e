// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "WorkEntry.h"

#include <QList>

// A stretch of work as timed entries, one per local day it touches: split at each local midnight,
// pieces under a second dropped, at most 60 pieces (the rest of an absurdly long stretch is not
// recorded).
QList<WorkEntry> segmentPieces(const Calendar &calendar, Instant from, Instant to);
