#include "DayActivity.h"
#include "FrontmostText.h"
#include "HeadlessGnomeShell.h"
#include "TocklyProcess.h"
#include "linux/GnomeShellExtension.h"
#include "linux/GnomeShellFrontmostApplication.h"
#include "linux/IdleOnlyInputSource.h"

#include <QDBusMessage>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString extension = GnomeShellExtension::uuid;
const QString appIndicator = u"ubuntu-appindicators@ubuntu.com"_s;
constexpr uint label = 29, menu = 33, button = 43;
// The test windows' titles: nothing of ours may ever carry them.
const QStringList titles{u"secret notes"_s, u"secret diary"_s, u"secret plans"_s};

} // namespace

// Tockly under a real GNOME Shell 43 with its extension: the application in front, the top-bar
// item as a screen reader finds it (beside the AppIndicator extension too), the offer to enable
// the extension, and `tockly doctor` before and after.
class TestGnome : public QObject {
    Q_OBJECT

    HeadlessGnomeShell shell;
    ChildProcess monitor; // everything said on the session bus, for the privacy check
    ChildProcess tockly;
    int runs = 0;

    // Each run records from an empty data folder, so its title stays "0m" for a minute.
    QString dataFolder() const { return shell.home() + u"/run%1"_s.arg(runs); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = shell.clientEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        env.insert(u"QT_QUICK_BACKEND"_s, u"software"_s);
        env.insert(u"QUENBY_DEMO_ACTIVE"_s, QString());
        env.insert(u"QUENBY_DATA_DIR"_s, dataFolder());
        return env;
    }

    QString run(const QString &command) const
    {
        QString out;
        runTockly(environment(), {command}, &out);
        return out.trimmed();
    }

    // A first start as far as the extension is concerned, past the welcome.
    void startTockly(bool fresh = false)
    {
        stopProcess(tockly);
        const QString config = shell.home() + u"/config"_s;
        if (fresh || !QFile::exists(config + u"/Quenby/settings.json"_s))
            QVERIFY(skipWelcome(config));
        ++runs;
        QVERIFY(::startTockly(tockly, environment(), shell.bus()));
    }

    // Shown objects of that role whose name matches.
    int shown(uint role, const QRegularExpression &name) const
    {
        const auto all = shell.accessibles();
        return int(std::count_if(all.cbegin(), all.cend(), [&](const auto &a) {
            return a.role == role && name.match(a.name).hasMatch();
        }));
    }
    int shown(uint role, const QString &name) const
    {
        return shown(role, QRegularExpression(u'^' + QRegularExpression::escape(name) + u'$'));
    }
    // Tockly's items in the top bar: ours, named Tockly, and the AppIndicator extension's, named
    // after the title ("0m", "45s", "2h 5m").
    int items() const { return shown(menu, QRegularExpression(u"^(Tockly|(\\d+h )?\\d+[sm])$"_s)); }
    int ours() const { return shown(menu, u"Tockly"_s); }
    // The title `tockly status` prints shows in the top bar, once. It changes with each tick in
    // the first minute, so it is read before and after looking.
    bool titleShown() const
    {
        const auto title = [this] { return run(u"status"_s).section(u" · "_s, 0, 0); };
        const int before = shown(label, title());
        return before == 1 || (before == 0 && shown(label, title()) == 1);
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(shell.start({extension},
                             {{u"org.quenby.TestPad"_s, u"Test Pad"_s},
                              {u"org.quenby.TestDiary"_s, u"Test Diary"_s}},
                             &error),
                 qPrintable(error));
        QTRY_COMPARE_WITH_TIMEOUT(shell.extensionState(extension), 1, 20000);
        monitor.setProcessEnvironment(shell.clientEnvironment());
        monitor.setStandardOutputFile(shell.home() + u"/bus.log"_s);
        monitor.start(u"dbus-monitor"_s, {u"--session"_s});
    }

