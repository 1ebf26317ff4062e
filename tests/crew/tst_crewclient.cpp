// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "FakeClock.h"
#include "TestHttpServer.h"

#include <QTest>

using namespace CrewClient;
using Http = TestHttpServer;

namespace {

const Config member{"ABC123", "m-1", "Ann", "Crew"};
const QByteArray crewBody = R"({"crewName":"Crew","members":[]})";
const QTimeZone berlin("Europe/Berlin");
const FakeClock monday(instantFromDateTime(QDateTime({2024, 3, 4}, {10, 0}, berlin)));

QString transport(QNetworkReply::NetworkError error)
{
    return QStringLiteral("transport %1").arg(int(error));
}

// What an operation ended with: "ok", "unfinished", or the failure's kind (a transport failure
// with the network error it passes through).
template<typename T> QString outcomeOf(const std::optional<CrewResult<T>> &result)
{
    static const char *const kinds[] = {"server",    "badResponse", "notFound",
                                        "transport", "decoding",    "unavailable"};
    if (!result || *result)
        return result ? "ok" : "unfinished";
    const CrewFailure &f = result->failure();
    return f.kind == CrewFailure::Kind::transport ? transport(f.networkError) : kinds[int(f.kind)];
}

QString run(const QString &op)
{
    if (op == "create")
        return outcomeOf(awaitTask(createCrew("Ann's Crew", "Ann")));
    if (op == "join")
        return outcomeOf(awaitTask(joinCrew("abc123", "Ann")));
    if (op == "kick")
        return outcomeOf(awaitTask(kick(member, "Bob")));
    return outcomeOf(awaitTask(fetchCrew("ABC123", monday, berlin)));
}

// A JSON reply of `size` bytes that would read as a success or a refusal, padded out in a string.
Http::Reply padded(int status, const QByteArray &head, qsizetype size, bool withLength = true)
{
    return Http::http(status, "Content-Type: application/json\r\n",
                      head + QByteArray(size - head.size() - 2, 'x') + "\"}", withLength);
}

} // namespace

class CrewClientTest : public QObject {
    Q_OBJECT

    Http server;

private slots:
    void initTestCase()
    {
        QVERIFY(server.listen());
        // The origin is fixed on first use, so it is set before any request.
        qputenv("QUENBY_CREW_URL", server.url().toEncoded());
        QVERIFY(baseURL());
    }

    // What real refusals become (the service's words, "doesn't exist") is checked against
    // tockly-crewd in tst_crewstore; here the replies it would never give. Each is the fallback,
    // as Qt may resend a request after a dropped connection.
    void oddReplies()
    {
        const qsizetype mib = 1024 * 1024;
        const QByteArray join = "{\"code\":\"ABC123\",\"memberId\":\"m-1\",\"crewName\":\"";
        const QList<std::tuple<QString, Http::Reply, QString>> rows{
            {"fetch", Http::json(201, crewBody), "badResponse"},
            {"join", Http::json(400, R"({"error":"No","retry":3})"), "badResponse"},
            {"fetch", Http::json(500, R"({"error":"Down"})"), "badResponse"},
            {"create", Http::json(200, R"({"code":"A","code":"B","memberId":"m","crewName":"C"})"),
             "decoding"},
            {"kick", Http::json(200, "{}"), "decoding"},
            {"fetch", Http::json(200, R"({"crewName":"C","ownerNickname":null,"members":[]})"),
             "ok"},
            {"fetch", Http::json(200, R"({"crewName":"C","members":[{"nickname":"a"}]})"),
             "decoding"},
            // At most 1 MiB, counted as it comes when there is no length.
            {"join", padded(200, join, mib), "ok"},
            {"join", padded(200, join, mib + 1), "badResponse"},
            {"fetch",
             padded(200, "{\"crewName\":\"C\",\"members\":[],\"ownerNickname\":\"", 8 * mib, false),
             "badResponse"},
            {"kick", padded(400, "{\"error\":\"", mib + 1), "badResponse"},
            // Not HTTP at all, or dropped without a word.
            {"join",
             {"SSH-2.0-OpenSSH_9.2\r\n\r\n"},
             transport(QNetworkReply::RemoteHostClosedError)},
            {"join", {}, transport(QNetworkReply::RemoteHostClosedError)}};
        for (const auto &[op, reply, outcome] : rows) {
            server.reset();
            server.setFallback(reply);
            QCOMPARE(run(op), outcome);
        }
    }

    void unreachableAndSlowServices()
    {
        // Nobody listening: fetch fails, leave still completes.
        const quint16 port = server.port();
        server.close();
        QCOMPARE(run("fetch"), transport(QNetworkReply::ConnectionRefusedError));
        QVERIFY(awaitTask(leave(member)));
        QVERIFY(server.listen(port));

        // Slower than the transfer timeout, shortened here from its 60 seconds.
        server.reset();
        server.enqueue({Http::json(200, R"({"ok":true})").bytes, 2000});
        QNetworkRequest request = postRequest(server.url("/api/kick"));
        request.setTransferTimeout(200);
        const auto reply = awaitTask(exchange(request, "POST", "{}"));
        QVERIFY(reply);
        QCOMPARE(reply->error, QNetworkReply::TimeoutError);
    }

    void redirects()
    {
        server.reset();
        server.enqueue(Http::http(307,
                                  "Location: " + server.url("/elsewhere").toEncoded() +
                                      "\r\nSet-Cookie: session=1; Path=/\r\n",
                                  {}));
        server.enqueue(Http::json(200, crewBody));
        QCOMPARE(run("fetch"), "ok");
        QCOMPARE(server.requests().value(1).target, "/elsewhere");
        // A cookie the service sets is never sent back.
        QVERIFY(!server.requests().value(1).head.toLower().contains("\ncookie:"));

        // 0.0.0.0 is not a loopback address, yet on Linux it reaches this very server: a
        // followed redirect would show up as a second request.
        for (const QString op : {"fetch", "join"}) {
            server.reset();
            server.enqueue(Http::http(
                307, "Location: http://0.0.0.0:" + QByteArray::number(server.port()) + "\r\n", {}));
            QCOMPARE(run(op), "badResponse");
            QCOMPARE(server.requests().size(), 1);
        }
    }

    void codeIsOnePathSegment()
    {
        // The target sent for a code; empty: nothing is sent.
        const QList<QPair<QString, QByteArray>> rows{
            {"../x", "/api/crew/..%2Fx"}, {"%2F", "/api/crew/%252F"}, {"..", ""}};
        for (const auto &[code, target] : rows) {
            server.reset();
            server.enqueue(Http::json(404, {}));
            QCOMPARE(outcomeOf(awaitTask(fetchCrew(code, monday, berlin))), "notFound");
            QCOMPARE(server.requests().value(0).target, target);
        }
    }
};

QTEST_GUILESS_MAIN(CrewClientTest)
#include "tst_crewclient.moc"
