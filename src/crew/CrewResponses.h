// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

namespace CrewClient {

// The reply to create and join.
struct JoinResponse {
    QString code;
    QString memberId;
    QString crewName;
};

// The reply to a crew fetch.
struct CrewResponse {
    struct MemberPayload {
        QString nickname;
        QHash<QString, double> days; // day key "yyyy-MM-dd" -> seconds worked
    };
    QString crewName;
    std::optional<QString> ownerNickname;
    QList<MemberPayload> members;
};

// Each decoder ignores keys it does not know and refuses a reply whose known keys are missing,
// null where a value is required, or of the wrong type.
std::optional<JoinResponse> decodeJoinResponse(const QJsonValue &json);
std::optional<CrewResponse> decodeCrewResponse(const QJsonValue &json);
// The reply to leave, kick and report: {"ok": bool}. Only whether it decodes matters.
bool decodeOkResponse(const QJsonValue &json);

// The body of a refusal: an object whose values are all strings; absent for anything else.
std::optional<QHash<QString, QString>> decodeErrorBody(const QJsonValue &json);

} // namespace CrewClient
