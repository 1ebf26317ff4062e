#include "StoreFixture.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

using Pieces = QList<QPair<QString, double>>; // local start "yyyy-MM-dd HH:mm:ss.zzz", seconds

namespace {

const QTimeZone berlin("Europe/Berlin");

Instant at(const char *text)
{
    return localInstant(berlin, text);
}

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

// Every change signal of the store, counted together.
struct NotifySpies {
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    explicit NotifySpies(MacWorkStore &s)
    {
        const QMetaObject *meta = s.metaObject();
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaMethod notify = meta->property(i).notifySignal();
            spies.push_back(std::make_unique<QSignalSpy>(&s, notify));
        }
    }
    qsizetype total() const
    {
        qsizetype n = 0;
        for (const auto &spy : spies)
            n += spy->count();
        return n;
    }
};

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void typingSessionBecomesOneEntry();
    void closingRules_data();
    void closingRules();
    void minimumSegment_data();
    void minimumSegment();
    void returnAfterBreak();
    void sleepWithoutNotice();
    void willSleepAndWake();
    void inputCounting();
    void autoTrackingOffAndOn();
    void demoModeNeverIdles();
    void frontmostApplications();
    void quietTickWakesNothing();
    void midnightSplit_data();
    void midnightSplit();
    void longSegmentKeepsSixtyPieces();
    void crashRecoveryReplaysOnce();
    void heartbeatRecovery_data();
    void heartbeatRecovery();
};

void TestStore::typingSessionBecomesOneEntry()
{
    StoreFixture f;
    const Instant t0 = f.clock.now();
    MacWorkStore &s = f.open();
    // Nothing has been typed since login: idle, and the timer slow.
    QVERIFY(s.isIdle());
    QCOMPARE(s.statusText(), QStringLiteral("Paused — you stepped away"));
    QCOMPARE(f.timer.interval, 30.0);
    QCOMPARE(f.timer.tolerance, 12.0);

    f.clock.advance(10);
    f.input.event(InputEvent::keyDown);
    f.advance(20);
    QCOMPARE(s.segmentStart(), t0 + 10);
    QCOMPARE(s.statusText(), QStringLiteral("Counting — you're active"));
    QCOMPARE(f.timer.interval, 5.0);
    QCOMPARE(f.timer.tolerance, 2.0);
    QCOMPARE(f.heartbeat()->segmentStart, t0 + 10);

    f.type(600);
    const Instant lastInput = f.clock.now() - 1;
    QCOMPARE(f.heartbeat()->lastTick, f.clock.now());
    for (int i = 0; i < 6; ++i)
        f.advance(5);

    QCOMPARE(s.entries().size(), 1);
    const WorkEntry e = s.entries().first();
    QCOMPARE(e.date, t0 + 10);
    QCOMPARE(e.seconds, lastInput - (t0 + 10));
    QCOMPARE(e.kind, WorkEntry::Kind::timed);
    QVERIFY(!s.isTracking());
    QCOMPARE(s.statusText(), QStringLiteral("Paused — you stepped away"));
    QCOMPARE(s.menuBarTitle(), QStringLiteral("10m"));
    QCOMPARE(decodeEntries(f.readData("entries.json")), s.entries());
    QCOMPARE(f.heartbeat()->segmentStart, std::nullopt);
    QCOMPARE(f.heartbeat()->lastTick, f.clock.now());
}

void TestStore::closingRules_data()
{
    QTest::addColumn<double>("silence"); // seconds from the last input to the next tick
    QTest::addColumn<bool>("closes");
    QTest::addColumn<double>("endAfterInput"); // where the entry ends, after the last input
    QTest::newRow("29 s: still counting") << 29.0 << false << 0.0;
    QTest::newRow("30 s: ends at the last input") << 30.0 << true << 0.0;
    QTest::newRow("45 s in one late tick") << 45.0 << true << 0.0;
    // More than 90 s without a tick: only up to the tick before the gap.
    QTest::newRow("96 s: gap") << 96.0 << true << 1.0;
}

void TestStore::closingRules()
{
    QFETCH(double, silence);
    QFETCH(bool, closes);
    QFETCH(double, endAfterInput);
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(120);
    const Instant start = s.segmentStart().value();
    const Instant lastInput = f.clock.now() - 1;
    f.advance(silence - 1);
    QCOMPARE(s.isTracking(), !closes);
    QCOMPARE(s.isIdle(), silence >= 30);
    if (!closes)
        return;
    QCOMPARE(pieces(s),
             (Pieces{{localText(s.calendar(), start), lastInput + endAfterInput - start}}));
}

