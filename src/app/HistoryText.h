// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Calendar.h"
#include "DayActivity.h"
#include "DayRhythm.h"
#include "Stats.h"
#include "WorkEntry.h"

#include <QList>
#include <QString>

#include <optional>

// The history window's small rules of presentation, kept out of QML so that their tables can be
// tested without a window.
namespace HistoryText {

// The streak tile's emoji: the lucky one from a week on.
QString streakEmoji(qint64 streak);
// durationText of the best day's total, or "—" without one.
QString bestDayValue(const Stats &stats);

// The calendar cell's label: "45m", "2h5", "3h" (seconds rounded to whole ones first).
QString compactLabel(double seconds);
// The cell's fill: coral up to full at 6 hours when the day has worked time, a faint ink
// otherwise.
struct CellTint {
    bool worked = false;
    double opacity = 0;
};
CellTint cellTint(double seconds);

// "Today", "Yesterday", or the day as wide weekday, short month and day number, in the locale's
// order.
QString dayTitle(Instant day, Instant now, const Calendar &calendar);
// Wide month name and year, in the locale's order.
QString monthTitle(Instant month, const Calendar &calendar);
// Very short weekday names (English letters where the locale has none), the calendar's first
// weekday first.
QStringList weekdayHeader(const Calendar &calendar);
// A time of day in the short style of the calendar's locale, in its zone.
QString shortTime(Instant t, const Calendar &calendar);

// "⌨️ ~246 words typed · 1,234 keystrokes".
QString wordsLine(qint64 keys, const QLocale &locale);
// "busiest 11 PM – 12 AM · ~42 words".
QString busiestLine(const BusiestHour &busiest, const QLocale &locale);

struct Chip {
    QString id, emoji, value, label;

    friend bool operator==(const Chip &, const Chip &) = default;
};
// The rhythm chips in their fixed order; those built from counters only with an activity record.
QList<Chip> chips(const DayRhythm &rhythm, const std::optional<DayActivity> &activity,
                  const Calendar &calendar);

// Whether the typing against mousing bar is shown, and its typing part's share of the bar.
bool typingBarShown(const DayActivity &activity);
double typingShare(const DayActivity &activity);
// Whether the top applications are shown: the first has a minute or more.
bool topAppsShown(const QList<QPair<QString, double>> &apps);

// A session row: "keyboard", "plus" or "minus"; "Worked 1h 5m", "Added 10m", "Removed 10m";
// "09:00 – 10:05" for a timed entry, "at 09:00" for the others.
QString sessionSymbol(WorkEntry::Kind kind);
QString sessionTitle(const WorkEntry &entry);
QString sessionTimes(const WorkEntry &entry, const Calendar &calendar);

} // namespace HistoryText
