// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The tray item, the update check and the status command on a private session bus: a fake
// StatusNotifierWatcher stands in for the panel, a fake notification service for the desktop's,
// and the real tockly binary runs against them end to end.
#include "AppShell.h"
#include "CardPanel.h"
#include "DBusMenu.h"
#include "StatusNotifierItem.h"
#include "StoreFixture.h"
#include "TestHttpServer.h"
#include "TocklyProcess.h"
#include "TrayItem.h"
#include "UpdateChecker.h"
#include "WindowSlots.h"
#include "linux/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString itemInterface = "org.kde.StatusNotifierItem";
const QString menuInterface = "com.canonical.dbusmenu";

// The panel's side: items register here, and their label signals arrive.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    QStringList registered, labels;
    QStringList items() const { return registered; }

public slots:
    void RegisterStatusNotifierItem(const QString &service) { registered << service; }

private slots:
    void label(const QString &text, const QString &) { labels << text; }
};

QDBusMessage call(QDBusConnection &bus, const QString &service, const QString &path,
                  const QString &interface, const QString &method, const QVariantList &args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
    m.setArguments(args);
    return bus.call(m, QDBus::BlockWithGui, 5000);
}

// The variant in a reply's first argument.
QVariant variant(const QDBusMessage &reply)
{
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QVariant itemProperty(QDBusConnection &bus, const QString &service, const QString &name)
{
    return variant(call(bus, service, StatusNotifierItem::objectPath,
                        "org.freedesktop.DBus.Properties", "Get", {itemInterface, name}));
}

void menuEvent(QDBusConnection &bus, const QString &service, int id)
{
    call(bus, service, StatusNotifierItem::menuPath, menuInterface, "Event",
         {id, "clicked", QVariant::fromValue(QDBusVariant(QString())), 0u});
}

// 1 checked, 0 not, -1 without an answer.
int toggleState(QDBusConnection &bus, const QString &service)
{
    const QVariant state = variant(call(bus, service, StatusNotifierItem::menuPath, menuInterface,
                                        "GetProperty", {int(DBusMenu::autoTrack), "toggle-state"}));
    return state.isValid() ? state.toInt() : -1;
}

// The desktop's notification service: remembers what it was asked to show.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList summaries;
    QList<QStringList> actions;

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
                const QStringList &actionList, const QVariantMap &, int)
    {
        summaries << summary;
        actions << actionList;
        return uint(summaries.size());
    }
    QStringList GetCapabilities() { return {"actions", "body"}; }
};

// One check by the running `version`: its log lines and the pages it opened.
struct Check {
    QStringList lines;
    QList<QUrl> opened;
    UpdateChecker checker;

    Check(const QString &feedUrl, const QString &version, QDBusConnection bus)
        : checker({feedUrl, version, std::move(bus), [this](const QString &line) { lines << line; },
                   [this](const QUrl &url) {
                       opened << url;
                       return true;
                   }})
    {
        QSignalSpy done(&checker, &UpdateChecker::checkFinished);
        checker.checkForUpdates();
        QVERIFY(done.size() == 1 || done.wait(10000));
    }
};

} // namespace

class PanelTest : public QObject {
    Q_OBJECT

