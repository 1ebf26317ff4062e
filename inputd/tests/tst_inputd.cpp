// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tockly-inputd as a real process on a private system bus with a fake logind, its devices named
// pipes fed with recorded streams; callers as real processes of other users; the application
// under headless sway counting through it.

#include "DesktopTestEnvironment.h"
#include "EvdevRecording.h"
#include "HeadlessSway.h"
#include "TocklyProcess.h"
#include "linux/InputServiceProtocol.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <limits>
#include <random>
#include <thread>
#include <unistd.h>

using namespace InputServiceProtocol;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uint nobody = 65534;

QByteArray recorded(const char *name)
{
    return bytes(recording(QString::fromLatin1(name)));
}

struct Reading {
    QString error; // the error's name; empty when answered
    Counters counters;
    Seconds idle;
    QString seat;
    uint devices = 0;
    uint keys() const { return counters.value(u"keyDown"_s); }
};

Reading read(const QDBusConnection &bus)
{
    const QDBusMessage reply = bus.call(
        QDBusMessage::createMethodCall(service, path, interface, method), QDBus::Block, 10000);
    const QList<QVariant> a = reply.arguments();
    if (reply.type() != QDBusMessage::ReplyMessage)
        return {reply.errorName(), {}, {}, {}};
    return {{},
            qdbus_cast<Counters>(a.value(0)),
            qdbus_cast<Seconds>(a.value(1)),
            a.value(2).toString(),
            a.value(3).toUInt()};
}

// A number in a /proc file: the first one, or the one after `key`.
double proc(const QString &file, const QString &key = {})
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QRegularExpression(key + "\\s*([0-9.]+)"_L1).match(f.readAll()).captured(1).toDouble();
}

// The service with its bus and its logind, private to one test.
class Rig {
public:
    ~Rig() { stopProcess(process); }

    bool start(QString *error)
    {
        QDir().mkpath(folder());
        if (!bus.start(PrivateBus::Kind::system, error) ||
            !logind.start(bus.address(), {u"login1"_s}, error))
            return false;
        root = bus.connect(u"root"_s);
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, bus.address());
        process.setProcessEnvironment(env);
        process.setStandardErrorFile(dir.filePath(u"inputd.log"_s));
        process.start(TOCKLY_INPUTD_BINARY ""_L1, {u"--devices"_s, folder()});
        for (int i = 0; i < 1000 && !running(); ++i)
            QThread::msleep(20);
        *error = u"tockly-inputd did not start: "_s + log();
        return running();
    }

    QString folder() const { return dir.filePath(u"input"_s); }
    QString log() const { return QString::fromUtf8(readFile(dir.filePath(u"inputd.log"_s))); }
    // Whether it still runs, seen on the spot rather than at the next turn of the event loop.
    bool running()
    {
        process.waitForFinished(0);
        return process.state() == QProcess::Running &&
               root.interface()->isServiceRegistered(service).value();
    }

    void session(const QString &id, uint uid, const QString &seat, bool active, bool remote = false)
    {
        control(u"SetSession"_s, {id, uid, seat, active, remote});
    }
    int sessionLists() { return control(u"SessionLists"_s, {}).toInt(); }

    // The keyDown count of a call by a process of that user (dbus-send), -1 when refused; a
    // refusal must come without any numbers.
    int keysAs(uint uid)
    {
        const ProgramRun call =
            runProgram(u"setpriv"_s,
                       {u"--reuid=%1"_s.arg(uid), u"--regid=%1"_s.arg(uid), u"--clear-groups"_s,
                        u"dbus-send"_s, u"--system"_s, u"--print-reply"_s, "--dest="_L1 + service,
                        path, interface + u'.' + method},
                       env);
        if (call.err.contains("org.freedesktop.DBus.Error.AccessDenied"_L1))
            return call.out.isEmpty() ? -1 : -2;
        static const QRegularExpression keys(u"string \"keyDown\"\\s+uint32 (\\d+)"_s);
        return keys.match(call.out).hasMatch() ? keys.match(call.out).captured(1).toInt() : -2;
    }

    QTemporaryDir dir;
    PrivateBus bus;
    FakeDesktopServices logind;
    QProcess process;
    QDBusConnection root{QString()};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();

private:
    QVariant control(const QString &name, const QVariantList &args)
    {
        return busCall(root, u"org.freedesktop.login1"_s, u"/Control"_s,
                       u"org.quenby.test.FakeDesktop"_s, name, args);
    }
};

