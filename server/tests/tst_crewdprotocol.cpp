// The crew protocol against a running tockly-crewd, on the engine TOCKLY_CREWD_ENGINE names:
// requests and refusals, the invitation page, rate limits, the schema, acknowledged reports
// across a SIGKILL, and two instances on one PostgreSQL database.

#include "CrewdProcess.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

const QRegularExpression kCode(QStringLiteral("^[A-Z0-9]{6}$"));

bool refusedWith(const HttpReply &r, int status)
{
    if (r.status == status && r.isRefusal())
        return true;
    qWarning("expected a %d refusal, got %d %s", status, r.status, r.body.constData());
    return false;
}

std::string header(const HttpReply &r, const std::string &name)
{
    const auto it = r.headers.find(name);
    return it == r.headers.end() ? std::string() : it->second;
}

// A member's seconds today; -1 for none.
double today(const QJsonObject &crew, const QString &nickname)
{
    return daysOf(crew, nickname).value(dayKey()).toDouble(-1);
}

bool report(CrewdProcess &server, const Member &m, double seconds)
{
    return server.report(m, {{dayKey(), seconds}}).status == 200;
}

// A change behind the service's back: true when `server` goes on showing what it showed before,
// that is, keeps its reply. A notification of an earlier change may still be on its way and
// drop the kept reply, so each try keeps a fresh one first.
bool keepsItsReply(CrewdProcess &server, const Member &m)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const double shown = today(server.fetch(m.code), m.nickname);
        const QString days = u"{\"%1\":%2}"_qs.arg(dayKey()).arg(5000 + attempt);
        if (!server.execSql(
                u"UPDATE members SET days = '%1' WHERE member_id = '%2'"_qs.arg(days, m.memberId)))
            return false;
        if (today(server.fetch(m.code), m.nickname) == shown)
            return true;
        QTest::qWait(100);
    }
    return false;
}

} // namespace

class CrewdProtocolTest : public QObject {
    Q_OBJECT

    CrewdProcess server;

private slots:
    void initTestCase() { QVERIFY2(server.start(), server.errorOutput().constData()); }

    void createJoinAndFetch()
    {
        const Member ann = server.create(u"  Night Owls "_qs, u"Ann"_qs);
        QCOMPARE(ann.reply.status, 200);
        QVERIFY(kCode.match(ann.code).hasMatch());
        QVERIFY(QRegularExpression(u"^[0-9a-f]{32}$"_qs).match(ann.memberId).hasMatch());
        QCOMPARE(ann.reply.json().value(u"crewName").toString(), u"Night Owls"_qs);

        // Joining by the code in lower case, as a person might type it; names are trimmed.
        const Member bob = server.join(ann.code.toLower(), u" Bob\t"_qs);
        QCOMPARE(bob.code, ann.code);
        QVERIFY(!bob.memberId.isEmpty() && bob.memberId != ann.memberId);

        const HttpReply fetched = server.get("/api/crew/" + ann.code.toStdString());
        QCOMPARE(fetched.status, 200);
        QCOMPARE(fetched.json().value(u"ownerNickname").toString(), u"Ann"_qs);
        QCOMPARE(nicknames(fetched.json()), QStringList({u"Ann"_qs, u"Bob"_qs}));
        // Anyone with the code may fetch, so a fetch never shows the ids that act for members.
        QVERIFY(!fetched.body.contains(ann.memberId.toUtf8()) &&
                !fetched.body.contains(bob.memberId.toUtf8()));
        // 32 emoji are 32 characters, however many bytes they take.
        QCOMPARE(server.create(u"\U0001F989"_qs.repeated(48), u"\U0001F989"_qs.repeated(32))
                     .reply.status,
                 200);

        QVERIFY(refusedWith(server.join(u"QQQQQ0"_qs, u"Zed"_qs).reply, 404));
        QVERIFY(refusedWith(server.get("/api/crew/QQQQQ0"), 404));
        QVERIFY(refusedWith(server.join(ann.code, u"  ANN "_qs).reply, 409));
        // 50 members at most; a place that frees up can be taken again.
        for (int i = 2; i < 50; ++i)
            server.join(ann.code, u"Member %1"_qs.arg(i));
        const HttpReply full = server.join(ann.code, u"Late"_qs).reply;
        QVERIFY(refusedWith(full, 409) && full.error().contains(u"full"));
        QCOMPARE(nicknames(server.fetch(ann.code)).size(), 50);
        QCOMPARE(server.leave(bob).status, 200);
        QCOMPARE(server.join(ann.code, u"Late"_qs).reply.status, 200);
    }

