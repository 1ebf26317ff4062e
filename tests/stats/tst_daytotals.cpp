#include "DayTotals.h"
#include "DurationText.h"
#include "RecordFixture.h"
#include "Stats.h"

#include <QTest>

class TestDayTotals : public QObject {
    Q_OBJECT
private slots:
    void runningSegmentAcrossMidnight()
    {
        const QTimeZone zone("Europe/Berlin");
        const Calendar cal(zone, 2);
        RecordFixture r;
        r.segmentStart = localInstant(zone, "2026-03-06 23:50");
        const Instant now = localInstant(zone, "2026-03-07 00:20");
        r.add(localInstant(zone, "2026-03-06 23:59:30"), 60); // counts in full on its own day
        const auto v = r.view(cal, now);
        QCOMPARE(dayTotal(v, now, now), 1200.0);
        QCOMPARE(dayTotal(v, localInstant(zone, "2026-03-06 12:00"), now), 600.0 + 60);
        // dailyTotals credits the whole running segment to its start day.
        const auto totals = dailyTotals(v);
        QCOMPARE(totals.size(), size_t(1));
        QCOMPARE(totals.at(cal.startOfDay(now - 3600)), 1800.0 + 60);
        // A segment starting after "now" adds nothing.
        QCOMPARE(dayTotal(v, now, localInstant(zone, "2026-03-06 23:40")), 0.0);

        // On the 23-hour spring day the clip still ends at the next local midnight.
        RecordFixture dst;
        dst.segmentStart = localInstant(zone, "2026-03-29 23:00");
        const Instant after = localInstant(zone, "2026-03-30 01:00");
        const auto dv = dst.view(cal, after);
        QCOMPARE(dayTotal(dv, localInstant(zone, "2026-03-29 12:00"), after), 3600.0);
        QCOMPARE(dayTotal(dv, after, after), 3600.0);

        // Sao Paulo 2018-11-04 began at 01:00: a segment from 23:30 the day before is split there.
        const QTimeZone sp("America/Sao_Paulo");
        const Calendar spCal(sp, 1);
        RecordFixture s;
        s.segmentStart = localInstant(sp, "2018-11-03 23:30");
        const Instant spNow = localInstant(sp, "2018-11-04 01:30");
        const auto sv = s.view(spCal, spNow);
        QCOMPARE(dayTotal(sv, spNow, spNow), 1800.0);
        QCOMPARE(dayTotal(sv, spNow - 86400, spNow), 1800.0);
    }

    void totalsNeverNegativeAndCountEveryKind()
    {
        const QTimeZone zone("Europe/Berlin");
        const Calendar cal(zone, 2);
        RecordFixture r;
        const Instant day = localInstant(zone, "2026-05-04 10:00");
        r.add(day, 600);
        r.add(day + 60, 300, WorkEntry::Kind::added);
        r.add(day + 120, -1200, WorkEntry::Kind::removed);
        r.add(day + 86400, 100, WorkEntry::Kind::added);
        const auto v = r.view(cal, day + 2 * 86400);
        QCOMPARE(dayTotal(v, day, v.now()), 0.0); // 600 + 300 - 1200
        QCOMPARE(dayTotal(v, day + 86400, v.now()), 100.0);
        const auto totals = dailyTotals(v);
        QCOMPARE(totals.size(), size_t(2));
        QCOMPARE(totals.begin()->second, 0.0);
        QCOMPARE(entriesOnDay(v, day).size(), 3);
        QCOMPARE(entriesOnDay(v, day).at(2).kind, WorkEntry::Kind::removed);

        RecordFixture empty;
        const auto ev = empty.view(cal, day);
        QCOMPARE(dayTotal(ev, day, day), 0.0);
        QVERIFY(dailyTotals(ev).empty());
    }

    void unsortedEntriesGiveTheSameTotals()
    {
        const QTimeZone zone("Australia/Lord_Howe");
        const Calendar cal(zone, 2);
        RecordFixture sorted;
        const Instant base = localInstant(zone, "2026-04-01 09:00");
        for (int i = 0; i < 40; ++i)
            sorted.add(base + i * 7 * 3600.0, 100 + i);
        RecordFixture shuffled = sorted;
        std::reverse(shuffled.entries.begin(), shuffled.entries.end());
        const Instant now = base + 14 * 86400;
        const auto a = sorted.view(cal, now);
        const auto b = shuffled.view(cal, now);
        QCOMPARE(dailyTotals(a), dailyTotals(b));
        for (int d = 0; d < 14; ++d)
            QCOMPARE(dayTotal(a, base + d * 86400, now), dayTotal(b, base + d * 86400, now));
        // entriesOnDay keeps stored order even when the store is not in date order.
        const auto onDay = entriesOnDay(b, base);
        QVERIFY(onDay.size() > 1);
        QVERIFY(onDay.first().date > onDay.last().date);
    }

