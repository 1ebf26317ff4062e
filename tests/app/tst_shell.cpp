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
        // Asked again while open: the same window, brought forward.
        shell.showWelcome();
        QCOMPARE(shell.windows().welcomeWindow(), welcome);
        QCOMPARE(windowsTitled("Welcome"), 1);

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
        QVERIFY(!f.shell->windows().welcomeWindow());
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
        QCOMPARE(shell.windows().inviteWindow()->title(), QStringLiteral("Crew Invite"));
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

    void windowsAreSingleAndKept()
    {
        UiFixture f;
        AppShell &shell = f.start();
        shell.showHowItWorks();
        shell.showHistory();
        shell.showWelcome();
        shell.windows().showInviteWindow(QStringLiteral("LUCKY7"));
        for (QQuickView *window :
             {shell.windows().howItWorksWindow(), shell.windows().historyWindow(),
              shell.windows().welcomeWindow(), shell.windows().inviteWindow()}) {
            QVERIFY(window);
            // Closable, never resizable; only the history window minimises.
            QVERIFY(window->flags() & Qt::WindowCloseButtonHint);
            QCOMPARE(bool(window->flags() & Qt::WindowMinimizeButtonHint),
                     window == shell.windows().historyWindow());
            QCOMPARE(window->minimumSize(), window->maximumSize());
        }

        // Closed, the explainer and the history come back as the same windows.
        QQuickView *explainer = shell.windows().howItWorksWindow();
        QQuickView *history = shell.windows().historyWindow();
        explainer->close();
        history->close();
        QTest::qWait(50);
        shell.showHowItWorks();
        shell.showHistory();
        QCOMPARE(shell.windows().howItWorksWindow(), explainer);
        QCOMPARE(shell.windows().historyWindow(), history);
        QVERIFY(explainer->isVisible() && history->isVisible());
        QCOMPARE(windowsTitled("How Tockly works"), 1);
    }

    // No window tells of a Mac, a menu bar, its ⌘ key or an updater that installs by itself.
    void textsTrueOnThisDesktop()
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
        items << shell.windows().welcomeWindow()->rootObject()
              << shell.windows().howItWorksWindow()->rootObject()
              << shell.windows().historyWindow()->rootObject()
              << shell.windows().inviteWindow()->rootObject();
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
    }

    void invitationWindow()
    {
        UiFixture f;
        FakeCrewConnection::Answer slow;
        slow.delayMs = 100; // long enough to see the window busy
        f.crew.answers["join LUCKY7"] = {slow};
        AppShell &shell = f.start();
        shell.windows().showInviteWindow(QStringLiteral("LUCKY7"));
        QQuickView *window = shell.windows().inviteWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        auto *invite = root->property("invite").value<InviteView *>();
        QVERIFY(invite);
        QCOMPARE(textOf(findItem(root, "inviteCode")), QStringLiteral("crew code · LUCKY7"));
        QQuickItem *join = findItem(root, "joinButton");
        QVERIFY(!join->isEnabled());

        // The keyboard goes straight into the nickname; spaces alone do not make one.
        QTRY_VERIFY(window->isActive());
        typeText(window, QStringLiteral("   "));
        QCOMPARE(invite->nickname(), QStringLiteral("   "));
        QVERIFY(!join->isEnabled());
        typeText(window, QStringLiteral("Ann  "));
        QVERIFY(join->isEnabled());

        // Return joins; the button is off while the request runs.
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(invite->busy());
        QVERIFY(!join->isEnabled());
        QTRY_VERIFY(invite->joined());
        QCOMPARE(f.crew.calls.first(), QStringLiteral("join LUCKY7 Ann"));
        QVERIFY(shown(findItem(root, "joinedTitle")));
        QVERIFY(!shown(findItem(root, "inviteTitle")));
        QCOMPARE(textOf(findItem(root, "joinedTitle")), QStringLiteral("You're in! 👑"));

        // "Let's go 🍀" closes it, and the slot is free again.
        click(button(root, QStringLiteral("Let's go 🍀")));
        QTRY_VERIFY(!shell.windows().inviteWindow());
    }

    void aFailedJoinShowsTheErrorAndAReplacedInvitationIsGone()
    {
        UiFixture f;
        FakeCrewConnection::Answer missing;
        missing.failure = CrewClient::CrewFailure(CrewClient::CrewError::notFound());
        f.crew.answers["join NOPE00"] = {missing};
        AppShell &shell = f.start();
        shell.windows().showInviteWindow(QStringLiteral("NOPE00"));
        QQuickView *first = shell.windows().inviteWindow();
        QQuickItem *root = first->rootObject();
        auto *invite = root->property("invite").value<InviteView *>();
        invite->setNickname(QStringLiteral("Ann"));
        invite->join();
        QTRY_VERIFY(!invite->busy());
        QVERIFY(!invite->joined());
        QCOMPARE(textOf(findItem(root, "inviteError")),
                 QStringLiteral("That crew code doesn't exist."));
        QVERIFY(shown(findItem(root, "inviteError")));
        QVERIFY(findItem(root, "joinButton")->isEnabled());

        // Another invitation replaces this window; the slot holds the new one.
        QPointer<QQuickView> old(first);
        shell.windows().showInviteWindow(QStringLiteral("ABCDEF"));
        QQuickView *second = shell.windows().inviteWindow();
        QVERIFY(second != first);
        QTRY_VERIFY(!old);
        QCOMPARE(shell.windows().inviteWindow(), second);
        QCOMPARE(windowsTitled("Crew Invite"), 1);
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
