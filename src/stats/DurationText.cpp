// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DurationText.h"

#include "PluralCount.h"

#include <QCoreApplication>

#include <cmath>

qint64 wholeSeconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    // Far beyond any real duration, and still exactly convertible to a 64-bit integer.
    constexpr double limit = 1e15;
    return qint64(std::round(std::min(seconds, limit)));
}

QString durationText(double seconds)
{
    const qint64 n = wholeSeconds(seconds);
    if (n < 1)
        return QStringLiteral("0m");
    if (n < 60)
        return QStringLiteral("%1s").arg(n);
    if (n < 3600)
        return QStringLiteral("%1m").arg(n / 60);
    return QStringLiteral("%1h %2m").arg(n / 3600).arg((n % 3600) / 60);
}

QString clockText(double seconds)
{
    const qint64 n = wholeSeconds(seconds);
    return QString::asprintf("%lld:%02lld:%02lld", n / 3600, (n % 3600) / 60, n % 60);
}

QString daysText(qint64 days)
{
    // Its own text for one: English has no catalogue, and "%n days" alone would say "1 days".
    if (days == 1)
        return QCoreApplication::translate("DurationText", "1 day");
    return QCoreApplication::translate("DurationText", "%n days", nullptr, pluralCount(days));
}
