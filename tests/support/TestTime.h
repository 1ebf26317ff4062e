// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "Instant.h"

#include <QDateTime>
#include <QTimeZone>

// Instants written as local wall-clock text ("2026-03-10 10:00", seconds and milliseconds
// optional) in a named zone, for readable tests.
inline Instant localInstant(const QTimeZone &zone, const char *text)
{
    const QDateTime dt = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs);
    Q_ASSERT(dt.isValid());
    return instantFromDateTime(QDateTime(dt.date(), dt.time(), zone));
}

inline Calendar zoneCalendar(const char *zone)
{
    return Calendar(QTimeZone(QByteArray(zone)), 2);
}

inline Instant utcInstant(const char *text)
{
    return localInstant(QTimeZone::utc(), text);
}
