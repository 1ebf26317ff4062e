// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/PlatformChoice.h"

#include "linux/EvdevInputSource.h"
#include "linux/InputServiceSource.h"
#include "linux/WaylandConnection.h"
#include "linux/XInputSource.h"

#include <QDBusConnectionInterface>
#include <QDir>

#include <grp.h>
#include <unistd.h>

PlatformChoice choosePlatform(const PlatformFacts &f)
{
    PlatformChoice c;
    const bool x11 = !f.display.isEmpty() && f.x11Problem.isEmpty();
    const bool compositor = f.wayland && f.waylandProblem.isEmpty();
    // Where neither the service, /dev/input nor X11 shows every key and click, say exactly how to
    // get there.
    const QString groupHint =
        f.inInputGroup
            ? QString()
            : QStringLiteral("; to count them, install tockly-inputd, or add yourself to the input "
                             "group (sudo usermod -aG input $USER), then log out and back in");
    const QString why = f.inputDevices == 0 ? QStringLiteral("no input devices in /dev/input")
                        : f.inInputGroup
                            ? QStringLiteral("the input devices cannot be read")
                            : QStringLiteral("the input devices are readable only by the "
                                             "input group");
    const QString session = f.wayland
                                ? (compositor ? QStringLiteral("a Wayland session")
                                              : QStringLiteral("Wayland: ") + f.waylandProblem)
                            : f.display.isEmpty() ? QStringLiteral("no X11 display")
                                                  : QStringLiteral("X11: ") + f.x11Problem;
    if (compositor)
        c.waylandIdle = WaylandIdleInputSource::bestProtocol(f.extIdleNotifier, f.kdeIdle);

    if (f.inputService) {
        c.input = InputBackend::service;
        c.inputReason = QStringLiteral("tockly-inputd, the system service, %1 keyboards and "
                                       "pointers on %2")
                            .arg(f.inputServiceDevices)
                            .arg(f.inputServiceSeat);
    } else if (f.readableInputDevices > 0) {
        c.input = InputBackend::evdev;
        c.inputReason = QStringLiteral("evdev, %1 keyboards and pointers in /dev/input")
                            .arg(f.readableInputDevices);
    } else if (x11 && !f.wayland) {
        c.input = InputBackend::x11;
        c.inputReason = QStringLiteral("X11 XI2 raw events on %1").arg(f.display);
    } else if (c.waylandIdle != WaylandIdleInputSource::Protocol::none) {
        c.input = InputBackend::waylandIdle;
        c.inputReason = QStringLiteral("idle time only, from the compositor's %1 (a 1-second "
                                       "notification); keys and clicks are not counted (%2; %3)")
                            .arg(WaylandIdleInputSource::protocolName(c.waylandIdle), why, session);
        if (WaylandIdleInputSource::obeysInhibitors(c.waylandIdle))
            c.inputReason +=
                QStringLiteral("; this desktop cannot tell input from an idle inhibitor (a film or "
                               "a call keeping the screen on): while one holds, no input is seen "
                               "and none counts; tockly-inputd counts the input itself and "
                               "removes the doubt");
    } else {
        c.input = InputBackend::idleOnly;
        if (f.idleProvider == IdleOnlyInputSource::Provider::none)
            c.inputReason = QStringLiteral("nothing to read (%1; %2; no idle service on the "
                                           "session bus): the clock cannot run")
                                .arg(why, session);
        else
            c.inputReason =
                QStringLiteral("idle time only, from %1; keys and clicks are not "
                               "counted (%2; %3)")
                    .arg(IdleOnlyInputSource::providerName(f.idleProvider), why, session);
    }
    if (c.input != InputBackend::service)
        c.inputReason += QStringLiteral("; tockly-inputd ") + f.inputServiceProblem;
    if (c.input == InputBackend::idleOnly || c.input == InputBackend::waylandIdle)
        c.inputReason += groupHint;

    const QString noApps = QStringLiteral(", so no time is counted per application");
    using Gnome = GnomeShellExtension::State;
    if (f.gnomeExtension.state == Gnome::active) {
        c.frontmost = FrontmostBackend::gnomeShell;
        c.frontmostReason = QStringLiteral("the GNOME Shell extension %1: the focused window's "
                                           "application as the Shell knows it")
                                .arg(GnomeShellExtension::uuid);
    } else if (x11 && !f.wayland) {
        c.frontmost = FrontmostBackend::x11;
        c.frontmostReason = QStringLiteral("X11 _NET_ACTIVE_WINDOW and WM_CLASS, names from "
                                           ".desktop files");
    } else if (compositor && f.wlrForeignToplevel > 0) {
        c.frontmost = FrontmostBackend::wlrForeignToplevel;
        c.frontmostReason = QStringLiteral("wlr-foreign-toplevel-management: the activated "
                                           "window's app_id, names from .desktop files");
    } else if (f.wayland && f.kwin) {
        c.frontmost = FrontmostBackend::kwinScript;
        c.frontmostReason = QStringLiteral("a KWin script loaded over DBus reports the active "
                                           "window's desktop file, names from .desktop files");
    } else if (f.wayland && (f.gnomeExtension.state != Gnome::noShell ||
                             f.desktop.contains(QLatin1String("GNOME"), Qt::CaseInsensitive))) {
        // Waits for the extension, so that enabling it needs no restart of Tockly.
        if (f.gnomeExtension.state != Gnome::noShell)
            c.frontmost = FrontmostBackend::gnomeShell;
        c.frontmostReason = QStringLiteral("none: GNOME tells other programs which window is "
                                           "active only through a Shell extension; ") +
                            GnomeShellExtension::describe(f.gnomeExtension);
    } else if (f.wayland) {
        c.frontmostReason = (compositor ? QStringLiteral("none: the compositor offers neither "
                                                         "wlr-foreign-toplevel-management nor "
                                                         "KWin scripting")
                                        : QStringLiteral("none: ") + f.waylandProblem) +
                            noApps;
    } else {
        c.frontmostReason = QStringLiteral("none: no X11 display");
    }

    c.logind = f.logind;
    c.sleepReason = f.logind ? QStringLiteral("logind PrepareForSleep, with a delay inhibitor lock")
                             : QStringLiteral("none: no logind on the system bus (a sleep shows "
                                              "as a gap between ticks)");
    return c;
}

