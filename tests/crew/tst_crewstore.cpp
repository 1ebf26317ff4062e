// The store's crew operations with the real crew client against a scripted local service.

#include "CrewBaseUrl.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "StoreFixture.h"
#include "TestHttpServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using CrewClient::Config;
using Reply = TestHttpServer::Reply;
using Request = TestHttpServer::Request;

namespace {

const QString today = QStringLiteral("2026-03-10"); // the fixture's day

Config crew(const QString &code, const QString &name = {})
{
    return {code, "m-" + code, "Ann", name.isEmpty() ? "Crew " + code : name};
}

QList<Config> crews(const QStringList &codes)
{
    QList<Config> configs;
    for (const QString &code : codes)
        configs.append(crew(code));
    return configs;
}

QJsonObject bodyOf(const Request &request)
{
    return QJsonDocument::fromJson(request.body).object();
}

// "GET /api/crew/AAAAAA", or for a POST its path and the body's code: "POST /api/join BBBBBB".
QString route(const Request &request)
{
    QString route = QString::fromLatin1(request.method + ' ' + request.target);
    if (request.method == "POST")
        route += ' ' + bodyOf(request).value("code").toString();
    return route;
}

Reply joined(const QString &code, const QString &memberId, int delayMs = 0)
{
    Reply reply = TestHttpServer::json(
        200, QJsonDocument(
                 QJsonObject{{"code", code}, {"memberId", memberId}, {"crewName", "Crew " + code}})
                 .toJson(QJsonDocument::Compact));
    reply.delayMs = delayMs;
    return reply;
}

// A fetched crew: its name, its owner (none when empty) and each member's seconds today.
Reply fetched(const QString &name, const QString &owner, const QList<QPair<QString, int>> &members,
              int delayMs = 0)
{
    QJsonArray list;
    for (const auto &[nickname, seconds] : members)
        list.append(QJsonObject{{"nickname", nickname}, {"days", QJsonObject{{today, seconds}}}});
    QJsonObject crew{{"crewName", name}, {"members", list}};
    if (!owner.isEmpty())
        crew.insert("ownerNickname", owner);
    Reply reply = TestHttpServer::json(200, QJsonDocument(crew).toJson(QJsonDocument::Compact));
    reply.delayMs = delayMs;
    return reply;
}

// A leaderboard as "nickname seconds" rows.
QStringList board(const MacWorkStore &store, const QString &code)
{
    QStringList rows;
    for (const auto &s : store.standingsByCode().value(code))
        rows << QStringLiteral("%1 %2").arg(s.nickname).arg(s.todaySeconds);
    return rows;
}

QStringList codes(const QList<Config> &configs)
{
    QStringList out;
    for (const Config &c : configs)
        out << c.code;
    return out;
}

QList<Config> storedCrews(const StoreFixture &f)
{
    return CrewClient::decodeConfigs(f.settings.dataValue(MacWorkStore::crewsKey).value_or(""))
        .value_or(QList<Config>{{"unreadable", "", "", ""}});
}

} // namespace

class CrewStoreTest : public QObject {
    Q_OBJECT

    TestHttpServer server;
    // Replies by route, used in order, the last one kept; {"ok":true} for anything else.
    QHash<QString, QList<Reply>> script;

    QList<Request> requests(const QString &prefix) const
    {
        QList<Request> out;
        for (const Request &r : server.requests())
            if (route(r).startsWith(prefix))
                out << r;
        return out;
    }

    QStringList routes(const QString &prefix) const
    {
        QStringList out;
        for (const Request &r : requests(prefix))
            out << route(r);
        return out;
    }

    // Forgets the requests so far; the script stays.
    void forget()
    {
        server.reset();
        server.setResponder([this](const Request &request) -> std::optional<Reply> {
            auto it = script.find(route(request));
            if (it == script.end())
                return TestHttpServer::json(200, R"({"ok":true})");
            return it->size() > 1 ? it->takeFirst() : it->first();
        });
    }

