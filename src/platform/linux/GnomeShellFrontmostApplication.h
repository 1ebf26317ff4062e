// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "linux/FrontmostApplicationSource.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

// The focused application on GNOME (Wayland and X11), where the Shell tells no other program
// which window is active: Tockly's Shell extension serves it, as the Shell's window tracker
// knows it (the desktop-file id and the name the Shell shows), and announces each change. Kept
// here as it arrives, so a tick asks the bus nothing. Follows the extension as it is enabled and
// disabled; only the Shell's own connection is listened to.
class GnomeShellFrontmostApplication final : public QObject, public FrontmostApplicationSource {
    Q_OBJECT
public:
    explicit GnomeShellFrontmostApplication(QDBusConnection bus);

    std::optional<FrontmostApplication> query() const override;

private slots:
    void focusedAppChanged(const QString &id, const QString &name);

private:
    void follow();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    bool m_served = false; // the extension runs and has answered
    QString m_id, m_name;
};
