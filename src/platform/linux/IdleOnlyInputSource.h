// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"
#include "linux/SleepAwareIdle.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <optional>

// The session's idle time from the desktop over DBus, for sessions where no input can be read
// (Wayland without the `input` group). Every type reads as the session's idle time and the
// counters stay at 0: the work clock still runs, the key and click tallies do not.
//
// Mutter's idle time counts input alone, also while a film or a call holds an idle inhibitor,
// but Mutter sets it back to nothing when such an inhibitor lets go. The session manager
// announces that, and an input that seems to come just then is that reset.
class IdleOnlyInputSource final : public QObject, public InputSource {
    Q_OBJECT
public:
    enum class Provider { none, mutterIdleMonitor, screenSaver };

    // Finds which of the desktop's idle services answers on that bus.
    explicit IdleOnlyInputSource(QDBusConnection bus);

    Provider provider() const { return m_provider; }
    static QString providerName(Provider provider);

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent) const override { return 0; }

private slots:
    void sessionChanged(const QString &interface, const QVariantMap &changed);

private:
    std::optional<double> ask(Provider provider) const;
    void setIdleInhibited(bool inhibited);

    QDBusConnection m_bus;
    Provider m_provider = Provider::none;
    mutable SleepAwareIdle m_sleep;
    // On the boot clock.
    mutable double m_askedAt = 0;
    mutable double m_lastInput = 0;
    bool m_idleInhibited = false;
    std::optional<double> m_inhibitionEndedAt; // on the boot clock
};
