// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CardText.h"

#include "DurationText.h"
#include "MacWorkStore.h"

#include <algorithm>

namespace CardText {

QString streakBadge(qint64 streak)
{
    if (streak <= 1)
        return {};
    if (streak == 7)
        return QStringLiteral("🍀 777 streak!");
    return QStringLiteral("🔥 %1-day streak").arg(streak);
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
        return QStringLiteral("%1.").arg(position + 1);
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
        return QStringLiteral("goal reached! 🎉");
    return QStringLiteral("goal %1 · %2%").arg(durationText(goalSeconds)).arg(percent);
}

QString goalAccessibleName(int percent)
{
    return QStringLiteral("Daily goal %1 percent complete").arg(percent);
}

QList<GoalChoice> goalChoices()
{
    QList<GoalChoice> choices{{QStringLiteral("Off"), 0}};
    for (double s = MacWorkStore::goalStep; s <= MacWorkStore::longestGoal;
         s += MacWorkStore::goalStep)
        choices.append({QStringLiteral("%1h").arg(qint64(s / 3600)), s});
    return choices;
}

} // namespace CardText
