// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"

#include <QtGlobal>

#include <array>
#include <optional>

// Seconds on the monotonic clock (CLOCK_MONOTONIC): it does not jump when the wall clock is set.
double monotonicSeconds();
// Seconds on the boot clock (CLOCK_BOOTTIME): like the monotonic clock, but it runs on while the
// machine sleeps, so the time since an input includes the time asleep. Input is timed with it.
double bootSeconds();

// What the event-reading backends keep of the input: a running count and the time of the latest
// event for each type. Nothing else about an event survives its arrival.
class InputTally {
public:
    // Adds n events of that type, the latest at `at` (boot-clock seconds). Counters wrap.
    void count(InputEvent type, double at, quint32 n = 1);
    // An event that is timed but not counted (mouse movement).
    void touch(InputEvent type, double at);

    quint32 counter(InputEvent type) const { return m_slots[slot(type)].count; }
    std::optional<double> lastAt(InputEvent type) const { return m_slots[slot(type)].last; }
    // Seconds from the latest event of that type to now; before the first one, from `origin`,
    // the moment from which the source knows nothing older.
    double secondsSince(InputEvent type, double now, double origin) const;

private:
    struct Slot {
        quint32 count = 0;
        std::optional<double> last;
    };
    static int slot(InputEvent type);

    std::array<Slot, 7> m_slots{};
};