    void rollingWeek()
    {
        const QTimeZone zone("Europe/Berlin");
        const Calendar cal(zone, 1);
        // Across the autumn change the week still starts at local midnight six days back.
        const Instant now = localInstant(zone, "2026-10-28 15:00");
        QCOMPARE(rollingWeekStart(cal, now), localInstant(zone, "2026-10-22 00:00"));
        const QTimeZone apia("Pacific/Apia");
        QCOMPARE(rollingWeekStart(Calendar(apia, 1), localInstant(apia, "2012-01-03 12:00")),
                 localInstant(apia, "2011-12-28 00:00"));

        // Sao Paulo's 2018-11-04 began at 01:00. As today, the week still takes 10-29 whole; as the
        // seventh day back, it counts from its own first instant.
        const QTimeZone sp("America/Sao_Paulo");
        const Calendar sc(sp, 1);
        RecordFixture r;
        r.add(localInstant(sp, "2018-10-29 00:30"), 600);
        r.add(localInstant(sp, "2018-11-04 01:10"), 60);
        QCOMPARE(stats(r.view(sc, localInstant(sp, "2018-11-04 12:00"))).last7Days, 660.0);
        QCOMPARE(stats(r.view(sc, localInstant(sp, "2018-11-10 12:00"))).last7Days, 60.0);
    }

    void monthCellsFollowTheFirstWeekday_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("month");
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<int>("days");
        // March 2026 begins on a Sunday: no blanks with Sunday weeks, six with Monday weeks.
        QTest::newRow("starts on first weekday")
            << QByteArray("Europe/Berlin") << "2026-03-31 23:00" << 1 << 0 << 31;
        QTest::newRow("starts after last weekday")
            << QByteArray("Europe/Berlin") << "2026-03-01 00:00" << 2 << 6 << 31;
        QTest::newRow("apia december 2011")
            << QByteArray("Pacific/Apia") << "2011-12-10 12:00" << 2 << 3 << 31;
        QTest::newRow("sao paulo november 2018")
            << QByteArray("America/Sao_Paulo") << "2018-11-20 12:00" << 1 << 4 << 30;
    }

    void monthCellsFollowTheFirstWeekday()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, month);
        QFETCH(int, firstWeekday);
        QFETCH(int, blanks);
        QFETCH(int, days);
        const QTimeZone z(zone);
        const Calendar cal(z, firstWeekday);
        const auto cells = monthCells(cal, localInstant(z, month.toLatin1().constData()));
        QCOMPARE(cells.size(), blanks + days);
        for (int i = 0; i < blanks; ++i)
            QVERIFY(!cells[i]);
        // Every day cell is the start of its own date; a date the zone skipped is blank.
        for (int i = blanks; i < cells.size(); ++i) {
            const QDate date = cal.date(*cells[blanks]).addDays(i - blanks);
            if (zone == "Pacific/Apia" && date == QDate(2011, 12, 30)) {
                QVERIFY(!cells[i]);
                continue;
            }
            QVERIFY(cells[i]);
            QCOMPARE(cal.date(*cells[i]), date);
            QCOMPARE(*cells[i], cal.startOfDay(date));
        }
        QCOMPARE(cal.date(*cells[blanks]).day(), 1);
    }

    void durationAndClockTexts()
    {
        const struct {
            double seconds;
            const char *duration;
            const char *clock;
        } rows[] = {{-5, "0m", "0:00:00"},
                    {0.5, "1s", "0:00:01"},
                    {59.5, "1m", "0:01:00"},
                    {3599.5, "1h 0m", "1:00:00"},
                    {90061, "25h 1m", "25:01:01"},
                    {std::nan(""), "0m", "0:00:00"},
                    {qInf(), "277777777777h 46m", "277777777777:46:40"}};
        for (const auto &row : rows) {
            QCOMPARE(durationText(row.seconds), QString::fromLatin1(row.duration));
            QCOMPARE(clockText(row.seconds), QString::fromLatin1(row.clock));
        }
    }
};

QTEST_GUILESS_MAIN(TestDayTotals)
#include "tst_daytotals.moc"
