// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/InputTally.h"

#include <linux/input.h>

// Turns one evdev device's stream of input_event records into counts on an InputTally, by the
// kernel's framing: events between two SYN_REPORTs form one frame and are counted when the frame
// ends. After SYN_DROPPED the kernel lost events; the unfinished frame and everything up to the
// next SYN_REPORT are discarded, since they describe a state we never saw complete.
//
// Key presses are EV_KEY value 1 of keyboard keys (value 2, the auto-repeat, is not input);
// Shift, Ctrl, Alt, AltGr, Super and Caps Lock count as modifier changes on press and release
// and never as key presses; mouse buttons count on press; REL_WHEEL and REL_HWHEEL count one per
// detent, and their high-resolution twins are ignored so a detent is not counted twice;
// relative and touch movement only mark the time of the last mouse movement. The code of a key
// decides what it counts as and is then forgotten.
class EvdevDecoder {
public:
    explicit EvdevDecoder(InputTally &tally) : m_tally(tally) {}

    // `at` is when the event was read, on the monotonic clock.
    void feed(const input_event &event, double at);

    static bool isModifierKey(unsigned code);

private:
    struct Frame {
        quint32 keys = 0, modifiers = 0, left = 0, right = 0, other = 0, scrolls = 0;
        bool moved = false;
    };

    void key(unsigned code, int value);
    void commit(double at);

    InputTally &m_tally;
    Frame m_frame;
    bool m_dropping = false;
};
