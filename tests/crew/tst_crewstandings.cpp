#include "Calendar.h"
#include "CrewStandings.h"

#include <QTest>

using namespace CrewClient;
using Member = CrewResponse::MemberPayload;

static Instant at(const QByteArray &zone, QDate date, QTime time)
{
    return instantFromDateTime(QDateTime(date, time, QTimeZone(zone)));
}

class CrewStandingsTest : public QObject {
    Q_OBJECT

private slots:
    void weekRunsMondayToSunday_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<Instant>("now");
        QTest::addColumn<QDate>("monday");

        const QByteArray berlin = "Europe/Berlin";
        QTest::newRow("Sunday last second")
            << berlin << at(berlin, {2024, 3, 10}, {23, 59, 59}) << QDate(2024, 3, 4);
        QTest::newRow("Sunday in UTC, Monday here")
            << berlin << at("UTC", {2024, 3, 10}, {23, 30}) << QDate(2024, 3, 11);
        QTest::newRow("Sao Paulo, DST at midnight")
            << QByteArray("America/Sao_Paulo") << at("America/Sao_Paulo", {2018, 11, 4}, {12, 0})
            << QDate(2018, 10, 29);
        QTest::newRow("Apia skipped a Friday")
            << QByteArray("Pacific/Apia") << at("Pacific/Apia", {2011, 12, 31}, {12, 0})
            << QDate(2011, 12, 26);
    }

    void weekRunsMondayToSunday()
    {
        QFETCH(QByteArray, zone);
        QFETCH(Instant, now);
        QFETCH(QDate, monday);

        QStringList expected;
        for (int i = 0; i < 7; ++i)
            expected.append(dayKeyOfDate(monday.addDays(i)));
        QCOMPARE(weekKeys(now, QTimeZone(zone)), expected);
    }

    void leaderboard()
    {
        // Wednesday 2024-03-06 in Berlin; the week began on Monday the 4th.
        const Instant now = at("Europe/Berlin", {2024, 3, 6}, {12, 0});
        const QList<Member> members{
            {"Bea", {{"2024-03-06", 1800}, {"2024-03-04", 50000}, {"2024-03-05", 40000}}},
            {"Al", {{"2024-03-06", 3600}}},
            {"Cid", {{"2024-03-06", 1800}, {"2024-03-10", 100.25}}},
            {"Dee", {{"2024-03-06", 1800}, {"2024-03-04", 100.25}}},
            {"Eve", {{"2024-03-03", 9999}, {"2024-03-11", 5000}}}, // last and next week only
            {"Fay", {}},
            {"Gus", {{"2024-03-06", -5}}},
        };
        const QList<Standing> expected{
            {0, "Al", 3600, 3600},     // today decides before the week
            {1, "Bea", 91800, 1800},   // equal today: more week first
            {2, "Cid", 1900.25, 1800}, // equal in both: the service's order stands
            {3, "Dee", 1900.25, 1800}, {4, "Eve", 0, 0}, {5, "Fay", 0, 0}, {6, "Gus", -5, -5},
        };
        QCOMPARE(standings(members, now, QTimeZone("Europe/Berlin")), expected);
    }
};

QTEST_GUILESS_MAIN(CrewStandingsTest)
#include "tst_crewstandings.moc"
