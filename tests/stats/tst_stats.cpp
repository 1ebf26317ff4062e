// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayRhythm.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "ExportDocument.h"
#include "MergedRecord.h"
#include "Stats.h"
#include "TestTime.h"

#include <QTest>

namespace {

// The store's state, built up by a test and looked at through a RecordView.
struct Record {
    QList<WorkEntry> entries;
    std::optional<Instant> segmentStart;
    ActivityByDay activity;

    void add(Instant date, double seconds, WorkEntry::Kind kind = WorkEntry::Kind::timed)
    {
        entries.append({QUuid::createUuid(), date, seconds, kind});
    }
    RecordView view(const Calendar &calendar, Instant now) const
    {
        return RecordView(entries, segmentStart, activity, 14400, calendar, now);
    }
};

const QTimeZone berlin("Europe/Berlin");
const Calendar berlinCal(berlin, 2);
const QTimeZone saoPaulo("America/Sao_Paulo"); // 2018-11-04 began at 01:00
const QTimeZone apia("Pacific/Apia");          // 2011-12-30 was skipped

Instant at(const char *text)
{
    return localInstant(berlin, text);
}

// One entry at 10:00 local on each of `days` consecutive days ending at `last`.
void workDays(Record &r, const Calendar &cal, Instant last, int days, double seconds = 600)
{
    const Instant ten = cal.startOfDay(last) + 10 * 3600;
    for (int back = days - 1; back >= 0; --back)
        r.add(*cal.addDays(ten, -back), seconds);
}

} // namespace

class TestStats : public QObject {
    Q_OBJECT
private slots:
    void runningSegmentAcrossMidnight()
    {
        Record r;
        r.segmentStart = at("2026-03-06 23:50");
        const Instant now = at("2026-03-07 00:20");
        r.add(at("2026-03-06 23:59:30"), 60); // counts in full on its own day
        const auto v = r.view(berlinCal, now);
        QCOMPARE(dayTotal(v, now, now), 1200.0);
        QCOMPARE(dayTotal(v, at("2026-03-06 12:00"), now), 600.0 + 60);
        // dailyTotals credits the whole running segment to its start day.
        QCOMPARE(dailyTotals(v),
                 (std::map<Instant, double>{{at("2026-03-06 00:00"), 1800.0 + 60}}));
        // A segment starting after "now" adds nothing.
        QCOMPARE(dayTotal(v, now, at("2026-03-06 23:40")), 0.0);
    }

    void weeksAndMonths()
    {
        // Across the autumn change the week still starts at local midnight six days back.
        QCOMPARE(rollingWeekStart(Calendar(berlin, 1), at("2026-10-28 15:00")),
                 at("2026-10-22 00:00"));
        // As today, the week takes 10-29 whole; as the seventh day back, Sao Paulo's 11-04 counts
        // from its own first instant.
        const Calendar sc(saoPaulo, 1);
        Record r;
        r.add(localInstant(saoPaulo, "2018-10-29 00:30"), 600);
        r.add(localInstant(saoPaulo, "2018-11-04 01:10"), 60);
        QCOMPARE(stats(r.view(sc, localInstant(saoPaulo, "2018-11-04 12:00"))).last7Days, 660.0);
        QCOMPARE(stats(r.view(sc, localInstant(saoPaulo, "2018-11-10 12:00"))).last7Days, 60.0);

        // Month cells: blanks before the first, then the start of each date; a skipped date is
        // blank. (A plain month: tst_ui.)
        const struct {
            const QTimeZone &zone;
            const char *month;
            int firstWeekday, blanks, days;
        } months[] = {{apia, "2011-12-10 12:00", 2, 3, 31},
                      {saoPaulo, "2018-11-20 12:00", 1, 4, 30}};
        for (const auto &m : months) {
            const Calendar cal(m.zone, m.firstWeekday);
            const auto cells = monthCells(cal, localInstant(m.zone, m.month));
            QCOMPARE(cells.size(), m.blanks + m.days);
            const QDate day = cal.date(localInstant(m.zone, m.month));
            for (int i = 0; i < cells.size(); ++i) {
                const QDate date = QDate(day.year(), day.month(), 1).addDays(i - m.blanks);
                if (i < m.blanks || date == QDate(2011, 12, 30))
                    QVERIFY(!cells[i]);
                else
                    QCOMPARE(cells[i], std::optional(cal.startOfDay(date)));
            }
        }
    }

