// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DesktopTestEnvironment.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QThread>

// The tockly binary of this build (TOCKLY_BINARY, defined by the test's target) run by a test as
// a user would run it, with folders and buses of the test's own.

// Its folders under `home`, the given session bus, no system bus, Qt on Wayland drawing in
// software; the rest from `base` (a compositor's client environment, say).
inline QProcessEnvironment tocklyEnvironment(QProcessEnvironment base, const QString &home,
                                             const QString &sessionBus)
{
    base.insert(QStringLiteral("HOME"), home);
    base.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    base.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    base.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus);
    base.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                QStringLiteral("unix:path=") + home + QStringLiteral("/no-bus"));
    base.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    base.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    return base;
}

// The settings of a user past the welcome, in the configuration folder `configHome`.
inline bool skipWelcome(const QString &configHome)
{
    return writeFile(configHome + QStringLiteral("/Quenby/settings.json"),
                     R"({"quenby.mac.welcomed.v1": {"type": "bool", "value": true}})");
}

// Starts tockly and waits until it owns its name on `bus`.
inline bool startTockly(QProcess &tockly, const QProcessEnvironment &env,
                        const QDBusConnection &bus, const QStringList &arguments = {})
{
    tockly.setProcessEnvironment(env);
    tockly.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tockly.start(QStringLiteral(TOCKLY_BINARY), arguments);
    return waitUntil(tockly, 20000, [&] {
        return bus.interface()->isServiceRegistered(QStringLiteral("org.quenby.Tockly")).value();
    });
}

// A property of the running tockly on `bus`.
inline QVariant tocklyProperty(const QDBusConnection &bus, const QString &name)
{
    const QString service = QStringLiteral("org.quenby.Tockly");
    return busProperty(bus, service, QStringLiteral("/org/quenby/Tockly"), service, name);
}

// The invitation the running tockly on `bus` offers to join; empty when none.
inline QString pendingInvite(const QDBusConnection &bus)
{
    return tocklyProperty(bus, QStringLiteral("PendingInvite")).toString();
}

// When the tockly on `bus` was seen counting while it was watched for `ms`, polled every 250 ms
// after `step` (the test's input, say): milliseconds from the start, -1 when never.
struct Tracked {
    qint64 first = -1;
    qint64 last = -1;
};
inline Tracked watchTracking(const QDBusConnection &bus, int ms,
                             const std::function<void()> &step = {})
{
    Tracked seen;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (step)
            step();
        const qint64 at = clock.elapsed();
        if (tocklyProperty(bus, QStringLiteral("IsTracking")).toBool()) {
            seen.last = at;
            if (seen.first < 0)
                seen.first = at;
        }
        QCoreApplication::processEvents();
        QThread::msleep(250);
    }
    return seen;
}

// Runs a tockly that ends by itself (a command, or a later process handing over); its exit code,
// -1 when it crashed or did not end in 20 s. What it printed goes to `output` and `errors`.
inline int runTockly(const QProcessEnvironment &env, const QStringList &arguments,
                     QString *output = nullptr, QString *errors = nullptr)
{
    const ProgramRun run = runProgram(QStringLiteral(TOCKLY_BINARY), arguments, env);
    if (output)
        *output = run.out;
    if (errors)
        *errors = run.err;
    return run.exitCode;
}

#ifdef TOCKLY_FAKETIME_LIBRARY
// Its wall clock, for it alone, moved by the offset in `offsetFile` (setClockOffset), read anew at
// each look. Timers and input times run on the real monotonic and boot clocks, as they do when
// someone sets the clock.
inline void fakeWallClock(QProcessEnvironment &env, const QString &offsetFile)
{
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TOCKLY_FAKETIME_LIBRARY));
    env.insert(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), offsetFile);
    env.insert(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
    env.insert(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
    // Preloaded ahead of the sanitizers' runtime, which must be told to accept that.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("detect_leaks=0:verify_asan_link_order=0"));
}

inline bool setClockOffset(const QString &offsetFile, qint64 seconds)
{
    return writeFile(offsetFile, (seconds < 0 ? "" : "+") + QByteArray::number(seconds) + '\n');
}
#endif
