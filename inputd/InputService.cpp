// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "InputService.h"

#include "InputAdaptor.h"
#include "linux/InputServiceProtocol.h"
#include "linux/InputTally.h"

#include <QDBusMessage>

InputService::InputService(const SeatInput &seats, const SeatAccess &access, QObject *parent)
    : QObject(parent), m_seats(seats), m_access(access)
{
    new InputAdaptor(this);
}

QMap<QString, uint> InputService::GetInput(QMap<QString, double> &secondsSinceLast, QString &seat,
                                           uint &devices)
{
    QString why;
    const auto allowed = m_access.seatOf(message().service(), &why);
    if (!allowed) {
        sendErrorReply(QDBusError::AccessDenied, why);
        return {};
    }
    seat = *allowed;
    const EvdevInputSource *source = m_seats.seat(seat);
    devices = source ? uint(source->deviceCount()) : 0;
    QMap<QString, uint> counters;
    for (const auto &e : InputServiceProtocol::events) {
        const QString name = QLatin1String(e.name);
        counters[name] = source ? source->eventCounter(e.type) : 0;
        // A seat without devices yet has seen no input since boot.
        secondsSinceLast[name] = source ? source->secondsSinceLastEvent(e.type) : bootSeconds();
    }
    return counters;
}
