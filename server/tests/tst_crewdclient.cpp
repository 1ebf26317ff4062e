// End to end: the app's own crew client against a running tockly-crewd. Two members, each
// with the membership the client returned, go through what the crew box does: create, join by
// code, report, fetch the standings, a refused and an allowed removal, leave.

#include "CrewClient.h"
#include "CrewTestSupport.h"
#include "CrewdProcess.h"

#include <QRegularExpression>
#include <QTest>

using namespace CrewClient;

class CrewdClientTest : public QObject {
    Q_OBJECT

    CrewdProcess server;
    SystemClock clock;

    FetchedCrew fetch(const QString &code)
    {
        auto fetched = awaitTask(fetchCrew(code, clock, QTimeZone::utc()));
        if (!fetched || !*fetched) {
            qWarning("fetch failed: %s",
                     fetched ? qPrintable(fetched->failure().description) : "no answer");
            return {};
        }
        return fetched->value();
    }

    static QStringList order(const FetchedCrew &crew)
    {
        QStringList out;
        for (const Standing &s : crew.standings)
            out << s.nickname;
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), server.errorOutput().constData());
        // The client reads its origin once, at first use.
        qputenv("QUENBY_CREW_URL",
                QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
    }

    void twoMembersRaceAndTheOwnerPrunes()
    {
        auto created = awaitTask(createCrew(u"Ann's Crew"_qs, u"Ann"_qs));
        QVERIFY(created && *created);
        const Config ann = created->value();
        QVERIFY(QRegularExpression(u"^[A-Z0-9]{6}$"_qs).match(ann.code).hasMatch());
        QCOMPARE(ann.crewName, u"Ann's Crew"_qs);
        QCOMPARE(ann.nickname, u"Ann"_qs);

        auto joined = awaitTask(joinCrew(ann.code.toLower(), u"Bob"_qs));
        QVERIFY(joined && *joined);
        const Config bob = joined->value();
        QCOMPARE(bob.code, ann.code);
        QVERIFY(bob.memberId != ann.memberId);
        auto third = awaitTask(joinCrew(ann.code, u"Cleo"_qs));
        QVERIFY(third && *third);
        const Config cleo = third->value();

        auto taken = awaitTask(joinCrew(ann.code, u"bob"_qs));
        QVERIFY(taken && !*taken);
        QCOMPARE(taken->failure().kind, CrewFailure::Kind::server);
        QVERIFY(taken->failure().description.contains(u"nickname"));
        auto unknown = awaitTask(joinCrew(u"QQQQQ0"_qs, u"Dan"_qs));
        QVERIFY(unknown && !*unknown);
        QCOMPARE(unknown->failure().description, u"That crew code doesn't exist."_qs);

        // Bob leads today. Ann and Cleo tie today; Cleo also worked earlier this week when the
        // week has an earlier day, and then comes first.
        const QString today = dayKey(0);
        const bool weekHasYesterday = weekKeys(clock.now(), QTimeZone::utc()).contains(dayKey(-1));
        QHash<QString, double> cleoDays{{today, 1800}};
        if (weekHasYesterday)
            cleoDays.insert(dayKey(-1), 5000);
        for (const auto &[config, days] :
             {std::pair{ann, QHash<QString, double>{{today, 1800}, {dayKey(-8), 9000}}},
              std::pair{bob, QHash<QString, double>{{today, 3600.5}}}, std::pair{cleo, cleoDays}}) {
            auto reported = awaitTask(report(config, days));
            // The message is built even when the check holds: name a failure only if there is one.
            QVERIFY2(reported && *reported, !reported ? "no answer"
                                            : *reported
                                                ? ""
                                                : qPrintable(reported->failure().description));
        }

        FetchedCrew crew = fetch(ann.code);
        QCOMPARE(crew.crewName, u"Ann's Crew"_qs);
        QCOMPARE(crew.ownerNickname, std::optional<QString>(u"Ann"_qs));
        const QStringList expected = weekHasYesterday
                                         ? QStringList{u"Bob"_qs, u"Cleo"_qs, u"Ann"_qs}
                                         : QStringList{u"Bob"_qs, u"Ann"_qs, u"Cleo"_qs};
        QCOMPARE(order(crew), expected);
        QCOMPARE(crew.standings[0].id, 0);
        QCOMPARE(crew.standings[2].id, 2);
        QCOMPARE(crew.standings[0].todaySeconds, 3600.5);
        QCOMPARE(crew.standings[1].todaySeconds, 1800.0);

        // A member who does not own the crew is refused with the service's own words: the text
        // the store shows as its crew error.
        auto refused = awaitTask(kick(bob, u"Cleo"_qs));
        QVERIFY(refused && !*refused);
        QCOMPARE(refused->failure().kind, CrewFailure::Kind::server);
        QCOMPARE(refused->failure().description, u"Only the crew's owner can remove members."_qs);
        QCOMPARE(fetch(ann.code).standings.size(), 3);

        auto removed = awaitTask(kick(ann, u"Cleo"_qs));
        QVERIFY(removed && *removed);
        QCOMPARE(order(fetch(ann.code)), QStringList({u"Bob"_qs, u"Ann"_qs}));
        // The removed member's membership no longer reaches the crew.
        auto late = awaitTask(report(cleo, {{today, 10}}));
        QVERIFY(late && !*late);
        QCOMPARE(late->failure().kind, CrewFailure::Kind::server);

        // The owner leaves: Bob, next in line, owns the crew now.
        QVERIFY(awaitTask(leave(ann)));
        crew = fetch(ann.code);
        QCOMPARE(order(crew), QStringList({u"Bob"_qs}));
        QCOMPARE(crew.ownerNickname, std::optional<QString>(u"Bob"_qs));
    }
};

QTEST_GUILESS_MAIN(CrewdClientTest)
#include "tst_crewdclient.moc"
