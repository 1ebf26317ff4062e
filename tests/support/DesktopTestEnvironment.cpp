// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopTestEnvironment.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

using namespace Qt::Literals::StringLiterals;

ChildProcess::ChildProcess()
{
    setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ChildProcess::~ChildProcess()
{
    stopProcess(*this);
}

QVariant busCall(const QDBusConnection &bus, const QString &service, const QString &path,
                 const QString &interface, const QString &method, const QVariantList &args,
                 int timeoutMs)
{
    auto call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(args);
    return bus.call(call, QDBus::Block, timeoutMs).arguments().value(0);
}

QVariant busProperty(const QDBusConnection &bus, const QString &service, const QString &path,
                     const QString &interface, const QString &name, int timeoutMs)
{
    return busCall(bus, service, path, u"org.freedesktop.DBus.Properties"_s, u"Get"_s,
                   {interface, name}, timeoutMs)
        .value<QDBusVariant>()
        .variant();
}

ProgramRun runProgram(const QString &program, const QStringList &arguments,
                      const QProcessEnvironment &environment, int timeoutMs)
{
    ChildProcess p;
    if (!environment.isEmpty())
        p.setProcessEnvironment(environment);
    p.start(program, arguments);
    ProgramRun run;
    if (p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit)
        run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

void stopProcess(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

QString readLine(QProcess &process)
{
    QDeadlineTimer deadline(10000);
    while (!process.canReadLine()) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return {};
        process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

bool waitUntil(const QProcess &process, int timeoutMs, const std::function<bool()> &ready)
{
    for (QDeadlineTimer deadline(timeoutMs);
         !deadline.hasExpired() && process.state() != QProcess::NotRunning;) {
        if (ready())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    return false;
}

bool eventually(const std::function<bool()> &ready, int seconds)
{
    for (QDeadlineTimer deadline(seconds * 1000);; QTest::qWait(500)) {
        if (ready())
            return true;
        if (deadline.hasExpired())
            return false;
    }
}

bool XvfbServer::start(QString *error)
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                                u"0"_s, u"1024x768x24"_s});
    m_display = u':' + readLine(m_process);
    *error = u"Xvfb did not start: "_s + m_process.errorString();
    return m_display.size() > 1;
}

QProcessEnvironment XvfbServer::environment() const
{
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(u"DISPLAY"_s, m_display);
    return env;
}

bool XvfbServer::run(const QString &program, const QStringList &arguments) const
{
    return runProgram(program, arguments, environment()).exitCode == 0;
}

PrivateBus::~PrivateBus()
{
    for (const QString &name : m_connections)
        QDBusConnection::disconnectFromBus(name);
}

bool PrivateBus::start(Kind kind, QString *error, const QProcessEnvironment &environment)
{
    if (!environment.isEmpty())
        m_process.setProcessEnvironment(environment);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(u"dbus-daemon"_s,
                    {u"--nofork"_s, u"--print-address=1"_s,
                     kind == Kind::session ? u"--session"_s
                                           : QStringLiteral("--config-file=" TOCKLY_TEST_SUPPORT_DIR
                                                            "/test-system-bus.conf")});
    m_address = readLine(m_process);
    *error = u"dbus-daemon did not start: "_s + m_process.errorString();
    return !m_address.isEmpty();
}

QDBusConnection PrivateBus::connect(const QString &connectionName) const
{
    m_connections << connectionName;
    return QDBusConnection::connectToBus(m_address, connectionName);
}

bool FakeDesktopServices::start(const QString &busAddress, const QStringList &services,
                                QString *error)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TOCKLY_FAKE_DESKTOP_SERVICES),
                    QStringList{busAddress} + services);
    *error = u"the fake desktop services did not start"_s;
    return readLine(m_process) == "ready"_L1;
}
