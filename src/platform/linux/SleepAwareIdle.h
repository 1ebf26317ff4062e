// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <vector>

// Idle readings that come from elsewhere (the X server's MIT-SCREEN-SAVER, the desktop's idle
// service, the compositor's idle timeout) are measured on clocks that stop while the machine
// sleeps, and desktops reset them at a wake to light the screen. This turns such a reading into
// the instant of the last input on the boot clock (bootSeconds()), which runs on through sleep:
// - a sleep after the input adds its length. The boot and monotonic clocks drift apart by exactly
//   the time asleep, so a jump of their difference between two readings marks a wake;
// - an input that seems to come in the first seconds after a wake is the desktop's reset, not
//   the user, and the last input before it stands.
class SleepAwareIdle {
public:
    struct Clocks {
        double monotonic = 0;
        double boot = 0;
        static Clocks now();
    };

    // The boot-clock instant of the last input, from a reading of `idle` seconds (on a clock
    // that stops during sleep) taken at `now`.
    double lastInput(double idle, Clocks now);

private:
    struct Wake {
        double monotonic;    // when the wake was noticed
        double offsetBefore; // boot - monotonic before that sleep
    };
    std::optional<double> m_offset;
    std::vector<Wake> m_wakes; // oldest first, a few
    std::optional<double> m_lastInput;
};