#define START_RIG(rig)                                                                             \
    Rig rig;                                                                                       \
    QString error;                                                                                 \
    QVERIFY2(rig.start(&error), qPrintable(error))

} // namespace

class TestInputd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        registerTypes();
    }

    // Counting by seat, hot-plug, who gets an answer, and that nothing but counts leaves the
    // service (all it says on the bus and in its log is watched throughout).
    void countsForTheActiveLocalUserAlone()
    {
        START_RIG(rig);
        const QString serviceName = rig.root.interface()->serviceOwner(service).value();
        QProcess monitor;
        monitor.start(u"dbus-monitor"_s, {u"--address"_s, rig.bus.address()});
        QVERIFY(monitor.waitForStarted());
        rig.session(u"c0"_s, 0, u"seat0"_s, true);

        // Before any device: nothing counted, and no input since boot (on the boot clock).
        Reading r = read(rig.root);
        QVERIFY2(r.seat == u"seat0"_s && r.devices == 0, qPrintable(r.error));
        QCOMPARE(r.counters.values(), QList<uint>(events.size(), 0));
        QVERIFY(qAbs(r.idle.value(u"keyDown"_s) - proc(u"/proc/uptime"_s)) < 2);

        // A record split between two writes is decoded once, whole.
        auto keyboard = std::make_unique<EvdevPipe>(rig.folder(), u"seat0-keyboard"_s);
        const QByteArray keys = recorded("keyboard.evemu");
        QVERIFY(keyboard->write(keys.left(sizeof(input_event) * 3 + 5)));
        QTRY_COMPARE(read(rig.root).keys(), 1u);
        QVERIFY(keyboard->write(keys.mid(sizeof(input_event) * 3 + 5)));
        QTRY_COMPARE(read(rig.root).keys(), 7u);
        r = read(rig.root);
        QVERIFY(r.idle.value(u"keyDown"_s) < 2);
        QVERIFY(r.idle.value(u"mouseMoved"_s) > proc(u"/proc/uptime"_s) - 2);
        // Idle times are the time since, and grow while nothing happens.
        QTest::qWait(300);
        QVERIFY(read(rig.root).idle.value(u"keyDown"_s) >= r.idle.value(u"keyDown"_s) + 0.25);

        // A mouse comes; a keyboard on another seat counts only there.
        EvdevPipe mouse(rig.folder(), u"seat0-mouse"_s);
        EvdevPipe other(rig.folder(), u"seat1-keyboard"_s);
        QVERIFY(mouse.write(recorded("mouse.evemu")));
        QVERIFY(other.write(keys + typed("x y")));
        QTRY_COMPARE(read(rig.root).counters.value(u"scrollWheel"_s), 6u);
        r = read(rig.root);
        QCOMPARE(r.devices, 2u);
        QCOMPARE(r.keys(), 7u);
        QCOMPARE(r.counters.value(u"flagsChanged"_s), 6u);
        QCOMPARE(r.counters.value(u"leftMouseDown"_s), 1u);
        QCOMPARE(r.counters.value(u"rightMouseDown"_s), 1u);
        QCOMPARE(r.counters.value(u"otherMouseDown"_s), 2u);
        QVERIFY(r.idle.value(u"mouseMoved"_s) < 2);
        rig.session(u"c0"_s, 0, u"seat1"_s, true);
        QTRY_COMPARE(read(rig.root).keys(), 10u);
        QCOMPARE(read(rig.root).seat, u"seat1"_s);
        QCOMPARE(read(rig.root).devices, 1u);
        rig.session(u"c0"_s, 0, u"seat0"_s, true);

        // Pulled out, its counts stay (a frame cut off at the end: badInputStaysBounded); one
        // that comes back under the same node starts a fresh stream.
        keyboard.reset();
        QTRY_COMPARE(read(rig.root).devices, 1u);
        QCOMPARE(read(rig.root).keys(), 7u);
        keyboard = std::make_unique<EvdevPipe>(rig.folder(), u"seat0-keyboard"_s);
        QVERIFY(keyboard->write(recorded("dropped.evemu")));
        QTRY_COMPARE(read(rig.root).keys(), 9u);

        // Typed on a device named for it: neither the words nor the name may show anywhere.
        const QByteArray text = "correct horse battery staple";
        EvdevPipe typist(rig.folder(), u"seat0-typist"_s);
        for (const QByteArray &word : text.split(' ')) {
            QVERIFY(typist.write(typed(word + ' ')));
            QVERIFY(read(rig.root).error.isEmpty());
        }
        const uint total = 9 + text.size() + 1;
        QTRY_COMPARE(read(rig.root).keys(), total);

        // One connection that stays: asked again on every call, never remembered.
        const int lists = rig.sessionLists();
        rig.session(u"c0"_s, 0, u"seat0"_s, false);
        QCOMPARE(read(rig.root).error, u"org.freedesktop.DBus.Error.AccessDenied"_s);
        QCOMPARE(rig.sessionLists(), lists + 1);

        // Callers as processes of their users. Another user whose session is inactive, a remote
        // one (no seat, though logind calls it active, or claiming one), one without any
        // session: the error and nothing else.
        rig.session(u"c1"_s, nobody, u"seat0"_s, true);
        rig.session(u"c2"_s, 1, u"seat0"_s, false);
        rig.session(u"c3"_s, 2, QString(), true, true);
        QCOMPARE(rig.keysAs(nobody), int(total));
        for (uint uid : {1, 2, 3})
            QCOMPARE(rig.keysAs(uid), -1);
        rig.session(u"c3"_s, 2, u"seat0"_s, true, true);
        QCOMPARE(rig.keysAs(2), -1);
        // The seat switches to the other user: the check follows at the next call.
        rig.session(u"c1"_s, nobody, u"seat0"_s, false);
        rig.session(u"c2"_s, 1, u"seat0"_s, true);
        QCOMPARE(rig.keysAs(nobody), -1);
        QCOMPARE(rig.keysAs(1), int(total));
        QVERIFY2(rig.running(), qPrintable(rig.log()));

        QTest::qWait(300);
        monitor.terminate();
        QVERIFY(monitor.waitForFinished());
        const QString bus = QString::fromUtf8(monitor.readAllStandardOutput());
        const QString log = rig.log();
        QVERIFY(bus.contains("\"keyDown\""_L1) && log.contains("serving"_L1));
        for (const QString &said : {bus, log}) {
            for (const QByteArray &word : text.split(' '))
                QVERIFY2(!said.contains(QLatin1String(word)), word.constData());
            QVERIFY(!said.contains("typist"_L1));
        }
        // Every text in the service's answers is an event type or a seat.
        QStringList allowed{u"seat0"_s, u"seat1"_s};
        for (const auto &e : events)
            allowed << QLatin1String(e.name);
        static const QRegularExpression string(u"^\\s+string \"(.*)\"$"_s,
                                               QRegularExpression::MultilineOption);
        int answers = 0;
        for (const QString &message : bus.split(QRegularExpression(u"\n(?=\\S)"_s))) {
            if (!message.startsWith("method return"_L1) ||
                !message.contains("sender="_L1 + serviceName + u' '))
                continue;
            ++answers;
            for (auto it = string.globalMatch(message); it.hasNext();) {
                const QString value = it.next().captured(1);
                QVERIFY2(allowed.contains(value), qPrintable(value));
            }
        }
        QVERIFY(answers >= 20);
    }

    void badInputStaysBounded()
    {
        START_RIG(rig);
        rig.session(u"c0"_s, 0, u"seat0"_s, true);
        const QString fdFolder = u"/proc/%1/fd"_s.arg(rig.process.processId());
        const auto fds = [&] { return QDir(fdFolder).entryList(QDir::System).size(); };
        const qsizetype fdsAtStart = fds();

        // Garbage, with a wheel turned by the most negative amount a record can hold in a frame
        // of its own; then a stream that ends inside a frame, which does not count.
        std::mt19937 random(19);
        QByteArray noise(10000 * sizeof(input_event), Qt::Uninitialized);
        std::generate(noise.begin(), noise.end(), [&] { return char(random()); });
        noise += evdevRecord(EV_SYN, SYN_REPORT, 0) +
                 evdevRecord(EV_REL, REL_WHEEL, std::numeric_limits<int>::min()) +
                 evdevRecord(EV_SYN, SYN_REPORT, 0);
        uint keys = 0;
        for (const QByteArray &stream : {noise, typed("ab").left(sizeof(input_event) * 5)}) {
            EvdevPipe device(rig.folder(), u"seat0-bad"_s);
            QTRY_COMPARE(read(rig.root).devices, 1u);
            keys = read(rig.root).keys();
            QVERIFY(device.write(stream));
            device.unplug();
            QTRY_COMPARE(read(rig.root).devices, 0u);
        }
        QCOMPARE(read(rig.root).keys(), keys + 1);

        // Devices that come and go by the hundred leave nothing open behind them.
        for (int i = 0; i < 100; ++i)
            QVERIFY(EvdevPipe(rig.folder(), u"seat0-flicker%1"_s.arg(i)).write(typed("x")));
        QTRY_COMPARE(read(rig.root).devices, 0u);
        QTRY_COMPARE(fds(), fdsAtStart);

        // A flood of a million events, its counter read while it arrives: every answer comes,
        // none goes back, the last has every key.
        EvdevPipe flood(rig.folder(), u"seat0-flood"_s);
        QTRY_COMPARE(read(rig.root).devices, 1u);
        const QByteArray stream = typed(QByteArray(250000, 'f'));
        const uint before = read(rig.root).keys();
        std::atomic<bool> done = false;
        std::thread writer([&] {
            flood.write(stream);
            done = true;
        });
        uint last = before;
        int during = 0;
        while (!done) {
            const Reading r = read(rig.root);
            QVERIFY2(r.error.isEmpty() && r.keys() >= last, qPrintable(r.error));
            during += r.keys() > before && r.keys() < before + 250000;
            last = r.keys();
            QThread::msleep(20);
        }
        writer.join();
        QTRY_COMPARE(read(rig.root).keys(), before + 250000);
        QVERIFY(during > 0);
        // Another million leave the memory as it was.
        const QString status = u"/proc/%1/status"_s.arg(rig.process.processId());
        const double resident = proc(status, u"VmRSS:"_s);
        QVERIFY(flood.write(stream));
        QTRY_COMPARE(read(rig.root).keys(), before + 500000);
        QVERIFY(proc(status, u"VmRSS:"_s) - resident < 1024);
        QVERIFY2(rig.running(), qPrintable(rig.log()));
    }

    void applicationCountsThroughItUnderSway()
    {
        START_RIG(rig);
        HeadlessSway sway;
        QVERIFY2(sway.start(&error), qPrintable(error));
        rig.session(u"c1"_s, nobody, u"seat0"_s, true);
        EvdevPipe keyboard(rig.folder(), u"seat0-keyboard"_s);

        // The user's home, past the welcome; the user is not in the input group.
        QFile::setPermissions(rig.dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ExeOther);
        const QString home = rig.dir.filePath(u"home"_s);
        QVERIFY(skipWelcome(home + "/config"_L1));
        QProcess::execute(u"chown"_s, {u"-R"_s, u"%1:%1"_s.arg(nobody), home});
        QProcessEnvironment env = tocklyEnvironment(sway.clientEnvironment(), home,
                                                    "unix:path="_L1 + home + "/no-bus"_L1);
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, rig.bus.address());
        const QStringList asUser{u"--reuid=%1"_s.arg(nobody), u"--regid=%1"_s.arg(nobody),
                                 u"--clear-groups"_s, TOCKLY_BINARY ""_L1};

        // What the application gathers from the service, as its report shows it.
        const QString said =
            runProgram(u"setpriv"_s, asUser + QStringList{u"doctor"_s}, env, 30000).out;
        QVERIFY2(said.startsWith("input: tockly-inputd, the system service, 1 keyboards and "
                                 "pointers on seat0\n"_L1),
                 qPrintable(said));

        // A key just before the start: the user is active, so the app ticks every 5 s.
        QVERIFY(keyboard.write(typed("x")));
        QTRY_COMPARE(rig.keysAs(nobody), 1);
        // The start asks once to choose, the first tick once more and takes its baselines.
        const int lists = rig.sessionLists();
        QProcess app;
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(u"setpriv"_s, asUser);
        QTRY_VERIFY_WITH_TIMEOUT(rig.sessionLists() >= lists + 2, 30000);
        QVERIFY(keyboard.write(recorded("keyboard.evemu")));
        QTRY_COMPARE(rig.keysAs(nobody), 8);
        // A tick after the keys were counted; quitting writes what it counted.
        const int counted = rig.sessionLists();
        QTRY_VERIFY_WITH_TIMEOUT(rig.sessionLists() > counted, 10000);
        stopProcess(app);
        int keys = 0;
        for (const QJsonValue &day :
             QJsonDocument::fromJson(readFile(home + "/data/Quenby/activity.json"_L1)).object())
            keys += day.toObject().value(u"keys"_s).toInt();
        QCOMPARE(keys, 7);
    }
};

QTEST_GUILESS_MAIN(TestInputd)
#include "tst_inputd.moc"
