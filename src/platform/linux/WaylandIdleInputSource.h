#pragma once

#include "InputSource.h"
#include "linux/SleepAwareIdle.h"
#include "linux/WaylandConnection.h"

#include <QString>

#include <memory>
#include <optional>

struct ext_idle_notification_v1;
struct org_kde_kwin_idle_timeout;

// The seat's idle time from the compositor, for Wayland sessions where /dev/input cannot be
// read. A notification with a one-second timeout says "idled" one second after the last input
// and "resumed" at the next, so the last input is known to within a second without a wake-up
// per event. Every type reads as that idle time and the counters stay at 0, as with the
// desktop's idle services over DBus.
//
// The first "idled" a timeout after the start says only that the last input came before it: no
// input is known until the compositor reports one.
//
// Where the notification obeys idle inhibitors (a film, a call), its silence proves nothing:
// the compositor is quiet both while the user works without a one-second pause and while an
// inhibitor holds. There silence after a "resumed" counts as input for as long as anyone works
// without a pause, and an "idled" that closes it in time dates the end of that input. Silence
// that lasts longer, and the "idled" that follows it when an inhibitor lets go, count for
// nothing: the stretch ends at its last confirmed input.
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
    // The longest stretch of silence taken for unbroken input where silence proves nothing:
    // the engine's idle limit, so that such a stretch is still open when its "idled" comes.
    static constexpr double longestUnbrokenInput = 30;

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
    // Monotonic: the last input the compositor confirmed (none before it has), and where the
    // present silence began.
    std::optional<double> m_lastInput;
    double m_quietFrom = 0;
    mutable SleepAwareIdle m_sleep;
    ext_idle_notification_v1 *m_notification = nullptr;
    org_kde_kwin_idle_timeout *m_kdeTimeout = nullptr;
};
