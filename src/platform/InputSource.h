// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// Input event types, numbered as the window-system event codes the stored counters were defined
// with, so that a reading means the same on every platform.
enum class InputEvent {
    leftMouseDown = 1,
    rightMouseDown = 3,
    mouseMoved = 5,
    keyDown = 10,
    flagsChanged = 12,
    scrollWheel = 22,
    otherMouseDown = 25,
};

// The combined input of the logged-in user, read by polling. Backends never keep which key was
// pressed or where the pointer is: only how many events of a kind happened and how long ago.
class InputSource {
public:
    virtual ~InputSource() = default;
    // Seconds since the last event of that type from any input device of the user.
    virtual double secondsSinceLastEvent(InputEvent type) const = 0;
    // A running count of events of that type since some origin; it may restart or wrap.
    virtual quint32 eventCounter(InputEvent type) const = 0;
};
