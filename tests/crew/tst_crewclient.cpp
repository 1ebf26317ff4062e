#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "TestHttpServer.h"

#include <QTest>

using namespace CrewClient;
using Reply = TestHttpServer::Reply;

namespace {

const Config member{"ABC123", "m-1", "Ann", "Crew"};
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

    // What real refusals become (the service's words, "doesn't exist") is checked against
    // tockly-crewd in tst_crewstore; here the replies it would never give.
    void classification()
    {
        const QString confusing = "The crew server gave a confusing answer.";
        const QString unreadable = "The crew server's answer could not be read.";
        const QList<std::tuple<QString, int, QByteArray, QString, QString>> rows{
            {"fetch", 201, crewBody, "badResponse", confusing},
            {"join", 400, R"({"error":"No","retry":3})", "badResponse", confusing},
            {"fetch", 500, R"({"error":"Down"})", "badResponse", confusing},
            {"create", 200, R"({"code":"A","code":"B","memberId":"m","crewName":"C"})", "decoding",
             unreadable},
            {"kick", 200, "{}", "decoding", unreadable},
            {"fetch", 200, R"({"crewName":"C","ownerNickname":null,"members":[]})", "ok", ""},
            {"fetch", 200, R"({"crewName":"C","members":[{"nickname":"a"}]})", "decoding",
             unreadable}};
        for (const auto &[op, status, body, kind, description] : rows) {
            server.reset();
            server.enqueue(TestHttpServer::json(status, body));
            const Outcome outcome = run(op);
            QVERIFY2(outcome.kind == kind && outcome.description == description,
                     qPrintable(outcome.kind + ": " + body));
        }
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

    void bodyLimit()
    {
        // Replies that would be read as a success or a refusal, padded out inside a string.
        const qsizetype mib = 1024 * 1024;
        const QList<std::tuple<QString, int, qsizetype, bool, QString>> rows{
            {"join", 200, mib, true, "ok"},
            {"join", 200, mib + 1, true, "badResponse"},
            {"fetch", 200, 8 * mib, false, "badResponse"}, // no length: counted as it comes
            {"kick", 400, mib + 1, false, "badResponse"}};
        for (const auto &[op, status, size, withLength, kind] : rows) {
            const QByteArray head = op == "join"   ? paddedJoin
                                    : op == "kick" ? paddedError
                                                   : paddedCrew;
            Reply reply =
                TestHttpServer::json(status, head + QByteArray(size - head.size() - 2, 'x'));
            reply.body += "\"}";
            reply.omitContentLength = !withLength;
            server.reset();
            server.enqueue(reply);
            QCOMPARE(run(op).kind, kind);
        }
    }

    void redirects()
    {
        Reply redirect;
        redirect.status = 307;
        redirect.addHeader("Location", server.url("/elsewhere").toEncoded());
        redirect.addHeader("Set-Cookie", "session=1; Path=/");
        server.enqueue(redirect);
        server.enqueue(TestHttpServer::json(200, crewBody));
        QCOMPARE(run("fetch").kind, "ok");
        QCOMPARE(server.requests().value(1).target, "/elsewhere");
        // A cookie the service sets is never sent back.
        QVERIFY(!server.requests().value(1).hasHeader("Cookie"));

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

    void codeIsOnePathSegment()
    {
        // The target sent for a code; empty: nothing is sent.
        const QList<QPair<QString, QByteArray>> rows{
            {"../x", "/api/crew/..%2Fx"}, {"%2F", "/api/crew/%252F"}, {"..", ""}};
        for (const auto &[code, target] : rows) {
            server.reset();
            server.enqueue(TestHttpServer::json(404, {}));
            QCOMPARE(outcomeOf(awaitTask(fetchCrew(code, mondayClock, berlin))).kind, "notFound");
            QCOMPARE(server.requests().value(0).target, target);
        }
    }
};

QTEST_GUILESS_MAIN(CrewClientTest)
#include "tst_crewclient.moc"
