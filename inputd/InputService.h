// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SeatAccess.h"
#include "SeatInput.h"

#include <QDBusContext>
#include <QMap>
#include <QObject>

// org.quenby.Tockly.Input1 at /org/quenby/Tockly/Input1 on the system bus, as
// packaging/dbus/org.quenby.Tockly.Input1.xml describes it; the adaptor made from that file relays
// the call here. Every call is checked before anything is read: a caller that does not own the
// active local session of a seat gets AccessDenied and nothing else.
class InputService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    InputService(const SeatInput &seats, const SeatAccess &access, QObject *parent = nullptr);

    QMap<QString, uint> GetInput(QMap<QString, double> &secondsSinceLast, QString &seat,
                                 uint &devices);

private:
    const SeatInput &m_seats;
    const SeatAccess &m_access;
};
