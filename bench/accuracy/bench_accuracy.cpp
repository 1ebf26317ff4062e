// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How exactly the work clock follows the user on each input path, against the truth of a scripted
// half hour: typing bursts, reading pauses of 10, 25, 29 and 31 s, breaks of 2 and 10 minutes, a
// film (a player resetting the X screen saver; a fullscreen window with an idle inhibitor under
// sway), a call (the screen saver suspended; a window inhibiting idle), a suspend and a wall-clock
// step forward of an hour.
//
// What is real: the X server (Xvfb) fed by xdotool and xset, a headless sway fed by swaymsg (its
// seat has no devices, so every input there is the pointer moving), tockly-inputd reading a named
// pipe fed with evdev records, and the store with each path's own input source, reading them as
// the application does. What is simulated: the passage of time. While anything happens the
// script runs in real time; 31 s into each quiet stretch (when every source's own time limit has
// passed) it jumps from one tick to the next, 20 times faster than real time, and the suspend is
// a jump.
// The store's clock, timer and sleep notices follow the script's time, and each source's readings
// are moved onto it: an input a source dates ρ seconds ago happened at the script instant of
// that real moment.
//
// The truth applies the rules of the tick and the segments to the script's own input times (as
// each path received them), at the instants that path's store ticked: a segment opens at the
// later of the previous tick and the last input, and closes at the last input once a tick finds
// 30 s without one, at a gap in ticking or at sleep; stretches under 30 s are dropped.
//
//   bench_accuracy [--quick] [--paths x11,sway,inputd]
//
// Exit status 1 when a target is missed: each stretch within one tick of the truth at both ends,
// nothing recorded during the film and the call, keys and clicks counted exactly (where the path
// counts them at all).

#include "CrewClient.h"
#include "DesktopTestEnvironment.h"
#include "EvdevRecording.h"
#include "HeadlessSway.h"
#include "MacWorkStore.h"
#include "linux/AutostartLoginItems.h"
#include "linux/InputServiceProtocol.h"
#include "linux/InputServiceSource.h"
#include "linux/JsonSettingsStore.h"
#include "linux/SystemProcess.h"
#include "linux/WaylandIdleInputSource.h"
#include "linux/XInputSource.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double fastSpeed = 20;
// How long after an input the script keeps real time: the sources' own time limits run on the
// real clock (the compositor's idle notification comes a second after the last input, and where
// it obeys inhibitors, an "idled" dates input only up to 30 s after the last confirmed one).
constexpr double settle = 31;
constexpr double clockStep = 3600;
// How long an input takes to reach every source (xdotool, swaymsg and the pipe have returned).
constexpr double delivery = 0.1;

// ---- The script

enum class Kind { work, filmOn, filmReset, filmOff, callOn, callOff, sleep, step };

struct Step {
    double at;
    Kind kind;
    int keys = 0;
    int clicks = 0;
    int scrolls = 0;
    bool move = false;
    double seconds = 0; // how long a sleep lasts
};

struct Script {
    std::vector<Step> steps;
    double t = 40; // the stores start idle: the first tick is long past when work begins

    // Four keys a second, a click every 7 s, the mouse moved every 3 s, the wheel every 11 s,
    // and a second's hesitation every 8 s, as people type.
    void work(int seconds)
    {
        for (int s = 0; s < seconds; ++s)
            if (s % 8 != 7 || s == seconds - 1)
                steps.push_back({t + s, Kind::work, 4, s % 7 == 3, s % 11 == 5, s % 3 == 1});
        t += seconds - 1; // the last input is at the start of the last second
    }
    void pause(double seconds) { t += seconds; }
    void film(double seconds)
    {
        steps.push_back({t, Kind::filmOn});
        for (double at = t + 5; at < t + seconds; at += 5)
            steps.push_back({at, Kind::filmReset});
        t += seconds;
        steps.push_back({t, Kind::filmOff});
    }
    void call(double seconds)
    {
        steps.push_back({t, Kind::callOn});
        t += seconds;
        steps.push_back({t, Kind::callOff});
    }
    void sleep(double seconds)
    {
        steps.push_back({t, Kind::sleep, 0, 0, 0, false, seconds});
        t += seconds;
    }
    void stepClock() { steps.push_back({t, Kind::step}); }
    // Starts it that much later.
    void shift(double by)
    {
        for (Step &s : steps)
            s.at += by;
        t += by;
    }

