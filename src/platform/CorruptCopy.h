// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QString>

// Moves a stored file that could not be read back out of the way, so the next save does not
// destroy what the user may still recover by hand: "entries.json" becomes
// "entries.json.corrupt-20261207-101500" (local time). Only the newest `keep` copies of one file
// are kept. Returns the new path, or nothing when the file could not be moved.
QString keepCorruptCopy(const QString &path, const QDateTime &when, int keep = 3);
