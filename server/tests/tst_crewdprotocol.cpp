// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The crew protocol against a running tockly-crewd, on the engine TOCKLY_CREWD_ENGINE names:
// requests and refusals, rate limits, the schema, connections and shutdown, acknowledged reports
// across a SIGKILL, and two instances on one PostgreSQL database.

#include "CrewdProcess.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace {

// A refusal with this status and code, beside its text.
bool refusedWith(const HttpReply &r, int status, QLatin1StringView code)
{
    if (r.status == status && r.isRefusal() && r.json().value(u"code").toString() == code)
        return true;
    qWarning("expected a %d refusal \"%s\", got %d %s", status, code.data(), r.status,
             r.body.constData());
    return false;
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
        const QString days = u"{\"%1\":%2}"_s.arg(dayKey()).arg(5000 + attempt);
        if (!server.execSql(
                u"UPDATE members SET days = '%1' WHERE member_id = '%2'"_s.arg(days, m.memberId)))
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

    void aCrewFromCreationToItsEnd()
    {
        const Member ann = server.create(u"  Night Owls "_s, u"Ann"_s);
        QVERIFY(QRegularExpression(u"^[A-Z0-9]{6}$"_s).match(ann.code).hasMatch());
        QVERIFY(QRegularExpression(u"^[0-9a-f]{32}$"_s).match(ann.memberId).hasMatch());
        QCOMPARE(ann.reply.json().value(u"crewName").toString(), u"Night Owls"_s);
        // Joining by the code in lower case, as a person might type it; names are trimmed.
        const Member bob = server.join(ann.code.toLower(), u" Bob\t"_s);
        QCOMPARE(bob.code, ann.code);
        QVERIFY(!bob.memberId.isEmpty() && bob.memberId != ann.memberId);
        QVERIFY(refusedWith(server.join(u"QQQQQ0"_s, u"Zed"_s).reply, 404, "unknown-crew"_L1));
        QVERIFY(refusedWith(server.join(ann.code, u"  ANN "_s).reply, 409, "nickname-taken"_L1));
        // 32 emoji are 32 characters, however many bytes they take.
        const QString owl = u"\U0001F989"_s;
        QCOMPARE(server.create(owl.repeated(48), owl.repeated(32)).reply.status, 200);

        // A report replaces the days it sends, and only those.
        QCOMPARE(
            server.report(ann, {{dayKey(0), 3600.5}, {dayKey(-1), 7200}, {dayKey(-14), 60}}).status,
            200);
        QCOMPARE(server.report(ann, {{dayKey(0), 4000}}).status, 200);
        QCOMPARE(server.report(bob, {{dayKey(0), 90000}}).status, 200);
        const HttpReply fetched = server.get("/api/crew/" + ann.code.toStdString());
        QCOMPARE(fetched.json().value(u"ownerNickname").toString(), u"Ann"_s);
        QCOMPARE(nicknames(fetched.json()), QStringList({u"Ann"_s, u"Bob"_s}));
        QCOMPARE(daysOf(fetched.json(), u"Ann"_s),
                 QJsonObject({{dayKey(0), 4000}, {dayKey(-1), 7200}, {dayKey(-14), 60}}));
        QCOMPARE(daysOf(fetched.json(), u"Bob"_s).value(dayKey(0)).toDouble(), 90000.0);
        // Anyone with the code may fetch, so a fetch never shows the ids that act for members.
        QVERIFY(!fetched.body.contains(ann.memberId.toUtf8()) &&
                !fetched.body.contains(bob.memberId.toUtf8()));
        QVERIFY(refusedWith(server.get("/api/crew/QQQQQ0"), 404, "unknown-crew"_L1));

        // Refusals change nothing that is stored: bad days, ids that are not in the crew, and
        // removals but by the owner of another member. (Which days and seconds are refused is
        // checked without a server in crewd_rules.)
        Member stranger = ann, wrongCrew = server.create(u"Elsewhere"_s, u"Cleo"_s), lostCrew = ann;
        stranger.memberId = QString(32, u'a');
        wrongCrew.code = ann.code;
        lostCrew.code = u"QQQQQ0"_s;
        const QString before = server.stateDigest();
        std::map<QString, double> seventeen;
        for (int d = -8; d <= 8; ++d)
            seventeen[dayKey(d)] = 1;
        QVERIFY(refusedWith(server.report(ann, {{dayKey(0), 5}, {dayKey(-20), 5}}), 400,
                            "day-out-of-range"_L1));
        QVERIFY(refusedWith(server.report(ann, seventeen), 400, "too-many-days"_L1));
        QVERIFY(refusedWith(server.report(stranger, {{dayKey(0), 1}}), 403, "not-a-member"_L1));
        QVERIFY(refusedWith(server.report(wrongCrew, {{dayKey(0), 1}}), 403, "not-a-member"_L1));
        QVERIFY(refusedWith(server.report(lostCrew, {{dayKey(0), 1}}), 404, "unknown-crew"_L1));
        const HttpReply notOwner = server.kick(bob, u"Ann"_s);
        QVERIFY(refusedWith(notOwner, 403, "not-owner"_L1));
        QCOMPARE(notOwner.error(), u"Only the crew's owner can remove members."_s);
        QVERIFY(refusedWith(server.kick(ann, u"Zed"_s), 409, "no-such-nickname"_L1));
        QVERIFY(refusedWith(server.kick(ann, u"Ann"_s), 409,
                            "kick-self"_L1)); // oneself: that is leaving
        QCOMPARE(server.stateDigest(), before);
        seventeen.erase(dayKey(8));
        QCOMPARE(server.report(bob, seventeen).status, 200); // sixteen days at once are fine

        // 50 members at most; the place of a member the owner removes can be taken again, and
        // the removed member's id no longer counts.
        std::vector<Member> others{server.join(ann.code, u"Cleo"_s)};
        while (others.size() < 48)
            others.push_back(server.join(ann.code, u"Member %1"_s.arg(others.size())));
        const HttpReply full = server.join(ann.code, u"Late"_s).reply;
        // The text stays word for word what apps that know no codes show.
        QVERIFY(refusedWith(full, 409, "crew-full"_L1));
        QCOMPARE(full.error(), u"This crew is full: it already has 50 members."_s);
        QCOMPARE(nicknames(server.fetch(ann.code)).size(), 50);
        QCOMPARE(server.kick(ann, u"cleo"_s).status, 200);
        QVERIFY(refusedWith(server.report(others[0], {{dayKey(0), 1}}), 403, "not-a-member"_L1));
        others[0] = server.join(ann.code, u"Late"_s);
        QCOMPARE(others[0].reply.status, 200);
        QCOMPARE(server.leave(others[1]).status, 200); // so can the place of one who leaves
        others[1] = server.join(ann.code, u"Later"_s);
        QCOMPARE(others[1].reply.status, 200);

        // Ownership passes to the next in line; the id that left no longer counts.
        QCOMPARE(server.leave(ann).status, 200);
        QCOMPARE(server.fetch(ann.code).value(u"ownerNickname").toString(), u"Bob"_s);
        QVERIFY(refusedWith(server.leave(ann), 403, "not-a-member"_L1));
        QVERIFY(refusedWith(server.kick(ann, u"Bob"_s), 403, "not-a-member"_L1));
        // The last one out: the crew and its code are gone.
        for (const Member &m : others)
            QCOMPARE(server.leave(m).status, 200);
        QCOMPARE(server.leave(bob).status, 200);
        QVERIFY(
            refusedWith(server.get("/api/crew/" + ann.code.toStdString()), 404, "unknown-crew"_L1));
        QCOMPARE(server.get("/c/" + ann.code.toStdString()).status, 404);
    }

    void badBodiesAreRefusedWithAText()
    {
        // Bodies are written with ' for "; CODE, ID and DAY are filled in.
        const QList<std::tuple<std::string, QByteArray, int, const char *>> rows{
            {"/api/crew", "crewName=A", 400, "bad-request"},
            {"/api/crew", "{'crewName':'A','crewName':'C','nickname':'B'}", 400, "bad-request"},
            {"/api/crew", "{'crewName':'  ','nickname':'B'}", 400, "crew-name-missing"},
            {"/api/crew", "{'nickname':'B','crewName':'" + QByteArray(49, 'x') + "'}", 400,
             "crew-name-too-long"},
            {"/api/crew", "{'nickname':'','crewName':'A'}", 400, "nickname-missing"},
            {"/api/join",
             "{'code':'CODE','nickname':'" + u"\U0001F989"_s.repeated(33).toUtf8() + "'}", 400,
             "nickname-too-long"},
            {"/api/join", "{'code':'CODE','nickname':'A\\u0007B'}", 400, "nickname-invalid"},
            {"/api/join", "{'code':'CODE','nickname':'A\\u202eB'}", 400, "nickname-invalid"},
            {"/api/leave", "{'code':'CODE','memberId':7}", 400, "missing-field"},
            {"/api/report", "{'code':'CODE','memberId':'ID','days':{'DAY':1e999}}", 400,
             "bad-request"},
            {"/api/crews", "{}", 404, "not-found"}};
        const QString before = server.stateDigest();
        for (auto [path, body, status, code] : rows) {
            body.replace('\'', '"').replace("CODE", "QQQQQ0").replace("ID", QByteArray(32, 'a'));
            QVERIFY2(refusedWith(server.post(path, body.replace("DAY", dayKey().toUtf8())), status,
                                 QLatin1StringView(code)),
                     body.constData());
        }
        QCOMPARE(server.stateDigest(), before);

        const QByteArray small = compactJson({{u"crewName"_s, u"A"_s}, {u"nickname"_s, u"B"_s}});
        QVERIFY(refusedWith(server.post("/api/crew", small, "text/plain"), 415, "not-json"_L1));
        // At most 16 KiB: white space up to the limit is fine, one byte more is not.
        QByteArray body = small;
        body.insert(1, QByteArray(16 * 1024 - body.size(), ' '));
        QCOMPARE(server.post("/api/crew", body).status, 200);
        QVERIFY(
            refusedWith(server.post("/api/crew", body.insert(1, ' ')), 413, "body-too-large"_L1));
    }

    void rateLimits()
    {
        CrewdProcess limited({u"--rate-limit"_s, u"4"_s, u"--create-limit"_s, u"2"_s});
        QVERIFY2(limited.start(), limited.errorOutput().constData());
        QCOMPARE(limited.create(u"One"_s, u"A"_s).reply.status, 200);
        QCOMPARE(limited.create(u"Two"_s, u"A"_s).reply.status, 200);
        QVERIFY(refusedWith(limited.create(u"Three"_s, u"A"_s).reply, 429, "too-many-crews"_L1));
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404); // the 4th request
        const HttpReply limit = limited.get("/api/crew/QQQQQ0");
        QVERIFY(refusedWith(limit, 429, "too-many-requests"_L1));
        QCOMPARE(limit.header("Retry-After"), "60");
        // A forwarded address means nothing unless the service is told it sits behind a proxy.
        QCOMPARE(limited.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "203.0.113.9"}}).status, 429);
        QCOMPARE(limited.get("/healthz").status, 200);

        CrewdProcess proxied({u"--rate-limit"_s, u"1"_s, u"--trust-proxy"_s});
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

    void connectionsAndShutdown()
    {
        CrewdProcess own;
        QVERIFY2(own.start(), own.errorOutput().constData());
        // Requests sent at once are answered in order, and the connection stays open.
        const int kept = rawConnection(own.port());
        const QByteArray three =
            exchangeOn(kept,
                       "GET /healthz HTTP/1.1\r\n\r\nGET /api/crew/QQQQQ0 HTTP/1.1\r\n\r\n"
                       "POST /api/none HTTP/1.1\r\nContent-Length: 2\r\n\r\n{}",
                       "\"not-found\"}", 10);
        const qsizetype ok = three.indexOf("{\"ok\":true}"),
                        unknown = three.indexOf("doesn't exist"),
                        none = three.indexOf("Not found.");
        QVERIFY2(ok > 0 && unknown > ok && none > unknown, three.constData());
        QCOMPARE(three.count("HTTP/1.1 "), 3);
        QVERIFY(!three.contains("Connection: close"));
        // A client that waits before it sends its body is told to go on.
        const QByteArray join = R"({"code":"QQQQQ0","nickname":"Zed"})";
        QCOMPARE(exchangeOn(kept,
                            "POST /api/join HTTP/1.1\r\nContent-Type: application/json\r\n"
                            "Expect: 100-continue\r\nContent-Length: " +
                                QByteArray::number(join.size()) + "\r\n\r\n",
                            "\r\n\r\n", 10),
                 "HTTP/1.1 100 Continue\r\n\r\n");
        QVERIFY(exchangeOn(kept, join, "}", 10).startsWith("HTTP/1.1 404"));

        // Stopped with that connection idle and a request half sent on another, it ends
        // cleanly, without waiting until they time out (10 s).
        const int halfSent = rawConnection(own.port());
        ::send(halfSent, "GET /healthz HTTP/1.1\r\n", 23, MSG_NOSIGNAL);
        QElapsedTimer stopping;
        stopping.start();
        QVERIFY2(own.stop(), own.errorOutput().constData());
        QVERIFY(stopping.elapsed() < 8000);
        ::close(kept);
        ::close(halfSent);
    }

    void refusesNewerSchemas()
    {
        CrewdProcess own;
        QVERIFY(own.start());
        QVERIFY(own.stateDigest().startsWith(u"1|\n--\n")); // at schema version 1
        own.stop();
        // A database from a newer build is left alone.
        QVERIFY(own.execSql(u"INSERT INTO schema_migrations (version) VALUES (99)"_s));
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
        std::vector<Member> members{killed.create(u"Load"_s, u"R0"_s)};
        while (members.size() < 8)
            members.push_back(killed.join(members[0].code, u"R%1"_s.arg(members.size())));

        // Each member sends rising totals for today, with half of it for yesterday in the same
        // report, one after the other on a connection of its own. Per member: the last value
        // the server answered 200 to, and a value sent when it died, if any.
        std::vector<int> acknowledged(members.size()), unanswered(members.size());
        std::atomic<int> total{0};
        std::vector<std::thread> threads;
        for (size_t i = 0; i < members.size(); ++i) {
            threads.emplace_back([&, i, port = killed.port()] {
                HttpClient client(port, std::chrono::seconds(5));
                for (int value = 2; value <= 80000; value += 2) {
                    const QByteArray body =
                        reportBody(members[i], {{dayKey(0), value}, {dayKey(-1), value / 2}});
                    const HttpReply reply =
                        client.request(boost::beast::http::verb::post, "/api/report", body,
                                       {{"Content-Type", "application/json"}});
                    if (reply.status != 200) {
                        unanswered[i] = reply.status ? 0 : value;
                        return;
                    }
                    acknowledged[i] = value;
                    ++total;
                }
            });
        }
        // Kill it once the load is well under way.
        QTRY_VERIFY_WITH_TIMEOUT(total.load() >= 1500, 60000);
        killed.kill();
        for (auto &t : threads)
            t.join();
        QVERIFY(!killed.running());

        QVERIFY2(killed.start(), killed.errorOutput().constData());
        const QJsonObject crew = killed.fetch(members[0].code);
        QCOMPARE(nicknames(crew).size(), qsizetype(members.size()));
        for (size_t i = 0; i < members.size(); ++i) {
            const QJsonObject days = daysOf(crew, members[i].nickname);
            const int stored = days.value(dayKey(0)).toInt();
            QVERIFY2(stored == acknowledged[i] || (unanswered[i] && stored == unanswered[i]),
                     qPrintable(u"stored %1, acknowledged %2, unanswered %3"_s.arg(stored)
                                    .arg(acknowledged[i])
                                    .arg(unanswered[i])));
            QCOMPARE(days.value(dayKey(-1)).toInt(), stored / 2);
        }
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
        const Member owner = a.create(u"Night owls"_s, u"Ada"_s);
        const Member bo = a.join(owner.code, u"Bo"_s);
        QCOMPARE(nicknames(b.fetch(owner.code)), (QStringList{u"Ada"_s, u"Bo"_s}));

        double previous = -1; // no day yet
        for (double seconds : {600.0, 1200.0, 1800.0}) {
            QCOMPARE(today(b.fetch(owner.code), u"Bo"_s), previous);
            QVERIFY(report(a, bo, seconds));
            QCOMPARE(today(a.fetch(owner.code), u"Bo"_s), seconds);
            QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(owner.code), u"Bo"_s), seconds, 2000);
            previous = seconds;
        }

        QVERIFY(!b.join(owner.code, u"Cy"_s).memberId.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(a.fetch(owner.code)),
                                  (QStringList{u"Ada"_s, u"Bo"_s, u"Cy"_s}), 2000);
        QCOMPARE(b.kick(owner, u"Cy"_s).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(a.fetch(owner.code)), (QStringList{u"Ada"_s, u"Bo"_s}),
                                  2000);
        QCOMPARE(a.leave(owner).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(b.fetch(owner.code).value(u"ownerNickname").toString(), u"Bo"_s,
                                  2000);
        QCOMPARE(a.leave(bo).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(b.get("/api/crew/" + owner.code.toStdString()).status, 404, 2000);

        // The replies are really kept; when the listening connection dies, changes made
        // meanwhile still show, and once it listens again replies are kept again.
        const Member di = a.create(u"Larks"_s, u"Di"_s);
        QVERIFY(report(a, di, 100));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_s), 100.0, 2000);
        QVERIFY(keepsItsReply(b, di));
        QVERIFY(a.execSql(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                          " WHERE application_name = 'tockly-crewd-listener'"_s));
        QVERIFY(report(a, di, 200));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_s), 200.0, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(b.errorOutput().contains("notifications lost"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(keepsItsReply(b, di), 10000);
        QVERIFY(report(a, di, 300));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(di.code), u"Di"_s), 300.0, 2000);
    }
};

QTEST_GUILESS_MAIN(CrewdProtocolTest)
#include "tst_crewdprotocol.moc"
