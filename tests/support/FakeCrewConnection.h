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

    QCoro::Task<CrewClient::CrewResult<CrewClient::Config>> createCrew(QString crewName,
                                                                       QString nickname) override
    {
        calls << QStringLiteral("create %1 %2").arg(crewName, nickname);
        const Answer a = next(QStringLiteral("create"));
        const QString code = a.code.isEmpty() ? QStringLiteral("NEW%1").arg(++m_members) : a.code;
        return membership(a, {code, newMemberId(), nickname, crewName});
    }

    QCoro::Task<CrewClient::CrewResult<CrewClient::Config>> joinCrew(QString code,
                                                                     QString nickname) override
    {
        code = code.toUpper();
        calls << QStringLiteral("join %1 %2").arg(code, nickname);
        const Answer a = next(QStringLiteral("join ") + code);
        return membership(a, {code, newMemberId(), nickname, QStringLiteral("Crew ") + code});
    }

    QCoro::Task<CrewClient::CrewResult<CrewClient::FetchedCrew>>
    fetchCrew(QString code, const Clock &, QTimeZone) override
    {
        calls << QStringLiteral("fetch ") + code;
        const Answer a = next(QStringLiteral("fetch ") + code);
        co_await wait(a);
        if (a.failure)
            co_return *a.failure;
        CrewClient::FetchedCrew crew{
            a.crewName.isEmpty() ? QStringLiteral("Crew ") + code : a.crewName, std::nullopt, {}};
        if (!a.owner.isEmpty())
            crew.ownerNickname = a.owner;
        for (const auto &[nickname, seconds] : a.board)
            crew.standings.append({int(crew.standings.size()), nickname, seconds, seconds});
        co_return crew;
    }

    QCoro::Task<> leave(CrewClient::Config config) override
    {
        calls << QStringLiteral("leave %1 %2").arg(config.code, config.memberId);
        co_await wait(next(QStringLiteral("leave ") + config.code));
    }

    QCoro::Task<CrewClient::CrewResult<void>> kick(CrewClient::Config config,
                                                   QString nickname) override
    {
        calls << QStringLiteral("kick %1 %2").arg(config.code, nickname);
        return outcome(next(QStringLiteral("kick ") + config.code));
    }

    QCoro::Task<CrewClient::CrewResult<void>> report(CrewClient::Config config,
                                                     QHash<QString, double> days) override
    {
        calls << QStringLiteral("report ") + config.code;
        reports << days;
        return outcome(next(QStringLiteral("report ") + config.code));
    }

private:
    Answer next(const QString &key)
    {
        auto it = answers.find(key);
        if (it == answers.end() || it->isEmpty())
            return {};
        return it->size() > 1 ? it->takeFirst() : it->first();
    }
    QString newMemberId() { return QStringLiteral("m%1").arg(++m_members); }

    static QCoro::Task<> wait(Answer a)
    {
        co_await QCoro::sleepFor(std::chrono::milliseconds(a.delayMs));
    }
    static QCoro::Task<CrewClient::CrewResult<CrewClient::Config>>
    membership(Answer a, CrewClient::Config config)
    {
        co_await wait(a);
        if (a.failure)
            co_return *a.failure;
        if (!a.crewName.isEmpty())
            config.crewName = a.crewName;
        co_return config;
    }
    static QCoro::Task<CrewClient::CrewResult<void>> outcome(Answer a)
    {
        co_await wait(a);
        if (a.failure)
            co_return *a.failure;
        co_return {};
    }

    int m_members = 0;
};