    // Bursts after a break are long enough that the slow tick after it (up to 30 s not
    // counted) leaves more than the 30 s minimum.
    static Script full()
    {
        Script s;
        s.work(60);
        for (double reading : {10, 25, 29, 31}) {
            s.pause(reading);
            s.work(20);
        }
        s.pause(120);
        s.work(60);
        s.pause(5);
        s.film(300);
        s.pause(5);
        s.work(70);
        s.call(240); // work goes on the moment it ends
        s.work(50);
        s.pause(2);
        s.sleep(180);
        s.pause(5);
        s.work(50);
        s.stepClock();
        s.work(50);
        s.pause(600);
        s.work(70);
        s.pause(60);
        return s;
    }
    static Script quick()
    {
        Script s;
        s.work(45);
        s.pause(3);
        s.film(40);
        s.pause(3);
        s.work(45);
        s.call(40);
        s.pause(5);
        s.work(45);
        s.pause(35);
        return s;
    }
};

// ---- Time

// The script's time: real while anything happens; in quiet stretches and over a suspend it stands
// still between jumps. Pieces of constant speed (1 or 0), from real seconds since the start.
class ScriptTime {
public:
    ScriptTime() { m_real.start(); }
    double real() const { return double(m_real.nsecsElapsed()) / 1e9; }
    double now() const { return at(real()); }
    double at(double real) const
    {
        auto p = std::find_if(m_pieces.rbegin(), m_pieces.rend(),
                              [&](const Piece &piece) { return piece.real <= real; });
        const Piece &piece = p == m_pieces.rend() ? m_pieces.front() : *p;
        return piece.script + (real - piece.real) * piece.speed;
    }
    // Time runs as real time, or stands still between jumps.
    void run(bool running)
    {
        if (running != (m_pieces.back().speed > 0))
            m_pieces.push_back({real(), now(), running ? 1.0 : 0.0});
    }
    void jump(double seconds)
    {
        m_pieces.push_back({real(), now() + seconds, m_pieces.back().speed});
    }

private:
    struct Piece {
        double real, script, speed;
    };
    QElapsedTimer m_real;
    std::vector<Piece> m_pieces{{0, 0, 1}};
};

class ScriptClock final : public Clock {
public:
    ScriptClock(const ScriptTime &time, Instant start) : m_time(time), m_start(start) {}
    Instant now() const override { return wall(m_time.now()); }
    Instant wall(double script) const
    {
        return m_start + script + (script >= m_stepAt ? clockStep : 0);
    }
    double script(Instant wall) const
    {
        const double before = wall - m_start;
        return before >= m_stepAt + clockStep ? before - clockStep : before;
    }
    void step() { m_stepAt = m_time.now(); }

private:
    const ScriptTime &m_time;
    Instant m_start;
    double m_stepAt = 1e18;
};

// A real source whose readings are moved onto the script's time.
class LapsedInput final : public InputSource {
public:
    LapsedInput(const ScriptTime &time, std::unique_ptr<InputSource> source)
        : m_time(time), m_source(std::move(source))
    {}
    double secondsSinceLastEvent(InputEvent type) const override
    {
        const double real = m_time.real();
        const double ago = m_source->secondsSinceLastEvent(type);
        return std::max(0.0, m_time.at(real) - m_time.at(real - ago));
    }
    quint32 eventCounter(InputEvent type) const override { return m_source->eventCounter(type); }
    const InputSource &source() const { return *m_source; }

private:
    const ScriptTime &m_time;
    std::unique_ptr<InputSource> m_source;
};