    void reportsReplaceTheDaysSent()
    {
        const Member ann = server.create(u"Reporters"_qs, u"Ann"_qs);
        const Member bob = server.join(ann.code, u"Bob"_qs);
        QCOMPARE(
            server.report(ann, {{dayKey(0), 3600.5}, {dayKey(-1), 7200}, {dayKey(-14), 60}}).status,
            200);
        QCOMPARE(server.report(ann, {{dayKey(0), 4000}}).status, 200);
        QCOMPARE(server.report(bob, {{dayKey(0), 90000}}).status, 200);
        const QJsonObject crew = server.fetch(ann.code);
        QCOMPARE(daysOf(crew, u"Ann"_qs),
                 QJsonObject({{dayKey(0), 4000}, {dayKey(-1), 7200}, {dayKey(-14), 60}}));
        QCOMPARE(daysOf(crew, u"Bob"_qs).value(dayKey(0)).toDouble(), 90000.0);

        // Refusals change nothing that is stored: bad days, and ids that are not in the crew.
        // (Which days and seconds are refused is checked without a server in crewd_rules.)
        Member stranger = ann, wrongCrew = server.create(u"Elsewhere"_qs, u"Cleo"_qs),
               lostCrew = ann;
        stranger.memberId = QString(32, u'a');
        wrongCrew.code = ann.code;
        lostCrew.code = u"QQQQQ0"_qs;
        const QString before = server.stateDigest();
        std::map<QString, double> seventeen;
        for (int d = -8; d <= 8; ++d)
            seventeen[dayKey(d)] = 1;
        QVERIFY(refusedWith(server.report(ann, {{dayKey(0), 5}, {dayKey(-20), 5}}), 400));
        QVERIFY(refusedWith(server.report(ann, seventeen), 400));
        QVERIFY(refusedWith(server.report(stranger, {{dayKey(0), 1}}), 403));
        QVERIFY(refusedWith(server.report(wrongCrew, {{dayKey(0), 1}}), 403));
        QVERIFY(refusedWith(server.report(lostCrew, {{dayKey(0), 1}}), 404));
        QCOMPARE(server.stateDigest(), before);
        seventeen.erase(dayKey(8));
        QCOMPARE(server.report(bob, seventeen).status, 200); // sixteen days at once are fine
    }

    void leavingAndKickingEndMemberships()
    {
        const Member ann = server.create(u"Relay"_qs, u"Ann"_qs);
        const Member bob = server.join(ann.code, u"Bob"_qs);
        const Member cleo = server.join(ann.code, u"Cleo"_qs);
        const HttpReply refused = server.kick(bob, u"Cleo"_qs);
        QVERIFY(refusedWith(refused, 403));
        QCOMPARE(refused.error(), u"Only the crew's owner can remove members."_qs);
        QVERIFY(refusedWith(server.kick(ann, u"Zed"_qs), 409));
        QVERIFY(refusedWith(server.kick(ann, u"Ann"_qs), 409)); // oneself: that is leaving
        QCOMPARE(server.kick(ann, u"cleo"_qs).status, 200);
        QVERIFY(refusedWith(server.report(cleo, {{dayKey(0), 1}}), 403));

        // Ownership passes to the next in line; the id that left no longer counts.
        QCOMPARE(server.leave(ann).status, 200);
        QCOMPARE(server.fetch(ann.code).value(u"ownerNickname").toString(), u"Bob"_qs);
        QVERIFY(refusedWith(server.leave(ann), 403));
        QVERIFY(refusedWith(server.kick(ann, u"Bob"_qs), 403));
        QCOMPARE(server.leave(bob).status, 200);
        // The last one out: the crew and its code are gone.
        QVERIFY(refusedWith(server.get("/api/crew/" + ann.code.toStdString()), 404));
        QCOMPARE(server.get("/c/" + ann.code.toStdString()).status, 404);
    }

