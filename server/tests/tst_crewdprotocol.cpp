// The crew protocol against a running tockly-crewd, on the engine TOCKLY_CREWD_ENGINE names.

#include "CrewdProcess.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>

namespace {

const QRegularExpression kCode(QStringLiteral("^[A-Z0-9]{6}$"));
const QRegularExpression kMemberId(QStringLiteral("^[0-9a-f]{32}$"));

struct Member {
    QString code;
    QString memberId;
    QString nickname;
};

// Nicknames in leaderboard order of joining, as the fetch lists them.
QStringList nicknames(const QJsonObject &crew)
{
    QStringList out;
    for (const QJsonValue &m : crew.value(QLatin1StringView("members")).toArray())
        out << m.toObject().value(QLatin1StringView("nickname")).toString();
    return out;
}

QJsonObject daysOf(const QJsonObject &crew, const QString &nickname)
{
    for (const QJsonValue &m : crew.value(QLatin1StringView("members")).toArray()) {
        if (m.toObject().value(QLatin1StringView("nickname")).toString() == nickname)
            return m.toObject().value(QLatin1StringView("days")).toObject();
    }
    return {};
}

} // namespace

class CrewdProtocolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CrewdProcess> server;

    Member create(const QString &crewName, const QString &nickname)
    {
        const HttpReply r = server->post("/api/crew", Body::create(crewName, nickname));
        const QJsonObject o = r.json();
        return {o.value(QLatin1StringView("code")).toString(),
                o.value(QLatin1StringView("memberId")).toString(), nickname};
    }
    Member join(const QString &code, const QString &nickname)
    {
        const HttpReply r = server->post("/api/join", Body::join(code, nickname));
        return {r.json().value(QLatin1StringView("code")).toString(),
                r.json().value(QLatin1StringView("memberId")).toString(), nickname};
    }
    QJsonObject fetch(const QString &code)
    {
        return server->get("/api/crew/" + code.toStdString()).json();
    }
    HttpReply report(const Member &m, const std::map<QString, double> &days)
    {
        return server->post("/api/report", Body::report(m.code, m.memberId, m.nickname, days));
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<CrewdProcess>();
        QVERIFY2(server->start(), server->errorOutput().constData());
    }
    void cleanupTestCase() { server.reset(); }

    void createJoinAndFetch()
    {
        const HttpReply created =
            server->post("/api/crew", Body::create(u"  Night Owls "_qs, u"Ann"_qs));
        QCOMPARE(created.status, 200);
        const Member ann{created.json().value(u"code").toString(),
                         created.json().value(u"memberId").toString(), u"Ann"_qs};
        QVERIFY(kCode.match(ann.code).hasMatch());
        QVERIFY(kMemberId.match(ann.memberId).hasMatch());
        QCOMPARE(created.json().value(u"crewName").toString(), u"Night Owls"_qs);

        // Joining by the code in lower case, as a person might type it.
        const HttpReply joined =
            server->post("/api/join", Body::join(ann.code.toLower(), u" Bob\t"_qs));
        QCOMPARE(joined.status, 200);
        QCOMPARE(joined.json().value(u"code").toString(), ann.code);
        QCOMPARE(joined.json().value(u"crewName").toString(), u"Night Owls"_qs);
        const QString bobId = joined.json().value(u"memberId").toString();
        QVERIFY(kMemberId.match(bobId).hasMatch());
        QVERIFY(bobId != ann.memberId);

        const HttpReply fetched = server->get("/api/crew/" + ann.code.toStdString());
        QCOMPARE(fetched.status, 200);
        const QJsonObject crew = fetched.json();
        QCOMPARE(crew.value(u"crewName").toString(), u"Night Owls"_qs);
        QCOMPARE(crew.value(u"ownerNickname").toString(), u"Ann"_qs);
        QCOMPARE(nicknames(crew), QStringList({u"Ann"_qs, u"Bob"_qs}));
        QVERIFY(daysOf(crew, u"Bob"_qs).isEmpty());
        // Member ids are the members' keys: a fetch, open to anyone with the code, never shows
        // them.
        QVERIFY(!fetched.body.contains(ann.memberId.toUtf8()));
        QVERIFY(!fetched.body.contains(bobId.toUtf8()));

        // Codes are fresh every time and always six capitals or digits.
        QSet<QString> codes{ann.code};
        for (int i = 0; i < 40; ++i) {
            const Member m = create(u"Crew %1"_qs.arg(i), u"Owner"_qs);
            QVERIFY2(kCode.match(m.code).hasMatch(), qPrintable(m.code));
            codes.insert(m.code);
        }
        QCOMPARE(codes.size(), 41);
    }

    void joinRefusals()
    {
        const Member ann = create(u"Larks"_qs, u"Ann"_qs);

        const HttpReply unknown = server->post("/api/join", Body::join(u"QQQQQ0"_qs, u"Zed"_qs));
        QCOMPARE(unknown.status, 404);
        QCOMPARE(server->post("/api/join", Body::join(u"not a code"_qs, u"Zed"_qs)).status, 404);
        QCOMPARE(server->get("/api/crew/QQQQQ0").status, 404);

        for (const QString &taken : {u"Ann"_qs, u"ann"_qs, u"  ANN "_qs}) {
            const HttpReply r = server->post("/api/join", Body::join(ann.code, taken));
            QCOMPARE(r.status, 409);
            QVERIFY(r.isRefusal());
            QVERIFY(r.error().contains(u"nickname"));
        }

        // Fill the crew to 50; the 51st is refused, and a place that frees up can be taken.
        std::vector<Member> members{ann};
        for (int i = 1; i < 50; ++i) {
            members.push_back(join(ann.code, u"Member %1"_qs.arg(i)));
            QVERIFY(!members.back().memberId.isEmpty());
        }
        const HttpReply full = server->post("/api/join", Body::join(ann.code, u"Late"_qs));
        QCOMPARE(full.status, 409);
        QVERIFY(full.isRefusal());
        QVERIFY(full.error().contains(u"full"));
        QCOMPARE(nicknames(fetch(ann.code)).size(), 50);
        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, members[7].memberId)).status,
                 200);
        QCOMPARE(server->post("/api/join", Body::join(ann.code, u"Late"_qs)).status, 200);
        QCOMPARE(nicknames(fetch(ann.code)).size(), 50);
    }

    void reportsReplaceTheDaysSent()
    {
        const Member ann = create(u"Reporters"_qs, u"Ann"_qs);
        const Member bob = join(ann.code, u"Bob"_qs);

        QCOMPARE(report(ann, {{dayKey(0), 3600.5}, {dayKey(-1), 7200}, {dayKey(-14), 60}}).status,
                 200);
        QCOMPARE(report(ann, {{dayKey(0), 4000}}).status, 200);
        QCOMPARE(report(bob, {{dayKey(0), 90000}, {dayKey(14), 0}}).status, 200);
        QCOMPARE(report(ann, {}).status, 200);

        QJsonObject crew = fetch(ann.code);
        const QJsonObject annDays = daysOf(crew, u"Ann"_qs);
        QCOMPARE(annDays.size(), 3);
        QCOMPARE(annDays.value(dayKey(0)).toDouble(), 4000.0);
        QCOMPARE(annDays.value(dayKey(-1)).toDouble(), 7200.0);
        QCOMPARE(annDays.value(dayKey(-14)).toDouble(), 60.0);
        QCOMPARE(daysOf(crew, u"Bob"_qs).value(dayKey(0)).toDouble(), 90000.0);
        QCOMPARE(daysOf(crew, u"Bob"_qs).value(dayKey(14)).toDouble(), 0.0);

        // Every refusal leaves the stored days as they were.
        const QString before = server->stateDigest();
        std::map<QString, double> seventeen;
        for (int d = -8; d <= 8; ++d)
            seventeen[dayKey(d)] = 1;
        const std::vector<std::map<QString, double>> refused = {{{dayKey(-15), 1}},
                                                                {{dayKey(15), 1}},
                                                                {{dayKey(0), -1}},
                                                                {{dayKey(0), 90000.5}},
                                                                {{u"2024-02-30"_qs, 1}},
                                                                {{u"2024-2-01"_qs, 1}},
                                                                {{u"today"_qs, 1}},
                                                                {{dayKey(0), 5}, {dayKey(-20), 5}},
                                                                seventeen};
        for (const auto &days : refused) {
            const HttpReply r = report(ann, days);
            QCOMPARE(r.status, 400);
            QVERIFY2(r.isRefusal(), r.body.constData());
        }
        std::map<QString, double> sixteen = seventeen;
        sixteen.erase(dayKey(8));
        QCOMPARE(server->stateDigest(), before);

        // Sixteen days at once are fine.
        QCOMPARE(report(bob, sixteen).status, 200);
        QCOMPARE(daysOf(fetch(ann.code), u"Bob"_qs).size(), 17);

        // Ids that are not in the crew: a made-up one, and a member of another crew.
        const Member other = create(u"Elsewhere"_qs, u"Cleo"_qs);
        Member stranger = ann;
        stranger.memberId = QString(32, u'a');
        Member wrongCrew = other;
        wrongCrew.code = ann.code;
        for (const Member &m : {stranger, wrongCrew}) {
            const HttpReply r = report(m, {{dayKey(0), 1}});
            QCOMPARE(r.status, 403);
            QVERIFY(r.isRefusal());
        }
        Member lostCrew = ann;
        lostCrew.code = u"QQQQQ0"_qs;
        QCOMPARE(report(lostCrew, {{dayKey(0), 1}}).status, 404);
        QCOMPARE(daysOf(fetch(ann.code), u"Ann"_qs).value(dayKey(0)).toDouble(), 4000.0);
    }

    void leavingHandsOwnershipOn()
    {
        const Member ann = create(u"Relay"_qs, u"Ann"_qs);
        const Member bob = join(ann.code, u"Bob"_qs);
        const Member cleo = join(ann.code, u"Cleo"_qs);
        QCOMPARE(report(bob, {{dayKey(0), 10}}).status, 200);

        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, QString(32, u'b'))).status, 403);
        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, ann.memberId)).status, 200);
        QJsonObject crew = fetch(ann.code);
        QCOMPARE(crew.value(u"ownerNickname").toString(), u"Bob"_qs);
        QCOMPARE(nicknames(crew), QStringList({u"Bob"_qs, u"Cleo"_qs}));
        // Leaving twice: the second time the id is no longer in the crew.
        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, ann.memberId)).status, 403);
        QCOMPARE(report(ann, {{dayKey(0), 10}}).status, 403);

        // The new owner can prune, the old one cannot.
        const Member dan = join(ann.code, u"Dan"_qs);
        QCOMPARE(server->post("/api/kick", Body::kick(ann.code, bob.memberId, u"Dan"_qs)).status,
                 200);
        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, dan.memberId)).status, 403);

        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, bob.memberId)).status, 200);
        QCOMPARE(fetch(ann.code).value(u"ownerNickname").toString(), u"Cleo"_qs);
        QCOMPARE(server->post("/api/leave", Body::leave(ann.code, cleo.memberId)).status, 200);

        // The last one out: the crew is gone, and its code with it.
        QCOMPARE(server->get("/api/crew/" + ann.code.toStdString()).status, 404);
        QCOMPARE(server->post("/api/join", Body::join(ann.code, u"Eve"_qs)).status, 404);
        QCOMPARE(server->get("/c/" + ann.code.toStdString()).status, 404);
    }

    void onlyTheOwnerKicks()
    {
        const Member ann = create(u"Pruned"_qs, u"Ann"_qs);
        const Member bob = join(ann.code, u"Bob"_qs);
        const Member cleo = join(ann.code, u"Cleo"_qs);

        const HttpReply refused =
            server->post("/api/kick", Body::kick(ann.code, bob.memberId, u"Cleo"_qs));
        QCOMPARE(refused.status, 403);
        QVERIFY(refused.isRefusal());
        QCOMPARE(refused.error(), u"Only the crew's owner can remove members."_qs);
        QCOMPARE(
            server->post("/api/kick", Body::kick(ann.code, QString(32, u'c'), u"Cleo"_qs)).status,
            403);
        QCOMPARE(nicknames(fetch(ann.code)).size(), 3);

        const HttpReply nobody =
            server->post("/api/kick", Body::kick(ann.code, ann.memberId, u"Zed"_qs));
        QCOMPARE(nobody.status, 409);
        QVERIFY(nobody.isRefusal());
        const HttpReply self =
            server->post("/api/kick", Body::kick(ann.code, ann.memberId, u"Ann"_qs));
        QCOMPARE(self.status, 409);
        QVERIFY(self.isRefusal());

        QCOMPARE(server->post("/api/kick", Body::kick(ann.code, ann.memberId, u"cleo"_qs)).status,
                 200);
        QCOMPARE(nicknames(fetch(ann.code)), QStringList({u"Ann"_qs, u"Bob"_qs}));
        // The removed member's id no longer counts, and the nickname is free again.
        QCOMPARE(report(cleo, {{dayKey(0), 1}}).status, 403);
        QCOMPARE(server->post("/api/join", Body::join(ann.code, u"Cleo"_qs)).status, 200);
    }

    void badBodiesAreRefusedWithAText_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");

        // Bodies written with ' for ", to keep them readable; CODE, ID and DAY are filled in.
        auto row = [](const char *name, const char *path, QByteArray body, int status) {
            body.replace('\'', '"');
            body.replace("CODE", "QQQQQ0").replace("ID", QByteArray(32, 'a'));
            body.replace("DAY", dayKey().toUtf8());
            QTest::newRow(name) << QByteArray(path) << body << status;
        };
        row("not JSON", "/api/crew", "crewName=A", 400);
        row("array", "/api/crew", "[]", 400);
        row("trailing text", "/api/crew", "{'crewName':'A','nickname':'B'} x", 400);
        row("duplicate key", "/api/crew", "{'crewName':'A','crewName':'C','nickname':'B'}", 400);
        row("bad UTF-8", "/api/crew", "{'crewName':'A\xff','nickname':'B'}", 400);
        row("deep", "/api/crew", QByteArray(200, '['), 400);
        row("no crew name", "/api/crew", "{'nickname':'B'}", 400);
        row("crew name a number", "/api/crew", "{'crewName':5,'nickname':'B'}", 400);
        row("crew name blank", "/api/crew", "{'crewName':'  ','nickname':'B'}", 400);
        row("crew name 49", "/api/crew",
            "{'nickname':'B','crewName':'" + QByteArray(49, 'x') + "'}", 400);
        row("nickname 33", "/api/crew", "{'crewName':'A','nickname':'" + QByteArray(33, 'x') + "'}",
            400);
        row("nickname 33 emoji", "/api/join",
            "{'code':'CODE','nickname':'" + QStringLiteral("\U0001F989").repeated(33).toUtf8() +
                "'}",
            400);
        row("nickname bell", "/api/join", "{'code':'CODE','nickname':'A\\u0007B'}", 400);
        row("nickname newline", "/api/join", "{'code':'CODE','nickname':'A\\nB'}", 400);
        row("nickname override", "/api/join", "{'code':'CODE','nickname':'A\\u202eB'}", 400);
        row("nickname null", "/api/join", "{'code':'CODE','nickname':null}", 400);
        row("code a number", "/api/join", "{'code':123456,'nickname':'B'}", 400);
        row("leave without id", "/api/leave", "{'code':'CODE'}", 400);
        row("leave id a number", "/api/leave", "{'code':'CODE','memberId':7}", 400);
        row("kick without nickname", "/api/kick", "{'code':'CODE','memberId':'ID'}", 400);
        row("report days array", "/api/report", "{'code':'CODE','memberId':'ID','days':[]}", 400);
        row("report days text", "/api/report",
            "{'code':'CODE','memberId':'ID','days':{'DAY':'60'}}", 400);
        row("report huge number", "/api/report",
            "{'code':'CODE','memberId':'ID','days':{'DAY':1e999}}", 400);
        row("report nickname a number", "/api/report",
            "{'code':'CODE','memberId':'ID','nickname':1,'days':{}}", 400);
        row("unknown path", "/api/crews", "{}", 404);
    }
    void badBodiesAreRefusedWithAText()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const QString before = server->stateDigest();
        const HttpReply r = server->post(path.toStdString(), body);
        QCOMPARE(r.status, status);
        QVERIFY2(r.isRefusal(), r.body.constData());
        QCOMPARE(server->stateDigest(), before);
    }

    void sizesAndTypes()
    {
        // 32 emoji are 32 characters, however many bytes they take.
        const Member owl = create(QStringLiteral("\U0001F989").repeated(48),
                                  QStringLiteral("\U0001F989").repeated(32));
        QVERIFY(kCode.match(owl.code).hasMatch());

        const HttpReply plain =
            server->post("/api/crew", Body::create(u"A"_qs, u"B"_qs), "text/plain");
        QCOMPARE(plain.status, 415);
        QVERIFY(plain.isRefusal());

        // At most 16 KiB: white space up to the limit is fine, one byte more is not.
        QByteArray body = Body::create(u"Padded"_qs, u"Pad"_qs);
        body.insert(1, QByteArray(16 * 1024 - body.size(), ' '));
        QCOMPARE(server->post("/api/crew", body).status, 200);
        body.insert(1, ' ');
        const HttpReply large = server->post("/api/crew", body);
        QCOMPARE(large.status, 413);
        QVERIFY(large.isRefusal());
    }

    void invitationPage()
    {
        const Member ann = create(u"Tom & Jerry's \"Crew\""_qs, u"Ann"_qs);
        join(ann.code, u"Bob"_qs);
        const HttpReply page = server->get("/c/" + ann.code.toLower().toStdString());
        QCOMPARE(page.status, 200);
        QVERIFY(page.header("Content-Type").starts_with("text/html"));
        const std::string csp = page.header("Content-Security-Policy");
        QVERIFY(csp.starts_with("default-src 'none'"));
        QVERIFY(csp.find("unsafe-inline") == std::string::npos);
        const QString html = QString::fromUtf8(page.body);
        QVERIFY(html.contains(u"Tom &amp; Jerry&#39;s &quot;Crew&quot;"));
        QVERIFY(html.contains(u"2 members"));
        QVERIFY(html.contains(u"href=\"quenby://join/"_qs + ann.code + u'"'));
        QVERIFY(html.contains(u"QUENBY-JOIN:"_qs + ann.code));
        QVERIFY(html.contains(u"Open in Tockly"));
        // Nothing is loaded from anywhere else.
        QVERIFY(!html.contains(u"http:"));
        QVERIFY(!html.contains(u"https:"));
        QVERIFY(!html.contains(u"src="));

        const HttpReply missing = server->get("/c/QQQQQ0");
        QCOMPARE(missing.status, 404);
        QVERIFY(missing.header("Content-Type").starts_with("text/html"));
        QVERIFY(missing.body.contains("can't find that crew"));
        QCOMPARE(server->get("/c/%3Cb%3E").status, 404);

        const HttpReply health = server->get("/healthz");
        QCOMPARE(health.status, 200);
        QCOMPARE(health.json().value(u"ok").toBool(), true);
    }

    void rateLimits()
    {
        CrewdProcess limited({u"--rate-limit"_qs, u"5"_qs, u"--create-limit"_qs, u"2"_qs});
        QVERIFY2(limited.start(), limited.errorOutput().constData());
        QCOMPARE(limited.post("/api/crew", Body::create(u"One"_qs, u"A"_qs)).status, 200);
        QCOMPARE(limited.post("/api/crew", Body::create(u"Two"_qs, u"A"_qs)).status, 200);
        const HttpReply creates = limited.post("/api/crew", Body::create(u"Three"_qs, u"A"_qs));
        QCOMPARE(creates.status, 429);
        QVERIFY(creates.isRefusal());
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404);
        QCOMPARE(limited.get("/api/crew/QQQQQ0").status, 404);
        const HttpReply requests = limited.get("/api/crew/QQQQQ0");
        QCOMPARE(requests.status, 429);
        QVERIFY(requests.isRefusal());
        QCOMPARE(requests.header("Retry-After"), std::string("60"));
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
        // The same IPv6 /64 is one client; a spoofed first entry does not make a new one.
        QCOMPARE(
            proxied.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "2001:db8:1:2::ffff"}}).status,
            429);
        QCOMPARE(
            proxied.get("/api/crew/QQQQQ0", {{"X-Forwarded-For", "1.2.3.4, 203.0.113.2"}}).status,
            429);
    }

    void restartKeepsCrewsAndRefusesNewerSchemas()
    {
        auto own = std::make_unique<CrewdProcess>();
        QVERIFY(own->start());
        const HttpReply created = own->post("/api/crew", Body::create(u"Keepers"_qs, u"Ann"_qs));
        const QString code = created.json().value(u"code").toString();
        const QString id = created.json().value(u"memberId").toString();
        QCOMPARE(
            own->post("/api/report", Body::report(code, id, u"Ann"_qs, {{dayKey(0), 1234}})).status,
            200);
        const QString before = own->stateDigest();
        QVERIFY(before.startsWith(u"1|\n--\n"));

        own->stop();
        QVERIFY(own->start());
        QCOMPARE(own->stateDigest(), before);
        QCOMPARE(daysOf(own->get("/api/crew/" + code.toStdString()).json(), u"Ann"_qs)
                     .value(dayKey(0))
                     .toDouble(),
                 1234.0);
        own->stop();

        // A database from a newer build is left alone.
        QVERIFY(own->execSql(u"INSERT INTO schema_migrations (version) VALUES (99)"_qs));
        QVERIFY(!own->start());
        QVERIFY(!own->running() || (own->stop(), true));
        QVERIFY(own->errorOutput().contains("newer"));
    }
};

QTEST_GUILESS_MAIN(CrewdProtocolTest)
#include "tst_crewdprotocol.moc"
