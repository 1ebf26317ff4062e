// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Heartbeat.h"

#include "Json.h"

#include <QJsonObject>

QByteArray encodeHeartbeat(const Heartbeat &heartbeat)
{
    QByteArray out = "{\"lastTick\":";
    appendJsonNumber(out, heartbeat.lastTick);
    if (heartbeat.segmentStart) {
        out.append(",\"segmentStart\":");
        appendJsonNumber(out, *heartbeat.segmentStart);
    }
    out.append('}');
    return out;
}

std::optional<Heartbeat> decodeHeartbeat(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    const QJsonValue lastTick = o.value(QLatin1String("lastTick"));
    const QJsonValue start = o.value(QLatin1String("segmentStart"));
    if (!lastTick.isDouble())
        return std::nullopt;
    Heartbeat heartbeat{std::nullopt, lastTick.toDouble()};
    if (start.isDouble())
        heartbeat.segmentStart = start.toDouble();
    else if (!start.isUndefined() && !start.isNull())
        return std::nullopt;
    return heartbeat;
}
