// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

// A point in time as seconds since 2001-01-01 00:00:00 UTC, with fraction. This is also the form
// in which instants are written to every data file.
using Instant = double;

inline constexpr double kUnixSecondsAt2001 = 978307200.0;

inline Instant instantFromUnixMSecs(qint64 msecs)
{
    return double(msecs) / 1000.0 - kUnixSecondsAt2001;
}

inline double unixMSecs(Instant t)
{
    return (t + kUnixSecondsAt2001) * 1000.0;
}

inline Instant instantFromDateTime(const QDateTime &dt)
{
    return instantFromUnixMSecs(dt.toMSecsSinceEpoch());
}
