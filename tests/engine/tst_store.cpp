// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreFixture.h"

#include <QTest>

#include <cmath>

using Pieces = QList<QPair<QString, double>>; // local start "yyyy-MM-dd HH:mm:ss.zzz", seconds

namespace {

QString localText(const Calendar &calendar, Instant t)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(unixMSecs(t))), calendar.zone())
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

Pieces pieces(const MacWorkStore &store)
{
    Pieces result;
    for (const WorkEntry &e : store.entries())
        result.append({localText(store.calendar(), e.date), e.seconds});
    return result;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void typingSessionBecomesOneEntry()
    {
        StoreFixture f;
        const Instant t0 = f.clock.now();
        MacWorkStore &s = f.open();
        // Nothing typed since login: idle, and the timer slow.
        QCOMPARE(s.statusText(), QStringLiteral("Paused — you stepped away"));
        QCOMPARE(f.timer.interval, 30.0);

        f.clock.advance(10);
        f.input.event(InputEvent::keyDown);
        f.advance(20);
        QCOMPARE(f.heartbeat(), (Heartbeat{t0 + 10, t0 + 30})); // from the input, not the tick
        QCOMPARE(f.timer.interval, 5.0);

        f.type(600);
        const Instant lastInput = f.clock.now() - 1;
        f.advance(30);
        QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), t0 + 10), lastInput - (t0 + 10)}}));
        QCOMPARE(decodeEntries(f.readData("entries.json")), s.entries());
        QCOMPARE(f.heartbeat(), (Heartbeat{std::nullopt, f.clock.now()}));
        // Away: the ticks slow down after five minutes and write nothing.
        const int writes = f.settings.writes;
        while (f.clock.now() < lastInput + 330) {
            f.advance(s.currentInterval());
            QCOMPARE(f.timer.interval, f.clock.now() - lastInput > 300 ? 30.0 : 5.0);
        }
        QCOMPARE(f.settings.writes, writes);
    }

    // A segment ends at its last input once 30 s pass without one, or at the tick before a gap of
    // more than 90 s without ticks; one shorter than 30 s is dropped.
    void closingRules()
    {
        const struct {
            double length;  // from the segment's start to the last input
            double silence; // from the last input to the next tick
            int recorded;
            double endAfterInput;
        } rows[] = {
            {60, 29, 0, 0}, {60, 30, 1, 0}, {60, 96, 1, 1}, {29.9, 40, 0, 0}, {30, 40, 1, 0}};
        for (const auto &row : rows) {
            StoreFixture f;
            MacWorkStore &s = f.open();
            f.type(5);
            f.clock.set(s.segmentStart().value() + row.length);
            f.input.event(InputEvent::keyDown);
            f.advance(1);
            f.advance(row.silence - 1);
            QCOMPARE(s.isIdle(), row.silence >= 30);
            QCOMPARE(s.entries().size(), row.recorded);
            if (row.recorded)
                QCOMPARE(s.entries().first().seconds, row.length + row.endAfterInput);
        }
    }

    // The wall clock set back an hour while counting: the stretch up to the step is recorded as it
    // stood, counting goes on from the new time, and the activity file is not held back for an
    // hour.
    void wallClockSetBack()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        f.type(60);
        const Instant start = *s.segmentStart();
        const Instant stepped = s.lastTickAt();
        f.clock.advance(-3600);
        f.type(90);
        QCOMPARE(s.entries().size(), 1);
        QCOMPARE(s.entries().first().date, start);
        QCOMPARE(s.entries().first().seconds, stepped - start);
        QVERIFY(s.lastActivitySave() >= stepped - 3600 && s.lastActivitySave() <= s.lastTickAt());
        f.advance(45);
        QCOMPARE(s.entries().size(), 2);
        QVERIFY(s.entries().last().date >= stepped - 3600);
        QVERIFY(s.entries().last().seconds >= 80);
    }

    void activityCounting()
    {
        StoreFixture f;
        // Large counters at start count nothing: there is no baseline yet.
        f.input.counters = {{InputEvent::keyDown, 50000}, {InputEvent::leftMouseDown, 700}};
        f.input.event(InputEvent::keyDown);
        MacWorkStore &s = f.open();
        const QString today = s.calendar().dayKey(f.clock.now());
        QVERIFY(s.activityByDay().isEmpty());
        auto day = [&] { return s.activityByDay().value(today); };

        f.input.event(InputEvent::leftMouseDown, 2);
        f.input.event(InputEvent::rightMouseDown);
        f.input.event(InputEvent::otherMouseDown);
        f.input.event(InputEvent::scrollWheel, 3);
        f.input.event(InputEvent::flagsChanged, 4);
        f.input.event(InputEvent::keyDown, 7); // the mouse at the same instant: a tie is typing
        f.advance(5);
        QCOMPARE(day().keys, 7);
        QCOMPARE(day().hourlyKeys[10], 7);
        QCOMPARE(day().clicks, 4);
        QCOMPARE(day().scrolls, 3);
        QCOMPARE(day().modifierTaps, 4);
        QCOMPARE(day().typingSeconds, 5.0);

        // Ticks 20 s apart add only 8 s, here to mousing.
        f.clock.advance(19);
        f.input.event(InputEvent::mouseMoved);
        f.advance(1);
        QCOMPARE(day().mousingSeconds, 8.0);

        // A counter that restarts adds nothing on that tick, then counts again.
        f.input.counters[InputEvent::keyDown] = 3;
        f.input.event(InputEvent::mouseMoved);
        f.advance(5);
        f.input.event(InputEvent::keyDown, 2);
        f.advance(5);
        QCOMPARE(day().keys, 9);

        // Modifier presses do not end idleness, but count while idle; time does not.
        f.advance(40);
        const DayActivity before = day();
        f.input.counters[InputEvent::flagsChanged] = 10;
        f.advance(5);
        QCOMPARE(day().modifierTaps, before.modifierTaps + 6);
        QCOMPARE(day().typingSeconds + day().mousingSeconds,
                 before.typingSeconds + before.mousingSeconds);

        // Time in front, by name; the first application after a pause is not a switch.
        auto inFront = [&](std::optional<QString> id, std::optional<QString> name) {
            f.workspace.front = FrontmostApplication{std::move(id), std::move(name)};
            f.type(5);
        };
        inFront(QStringLiteral("org.editor"), QStringLiteral("Editor"));
        inFront(QStringLiteral("org.term"), std::nullopt); // named by its identifier
        inFront(std::nullopt, std::nullopt);               // neither: "?"
        QCOMPARE(day().appSeconds,
                 (QMap<QString, double>{{"Editor", 5}, {"org.term", 5}, {"?", 5}}));
        QCOMPARE(day().appSwitches, 2);
        // No application in front: nothing credited, the last one remembered.
        f.workspace.front.reset();
        f.type(5);
        inFront(std::nullopt, std::nullopt);
        QCOMPARE(day().appSeconds.value("?"), 10.0);
        QCOMPARE(day().appSwitches, 2);
        f.advance(35);
        inFront(QStringLiteral("org.editor"), QStringLiteral("Editor"));
        QCOMPARE(day().appSwitches, 2);
    }

    void autoTrackingOffAndOn()
    {
        StoreFixture f;
        MacWorkStore &s = f.open();
        f.type(60);
        const Instant start = s.segmentStart().value();
        f.clock.advance(2);
        s.setAutoTrackEnabled(false);
        QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), start), f.clock.now() - 3 - start}}));

        // Off: typing neither counts time nor activity.
        const ActivityByDay counted = s.activityByDay();
        f.type(60);
        QVERIFY(!s.isTracking());
        QCOMPARE(s.activityByDay(), counted);

        // Kept across a restart; switched on while active, counting starts on that very tick.
        f.open();
        QVERIFY(!f.store->autoTrackEnabled());
        f.input.event(InputEvent::keyDown);
        f.clock.advance(1);
        f.store->setAutoTrackEnabled(true);
        QCOMPARE(f.store->segmentStart(), f.clock.now() - 1);
        QCOMPARE(f.settings.boolValue(MacWorkStore::autoKey), true);
    }

    // A heartbeat left by a stopped process is recorded at the next start once if it holds 30 s
    // or more, piece by piece, and then cleared; one that does not decode is only cleared.
    void heartbeatRecovery()
    {
        // At most 60 pieces; the rest of a 70-day segment is dropped.
        Pieces sixty{{"2026-01-01 12:00:00.000", 43200}};
        for (QDate d(2026, 1, 2); sixty.size() < 60; d = d.addDays(1))
            sixty.append({d.toString(u"yyyy-MM-dd") + QStringLiteral(" 00:00:00.000"), 86400});
        const struct {
            const char *zone, *from, *to;
            Pieces expected;
        } rows[] = {{"Europe/Berlin",
                     "2026-03-10 23:59:59.500",
                     "2026-03-11 00:10:00.000",
                     {{"2026-03-11 00:00:00.000", 600}}}, // the 0.5 s piece is dropped
                    {"Europe/Berlin",
                     "2026-03-10 23:59:25.000",
                     "2026-03-11 00:00:05.000",
                     {{"2026-03-10 23:59:25.000", 35}, {"2026-03-11 00:00:00.000", 5}}},
                    {"Europe/Berlin", "2026-03-10 23:00:00.000", "2026-03-10 23:00:29.900", {}},
                    {"Europe/Berlin", "2026-01-01 12:00:00.000", "2026-03-12 12:00:00.000", sixty},
                    // Midnight did not exist that day: the day began at 01:00.
                    {"America/Sao_Paulo",
                     "2018-11-03 23:00:00.000",
                     "2018-11-04 02:00:00.000",
                     {{"2018-11-03 23:00:00.000", 3600}, {"2018-11-04 01:00:00.000", 3600}}},
                    {"Europe/Berlin", nullptr, nullptr, {}}}; // undecodable
        for (const auto &row : rows) {
            StoreFixture f;
            f.calendar = zoneCalendar(row.zone);
            const QTimeZone tz(row.zone);
            const Instant end = row.to ? localInstant(tz, row.to) : f.clock.now();
            f.settings.setValue(MacWorkStore::heartbeatKey,
                                row.from ? encodeHeartbeat({localInstant(tz, row.from), end})
                                         : QByteArray("{\"lastTick\":8"));
            f.clock.set(end + 3600);
            MacWorkStore &s = f.open();
            QCOMPARE(pieces(s), row.expected);
            QCOMPARE(decodeEntries(f.readData("entries.json")).value_or(QList<WorkEntry>()),
                     s.entries());
            QCOMPARE(f.heartbeat(), (Heartbeat{std::nullopt, end + 3600}));
        }
        // As earlier versions stored it: seconds since 2001.
        StoreFixture f(800003600);
        f.settings.setValue(MacWorkStore::heartbeatKey,
                            QByteArray(R"({"lastTick":800000600,"segmentStart":800000000})"));
        QCOMPARE(f.open().entries().value(0).date, 800000000.0);
        QCOMPARE(f.store->entries().value(0).seconds, 600.0);
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
