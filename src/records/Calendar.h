// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"

#include <QLocale>
#include <QString>
#include <QTimeZone>

#include <optional>

// One local calendar day (or month) as the half-open interval [start, end).
struct DayInterval {
    Instant start = 0;
    Instant end = 0;
    bool contains(Instant t) const { return t >= start && t < end; }
};

// Day and month arithmetic in one time zone, with the locale's first weekday. Every day
// computation of the program goes through a Calendar, so tests can run in any zone.
class Calendar {
public:
    // firstWeekday: 1 = Sunday ... 7 = Saturday.
    Calendar(QTimeZone zone, int firstWeekday, QLocale locale = QLocale::c());

    // The user's zone, first weekday and locale as they are now. Such a calendar can follow later
    // changes of the system's zone (followSystemZone()).
    static Calendar system();
    // For a calendar made by system(): takes up the system's current zone when it is no longer
    // the one in use (the user travelled, the time settings re-pointed /etc/localtime). True when
    // the zone changed. Cheap enough for every tick; a calendar of a fixed zone never changes.
    bool followSystemZone();

    const QTimeZone &zone() const { return m_zone; }
    int firstWeekday() const { return m_firstWeekday; }
    const QLocale &locale() const { return m_locale; }

    QDate date(Instant t) const;
    // Local midnight of the day holding t (the first instant of that day when midnight is skipped).
    Instant startOfDay(Instant t) const;
    Instant startOfDay(QDate d) const;
    // [start of day, start of the next day); end is infinite when the next day cannot be formed.
    DayInterval dayInterval(Instant t) const;
    // The same wall-clock time n days (months) later; absent when the date cannot be formed.
    std::optional<Instant> addDays(Instant t, int days) const;
    std::optional<Instant> addMonths(Instant t, int months) const;
    // 1 = Sunday ... 7 = Saturday.
    int weekday(Instant t) const;
    int hour(Instant t) const;
    std::optional<DayInterval> monthInterval(Instant t) const;
    int daysInMonth(Instant t) const;
    // "yyyy-MM-dd" of the local day, independent of the user's language.
    QString dayKey(Instant t) const;
    // The start of the day named by a "yyyy-MM-dd" key; absent for anything else.
    std::optional<Instant> dayFromKey(QStringView key) const;

private:
    QDateTime local(Instant t) const;
    QDateTime firstInstantOf(QDate d) const;
    std::optional<Instant> instant(const QDateTime &dt) const;

    QTimeZone m_zone;
    int m_firstWeekday;
    QLocale m_locale;
    // The system zone's id as last seen, for a calendar that follows the system; empty otherwise.
    QByteArray m_systemZoneId;
};

// "yyyy-MM-dd" of a date.
QString dayKeyOfDate(QDate d);
// The date of a strict "yyyy-MM-dd" key (four-digit year, two-digit month and day, a real date).
QDate dateFromDayKey(QStringView key);