// Fires on the script's time, when the run loop finds it due.
class ScriptTimer final : public RepeatingTimer {
public:
    explicit ScriptTimer(const ScriptTime &time) : m_time(time) {}
    void start(double interval, double) override
    {
        m_interval = interval;
        next = m_time.now() + interval;
    }
    void stop() override { next = 1e18; }
    bool isActive() const override { return next < 1e18; }
    void fire()
    {
        // As Qt's timers do: one firing for the intervals missed, then on from now.
        next += m_interval;
        if (next <= m_time.now())
            next = m_time.now() + m_interval;
        emit fired();
    }
    double next = 1e18;

private:
    const ScriptTime &m_time;
    double m_interval = 0;
};

class QuietWorkspace final : public Workspace {
public:
    std::optional<FrontmostApplication> frontmostApplication() const override { return {}; }
};

// ---- One input path: a store on its own source, and what it was given

struct Stretch {
    double start, end; // script seconds
};

struct Path {
    QString name;
    QString says; // which source, in words
    std::function<bool(const Step &)> deliver;
    ScriptClock clock;
    std::unique_ptr<LapsedInput> input;
    ScriptTimer timer;
    QuietWorkspace workspace;
    QTemporaryDir dir;
    JsonSettingsStore settings{dir.filePath(u"settings.json"_s)};
    AutostartLoginItems loginItems{dir.filePath(u"config"_s), u"tockly"_s};
    SystemProcess process{QStringList{u"tockly"_s}};
    CrewClient::HttpConnection crews;
    std::unique_ptr<MacWorkStore> store;

    // When it got input, ticked and slept (script seconds), and the counts it was given.
    std::vector<double> inputs, ticks, sleeps;
    qint64 keys = 0, clicks = 0, scrolls = 0;
    bool counts = true; // whether the source counts events at all

    Path(const ScriptTime &time, Instant start) : clock(time, start), timer(time) {}

    bool open(const ScriptTime &time, std::unique_ptr<InputSource> source)
    {
        input = std::make_unique<LapsedInput>(time, std::move(source));
        ticks.push_back(time.now());
        store =
            MacWorkStore::open({clock, Calendar(QTimeZone("Europe/Berlin"), 2), *input, workspace,
                                settings, loginItems, process, timer, dir.path(), crews});
        return store != nullptr;
    }
};

// The rules, from the script's input times at the instants the path ticked and slept.
std::vector<Stretch> truth(const Path &p)
{
    std::vector<std::pair<double, bool>> events; // (instant, is a sleep)
    for (double t : p.ticks)
        events.emplace_back(t, false);
    for (double t : p.sleeps)
        events.emplace_back(t, true);
    std::sort(events.begin(), events.end());
    std::vector<Stretch> out;
    bool open = false;
    Instant start = 0;
    const auto close = [&](Instant end) {
        if (open && end - start >= MacWorkStore::minSegment)
            out.push_back({p.clock.script(start), p.clock.script(end)});
        open = false;
    };
    Instant previous = p.clock.wall(events.front().first);
    for (const auto &[at, sleeps] : events) {
        const auto last = std::upper_bound(p.inputs.begin(), p.inputs.end(), at);
        const double idle = last == p.inputs.begin() ? 1e9 : at - *(last - 1);
        const Instant now = p.clock.wall(at);
        if (sleeps) {
            if (open)
                close(now - idle);
            previous = now;
            continue;
        }
        Instant before = std::exchange(previous, now);
        if (now - before > MacWorkStore::maxTickGap)
            close(before);
        if (now < before) {
            close(before);
            before = now;
        }
        if (idle < MacWorkStore::idleLimit && !open) {
            open = true;
            start = std::max(before, now - idle);
        } else if (idle >= MacWorkStore::idleLimit && open)
            close(now - idle);
    }
    return out;
}

std::vector<Stretch> recorded(const Path &p)
{
    std::vector<Stretch> out;
    for (const WorkEntry &e : p.store->entries())
        out.push_back({p.clock.script(e.date), p.clock.script(e.date + e.seconds)});
    std::sort(out.begin(), out.end(), [](auto a, auto b) { return a.start < b.start; });
    return out;
}

double overlap(const std::vector<Stretch> &stretches, double from, double to)
{
    double sum = 0;
    for (const Stretch &s : stretches)
        sum += std::max(0.0, std::min(s.end, to) - std::max(s.start, from));
    return sum;
}

