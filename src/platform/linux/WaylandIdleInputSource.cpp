// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/WaylandIdleInputSource.h"

#include "linux/InputTally.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

#include <algorithm>

namespace {

// How late an idled event may come after its timeout before silence means the user is active.
constexpr double lateEventGrace = 0.5;

} // namespace

struct IdleListeners {
    static void idled(void *data, ext_idle_notification_v1 *)
    {
        static_cast<WaylandIdleInputSource *>(data)->setIdle(true);
    }
    static void resumed(void *data, ext_idle_notification_v1 *)
    {
        static_cast<WaylandIdleInputSource *>(data)->setIdle(false);
    }
    static void kdeIdle(void *data, org_kde_kwin_idle_timeout *)
    {
        static_cast<WaylandIdleInputSource *>(data)->setIdle(true);
    }
    static void kdeResumed(void *data, org_kde_kwin_idle_timeout *)
    {
        static_cast<WaylandIdleInputSource *>(data)->setIdle(false);
    }
    static constexpr ext_idle_notification_v1_listener ext{&idled, &resumed};
    static constexpr org_kde_kwin_idle_timeout_listener kde{&kdeIdle, &kdeResumed};

    // A probe says idle only where no inhibitor holds; what else it says does not matter.
    static void probeIdled(void *data, ext_idle_notification_v1 *)
    {
        static_cast<WaylandIdleInputSource::Probe *>(data)->owner->probeAnswered(false);
    }
    static void probeKdeIdle(void *data, org_kde_kwin_idle_timeout *)
    {
        static_cast<WaylandIdleInputSource::Probe *>(data)->owner->probeAnswered(false);
    }
    static void ignore(void *, ext_idle_notification_v1 *) {}
    static void ignoreKde(void *, org_kde_kwin_idle_timeout *) {}
    static void probeSynced(void *data, wl_callback *callback, uint32_t)
    {
        auto *probe = static_cast<WaylandIdleInputSource::Probe *>(data);
        wl_callback_destroy(callback);
        probe->sync = nullptr;
        if (--probe->syncsLeft > 0)
            probe->settle.start();
        else
            probe->owner->probeAnswered(true);
    }
    static constexpr ext_idle_notification_v1_listener probeExt{&probeIdled, &ignore};
    static constexpr org_kde_kwin_idle_timeout_listener probeKde{&probeKdeIdle, &ignoreKde};
    static constexpr wl_callback_listener probeSync{&probeSynced};
};

WaylandIdleInputSource::Protocol WaylandIdleInputSource::bestProtocol(quint32 extIdleNotifier,
                                                                      quint32 kdeIdle)
{
    if (extIdleNotifier >= 2)
        return Protocol::extIdleNotifyInput;
    if (extIdleNotifier >= 1)
        return Protocol::extIdleNotify;
    if (kdeIdle >= 1)
        return Protocol::kdeIdle;
    return Protocol::none;
}

QString WaylandIdleInputSource::protocolName(Protocol protocol)
{
    switch (protocol) {
    case Protocol::extIdleNotifyInput:
        return QStringLiteral("ext-idle-notify-v1 input idle");
    case Protocol::extIdleNotify:
        return QStringLiteral("ext-idle-notify-v1");
    case Protocol::kdeIdle:
        return QStringLiteral("org_kde_kwin_idle");
    case Protocol::none:
        break;
    }
    return QStringLiteral("none");
}

