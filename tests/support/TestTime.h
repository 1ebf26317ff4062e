#pragma once

#include "Calendar.h"
#include "Instant.h"

#include <QDateTime>
#include <QTimeZone>

// Instants written as local wall-clock text in a named zone, for readable tests.
inline Instant localInstant(const QTimeZone &zone, const char *text)
{
    QDateTime dt;
    for (const char *format :
         {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm"})
        if (!dt.isValid())
            dt = QDateTime::fromString(QString::fromLatin1(text), QString::fromLatin1(format));
    Q_ASSERT(dt.isValid());
    return instantFromDateTime(QDateTime(dt.date(), dt.time(), zone));
}

inline Calendar zoneCalendar(const char *zone, int firstWeekday = 2)
{
    return Calendar(QTimeZone(QByteArray(zone)), firstWeekday);
}

inline Instant utcInstant(const char *text)
{
    return localInstant(QTimeZone::utc(), text);
}
