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

} // namespace

class CrewdProtocolTest : public QObject {
    Q_OBJECT

    CrewdProcess server;

    HttpReply kick(const Member &by, const QString &nickname)
    {
        return server.post("/api/kick", Body::kick(by.code, by.memberId, nickname));
    }

private slots:
    void initTestCase() { QVERIFY2(server.start(), server.errorOutput().constData()); }

    void createJoinAndFetch()
    {
        const HttpReply created =
            server.post("/api/crew", Body::create(u"  Night Owls "_qs, u"Ann"_qs));
        QCOMPARE(created.status, 200);
        const QString code = created.json().value(u"code").toString();
        const QString annId = created.json().value(u"memberId").toString();
        QVERIFY(kCode.match(code).hasMatch());
        QVERIFY(QRegularExpression(u"^[0-9a-f]{32}$"_qs).match(annId).hasMatch());
        QCOMPARE(created.json().value(u"crewName").toString(), u"Night Owls"_qs);

        // Joining by the code in lower case, as a person might type it; names are trimmed.
        const HttpReply joined = server.post("/api/join", Body::join(code.toLower(), u" Bob\t"_qs));
        QCOMPARE(joined.status, 200);
        QCOMPARE(joined.json().value(u"code").toString(), code);
        QCOMPARE(joined.json().value(u"crewName").toString(), u"Night Owls"_qs);
        const QString bobId = joined.json().value(u"memberId").toString();
        QVERIFY(bobId != annId);

        const HttpReply fetched = server.get("/api/crew/" + code.toStdString());
        QCOMPARE(fetched.status, 200);
        const QJsonObject crew = fetched.json();
        QCOMPARE(crew.value(u"crewName").toString(), u"Night Owls"_qs);
        QCOMPARE(crew.value(u"ownerNickname").toString(), u"Ann"_qs);
        QCOMPARE(nicknames(crew), QStringList({u"Ann"_qs, u"Bob"_qs}));
        // Anyone with the code may fetch, so a fetch never shows the ids that act for members.
        QVERIFY(!fetched.body.contains(annId.toUtf8()) && !fetched.body.contains(bobId.toUtf8()));

        // 32 emoji are 32 characters, however many bytes they take.
        QVERIFY(
            kCode
                .match(server.create(u"\U0001F989"_qs.repeated(48), u"\U0001F989"_qs.repeated(32))
                           .code)
                .hasMatch());
    }

    void joinRefusals()
    {
        const Member ann = server.create(u"Larks"_qs, u"Ann"_qs);
        QVERIFY(refusedWith(server.post("/api/join", Body::join(u"QQQQQ0"_qs, u"Zed"_qs)), 404));
        QVERIFY(
            refusedWith(server.post("/api/join", Body::join(u"not a code"_qs, u"Zed"_qs)), 404));
        QVERIFY(refusedWith(server.get("/api/crew/QQQQQ0"), 404));
        for (const QString &taken : {u"Ann"_qs, u"ann"_qs, u"  ANN "_qs})
            QVERIFY(refusedWith(server.post("/api/join", Body::join(ann.code, taken)), 409));

        // 50 members at most; a place that frees up can be taken again.
        std::vector<Member> members{ann};
        for (int i = 1; i < 50; ++i)
            members.push_back(server.join(ann.code, u"Member %1"_qs.arg(i)));
        const HttpReply full = server.post("/api/join", Body::join(ann.code, u"Late"_qs));
        QVERIFY(refusedWith(full, 409));
        QVERIFY(full.error().contains(u"full"));
        QCOMPARE(nicknames(server.fetch(ann.code)).size(), 50);
        QCOMPARE(server.leave(members[7]).status, 200);
        QCOMPARE(server.post("/api/join", Body::join(ann.code, u"Late"_qs)).status, 200);
    }