void TestStore::minimumSegment_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<int>("recorded");
    QTest::newRow("29.9 s") << 29.9 << 0;
    QTest::newRow("30 s") << 30.0 << 1;
}

void TestStore::minimumSegment()
{
    QFETCH(double, length);
    QFETCH(int, recorded);
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(5);
    const Instant start = s.segmentStart().value();
    f.clock.set(start + length);
    f.input.event(InputEvent::keyDown);
    for (int i = 0; i < 7; ++i)
        f.advance(5);
    QVERIFY(!s.isTracking());
    QCOMPARE(s.entries().size(), recorded);
}

void TestStore::returnAfterBreak()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(60);
    const Instant lastInput = f.clock.now() - 1;
    while (f.clock.now() < lastInput + 600) {
        f.advance(s.currentInterval());
        QCOMPARE(f.timer.interval, f.clock.now() - lastInput > 300 ? 30.0 : 5.0);
    }
    QCOMPARE(f.timer.tolerance, 12.0);
    QCOMPARE(s.entries().size(), 1);

    // Back 10 s after a tick, typing until 5 s before the next one.
    const Instant previousTick = f.clock.now();
    f.clock.advance(10);
    f.input.event(InputEvent::keyDown);
    f.clock.advance(15);
    f.input.event(InputEvent::keyDown);
    f.advance(5);
    QCOMPARE(s.segmentStart(), previousTick + 25);
    QCOMPARE(f.timer.interval, 5.0);
}

void TestStore::sleepWithoutNotice()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(120);
    const Instant start = s.segmentStart().value();
    const Instant lastTick = f.clock.now();
    f.clock.advance(3600);
    f.input.event(InputEvent::keyDown);
    f.advance(1);
    QCOMPARE(s.entries().size(), 1);
    QCOMPARE(s.entries().first().seconds, lastTick - start);
    // Typing right after waking opens a fresh segment at that input.
    QCOMPARE(s.segmentStart(), f.clock.now() - 1);
}

void TestStore::willSleepAndWake()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(120);
    const Instant start = s.segmentStart().value();
    const Instant lastInput = f.clock.now() - 1;
    f.clock.advance(2);
    f.workspace.sleep();
    QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), start), lastInput - start}}));
    QVERIFY(!s.activityDirty());
    QCOMPARE(decodeActivity(f.readData("activity.json")), s.activityByDay());
    QCOMPARE(s.lastTickAt(), f.clock.now());

    f.clock.advance(3600);
    f.workspace.wake();
    QVERIFY(!s.isTracking());
    QVERIFY(s.isIdle());
    QCOMPARE(s.entries().size(), 1);
    f.clock.advance(2);
    f.input.event(InputEvent::keyDown);
    f.advance(1);
    QCOMPARE(s.segmentStart(), f.clock.now() - 1);
}