namespace {

bool inGroup(const char *name)
{
    const group *g = getgrnam(name);
    if (!g)
        return false;
    if (getegid() == g->gr_gid)
        return true;
    gid_t groups[256];
    const int n = getgroups(256, groups);
    for (int i = 0; i < n; ++i)
        if (groups[i] == g->gr_gid)
            return true;
    return false;
}

bool hasOwner(const QDBusConnection &bus, const QString &name)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    const auto reply = bus.interface()->isServiceRegistered(name);
    return reply.isValid() && reply.value();
}

} // namespace

PlatformFacts detectPlatformFacts(const Process &process, const QDBusConnection &sessionBus,
                                  const QDBusConnection &systemBus)
{
    PlatformFacts f;
    const InputServiceSource service(systemBus);
    // Once per start, so the bus may take its time to start the service.
    f.inputService = service.ask(&f.inputServiceProblem, 10000);
    f.inputServiceSeat = service.seat();
    f.inputServiceDevices = service.devices();
    const QDir input(QStringLiteral("/dev/input"));
    for (const QString &name : input.entryList({QStringLiteral("event*")}, QDir::System)) {
        ++f.inputDevices;
        int fd = -1;
        if (EvdevInputSource::openCountedDevice(input.filePath(name), &fd)) {
            ++f.readableInputDevices;
            close(fd);
        }
    }
    f.inInputGroup = inGroup("input");
    f.display = process.environmentValue(QStringLiteral("DISPLAY")).value_or(QString());
    if (!f.display.isEmpty()) {
        QString why;
        if (!XInputSource::open(f.display.toLocal8Bit(), &why))
            f.x11Problem = why;
    }
    f.waylandDisplay =
        process.environmentValue(QStringLiteral("WAYLAND_DISPLAY")).value_or(QString());
    f.wayland =
        !f.waylandDisplay.isEmpty() ||
        process.environmentValue(QStringLiteral("XDG_SESSION_TYPE")) == QStringLiteral("wayland");
    f.desktop = process.environmentValue(QStringLiteral("XDG_CURRENT_DESKTOP")).value_or(QString());
    if (f.wayland) {
        if (f.waylandDisplay.isEmpty())
            f.waylandProblem = QStringLiteral("$WAYLAND_DISPLAY is not set");
        else if (auto c =
                     WaylandConnection::open(f.waylandDisplay.toLocal8Bit(), &f.waylandProblem)) {
            f.extIdleNotifier = c->version("ext_idle_notifier_v1");
            f.kdeIdle = c->version("org_kde_kwin_idle");
            f.wlrForeignToplevel = c->version("zwlr_foreign_toplevel_manager_v1");
        }
    }
    f.kwin = hasOwner(sessionBus, QStringLiteral("org.kde.KWin"));
    if (hasOwner(sessionBus, QStringLiteral("org.gnome.Mutter.IdleMonitor")) ||
        hasOwner(sessionBus, QStringLiteral("org.freedesktop.ScreenSaver")))
        f.idleProvider = IdleOnlyInputSource(sessionBus).provider();
    f.logind = hasOwner(systemBus, QStringLiteral("org.freedesktop.login1"));
    f.gnomeExtension = GnomeShellExtension::status(sessionBus);
    return f;
}
