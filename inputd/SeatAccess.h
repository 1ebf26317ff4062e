// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QString>

#include <optional>

// Who may read a seat's input: the user who owns the seat's active local session. Asked afresh
// for every call: the caller's user id from the bus daemon (the credentials of its connection,
// which the caller cannot choose), then that user's sessions from logind.
class SeatAccess {
public:
    explicit SeatAccess(QDBusConnection bus) : m_bus(std::move(bus)) {}

    // The seat whose active, local session belongs to the caller (a unique bus name); nothing,
    // with the reason, when there is none.
    std::optional<QString> seatOf(const QString &caller, QString *why) const;

private:
    QDBusConnection m_bus;
};