// The tick interval in force at a script instant: the gap between the ticks around it.
double tickAt(const Path &p, double at)
{
    const auto next = std::upper_bound(p.ticks.begin(), p.ticks.end(), at);
    if (next == p.ticks.begin() || next == p.ticks.end())
        return 5;
    return *next - *(next - 1);
}

QString clockText(double script)
{
    const int s = int(std::lround(script));
    return u"%1:%2"_s.arg(s / 60, 2, 10, QChar(u'0')).arg(s % 60, 2, 10, QChar(u'0'));
}

// When a film or a call held the screen on, in script seconds.
struct Held {
    double from = 0, to = 0;
};

// Prints the path's table; false when a target is missed. A short run on a busy machine judges
// only what no delay explains (time during the film or the call, counts, stretches missing or
// made up); the ends of each stretch are judged by the full run.
bool report(const Path &p, const Held &film, const Held &call, bool judgeEnds)
{
    const std::vector<Stretch> want = truth(p), got = recorded(p);
    const auto total = [](const std::vector<Stretch> &s) { return overlap(s, -1e9, 1e9); };
    const ActivityByDay &days = p.store->activityByDay();
    qint64 keys = 0, clicks = 0, scrolls = 0;
    for (const DayActivity &d : days) {
        keys += d.keys;
        clicks += d.clicks;
        scrolls += d.scrolls;
    }
    std::printf("\n%s: %s\n", qPrintable(p.name), qPrintable(p.says));
    std::printf("  %-24s%10s%10s\n", "", "truth", "recorded");
    std::printf("  %-24s%10.1f%10.1f\n", "total s", total(want), total(got));
    std::printf("  %-24s%10.1f%10.1f\n", "during the film s", overlap(want, film.from, film.to),
                overlap(got, film.from, film.to));
    std::printf("  %-24s%10.1f%10.1f\n", "during the call s", overlap(want, call.from, call.to),
                overlap(got, call.from, call.to));
    bool ok = true;
    for (auto [held, name] : {std::pair{film, "film"}, std::pair{call, "call"}}) {
        if (const double during = overlap(got, held.from, held.to); during > 0) {
            std::printf("  MISSED: %.2f s recorded during the %s (%.2f-%.2f)\n", during, name,
                        held.from, held.to);
            ok = false;
        }
    }
    using Count = std::tuple<const char *, qint64, qint64>;
    for (auto [name, truthCount, count] :
         {Count{"keys", p.keys, keys}, Count{"clicks", p.clicks, clicks},
          Count{"scrolls", p.scrolls, scrolls}}) {
        if (p.counts)
            std::printf("  %-24s%10lld%10lld\n", name, truthCount, count);
        else
            std::printf("  %-24s%10lld%10s\n", name, truthCount, "not seen");
        ok = ok && (!p.counts || truthCount == count);
    }
    std::printf("  %-8s%-16s%-16s%10s%10s%6s\n", "stretch", "truth", "recorded", "start err",
                "end err", "tick");
    size_t i = 0, j = 0;
    int row = 0;
    while (i < want.size() || j < got.size()) {
        const bool both = i < want.size() && j < got.size() && got[j].start < want[i].end &&
                          want[i].start < got[j].end;
        const bool truthFirst =
            !both && i < want.size() && (j == got.size() || want[i].start < got[j].start);
        const QString t = both || truthFirst
                              ? clockText(want[i].start) + u"-"_s + clockText(want[i].end)
                              : u"-"_s;
        const QString r =
            both || !truthFirst ? clockText(got[j].start) + u"-"_s + clockText(got[j].end) : u"-"_s;
        if (both) {
            const double tick = tickAt(p, want[i].start), endTick = tickAt(p, want[i].end);
            const double startErr = got[j].start - want[i].start, endErr = got[j].end - want[i].end;
            const bool within =
                std::abs(startErr) <= tick + 0.5 && std::abs(endErr) <= endTick + 0.5;
            std::printf("  %-8d%-16s%-16s%+10.1f%+10.1f%6.0f%s\n", ++row, qPrintable(t),
                        qPrintable(r), startErr, endErr, tick, within ? "" : "  MISSED");
            ok = ok && (within || !judgeEnds);
            ++i;
            ++j;
        } else {
            std::printf("  %-8d%-16s%-16s%10s%10s%6s  MISSED\n", ++row, qPrintable(t),
                        qPrintable(r), "", "", "");
            ok = false;
            truthFirst ? ++i : ++j;
        }
    }
    std::printf("  targets %s\n", ok ? "met" : "MISSED");
    return ok;
}

