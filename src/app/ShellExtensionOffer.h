// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/GnomeShellExtension.h"

#include <QDBusConnection>
#include <QObject>

class SettingsStore;

// On GNOME with Tockly's Shell extension installed but not enabled, offers once to enable it: a
// desktop notification whose "Enable" button asks the Shell to enable it. Nothing is enabled
// without that click. The offer counts as made once the notification is shown.
class ShellExtensionOffer : public QObject {
    Q_OBJECT
public:
    static inline const QString offeredKey = QStringLiteral("quenby.mac.shellextensionoffered.v1");

    ShellExtensionOffer(QDBusConnection bus, SettingsStore &settings, QObject *parent = nullptr);

    // Shows the notification when the extension is installed, not enabled, and never offered.
    void offerIfNeeded(GnomeShellExtension::State state);

private slots:
    void actionInvoked(uint id, const QString &action);

private:
    QDBusConnection m_bus;
    SettingsStore &m_settings;
    uint m_notification = 0;
};
