// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EvdevRecording.h"
#include "linux/EvdevDecoder.h"
#include "linux/InputTally.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestEvdev : public QObject {
    Q_OBJECT

private slots:
    // The keyboard's and the mouse's recordings are counted by tockly-inputd in tst_inputd.
    void droppedEventsAreDiscardedUpToTheNextReport()
    {
        InputTally t;
        EvdevDecoder dropped(t);
        for (const Recorded &r : recording(u"dropped.evemu"_s))
            dropped.feed(r.event, r.at);
        // a before the overflow and d after it; b, c and the wheel fell into the gap.
        QCOMPARE(t.counter(InputEvent::keyDown), 2u);
        QCOMPARE(t.counter(InputEvent::scrollWheel), 0u);
        QCOMPARE(t.lastAt(InputEvent::keyDown), std::optional<double>(21.0));

        // A frame counts when its report arrives, at the report's time.
        InputTally tally;
        EvdevDecoder decoder(tally);
        decoder.feed({{}, EV_KEY, KEY_Q, 1}, 1.0);
        QCOMPARE(tally.counter(InputEvent::keyDown), 0u);
        decoder.feed({{}, EV_SYN, SYN_REPORT, 0}, 1.01);
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
