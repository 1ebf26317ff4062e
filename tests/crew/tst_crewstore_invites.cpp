// Invitations through the store and the invitation window's model.

#include "CrewBaseUrl.h"
#include "CrewHttp.h"
#include "InviteView.h"
#include "StoreFixture.h"
#include "TestHttpServer.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {

QStringList requested(const QSignalSpy &spy)
{
    QStringList codes;
    for (const QList<QVariant> &call : spy)
        codes << call.first().toString();
    return codes;
}

} // namespace

class CrewStoreInvitesTest : public QObject {
    Q_OBJECT

    TestHttpServer server;

private slots:
    void initTestCase()
    {
        QVERIFY(server.listen());
        qputenv("QUENBY_CREW_URL", server.url().toEncoded());
        QVERIFY(CrewClient::baseURL());
    }

    void init() { server.reset(); }

    void cleanup()
    {
        QTRY_VERIFY(CrewClient::sharedNetwork().findChildren<QNetworkReply *>().isEmpty());
    }

    void pasteboardTokenOfferedOnceAcrossStarts()
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

        StoreFixture lower;
        lower.pasteboard.content = "QUENBY-JOIN:k3x9qz";
        lower.open().checkPasteboardForInvite();
        QVERIFY(!lower.store->hasPendingInvite());
        QVERIFY(!lower.settings.value(MacWorkStore::inviteOfferedKey));
    }

    void links()
    {
        StoreFixture f;
        f.settings.setValue(MacWorkStore::crewsKey,
                            CrewClient::encodeConfigs({{"HELD01", "m", "Ann", "Crew"}}));
        MacWorkStore &s = f.open();
        QSignalSpy windows(&s, &MacWorkStore::inviteWindowRequested);
        // The parsing itself is CrewInvite's; here: each link offers again, a held crew never.
        s.openInviteLinks({"quenby://join/k3x9qz", "quenby://join/K3X9Q", "quenby://join/HELD01"});
        s.openInviteLinks({"quenby://join/k3x9qz"});
        QCOMPARE(requested(windows), QStringList({"K3X9QZ", "K3X9QZ"}));
        QVERIFY(s.hasPendingInvite());
        QVERIFY(!f.settings.value(MacWorkStore::inviteOfferedKey));
    }

    void copyInvite()
    {
        StoreFixture f;
        f.pasteboard.content = "something else";
        f.open().copyInvite("K3X9QZ");
        QCOMPARE(f.pasteboard.operations, QStringList({"clear", "set"}));
        QCOMPARE(f.pasteboard.content, "Join my Tockly crew — let's see who works hardest: " +
                                           server.url("/c/K3X9QZ").toString() + " (code K3X9QZ)");
    }

    void inviteViewJoins()
    {
        StoreFixture f;
        f.settings.setValue(MacWorkStore::crewsKey,
                            CrewClient::encodeConfigs({{"HELD01", "m", "Ann", "Crew"}}));
        MacWorkStore &s = f.open();

        InviteView blank(s, "K3X9QZ");
        blank.setNickname(" \t ");
        QVERIFY(!blank.canJoin());
        blank.join();
        QVERIFY(!blank.busy());

        // Joins with the trimmed nickname, once however often the button is pressed.
        TestHttpServer::Reply joinReply =
            TestHttpServer::json(200, R"({"code":"K3X9QZ","memberId":"m-1","crewName":"Owls"})");
        joinReply.delayMs = 100;
        server.enqueue(joinReply);
        server.setFallback(TestHttpServer::json(200, R"({"ok":true})"));
        InviteView view(s, "k3x9qz");
        QSignalSpy canJoin(&view, &InviteView::canJoinChanged);
        view.setNickname("  Ann\t");
        QCOMPARE(view.trimmedNickname(), "Ann");
        view.join();
        view.join();
        QVERIFY(view.busy());
        QVERIFY(!view.canJoin());
        QTRY_VERIFY(view.joined());
        QVERIFY(!view.busy());
        QCOMPARE(canJoin.size(), 3);
        QCOMPARE(server.requests().first().body, R"({"code":"K3X9QZ","nickname":"Ann"})");
        QCOMPARE(server.requests().first().target, "/api/join");
        QCOMPARE(s.crewConfigs().last().code, "K3X9QZ");
        QCOMPARE(qsizetype(std::count_if(server.requests().begin(), server.requests().end(),
                                         [](const auto &r) { return r.target == "/api/join"; })),
                 1);

        // A refused join keeps the window in its first state, with the store's error to show.
        server.reset();
        server.enqueue(TestHttpServer::json(404, ""));
        InviteView unknown(s, "ZZZ999");
        unknown.setNickname("Ann");
        unknown.join();
        QTRY_VERIFY(!unknown.busy());
        QVERIFY(!unknown.joined());
        QVERIFY(unknown.canJoin());
        QCOMPARE(s.crewError(), "That crew code doesn't exist.");

        // A crew held meanwhile: the store refuses without a request, the window counts it joined.
        server.reset();
        InviteView held(s, "HELD01");
        held.setNickname("Ann");
        held.join();
        QTRY_VERIFY(held.joined());
        QCOMPARE(s.crewError(), "You're already in that crew.");
        QVERIFY(server.requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(CrewStoreInvitesTest)
#include "tst_crewstore_invites.moc"
