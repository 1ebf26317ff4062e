// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The D-Bus shapes of the tray item (StatusNotifierItem) and its menu (dbusmenu).

// One icon image: width, height, ARGB32 pixels in network byte order. Signature (iiay).
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    static SniPixmap fromImage(const QImage &image);
};
using SniPixmaps = QList<SniPixmap>;

// Signature (sa(iiay)ss): icon name, icon images, title, text.
struct SniToolTip {
    QString iconName;
    SniPixmaps pixmaps;
    QString title;
    QString text;
};

// One menu entry with its children. Signature (ia{sv}av): the children are variants of the
// same structure.
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// Signature (ia{sv}).
struct DBusMenuItem {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItems = QList<DBusMenuItem>;

// Signature (ias).
struct DBusMenuItemKeys {
    int id = 0;
    QStringList properties;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// Signature (isvu): id, event ("clicked", "hovered", ...), data, timestamp.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEvents = QList<DBusMenuEvent>;

QDBusArgument &operator<<(QDBusArgument &arg, const SniPixmap &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, SniPixmap &v);
QDBusArgument &operator<<(QDBusArgument &arg, const SniToolTip &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, SniToolTip &v);
QDBusArgument &operator<<(QDBusArgument &arg, const DBusMenuLayoutItem &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, DBusMenuLayoutItem &v);
QDBusArgument &operator<<(QDBusArgument &arg, const DBusMenuItem &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, DBusMenuItem &v);
QDBusArgument &operator<<(QDBusArgument &arg, const DBusMenuItemKeys &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, DBusMenuItemKeys &v);
QDBusArgument &operator<<(QDBusArgument &arg, const DBusMenuEvent &v);
const QDBusArgument &operator>>(const QDBusArgument &arg, DBusMenuEvent &v);

// Registers all of the above with the meta-type system and QtDBus; safe to call repeatedly.
void registerTrayDBusTypes();

Q_DECLARE_METATYPE(SniPixmap)
Q_DECLARE_METATYPE(SniToolTip)
Q_DECLARE_METATYPE(DBusMenuLayoutItem)
Q_DECLARE_METATYPE(DBusMenuItem)
Q_DECLARE_METATYPE(DBusMenuItemKeys)
Q_DECLARE_METATYPE(DBusMenuEvent)
