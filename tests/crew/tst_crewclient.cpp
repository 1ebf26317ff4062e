#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "Json.h"
#include "TestHttpServer.h"

#include <QJsonObject>
#include <QTest>

using namespace CrewClient;
using Reply = TestHttpServer::Reply;

namespace {

const Config member{"ABC123", "m-1", "Ann", "Crew"};
const QByteArray joinBody = R"({"code":"ABC123","memberId":"m-1","crewName":"Crew"})";
const QByteArray crewBody = R"({"crewName":"Crew","members":[]})";
const QByteArray okBody = R"({"ok":true})";
// Partial replies, padded out or completed by the tests.
const QByteArray paddedJoin = "{\"code\":\"ABC123\",\"memberId\":\"m-1\",\"crewName\":\"";
const QByteArray paddedCrew = "{\"crewName\":\"Crew\",\"members\":[],\"ownerNickname\":\"";
const QByteArray paddedError = "{\"error\":\"";
const QTimeZone berlin("Europe/Berlin");
const FixedClock mondayClock(instantFromDateTime(QDateTime({2024, 3, 4}, {10, 0}, berlin)));

// What an operation ended with, in a form that fits a table.
struct Outcome {
    QString kind; // "ok", a CrewFailure kind, or "unfinished"
    QString description;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError;
};

template<typename T> Outcome outcomeOf(const std::optional<CrewResult<T>> &result)
{
    static const char *const kinds[] = {"server",    "badResponse", "notFound",
                                        "transport", "decoding",    "unavailable"};
    if (!result || *result)
        return {result ? "ok" : "unfinished", {}};
    const CrewFailure &f = result->failure();
    return {kinds[int(f.kind)], f.description, f.networkError};
}

Outcome run(const QString &op)
{
    if (op == "create")
        return outcomeOf(awaitTask(createCrew("Ann's Crew", "Ann")));
    if (op == "join")
        return outcomeOf(awaitTask(joinCrew("abc123", "Ann")));
    if (op == "fetch")
        return outcomeOf(awaitTask(fetchCrew("ABC123", mondayClock, berlin)));
    if (op == "kick")
        return outcomeOf(awaitTask(kick(member, "Bob")));
    return outcomeOf(awaitTask(report(member, {{"2024-03-04", 90.5}})));
}

} // namespace

class CrewClientTest : public QObject {
    Q_OBJECT

    TestHttpServer server;

private slots:
    void initTestCase()
    {
        QVERIFY(server.listen());
        // The origin is fixed on first use, so it is set before any request.
        qputenv("QUENBY_CREW_URL", server.url().toEncoded());
        QVERIFY(baseURL());
    }

    void init() { server.reset(); }

    void requestsOnTheWire()
    {
        // The first reply sets a cookie: it is never sent back.
        Reply withCookie = TestHttpServer::json(200, joinBody);
        withCookie.addHeader("Set-Cookie", "session=1; Path=/");
        server.enqueue(withCookie);
        for (const QByteArray &body : {joinBody, crewBody, okBody, okBody, okBody})
            server.enqueue(TestHttpServer::json(200, body));

        const auto created = awaitTask(createCrew("Ann's Crew", " Ann "));
        QVERIFY(created && *created);
        QCOMPARE(created->value(), (Config{"ABC123", "m-1", " Ann ", "Crew"}));
        for (const QString op : {"join", "fetch", "kick", "report"})
            QCOMPARE(run(op).kind, "ok");
        QVERIFY(awaitTask(leave(member)));

        const QList<QByteArray> targets{"/api/crew", "/api/join",   "/api/crew/ABC123",
                                        "/api/kick", "/api/report", "/api/leave"};
        const QList<QJsonObject> bodies{
            {{"crewName", "Ann's Crew"}, {"nickname", " Ann "}},
            {{"code", "ABC123"}, {"nickname", "Ann"}}, // typed in lower case
            {},
            {{"code", "ABC123"}, {"memberId", "m-1"}, {"nickname", "Bob"}},
            {{"code", "ABC123"},
             {"memberId", "m-1"},
             {"nickname", "Ann"},
             {"days", QJsonObject{{"2024-03-04", 90.5}}}},
            {{"code", "ABC123"}, {"memberId", "m-1"}},
        };
        const QList<TestHttpServer::Request> &r = server.requests();
        QCOMPARE(r.size(), 6);
        for (int i = 0; i < r.size(); ++i) {
            QCOMPARE(r[i].target, targets[i]);
            QCOMPARE(r[i].method, i == 2 ? "GET" : "POST");
            QVERIFY(!r[i].hasHeader("Authorization") && !r[i].hasHeader("Cookie"));
            QCOMPARE(parseJson(r[i].body).value_or(QJsonValue()).toObject(), bodies[i]);
        }
    }

    void classification_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");