WaylandIdleInputSource::WaylandIdleInputSource(std::shared_ptr<WaylandConnection> connection,
                                               int timeoutMs)
    : m_connection(std::move(connection)), m_timeout(timeoutMs / 1000.0)
{
    m_createdAt = monotonicSeconds();
    wl_seat *seat = m_connection ? m_connection->seat() : nullptr;
    if (!seat)
        return;
    const Protocol best = bestProtocol(m_connection->version(ext_idle_notifier_v1_interface.name),
                                       m_connection->version(org_kde_kwin_idle_interface.name));
    if (best == Protocol::extIdleNotifyInput || best == Protocol::extIdleNotify) {
        // Kept for the probes.
        m_notifier = static_cast<ext_idle_notifier_v1 *>(
            m_connection->bind(&ext_idle_notifier_v1_interface, 2));
        m_notification =
            best == Protocol::extIdleNotifyInput
                ? ext_idle_notifier_v1_get_input_idle_notification(m_notifier, timeoutMs, seat)
                : ext_idle_notifier_v1_get_idle_notification(m_notifier, timeoutMs, seat);
        ext_idle_notification_v1_add_listener(m_notification, &IdleListeners::ext, this);
    } else if (best == Protocol::kdeIdle) {
        m_kdeIdle =
            static_cast<org_kde_kwin_idle *>(m_connection->bind(&org_kde_kwin_idle_interface, 1));
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, seat, timeoutMs);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &IdleListeners::kde, this);
    }
    m_protocol = best;
    if (obeysInhibitors(best)) {
        m_probe.settle.setSingleShot(true);
        m_probe.settle.setInterval(100);
        QObject::connect(&m_probe.settle, &QTimer::timeout, [this] { syncProbe(); });
    }
    m_connection->flush();
    // Without the compositor nothing more will be heard: the input stops where it was.
    m_lost = QObject::connect(m_connection.get(), &WaylandConnection::disconnected,
                              m_connection.get(), [this] {
                                  if (!m_idle)
                                      setIdle(true);
                              });
}

WaylandIdleInputSource::~WaylandIdleInputSource()
{
    QObject::disconnect(m_lost);
    endProbe();
    if (m_notification)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_kdeTimeout)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    if (m_notifier)
        ext_idle_notifier_v1_destroy(m_notifier);
    if (m_kdeIdle)
        org_kde_kwin_idle_destroy(m_kdeIdle);
    if (m_connection)
        m_connection->flush();
}

void WaylandIdleInputSource::setIdle(bool idle)
{
    const double now = monotonicSeconds();
    const bool obeys = obeysInhibitors(m_protocol);
    if (!idle) {
        if (obeys) {
            m_unconfirmedResume = now;
            startProbe();
        } else {
            m_lastInput = now;
        }
    } else if (!m_idle) {
        const double last = now - m_timeout;
        // The first "idled", a timeout after the start, says only that the input came before.
        bool input = m_heard || now - m_createdAt >= m_timeout + lateEventGrace;
        if (obeys) {
            // After an inhibitor, the timer the compositor starts again runs out with no input
            // (and its event may come a little late).
            const bool timerAfterInhibitor =
                m_inhibited || (m_inhibitorGoneBy && last <= *m_inhibitorGoneBy + lateEventGrace);
            const double known = std::max(m_freeAt, m_lastInput.value_or(m_freeAt));
            input = input && !timerAfterInhibitor && last - known <= longestUnbrokenInput;
            m_inhibited = false;
            m_inhibitorGoneBy.reset();
            m_vouchedAt.reset();
        }
        if (input)
            m_lastInput = std::max(m_lastInput.value_or(last), last);
    }
    m_heard = true;
    m_idle = idle;
}

void WaylandIdleInputSource::startProbe() const
{
    wl_seat *seat = m_connection ? m_connection->seat() : nullptr;
    if (m_probe.inFlight() || !seat || !m_connection->isConnected())
        return;
    m_probe.sentAt = m_lastProbeAt = monotonicSeconds();
    if (m_notifier) {
        m_probe.ext = ext_idle_notifier_v1_get_idle_notification(m_notifier, 0, seat);
        ext_idle_notification_v1_add_listener(m_probe.ext, &IdleListeners::probeExt, &m_probe);
    } else if (m_kdeIdle) {
        m_probe.kde = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, seat, 0);
        org_kde_kwin_idle_timeout_add_listener(m_probe.kde, &IdleListeners::probeKde, &m_probe);
    } else {
        return;
    }
    // wlroots answers within the request; KWin on its next loop, which the pause before the
    // second sync leaves it.
    m_probe.syncsLeft = 2;
    syncProbe();
}

