// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/InputServiceSource.h"

#include "linux/InputTally.h"

#include <QDBusArgument>
#include <QDBusMessage>

namespace {

// A tick makes its readings within this; they all come from one answer.
constexpr double reuseSeconds = 0.05;

} // namespace

InputServiceSource::InputServiceSource(QDBusConnection systemBus) : m_bus(std::move(systemBus))
{
    InputServiceProtocol::registerTypes();
}

bool InputServiceSource::ask(QString *why, int timeoutMs) const
{
    if (!m_bus.isConnected()) {
        if (why)
            *why = QStringLiteral("cannot be asked: no system bus");
        return false;
    }
    const auto call = QDBusMessage::createMethodCall(
        InputServiceProtocol::service, InputServiceProtocol::path, InputServiceProtocol::interface,
        InputServiceProtocol::method);
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage && reply.signature() == "a{su}a{sd}su") {
        const QList<QVariant> args = reply.arguments();
        m_counters = qdbus_cast<InputServiceProtocol::Counters>(args.at(0));
        m_idle = qdbus_cast<InputServiceProtocol::Seconds>(args.at(1));
        m_seat = args.at(2).toString();
        m_devices = args.at(3).toUInt();
        m_answeredAt = bootSeconds();
        return true;
    }
    if (why) {
        const QString error = reply.errorName();
        if (reply.type() != QDBusMessage::ErrorMessage)
            *why = QStringLiteral("answers in a form this version does not know");
        else if (error == QLatin1String("org.freedesktop.DBus.Error.AccessDenied"))
            *why = QStringLiteral("refuses: ") + reply.errorMessage();
        else if (error == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
            *why = QStringLiteral("is not installed (no %1 on the system bus)")
                       .arg(InputServiceProtocol::service);
        else
            *why = QStringLiteral("does not answer (%1)").arg(error);
    }
    return false;
}

void InputServiceSource::refresh() const
{
    const double now = bootSeconds();
    if (m_askedAt < 0 || now - m_askedAt >= reuseSeconds) {
        m_askedAt = now;
        ask();
    }
}

double InputServiceSource::secondsSinceLastEvent(InputEvent type) const
{
    refresh();
    // A failed call leaves the last answer running on: no input is invented, and once the
    // service stops answering (a switch to another user's session) this user turns idle.
    const auto it = m_idle.constFind(InputServiceProtocol::eventName(type));
    return it == m_idle.cend() ? bootSeconds() : *it + (bootSeconds() - m_answeredAt);
}

quint32 InputServiceSource::eventCounter(InputEvent type) const
{
    refresh();
    return m_counters.value(InputServiceProtocol::eventName(type));
}
