// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <algorithm>

// What the app's crew client and tockly-crewd both hold to: the request paths, the JSON field
// names and the limits of the crew protocol. Header only, so the service uses it without
// linking any of the app's libraries.
namespace CrewWire {

// Request paths. A crew is fetched at fetchPrefix + code; its invitation page is at
// pagePrefix + code.
inline constexpr char createPath[] = "/api/crew";
inline constexpr char joinPath[] = "/api/join";
inline constexpr char leavePath[] = "/api/leave";
inline constexpr char kickPath[] = "/api/kick";
inline constexpr char reportPath[] = "/api/report";
inline constexpr char fetchPrefix[] = "/api/crew/";
inline constexpr char pagePrefix[] = "/c/";

// Field names of the request and reply bodies.
namespace Field {
inline constexpr char code[] = "code";
inline constexpr char crewName[] = "crewName";
inline constexpr char nickname[] = "nickname";
inline constexpr char memberId[] = "memberId";
inline constexpr char days[] = "days";
inline constexpr char ownerNickname[] = "ownerNickname";
inline constexpr char members[] = "members";
inline constexpr char ok[] = "ok";
inline constexpr char error[] = "error";
// Beside "error" in a refusal: which refusal it is, one of ErrorCode. Older services send none.
inline constexpr char errorCode[] = "code";
} // namespace Field

// What a refusal's "code" says. The "error" text beside it stays the service's own English, for
// apps that know no codes; an app shows its own words for the codes it knows.
namespace ErrorCode {
// the request itself
inline constexpr char badRequest[] = "bad-request";
inline constexpr char notFound[] = "not-found";
inline constexpr char notJson[] = "not-json";
inline constexpr char missingField[] = "missing-field";
inline constexpr char lengthRequired[] = "length-required";
inline constexpr char headersTooLarge[] = "headers-too-large";
inline constexpr char bodyTooLarge[] = "body-too-large";
inline constexpr char requestTimeout[] = "request-timeout";
// the service's limits and health
inline constexpr char tooManyRequests[] = "too-many-requests";
inline constexpr char tooManyConnections[] = "too-many-connections";
inline constexpr char tooManyCrews[] = "too-many-crews";
inline constexpr char unavailable[] = "unavailable";
inline constexpr char serverFault[] = "server-fault";
// crews and members
inline constexpr char unknownCrew[] = "unknown-crew";
inline constexpr char notAMember[] = "not-a-member";
inline constexpr char crewFull[] = "crew-full";
inline constexpr char notOwner[] = "not-owner";
inline constexpr char noSuchNickname[] = "no-such-nickname";
inline constexpr char kickSelf[] = "kick-self";
// names
inline constexpr char nicknameTaken[] = "nickname-taken";
inline constexpr char nicknameMissing[] = "nickname-missing";
inline constexpr char nicknameTooLong[] = "nickname-too-long";
inline constexpr char nicknameInvalid[] = "nickname-invalid";
inline constexpr char crewNameMissing[] = "crew-name-missing";
inline constexpr char crewNameTooLong[] = "crew-name-too-long";
inline constexpr char crewNameInvalid[] = "crew-name-invalid";
// reports
inline constexpr char badDays[] = "bad-days";
inline constexpr char tooManyDays[] = "too-many-days";
inline constexpr char dayOutOfRange[] = "day-out-of-range";
} // namespace ErrorCode

// Limits of what a request may hold.
inline constexpr qsizetype maxBodyBytes = 16 * 1024;
inline constexpr int maxNicknameChars = 32;
inline constexpr int maxCrewNameChars = 48;
inline constexpr int maxMembers = 50;
// A report holds at most maxReportDays days, each within reportWindowDays of the service's
// date, each total between 0 and maxDaySeconds.
inline constexpr int reportWindowDays = 14;
inline constexpr int maxReportDays = 16;
inline constexpr double maxDaySeconds = 90000;

// Crew codes: codeLength characters of codeAlphabet (upper-case letters A-Z and digits).
inline constexpr int codeLength = 6;
inline constexpr char codeAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

inline bool isCrewCode(QStringView text)
{
    return text.size() == codeLength && std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
           });
}

} // namespace CrewWire
