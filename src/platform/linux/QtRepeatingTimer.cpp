// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/QtRepeatingTimer.h"

#include <cmath>

QtRepeatingTimer::QtRepeatingTimer(QObject *parent) : RepeatingTimer(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &RepeatingTimer::fired);
}

void QtRepeatingTimer::start(double intervalSeconds, double toleranceSeconds)
{
    // Qt offers no free tolerance: whole-second accuracy where a second of slack is allowed,
    // otherwise the coarse timer (5 % of the interval).
    m_timer.setTimerType(toleranceSeconds >= 1.0 ? Qt::VeryCoarseTimer : Qt::CoarseTimer);
    m_timer.start(std::max(1, int(std::lround(intervalSeconds * 1000))));
}