    // What went over the session bus, the test's own questions to the Shell aside, never
    // carried a window's title.
    void cleanupTestCase()
    {
        stopProcess(tockly);
        stopProcess(monitor);
        QFile log(shell.home() + u"/bus.log"_s);
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString test = shell.bus().baseService();
        const QRegularExpression start(u"\\n(?=(signal|method call|method return|error) )"_s);
        QString said;
        for (const QString &message : QString::fromUtf8(log.readAll()).split(start)) {
            const QString header = message.section(u'\n', 0, 0);
            if (!header.contains(u"sender="_s + test + u' ') &&
                !header.contains(u"destination="_s + test + u' '))
                said += message;
        }
        QVERIFY(said.contains(u"FocusedAppChanged"_s));
        for (const QString &t : titles)
            QVERIFY2(!said.contains(t), qPrintable(t));
    }

    // Named by the .desktop file, or by the app id without one; nobody but the enabled extension
    // may tell. Mutter's idle time, as the clock reads it on GNOME under Wayland: gone with a
    // move of the pointer, growing after it; it counts nothing.
    void focusedApplicationAndIdle()
    {
        GnomeShellFrontmostApplication front(shell.bus());
        QString error;
        QVERIFY2(shell.openWindow(u"org.quenby.TestPad"_s, titles[0], &error), qPrintable(error));
        QTRY_COMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);
        QVERIFY2(shell.openWindow(u"plain-tool"_s, titles[2], &error), qPrintable(error));
        QTRY_COMPARE(frontmost(front), u"plain-tool/plain-tool"_s);

