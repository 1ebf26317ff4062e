// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "InputSource.h"
#include "linux/SleepAwareIdle.h"
#include "linux/WaylandConnection.h"

#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_callback;

// The seat's idle time from the compositor, for Wayland sessions where /dev/input cannot be
// read. A notification with a one-second timeout says "idled" one second after the last input
// and "resumed" at the next, so the last input is known to within a second without a wake-up
// per event. Every type reads as that idle time and the counters stay at 0, as with the
// desktop's idle services over DBus.
//
// The first "idled" a timeout after the start says only that the last input came before it: no
// input is known until the compositor reports one.
//
// Where the notification obeys idle inhibitors (a film, a call), it tells nothing while one
// holds: input is not reported then, and an inhibitor that starts during a pause even reads as
// "resumed". So each "resumed", and the silence while the user seems active (at most once per
// reading a few seconds apart), is checked with a probe: a fresh notification without a timeout,
// which the compositor reports idle at once unless an inhibitor holds. Only what a probe finds
// free of inhibitors is input; while one holds, input stops at the last one confirmed, and the
// "idled" that comes when it lets go is the compositor's timer starting again, not the user.
class WaylandIdleInputSource final : public InputSource {
public:
    // Best first. The input-only notification ignores idle inhibitors, so a playing video does
    // not count as work; the plain one and KDE's older protocol do not tell the two apart.
    enum class Protocol { none, extIdleNotifyInput, extIdleNotify, kdeIdle };

    // Which of them a compositor offering these globals (versions, 0 for absent) would serve.
    static Protocol bestProtocol(quint32 extIdleNotifierVersion, quint32 kdeIdleVersion);
    static QString protocolName(Protocol protocol);
    // Whether an idle inhibitor silences that protocol's notification as input would.
    static bool obeysInhibitors(Protocol protocol)
    {
        return protocol == Protocol::extIdleNotify || protocol == Protocol::kdeIdle;
    }
    // Where silence proves nothing, an "idled" dates input only this long after the last input
    // or probe that was confirmed (the engine's idle limit): a stretch no probe looked into may
    // have been an inhibitor.
    static constexpr double longestUnbrokenInput = 30;
    // Silence while the user seems active is probed at most this often: once per engine tick
    // (5 s), and a probe that finds input going on vouches for it a tick and a second.
    static constexpr double probeInterval = 2;
    static constexpr double vouchedFor = 6;

    WaylandIdleInputSource(std::shared_ptr<WaylandConnection> connection, int timeoutMs = 1000);
    ~WaylandIdleInputSource() override;

    Protocol protocol() const { return m_protocol; }

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent) const override { return 0; }

private:
    friend struct IdleListeners;
    void setIdle(bool idle);

    // One probe at a time: a notification without a timeout and a sync behind it. Its "idled"
    // means no inhibitor holds; without one by the second sync, one does.
    struct Probe {
        explicit Probe(WaylandIdleInputSource *source) : owner(source) {}
        WaylandIdleInputSource *owner;
        ext_idle_notification_v1 *ext = nullptr;
        org_kde_kwin_idle_timeout *kde = nullptr;
        wl_callback *sync = nullptr;
        int syncsLeft = 0;
        double sentAt = 0;
        QTimer settle; // lets a compositor that fires its timers later do so before the last sync
        bool inFlight() const { return ext || kde; }
    };
    void startProbe() const;
    void syncProbe() const;
    void probeAnswered(bool inhibited);
    void endProbe() const;

    std::shared_ptr<WaylandConnection> m_connection;
    QMetaObject::Connection m_lost;
    Protocol m_protocol = Protocol::none;
    double m_timeout;
    double m_createdAt = 0;
    bool m_heard = false; // an idled or resumed event has arrived
    bool m_idle = false;
    // Monotonic: the last input the compositor confirmed (none before it has).
    std::optional<double> m_lastInput;
    mutable SleepAwareIdle m_sleep;
    ext_idle_notification_v1 *m_notification = nullptr;
    org_kde_kwin_idle_timeout *m_kdeTimeout = nullptr;
    ext_idle_notifier_v1 *m_notifier = nullptr;
    org_kde_kwin_idle *m_kdeIdle = nullptr;

    // Where the notification obeys inhibitors: a "resumed" not yet checked, whether the last
    // probe found an inhibitor, the latest time known free of one, and when a probe found one
    // gone (the notification's "not idle" until a timeout after that is the compositor's timer
    // starting again).
    std::optional<double> m_unconfirmedResume;
    bool m_inhibited = false;
    double m_freeAt = 0;
    std::optional<double> m_inhibitorGoneBy;
    std::optional<double> m_vouchedAt; // when a probe last found input going on
    mutable double m_lastProbeAt = -1e9;
    mutable Probe m_probe{this};
};