        const QString confusing = "The crew server gave a confusing answer.";
        const QString noCrew = "That crew code doesn't exist.";
        const QString unreadable = "The crew server's answer could not be read.";
        QTest::newRow("fetch 201") << "fetch" << 201 << crewBody << "badResponse" << confusing;
        QTest::newRow("400 error")
            << "join" << 400 << QByteArray(R"({"error":"Taken 🙈"})") << "server"
            << "Taken 🙈";
        QTest::newRow("400 error beside a number")
            << "join" << 400 << QByteArray(R"({"error":"No","retry":3})") << "badResponse"
            << confusing;
        QTest::newRow("400 array")
            << "join" << 400 << QByteArray(R"(["error","No"])") << "badResponse" << confusing;
        QTest::newRow("404 before the body")
            << "join" << 404 << QByteArray(R"({"error":"No"})") << "notFound" << noCrew;
        QTest::newRow("fetch 500 error not read")
            << "fetch" << 500 << QByteArray(R"({"error":"Down"})") << "badResponse" << confusing;
        QTest::newRow("200 duplicate key")
            << "create" << 200
            << QByteArray(R"({"code":"A","code":"B","memberId":"m","crewName":"C"})") << "decoding"
            << unreadable;
        QTest::newRow("200 without ok")
            << "kick" << 200 << QByteArray("{}") << "decoding" << unreadable;
        QTest::newRow("200 owner null")
            << "fetch" << 200 << QByteArray(R"({"crewName":"C","ownerNickname":null,"members":[]})")
            << "ok"
            << "";
        QTest::newRow("200 member without days")
            << "fetch" << 200 << QByteArray(R"({"crewName":"C","members":[{"nickname":"a"}]})")
            << "decoding" << unreadable;
    }

    void classification()
    {
        QFETCH(QString, op);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, kind);
        QFETCH(QString, description);

        server.enqueue(TestHttpServer::json(status, body));
        const Outcome outcome = run(op);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.description, description);
    }

    void transportErrorsPassThrough()
    {
        // Not HTTP at all, or dropped without a word: Qt reports a closed connection (possibly
        // after resending, hence fallbacks rather than single replies).
        for (const QByteArray &raw : {QByteArray("SSH-2.0-OpenSSH_9.2\r\n\r\n"), QByteArray()}) {
            Reply broken;
            broken.raw = raw;
            broken.dropConnection = raw.isEmpty();
            server.setFallback(broken);
            const Outcome outcome = run("join");
            QCOMPARE(outcome.kind, "transport");
            QCOMPARE(outcome.networkError, QNetworkReply::RemoteHostClosedError);
            QVERIFY(!outcome.description.isEmpty());
        }
        server.reset();

        // Nobody listening: fetch fails, leave still completes.
        const quint16 port = server.port();
        server.close();
        QCOMPARE(run("fetch").networkError, QNetworkReply::ConnectionRefusedError);
        QVERIFY(awaitTask(leave(member)));
        QVERIFY(server.listen(port));

        // Slower than the transfer timeout, shortened here from its 60 seconds.
        Reply slow = TestHttpServer::json(200, okBody);
        slow.delayMs = 2000;
        server.enqueue(slow);
        QNetworkRequest request = postRequest(server.url("/api/kick"));
        request.setTransferTimeout(200);
        const auto reply = awaitTask(exchange(request, "POST", okBody));
        QVERIFY(reply);
        QCOMPARE(reply->error, QNetworkReply::TimeoutError);
    }

    void bodyLimit_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("status");
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<bool>("withLength");
        QTest::addColumn<QString>("kind");

        const qsizetype mib = 1024 * 1024;
        QTest::newRow("1 MiB") << "join" << 200 << mib << true << "ok";
        QTest::newRow("1 MiB + 1") << "join" << 200 << mib + 1 << true << "badResponse";
        QTest::newRow("8 MiB, no length") << "fetch" << 200 << 8 * mib << false << "badResponse";
        QTest::newRow("error of 1 MiB + 1") << "kick" << 400 << mib + 1 << false << "badResponse";
    }

    void bodyLimit()
    {
        QFETCH(QString, op);
        QFETCH(int, status);
        QFETCH(qsizetype, size);
        QFETCH(bool, withLength);
        QFETCH(QString, kind);

        // A reply that would be read as a success or a refusal, padded out inside a string.
        const QByteArray head = op == "join" ? paddedJoin : op == "kick" ? paddedError : paddedCrew;
        Reply reply = TestHttpServer::json(status, head + QByteArray(size - head.size() - 2, 'x'));
        reply.body += "\"}";
        reply.omitContentLength = !withLength;
        server.enqueue(reply);
        QCOMPARE(run(op).kind, kind);
    }

    void redirects()
    {
        Reply redirect;
        redirect.status = 307;
        redirect.addHeader("Location", server.url("/elsewhere").toEncoded());
        server.enqueue(redirect);
        server.enqueue(TestHttpServer::json(200, crewBody));
        QCOMPARE(run("fetch").kind, "ok");
        QCOMPARE(server.requests().value(1).target, "/elsewhere");

        // 0.0.0.0 is not a loopback address, yet on Linux it reaches this very server: a
        // followed redirect would show up as a second request.
        for (const QString op : {"fetch", "join"}) {
            server.reset();
            redirect.headers = {
                {"Location", "http://0.0.0.0:" + QByteArray::number(server.port())}};
            server.enqueue(redirect);
            QCOMPARE(run(op).kind, "badResponse");
            QCOMPARE(server.requests().size(), 1);
        }
    }

    void codeIsOnePathSegment_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("target"); // empty: nothing is sent

        QTest::newRow("climbing") << "../x" << QByteArray("/api/crew/..%2Fx");
        QTest::newRow("query, fragment") << "a?b#1" << QByteArray("/api/crew/a%3Fb%231");
        QTest::newRow("percent") << "%2F" << QByteArray("/api/crew/%252F");
        QTest::newRow("dot dot") << ".." << QByteArray();
    }

    void codeIsOnePathSegment()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, target);

        server.enqueue(TestHttpServer::json(404, {}));
        QCOMPARE(outcomeOf(awaitTask(fetchCrew(code, mondayClock, berlin))).kind, "notFound");
        QCOMPARE(server.requests().size(), target.isEmpty() ? 0 : 1);
        if (!target.isEmpty())
            QCOMPARE(server.requests()[0].target, target);
    }
};

QTEST_GUILESS_MAIN(CrewClientTest)
#include "tst_crewclient.moc"
