// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clock.h"
#include "Process.h"

#include <QTextStream>

// `tockly report [--day yyyy-MM-dd] [--json]`: the day's figures and the records, read from the
// data folder without locking or changing it, so it works while the application runs. Exit
// status 0, or 2 for a usage error.
int runReport(const Process &process, const Clock &clock, QTextStream &out, QTextStream &err);
