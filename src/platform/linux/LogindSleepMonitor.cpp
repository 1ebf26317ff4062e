// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/LogindSleepMonitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString manager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindSleepMonitor::LogindSleepMonitor(QDBusConnection systemBus, QObject *parent)
    : QObject(parent), m_bus(std::move(systemBus))
{
    if (!m_bus.isConnected())
        return;
    m_watching = m_bus.connect(service, path, manager, QStringLiteral("PrepareForSleep"), this,
                               SLOT(prepareForSleep(bool)));
    if (m_watching)
        takeInhibitor();
}

void LogindSleepMonitor::takeInhibitor()
{
    auto call = QDBusMessage::createMethodCall(service, path, manager, QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Tockly")
         << QStringLiteral("Recording the work time before the system sleeps")
         << QStringLiteral("delay");
    // Asynchronous: the start and the wake must not wait for logind.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        // A lock that arrives after sleep began would only hold the next sleep back for nothing.
        if (reply.isValid() && !m_sleeping)
            m_lock = reply.value();
        w->deleteLater();
        emit inhibitorChanged();
    });
}

void LogindSleepMonitor::prepareForSleep(bool sleeping)
{
    m_sleeping = sleeping;
    if (sleeping) {
        emit willSleep();
        m_lock = QDBusUnixFileDescriptor();
        emit inhibitorChanged();
    } else {
        if (!m_lock.isValid())
            takeInhibitor();
        emit didWake();
    }
}
