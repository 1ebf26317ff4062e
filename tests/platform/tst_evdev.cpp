#include "EvdevRecording.h"
#include "linux/EvdevDecoder.h"
#include "linux/EvdevInputSource.h"

#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

InputTally decode(const std::vector<Recorded> &events)
{
    InputTally tally;
    EvdevDecoder decoder(tally);
    for (const Recorded &r : events)
        decoder.feed(r.event, r.at);
    return tally;
}

void writeAll(int fd, const QByteArray &data)
{
    QCOMPARE(write(fd, data.constData(), size_t(data.size())), ssize_t(data.size()));
}

} // namespace

class TestEvdev : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); }

    void keyboardCountsPressesNotRepeatsAndModifiersApart()
    {
        const InputTally t = decode(recording(QStringLiteral("keyboard.evemu")));
        // h e l l o, the held a once, a under Shift.
        QCOMPARE(t.counter(InputEvent::keyDown), 7u);
        // Shift, Caps Lock and AltGr, each going down and up; Shift's repeats are not changes.
        QCOMPARE(t.counter(InputEvent::flagsChanged), 6u);
        QCOMPARE(t.counter(InputEvent::leftMouseDown), 0u);
        QCOMPARE(t.counter(InputEvent::scrollWheel), 0u);
        QCOMPARE(t.lastAt(InputEvent::keyDown), std::optional<double>(5.4));
        QCOMPARE(t.lastAt(InputEvent::flagsChanged), std::optional<double>(8.09));
        QVERIFY(!t.lastAt(InputEvent::mouseMoved));
    }

    void mouseCountsButtonsAndDetentsOnce()
    {
        const InputTally t = decode(recording(QStringLiteral("mouse.evemu")));
        QCOMPARE(t.counter(InputEvent::leftMouseDown), 1u);
        QCOMPARE(t.counter(InputEvent::rightMouseDown), 1u);
        QCOMPARE(t.counter(InputEvent::otherMouseDown), 2u);
        // 1 + 1 (down) + 0 (half) + 1 (the half that completes) + 2 (fast turn) + 1 (tilt).
        QCOMPARE(t.counter(InputEvent::scrollWheel), 6u);
        QCOMPARE(t.counter(InputEvent::keyDown), 0u);
        QCOMPARE(t.lastAt(InputEvent::mouseMoved), std::optional<double>(10.0));
        QCOMPARE(t.lastAt(InputEvent::scrollWheel), std::optional<double>(16.0));
        QCOMPARE(t.lastAt(InputEvent::otherMouseDown), std::optional<double>(14.0));
    }

    void droppedEventsAreDiscardedUpToTheNextReport()
    {
        const InputTally t = decode(recording(QStringLiteral("dropped.evemu")));
        // a before the overflow and d after it; b, c and the wheel fell into the gap.
        QCOMPARE(t.counter(InputEvent::keyDown), 2u);
        QCOMPARE(t.counter(InputEvent::scrollWheel), 0u);
        QCOMPARE(t.lastAt(InputEvent::keyDown), std::optional<double>(21.0));

        // A frame counts when its report arrives, at the report's time.
        InputTally tally;
        EvdevDecoder decoder(tally);
        input_event press{};
        press.type = EV_KEY;
        press.code = KEY_Q;
        press.value = 1;
        decoder.feed(press, 1.0);
        QCOMPARE(tally.counter(InputEvent::keyDown), 0u);
        input_event report{};
        report.type = EV_SYN;
        report.code = SYN_REPORT;
        decoder.feed(report, 1.01);
        QCOMPARE(tally.counter(InputEvent::keyDown), 1u);
        QCOMPARE(tally.lastAt(InputEvent::keyDown), std::optional<double>(1.01));
    }

    void devicesComeAndGo()
    {
        EvdevInputSource source;
        QVERIFY(source.secondsSinceLastEvent(InputEvent::keyDown) > 1);

        int keyboard[2], mouse[2];
        QVERIFY(pipe2(keyboard, O_NONBLOCK | O_CLOEXEC) == 0);
        QVERIFY(pipe2(mouse, O_NONBLOCK | O_CLOEXEC) == 0);
        source.addDevice(QStringLiteral("/dev/input/event3"), keyboard[0]);
        source.addDevice(QStringLiteral("/dev/input/event7"), mouse[0]);
        QCOMPARE(source.deviceCount(), 2);

        // A record split between two reads is decoded once, whole.
        const QByteArray keys = bytes(recording(QStringLiteral("keyboard.evemu")));
        writeAll(keyboard[1], keys.left(sizeof(input_event) * 3 + 5));
        QTRY_COMPARE(source.eventCounter(InputEvent::keyDown), 1u);
        writeAll(keyboard[1], keys.mid(sizeof(input_event) * 3 + 5));
        writeAll(mouse[1], bytes(recording(QStringLiteral("mouse.evemu"))));
        QTRY_COMPARE(source.eventCounter(InputEvent::keyDown), 7u);
        QTRY_COMPARE(source.eventCounter(InputEvent::scrollWheel), 6u);
        QCOMPARE(source.eventCounter(InputEvent::flagsChanged), 6u);
        QVERIFY(source.secondsSinceLastEvent(InputEvent::keyDown) < 5);
        QVERIFY(source.secondsSinceLastEvent(InputEvent::mouseMoved) < 5);

        // The keyboard is unplugged: its reader goes, the counts stay.
        close(keyboard[1]);
        QTRY_COMPARE(source.deviceCount(), 1);
        QCOMPARE(source.eventCounter(InputEvent::keyDown), 7u);

        // The mouse still counts, until udev says it went.
        writeAll(mouse[1], bytes(recording(QStringLiteral("mouse.evemu"))));
        QTRY_COMPARE(source.eventCounter(InputEvent::leftMouseDown), 2u);
        source.removeDevice(QStringLiteral("/dev/input/event7"));
        QCOMPARE(source.deviceCount(), 0);
        QCOMPARE(write(mouse[1], keys.constData(), size_t(keys.size())), ssize_t(-1));
        QTest::qWait(50);
        QCOMPARE(source.eventCounter(InputEvent::keyDown), 7u);
        close(mouse[1]);

        // A device that comes back under the same node starts a fresh stream.
        int again[2];
        QVERIFY(pipe2(again, O_NONBLOCK | O_CLOEXEC) == 0);
        source.addDevice(QStringLiteral("/dev/input/event3"), again[0]);
        writeAll(again[1], bytes(recording(QStringLiteral("dropped.evemu"))));
        QTRY_COMPARE(source.eventCounter(InputEvent::keyDown), 9u);
        close(again[1]);
        QTRY_COMPARE(source.deviceCount(), 0);
    }

    void countersWrap()
    {
        InputTally t;
        t.count(InputEvent::keyDown, 1.0, 0xffffffffu);
        t.count(InputEvent::keyDown, 2.0, 3);
        QCOMPARE(t.counter(InputEvent::keyDown), 2u);
        QCOMPARE(t.secondsSince(InputEvent::keyDown, 5.0, 0.0), 3.0);
        QCOMPARE(t.secondsSince(InputEvent::scrollWheel, 5.0, 0.0), 5.0);
    }
};

QTEST_GUILESS_MAIN(TestEvdev)
#include "tst_evdev.moc"
