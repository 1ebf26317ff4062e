#include "DesktopTestEnvironment.h"
#include "HeadlessSway.h"
#include "linux/InputTally.h"
#include "linux/KWinFrontmostApplication.h"
#include "linux/PlatformChoice.h"
#include "linux/SingleInstance.h"
#include "linux/TrayPopupPosition.h"
#include "linux/WaylandIdleInputSource.h"
#include "linux/WlrFrontmostApplication.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QTemporaryDir>
#include <QTest>

using Protocol = WaylandIdleInputSource::Protocol;

namespace {

// KWin's scripting service as far as loading a script goes.
class FakeKWinScripting : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
public:
    QStringList calls;
public slots:
    int loadScript(const QString &path, const QString &plugin)
    {
        calls << QStringLiteral("load %1 %2").arg(path, plugin);
        return 7;
    }
    bool unloadScript(const QString &plugin)
    {
        calls << QStringLiteral("unload ") + plugin;
        return false;
    }
};

class FakeKWinScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")
public:
    int runs = 0;
public slots:
    void run() { ++runs; }
};

QString frontmost(const FrontmostApplicationSource &source)
{
    const auto app = source.query();
    if (!app)
        return QStringLiteral("none");
    return app->identifier.value_or(QStringLiteral("?")) + u'/' +
           app->displayName.value_or(QStringLiteral("?"));
}

