// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DayActivity.h"
#include "FrontmostText.h"
#include "HeadlessGnomeShell.h"
#include "PrivateLocale.h"
#include "TocklyProcess.h"
#include "linux/GnomeShellExtension.h"
#include "linux/GnomeShellFrontmostApplication.h"
#include "linux/IdleOnlyInputSource.h"

#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString extension = GnomeShellExtension::uuid;
const QString appIndicator = u"ubuntu-appindicators@ubuntu.com"_s;
constexpr uint label = 29, menu = 33, button = 43, menuItem = 35, checkMenuItem = 8;
// The test windows' titles: nothing of ours may ever carry them.
const QStringList titles{u"secret notes"_s, u"secret diary"_s, u"secret plans"_s};

// msgid → msgstr of the extension's catalogue for `language` (its entries are one line each).
QMap<QString, QString> extensionCatalogue(const QString &language)
{
    static const QRegularExpression entry(u"^msgid \"(.+)\"\nmsgstr \"(.*)\"$"_s,
                                          QRegularExpression::MultilineOption);
    QMap<QString, QString> texts;
    for (const QRegularExpressionMatch &m : entry.globalMatch(QString::fromUtf8(
             readFile(QStringLiteral(TOCKLY_EXTENSION_PO_DIR) + u'/' + language + u".po"_s))))
        texts.insert(m.captured(1), m.captured(2));
    return texts;
}

// The entries of our item's menu as `session` shows them, sorted, the right button opening it;
// empty (and what was shown instead, as warnings) when it did not open.
QStringList menuEntries(HeadlessGnomeShell &session)
{
    QStringList entries;
    // An entry is named by its label (beside it, a blank one for the ornament).
    const auto read = [&] {
        const auto shown = session.accessibles();
        QStringList items;
        for (const auto &a : shown)
            if (a.role == menuItem || a.role == checkMenuItem)
                items << a.path;
        entries.clear();
        for (const auto &a : shown)
            if (a.role == label && items.contains(a.parent) && !a.name.trimmed().isEmpty())
                entries << a.name;
        return !entries.isEmpty();
    };
    if (QTest::qWaitFor([&] { return session.click(u"Tockly"_s, menu, true); }, 20000) &&
        QTest::qWaitFor(read, 10000)) {
        entries.sort();
        return entries;
    }
    for (const auto &a : session.accessibles())
        if (!a.name.isEmpty())
            qWarning() << "shown instead:" << a.role << a.name;
    return {};
}

} // namespace

// Tockly under a real GNOME Shell 43 with its extension: the application in front, the top-bar
// item as a screen reader finds it (beside the AppIndicator extension too), its card and its menu
// in the session's language, the offer to enable the extension, and `tockly doctor` before and
// after. Installed as the package installs it, or run from the build tree; the machine's own
// applications are out of the Shell's sight.
class TestGnome : public QObject {
    Q_OBJECT

    const bool packaged; // laid out as Tockly's package lays it out, or as run from the build
    HeadlessGnomeShell shell;
    ChildProcess monitor; // everything said on the session bus, for the privacy check
    ChildProcess tockly;
    int runs = 0;

    // Each run records from an empty data folder, so its title stays "0m" for a minute.
    QString dataFolder(const HeadlessGnomeShell &session) const
    {
        return session.home() + u"/run%1"_s.arg(runs);
    }
    QString dataFolder() const { return dataFolder(shell); }

    // A Tockly's in `session`, by default the test's Shell.
    QProcessEnvironment environment(const HeadlessGnomeShell &session) const
    {
        QProcessEnvironment env = session.clientEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        env.insert(u"QT_QUICK_BACKEND"_s, u"software"_s);
        env.insert(u"QUENBY_DEMO_ACTIVE"_s, QString());
        env.insert(u"QUENBY_DATA_DIR"_s, dataFolder(session));
        return env;
    }
    QProcessEnvironment environment() const { return environment(shell); }

