#pragma once

#include "TestHttpServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

// A crew service in the test's own loop, with crews set up by the test: it creates and joins
// crews, answers fetches with today's seconds of each member, and takes reports, kicks and
// leaves. Every request stays in server.requests().
class FakeCrewService {
public:
    struct Crew {
        QString name;
        QString owner;
        QList<QPair<QString, double>> members; // nickname, seconds today, in board order
    };

    QString today = QStringLiteral("2026-03-10");
    QMap<QString, Crew> crews;
    // A join or create is refused with this text, when set.
    QString refusal;
    TestHttpServer server;

    FakeCrewService()
    {
        server.listen();
        answerRequests();
    }
    // Forgets the crews and the requests so far; answers as a crew service again.
    void reset()
    {
        crews.clear();
        refusal.clear();
        server.reset();
        answerRequests();
    }

    // The routes asked, as "GET /api/crew/CODE" or "POST /api/join".
    QStringList routes() const
    {
        QStringList list;
        for (const auto &r : server.requests())
            list << QString::fromLatin1(r.method + ' ' + r.target);
        return list;
    }
    qsizetype count(const QString &route) const { return routes().count(route); }
    QJsonObject body(qsizetype i) const
    {
        return QJsonDocument::fromJson(server.requests().at(i).body).object();
    }

private:
    void answerRequests()
    {
        server.setResponder([this](const TestHttpServer::Request &r) { return answer(r); });
    }
    static TestHttpServer::Reply json(int status, const QJsonObject &o)
    {
        return TestHttpServer::json(status, QJsonDocument(o).toJson(QJsonDocument::Compact));
    }

    std::optional<TestHttpServer::Reply> answer(const TestHttpServer::Request &r)
    {
        const QJsonObject in = QJsonDocument::fromJson(r.body).object();
        const QByteArray target = r.target;
        if (r.method == "POST" && (target == "/api/crew" || target == "/api/join")) {
            if (!refusal.isEmpty())
                return json(409, {{"error", refusal}});
            QString code = in.value("code").toString();
            if (target == "/api/crew") {
                code = QStringLiteral("NEW%1").arg(crews.size(), 3, 10, QLatin1Char('0'));
                crews.insert(
                    code, {in.value("crewName").toString(), in.value("nickname").toString(), {}});
            }
            if (!crews.contains(code))
                return json(404, {{"error", "That crew code doesn't exist."}});
            Crew &crew = crews[code];
            crew.members.append({in.value("nickname").toString(), 0});
            return json(200, {{"code", code}, {"memberId", "m-" + code}, {"crewName", crew.name}});
        }
        if (r.method == "GET" && target.startsWith("/api/crew/")) {
            const QString code = QString::fromLatin1(target.mid(10));
            if (!crews.contains(code))
                return json(404, {{"error", "That crew code doesn't exist."}});
            const Crew &crew = crews[code];
            QJsonArray members;
            for (const auto &[nickname, seconds] : crew.members)
                members.append(
                    QJsonObject{{"nickname", nickname}, {"days", QJsonObject{{today, seconds}}}});
            QJsonObject o{{"crewName", crew.name}, {"members", members}};
            if (!crew.owner.isEmpty())
                o.insert("ownerNickname", crew.owner);
            return json(200, o);
        }
        if (r.method == "POST")
            return json(200, {{"ok", true}});
        return std::nullopt;
    }
};