    void reportsReplaceTheDaysSent()
    {
        const Member ann = server.create(u"Reporters"_qs, u"Ann"_qs);
        const Member bob = server.join(ann.code, u"Bob"_qs);
        QCOMPARE(
            server.report(ann, {{dayKey(0), 3600.5}, {dayKey(-1), 7200}, {dayKey(-14), 60}}).status,
            200);
        QCOMPARE(server.report(ann, {{dayKey(0), 4000}}).status, 200);
        QCOMPARE(server.report(bob, {{dayKey(0), 90000}, {dayKey(14), 0}}).status, 200);
        const QJsonObject crew = server.fetch(ann.code);
        const QJsonObject annDays = daysOf(crew, u"Ann"_qs);
        QCOMPARE(annDays.size(), 3);
        QCOMPARE(annDays.value(dayKey(0)).toDouble(), 4000.0);
        QCOMPARE(annDays.value(dayKey(-1)).toDouble(), 7200.0);
        QCOMPARE(annDays.value(dayKey(-14)).toDouble(), 60.0);
        QCOMPARE(daysOf(crew, u"Bob"_qs).value(dayKey(0)).toDouble(), 90000.0);

        // Refusals change nothing that is stored: bad days, and ids that are not in the crew.
        Member stranger = ann, wrongCrew = server.create(u"Elsewhere"_qs, u"Cleo"_qs),
               lostCrew = ann;
        stranger.memberId = QString(32, u'a');
        wrongCrew.code = ann.code;
        lostCrew.code = u"QQQQQ0"_qs;
        const QString before = server.stateDigest();
        std::map<QString, double> seventeen;
        for (int d = -8; d <= 8; ++d)
            seventeen[dayKey(d)] = 1;
        // (Which days and seconds are refused is checked without a server in crewd_rules.)
        for (const auto &days :
             std::vector<std::map<QString, double>>{{{dayKey(0), 5}, {dayKey(-20), 5}}, seventeen})
            QVERIFY(refusedWith(server.report(ann, days), 400));
        QVERIFY(refusedWith(server.report(stranger, {{dayKey(0), 1}}), 403));
        QVERIFY(refusedWith(server.report(wrongCrew, {{dayKey(0), 1}}), 403));
        QVERIFY(refusedWith(server.report(lostCrew, {{dayKey(0), 1}}), 404));
        QCOMPARE(server.stateDigest(), before);

        seventeen.erase(dayKey(8));
        QCOMPARE(server.report(bob, seventeen).status, 200); // sixteen days at once are fine
        QCOMPARE(daysOf(server.fetch(ann.code), u"Bob"_qs).size(), 17);
    }

    void leavingHandsOwnershipOn()
    {
        const Member ann = server.create(u"Relay"_qs, u"Ann"_qs);
        const Member bob = server.join(ann.code, u"Bob"_qs);
        const Member cleo = server.join(ann.code, u"Cleo"_qs);
        QCOMPARE(server.leave(ann).status, 200);
        QCOMPARE(server.fetch(ann.code).value(u"ownerNickname").toString(), u"Bob"_qs);
        QCOMPARE(nicknames(server.fetch(ann.code)), QStringList({u"Bob"_qs, u"Cleo"_qs}));
        // The id that left no longer counts, and the old owner cannot prune any more.
        QVERIFY(refusedWith(server.leave(ann), 403));
        QVERIFY(refusedWith(server.report(ann, {{dayKey(0), 10}}), 403));
        QVERIFY(refusedWith(kick(ann, u"Cleo"_qs), 403));
        const Member dan = server.join(ann.code, u"Dan"_qs);
        QCOMPARE(kick(bob, u"Dan"_qs).status, 200);
        QVERIFY(refusedWith(server.leave(dan), 403));

        QCOMPARE(server.leave(bob).status, 200);
        QCOMPARE(server.fetch(ann.code).value(u"ownerNickname").toString(), u"Cleo"_qs);
        QCOMPARE(server.leave(cleo).status, 200);
        // The last one out: the crew and its code are gone.
        QVERIFY(refusedWith(server.get("/api/crew/" + ann.code.toStdString()), 404));
        QVERIFY(refusedWith(server.post("/api/join", Body::join(ann.code, u"Eve"_qs)), 404));
        QCOMPARE(server.get("/c/" + ann.code.toStdString()).status, 404);
    }

    void onlyTheOwnerKicks()
    {
        const Member ann = server.create(u"Pruned"_qs, u"Ann"_qs);
        const Member bob = server.join(ann.code, u"Bob"_qs);
        const Member cleo = server.join(ann.code, u"Cleo"_qs);
        const HttpReply refused = kick(bob, u"Cleo"_qs);
        QVERIFY(refusedWith(refused, 403));
        QCOMPARE(refused.error(), u"Only the crew's owner can remove members."_qs);
        QCOMPARE(nicknames(server.fetch(ann.code)).size(), 3);
        QVERIFY(refusedWith(kick(ann, u"Zed"_qs), 409));
        QVERIFY(refusedWith(kick(ann, u"Ann"_qs), 409)); // oneself: that is leaving

        QCOMPARE(kick(ann, u"cleo"_qs).status, 200);
        QCOMPARE(nicknames(server.fetch(ann.code)), QStringList({u"Ann"_qs, u"Bob"_qs}));
        QVERIFY(refusedWith(server.report(cleo, {{dayKey(0), 1}}), 403));
        QCOMPARE(server.post("/api/join", Body::join(ann.code, u"Cleo"_qs)).status, 200);
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
        row("array", "/api/crew", "[]", 400);
        row("duplicate key", "/api/crew", "{'crewName':'A','crewName':'C','nickname':'B'}", 400);
        row("no crew name", "/api/crew", "{'nickname':'B'}", 400);
        row("crew name blank", "/api/crew", "{'crewName':'  ','nickname':'B'}", 400);
        row("crew name 49", "/api/crew",
            "{'nickname':'B','crewName':'" + QByteArray(49, 'x') + "'}", 400);
        row("nickname 33 emoji", "/api/join",
            "{'code':'CODE','nickname':'" + u"\U0001F989"_qs.repeated(33).toUtf8() + "'}", 400);
        row("nickname bell", "/api/join", "{'code':'CODE','nickname':'A\\u0007B'}", 400);
        row("nickname override", "/api/join", "{'code':'CODE','nickname':'A\\u202eB'}", 400);
        row("nickname null", "/api/join", "{'code':'CODE','nickname':null}", 400);
        row("leave id a number", "/api/leave", "{'code':'CODE','memberId':7}", 400);
        row("kick without nickname", "/api/kick", "{'code':'CODE','memberId':'ID'}", 400);
        row("days an array", "/api/report", "{'code':'CODE','memberId':'ID','days':[]}", 400);
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
        QVERIFY(refusedWith(server.post("/api/crew", Body::create(u"A"_qs, u"B"_qs), "text/plain"),
                            415));
        // At most 16 KiB: white space up to the limit is fine, one byte more is not.
        QByteArray body = Body::create(u"Padded"_qs, u"Pad"_qs);
        body.insert(1, QByteArray(16 * 1024 - body.size(), ' '));
        QCOMPARE(server.post("/api/crew", body).status, 200);
        QVERIFY(refusedWith(server.post("/api/crew", body.insert(1, ' ')), 413));
    }

