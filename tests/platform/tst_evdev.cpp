#include "EvdevRecording.h"
#include "linux/EvdevDecoder.h"
#include "linux/InputTally.h"

#include <QTest>

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

} // namespace

class TestEvdev : public QObject {
    Q_OBJECT

private slots:
    void keyboardCountsPressesNotRepeatsAndModifiersApart()
    {
        const InputTally t = decode(recording(QStringLiteral("keyboard.evemu")));
        // h e l l o, the held a once, a under Shift.
        QCOMPARE(t.counter(InputEvent::keyDown), 7u);
        // Shift, Caps Lock and AltGr, each going down and up; Shift's repeats are not changes.
        QCOMPARE(t.counter(InputEvent::flagsChanged), 6u);
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
        QCOMPARE(t.lastAt(InputEvent::scrollWheel), std::optional<double>(16.0));
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
