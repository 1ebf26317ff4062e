// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HistoryText.h"

#include "DateText.h"
#include "DurationText.h"
#include "PluralCount.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace HistoryText {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(HistoryText)
};

constexpr double kFullTintSeconds = 6 * 3600;

QString grouped(qint64 n, const QLocale &locale)
{
    return locale.toString(n);
}

// "11 PM" where the locale's clock has AM and PM, else "23:00".
QString hourLabel(int hour, const QLocale &locale)
{
    const bool twelveHours =
        locale.timeFormat(QLocale::ShortFormat).contains(u'a', Qt::CaseInsensitive);
    return locale.toString(QTime(hour % 24, 0),
                           twelveHours ? QStringLiteral("h AP") : QStringLiteral("H:mm"));
}

} // namespace

QString streakEmoji(qint64 streak)
{
    return streak >= 7 ? QStringLiteral("🍀") : QStringLiteral("🔥");
}

QString bestDayValue(const Stats &stats)
{
    return stats.bestDay ? durationText(stats.bestDayTotal) : QStringLiteral("—");
}

QString compactLabel(double seconds)
{
    const qint64 s = wholeSeconds(seconds);
    const qint64 h = s / 3600;
    const qint64 m = (s - 3600 * h) / 60;
    if (s < 3600)
        return QStringLiteral("%1m").arg(m);
    if (s - 3600 * h >= 60)
        return QStringLiteral("%1h%2").arg(h).arg(m);
    return QStringLiteral("%1h").arg(h);
}

CellTint cellTint(double seconds)
{
    if (!(seconds > 0))
        return {false, 0.04};
    const double fraction = std::min(seconds / kFullTintSeconds, 1.0);
    return {true, 0.12 + 0.55 * fraction};
}

QString dayTitle(Instant day, Instant now, const Calendar &calendar)
{
    const QDate date = calendar.date(day);
    const QDate today = calendar.date(now);
    if (date == today)
        return Text::tr("Today");
    if (date == today.addDays(-1))
        return Text::tr("Yesterday");
    return DateText::weekdayMonthDay(date, calendar.locale());
}

QString monthTitle(Instant month, const Calendar &calendar)
{
    return DateText::monthYear(calendar.date(month), calendar.locale());
}

QStringList weekdayHeader(const Calendar &calendar)
{
    QStringList names;
    for (int i = 0; i < 7; ++i) {
        // Calendar weekdays count from Sunday = 1; Qt's from Monday = 1.
        const int weekday = (calendar.firstWeekday() - 1 + i) % 7; // 0 = Sunday
        names << DateText::weekdayName(weekday == 0 ? 7 : weekday, QLocale::NarrowFormat,
                                       calendar.locale());
    }
    return names;
}

QString shortTime(Instant t, const Calendar &calendar)
{
    const QDateTime local =
        QDateTime::fromMSecsSinceEpoch(qint64(std::floor(unixMSecs(t))), calendar.zone());
    // Qt 6.5 and later (CLDR 42) put a narrow no-break space before AM and PM: the same text on
    // every release.
    return calendar.locale()
        .toString(local.time(), QLocale::ShortFormat)
        .replace(QChar(0x202F), u' ');
}

QString wordsLine(qint64 keys, const QLocale &locale)
{
    //: %1 is the number of words (a word is 5 keystrokes), %2 of keystrokes.
    return Text::tr("⌨️ ~%1 words typed · %2 keystrokes")
        .arg(grouped(keys / 5, locale), grouped(keys, locale));
}

QString busiestLine(const BusiestHour &busiest, const QLocale &locale)
{
    //: The busiest hour of the day: from %1 to %2, about %3 words typed in it.
    return Text::tr("busiest %1 – %2 · ~%3 words")
        .arg(hourLabel(busiest.hour, locale), hourLabel(busiest.hour + 1, locale),
             grouped(busiest.keys / 5, locale));
}