    void invitationPage()
    {
        const Member ann = server.create(u"Tom & Jerry's \"Crew\""_qs, u"Ann"_qs);
        server.join(ann.code, u"Bob"_qs);
        const HttpReply page = server.get("/c/" + ann.code.toLower().toStdString());
        QCOMPARE(page.status, 200);
        QVERIFY(page.header("Content-Type").starts_with("text/html"));
        const std::string csp = page.header("Content-Security-Policy");
        QVERIFY(csp.starts_with("default-src 'none'") &&
                csp.find("unsafe-inline") == std::string::npos);
        const QString html = QString::fromUtf8(page.body);
        QVERIFY(html.contains(u"Tom &amp; Jerry&#39;s &quot;Crew&quot;"));
        QVERIFY(html.contains(u"2 members"));
        QVERIFY(html.contains(u"href=\"quenby://join/"_qs + ann.code + u'"'));
        QVERIFY(html.contains(u"QUENBY-JOIN:"_qs + ann.code));
        // Nothing is loaded from anywhere else.
        QVERIFY(!html.contains(u"http") && !html.contains(u"src="));

        const HttpReply missing = server.get("/c/QQQQQ0");
        QCOMPARE(missing.status, 404);
        QVERIFY(missing.body.contains("can't find that crew"));
        QCOMPARE(server.get("/healthz").json().value(u"ok").toBool(), true);
    }

    void rateLimits()
    {
        CrewdProcess limited({u"--rate-limit"_qs, u"5"_qs, u"--create-limit"_qs, u"2"_qs});
        QVERIFY2(limited.start(), limited.errorOutput().constData());
        QCOMPARE(limited.post("/api/crew", Body::create(u"One"_qs, u"A"_qs)).status, 200);
        QCOMPARE(limited.post("/api/crew", Body::create(u"Two"_qs, u"A"_qs)).status, 200);
        QVERIFY(refusedWith(limited.post("/api/crew", Body::create(u"Three"_qs, u"A"_qs)), 429));
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404); // the 4th and 5th request
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404);
        const HttpReply limit = limited.get("/api/crew/QQQQQ0");
        QVERIFY(refusedWith(limit, 429));
        QCOMPARE(limit.header("Retry-After"), std::string("60"));
        // A forwarded address means nothing unless the service is told it sits behind a proxy.
        QCOMPARE(limited.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "203.0.113.9"}}).status, 429);
        QCOMPARE(limited.get("/healthz").status, 200);

        CrewdProcess proxied({u"--rate-limit"_qs, u"2"_qs, u"--trust-proxy"_qs});
        QVERIFY2(proxied.start(), proxied.errorOutput().constData());
        for (const char *client : {"203.0.113.1", "10.0.0.1, 203.0.113.2", "2001:db8:1:2::1"}) {
            const httplib::Headers forwarded{{"X-Forwarded-For", client}};
            QCOMPARE(proxied.get("/api/crew/QQQQQ0", forwarded).status, 404);
            QCOMPARE(proxied.get("/api/crew/QQQQQ0", forwarded).status, 404);
            QCOMPARE(proxied.get("/api/crew/QQQQQ0", forwarded).status, 429);
        }
        // One IPv6 /64 is one client; a made-up first entry does not make a new one.
        QCOMPARE(
            proxied.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "2001:db8:1:2::ffff"}}).status,
            429);
        QCOMPARE(
            proxied.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "1.2.3.4, 203.0.113.2"}}).status,
            429);
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
        QCOMPARE(daysOf(own.fetch(ann.code), u"Ann"_qs).value(dayKey(0)), 1234);
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
