// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

// One tracker per user session. The first process owns the session-bus name org.quenby.Tockly;
// without a session bus, a lock file in $XDG_RUNTIME_DIR stands in. A later process hands its
// links to the first and exits, so two processes never track or write at once.
class SingleInstance {
public:
    static inline const QString serviceName = QStringLiteral("org.quenby.Tockly");
    static inline const QString objectPath = QStringLiteral("/org/quenby/Tockly");
    static inline const QString interfaceName = QStringLiteral("org.quenby.Tockly");

    enum class Role { first, later };

    SingleInstance(QDBusConnection sessionBus, QString runtimeFolder);

    // Takes the name (or the lock) if no other process holds it. The first process must have
    // exported its object at objectPath before, so that a later one finds it at once.
    Role claim();
    // How this process was found to be first or not, for `tockly doctor` and messages.
    QString mechanism() const;
    QString lockPath() const;

    // From a later process: delivers the links to the first one, with the activation token the
    // launcher gave this process (Wayland's XDG_ACTIVATION_TOKEN; empty when none), so that the
    // window they open may come to the front. False when they could not be delivered (no bus, or
    // the first process did not answer).
    bool handOver(const QStringList &links, const QString &activationToken,
                  QString *error = nullptr) const;

private:
    QDBusConnection m_bus;
    QString m_runtimeFolder;
    bool m_usedLock = false;
    std::unique_ptr<QLockFile> m_lock;
};
