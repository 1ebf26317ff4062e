// The tray item and the status command on a private session bus: a fake StatusNotifierWatcher
// stands in for the panel, and the real tockly binary runs against it end to end.
#include "DBusMenu.h"
#include "DesktopTestEnvironment.h"
#include "StatusNotifierItem.h"
#include "TestHttpServer.h"
#include "TrayItem.h"
#include "UiFixture.h"
#include "linux/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>

namespace {

// The panel's side: items register here.
class FakeWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    QStringList registered;
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return registered; }

public slots:
    void RegisterStatusNotifierItem(const QString &service) { registered << service; }
    void RegisterStatusNotifierHost(const QString &) {}
};

// Receives the item's label signals.
class Listener : public QObject {
    Q_OBJECT
public:
    QStringList labels;
public slots:
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
                        "org.freedesktop.DBus.Properties", "Get",
                        {QStringLiteral("org.kde.StatusNotifierItem"), name}));
}

// 1 checked, 0 not, -1 without an answer.
int toggleState(QDBusConnection &bus, const QString &service)
{
    const QVariant state =
        variant(call(bus, service, StatusNotifierItem::menuPath, "com.canonical.dbusmenu",
                     "GetProperty", {int(DBusMenu::autoTrack), QStringLiteral("toggle-state")}));
    return state.isValid() ? state.toInt() : -1;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class PanelTest : public QObject {
    Q_OBJECT

    PrivateBus bus;
    QDBusConnection panel = QDBusConnection(QString());
    FakeWatcher watcher;

    QProcessEnvironment environment(const QTemporaryDir &dir) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + dir.filePath("no-system-bus"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", dir.path());
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        return env;
    }

    // Runs `tockly ARGS` to the end while this process keeps serving the bus.
    Run tockly(const QStringList &args, const QTemporaryDir &dir)
    {
        QProcess p;
        p.setProcessEnvironment(environment(dir));
        p.start(TOCKLY_BINARY, args);
        QSignalSpy finished(&p, &QProcess::finished);
        if (!finished.wait(20000))
            p.kill();
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed(),
                QString::fromUtf8(p.readAllStandardError()).trimmed()};
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(bus.start(PrivateBus::Kind::session, &error), qPrintable(error));
        panel = bus.connect(QStringLiteral("panel"));
        QVERIFY(panel.registerObject("/StatusNotifierWatcher", &watcher,
                                     QDBusConnection::ExportAllContents));
        QVERIFY(panel.registerService(TrayItem::watcherService));
    }

    void statusNotifierItem()
    {
        UiFixture f;
        AppShell &shell = f.start();
        QDBusConnection app = bus.connect(QStringLiteral("app"));
        TrayItem tray(app, *f.store);
        shell.attachTray(tray);
        QCOMPARE(tray.mode(), TrayItem::Mode::statusNotifier);
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
        Listener listener;
        QVERIFY(panel.connect(service, StatusNotifierItem::objectPath, "org.kde.StatusNotifierItem",
                              "XAyatanaNewLabel", &listener, SLOT(label(QString, QString))));
        f.type(90);
        QTRY_COMPARE(listener.labels.value(listener.labels.size() - 1), QStringLiteral("1m"));
        QCOMPARE(itemProperty(panel, service, "XAyatanaLabel").toString(), QStringLiteral("1m"));

        // A left click opens the card; the next one closes it.
        for (const bool open : {true, false}) {
            call(panel, service, StatusNotifierItem::objectPath, "org.kde.StatusNotifierItem",
                 "Activate", {100, 12});
            QTRY_COMPARE(shell.card().isShown(), open);
        }

        // The menu: Open, History…, Track automatically (checked), Quit Tockly.
        const QDBusMessage layout =
            call(panel, service, StatusNotifierItem::menuPath, "com.canonical.dbusmenu",
                 "GetLayout", {0, -1, QStringList()});
        QCOMPARE(layout.arguments().size(), 2);
        const auto root = qdbus_cast<DBusMenuLayoutItem>(layout.arguments().at(1));
        QStringList labels;
        for (const DBusMenuLayoutItem &child : root.children)
            labels << child.properties.value("label").toString();
        QCOMPARE(labels,
                 (QStringList{"Open", "History…", "", "Track automatically", "", "Quit Tockly"}));
        QCOMPARE(root.children[3].properties.value("toggle-type").toString(),
                 QStringLiteral("checkmark"));
        const auto event = [&](int id) {
            call(panel, service, StatusNotifierItem::menuPath, "com.canonical.dbusmenu", "Event",
                 {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
        };
        // The check pauses and resumes the store, and shows its state to the panel.
        QCOMPARE(toggleState(panel, service), 1);
        event(DBusMenu::autoTrack);
        QTRY_VERIFY(!f.store->autoTrackEnabled());
        QCOMPARE(toggleState(panel, service), 0);
        event(DBusMenu::autoTrack);
        QTRY_VERIFY(f.store->autoTrackEnabled());
        event(DBusMenu::history);
        QTRY_VERIFY(shell.windows().historyWindow());
        event(DBusMenu::open);
        QTRY_VERIFY(shell.card().isShown());

        // Without a watcher Qt's tray icon stands in; when it comes back, the item registers
        // again.
        QVERIFY(panel.unregisterService(TrayItem::watcherService));
        QTRY_COMPARE(tray.mode(), TrayItem::Mode::fallback);
        QVERIFY(tray.fallbackIcon() && tray.fallbackIcon()->isVisible());
        QCOMPARE(tray.fallbackIcon()->toolTip(), QStringLiteral("1m"));
        // Its menu has the same check, both ways.
        QAction *check = nullptr;
        for (QAction *a : tray.fallbackIcon()->contextMenu()->actions())
            if (a->text() == QStringLiteral("Track automatically"))
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

        QProcess app;
        QProcessEnvironment env = environment(dir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QUENBY_DATA_DIR", dir.filePath("quenby"));
        env.insert("QUENBY_UPDATE_FEED", feed.url("/appcast.xml").toString());
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(TOCKLY_BINARY, {"-quenbyCheckUpdates"});
        QTRY_COMPARE_WITH_TIMEOUT(watcher.registered.size(), 1, 20000);
        const QString service = watcher.registered.first();
        QCOMPARE(itemProperty(panel, service, "XAyatanaLabel").toString(), QStringLiteral("0m"));

        QTRY_COMPARE_WITH_TIMEOUT(feed.requests().size(), 1, 5000);
        QCOMPARE(feed.requests().first().target, QByteArray("/appcast.xml"));
        QTest::qWait(1500);
        QCOMPARE(feed.requests().size(), 1);

        const QJsonObject shown =
            QJsonDocument::fromJson(tockly({"status", "--json"}, dir).out.toUtf8()).object();
        QCOMPARE(shown.value("text").toString(), QStringLiteral("0m"));
        QCOMPARE(shown.value("class").toString(), QStringLiteral("paused"));
        QCOMPARE(shown.value("autoTrackEnabled").toBool(), true);
        QCOMPARE(tockly({"status"}, dir).out, "0m · " + shown.value("tooltip").toString());

        // --follow prints each change, and an empty text once Tockly is gone.
        QProcess follow;
        follow.setProcessEnvironment(environment(dir));
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
        const auto autoTrack = [&] {
            return variant(
                call(panel, SingleInstance::serviceName, SingleInstance::objectPath,
                     "org.freedesktop.DBus.Properties", "Get",
                     {SingleInstance::interfaceName, QStringLiteral("AutoTrackEnabled")}));
        };
        Run pause = tockly({"pause"}, dir);
        QCOMPARE(pause.exitCode, 0);
        QCOMPARE(pause.out, QStringLiteral("0m · Auto-tracking is off"));
        QCOMPARE(autoTrack(), QVariant(false));
        QCOMPARE(toggleState(panel, service), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            readLines() >= 2 && !lines.last().value("autoTrackEnabled").toBool(true), 5000);
        QCOMPARE(lines.last().value("tooltip").toString(), QStringLiteral("Auto-tracking is off"));

        call(panel, SingleInstance::serviceName, SingleInstance::objectPath,
             SingleInstance::interfaceName, "SetAutoTrackEnabled", {true});
        QCOMPARE(autoTrack(), QVariant(true));
        QCOMPARE(toggleState(panel, service), 1);
        QCOMPARE(tockly({"resume", "now"}, dir).exitCode, 2);
        QCOMPARE(tockly({"status", "--jsno"}, dir).exitCode, 2);

        call(panel, service, StatusNotifierItem::menuPath, "com.canonical.dbusmenu", "Event",
             {int(DBusMenu::quit), QStringLiteral("clicked"),
              QVariant::fromValue(QDBusVariant(QString())), 0u});
        QSignalSpy finished(&app, &QProcess::finished);
        QVERIFY(finished.wait(10000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(app.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(readLines() >= 3 && !lines.last().value("running").toBool(true),
                                 5000);
        QCOMPARE(lines.last().value("text").toString(), QString());
        follow.kill();
        follow.waitForFinished();
        for (const char *command : {"status", "pause"}) {
            const Run none = tockly({command}, dir);
            QCOMPARE(none.exitCode, 1);
            QCOMPARE(none.err, QStringLiteral("tockly: not running"));
        }
    }
};

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
