#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "Json.h"
#include "TestHttpServer.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace CrewClient;
using Reply = TestHttpServer::Reply;

namespace {

const Config member{QStringLiteral("ABC123"), QStringLiteral("m-1"), QStringLiteral("Ann"),
                    QStringLiteral("Crew")};
const QByteArray joinBody = R"({"code":"ABC123","memberId":"m-1","crewName":"Crew"})";
const QByteArray crewBody = R"({"crewName":"Crew","members":[]})";
const QByteArray okBody = R"({"ok":true})";

// Monday 2024-03-04 10:00 in Berlin.
const QTimeZone berlin("Europe/Berlin");
const Instant mondayMorning =
    instantFromDateTime(QDateTime(QDate(2024, 3, 4), QTime(10, 0), berlin));

// What any operation ended with, in a form that fits a table.
struct Outcome {
    QString kind; // "ok", a failure kind, or "unfinished"
    QString description;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError;
};

QString kindName(CrewFailure::Kind kind)
{
    switch (kind) {
    case CrewFailure::Kind::server:
        return QStringLiteral("server");
    case CrewFailure::Kind::badResponse:
        return QStringLiteral("badResponse");
    case CrewFailure::Kind::notFound:
        return QStringLiteral("notFound");
    case CrewFailure::Kind::transport:
        return QStringLiteral("transport");
    case CrewFailure::Kind::decoding:
        return QStringLiteral("decoding");
    case CrewFailure::Kind::unavailable:
        return QStringLiteral("unavailable");
    }
    return {};
}

template<typename T> Outcome outcomeOf(const std::optional<CrewResult<T>> &result)
{
    if (!result)
        return {QStringLiteral("unfinished"), {}};
    if (*result)
        return {QStringLiteral("ok"), {}};
    const CrewFailure &f = result->failure();
    return {kindName(f.kind), f.description, f.networkError};
}

const FixedClock mondayClock(mondayMorning);

Outcome runOperation(const QString &op)
{
    if (op == QLatin1String("create"))
        return outcomeOf(
            awaitTask(createCrew(QStringLiteral("Ann's Crew"), QStringLiteral("Ann"))));
    if (op == QLatin1String("join"))
        return outcomeOf(awaitTask(joinCrew(QStringLiteral("abc123"), QStringLiteral("Ann"))));
    if (op == QLatin1String("fetch"))
        return outcomeOf(awaitTask(fetchCrew(QStringLiteral("ABC123"), mondayClock, berlin)));
    if (op == QLatin1String("kick"))
        return outcomeOf(awaitTask(kick(member, QStringLiteral("Bob"))));
    if (op == QLatin1String("report"))
        return outcomeOf(awaitTask(report(member, {{QStringLiteral("2024-03-04"), 90.5}})));
    qFatal("unknown operation");
}

QJsonObject objectOf(const QByteArray &json)
{
    const auto value = parseJson(json);
    return value && value->isObject() ? value->toObject() : QJsonObject();
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
        server.enqueue(TestHttpServer::json(201, joinBody));
        server.enqueue(TestHttpServer::json(200, joinBody));
        server.enqueue(TestHttpServer::json(200, crewBody));
        server.enqueue(TestHttpServer::json(200, okBody));
        server.enqueue(TestHttpServer::json(200, okBody));
        server.enqueue(TestHttpServer::json(200, okBody));

        const auto created =
            awaitTask(createCrew(QStringLiteral("Ann's Crew"), QStringLiteral(" Ann ")));
        QVERIFY(created && *created);
        QCOMPARE(created->value(), (Config{QStringLiteral("ABC123"), QStringLiteral("m-1"),
                                           QStringLiteral(" Ann "), QStringLiteral("Crew")}));
        const auto joined = awaitTask(joinCrew(QStringLiteral("abc12z"), QStringLiteral("Ann")));
        QVERIFY(joined && *joined);
        QCOMPARE(joined->value().code, QStringLiteral("ABC123")); // the service's code is kept
        const auto fetched = awaitTask(fetchCrew(QStringLiteral("ABC123"), mondayClock, berlin));
        QVERIFY(fetched && *fetched);
        QVERIFY(awaitTask(leave(member)));
        const auto kicked = awaitTask(kick(member, QStringLiteral("Bob")));
        QVERIFY(kicked && *kicked);
        const auto reported = awaitTask(report(
            member, {{QStringLiteral("2024-03-04"), 90.5}, {QStringLiteral("2024-03-03"), 0}}));
        QVERIFY(reported && *reported);

        const QList<TestHttpServer::Request> &r = server.requests();
        QCOMPARE(r.size(), 6);
        const QList<QByteArray> targets{"/api/crew",  "/api/join", "/api/crew/ABC123",
                                        "/api/leave", "/api/kick", "/api/report"};
        const QList<QJsonObject> bodies{
            {{"crewName", "Ann's Crew"}, {"nickname", " Ann "}},
            {{"code", "ABC12Z"}, {"nickname", "Ann"}},
            {},
            {{"code", "ABC123"}, {"memberId", "m-1"}},
            {{"code", "ABC123"}, {"memberId", "m-1"}, {"nickname", "Bob"}},
            {{"code", "ABC123"},
             {"memberId", "m-1"},
             {"nickname", "Ann"},
             {"days", QJsonObject{{"2024-03-04", 90.5}, {"2024-03-03", 0}}}},
        };
        for (int i = 0; i < r.size(); ++i) {
            const bool isFetch = i == 2;
            QCOMPARE(r[i].target, targets[i]);
            QCOMPARE(r[i].method, isFetch ? QByteArray("GET") : QByteArray("POST"));
            QCOMPARE(r[i].header("Content-Type"), isFetch ? QByteArray() : "application/json");
            QVERIFY(!r[i].hasHeader("Authorization"));
            if (isFetch) {
                QVERIFY(r[i].body.isEmpty());
                continue;
            }
            QCOMPARE(objectOf(r[i].body), bodies[i]);
            QVERIFY2(!r[i].body.contains('\n') && !r[i].body.contains(": "), r[i].body);
        }
    }

