#include "CrewInvite.h"

#include <QTest>

using namespace CrewInvite;
using CrewClient::Config;

static QList<Config> crews(const QStringList &codes)
{
    QList<Config> configs;
    for (const QString &code : codes)
        configs.append({code, QStringLiteral("m"), QStringLiteral("Ann"), QStringLiteral("Crew")});
    return configs;
}

class CrewInviteTest : public QObject {
    Q_OBJECT

private slots:
    void invitationText()
    {
        const QUrl base(QStringLiteral("https://crew.example.com"));
        QCOMPARE(inviteLink(base, QStringLiteral("K3X9QZ")),
                 QStringLiteral("https://crew.example.com/c/K3X9QZ"));
        QCOMPARE(inviteText(base, QStringLiteral("K3X9QZ")),
                 QStringLiteral("Join my Tockly crew — let's see who works hardest: "
                                "https://crew.example.com/c/K3X9QZ (code K3X9QZ)"));
        QCOMPARE(
            inviteLink(QUrl(QStringLiteral("http://127.0.0.1:8787")), QStringLiteral("AB/C?D")),
            QStringLiteral("http://127.0.0.1:8787/c/AB%2FC%3FD"));
    }

    void links_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("code"); // empty: nothing opens

        QTest::newRow("upper case") << "quenby://join/K3X9QZ"
                                    << "K3X9QZ";
        QTest::newRow("lower-case code") << "quenby://join/k3x9qz"
                                         << "K3X9QZ";
        QTest::newRow("mixed case, encoded") << "quenby://join/k3%78%39qZ"
                                             << "K3X9QZ";
        QTest::newRow("trailing slash") << "quenby://join/K3X9QZ/"
                                        << "K3X9QZ";
        QTest::newRow("last of several") << "quenby://join/crew/K3X9QZ"
                                         << "K3X9QZ";
        QTest::newRow("with query and fragment") << "quenby://join/K3X9QZ?from=mail#x"
                                                 << "K3X9QZ";
        QTest::newRow("no path") << "quenby://join"
                                 << "";
        QTest::newRow("only a slash") << "quenby://join/"
                                      << "";
        QTest::newRow("5 characters") << "quenby://join/K3X9Q"
                                      << "";
        QTest::newRow("7 characters") << "quenby://join/K3X9QZA"
                                      << "";
        QTest::newRow("not letters or digits") << "quenby://join/K3X-QZ"
                                               << "";
        QTest::newRow("accented") << "quenby://join/K3X9QÉ"
                                  << "";
        QTest::newRow("code not last") << "quenby://join/K3X9QZ/more"
                                       << "";
        QTest::newRow("upper-case scheme") << "QUENBY://join/K3X9QZ"
                                           << "";
        QTest::newRow("upper-case host") << "quenby://JOIN/K3X9QZ"
                                         << "";
        QTest::newRow("other host") << "quenby://open/K3X9QZ"
                                    << "";
        QTest::newRow("host with port") << "quenby://join:1/K3X9QZ"
                                        << "K3X9QZ";
        QTest::newRow("other scheme") << "https://join/K3X9QZ"
                                      << "";
        QTest::newRow("no authority") << "quenby:join/K3X9QZ"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void links()
    {
        QFETCH(QString, link);
        QFETCH(QString, code);

        const auto found = codeFromLink(link);
        QCOMPARE(found.value_or(QString()), code);
        // Links have no once-only rule: the same link opens its invitation every time.
        QCOMPARE(codeFromLink(link), found);
    }

    void pasteboardTokens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");

        QTest::newRow("alone") << "QUENBY-JOIN:K3X9QZ"
                               << "K3X9QZ";
        QTest::newRow("in the middle of other text")
            << "Hey! Join us 👉 QUENBY-JOIN:K3X9QZ and beat Bob.\nSee you"
            << "K3X9QZ";
        QTest::newRow("glued to words") << "xxQUENBY-JOIN:AB12CDyy"
                                        << "AB12CD";
        QTest::newRow("first of two") << "QUENBY-JOIN:AAAAAA QUENBY-JOIN:BBBBBB"
                                      << "AAAAAA";
        QTest::newRow("invalid before valid") << "QUENBY-JOIN:abc QUENBY-JOIN:BBBBBB"
                                              << "BBBBBB";
        QTest::newRow("lower-case code") << "QUENBY-JOIN:k3x9qz"
                                         << "";
        QTest::newRow("lower-case token") << "quenby-join:K3X9QZ"
                                          << "";
        QTest::newRow("too short") << "QUENBY-JOIN:K3X9Q"
                                   << "";
        QTest::newRow("space after colon") << "QUENBY-JOIN: K3X9QZ"
                                           << "";
        QTest::newRow("just a link") << "https://crew.example.com/c/K3X9QZ (code K3X9QZ)"
                                     << "";
        QTest::newRow("empty") << ""
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
        const QString text = QStringLiteral("Race me: QUENBY-JOIN:K3X9QZ !");
        QString stored; // the settings value under inviteOfferedKey

        // First start: offered, and the caller stores the code.
        auto offer = pasteboardInviteToOffer(text, {}, stored);
        QCOMPARE(offer, std::optional<QString>(QStringLiteral("K3X9QZ")));
        stored = *offer;
        // Second start, same pasteboard: nothing.
        QCOMPARE(pasteboardInviteToOffer(text, {}, stored), std::nullopt);
        // A token with another code replaces it.
        offer = pasteboardInviteToOffer(QStringLiteral("QUENBY-JOIN:ZZZ111"), {}, stored);
        QCOMPARE(offer, std::optional<QString>(QStringLiteral("ZZZ111")));
        stored = *offer;
        QCOMPARE(pasteboardInviteToOffer(text, {}, stored), std::optional<QString>("K3X9QZ"));

        // Held crews, a full list, and an empty or tokenless pasteboard offer nothing.
        QCOMPARE(pasteboardInviteToOffer(text, crews({"K3X9QZ"}), {}), std::nullopt);
        QCOMPARE(pasteboardInviteToOffer(text, crews({"A", "B", "C", "D", "E"}), {}), std::nullopt);
        QCOMPARE(pasteboardInviteToOffer(text, crews({"A", "B", "C", "D"}), {}),
                 std::optional<QString>("K3X9QZ"));
        QCOMPARE(pasteboardInviteToOffer({}, {}, {}), std::nullopt);
        QCOMPARE(pasteboardInviteToOffer(QStringLiteral("quenby-join:K3X9QZ"), {}, {}),
                 std::nullopt);
        QCOMPARE(inviteOfferedKey, "quenby.mac.inviteoffered.v1");
    }

    void inviteWantedOnlyForNewCrewsWithRoom()
    {
        QVERIFY(inviteWanted({}, QStringLiteral("K3X9QZ")));
        QVERIFY(!inviteWanted(crews({"K3X9QZ"}), QStringLiteral("K3X9QZ")));
        QVERIFY(inviteWanted(crews({"k3x9qz"}), QStringLiteral("K3X9QZ"))); // exact comparison
        QVERIFY(inviteWanted(crews({"A", "B", "C", "D"}), QStringLiteral("K3X9QZ")));
        QVERIFY(!inviteWanted(crews({"A", "B", "C", "D", "E"}), QStringLiteral("K3X9QZ")));
    }
};

QTEST_GUILESS_MAIN(CrewInviteTest)
#include "tst_crewinvite.moc"
