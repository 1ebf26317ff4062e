// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The card, the windows and the history as the user sees them: the live QML tree on a store on
// fakes, drawn by the software renderer on a real X server (Xvfb), clicked and typed at like a
// user would. Some views are written as PNG files to the build tree's screenshots/ folder for
// people to look at, and checked for their fixed width and for holding a picture at all.
#include "AppShell.h"
#include "CardModel.h"
#include "CardPanel.h"
#include "CrewModel.h"
#include "CrewTestSupport.h"
#include "DesktopTestEnvironment.h"
#include "ExportDocument.h"
#include "Fonts.h"
#include "HistoryModel.h"
#include "HistoryText.h"
#include "InviteView.h"
#include "StoreFixture.h"
#include "WindowSlots.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QQuickView>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QtQuickTest/quicktest.h>

using namespace HistoryText;

// Counters are set by name; those left out are zero.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

const QLocale american(QLocale::English, QLocale::UnitedStates);

// A store on fakes with the shell around it: the card and the windows as the user sees them,
// in Berlin, on 2026-03-10 (a Tuesday) at 10:00.
struct UiFixture : StoreFixture {
    QList<WorkEntry> entries;
    ActivityByDay activity;
    std::unique_ptr<AppShell> shell;

    explicit UiFixture(const QLocale &locale = american)
    {
        calendar = Calendar(QTimeZone("Europe/Berlin"), 2, locale);
        setUpFonts();
    }
    // An answer still on its way would come back to a shell and store that are gone.
    ~UiFixture()
    {
        if (!QTest::qWaitFor([this] { return crew.pending == 0; }))
            qCritical("crew answers are still on their way");
    }

    Instant at(const char *localTime) const
    {
        return localInstant(QTimeZone("Europe/Berlin"), localTime);
    }
    // One stretch of work on the day `daysAgo` before the fixture's today, ending at 09:59.
    void worked(int daysAgo, double seconds)
    {
        const Instant end = *calendar.addDays(at("2026-03-10 09:59"), -daysAgo);
        entries.append({QUuid::createUuid(), end - seconds, seconds, WorkEntry::Kind::timed});
    }

    // Writes the record and builds store and shell, as a start of the program would.
    AppShell &start()
    {
        shell.reset();
        writeData("entries.json", encodeEntries(entries, JsonStyle::compact));
        writeData("activity.json", encodeActivity(activity));
        open();
        shell = std::make_unique<AppShell>(*store, settings);
        return *shell;
    }

    // The card on screen, with its root item.
    QQuickItem *showCard()
    {
        shell->card().show(QPoint(600, 10));
        QQuickView *view = shell->card().window();
        if (!QTest::qWaitForWindowExposed(view))
            return nullptr;
        return view->rootObject();
    }
};

// Every item below `root`, in the visual tree, in order.
QList<QQuickItem *> below(QQuickItem *root)
{
    QList<QQuickItem *> all;
    for (QQuickItem *child : root ? root->childItems() : QList<QQuickItem *>())
        all << child << below(child);
    return all;
}

QList<QQuickItem *> findItems(QQuickItem *root, const QString &name)
{
    QList<QQuickItem *> found = below(root);
    found.removeIf([&](QQuickItem *item) { return item->objectName() != name; });
    return found;
}

QQuickItem *findItem(QQuickItem *root, const QString &name)
{
    return findItems(root, name).value(0);
}

// Visible on screen (an item is hidden with its ancestors).
bool shown(const QQuickItem *item)
{
    return item && item->isVisible();
}

// The visible button with that text.
QQuickItem *button(QQuickItem *root, const QString &text)
{
    for (QQuickItem *item : below(root))
        if (shown(item) && item->property("text").toString() == text &&
            item->metaObject()->indexOfSignal("clicked()") >= 0)
            return item;
    return nullptr;
}

// The text and tool tip of every item below those roots.
QStringList textsBelow(const QList<QQuickItem *> &roots)
{
    QStringList texts;
    for (QQuickItem *root : roots)
        for (QQuickItem *item : below(root))
            for (const char *property : {"text", "toolTip"})
                texts << item->property(property).toString();
    return texts;
}

QString textOf(const QQuickItem *item)
{
    return item ? item->property("text").toString() : "<none>";
}

