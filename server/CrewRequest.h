// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewWire.h"
#include "Reply.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// The bodies of the five POST requests, read and checked before any storage is touched. A body
// either yields its request or the refusal to send back. The limits are CrewWire's.

struct CreateRequest {
    QString crewName;
    QString nickname;
};

struct JoinRequest {
    QString code;
    QString nickname;
};

struct LeaveRequest {
    QString code;
    QString memberId;
};

struct KickRequest {
    QString code;
    QString memberId;
    QString nickname; // of the member to remove
};

struct ReportRequest {
    QString code;
    QString memberId;
    std::vector<std::pair<QString, double>> days; // day key, seconds
};

template<typename T> struct Parsed {
    std::optional<T> request;
    Reply refusal;
};

Parsed<CreateRequest> parseCreate(QByteArrayView body);
Parsed<JoinRequest> parseJoin(QByteArrayView body);
Parsed<LeaveRequest> parseLeave(QByteArrayView body);
Parsed<KickRequest> parseKick(QByteArrayView body);
// today: the server's date; days further than CrewWire::reportWindowDays from it are refused.
Parsed<ReportRequest> parseReport(QByteArrayView body, QDate today);

// A name trimmed of surrounding white space, or the refusal of it.
struct CheckedName {
    QString name;
    std::optional<Reply> refusal;
};
CheckedName checkNickname(const QString &raw);
CheckedName checkCrewName(const QString &raw);

// Codes are compared in upper case, as the app shows them.
QString normalizedCode(const QString &code);
// The form under which two nicknames count as the same one ("Ann" and "ann").
QString nicknameKey(const QString &nickname);
