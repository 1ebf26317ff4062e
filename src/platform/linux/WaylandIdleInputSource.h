#pragma once

#include "InputSource.h"
#include "linux/SleepAwareIdle.h"
#include "linux/WaylandConnection.h"

#include <QString>

#include <memory>

struct ext_idle_notification_v1;
struct org_kde_kwin_idle_timeout;

// The seat's idle time from the compositor, for Wayland sessions where /dev/input cannot be
// read. A notification with a one-second timeout says "idled" one second after the last input
// and "resumed" at the next, so the last input is known to within a second without a wake-up
// per event. Every type reads as that idle time and the counters stay at 0, as with the
// desktop's idle services over DBus.
class WaylandIdleInputSource final : public InputSource {
public:
    // Best first. The input-only notification ignores idle inhibitors, so a playing video does
    // not count as work; the plain one and KDE's older protocol do not tell the two apart.
    enum class Protocol { none, extIdleNotifyInput, extIdleNotify, kdeIdle };

    // Which of them a compositor offering these globals (versions, 0 for absent) would serve.
    static Protocol bestProtocol(quint32 extIdleNotifierVersion, quint32 kdeIdleVersion);
    static QString protocolName(Protocol protocol);

    WaylandIdleInputSource(std::shared_ptr<WaylandConnection> connection, int timeoutMs = 1000);
    ~WaylandIdleInputSource() override;

    Protocol protocol() const { return m_protocol; }

    double secondsSinceLastEvent(InputEvent type) const override;
    quint32 eventCounter(InputEvent) const override { return 0; }

private:
    friend struct IdleListeners;
    void setIdle(bool idle);

    std::shared_ptr<WaylandConnection> m_connection;
    QMetaObject::Connection m_lost;
    Protocol m_protocol = Protocol::none;
    double m_timeout;
    double m_createdAt = 0;
    bool m_heard = false; // an idled or resumed event has arrived
    bool m_idle = false;
    double m_idledAt = 0; // monotonic
    mutable SleepAwareIdle m_sleep;
    ext_idle_notification_v1 *m_notification = nullptr;
    org_kde_kwin_idle_timeout *m_kdeTimeout = nullptr;
};
