#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewInvite.h"
#include "CrewTestSupport.h"

#include <QTest>

using namespace CrewClient;

class CrewBaseUrlTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // This process runs with a refused origin: crews must be unavailable in it.
        qputenv("QUENBY_CREW_URL", "http://crew.example.com");
    }

    void origins_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("origin"); // empty: refused

        QTest::newRow("https") << "https://crew.example.com"
                               << "https://crew.example.com";
        QTest::newRow("https, port, slash") << "https://crew.example.com:8443/"
                                            << "https://crew.example.com:8443";
        QTest::newRow("upper-case scheme") << "HTTPS://Crew.Example.com"
                                           << "https://crew.example.com";
        QTest::newRow("http loopback v4") << "http://127.0.0.1:8787"
                                          << "http://127.0.0.1:8787";
        QTest::newRow("http loopback 127/8") << "http://127.3.4.5"
                                             << "http://127.3.4.5";
        QTest::newRow("http localhost") << "http://localhost:9"
                                        << "http://localhost:9";
        QTest::newRow("http loopback v6") << "http://[::1]:8787"
                                          << "http://[::1]:8787";
        QTest::newRow("http elsewhere") << "http://crew.example.com"
                                        << "";
        QTest::newRow("http private address") << "http://192.168.1.2"
                                              << "";
        QTest::newRow("http any address") << "http://0.0.0.0:8787"
                                          << "";
        QTest::newRow("http localhost lookalike") << "http://localhost.example.com"
                                                  << "";
        QTest::newRow("http loopback lookalike") << "http://127.0.0.1.example.com"
                                                 << "";
        QTest::newRow("with path") << "https://crew.example.com/api"
                                   << "";
        QTest::newRow("with query") << "https://crew.example.com/?a=1"
                                    << "";
        QTest::newRow("with fragment") << "https://crew.example.com#x"
                                       << "";
        QTest::newRow("with credentials") << "https://me:pw@crew.example.com"
                                          << "";
        QTest::newRow("other scheme") << "ftp://crew.example.com"
                                      << "";
        QTest::newRow("file") << "file:///tmp/crew"
                              << "";
        QTest::newRow("no scheme") << "crew.example.com"
                                   << "";
        QTest::newRow("no host") << "https://"
                                 << "";
        QTest::newRow("garbage") << "ht tp://%%"
                                 << "";
    }

    void origins()
    {
        QFETCH(QString, text);
        QFETCH(QString, origin);

        const BaseUrl base = checkBaseUrl(text, QStringLiteral("test"));
        if (origin.isEmpty()) {
            QVERIFY(!base.url);
            QVERIFY(base.problem.contains(text));
            QVERIFY(base.problem.startsWith(QLatin1String("Crews are unavailable")));
        } else {
            QVERIFY2(base.url, qPrintable(base.problem));
            QCOMPARE(base.url->toString(), origin);
            QVERIFY(base.problem.isEmpty());
        }
    }

    void environmentOverridesBuiltIn()
    {
        const QString builtIn = QStringLiteral("https://built.example.com");
        QCOMPARE(resolveBaseUrl(builtIn, {}).url, QUrl(builtIn));
        QCOMPARE(resolveBaseUrl(builtIn, QStringLiteral("http://127.0.0.1:1")).url,
                 QUrl(QStringLiteral("http://127.0.0.1:1")));
        // A refused override does not fall back to the built-in origin.
        const BaseUrl refused = resolveBaseUrl(builtIn, QStringLiteral("http://example.com"));
        QVERIFY(!refused.url);
        QVERIFY(refused.problem.contains(QLatin1String("QUENBY_CREW_URL")));
        QVERIFY(!resolveBaseUrl(QStringLiteral("ftp://x"), {}).url);
    }

    void refusedOriginMakesCrewsUnavailable()
    {
        QVERIFY(!baseURL());
        QVERIFY(baseUrlProblem().contains(QLatin1String("http://crew.example.com")));
        const auto joined =
            awaitTask(joinCrew(QStringLiteral("ABC123"), QStringLiteral("Ann")), 1000);
        QVERIFY(joined && !*joined);
        QCOMPARE(joined->failure().kind, CrewFailure::Kind::unavailable);
        QCOMPARE(joined->failure().description, baseUrlProblem());
        const FixedClock clock(0);
        const auto fetched = awaitTask(fetchCrew(QStringLiteral("ABC123"), clock), 1000);
        QVERIFY(fetched && !*fetched);
        QCOMPARE(fetched->failure().kind, CrewFailure::Kind::unavailable);
    }

    void redirectPolicy_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("allowed");

        const QString https = QStringLiteral("https://crew.example.com");
        const QString loopback = QStringLiteral("http://127.0.0.1:8787");
        QTest::newRow("https to https") << https << "https://other.example.com/api/join" << true;
        QTest::newRow("https to http") << https << "http://crew.example.com/api/join" << false;
        QTest::newRow("https to loopback http") << https << "http://127.0.0.1/api/join" << false;
        QTest::newRow("loopback to loopback") << loopback << "http://localhost:9/api/join" << true;
        QTest::newRow("loopback to https") << loopback << "https://crew.example.com/x" << true;
        QTest::newRow("loopback to http elsewhere")
            << loopback << "http://crew.example.com/x" << false;
        QTest::newRow("to another scheme") << https << "ftp://crew.example.com/x" << false;
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
