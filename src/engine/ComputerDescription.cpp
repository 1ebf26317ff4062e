// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ComputerDescription.h"

#include "Json.h"
#include "SyncFiles.h"
#include "WorkEntry.h"

#include <QJsonObject>

QByteArray encodeComputerDescription(const ComputerDescription &d)
{
    return writeJson(QJsonObject{
        {"format", kSyncFormat}, {"id", uuidText(d.id)}, {"machine", d.machine}, {"name", d.name}});
}

std::optional<ComputerDescription> decodeComputerDescription(QByteArrayView json)
{
    const auto o = syncObject(json);
    if (!o)
        return std::nullopt;
    const QJsonValue id = o->value(QLatin1String("id"));
    const QJsonValue name = o->value(QLatin1String("name"));
    const QJsonValue machine = o->value(QLatin1String("machine"));
    if (!id.isString() || !name.isString() || !machine.isString())
        return std::nullopt;
    const auto uuid = uuidFromText(id.toString().toStdString());
    const QString n = name.toString();
    if (!uuid || n.isEmpty() || n.size() > 200 || machine.toString().isEmpty())
        return std::nullopt;
    return ComputerDescription{*uuid, n, machine.toString()};
}
