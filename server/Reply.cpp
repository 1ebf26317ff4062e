// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Reply.h"

#include "Json.h"

void appendKey(QByteArray &body, const char *name)
{
    body += '"';
    body += name;
    body += "\":";
}

Reply Reply::ok()
{
    QByteArray body = "{";
    appendKey(body, CrewWire::Field::ok);
    body += "true}";
    return {200, body};
}

Reply Reply::error(int status, const char *code, QStringView text)
{
    QByteArray body = "{";
    appendKey(body, CrewWire::Field::error);
    appendJsonString(body, text);
    body += ',';
    appendKey(body, CrewWire::Field::errorCode);
    // Codes are plain ASCII words: nothing to escape.
    body += '"';
    body += code;
    body += "\"}";
    return {status, body};
}

Reply Reply::unknownCrew()
{
    return error(404, CrewWire::ErrorCode::unknownCrew, u"That crew code doesn't exist.");
}

Reply Reply::notAMember()
{
    return error(403, CrewWire::ErrorCode::notAMember, u"You're not a member of this crew.");
}

Reply Reply::storageFailure()
{
    return error(503, CrewWire::ErrorCode::unavailable,
                 u"The crew service is having trouble right now. Please try again later.");
}
