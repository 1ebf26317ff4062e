// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Input events as a device delivers them: the bytes are a stream of (type, code, value) records.
// Whatever a device sends, the decoder counts no more key presses, clicks or modifier changes
// than it was sent key events, and no more scroll steps than the wheel reported.

#include "FuzzCheck.h"
#include "linux/EvdevDecoder.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    InputTally tally;
    EvdevDecoder decoder(tally);
    quint64 keyEvents = 0, wheel = 0;
    double at = 0;
    for (size_t i = 0; i + 8 <= size; i += 8) {
        input_event event{};
        std::memcpy(&event.type, data + i, 2);
        std::memcpy(&event.code, data + i + 2, 2);
        std::memcpy(&event.value, data + i + 4, 4);
        if (event.type == EV_KEY)
            ++keyEvents;
        if (event.type == EV_REL && (event.code == REL_WHEEL || event.code == REL_HWHEEL))
            wheel += quint64(std::abs(qint64(event.value)));
        decoder.feed(event, at += 0.001);
    }
    quint64 pressed = 0;
    for (InputEvent type :
         {InputEvent::keyDown, InputEvent::flagsChanged, InputEvent::leftMouseDown,
          InputEvent::rightMouseDown, InputEvent::otherMouseDown})
        pressed += tally.counter(type);
    FUZZ_CHECK(pressed <= keyEvents);
    // Counters are 32 bits and wrap; compare within that.
    FUZZ_CHECK(wheel >= 0x100000000ull || tally.counter(InputEvent::scrollWheel) <= wheel);
    return 0;
}