    void classification_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");

        const QString confusing = QStringLiteral("The crew server gave a confusing answer.");
        const QString noCrew = QStringLiteral("That crew code doesn't exist.");
        const QString unreadable = QStringLiteral("The crew server's answer could not be read.");

        QTest::newRow("fetch 200") << "fetch" << 200 << crewBody << "ok"
                                   << "";
        QTest::newRow("fetch 201 with a valid body")
            << "fetch" << 201 << crewBody << "badResponse" << confusing;
        QTest::newRow("fetch 204") << "fetch" << 204 << QByteArray() << "badResponse" << confusing;
        QTest::newRow("create 201 with a valid body") << "create" << 201 << joinBody << "ok"
                                                      << "";
        QTest::newRow("join 400 with error")
            << "join" << 400 << QByteArray(R"({"error":"Nickname taken 🙈"})") << "server"
            << QStringLiteral("Nickname taken 🙈");
        QTest::newRow("kick 403 with error and other strings")
            << "kick" << 403 << QByteArray(R"({"error":"Only the owner can do that","code":"x"})")
            << "server"
            << "Only the owner can do that";
        QTest::newRow("report 500 with error")
            << "report" << 500 << QByteArray(R"({"error":"Try later"})") << "server"
            << "Try later";
        QTest::newRow("join 400 error beside a number")
            << "join" << 400 << QByteArray(R"({"error":"Nope","retry":3})") << "badResponse"
            << confusing;
        QTest::newRow("join 400 empty object")
            << "join" << 400 << QByteArray("{}") << "badResponse" << confusing;
        QTest::newRow("join 400 without error")
            << "join" << 400 << QByteArray(R"({"message":"Nope"})") << "badResponse" << confusing;
        QTest::newRow("join 400 array")
            << "join" << 400 << QByteArray(R"(["error","Nope"])") << "badResponse" << confusing;
        QTest::newRow("join 400 plain text")
            << "join" << 400 << QByteArray("error: Nope") << "badResponse" << confusing;
        QTest::newRow("join 400 error not a string")
            << "join" << 400 << QByteArray(R"({"error":null})") << "badResponse" << confusing;
        QTest::newRow("join 404 before the body")
            << "join" << 404 << QByteArray(R"({"error":"No such crew"})") << "notFound" << noCrew;
        QTest::newRow("kick 404") << "kick" << 404 << okBody << "notFound" << noCrew;
        QTest::newRow("report 404 plain text")
            << "report" << 404 << QByteArray("gone") << "notFound" << noCrew;
        QTest::newRow("fetch 404") << "fetch" << 404 << QByteArray() << "notFound" << noCrew;
        QTest::newRow("fetch 500 error not read")
            << "fetch" << 500 << QByteArray(R"({"error":"Down"})") << "badResponse" << confusing;
        QTest::newRow("join 200 without memberId")
            << "join" << 200 << QByteArray(R"({"code":"ABC123","crewName":"Crew"})") << "decoding"
            << unreadable;
        QTest::newRow("join 200 memberId a number")
            << "join" << 200 << QByteArray(R"({"code":"ABC123","memberId":7,"crewName":"C"})")
            << "decoding" << unreadable;
        QTest::newRow("join 200 not JSON")
            << "join" << 200 << QByteArray("<html>") << "decoding" << unreadable;
        QTest::newRow("create 200 duplicate key")
            << "create" << 200
            << QByteArray(R"({"code":"A","code":"B","memberId":"m","crewName":"C"})") << "decoding"
            << unreadable;
        QTest::newRow("kick 200 without ok")
            << "kick" << 200 << QByteArray("{}") << "decoding" << unreadable;
        QTest::newRow("report 200 ok false")
            << "report" << 200 << QByteArray(R"({"ok":false})") << "ok"
            << "";
        QTest::newRow("report 200 ok a number")
            << "report" << 200 << QByteArray(R"({"ok":1})") << "decoding" << unreadable;
        QTest::newRow("fetch 200 member without days")
            << "fetch" << 200 << QByteArray(R"({"crewName":"C","members":[{"nickname":"a"}]})")
            << "decoding" << unreadable;
        QTest::newRow("fetch 200 day value a string")
            << "fetch" << 200
            << QByteArray(R"({"crewName":"C","members":[{"nickname":"a","days":{"x":"1"}}]})")
            << "decoding" << unreadable;
        QTest::newRow("fetch 200 owner a number")
            << "fetch" << 200 << QByteArray(R"({"crewName":"C","ownerNickname":1,"members":[]})")
            << "decoding" << unreadable;
        QTest::newRow("fetch 200 members absent")
            << "fetch" << 200 << QByteArray(R"({"crewName":"C"})") << "decoding" << unreadable;
    }

    void classification()
    {
        QFETCH(QString, op);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, kind);
        QFETCH(QString, description);

        server.enqueue(TestHttpServer::json(status, body));
        const Outcome outcome = runOperation(op);
        QCOMPARE(outcome.kind, kind);
        QCOMPARE(outcome.description, description);
        QCOMPARE(server.requests().size(), 1);
    }

    void notAnHttpReply_data()
    {
        QTest::addColumn<QByteArray>("raw");

        QTest::newRow("another protocol") << QByteArray("SSH-2.0-OpenSSH_9.2\r\n\r\n");
        QTest::newRow("TLS bytes") << QByteArray("\x16\x03\x01\x02\x00\x01\x00");
        QTest::newRow("broken status line") << QByteArray("HTTP/1.1 abc\r\n\r\n");
        QTest::newRow("unknown version") << QByteArray("HTTP/9 200\r\n\r\n{}");
    }

    void notAnHttpReply()
    {
        QFETCH(QByteArray, raw);

        // Qt reports such replies as a closed connection, possibly after resending the
        // request; what matters is that nothing passes for an answer.
        Reply garbage;
        garbage.raw = raw;
        server.setFallback(garbage);
        const Outcome outcome = runOperation(QStringLiteral("join"));
        QCOMPARE(outcome.kind, QStringLiteral("transport"));
        QCOMPARE(outcome.networkError, QNetworkReply::RemoteHostClosedError);
    }

    void transportErrorsPassThrough()
    {
        // Dropped without a reply, also when Qt resends the request.
        Reply drop;
        drop.dropConnection = true;
        server.setFallback(drop);
        Outcome outcome = runOperation(QStringLiteral("join"));
        QCOMPARE(outcome.kind, QStringLiteral("transport"));
        QCOMPARE(outcome.networkError, QNetworkReply::RemoteHostClosedError);
        QVERIFY(!outcome.description.isEmpty());
        server.reset();

        // Nobody listening: join fails, leave still completes.
        const quint16 port = server.port();
        server.close();
        outcome = runOperation(QStringLiteral("fetch"));
        QCOMPARE(outcome.kind, QStringLiteral("transport"));
        QCOMPARE(outcome.networkError, QNetworkReply::ConnectionRefusedError);
        QVERIFY(awaitTask(leave(member)));
        QVERIFY(server.listen(port));

        // A reply slower than the transfer timeout, shortened here from its 60 seconds.
        Reply slow = TestHttpServer::json(200, okBody);
        slow.delayMs = 2000;
        server.enqueue(slow);
        QNetworkRequest request = postRequest(server.url(QStringLiteral("/api/kick")));
        QCOMPARE(request.transferTimeout(), 60'000);
        request.setTransferTimeout(200);
        const auto reply = awaitTask(exchange(request, "POST", okBody));
        QVERIFY(reply);
        QCOMPARE(reply->error, QNetworkReply::TimeoutError);
        QVERIFY(!reply->status);
    }

    void requestRules()
    {
        const QUrl url = server.url(QStringLiteral("/api/crew/X"));
        const QNetworkRequest get = fetchRequest(url);
        QCOMPARE(get.transferTimeout(), 60'000);
        QCOMPARE(get.attribute(QNetworkRequest::CacheLoadControlAttribute).toInt(),
                 int(QNetworkRequest::AlwaysNetwork));
        const QNetworkRequest post = postRequest(url);
        QVERIFY(!post.attribute(QNetworkRequest::CacheLoadControlAttribute).isValid());
        QCOMPARE(post.rawHeaderList(), QList<QByteArray>{"Content-Type"});

        // A cookie set by one reply is never sent back.
        Reply withCookie = TestHttpServer::json(200, okBody);
        withCookie.addHeader("Set-Cookie", "session=1; Path=/");
        server.enqueue(withCookie);
        server.enqueue(TestHttpServer::json(200, okBody));
        QCOMPARE(runOperation(QStringLiteral("kick")).kind, QStringLiteral("ok"));
        QCOMPARE(runOperation(QStringLiteral("kick")).kind, QStringLiteral("ok"));
        QCOMPARE(server.requests().size(), 2);
        QVERIFY(!server.requests()[1].hasHeader("Cookie"));
    }

    void bodyLimit_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("status");
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<bool>("withLength");
        QTest::addColumn<QString>("kind");

        const qsizetype mib = 1024 * 1024;
        QTest::newRow("exactly 1 MiB") << "join" << 200 << mib << true << "ok";
        QTest::newRow("1 MiB + 1") << "join" << 200 << mib + 1 << true << "badResponse";
        QTest::newRow("1 MiB + 1, no length") << "join" << 200 << mib + 1 << false << "badResponse";
        QTest::newRow("8 MiB, no length") << "fetch" << 200 << 8 * mib << false << "badResponse";
        QTest::newRow("error body of 1 MiB") << "kick" << 400 << mib << true << "server";
        QTest::newRow("error body of 2 MiB") << "kick" << 400 << 2 * mib << true << "badResponse";
        QTest::newRow("404 of 2 MiB") << "fetch" << 404 << 2 * mib << true << "notFound";
    }

    void bodyLimit()
    {
        QFETCH(QString, op);
        QFETCH(int, status);
        QFETCH(qsizetype, size);
        QFETCH(bool, withLength);
        QFETCH(QString, kind);

        // A reply that would be read as a success or a refusal, padded out inside a string.
        QByteArray head = "{\"error\":\"";
        if (op == QLatin1String("join"))
            head = "{\"code\":\"ABC123\",\"memberId\":\"m-1\",\"crewName\":\"";
        else if (op == QLatin1String("fetch"))
            head = "{\"crewName\":\"Crew\",\"members\":[],\"ownerNickname\":\"";
        QByteArray body = head + QByteArray(size - head.size() - 2, 'x') + "\"}";
        QCOMPARE(body.size(), size);
        Reply reply = TestHttpServer::json(status, body);
        reply.omitContentLength = !withLength;
        server.enqueue(reply);
        QCOMPARE(runOperation(op).kind, kind);
    }

    void redirects()
    {
        Reply toLoopback;
        toLoopback.status = 307;
        toLoopback.addHeader("Location",
                             server.url(QStringLiteral("/elsewhere/ABC123")).toEncoded());
        server.enqueue(toLoopback);
        server.enqueue(TestHttpServer::json(200, crewBody));
        QCOMPARE(runOperation(QStringLiteral("fetch")).kind, QStringLiteral("ok"));
        QCOMPARE(server.requests().size(), 2);
        QCOMPARE(server.requests()[1].target, QByteArray("/elsewhere/ABC123"));

        // 0.0.0.0 is not a loopback address, yet on Linux it reaches this very server: were the
        // redirect followed, the server would see a second request.
        server.reset();
        Reply toOther = toLoopback;
        toOther.headers.clear();
        toOther.addHeader("Location", "http://0.0.0.0:" + QByteArray::number(server.port()) +
                                          "/api/crew/ABC123");
        server.enqueue(toOther);
        server.enqueue(TestHttpServer::json(200, crewBody));
        QCOMPARE(runOperation(QStringLiteral("fetch")).kind, QStringLiteral("badResponse"));
        QCOMPARE(server.requests().size(), 1);

        server.reset();
        server.enqueue(toOther);
        server.enqueue(TestHttpServer::json(200, joinBody));
        QCOMPARE(runOperation(QStringLiteral("join")).kind, QStringLiteral("badResponse"));
        QCOMPARE(server.requests().size(), 1);
    }

    void codeIsOnePathSegment_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QByteArray>("target");

        QTest::newRow("plain") << "ABC123" << QByteArray("/api/crew/ABC123");
        QTest::newRow("climbing") << "../x" << QByteArray("/api/crew/..%2Fx");
        QTest::newRow("slash and query") << "a/b?c" << QByteArray("/api/crew/a%2Fb%3Fc");
        QTest::newRow("fragment and space") << "A B#1" << QByteArray("/api/crew/A%20B%231");
        QTest::newRow("percent") << "%2F" << QByteArray("/api/crew/%252F");
        QTest::newRow("not ASCII") << "é" << QByteArray("/api/crew/%C3%A9");
        QTest::newRow("dot") << "." << QByteArray();
        QTest::newRow("dot dot") << ".." << QByteArray();
    }

    void codeIsOnePathSegment()
    {
        QFETCH(QString, code);
        QFETCH(QByteArray, target);

        server.enqueue(TestHttpServer::json(404, {}));
        const auto result = awaitTask(fetchCrew(code, mondayClock, berlin));
        QVERIFY(result && !*result);
        QCOMPARE(result->failure().kind, CrewFailure::Kind::notFound);
        if (target.isEmpty()) {
            QVERIFY(server.requests().isEmpty()); // no crew has such a code
            return;
        }
        QCOMPARE(server.requests().size(), 1);
        QCOMPARE(server.requests()[0].target, target);
    }

    void fetchDerivesStandings_data()
    {
        QTest::addColumn<QByteArray>("owner");
        QTest::addColumn<std::optional<QString>>("expectedOwner");

        QTest::newRow("owner named") << QByteArray("\"ownerNickname\":\"Bob\",")
                                     << std::optional<QString>(QStringLiteral("Bob"));
        QTest::newRow("owner null")
            << QByteArray("\"ownerNickname\":null,") << std::optional<QString>();
        QTest::newRow("owner absent") << QByteArray() << std::optional<QString>();
    }

    void fetchDerivesStandings()
    {
        QFETCH(QByteArray, owner);
        QFETCH(std::optional<QString>, expectedOwner);

        // Monday: last week's Sunday does not count, today is the whole week.
        server.enqueue(TestHttpServer::json(
            200, "{\"crewName\":\"Night Owls\"," + owner +
                     R"("members":[{"nickname":"Ann","days":{"2024-03-04":1800,"2024-03-03":5000}},
                                   {"nickname":"Bob","days":{"2024-03-04":3600}},
                                   {"nickname":"Cy","days":{}}],"extra":[1]})"));
        const auto result = awaitTask(fetchCrew(QStringLiteral("ABC123"), mondayClock, berlin));
        QVERIFY(result && *result);
        QCOMPARE(result->value().crewName, QStringLiteral("Night Owls"));
        QCOMPARE(result->value().ownerNickname, expectedOwner);
        const QList<Standing> expected{{0, QStringLiteral("Bob"), 3600, 3600},
                                       {1, QStringLiteral("Ann"), 1800, 1800},
                                       {2, QStringLiteral("Cy"), 0, 0}};
        QCOMPARE(result->value().standings, expected);
    }
};

QTEST_GUILESS_MAIN(CrewClientTest)
#include "tst_crewclient.moc"
