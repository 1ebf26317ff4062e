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
    m_createdAt = m_quietFrom = monotonicSeconds();
    wl_seat *seat = m_connection ? m_connection->seat() : nullptr;
    if (!seat)
        return;
    const Protocol best = bestProtocol(m_connection->version(ext_idle_notifier_v1_interface.name),
                                       m_connection->version(org_kde_kwin_idle_interface.name));
    if (best == Protocol::extIdleNotifyInput || best == Protocol::extIdleNotify) {
        auto *notifier = static_cast<ext_idle_notifier_v1 *>(
            m_connection->bind(&ext_idle_notifier_v1_interface, 2));
        m_notification =
            best == Protocol::extIdleNotifyInput
                ? ext_idle_notifier_v1_get_input_idle_notification(notifier, timeoutMs, seat)
                : ext_idle_notifier_v1_get_idle_notification(notifier, timeoutMs, seat);
        ext_idle_notification_v1_add_listener(m_notification, &IdleListeners::ext, this);
        ext_idle_notifier_v1_destroy(notifier); // the notification outlives its manager
    } else if (best == Protocol::kdeIdle) {
        auto *idle =
            static_cast<org_kde_kwin_idle *>(m_connection->bind(&org_kde_kwin_idle_interface, 1));
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(idle, seat, timeoutMs);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &IdleListeners::kde, this);
        org_kde_kwin_idle_destroy(idle);
    }
    m_protocol = best;
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
    if (m_notification)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_kdeTimeout)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    if (m_connection)
        m_connection->flush();
}

void WaylandIdleInputSource::setIdle(bool idle)
{
    const double now = monotonicSeconds();
    if (!idle) {
        m_lastInput = m_quietFrom = now;
    } else if (!m_idle) {
        const double last = now - m_timeout;
        // The first "idled", a timeout after the start, says only that the input came before.
        const bool idleFromStart = !m_heard && now - m_createdAt < m_timeout + lateEventGrace;
        if (!idleFromStart &&
            (!obeysInhibitors(m_protocol) || last - m_quietFrom <= longestUnbrokenInput))
            m_lastInput = std::max(m_lastInput.value_or(last), last);
    }
    m_heard = true;
    m_idle = idle;
}

double WaylandIdleInputSource::secondsSinceLastEvent(InputEvent) const
{
    const auto now = SleepAwareIdle::Clocks::now();
    if (m_protocol == Protocol::none)
        return now.boot; // nothing is known: no input since boot
    if (!m_heard && now.monotonic - m_createdAt < m_timeout + lateEventGrace)
        return now.boot; // too early to tell whether the user is there
    // Not idle: the compositor would have said so a timeout after the last input. Where its
    // silence proves nothing, only for a while after the input it last confirmed.
    bool active = !m_idle;
    if (active && obeysInhibitors(m_protocol))
        active = m_lastInput && now.monotonic - *m_lastInput < longestUnbrokenInput;
    if (!active && !m_lastInput)
        return now.boot; // no input known since the start
    // The compositor's timeouts run on the monotonic clock, which stops during sleep.
    const double idle = active ? 0 : std::max(0.0, now.monotonic - *m_lastInput);
    return std::max(0.0, now.boot - m_sleep.lastInput(idle, now));
}
