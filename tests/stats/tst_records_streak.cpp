#include "DayTotals.h"
#include "RecordFixture.h"
#include "Stats.h"

#include <QTest>

namespace {
// One entry at 10:00 local on each of `days` consecutive days ending at `last`.
void workDays(RecordFixture &r, const Calendar &cal, Instant last, int days, double seconds = 600)
{
    const Instant ten = cal.startOfDay(last) + 10 * 3600;
    for (int back = days - 1; back >= 0; --back)
        r.add(*cal.addDays(ten, -back), seconds);
}
} // namespace

class TestRecordsAndStreak : public QObject {
    Q_OBJECT
private slots:
    void streakCountsBackFromTodayOrYesterday()
    {
        const QTimeZone zone("Europe/Berlin");
        const Calendar cal(zone, 2);
        const Instant thursdayMorning = localInstant(zone, "2026-12-10 08:00");
        RecordFixture r;
        workDays(r, cal, thursdayMorning - 86400, 3); // Monday to Wednesday
        QCOMPARE(currentStreak(r.view(cal, thursdayMorning)), qint64(3));
        // Work begins on Thursday.
        r.segmentStart = localInstant(zone, "2026-12-10 07:59");
        QCOMPARE(currentStreak(r.view(cal, thursdayMorning)), qint64(4));
        r.segmentStart.reset();
        // Thursday ends without work: on Friday the streak is gone.
        QCOMPARE(currentStreak(r.view(cal, localInstant(zone, "2026-12-11 09:00"))), qint64(0));

        // A day whose entries cancel out is a day without work.
        RecordFixture cancel;
        workDays(cancel, cal, thursdayMorning, 5);
        cancel.add(cal.startOfDay(thursdayMorning - 2 * 86400) + 3600, -600,
                   WorkEntry::Kind::removed);
        QCOMPARE(currentStreak(cancel.view(cal, thursdayMorning)), qint64(2));

        RecordFixture none;
        QCOMPARE(currentStreak(none.view(cal, thursdayMorning)), qint64(0));

        // More than ten years unbroken stops at 3650.
        RecordFixture decade;
        workDays(decade, cal, thursdayMorning, 3700, 60);
        QCOMPARE(currentStreak(decade.view(cal, thursdayMorning)), qint64(3650));
    }

    void streakWalksAcrossClockChangesAndSkippedDays()
    {
        // Berlin, across both changes of 2026: work every day from 2026-03-20 to 2026-11-05.
        const QTimeZone berlin("Europe/Berlin");
        const Calendar bc(berlin, 2);
        RecordFixture b;
        const Instant last = localInstant(berlin, "2026-11-05 18:00");
        workDays(b, bc, last, 231);
        QCOMPARE(currentStreak(b.view(bc, last)), qint64(231));
        // Entries just after midnight on the change days still belong to them.
        RecordFixture edge;
        edge.add(localInstant(berlin, "2026-03-29 00:00:01"), 60);
        edge.add(localInstant(berlin, "2026-03-28 23:59:59"), 60);
        edge.add(localInstant(berlin, "2026-03-30 00:00"), 60);
        QCOMPARE(currentStreak(edge.view(bc, localInstant(berlin, "2026-03-30 12:00"))), qint64(3));

        // Apia: 2011-12-29 is followed by 2011-12-31; the skipped date does not break the streak.
        const QTimeZone apia("Pacific/Apia");
        const Calendar ac(apia, 2);
        RecordFixture a;
        for (const char *day : {"2011-12-26 10:00", "2011-12-27 10:00", "2011-12-28 10:00",
                                "2011-12-29 10:00", "2011-12-31 10:00", "2012-01-01 10:00"})
            a.add(localInstant(apia, day), 600);
        QCOMPARE(currentStreak(a.view(ac, localInstant(apia, "2012-01-01 12:00"))), qint64(6));

        // Sao Paulo: the day that began at 01:00.
        const QTimeZone sp("America/Sao_Paulo");
        const Calendar sc(sp, 1);
        RecordFixture s;
        for (const char *day : {"2018-11-03 23:59", "2018-11-04 01:00", "2018-11-05 00:00"})
            s.add(localInstant(sp, day), 30);
        QCOMPARE(currentStreak(s.view(sc, localInstant(sp, "2018-11-05 12:00"))), qint64(3));
    }

    void recordsOfTheRecord()
    {
        const QTimeZone zone("Europe/Berlin");
        const Calendar cal(zone, 2);
        const Instant now = localInstant(zone, "2026-12-07 12:00");
        RecordFixture empty;
        QCOMPARE(stats(empty.view(cal, now)), Stats());

        // Only a running segment of ten minutes.
        RecordFixture running;
        running.segmentStart = now - 600;
        const Stats rs = stats(running.view(cal, now));
        QCOMPARE(rs.allTime, 600.0);
        QCOMPARE(rs.last7Days, 600.0);
        QCOMPARE(rs.bestDay, cal.startOfDay(now));
        QCOMPARE(rs.streak, qint64(1));

        RecordFixture r;
        r.add(localInstant(zone, "2026-11-29 10:00"), 5000); // 8 days ago: not this week
        r.add(localInstant(zone, "2026-12-01 00:00"), 700);  // exactly 6 days ago: this week
        r.add(localInstant(zone, "2026-12-03 10:00"), 5000); // ties the best day; the earlier wins
        r.add(localInstant(zone, "2026-12-07 09:00"), 100);
        const Stats s = stats(r.view(cal, now));
        QCOMPARE(s.last7Days, 5800.0);
        QCOMPARE(s.allTime, 10800.0);
        QCOMPARE(s.bestDay, localInstant(zone, "2026-11-29 00:00"));
        QCOMPARE(s.bestDayTotal, 5000.0);
        QCOMPARE(s.streak, qint64(1));

        // Every day totals 0: a best day exists with 0 seconds.
        RecordFixture zero;
        zero.add(localInstant(zone, "2026-12-02 10:00"), 300, WorkEntry::Kind::added);
        zero.add(localInstant(zone, "2026-12-02 11:00"), -300, WorkEntry::Kind::removed);
        const Stats z = stats(zero.view(cal, now));
        QVERIFY(z.bestDay);
        QCOMPARE(z.bestDayTotal, 0.0);
        QCOMPARE(z.allTime, 0.0);
    }

    void goalProgress_data()
    {
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("goal");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("reached");
        QTest::newRow("a quarter, cut") << 3599.0 << 14400.0 << 24 << false;
        QTest::newRow("exactly") << 14400.0 << 14400.0 << 100 << true;
        QTest::newRow("beyond") << 20000.0 << 14400.0 << 100 << true;
        QTest::newRow("just short") << 14399.9 << 14400.0 << 99 << false;
    }

    void goalProgress()
    {
        QFETCH(double, total);
        QFETCH(double, goal);
        QFETCH(int, percent);
        QFETCH(bool, reached);
        const auto g = ::goalProgress(total, goal);
        QVERIFY(g);
        QCOMPARE(g->percent, percent);
        QCOMPARE(g->reached, reached);
        QCOMPARE(g->fraction, std::min(total / goal, 1.0));
        QVERIFY(!::goalProgress(total, 0));
    }
};

QTEST_GUILESS_MAIN(TestRecordsAndStreak)
#include "tst_records_streak.moc"