    QString run(const QString &command) const
    {
        QString out;
        runTockly(environment(), {command}, &out);
        return out.trimmed();
    }

    // A first start as far as the extension is concerned, past the welcome.
    void startTockly(const HeadlessGnomeShell &session, bool fresh = false)
    {
        stopProcess(tockly);
        const QString config = session.home() + u"/config"_s;
        if (fresh || !QFile::exists(config + u"/Quenby/settings.json"_s))
            QVERIFY(skipWelcome(config));
        ++runs;
        QVERIFY(::startTockly(tockly, environment(session), session.bus()));
    }
    void startTockly(bool fresh = false) { startTockly(shell, fresh); }

    // What gsettings prints in the Shell's session; none when it failed.
    std::optional<QString> gsettings(const QStringList &arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(shell.clientEnvironment());
        p.start(u"gsettings"_s, arguments);
        if (!p.waitForFinished() || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return std::nullopt;
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
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
    bool cardShown() const { return shell.windows().contains(u"tockly"_s); }
    // The title `tockly status` prints shows in the top bar, once. It changes with each tick in
    // the first minute, so it is read before and after looking.
    bool titleShown() const
    {
        const auto title = [this] { return run(u"status"_s).section(u" · "_s, 0, 0); };
        const int before = shown(label, title());
        return before == 1 || (before == 0 && shown(label, title()) == 1);
    }

    // Where a screenshot finds the card: its cream background (none when it is not shown). The
    // screenshot stays in the build's screenshots folder.
    QRect cardOnScreen(const QString &name) const
    {
        const QString file = QStringLiteral(TOCKLY_SCREENSHOT_DIR) +
                             (packaged ? u"/gnome-package-card-"_s : u"/gnome-build-card-"_s) +
                             name + u".png"_s;
        if (!QDir().mkpath(QFileInfo(file).path()) || !shell.screenshot(file))
            return {};
        const QImage image(file);
        const auto cream = [](QRgb c) {
            return qAbs(qRed(c) - 255) + qAbs(qGreen(c) - 247) + qAbs(qBlue(c) - 235) <= 3;
        };
        QRect card;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (cream(image.pixel(x, y)))
                    card |= QRect(x, y, 1, 1);
        return card;
    }

public:
    explicit TestGnome(bool packaged) : packaged(packaged) {}

private slots:
    void initTestCase()
    {
        if (packaged) {
            // What the package holds, laid out by the same install rules in a folder of ours.
            const QString prefix = shell.home() + u"/usr"_s;
            ChildProcess install;
            install.setStandardOutputFile(QProcess::nullDevice());
            install.start(QStringLiteral(TOCKLY_CMAKE),
                          {u"--install"_s, QStringLiteral(TOCKLY_BUILD_DIR), u"--component"_s,
                           u"app"_s, u"--prefix"_s, prefix});
            QVERIFY(install.waitForFinished(60000) && install.exitCode() == 0);
            shell.setPackagePrefix(prefix);
        }
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
        const QString test = shell.bus().baseService();
        const QRegularExpression start(u"\\n(?=(signal|method call|method return|error) )"_s);
        QString said;
        for (const QString &message :
             QString::fromUtf8(readFile(shell.home() + u"/bus.log"_s)).split(start)) {
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
        QVERIFY(shell.openWindow(u"org.quenby.TestPad"_s, titles[0]));
        QTRY_COMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);
        QVERIFY(shell.openWindow(u"plain-tool"_s, titles[2]));
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

    // Test Pad in front, then Test Diary, then Test Pad again, a few ticks each.
    void countsTimePerApplication()
    {
        startTockly(true);
        QTRY_COMPARE_WITH_TIMEOUT(ours(), 1, 10000);
        QTest::qWait(7000);
        QVERIFY(shell.openWindow(u"org.quenby.TestDiary"_s, titles[1]));
        QTest::qWait(7000);
        shell.closeWindow(u"org.quenby.TestDiary"_s);
        QTest::qWait(7000);
        tockly.terminate(); // writes the day's activity on the way out
        QVERIFY(tockly.waitForFinished(10000));
        const auto days = decodeActivity(readFile(dataFolder() + u"/Quenby/activity.json"_s));
        QVERIFY(days && days->size() == 1);
        const DayActivity day = days->first();
        QCOMPARE(day.appSeconds.keys(), QStringList({u"Test Diary"_s, u"Test Pad"_s}));
        QVERIFY(day.appSeconds.value(u"Test Diary"_s) >= 4);
        QVERIFY(day.appSeconds.value(u"Test Pad"_s) >= 8);
        QCOMPARE(day.appSwitches, 2);
    }

    // Clicked as a user clicks it, beside the AppIndicator extension: one item all along. The card
    // opens under it, is left out of the window switcher, and closes at the next click. The item
    // is clicked where it was found: while the card has the focus, the Shell's application menu
    // is called "Tockly" too (with the desktop entry installed).
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

        QRect itemBox;
        QTRY_VERIFY(!(itemBox = shell.extents(u"Tockly"_s, menu)).isEmpty());
        const QPoint item = itemBox.center();
        shell.click(item);
        QTRY_VERIFY(cardShown());
        // Right under the item, whole on the screen (330 wide).
        QRect card;
        QTRY_VERIFY((card = cardOnScreen(u"open"_s)).top() == itemBox.bottom() + 1);
        QVERIFY2(
            card.left() <= item.x() && item.x() <= card.right() && card.width() == 330,
            qPrintable(
                u"card %1 to %2, item at %3"_s.arg(card.left()).arg(card.right()).arg(item.x())));
        shell.click(item);
        QTRY_VERIFY(!cardShown());
        QTRY_VERIFY(cardOnScreen(u"closed"_s).isEmpty());

        // Test Pad, and nothing of Tockly's, in the switcher of Alt+Tab. Tockly is held still
        // meanwhile, or the card would close as the switcher takes the focus, and with it
        // Tockly's entry.
        shell.click(item);
        QTRY_COMPARE(shell.windows(true), QStringList{u"tockly"_s});
        ::kill(pid_t(tockly.processId()), SIGSTOP);
        constexpr int alt = 56, tab = 15; // evdev key codes
        shell.key(alt, true);
        shell.key(tab, true);
        shell.key(tab, false);
        const auto switcher = [&] { // its applications' labels, below the top bar
            QStringList names;
            for (const auto &a : shell.accessibles())
                if (a.role == label && shell.extents(a).top() > itemBox.bottom())
                    names << a.name;
            return names;
        };
        QStringList listed;
        QTRY_VERIFY((listed = switcher()).contains(u"Test Pad"_s));
        shell.key(alt, false);
        ::kill(pid_t(tockly.processId()), SIGCONT);
        QVERIFY2(!listed.contains(u"Tockly"_s, Qt::CaseInsensitive),
                 qPrintable(listed.join(u", ")));
        QTRY_VERIFY(switcher().isEmpty());
        shell.click(item);
        QTRY_VERIFY(!cardShown());

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

    // The item's menu in the session's language: the English texts in this session, the German
    // catalogue's in a German one (a Shell of its own, in a locale made for it), entry for
    // entry. So a catalogue the Shell does not load, or a text missing from it, fails here.
    void menuInTheSessionsLanguage()
    {
        // The catalogue is the same in both layouts; a second Shell once is enough.
        if (!packaged)
            QSKIP("checked in the package's layout");
        const QMap<QString, QString> german = extensionCatalogue(u"de"_s);
        QVERIFY(german.contains(u"Quit Tockly"_s));
        startTockly();
        QCOMPARE(menuEntries(shell).join(u" | "), german.keys().join(u" | "));
        stopProcess(tockly);

        PrivateLocale locale;
        QString error;
        QVERIFY2(locale.make(u"de_DE.UTF-8"_s, &error), qPrintable(error));
        HeadlessGnomeShell de;
        de.setLocale(locale);
        de.setPackagePrefix(shell.home() + u"/usr"_s);
        QVERIFY2(de.start({extension}, {}, &error), qPrintable(error));
        QTRY_COMPARE_WITH_TIMEOUT(de.extensionState(extension), 1, 20000);
        startTockly(de, true);
        QStringList translated = german.values();
        translated.sort();
        QCOMPARE(menuEntries(de).join(u" | "), translated.join(u" | "));
        stopProcess(tockly);
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
        // With the desktop entry the Shell files it under the application.
        if (packaged)
            QCOMPARE(gsettings({u"get"_s, u"org.gnome.desktop.notifications"_s,
                                u"application-children"_s})
                         .value_or(QString()),
                     u"['tockly']"_s);
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
            return gsettings({u"set"_s, u"org.gnome.desktop.wm.preferences"_s,
                              u"focus-new-windows"_s, mode})
                .has_value();
        };
        startTockly();
        GnomeShellFrontmostApplication front(shell.bus());
        QString error;
        QVERIFY(shell.openWindow(u"org.quenby.TestPad"_s, titles[0]));
        QTRY_COMPARE(frontmost(front), u"org.quenby.TestPad/Test Pad"_s);
        // Strict for Tockly's window alone: GNOME 48 leaves any new window behind, the test's too.
        QVERIFY(focusNewWindows(u"strict"_s));
        QString errors;
        QVERIFY2(runTockly(environment(), {u"quenby://join/abc123"_s}, nullptr, &errors) == 0,
                 qPrintable(errors));
        // Tockly's first window of this run loads its QML now, which takes seconds on a busy
        // machine.
        QTRY_VERIFY_WITH_TIMEOUT(shell.windows().contains(u"tockly"_s), 20000);
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
        // Named by its desktop entry when there is one.
        QTRY_COMPARE_WITH_TIMEOUT(frontmost(front),
                                  packaged ? u"tockly/Tockly"_s : u"tockly/tockly"_s, 10000);
        shell.closeWindow(u"launcher"_s);
        shell.closeWindow(u"org.quenby.TestPad"_s);
        stopProcess(tockly);
    }

    // Mutter's idle time while an idle inhibitor is held, as a film or a call holds one through
    // the session manager: it goes on growing, input still ends it, and the Shell setting it
    // back when the inhibitor lets go is no input. Last, since the session manager, once it has
    // been on the bus, leaves the Shell in a state the other tests do not expect.
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
        const QStringList arguments = {u"--session=tockly-test"_s,
                                       u"--disable-acceleration-check"_s, u"--autostart="_s + data};
        session.start(u"gnome-session"_s, QStringList{u"--builtin"_s} + arguments);
        const QString manager = u"org.gnome.SessionManager"_s;
        const auto inhibited = [&] {
            return busProperty(shell.bus(), manager, u"/org/gnome/SessionManager"_s, manager,
                               u"InhibitedActions"_s)
                       .toUInt() &
                   8;
        };
        const auto managerUp = [&] {
            return shell.bus().interface()->isServiceRegistered(manager);
        };
        QTRY_VERIFY_WITH_TIMEOUT(managerUp() || session.state() == QProcess::NotRunning, 20000);
        if (!managerUp()) {
            // GNOME 47 and later have no --builtin: the manager runs as the user's systemd
            // service starts it, and nothing of the session it would start is needed here.
            session.start(u"/usr/libexec/gnome-session-binary"_s,
                          QStringList{u"--systemd-service"_s} + arguments);
            QTRY_VERIFY_WITH_TIMEOUT(managerUp() || session.state() == QProcess::NotRunning, 20000);
        }
        if (!managerUp())
            QSKIP("this gnome-session starts only under systemd's user manager");
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
};

// With --build-tree, Tockly as run from the build tree: no desktop entry, the extension
// installed for the user.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    TestGnome test(!arguments.removeAll(u"--build-tree"_s));
    return QTest::qExec(&test, arguments);
}
#include "tst_gnome.moc"
