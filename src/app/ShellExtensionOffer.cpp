// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ShellExtensionOffer.h"

#include "SettingsStore.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");
const QString enableAction = QStringLiteral("enable");

} // namespace

ShellExtensionOffer::ShellExtensionOffer(QDBusConnection bus, SettingsStore &settings,
                                         QObject *parent)
    : QObject(parent), m_bus(std::move(bus)), m_settings(settings)
{}

void ShellExtensionOffer::offerIfNeeded(GnomeShellExtension::State state)
{
    if (state != GnomeShellExtension::State::installed || !m_bus.isConnected() ||
        m_settings.boolValue(offeredKey).value_or(false))
        return;
    m_bus.connect(notifications, QStringLiteral("/org/freedesktop/Notifications"), notifications,
                  QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    QDBusMessage notify = QDBusMessage::createMethodCall(
        notifications, QStringLiteral("/org/freedesktop/Notifications"), notifications,
        QStringLiteral("Notify"));
    notify << QStringLiteral("Tockly") << 0u << QStringLiteral("tockly")
           << tr("Show Tockly in the top bar?")
           << tr("GNOME shows Tockly's time in the top bar, and tells it which app you work in, "
                 "only through Tockly's Shell extension. It is installed and waits to be "
                 "enabled.")
           //: Notification button that switches the Shell extension on.
           << QStringList{enableAction, tr("Enable")}
           << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("tockly")}} << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (!reply.isValid())
            return; // not shown: offered at a later start
        m_notification = reply.value();
        m_settings.setValue(offeredKey, true);
    });
}

void ShellExtensionOffer::actionInvoked(uint id, const QString &action)
{
    if (id == 0 || id != m_notification || action != enableAction)
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"),
                                                   QStringLiteral("/org/gnome/Shell"),
                                                   QStringLiteral("org.gnome.Shell.Extensions"),
                                                   QStringLiteral("EnableExtension"))
                    << GnomeShellExtension::uuid);
}
