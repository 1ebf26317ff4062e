#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"

#include <QTest>

using namespace CrewClient;

class CrewBaseUrlTest : public QObject {
    Q_OBJECT

private slots:
    // This process runs with a refused origin: crews must be unavailable in it.
    void initTestCase() { qputenv("QUENBY_CREW_URL", "http://crew.example.com"); }

    void origins_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("origin"); // empty: refused

        QTest::newRow("https") << "HTTPS://Crew.Example.com:8443/"
                               << "https://crew.example.com:8443";
        QTest::newRow("loopback v4") << "http://127.3.4.5:8787"
                                     << "http://127.3.4.5:8787";
        QTest::newRow("loopback v6") << "http://[::1]:8787"
                                     << "http://[::1]:8787";
        QTest::newRow("http elsewhere") << "http://crew.example.com"
                                        << "";
        QTest::newRow("any address") << "http://0.0.0.0:8787"
                                     << "";
        QTest::newRow("path") << "https://crew.example.com/api"
                              << "";
        QTest::newRow("credentials") << "https://me:pw@crew.example.com"
                                     << "";
        QTest::newRow("garbage") << "ht tp://%%"
                                 << "";
    }

    void origins()
    {
        QFETCH(QString, text);
        QFETCH(QString, origin);

        const BaseUrl base = checkBaseUrl(text, "test");
        QCOMPARE(base.url.value_or(QUrl()).toString(), origin);
        QCOMPARE(base.problem.isEmpty(), !origin.isEmpty());
        if (origin.isEmpty())
            QVERIFY(base.problem.startsWith("Crews are unavailable") &&
                    base.problem.contains(text));
    }

    void refusedOriginMakesCrewsUnavailable()
    {
        const QString builtIn = "https://built.example.com";
        QCOMPARE(resolveBaseUrl(builtIn, {}).url, QUrl(builtIn));
        QCOMPARE(resolveBaseUrl(builtIn, "http://127.0.0.1:1").url, QUrl("http://127.0.0.1:1"));
        // A refused override does not fall back to the built-in origin.
        QVERIFY(!resolveBaseUrl(builtIn, "http://example.com").url);

        QVERIFY(!baseURL());
        QVERIFY(baseUrlProblem().contains("\"http://crew.example.com\" (from QUENBY_CREW_URL)"));
        const auto joined = awaitTask(joinCrew("ABC123", "Ann"), 1000);
        QVERIFY(joined && !*joined);
        QCOMPARE(joined->failure().kind, CrewFailure::Kind::unavailable);
        QCOMPARE(joined->failure().description, baseUrlProblem());
        const auto fetched = awaitTask(fetchCrew("ABC123", FixedClock(0)), 1000);
        QVERIFY(fetched && !*fetched);
        QCOMPARE(fetched->failure().kind, CrewFailure::Kind::unavailable);
    }

    void redirectPolicy_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");

        const QString https = "https://crew.example.com";
        const QString loopback = "http://127.0.0.1:8787";
        QTest::newRow("https to https") << https << "https://other.example.com/x" << true;
        QTest::newRow("https to http") << https << "http://crew.example.com/x" << false;
        QTest::newRow("loopback to https") << loopback << "https://crew.example.com/x" << true;
        QTest::newRow("loopback to http") << loopback << "http://crew.example.com/x" << false;
        QTest::newRow("to a file") << loopback << "file:///etc/passwd" << false;
    }

    void redirectPolicy()
    {
        QFETCH(QString, base);
        QFETCH(QString, target);
        QFETCH(bool, allowed);
        QCOMPARE(redirectAllowed(QUrl(base), QUrl(target)), allowed);
    }
};

QTEST_GUILESS_MAIN(CrewBaseUrlTest)
#include "tst_crewbaseurl.moc"
