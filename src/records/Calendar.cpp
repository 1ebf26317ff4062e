// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Calendar.h"

#include <cmath>
#include <limits>

Calendar::Calendar(QTimeZone zone, int firstWeekday, QLocale locale)
    : m_zone(std::move(zone)), m_firstWeekday(firstWeekday), m_locale(std::move(locale))
{}

Calendar Calendar::system()
{
    const int qtDay = QLocale::system().firstDayOfWeek(); // 1 = Monday ... 7 = Sunday
    Calendar calendar(QTimeZone::systemTimeZone(), qtDay % 7 + 1, QLocale::system());
    calendar.m_systemZoneId = QTimeZone::systemTimeZoneId();
    return calendar;
}

bool Calendar::followSystemZone()
{
    if (m_systemZoneId.isEmpty())
        return false;
    // Qt looks at $TZ and at which file /etc/localtime is on every call (three stat() calls), so
    // a re-pointed link shows at once.
    const QByteArray id = QTimeZone::systemTimeZoneId();
    if (id.isEmpty() || id == m_systemZoneId)
        return false;
    m_systemZoneId = id;
    m_zone = QTimeZone::systemTimeZone();
    return true;
}

QDateTime Calendar::local(Instant t) const
{
    // Round down, so an instant a fraction of a millisecond before midnight stays in its day.
    return QDateTime::fromMSecsSinceEpoch(qint64(std::floor(unixMSecs(t))), m_zone);
}

std::optional<Instant> Calendar::instant(const QDateTime &dt) const
{
    if (!dt.isValid())
        return std::nullopt;
    return instantFromDateTime(dt);
}

QDate Calendar::date(Instant t) const
{
    return local(t).date();
}

QDateTime Calendar::firstInstantOf(QDate d) const
{
    // A date skipped by the zone (Pacific/Apia left out 2011-12-30) begins where the next
    // existing date begins.
    for (int skipped = 0; skipped < 3 && d.isValid(); ++skipped, d = d.addDays(1)) {
        const QDateTime start = d.startOfDay(m_zone);
        if (start.isValid())
            return start;
    }
    return {};
}

Instant Calendar::startOfDay(QDate d) const
{
    return instantFromDateTime(firstInstantOf(d));
}

Instant Calendar::startOfDay(Instant t) const
{
    return startOfDay(date(t));
}

DayInterval Calendar::dayInterval(Instant t) const
{
    const QDate d = date(t);
    const Instant start = startOfDay(d);
    const QDateTime end = firstInstantOf(d.addDays(1));
    // Where the next day cannot be formed the day runs on, so "until now" bounds it instead.
    return {start,
            end.isValid() ? instantFromDateTime(end) : std::numeric_limits<double>::infinity()};
}

std::optional<Instant> Calendar::addDays(Instant t, int days) const
{
    const QDateTime dt = local(t);
    const double fraction = unixMSecs(t) - std::floor(unixMSecs(t));
    // Keep the wall-clock time; where it does not exist that day, Qt moves it past the gap.
    QDateTime moved(dt.date().addDays(days), dt.time(), m_zone);
    if (!moved.isValid())
        moved = firstInstantOf(dt.date().addDays(days));
    auto result = instant(moved);
    if (result)
        *result += fraction / 1000.0;
    return result;
}

std::optional<Instant> Calendar::addMonths(Instant t, int months) const
{
    const QDateTime dt = local(t);
    QDateTime moved(dt.date().addMonths(months), dt.time(), m_zone);
    if (!moved.isValid())
        moved = firstInstantOf(dt.date().addMonths(months));
    return instant(moved);
}

int Calendar::weekday(Instant t) const
{
    return date(t).dayOfWeek() % 7 + 1;
}

int Calendar::hour(Instant t) const
{
    return local(t).time().hour();
}

std::optional<DayInterval> Calendar::monthInterval(Instant t) const
{
    const QDate d = date(t);
    if (!d.isValid())
        return std::nullopt;
    const QDate first(d.year(), d.month(), 1);
    const QDateTime start = firstInstantOf(first);
    const QDateTime end = firstInstantOf(first.addMonths(1));
    if (!start.isValid() || !end.isValid())
        return std::nullopt;
    return DayInterval{instantFromDateTime(start), instantFromDateTime(end)};
}

int Calendar::daysInMonth(Instant t) const
{
    const QDate d = date(t);
    return d.isValid() ? d.daysInMonth() : 0;
}

QString Calendar::dayKey(Instant t) const
{
    return dayKeyOfDate(date(t));
}

std::optional<Instant> Calendar::dayFromKey(QStringView key) const
{
    const QDate d = dateFromDayKey(key);
    if (!d.isValid())
        return std::nullopt;
    return instant(d.startOfDay(m_zone));
}

QString dayKeyOfDate(QDate d)
{
    return QString::asprintf("%04d-%02d-%02d", d.year(), d.month(), d.day());
}

QDate dateFromDayKey(QStringView key)
{
    if (key.size() != 10 || key[4] != u'-' || key[7] != u'-')
        return {};
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            if (key[i] < u'0' || key[i] > u'9')
                return -1;
            value = value * 10 + (key[i].unicode() - u'0');
        }
        return value;
    };
    const int y = number(0, 4), m = number(5, 2), d = number(8, 2);
    if (y < 0 || m < 0 || d < 0 || !QDate::isValid(y, m, d))
        return {};
    return QDate(y, m, d);
}
