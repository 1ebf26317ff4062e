// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Saved.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

// Absent or null gives none; another type fails.
bool optionalInstant(const QJsonObject &o, const char *key, std::optional<Instant> &target)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isDouble())
        target = v.toDouble();
    return v.isDouble() || v.isUndefined() || v.isNull();
}

} // namespace

std::optional<Saved> decodeSaved(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    const QJsonValue entries = o.value(QLatin1String("entries"));
    if (!entries.isArray())
        return std::nullopt;
    Saved saved;
    for (const QJsonValue &v : entries.toArray()) {
        auto entry = workEntryFromJson(v);
        if (!entry)
            return std::nullopt;
        saved.entries.append(*entry);
    }
    if (!optionalInstant(o, "segmentStart", saved.segmentStart) ||
        !optionalInstant(o, "lastTick", saved.lastTick))
        return std::nullopt;
    return saved;
}
