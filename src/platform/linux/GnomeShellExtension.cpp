// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/GnomeShellExtension.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>

namespace {

const QString shellService = QStringLiteral("org.gnome.Shell");

QString ownerOf(const QDBusConnection &bus, const QString &name)
{
    const QDBusReply<QString> owner = bus.interface()->serviceOwner(name);
    return owner.isValid() ? owner.value() : QString();
}

QDBusMessage shellCall(const QString &interface, const QString &method, const QVariantList &args)
{
    auto call = QDBusMessage::createMethodCall(shellService, QStringLiteral("/org/gnome/Shell"),
                                               interface, method);
    call.setArguments(args);
    return call;
}

} // namespace

bool GnomeShellExtension::isActive(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    const QString owner = ownerOf(bus, serviceName);
    return !owner.isEmpty() && owner == ownerOf(bus, shellService);
}

GnomeShellExtension::Status GnomeShellExtension::status(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface() || ownerOf(bus, shellService).isEmpty())
        return {};
    const QDBusMessage version =
        bus.call(shellCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                           {shellService, QStringLiteral("ShellVersion")}),
                 QDBus::Block, 1000);
    const QString shellVersion =
        version.arguments().value(0).value<QDBusVariant>().variant().toString();
    if (isActive(bus))
        return {State::active, shellVersion};
    const QDBusReply<QVariantMap> info =
        bus.call(shellCall(QStringLiteral("org.gnome.Shell.Extensions"),
                           QStringLiteral("GetExtensionInfo"), {uuid}),
                 QDBus::Block, 1000);
    // The Shell's ExtensionState: 1 enabled, 2 disabled, 3 error, 4 out of date, 6 initialized.
    const int state = info.isValid() ? info.value().value(QStringLiteral("state")).toInt() : 0;
    if (state == 0)
        return {State::notInstalled, shellVersion};
    if (state == 2 || state == 6)
        return {State::installed, shellVersion};
    if (state == 4)
        return {State::failed,
                QStringLiteral("made for another version than GNOME Shell %1").arg(shellVersion)};
    const QString error = info.value().value(QStringLiteral("error")).toString();
    return {State::failed, error.isEmpty() ? QStringLiteral("enabled, but not running") : error};
}

QString GnomeShellExtension::describe(const Status &s)
{
    switch (s.state) {
    case State::noShell:
        return QStringLiteral("no GNOME Shell on the session bus");
    case State::notInstalled:
        return QStringLiteral("GNOME Shell %1 has not loaded the extension %2: install it (the "
                              "tockly package puts it in /usr/share/gnome-shell/extensions), "
                              "then log out and back in")
            .arg(s.detail, uuid);
    case State::installed:
        return QStringLiteral("the GNOME Shell extension %1 is installed but not enabled; "
                              "enable it with: %2")
            .arg(uuid, enableCommand);
    case State::failed:
        return QStringLiteral("the GNOME Shell extension %1 does not run: %2").arg(uuid, s.detail);
    case State::active:
        return QStringLiteral("the GNOME Shell extension %1 runs in GNOME Shell %2")
            .arg(uuid, s.detail);
    }
    return {};
}
