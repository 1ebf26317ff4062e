// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TestFiles.h"

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QVariant>

#include <functional>

// The desktop a platform test needs, started by the test itself and private to it: an X server,
// dbus-daemons standing in for the session and system buses, and fake desktop services on them.

// A process of the test's: it stops with its object, and with the test when that dies first.
class ChildProcess : public QProcess {
public:
    ChildProcess();
    ~ChildProcess() override;
};

// Xvfb on a free display that it picks itself (-displayfd), listening on no TCP port.
class XvfbServer {
public:
    bool start(QString *error);
    QString display() const { return m_display; }
    // Runs a client (xdotool, say) on this display and waits for it to finish.
    bool run(const QString &program, const QStringList &arguments) const;
    // Ours, with this display.
    QProcessEnvironment environment() const;

private:
    ChildProcess m_process;
    QString m_display;
};

// A dbus-daemon of our own. The "system" kind uses a configuration that lets the fake system
// services own their names. The services it starts on demand get `environment` (default: ours).
class PrivateBus {
public:
    enum class Kind { session, system };
    ~PrivateBus();
    bool start(Kind kind, QString *error, const QProcessEnvironment &environment = {});
    QString address() const { return m_address; }
    // A new connection of this process to the bus, under a name of its own.
    QDBusConnection connect(const QString &connectionName) const;

private:
    ChildProcess m_process;
    QString m_address;
    mutable QStringList m_connections;
};

// tockly-fake-desktop-services on a private bus: with "login1" a logind that hands out delay
// inhibitor locks, announces sleep on request and lists the sessions the test sets; with
// "screensaver-idle=S" the idle-time query. Steered at /Control, org.quenby.test.FakeDesktop.
class FakeDesktopServices {
public:
    bool start(const QString &busAddress, const QStringList &services, QString *error);

private:
    ChildProcess m_process;
};

// The first value of the reply to a call on the bus; invalid without a reply in `timeoutMs`.
QVariant busCall(const QDBusConnection &bus, const QString &service, const QString &path,
                 const QString &interface, const QString &method, const QVariantList &args = {},
                 int timeoutMs = -1);
// A property of an object on the bus; invalid when it cannot be read in `timeoutMs`.
QVariant busProperty(const QDBusConnection &bus, const QString &service, const QString &path,
                     const QString &interface, const QString &name, int timeoutMs = -1);

// A program run to its end: its exit code (-1 when it crashed or did not end within `timeoutMs`)
// and what it printed.
struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments,
                      const QProcessEnvironment &environment = {}, int timeoutMs = 20000);
// Asks a process to end, and kills it when it does not within 3 s.
void stopProcess(QProcess &process);
// Waits for a process's standard output to give one line; empty after 10 s.
QString readLine(QProcess &process);
// Waits until `ready` holds while `process` runs; false when it ends or after `timeoutMs`.
bool waitUntil(const QProcess &process, int timeoutMs, const std::function<bool()> &ready);
// Polls until `ready` holds, for `seconds` at most: for checks that run a program each time, which
// Qt Test's QTRY would repeat for as many times as it waits, not for as long.
bool eventually(const std::function<bool()> &ready, int seconds);
