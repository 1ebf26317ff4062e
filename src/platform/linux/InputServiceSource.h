// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"
#include "linux/InputServiceProtocol.h"

#include <QDBusConnection>
#include <QString>

// Input counted by tockly-inputd, the system service that alone opens the input devices: exact
// counts on every session, without the input group. One call returns every counter and idle
// time of the user's seat; the readings of one tick share it.
class InputServiceSource final : public InputSource {
public:
    explicit InputServiceSource(QDBusConnection systemBus);

    // Asks the service now, waiting at most `timeoutMs` (a first call may have the bus start it).
    // False, with the reason, when it does not answer this user.
    bool ask(QString *why = nullptr, int timeoutMs = 500) const;
    QString seat() const { return m_seat; }
    int devices() const { return int(m_devices); }

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent type) const override;

private:
    void refresh() const;

    QDBusConnection m_bus;
    // Boot seconds of the last call and of the last answer.
    mutable double m_askedAt = -1;
    mutable double m_answeredAt = -1;
    mutable InputServiceProtocol::Counters m_counters;
    mutable InputServiceProtocol::Seconds m_idle;
    mutable QString m_seat;
    mutable uint m_devices = 0;
};
