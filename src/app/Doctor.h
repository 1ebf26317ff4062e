// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"

#include <QTextStream>

// `tockly doctor`: which backend serves each service on this session and why, for users and bug
// reports. Reads and probes only; starts no tracking.
int runDoctor(const Process &process, QTextStream &out);
