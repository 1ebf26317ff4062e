// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewResponses.h"

#include "CrewWire.h"

#include <QJsonArray>
#include <QJsonObject>

namespace CrewClient {

namespace Field = CrewWire::Field;

static std::optional<QString> stringAt(const QJsonObject &o, QLatin1String key)
{
    const QJsonValue v = o.value(key);
    if (!v.isString())
        return std::nullopt;
    return v.toString();
}

std::optional<JoinResponse> decodeJoinResponse(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.toObject();
    auto code = stringAt(o, QLatin1String(Field::code));
    auto memberId = stringAt(o, QLatin1String(Field::memberId));
    auto crewName = stringAt(o, QLatin1String(Field::crewName));
    if (!code || !memberId || !crewName)
        return std::nullopt;
    return JoinResponse{*code, *memberId, *crewName};
}

static std::optional<CrewResponse::MemberPayload> decodeMember(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.toObject();
    auto nickname = stringAt(o, QLatin1String(Field::nickname));
    const QJsonValue days = o.value(QLatin1String(Field::days));
    if (!nickname || !days.isObject())
        return std::nullopt;
    CrewResponse::MemberPayload member{*nickname, {}};
    const QJsonObject dayObject = days.toObject();
    for (auto it = dayObject.begin(); it != dayObject.end(); ++it) {
        if (!it.value().isDouble())
            return std::nullopt;
        member.days.insert(it.key(), it.value().toDouble());
    }
    return member;
}

std::optional<CrewResponse> decodeCrewResponse(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.toObject();
    auto crewName = stringAt(o, QLatin1String(Field::crewName));
    const QJsonValue owner = o.value(QLatin1String(Field::ownerNickname));
    const QJsonValue members = o.value(QLatin1String(Field::members));
    if (!crewName || !members.isArray())
        return std::nullopt;
    CrewResponse crew{*crewName, std::nullopt, {}};
    if (owner.isString())
        crew.ownerNickname = owner.toString();
    else if (!owner.isUndefined() && !owner.isNull())
        return std::nullopt;
    for (const QJsonValue &m : members.toArray()) {
        auto member = decodeMember(m);
        if (!member)
            return std::nullopt;
        crew.members.append(*member);
    }
    return crew;
}

bool decodeOkResponse(const QJsonValue &json)
{
    return json.isObject() && json.toObject().value(QLatin1String(Field::ok)).isBool();
}

std::optional<QHash<QString, QString>> decodeErrorBody(const QJsonValue &json)
{
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject o = json.toObject();
    QHash<QString, QString> fields;
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!it.value().isString())
            return std::nullopt;
        fields.insert(it.key(), it.value().toString());
    }
    return fields;
}

} // namespace CrewClient
