// The crew protocol against a running tockly-crewd, on the engine TOCKLY_CREWD_ENGINE names.

#include "CrewdProcess.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

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

    void badBodiesAreRefusedWithAText_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        // Bodies are written with ' for "; CODE, ID and DAY are filled in.
        auto row = [](const char *name, const char *path, QByteArray body, int status) {
            body.replace('\'', '"').replace("CODE", "QQQQQ0").replace("ID", QByteArray(32, 'a'));
            QTest::newRow(name) << QByteArray(path) << body.replace("DAY", dayKey().toUtf8())
                                << status;
        };
        row("not JSON", "/api/crew", "crewName=A", 400);
        row("duplicate key", "/api/crew", "{'crewName':'A','crewName':'C','nickname':'B'}", 400);
        row("crew name blank", "/api/crew", "{'crewName':'  ','nickname':'B'}", 400);
        row("crew name 49", "/api/crew",
            "{'nickname':'B','crewName':'" + QByteArray(49, 'x') + "'}", 400);
        row("nickname 33 emoji", "/api/join",
            "{'code':'CODE','nickname':'" + u"\U0001F989"_qs.repeated(33).toUtf8() + "'}", 400);
        row("nickname bell", "/api/join", "{'code':'CODE','nickname':'A\\u0007B'}", 400);
        row("nickname override", "/api/join", "{'code':'CODE','nickname':'A\\u202eB'}", 400);
        row("leave id a number", "/api/leave", "{'code':'CODE','memberId':7}", 400);
        row("day 1e999", "/api/report", "{'code':'CODE','memberId':'ID','days':{'DAY':1e999}}",
            400);
        row("unknown path", "/api/crews", "{}", 404);
    }
    void badBodiesAreRefusedWithAText()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const QString before = server.stateDigest();
        QVERIFY(refusedWith(server.post(path.toStdString(), body), status));
        QCOMPARE(server.stateDigest(), before);
    }

    void sizeAndTypeOfBodies()
    {
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

    void restartKeepsCrewsAndRefusesNewerSchemas()
    {
        CrewdProcess own;
        QVERIFY(own.start());
        const Member ann = own.create(u"Keepers"_qs, u"Ann"_qs);
        QCOMPARE(own.report(ann, {{dayKey(0), 1234}}).status, 200);
        const QString before = own.stateDigest();
        QVERIFY(before.startsWith(u"1|\n--\n")); // at schema version 1
        own.stop();
        QVERIFY(own.start());
        QCOMPARE(own.stateDigest(), before);
        own.stop();
        // A database from a newer build is left alone.
        QVERIFY(own.execSql(u"INSERT INTO schema_migrations (version) VALUES (99)"_qs));
        QVERIFY(!own.start());
        own.stop();
        QVERIFY(own.errorOutput().contains("newer"));
    }
};

QTEST_GUILESS_MAIN(CrewdProtocolTest)
#include "tst_crewdprotocol.moc"
