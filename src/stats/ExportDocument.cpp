// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportDocument.h"

#include <QCoreApplication>

#include <algorithm>
#include <climits>
#include <cmath>

std::optional<QByteArray> exportData(std::span<const WorkEntry> entries)
{
    const bool finite = std::all_of(entries.begin(), entries.end(), [](const WorkEntry &e) {
        return std::isfinite(e.date) && std::isfinite(e.seconds);
    });
    if (!finite)
        return std::nullopt;
    return encodeEntries(entries, JsonStyle::pretty);
}

QString exportedMessage(qsizetype count)
{
    const int n = int(std::min<qsizetype>(count, INT_MAX));
    return QCoreApplication::translate("ExportDocument", "Exported %n entries ✓", nullptr, n);
}
