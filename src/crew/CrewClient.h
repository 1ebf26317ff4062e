// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewConnection.h"

// The crew service's six requests. Stateless: every call stands alone, nothing is cached or
// retried, and calls may overlap. Run on the main thread; each suspends while its request runs.
namespace CrewClient {

// The nickname is sent as given; trimming is the caller's business.
QCoro::Task<CrewResult<Config>> createCrew(QString crewName, QString nickname);
// The code is sent in upper case.
QCoro::Task<CrewResult<Config>> joinCrew(QString code, QString nickname);
// The standings use `clock` at the moment the reply arrives; `clock` must outlive the task.
QCoro::Task<CrewResult<FetchedCrew>> fetchCrew(QString code, const Clock &clock,
                                               QTimeZone zone = QTimeZone::systemTimeZone());
// Never fails: leaving takes effect on this machine whatever the service answers.
QCoro::Task<> leave(Config config);
QCoro::Task<CrewResult<void>> kick(Config config, QString nickname);
// `days`: day key -> seconds worked.
QCoro::Task<CrewResult<void>> report(Config config, QHash<QString, double> days);

// The store's connection to the service at baseURL(): the requests above.
class HttpConnection final : public Connection {
public:
    QCoro::Task<CrewResult<Config>> createCrew(QString crewName, QString nickname) override;
    QCoro::Task<CrewResult<Config>> joinCrew(QString code, QString nickname) override;
    QCoro::Task<CrewResult<FetchedCrew>> fetchCrew(QString code, const Clock &clock,
                                                   QTimeZone zone) override;
    QCoro::Task<> leave(Config config) override;
    QCoro::Task<CrewResult<void>> kick(Config config, QString nickname) override;
    QCoro::Task<CrewResult<void>> report(Config config, QHash<QString, double> days) override;
};

} // namespace CrewClient
