// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "RowsModel.h"

// One cell of the history's month grid: a blank before the month's first day, or a day.
struct MonthCell {
    bool blank = true;
    Instant day = 0;
    int number = 0;
    // "45m", "2h5"; empty without worked time.
    QString label;
    bool worked = false;
    // Of the cell's tint: coral with worked time, a faint ink otherwise.
    double opacity = 0;
    bool isToday = false;
    bool isSelected = false;
    bool isFuture = false;

    friend bool operator==(const MonthCell &, const MonthCell &) = default;
};

// The history's month grid: blanks up to the first weekday, then one cell per day.
class MonthModel : public RowsModel<MonthCell> {
public:
    explicit MonthModel(QObject *parent = nullptr);
};
