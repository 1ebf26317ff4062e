// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyncSetting.h"

#include "Json.h"
#include "WorkEntry.h"

#include <QJsonObject>

QByteArray encodeSyncSetting(const SyncSetting &s)
{
    QJsonObject o{{"id", uuidText(s.id)}, {"published", s.published}};
    if (!s.folder.isEmpty())
        o.insert(QLatin1String("folder"), s.folder);
    if (!s.name.isEmpty())
        o.insert(QLatin1String("name"), s.name);
    return writeJson(o);
}

std::optional<SyncSetting> decodeSyncSetting(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    const QJsonObject o = doc->toObject();
    const QJsonValue folder = o.value(QLatin1String("folder"));
    const QJsonValue id = o.value(QLatin1String("id"));
    const QJsonValue name = o.value(QLatin1String("name"));
    const QJsonValue published = o.value(QLatin1String("published"));
    const auto uuid = id.isString() ? uuidFromText(id.toString().toStdString()) : std::nullopt;
    if (!uuid || !published.isBool() || !(folder.isString() || folder.isUndefined()) ||
        !(name.isString() || name.isUndefined()))
        return std::nullopt;
    return SyncSetting{folder.toString(), *uuid, name.toString(), published.toBool()};
}
