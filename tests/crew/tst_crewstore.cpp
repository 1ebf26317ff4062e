// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The store's crews and invitations: with the crew service scripted by the fake connection
// where the order and timing of replies matter, and end to end, two stores racing in one crew on
// a real tockly-crewd over the HTTP client.

#include "CrewBaseUrl.h"
#include "CrewClient.h"
#include "CrewHttp.h"
#include "CrewTestSupport.h"
#include "CrewdProcess.h"
#include "InviteView.h"
#include "StoreFixture.h"

#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

using CrewClient::Config;
using Answer = FakeCrewConnection::Answer;

namespace {

const QString notFound = QStringLiteral("That crew code doesn't exist.");

Answer failing(const QString &text, int delayMs = 0)
{
    return {.failure = CrewClient::CrewFailure(CrewClient::CrewError::server(text)),
            .delayMs = delayMs};
}

// A leaderboard as "nickname seconds" rows.
QStringList rows(const MacWorkStore &store, const QString &code)
{
    QStringList out;
    for (const auto &s : store.crews()->standingsByCode().value(code))
        out << QStringLiteral("%1 %2").arg(s.nickname).arg(s.todaySeconds);
    return out;
}

QStringList codes(const QList<Config> &configs)
{
    QStringList out;
    for (const Config &c : configs)
        out << c.code;
    return out;
}

QList<Config> stored(const StoreFixture &f)
{
    return CrewClient::decodeConfigs(f.settings.dataValue(MacWorkStore::crewsKey).value_or(""))
        .value_or(QList<Config>{{"unreadable", "", "", ""}});
}

MacWorkStore &withCrews(StoreFixture &f, const QStringList &held)
{
    QList<Config> configs;
    for (const QString &code : held)
        configs.append({code, "m-" + code, "Ann", "Crew " + code});
    f.settings.setValue(MacWorkStore::crewsKey, CrewClient::encodeConfigs(configs));
    return f.open();
}

QStringList requested(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &call : spy)
        out << call.first().toString();
    return out;
}

// A board row for what the store reports today.
QString todayRow(const char *nickname, MacWorkStore &store)
{
    const Instant now = store.clock().now();
    return QStringLiteral("%1 %2").arg(nickname).arg(
        store.reportDays(now).value(store.calendar().dayKey(now)));
}

} // namespace

class CrewStoreTest : public QObject {
    Q_OBJECT