void TestStore::inputCounting()
{
    StoreFixture f;
    // Counters far from zero at start count nothing: there is no baseline yet.
    f.input.setCounter(InputEvent::keyDown, 50000);
    f.input.setCounter(InputEvent::leftMouseDown, 700);
    f.input.event(InputEvent::keyDown);
    MacWorkStore &s = f.open();
    const QString today = s.calendar().dayKey(f.clock.now());
    QVERIFY(s.activityByDay().isEmpty());

    f.input.event(InputEvent::leftMouseDown, 2);
    f.input.event(InputEvent::rightMouseDown);
    f.input.event(InputEvent::otherMouseDown);
    f.input.event(InputEvent::scrollWheel, 3);
    f.input.event(InputEvent::flagsChanged, 4);
    f.input.event(InputEvent::keyDown, 7); // the latest input, with the mouse at the same instant
    f.advance(5);
    DayActivity day = s.activityByDay().value(today);
    QCOMPARE(day.keys, 7);
    QCOMPARE(day.hourlyKeys[10], 7);
    QCOMPARE(day.clicks, 4);
    QCOMPARE(day.scrolls, 3);
    QCOMPARE(day.modifierTaps, 4);
    QCOMPARE(day.typingSeconds, 5.0); // a tie counts as typing
    QCOMPARE(day.mousingSeconds, 0.0);

    // Ticks 20 s apart while counting add only 8 s, here to mousing.
    f.clock.advance(19);
    f.input.event(InputEvent::mouseMoved);
    f.advance(1);
    day = s.activityByDay().value(today);
    QCOMPARE(day.mousingSeconds, 8.0);

    // A counter that restarts adds nothing on that tick, then counts again.
    f.input.setCounter(InputEvent::keyDown, 3);
    f.input.event(InputEvent::mouseMoved);
    f.advance(5);
    QCOMPARE(s.activityByDay().value(today).keys, 7);
    f.input.event(InputEvent::keyDown, 2);
    f.advance(5);
    QCOMPARE(s.activityByDay().value(today).keys, 9);
    // Modifier presses do not end idleness, but are counted while idle.
    for (int i = 0; i < 8; ++i)
        f.advance(5);
    QVERIFY(s.isIdle());
    const DayActivity before = s.activityByDay().value(today);
    f.input.setCounter(InputEvent::flagsChanged, 10);
    f.advance(5);
    const DayActivity after = s.activityByDay().value(today);
    QCOMPARE(after.modifierTaps, before.modifierTaps + 6);
    QCOMPARE(after.typingSeconds + after.mousingSeconds,
             before.typingSeconds + before.mousingSeconds);

    // A counter that wraps at 32 bits behaves like one that restarted.
    StoreFixture g;
    g.input.setCounter(InputEvent::keyDown, 0xFFFFFFFE);
    g.input.event(InputEvent::keyDown);
    g.open();
    g.input.event(InputEvent::keyDown, 3);
    g.advance(5);
    g.input.event(InputEvent::keyDown, 2);
    g.advance(5);
    QCOMPARE(g.store->activityByDay().value(today).keys, 2);
}

void TestStore::autoTrackingOffAndOn()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(60);
    const Instant start = s.segmentStart().value();
    const Instant lastInput = f.clock.now() - 1;
    f.clock.advance(2);
    s.setAutoTrackEnabled(false);
    QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), start), lastInput - start}}));
    QCOMPARE(s.statusText(), QStringLiteral("Auto-tracking is off"));
    QCOMPARE(f.settings.boolValue(MacWorkStore::autoKey), false);

    const DayActivity counted = s.activityByDay().value(s.calendar().dayKey(f.clock.now()));
    f.workspace.front =
        FrontmostApplication{QStringLiteral("org.editor"), QStringLiteral("Editor")};
    f.type(60);
    QVERIFY(!s.isTracking());
    QVERIFY(!s.isIdle());
    QCOMPARE(s.lastFrontAppID(), std::nullopt);
    QCOMPARE(s.activityByDay().value(s.calendar().dayKey(f.clock.now())), counted);
    for (int i = 0; i < 7; ++i)
        f.advance(5);
    QVERIFY(s.isIdle()); // still follows the idle rule
    QCOMPARE(s.statusText(), QStringLiteral("Auto-tracking is off"));

    // Kept across a restart.
    f.open();
    QVERIFY(!f.store->autoTrackEnabled());

    // Switched on while active: counting starts on that very tick.
    f.input.event(InputEvent::keyDown);
    f.clock.advance(1);
    f.store->setAutoTrackEnabled(true);
    QCOMPARE(f.store->segmentStart(), f.clock.now() - 1);
    QCOMPARE(f.store->statusText(), QStringLiteral("Counting — you're active"));
}

void TestStore::demoModeNeverIdles()
{
    StoreFixture f;
    f.process.environment.insert(QStringLiteral("QUENBY_DEMO_ACTIVE"), QString());
    MacWorkStore &s = f.open();
    const Instant opened = f.clock.now();
    for (int i = 0; i < 120; ++i) {
        f.advance(5);
        QVERIFY(!s.isIdle());
    }
    QCOMPARE(s.segmentStart(), opened);
    QCOMPARE(f.heartbeat()->segmentStart, opened);
    s.setAutoTrackEnabled(false);
    QVERIFY(!s.isTracking());
    QVERIFY(!s.isIdle());
}