        QVERIFY(shell.setExtensionEnabled(extension, false));
        QTRY_COMPARE(frontmost(front), u"none"_s);
        QVERIFY(shell.bus().registerService(GnomeShellExtension::serviceName));
        QVERIFY(shell.bus().send(QDBusMessage::createSignal(GnomeShellExtension::objectPath,
                                                            GnomeShellExtension::interfaceName,
                                                            u"FocusedAppChanged"_s)
                                 << u"org.example.Game"_s << u"Game"_s));
        QTest::qWait(500);
        QCOMPARE(frontmost(front), u"none"_s);
        QVERIFY(shell.bus().unregisterService(GnomeShellExtension::serviceName));
        QVERIFY(shell.setExtensionEnabled(extension, true));
        QTRY_COMPARE(frontmost(front), u"plain-tool/plain-tool"_s);
        shell.closeWindow(u"plain-tool"_s);
        QTRY_COMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);

        IdleOnlyInputSource idle(shell.bus());
        QCOMPARE(idle.provider(), IdleOnlyInputSource::Provider::mutterIdleMonitor);
        QTest::qWait(2500);
        shell.nudgePointer();
        QTRY_VERIFY(idle.secondsSinceLastEvent(InputEvent::mouseMoved) < 1.5);
        QTRY_VERIFY_WITH_TIMEOUT(idle.secondsSinceLastEvent(InputEvent::keyDown) >= 2.5, 8000);
        QCOMPARE(idle.eventCounter(InputEvent::keyDown), 0u);
    }

    // Mutter's idle time while an idle inhibitor is held, as a film or a call holds one through
    // the session manager: it goes on growing, input still ends it, and the Shell setting it
    // back when the inhibitor lets go is no input.
    void idleTimeIgnoresInhibitors()
    {
        // The session manager with a session of nothing, and its own tool holding the inhibitor.
        const QString data = shell.home() + u"/session"_s;
        QVERIFY(writeFile(data + u"/gnome-session/sessions/tockly-test.session"_s,
                          "[GNOME Session]\nName=Tockly test\nRequiredComponents=\n"));
        QProcessEnvironment env = shell.clientEnvironment();
        env.insert(u"XDG_DATA_DIRS"_s, data + u":/usr/share"_s);
        ChildProcess session, inhibitor;
        for (QProcess *p : {&session, &inhibitor}) {
            p->setProcessEnvironment(env);
            p->setStandardOutputFile(QProcess::nullDevice());
            p->setStandardErrorFile(QProcess::nullDevice());
        }
        session.start(u"gnome-session"_s,
                      {u"--builtin"_s, u"--session=tockly-test"_s,
                       u"--disable-acceleration-check"_s, u"--autostart="_s + data});
        const QString manager = u"org.gnome.SessionManager"_s;
        const auto inhibited = [&] {
            return busProperty(shell.bus(), manager, u"/org/gnome/SessionManager"_s, manager,
                               u"InhibitedActions"_s)
                       .toUInt() &
                   8;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shell.bus().interface()->isServiceRegistered(manager), 20000);
        IdleOnlyInputSource idle(shell.bus());
        const auto since = [&] { return idle.secondsSinceLastEvent(InputEvent::keyDown); };
        inhibitor.start(u"gnome-session-inhibit"_s,
                        {u"--inhibit"_s, u"idle"_s, u"--inhibit-only"_s, u"--reason"_s, u"film"_s});
        QTRY_COMPARE(inhibited(), 8u);
        QTRY_VERIFY_WITH_TIMEOUT(since() >= 2.5, 8000);
        shell.nudgePointer();
        QTRY_VERIFY(since() < 1.5);
        QTRY_VERIFY_WITH_TIMEOUT(since() >= 2.5, 8000);
        stopProcess(inhibitor);
        QTRY_COMPARE(inhibited(), 0u);
        QTest::qWait(500);
        QVERIFY2(since() >= 2.5, qPrintable(QString::number(since())));
    }

    // Test Pad in front, then Test Diary, then Test Pad again, a few ticks each.
    void countsTimePerApplication()
    {
        startTockly(true);
        QTRY_COMPARE_WITH_TIMEOUT(ours(), 1, 10000);
        QTest::qWait(7000);
        QString error;
        QVERIFY2(shell.openWindow(u"org.quenby.TestDiary"_s, titles[1], &error), qPrintable(error));
        QTest::qWait(7000);
        shell.closeWindow(u"org.quenby.TestDiary"_s);
        QTest::qWait(7000);
        tockly.terminate(); // writes the day's activity on the way out
        QVERIFY(tockly.waitForFinished(10000));
        QFile file(dataFolder() + u"/Quenby/activity.json"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto days = decodeActivity(file.readAll());
        QVERIFY(days && days->size() == 1);
        const DayActivity day = days->first();
        QCOMPARE(day.appSeconds.keys(), QStringList({u"Test Diary"_s, u"Test Pad"_s}));
        QVERIFY(day.appSeconds.value(u"Test Diary"_s) >= 4);
        QVERIFY(day.appSeconds.value(u"Test Pad"_s) >= 8);
        QCOMPARE(day.appSwitches, 2);
    }

    // Clicked as a user clicks it, beside the AppIndicator extension: one item all along.
    void topBarItem()
    {
        QVERIFY(shell.setExtensionEnabled(appIndicator, true));
        QTRY_VERIFY(
            shell.bus().interface()->isServiceRegistered(u"org.kde.StatusNotifierWatcher"_s));
        startTockly();
        QTRY_COMPARE(ours(), 1);
        QTest::qWait(2000); // time for a second item to turn up
        QTRY_COMPARE(items(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(titleShown(), 15000);

        // A left click toggles the card.
        QVERIFY(shell.click(u"Tockly"_s, menu));
        QTRY_VERIFY(shell.windows().contains(u"tockly"_s));
        QVERIFY(shell.click(u"Tockly"_s, menu));
        QTRY_VERIFY(!shell.windows().contains(u"tockly"_s));

        // Without ours, Tockly's tray item is back, through the AppIndicator extension.
        QVERIFY(shell.setExtensionEnabled(extension, false));
        QTRY_COMPARE(ours(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(items(), 1, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(titleShown(), 15000);
        // Back on, the Shell shows our item once it has read Tockly's title over the bus, which
        // takes a few seconds on a loaded machine.
        QVERIFY(shell.setExtensionEnabled(extension, true));
        QTRY_COMPARE_WITH_TIMEOUT(items(), 1, 15000);
        QTRY_COMPARE(ours(), 1);

        // The menu of the right button quits.
        QVERIFY(shell.click(u"Tockly"_s, menu, true));
        bool clicked = false; // the condition of QTRY_VERIFY is evaluated once more at the end
        QTRY_VERIFY(clicked || (clicked = shell.click(u"Quit Tockly"_s, label)));
        QVERIFY(tockly.waitForFinished(10000));
        QTRY_COMPARE(items(), 0);
        QVERIFY(shell.setExtensionEnabled(appIndicator, false));
    }

    void offerAndDoctor()
    {
        QVERIFY(shell.setExtensionEnabled(extension, false));
        QTRY_COMPARE(shell.extensionState(extension), 2);
        const QString before = run(u"doctor"_s);
        QVERIFY2(before.contains(QStringLiteral("installed but not enabled; enable it with: "
                                                "gnome-extensions enable tockly@quenby.org")),
                 qPrintable(before));

        // The one click, on the notification's button, which shows when the pointer is over it.
        const QString offer = u"Show Tockly in the top bar?"_s;
        startTockly(true);
        QTRY_VERIFY_WITH_TIMEOUT(shell.pointAt(offer, label), 15000);
        bool clicked = false; // the condition of QTRY_VERIFY is evaluated once more at the end
        QTRY_VERIFY(clicked || (clicked = shell.click(u"Enable"_s, button)));
        QTRY_COMPARE(shell.extensionState(extension), 1);
        QTRY_COMPARE(ours(), 1);
        const QString after = run(u"doctor"_s);
        QVERIFY2(after.contains(QStringLiteral("frontmost application: the GNOME Shell "
                                               "extension ")) &&
                     after.contains(u"panel item: GNOME's top bar"_s),
                 qPrintable(after));

        // Offered once: not again at the next start, also when it was declined.
        stopProcess(tockly);
        QVERIFY(shell.setExtensionEnabled(extension, false));
        startTockly();
        QTest::qWait(4000);
        QCOMPARE(shown(label, offer), 0);
        stopProcess(tockly);
        QVERIFY(shell.setExtensionEnabled(extension, true));
    }

    // A link handed over by a later process opens Tockly's window; with the token that the
    // later process's launcher got for a click it comes to the front, here in DESKTOP_STARTUP_ID
    // alone, as launchers built on GLib before 2.76 (GNOME 43's own) pass it. The Shell gives new
    // windows no focus of their own ("strict"): GNOME 48 follows that (43 still focuses every new
    // window), so only an activation with a valid token brings Tockly's window forward there.
    void laterProcessRaisesTheWindowWithTheLaunchersToken()
    {
        const auto focusNewWindows = [&](const QString &mode) {
            QProcess gsettings;
            gsettings.setProcessEnvironment(shell.clientEnvironment());
            gsettings.start(u"gsettings"_s, {u"set"_s, u"org.gnome.desktop.wm.preferences"_s,
                                             u"focus-new-windows"_s, mode});
            return gsettings.waitForFinished() && gsettings.exitCode() == 0;
        };
        startTockly();
        GnomeShellFrontmostApplication front(shell.bus());
        QString error;
        QVERIFY2(shell.openWindow(u"org.quenby.TestPad"_s, titles[0], &error), qPrintable(error));
        QTRY_COMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);
        // Strict for Tockly's window alone: GNOME 48 leaves any new window behind, the test's too.
        QVERIFY(focusNewWindows(u"strict"_s));
        QCOMPARE(runTockly(environment(), {u"quenby://join/abc123"_s}), 0);
        QTRY_VERIFY(shell.windows().contains(u"tockly"_s));
        QTest::qWait(1000);
        if (busProperty(shell.bus(), u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
                        u"org.gnome.Shell"_s, u"ShellVersion"_s)
                .toString()
                .section(u'.', 0, 0)
                .toInt() >= 48)
            QCOMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);
        QVERIFY(focusNewWindows(u"smart"_s));

        const QString token = shell.launcherToken(u"tockly"_s, &error);
        QVERIFY2(!token.isEmpty(), qPrintable(error));
        QTRY_COMPARE(frontmost(front), u"launcher/launcher"_s);
        QProcessEnvironment later = environment();
        later.insert(u"DESKTOP_STARTUP_ID"_s, token);
        QCOMPARE(runTockly(later, {u"quenby://join/zz9zz9"_s}), 0);
        QTRY_COMPARE_WITH_TIMEOUT(frontmost(front), u"tockly/tockly"_s, 10000);
        shell.closeWindow(u"launcher"_s);
        shell.closeWindow(u"org.quenby.TestPad"_s);
        stopProcess(tockly);
    }
};

QTEST_GUILESS_MAIN(TestGnome)
#include "tst_gnome.moc"
