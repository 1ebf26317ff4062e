#include "DayActivity.h"
#include "Json.h"
#include "WorkEntry.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

#include <bit>
#include <cstring>

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void entriesRoundTrip()
    {
        const QUuid id = QUuid::fromString(QStringLiteral("0e5c9a3b-7f1d-4c2e-9a8b-1234567890ab"));
        const QList<WorkEntry> entries{
            {id, 30, 60, WorkEntry::Kind::timed},
            {QUuid::createUuid(), -1.5, 900, WorkEntry::Kind::added},
            {QUuid::createUuid(), 800000000.25, -300, WorkEntry::Kind::removed}};
        const QByteArray json = encodeEntries(entries, JsonStyle::compact);
        // Instants are seconds since 2001, UUIDs upper case.
        QVERIFY(json.startsWith(
            R"([{"date":30,"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","kind":"timed","seconds":60})"));
        QCOMPARE(decodeEntries(json), entries);
        // Key order carries no meaning, lower-case UUIDs read, and unknown members are skipped.
        const auto reordered = decodeEntries(
            "[{\"kind\":\"added\",\"note\":{\"a\":[1,\"\\ud83d\\ude00\"]},"
            "\"seconds\":1,\"id\":\"0e5c9a3b-7f1d-4c2e-9a8b-1234567890ab\",\"date\":2}]");
        QVERIFY(reordered);
        QCOMPARE(reordered->first().id, id);
        QCOMPARE(reordered->first().kind, WorkEntry::Kind::added);
        // Numbers of many digits are read exactly.
        const auto longNumbers =
            decodeEntries("[{\"kind\":\"added\",\"seconds\":0.95000000000000000000,\"id\":\"" +
                          uuidText(id).toLatin1() + "\",\"date\":12345678901234567890.5}]");
        QVERIFY(longNumbers);
        QCOMPARE(longNumbers->first().seconds, 0.95);
        QCOMPARE(longNumbers->first().date, 12345678901234567890.5);

        // The nil UUID reads like any other, in the entries file and in a single entry.
        const QList<WorkEntry> nil{{QUuid(), 60, 45, WorkEntry::Kind::timed}, entries.first()};
        const QByteArray nilJson = encodeEntries(nil, JsonStyle::compact);
        QVERIFY(nilJson.contains(R"("id":"00000000-0000-0000-0000-000000000000")"));
        QCOMPARE(decodeEntries(nilJson), nil);
        QCOMPARE(workEntryFromJson(toJson(nil.first())), nil.first());
    }

    void entriesAreStrict()
    {
        const QByteArray id = "0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB";
        const QByteArray good =
            "{\"id\":\"" + id + "\",\"date\":1,\"seconds\":2,\"kind\":\"timed\"}";
        QVERIFY(decodeEntries("[" + good + "]"));
        QVERIFY(!decodeEntries(good)); // an object, not an array
        // Each a change to the good entry; one bad entry spoils the whole document.
        const std::pair<QByteArray, QByteArray> changes[] = {
            {"\"timed\"", "\"paused\""},
            {",\"seconds\":2", ""},
            {"\"date\":1", "\"date\":\"1\""},
            {"\"seconds\":2", "\"seconds\":null"},
            {id, "not-a-uuid"},
            {id, "00000000-0000-0000-0000-00000000000g"},
            {id, "{" + id + "}"},
            // Unknown members are skipped, yet what follows them must still be JSON.
            {"\"timed\"}", "\"timed\",\"x\":\"s\":]}"},
            {"\"timed\"}", "\"timed\",\"x\":1:]}"}};
        for (const auto &[from, to] : changes) {
            const QByteArray bad = QByteArray(good).replace(from, to);
            QVERIFY2(!decodeEntries("[" + bad + "]"), bad.constData());
            QVERIFY2(!decodeEntries("[" + good + "," + bad + "]"), bad.constData());
        }
    }

    void activityIsLenient()
    {
        auto one = [](const char *json) { return dayActivityFromJson(*parseJson(json)); };
        const auto keysOnly = one(R"({"keys":12})");
        QVERIFY(keysOnly);
        DayActivity expected;
        expected.keys = 12;
        QCOMPARE(*keysOnly, expected);

        // hourlyKeys of the wrong length becomes 24 zeros; the other fields stay.
        for (int n : {23, 25}) {
            QJsonArray hours;
            for (int i = 0; i < n; ++i)
                hours.append(i + 1);
            const QJsonObject o{
                {"hourlyKeys", hours}, {"clicks", 7}, {"appSeconds", QJsonObject{{"Editor", 1.5}}}};
            const auto a = dayActivityFromJson(o);
            QVERIFY(a);
            QCOMPARE(a->hourlyKeys, (std::array<qint64, 24>{}));
            QCOMPARE(a->clicks, 7);
            QCOMPARE(a->appSeconds.value("Editor"), 1.5);
        }
        // A member of the wrong type fails the day, and with it the whole map.
        QVERIFY(!one(R"({"keys":"12"})"));
        QVERIFY(!one(R"({"keys":1.5})"));
        QVERIFY(!one(R"({"appSeconds":{"Editor":"long"}})"));
        QVERIFY(!one(R"({"hourlyKeys":[1,2,"x"]})"));
        QVERIFY(!decodeActivity(R"({"2026-01-01":{"keys":1},"2026-01-02":{"clicks":[]}})"));

        // A full day survives a round trip through the file form.
        DayActivity full;
        full.keys = 9007199254740993; // not representable as a double
        full.clicks = -3;
        full.scrolls = 4;
        full.modifierTaps = 5;
        full.typingSeconds = 0.1;
        full.mousingSeconds = 1e-9;
        full.hourlyKeys[23] = std::numeric_limits<qint64>::max();
        full.appSeconds.insert(QStringLiteral("Ed\"i\\tor ✓"), 3.25);
        full.appSwitches = 6;
        const ActivityByDay map{{"2026-03-07", full}, {"2026-03-08", DayActivity()}};
        QCOMPARE(decodeActivity(encodeActivity(map)), map);
    }

    void numbersRoundTripExactly()
    {
        // Chosen bit patterns across the exponents, subnormals included, each with the smallest,
        // the largest and an alternating mantissa; then the extremes.
        QList<WorkEntry> entries;
        for (quint64 exponent = 0; exponent < 2047; exponent += 7) {
            for (quint64 mantissa :
                 {quint64(1), quint64(0xFFFFFFFFFFFFF), quint64(0x5555555555555)}) {
                const double d = std::bit_cast<double>(exponent << 52 | mantissa);
                entries.append({QUuid::createUuid(), d, -d, WorkEntry::Kind::timed});
            }
        }
        entries.append({QUuid::createUuid(), 0.1, 5e-324, WorkEntry::Kind::timed});
        entries.append(
            {QUuid::createUuid(), 0.0, std::numeric_limits<double>::max(), WorkEntry::Kind::timed});
        for (JsonStyle style : {JsonStyle::compact, JsonStyle::pretty}) {
            const auto back = decodeEntries(encodeEntries(entries, style));
            QVERIFY(back);
            QCOMPARE(back->size(), entries.size());
            for (qsizetype i = 0; i < entries.size(); ++i) {
                QCOMPARE(std::bit_cast<quint64>(back->at(i).date),
                         std::bit_cast<quint64>(entries[i].date));
                QCOMPARE(std::bit_cast<quint64>(back->at(i).seconds),
                         std::bit_cast<quint64>(entries[i].seconds));
            }
        }
        // Integers at the edges of the 64-bit range come back as they were.
        for (qint64 v : {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                         qint64(-1), qint64(9007199254740993)}) {
            const QByteArray text = writeJson(QJsonObject{{"keys", v}});
            QCOMPARE(dayActivityFromJson(*parseJson(text))->keys, v);
        }
        // Beyond it, an integer count is refused rather than silently rounded; a general number
        // there still reads.
        QVERIFY(!dayActivityFromJson(*parseJson(R"({"keys":9223372036854775808})")));
        QCOMPARE(parseJson("18446744073709551615")->toDouble(), 18446744073709551615.0);
    }

    void nestingIsBounded()
    {
        for (int depth : {1, 8, 64}) {
            const QByteArray arrays = QByteArray(depth, '[') + QByteArray(depth, ']');
            QVERIFY(parseJson(arrays, depth));
            QVERIFY(!parseJson("[" + arrays + "]", depth));
        }
    }

    void badInputFailsCleanly_data()
    {
        QTest::addColumn<QByteArray>("json");
        const QByteArray entry =
            R"({"id":"0E5C9A3B-7F1D-4C2E-9A8B-1234567890AB","date":1,"seconds":2,"kind":"timed"})";
        const QByteArray file = "[" + entry + "," + entry + "]";
        for (int cut : {1, 10, 40, int(file.size()) - 1})
            QTest::addRow("truncated at %d", cut) << file.left(cut);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("100000 nested arrays") << QByteArray(100000, '[') + QByteArray(100000, ']');
        QTest::newRow("100000 open brackets") << QByteArray(100000, '[');
        QTest::newRow("nested objects")
            << QByteArray(50000, '{').replace("{", "{\"a\":") + "1" + QByteArray(50000, '}');
        const auto changed = [&](const char *from, const char *to) {
            return "[" + QByteArray(entry).replace(from, to) + "]";
        };
        QTest::newRow("huge exponent") << changed("\"date\":1", "\"date\":1e400");
        QTest::newRow("NaN literal") << changed("\"date\":1", "\"date\":NaN");
        QTest::newRow("Infinity literal") << changed("\"date\":1", "\"date\":-Infinity");
        QTest::newRow("duplicate key") << changed("\"date\":1", "\"date\":1,\"date\":5");
        // In a member that is otherwise skipped, so that only the reader's own rules refuse them.
        const QByteArray entryWith = "[" + entry.chopped(1) + ",\"note\":";
        QTest::newRow("duplicate key deeper") << entryWith + "{\"a\":1,\"a\":1}}]";
        QTest::newRow("invalid utf-8") << entryWith + "\"\xff\"}]";
        QTest::newRow("overlong utf-8") << entryWith + "\"\xc0\xaf\"}]";
        for (const char *lone : {"\"\\ud800\"", "\"\\udc00\"", "\"\\ud800\\u0041\""})
            QTest::addRow("lone surrogate %s", lone) << entryWith + lone + "}]";
        QTest::newRow("65 levels") << entryWith + QByteArray(63, '[') + QByteArray(63, ']') + "}]";
        QTest::newRow("trailing garbage") << file + "x";
        QTest::newRow("leading zero") << QByteArray("[01]");
        QTest::newRow("wrong top type") << QByteArray(R"({"a":1})");
        QTest::newRow("control char in string") << QByteArray("[\"a\nb\"]");
    }

    void badInputFailsCleanly()
    {
        QFETCH(QByteArray, json);
        QVERIFY(!decodeEntries(json));
        QVERIFY(!decodeActivity(json));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
