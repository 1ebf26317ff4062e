// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WeekModel.h"

WeekModel::WeekModel(QObject *parent)
    : RowsModel({{"day", [](const DayBar &d) -> QVariant { return d.day; }},
                 {"fraction", [](const DayBar &d) -> QVariant { return d.fraction; }},
                 {"worked", [](const DayBar &d) -> QVariant { return d.worked; }},
                 {"letter", [](const DayBar &d) -> QVariant { return d.letter; }},
                 {"isToday", [](const DayBar &d) -> QVariant { return d.isToday; }},
                 {"selected", [](const DayBar &d) -> QVariant { return d.selected; }},
                 {"accessibleName", [](const DayBar &d) -> QVariant { return d.accessibleName; }}},
                parent)
{}
