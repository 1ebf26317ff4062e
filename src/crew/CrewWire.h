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
} // namespace Field

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
