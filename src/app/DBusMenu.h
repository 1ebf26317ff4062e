// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TrayDBusTypes.h"

#include <QObject>

// The tray item's small menu on the session bus (com.canonical.dbusmenu at /MenuBar): Open,
// History…, Other computers…, the "Track automatically" check, Quit Tockly. Only the check's state
// ever changes, announced by ItemsPropertiesUpdated, so the layout revision stays 1.
class DBusMenu : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    enum Entry {
        open = 1,
        history = 2,
        separator = 3,
        quit = 4,
        autoTrack = 5,
        separator2 = 6,
        otherComputers = 7
    };

    explicit DBusMenu(QObject *parent = nullptr);

    // An entry's words in the session's language; also the fallback tray icon's menu.
    static QString label(Entry entry);

    bool autoTrackChecked() const;
    void setAutoTrackChecked(bool checked);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    Q_SCRIPTABLE uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                DBusMenuLayoutItem &layout);
    Q_SCRIPTABLE DBusMenuItems GetGroupProperties(const QList<int> &ids,
                                                  const QStringList &propertyNames);
    Q_SCRIPTABLE QDBusVariant GetProperty(int id, const QString &name);
    Q_SCRIPTABLE void Event(int id, const QString &eventId, const QDBusVariant &data,
                            uint timestamp);
    Q_SCRIPTABLE QList<int> EventGroup(const DBusMenuEvents &events);
    Q_SCRIPTABLE bool AboutToShow(int id);
    Q_SCRIPTABLE QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors);

signals:
    Q_SCRIPTABLE void ItemsPropertiesUpdated(const DBusMenuItems &updatedProps,
                                             const DBusMenuItemKeysList &removedProps);
    Q_SCRIPTABLE void LayoutUpdated(uint revision, int parent);
    Q_SCRIPTABLE void ItemActivationRequested(int id, uint timestamp);

    // Not on the bus.
    void triggered(Entry entry);

private:
    qsizetype indexOf(int id) const;

    QList<DBusMenuLayoutItem> m_entries;
};
