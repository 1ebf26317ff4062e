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

struct Text {
    Q_DECLARE_TR_FUNCTIONS(Doctor)
};

QString instanceLine(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return Text::tr("lock file in $XDG_RUNTIME_DIR (no session bus)");
    const auto pid = bus.interface()->servicePid(SingleInstance::serviceName);
    if (pid.isValid())
        return Text::tr("session bus name %1, held by process %2")
            .arg(SingleInstance::serviceName)
            .arg(pid.value());
    return Text::tr("session bus name %1, free (Tockly is not running)")
        .arg(SingleInstance::serviceName);
}

QString linksLine(const Process &process)
{
    for (const QString &folder : DesktopEntryNames::applicationFolders(process)) {
        QFile f(folder + QStringLiteral("/tockly.desktop"));
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains("x-scheme-handler/quenby"))
            return Text::tr("quenby:// links open through %1").arg(f.fileName());
    }
    return Text::tr("no tockly.desktop with x-scheme-handler/quenby in the applications "
                    "folders (the package or ./run installs one)");
}

QString panelItemLine(const QDBusConnection &bus, const GnomeShellExtension::Status &gnome)
{
    using State = GnomeShellExtension::State;
    if (gnome.state == State::active)
        return Text::tr("GNOME's top bar, shown by the Shell extension %1")
            .arg(GnomeShellExtension::uuid);
    QString line = bus.isConnected() && bus.interface() &&
                           bus.interface()->isServiceRegistered(TrayItem::watcherService)
                       ? Text::tr("a StatusNotifierItem (%1 runs)").arg(TrayItem::watcherService)
                       : Text::tr("Qt's tray icon (no StatusNotifierWatcher on the session bus)");
    if (gnome.state != State::noShell)
        line += Text::tr("; in GNOME's top bar: ") + GnomeShellExtension::describe(gnome);
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

    //: The doctor's lines follow: "label: what Tockly found"; keep the labels short.
    out << Text::tr("input: %1").arg(c.inputReason) << '\n'
        << Text::tr("frontmost application: %1").arg(c.frontmostReason) << '\n'
        << Text::tr("sleep and wake: %1").arg(c.sleepReason) << '\n'
        << (enabled ? Text::tr("login item: XDG autostart %1, enabled")
                    : Text::tr("login item: XDG autostart %1, not registered"))
               .arg(login.entryPath())
        << '\n'
        << Text::tr("single instance: %1").arg(instanceLine(session)) << '\n'
        << Text::tr("links: %1").arg(linksLine(process)) << '\n'
        << Text::tr("data folder: %1").arg(dataFolderPath(process, xdgDataHome(process))) << '\n'
        << Text::tr("settings: %1").arg(JsonSettingsStore::defaultPath(process)) << '\n'
        << Text::tr("panel item: %1").arg(panelItemLine(session, facts.gnomeExtension)) << '\n';
    for (const QString &line : syncDoctorLines(process, SystemClock(), session))
        out << line << '\n';
    out.flush();
    return 0;
}
