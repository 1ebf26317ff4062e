// The card's rules of presentation as tables: badges, marks, bar heights, goal texts, the crew
// box's content for each state, and where the card opens.
#include "CardText.h"

#include <QTest>

using namespace CardText;

class CardTextTest : public QObject {
    Q_OBJECT
private slots:
    void streakBadge_data()
    {
        QTest::addColumn<qint64>("streak");
        QTest::addColumn<QString>("badge");
        QTest::newRow("none") << qint64(0) << QString();
        QTest::newRow("one day is no streak") << qint64(1) << QString();
        QTest::newRow("two") << qint64(2) << QStringLiteral("🔥 2-day streak");
        QTest::newRow("lucky seven") << qint64(7) << QStringLiteral("🍀 777 streak!");
        QTest::newRow("eight is fire again") << qint64(8) << QStringLiteral("🔥 8-day streak");
        QTest::newRow("twelve") << qint64(12) << QStringLiteral("🔥 12-day streak");
    }
    void streakBadge()
    {
        QFETCH(qint64, streak);
        QFETCH(QString, badge);
        QCOMPARE(CardText::streakBadge(streak), badge);
    }

    void rankMarks()
    {
        const QStringList marks{"👑", "🥈", "🥉", "4.", "5.", "6."};
        for (int i = 0; i < marks.size(); ++i)
            QCOMPARE(rankMark(i), marks[i]);
    }

    void barHeights_data()
    {
        QTest::addColumn<QList<double>>("week");
        QTest::addColumn<QList<double>>("heights");
        QTest::newRow("a week without work")
            << QList<double>{0, 0, 0, 0, 0, 0, 0} << QList<double>{5, 5, 5, 5, 5, 5, 5};
        // An hour or less never fills the chart.
        QTest::newRow("one day of 30 minutes")
            << QList<double>{0, 0, 1800, 0, 0, 0, 0} << QList<double>{5, 5, 19, 5, 5, 5, 5};
        QTest::newRow("the longest day fills it")
            << QList<double>{7200, 3600, 0, 0, 0, 0, 1800} << QList<double>{33, 19, 5, 5, 5, 5, 12};
    }
    void barHeights()
    {
        QFETCH(QList<double>, week);
        QFETCH(QList<double>, heights);
        const double scale = chartScale(week);
        QList<double> got;
        for (double s : week)
            got << barHeight(s, scale);
        QCOMPARE(got, heights);
    }

    void goalTexts()
    {
        QCOMPARE(goalLabel(false, 25, 14400), QStringLiteral("goal 4h 0m · 25%"));
        QCOMPARE(goalLabel(false, 99, 7200), QStringLiteral("goal 2h 0m · 99%"));
        QCOMPARE(goalLabel(true, 100, 14400), QStringLiteral("goal reached! 🎉"));
        QCOMPARE(goalAccessibleName(100), QStringLiteral("Daily goal 100 percent complete"));
        QCOMPARE(goalAccessibleName(7), QStringLiteral("Daily goal 7 percent complete"));

        const QList<GoalChoice> choices = goalChoices();
        QStringList labels;
        QList<double> seconds;
        for (const auto &c : choices) {
            labels << c.label;
            seconds << c.seconds;
        }
        QCOMPARE(labels, (QStringList{"Off", "2h", "4h", "6h", "8h", "10h", "12h", "14h", "16h",
                                      "18h", "20h", "22h", "24h"}));
        QCOMPARE(seconds.first(), 0.0);
        QCOMPARE(seconds[2], 14400.0);
        QCOMPARE(seconds.last(), 86400.0);
    }

    void crewBoxTable_data()
    {
        QTest::addColumn<int>("memberships");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("tabs");
        QTest::newRow("none, hidden") << 0 << "hidden"
                                      << "intro" << false;
        QTest::newRow("none, create") << 0 << "create"
                                      << "form" << false;
        QTest::newRow("none, join") << 0 << "join"
                                    << "form" << false;
        QTest::newRow("none, picker") << 0 << "picker"
                                      << "form" << false;
        QTest::newRow("one, hidden") << 1 << "hidden"
                                     << "board" << false;
        QTest::newRow("one, picker") << 1 << "picker"
                                     << "picker" << false;
        QTest::newRow("one, join") << 1 << "join"
                                   << "form" << false;
        QTest::newRow("two, hidden") << 2 << "hidden"
                                     << "board" << true;
        QTest::newRow("two, picker") << 2 << "picker"
                                     << "picker" << true;
        QTest::newRow("five, create") << 5 << "create"
                                      << "form" << true;
    }
    void crewBoxTable()
    {
        QFETCH(int, memberships);
        QFETCH(QString, form);
        QFETCH(QString, content);
        QFETCH(bool, tabs);
        QCOMPARE(crewBoxContent(memberships, form), content);
        QCOMPARE(crewTabsShown(memberships), tabs);
    }

    void trimming()
    {
        QCOMPARE(trimmed(QStringLiteral(" \t Ace \t")), QStringLiteral("Ace"));
        QCOMPARE(trimmed(QStringLiteral("A ce")), QStringLiteral("A ce"));
        QCOMPARE(trimmed(QStringLiteral(" \t ")), QString());
        // Only spaces and tabs: a newline is the nickname's own business.
        QCOMPARE(trimmed(QStringLiteral("\nAce")), QStringLiteral("\nAce"));
    }

    void cardPosition_data()
    {
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<QPoint>("position");
        const QSize card(330, 600);
        Q_UNUSED(card);
        // Screen 1920x1080 with a 30-point top panel: the area starts at y 30.
        QTest::newRow("top panel, middle") << QPoint(960, 15) << QPoint(795, 30);
        QTest::newRow("top panel, right edge") << QPoint(1910, 15) << QPoint(1590, 30);
        QTest::newRow("top panel, left edge") << QPoint(5, 15) << QPoint(0, 30);
        QTest::newRow("bottom panel") << QPoint(1800, 1075) << QPoint(1590, 1075 - 6 - 600);
        QTest::newRow("item below the top") << QPoint(700, 200) << QPoint(535, 206);
    }
    void cardPosition()
    {
        QFETCH(QPoint, anchor);
        QFETCH(QPoint, position);
        QCOMPARE(CardText::cardPosition(QRect(0, 30, 1920, 1050), anchor, QSize(330, 600)),
                 position);
    }
};

QTEST_APPLESS_MAIN(CardTextTest)
#include "tst_cardtext.moc"
