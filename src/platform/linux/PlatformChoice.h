// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Process.h"
#include "linux/GnomeShellExtension.h"
#include "linux/IdleOnlyInputSource.h"
#include "linux/WaylandIdleInputSource.h"

#include <QDBusConnection>
#include <QString>

// What the start finds about the session, before any backend is built.
struct PlatformFacts {
    // tockly-inputd: the seat it counts for this user and that seat's keyboards and pointers,
    // or why it does not serve.
    bool inputService = false;
    QString inputServiceSeat;
    int inputServiceDevices = 0;
    QString inputServiceProblem;
    int inputDevices = 0;         // event nodes in /dev/input
    int readableInputDevices = 0; // keyboards and pointers among them that this user can read
    bool inInputGroup = false;
    QString display;        // $DISPLAY
    QString x11Problem;     // why that display cannot serve; empty when it can
    bool wayland = false;   // a Wayland session (XWayland sees only X11 windows' input)
    QString waylandDisplay; // $WAYLAND_DISPLAY
    QString waylandProblem; // why the compositor cannot be reached; empty when it can
    // Versions of the compositor's globals, 0 when it does not offer them.
    quint32 extIdleNotifier = 0;
    quint32 kdeIdle = 0;
    quint32 wlrForeignToplevel = 0;
    bool kwin = false; // org.kde.KWin on the session bus
    QString desktop;   // $XDG_CURRENT_DESKTOP
    IdleOnlyInputSource::Provider idleProvider = IdleOnlyInputSource::Provider::none;
    bool logind = false; // org.freedesktop.login1 on the system bus
    GnomeShellExtension::Status gnomeExtension;
};

// service: tockly-inputd on the system bus; idleOnly: the desktop's idle service over DBus;
// waylandIdle: the compositor's idle protocol.
enum class InputBackend { service, evdev, x11, idleOnly, waylandIdle };
enum class FrontmostBackend { none, x11, wlrForeignToplevel, kwinScript, gnomeShell };

// Which backend serves each service, and why, in words for `tockly doctor`.
struct PlatformChoice {
    InputBackend input = InputBackend::idleOnly;
    QString inputReason;
    WaylandIdleInputSource::Protocol waylandIdle = WaylandIdleInputSource::Protocol::none;
    FrontmostBackend frontmost = FrontmostBackend::none;
    QString frontmostReason;
    bool logind = false;
    QString sleepReason;
};

// tockly-inputd when it answers, on every session. Without it:
// evdev when the devices can be read; else XI2 raw events on an X11 session, or under Wayland
// the compositor's idle notifications; else the desktop's idle time over DBus. XI2 is never
// trusted under Wayland: through XWayland it would miss the input of native clients.
PlatformChoice choosePlatform(const PlatformFacts &facts);

// Looks at the devices, the display and the buses. Cheap enough for every start.
PlatformFacts detectPlatformFacts(const Process &process, const QDBusConnection &sessionBus,
                                  const QDBusConnection &systemBus);
