// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"

// The source of "now". The store and everything that depends on the current time ask a Clock,
// so tests can drive time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Instant now() const = 0;
};

class SystemClock final : public Clock {
public:
    Instant now() const override
    {
        return instantFromUnixMSecs(QDateTime::currentMSecsSinceEpoch());
    }
};
