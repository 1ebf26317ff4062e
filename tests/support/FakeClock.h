// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clock.h"

// A clock that moves only when told to.
class FakeClock final : public Clock {
public:
    explicit FakeClock(Instant start = 0) : m_now(start) {}
    Instant now() const override { return m_now; }
    void set(Instant t) { m_now = t; }
    void advance(double seconds) { m_now += seconds; }

private:
    Instant m_now;
};
