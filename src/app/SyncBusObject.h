// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class MacWorkStore;

// The running Tockly's record across computers on the session bus, at /org/quenby/Tockly/Sync
// (org.quenby.Tockly.Sync), for `tockly sync` and `tockly doctor`: they change the setting
// through the one process that holds it, and see what it has seen.
class SyncBusObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.Tockly.Sync")
public:
    static inline const QString objectPath = QStringLiteral("/org/quenby/Tockly/Sync");
    static inline const QString interfaceName = QStringLiteral("org.quenby.Tockly.Sync");

    explicit SyncBusObject(MacWorkStore &store, QObject *parent = nullptr);

public slots:
    // As JSON: see syncStatus().
    Q_SCRIPTABLE QString Status() const;
    // An absolute path, or empty to stop; returns why it cannot, or nothing.
    Q_SCRIPTABLE QString SetFolder(const QString &folder);
    Q_SCRIPTABLE void SetName(const QString &name);
    Q_SCRIPTABLE void NewId();

private:
    MacWorkStore &m_store;
};
