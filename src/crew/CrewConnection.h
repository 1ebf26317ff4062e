// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clock.h"
#include "CrewConfig.h"
#include "CrewError.h"
#include "CrewStandings.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QTimeZone>

#include <optional>

namespace CrewClient {

// A fetched crew, its leaderboard already derived.
struct FetchedCrew {
    QString crewName;
    std::optional<QString> ownerNickname;
    QList<Standing> standings;
};

// The crew service's six requests as the store reaches them: over HTTP in the app
// (HttpConnection), scripted in the store's tests. Each call stands alone and suspends while
// its request runs; calls may overlap. The connection must outlive the tasks it starts.
class Connection {
public:
    virtual ~Connection() = default;

    // The nickname is sent as given; trimming is the caller's business.
    virtual QCoro::Task<CrewResult<Config>> createCrew(QString crewName, QString nickname) = 0;
    // The code is sent in upper case.
    virtual QCoro::Task<CrewResult<Config>> joinCrew(QString code, QString nickname) = 0;
    // The standings use `clock` at the moment the reply arrives; `clock` must outlive the task.
    virtual QCoro::Task<CrewResult<FetchedCrew>> fetchCrew(QString code, const Clock &clock,
                                                           QTimeZone zone) = 0;
    // Never fails: leaving takes effect on this machine whatever the service answers.
    virtual QCoro::Task<> leave(Config config) = 0;
    virtual QCoro::Task<CrewResult<void>> kick(Config config, QString nickname) = 0;
    // `days`: day key -> seconds worked.
    virtual QCoro::Task<CrewResult<void>> report(Config config, QHash<QString, double> days) = 0;
};

} // namespace CrewClient
