// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyncFiles.h"

#include "Json.h"
#include "WorkEntry.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonObject>

SyncFile readSyncFile(const QString &path, qint64 largest)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {SyncFile::State::unreadable, {}};
    if (file.size() > largest)
        return {SyncFile::State::tooLarge, {}};
    // One byte more than allowed tells a file that grew meanwhile.
    QByteArray bytes = file.read(largest + 1);
    if (bytes.size() > largest)
        return {SyncFile::State::tooLarge, {}};
    return {SyncFile::State::read, std::move(bytes)};
}

namespace {

std::optional<QJsonObject> object(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isObject())
        return std::nullopt;
    return doc->toObject();
}

} // namespace

int syncFormatOf(QByteArrayView json)
{
    const auto o = object(json);
    const qint64 format = o ? o->value(QLatin1String("format")).toInteger(0) : 0;
    return format > 0 && format <= 1000000 ? int(format) : 0;
}

std::optional<QJsonObject> syncObject(QByteArrayView json)
{
    auto o = object(json);
    if (!o || o->value(QLatin1String("format")).toInteger(0) != kSyncFormat)
        return std::nullopt;
    return o;
}

QString machineOf(QByteArrayView json)
{
    const auto o = object(json);
    return o ? o->value(QLatin1String("machine")).toString() : QString();
}

QString machineStamp(const QByteArray &machineId, const QUuid &computer)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(machineId);
    hash.addData(uuidText(computer).toLatin1());
    return QString::fromLatin1(hash.result().toHex().left(32));
}
