#include "Calendar.h"
#include "TestTime.h"

#include <QTest>

class TestCalendar : public QObject {
    Q_OBJECT
private slots:
    void daysAcrossClockChanges();
    void weekdaysAndMonths();
    void dayKeyParsing();
};

void TestCalendar::daysAcrossClockChanges()
{
    const Calendar berlin = zoneCalendar("Europe/Berlin");
    const QTimeZone bz("Europe/Berlin");
    QCOMPARE(berlin.dayKey(utcInstant("2026-03-07 22:59:59")), QStringLiteral("2026-03-07"));
    QCOMPARE(berlin.dayKey(utcInstant("2026-03-07 23:00:00")), QStringLiteral("2026-03-08"));
    QCOMPARE(zoneCalendar("UTC").dayKey(utcInstant("0999-01-02 00:00:00")),
             QStringLiteral("0999-01-02"));
    // Spring forward: a 23-hour day; autumn: 25 hours.
    auto spring = berlin.dayInterval(localInstant(bz, "2026-03-29 12:00"));
    QCOMPARE(spring.end - spring.start, 23 * 3600.0);
    auto autumn = berlin.dayInterval(localInstant(bz, "2026-10-25 12:00"));
    QCOMPARE(autumn.end - autumn.start, 25 * 3600.0);
    // Adding a day keeps the wall-clock time, not 86,400 seconds.
    QCOMPARE(*berlin.addDays(localInstant(bz, "2026-03-28 09:00"), 1),
             localInstant(bz, "2026-03-29 09:00"));
    QCOMPARE(*berlin.addDays(localInstant(bz, "2026-10-26 00:00"), -1),
             localInstant(bz, "2026-10-25 00:00"));

    // Sao Paulo's clocks jumped from 00:00 to 01:00 on 2018-11-04: that day began at 01:00.
    const Calendar sp = zoneCalendar("America/Sao_Paulo");
    const QTimeZone spz("America/Sao_Paulo");
    const Instant spStart = sp.startOfDay(localInstant(spz, "2018-11-04 12:00"));
    QCOMPARE(sp.dayKey(spStart), QStringLiteral("2018-11-04"));
    QCOMPARE(sp.dayKey(spStart - 0.001), QStringLiteral("2018-11-03"));
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(spStart)), spz).time(), QTime(1, 0));
    QCOMPARE(sp.dayInterval(spStart).end - spStart, 23 * 3600.0);

    // Lord Howe shifts by 30 minutes.
    const Calendar lh = zoneCalendar("Australia/Lord_Howe");
    auto lhDay = lh.dayInterval(localInstant(QTimeZone("Australia/Lord_Howe"), "2026-04-05 12:00"));
    QCOMPARE(lhDay.end - lhDay.start, 24.5 * 3600);

    // Apia skipped 2011-12-30: the day after the 29th is the 31st.
    const Calendar apia = zoneCalendar("Pacific/Apia");
    const QTimeZone az("Pacific/Apia");
    auto dec29 = apia.dayInterval(localInstant(az, "2011-12-29 12:00"));
    QCOMPARE(apia.dayKey(dec29.end), QStringLiteral("2011-12-31"));
    QCOMPARE(dec29.end - dec29.start, 24 * 3600.0);
    QCOMPARE(apia.dayKey(*apia.addDays(localInstant(az, "2011-12-29 09:00"), 1)),
             QStringLiteral("2011-12-31"));
    QCOMPARE(apia.dayKey(apia.startOfDay(QDate(2011, 12, 30))), QStringLiteral("2011-12-31"));
    // An instant a hair before midnight stays in its day.
    QCOMPARE(berlin.dayKey(localInstant(bz, "2026-03-07 00:00") - 0.0001),
             QStringLiteral("2026-03-06"));
}

void TestCalendar::weekdaysAndMonths()
{
    const Calendar cal = zoneCalendar("Europe/Berlin");
    const QTimeZone bz("Europe/Berlin");
    QCOMPARE(cal.weekday(localInstant(bz, "2026-12-06 10:00")), 1); // Sunday
    QCOMPARE(cal.weekday(localInstant(bz, "2026-12-07 10:00")), 2); // Monday
    QCOMPARE(cal.hour(localInstant(bz, "2026-03-29 03:30")), 3);
    auto feb = cal.monthInterval(localInstant(bz, "2028-02-10 10:00"));
    QVERIFY(feb);
    QCOMPARE(cal.dayKey(feb->start), QStringLiteral("2028-02-01"));
    QCOMPARE(cal.dayKey(feb->end), QStringLiteral("2028-03-01"));
    QCOMPARE(cal.daysInMonth(feb->start), 29);
    QCOMPARE(*cal.addMonths(localInstant(bz, "2026-01-31 08:00"), 1),
             localInstant(bz, "2026-02-28 08:00"));
}

void TestCalendar::dayKeyParsing()
{
    const Calendar cal = zoneCalendar("Europe/Berlin");
    QCOMPARE(cal.dayKey(*cal.dayFromKey(u"2026-03-29")), QStringLiteral("2026-03-29"));
    for (const char *bad :
         {"2026-02-30", "2026-2-03", "2026-02-3x", "26-02-03", "2026/02/03", "", "2026-02-031"})
        QVERIFY2(!cal.dayFromKey(QString::fromLatin1(bad)), bad);
}

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"
