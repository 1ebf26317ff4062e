// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

constexpr int handOverTimeoutMs = 5000;
const QString unknownMethod = QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod");

} // namespace

SingleInstance::SingleInstance(QDBusConnection sessionBus, QString runtimeFolder)
    : m_bus(std::move(sessionBus)), m_runtimeFolder(std::move(runtimeFolder))
{}

QString SingleInstance::lockPath() const
{
    const QString folder = QDir::isAbsolutePath(m_runtimeFolder)
                               ? m_runtimeFolder
                               : QDir::tempPath() + QStringLiteral("/tockly-%1").arg(getuid());
    return folder + QStringLiteral("/tockly.lock");
}

SingleInstance::Role SingleInstance::claim()
{
    if (m_bus.isConnected() && m_bus.interface()) {
        const auto reply = m_bus.interface()->registerService(
            serviceName, QDBusConnectionInterface::DontQueueService,
            QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid())
            return reply.value() == QDBusConnectionInterface::ServiceRegistered ? Role::first
                                                                                : Role::later;
    }
    m_usedLock = true;
    QDir().mkpath(QFileInfo(lockPath()).path());
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A lock left by a process that died is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Role::first;
    // A folder we cannot write is no proof of another process.
    return m_lock->error() == QLockFile::LockFailedError ? Role::later : Role::first;
}

QString SingleInstance::mechanism() const
{
    if (m_usedLock)
        return QStringLiteral("lock file %1 (no session bus)").arg(lockPath());
    return QStringLiteral("session bus name %1").arg(serviceName);
}

bool SingleInstance::handOver(const QStringList &links, const QString &activationToken,
                              QString *error) const
{
    if (links.isEmpty())
        return true;
    if (!m_bus.isConnected()) {
        if (error)
            *error = QStringLiteral("without a session bus, links cannot reach the running Tockly");
        return false;
    }
    const auto send = [&](const QString &method, const QVariantList &arguments) {
        auto call = QDBusMessage::createMethodCall(serviceName, objectPath, interfaceName, method);
        call.setArguments(arguments);
        return m_bus.call(call, QDBus::Block, handOverTimeoutMs);
    };
    QDBusMessage reply;
    if (!activationToken.isEmpty())
        reply = send(QStringLiteral("OpenLinksWithActivation"), {links, activationToken});
    // A first process of an older version knows only OpenLinks.
    if (activationToken.isEmpty() || reply.errorName() == unknownMethod)
        reply = send(QStringLiteral("OpenLinks"), {links});
    if (reply.type() == QDBusMessage::ReplyMessage)
        return true;
    if (error)
        *error = reply.errorMessage();
    return false;
}
