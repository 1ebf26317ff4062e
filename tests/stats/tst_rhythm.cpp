#include "DayRhythm.h"
#include "DayTotals.h"
#include "RecordFixture.h"

#include <QTest>

namespace {
const QTimeZone kZone("Europe/Berlin");
const Calendar kCal(kZone, 2);
Instant at(const char *text)
{
    return localInstant(kZone, text);
}
} // namespace

class TestRhythm : public QObject {
    Q_OBJECT
private slots:
    void stretchesOverlappingAndOutOfOrder()
    {
        RecordFixture r;
        // Stored out of order and overlapping: 09:00-10:00 and 09:30-09:40, then three more.
        r.add(at("2026-06-01 09:30"), 600);
        r.add(at("2026-06-01 09:00"), 3600);
        r.add(at("2026-06-01 13:00"), 600);
        r.add(at("2026-06-01 14:00"), 1499.9);
        r.add(at("2026-06-01 16:00"), 1500);
        r.add(at("2026-06-02 09:00"), 9999); // another day
        const auto v = r.view(kCal, at("2026-06-03 12:00"));
        const DayRhythm d = rhythm(v, at("2026-06-01 12:00"), v.now());
        QCOMPARE(d.firstInput, at("2026-06-01 09:00"));
        QCOMPARE(d.lastInput, at("2026-06-01 16:25"));
        QCOMPARE(d.longestStretch, 3600.0);
        QCOMPARE(d.deepWork, 3600.0 + 1500); // 1499.9 s is not deep work
        QCOMPARE(d.breaks, qint64(4));

        // The last input is the latest end, not the end of the last stretch to start.
        RecordFixture nested;
        nested.add(at("2026-06-01 09:00"), 3600);
        nested.add(at("2026-06-01 09:30"), 600);
        const auto nv = nested.view(kCal, v.now());
        const DayRhythm n = rhythm(nv, at("2026-06-01 12:00"), nv.now());
        QCOMPARE(n.lastInput, at("2026-06-01 10:00"));
        QCOMPARE(n.breaks, qint64(1));

        // An empty day.
        QCOMPARE(rhythm(v, at("2026-06-05 12:00"), v.now()), DayRhythm());
    }

    void addedAndRemovedFormNoStretches()
    {
        RecordFixture r;
        r.add(at("2026-06-01 09:00"), 3600, WorkEntry::Kind::added);
        r.add(at("2026-06-01 11:00"), -600, WorkEntry::Kind::removed);
        r.add(at("2026-06-01 12:00"), -5); // a timed entry without length is no stretch either
        const auto v = r.view(kCal, at("2026-06-02 12:00"));
        const Instant day = at("2026-06-01 12:00");
        QCOMPARE(rhythm(v, day, v.now()), DayRhythm());
        QCOMPARE(dayTotal(v, day, v.now()), 2995.0);
        // The minutes still count in the score: 2995 s is 49.9 minutes.
        QCOMPARE(score(v, day, v.now()), qint64(50));
    }

    void runningSegmentIsClippedToTheDay()
    {
        RecordFixture r;
        r.segmentStart = at("2026-06-01 23:30");
        const Instant now = at("2026-06-02 00:40");
        const auto v = r.view(kCal, now);
        const DayRhythm today = rhythm(v, now, now);
        QCOMPARE(today.firstInput, at("2026-06-02 00:00"));
        QCOMPARE(today.lastInput, now);
        QCOMPARE(today.longestStretch, 2400.0);
        QCOMPARE(today.deepWork, 2400.0);
        const DayRhythm yesterday = rhythm(v, at("2026-06-01 12:00"), now);
        QCOMPARE(yesterday.longestStretch, 1800.0);
        QCOMPARE(yesterday.breaks, qint64(0));
    }

    void scoreCombinesTimeAndInput()
    {
        // Two hours of which 50 minutes in one stretch, 4000 keys, 300 clicks, 1000 scrolls: 267.
        RecordFixture r;
        r.add(at("2026-06-01 09:00"), 3000);
        for (int i = 0; i < 7; ++i)
            r.add(at("2026-06-01 11:00") + i * 1200, 600);
        DayActivity a;
        a.keys = 4000;
        a.clicks = 300;
        a.scrolls = 1000;
        r.activity.insert(QStringLiteral("2026-06-01"), a);
        const auto v = r.view(kCal, at("2026-06-02 08:00"));
        QCOMPARE(score(v, at("2026-06-01 20:00"), v.now()), qint64(267));

        // 29 s alone rounds to 0, 30 s to 1.
        for (auto [seconds, expected] : {std::pair{29.0, 0}, std::pair{30.0, 1}}) {
            RecordFixture s;
            s.add(at("2026-06-01 09:00"), seconds);
            const auto sv = s.view(kCal, at("2026-06-02 08:00"));
            QCOMPARE(score(sv, at("2026-06-01 09:00"), sv.now()), qint64(expected));
        }
        // Words are whole: 4 keys are 0 words, 9 keys are 1.
        DayActivity few;
        few.keys = 4;
        QCOMPARE(words(few), qint64(0));
        few.keys = 9;
        QCOMPARE(words(few), qint64(1));
    }

    void paceBusiestHourAndApps()
    {
        DayActivity a;
        a.typingSeconds = 59;
        a.keys = 500;
        QCOMPARE(typingPace(a), qint64(0));
        a.typingSeconds = 120;
        a.keys = 1001;
        QCOMPARE(typingPace(a), qint64(100));
        QCOMPARE(typingPace(std::nullopt), qint64(0));

        const BusiestHour none = busiestHour(DayActivity());
        QCOMPARE(none.hour, 0);
        QCOMPARE(none.keys, qint64(0));
        a.hourlyKeys[9] = 700;
        a.hourlyKeys[14] = 700; // a tie: the earlier hour wins
        a.hourlyKeys[23] = 12;
        const BusiestHour b = busiestHour(a);
        QCOMPARE(b.hour, 9);
        QCOMPARE(b.words, qint64(140));

        for (int i = 0; i < 8; ++i)
            a.appSeconds.insert(QStringLiteral("App %1").arg(i), 100.0 * ((i * 3) % 8));
        const auto top = topApps(a);
        QCOMPARE(top.size(), 5);
        QCOMPARE(top.first().second, 700.0);
        QVERIFY(std::is_sorted(top.begin(), top.end(),
                               [](auto &x, auto &y) { return x.second > y.second; }));
        QCOMPARE(top.last().second, 300.0);
        a.appSeconds.remove(QStringLiteral("App 0"));
        a.appSeconds.remove(QStringLiteral("App 1"));
        a.appSeconds.remove(QStringLiteral("App 2"));
        QCOMPARE(topApps(a).size(), 5);
        a.appSeconds.remove(QStringLiteral("App 3"));
        QCOMPARE(topApps(a).size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestRhythm)
#include "tst_rhythm.moc"
