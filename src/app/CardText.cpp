// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CardText.h"

#include "DurationText.h"
#include "MacWorkStore.h"
#include "PluralCount.h"

#include <QCoreApplication>

#include <algorithm>

namespace CardText {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(CardText)
};

} // namespace

QString streakBadge(qint64 streak)
{
    if (streak <= 1)
        return {};
    if (streak == 7)
        //: Seven days in a row: the lucky number.
        return Text::tr("🍀 777 streak!");
    return Text::tr("🔥 %n-day streak", nullptr, pluralCount(streak));
}

QString rankMark(int position)
{
    switch (position) {
    case 0:
        return QStringLiteral("👑");
    case 1:
        return QStringLiteral("🥈");
    case 2:
        return QStringLiteral("🥉");
    default:
        //: A place on the crew's board, after the first three: 4., 5., ...
        return Text::tr("%1.").arg(position + 1);
    }
}

double chartScale(const QList<double> &seconds)
{
    double scale = 3600;
    for (double s : seconds)
        scale = std::max(scale, s);
    return scale;
}

QString goalLabel(bool reached, int percent, double goalSeconds)
{
    if (reached)
        return Text::tr("goal reached! 🎉");
    //: %1 is the daily goal (4h 0m), %2 the percentage of it done.
    return Text::tr("goal %1 · %2%").arg(durationText(goalSeconds)).arg(percent);
}

QString goalAccessibleName(int percent)
{
    return Text::tr("Daily goal %1 percent complete").arg(percent);
}

QList<GoalChoice> goalChoices()
{
    //: No daily goal.
    QList<GoalChoice> choices{{Text::tr("Off"), 0}};
    for (double s = MacWorkStore::goalStep; s <= MacWorkStore::longestGoal;
         s += MacWorkStore::goalStep)
        //: A daily goal of so many hours.
        choices.append({Text::tr("%1h").arg(qint64(s / 3600)), s});
    return choices;
}

} // namespace CardText
