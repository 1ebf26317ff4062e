// The store's crews and invitations, with the crew service scripted by the fake connection.

#include "CrewBaseUrl.h"
#include "CrewTestSupport.h"
#include "InviteView.h"
#include "StoreFixture.h"

#include <QSignalSpy>
#include <QTest>

using CrewClient::Config;
using Answer = FakeCrewConnection::Answer;

namespace {

const QString notFound = QStringLiteral("That crew code doesn't exist.");

Answer failing(const QString &text, int delayMs = 0)
{
    Answer a;
    a.failure = CrewClient::CrewFailure(CrewClient::CrewError::server(text));
    a.delayMs = delayMs;
    return a;
}

Answer board(const QString &owner, const QList<QPair<QString, double>> &rows,
             const QString &name = {}, int delayMs = 0)
{
    Answer a;
    a.owner = owner;
    a.board = rows;
    a.crewName = name;
    a.delayMs = delayMs;
    return a;
}

Answer delayed(int delayMs)
{
    Answer a;
    a.delayMs = delayMs;
    return a;
}

// A leaderboard as "nickname seconds" rows.
QStringList rows(const MacWorkStore &store, const QString &code)
{
    QStringList out;
    for (const auto &s : store.standingsByCode().value(code))
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

} // namespace

class CrewStoreTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("QUENBY_CREW_URL", "http://127.0.0.1:8787");
        QVERIFY(CrewClient::baseURL());
    }

    void joinAndCreateRules_data()
    {
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QString>("op"); // "join CODE" or "create"
        QTest::addColumn<QString>("error");
        QTest::addColumn<QStringList>("after");

        const QStringList five{"AAAAAA", "BBBBBB", "CCCCCC", "DDDDDD", "EEEEEE"};
        const QString already = "You're already in that crew.";
        const QString full = "You can be in up to 5 crews.";
        const QStringList one{"AAAAAA"};
        QTest::newRow("held, in lower case") << one << "join aaaaaa" << already << one;
        QTest::newRow("five, another") << five << "join ZZZZZZ" << full << five;
        QTest::newRow("five, create") << five << "create" << full << five;
        QTest::newRow("four, join") << five.mid(0, 4) << "join eeeeee"
                                    << "" << five;
    }

    void joinAndCreateRules()
    {
        QFETCH(QStringList, held);
        QFETCH(QString, op);
        QFETCH(QString, error);
        QFETCH(QStringList, after);
        StoreFixture f;
        Answer created;
        created.code = "EEEEEE";
        f.crew.answers["create"] = {created};
        MacWorkStore &s = withCrews(f, held);

        if (op == "create")
            QVERIFY(awaitTask(s.createCrew("Ann's Crew", "Ann")));
        else
            QVERIFY(awaitTask(s.joinCrew(op.mid(5), "Ann")));

        QCOMPARE(s.crewError(), error);
        QCOMPARE(codes(s.crewConfigs()), after);
        QCOMPARE(stored(f), s.crewConfigs());
        // Refused here without asking the service.
        QCOMPARE(f.crew.calls.isEmpty(), !error.isEmpty());
        if (!error.isEmpty())
            return;
        // The new crew comes last, and every crew is reported to and fetched.
        QCOMPARE(s.crewConfigs().last().nickname, "Ann");
        QTRY_COMPARE(f.crew.calls.filter("report ").size(), 5);
        QCOMPARE(f.crew.calls.filter("fetch ").size(), 5);
        QVERIFY(s.standingsByCode().contains("EEEEEE"));
    }

    void refreshOfThreeCrews()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB", "CCCCCC"});
        f.crew.answers["fetch AAAAAA"] = {board("Ann", {{"Ann", 90}, {"Bob", 50}}),
                                          board("", {{"Ann", 95}}, "Owls")};
        f.crew.answers["fetch BBBBBB"] = {board("Bob", {{"Bob", 70}}), failing(notFound)};
        f.crew.answers["fetch CCCCCC"] = {board("Ann", {{"Ann", 10}}), failing("Oops.")};
        QVERIFY(awaitTask(s.joinCrew("AAAAAA", "Ann"))); // an error for the refresh to clear
        QVERIFY(!s.crewError().isEmpty());

        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(s.crewError(), "");
        QCOMPARE(rows(s, "AAAAAA"), QStringList({"Ann 90", "Bob 50"}));
        QCOMPARE(s.ownedCrewCodes(), QStringList({"AAAAAA", "CCCCCC"}));

        // The first failure is shown; the first crew is renamed, stored, and no longer owned.
        QSignalSpy configsChanged(&s, &MacWorkStore::crewConfigsChanged);
        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(s.crewError(), notFound);
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 95"});
        QCOMPARE(s.crewConfigs().first().crewName, "Owls");
        QCOMPARE(configsChanged.size(), 1);
        QCOMPARE(stored(f), s.crewConfigs());
        // The failed crews keep what they had.
        QCOMPARE(rows(s, "BBBBBB"), QStringList{"Bob 70"});
        QCOMPARE(rows(s, "CCCCCC"), QStringList{"Ann 10"});
        QCOMPARE(s.ownedCrewCodes(), QStringList{"CCCCCC"});
        QCOMPARE(codes(s.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
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
        f.type(900); // 23:50:04 to 00:05:00, still typing
        QVERIFY(s.isTracking());
        QVERIFY(f.crew.calls.isEmpty()); // no crews, no reports

        s.setCrewConfigs({{"AAAAAA", "m-A", "Ann", "Crew"}});
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
        f.advance(3600); // idle: no report, however long
        QCOMPARE(s.lastReport(), MacWorkStore::distantPast);

        f.type(5); // the first counting tick reports to every crew in order
        const Instant first = f.clock.now();
        QCOMPARE(s.lastReport(), first);
        QTRY_COMPARE(f.crew.calls,
                     QStringList({"report AAAAAA", "report BBBBBB", "report CCCCCC"}));
        QCOMPARE(s.crewError(), ""); // reports fail quietly
        f.type(300);                 // the last tick exactly 300 s after the report
        QCOMPARE(s.lastReport(), first);
        f.type(5);
        QCOMPARE(s.lastReport(), first + 305);
        QTRY_COMPARE(f.crew.calls.size(), 6);
    }

    void overlappingOperations()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA"});

        // Two refreshes: each writes the board when its reply comes; the later reply wins.
        f.crew.answers["fetch AAAAAA"] = {board("", {{"Ann", 1}}, {}, 200),
                                          board("", {{"Ann", 2}})};
        auto first = s.refreshCrews();
        QVERIFY(awaitTask(s.refreshCrews()));
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 2"});
        QVERIFY(awaitTask(std::move(first)));
        QCOMPARE(rows(s, "AAAAAA"), QStringList{"Ann 1"});

        // A report started during a join goes to the crews held when it started.
        f.crew.calls.clear();
        f.crew.answers["join BBBBBB"] = {delayed(200)};
        auto joining = s.joinCrew("BBBBBB", "Ann");
        s.reportNow();
        QVERIFY(awaitTask(std::move(joining)));
        QTRY_COMPARE(f.crew.calls.filter("report "),
                     QStringList({"report AAAAAA", "report AAAAAA", "report BBBBBB"}));

        // Two joins of one crew: the membership that comes second is handed back.
        f.crew.answers["join CCCCCC"] = {delayed(100), delayed(0)};
        auto firstJoin = s.joinCrew("CCCCCC", "Ann");
        QVERIFY(awaitTask(s.joinCrew("cccccc", "Ann")));
        QVERIFY(awaitTask(std::move(firstJoin)));
        QCOMPARE(codes(s.crewConfigs()), QStringList({"AAAAAA", "BBBBBB", "CCCCCC"}));
        QCOMPARE(stored(f), s.crewConfigs());
        const QStringList leaves = f.crew.calls.filter("leave ");
        QCOMPARE(leaves.size(), 1);
        QVERIFY(leaves.first().startsWith("leave CCCCCC "));
        QVERIFY(!leaves.first().endsWith(s.crewConfigs().last().memberId));
    }

    void leavingWhileRequestsRun()
    {
        StoreFixture f;
        MacWorkStore &s = withCrews(f, {"AAAAAA", "BBBBBB"});
        f.crew.answers["fetch AAAAAA"] = {board("Ann", {{"Ann", 5}})};
        f.crew.answers["fetch BBBBBB"] = {board("Ann", {{"Ann", 5}}, "Renamed", 200)};
        auto refreshing = s.refreshCrews();
        QTRY_COMPARE(rows(s, "AAAAAA"), QStringList{"Ann 5"});
        s.leaveCrew("BBBBBB");
        QVERIFY(f.crew.calls.contains("leave BBBBBB m-BBBBBB"));
        QVERIFY(awaitTask(std::move(refreshing)));
        QCOMPARE(codes(s.crewConfigs()), QStringList{"AAAAAA"});
        QCOMPARE(stored(f), s.crewConfigs());
        QVERIFY(!s.standingsByCode().contains("BBBBBB"));
        QCOMPARE(s.ownedCrewCodes(), QStringList{"AAAAAA"});

        // A refused removal shows the service's words, unless it answers after the crew was left.
        f.crew.answers["kick AAAAAA"] = {failing("Only the owner."),
                                         failing("Only the owner.", 200)};
        QVERIFY(awaitTask(s.removeMember("AAAAAA", "Bob")));
        QCOMPARE(s.crewError(), "Only the owner.");
        auto removing = s.removeMember("AAAAAA", "Bob");
        s.leaveCrew("AAAAAA");
        QVERIFY(awaitTask(std::move(removing)));
        QCOMPARE(f.crew.calls.filter("kick ").size(), 2);
        QCOMPARE(s.crewError(), "");
        QVERIFY(s.crewConfigs().isEmpty());
        QVERIFY(s.standingsByCode().isEmpty());
        QVERIFY(s.ownedCrewCodes().isEmpty());

        // The store may go while its tasks wait.
        StoreFixture g;
        g.crew.answers["join CCCCCC"] = {delayed(100)};
        g.crew.answers["fetch AAAAAA"] = {delayed(100)};
        MacWorkStore &t = withCrews(g, {"AAAAAA"});
        auto join = t.joinCrew("CCCCCC", "Ann");
        auto refresh = t.refreshCrews();
        g.store.reset();
        QVERIFY(awaitTask(std::move(join)));
        QVERIFY(awaitTask(std::move(refresh)));
    }

    void pasteboardLinksAndCopy()
    {
        StoreFixture f;
        f.pasteboard.content = "Beat me today 👉 QUENBY-JOIN:K3X9QZ (the code is in caps)";
        MacWorkStore &first = f.open();
        QSignalSpy windows(&first, &MacWorkStore::inviteWindowRequested);
        first.checkPasteboardForInvite();
        // Pending at once, so that the start-up sequence skips the welcome; the window later.
        QVERIFY(first.hasPendingInvite());
        QCOMPARE(windows.size(), 0);
        QTRY_COMPARE(requested(windows), QStringList{"K3X9QZ"});
        QCOMPARE(f.settings.textValue(MacWorkStore::inviteOfferedKey), "K3X9QZ");

        MacWorkStore &second = f.open(); // the next start, same settings and pasteboard
        QSignalSpy again(&second, &MacWorkStore::inviteWindowRequested);
        second.checkPasteboardForInvite();
        QTest::qWait(20);
        QVERIFY(!second.hasPendingInvite());
        QCOMPARE(again.size(), 0);

        // Each link offers again, a held crew never; links leave the once-only key alone.
        StoreFixture g;
        MacWorkStore &s = withCrews(g, {"HELD01"});
        QSignalSpy linked(&s, &MacWorkStore::inviteWindowRequested);
        s.openInviteLinks({"quenby://join/k3x9qz", "quenby://join/K3X9Q", "quenby://join/HELD01"});
        s.openInviteLinks({"quenby://join/k3x9qz"});
        QCOMPARE(requested(linked), QStringList({"K3X9QZ", "K3X9QZ"}));
        QVERIFY(s.hasPendingInvite());
        QVERIFY(!g.settings.value(MacWorkStore::inviteOfferedKey));

        g.pasteboard.content = "something else";
        s.copyInvite("K3X9QZ");
        QCOMPARE(g.pasteboard.operations, QStringList({"clear", "set"}));
        QCOMPARE(g.pasteboard.content, "Join my Tockly crew — let's see who works hardest: "
                                       "http://127.0.0.1:8787/c/K3X9QZ (code K3X9QZ)");
    }

    void inviteViewJoins()
    {
        StoreFixture f;
        f.crew.answers["join K3X9QZ"] = {delayed(100)};
        f.crew.answers["join ZZZ999"] = {failing(notFound)};
        MacWorkStore &s = withCrews(f, {"HELD01"});

        InviteView blank(s, "K3X9QZ");
        blank.setNickname(" \t ");
        QVERIFY(!blank.canJoin());
        blank.join();
        QVERIFY(!blank.busy());

        // Joins with the trimmed nickname, once however often the button is pressed.
        InviteView view(s, "k3x9qz");
        view.setNickname("  Ann\t");
        view.join();
        view.join();
        QVERIFY(view.busy());
        QVERIFY(!view.canJoin());
        QTRY_VERIFY(view.joined());
        QVERIFY(!view.busy());
        QCOMPARE(f.crew.calls.filter("join "), QStringList{"join K3X9QZ Ann"});
        QCOMPARE(s.crewConfigs().last().code, "K3X9QZ");

        // A refused join keeps the window in its first state, with the store's error to show.
        InviteView unknown(s, "ZZZ999");
        unknown.setNickname("Ann");
        unknown.join();
        QTRY_VERIFY(!unknown.busy());
        QVERIFY(!unknown.joined());
        QVERIFY(unknown.canJoin());
        QCOMPARE(s.crewError(), notFound);

        // A crew held meanwhile: the store refuses without a request, the window counts it joined.
        f.crew.calls.clear();
        InviteView held(s, "HELD01");
        held.setNickname("Ann");
        held.join();
        QTRY_VERIFY(held.joined());
        QCOMPARE(s.crewError(), "You're already in that crew.");
        QVERIFY(f.crew.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CrewStoreTest)
#include "tst_crewstore.moc"
