// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SeatAccess.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>

#include <utility>
#include <vector>

namespace {

// logind answers in milliseconds; a hung one must not hold the service for long.
constexpr int callTimeoutMs = 1000;
const QString logind = QStringLiteral("org.freedesktop.login1");

} // namespace

std::optional<QString> SeatAccess::seatOf(const QString &caller, QString *why) const
{
    const QDBusReply<uint> uid = m_bus.interface()->serviceUid(caller);
    if (!uid.isValid()) {
        *why = QStringLiteral("the bus does not know the caller");
        return std::nullopt;
    }

    const QDBusMessage sessions =
        m_bus.call(QDBusMessage::createMethodCall(logind, QStringLiteral("/org/freedesktop/login1"),
                                                  QStringLiteral("org.freedesktop.login1.Manager"),
                                                  QStringLiteral("ListSessions")),
                   QDBus::Block, callTimeoutMs);
    if (sessions.type() != QDBusMessage::ReplyMessage || sessions.signature() != "a(susso)") {
        *why = QStringLiteral("logind does not answer");
        return std::nullopt;
    }
    // Each session: id, user id, user name, seat (empty for remote ones), object path.
    std::vector<std::pair<QString, QDBusObjectPath>> own;
    const auto list = sessions.arguments().at(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString id, name, seat;
        uint user = 0;
        QDBusObjectPath path;
        list.beginStructure();
        list >> id >> user >> name >> seat >> path;
        list.endStructure();
        if (user == uid.value() && !seat.isEmpty())
            own.emplace_back(seat, path);
    }
    list.endArray();

    for (const auto &[seat, path] : own) {
        auto get = QDBusMessage::createMethodCall(logind, path.path(),
                                                  QStringLiteral("org.freedesktop.DBus.Properties"),
                                                  QStringLiteral("GetAll"));
        get << QStringLiteral("org.freedesktop.login1.Session");
        const QDBusReply<QVariantMap> properties = m_bus.call(get, QDBus::Block, callTimeoutMs);
        if (properties.isValid() && properties.value().value(QStringLiteral("Active")).toBool() &&
            !properties.value().value(QStringLiteral("Remote"), true).toBool())
            return seat;
    }
    *why = QStringLiteral("user %1 has no active local session on a seat").arg(uid.value());
    return std::nullopt;
}