    PrivateBus bus;
    QDBusConnection panel = QDBusConnection(QString());
    FakeWatcher watcher;
    FakeNotifications notifications;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(bus.start(PrivateBus::Kind::session, &error), qPrintable(error));
        panel = bus.connect("panel");
        QVERIFY(panel.registerObject("/StatusNotifierWatcher", &watcher,
                                     QDBusConnection::ExportAllContents));
        QVERIFY(panel.registerService(TrayItem::watcherService));
        QVERIFY(panel.registerObject("/org/freedesktop/Notifications", &notifications,
                                     QDBusConnection::ExportAllSlots));
        QVERIFY(panel.registerService("org.freedesktop.Notifications"));
    }

    // The update check against a local feed: what it logs, when it offers a release in a
    // desktop notification, and what the notification's action does.
    void updateCheck()
    {
        TestHttpServer server;
        QVERIFY(server.listen());
        // 1.10 is newer than 1.3; a version of fewer parts is the same version.
        server.setFallback(TestHttpServer::json(
            200, "<rss version=\"2.0\" xmlns:tockly=\"urn:tockly:appcast:1\"><channel><item>"
                 "<title>Tockly 1.10</title><tockly:version>1.10.0</tockly:version>"
                 "<tockly:displayVersion>1.10</tockly:displayVersion>"
                 "<link>https://example.org/tockly/1.10.0</link></item><item>"
                 "<tockly:version>1.3.0</tockly:version></item></channel></rss>"));
        const QString url = server.url("/appcast.xml").toString();
        const Check upToDate(url, "1.10", bus.connect("checker-1"));
        QCOMPARE(upToDate.lines.last(),
                 "[Quenby/Sparkle] up to date: Tockly 1.10 is the newest version.");
        // A feed over plain http is not read.
        const Check plain("http://example.org/appcast.xml", "1.2.0", bus.connect("checker-2"));
        QCOMPARE(plain.lines, QStringList{"[Quenby/Sparkle] aborted: the update feed must be "
                                          "https: http://example.org/appcast.xml"});
        Check check(url, "1.2.0", bus.connect("checker-3"));
        QCOMPARE(check.lines, (QStringList{"[Quenby/Sparkle] appcast loaded: 2 item(s)",
                                           "[Quenby/Sparkle] update available: 1.10 (1.10.0)"}));
        QTRY_COMPARE(notifications.summaries, QStringList{"Tockly 1.10 is available"});
        QVERIFY(notifications.actions.first().contains("download"));

        // Another notification's action is not ours.
        const auto invoke = [&](uint id) {
            QDBusMessage signal = QDBusMessage::createSignal(
                "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
            signal << id << "download";
            panel.send(signal);
        };
        invoke(99);
        QTest::qWait(100);
        QVERIFY(check.opened.isEmpty());
        invoke(1);
        QTRY_COMPARE(check.opened, QList<QUrl>{QUrl("https://example.org/tockly/1.10.0")});
        QCOMPARE(check.lines.last(), "[Quenby/Sparkle] installing 1.10");
    }

    void statusNotifierItem()
    {
        StoreFixture f;
        f.open();
        AppShell shell(*f.store, f.settings);
        QDBusConnection app = bus.connect("app");
        TrayItem tray(
            app, [this](const QString &name) { return bus.connect(name); }, *f.store);
        shell.attachTray(tray);
        QTRY_VERIFY(watcher.registered.contains(tray.serviceName()));
        const QString service = tray.serviceName();
        // A watcher that dropped the item while starting gets it again.
        watcher.registered.clear();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.registered, QStringList{service}, 5000);
        const auto icon = qdbus_cast<SniPixmaps>(itemProperty(panel, service, "IconPixmap"));
        QVERIFY(!icon.isEmpty());
        for (const SniPixmap &p : icon)
            QCOMPARE(p.pixels.size(), qsizetype(p.width) * p.height * 4);

        // The label follows the title, with its signal.
        QVERIFY(panel.connect(service, StatusNotifierItem::objectPath, itemInterface,
                              "XAyatanaNewLabel", &watcher, SLOT(label(QString, QString))));
        f.type(90);
        QTRY_COMPARE(watcher.labels.value(watcher.labels.size() - 1), "1m");
        QCOMPARE(itemProperty(panel, service, "XAyatanaLabel").toString(), "1m");
        // Not on the connection that holds the application's other names, where a host looking
        // for items on its own would find it under one of those and show it twice.
        QVERIFY(!itemProperty(panel, app.baseService(), "XAyatanaLabel").isValid());

        // A left click opens the card; the next one closes it.
        for (const bool open : {true, false}) {
            call(panel, service, StatusNotifierItem::objectPath, itemInterface, "Activate",
                 {100, 12});
            QTRY_COMPARE(shell.card().isShown(), open);
        }

        // The menu: Open, History…, Other computers…, Track automatically (checked), Quit
        // Tockly.
        const QDBusMessage layout = call(panel, service, StatusNotifierItem::menuPath,
                                         menuInterface, "GetLayout", {0, -1, QStringList()});
        QCOMPARE(layout.arguments().size(), 2);
        const auto root = qdbus_cast<DBusMenuLayoutItem>(layout.arguments().at(1));
        QStringList labels;
        for (const DBusMenuLayoutItem &child : root.children)
            labels << child.properties.value("label").toString();
        QCOMPARE(labels, (QStringList{"Open", "History…", "Other computers…", "",
                                      "Track automatically", "", "Quit Tockly"}));
        QCOMPARE(root.children[4].properties.value("toggle-type").toString(), "checkmark");
        // The check pauses and resumes the store (its state in the menu: below).
        menuEvent(panel, service, DBusMenu::autoTrack);
        QTRY_VERIFY(!f.store->autoTrackEnabled());
        menuEvent(panel, service, DBusMenu::autoTrack);
        QTRY_VERIFY(f.store->autoTrackEnabled());
        menuEvent(panel, service, DBusMenu::history);
        QTRY_VERIFY(shell.windows().historyWindow());
        menuEvent(panel, service, DBusMenu::otherComputers);
        QTRY_VERIFY(shell.windows().otherComputersWindow());
        menuEvent(panel, service, DBusMenu::open);
        QTRY_VERIFY(shell.card().isShown());

        // Without a watcher Qt's tray icon stands in; when it comes back, the item registers
        // again.
        QVERIFY(panel.unregisterService(TrayItem::watcherService));
        QTRY_COMPARE(tray.mode(), TrayItem::Mode::fallback);
        QVERIFY(tray.fallbackIcon() && tray.fallbackIcon()->isVisible());
        QCOMPARE(tray.fallbackIcon()->toolTip(), "1m");
        // Its menu has the same check, both ways.
        QAction *check = nullptr;
        for (QAction *a : tray.fallbackIcon()->contextMenu()->actions())
            if (a->text() == "Track automatically")
                check = a;
        QVERIFY(check && check->isChecked());
        check->trigger();
        QVERIFY(!f.store->autoTrackEnabled());
        QVERIFY(!app.interface()->isServiceRegistered(service).value());
        watcher.registered.clear();
        QVERIFY(panel.registerService(TrayItem::watcherService));
        QTRY_COMPARE(tray.mode(), TrayItem::Mode::statusNotifier);
        QTRY_COMPARE(watcher.registered, QStringList{service});
        QVERIFY(!tray.fallbackIcon());
    }

    // The real application: it serves the bus, registers its item with the panel, checks the
    // feed once a second after start when asked to, tells `tockly status` each change, and quits
    // from its menu.
    void theApplicationEndToEnd()
    {
        QTemporaryDir dir;
        TestHttpServer feed;
        QVERIFY(feed.listen());
        feed.setFallback(TestHttpServer::json(
            200, "<rss version=\"2.0\" xmlns:tockly=\"urn:tockly:appcast:1\"><channel><item>"
                 "<tockly:version>0.0.9</tockly:version></item></channel></rss>"));
        watcher.registered.clear();
        QProcessEnvironment env =
            tocklyEnvironment(QProcessEnvironment::systemEnvironment(), dir.path(), bus.address());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.insert("QUENBY_DATA_DIR", dir.filePath("quenby"));
        env.insert("QUENBY_UPDATE_FEED", feed.url("/appcast.xml").toString());
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        QProcess app;
        QVERIFY(startTockly(app, env, panel, {"-quenbyCheckUpdates"}));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.registered.size(), 1, 10000);
        const QString service = watcher.registered.first();
        QCOMPARE(itemProperty(panel, service, "XAyatanaLabel").toString(), "0m");

        QTRY_COMPARE_WITH_TIMEOUT(feed.requests().size(), 1, 5000);
        QCOMPARE(feed.requests().first().target, QByteArray("/appcast.xml"));
        QTest::qWait(1500);
        QCOMPARE(feed.requests().size(), 1);

        QString out, err;
        QCOMPARE(runTockly(env, {"status", "--json"}, &out), 0);
        const QJsonObject shown = QJsonDocument::fromJson(out.toUtf8()).object();
        QCOMPARE(shown.value("text").toString(), "0m");
        QCOMPARE(shown.value("class").toString(), "paused");
        QCOMPARE(shown.value("autoTrackEnabled").toBool(), true);

        // --follow prints each change, and an empty text once Tockly is gone.
        QProcess follow;
        follow.setProcessEnvironment(env);
        follow.start(TOCKLY_BINARY, {"status", "--follow", "--json"});
        QList<QJsonObject> lines;
        const auto readLines = [&] {
            while (follow.canReadLine())
                lines << QJsonDocument::fromJson(follow.readLine()).object();
            return lines.size();
        };
        QTRY_COMPARE_WITH_TIMEOUT(readLines(), 1, 15000);

        // Pausing from the command line and the bus: each reaches the store, and the store's
        // state comes back on the bus, in the menu and in `tockly status`.
        QCOMPARE(runTockly(env, {"pause"}, &out), 0);
        QCOMPARE(out.trimmed(), "0m · Auto-tracking is off");
        QCOMPARE(tocklyProperty(panel, "AutoTrackEnabled"), QVariant(false));
        // In another language the JSON and the bus keep the store's words; the text is German.
        QProcessEnvironment german = env;
        german.remove("LC_ALL");
        german.insert("LANG", "de_DE.UTF-8");
        QString json, germanJson;
        QCOMPARE(runTockly(env, {"status", "--json"}, &json), 0);
        QCOMPARE(runTockly(german, {"status", "--json"}, &germanJson), 0);
        QCOMPARE(germanJson, json);
        QCOMPARE(runTockly(german, {"status"}, &out), 0);
        QCOMPARE(out.trimmed(), "0m · Auto-Erfassung ist aus");
        QCOMPARE(toggleState(panel, service), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            readLines() >= 2 && !lines.last().value("autoTrackEnabled").toBool(true), 5000);
        QCOMPARE(lines.last().value("tooltip").toString(), "Auto-tracking is off");
        call(panel, SingleInstance::serviceName, SingleInstance::objectPath,
             SingleInstance::interfaceName, "SetAutoTrackEnabled", {true});
        QCOMPARE(tocklyProperty(panel, "AutoTrackEnabled"), QVariant(true));
        QCOMPARE(toggleState(panel, service), 1);

        menuEvent(panel, service, DBusMenu::quit);
        QSignalSpy finished(&app, &QProcess::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(readLines() >= 3 && !lines.last().value("running").toBool(true),
                                 5000);
        QCOMPARE(lines.last().value("text").toString(), QString());
        stopProcess(follow);
        for (const char *command : {"status", "pause"}) {
            QCOMPARE(runTockly(env, {command}, nullptr, &err), 1);
            QCOMPARE(err.trimmed(), "tockly: not running");
        }
    }
};

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