void TestStore::frontmostApplications()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    const QString today = s.calendar().dayKey(f.clock.now());
    auto app = [](std::optional<QString> id, std::optional<QString> name) {
        return std::optional(FrontmostApplication{std::move(id), std::move(name)});
    };
    auto switches = [&] { return s.activityByDay().value(today).appSwitches; };
    auto seconds = [&](const char *name) {
        return s.activityByDay().value(today).appSeconds.value(QString::fromUtf8(name));
    };

    f.workspace.front = app(QStringLiteral("org.editor"), QStringLiteral("Editor"));
    f.type(5);
    QCOMPARE(seconds("Editor"), 5.0);
    QCOMPARE(switches(), 0);
    f.workspace.front = app(QStringLiteral("org.term"), std::nullopt);
    f.type(5);
    QCOMPARE(seconds("org.term"), 5.0);
    QCOMPARE(switches(), 1);
    f.workspace.front = app(std::nullopt, std::nullopt);
    f.type(5);
    QCOMPARE(seconds("?"), 5.0);
    QCOMPARE(switches(), 2);
    // No application in front: nothing is credited and the last one is remembered.
    f.workspace.front.reset();
    f.type(5);
    f.workspace.front = app(std::nullopt, std::nullopt);
    f.type(5);
    QCOMPARE(seconds("?"), 10.0);
    QCOMPARE(switches(), 2);
    // The first application after a pause is not a switch.
    for (int i = 0; i < 7; ++i)
        f.advance(5);
    QCOMPARE(s.lastFrontAppID(), std::nullopt);
    f.workspace.front = app(QStringLiteral("org.editor"), QStringLiteral("Editor"));
    f.type(5);
    QCOMPARE(switches(), 2);

    // One counting tick reads at most sixteen values and asks for the front application once.
    f.input.readings = 0;
    f.workspace.queries = 0;
    f.type(5);
    QVERIFY(f.input.readings <= 16);
    QCOMPARE(f.workspace.queries, 1);
}

void TestStore::quietTickWakesNothing()
{
    StoreFixture f;
    MacWorkStore &s = f.open();
    f.type(60);
    for (int i = 0; i < 8; ++i)
        f.advance(5);
    QVERIFY(s.isIdle());
    NotifySpies spies(s);
    QVERIFY(spies.spies.size() >= 11);
    const int writes = f.settings.writes;
    for (int i = 0; i < 100; ++i)
        f.advance(s.currentInterval());
    QCOMPARE(spies.total(), 0);
    QCOMPARE(f.settings.writes, writes);
    QCOMPARE(f.timer.interval, 30.0);

    // A counting tick announces what changed, each once.
    f.input.event(InputEvent::keyDown);
    f.advance(1);
    QSignalSpy tracking(&s, &MacWorkStore::isTrackingChanged);
    QSignalSpy activity(&s, &MacWorkStore::activityByDayChanged);
    f.input.event(InputEvent::keyDown);
    f.advance(5);
    QCOMPARE(tracking.count(), 0);
    QCOMPARE(activity.count(), 1);
}

void TestStore::midnightSplit_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<Pieces>("expected");
    QTest::newRow("23:50-00:20") << QByteArray("Europe/Berlin") << "2026-03-10 23:50:00.000"
                                 << "2026-03-11 00:20:00.000"
                                 << Pieces{{"2026-03-10 23:50:00.000", 600},
                                           {"2026-03-11 00:00:00.000", 1200}};
    QTest::newRow("0.5 s piece dropped")
        << QByteArray("Europe/Berlin") << "2026-03-10 23:59:59.500"
        << "2026-03-11 00:10:00.000" << Pieces{{"2026-03-11 00:00:00.000", 600}};
    QTest::newRow("40 s segment, 5 s after midnight")
        << QByteArray("Europe/Berlin") << "2026-03-10 23:59:25.000"
        << "2026-03-11 00:00:05.000"
        << Pieces{{"2026-03-10 23:59:25.000", 35}, {"2026-03-11 00:00:00.000", 5}};
    QTest::newRow("29.9 s dropped") << QByteArray("Europe/Berlin") << "2026-03-10 12:00:00.000"
                                    << "2026-03-10 12:00:29.900" << Pieces{};
    QTest::newRow("30 s kept") << QByteArray("Europe/Berlin") << "2026-03-10 12:00:00.000"
                               << "2026-03-10 12:00:30.000"
                               << Pieces{{"2026-03-10 12:00:00.000", 30}};
    QTest::newRow("23-hour day") << QByteArray("Europe/Berlin") << "2026-03-28 23:00:00.000"
                                 << "2026-03-30 01:00:00.000"
                                 << Pieces{{"2026-03-28 23:00:00.000", 3600},
                                           {"2026-03-29 00:00:00.000", 82800},
                                           {"2026-03-30 00:00:00.000", 3600}};
    QTest::newRow("25-hour day") << QByteArray("Europe/Berlin") << "2026-10-24 23:00:00.000"
                                 << "2026-10-26 01:00:00.000"
                                 << Pieces{{"2026-10-24 23:00:00.000", 3600},
                                           {"2026-10-25 00:00:00.000", 90000},
                                           {"2026-10-26 00:00:00.000", 3600}};
    // Midnight did not exist that day: the day began at 01:00.
    QTest::newRow("skipped midnight")
        << QByteArray("America/Sao_Paulo") << "2018-11-03 23:00:00.000"
        << "2018-11-04 02:00:00.000"
        << Pieces{{"2018-11-03 23:00:00.000", 3600}, {"2018-11-04 01:00:00.000", 3600}};
}