    CrewdProcess server;

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), server.errorOutput().constData());
        qputenv("QUENBY_CREW_URL",
                QByteArray("http://127.0.0.1:") + QByteArray::number(server.port()));
        QVERIFY(CrewClient::baseURL());
    }

    void joinAndCreateRules()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC", "DDDDDD"});
        Crews &crews = *s.crews();
        QVERIFY(awaitTask(crews.joinCrew("aaaaaa", "Ann")));
        QCOMPARE(crews.crewError(), "You're already in that crew.");
        QVERIFY(f.crew.calls.isEmpty()); // refused here without asking the service

        // The new crew comes last, is stored, and every crew is reported to and fetched.
        const QStringList five{"AAAAAA", "BBBBBB", "CCCCCC", "DDDDDD", "EEEEEE"};
        QVERIFY(awaitTask(crews.joinCrew("eeeeee", "Ann")));
        QCOMPARE(crews.crewError(), "");
        QCOMPARE(codes(crews.crewConfigs()), five);
        QCOMPARE(stored(f), crews.crewConfigs());
        QTRY_COMPARE(f.crew.calls.filter("report ").size(), 5);
        QCOMPARE(f.crew.calls.filter("fetch ").size(), 5);
        QVERIFY(crews.standingsByCode().contains("EEEEEE"));

        // Five at most, joined or created: refused here too.
        f.crew.calls.clear();
        QVERIFY(awaitTask(crews.joinCrew("ZZZZZZ", "Ann")));
        QCOMPARE(crews.crewError(), "You can be in up to 5 crews.");
        QVERIFY(awaitTask(crews.createCrew("Ann's Crew", "Ann")));
        QCOMPARE(crews.crewError(), "You can be in up to 5 crews.");
        QVERIFY(f.crew.calls.isEmpty());
        QCOMPARE(codes(crews.crewConfigs()), five);
    }

    // The service's refusals in the user's language: the app's own words for the codes it knows
    // (in English the service's, word for word), the service's words for any other.
    void refusalsInTheUsersLanguage()
    {
        const auto created = awaitTask(CrewClient::createCrew("Owls", "Ann"));
        QVERIFY(created && *created);
        const QString code = (*created)->code;
        const auto refusal = [&](const QString &nickname) {
            const auto joined = awaitTask(CrewClient::joinCrew(code, nickname));
            return joined && !*joined ? joined->failure().description : QString("no refusal");
        };
        QCOMPARE(refusal("ann"),
                 "Someone in this crew already has that nickname. Please pick another one.");
        QCOMPARE(refusal(QString(33, 'x')), "A nickname can be at most 32 characters.");

        QTranslator german;
        QVERIFY(german.load(TOCKLY_QM_DIR "/tockly_de.qm"));
        QCoreApplication::installTranslator(&german);
        QCOMPARE(refusal("ann"),
                 "Jemand in dieser Crew hat schon diesen Spitznamen. Bitte wähl einen anderen.");
        QCOMPARE(refusal(QString(33, 'x')), "Ein Spitzname darf höchstens 32 Zeichen lang sein.");
        QCOMPARE(refusal(" "), "Bitte wähl einen Spitznamen.");
        // A code this app does not know, or none from an older service: the service's words.
        using CrewClient::CrewError;
        QCOMPARE(CrewError::server("Neue Regel.", "some-new-rule").description(), "Neue Regel.");
        QCOMPARE(CrewError::server("Alte Regel.").description(), "Alte Regel.");
        QCoreApplication::removeTranslator(&german);
    }

    void refreshOfThreeCrews()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC"});
        Crews &crews = *s.crews();
        f.crew.answers["fetch AAAAAA"] = {
            Answer{.owner = "Ann", .board = {{"Ann", 90}, {"Bob", 50}}},
            Answer{.crewName = "Owls", .board = {{"Ann", 95}}}};
        f.crew.answers["fetch BBBBBB"] = {Answer{.owner = "Bob", .board = {{"Bob", 70}}},
                                          failing(notFound)};
        f.crew.answers["fetch CCCCCC"] = {Answer{.owner = "Ann", .board = {{"Ann", 10}}},
                                          failing("Oops.")};
        QVERIFY(awaitTask(crews.joinCrew("AAAAAA", "Ann"))); // an error for the refresh to clear
        QVERIFY(!crews.crewError().isEmpty());

        QVERIFY(awaitTask(crews.refreshCrews()));
        QCOMPARE(crews.crewError(), "");
        QCOMPARE(rows(s, "AAAAAA"), QStringList({"Ann 90", "Bob 50"}));
        QCOMPARE(crews.ownedCrewCodes(), QStringList({"AAAAAA", "CCCCCC"}));

        // The first failure is shown; the first crew is renamed, stored, and no longer owned.
        // The failed crews keep what they had.
        QVERIFY(awaitTask(crews.refreshCrews()));
        QCOMPARE(crews.crewError(), notFound);
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 95"});
        QCOMPARE(crews.crewConfigs().first().crewName, "Owls");
        QCOMPARE(stored(f), crews.crewConfigs());
        QCOMPARE(rows(s, "BBBBBB"), QStringList{"Bob 70"});
        QCOMPARE(rows(s, "CCCCCC"), QStringList{"Ann 10"});
        QCOMPARE(crews.ownedCrewCodes(), QStringList{"CCCCCC"});
        QCOMPARE(codes(crews.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
    }

    void reportDaysAroundMidnight()
    {
        const QTimeZone berlin("Europe/Berlin");
        StoreFixture f(localInstant(berlin, "2026-03-10 23:50"));
        const QList<WorkEntry> entries{
            {QUuid::createUuid(), localInstant(berlin, "2026-03-04 09:00"), 3600,
             WorkEntry::Kind::timed},
            {QUuid::createUuid(), localInstant(berlin, "2026-03-03 09:00"), 7200,
             WorkEntry::Kind::timed}};
        f.writeData("entries.json", encodeEntries(entries, JsonStyle::compact));
        MacWorkStore &s = f.open();
        Crews &crews = *s.crews();
        f.type(900); // 23:50:04 to 00:05:00, still typing
        QVERIFY(s.isTracking());
        QVERIFY(f.crew.calls.isEmpty()); // no crews, no reports

        crews.setCrewConfigs({{"AAAAAA", "m-A", "Ann", "Crew"}});
        s.reportNow();
        QCOMPARE(f.crew.calls, QStringList{"report AAAAAA"});
        const QHash<QString, double> expected{
            {"2026-03-11", 300}, {"2026-03-10", 596}, {"2026-03-09", 0}, {"2026-03-08", 0},
            {"2026-03-07", 0},   {"2026-03-06", 0},   {"2026-03-05", 0}, {"2026-03-04", 3600}};
        QCOMPARE(f.crew.reports.first(), expected);
        QCOMPARE(s.lastReport(), f.clock.now());
    }

    void reportsAtTheTicksPace()
    {
        StoreFixture f;
        f.crew.answers["report BBBBBB"] = {failing("Down.")};
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC"});
        Crews &crews = *s.crews();
        f.advance(3600); // idle: no report, however long
        QCOMPARE(s.lastReport(), MacWorkStore::distantPast);

        f.type(5); // the first counting tick reports to every crew in order
        const Instant first = f.clock.now();
        QCOMPARE(s.lastReport(), first);
        QTRY_COMPARE(f.crew.calls,
                     QStringList({"report AAAAAA", "report BBBBBB", "report CCCCCC"}));
        QCOMPARE(crews.crewError(), ""); // reports fail quietly
        f.type(300);                     // the last tick exactly 300 s after the report
        QCOMPARE(s.lastReport(), first);
        f.type(5);
        QCOMPARE(s.lastReport(), first + 305);
        QTRY_COMPARE(f.crew.calls.size(), 6);
    }

    void overlappingOperations()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA"});
        Crews &crews = *s.crews();

        // Two refreshes: each writes the board when its reply comes; the later reply wins.
        f.crew.answers["fetch AAAAAA"] = {Answer{.board = {{"Ann", 1}}, .delayMs = 200},
                                          Answer{.board = {{"Ann", 2}}}};
        auto first = crews.refreshCrews();
        QVERIFY(awaitTask(crews.refreshCrews()));
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 2"});
        QVERIFY(awaitTask(std::move(first)));
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 1"});

        // A report started during a join goes to the crews held when it started.
        f.crew.calls.clear();
        f.crew.answers["join BBBBBB"] = {Answer{.delayMs = 200}};
        auto joining = crews.joinCrew("BBBBBB", "Ann");
        s.reportNow();
        QVERIFY(awaitTask(std::move(joining)));
        QTRY_COMPARE(f.crew.calls.filter("report "),
                     QStringList({"report AAAAAA", "report AAAAAA", "report BBBBBB"}));

        // Two joins of one crew: the membership that comes second is handed back.
        f.crew.answers["join CCCCCC"] = {Answer{.delayMs = 100}, Answer{}};
        auto firstJoin = crews.joinCrew("CCCCCC", "Ann");
        QVERIFY(awaitTask(crews.joinCrew("cccccc", "Ann")));
        QVERIFY(awaitTask(std::move(firstJoin)));
        QCOMPARE(codes(crews.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
        QCOMPARE(stored(f), crews.crewConfigs());
        const QStringList leaves = f.crew.calls.filter("leave ");
        QCOMPARE(leaves.size(), 1);
        QVERIFY(leaves.first().startsWith("leave CCCCCC "));
        QVERIFY(!leaves.first().endsWith(crews.crewConfigs().last().memberId));

        // A crew left while its fetch runs stays gone, with its board and ownership.
        f.crew.answers["fetch BBBBBB"] = {Answer{.owner = "Ann", .delayMs = 200}};
        auto refreshing = crews.refreshCrews();
        crews.leaveCrew("BBBBBB");
        QCOMPARE(f.crew.calls.filter("leave BBBBBB ").size(), 1);
        QVERIFY(awaitTask(std::move(refreshing)));
        QCOMPARE(codes(crews.crewConfigs()), QStringList({"AAAAAA", "CCCCCC"}));
        QCOMPARE(stored(f), crews.crewConfigs());
        QVERIFY(!crews.standingsByCode().contains("BBBBBB"));
        QVERIFY(crews.ownedCrewCodes().isEmpty());

        // A refused removal shows the service's words, unless it answers after the crew was left.
        f.crew.answers["kick AAAAAA"] = {failing("Only the owner."),
                                         failing("Only the owner.", 200)};
        QVERIFY(awaitTask(crews.removeMember("AAAAAA", "Bob")));
        QCOMPARE(crews.crewError(), "Only the owner.");
        auto removing = crews.removeMember("AAAAAA", "Bob");
        crews.leaveCrew("AAAAAA");
        QVERIFY(awaitTask(std::move(removing)));
        QCOMPARE(crews.crewError(), "");

        // The store may go while its tasks wait.
        f.crew.answers["join DDDDDD"] = {Answer{.delayMs = 100}};
        f.crew.answers["fetch CCCCCC"] = {Answer{.delayMs = 100}};
        auto join = crews.joinCrew("DDDDDD", "Ann");
        auto refresh = crews.refreshCrews();
        f.store.reset();
        QVERIFY(awaitTask(std::move(join)));
        QVERIFY(awaitTask(std::move(refresh)));
    }

    // What the app shows of invitations is in tst_ui; here what only the store decides.
    void invitations()
    {
        // The pasteboard's code is offered at one start, not again at the next.
        StoreFixture f;
        f.pasteboard.content = "Beat me today 👉 QUENBY-JOIN:K3X9QZ (the code is in caps)";
        MacWorkStore &first = f.open();
        QSignalSpy windows(first.crews(), &Crews::inviteWindowRequested);
        first.crews()->checkPasteboardForInvite();
        QTRY_COMPARE(requested(windows), QStringList{"K3X9QZ"});
        MacWorkStore &second = f.open();
        QSignalSpy again(second.crews(), &Crews::inviteWindowRequested);
        second.crews()->checkPasteboardForInvite();
        QTest::qWait(20);
        QVERIFY(!second.crews()->hasPendingInvite() && again.isEmpty());

        // Each link offers again, a held crew never.
        StoreFixture g;
        g.crew.answers["join K3X9QZ"] = {Answer{.delayMs = 100}};
        MacWorkStore &s = withCrews(g, {"HELD01"});
        Crews &crews = *s.crews();
        QSignalSpy linked(&crews, &Crews::inviteWindowRequested);
        crews.openInviteLinks({"quenby://join/k3x9qz", "quenby://join/HELD01"});
        crews.openInviteLinks({"quenby://join/k3x9qz"});
        QCOMPARE(requested(linked), QStringList({"K3X9QZ", "K3X9QZ"}));

        // The window joins once however often it is pressed; a crew held meanwhile counts as
        // joined, refused without a request.
        InviteView view(crews, "k3x9qz");
        view.setNickname("  Ann\t");
        view.join();
        view.join();
        QTRY_VERIFY(view.joined());
        InviteView held(crews, "HELD01");
        held.setNickname("Ann");
        held.join();
        QTRY_VERIFY(held.joined());
        QCOMPARE(g.crew.calls.filter("join "), QStringList{"join K3X9QZ Ann"});
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
        Crews &annCrews = *ann.crews(), &bobCrews = *bob.crews();
        // Bob works longer today. Creating and joining report what each has so far.
        annSide.type(300);
        bobSide.type(900);

        QVERIFY(awaitTask(annCrews.createCrew("Ann's Crew", "Ann")));
        QCOMPARE(annCrews.crewError(), "");
        const QString code = annCrews.crewConfig()->code;
        QCOMPARE(annCrews.ownedCrewCodes(), QStringList{code});
        // Refusals reach the store in the service's own words.
        QVERIFY(awaitTask(bobCrews.joinCrew("QQQQQ0", "Bob")));
        QCOMPARE(bobCrews.crewError(), notFound);
        QVERIFY(awaitTask(bobCrews.joinCrew(code, "ann")));
        QVERIFY(bobCrews.crewError().contains("nickname"));
        QVERIFY(awaitTask(bobCrews.joinCrew(code.toLower(), "Bob")));
        QCOMPARE(bobCrews.crewError(), "");
        QCOMPARE(bobCrews.crewConfigs().first().crewName, "Ann's Crew");
        QVERIFY(bobCrews.ownedCrewCodes().isEmpty());

        // Reports go out in the background: the board shows them after a refresh or a few.
        const auto board = [&] {
            awaitTask(annCrews.refreshCrews());
            return rows(ann, code);
        };
        QTRY_COMPARE(board(), QStringList({todayRow("Bob", bob), todayRow("Ann", ann)}));
        QCOMPARE(annCrews.standingsByCode().value(code).first().id, 0);

        // Only the owner removes members; the removed member is off the board at once, and
        // keeps his membership here until he leaves it.
        QVERIFY(awaitTask(bobCrews.removeMember(code, "Ann")));
        QCOMPARE(bobCrews.crewError(), "Only the crew's owner can remove members.");
        QVERIFY(awaitTask(annCrews.removeMember(code, "Bob")));
        QCOMPARE(annCrews.crewError(), "");
        QCOMPARE(rows(ann, code), QStringList{todayRow("Ann", ann)});
        QCOMPARE(bobCrews.crewConfigs().size(), 1);
        bobCrews.leaveCrew(code);
        QVERIFY(bobCrews.crewConfigs().isEmpty());
        QTRY_VERIFY(CrewClient::sharedNetwork().findChildren<QNetworkReply *>().isEmpty());
    }
};

QTEST_GUILESS_MAIN(CrewStoreTest)
#include "tst_crewstore.moc"
