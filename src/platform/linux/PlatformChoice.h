#pragma once

#include "Process.h"
#include "linux/IdleOnlyInputSource.h"

#include <QDBusConnection>
#include <QString>

// What the start finds about the session, before any backend is built.
struct PlatformFacts {
    int inputDevices = 0;         // event nodes in /dev/input
    int readableInputDevices = 0; // keyboards and pointers among them that this user can read
    bool inInputGroup = false;
    QString display;      // $DISPLAY
    QString x11Problem;   // why that display cannot serve; empty when it can
    bool wayland = false; // a Wayland session (XWayland sees only X11 windows' input)
    IdleOnlyInputSource::Provider idleProvider = IdleOnlyInputSource::Provider::none;
    bool logind = false; // org.freedesktop.login1 on the system bus
};

enum class InputBackend { evdev, x11, idleOnly };

// Which backend serves each service, and why, in words for `tockly doctor`.
struct PlatformChoice {
    InputBackend input = InputBackend::idleOnly;
    QString inputReason;
    bool x11Frontmost = false;
    QString frontmostReason;
    bool logind = false;
    QString sleepReason;
};

// evdev when the devices can be read; else XI2 raw events on an X11 session; else the
// session's idle time alone.
PlatformChoice choosePlatform(const PlatformFacts &facts);

// Looks at the devices, the display and the buses. Cheap enough for every start.
PlatformFacts detectPlatformFacts(const Process &process, const QDBusConnection &sessionBus,
                                  const QDBusConnection &systemBus);
