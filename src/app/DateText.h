// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates as the windows show them: in the order and with the names of the user's locale, built
// from the locale's own long date format. A locale without names of its own (the C locale, and
// a few whose narrow weekday names are digits) reads in English.
namespace DateText {

// The weekday's name (LongFormat) or letter (NarrowFormat), counting from Monday = 1 as QDate
// does.
QString weekdayName(int weekday, QLocale::FormatType type, const QLocale &locale);

// Full weekday, short month and day: "Sunday, Mar 8", "Sonntag, 8. März".
QString weekdayMonthDay(QDate date, const QLocale &locale);
// Full month and year: "March 2026", "März 2026".
QString monthYear(QDate date, const QLocale &locale);

} // namespace DateText
