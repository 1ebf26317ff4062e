// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Calendar.h"
#include "DayActivity.h"
#include "Json.h"
#include "TestTime.h"
#include "WorkEntry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

#include <bit>

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void entriesRoundTrip()
    {
        const QUuid id = QUuid::fromString(QStringLiteral("0e5c9a3b-7f1d-4c2e-9a8b-1234567890ab"));
        const QList<WorkEntry> entries{{id, 30, 60, WorkEntry::Kind::timed},
                                       {QUuid(), -1.5, 900, WorkEntry::Kind::added},
                                       {QUuid::createUuid(), 8e8, -300, WorkEntry::Kind::removed}};
        const QByteArray json = encodeEntries(entries, JsonStyle::compact);
        // Instants are seconds since 2001, UUIDs upper case; the nil UUID reads back as one.
        QVERIFY(json.startsWith(
            R"([{"date":30,"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","kind":"timed","seconds":60})"));
        QCOMPARE(decodeEntries(json), entries);
        // Key order carries no meaning, lower-case UUIDs read, and unknown members are skipped.
        // (Numbers of twenty digits and more: the entries fuzz seeds, replayed by ctest.)
        const auto reordered = decodeEntries(
            "[{\"kind\":\"added\",\"note\":{\"a\":[1,\"\\ud83d\\ude00\"]},\"seconds\":1,"
            "\"id\":\"0e5c9a3b-7f1d-4c2e-9a8b-1234567890ab\",\"date\":2}]");
        QVERIFY(reordered);
        QCOMPARE(reordered->first().id, id);
        QCOMPARE(reordered->first().kind, WorkEntry::Kind::added);
    }

    void activityIsLenient()
    {
        auto one = [](const char *json) { return dayActivityFromJson(*parseJson(json)); };
        DayActivity expected;
        expected.keys = 12;
        QCOMPARE(one(R"({"keys":12})"), expected);

        // hourlyKeys of the wrong length becomes 24 zeros; the other fields stay.
        for (int n : {23, 25}) {
            QJsonArray hours;
            for (int i = 0; i < n; ++i)
                hours.append(i + 1);
            const auto a = dayActivityFromJson(QJsonObject{{"hourlyKeys", hours}, {"clicks", 7}});
            QVERIFY(a);
            QCOMPARE(a->hourlyKeys, (std::array<qint64, 24>{}));
            QCOMPARE(a->clicks, 7);
        }
        // A member of the wrong type fails the day, and with it the whole map.
        QVERIFY(!one(R"({"keys":1.5})"));
        QVERIFY(!one(R"({"appSeconds":{"Editor":"long"}})"));
        QVERIFY(!decodeActivity(R"({"2026-01-01":{"keys":1},"2026-01-02":{"clicks":[]}})"));
    }

    void numbersRoundTripExactly()
    {
        // Chosen bit patterns across the exponents, subnormals included, each with the smallest,
        // the largest and an alternating mantissa.
        QList<WorkEntry> entries;
        for (quint64 exponent = 0; exponent < 2047; exponent += 7) {
            for (quint64 mantissa :
                 {quint64(1), quint64(0xFFFFFFFFFFFFF), quint64(0x5555555555555)}) {
                const double d = std::bit_cast<double>(exponent << 52 | mantissa);
                entries.append({QUuid::createUuid(), d, -d, WorkEntry::Kind::timed});
            }
        }
        // Without zeros and NaNs, equal doubles are equal bits.
        for (JsonStyle style : {JsonStyle::compact, JsonStyle::pretty})
            QCOMPARE(decodeEntries(encodeEntries(entries, style)), entries);
        // Integers at the edges of the 64-bit range come back as they were; beyond it, an integer
        // count is refused rather than silently rounded.
        for (qint64 v : {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()})
            QCOMPARE(dayActivityFromJson(*parseJson(writeJson(QJsonObject{{"keys", v}})))->keys, v);
        QVERIFY(!dayActivityFromJson(*parseJson(R"({"keys":9223372036854775808})")));
    }

    // One bad entry spoils the whole document; what fails must fail cleanly.
    void badInputIsRefused()
    {
        const QByteArray id = "0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB";
        const QByteArray good =
            "{\"id\":\"" + id + "\",\"date\":1,\"seconds\":2,\"kind\":\"timed\"}";
        const QByteArray file = "[" + good + "," + good + "]";
        QVERIFY(decodeEntries(file));
        const auto changed = [&](const QByteArray &from, const QByteArray &to) {
            return "[" + good + "," + QByteArray(good).replace(from, to) + "]";
        };
        // In a member that is otherwise skipped, so that only the reader's own rules refuse them.
        const QByteArray entryWith = "[" + good.chopped(1) + ",\"note\":";
        for (const QByteArray &bad :
             {good, // an object, not an array
              changed("\"timed\"", "\"paused\""), changed(",\"seconds\":2", ""),
              changed("\"date\":1", "\"date\":\"1\""),
              changed(id, "00000000-0000-0000-0000-00000000000g"), changed(id, "{" + id + "}"),
              // Skipped, yet what follows must still be JSON.
              changed("\"timed\"}", "\"timed\",\"x\":1:]}"),
              changed("\"date\":1", "\"date\":1e400"), changed("\"date\":1", "\"date\":NaN"),
              changed("\"date\":1", "\"date\":1,\"date\":5"), entryWith + "{\"a\":1,\"a\":1}}]",
              entryWith + "\"\xff\"}]", entryWith + "\"\\ud800\"}]",
              entryWith + QByteArray(63, '[') + QByteArray(63, ']') + "}]", file.left(40),
              file.chopped(1), file + "x", QByteArray(),
              QByteArray(100000, '[') + QByteArray(100000, ']')}) {
            QVERIFY2(!decodeEntries(bad), bad.left(200).constData());
            QVERIFY2(!decodeActivity(bad), bad.left(200).constData());
        }
    }

    // Days across clock changes; the stats tests add Sao Paulo's day that began at 01:00 and
    // Apia's skipped date.
    void calendar()
    {
        const Calendar berlin = zoneCalendar("Europe/Berlin");
        const QTimeZone bz("Europe/Berlin");
        QCOMPARE(berlin.dayKey(utcInstant("2026-03-07 22:59:59")), QStringLiteral("2026-03-07"));
        QCOMPARE(berlin.dayKey(utcInstant("2026-03-07 23:00:00")), QStringLiteral("2026-03-08"));
        auto autumn = berlin.dayInterval(localInstant(bz, "2026-10-25 12:00"));
        QCOMPARE(autumn.end - autumn.start, 25 * 3600.0);
        auto lordHowe =
            zoneCalendar("Australia/Lord_Howe")
                .dayInterval(localInstant(QTimeZone("Australia/Lord_Howe"), "2026-04-05 12:00"));
        QCOMPARE(lordHowe.end - lordHowe.start, 24.5 * 3600);
        // Adding a day keeps the wall-clock time, not 86,400 seconds; a month stops at its end.
        QCOMPARE(*berlin.addDays(localInstant(bz, "2026-03-28 09:00"), 1),
                 localInstant(bz, "2026-03-29 09:00"));
        QCOMPARE(*berlin.addMonths(localInstant(bz, "2026-01-31 08:00"), 1),
                 localInstant(bz, "2026-02-28 08:00"));
        QCOMPARE(berlin.weekday(localInstant(bz, "2026-12-06 10:00")), 1); // Sunday
        auto feb = berlin.monthInterval(localInstant(bz, "2028-02-10 10:00"));
        QVERIFY(feb);
        QCOMPARE(berlin.dayKey(feb->end), QStringLiteral("2028-03-01"));
        QCOMPARE(berlin.daysInMonth(feb->start), 29);

        QCOMPARE(berlin.dayKey(*berlin.dayFromKey(u"2026-03-29")), QStringLiteral("2026-03-29"));
        for (const char *bad : {"2026-02-30", "2026-2-03", "2026-02-3x", "", "2026-02-031"})
            QVERIFY2(!berlin.dayFromKey(QString::fromLatin1(bad)), bad);
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
