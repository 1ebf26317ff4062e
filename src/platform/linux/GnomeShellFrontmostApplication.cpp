// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/GnomeShellFrontmostApplication.h"

#include "linux/GnomeShellExtension.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using Extension = GnomeShellExtension;

GnomeShellFrontmostApplication::GnomeShellFrontmostApplication(QDBusConnection bus)
    : m_bus(std::move(bus)),
      m_watcher(Extension::serviceName, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    // Signals from whoever owns the name; follow() decides whether that is the Shell.
    m_bus.connect(Extension::serviceName, Extension::objectPath, Extension::interfaceName,
                  QStringLiteral("FocusedAppChanged"), this,
                  SLOT(focusedAppChanged(QString, QString)));
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &GnomeShellFrontmostApplication::follow);
    follow();
}

void GnomeShellFrontmostApplication::follow()
{
    m_served = false;
    m_id.clear();
    m_name.clear();
    if (!Extension::isActive(m_bus))
        return;
    const auto ask =
        QDBusMessage::createMethodCall(Extension::serviceName, Extension::objectPath,
                                       Extension::interfaceName, QStringLiteral("FocusedApp"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QString, QString> reply = *watcher;
        if (reply.isError())
            return;
        m_served = true;
        focusedAppChanged(reply.argumentAt<0>(), reply.argumentAt<1>());
    });
}

void GnomeShellFrontmostApplication::focusedAppChanged(const QString &id, const QString &name)
{
    if (!m_served)
        return;
    m_id = id;
    m_name = name;
}

std::optional<FrontmostApplication> GnomeShellFrontmostApplication::query() const
{
    if (m_id.isEmpty())
        return std::nullopt;
    FrontmostApplication app;
    app.identifier = m_id;
    app.displayName = m_name.isEmpty() ? m_id : m_name;
    return app;
}
