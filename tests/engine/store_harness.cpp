// The real store on real files, for the crash tests: input arrives as lines on stdin, time runs
// `--speed` times faster than the wall clock from `--base` (an instant) at `--wall` (Unix
// milliseconds), so that two runs of the harness share one timeline. Prints "ready T" once built
// and "tick T" after every timer tick; SIGTERM, SIGINT and SIGHUP end it cleanly.
//
//   key N | click N | scroll N | move | sleep | wake

#include "CrewClient.h"
#include "MacWorkStore.h"
#include "linux/JsonSettingsStore.h"
#include "linux/SystemProcess.h"
#include "linux/UnixSignals.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <map>
#include <unistd.h>

namespace {

class ScaledClock final : public Clock {
public:
    ScaledClock(Instant base, qint64 wall, double speed)
        : m_base(base), m_wall(wall), m_speed(speed)
    {}
    Instant now() const override
    {
        return m_base + m_speed * double(QDateTime::currentMSecsSinceEpoch() - m_wall) / 1000.0;
    }
    double speed() const { return m_speed; }

private:
    Instant m_base;
    qint64 m_wall;
    double m_speed;
};

class ScaledTimer final : public RepeatingTimer {
public:
    explicit ScaledTimer(double speed) : m_speed(speed)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &RepeatingTimer::fired);
    }
    void start(double interval, double) override { m_timer.start(int(interval * 1000 / m_speed)); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    double m_speed;
    QTimer m_timer;
};

class PipeInput final : public InputSource {
public:
    explicit PipeInput(const Clock &clock) : m_clock(clock) {}
    double secondsSinceLastEvent(InputEvent type) const override
    {
        const auto it = m_lastAt.find(type);
        return it == m_lastAt.end() ? 1e9 : m_clock.now() - it->second;
    }
    quint32 eventCounter(InputEvent type) const override
    {
        const auto it = m_counters.find(type);
        return it == m_counters.end() ? 0 : it->second;
    }
    void event(InputEvent type, quint32 count)
    {
        m_counters[type] += count;
        m_lastAt[type] = m_clock.now();
    }

private:
    const Clock &m_clock;
    std::map<InputEvent, quint32> m_counters;
    std::map<InputEvent, Instant> m_lastAt;
};

class HarnessWorkspace final : public Workspace {
public:
    std::optional<FrontmostApplication> frontmostApplication() const override
    {
        return FrontmostApplication{QStringLiteral("org.quenby.harness"),
                                    QStringLiteral("Harness")};
    }
    void sleep() { emit willSleep(); }
    void wake() { emit didWake(); }
};

class NoLoginItems final : public LoginItems {
public:
    Status status() const override { return Status::notRegistered; }
    bool registerApp() override { return false; }
    bool unregisterApp() override { return true; }
};

QString argument(const QStringList &args, const QString &name)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const ScaledClock clock(argument(args, QStringLiteral("--base")).toDouble(),
                            argument(args, QStringLiteral("--wall")).toLongLong(),
                            argument(args, QStringLiteral("--speed")).toDouble());
    SystemProcess process(args);
    JsonSettingsStore settings(JsonSettingsStore::defaultPath(process));
    PipeInput input(clock);
    HarnessWorkspace workspace;
    NoLoginItems loginItems;
    ScaledTimer timer(clock.speed());
    UnixSignals unixSignals;
    CrewClient::HttpConnection crews;

    QString error;
    const auto store = MacWorkStore::open({clock, Calendar::system(), input, workspace, settings,
                                           loginItems, process, timer, xdgDataHome(process), crews},
                                          &error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&unixSignals, &UnixSignals::received, &app, &QCoreApplication::quit);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, store.get(),
                     &MacWorkStore::writePendingActivity);
    // Connected after the store, so the line follows the tick it reports.
    QObject::connect(&timer, &RepeatingTimer::fired, [&] {
        std::printf("tick %.3f\n", store->lastTickAt());
        std::fflush(stdout);
    });

    QByteArray pending;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            stdinNotifier.setEnabled(false);
            return;
        }
        pending.append(buffer, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = pending.left(end).split(' ');
            pending.remove(0, end + 1);
            const quint32 count = words.size() > 1 ? words[1].toUInt() : 1;
            if (words[0] == "key")
                input.event(InputEvent::keyDown, count);
            else if (words[0] == "click")
                input.event(InputEvent::leftMouseDown, count);
            else if (words[0] == "scroll")
                input.event(InputEvent::scrollWheel, count);
            else if (words[0] == "move")
                input.event(InputEvent::mouseMoved, count);
            else if (words[0] == "sleep")
                workspace.sleep();
            else if (words[0] == "wake")
                workspace.wake();
        }
    });

    std::printf("ready %.3f\n", clock.now());
    std::fflush(stdout);
    return app.exec();
}
