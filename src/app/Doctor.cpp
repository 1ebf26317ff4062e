// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Doctor.h"

#include "DataFolder.h"
#include "SyncCommand.h"
#include "TrayItem.h"
#include "linux/AutostartLoginItems.h"
#include "linux/DesktopEntryNames.h"
#include "linux/JsonSettingsStore.h"
#include "linux/PlatformChoice.h"
#include "linux/SingleInstance.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QFile>

namespace {

QString instanceLine(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return QStringLiteral("lock file in $XDG_RUNTIME_DIR (no session bus)");
    const auto pid = bus.interface()->servicePid(SingleInstance::serviceName);
    if (pid.isValid())
        return QStringLiteral("session bus name %1, held by process %2")
            .arg(SingleInstance::serviceName)
            .arg(pid.value());
    return QStringLiteral("session bus name %1, free (Tockly is not running)")
        .arg(SingleInstance::serviceName);
}

QString linksLine(const Process &process)
{
    for (const QString &folder : DesktopEntryNames::applicationFolders(process)) {
        QFile f(folder + QStringLiteral("/tockly.desktop"));
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains("x-scheme-handler/quenby"))
            return QStringLiteral("quenby:// links open through %1").arg(f.fileName());
    }
    return QStringLiteral("no tockly.desktop with x-scheme-handler/quenby in the applications "
                          "folders (the package or ./run installs one)");
}

QString panelItemLine(const QDBusConnection &bus, const GnomeShellExtension::Status &gnome)
{
    using State = GnomeShellExtension::State;
    if (gnome.state == State::active)
        return QStringLiteral("GNOME's top bar, shown by the Shell extension %1")
            .arg(GnomeShellExtension::uuid);
    QString line =
        bus.isConnected() && bus.interface() &&
                bus.interface()->isServiceRegistered(TrayItem::watcherService)
            ? QStringLiteral("a StatusNotifierItem (%1 runs)").arg(TrayItem::watcherService)
            : QStringLiteral("Qt's tray icon (no StatusNotifierWatcher on the session "
                             "bus)");
    if (gnome.state != State::noShell)
        line += QStringLiteral("; in GNOME's top bar: ") + GnomeShellExtension::describe(gnome);
    return line;
}

} // namespace

int runDoctor(const Process &process, QTextStream &out)
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    const PlatformFacts facts = detectPlatformFacts(process, session, QDBusConnection::systemBus());
    const PlatformChoice c = choosePlatform(facts);
    const AutostartLoginItems login(xdgConfigHome(process),
                                    QCoreApplication::applicationFilePath());
    const bool enabled = login.status() == LoginItems::Status::enabled;

    out << "input: " << c.inputReason << '\n'
        << "frontmost application: " << c.frontmostReason << '\n'
        << "sleep and wake: " << c.sleepReason << '\n'
        << "login item: XDG autostart " << login.entryPath() << ", "
        << (enabled ? "enabled" : "not registered") << '\n'
        << "single instance: " << instanceLine(session) << '\n'
        << "links: " << linksLine(process) << '\n'
        << "data folder: " << dataFolderPath(process, xdgDataHome(process)) << '\n'
        << "settings: " << JsonSettingsStore::defaultPath(process) << '\n'
        << "panel item: " << panelItemLine(session, facts.gnomeExtension) << '\n';
    for (const QString &line : syncDoctorLines(process, SystemClock(), session))
        out << line << '\n';
    out.flush();
    return 0;
}
