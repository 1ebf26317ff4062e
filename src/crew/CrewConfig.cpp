// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewConfig.h"

#include "Json.h"

#include <QJsonArray>
#include <QJsonObject>

namespace CrewClient {

QJsonObject toJson(const Config &c)
{
    return {{"code", c.code},
            {"memberId", c.memberId},
            {"nickname", c.nickname},
            {"crewName", c.crewName}};
}

std::optional<Config> configFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const QJsonValue code = o.value(QLatin1String("code"));
    const QJsonValue memberId = o.value(QLatin1String("memberId"));
    const QJsonValue nickname = o.value(QLatin1String("nickname"));
    const QJsonValue crewName = o.value(QLatin1String("crewName"));
    if (!code.isString() || !memberId.isString() || !nickname.isString() || !crewName.isString())
        return std::nullopt;
    return Config{code.toString(), memberId.toString(), nickname.toString(), crewName.toString()};
}

QByteArray encodeConfigs(const QList<Config> &configs)
{
    QJsonArray a;
    for (const Config &c : configs)
        a.append(toJson(c));
    return writeJson(a);
}

std::optional<QList<Config>> decodeConfigs(QByteArrayView json)
{
    const auto doc = parseJson(json);
    if (!doc || !doc->isArray())
        return std::nullopt;
    QList<Config> configs;
    for (const QJsonValue &v : doc->toArray()) {
        auto c = configFromJson(v);
        if (!c)
            return std::nullopt;
        configs.append(*c);
    }
    return configs;
}

std::optional<Config> decodeConfig(QByteArrayView json)
{
    const auto doc = parseJson(json);
    return doc ? configFromJson(*doc) : std::nullopt;
}

QString trimmedNickname(const QString &typed)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    qsizetype first = 0;
    qsizetype end = typed.size();
    while (first < end && blank(typed[first]))
        ++first;
    while (end > first && blank(typed[end - 1]))
        --end;
    return typed.mid(first, end - first);
}

} // namespace CrewClient