    void durationAndClockTexts()
    {
        const struct {
            double seconds;
            const char *duration;
            const char *clock;
        } rows[] = {
            {-5, "0m", "0:00:00"},           {0.5, "1s", "0:00:01"},
            {3599.5, "1h 0m", "1:00:00"},    {90061, "25h 1m", "25:01:01"},
            {std::nan(""), "0m", "0:00:00"}, {qInf(), "277777777777h 46m", "277777777777:46:40"}};
        for (const auto &row : rows) {
            QCOMPARE(durationText(row.seconds), QString::fromLatin1(row.duration));
            QCOMPARE(clockText(row.seconds), QString::fromLatin1(row.clock));
        }
    }

    void streak()
    {
        const Instant thursdayMorning = at("2026-12-10 08:00");
        Record r;
        workDays(r, berlinCal, thursdayMorning - 86400, 3); // Monday to Wednesday
        QCOMPARE(currentStreak(r.view(berlinCal, thursdayMorning)), qint64(3));
        r.segmentStart = at("2026-12-10 07:59"); // work begins on Thursday
        QCOMPARE(currentStreak(r.view(berlinCal, thursdayMorning)), qint64(4));
        r.segmentStart.reset();
        // Thursday ends without work: on Friday the streak is gone.
        QCOMPARE(currentStreak(r.view(berlinCal, at("2026-12-11 09:00"))), qint64(0));
        // A day whose entries cancel out is a day without work.
        r.add(at("2026-12-08 11:00"), -600, WorkEntry::Kind::removed);
        QCOMPARE(currentStreak(r.view(berlinCal, thursdayMorning)), qint64(1));

        // Across both clock changes of 2026; more than ten years unbroken stops at 3650.
        Record year;
        workDays(year, berlinCal, at("2026-11-05 18:00"), 231);
        QCOMPARE(currentStreak(year.view(berlinCal, at("2026-11-05 18:00"))), qint64(231));
        Record decade;
        workDays(decade, berlinCal, thursdayMorning, 3700, 60);
        QCOMPARE(currentStreak(decade.view(berlinCal, thursdayMorning)), qint64(3650));

        // Apia's skipped date does not break the streak, nor Sao Paulo's short day.
        for (const auto &[zone, days] :
             {std::pair{&apia,
                        std::array{"2011-12-28 10:00", "2011-12-29 10:00", "2011-12-31 10:00"}},
              {&saoPaulo, {"2018-11-03 23:59", "2018-11-04 01:00", "2018-11-05 00:00"}}}) {
            Record z;
            for (const char *day : days)
                z.add(localInstant(*zone, day), 30);
            QCOMPARE(currentStreak(z.view(Calendar(*zone, 2), z.entries.last().date + 3600)),
                     qint64(3));
        }
    }

    void recordsAndGoal()
    {
        const Instant now = at("2026-12-07 12:00");
        QCOMPARE(stats(Record().view(berlinCal, now)), Stats());
        Record r;
        r.add(at("2026-11-29 10:00"), 5000); // 8 days ago: not this week
        r.add(at("2026-12-01 00:00"), 700);  // exactly 6 days ago: this week
        r.add(at("2026-12-03 10:00"), 5000); // ties the best day; the earlier wins
        r.segmentStart = now - 600;
        QCOMPARE(stats(r.view(berlinCal, now)),
                 (Stats{6300, 11300, at("2026-11-29 00:00"), 5000, 1}));
        // Every day totals 0: a best day exists with 0 seconds.
        Record zero;
        zero.add(at("2026-12-02 10:00"), 300, WorkEntry::Kind::added);
        zero.add(at("2026-12-02 11:00"), -300, WorkEntry::Kind::removed);
        QCOMPARE(stats(zero.view(berlinCal, now)), (Stats{0, 0, at("2026-12-02 00:00"), 0, 0}));

        // The percentage is cut, not rounded, and stops at 100; no goal, no progress.
        for (auto [total, percent] : {std::pair{14399.9, 99}, {20000.0, 100}}) {
            const auto g = goalProgress(total, 14400);
            QVERIFY(g);
            QCOMPARE(g->percent, percent);
            QCOMPARE(g->reached, total >= 14400);
        }
        QVERIFY(!goalProgress(3600, 0));
    }

