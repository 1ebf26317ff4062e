#pragma once

#include "Calendar.h"
#include "Instant.h"

#include <QDateTime>
#include <QTimeZone>

// Instants written as local wall-clock text in a named zone, for readable tests.
inline Instant localInstant(const QTimeZone &zone, const char *text)
{
    const QDateTime dt =
        QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    const QDateTime plain = dt.isValid()
                                ? dt
                                : QDateTime::fromString(QString::fromLatin1(text),
                                                        QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QDateTime shortForm =
        plain.isValid()
            ? plain
            : QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm"));
    Q_ASSERT(shortForm.isValid());
    return instantFromDateTime(QDateTime(shortForm.date(), shortForm.time(), zone));
}

inline Calendar zoneCalendar(const char *zone, int firstWeekday = 2)
{
    return Calendar(QTimeZone(QByteArray(zone)), firstWeekday);
}

inline Instant utcInstant(const char *text)
{
    return localInstant(QTimeZone::utc(), text);
}