    void badBodiesAreRefusedWithAText()
    {
        // Bodies are written with ' for "; CODE, ID and DAY are filled in.
        const QList<std::tuple<std::string, QByteArray, int>> rows{
            {"/api/crew", "crewName=A", 400},
            {"/api/crew", "{'crewName':'A','crewName':'C','nickname':'B'}", 400},
            {"/api/crew", "{'crewName':'  ','nickname':'B'}", 400},
            {"/api/crew", "{'nickname':'B','crewName':'" + QByteArray(49, 'x') + "'}", 400},
            {"/api/join",
             "{'code':'CODE','nickname':'" + u"\U0001F989"_qs.repeated(33).toUtf8() + "'}", 400},
            {"/api/join", "{'code':'CODE','nickname':'A\\u0007B'}", 400},
            {"/api/join", "{'code':'CODE','nickname':'A\\u202eB'}", 400},
            {"/api/leave", "{'code':'CODE','memberId':7}", 400},
            {"/api/report", "{'code':'CODE','memberId':'ID','days':{'DAY':1e999}}", 400},
            {"/api/crews", "{}", 404}};
        const QString before = server.stateDigest();
        for (auto [path, body, status] : rows) {
            body.replace('\'', '"').replace("CODE", "QQQQQ0").replace("ID", QByteArray(32, 'a'));
            QVERIFY2(refusedWith(server.post(path, body.replace("DAY", dayKey().toUtf8())), status),
                     body.constData());
        }
        QCOMPARE(server.stateDigest(), before);

        const QByteArray small =
            compactJson({{u"crewName"_qs, u"A"_qs}, {u"nickname"_qs, u"B"_qs}});
        QVERIFY(refusedWith(server.post("/api/crew", small, "text/plain"), 415));
        // At most 16 KiB: white space up to the limit is fine, one byte more is not.
        QByteArray body = small;
        body.insert(1, QByteArray(16 * 1024 - body.size(), ' '));
        QCOMPARE(server.post("/api/crew", body).status, 200);
        QVERIFY(refusedWith(server.post("/api/crew", body.insert(1, ' ')), 413));
    }

    void invitationPage()
    {
        const Member ann = server.create(u"Tom & Jerry's \"Crew\""_qs, u"Ann"_qs);
        const HttpReply page = server.get("/c/" + ann.code.toLower().toStdString());
        QCOMPARE(page.status, 200);
        const std::string csp = header(page, "Content-Security-Policy");
        QVERIFY(csp.starts_with("default-src 'none'") &&
                csp.find("unsafe-inline") == std::string::npos);
        const QString html = QString::fromUtf8(page.body);
        QVERIFY(html.contains(u"Tom &amp; Jerry&#39;s &quot;Crew&quot;"));
        QVERIFY(html.contains(u"href=\"quenby://join/"_qs + ann.code + u'"'));
        // Nothing is loaded from anywhere else.
        QVERIFY(!html.contains(u"http") && !html.contains(u"src="));
        QVERIFY(server.get("/c/QQQQQ0").body.contains("can't find that crew"));
    }