QList<Chip> chips(const DayRhythm &rhythm, const std::optional<DayActivity> &activity,
                  const Calendar &calendar)
{
    const QLocale &locale = calendar.locale();
    QList<Chip> out;
    if (rhythm.firstInput && rhythm.lastInput && *rhythm.lastInput > *rhythm.firstInput)
        out.append({QStringLiteral("span"), QStringLiteral("🕰"),
                    shortTime(*rhythm.firstInput, calendar) + QStringLiteral(" – ") +
                        shortTime(*rhythm.lastInput, calendar),
                    Text::tr("day span")});
    if (rhythm.deepWork > 0)
        out.append({QStringLiteral("deep"), QStringLiteral("🎯"), durationText(rhythm.deepWork),
                    Text::tr("deep work (25m+ blocks)")});
    if (rhythm.longestStretch > 0)
        out.append(
            {QStringLiteral("stretch"), QStringLiteral("🏃"), durationText(rhythm.longestStretch),
             rhythm.breaks == 1
                 ? Text::tr("longest stretch · 1 break")
                 : Text::tr("longest stretch · %n breaks", nullptr, pluralCount(rhythm.breaks))});
    if (!activity)
        return out;
    const DayActivity &a = *activity;
    if (a.clicks > 0)
        out.append({QStringLiteral("clicks"), QStringLiteral("🖱"), grouped(a.clicks, locale),
                    Text::tr("clicks")});
    if (a.scrolls > 0)
        out.append({QStringLiteral("scrolls"), QStringLiteral("🌀"), grouped(a.scrolls, locale),
                    Text::tr("scroll flicks")});
    if (a.modifierTaps >= 2)
        out.append({QStringLiteral("mods"), QStringLiteral("⇧"),
                    QStringLiteral("~") + grouped(a.modifierTaps / 2, locale),
                    //: Presses of Shift, Ctrl, Alt and the like.
                    Text::tr("modifier presses")});
    if (a.appSwitches > 0)
        out.append({QStringLiteral("switches"), QStringLiteral("🔀"), grouped(a.appSwitches, locale),
                    Text::tr("app switches")});
    return out;
}

bool typingBarShown(const DayActivity &activity)
{
    return activity.typingSeconds + activity.mousingSeconds >= 60;
}

double typingShare(const DayActivity &activity)
{
    const double total = activity.typingSeconds + activity.mousingSeconds;
    return total > 0 ? activity.typingSeconds / total : 0;
}

bool topAppsShown(const QList<QPair<QString, double>> &apps)
{
    return !apps.isEmpty() && apps.first().second >= 60;
}

QString sessionSymbol(WorkEntry::Kind kind)
{
    switch (kind) {
    case WorkEntry::Kind::added:
        return QStringLiteral("plus");
    case WorkEntry::Kind::removed:
        return QStringLiteral("minus");
    case WorkEntry::Kind::timed:
        break;
    }
    return QStringLiteral("keyboard");
}

QString sessionTitle(const WorkEntry &entry)
{
    switch (entry.kind) {
    case WorkEntry::Kind::added:
        //: Time added to the record by hand; %1 is how much.
        return Text::tr("Added %1").arg(durationText(entry.seconds));
    case WorkEntry::Kind::removed:
        //: Time taken off the record by hand; %1 is how much.
        return Text::tr("Removed %1").arg(durationText(std::abs(entry.seconds)));
    case WorkEntry::Kind::timed:
        break;
    }
    return Text::tr("Worked %1").arg(durationText(entry.seconds));
}

QString sessionTimes(const WorkEntry &entry, const Calendar &calendar)
{
    if (entry.kind != WorkEntry::Kind::timed)
        //: %1 is a time of day.
        return Text::tr("at %1").arg(shortTime(entry.date, calendar));
    return shortTime(entry.date, calendar) + QStringLiteral(" – ") +
           shortTime(entry.date + entry.seconds, calendar);
}

} // namespace HistoryText
