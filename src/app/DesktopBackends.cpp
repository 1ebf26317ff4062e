// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopBackends.h"

#include "linux/EvdevInputSource.h"
#include "linux/GnomeShellFrontmostApplication.h"
#include "linux/IdleOnlyInputSource.h"
#include "linux/InputServiceSource.h"
#include "linux/KWinFrontmostApplication.h"
#include "linux/WaylandIdleInputSource.h"
#include "linux/WlrFrontmostApplication.h"
#include "linux/X11FrontmostApplication.h"
#include "linux/XInputSource.h"

#include <QDir>
#include <QLocale>

DesktopBackends DesktopBackends::build(const Process &process, const QDBusConnection &sessionBus,
                                       const QDBusConnection &systemBus)
{
    DesktopBackends b;
    b.facts = detectPlatformFacts(process, sessionBus, systemBus);
    b.choice = choosePlatform(b.facts);
    const QByteArray display = b.facts.display.toLocal8Bit();
    // One compositor connection serves the idle notifications and the toplevel list.
    std::shared_ptr<WaylandConnection> wayland;
    if (b.choice.input == InputBackend::waylandIdle ||
        b.choice.frontmost == FrontmostBackend::wlrForeignToplevel)
        wayland = WaylandConnection::open(b.facts.waylandDisplay.toLocal8Bit());

    if (b.choice.input == InputBackend::service) {
        b.input = std::make_unique<InputServiceSource>(systemBus);
    } else if (b.choice.input == InputBackend::evdev) {
        auto evdev = std::make_unique<EvdevInputSource>();
        if (evdev->start())
            b.input = std::move(evdev);
    } else if (b.choice.input == InputBackend::x11) {
        b.input = XInputSource::open(display);
    } else if (b.choice.input == InputBackend::waylandIdle && wayland) {
        auto idle = std::make_unique<WaylandIdleInputSource>(wayland);
        if (idle->protocol() != WaylandIdleInputSource::Protocol::none)
            b.input = std::move(idle);
    }
    // A backend that failed between the look and the build leaves the idle time.
    if (!b.input)
        b.input = std::make_unique<IdleOnlyInputSource>(sessionBus);

    const DesktopEntryNames names(DesktopEntryNames::applicationFolders(process),
                                  QLocale::system().name());
    std::unique_ptr<FrontmostApplicationSource> frontmost;
    if (b.choice.frontmost == FrontmostBackend::x11) {
        frontmost = X11FrontmostApplication::open(display, names);
    } else if (b.choice.frontmost == FrontmostBackend::wlrForeignToplevel && wayland) {
        frontmost = WlrFrontmostApplication::open(wayland, names);
    } else if (b.choice.frontmost == FrontmostBackend::kwinScript) {
        auto kwin = std::make_unique<KWinFrontmostApplication>(
            sessionBus, names,
            process.environmentValue(QStringLiteral("XDG_RUNTIME_DIR")).value_or(QDir::tempPath()));
        if (kwin->start())
            frontmost = std::move(kwin);
    } else if (b.choice.frontmost == FrontmostBackend::gnomeShell) {
        frontmost = std::make_unique<GnomeShellFrontmostApplication>(sessionBus);
    }
    std::unique_ptr<LogindSleepMonitor> sleep;
    if (b.choice.logind)
        sleep = std::make_unique<LogindSleepMonitor>(systemBus);
    b.workspace = std::make_unique<LinuxWorkspace>(std::move(frontmost), std::move(sleep));
    return b;
}