// ---- The desktops

QString letters(int n)
{
    static int next = 0;
    QString s;
    for (int i = 0; i < n; ++i)
        s += QChar(u'a' + (next++ % 26));
    return s;
}

struct Desktops {
    XvfbServer xvfb;
    xcb_connection_t *x = nullptr; // the call's, suspending the screen saver
    HeadlessSway sway;
    bool swayRuns = false;
    PrivateBus system;
    FakeDesktopServices logind;
    QTemporaryDir devices;
    std::unique_ptr<EvdevPipe> device;
    ChildProcess inputd;
    int moves = 0;

    ~Desktops()
    {
        if (x)
            xcb_disconnect(x);
    }

    bool startInputd(QString *error)
    {
        if (!system.start(PrivateBus::Kind::system, error) ||
            !logind.start(system.address(), {u"login1"_s}, error))
            return false;
        const QDBusConnection bus = system.connect(u"bench"_s);
        busCall(bus, u"org.freedesktop.login1"_s, u"/Control"_s, u"org.quenby.test.FakeDesktop"_s,
                u"SetSession"_s, {u"c0"_s, uint(geteuid()), u"seat0"_s, true, false});
        device = std::make_unique<EvdevPipe>(devices.path(), u"seat0-bench"_s);
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, system.address());
        inputd.setProcessEnvironment(env);
        inputd.setStandardErrorFile(QProcess::nullDevice());
        inputd.start(QStringLiteral(TOCKLY_INPUTD_BINARY), {u"--devices"_s, devices.path()});
        *error = u"tockly-inputd did not start"_s;
        return waitUntil(inputd, 20000, [&] {
            return bus.interface()->isServiceRegistered(InputServiceProtocol::service).value();
        });
    }

    bool x11(const Step &s)
    {
        // One xdotool for the second; typing comes last, as it takes the rest of the line.
        QStringList args;
        for (int i = 0; i < s.clicks; ++i)
            args << u"click"_s << u"1"_s;
        for (int i = 0; i < s.scrolls; ++i)
            args << u"click"_s << u"5"_s;
        if (s.move)
            args << u"mousemove_relative"_s << u"--"_s << (++moves % 2 ? u"6"_s : u"-6"_s)
                 << u"4"_s;
        if (s.keys)
            args << u"type"_s << u"--delay"_s << u"25"_s << letters(s.keys);
        return xvfb.run(u"xdotool"_s, args);
    }
    bool wayland(const Step &)
    {
        const QString d = ++moves % 2 ? u"5"_s : u"-5"_s;
        // "--": the negative steps are no options.
        return sway.swaymsg({u"--"_s, u"seat"_s, u"seat0"_s, u"cursor"_s, u"move"_s, d, d});
    }
    bool evdev(const Step &s)
    {
        QByteArray frames = typed(letters(s.keys).toLatin1());
        const QByteArray syn = evdevRecord(EV_SYN, SYN_REPORT, 0);
        for (int i = 0; i < s.clicks; ++i)
            frames +=
                evdevRecord(EV_KEY, BTN_LEFT, 1) + syn + evdevRecord(EV_KEY, BTN_LEFT, 0) + syn;
        for (int i = 0; i < s.scrolls; ++i)
            frames += evdevRecord(EV_REL, REL_WHEEL, -1) + syn;
        if (s.move)
            frames += evdevRecord(EV_REL, REL_X, 6) + evdevRecord(EV_REL, REL_Y, 4) + syn;
        return device->write(frames);
    }

    // The film and the call, on the desktops that run.
    bool film(Kind kind)
    {
        const bool reset = !x || kind == Kind::filmOff || xvfb.run(u"xset"_s, {u"s"_s, u"reset"_s});
        const QString film = u"[app_id=\"org.quenby.Film\"]"_s;
        if (!swayRuns || kind == Kind::filmReset)
            return reset;
        if (kind == Kind::filmOff) {
            sway.closeWindow(u"org.quenby.Film"_s);
            return reset;
        }
        return reset && sway.openWindow(u"org.quenby.Film"_s, u"film"_s) &&
               sway.swaymsg({film, u"fullscreen"_s, u"enable"_s}) &&
               sway.swaymsg({film, u"inhibit_idle"_s, u"fullscreen"_s});
    }
    bool call(Kind kind)
    {
        const bool on = kind == Kind::callOn;
        if (x)
            std::free(xcb_request_check(x, xcb_screensaver_suspend_checked(x, on)));
        if (!swayRuns)
            return true;
        if (!on) {
            sway.closeWindow(u"org.quenby.Call"_s);
            return true;
        }
        return sway.openWindow(u"org.quenby.Call"_s, u"call"_s) &&
               sway.swaymsg({u"[app_id=\"org.quenby.Call\"]"_s, u"inhibit_idle"_s, u"open"_s});
    }
};