void TestStore::midnightSplit()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(Pieces, expected);
    // A segment left open by a stopped process is recorded at the next start, piece by piece.
    StoreFixture f;
    f.calendar = zoneCalendar(zone.constData());
    const QTimeZone tz(zone);
    const Instant start = localInstant(tz, from.toLatin1().constData());
    const Instant end = localInstant(tz, to.toLatin1().constData());
    f.settings.setValue(MacWorkStore::heartbeatKey, encodeHeartbeat({start, end}));
    f.clock.set(end + 3600);
    MacWorkStore &s = f.open();
    QCOMPARE(pieces(s), expected);
    QCOMPARE(decodeEntries(f.readData("entries.json")).value_or(QList<WorkEntry>()), s.entries());
}

void TestStore::longSegmentKeepsSixtyPieces()
{
    StoreFixture f;
    const Instant start = at("2026-01-01 12:00");
    f.settings.setValue(MacWorkStore::heartbeatKey,
                        encodeHeartbeat({start, at("2026-03-12 12:00")})); // 70 days
    MacWorkStore &s = f.open();
    QCOMPARE(s.entries().size(), 60);
    QCOMPARE(s.entries().first().seconds, 12 * 3600.0);
    const WorkEntry &last = s.entries().last();
    QCOMPARE(localText(s.calendar(), last.date), QStringLiteral("2026-03-01 00:00:00.000"));
    QCOMPARE(last.date + last.seconds, at("2026-03-02 00:00"));
}

void TestStore::crashRecoveryReplaysOnce()
{
    StoreFixture f;
    f.open();
    f.type(600);
    const Instant start = f.store->segmentStart().value();
    const Instant lastTick = f.clock.now();
    f.clock.advance(3); // killed between two ticks
    f.clock.advance(120);
    MacWorkStore &s = f.open();
    QCOMPARE(pieces(s), (Pieces{{localText(s.calendar(), start), lastTick - start}}));
    QCOMPARE(f.heartbeat()->segmentStart, std::nullopt);
    // Stopped again before any counting tick: nothing more at the next start.
    f.clock.advance(60);
    f.open();
    QCOMPARE(f.store->entries().size(), 1);
    QCOMPARE(decodeEntries(f.readData("entries.json"))->size(), 1);
}

void TestStore::heartbeatRecovery_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("recorded");
    QTest::newRow("no segment") << QByteArray(R"({"lastTick":800000000})") << 0;
    QTest::newRow("null segment") << QByteArray(R"({"lastTick":800000000,"segmentStart":null})")
                                  << 0;
    QTest::newRow("ten minutes") << QByteArray(R"({"lastTick":800000600,"segmentStart":800000000})")
                                 << 1;
    QTest::newRow("29 s") << QByteArray(R"({"lastTick":800000029,"segmentStart":800000000})") << 0;
    QTest::newRow("tick before start")
        << QByteArray(R"({"lastTick":799999000,"segmentStart":800000000})") << 0;
    QTest::newRow("no lastTick") << QByteArray(R"({"segmentStart":800000000})") << 0;
    QTest::newRow("text start") << QByteArray(R"({"lastTick":800000600,"segmentStart":"x"})") << 0;
    QTest::newRow("not JSON") << QByteArray("{\"lastTick\":8") << 0;
}

void TestStore::heartbeatRecovery()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, recorded);
    StoreFixture f(800003600);
    f.settings.setValue(MacWorkStore::heartbeatKey, stored);
    MacWorkStore &s = f.open();
    QCOMPARE(s.entries().size(), recorded);
    QCOMPARE(f.heartbeat(), (Heartbeat{std::nullopt, 800003600}));
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