void WaylandIdleInputSource::syncProbe() const
{
    if (!m_probe.inFlight())
        return;
    m_probe.sync = m_connection->sync();
    if (!m_probe.sync) {
        endProbe();
        return;
    }
    wl_callback_add_listener(m_probe.sync, &IdleListeners::probeSync, &m_probe);
    m_connection->flush();
}

void WaylandIdleInputSource::endProbe() const
{
    m_probe.settle.stop();
    if (!m_probe.inFlight())
        return; // nothing out, nothing to flush
    if (m_probe.sync)
        wl_callback_destroy(m_probe.sync);
    if (m_probe.ext)
        ext_idle_notification_v1_destroy(m_probe.ext);
    if (m_probe.kde)
        org_kde_kwin_idle_timeout_release(m_probe.kde);
    m_probe.sync = nullptr;
    m_probe.ext = nullptr;
    m_probe.kde = nullptr;
    if (m_connection)
        m_connection->flush();
}

void WaylandIdleInputSource::probeAnswered(bool inhibited)
{
    const double sentAt = m_probe.sentAt;
    endProbe();
    if (inhibited) {
        // A "resumed" just before was the inhibitor starting (or input a moment before it,
        // which starts nothing worth a stretch).
        m_inhibited = true;
        m_unconfirmedResume.reset();
        m_vouchedAt.reset();
        return;
    }
    // An inhibitor that let go while the probe was out also makes it say idle: gone by now.
    const double now = monotonicSeconds();
    if (m_inhibited) {
        m_inhibited = false;
        m_inhibitorGoneBy = now;
    }
    m_freeAt = std::max(m_freeAt, now);
    if (m_unconfirmedResume)
        m_lastInput = std::max(m_lastInput.value_or(*m_unconfirmedResume), *m_unconfirmedResume);
    // Not idle with no inhibitor: input within a timeout before the probe, unless that is the
    // compositor's timer started again when an inhibitor let go.
    const double input = sentAt - m_timeout;
    if (!m_idle && !(m_inhibitorGoneBy && input < *m_inhibitorGoneBy)) {
        m_lastInput = std::max(m_lastInput.value_or(input), input);
        m_vouchedAt = now;
    } else if (!m_idle && m_unconfirmedResume) {
        m_vouchedAt = now;
    }
    m_unconfirmedResume.reset();
}

double WaylandIdleInputSource::secondsSinceLastEvent(InputEvent) const
{
    const auto now = SleepAwareIdle::Clocks::now();
    if (m_protocol == Protocol::none)
        return now.boot; // nothing is known: no input since boot
    if (!m_heard && now.monotonic - m_createdAt < m_timeout + lateEventGrace)
        return now.boot; // too early to tell whether the user is there
    // Not idle: the compositor would have said so a timeout after the last input. Where its
    // silence proves nothing, only confirmed input counts, and the silence is looked into.
    bool active = !m_idle;
    if (obeysInhibitors(m_protocol)) {
        if (active && now.monotonic - m_lastProbeAt >= probeInterval)
            startProbe();
        // A probe vouches for the quiet until the next reading's probe has answered.
        active = active && !m_inhibited && !m_unconfirmedResume && m_vouchedAt &&
                 now.monotonic - *m_vouchedAt < vouchedFor;
    }
    if (!active && !m_lastInput)
        return now.boot; // no input known since the start
    // The compositor's timeouts run on the monotonic clock, which stops during sleep.
    const double idle = active ? 0 : std::max(0.0, now.monotonic - *m_lastInput);
    return std::max(0.0, now.boot - m_sleep.lastInput(idle, now));
}