// Typing into the window's focused item.
void typeText(QWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, window, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A real click in the middle of the item.
void click(QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY2(item->isVisible(), qPrintable(item->objectName() + " is hidden"));
    // Where the item is drawn: a row that just appeared is placed by the next polish.
    QVERIFY(QQuickTest::qWaitForPolish(item->window()));
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(item->window(), Qt::LeftButton, {}, centre.toPoint());
}

using Answer = FakeCrewConnection::Answer;

QVariant attached(QQuickItem *item, const char *expression)
{
    QQmlExpression e(qmlContext(item), item, QString::fromLatin1(expression));
    return e.evaluate();
}

QList<QQuickItem *> rows(QQuickItem *card)
{
    QList<QQuickItem *> list;
    for (int i = 0; i < 7; ++i)
        if (QQuickItem *row = findItem(card, QStringLiteral("leaderboardRow%1").arg(i)))
            list << row;
    return list;
}

int windowsTitled(const QString &title)
{
    const auto all = QGuiApplication::topLevelWindows();
    return int(std::count_if(all.cbegin(), all.cend(),
                             [&](QWindow *w) { return w->title() == title && w->isVisible(); }));
}

// Renders the window and saves it; a picture of that size, not a flat fill: many colours, and
// much of it away from the cream background.
void capture(QQuickWindow *window, const QString &name, int width, int height = 0)
{
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::qWait(300); // fonts, the mascot's first frames
    const QImage image = window->grabWindow();
    const QString file = QStringLiteral(TOCKLY_SCREENSHOT_DIR "/%1.png").arg(name);
    QDir().mkpath(QFileInfo(file).path());
    QVERIFY(image.save(file));
    QCOMPARE(image.width(), width);
    if (height)
        QCOMPARE(image.height(), height);
    QSet<QRgb> colours;
    qsizetype differing = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
            differing += image.pixel(x, y) != qRgb(255, 247, 235);
        }
    QVERIFY2(colours.size() > 200 && differing * 40 > image.width() * image.height(),
             qPrintable(name + " looks blank"));
}

} // namespace

