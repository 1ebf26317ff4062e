// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

// System sleep as logind announces it with PrepareForSleep. A delay inhibitor lock is held while
// awake, so the machine waits for the will-sleep work; the lock is released as soon as that work
// has returned, and taken again on wake.
class LogindSleepMonitor final : public QObject {
    Q_OBJECT
public:
    explicit LogindSleepMonitor(QDBusConnection systemBus, QObject *parent = nullptr);

    // Subscribed to PrepareForSleep.
    bool isWatching() const { return m_watching; }
    bool holdsInhibitor() const { return m_lock.isValid(); }

signals:
    // Emitted synchronously; the sleep is held back until the emission returns.
    void willSleep();
    void didWake();
    // A requested lock arrived (or was refused), for callers that wait for it.
    void inhibitorChanged();

private slots:
    void prepareForSleep(bool sleeping);

private:
    void takeInhibitor();

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_lock;
    bool m_watching = false;
    bool m_sleeping = false;
};
