// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>

// For bench/footprint only, when TOCKLY_FOOTPRINT_PROBE is set: counts the timer events the
// main thread handles (by the receiver's class) and the frames each window renders (its update
// requests), and answers Snapshot() at /org/quenby/Tockly/Probe on the session bus. Without the
// variable none of it exists.
class FootprintProbe : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.Tockly.Probe")
public:
    static bool wanted();
    explicit FootprintProbe(QDBusConnection bus, QObject *parent = nullptr);

public slots:
    // As JSON, so that a script reads it with dbus-send alone:
    // {"uptimeMs", "timers": {class: count}, "frames": {window title: count}}
    Q_SCRIPTABLE QString Snapshot() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QElapsedTimer m_uptime;
    QHash<QString, qint64> m_timers;
    QHash<QString, qint64> m_frames;
};
