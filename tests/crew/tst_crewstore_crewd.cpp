// End to end: two application stores, each with its own settings and record, race in one crew
// on a real tockly-crewd.

#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "CrewdProcess.h"
#include "StoreFixture.h"

#include <QTest>

namespace {

QStringList board(const MacWorkStore &store, const QString &code)
{
    QStringList rows;
    for (const auto &s : store.standingsByCode().value(code))
        rows << QStringLiteral("%1 %2").arg(s.nickname).arg(s.todaySeconds);
    return rows;
}

QString row(const char *nickname, MacWorkStore &store)
{
    const Instant now = store.clock().now();
    return QStringLiteral("%1 %2").arg(nickname).arg(
        store.reportDays(now).value(store.calendar().dayKey(now)));
}

} // namespace

class CrewStoreCrewdTest : public QObject {
    Q_OBJECT

    CrewdProcess server;

    // Reports go out in the background; refreshes until the board shows what was sent.
    static bool boardBecomes(MacWorkStore &store, const QString &code, const QStringList &rows)
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            if (!awaitTask(store.refreshCrews()))
                return false;
            if (board(store, code) == rows)
                return true;
            QTest::qWait(100);
        }
        qWarning("board: %s", qPrintable(board(store, code).join(", ")));
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), server.errorOutput().constData());
        qputenv("QUENBY_CREW_URL",
                QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
        QVERIFY(CrewClient::baseURL());
    }

    void twoStoresRaceAndTheOwnerPrunes()
    {
        // The service takes days near its own UTC date: the stores run early on that date, in UTC.
        const QDate today = QDateTime::currentDateTimeUtc().date();
        const Instant start = instantFromDateTime(QDateTime(today, {0, 1}, QTimeZone::utc()));
        StoreFixture annSide(start), bobSide(start);
        annSide.calendar = bobSide.calendar = zoneCalendar("UTC");
        CrewClient::HttpConnection http;
        annSide.crewConnection = bobSide.crewConnection = &http;
        MacWorkStore &ann = annSide.open();
        MacWorkStore &bob = bobSide.open();
        // Bob works longer today. Creating and joining report what each has so far.
        annSide.type(300);
        bobSide.type(900);

        QVERIFY(awaitTask(ann.createCrew("Ann's Crew", "Ann")));
        QCOMPARE(ann.crewError(), "");
        const QString code = ann.crewConfig()->code;
        QCOMPARE(ann.ownedCrewCodes(), QStringList{code});
        // Refusals reach the store in the service's own words.
        QVERIFY(awaitTask(bob.joinCrew("QQQQQ0", "Bob")));
        QCOMPARE(bob.crewError(), "That crew code doesn't exist.");
        QVERIFY(awaitTask(bob.joinCrew(code, "ann")));
        QVERIFY(bob.crewError().contains("nickname"));
        QVERIFY(bob.crewConfigs().isEmpty());
        QVERIFY(awaitTask(bob.joinCrew(code.toLower(), "Bob")));
        QCOMPARE(bob.crewError(), "");
        QCOMPARE(bob.crewConfigs().first().crewName, "Ann's Crew");
        QVERIFY(bob.ownedCrewCodes().isEmpty());

        QVERIFY(boardBecomes(ann, code, {row("Bob", bob), row("Ann", ann)}));
        QCOMPARE(ann.standingsByCode().value(code).first().id, 0);

        // A member who does not own the crew is refused in the service's own words.
        QVERIFY(awaitTask(bob.removeMember(code, "Ann")));
        QCOMPARE(bob.crewError(), "Only the crew's owner can remove members.");
        QVERIFY(awaitTask(ann.refreshCrews()));
        QCOMPARE(ann.standingsByCode().value(code).size(), 2);

        // The owner's removal takes the member off the board at once.
        QVERIFY(awaitTask(ann.removeMember(code, "Bob")));
        QCOMPARE(ann.crewError(), "");
        QCOMPARE(board(ann, code), QStringList{row("Ann", ann)});
        // The removed member keeps his membership here until he leaves it.
        QCOMPARE(bob.crewConfigs().size(), 1);
        bob.leaveCrew(code);
        QVERIFY(bob.crewConfigs().isEmpty());
        QTRY_VERIFY(CrewClient::sharedNetwork().findChildren<QNetworkReply *>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(CrewStoreCrewdTest)
#include "tst_crewstore_crewd.moc"
