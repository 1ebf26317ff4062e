// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"

#include <QByteArray>

#include <optional>

// The open segment, mirrored to storage on every counting tick, so that a crash or a forced quit
// loses at most one tick of work: the next start records the segment up to lastTick.
struct Heartbeat {
    std::optional<Instant> segmentStart;
    Instant lastTick = 0;

    friend bool operator==(const Heartbeat &, const Heartbeat &) = default;
};

// {"lastTick": 800000000, "segmentStart": 799999000}; "segmentStart" is left out when no segment
// is open.
QByteArray encodeHeartbeat(const Heartbeat &heartbeat);
// "lastTick" is required; a missing or null "segmentStart" means no segment.
std::optional<Heartbeat> decodeHeartbeat(QByteArrayView json);
