// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/IdleOnlyInputSource.h"

#include "linux/InputTally.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

#include <algorithm>
#include <cmath>

namespace {

// The desktop answers in well under this; a hung one must not stall the tick for long.
constexpr int callTimeoutMs = 500;
constexpr double reuseSeconds = 0.05;
// How far from the end of an inhibition an input is taken for Mutter's reset: both hear of it
// from the same signal.
constexpr double resetGrace = 1.0;
// The session manager's flag for an inhibited idle.
constexpr uint idleFlag = 8;

const QString sessionManager = QStringLiteral("org.gnome.SessionManager");
const QString sessionManagerPath = QStringLiteral("/org/gnome/SessionManager");

} // namespace

IdleOnlyInputSource::IdleOnlyInputSource(QDBusConnection bus) : m_bus(std::move(bus))
{
    for (Provider p : {Provider::mutterIdleMonitor, Provider::screenSaver}) {
        if (const auto idle = ask(p)) {
            const auto now = SleepAwareIdle::Clocks::now();
            m_provider = p;
            m_lastInput = m_sleep.lastInput(*idle, now);
            m_askedAt = now.boot;
            break;
        }
    }
    if (m_provider != Provider::mutterIdleMonitor)
        return;
    m_bus.connect(
        sessionManager, sessionManagerPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"), this, SLOT(sessionChanged(QString, QVariantMap)));
    auto get = QDBusMessage::createMethodCall(sessionManager, sessionManagerPath,
                                              QStringLiteral("org.freedesktop.DBus.Properties"),
                                              QStringLiteral("Get"));
    get << sessionManager << QStringLiteral("InhibitedActions");
    const QDBusReply<QDBusVariant> actions = m_bus.call(get, QDBus::Block, callTimeoutMs);
    m_idleInhibited = actions.isValid() && (actions.value().variant().toUInt() & idleFlag);
}

void IdleOnlyInputSource::sessionChanged(const QString &interface, const QVariantMap &changed)
{
    const auto actions = changed.constFind(QStringLiteral("InhibitedActions"));
    if (interface == sessionManager && actions != changed.constEnd())
        setIdleInhibited(actions->toUInt() & idleFlag);
}

void IdleOnlyInputSource::setIdleInhibited(bool inhibited)
{
    if (m_idleInhibited && !inhibited)
        m_inhibitionEndedAt = bootSeconds();
    m_idleInhibited = inhibited;
}

QString IdleOnlyInputSource::providerName(Provider provider)
{
    switch (provider) {
    case Provider::mutterIdleMonitor:
        return QStringLiteral("org.gnome.Mutter.IdleMonitor");
    case Provider::screenSaver:
        return QStringLiteral("org.freedesktop.ScreenSaver");
    case Provider::none:
        break;
    }
    return QStringLiteral("none");
}

std::optional<double> IdleOnlyInputSource::ask(Provider provider) const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    if (provider == Provider::mutterIdleMonitor) {
        auto call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.Mutter.IdleMonitor"),
            QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
            QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
        const QDBusReply<qulonglong> reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
        if (reply.isValid())
            return double(reply.value()) / 1000.0;
    } else if (provider == Provider::screenSaver) {
        auto call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                                   QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                   QStringLiteral("org.freedesktop.ScreenSaver"),
                                                   QStringLiteral("GetSessionIdleTime"));
        const QDBusReply<uint> reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
        if (reply.isValid())
            return double(reply.value());
    }
    return std::nullopt;
}

double IdleOnlyInputSource::secondsSinceLastEvent(InputEvent) const
{
    const auto now = SleepAwareIdle::Clocks::now();
    if (m_provider == Provider::none)
        return now.boot; // nothing is known: no input since boot
    // A failed call keeps the last reading running on rather than inventing activity.
    if (now.boot - m_askedAt >= reuseSeconds) {
        if (const auto idle = ask(m_provider)) {
            const double lastInput = m_sleep.lastInput(*idle, now);
            const bool reset = m_inhibitionEndedAt && lastInput > m_lastInput &&
                               std::abs(lastInput - *m_inhibitionEndedAt) < resetGrace;
            if (!reset)
                m_lastInput = lastInput;
            m_askedAt = now.boot;
        }
    }
    return std::max(0.0, now.boot - m_lastInput);
}
