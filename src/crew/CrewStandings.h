// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewResponses.h"
#include "Instant.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

namespace CrewClient {

// One row of a crew's leaderboard.
struct Standing {
    int id = 0; // place in the sorted leaderboard, from 0
    QString nickname;
    double weekSeconds = 0;
    double todaySeconds = 0;

    friend bool operator==(const Standing &, const Standing &) = default;
};

// The day keys of the Monday-to-Sunday week holding `now` in `zone`. The week is the same for
// every user, whatever the first weekday of their locale.
QStringList weekKeys(Instant now, const QTimeZone &zone);

// The leaderboard: more today first, then more this week, then the service's order.
QList<Standing> standings(const QList<CrewResponse::MemberPayload> &members, Instant now,
                          const QTimeZone &zone);

} // namespace CrewClient
