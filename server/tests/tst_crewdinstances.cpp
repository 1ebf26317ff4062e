// Two tockly-crewd instances on one PostgreSQL database, as behind a load balancer: each keeps
// fetch replies in memory, and neither may go on serving a crew the other has changed.

#include "CrewdProcess.h"

#include <QJsonArray>
#include <QTest>

namespace {

struct Member {
    QString code;
    QString memberId;
    QString nickname;
};

Member member(const HttpReply &reply, const QString &nickname)
{
    const QJsonObject o = reply.json();
    return {o.value(u"code").toString(), o.value(u"memberId").toString(), nickname};
}

QJsonObject fetch(CrewdProcess &server, const QString &code)
{
    return server.get("/api/crew/" + code.toStdString()).json();
}

QStringList nicknames(const QJsonObject &crew)
{
    QStringList out;
    for (const QJsonValue &m : crew.value(u"members").toArray())
        out << m.toObject().value(u"nickname").toString();
    return out;
}

double today(const QJsonObject &crew, const QString &nickname)
{
    for (const QJsonValue &m : crew.value(u"members").toArray()) {
        if (m.toObject().value(u"nickname").toString() == nickname)
            return m.toObject().value(u"days").toObject().value(dayKey()).toDouble(-1);
    }
    return -1;
}

bool report(CrewdProcess &server, const Member &m, double seconds)
{
    return server
               .post("/api/report",
                     Body::report(m.code, m.memberId, m.nickname, {{dayKey(), seconds}}))
               .status == 200;
}

} // namespace

class CrewdInstancesTest : public QObject {
    Q_OBJECT

    CrewdProcess a;
    CrewdProcess b{CrewdProcess::SameDatabaseAs{a}};

private slots:
    void initTestCase()
    {
        QVERIFY2(a.start(), a.errorOutput().constData());
        QVERIFY2(b.start(), b.errorOutput().constData());
    }

    // Every kind of change made through one instance shows in the other's fetch at once, or
    // within the moment its notification takes; the instance that made it is never behind.
    void changesThroughOneInstanceReachTheOther()
    {
        const Member owner =
            member(a.post("/api/crew", Body::create(u"Night owls"_qs, u"Ada"_qs)), u"Ada"_qs);
        const Member bo = member(a.post("/api/join", Body::join(owner.code, u"Bo"_qs)), u"Bo"_qs);
        QCOMPARE(nicknames(fetch(b, owner.code)), (QStringList{u"Ada"_qs, u"Bo"_qs}));

        double previous = -1; // no day yet
        for (double seconds : {600.0, 1200.0, 1800.0}) {
            QCOMPARE(today(fetch(b, owner.code), u"Bo"_qs), previous);
            QVERIFY(report(a, bo, seconds));
            QCOMPARE(today(fetch(a, owner.code), u"Bo"_qs), seconds);
            QTRY_COMPARE_WITH_TIMEOUT(today(fetch(b, owner.code), u"Bo"_qs), seconds, 2000);
            previous = seconds;
        }

        QCOMPARE(b.post("/api/join", Body::join(owner.code, u"Cy"_qs)).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(fetch(a, owner.code)),
                                  (QStringList{u"Ada"_qs, u"Bo"_qs, u"Cy"_qs}), 2000);
        QCOMPARE(b.post("/api/kick", Body::kick(owner.code, owner.memberId, u"Cy"_qs)).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(nicknames(fetch(a, owner.code)),
                                  (QStringList{u"Ada"_qs, u"Bo"_qs}), 2000);
        QCOMPARE(a.post("/api/leave", Body::leave(owner.code, owner.memberId)).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(fetch(b, owner.code).value(u"ownerNickname").toString(), u"Bo"_qs,
                                  2000);
        QCOMPARE(a.post("/api/leave", Body::leave(bo.code, bo.memberId)).status, 200);
        QTRY_COMPARE_WITH_TIMEOUT(b.get("/api/crew/" + owner.code.toStdString()).status, 404, 2000);
    }

    // The replies are really kept (a change behind the service's back goes unseen); when the
    // listening connection dies, changes made meanwhile still show, and once it listens again
    // replies are kept again.
    void keptRepliesAreBounded()
    {
        const Member owner =
            member(a.post("/api/crew", Body::create(u"Larks"_qs, u"Di"_qs)), u"Di"_qs);
        QVERIFY(report(a, owner, 100));
        QTRY_COMPARE_WITH_TIMEOUT(today(fetch(b, owner.code), u"Di"_qs), 100.0, 2000);
        // The report's notification may reach b after that fetch and drop what it kept: give it
        // a moment, then have b keep the reply again.
        QTest::qWait(1000);
        QCOMPARE(today(fetch(b, owner.code), u"Di"_qs), 100.0);

        const QString days = QStringLiteral("{\"%1\":4242}").arg(dayKey());
        QVERIFY(a.execSql(QStringLiteral("UPDATE members SET days = '%1' WHERE member_id = '%2'")
                              .arg(days, owner.memberId)));
        QCOMPARE(today(fetch(b, owner.code), u"Di"_qs), 100.0);

        QVERIFY(a.execSql(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                          " WHERE application_name = 'tockly-crewd-listener'"_qs));
        QVERIFY(report(a, owner, 200));
        QTRY_COMPARE_WITH_TIMEOUT(today(fetch(b, owner.code), u"Di"_qs), 200.0, 3000);

        // Listening again, and so keeping replies again: a change behind the service's back
        // goes unseen once more, while a change through the other instance shows at once.
        QTRY_VERIFY_WITH_TIMEOUT(b.errorOutput().contains("notifications lost"), 5000);
        QTest::qWait(2500);
        QCOMPARE(today(fetch(b, owner.code), u"Di"_qs), 200.0);
        QVERIFY(a.execSql(QStringLiteral("UPDATE members SET days = '%1' WHERE member_id = '%2'")
                              .arg(days, owner.memberId)));
        QCOMPARE(today(fetch(b, owner.code), u"Di"_qs), 200.0);
        QVERIFY(report(a, owner, 300));
        QTRY_COMPARE_WITH_TIMEOUT(today(fetch(b, owner.code), u"Di"_qs), 300.0, 2000);
    }
};

QTEST_GUILESS_MAIN(CrewdInstancesTest)
#include "tst_crewdinstances.moc"