    void rhythmOfADay()
    {
        Record r;
        // Stored out of order and overlapping: 09:00-10:00 and 09:30-09:40, then three more.
        r.add(at("2026-06-01 09:30"), 600);
        r.add(at("2026-06-01 09:00"), 3600);
        r.add(at("2026-06-01 13:00"), 600);
        r.add(at("2026-06-01 14:00"), 1499.9);
        r.add(at("2026-06-01 16:00"), 1500);
        r.add(at("2026-06-02 09:00"), 9999); // another day
        // Added and removed time, and a timed entry without length, form no stretches.
        r.add(at("2026-06-01 17:00"), 3600, WorkEntry::Kind::added);
        r.add(at("2026-06-01 18:00"), -5);
        const auto v = r.view(berlinCal, at("2026-06-03 12:00"));
        QCOMPARE(rhythm(v, at("2026-06-01 12:00"), v.now()),
                 (DayRhythm{at("2026-06-01 09:00"), at("2026-06-01 16:25"), 3600, 3600 + 1500, 4}));
        QCOMPARE(rhythm(v, at("2026-06-05 12:00"), v.now()), DayRhythm());
        // Yet their minutes count in the score.
        QCOMPARE(score(v, at("2026-06-01 12:00"), v.now()), qint64(275));

        // The last input is the latest end, not the end of the last stretch to start.
        Record nested;
        nested.add(at("2026-06-01 09:00"), 3600);
        nested.add(at("2026-06-01 09:30"), 600);
        const auto nv = nested.view(berlinCal, v.now());
        QCOMPARE(rhythm(nv, at("2026-06-01 12:00"), nv.now()).lastInput, at("2026-06-01 10:00"));

        // A running segment is clipped to each day.
        Record running;
        running.segmentStart = at("2026-06-01 23:30");
        const Instant now = at("2026-06-02 00:40");
        const auto rv = running.view(berlinCal, now);
        QCOMPARE(rhythm(rv, now, now), (DayRhythm{at("2026-06-02 00:00"), now, 2400, 2400, 0}));
        QCOMPARE(rhythm(rv, at("2026-06-01 12:00"), now).longestStretch, 1800.0);
    }

    // The score and the activity figures over a whole day: tst_report. Here their edges.
    void scoreAndActivity()
    {
        // The score is rounded: 29 s alone is 0, 30 s is 1.
        for (auto [seconds, expected] : {std::pair{29.0, 0}, {30.0, 1}}) {
            Record s;
            s.add(at("2026-06-01 09:00"), seconds);
            const auto sv = s.view(berlinCal, at("2026-06-02 08:00"));
            QCOMPARE(score(sv, at("2026-06-01 09:00"), sv.now()), qint64(expected));
        }
        // No pace under a minute of typing; of two hours as busy, the earlier.
        DayActivity a;
        a.keys = 500;
        a.typingSeconds = 59;
        QCOMPARE(typingPace(a), qint64(0));
        a.hourlyKeys[9] = 700;
        a.hourlyKeys[14] = 700;
        QCOMPARE(busiestHour(a).hour, 9);
        QCOMPARE(busiestHour(a).words, qint64(140));
        // The five applications with the most time, most first.
        for (int i = 0; i < 7; ++i)
            a.appSeconds.insert(QStringLiteral("App %1").arg(i), 100.0 * ((i * 3) % 7));
        QList<double> top;
        for (const auto &app : topApps(a))
            top.append(app.second);
        QCOMPARE(top, (QList<double>{600, 500, 400, 300, 200}));
    }