    static MacWorkStore &withCrews(StoreFixture &f, const QStringList &held)
    {
        f.settings.setValue(MacWorkStore::crewsKey, CrewClient::encodeConfigs(crews(held)));
        return f.open();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.listen());
        qputenv("QUENBY_CREW_URL", server.url().toEncoded());
        QVERIFY(CrewClient::baseURL());
    }

    void init()
    {
        script.clear();
        forget();
    }

    // No request of one test may be answered in the next.
    void cleanup()
    {
        QTRY_VERIFY(CrewClient::sharedNetwork().findChildren<QNetworkReply *>().isEmpty());
    }

    void joinAndCreateRules_data()
    {
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QString>("op"); // "join CODE" or "create"
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("after");

        const QStringList five{"AAAAAA", "BBBBBB", "CCCCCC", "DDDDDD", "EEEEEE"};
        const QString already = "You're already in that crew.";
        QTest::newRow("held, typed in lower case")
            << QStringList{"AAAAAA"} << "join aaaaaa" << already << QStringList{"AAAAAA"};
        QTest::newRow("five, one of them") << five << "join cccccc" << already << five;
        QTest::newRow("five, another")
            << five << "join ZZZZZZ" << MacWorkStore::crewLimitMessage() << five;
        QTest::newRow("five, create") << five << "create"
                                      << "You can be in up to 5 crews." << five;
        QTest::newRow("unknown code") << QStringList{"AAAAAA"} << "join QQQQQQ"
                                      << "That crew code doesn't exist." << QStringList{"AAAAAA"};
        QTest::newRow("four, join") << five.mid(0, 4) << "join eeeeee"
                                    << "" << five;
        QTest::newRow("four, create") << five.mid(0, 4) << "create"
                                      << "" << five;
    }

    void joinAndCreateRules()
    {
        QFETCH(QStringList, held);
        QFETCH(QString, op);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        script["POST /api/join QQQQQQ"] = {TestHttpServer::json(404, "")};
        script["POST /api/join EEEEEE"] = {joined("EEEEEE", "m-new")};
        script["POST /api/crew "] = {joined("EEEEEE", "m-new")};
        for (const QString &code : after)
            script["GET /api/crew/" + code] = {fetched("Crew " + code, "Ann", {{"Ann", 60}})};
        StoreFixture f;
        MacWorkStore &s = withCrews(f, held);
        QSignalSpy errors(&s, &MacWorkStore::crewErrorChanged);

        if (op == "create")
            QVERIFY(awaitTask(s.createCrew("Ann's Crew", "Ann")));
        else
            QVERIFY(awaitTask(s.joinCrew(op.mid(5), "Ann")));

        QCOMPARE(s.crewError(), error);
        QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
        QCOMPARE(codes(s.crewConfigs()), after);
        QCOMPARE(storedCrews(f), s.crewConfigs());
        const bool refused =
            error == "You're already in that crew." || error.startsWith("You can be");
        QCOMPARE(server.requests().isEmpty(), refused);
        if (!error.isEmpty())
            return;
        // The new crew is last, was reported with the others and every crew was fetched.
        QCOMPARE(s.crewConfigs().last(), Config({"EEEEEE", "m-new", "Ann", "Crew EEEEEE"}));
        QTRY_COMPARE(routes("POST /api/report").size(), 5);
        QCOMPARE(routes("GET").size(), 5);
        QCOMPARE(board(s, "EEEEEE"), QStringList{"Ann 60"});
    }

    void refreshOfThreeCrews()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC"});
        script["GET /api/crew/AAAAAA"] = {fetched("Crew AAAAAA", "Ann", {{"Bob", 50}, {"Ann", 90}}),
                                          fetched("Owls", "", {{"Ann", 95}})};
        script["GET /api/crew/BBBBBB"] = {fetched("Crew BBBBBB", "Bob", {{"Bob", 70}}),
                                          TestHttpServer::json(404, R"({"error":"gone"})")};
        script["GET /api/crew/CCCCCC"] = {fetched("Crew CCCCCC", "Ann", {{"Ann", 10}}),
                                          TestHttpServer::json(500, "<html>oops</html>")};
        QVERIFY(awaitTask(s.joinCrew("AAAAAA", "Ann"))); // leaves an error for the refresh to clear
        QVERIFY(!s.crewError().isEmpty());

        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(s.crewError(), "");
        QCOMPARE(board(s, "AAAAAA"), QStringList({"Ann 90", "Bob 50"}));
        QCOMPARE(s.ownedCrewCodes(), QStringList({"AAAAAA", "CCCCCC"}));

        QSignalSpy configsChanged(&s, &MacWorkStore::crewConfigsChanged);
        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(routes("GET").mid(3), QStringList({"GET /api/crew/AAAAAA", "GET /api/crew/BBBBBB",
                                                    "GET /api/crew/CCCCCC"}));
        QCOMPARE(s.crewError(), "That crew code doesn't exist.");
        // The first crew is renamed, stored, and no longer owned: its reply names no owner.
        QCOMPARE(board(s, "AAAAAA"), QStringList{"Ann 95"});
        QCOMPARE(s.crewConfigs().first().crewName, "Owls");
        QCOMPARE(configsChanged.size(), 1);
        QCOMPARE(storedCrews(f), s.crewConfigs());
        // The failed crews keep what they had.
        QCOMPARE(board(s, "BBBBBB"), QStringList{"Bob 70"});
        QCOMPARE(board(s, "CCCCCC"), QStringList{"Ann 10"});
        QCOMPARE(s.ownedCrewCodes(), QStringList{"CCCCCC"});
        QCOMPARE(codes(s.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
    }

    void reportDaysAroundMidnight()
    {
        const QTimeZone berlin("Europe/Berlin");
        StoreFixture f(localInstant(berlin, "2026-03-10 23:50"));
        const QList<WorkEntry> entries{
            {QUuid::createUuid(), localInstant(berlin, "2026-03-04 09:00"), 3600,
             WorkEntry::Kind::timed},
            {QUuid::createUuid(), localInstant(berlin, "2026-03-03 09:00"), 7200,
             WorkEntry::Kind::timed}};
        f.writeData("entries.json", encodeEntries(entries, JsonStyle::compact));
        MacWorkStore &s = f.open();
        f.type(900); // 23:50:04 to 00:05:00, still typing
        QVERIFY(s.isTracking());
        QVERIFY(server.requests().isEmpty()); // no crews, no reports

        s.setCrewConfigs({crew("AAAAAA")});
        s.reportNow();
        QTRY_COMPARE(server.requests().size(), 1);
        const QJsonObject body = bodyOf(server.requests().first());
        QCOMPARE(body.value("memberId").toString(), "m-AAAAAA");
        QCOMPARE(body.value("nickname").toString(), "Ann");
        QMap<QString, double> days;
        const QJsonObject sent = body.value("days").toObject();
        for (auto it = sent.begin(); it != sent.end(); ++it)
            days.insert(it.key(), it.value().toDouble(-1));
        const QMap<QString, double> expected{
            {"2026-03-11", 300}, {"2026-03-10", 596}, {"2026-03-09", 0}, {"2026-03-08", 0},
            {"2026-03-07", 0},   {"2026-03-06", 0},   {"2026-03-05", 0}, {"2026-03-04", 3600}};
        QCOMPARE(days, expected);
        QCOMPARE(s.lastReport(), f.clock.now());
    }

    void tickReportsEveryFiveMinutesWhileTracking()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA"});
        f.advance(3600); // idle: no report, however long
        QCOMPARE(s.lastReport(), MacWorkStore::distantPast);

        f.type(5); // the first counting tick reports
        const Instant first = f.clock.now();
        QCOMPARE(s.lastReport(), first);
        f.type(300); // ticks every 5 s, the last exactly 300 s after the report
        QCOMPARE(f.clock.now(), first + 300);
        QCOMPARE(s.lastReport(), first);
        f.type(5);
        QCOMPARE(s.lastReport(), first + 305);
        QTRY_COMPARE(routes("POST /api/report").size(), 2);
    }

    void reportReachesEveryCrewInOrder()
    {
        StoreFixture none;
        none.open().reportNow();
        QCOMPARE(none.store->lastReport(), MacWorkStore::distantPast);

        Reply unreachable;
        unreachable.dropConnection = true;
        script["POST /api/report BBBBBB"] = {unreachable};
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC"});
        QSignalSpy errors(&s, &MacWorkStore::crewErrorChanged);
        s.reportNow();
        QTRY_COMPARE(routes("POST /api/report CCCCCC").size(), 1);
        QStringList order = routes("POST /api/report");
        order.removeDuplicates(); // the client's own resend of the dropped request
        QCOMPARE(order, QStringList({"POST /api/report AAAAAA", "POST /api/report BBBBBB",
                                     "POST /api/report CCCCCC"}));
        const QJsonValue days = bodyOf(server.requests().first()).value("days");
        QCOMPARE(days.toObject().size(), 8);
        QCOMPARE(bodyOf(server.requests().last()).value("days"), days);
        QCOMPARE(errors.size(), 0);
    }

    void overlappingOperations()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA"});

        // Two refreshes: each writes the board when its reply comes; the later reply wins.
        script["GET /api/crew/AAAAAA"] = {fetched("Crew AAAAAA", "", {{"Ann", 1}}, 300),
                                          fetched("Crew AAAAAA", "", {{"Ann", 2}})};
        QSignalSpy boards(&s, &MacWorkStore::standingsByCodeChanged);
        auto first = s.refreshCrews();
        QVERIFY(awaitTask(s.refreshCrews()));
        QVERIFY(awaitTask(std::move(first)));
        QCOMPARE(board(s, "AAAAAA"), QStringList{"Ann 1"});
        QCOMPARE(boards.size(), 2);

        // A report started during a join goes to the crews held when it started.
        forget();
        script["POST /api/join BBBBBB"] = {joined("BBBBBB", "m-B", 300)};
        auto joining = s.joinCrew("BBBBBB", "Ann");
        s.reportNow();
        QVERIFY(awaitTask(std::move(joining)));
        QTRY_COMPARE(routes("POST /api/report").size(), 3);
        QCOMPARE(routes("POST /api/report BBBBBB").size(), 1);
        QCOMPARE(codes(s.crewConfigs()), QStringList({"AAAAAA", "BBBBBB"}));

        // Two joins of one crew: the membership that comes second is handed back.
        script["POST /api/join CCCCCC"] = {joined("CCCCCC", "m-1", 100), joined("CCCCCC", "m-2")};
        auto firstJoin = s.joinCrew("CCCCCC", "Ann");
        QVERIFY(awaitTask(s.joinCrew("cccccc", "Ann")));
        QVERIFY(awaitTask(std::move(firstJoin)));
        QCOMPARE(codes(s.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
        QCOMPARE(storedCrews(f), s.crewConfigs());
        QTRY_COMPARE(requests("POST /api/leave").size(), 1);
        const QString handedBack =
            bodyOf(requests("POST /api/leave").first()).value("memberId").toString();
        QCOMPARE(QSet<QString>({handedBack, s.crewConfigs().last().memberId}),
                 QSet<QString>({"m-1", "m-2"}));
    }

    void leavingWhileRequestsRun()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB"});
        script["GET /api/crew/AAAAAA"] = {fetched("Crew AAAAAA", "Ann", {{"Ann", 5}})};
        script["GET /api/crew/BBBBBB"] = {fetched("Renamed", "Ann", {{"Ann", 5}}, 300)};
        auto refreshing = s.refreshCrews();
        QTRY_COMPARE(board(s, "AAAAAA"), QStringList{"Ann 5"});
        s.leaveCrew("BBBBBB");
        QVERIFY(awaitTask(std::move(refreshing)));
        QCOMPARE(codes(s.crewConfigs()), QStringList{"AAAAAA"});
        QCOMPARE(storedCrews(f), s.crewConfigs());
        QVERIFY(!s.standingsByCode().contains("BBBBBB"));
        QCOMPARE(s.ownedCrewCodes(), QStringList{"AAAAAA"});

        // A refused removal that answers after the crew was left shows nothing.
        Reply refused = TestHttpServer::json(403, R"({"error":"Only the owner."})");
        refused.delayMs = 200;
        script["POST /api/kick AAAAAA"] = {refused};
        auto removing = s.removeMember("AAAAAA", "Bob");
        s.leaveCrew("AAAAAA");
        QVERIFY(awaitTask(std::move(removing)));
        QCOMPARE(routes("POST /api/kick").size(), 1);
        QCOMPARE(s.crewError(), "");
        QVERIFY(s.crewConfigs().isEmpty());
        QVERIFY(s.standingsByCode().isEmpty());
        QVERIFY(s.ownedCrewCodes().isEmpty());

        // The store may go while its tasks wait.
        script["POST /api/join CCCCCC"] = {joined("CCCCCC", "m-C", 200)};
        script["GET /api/crew/AAAAAA"] = {fetched("Crew AAAAAA", "Ann", {{"Ann", 5}}, 200)};
        StoreFixture g;
        MacWorkStore &t = withCrews(g, {"AAAAAA"});
        auto join = t.joinCrew("CCCCCC", "Ann");
        auto refresh = t.refreshCrews();
        g.store.reset();
        QVERIFY(awaitTask(std::move(join)));
        QVERIFY(awaitTask(std::move(refresh)));
    }

    // Runs last: it stops the service.
    void leavingWhileTheServiceIsDown()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB"});
        script["GET /api/crew/AAAAAA"] = {fetched("Crew AAAAAA", "Ann", {{"Ann", 5}})};
        script["GET /api/crew/BBBBBB"] = {TestHttpServer::json(404, "")};
        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(s.ownedCrewCodes(), QStringList{"AAAAAA"});
        QVERIFY(!s.crewError().isEmpty());

        server.close();
        s.leaveCrew("AAAAAA");
        QCOMPARE(codes(s.crewConfigs()), QStringList{"BBBBBB"});
        QCOMPARE(storedCrews(f), s.crewConfigs());
        QVERIFY(s.standingsByCode().isEmpty());
        QVERIFY(s.ownedCrewCodes().isEmpty());
        QCOMPARE(s.crewError(), "");
    }
};

QTEST_GUILESS_MAIN(CrewStoreTest)
#include "tst_crewstore.moc"
