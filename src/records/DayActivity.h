// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Json.h"

#include <QMap>
#include <QString>

#include <array>
#include <optional>

// One local day's input counters. No key code, character or position is ever part of it.
struct DayActivity {
    qint64 keys = 0;
    qint64 clicks = 0;
    qint64 scrolls = 0;
    qint64 modifierTaps = 0;
    double typingSeconds = 0;
    double mousingSeconds = 0;
    std::array<qint64, 24> hourlyKeys{};
    QMap<QString, double> appSeconds;
    qint64 appSwitches = 0;

    friend bool operator==(const DayActivity &, const DayActivity &) = default;
};

// Day key ("yyyy-MM-dd") to that day's counters.
using ActivityByDay = QMap<QString, DayActivity>;

QJsonObject toJson(const DayActivity &activity);
// Lenient: missing members take their defaults and an "hourlyKeys" of another length becomes 24
// zeros, but a member of the wrong type fails.
std::optional<DayActivity> dayActivityFromJson(const QJsonValue &value);

QByteArray encodeActivity(const ActivityByDay &activity);
std::optional<ActivityByDay> decodeActivity(QByteArrayView json);

// The older key-count file "keystrokes.json": day key -> whole number of key presses.
std::optional<QMap<QString, qint64>> decodeKeystrokes(QByteArrayView json);
