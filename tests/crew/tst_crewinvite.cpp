#include "CrewInvite.h"

#include <QTest>

using namespace CrewInvite;
using CrewClient::Config;

static QList<Config> crews(const QStringList &codes)
{
    QList<Config> configs;
    for (const QString &code : codes)
        configs.append({code, "m", "Ann", "Crew"});
    return configs;
}

class CrewInviteTest : public QObject {
    Q_OBJECT

private slots:
    void invitationText()
    {
        const QUrl base("https://crew.example.com");
        QCOMPARE(inviteText(base, "K3X9QZ"), "Join my Tockly crew — let's see who works hardest: "
                                             "https://crew.example.com/c/K3X9QZ (code K3X9QZ)");
        QCOMPARE(inviteLink(QUrl("http://127.0.0.1:8787"), "AB/C?D"),
                 "http://127.0.0.1:8787/c/AB%2FC%3FD");
    }

    void links_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("code"); // empty: nothing opens

        QTest::newRow("lower-case code") << "quenby://join/k3x9qz"
                                         << "K3X9QZ";
        QTest::newRow("last of several") << "quenby://join/crew/K3X9QZ"
                                         << "K3X9QZ";
        QTest::newRow("no path") << "quenby://join"
                                 << "";
        QTest::newRow("5 characters") << "quenby://join/K3X9Q"
                                      << "";
        QTest::newRow("not letters or digits") << "quenby://join/K3X-QZ"
                                               << "";
        QTest::newRow("upper-case scheme") << "QUENBY://join/K3X9QZ"
                                           << "";
        QTest::newRow("other scheme") << "https://join/K3X9QZ"
                                      << "";
    }

    void links()
    {
        QFETCH(QString, link);
        QFETCH(QString, code);

        QCOMPARE(codeFromLink(link).value_or(QString()), code);
    }

    void pasteboardTokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");

        QTest::newRow("in the middle of other text")
            << "Hey! Join us 👉 QUENBY-JOIN:K3X9QZ and beat Bob.\nSee you"
            << "K3X9QZ";
        QTest::newRow("first valid of two") << "QUENBY-JOIN:abc QUENBY-JOIN:BBBBBB"
                                            << "BBBBBB";
        QTest::newRow("lower-case code") << "QUENBY-JOIN:k3x9qz"
                                         << "";
        QTest::newRow("just the invitation text") << "https://x/c/K3X9QZ (code K3X9QZ)"
                                                  << "";
    }

    void pasteboardTokens()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(codeFromPasteboard(text).value_or(QString()), code);
    }

    void pasteboardOfferedOnceAcrossStarts()
    {
        const QString text = "Race me: QUENBY-JOIN:K3X9QZ !";
        QString stored; // the settings value of the last offer, kept across starts
        const auto start = [&](const QString &pasteboard, const QList<Config> &configs = {}) {
            const auto offer = pasteboardInviteToOffer(pasteboard, configs, stored);
            stored = offer.value_or(stored);
            return offer.value_or(QString());
        };
        QCOMPARE(start(text), "K3X9QZ");
        QCOMPARE(start(text), "");
        QCOMPARE(start("QUENBY-JOIN:ZZZ111"), "ZZZ111"); // another code replaces it
        QCOMPARE(start(text), "K3X9QZ");

        stored.clear();
        QCOMPARE(start(text, crews({"K3X9QZ"})), "");                // already held
        QCOMPARE(start(text, crews({"A", "B", "C", "D", "E"})), ""); // no room
        QCOMPARE(start("", {}), "");
        QCOMPARE(stored, "");
        QCOMPARE(start(text, crews({"k3x9qz", "B", "C", "D"})), "K3X9QZ"); // exact comparison
    }
};

QTEST_GUILESS_MAIN(CrewInviteTest)
#include "tst_crewinvite.moc"
