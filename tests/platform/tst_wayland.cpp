#include "DesktopTestEnvironment.h"
#include "FrontmostText.h"
#include "HeadlessKWin.h"
#include "HeadlessSway.h"
#include "TocklyProcess.h"
#include "linux/DataControlClipboard.h"
#include "linux/InputTally.h"
#include "linux/KWinFrontmostApplication.h"
#include "linux/PlatformChoice.h"
#include "linux/SingleInstance.h"
#include "linux/TrayPopupPosition.h"
#include "linux/WaylandIdleInputSource.h"
#include "linux/WlrFrontmostApplication.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using Protocol = WaylandIdleInputSource::Protocol;

namespace {

double idle(const InputSource &input)
{
    return input.secondsSinceLastEvent(InputEvent::mouseMoved);
}

// Today's time per application, as `tockly report --json` prints it.
QJsonObject topApps(const QProcessEnvironment &env)
{
    QString out;
    runTockly(env, {QStringLiteral("report"), QStringLiteral("--json")}, &out);
    QJsonObject apps;
    for (const QJsonValue app : QJsonDocument::fromJson(out.toUtf8())[u"topApps"].toArray())
        apps.insert(app[u"name"].toString(), app[u"seconds"]);
    return apps;
}

// What a process could have left in a folder: every file with its size and change time.
QByteArray snapshot(const QString &folder)
{
    QProcess find;
    find.start(QStringLiteral("find"), {folder, QStringLiteral("-type"), QStringLiteral("f"),
                                        QStringLiteral("-printf"), QStringLiteral("%p %s %T@\\n")});
    find.waitForFinished();
    return find.readAll();
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

    // A tockly under sway, with a home of its own; the test's connection to its bus is `bus`.
    QProcessEnvironment tocklyUnderSway(const QTemporaryDir &home) const
    {
        return tocklyEnvironment(sway.clientEnvironment(), home.path(),
                                 sway.sessionBus().address());
    }
    QDBusConnection bus() const { return sway.sessionBus().connect(QStringLiteral("test")); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(sway.start(&error), qPrintable(error));
        QVERIFY(writeFile(data.filePath(QStringLiteral("applications/org.quenby.TestPad.desktop")),
                          "[Desktop Entry]\nType=Application\nName=Test Pad\nExec=true\n"));
    }

    // The choices the real desktops here do not show: sway, KWin, GNOME Shell, Xvfb and
    // tockly-inputd make theirs in doctor(), kwinReportsTheActiveWindow(), tst_gnome and
    // tst_inputd.
    void backendChoice_data()
    {
        QTest::addColumn<QString>("offers");
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("frontmost");
        QTest::addColumn<QString>("inputSays");
        QTest::addColumn<QString>("frontmostSays");
        const int evdev = int(InputBackend::evdev), x11 = int(InputBackend::x11),
                  dbus = int(InputBackend::idleOnly), compositor = int(InputBackend::waylandIdle);
        const int noApp = int(FrontmostBackend::none), x11App = int(FrontmostBackend::x11),
                  wlr = int(FrontmostBackend::wlrForeignToplevel),
                  shell = int(FrontmostBackend::gnomeShell);
        // `offers`: "wayland" for a Wayland session, "group" for membership of the input group,
        // the compositor's globals (ext2, wlr), the session bus's services (mutter), "gnome" for
        // the desktop, "shell-on" for our GNOME Shell extension enabled, "unreachable" for a
        // compositor that cannot be reached, "oldx11" for an X server without XInput 2.2.
        QTest::newRow("X11, input group")
            << "group" << evdev << x11App << "evdev, 2 keyboards and pointers"
            << "_NET_ACTIVE_WINDOW";
        QTest::newRow("X11 without XInput 2.2") << "oldx11" << dbus << noApp << "lacks XInput 2.2"
                                                << "no X11 display";
        QTest::newRow("GNOME without the extension")
            << "wayland mutter gnome" << dbus << noApp << "org.gnome.Mutter.IdleMonitor"
            << "GNOME";
        QTest::newRow("GNOME on X11, extension on")
            << "shell-on" << x11 << shell << "XI2 raw events"
            << "GNOME Shell extension";
        QTest::newRow("input idle offered")
            << "wayland ext2 wlr" << compositor << wlr << "ext-idle-notify-v1 input idle"
            << "app_id";
        QTest::newRow("compositor unreachable")
            << "wayland unreachable ext2 wlr mutter" << dbus << noApp << "cannot connect"
            << "cannot connect";
        QTest::newRow("bare compositor") << "wayland" << dbus << noApp << "the clock cannot run"
                                         << "neither";
    }

    void backendChoice()
    {
        QFETCH(QString, offers);
        QFETCH(int, input);
        QFETCH(int, frontmost);
        QFETCH(QString, inputSays);
        QFETCH(QString, frontmostSays);
        const auto has = [&](const char *what) { return offers.split(u' ').contains(what); };
        PlatformFacts f;
        f.inputServiceProblem = QStringLiteral("is not installed");
        f.inputDevices = 4;
        f.inInputGroup = has("group");
        f.readableInputDevices = f.inInputGroup ? 2 : 0;
        f.display = QStringLiteral(":0"); // XWayland has one too, and must not be trusted
        f.wayland = has("wayland");
        if (has("oldx11"))
            f.x11Problem = QStringLiteral("the X11 server lacks XInput 2.2");
        if (has("unreachable"))
            f.waylandProblem = QStringLiteral("cannot connect to the Wayland compositor");
        f.extIdleNotifier = has("ext2") ? 2 : 0;
        f.wlrForeignToplevel = has("wlr") ? 3 : 0;
        f.desktop = has("gnome") ? QStringLiteral("GNOME") : QString();
        if (has("shell-on"))
            f.gnomeExtension = {GnomeShellExtension::State::active, QStringLiteral("43.9")};
        if (has("mutter"))
            f.idleProvider = IdleOnlyInputSource::Provider::mutterIdleMonitor;

        const PlatformChoice c = choosePlatform(f);
        QCOMPARE(int(c.input), input);
        QCOMPARE(int(c.frontmost), frontmost);
        QVERIFY2(c.inputReason.contains(inputSays), qPrintable(c.inputReason));
        QVERIFY2(c.frontmostReason.contains(frontmostSays), qPrintable(c.frontmostReason));
        // Whoever cannot count keys is told how to; whoever does without the service is told why.
        QCOMPARE(c.inputReason.contains(QLatin1String("log out and back in")),
                 input == int(InputBackend::idleOnly) || input == int(InputBackend::waylandIdle));
        QVERIFY(c.inputReason.contains(QLatin1String("tockly-inputd is not installed")));
    }

    // A new window takes the focus; the .desktop Name= names it where there is one. Nobody
    // touches the seat: idle a second after the start, then growing, until the pointer moves.
    void swayFocusAndPointer()
    {
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        auto front = WlrFrontmostApplication::open(c, names());
        QVERIFY(front);
        WaylandIdleInputSource input(c);
        QVERIFY(input.protocol() != Protocol::none);
        QString error;
        QVERIFY2(
            sway.openWindow(QStringLiteral("org.quenby.TestPad"), QStringLiteral("notes"), &error),
            qPrintable(error));
        QVERIFY2(sway.openWindow(QStringLiteral("plain-tool"), QStringLiteral("diary"), &error),
                 qPrintable(error));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("plain-tool/plain-tool"));
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.TestPad\"]", "focus"}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("org.quenby.TestPad/Test Pad"));
        QVERIFY(sway.swaymsg({"workspace", "2"}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("none"));
        QVERIFY(sway.swaymsg({"workspace", "1"}));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("org.quenby.TestPad/Test Pad"));

        QTRY_VERIFY_WITH_TIMEOUT(idle(input) > 2.0 && idle(input) < 10, 8000);
        QVERIFY(sway.swaymsg({"seat", "seat0", "cursor", "move", "10", "10"}));
        QTRY_VERIFY(idle(input) < 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(idle(input) >= 1.0, 3000);
        const double first = idle(input);
        QTest::qWait(600);
        QVERIFY2(idle(input) >= first + 0.5, qPrintable(QString::number(idle(input))));
        QCOMPARE(input.eventCounter(InputEvent::keyDown), 0u);
    }

    // KWin 5.27 itself, with Chromium's window in front: the script reports it and follows the
    // focus, and the tracker counts the time under the name of its .desktop entry. Never the
    // page's title.
    void kwinReportsTheActiveWindow()
    {
        HeadlessKWin kwin;
        QString error;
        QVERIFY2(kwin.start(&error), qPrintable(error));
        {
            // KWin offers ext-idle-notify-v1 at version 1, beside its own idle protocol. Too
            // early to know at first; nobody touches the seat, so idle from the first second on.
            std::shared_ptr<WaylandConnection> c =
                WaylandConnection::open(kwin.socketPath().toUtf8());
            QVERIFY(c);
            WaylandIdleInputSource input(c);
            QCOMPARE(input.protocol(), Protocol::extIdleNotify);
            QVERIFY(idle(input) > bootSeconds() - 1);
            QTRY_VERIFY_WITH_TIMEOUT(idle(input) >= 1.0 && idle(input) < 10, 8000);
        }
        QTemporaryDir home, pages;
        const QString page = pages.filePath(QStringLiteral("page.html"));
        QVERIFY(writeFile(page, "<title>secret page title</title>notes"));
        // A real window (not --headless), no network, nothing of the user's.
        ChildProcess chromium;
        chromium.setProcessEnvironment(kwin.clientEnvironment());
        chromium.setStandardOutputFile(QProcess::nullDevice());
        chromium.setStandardErrorFile(QProcess::nullDevice());
        chromium.start(
            QStringLiteral("chromium"),
            {QStringLiteral("--ozone-platform=wayland"), QStringLiteral("--no-sandbox"),
             QStringLiteral("--user-data-dir=") + pages.filePath(QStringLiteral("c")),
             QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
             QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
             QStringLiteral("--disable-gpu"), QUrl::fromLocalFile(page).toString()});
        QVERIFY(chromium.waitForStarted(10000));

        QDBusConnection bus = kwin.sessionBus().connect(QStringLiteral("tockly"));
        const auto scripting = [&bus](const char *method, const QVariantList &arguments) {
            auto call = QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting",
                                                       "org.kde.kwin.Scripting", method);
            call.setArguments(arguments);
            return bus.call(call).arguments().value(0);
        };
        const QString plugin = KWinFrontmostApplication::pluginName;
        // A copy that a crashed run left loaded and running.
        const QString leftOver = pages.filePath(QStringLiteral("left-over.js"));
        QVERIFY(QFile::copy(QStringLiteral(":/tockly/kwin/active-window.js"), leftOver));
        QVERIFY(scripting("loadScript", {leftOver, plugin}).toInt() >= 0);
        scripting("start", {});

        QVERIFY(bus.registerService(SingleInstance::serviceName));
        {
            KWinFrontmostApplication front(
                bus, DesktopEntryNames({QStringLiteral("/usr/share/applications")}, "C"),
                home.path());
            QVERIFY(front.start());
            QTRY_COMPARE_WITH_TIMEOUT(frontmost(front),
                                      QStringLiteral("chromium/Chromium Web Browser"), 30000);
            QVERIFY(scripting("isScriptLoaded", {plugin}).toBool()); // ours, in its place

            // Nobody but KWin may tell which application is in front.
            auto forged = QDBusMessage::createMethodCall(SingleInstance::serviceName,
                                                         KWinFrontmostApplication::objectPath,
                                                         "org.quenby.Tockly.KWin", "Activated");
            forged.setArguments({QStringLiteral("org.example.Game"), QStringLiteral("game")});
            const QDBusPendingCall pending =
                kwin.sessionBus().connect(QStringLiteral("stranger")).asyncCall(forged);
            QTRY_VERIFY(pending.isFinished());
            QCOMPARE(frontmost(front), QStringLiteral("chromium/Chromium Web Browser"));
        }
        QTRY_VERIFY(!scripting("isScriptLoaded", {plugin}).toBool()); // unloaded with the tracker
        QVERIFY(bus.unregisterService(SingleInstance::serviceName));

        // The tracker itself, everyone counting as active; its windows stay off KWin's screen.
        QProcessEnvironment env =
            tocklyEnvironment(kwin.clientEnvironment(), home.path(), kwin.sessionBus().address());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUENBY_DEMO_ACTIVE"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), data.path() + QStringLiteral(":/usr/share"));
        ChildProcess tockly;
        QVERIFY(startTockly(tockly, env, bus));
        // The first tick takes the counters' baselines, the next one counts, written at once.
        for (QDeadlineTimer deadline(30000);
             topApps(env)[u"Chromium Web Browser"].toDouble() <= 0;) {
            QVERIFY(!deadline.hasExpired());
            QTest::qWait(1000);
        }
        // The focus moves on; the time follows it, and quitting writes what is pending.
        QVERIFY2(
            kwin.openWindow(QStringLiteral("org.quenby.TestPad"), QStringLiteral("notes"), &error),
            qPrintable(error));
        QTest::qWait(11000);
        stopProcess(tockly);
        const QJsonObject day = topApps(env);
        QVERIFY2(day[u"Test Pad"].toDouble() > 0 && day[u"Chromium Web Browser"].toDouble() > 0,
                 qPrintable(QJsonDocument(day).toJson()));
        QCOMPARE(QProcess::execute(
                     QStringLiteral("grep"),
                     {QStringLiteral("-rq"), QStringLiteral("secret page title"), home.path()}),
                 1);

        // The script under KWin 6, which cannot run here: its windows have other names.
        QFile script(QStringLiteral(":/tockly/kwin/active-window.js"));
        QVERIFY(script.open(QIODevice::ReadOnly));
        QJSEngine js;
        const QJSValue result = js.evaluate(QStringLiteral(R"(
            var calls = [];
            function callDBus() { calls.push(Array.prototype.slice.call(arguments).join(" ")); }
            var activated = { slots: [], connect: function (f) { this.slots.push(f); } };
            var workspace = { windowActivated: activated,
                              activeWindow: { desktopFileName: "org.quenby.TestPad",
                                              resourceClass: "testpad", caption: "secret" } };
        )") + QString::fromUtf8(script.readAll()) +
                                            QStringLiteral(R"(
            activated.slots[0]({ desktopFileName: "", resourceClass: "plain-tool" });
            activated.slots[0](null);
            calls.join("|");
        )"));
        const QString call = QStringLiteral(
            "org.quenby.Tockly /org/quenby/Tockly/KWin org.quenby.Tockly.KWin Activated ");
        QCOMPARE(result.toString(),
                 call + "org.quenby.TestPad testpad|" + call + " plain-tool|" + call + " ");
    }

    // Under Wayland a client sees the clipboard only while it has the keyboard focus, and Tockly
    // has none at start: the invitation that another client holds on the clipboard is read
    // through the compositor. (Offered once: tst_crewstore.)
    void clipboardInvitationWithoutFocus()
    {
        ChildProcess owner;
        owner.setProcessEnvironment(sway.clientEnvironment());
        owner.start(QStringLiteral("wl-copy"),
                    {QStringLiteral("--foreground"),
                     QStringLiteral("Join my crew! QUENBY-JOIN:LUCKY7 see you")});
        QVERIFY(owner.waitForStarted());
        QTemporaryDir home;
        ChildProcess tockly;
        QVERIFY(startTockly(tockly, tocklyUnderSway(home), bus()));
        QTRY_COMPARE_WITH_TIMEOUT(pendingInvite(bus()), QStringLiteral("LUCKY7"), 10000);
        stopProcess(tockly);

        // Past the size limit, the clipboard reads as empty rather than filling memory.
        auto clipboard = DataControlClipboard::open(sway.socketPath().toUtf8());
        QVERIFY(clipboard);
        stopProcess(owner);
        owner.start(QStringLiteral("wl-copy"), {QStringLiteral("--foreground")});
        owner.write(QByteArray(3 << 20, 'x'));
        owner.closeWriteChannel();
        QTRY_COMPARE(clipboard->text(5000, 4 << 20).size(), 3 << 20);
        QCOMPARE(clipboard->text(), QString());
    }

    // Later processes hand their links to the running one and leave its data alone. A window
    // opened for a later process comes to the front with the activation token that process's
    // launcher gave it. sway 1.7 focuses every new window; told not to for Tockly's, it stands
    // for the desktops that prevent focus stealing, where only an activation with a valid token
    // brings a window forward.
    void laterProcessesHandOverTheirLinksWithTheLaunchersToken()
    {
        QVERIFY(sway.swaymsg({"no_focus", "[app_id=\"tockly\"]"}));
        QVERIFY(sway.swaymsg({"focus_on_window_activation", "focus"}));
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        auto front = WlrFrontmostApplication::open(c, names());
        QVERIFY(front);
        QString error;
        QVERIFY2(sway.openWindow(QStringLiteral("desk"), QStringLiteral("desk"), &error),
                 qPrintable(error));
        QTRY_COMPARE(frontmost(*front), QStringLiteral("desk/desk"));

        QTemporaryDir home;
        QProcessEnvironment env = tocklyUnderSway(home);
        QVERIFY(skipWelcome(home.filePath(QStringLiteral("config"))));
        ChildProcess first;
        QVERIFY(startTockly(first, env, bus()));
        const QString data = home.filePath(QStringLiteral("data"));
        const QString lock = data + QStringLiteral("/Quenby/tockly.lock");
        QTRY_VERIFY(QFile::exists(lock));
        const QByteArray before = snapshot(data);

        // An older caller hands its links over without a token: the window opens behind.
        auto call =
            QDBusMessage::createMethodCall(SingleInstance::serviceName, SingleInstance::objectPath,
                                           SingleInstance::interfaceName, "OpenLinks");
        call << QStringList{QStringLiteral("quenby://join/abc123")};
        QCOMPARE(bus().call(call).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(pendingInvite(bus()), QStringLiteral("ABC123"));
        QByteArray tree;
        QTRY_VERIFY_WITH_TIMEOUT(sway.swaymsg({"-t", "get_tree"}, &tree) &&
                                     tree.contains(R"("app_id": "tockly")"),
                                 10000);
        QTest::qWait(1000);
        QCOMPARE(frontmost(*front), QStringLiteral("desk/desk"));

        // A later process started with its launcher's token; the reset asked with the link is
        // not done.
        env.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"),
                   activationToken(sway.clientEnvironment()));
        QVERIFY(!env.value(QStringLiteral("XDG_ACTIVATION_TOKEN")).isEmpty());
        QString output, errors;
        QCOMPARE(runTockly(env,
                           {QStringLiteral("-quenbyReset"), QStringLiteral("quenby://join/zz9zz9")},
                           &output, &errors),
                 0);
        QVERIFY2(errors.contains(QLatin1String("already running")), qPrintable(errors));
        QTRY_COMPARE(pendingInvite(bus()), QStringLiteral("ZZ9ZZ9"));
        QTRY_COMPARE_WITH_TIMEOUT(frontmost(*front).section(u'/', 0, 0), QStringLiteral("tockly"),
                                  10000);

        // A later process with a data folder of its own does not even create it.
        const QString elsewhere = home.filePath(QStringLiteral("elsewhere"));
        env.insert(QStringLiteral("QUENBY_DATA_DIR"), elsewhere);
        env.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
        QCOMPARE(runTockly(env, {}), 0);
        QVERIFY(!QFileInfo::exists(elsewhere));
        env.remove(QStringLiteral("QUENBY_DATA_DIR"));
        // Only the first process ever wrote the data folder, and it still holds it.
        QCOMPARE(snapshot(data), before);
        qint64 pid = 0;
        QVERIFY(QLockFile(lock).getLockInfo(&pid, nullptr, nullptr) && pid == first.processId());
        QCOMPARE(runTockly(env, {QStringLiteral("doctor")}, &output), 0);
        QVERIFY2(output.contains(QStringLiteral("single instance: session bus name "
                                                "org.quenby.Tockly, held by process %1")
                                     .arg(first.processId())),
                 qPrintable(output));
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(sway.swaymsg({"focus_on_window_activation", "urgent"}));
    }

    void withoutASessionBusTheRuntimeLockDecides()
    {
        QTemporaryDir home;
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        auto env = tocklyEnvironment(QProcessEnvironment::systemEnvironment(), home.path(),
                                     QStringLiteral("unix:path=") + home.path() +
                                         QStringLiteral("/no-bus"));
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        ChildProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(TOCKLY_BINARY), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(home.filePath(QStringLiteral("data/Quenby/tockly.lock"))), 15000);
        QVERIFY(QFile::exists(runtime + QStringLiteral("/tockly.lock")));

        QCOMPARE(runTockly(env, {}), 0);
        // Links have no way to the running process without a bus: say so, fail.
        QString output, errors;
        QCOMPARE(runTockly(env, {QStringLiteral("quenby://join/abc123")}, &output, &errors), 1);
        QVERIFY2((output + errors).contains(QLatin1String("without a session bus")),
                 qPrintable(output + errors));
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
    }

    // The backends `tockly doctor` finds under headless sway and under Xvfb.
    void doctor()
    {
        XvfbServer xvfb;
        QString error;
        QVERIFY2(xvfb.start(&error), qPrintable(error));
        QProcessEnvironment x11 = sway.clientEnvironment();
        for (const char *name : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP"})
            x11.remove(QString::fromLatin1(name));
        x11.insert(QStringLiteral("DISPLAY"), xvfb.display());
        x11.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
        for (const bool wayland : {true, false}) {
            QTemporaryDir home;
            QString out;
            QCOMPARE(runTockly(tocklyEnvironment(wayland ? sway.clientEnvironment() : x11,
                                                 home.path(), sway.sessionBus().address()),
                               {QStringLiteral("doctor")}, &out),
                     0);
            const QString input = out.section(u'\n', 0, 0);
            // Where this machine's input devices are readable, evdev counts instead.
            if (!input.contains(QLatin1String("evdev"))) {
                QVERIFY2(input.startsWith(wayland ? "input: idle time only, from the compositor's"
                                                  : "input: X11 XI2 raw events on :"),
                         qPrintable(out));
                QCOMPARE(input.contains(QLatin1String("(sudo usermod -aG input $USER), then log "
                                                      "out and back in")),
                         wayland);
            }
            QVERIFY2(out.section(u'\n', 1, 1)
                         .startsWith(wayland ? "frontmost application: wlr-foreign-toplevel-"
                                               "management: the activated window's app_id"
                                             : "frontmost application: X11 _NET_ACTIVE_WINDOW "
                                               "and WM_CLASS"),
                     qPrintable(out));
        }
    }

    // A 1000×800 screen, a 300×200 card.
    void trayPopupPosition()
    {
        const auto at = [](QPoint sent, bool wayland, QPoint pointer) {
            return ::trayPopupPosition(QRect(0, 0, 1000, 800),
                                       trayItemPosition(sent, wayland, pointer), QSize(300, 200));
        };
        // A top or a bottom panel gives the item's place.
        QCOMPARE(at({900, 10}, true, {5, 5}), QPoint(700, 16));
        QCOMPARE(at({500, 790}, false, {5, 5}), QPoint(350, 584));
        // A Wayland panel says 0,0; an X11 one too, where the pointer shows the place.
        QCOMPARE(at({0, 0}, true, {5, 5}), QPoint(350, 48));
        QCOMPARE(at({0, 0}, false, {100, 700}), QPoint(0, 494));
    }
};

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