    // Two computers: worked time is the union of their stretches, counts are summed.
    void recordAcrossComputers()
    {
        Record own, other;
        own.add(at("2026-03-09 10:00"), 1800);
        own.add(at("2026-03-09 23:40"), 1200); // its midnight piece, then the next day's
        own.add(at("2026-03-10 00:00"), 600);
        own.add(at("2026-03-09 14:00"), 3000);   // a stretch no other computer touches
        other.add(at("2026-03-09 10:15"), 1800); // overlaps 10:00-10:30
        other.add(at("2026-03-09 12:00"), 1200);
        other.add(at("2026-03-09 23:50"), 1800); // written in another zone: across our midnight
        other.add(at("2026-03-09 13:00"), 900, WorkEntry::Kind::added);
        own.activity.insert("2026-03-09",
                            DayActivity{100, 10, 0, 0, 60, 0, {}, {{"Editor", 60}}, 1});
        other.activity.insert(
            "2026-03-09", DayActivity{50, 5, 0, 0, 30, 0, {}, {{"Editor", 40}, {"Mail", 5}}, 2});
        own.activity["2026-03-09"].hourlyKeys[10] = 100;
        other.activity["2026-03-09"].hourlyKeys[10] = 50;
        const auto ownIndex = RecordView::indexByDate(own.entries);
        const auto otherIndex = RecordView::indexByDate(other.entries);
        const RecordView::DateIndex *both[] = {ownIndex.get(), otherIndex.get()};
        const DayInterval march = *berlinCal.monthInterval(at("2026-03-01 12:00"));
        const Instant now = at("2026-03-11 12:00");

        auto merged = mergeWindow(both, std::nullopt, march, berlinCal);
        const RecordView v(merged.entries, RecordView::indexByDate(merged.entries), std::nullopt,
                           own.activity, other.activity, 14400, berlinCal, now);
        const Instant day = at("2026-03-09 12:00");
        QCOMPARE(dayTotal(v, day, now), 2700.0 + 1200 + 3000 + 1200 + 900);
        QCOMPARE(dayTotal(v, now - 86400, now), 1200.0);
        QCOMPARE(rhythm(v, day, now),
                 (DayRhythm{at("2026-03-09 10:00"), at("2026-03-10 00:00"), 3000, 3000 + 2700, 3}));
        // An untouched stretch is the entry itself.
        QVERIFY(merged.entries.contains(own.entries[3]));
        const auto activity = activityOnDay(v, day);
        QVERIFY(activity);
        QCOMPARE(activity->keys, qint64(150));
        QCOMPARE(activity->hourlyKeys[10], qint64(150));
        QCOMPARE(activity->appSeconds, (QMap<QString, double>{{"Editor", 100}, {"Mail", 5}}));
        QCOMPARE(typingPace(activity), qint64(20)); // 30 words in a minute and a half

        // A running segment takes in the stretches it overlaps, however far back they reach
        // (and here, the ones after it, which a real record does not have).
        const Instant running = at("2026-03-09 12:10");
        merged = mergeWindow(both, running, march, berlinCal);
        QCOMPARE(merged.runningFrom, std::optional(at("2026-03-09 12:00")));
        const RecordView r(merged.entries, RecordView::indexByDate(merged.entries),
                           merged.runningFrom, own.activity, other.activity, 0, berlinCal,
                           at("2026-03-09 12:30"));
        QCOMPARE(dayTotal(r, day, r.now()), 2700.0 + 1800 + 900);

        // One computer alone merges to its own entries, in date order.
        const RecordView::DateIndex *alone[] = {ownIndex.get()};
        QList<WorkEntry> sorted = own.entries;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](auto &a, auto &b) { return a.date < b.date; });
        QCOMPARE(mergeWindow(alone, std::nullopt, march, berlinCal).entries, sorted);
    }

    void exportIsByteExact()
    {
        QCOMPARE(*exportData({}), QByteArray("[]"));
        // Every kind in stored order, nothing merged or sorted; the nil UUID is a UUID like any
        // other.
        const QList<WorkEntry> one{{QUuid(), -12.125, -300, WorkEntry::Kind::removed}};
        QCOMPARE(*exportData(one),
                 QByteArray("[\n"
                            "  {\n"
                            "    \"date\" : -12.125,\n"
                            "    \"id\" : \"00000000-0000-0000-0000-000000000000\",\n"
                            "    \"kind\" : \"removed\",\n"
                            "    \"seconds\" : -300\n"
                            "  }\n"
                            "]"));
        // JSON has no NaN: refused rather than written unreadable.
        const QList<WorkEntry> nan{{QUuid::createUuid(), 1, qQNaN(), WorkEntry::Kind::timed}};
        QVERIFY(!exportData(nan));
    }
};

QTEST_GUILESS_MAIN(TestStats)
#include "tst_stats.moc"
