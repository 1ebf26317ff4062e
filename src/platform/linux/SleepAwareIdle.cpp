// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/SleepAwareIdle.h"

#include "linux/InputTally.h"

#include <algorithm>

namespace {

// The two clocks' difference grows by more than this only through a sleep.
constexpr double sleepJump = 1.0;
// Desktops reset their idle time when they hear of the wake, as we do.
constexpr double resetGrace = 5.0;
// Inputs older than the oldest sleep kept are older than any idle limit anyway.
constexpr size_t keptWakes = 8;

} // namespace

SleepAwareIdle::Clocks SleepAwareIdle::Clocks::now()
{
    return {monotonicSeconds(), bootSeconds()};
}

double SleepAwareIdle::lastInput(double idle, Clocks now)
{
    const double nowOffset = now.boot - now.monotonic;
    if (m_offset && nowOffset - *m_offset > sleepJump) {
        m_wakes.push_back({now.monotonic, *m_offset});
        if (m_wakes.size() > keptWakes)
            m_wakes.erase(m_wakes.begin());
    }
    m_offset = nowOffset;

    const double at = now.monotonic - idle;
    // An input before a wake was noticed is taken as one before that sleep: the wake itself
    // happened somewhere since the previous reading.
    double offset = nowOffset;
    for (auto w = m_wakes.rbegin(); w != m_wakes.rend() && at < w->monotonic; ++w)
        offset = w->offsetBefore;
    const bool reset = std::any_of(m_wakes.begin(), m_wakes.end(), [&](const Wake &w) {
        return at >= w.monotonic && at < w.monotonic + resetGrace;
    });
    if (reset && m_lastInput)
        return *m_lastInput;
    // The same as at + offset, but exact when no sleep came between.
    m_lastInput = now.boot - idle - (nowOffset - offset);
    return *m_lastInput;
}
