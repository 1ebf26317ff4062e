#include "linux/IdleOnlyInputSource.h"

#include <QDBusMessage>
#include <QDBusReply>

#include <algorithm>

namespace {

// The desktop answers in well under this; a hung one must not stall the tick for long.
constexpr int callTimeoutMs = 500;
constexpr double reuseSeconds = 0.05;

} // namespace

IdleOnlyInputSource::IdleOnlyInputSource(QDBusConnection bus) : m_bus(std::move(bus))
{
    for (Provider p : {Provider::mutterIdleMonitor, Provider::screenSaver}) {
        if (const auto idle = ask(p)) {
            const auto now = SleepAwareIdle::Clocks::now();
            m_provider = p;
            m_lastInput = m_sleep.lastInput(*idle, now);
            m_askedAt = now.boot;
            break;
        }
    }
}

QString IdleOnlyInputSource::providerName(Provider provider)
{
    switch (provider) {
    case Provider::mutterIdleMonitor:
        return QStringLiteral("org.gnome.Mutter.IdleMonitor");
    case Provider::screenSaver:
        return QStringLiteral("org.freedesktop.ScreenSaver");
    case Provider::none:
        break;
    }
    return QStringLiteral("none");
}

std::optional<double> IdleOnlyInputSource::ask(Provider provider) const
{
    if (!m_bus.isConnected())
        return std::nullopt;
    if (provider == Provider::mutterIdleMonitor) {
        auto call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.Mutter.IdleMonitor"),
            QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
            QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"));
        const QDBusReply<qulonglong> reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
        if (reply.isValid())
            return double(reply.value()) / 1000.0;
    } else if (provider == Provider::screenSaver) {
        auto call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                                   QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                   QStringLiteral("org.freedesktop.ScreenSaver"),
                                                   QStringLiteral("GetSessionIdleTime"));
        const QDBusReply<uint> reply = m_bus.call(call, QDBus::Block, callTimeoutMs);
        if (reply.isValid())
            return double(reply.value());
    }
    return std::nullopt;
}

double IdleOnlyInputSource::secondsSinceLastEvent(InputEvent) const
{
    const auto now = SleepAwareIdle::Clocks::now();
    if (m_provider == Provider::none)
        return now.boot; // nothing is known: no input since boot
    // A failed call keeps the last reading running on rather than inventing activity.
    if (now.boot - m_askedAt >= reuseSeconds) {
        if (const auto idle = ask(m_provider)) {
            m_lastInput = m_sleep.lastInput(*idle, now);
            m_askedAt = now.boot;
        }
    }
    return std::max(0.0, now.boot - m_lastInput);
}
