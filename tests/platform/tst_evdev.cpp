// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EvdevRecording.h"
#include "linux/EvdevDecoder.h"
#include "linux/InputTally.h"

#include <QTest>

#include <vector>

using namespace Qt::Literals::StringLiterals;

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
    // The keyboard's and the mouse's recordings are counted by tockly-inputd in tst_inputd.
    void droppedEventsAreDiscardedUpToTheNextReport()
    {
        const InputTally t = decode(recording(u"dropped.evemu"_s));
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
