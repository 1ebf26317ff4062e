// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Compact duration: "0m", "45s", "12m", "2h 5m". Hours are not wrapped at 24.
QString durationText(double seconds);
// A number of days: "1 day", "12 days", in the user's language.
QString daysText(qint64 days);
// Running clock: "2:05:09".
QString clockText(double seconds);
// Whole seconds as the texts show them: negative and NaN count as 0, halves round away from
// zero, values beyond any real duration are clamped.
qint64 wholeSeconds(double seconds);