class UiTest : public QObject {
    Q_OBJECT

private slots:
    // A week of work ending on a seven-day streak: today's badge, score and pace, the chart and
    // its detail line, the goal block short of the goal and, after choosing 2h from the menu,
    // past it; then the clock counting. Then the crews.
    void card()
    {
        UiFixture f;
        const QList<double> week{7200, 1200, 2400, 600, 1800, 600, 10800}; // Wednesday to today
        for (int i = 0; i < 7; ++i)
            f.worked(6 - i, week[i]);
        f.activity.insert("2026-03-10", {.keys = 50000, .clicks = 2500, .typingSeconds = 5000});
        f.activity.insert("2026-03-08", {.keys = 123});
        f.activity.insert("2026-03-09", {.keys = 4});
        f.start();
        QQuickItem *card = f.showCard();
        const auto text = [&](const char *name) {
            return textOf(findItem(card, QString::fromLatin1(name)));
        };
        QCOMPARE(text("streakBadge"), "🍀 777 streak!");
        QCOMPARE(text("scoreText"), "🏅 1,460");
        QCOMPARE(text("paceText"), "⌨️ 120 words/min");
        QCOMPARE(text("todayClock"), "3h 0m");

        // The chart: bars scaled to the longest day.
        for (int i = 0; i < 7; ++i) {
            QQuickItem *column = findItem(card, QStringLiteral("dayColumn%1").arg(i));
            QCOMPARE(findItem(column, "bar")->height(), 5 + 28 * (week[i] / 10800));
        }
        QCOMPARE(attached(findItem(card, "dayColumn4"), "Accessible.name").toString(),
                 "Sunday, 30m");
        QCOMPARE(text("weekTotal"), "6h 50m");
        QQuickItem *detail = findItem(card, "detailLine");
        QVERIFY(!shown(detail));
        click(findItem(card, "dayColumn4"));
        QTRY_VERIFY(shown(detail));
        QCOMPARE(text("detailDate"), "Sunday, Mar 8");
        QCOMPARE(text("detailDuration"), "30m");
        QCOMPARE(text("detailWords"), "~24 words");
        // The same day again hides it.
        click(findItem(card, "dayColumn4"));
        QTRY_VERIFY(!shown(detail));
        // Four keystrokes are not a word.
        click(findItem(card, "dayColumn5"));
        QTRY_VERIFY(shown(detail));
        QVERIFY(!shown(findItem(detail, "detailWords")));

        // QML keeps colours at 8 bits a channel.
        const QRgb amber = QColor::fromRgbF(0.93f, 0.60f, 0.15f).rgb();
        QQuickItem *block = findItem(card, "goalBlock");
        const auto checkBlock = [&](const QString &label, int percent, double fraction) {
            QCOMPARE(text("goalLabel"), label);
            QCOMPARE(attached(block, "Accessible.name").toString(),
                     QStringLiteral("Daily goal %1 percent complete").arg(percent));
            const double track = findItem(block, "goalTrack")->width();
            QCOMPARE(findItem(block, "goalFill")->width(), track * fraction);
            QCOMPARE(findItem(block, "goalLabel")->property("color").value<QColor>().rgb() == amber,
                     fraction >= 1);
        };
        checkBlock("goal 4h 0m · 75%", 75, 0.75);
        QQuickItem *menu = findItem(card, "goalMenu");
        QCOMPARE(menu->property("count").toInt(), 13);
        click(menu);
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = button(f.shell->card().window()->contentItem(), "2h")));
        QTest::qWait(100); // the popup's opening transition
        click(entry);
        QTRY_COMPARE(f.store->goalSeconds(), 7200.0);
        QCOMPARE(menu->property("displayText").toString(), "2h");
        checkBlock("goal reached! 🎉", 100, 1.0);

        // Counting: the running clock, ticking each second.
        f.type(60);
        QVERIFY(f.store->isTracking());
        QTRY_VERIFY(text("todayClock").startsWith("3:0"));
        const QString before = text("todayClock");
        f.clock.advance(2);
        QTRY_VERIFY(text("todayClock") != before);

        // The crew box from its pitch to the owner's board, Escape closing the card, the board
        // of a crew someone else owns, and a refused join that keeps the form.
        Answer board;
        board.crewName = "Night Owls";
        board.owner = "Ann";
        board.board = {{"Mika", 7000}, {"Ann", 6000}, {"Jo", 5000}, {"Sam", 4000},
                       {"Lee", 3000},  {"Kim", 2000}, {"Ray", 1000}};
        f.crew.answers["join LUCKY7"] = {board};
        f.crew.answers["fetch LUCKY7"] = {board};
        QQuickItem *box = findItem(card, "crewBox");
        const auto visibleParts = [&] {
            QStringList parts;
            for (const char *name : {"crewHeading", "crewPitch", "introButtons", "crewTabs",
                                     "pickerButtons", "crewForm", "codeField", "crewBoard"})
                if (shown(findItem(box, QString::fromLatin1(name))))
                    parts << QString::fromLatin1(name);
            return parts;
        };
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewPitch", "introButtons"}));
        click(button(box, "Join with code"));
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewForm", "codeField"}));

        // A nickname typed with spaces around it, and the code in lower case.
        click(findItem(box, "nicknameField"));
        typeText(card->window(), "  Ann ");
        click(findItem(box, "codeField"));
        typeText(card->window(), "lucky7");
        click(button(box, "Join"));
        QTRY_COMPARE(visibleParts(), QStringList{"crewBoard"});
        QCOMPARE(f.crew.calls.first(), "join LUCKY7 Ann");
        QCOMPARE(text("boardHeading"), "CREW · NIGHT OWLS");

        // The owner's board: five rows of seven, marks and times; the owner may remove (×)
        // everybody but themselves.
        QTRY_COMPARE(rows(card).size(), 5);
        QStringList places;
        for (QQuickItem *row : rows(card))
            places << QStringList{textOf(findItem(row, "rankMark")),
                                  textOf(findItem(row, "nickname")),
                                  textOf(findItem(row, "todayTime")),
                                  shown(findItem(row, "removeButton")) ? "×" : "-"}
                          .join(' ');
        QCOMPARE(places, (QStringList{"👑 Mika 1h 56m ×", "🥈 Ann (you) 1h 40m -",
                                      "🥉 Jo 1h 23m ×", "4. Sam 1h 6m ×", "5. Lee 50m ×"}));
        // Nothing goes before the confirmation; "Keep" takes it back.
        click(findItem(rows(card)[3], "removeButton"));
        click(findItem(rows(card)[3], "keep"));
        QVERIFY(!shown(findItem(rows(card)[3], "confirmRemove")));
        click(findItem(rows(card)[0], "removeButton"));
        QVERIFY(f.crew.calls.filter("kick").isEmpty());
        click(findItem(rows(card)[0], "confirmRemove"));
        QTRY_COMPARE(f.crew.calls.filter("kick"), QStringList{"kick LUCKY7 Mika"});

        QQuickView *view = f.shell->card().window();
        QTRY_VERIFY(view->isActive());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isVisible());
        QCOMPARE(card->property("isVisible").toBool(), false);

        // Now Mika owns it: opening the card reports and refreshes, and shows no remove buttons.
        board.owner = "Mika";
        f.crew.answers["fetch LUCKY7"] = {board};
        f.crew.calls.clear();
        f.showCard();
        QTRY_VERIFY(f.crew.calls.contains("report LUCKY7") &&
                    f.crew.calls.contains("fetch LUCKY7"));
        QTRY_VERIFY(std::ranges::none_of(
            rows(card), [](QQuickItem *row) { return shown(findItem(row, "removeButton")); }));
        click(findItem(card, "copyInviteButton"));
        QVERIFY(f.pasteboard.content.endsWith("/c/LUCKY7 (code LUCKY7)"));

        // A refused join keeps the form and says why. Then the model behind the box: without a
        // nickname, or while a request runs, nothing goes; the crew started is displayed; a tab
        // out of range changes nothing; leaving falls back to the first crew, then the pitch.
        f.crew.answers["join NOPE00"] = {{.failure = CrewClient::CrewError::notFound()}};
        click(findItem(box, "addCrewButton"));
        QCOMPARE(visibleParts(), QStringList{"pickerButtons"});
        click(button(box, "Join with code"));
        click(findItem(box, "codeField"));
        typeText(card->window(), "NOPE00");
        click(button(box, "Join"));
        QTRY_COMPARE(text("crewError"), "That crew code doesn't exist.");
        QCOMPARE(visibleParts(), (QStringList{"crewForm", "codeField"}));
        f.crew.answers["create"] = {{.code = "ANN001"}};
        f.crew.answers["fetch ANN001"] = {{.crewName = "Ann's Crew"}};
        CrewModel &crew = f.shell->crewModel();
        crew.startCrew();
        crew.submit("  ", "");
        QVERIFY(!crew.busy());
        crew.submit(" Ann ", "");
        QVERIFY(crew.busy());
        crew.submit(" Ann ", "");
        QTRY_COMPARE(visibleParts(), (QStringList{"crewTabs", "crewBoard"}));
        QCOMPARE(f.crew.calls.filter("create"), QStringList{"create Ann's Crew Ann"});
        QCOMPARE(crew.crewNames(), (QStringList{"Night Owls", "Ann's Crew"}));
        QCOMPARE(crew.displayedIndex(), 1);
        QCOMPARE(crew.standings()->rowCount(), 0);
        crew.choose(2);
        QCOMPARE(crew.displayedIndex(), 1);
        crew.choose(0);
        QTRY_COMPARE(rows(card).size(), 5);
        crew.leave();
        QCOMPARE(crew.crewNames(), QStringList{"Ann's Crew"});
        QTRY_COMPARE(text("boardHeading"), "CREW · ANN'S CREW");
        crew.leave();
        QTRY_COMPARE(visibleParts(), (QStringList{"crewHeading", "crewPitch", "introButtons"}));
        QCOMPARE(crew.standings()->rowCount(), 0);
        f.store->setGoalSeconds(0);
        QTRY_VERIFY(!shown(block));
    }

    // An invitation at the first start, on the pasteboard or as a link, takes the place of the
    // welcome. In its window a refused join shows the store's message; another invitation
    // replaces the window, and there the nickname is typed straight in and Return joins.
    void invitations()
    {
        UiFixture f;
        f.crew.answers["join NOPE00"] = {{.failure = CrewClient::CrewError::notFound()}};
        f.crew.answers["join LUCKY7"] = {{.delayMs = 100}}; // long enough to see the window busy
        f.pasteboard.content = "Join us! QUENBY-JOIN:NOPE00 see you";
        AppShell &shell = f.start();
        shell.startUp();
        QTRY_VERIFY(shell.windows().inviteWindow());
        QVERIFY(!shell.windows().welcomeWindow());
        QVERIFY(!f.settings.boolValue(AppShell::welcomedKey));
        QPointer<QQuickView> first(shell.windows().inviteWindow());
        auto *refused = first->rootObject()->property("invite").value<InviteView *>();
        refused->setNickname("Ann");
        refused->join();
        QTRY_VERIFY(!refused->busy());
        QVERIFY(!refused->joined());
        QCOMPARE(textOf(findItem(first->rootObject(), "inviteError")),
                 "That crew code doesn't exist.");
        // The views reach the same crews through the store.
        QCOMPARE(attached(first->rootObject(), "Store.crews.crewError").toString(),
                 "That crew code doesn't exist.");
        QVERIFY(findItem(first->rootObject(), "joinButton")->isEnabled());

        shell.windows().showInviteWindow("LUCKY7");
        QQuickView *window = shell.windows().inviteWindow();
        QTRY_VERIFY(!first);
        QCOMPARE(windowsTitled("Crew Invite"), 1);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        auto *invite = root->property("invite").value<InviteView *>();
        QCOMPARE(textOf(findItem(root, "inviteCode")), "crew code · LUCKY7");
        QQuickItem *join = findItem(root, "joinButton");
        QVERIFY(!join->isEnabled());
        // Spaces alone do not make a nickname.
        QTRY_VERIFY(window->isActive());
        typeText(window, "   ");
        QCOMPARE(invite->nickname(), "   ");
        QVERIFY(!join->isEnabled());
        typeText(window, "Ann  ");
        QVERIFY(join->isEnabled());
        // The button is off while the request runs.
        QTest::keyClick(window, Qt::Key_Return);
        QVERIFY(invite->busy());
        QVERIFY(!join->isEnabled());
        QTRY_VERIFY(invite->joined());
        QVERIFY(f.crew.calls.contains("join LUCKY7 Ann"));
        QCOMPARE(textOf(findItem(root, "joinedTitle")), "You're in! 👑");
        QVERIFY(!shown(findItem(root, "inviteTitle")));
        // "Let's go 🍀" closes it, and the slot is free again.
        click(button(root, "Let's go 🍀"));
        QTRY_VERIFY(!shell.windows().inviteWindow());

        f.pasteboard.content.clear();
        f.start().startUp({"quenby://join/owls22"});
        QTRY_VERIFY(f.shell->windows().inviteWindow());
        QVERIFY(!f.shell->windows().welcomeWindow());

        // Where the clipboard is readable only while one of our windows has the keyboard focus
        // (Wayland without data-control), it is read when one first has it, and only then; the
        // welcome, never given, shows first.
        f.pasteboard.content = "Join us! QUENBY-JOIN:OTHER1 see you";
        f.start().startUp({}, true);
        QVERIFY(f.shell->windows().welcomeWindow());
        QVERIFY(!f.store->crews()->hasPendingInvite());
        QTRY_VERIFY(f.shell->windows().inviteWindow());
        QQuickView *offered = f.shell->windows().inviteWindow();
        QCOMPARE(f.settings.textValue(MacWorkStore::inviteOfferedKey), std::optional("OTHER1"));
        f.pasteboard.content = "QUENBY-JOIN:OTHER2";
        f.shell->showHistory();
        QTRY_VERIFY(f.shell->windows().historyWindow()->isActive());
        QTest::qWait(50);
        QCOMPARE(f.shell->windows().inviteWindow(), offered);
    }

    // The welcome at the first start only, then the explainer; every window closable, never
    // resizable (only the history minimises), single and kept when closed, and none tells of a
    // Mac, a menu bar, its ⌘ key or an updater that installs by itself. The card closes when
    // another window takes the focus, as a panel does.
    void windows()
    {
        UiFixture f;
        f.worked(0, 600);
        f.activity.insert("2026-03-10", {.modifierTaps = 8});
        AppShell &shell = f.start();
        QList<QQuickItem *> items{f.showCard()};
        QTRY_VERIFY(shell.card().window()->isActive());
        shell.startUp();
        QQuickView *welcome = shell.windows().welcomeWindow();
        QVERIFY(welcome && QTest::qWaitForWindowActive(welcome));
        QTRY_VERIFY(!shell.card().window()->isVisible());
        QCOMPARE(f.settings.boolValue(AppShell::welcomedKey), std::optional(true));
        QVERIFY(!shell.windows().howItWorksWindow());
        // Return is "Let's go 🍀": the welcome closes and the explainer follows.
        QTest::keyClick(welcome, Qt::Key_Return);
        QTRY_VERIFY(!shell.windows().welcomeWindow());
        QTRY_VERIFY(shell.windows().howItWorksWindow() &&
                    shell.windows().howItWorksWindow()->isVisible());

        shell.showWelcome();
        shell.showHistory();
        shell.windows().showInviteWindow("LUCKY7");
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
        const QStringList texts = textsBelow(items);
        // The modifier chip is among them, with a key a Linux keyboard has.
        QVERIFY(texts.contains("⇧"));
        const QRegularExpression untrue("\\bMac\\b|menu.bar|⌘|install themselves|updates itself");
        for (const QString &text : texts)
            QVERIFY2(!untrue.match(text).hasMatch(), qPrintable(text));

        QQuickView *explainer = shell.windows().howItWorksWindow();
        explainer->close();
        shell.showHowItWorks();
        QCOMPARE(shell.windows().howItWorksWindow(), explainer);
        QCOMPARE(windowsTitled("How Tockly works"), 1);
        shell.showWelcome();
        QCOMPARE(windowsTitled("Welcome"), 1);

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

    // The history: its texts at their edges (rounding and thresholds), the window and its model.
    void history()
    {
        QCOMPARE(compactLabel(2 * 3600 + 5 * 60), "2h5");
        QCOMPARE(compactLabel(3 * 3600 + 30), "3h");
        QCOMPARE(compactLabel(3599.5), "1h"); // rounds to 3600 first
        QCOMPARE(cellTint(3 * 3600).opacity, 0.395);
        QCOMPARE(cellTint(9 * 3600).opacity, 0.67);
        QVERIFY(!cellTint(0).worked);
        DayActivity a{.typingSeconds = 50, .mousingSeconds = 5};
        QVERIFY(!typingBarShown(a));
        a.mousingSeconds = 10;
        QVERIFY(typingBarShown(a));
        QCOMPARE(typingShare(a), 50.0 / 60);
        QCOMPARE(typingShare({}), 0.0); // no division by nothing
        const Calendar sunday(QTimeZone("America/New_York"), 1, american);
        QCOMPARE(weekdayHeader(sunday), (QStringList{"S", "M", "T", "W", "T", "F", "S"}));

        // The history window over a real store: its tiles, the empty day, choosing a day,
        // chevrons across a year, the same window after closing; its model's day details; the
        // export and a failed one; the running segment in today's cell.
        UiFixture f;
        for (int d = 1; d <= 6; ++d)
            f.worked(d, 3600);
        f.worked(40, 3600);
        const Instant twoDaysAgo = *f.calendar.addDays(f.at("2026-03-10 09:00"), -2);
        f.entries.append({QUuid::createUuid(), twoDaysAgo, -600, WorkEntry::Kind::removed});
        DayActivity busy{.keys = 1234,
                         .clicks = 40,
                         .scrolls = 3120,
                         .modifierTaps = 7,
                         .typingSeconds = 2400,
                         .mousingSeconds = 1200,
                         .appSeconds = {{"Editor", 3000}, {"Terminal", 900}, {"Browser", 600}},
                         .appSwitches = 42};
        busy.hourlyKeys[23] = 1000;
        busy.hourlyKeys[8] = 234;
        f.activity.insert("2026-03-09", busy);
        f.start().showHistory();
        QQuickView *window = f.shell->windows().historyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        QStringList tiles;
        for (QQuickItem *t : findItems(root, "tileValue"))
            tiles << textOf(t);
        QCOMPARE(tiles, (QStringList{"5h 50m", "6 days", "1h 0m", "6h 50m"}));
        QVERIFY(shown(findItem(root, "emptyDay")));
        // Choosing yesterday (the 9th: the 15th cell of a Monday-first March 2026).
        QList<QQuickItem *> days = findItems(root, "dayCell");
        QCOMPARE(days.size(), 31);
        click(days[8]);
        QTRY_COMPARE(textOf(findItem(root, "dayTitle")), "Yesterday");
        QVERIFY(!shown(findItem(root, "emptyDay")));
        QCOMPARE(findItems(root, "session").size(), 1);
        QTRY_COMPARE(findItems(root, "chip").size(), 7);
        for (int i = 0; i < 3; ++i)
            click(findItem(root, "previousMonth"));
        QTRY_COMPARE(textOf(findItem(root, "monthTitle")), "December 2025");
        window->close();
        QTRY_VERIFY(!window->isVisible());
        f.shell->showHistory();
        QCOMPARE(f.shell->windows().historyWindow(), window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(textOf(findItem(root, "monthTitle")), "December 2025");
        QCOMPARE(textOf(findItem(root, "dayTitle")), "Yesterday");

        HistoryModel history(*f.store);
        history.selectDay(twoDaysAgo);
        const HistoryDay removed = history.day();
        QCOMPARE(removed.total, "50m");
        // Oldest first by start: the work from 08:59, then the removal at 09:00; the list model
        // the view reads holds the same rows.
        QCOMPARE(removed.sessions,
                 (QList<SessionRow>{{"keyboard", "Worked 1h 0m", "8:59 AM – 9:59 AM"},
                                    {"minus", "Removed 10m", "at 9:00 AM"}}));
        QCOMPARE(history.sessions()->rows(), removed.sessions);
        QCOMPARE(removed.words, "⌨️ ~0 words typed · 0 keystrokes");
        history.selectDay(*f.calendar.addDays(f.clock.now(), -1));
        const HistoryDay yesterday = history.day();
        QCOMPARE(yesterday.words, "⌨️ ~246 words typed · 1,234 keystrokes");
        QCOMPARE(yesterday.busiest, "busiest 11 PM – 12 AM · ~200 words");
        const auto mods = std::ranges::find(yesterday.chips, QString("mods"), &Chip::id);
        QVERIFY(mods != yesterday.chips.end());
        QCOMPARE(mods->value, "~3");
        QCOMPARE(history.chips()->rows(), yesterday.chips);
        QVERIFY(yesterday.hoursShown);
        QCOMPARE(yesterday.hourBars[23], 1.0);
        QCOMPARE(yesterday.hourBars[8], 234.0 / 1000);
        QCOMPARE(history.apps()->rows().size(), 3);
        QCOMPARE(history.apps()->rows()[1].fraction, 900.0 / 3000);

        // The export byte for byte, and one that cannot be written (that a failed write keeps
        // the earlier file whole: tst_store::cutShortWritesKeepTheOldFile).
        const QString path = f.dataPath("History.json");
        history.exportTo(QUrl::fromLocalFile(path));
        QCOMPARE(history.transferMessage(), "Exported 8 entries ✓");
        const QByteArray exported = f.readData("History.json");
        QCOMPARE(exported, *exportData(f.store->entries()));
        QVERIFY(exported.size() > 600);
        history.exportTo(QUrl::fromLocalFile(path + "/inside"));
        QCOMPARE(history.transferMessage(), "Export failed");

        // Counting today: the line, and the cell's label and tint follow the running clock.
        f.type(600);
        QVERIFY(f.store->isTracking());
        history.selectDay(f.clock.now());
        const HistoryDay today = history.day();
        QVERIFY(today.counting);
        QCOMPARE(today.countingSince, "counting now · since 10:00 AM");
        const QList<MonthCell> &cells = history.cells()->rows();
        // March 2026 starts on a Sunday: six blanks before it in a Monday-first week.
        QCOMPARE(cells.size(), 6 + 31);
        QVERIFY(cells[5].blank);
        const MonthCell &tenth = cells[6 + 9];
        QVERIFY(tenth.isToday && tenth.isSelected && tenth.worked);
        QCOMPARE(tenth.label, "9m");
    }

    // The dates of the history window and of the card's chart in the user's language and order;
    // English letters, not digits, where the locale has no names.
    void datesInTheUsersLanguage()
    {
        struct Row {
            QLocale locale;
            const char *day, *month, *weekdays, *chart; // Monday first; Wednesday 4th to today
        };
        for (const Row &row :
             {Row{QLocale(QLocale::Japanese, QLocale::Japan), "3月8日日曜日", "2026年3月",
                  "月火水木金土日", "水木金土日月火"},
              Row{QLocale::c(), "Sunday, Mar 8", "March 2026", "MTWTFSS", "WTFSSMT"}}) {
            UiFixture f(row.locale);
            f.start();
            const Instant sunday = f.at("2026-03-08 12:00");
            HistoryModel history(*f.store);
            history.selectDay(sunday);
            QCOMPARE(history.day().title, row.day);
            QCOMPARE(history.monthTitle(), row.month);
            QCOMPARE(history.weekdays().join(QString()), row.weekdays);
            CardModel card(*f.store);
            QString letters;
            for (const DayBar &bar : card.week()->rows())
                letters += bar.letter;
            QCOMPARE(letters, row.chart);
            card.chooseDay(sunday);
            QCOMPARE(card.dayDetail().date, row.day);
        }
    }
    // The "Other computers" window: the folder, this computer and another one seen there,
    // what keeps anything from counting; stopping.
    void otherComputers()
    {
        UiFixture f;
        QTemporaryDir synced;
        const QString laptop = synced.filePath("0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB");
        QVERIFY(writeFile(laptop + "/computer.json",
                          R"({"format":1,"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB",)"
                          R"("machine":"m","name":"laptop"})"));
        QVERIFY(writeFile(laptop + "/2026-03.json", "{"));
        AppShell &shell = f.start();
        QCOMPARE(f.store->setSyncFolder(synced.path()), QString());
        shell.showOtherComputers();
        QQuickView *window = shell.windows().otherComputersWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        QCOMPARE(textOf(findItem(root, "syncFolder")), synced.path());
        QStringList rows;
        for (QQuickItem *row : findItems(root, "computerRow"))
            for (QQuickItem *child : row->childItems())
                if (!textOf(child).isEmpty())
                    rows << textOf(child);
        QCOMPARE(rows.mid(0, 3), (QStringList{"desk", "this computer", "laptop"}));
        QVERIFY(rows.value(3).startsWith("last wrote "));
        QCOMPARE(findItems(root, "syncProblem").size(), 1);
        capture(window, "other-computers", 380);
        click(button(root, "Stop syncing"));
        QTRY_COMPARE(textOf(findItem(root, "syncFolder")), "Not syncing");
        QVERIFY(!f.store->syncFolder().isOn());
        QVERIFY(!shown(findItem(root, "computerRow")));
    }

    // The views in German: the texts of the QML files and of the models behind them.
    void inGerman()
    {
        QTranslator german;
        QVERIFY(german.load(TOCKLY_QM_DIR "/tockly_de.qm"));
        QCoreApplication::installTranslator(&german);
        UiFixture f;
        f.worked(0, 600);
        f.worked(1, 600);
        f.start();
        const QStringList texts = textsBelow({f.showCard()});
        QVERIFY2(texts.contains("HEUTE"), qPrintable(texts.join('|')));
        QVERIFY2(texts.contains("🔥 2 Tage in Folge"), qPrintable(texts.join('|')));
    }

    // The pictures the project publishes (scripts/screenshots): the card counting beside a crew
    // of six, yesterday in full in the history, the welcome, and the invitation being filled in.
    // In English, and in each language of TOCKLY_SCREENSHOT_LANGUAGES ("de fr es") into a folder
    // of its own.
    void screenshots_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << QString();
        for (const QString &language :
             qEnvironmentVariable("TOCKLY_SCREENSHOT_LANGUAGES").split(u' ', Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(language)) << language;
    }
    void screenshots()
    {
        QFETCH(QString, language);
        QTranslator translator;
        if (!language.isEmpty()) {
            QVERIFY(translator.load(QStringLiteral(TOCKLY_QM_DIR "/tockly_%1.qm").arg(language)));
            QCoreApplication::installTranslator(&translator);
        }
        const QString folder = language.isEmpty() ? QString() : language + u'/';
        const QLocale locale = language.isEmpty() ? american : QLocale(language);
        const auto week = [](UiFixture &f) {
            for (const auto &[daysAgo, hours] :
                 {std::pair{1, 2.2}, {2, 3.1}, {3, 1.4}, {4, 4.6}, {5, 2.9}})
                f.worked(daysAgo, hours * 3600);
            f.activity.insert(
                "2026-03-10",
                {.keys = 9400, .clicks = 620, .scrolls = 2300, .typingSeconds = 2100});
        };
        {
            UiFixture f(locale);
            week(f);
            f.worked(0, 2.5 * 3600);
            Answer board;
            board.crewName = "Night Owls";
            board.owner = "Ann";
            board.board = {
                {"Mika", 18720}, {"Jo", 14040}, {"Ann", 9360}, {"Sam", 3960}, {"Priya", 2520}};
            f.crew.answers["fetch LUCKY7"] = {board};
            f.start();
            QVERIFY(awaitTask(f.store->crews()->joinCrew("LUCKY7", "Ann")));
            f.type(120);
            QQuickItem *card = f.showCard();
            QTRY_COMPARE(rows(card).size(), 5);
            capture(f.shell->card().window(), folder + "card-counting-crew", 330);
        }
        {
            UiFixture f(locale);
            week(f);
            const Instant yesterday = *f.calendar.addDays(f.at("2026-03-10 08:00"), -1);
            f.entries.append({QUuid::createUuid(), yesterday - 1800, 900, WorkEntry::Kind::added});
            f.entries.append(
                {QUuid::createUuid(), yesterday + 3 * 3600, -600, WorkEntry::Kind::removed});
            DayActivity rich{.keys = 12840,
                             .clicks = 1460,
                             .scrolls = 3120,
                             .modifierTaps = 388,
                             .typingSeconds = 5400,
                             .mousingSeconds = 2700,
                             .appSeconds = {{"Code Editor", 6200},
                                            {"Terminal", 2900},
                                            {"Web Browser", 1800},
                                            {"Notes", 700},
                                            {"Chat", 240}},
                             .appSwitches = 142};
            for (int h = 6; h <= 9; ++h)
                rich.hourlyKeys[size_t(h)] = 900 + 610 * (h % 3);
            f.activity.insert("2026-03-09", rich);
            f.start().showHistory();
            QQuickView *history = f.shell->windows().historyWindow();
            QVERIFY(QTest::qWaitForWindowExposed(history));
            click(findItems(history->rootObject(), "dayCell").at(8));
            QTRY_COMPARE(findItems(history->rootObject(), "chip").size(), 7);
            capture(history, folder + "history-rich-day", 760, 600);
        }
        {
            UiFixture f(locale);
            f.start().showWelcome();
            capture(f.shell->windows().welcomeWindow(), folder + "welcome", 400);
        }
        UiFixture f(locale);
        f.start().windows().showInviteWindow("LUCKY7");
        QQuickView *invite = f.shell->windows().inviteWindow();
        QVERIFY(QTest::qWaitForWindowActive(invite));
        QTRY_COMPARE(invite->activeFocusItem()->objectName(), "inviteNickname");
        typeText(invite, "Ann");
        QTRY_COMPARE(textOf(findItem(invite->rootObject(), "inviteNickname")), "Ann");
        capture(invite, folder + "invitation", 380);
    }
};

int main(int argc, char *argv[])
{
    XvfbServer xvfb;
    QString error;
    if (!xvfb.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qputenv("DISPLAY", xvfb.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    UiTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ui.moc"
