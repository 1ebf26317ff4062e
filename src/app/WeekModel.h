// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "RowsModel.h"

// One day's bar on the card's chart.
struct DayBar {
    Instant day = 0;
    // The bar's share of the chart's height: the day's total against the longest day.
    double fraction = 0;
    bool worked = false;
    QString letter;
    bool isToday = false;
    bool selected = false;
    QString accessibleName;

    friend bool operator==(const DayBar &, const DayBar &) = default;
};

// The card's chart: the last seven days, oldest first, today last.
class WeekModel : public RowsModel<DayBar> {
public:
    explicit WeekModel(QObject *parent = nullptr);
};
