// The history window: its texts and tints, the model over a real store, the export, and the
// window itself (navigation, selection, the same window after closing).

#include "CardModel.h"
#include "DayTotals.h"
#include "ExportDocument.h"
#include "HistoryModel.h"
#include "HistoryText.h"
#include "UiFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using namespace HistoryText;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

QVariantMap chip(const QVariantMap &detail, const QString &id)
{
    for (const QVariant &c : detail.value(QStringLiteral("chips")).toList())
        if (c.toMap().value(QStringLiteral("id")) == id)
            return c.toMap();
    return {};
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT

private slots:
    // The texts at their edges: rounding and thresholds.
    void texts()
    {
        QCOMPARE(compactLabel(20), QStringLiteral("0m"));
        QCOMPARE(compactLabel(2 * 3600 + 5 * 60), QStringLiteral("2h5"));
        QCOMPARE(compactLabel(3 * 3600 + 30), QStringLiteral("3h"));
        QCOMPARE(compactLabel(3599.5), QStringLiteral("1h")); // rounds to 3600 first
        QCOMPARE(cellTint(3 * 3600).opacity, 0.395);
        QCOMPARE(cellTint(9 * 3600).opacity, 0.67);
        QVERIFY(!cellTint(0).worked);
        DayActivity a;
        a.typingSeconds = 50;
        a.mousingSeconds = 5;
        QVERIFY(!typingBarShown(a));
        a.mousingSeconds = 10;
        QVERIFY(typingBarShown(a));
        QCOMPARE(typingWidth(302, a), 250.0);
        a.typingSeconds = 0;
        QCOMPARE(typingWidth(302, a), 3.0);

        const Calendar sunday(QTimeZone("America/New_York"), 1, english);
        QCOMPARE(weekdayHeader(sunday), (QStringList{"S", "M", "T", "W", "T", "F", "S"}));
        const Calendar calendar(QTimeZone("Europe/Berlin"), 2, english);
        const Instant nine = localInstant(QTimeZone("Europe/Berlin"), "2026-03-10 09:00");
        QCOMPARE(sessionTimes({{}, nine, -600, WorkEntry::Kind::removed}, calendar),
                 QStringLiteral("at 9:00 AM"));
        QCOMPARE(sessionTimes({{}, nine, 3900, WorkEntry::Kind::timed}, calendar),
                 QStringLiteral("9:00 AM – 10:05 AM"));
    }

    // The model over a store: the tiles from the record, a day with entries but no activity,
    // a day with counters, and the running segment.
    void model()
    {
        UiFixture f;
        for (int d = 1; d <= 6; ++d)
            f.worked(d, 3600);
        const Instant twoDaysAgo = *f.calendar.addDays(f.at("2026-03-10 09:00"), -2);
        f.entries.append({QUuid::createUuid(), twoDaysAgo, -600, WorkEntry::Kind::removed});
        DayActivity busy;
        busy.keys = 1234;
        busy.clicks = 40;
        busy.modifierTaps = 7;
        busy.hourlyKeys[23] = 1000;
        busy.hourlyKeys[8] = 234;
        busy.appSeconds.insert(QStringLiteral("Editor"), 3000);
        f.activity.insert(QStringLiteral("2026-03-09"), busy);
        f.start();
        HistoryModel history(*f.store);

        const QVariantMap tiles = history.tiles();
        QCOMPARE(tiles.value("streak").toString(), QStringLiteral("6 days"));
        QCOMPARE(tiles.value("bestDay").toString(), QStringLiteral("1h 0m"));

        history.selectDay(twoDaysAgo);
        QVariantMap removed = history.detail();
        QCOMPARE(removed.value("total").toString(), QStringLiteral("50m"));
        const QVariantList sessions = removed.value("sessions").toList();
        QCOMPARE(sessions.size(), 2);
        // Oldest first by start: the work from 08:59, then the removal at 09:00.
        QCOMPARE(sessions[0].toMap().value("title").toString(), QStringLiteral("Worked 1h 0m"));
        QCOMPARE(sessions[1].toMap().value("title").toString(), QStringLiteral("Removed 10m"));
        QCOMPARE(removed.value("words").toString(),
                 QStringLiteral("⌨️ ~0 words typed · 0 keystrokes"));

        history.selectDay(*f.calendar.addDays(f.clock.now(), -1));
        const QVariantMap yesterday = history.detail();
        QCOMPARE(yesterday.value("title").toString(), QStringLiteral("Yesterday"));
        QCOMPARE(yesterday.value("words").toString(),
                 QStringLiteral("⌨️ ~246 words typed · 1,234 keystrokes"));
        QCOMPARE(yesterday.value("busiest").toString(),
                 QStringLiteral("busiest 11 PM – 12 AM · ~200 words"));
        QCOMPARE(chip(yesterday, "mods").value("value").toString(), QStringLiteral("~3"));
        QVERIFY(yesterday.value("hoursShown").toBool());
        const QVariantList bars = yesterday.value("hourBars").toList();
        QCOMPARE(bars[23].toDouble(), 26.0);
        QCOMPARE(bars[8].toDouble(), 26.0 * 234 / 1000);

        // Counting today: the line, and the cell's label and tint follow the running clock.
        f.type(600);
        QVERIFY(f.store->isTracking());
        history.selectDay(f.clock.now());
        const QVariantMap today = history.detail();
        QVERIFY(today.value("counting").toBool());
        QCOMPARE(today.value("countingSince").toString(),
                 QStringLiteral("counting now · since 10:00 AM"));
        const QVariantList cells = history.month().value("cells").toList();
        // March 2026 starts on a Sunday: six blanks before it in a Monday-first week.
        QCOMPARE(cells.size(), 6 + 31);
        QVERIFY(cells[5].toMap().value("blank").toBool());
        const QVariantMap tenth = cells[6 + 9].toMap();
        QVERIFY(tenth.value("isToday").toBool());
        QVERIFY(tenth.value("isSelected").toBool());
        QCOMPARE(tenth.value("label").toString(),
                 compactLabel(dayTotal(f.store->recordView(), f.clock.now(), f.clock.now())));
        QVERIFY(tenth.value("worked").toBool());
    }

    // The dates of the history window and of the card's chart in the user's language and order;
    // English letters, not digits, where the locale has no names.
    void datesInTheUsersLanguage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("weekdays"); // Monday first
        QTest::addColumn<QString>("chart");    // Wednesday 4th to Tuesday 10th
        QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << "3月8日日曜日"
                               << "2026年3月"
                               << "月火水木金土日"
                               << "水木金土日月火";
        QTest::newRow("C") << QLocale::c() << "Sunday, Mar 8"
                           << "March 2026"
                           << "MTWTFSS"
                           << "WTFSSMT";
    }
    void datesInTheUsersLanguage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, weekdays);
        QFETCH(QString, chart);
        UiFixture f;
        f.calendar = Calendar(QTimeZone("Europe/Berlin"), 2, locale);
        f.start();
        const Instant sunday = f.at("2026-03-08 12:00");

        HistoryModel history(*f.store);
        history.selectDay(sunday);
        QCOMPARE(history.detail().value("title").toString(), day);
        QCOMPARE(history.month().value("title").toString(), month);
        QCOMPARE(history.month().value("weekdays").toStringList().join(QString()), weekdays);

        CardModel card(*f.store);
        QString letters;
        for (const QVariant &d : card.week().value("days").toList())
            letters += d.toMap().value("letter").toString();
        QCOMPARE(letters, chart);
        card.chooseDay(sunday);
        QCOMPARE(card.dayDetail().toMap().value("date").toString(), day);
    }

    // The file byte for byte, the message, and a failure that keeps the old file.
    void exportHistory()
    {
        UiFixture f;
        for (int i = 0; i < 120; ++i)
            f.entries.append({QUuid::createUuid(), f.at("2026-03-01 08:00") - 7200.0 * i, 3600,
                              WorkEntry::Kind::timed});
        f.start();
        HistoryModel history(*f.store);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Quenby-History.json"));
        history.exportTo(QUrl::fromLocalFile(path));
        QCOMPARE(history.transferMessage(), QStringLiteral("Exported 120 entries ✓"));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray before = written.readAll();
        QCOMPARE(before, *exportData(f.store->entries()));

        // A write that fails half-way (the file size limit, which binds root too): the earlier
        // export stays whole.
        QVERIFY(before.size() > 8192);
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &old) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        history.exportTo(QUrl::fromLocalFile(path));
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
        QCOMPARE(history.transferMessage(), QStringLiteral("Export failed"));
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), before);
    }

    // The window reads the model: tiles, the empty day, chevrons across a year,
    // choosing a day; and after closing it opens as it was left.
    void window()
    {
        UiFixture f;
        f.worked(1, 3 * 3600 + 30);
        f.worked(40, 3600);
        f.start();
        f.shell->showHistory();
        QQuickView *window = f.shell->windows().historyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        QStringList tiles;
        for (QQuickItem *t : findItems(root, QStringLiteral("tileValue")))
            tiles << textOf(t);
        QCOMPARE(tiles, (QStringList{"3h 0m", "1 day", "3h 0m", "4h 0m"}));
        QVERIFY(shown(findItem(root, QStringLiteral("emptyDay"))));

        // Choosing yesterday (the 9th: the 15th cell of a Monday-first March 2026).
        QList<QQuickItem *> days = findItems(root, QStringLiteral("dayCell"));
        QCOMPARE(days.size(), 31);
        click(days[8]);
        QTRY_COMPARE(textOf(findItem(root, QStringLiteral("dayTitle"))),
                     QStringLiteral("Yesterday"));
        QVERIFY(!shown(findItem(root, QStringLiteral("emptyDay"))));
        QCOMPARE(findItems(root, QStringLiteral("session")).size(), 1);

        for (int i = 0; i < 3; ++i)
            click(findItem(root, QStringLiteral("previousMonth")));
        QTRY_COMPARE(textOf(findItem(root, QStringLiteral("monthTitle"))),
                     QStringLiteral("December 2025"));

        window->close();
        QTRY_VERIFY(!window->isVisible());
        f.shell->showHistory();
        QCOMPARE(f.shell->windows().historyWindow(), window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(textOf(findItem(root, QStringLiteral("monthTitle"))),
                 QStringLiteral("December 2025"));
        QCOMPARE(textOf(findItem(root, QStringLiteral("dayTitle"))), QStringLiteral("Yesterday"));
    }
};

QTEST_MAIN(HistoryTest)
#include "tst_history.moc"
