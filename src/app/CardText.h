// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The card's small rules of presentation, kept out of QML so that their tables can be tested
// without a window.
namespace CardText {

// Nothing for a streak of 1 or less, the lucky badge at exactly 7, the fire badge otherwise.
QString streakBadge(qint64 streak);

// "👑", "🥈", "🥉", then "4.", "5.", ... for a leaderboard position counted from 0.
QString rankMark(int position);

// The chart's full height stands for the longest day, but never for less than an hour.
double chartScale(const QList<double> &seconds);

QString goalLabel(bool reached, int percent, double goalSeconds);
QString goalAccessibleName(int percent);

struct GoalChoice {
    QString label;
    double seconds = 0;
};
// "Off", then every goal the store keeps, in hours.
QList<GoalChoice> goalChoices();

} // namespace CardText
