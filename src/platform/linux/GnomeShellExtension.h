// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QString>

// Tockly's GNOME Shell extension (packaging/gnome-shell) as seen from the session bus. While it
// is enabled it owns serviceName on the Shell's own connection, serves the focused window's
// application there and shows Tockly's item in the top bar.
class GnomeShellExtension {
public:
    static inline const QString uuid = QStringLiteral("tockly@quenby.org");
    static inline const QString serviceName = QStringLiteral("org.quenby.Tockly.Shell");
    static inline const QString objectPath = QStringLiteral("/org/quenby/Tockly/Shell");
    static inline const QString interfaceName = QStringLiteral("org.quenby.Tockly.Shell");
    static inline const QString enableCommand =
        QStringLiteral("gnome-extensions enable tockly@quenby.org");

    // noShell: no GNOME Shell on the bus. installed: known to the Shell, not enabled.
    // failed: enabled but not running (an error, or made for another Shell version).
    enum class State { noShell, notInstalled, installed, failed, active };
    struct Status {
        State state = State::noShell;
        QString detail; // the Shell's version, or its error for a failed extension
    };

    // The extension runs: serviceName belongs to the connection that owns org.gnome.Shell, so no
    // other program can pose as it.
    static bool isActive(const QDBusConnection &bus);
    // Asks the Shell (org.gnome.Shell.Extensions) when the extension is not running. Blocks for
    // at most a second; for the start and `tockly doctor`.
    static Status status(const QDBusConnection &bus);
    // One line for `tockly doctor` and the platform choice.
    static QString describe(const Status &status);
};
