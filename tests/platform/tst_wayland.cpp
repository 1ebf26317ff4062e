// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopTestEnvironment.h"
#include "FrontmostText.h"
#include "HeadlessKWin.h"
#include "HeadlessSway.h"
#include "TocklyProcess.h"
#include "WorkEntry.h"
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
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

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
    runTockly(env, {u"report"_s, u"--json"_s}, &out);
    QJsonObject apps;
    for (const QJsonValue app : QJsonDocument::fromJson(out.toUtf8())[u"topApps"].toArray())
        apps.insert(app[u"name"].toString(), app[u"seconds"]);
    return apps;
}

// What a process could have left in a folder: every file with its size and change time.
QString snapshot(const QString &folder)
{
    return runProgram(u"find"_s, {folder, u"-type"_s, u"f"_s, u"-printf"_s, u"%p %s %T@\\n"_s}).out;
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT

    HeadlessSway sway;
    QTemporaryDir data;

    DesktopEntryNames names() const
    {
        return DesktopEntryNames({data.filePath(u"applications"_s)}, u"C"_s);
    }

    // A tockly under sway, with a home of its own; the test's connection to its bus is `bus`.
    QProcessEnvironment tocklyUnderSway(const QTemporaryDir &home) const
    {
        return tocklyEnvironment(sway.clientEnvironment(), home.path(),
                                 sway.sessionBus().address());
    }
    QDBusConnection bus() const { return sway.sessionBus().connect(u"test"_s); }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(sway.start(&error), qPrintable(error));
        QVERIFY(writeFile(data.filePath(u"applications/org.quenby.TestPad.desktop"_s),
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
        // the compositor's globals (ext1 or ext2 for ext-idle-notify-v1's version, kde for
        // org_kde_kwin_idle, wlr), the
        // session bus's services (mutter), "gnome" for the desktop, "shell-on" for our GNOME Shell
        // extension enabled, "unreachable" for a compositor that cannot be reached, "oldx11" for an
        // X server without XInput 2.2.
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
        QTest::newRow("inhibitor-bound idle only")
            << "wayland ext1" << compositor << noApp << "cannot tell input from an idle inhibitor"
            << "neither";
        QTest::newRow("sway 1.7: KDE's idle protocol only")
            << "wayland kde wlr" << compositor << wlr << "cannot tell input from an idle inhibitor"
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
        f.inputServiceProblem = u"is not installed"_s;
        f.inputDevices = 4;
        f.inInputGroup = has("group");
        f.readableInputDevices = f.inInputGroup ? 2 : 0;
        f.display = u":0"_s; // XWayland has one too, and must not be trusted
        f.wayland = has("wayland");
        if (has("oldx11"))
            f.x11Problem = u"the X11 server lacks XInput 2.2"_s;
        if (has("unreachable"))
            f.waylandProblem = u"cannot connect to the Wayland compositor"_s;
        f.extIdleNotifier = has("ext2") ? 2 : has("ext1") ? 1 : 0;
        f.kdeIdle = has("kde") ? 1 : 0;
        f.wlrForeignToplevel = has("wlr") ? 3 : 0;
        f.desktop = has("gnome") ? u"GNOME"_s : QString();
        if (has("shell-on"))
            f.gnomeExtension = {GnomeShellExtension::State::active, u"43.9"_s};
        if (has("mutter"))
            f.idleProvider = IdleOnlyInputSource::Provider::mutterIdleMonitor;

        const PlatformChoice c = choosePlatform(f);
        QCOMPARE(int(c.input), input);
        QCOMPARE(int(c.frontmost), frontmost);
        QVERIFY2(c.inputReason.contains(inputSays), qPrintable(c.inputReason));
        QVERIFY2(c.frontmostReason.contains(frontmostSays), qPrintable(c.frontmostReason));
        // Whoever cannot count keys is told how to; whoever does without the service is told why.
        QCOMPARE(
            c.inputReason.contains("(sudo usermod -aG input $USER), then log out and back in"_L1),
            input == int(InputBackend::idleOnly) || input == int(InputBackend::waylandIdle));
        QVERIFY(c.inputReason.contains("tockly-inputd is not installed"_L1));
        // Only where silence may be an inhibitor is the doubt named.
        QCOMPARE(c.inputReason.contains("removes the doubt"_L1),
                 (has("ext1") || has("kde")) && !has("ext2") && !has("unreachable"));
    }

    // A new window takes the focus; the .desktop Name= names it where there is one. Nobody
    // touches the seat: no input is known from the start until the pointer moves.
    void swayFocusAndPointer()
    {
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        auto front = WlrFrontmostApplication::open(c, names());
        QVERIFY(front);
        WaylandIdleInputSource input(c);
        QVERIFY(input.protocol() != Protocol::none);
        QVERIFY(sway.openWindow(u"org.quenby.TestPad"_s, u"notes"_s));
        QVERIFY(sway.openWindow(u"plain-tool"_s, u"diary"_s));
        QTRY_COMPARE(frontmost(*front), u"plain-tool/plain-tool"_s);
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.TestPad\"]", "focus"}));
        QTRY_COMPARE(frontmost(*front), u"org.quenby.TestPad/Test Pad"_s);
        QVERIFY(sway.swaymsg({"workspace", "2"}));
        QTRY_COMPARE(frontmost(*front), u"none"_s);
        QVERIFY(sway.swaymsg({"workspace", "1"}));
        QTRY_COMPARE(frontmost(*front), u"org.quenby.TestPad/Test Pad"_s);

        QTest::qWait(2000);
        QVERIFY(idle(input) > bootSeconds() - 5);
        QVERIFY(sway.swaymsg({"seat", "seat0", "cursor", "move", "10", "10"}));
        QTRY_VERIFY(idle(input) < 0.5);
        QTRY_VERIFY_WITH_TIMEOUT(idle(input) >= 1.0, 3000);
        const double first = idle(input);
        QTest::qWait(600);
        QVERIFY2(idle(input) >= first + 0.5, qPrintable(QString::number(idle(input))));
        QCOMPARE(input.eventCounter(InputEvent::keyDown), 0u);
    }

    // A window holding an idle inhibitor, as a film or a call does, is no input. Where the
    // compositor offers the input-only notification, the pointer moving meanwhile is; where its
    // notification obeys the inhibitor, the compositor keeps quiet about that too, and input
    // stops at the last one confirmed free of an inhibitor.
    void inhibitorIsNoInput()
    {
        QVERIFY(sway.openWindow(u"org.quenby.Film"_s, u"film"_s));
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.Film\"]", "inhibit_idle", "open"}));
        std::shared_ptr<WaylandConnection> c = WaylandConnection::open(sway.socketPath().toUtf8());
        QVERIFY(c);
        WaylandIdleInputSource input(c);
        const bool inputOnly = input.protocol() == Protocol::extIdleNotifyInput;
        QTest::qWait(3000);
        QVERIFY2(idle(input) >= 2.5, qPrintable(QString::number(idle(input))));
        QVERIFY(sway.swaymsg({"seat", "seat0", "cursor", "move", "5", "5"}));
        if (inputOnly) {
            QTRY_VERIFY(idle(input) < 0.5);
        } else {
            QTest::qWait(1000);
            QVERIFY2(idle(input) >= 3.5, qPrintable(QString::number(idle(input))));
        }
        sway.closeWindow(u"org.quenby.Film"_s);

        // A call begins while the pointer moves (after a pause that the compositor reports):
        // its silence does not count, nor the compositor's timer when it ends.
        QTest::qWait(1500);
        QElapsedTimer moved;
        for (const char *step : {"5", "-5", "5", "-5"}) {
            QVERIFY(sway.swaymsg({"--", "seat", "seat0", "cursor", "move", step, step}));
            moved.start();
            QTest::qWait(400);
        }
        QVERIFY(sway.openWindow(u"org.quenby.Call"_s, u"call"_s));
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.Call\"]", "inhibit_idle", "open"}));
        const auto sinceMoved = [&] { return std::abs(idle(input) - moved.elapsed() / 1000.0); };
        QTRY_VERIFY_WITH_TIMEOUT(idle(input) >= 6, 10000);
        QVERIFY2(sinceMoved() < 3, qPrintable(QString::number(idle(input))));
        sway.closeWindow(u"org.quenby.Call"_s);
        QTest::qWait(2500);
        QVERIFY2(sinceMoved() < 3, qPrintable(QString::number(idle(input))));

        // A film that starts in a pause: sway 1.10 says "resumed" for it.
        QVERIFY(sway.openWindow(u"org.quenby.Film"_s, u"film"_s));
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.Film\"]", "inhibit_idle", "open"}));
        QTest::qWait(3000);
        QVERIFY2(sinceMoved() < 3, qPrintable(QString::number(idle(input))));
        sway.closeWindow(u"org.quenby.Film"_s);
        QTest::qWait(2500);
        QVERIFY2(sinceMoved() < 3, qPrintable(QString::number(idle(input))));
    }

    // Tockly itself beside a window holding an idle inhibitor: nothing counts while nobody
    // touches the seat, nor when the inhibitor lets go. The pointer moving for 10 s meanwhile
    // counts from within a tick where the compositor offers the input-only notification, until
    // the first tick 30 s after it stopped (too short a stretch to record); where its
    // notification obeys the inhibitor it shows nothing of it, and nothing counts.
    void inhibitorHeldWhileThePointerMoves()
    {
        QVERIFY(sway.openWindow(u"org.quenby.Film"_s, u"film"_s));
        QVERIFY(sway.swaymsg({"[app_id=\"org.quenby.Film\"]", "inhibit_idle", "open"}));
        const bool inputOnly =
            WaylandIdleInputSource(WaylandConnection::open(sway.socketPath().toUtf8()))
                .protocol() == Protocol::extIdleNotifyInput;
        QTemporaryDir home;
        QVERIFY(skipWelcome(home.filePath(u"config"_s)));
        ChildProcess tockly;
        QVERIFY(startTockly(tockly, tocklyUnderSway(home), bus()));

        QCOMPARE(watchTracking(bus(), 40000).first, -1);
        int move = 0;
        const Tracked moving = watchTracking(bus(), 10000, [&] {
            const QString step = ++move % 2 ? u"5"_s : u"-5"_s;
            QVERIFY(sway.swaymsg({"--", "seat", "seat0", "cursor", "move", step, step}));
        });
        const Tracked after = watchTracking(bus(), 45000);
        if (inputOnly) {
            QVERIFY2(moving.first >= 0 && moving.first <= 7000,
                     qPrintable(QString::number(moving.first)));
            QVERIFY2(after.last >= 29000 && after.last <= 30000 + 7000,
                     qPrintable(QString::number(after.last)));
        } else {
            QCOMPARE(moving.first, -1);
            QCOMPARE(after.first, -1);
        }
        sway.closeWindow(u"org.quenby.Film"_s);
        QCOMPARE(watchTracking(bus(), 10000).first, -1);
        stopProcess(tockly);
        QFile entries(home.filePath(u"data/Quenby/entries.json"_s));
        QVERIFY(!entries.open(QIODevice::ReadOnly) || decodeEntries(entries.readAll())->isEmpty());
    }

    // KWin itself (5.27, or 6 with the script's other branch), with Chromium's window in front:
    // the script reports it and follows the focus, and the tracker counts the time under the name
    // of its .desktop entry. Never the page's title.
    void kwinReportsTheActiveWindow()
    {
        HeadlessKWin kwin;
        QString error;
        QVERIFY2(kwin.start(&error), qPrintable(error));
        {
            // KWin offers ext-idle-notify-v1 at version 1, beside its own idle protocol. Nobody
            // touches the seat: no input known, too early to tell and after.
            std::shared_ptr<WaylandConnection> c =
                WaylandConnection::open(kwin.socketPath().toUtf8());
            QVERIFY(c);
            WaylandIdleInputSource input(c);
            QCOMPARE(input.protocol(), Protocol::extIdleNotify);
            QVERIFY(idle(input) > bootSeconds() - 1);
            QTest::qWait(2000);
            QVERIFY(idle(input) > bootSeconds() - 5);
        }
        QTemporaryDir home, pages;
        const QString page = pages.filePath(u"page.html"_s);
        QVERIFY(writeFile(page, "<title>secret page title</title>notes"));
        // A real window (not --headless), no network, nothing of the user's.
        ChildProcess chromium;
        chromium.setProcessEnvironment(kwin.clientEnvironment());
        chromium.setStandardOutputFile(QProcess::nullDevice());
        chromium.setStandardErrorFile(QProcess::nullDevice());
        chromium.start(u"chromium"_s, {u"--ozone-platform=wayland"_s, u"--no-sandbox"_s,
                                       u"--user-data-dir="_s + pages.filePath(u"c"_s),
                                       u"--no-first-run"_s, u"--disable-background-networking"_s,
                                       u"--disable-component-update"_s, u"--disable-sync"_s,
                                       u"--disable-gpu"_s, QUrl::fromLocalFile(page).toString()});
        QVERIFY(chromium.waitForStarted(10000));

        QDBusConnection bus = kwin.sessionBus().connect(u"tockly"_s);
        const auto scripting = [&bus](const char *method, const QVariantList &arguments) {
            return busCall(bus, u"org.kde.KWin"_s, u"/Scripting"_s, u"org.kde.kwin.Scripting"_s,
                           QString::fromLatin1(method), arguments);
        };
        const QString plugin = KWinFrontmostApplication::pluginName;
        // A copy that a crashed run left loaded and running.
        const QString leftOver = pages.filePath(u"left-over.js"_s);
        QVERIFY(QFile::copy(u":/tockly/kwin/active-window.js"_s, leftOver));
        QVERIFY(scripting("loadScript", {leftOver, plugin}).toInt() >= 0);
        scripting("start", {});

        QVERIFY(bus.registerService(SingleInstance::serviceName));
        {
            KWinFrontmostApplication front(
                bus, DesktopEntryNames({u"/usr/share/applications"_s}, "C"), home.path());
            QVERIFY(front.start());
            QTRY_COMPARE_WITH_TIMEOUT(frontmost(front), u"chromium/Chromium Web Browser"_s, 30000);
            QVERIFY(scripting("isScriptLoaded", {plugin}).toBool()); // ours, in its place

            // Nobody but KWin may tell which application is in front.
            auto forged = QDBusMessage::createMethodCall(SingleInstance::serviceName,
                                                         KWinFrontmostApplication::objectPath,
                                                         "org.quenby.Tockly.KWin", "Activated");
            forged.setArguments({u"org.example.Game"_s, u"game"_s});
            const QDBusPendingCall pending =
                kwin.sessionBus().connect(u"stranger"_s).asyncCall(forged);
            QTRY_VERIFY(pending.isFinished());
            QCOMPARE(frontmost(front), u"chromium/Chromium Web Browser"_s);
        }
        QTRY_VERIFY(!scripting("isScriptLoaded", {plugin}).toBool()); // unloaded with the tracker
        QVERIFY(bus.unregisterService(SingleInstance::serviceName));

        // The tracker itself, everyone counting as active; its windows stay off KWin's screen.
        QProcessEnvironment env =
            tocklyEnvironment(kwin.clientEnvironment(), home.path(), kwin.sessionBus().address());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"QUENBY_DEMO_ACTIVE"_s, u"1"_s);
        env.insert(u"XDG_DATA_DIRS"_s, data.path() + u":/usr/share"_s);
        ChildProcess tockly;
        QVERIFY(startTockly(tockly, env, bus));
        // The first tick takes the counters' baselines, the next one counts, written at once.
        QVERIFY(
            eventually([&] { return topApps(env)[u"Chromium Web Browser"].toDouble() > 0; }, 30));
        // The focus moves on; the time follows it, and quitting writes what is pending.
        QVERIFY(kwin.openWindow(u"org.quenby.TestPad"_s, u"notes"_s));
        QTest::qWait(11000);
        stopProcess(tockly);
        const QJsonObject day = topApps(env);
        QVERIFY2(day[u"Test Pad"].toDouble() > 0 && day[u"Chromium Web Browser"].toDouble() > 0,
                 qPrintable(QJsonDocument(day).toJson()));
        QCOMPARE(QProcess::execute(u"grep"_s, {u"-rq"_s, u"secret page title"_s, home.path()}), 1);
    }

    // Under KWin too, a later process started by a launcher for a click brings the window it
    // opens to the front with the launcher's token. KWin prevents focus stealing at its
    // strictest: KWin 6 leaves the window that an older caller opens behind.
    void kwinRaisesTheWindowWithTheLaunchersToken()
    {
        HeadlessKWin kwin;
        QString error;
        QVERIFY2(kwin.start(&error, true), qPrintable(error));
        QTemporaryDir home;
        QProcessEnvironment env =
            tocklyEnvironment(kwin.clientEnvironment(), home.path(), kwin.sessionBus().address());
        QVERIFY(skipWelcome(home.filePath(u"config"_s)));
        ChildProcess first;
        QVERIFY(startTockly(first, env, kwin.sessionBus().connect(u"tockly"_s)));
        const QString token = kwin.launcherToken(u"tockly"_s, &error);
        QVERIFY2(!token.isEmpty(), qPrintable(error));
        QTRY_COMPARE(kwin.activeWindow(), u"launcher"_s);
        QCOMPARE(runTockly(env, {u"quenby://join/abc123"_s}), 0);
        QTest::qWait(2000);
        if (kwin.version() >= 6)
            QCOMPARE(kwin.activeWindow(), u"launcher"_s);

        env.insert(u"XDG_ACTIVATION_TOKEN"_s, token);
        QCOMPARE(runTockly(env, {u"quenby://join/zz9zz9"_s}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(kwin.activeWindow(), u"Crew Invite"_s, 10000);
    }

    // Under Wayland a client sees the clipboard only while it has the keyboard focus, and Tockly
    // has none at start: the invitation that another client holds on the clipboard is read
    // through the compositor. (Offered once: tst_crewstore.)
    void clipboardInvitationWithoutFocus()
    {
        ChildProcess owner;
        owner.setProcessEnvironment(sway.clientEnvironment());
        owner.start(u"wl-copy"_s,
                    {u"--foreground"_s, u"Join my crew! QUENBY-JOIN:LUCKY7 see you"_s});
        QVERIFY(owner.waitForStarted());
        QTemporaryDir home;
        ChildProcess tockly;
        QVERIFY(startTockly(tockly, tocklyUnderSway(home), bus()));
        QTRY_COMPARE_WITH_TIMEOUT(pendingInvite(bus()), u"LUCKY7"_s, 10000);
        stopProcess(tockly);

        // Past the size limit, the clipboard reads as empty rather than filling memory.
        auto clipboard = DataControlClipboard::open(sway.socketPath().toUtf8());
        QVERIFY(clipboard);
        stopProcess(owner);
        owner.start(u"wl-copy"_s, {u"--foreground"_s});
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
        QVERIFY(sway.openWindow(u"desk"_s, u"desk"_s));
        QTRY_COMPARE(frontmost(*front), u"desk/desk"_s);

        QTemporaryDir home;
        QProcessEnvironment env = tocklyUnderSway(home);
        QVERIFY(skipWelcome(home.filePath(u"config"_s)));
        ChildProcess first;
        QVERIFY(startTockly(first, env, bus()));
        const QString data = home.filePath(u"data"_s);
        const QString lock = data + u"/Quenby/tockly.lock"_s;
        QTRY_VERIFY(QFile::exists(lock));
        const QString before = snapshot(data);

        // An older caller hands its links over without a token: the window opens behind.
        auto call =
            QDBusMessage::createMethodCall(SingleInstance::serviceName, SingleInstance::objectPath,
                                           SingleInstance::interfaceName, "OpenLinks");
        call << QStringList{u"quenby://join/abc123"_s};
        QCOMPARE(bus().call(call).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(pendingInvite(bus()), u"ABC123"_s);
        QByteArray tree;
        QTRY_VERIFY_WITH_TIMEOUT(sway.swaymsg({"-t", "get_tree"}, &tree) &&
                                     tree.contains(R"("app_id": "tockly")"),
                                 10000);
        QTest::qWait(1000);
        QCOMPARE(frontmost(*front), u"desk/desk"_s);

        // A later process started by a launcher for a click, with the token the launcher got for
        // it; the reset asked with the link is not done.
        const QString token = sway.launcherToken(u"tockly"_s, &error);
        QVERIFY2(!token.isEmpty(), qPrintable(error));
        QTRY_COMPARE(frontmost(*front), u"launcher/launcher"_s);
        env.insert(u"XDG_ACTIVATION_TOKEN"_s, token);
        QString output, errors;
        QCOMPARE(runTockly(env, {u"-quenbyReset"_s, u"quenby://join/zz9zz9"_s}, &output, &errors),
                 0);
        QVERIFY2(errors.contains("already running"_L1), qPrintable(errors));
        QTRY_COMPARE(pendingInvite(bus()), u"ZZ9ZZ9"_s);
        QTRY_COMPARE_WITH_TIMEOUT(frontmost(*front).section(u'/', 0, 0), u"tockly"_s, 10000);
        sway.closeWindow(u"launcher"_s);

        // A later process with a data folder of its own does not even create it.
        const QString elsewhere = home.filePath(u"elsewhere"_s);
        env.insert(u"QUENBY_DATA_DIR"_s, elsewhere);
        env.remove(u"XDG_ACTIVATION_TOKEN"_s);
        QCOMPARE(runTockly(env, {}), 0);
        QVERIFY(!QFileInfo::exists(elsewhere));
        env.remove(u"QUENBY_DATA_DIR"_s);
        // Only the first process ever wrote the data folder, and it still holds it.
        QCOMPARE(snapshot(data), before);
        qint64 pid = 0;
        QVERIFY(QLockFile(lock).getLockInfo(&pid, nullptr, nullptr) && pid == first.processId());
        // What `tockly doctor` finds under sway (the wording is backendChoice()'s). Where this
        // machine's input devices are readable, evdev counts instead. Where sway's idle
        // notification obeys inhibitors, the doubt is named.
        QCOMPARE(runTockly(env, {u"doctor"_s}, &output), 0);
        const bool inputOnly =
            WaylandIdleInputSource(WaylandConnection::open(sway.socketPath().toUtf8()))
                .protocol() == Protocol::extIdleNotifyInput;
        QVERIFY2((output.startsWith("input: idle time only, from the compositor's"_L1) &&
                  output.contains("cannot tell input from an idle inhibitor"_L1) != inputOnly) ||
                     output.startsWith("input: evdev"_L1),
                 qPrintable(output));
        QVERIFY2(output.contains("\nfrontmost application: wlr-foreign-toplevel-management: "
                                 "the activated window's app_id"_L1) &&
                     output.contains(u"single instance: session bus name org.quenby.Tockly, "
                                     "held by process %1"_s.arg(first.processId())),
                 qPrintable(output));
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
        QVERIFY(sway.swaymsg({"focus_on_window_activation", "urgent"}));
    }

    void withoutASessionBusTheRuntimeLockDecides()
    {
        QTemporaryDir home;
        const QString runtime = home.filePath(u"runtime"_s);
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        auto env = tocklyEnvironment(QProcessEnvironment::systemEnvironment(), home.path(),
                                     u"unix:path="_s + home.path() + u"/no-bus"_s);
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        ChildProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(TOCKLY_BINARY), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath(u"data/Quenby/tockly.lock"_s)), 15000);
        QVERIFY(QFile::exists(runtime + u"/tockly.lock"_s));

        QCOMPARE(runTockly(env, {}), 0);
        // Links have no way to the running process without a bus: say so, fail.
        QString output, errors;
        QCOMPARE(runTockly(env, {u"quenby://join/abc123"_s}, &output, &errors), 1);
        QVERIFY2((output + errors).contains("without a session bus"_L1),
                 qPrintable(output + errors));
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
    }

    // The backends `tockly doctor` finds under Xvfb (under sway: laterProcesses...()).
    void doctorUnderXvfb()
    {
        XvfbServer xvfb;
        QString error;
        QVERIFY2(xvfb.start(&error), qPrintable(error));
        QTemporaryDir home;
        QProcessEnvironment env = tocklyUnderSway(home);
        for (const char *name : {"WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"DISPLAY"_s, xvfb.display());
        env.insert(u"XDG_SESSION_TYPE"_s, u"x11"_s);
        QString out;
        QCOMPARE(runTockly(env, {u"doctor"_s}, &out), 0);
        // Where this machine's input devices are readable, evdev counts instead.
        QVERIFY2(out.startsWith("input: X11 XI2 raw events on :"_L1) ||
                     out.startsWith("input: evdev"_L1),
                 qPrintable(out));
        QVERIFY2(out.contains("\nfrontmost application: X11 _NET_ACTIVE_WINDOW and WM_CLASS"_L1),
                 qPrintable(out));
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
