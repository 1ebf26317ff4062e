// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ExportDocument.h"

#include "PluralCount.h"

#include <QCoreApplication>

#include <algorithm>
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
    return QCoreApplication::translate("ExportDocument", "Exported %n entries ✓", nullptr,
                                       pluralCount(count));
}
