// The shell: what opens at start and in which order, the single-instance windows, and the
// invitation window from offer to joined.
#include "InviteView.h"
#include "UiFixture.h"

#include <QGuiApplication>
#include <QRegularExpression>

namespace {

int windowsTitled(const QString &title)
{
    int n = 0;
    for (QWindow *w : QGuiApplication::topLevelWindows())
        if (w->title() == title && w->isVisible())
            ++n;
    return n;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void welcomeOnceThenTheExplainer()
    {
        UiFixture f;
        AppShell &shell = f.start();
        shell.startUp();
        QQuickView *welcome = shell.windows().welcomeWindow();
        QVERIFY(welcome && welcome->isVisible());
        QCOMPARE(f.settings.boolValue(AppShell::welcomedKey), std::optional(true));
        QVERIFY(!shell.windows().howItWorksWindow());

        // Return is "Let's go 🍀": the welcome closes and the explainer follows.
        QVERIFY(QTest::qWaitForWindowExposed(welcome));
        QTest::keyClick(welcome, Qt::Key_Return);
        QTRY_VERIFY(!shell.windows().welcomeWindow());
        QTRY_VERIFY(shell.windows().howItWorksWindow() &&
                    shell.windows().howItWorksWindow()->isVisible());

        // The next start offers nothing.
        f.start().startUp();
        QVERIFY(!f.shell->windows().welcomeWindow());
        QVERIFY(!f.shell->windows().howItWorksWindow());

        // Closing the welcome leads to the explainer too.
        f.settings.setValue(AppShell::welcomedKey, false);
        f.start().showWelcomeIfNeeded();
        f.shell->windows().welcomeWindow()->close();
        QTRY_VERIFY(f.shell->windows().howItWorksWindow());
    }

    void anInvitationAtFirstStartTakesThePlaceOfTheWelcome_data()
    {
        QTest::addColumn<QString>("pasteboard");
        QTest::addColumn<QStringList>("links");
        QTest::newRow("pasteboard") << "Join us! QUENBY-JOIN:LUCKY7 see you" << QStringList();
        QTest::newRow("link") << QString() << QStringList{"quenby://join/lucky7"};
    }
    void anInvitationAtFirstStartTakesThePlaceOfTheWelcome()
    {
        QFETCH(QString, pasteboard);
        QFETCH(QStringList, links);
        UiFixture f;
        f.pasteboard.content = pasteboard;
        AppShell &shell = f.start();
        shell.startUp(links);
        QTRY_VERIFY(shell.windows().inviteWindow());
        QVERIFY(!shell.windows().welcomeWindow());
        QVERIFY(!f.settings.boolValue(AppShell::welcomedKey));
        // A later start without an invitation offers the welcome.
        f.pasteboard.content.clear();
        f.start().startUp();
        QVERIFY(f.shell->windows().welcomeWindow());
    }

    // Where the clipboard is readable only while one of our windows has the keyboard focus
    // (Wayland without data-control), it is read when one first has it, and only then.
    void aPasteboardReadableOnlyWithFocusIsReadAtTheFirstFocus()
    {
        UiFixture f;
        f.pasteboard.content = QStringLiteral("Join us! QUENBY-JOIN:LUCKY7 see you");
        AppShell &shell = f.start();
        shell.startUp({}, true);
        QVERIFY(shell.windows().welcomeWindow());
        QVERIFY(!f.store->hasPendingInvite());
        QTRY_VERIFY(shell.windows().inviteWindow());
        QQuickView *invite = shell.windows().inviteWindow();
        QCOMPARE(f.settings.textValue(MacWorkStore::inviteOfferedKey),
                 std::optional(QStringLiteral("LUCKY7")));

        // Later focus reads nothing more.
        f.pasteboard.content = QStringLiteral("QUENBY-JOIN:OTHER1");
        shell.showHistory();
        QTRY_VERIFY(shell.windows().historyWindow()->isActive());
        QTest::qWait(50);
        QCOMPARE(shell.windows().inviteWindow(), invite);
    }

    // Every window: closable, never resizable (only the history minimises), single and kept
    // when closed, and none tells of a Mac, a menu bar, its ⌘ key or an updater that installs
    // by itself.
    void windows()
    {
        UiFixture f;
        f.worked(0, 600);
        DayActivity today;
        today.modifierTaps = 8;
        f.activity.insert(QStringLiteral("2026-03-10"), today);
        AppShell &shell = f.start();
        // The card first: it closes when another window takes the focus, as a panel does.
        QList<QQuickItem *> items{f.showCard()};
        shell.showWelcome();
        shell.showHowItWorks();
        shell.showHistory();
        shell.windows().showInviteWindow(QStringLiteral("LUCKY7"));
        for (QQuickView *window :
             {shell.windows().howItWorksWindow(), shell.windows().historyWindow(),
              shell.windows().welcomeWindow(), shell.windows().inviteWindow()}) {
            QVERIFY(window);
            QVERIFY(window->flags() & Qt::WindowCloseButtonHint);
            QCOMPARE(bool(window->flags() & Qt::WindowMinimizeButtonHint),
                     window == shell.windows().historyWindow());
            QCOMPARE(window->minimumSize(), window->maximumSize());
            items << window->rootObject();
        }
        QStringList texts;
        for (qsizetype i = 0; i < items.size(); ++i) {
            QVERIFY(items[i]);
            items += items[i]->childItems();
            for (const char *property : {"text", "toolTip"})
                texts << items[i]->property(property).toString();
        }
        // The modifier chip is among them, with a key a Linux keyboard has.
        QVERIFY(texts.contains(QStringLiteral("⇧")));
        const QRegularExpression untrue(
            QStringLiteral("\\bMac\\b|menu.bar|⌘|install themselves|updates itself"));
        for (const QString &text : texts)
            QVERIFY2(!untrue.match(text).hasMatch(), qPrintable(text));

        QQuickView *explainer = shell.windows().howItWorksWindow();
        explainer->close();
        shell.showHowItWorks();
        QCOMPARE(shell.windows().howItWorksWindow(), explainer);
        QCOMPARE(windowsTitled("How Tockly works"), 1);
        shell.showWelcome();
        QCOMPARE(windowsTitled("Welcome"), 1);
    }

    // A refused join shows the store's message; another invitation replaces the window, and
    // there the nickname is typed straight in and Return joins.
    void invitationWindow()
    {
        UiFixture f;
        FakeCrewConnection::Answer missing;
        missing.failure = CrewClient::CrewFailure(CrewClient::CrewError::notFound());
        f.crew.answers["join NOPE00"] = {missing};
        FakeCrewConnection::Answer slow;
        slow.delayMs = 100; // long enough to see the window busy
        f.crew.answers["join LUCKY7"] = {slow};
        AppShell &shell = f.start();
        shell.windows().showInviteWindow(QStringLiteral("NOPE00"));
        QPointer<QQuickView> first(shell.windows().inviteWindow());
        auto *refused = first->rootObject()->property("invite").value<InviteView *>();
        refused->setNickname(QStringLiteral("Ann"));
        refused->join();
        QTRY_VERIFY(!refused->busy());
        QVERIFY(!refused->joined());
        QCOMPARE(textOf(findItem(first->rootObject(), "inviteError")),
                 QStringLiteral("That crew code doesn't exist."));
        QVERIFY(findItem(first->rootObject(), "joinButton")->isEnabled());

        shell.windows().showInviteWindow(QStringLiteral("LUCKY7"));
        QQuickView *window = shell.windows().inviteWindow();
        QTRY_VERIFY(!first);
        QCOMPARE(windowsTitled("Crew Invite"), 1);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        auto *invite = root->property("invite").value<InviteView *>();
        QCOMPARE(textOf(findItem(root, "inviteCode")), QStringLiteral("crew code · LUCKY7"));
        QQuickItem *join = findItem(root, "joinButton");
        QVERIFY(!join->isEnabled());
        // Spaces alone do not make a nickname.
        QTRY_VERIFY(window->isActive());
        typeText(window, QStringLiteral("   "));
        QCOMPARE(invite->nickname(), QStringLiteral("   "));
        QVERIFY(!join->isEnabled());
        typeText(window, QStringLiteral("Ann  "));
        QVERIFY(join->isEnabled());

        // The button is off while the request runs.
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(invite->busy());
        QVERIFY(!join->isEnabled());
        QTRY_VERIFY(invite->joined());
        QVERIFY(f.crew.calls.contains(QStringLiteral("join LUCKY7 Ann")));
        QCOMPARE(textOf(findItem(root, "joinedTitle")), QStringLiteral("You're in! 👑"));
        QVERIFY(!shown(findItem(root, "inviteTitle")));

        // "Let's go 🍀" closes it, and the slot is free again.
        click(button(root, QStringLiteral("Let's go 🍀")));
        QTRY_VERIFY(!shell.windows().inviteWindow());
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
