// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/EvdevInputSource.h"

#include <QString>

#include <map>
#include <memory>

// The input of each seat, counted apart: a device counts for the seat it belongs to, and its
// events are timed on the boot clock, so that a suspended machine does not look freshly used.
class SeatInput {
public:
    // Reads the device from `fd`, which it then owns.
    void addDevice(const QString &node, const QString &seat, int fd);
    void removeDevice(const QString &node);

    // The seat's counts and times; nullptr while it never had a device.
    const EvdevInputSource *seat(const QString &name) const;
    int deviceCount() const;

private:
    std::map<QString, std::unique_ptr<EvdevInputSource>> m_seats;
    std::map<QString, QString> m_seatOfNode;
};
