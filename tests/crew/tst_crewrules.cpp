// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The crew rules that need no service: which origins may serve crews, invitation links and
// pasteboard codes, and the week's standings.

#include "Calendar.h"
#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewInvite.h"
#include "CrewStandings.h"
#include "CrewTestSupport.h"

#include <QTest>

using namespace CrewClient;
using namespace CrewInvite;

static Instant at(const QByteArray &zone, QDate date, QTime time)
{
    return instantFromDateTime(QDateTime(date, time, QTimeZone(zone)));
}

class CrewRulesTest : public QObject {
    Q_OBJECT

private slots:
    // This process runs with a refused origin: crews must be unavailable in it.
    void initTestCase() { qputenv("QUENBY_CREW_URL", "http://crew.example.com"); }

    void origins()
    {
        // The origin a text gives; empty: refused.
        const QList<QPair<QString, QString>> rows{
            {"HTTPS://Crew.Example.com:8443/", "https://crew.example.com:8443"},
            {"http://127.3.4.5:8787", "http://127.3.4.5:8787"},
            {"http://[::1]:8787", "http://[::1]:8787"},
            {"http://0.0.0.0:8787", ""},
            {"https://crew.example.com/api", ""},
            {"https://me:pw@crew.example.com", ""},
            {"ht tp://%%", ""}};
        for (const auto &[text, origin] : rows) {
            const BaseUrl base = checkBaseUrl(text, "test");
            QCOMPARE(base.url.value_or(QUrl()).toString(), origin);
            QVERIFY2(origin.isEmpty() == (base.problem.startsWith("Crews are unavailable") &&
                                          base.problem.contains(text)),
                     qPrintable(text));
        }

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

        // Redirects never leave https, nor go to anything but http(s).
        const QUrl https("https://crew.example.com"), loopback("http://127.0.0.1:8787");
        QVERIFY(redirectAllowed(https, QUrl("https://other.example.com/x")));
        QVERIFY(!redirectAllowed(https, QUrl("http://crew.example.com/x")));
        QVERIFY(redirectAllowed(loopback, QUrl("https://crew.example.com/x")));
        QVERIFY(!redirectAllowed(loopback, QUrl("file:///etc/passwd")));
    }

    void invitations()
    {
        QCOMPARE(inviteText(QUrl("https://crew.example.com"), "K3X9QZ"),
                 "Join my Tockly crew — let's see who works hardest: "
                 "https://crew.example.com/c/K3X9QZ (code K3X9QZ)");
        QCOMPARE(inviteLink(QUrl("http://127.0.0.1:8787"), "AB/C?D"),
                 "http://127.0.0.1:8787/c/AB%2FC%3FD");

        // The code a link or a pasteboard gives; empty: none.
        const QList<QPair<QString, QString>> links{{"quenby://join/k3x9qz", "K3X9QZ"},
                                                   {"quenby://join/crew/K3X9QZ", "K3X9QZ"},
                                                   {"quenby://join", ""},
                                                   {"quenby://join/K3X9Q", ""},
                                                   {"quenby://join/K3X-QZ", ""},
                                                   {"QUENBY://join/K3X9QZ", ""},
                                                   {"https://join/K3X9QZ", ""}};
        for (const auto &[link, code] : links)
            QCOMPARE(codeFromLink(link).value_or(QString()), code);
        const QList<QPair<QString, QString>> pasteboards{
            {"Hey! Join us 👉 QUENBY-JOIN:K3X9QZ and beat Bob.\nSee you", "K3X9QZ"},
            {"QUENBY-JOIN:abc QUENBY-JOIN:BBBBBB", "BBBBBB"},
            {"QUENBY-JOIN:k3x9qz", ""},
            {"https://x/c/K3X9QZ (code K3X9QZ)", ""}};
        for (const auto &[text, code] : pasteboards)
            QCOMPARE(codeFromPasteboard(text).value_or(QString()), code);
    }

    void pasteboardOfferedOnceAcrossStarts()
    {
        const QString text = "Race me: QUENBY-JOIN:K3X9QZ !";
        QString stored; // the settings value of the last offer, kept across starts
        const auto start = [&](const QString &pasteboard, const QStringList &held = {}) {
            QList<Config> configs;
            for (const QString &code : held)
                configs.append({code, "m", "Ann", "Crew"});
            const auto offer = pasteboardInviteToOffer(pasteboard, configs, stored);
            stored = offer.value_or(stored);
            return offer.value_or(QString());
        };
        QCOMPARE(start(text), "K3X9QZ");
        QCOMPARE(start(text), "");
        QCOMPARE(start("QUENBY-JOIN:ZZZ111"), "ZZZ111"); // another code replaces it
        QCOMPARE(start(text), "K3X9QZ");

        stored.clear();
        QCOMPARE(start(text, {"K3X9QZ"}), "");                // already held
        QCOMPARE(start(text, {"A", "B", "C", "D", "E"}), ""); // no room
        QCOMPARE(stored, "");
        QCOMPARE(start(text, {"k3x9qz", "B", "C", "D"}), "K3X9QZ"); // exact comparison
    }

    void weekRunsMondayToSunday()
    {
        const QByteArray berlin = "Europe/Berlin", saoPaulo = "America/Sao_Paulo",
                         apia = "Pacific/Apia";
        const QList<std::tuple<QByteArray, Instant, QDate>> rows{
            {berlin, at(berlin, {2024, 3, 10}, {23, 59, 59}), {2024, 3, 4}},
            {berlin, at("UTC", {2024, 3, 10}, {23, 30}), {2024, 3, 11}},      // Monday here already
            {saoPaulo, at(saoPaulo, {2018, 11, 4}, {12, 0}), {2018, 10, 29}}, // DST at midnight
            {apia, at(apia, {2011, 12, 31}, {12, 0}), {2011, 12, 26}}};       // skipped a Friday
        for (const auto &[zone, now, monday] : rows) {
            QStringList expected;
            for (int i = 0; i < 7; ++i)
                expected.append(dayKeyOfDate(monday.addDays(i)));
            QCOMPARE(weekKeys(now, QTimeZone(zone)), expected);
        }
    }

    void leaderboard()
    {
        // Wednesday 2024-03-06 in Berlin; the week began on Monday the 4th.
        const Instant now = at("Europe/Berlin", {2024, 3, 6}, {12, 0});
        const QList<CrewResponse::MemberPayload> members{
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

QTEST_GUILESS_MAIN(CrewRulesTest)
#include "tst_crewrules.moc"