// Lets the event loop run (the sources read their sockets) for that many real seconds.
void wait(double seconds)
{
    if (seconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(int(std::ceil(seconds * 1000)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool quick = args.contains(u"--quick"_s);
    QStringList names{u"x11"_s, u"sway"_s, u"inputd"_s};
    if (const qsizetype i = args.indexOf(u"--paths"_s); i > 0 && i + 1 < args.size())
        names = args[i + 1].split(u',');
    // The stores' folders come from the services alone.
    qunsetenv("QUENBY_DATA_DIR");
    qunsetenv("QUENBY_DEMO_ACTIVE");
    Script script = quick ? Script::quick() : Script::full();

    Desktops d;
    QString error;
    ScriptTime time;
    // A weekday morning in a zone without a change of clocks nearby.
    const Instant morning =
        instantFromDateTime(QDateTime(QDate(2026, 3, 10), QTime(9, 0), QTimeZone("Europe/Berlin")));
    std::vector<std::unique_ptr<Path>> paths;
    for (const QString &name : names) {
        auto p = std::make_unique<Path>(time, morning);
        p->name = name;
        std::unique_ptr<InputSource> source;
        if (name == u"x11"_s) {
            if (!d.xvfb.start(&error) ||
                !(source = XInputSource::open(d.xvfb.display().toLocal8Bit(), &error)))
                break;
            d.x = xcb_connect(d.xvfb.display().toLocal8Bit().constData(), nullptr);
            p->says = u"XI2 raw events on Xvfb"_s;
            p->deliver = [&d](const Step &s) { return d.x11(s); };
        } else if (name == u"sway"_s) {
            if (!(d.swayRuns = d.sway.start(&error)))
                break;
            auto idle = std::make_unique<WaylandIdleInputSource>(
                WaylandConnection::open(d.sway.socketPath().toUtf8(), &error));
            p->says = u"the compositor's "_s +
                      WaylandIdleInputSource::protocolName(idle->protocol()) +
                      u" under headless sway"_s;
            p->counts = false;
            p->deliver = [&d](const Step &s) { return d.wayland(s); };
            source = std::move(idle);
        } else if (name == u"inputd"_s) {
            if (!d.startInputd(&error))
                break;
            auto service = std::make_unique<InputServiceSource>(d.system.connect(u"store"_s));
            if (!service->ask(&error, 10000))
                break;
            p->says = u"tockly-inputd, fed evdev records through a pipe (the film and the call "
                      "held on both desktops meanwhile)"_s;
            p->deliver = [&d](const Step &s) { return d.evdev(s); };
            source = std::move(service);
        } else {
            error = u"no such path: "_s + name;
            break;
        }
        if (!p->open(time, std::move(source))) {
            error = u"the store did not open"_s;
            break;
        }
        paths.push_back(std::move(p));
    }
    if (paths.size() != size_t(names.size())) {
        std::fprintf(stderr, "bench_accuracy: %s\n", qPrintable(error));
        return 2;
    }

    // The script begins once everything runs.
    script.shift(time.now());

    // The run loop: each step at its script instant, every store's ticks in between.
    double lastInput = -1e9;
    const auto isInput = [](const Step &s) { return s.kind == Kind::work; };
    const auto advanceTo = [&](double target) {
        for (;;) {
            const double now = time.now();
            const auto next = std::min_element(paths.begin(), paths.end(), [](auto &a, auto &b) {
                return a->timer.next < b->timer.next;
            });
            if (std::min(target, (*next)->timer.next) <= now) {
                if ((*next)->timer.next > target)
                    return;
                // An input takes a moment to reach the sources; a tick in that moment would
                // find it in the script and not yet in the source.
                if (now < lastInput + delivery) {
                    wait(lastInput + delivery - now);
                    continue;
                }
                (*next)->ticks.push_back(now);
                (*next)->timer.fire();
                continue;
            }
            const double due = std::min(target, (*next)->timer.next);
            if (now - lastInput < settle) {
                // Real time until the sources have settled after an input.
                time.run(true);
                wait(std::min(due, lastInput + settle) - now);
            } else {
                // Then from one due instant to the next, a twentieth of the time apart in real
                // time; a stall of this machine's adds nothing to the script's time.
                time.run(false);
                wait((due - now) / fastSpeed);
                time.jump(due - now);
            }
        }
    };
    Held film, call;
    int undelivered = 0;
    const auto delivered = [&](bool done, const QString &what) {
        if (!done && ++undelivered <= 10)
            std::fprintf(stderr, "bench_accuracy: not delivered at %.1f s: %s\n", time.now(),
                         qPrintable(what));
    };
    for (const Step &s : script.steps) {
        advanceTo(s.at);
        // The step's own processes take real time.
        time.run(true);
        QCoreApplication::processEvents();
        if (isInput(s)) {
            for (auto &p : paths) {
                delivered(p->deliver(s), p->name + u" input"_s);
                // The sources time an event when they read it, as the application's do while
                // nothing keeps them waiting.
                QCoreApplication::processEvents();
                p->inputs.push_back(time.now());
                p->keys += s.keys;
                p->clicks += s.clicks;
                p->scrolls += s.scrolls;
            }
            lastInput = time.now();
        } else if (s.kind == Kind::filmOn || s.kind == Kind::filmReset || s.kind == Kind::filmOff) {
            if (s.kind == Kind::filmOff)
                film.to = time.now();
            delivered(d.film(s.kind), u"the film"_s);
            if (s.kind == Kind::filmOn)
                film.from = time.now();
        } else if (s.kind == Kind::callOn || s.kind == Kind::callOff) {
            if (s.kind == Kind::callOff)
                call.to = time.now();
            delivered(d.call(s.kind), u"the call"_s);
            if (s.kind == Kind::callOn)
                call.from = time.now();
        } else if (s.kind == Kind::sleep) {
            for (auto &p : paths) {
                p->sleeps.push_back(time.now());
                emit p->workspace.willSleep();
            }
            time.jump(s.seconds);
            for (auto &p : paths) {
                // The timers run on the monotonic clock, which stood still meanwhile.
                p->timer.next += s.seconds;
                p->ticks.push_back(time.now());
                emit p->workspace.didWake();
            }
        } else if (s.kind == Kind::step) {
            for (auto &p : paths)
                p->clock.step();
        }
    }
    advanceTo(script.t);

    std::printf("bench/accuracy: %.1f min of script in %.1f min (quiet stretches at %.0fx, the "
                "suspend skipped)\n",
                script.t / 60, time.real() / 60, fastSpeed);
    bool ok = undelivered == 0;
    if (undelivered)
        std::printf("FAILED: %d inputs or desktop changes were not delivered\n", undelivered);
    for (const auto &p : paths)
        ok = report(*p, film, call, !quick) && ok;
    return ok ? 0 : 1;
}
