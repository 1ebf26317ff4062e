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
    // Today on a seven-day streak: the badge, score and pace, the goal block short of the goal
    // and, after choosing 2h from the menu, past it; then the clock counting.
    void todaysFigures()
    {
        UiFixture f;
        for (int d = 1; d < 7; ++d)
            f.worked(d, 1800);
        f.worked(0, 10800);
        DayActivity today;
        today.keys = 50000;
        today.typingSeconds = 5000;
        today.clicks = 2500;
        f.activity.insert(QStringLiteral("2026-03-10"), today);
        f.start();
        QQuickItem *card = f.showCard();
        const auto text = [&](const char *name) {
            return textOf(findItem(card, QString::fromLatin1(name)));
        };
        QCOMPARE(text("streakBadge"), QStringLiteral("🍀 777 streak!"));
        QCOMPARE(text("scoreText"), QStringLiteral("🏅 1,460"));
        QCOMPARE(text("paceText"), QStringLiteral("⌨️ 120 words/min"));
        QCOMPARE(text("todayClock"), QStringLiteral("3h 0m"));

        // QML keeps colours at 8 bits a channel.
        const QRgb amber = QColor::fromRgbF(0.93f, 0.60f, 0.15f).rgb();
        QQuickItem *block = findItem(card, QStringLiteral("goalBlock"));
        const auto checkBlock = [&](const QString &label, int percent, double fraction) {
            QCOMPARE(text("goalLabel"), label);
            QCOMPARE(attached(block, "Accessible.name").toString(),
                     QStringLiteral("Daily goal %1 percent complete").arg(percent));
            const double track = findItem(block, QStringLiteral("goalTrack"))->width();
            QCOMPARE(findItem(block, QStringLiteral("goalFill"))->width(), track * fraction);
            QCOMPARE(findItem(block, QStringLiteral("goalLabel"))
                             ->property("color")
                             .value<QColor>()
                             .rgb() == amber,
                     fraction >= 1);
        };
        checkBlock(QStringLiteral("goal 4h 0m · 75%"), 75, 0.75);
        QQuickItem *menu = findItem(card, QStringLiteral("goalMenu"));
        QCOMPARE(menu->property("count").toInt(), 13);
        click(menu);
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = button(f.shell->card().window()->contentItem(), "2h")));
        QTest::qWait(100); // the popup's opening transition
        click(entry);
        QTRY_COMPARE(f.store->goalSeconds(), 7200.0);
        QCOMPARE(menu->property("displayText").toString(), QStringLiteral("2h"));
        checkBlock(QStringLiteral("goal reached! 🎉"), 100, 1.0);
        f.store->setGoalSeconds(0);
        QTRY_VERIFY(!shown(block));

        // Counting: the running clock, ticking each second.
        f.type(60);
        QVERIFY(f.store->isTracking());
        QTRY_VERIFY(text("todayClock").startsWith("3:0"));
        const QString before = text("todayClock");
        f.clock.advance(2);
        QTRY_VERIFY(text("todayClock") != before);
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

    // The crew box from its pitch to a board: a join with the nickname and code as typed, and a
    // refused join that keeps the form.
    void crewBox()
    {
        UiFixture f;
        f.crew.answers["join LUCKY7"] = {named("Night Owls")};
        f.crew.answers["fetch LUCKY7"] = {named("Night Owls")};
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
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewPitch", "introButtons"}));
        click(button(box, "Join with code"));
        QCOMPARE(visibleParts(), (QStringList{"crewHeading", "crewForm", "codeField"}));

        // A nickname typed with spaces around it, and the code in lower case.
        click(findItem(box, QStringLiteral("nicknameField")));
        typeText(card->window(), QStringLiteral("  Ann "));
        click(findItem(box, QStringLiteral("codeField")));
        typeText(card->window(), QStringLiteral("lucky7"));
        click(button(box, "Join"));
        QTRY_COMPARE(visibleParts(), QStringList{"crewBoard"});
        QCOMPARE(f.crew.calls.first(), QStringLiteral("join LUCKY7 Ann"));
        QCOMPARE(textOf(findItem(box, QStringLiteral("boardHeading"))),
                 QStringLiteral("CREW · NIGHT OWLS"));

        const QString refusal = QStringLiteral("That nickname is taken in this crew.");
        Answer refused;
        refused.failure = CrewClient::CrewFailure(CrewClient::CrewError::server(refusal));
        f.crew.answers["join ZZZZZZ"] = {refused};
        click(findItem(box, QStringLiteral("addCrewButton")));
        QCOMPARE(visibleParts(), QStringList{"pickerButtons"});
        click(button(box, "Join with code"));
        click(findItem(box, QStringLiteral("codeField")));
        typeText(card->window(), QStringLiteral("ZZZZZZ"));
        click(button(box, "Join"));
        QTRY_COMPARE(textOf(findItem(box, QStringLiteral("crewError"))), refusal);
        QVERIFY(shown(findItem(box, QStringLiteral("crewForm"))));
        QVERIFY(button(box, "Join"));
    }

    // The owner's board: five rows of seven, marks and times, removing after a confirmation.
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

        // Nothing goes before the confirmation; "Keep" takes it back.
        click(findItem(rows(card)[3], "removeButton"));
        click(findItem(rows(card)[3], "keep"));
        QVERIFY(!shown(findItem(rows(card)[3], "confirmRemove")));
        click(findItem(rows(card)[0], "removeButton"));
        QVERIFY(f.crew.calls.filter("kick").isEmpty());
        click(findItem(rows(card)[0], "confirmRemove"));
        QTRY_COMPARE(f.crew.calls.filter("kick"), QStringList{"kick LUCKY7 Mika"});
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
        click(findItem(card, QStringLiteral("copyInviteButton")));
        QVERIFY(f.pasteboard.content.endsWith(QStringLiteral("/c/LUCKY7 (code LUCKY7)")));
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
