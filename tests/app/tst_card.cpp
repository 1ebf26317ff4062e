// The card as the user sees it: the live QML tree on a store on fakes, clicked like a user would.
#include "CardModel.h"
#include "CrewTestSupport.h"
#include "UiFixture.h"

#include <QQmlContext>
#include <QQmlExpression>

namespace {

using Answer = FakeCrewConnection::Answer;

Answer named(const QString &crewName, const QString &code = {})
{
    Answer a;
    a.crewName = crewName;
    a.code = code;
    return a;
}

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

// Joined as Ann to a crew with its owner and today's seconds per member.
void joinCrew(UiFixture &f, const QString &code, const QString &owner,
              const QList<QPair<QString, double>> &members)
{
    Answer board;
    board.owner = owner;
    board.board = members;
    f.crew.answers[QStringLiteral("fetch ") + code] = {board};
    QVERIFY(awaitTask(f.store->joinCrew(code, QStringLiteral("Ann"))));
    QVERIFY(awaitTask(f.store->refreshCrews()));
}

} // namespace

class CardTest : public QObject {
    Q_OBJECT

private slots:
    void streakBadge_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("badge");
        QTest::newRow("1") << 1 << QString();
        QTest::newRow("2") << 2 << QStringLiteral("🔥 2-day streak");
        QTest::newRow("7") << 7 << QStringLiteral("🍀 777 streak!");
    }
    void streakBadge()
    {
        QFETCH(int, days);
        QFETCH(QString, badge);
        UiFixture f;
        for (int d = 0; d < days; ++d)
            f.worked(d, 1800);
        f.start();
        QQuickItem *item = findItem(f.showCard(), QStringLiteral("streakBadge"));
        QCOMPARE(shown(item), !badge.isEmpty());
        if (!badge.isEmpty())
            QCOMPARE(textOf(item), badge);
    }

    void scoreAndPaceRows_data()
    {
        QTest::addColumn<double>("worked");
        QTest::addColumn<int>("keys");
        QTest::addColumn<double>("typing");
        QTest::addColumn<QString>("score"); // empty: no score row
        QTest::addColumn<QString>("pace");  // empty: no pace text
        // One word in a minute of typing is a pace, but the score rounds to 0: no row at all.
        QTest::newRow("pace but no score") << 0.0 << 5 << 60.0 << QString() << QString();
        QTest::newRow("under a minute of typing")
            << 3600.0 << 3000 << 59.0 << QStringLiteral("🏅 180") << QString();
        QTest::newRow("both") << 10800.0 << 50000 << 5000.0 << QStringLiteral("🏅 1,460")
                              << QStringLiteral("⌨️ 120 words/min");
    }
    void scoreAndPaceRows()
    {
        QFETCH(double, worked);
        QFETCH(int, keys);
        QFETCH(double, typing);
        QFETCH(QString, score);
        QFETCH(QString, pace);
        UiFixture f;
        if (worked > 0)
            f.worked(0, worked);
        DayActivity today;
        today.keys = keys;
        today.typingSeconds = typing;
        today.clicks = keys == 50000 ? 2500 : 0;
        f.activity.insert(QStringLiteral("2026-03-10"), today);
        f.start();
        QQuickItem *card = f.showCard();
        QCOMPARE(shown(findItem(card, QStringLiteral("scoreRow"))), !score.isEmpty());
        if (score.isEmpty())
            return;
        QCOMPARE(textOf(findItem(card, QStringLiteral("scoreText"))), score);
        QQuickItem *paceText = findItem(card, QStringLiteral("paceText"));
        QCOMPARE(shown(paceText), !pace.isEmpty());
        if (!pace.isEmpty())
            QCOMPARE(textOf(paceText), pace);
    }

    void todayClock()
    {
        UiFixture f;
        f.worked(0, 3600 + 7 * 60);
        f.start();
        QQuickItem *card = f.showCard();
        QCOMPARE(textOf(findItem(card, QStringLiteral("todayClock"))), QStringLiteral("1h 7m"));
        // Counting: the running clock, ticking each second.
        f.type(60);
        QVERIFY(f.store->isTracking());
        QTRY_VERIFY(textOf(findItem(card, QStringLiteral("todayClock"))).startsWith("1:0"));
        const QString before = textOf(findItem(card, QStringLiteral("todayClock")));
        f.clock.advance(2);
        QTRY_VERIFY(textOf(findItem(card, QStringLiteral("todayClock"))) != before);
    }

    void goalBlock_data()
    {
        QTest::addColumn<double>("goal");
        QTest::addColumn<double>("worked");
        QTest::addColumn<QString>("label"); // empty: no goal block
        QTest::addColumn<int>("percent");
        QTest::addColumn<double>("fraction");
        QTest::newRow("off") << 0.0 << 3600.0 << QString() << 0 << 0.0;
        QTest::newRow("just short")
            << 7200.0 << 7199.0 << QStringLiteral("goal 2h 0m · 99%") << 99 << 7199.0 / 7200;
        QTest::newRow("above it") << 14400.0 << 18000.0 << QStringLiteral("goal reached! 🎉") << 100
                                  << 1.0;
    }
    void goalBlock()
    {
        QFETCH(double, goal);
        QFETCH(double, worked);
        QFETCH(QString, label);
        QFETCH(int, percent);
        QFETCH(double, fraction);
        UiFixture f;
        f.worked(0, worked);
        f.settings.setValue(MacWorkStore::goalKey, goal);
        f.start();
        QQuickItem *block = findItem(f.showCard(), QStringLiteral("goalBlock"));
        QCOMPARE(shown(block), !label.isEmpty());
        if (label.isEmpty())
            return;
        QQuickItem *labelItem = findItem(block, QStringLiteral("goalLabel"));
        QCOMPARE(textOf(labelItem), label);
        QCOMPARE(attached(block, "Accessible.name").toString(),
                 QStringLiteral("Daily goal %1 percent complete").arg(percent));
        const double track = findItem(block, QStringLiteral("goalTrack"))->width();
        QCOMPARE(findItem(block, QStringLiteral("goalFill"))->width(),
                 std::max(track * fraction, 6.0));
        // QML keeps colours at 8 bits a channel.
        const QColor amber = QColor::fromRgbF(0.93f, 0.60f, 0.15f);
        QCOMPARE(labelItem->property("color").value<QColor>().rgb() == amber.rgb(), fraction >= 1);
    }

    void goalMenu()
    {
        UiFixture f;
        f.start();
        QQuickItem *card = f.showCard();
        QQuickItem *menu = findItem(card, QStringLiteral("goalMenu"));
        QVERIFY(menu);
        QCOMPARE(menu->property("count").toInt(), 13);
        QCOMPARE(menu->property("displayText").toString(), QStringLiteral("4h"));
        // Choosing from the open menu sets the goal.
        click(menu);
        QQuickItem *overlay = f.shell->card().window()->contentItem();
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = button(overlay, QStringLiteral("10h"))));
        QTest::qWait(100); // the popup's opening transition
        click(entry);
        QTRY_COMPARE(f.store->goalSeconds(), 36000.0);
        QCOMPARE(menu->property("displayText").toString(), QStringLiteral("10h"));
    }

    void barsAndDetailLine()
    {
        UiFixture f;
        f.worked(6, 7200); // Wednesday: over an hour, it fills the chart
        f.worked(2, 1800); // Sunday
        f.worked(1, 600);  // Monday
        DayActivity sunday;
        sunday.keys = 123;
        f.activity.insert(QStringLiteral("2026-03-08"), sunday);
        DayActivity monday;
        monday.keys = 4;
        f.activity.insert(QStringLiteral("2026-03-09"), monday);
        f.start();
        QQuickItem *card = f.showCard();

        QList<double> heights;
        for (int i = 0; i < 7; ++i)
            heights
                << findItem(findItem(card, QStringLiteral("dayColumn%1").arg(i)), "bar")->height();
        QCOMPARE(heights, (QList<double>{33, 5, 5, 5, 5 + 28.0 / 4, 5 + 28.0 * 600 / 7200, 5}));
        QCOMPARE(attached(findItem(card, "dayColumn4"), "Accessible.name").toString(),
                 QStringLiteral("Sunday, 30m"));
        QCOMPARE(textOf(findItem(card, QStringLiteral("weekTotal"))), QStringLiteral("2h 40m"));

        QQuickItem *detail = findItem(card, QStringLiteral("detailLine"));
        QVERIFY(!shown(detail));
        click(findItem(card, QStringLiteral("dayColumn4")));
        QTRY_VERIFY(shown(detail));
        QCOMPARE(textOf(findItem(detail, QStringLiteral("detailDate"))),
                 QStringLiteral("Sunday, Mar 8"));
        QCOMPARE(textOf(findItem(detail, QStringLiteral("detailDuration"))), QStringLiteral("30m"));
        QCOMPARE(textOf(findItem(detail, QStringLiteral("detailWords"))),
                 QStringLiteral("~24 words"));
        // The same day again hides it.
        click(findItem(card, QStringLiteral("dayColumn4")));
        QTRY_VERIFY(!shown(detail));
        // Four keystrokes are not a word.
        click(findItem(card, QStringLiteral("dayColumn5")));
        QTRY_VERIFY(shown(detail));
        QVERIFY(!shown(findItem(detail, QStringLiteral("detailWords"))));
    }

    void crewBoxStates()
    {
        UiFixture f;
        f.crew.answers["join LUCKY7"] = {named("Night Owls")};
        f.crew.answers["fetch LUCKY7"] = {named("Night Owls")};
        f.crew.answers["create"] = {named({}, "NEW001")};
        f.crew.answers["fetch NEW001"] = {named("Ann's Crew")};
        f.start();
        QQuickItem *card = f.showCard();
        QQuickItem *box = findItem(card, QStringLiteral("crewBox"));
        const auto visibleParts = [&] {
            QStringList parts;
            for (const char *name : {"crewHeading", "crewPitch", "introButtons", "crewTabs",
                                     "pickerButtons", "crewForm", "codeField", "crewBoard"})
                if (shown(findItem(box, QString::fromLatin1(name))))
                    parts << QString::fromLatin1(name);
            return parts;
        };
        const auto heading = [&] { return textOf(findItem(box, QStringLiteral("boardHeading"))); };
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewPitch", "introButtons"}));
        click(button(box, "Start a crew"));
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewForm"}));
        click(button(box, "Cancel"));
        click(button(box, "Join with code"));
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewForm", "codeField"}));

        // Joining with a nickname typed with spaces around it, and the code in lower case.
        click(findItem(box, QStringLiteral("nicknameField")));
        typeText(card->window(), QStringLiteral("  Ann "));
        click(findItem(box, QStringLiteral("codeField")));
        typeText(card->window(), QStringLiteral("lucky7"));
        click(button(box, "Join"));
        QTRY_COMPARE(visibleParts(), QStringList{"crewBoard"});
        QCOMPARE(f.crew.calls.first(), QStringLiteral("join LUCKY7 Ann"));
        QCOMPARE(heading(), QStringLiteral("CREW · NIGHT OWLS"));

        // Another crew: the picker, then the form with the nickname filled in.
        click(findItem(box, QStringLiteral("addCrewButton")));
        QCOMPARE(visibleParts(), QStringList{"pickerButtons"});
        click(button(box, "Start a crew"));
        QCOMPARE(textOf(findItem(box, QStringLiteral("nicknameField"))), QStringLiteral("Ann"));
        click(button(box, "Create"));
        QTRY_COMPARE(visibleParts(), (QStringList{"crewTabs", "crewBoard"}));
        QCOMPARE(f.crew.calls.filter("create").first(), QStringLiteral("create Ann's Crew Ann"));
        QCOMPARE(heading(), QStringLiteral("CREW · ANN'S CREW"));
        click(findItems(box, QStringLiteral("crewTab")).first());
        QCOMPARE(heading(), QStringLiteral("CREW · NIGHT OWLS"));

        // Leaving the displayed crew shows the other at once.
        click(findItem(box, QStringLiteral("leaveButton")));
        QCOMPARE(visibleParts(), QStringList{"crewBoard"});
        QCOMPARE(heading(), QStringLiteral("CREW · ANN'S CREW"));

        // A refused join keeps the form with the store's message, and the button usable.
        const QString refusal = QStringLiteral("That nickname is taken in this crew.");
        Answer refused;
        refused.failure = CrewClient::CrewFailure(CrewClient::CrewError::server(refusal));
        f.crew.answers["join ZZZZZZ"] = {refused};
        click(findItem(box, QStringLiteral("addCrewButton")));
        click(button(box, "Join with code"));
        click(findItem(box, QStringLiteral("codeField")));
        typeText(card->window(), QStringLiteral("ZZZZZZ"));
        click(button(box, "Join"));
        QTRY_COMPARE(textOf(findItem(box, QStringLiteral("crewError"))), refusal);
        QVERIFY(shown(findItem(box, QStringLiteral("crewForm"))));
        QVERIFY(button(box, "Join"));
    }

    void leaderboard()
    {
        UiFixture f;
        f.start();
        joinCrew(f, "LUCKY7", "Ann",
                 {{"Mika", 7000},
                  {"Ann", 6000},
                  {"Jo", 5000},
                  {"Sam", 4000},
                  {"Lee", 3000},
                  {"Kim", 2000},
                  {"Ray", 1000}});
        QQuickItem *card = f.showCard();
        QTRY_COMPARE(rows(card).size(), 5);
        QStringList marks, names, times;
        QList<bool> removable;
        for (QQuickItem *row : rows(card)) {
            marks << textOf(findItem(row, "rankMark"));
            names << textOf(findItem(row, "nickname"));
            times << textOf(findItem(row, "todayTime"));
            removable << shown(findItem(row, "removeButton"));
        }
        QCOMPARE(marks, (QStringList{"👑", "🥈", "🥉", "4.", "5."}));
        QCOMPARE(names, (QStringList{"Mika", "Ann (you)", "Jo", "Sam", "Lee"}));
        QCOMPARE(times, (QStringList{"1h 56m", "1h 40m", "1h 23m", "1h 6m", "50m"}));
        // The owner may remove everybody but themselves.
        QCOMPARE(removable, (QList<bool>{true, false, true, true, true}));

        // The confirmation moves from row to row; "Keep" ends it.
        const auto confirming = [&] {
            QList<bool> list;
            for (QQuickItem *row : rows(card))
                list << shown(findItem(row, "confirmRemove"));
            return list;
        };
        click(findItem(rows(card)[2], "removeButton"));
        QCOMPARE(confirming(), (QList<bool>{false, false, true, false, false}));
        click(findItem(rows(card)[3], "removeButton"));
        QCOMPARE(confirming(), (QList<bool>{false, false, false, true, false}));
        click(findItem(rows(card)[3], "keep"));
        QCOMPARE(confirming(), (QList<bool>(5, false)));
        click(findItem(rows(card)[0], "removeButton"));
        click(findItem(rows(card)[0], "confirmRemove"));
        QTRY_COMPARE(f.crew.calls.filter("kick"), QStringList{"kick LUCKY7 Mika"});
        QCOMPARE(confirming(), (QList<bool>(5, false)));
    }

    // In another owner's crew: no remove buttons; the invite is copied; opening the card
    // reports and refreshes.
    void memberOfAnotherOwnersCrew()
    {
        UiFixture f;
        f.start();
        joinCrew(f, "LUCKY7", "Mika", {{"Mika", 7000}, {"Ann", 6000}, {"Jo", 5000}});
        f.crew.calls.clear();
        QQuickItem *card = f.showCard();
        QTRY_COMPARE(f.crew.calls.size(), 2);
        QVERIFY(f.crew.calls.contains("report LUCKY7") && f.crew.calls.contains("fetch LUCKY7"));
        QTRY_COMPARE(rows(card).size(), 3);
        for (QQuickItem *row : rows(card))
            QVERIFY(!shown(findItem(row, "removeButton")));

        QQuickItem *copy = findItem(card, QStringLiteral("copyInviteButton"));
        QCOMPARE(textOf(copy), QStringLiteral("Copy invite"));
        click(copy);
        QCOMPARE(textOf(copy), QStringLiteral("Copied! 🍀"));
        QVERIFY(f.pasteboard.content.endsWith(QStringLiteral("/c/LUCKY7 (code LUCKY7)")));
        QTRY_COMPARE_WITH_TIMEOUT(textOf(copy), QStringLiteral("Copy invite"), 2500);
    }

    void panelBehaviour()
    {
        UiFixture f;
        f.start();
        QQuickItem *card = f.showCard();
        QQuickView *view = f.shell->card().window();
        QTRY_VERIFY(view->isActive());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isVisible());
        QCOMPARE(card->property("isVisible").toBool(), false);
        // Losing the focus to another window closes it too.
        f.shell->card().show();
        QTRY_VERIFY(view->isActive());
        f.shell->showHowItWorks();
        QTRY_VERIFY(!view->isVisible());
    }
};

QTEST_MAIN(CardTest)
#include "tst_card.moc"
