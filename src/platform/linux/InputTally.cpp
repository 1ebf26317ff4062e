// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/InputTally.h"

#include <algorithm>
#include <ctime>

namespace {

double seconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

} // namespace

double monotonicSeconds()
{
    return seconds(CLOCK_MONOTONIC);
}

double bootSeconds()
{
    return seconds(CLOCK_BOOTTIME);
}

int InputTally::slot(InputEvent type)
{
    switch (type) {
    case InputEvent::leftMouseDown:
        return 0;
    case InputEvent::rightMouseDown:
        return 1;
    case InputEvent::mouseMoved:
        return 2;
    case InputEvent::keyDown:
        return 3;
    case InputEvent::flagsChanged:
        return 4;
    case InputEvent::scrollWheel:
        return 5;
    case InputEvent::otherMouseDown:
        return 6;
    }
    return 2;
}

void InputTally::count(InputEvent type, double at, quint32 n)
{
    if (n == 0)
        return;
    Slot &s = m_slots[slot(type)];
    s.count += n;
    s.last = std::max(s.last.value_or(at), at);
}

void InputTally::touch(InputEvent type, double at)
{
    Slot &s = m_slots[slot(type)];
    s.last = std::max(s.last.value_or(at), at);
}

double InputTally::secondsSince(InputEvent type, double now, double origin) const
{
    const double last = lastAt(type).value_or(origin);
    return std::max(0.0, now - last);
}