    void rateLimits()
    {
        CrewdProcess limited({u"--rate-limit"_qs, u"4"_qs, u"--create-limit"_qs, u"2"_qs});
        QVERIFY2(limited.start(), limited.errorOutput().constData());
        QCOMPARE(limited.create(u"One"_qs, u"A"_qs).reply.status, 200);
        QCOMPARE(limited.create(u"Two"_qs, u"A"_qs).reply.status, 200);
        QVERIFY(refusedWith(limited.create(u"Three"_qs, u"A"_qs).reply, 429));
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404); // the 4th request
        const HttpReply limit = limited.get("/api/crew/QQQQQ0");
        QVERIFY(refusedWith(limit, 429));
        QCOMPARE(header(limit, "Retry-After"), std::string("60"));
        // A forwarded address means nothing unless the service is told it sits behind a proxy.
        QCOMPARE(limited.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "203.0.113.9"}}).status, 429);
        QCOMPARE(limited.get("/healthz").status, 200);

        CrewdProcess proxied({u"--rate-limit"_qs, u"1"_qs, u"--trust-proxy"_qs});
        QVERIFY2(proxied.start(), proxied.errorOutput().constData());
        const auto status = [&](const char *forwarded) {
            return proxied.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", forwarded}}).status;
        };
        for (const char *client : {"203.0.113.1", "10.0.0.1, 203.0.113.2", "2001:db8:1:2::1"}) {
            QCOMPARE(status(client), 404);
            QCOMPARE(status(client), 429);
        }
        // One IPv6 /64 is one client; a made-up first entry does not make a new one.
        QCOMPARE(status("2001:db8:1:2::ffff"), 429);
        QCOMPARE(status("1.2.3.4, 203.0.113.2"), 429);
    }

    void refusesNewerSchemas()
    {
        CrewdProcess own;
        QVERIFY(own.start());
        QVERIFY(own.stateDigest().startsWith(u"1|\n--\n")); // at schema version 1
        own.stop();
        // A database from a newer build is left alone.
        QVERIFY(own.execSql(u"INSERT INTO schema_migrations (version) VALUES (99)"_qs));
        QVERIFY(!own.start());
        own.stop();
        QVERIFY(own.errorOutput().contains("newer"));
    }

    // tockly-crewd is killed with SIGKILL in the middle of a load of reports. After a restart
    // every acknowledged report must be there, and no report may be there by halves.
    void acknowledgedReportsSurviveSigkill()
    {
        CrewdProcess killed;
        QVERIFY2(killed.start(), killed.errorOutput().constData());
        struct Reporter {
            QString memberId;
            QString nickname;
            int acknowledged = 0; // the last value the server answered 200 to
            int unanswered = 0;   // a value sent when the server died, if any
        };
        const Member owner = killed.create(u"Load"_qs, u"R0"_qs);
        const QString code = owner.code;
        std::vector<Reporter> reporters{{owner.memberId, owner.nickname}};
        for (int i = 1; i < 8; ++i) {
            const Member m = killed.join(code, u"R%1"_qs.arg(i));
            QVERIFY(!m.memberId.isEmpty());
            reporters.push_back({m.memberId, m.nickname});
        }

        // Each reporter sends rising totals for today, with half of it for yesterday in the
        // same report, one after the other on its own connection.
        const std::string todayKey = dayKey(0).toStdString();
        const std::string yesterdayKey = dayKey(-1).toStdString();
        std::atomic<int> acknowledged{0};
        std::vector<std::thread> threads;
        for (Reporter &r : reporters) {
            threads.emplace_back([&, port = killed.port()] {
                httplib::Client client("127.0.0.1", port);
                client.set_keep_alive(true);
                client.set_tcp_nodelay(true);
                client.set_read_timeout(5, 0);
                for (int value = 2; value <= 80000; value += 2) {
                    const std::string body =
                        "{\"code\":\"" + code.toStdString() + "\",\"memberId\":\"" +
                        r.memberId.toStdString() + "\",\"nickname\":\"" + r.nickname.toStdString() +
                        "\",\"days\":{\"" + todayKey + "\":" + std::to_string(value) + ",\"" +
                        yesterdayKey + "\":" + std::to_string(value / 2) + "}}";
                    const auto result = client.Post("/api/report", body, "application/json");
                    if (!result) {
                        r.unanswered = value;
                        return;
                    }
                    if (result->status != 200)
                        return;
                    r.acknowledged = value;
                    ++acknowledged;
                }
            });
        }
        // Kill it once the load is well under way.
        QTRY_VERIFY_WITH_TIMEOUT(acknowledged.load() >= 1500, 60000);
        killed.kill();
        for (auto &t : threads)
            t.join();
        QVERIFY(!killed.running());

        QVERIFY2(killed.start(), killed.errorOutput().constData());
        const QJsonObject crew = killed.fetch(code);
        QCOMPARE(nicknames(crew).size(), qsizetype(reporters.size()));
        int survived = 0, inFlight = 0;
        for (const Reporter &r : reporters) {
            const QJsonObject days = daysOf(crew, r.nickname);
            const int stored = days.value(dayKey(0)).toInt();
            // The last acknowledged value, or the one in flight when the server died.
            QVERIFY2(stored == r.acknowledged || (r.unanswered && stored == r.unanswered),
                     qPrintable(u"%1: stored %2, acknowledged %3, unanswered %4"_qs.arg(r.nickname)
                                    .arg(stored)
                                    .arg(r.acknowledged)
                                    .arg(r.unanswered)));
            QCOMPARE(days.value(dayKey(-1)).toInt(), stored / 2);
            survived += r.acknowledged / 2;
            inFlight += r.unanswered ? 1 : 0;
        }
        qInfo("%d reports acknowledged before SIGKILL (%d in flight), all found after the restart",
              survived, inFlight);
        QVERIFY(survived >= 1500);
    }

    // Each instance keeps fetch replies in memory, and neither may go on serving a crew the
    // other has changed: every kind of change through one shows in the other's fetch at once,
    // or within the moment its notification takes.
    void changesThroughOneInstanceReachTheOther()
    {
        if (qgetenv("TOCKLY_CREWD_ENGINE") != "postgresql")
            QSKIP("several instances share only a PostgreSQL database");
        CrewdProcess a;
        CrewdProcess b{CrewdProcess::SameDatabaseAs{a}};
        QVERIFY2(a.start(), a.errorOutput().constData());
        QVERIFY2(b.start(), b.errorOutput().constData());
        const Member owner = a.create(u"Night owls"_qs, u"Ada"_qs);
        const Member bo = a.join(owner.code, u"Bo"_qs);
        QCOMPARE(nicknames(b.fetch(owner.code)), (QStringList{u"Ada"_qs, u"Bo"_qs}));

        double previous = -1; // no day yet
        for (double seconds : {600.0, 1200.0, 1800.0}) {
            QCOMPARE(today(b.fetch(owner.code), u"Bo"_qs), previous);
            QVERIFY(report(a, bo, seconds));
            QCOMPARE(today(a.fetch(owner.code), u"Bo"_qs), seconds);
            QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(owner.code), u"Bo"_qs), seconds, 2000);
            previous = seconds;
        }

        QVERIFY(!b.join(owner.code, u"Cy"_qs).memberId.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(a.fetch(owner.code)),
                                  (QStringList{u"Ada"_qs, u"Bo"_qs, u"Cy"_qs}), 2000);
        QCOMPARE(b.kick(owner, u"Cy"_qs).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(a.fetch(owner.code)),
                                  (QStringList{u"Ada"_qs, u"Bo"_qs}), 2000);
        QCOMPARE(a.leave(owner).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(b.fetch(owner.code).value(u"ownerNickname").toString(), u"Bo"_qs,
                                  2000);
        QCOMPARE(a.leave(bo).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(b.get("/api/crew/" + owner.code.toStdString()).status, 404, 2000);

        // The replies are really kept; when the listening connection dies, changes made
        // meanwhile still show, and once it listens again replies are kept again.
        const Member di = a.create(u"Larks"_qs, u"Di"_qs);
        QVERIFY(report(a, di, 100));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_qs), 100.0, 2000);
        QVERIFY(keepsItsReply(b, di));

        QVERIFY(a.execSql(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                          " WHERE application_name = 'tockly-crewd-listener'"_qs));
        QVERIFY(report(a, di, 200));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_qs), 200.0, 3000);

        // Listening again, and so keeping replies again, while a change through the other
        // instance shows at once.
        QTRY_VERIFY_WITH_TIMEOUT(b.errorOutput().contains("notifications lost"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(keepsItsReply(b, di), 10000);
        QVERIFY(report(a, di, 300));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_qs), 300.0, 2000);
    }
};

QTEST_GUILESS_MAIN(CrewdProtocolTest)
#include "tst_crewdprotocol.moc"
