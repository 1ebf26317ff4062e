// Two tockly-crewd instances on one PostgreSQL database, as behind a load balancer: each keeps
// fetch replies in memory, and neither may go on serving a crew the other has changed.

#include "CrewdProcess.h"

#include <QTest>

namespace {

// A member's seconds today; -1 for none.
double today(const QJsonObject &crew, const QString &nickname)
{
    return daysOf(crew, nickname).value(dayKey()).toDouble(-1);
}

bool report(CrewdProcess &server, const Member &m, double seconds)
{
    return server.report(m, {{dayKey(), seconds}}).status == 200;
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
    }

    // A change behind the service's back: true when `server` goes on showing what it showed
    // before, that is, keeps its reply. A notification of an earlier change may still be on its
    // way and drop the kept reply, so each try keeps a fresh one first.
    bool keepsItsReply(CrewdProcess &server, const Member &m)
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            const double shown = today(server.fetch(m.code), m.nickname);
            const QString days = u"{\"%1\":%2}"_qs.arg(dayKey()).arg(5000 + attempt);
            if (!a.execSql(u"UPDATE members SET days = '%1' WHERE member_id = '%2'"_qs.arg(
                    days, m.memberId)))
                return false;
            if (today(server.fetch(m.code), m.nickname) == shown)
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    // The replies are really kept; when the listening connection dies, changes made meanwhile
    // still show, and once it listens again replies are kept again.
    void keptRepliesAreBounded()
    {
        const Member owner = a.create(u"Larks"_qs, u"Di"_qs);
        QVERIFY(report(a, owner, 100));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(owner.code), u"Di"_qs), 100.0, 2000);
        QVERIFY(keepsItsReply(b, owner));

        QVERIFY(a.execSql(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                          " WHERE application_name = 'tockly-crewd-listener'"_qs));
        QVERIFY(report(a, owner, 200));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(owner.code), u"Di"_qs), 200.0, 3000);

        // Listening again, and so keeping replies again, while a change through the other
        // instance shows at once.
        QTRY_VERIFY_WITH_TIMEOUT(b.errorOutput().contains("notifications lost"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(keepsItsReply(b, owner), 10000);
        QVERIFY(report(a, owner, 300));
        QTRY_COMPARE_WITH_TIMEOUT(today(b.fetch(owner.code), u"Di"_qs), 300.0, 2000);
    }
};

QTEST_GUILESS_MAIN(CrewdInstancesTest)
#include "tst_crewdinstances.moc"