double idle(const InputSource &input)
{
    return input.secondsSinceLastEvent(InputEvent::mouseMoved);
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT

    HeadlessSway sway;
    QTemporaryDir data;

    DesktopEntryNames names() const
    {
        return DesktopEntryNames({data.filePath(QStringLiteral("applications"))},
                                 QStringLiteral("C"));
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(sway.start(&error), qPrintable(error));
        QDir().mkpath(data.filePath(QStringLiteral("applications")));
        QFile entry(data.filePath(QStringLiteral("applications/org.quenby.TestPad.desktop")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Test Pad\nExec=true\n");
    }

    void backendChoice_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<QString>("offers");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("idleProtocol");
        QTest::addColumn<int>("frontmost");
        QTest::addColumn<QString>("inputSays");
        QTest::addColumn<QString>("frontmostSays");

        const int service = int(InputBackend::service), evdev = int(InputBackend::evdev),
                  x11 = int(InputBackend::x11), dbus = int(InputBackend::idleOnly),
                  compositor = int(InputBackend::waylandIdle);
        const int none = int(Protocol::none), kde = int(Protocol::kdeIdle),
                  ext = int(Protocol::extIdleNotify), extInput = int(Protocol::extIdleNotifyInput);
        const int noApp = int(FrontmostBackend::none), x11App = int(FrontmostBackend::x11),
                  wlr = int(FrontmostBackend::wlrForeignToplevel),
                  kwin = int(FrontmostBackend::kwinScript);
        const QString relogin =
            QStringLiteral("usermod -aG input $USER), then log out and back in");
        // `offers`: the compositor's globals (ext1, ext2, kde, wlr), the session bus's services
        // (kwin, mutter, screensaver), "gnome" for the desktop, "unreachable" for a compositor
        // that cannot be reached, "inputd" for tockly-inputd answering.
        QTest::newRow("X11 session")
            << false << false << "" << x11 << none << x11App << "XI2 raw events"
            << "_NET_ACTIVE_WINDOW";
        QTest::newRow("X11 session, input group")
            << false << true << "" << evdev << none << x11App << "evdev"
            << "_NET_ACTIVE_WINDOW";
        QTest::newRow("X11 session, tockly-inputd")
            << false << false << "inputd" << service << none << x11App
            << "tockly-inputd, the system service, 2 keyboards and pointers on seat0"
            << "_NET_ACTIVE_WINDOW";
        QTest::newRow("GNOME 43, tockly-inputd, input group")
            << true << true << "inputd mutter gnome" << service << none << noApp << "tockly-inputd"
            << "GNOME";
        QTest::newRow("sway 1.7") << true << false << "kde wlr" << compositor << kde << wlr
                                  << relogin << "app_id";
        QTest::newRow("sway 1.7, input group")
            << true << true << "kde wlr" << evdev << kde << wlr << "evdev"
            << "app_id";
        QTest::newRow("wlroots 0.17 (both idle protocols)")
            << true << false << "ext1 kde wlr" << compositor << ext << wlr
            << "ext-idle-notify-v1 (a 1-second"
            << "app_id";
        QTest::newRow("input idle offered")
            << true << false << "ext2 wlr" << compositor << extInput << wlr << "input idle"
            << "app_id";
        QTest::newRow("Plasma 5.27") << true << false << "kde kwin screensaver" << compositor << kde
                                     << kwin << "org_kde_kwin_idle"
                                     << "KWin script";
        QTest::newRow("GNOME 43") << true << false << "mutter gnome" << dbus << none << noApp
                                  << "org.gnome.Mutter.IdleMonitor"
                                  << "GNOME";
        QTest::newRow("GNOME 43, input group")
            << true << true << "mutter gnome" << evdev << none << noApp << "evdev"
            << "GNOME";
        QTest::newRow("compositor unreachable") << true << false << "unreachable ext2 wlr mutter"
                                                << dbus << none << noApp << "cannot connect"
                                                << "cannot connect";
        QTest::newRow("bare compositor")
            << true << false << "" << dbus << none << noApp << "the clock cannot run"
            << "neither";
    }

    void backendChoice()
    {
        QFETCH(bool, wayland);
        QFETCH(bool, inGroup);
        QFETCH(QString, offers);
        QFETCH(int, input);
        QFETCH(int, idleProtocol);
        QFETCH(int, frontmost);
        QFETCH(QString, inputSays);
        QFETCH(QString, frontmostSays);
        const QStringList o = offers.split(u' ', Qt::SkipEmptyParts);
        PlatformFacts f;
        f.inputService = o.contains(QLatin1String("inputd"));
        f.inputServiceSeat = QStringLiteral("seat0");
        f.inputServiceDevices = 2;
        if (!f.inputService)
            f.inputServiceProblem = QStringLiteral("is not installed");
        f.inputDevices = 4;
        f.readableInputDevices = inGroup ? 2 : 0;
        f.inInputGroup = inGroup;
        f.display = QStringLiteral(":0"); // XWayland has one too, and must not be trusted
        f.wayland = wayland;
        if (o.contains(QLatin1String("unreachable")))
            f.waylandProblem = QStringLiteral("cannot connect to the Wayland compositor");
        f.extIdleNotifier = o.contains(QLatin1String("ext2"))   ? 2
                            : o.contains(QLatin1String("ext1")) ? 1
                                                                : 0;
        f.kdeIdle = o.contains(QLatin1String("kde"));
        f.wlrForeignToplevel = o.contains(QLatin1String("wlr")) ? 3 : 0;
        f.kwin = o.contains(QLatin1String("kwin"));
        f.desktop = o.contains(QLatin1String("gnome")) ? QStringLiteral("GNOME") : QString();
        f.idleProvider =
            o.contains(QLatin1String("mutter")) ? IdleOnlyInputSource::Provider::mutterIdleMonitor
            : o.contains(QLatin1String("screensaver")) ? IdleOnlyInputSource::Provider::screenSaver
                                                       : IdleOnlyInputSource::Provider::none;

        const PlatformChoice c = choosePlatform(f);
        const int evdevInput = int(InputBackend::evdev), serviceInput = int(InputBackend::service);
        QCOMPARE(int(c.input), input);
        if (input == int(InputBackend::waylandIdle))
            QCOMPARE(int(c.waylandIdle), idleProtocol);
        QCOMPARE(int(c.frontmost), frontmost);
        QVERIFY2(c.inputReason.contains(inputSays), qPrintable(c.inputReason));
        QVERIFY2(c.frontmostReason.contains(frontmostSays), qPrintable(c.frontmostReason));
        // Whoever cannot count keys under Wayland is told how to; whoever does without the
        // service is told why.
        QCOMPARE(c.inputReason.contains(QLatin1String("log out and back in")),
                 wayland && input != evdevInput && input != serviceInput);
        QCOMPARE(c.inputReason.contains(QLatin1String("tockly-inputd is not installed")),
                 input != serviceInput);
    }

    void frontmostFollowsSwayFocus()
    {
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        auto front = WlrFrontmostApplication::open(c, names());
        QVERIFY(front);
        QString error;
        QVERIFY2(
            sway.openWindow(QStringLiteral("org.quenby.TestPad"), QStringLiteral("notes"), &error),
            qPrintable(error));
        QVERIFY2(sway.openWindow(QStringLiteral("plain-tool"), QStringLiteral("diary"), &error),
                 qPrintable(error));
        // A new window takes the focus; the .desktop Name= names it where there is one.
        QTRY_COMPARE(frontmost(*front), QStringLiteral("plain-tool/plain-tool"));
        QVERIFY(sway.swaymsg(
            {QStringLiteral("[app_id=\"org.quenby.TestPad\"]"), QStringLiteral("focus")}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("org.quenby.TestPad/Test Pad"));
        QVERIFY(sway.swaymsg({QStringLiteral("workspace"), QStringLiteral("2")}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("none"));
        QVERIFY(sway.swaymsg({QStringLiteral("workspace"), QStringLiteral("1")}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("org.quenby.TestPad/Test Pad"));
        QVERIFY(sway.swaymsg({QStringLiteral("[app_id=\"plain-tool\"]"), QStringLiteral("focus")}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("plain-tool/plain-tool"));
    }

    void idleFollowsSwayPointer()
    {
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        WaylandIdleInputSource input(c);
        QVERIFY(input.protocol() != Protocol::none);
        QCOMPARE(input.eventCounter(InputEvent::keyDown), 0u);
        // Nobody touches the seat: idle a second after the start, then growing.
        QTRY_VERIFY_WITH_TIMEOUT(idle(input) > 2.0 && idle(input) < 10, 8000);
        for (int round = 0; round < 2; ++round) {
            QVERIFY(sway.swaymsg({QStringLiteral("seat"), QStringLiteral("seat0"),
                                  QStringLiteral("cursor"), QStringLiteral("move"),
                                  QStringLiteral("10"), QStringLiteral("10")}));
            QTRY_VERIFY(idle(input) < 0.5);
            QTRY_VERIFY_WITH_TIMEOUT(idle(input) >= 1.0, 3000);
            const double first = idle(input);
            QTest::qWait(600);
            QVERIFY2(idle(input) >= first + 0.5, qPrintable(QString::number(idle(input))));
        }
    }

    void extIdleNotify_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("asked");
        QTest::newRow("version 1") << 1 << int(Protocol::extIdleNotify) << "plain 1000";
        QTest::newRow("version 2: input only")
            << 2 << int(Protocol::extIdleNotifyInput) << "input 1000";
    }

    void extIdleNotify()
    {
        QFETCH(int, version);
        QFETCH(int, protocol);
        QFETCH(QString, asked);
        FakeCompositor compositor;
        QString error;
        QVERIFY2(compositor.start(version, &error), qPrintable(error));
        std::shared_ptr<WaylandConnection> c =
            WaylandConnection::open(compositor.socketPath().toUtf8());
        QVERIFY(c);
        WaylandIdleInputSource input(c);
        QCOMPARE(int(input.protocol()), protocol);
        QCOMPARE(compositor.nextLine(), QStringLiteral("notification ") + asked);

        // Too early to know: no input seen yet. A second of silence from the compositor means
        // the user is active.
        QVERIFY(idle(input) > monotonicSeconds() - 1);
        QTRY_COMPARE(idle(input), 0.0);
        compositor.send("idled");
        QTRY_VERIFY(idle(input) >= 1.0);
        QVERIFY(idle(input) < 1.5);
        QTest::qWait(500);
        QVERIFY(idle(input) >= 1.5);
        compositor.send("resumed");
        QTRY_COMPARE(idle(input), 0.0);
    }

    void kwinScriptReportsTheActiveWindow()
    {
        PrivateBus bus;
        QString error;
        QVERIFY2(bus.start(PrivateBus::Kind::session, &error), qPrintable(error));
        QDBusConnection kwinBus = bus.connect(QStringLiteral("kwin"));
        FakeKWinScripting scripting;
        FakeKWinScript script;
        QVERIFY(kwinBus.registerObject(QStringLiteral("/Scripting"), &scripting,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(kwinBus.registerObject(QStringLiteral("/Scripting/Script7"), &script,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(kwinBus.registerService(QStringLiteral("org.kde.KWin")));
        QDBusConnection tocklyBus = bus.connect(QStringLiteral("tockly"));
        QVERIFY(tocklyBus.registerService(SingleInstance::serviceName));

        QTemporaryDir runtime;
        KWinFrontmostApplication kwin(tocklyBus, names(), runtime.path());
        QVERIFY(kwin.start());
        QTRY_VERIFY(kwin.isRunning());
        QCOMPARE(script.runs, 1);
        QCOMPARE(
            scripting.calls,
            QStringList({QStringLiteral("unload tockly-active-window"),
                         QStringLiteral("load %1 tockly-active-window").arg(kwin.scriptPath())}));
        QCOMPARE(frontmost(kwin), QStringLiteral("none"));

        // The script as KWin 6 and KWin 5 run it, whose windows differ in names and types.
        QFile file(kwin.scriptPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString source = QString::fromUtf8(file.readAll());
        const QString prelude = QStringLiteral(R"(
            var calls = [];
            function callDBus() { calls.push(Array.prototype.slice.call(arguments)); }
            function signal() {
                return { slots: [], connect: function (f) { this.slots.push(f); },
                         emit: function (w) { this.slots.forEach(function (f) { f(w); }); } };
            }
            function bytes(s) {
                var a = new Uint8Array(s.length);
                for (var i = 0; i < s.length; ++i) a[i] = s.charCodeAt(i);
                return a.buffer;
            }
            var pad = { desktopFileName: "org.quenby.TestPad", resourceClass: "testpad",
                        caption: "secret notes" };
            var tool = { desktopFileName: "", resourceClass: bytes("plain-tool"),
                         caption: "secret diary" };
            var workspace = %1;
        )");
        struct Flavour {
            QString workspace, signal;
        };
        for (const Flavour &kind :
             {Flavour{QStringLiteral("{ windowActivated: signal(), activeWindow: pad }"),
                      QStringLiteral("windowActivated")},
              Flavour{QStringLiteral("{ clientActivated: signal(), activeClient: pad }"),
                      QStringLiteral("clientActivated")}}) {
            QJSEngine js;
            QJSValue result = js.evaluate(prelude.arg(kind.workspace) + source);
            QVERIFY2(!result.isError(), qPrintable(result.toString()));
            js.evaluate(QStringLiteral("workspace.%1.emit(tool); workspace.%1.emit(null);")
                            .arg(kind.signal));
            const QJSValue calls = js.globalObject().property(QStringLiteral("calls"));
            QCOMPARE(calls.property(QStringLiteral("length")).toInt(), 3);
            const QStringList expected{QStringLiteral("org.quenby.TestPad/Test Pad"),
                                       QStringLiteral("plain-tool/plain-tool"),
                                       QStringLiteral("none")};
            for (int i = 0; i < 3; ++i) {
                const QJSValue call = calls.property(quint32(i));
                QCOMPARE(call.property(QStringLiteral("length")).toInt(), 6);
                QVERIFY(!call.toString().contains(QLatin1String("secret")));
                auto message = QDBusMessage::createMethodCall(
                    call.property(0).toString(), call.property(1).toString(),
                    call.property(2).toString(), call.property(3).toString());
                message.setArguments({call.property(4).toString(), call.property(5).toString()});
                const QDBusPendingCall pending = kwinBus.asyncCall(message);
                QTRY_VERIFY(pending.isFinished());
                QVERIFY2(!pending.isError(), qPrintable(pending.error().message()));
                QCOMPARE(frontmost(kwin), expected[i]);
            }
        }

        // Nobody else may tell which application is in front.
        QDBusConnection stranger = bus.connect(QStringLiteral("stranger"));
        auto forged = QDBusMessage::createMethodCall(
            SingleInstance::serviceName, KWinFrontmostApplication::objectPath,
            QStringLiteral("org.quenby.Tockly.KWin"), QStringLiteral("Activated"));
        forged.setArguments({QStringLiteral("org.example.Game"), QStringLiteral("game")});
        const QDBusPendingCall pending = stranger.asyncCall(forged);
        QTRY_VERIFY(pending.isFinished());
        QCOMPARE(frontmost(kwin), QStringLiteral("none"));
    }

    void doctor_data()
    {
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("frontmost");
        QTest::newRow("headless sway")
            << true << "idle time only, from the compositor's"
            << "wlr-foreign-toplevel-management: the activated window's app_id";
        QTest::newRow("Xvfb") << false << "X11 XI2 raw events on :"
                              << "X11 _NET_ACTIVE_WINDOW and WM_CLASS";
    }

    void doctor()
    {
        QFETCH(bool, wayland);
        QFETCH(QString, input);
        QFETCH(QString, frontmost);
        XvfbServer xvfb;
        PrivateBus bus;
        QString error;
        QVERIFY2(bus.start(PrivateBus::Kind::session, &error), qPrintable(error));
        QProcessEnvironment env = sway.clientEnvironment();
        if (!wayland) {
            QVERIFY2(xvfb.start(&error), qPrintable(error));
            for (const char *name : {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP"})
                env.remove(QString::fromLatin1(name));
            env.insert(QStringLiteral("DISPLAY"), xvfb.display());
            env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
        }
        QTemporaryDir home;
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                   QStringLiteral("unix:path=") + home.filePath(QStringLiteral("no-bus")));
        QProcess doctor;
        doctor.setProcessEnvironment(env);
        doctor.start(QStringLiteral(TOCKLY_BINARY), {QStringLiteral("doctor")});
        QVERIFY(doctor.waitForFinished(30000));
        QCOMPARE(doctor.exitCode(), 0);
        const QString out = QString::fromUtf8(doctor.readAllStandardOutput());
        qInfo().noquote() << "tockly doctor:\n" + out;

        const bool devices = !QDir(QStringLiteral("/dev/input"))
                                  .entryList({QStringLiteral("event*")}, QDir::System)
                                  .isEmpty();
        const QString inputLine = out.section(u'\n', 0, 0);
        if (devices && inputLine.contains(QLatin1String("evdev")))
            qInfo("this machine's input devices are readable: evdev counts");
        else
            QVERIFY2(inputLine.startsWith(QStringLiteral("input: ") + input),
                     qPrintable(inputLine));
        if (wayland && !inputLine.contains(QLatin1String("evdev")))
            QVERIFY(inputLine.contains(QLatin1String("add yourself to the input group (sudo "
                                                     "usermod -aG input $USER), then log out "
                                                     "and back in")));
        const QString frontmostLine = out.section(u'\n', 1, 1);
        QVERIFY2(frontmostLine.startsWith(QStringLiteral("frontmost application: ") + frontmost),
                 qPrintable(frontmostLine));
    }

    void trayPopupPosition_data()
    {
        QTest::addColumn<QPoint>("sent");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        // A 1000×800 screen, a 300×200 card.
        QTest::newRow("top panel gives the item")
            << QPoint(900, 10) << true << QPoint(5, 5) << QPoint(700, 16);
        QTest::newRow("bottom panel gives the item")
            << QPoint(500, 790) << false << QPoint(5, 5) << QPoint(350, 584);
        QTest::newRow("Wayland panel says 0,0")
            << QPoint(0, 0) << true << QPoint(5, 5) << QPoint(350, 48);
        QTest::newRow("X11 panel says 0,0: at the pointer")
            << QPoint(0, 0) << false << QPoint(100, 700) << QPoint(0, 494);
    }

    void trayPopupPosition()
    {
        QFETCH(QPoint, sent);
        QFETCH(bool, wayland);
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expected);
        const QRect screen(0, 0, 1000, 800);
        QCOMPARE(
            ::trayPopupPosition(screen, trayItemPosition(sent, wayland, pointer), QSize(300, 200)),
            expected);
    }
};

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
