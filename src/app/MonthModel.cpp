// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MonthModel.h"

// Not "opacity" but "tint": a delegate's required property of that name would be the item's own.
MonthModel::MonthModel(QObject *parent)
    : RowsModel({{"blank", [](const MonthCell &c) -> QVariant { return c.blank; }},
                 {"day", [](const MonthCell &c) -> QVariant { return c.day; }},
                 {"number", [](const MonthCell &c) -> QVariant { return c.number; }},
                 {"label", [](const MonthCell &c) -> QVariant { return c.label; }},
                 {"worked", [](const MonthCell &c) -> QVariant { return c.worked; }},
                 {"tint", [](const MonthCell &c) -> QVariant { return c.opacity; }},
                 {"isToday", [](const MonthCell &c) -> QVariant { return c.isToday; }},
                 {"isSelected", [](const MonthCell &c) -> QVariant { return c.isSelected; }},
                 {"isFuture", [](const MonthCell &c) -> QVariant { return c.isFuture; }}},
                parent)
{}
