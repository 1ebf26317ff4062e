// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewConnection.h"

#include <QCoro/QCoroTimer>
#include <QHash>
#include <QStringList>

#include <chrono>

// The crew service as a store test scripts it. Every request is recorded in `calls` and answered
// after a turn of the event loop (or the answer's delay), as a reply over the network would be.
// Nothing of the fake is touched once a request waits, so a test may end with requests pending.
class FakeCrewConnection final : public CrewClient::Connection {
public:
    struct Answer {
        std::optional<CrewClient::CrewFailure> failure{}; // the request fails with it
        QString code{};     // of a created crew; "NEW" and a number when empty
        QString crewName{}; // of a joined or fetched crew; "Crew CODE" when empty
        QString owner{};    // of a fetched crew; none when empty
        QList<QPair<QString, double>> board{}; // a fetched crew's rows: nickname, seconds today
        int delayMs = 0;
    };

    // "create NAME NICK", "join CODE NICK", "fetch CODE", "leave CODE MEMBERID", "kick CODE NICK",
    // "report CODE", in the order asked.
    QStringList calls;
    // The days each report sent, in order.
    QList<QHash<QString, double>> reports;
    // Answers by the first two words of a call ("join ABC123", "fetch ABC123", "create"), used
    // in order, the last one kept; without one, a request succeeds.
    QHash<QString, QList<Answer>> answers;
    // Requests still waiting for their answer's delay.
    int pending = 0;

    QCoro::Task<CrewClient::CrewResult<CrewClient::Config>> createCrew(QString crewName,
                                                                       QString nickname) override
    {
        const Answer a = ask(QStringLiteral("create %1 %2").arg(crewName, nickname));
        const QString code = a.code.isEmpty() ? QStringLiteral("NEW%1").arg(++m_members) : a.code;
        return settle(a, CrewClient::Config{code, newMemberId(), nickname,
                                            a.crewName.isEmpty() ? crewName : a.crewName});
    }

    QCoro::Task<CrewClient::CrewResult<CrewClient::Config>> joinCrew(QString code,
                                                                     QString nickname) override
    {
        code = code.toUpper();
        const Answer a = ask(QStringLiteral("join %1 %2").arg(code, nickname));
        return settle(a, CrewClient::Config{code, newMemberId(), nickname,
                                            a.crewName.isEmpty() ? "Crew " + code : a.crewName});
    }

    QCoro::Task<CrewClient::CrewResult<CrewClient::FetchedCrew>>
    fetchCrew(QString code, const Clock &, QTimeZone) override
    {
        const Answer a = ask(QStringLiteral("fetch ") + code);
        CrewClient::FetchedCrew crew{
            a.crewName.isEmpty() ? "Crew " + code : a.crewName, std::nullopt, {}};
        if (!a.owner.isEmpty())
            crew.ownerNickname = a.owner;
        for (const auto &[nickname, seconds] : a.board)
            crew.standings.append({int(crew.standings.size()), nickname, seconds, seconds});
        return settle(a, crew);
    }

    QCoro::Task<> leave(CrewClient::Config config) override
    {
        co_await settle(ask(QStringLiteral("leave %1 %2").arg(config.code, config.memberId)));
    }

    QCoro::Task<CrewClient::CrewResult<void>> kick(CrewClient::Config config,
                                                   QString nickname) override
    {
        return settle(ask(QStringLiteral("kick %1 %2").arg(config.code, nickname)));
    }

    QCoro::Task<CrewClient::CrewResult<void>> report(CrewClient::Config config,
                                                     QHash<QString, double> days) override
    {
        reports << days;
        return settle(ask(QStringLiteral("report ") + config.code));
    }

private:
    // Records the call and takes its answer.
    Answer ask(const QString &call)
    {
        calls << call;
        auto it = answers.find(call.section(u' ', 0, call.startsWith(u"create") ? 0 : 1));
        if (it == answers.end() || it->isEmpty())
            return {};
        return it->size() > 1 ? it->takeFirst() : it->first();
    }
    QString newMemberId() { return QStringLiteral("m%1").arg(++m_members); }

    // The answer's value or failure, after its delay.
    template<typename T> QCoro::Task<CrewClient::CrewResult<T>> settle(Answer a, T value)
    {
        ++pending;
        co_await QCoro::sleepFor(std::chrono::milliseconds(a.delayMs));
        --pending;
        if (a.failure)
            co_return *a.failure;
        co_return value;
    }
    QCoro::Task<CrewClient::CrewResult<void>> settle(Answer a)
    {
        ++pending;
        co_await QCoro::sleepFor(std::chrono::milliseconds(a.delayMs));
        --pending;
        if (a.failure)
            co_return *a.failure;
        co_return {};
    }

    int m_members = 0;
};
