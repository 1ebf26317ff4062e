// The update check against a local feed: what it logs, when it offers a release in a desktop
// notification, and what the notification's action does.
#include "Appcast.h"
#include "DesktopTestEnvironment.h"
#include "TestHttpServer.h"
#include "UpdateChecker.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray feed(const QList<QPair<QString, QString>> &versions)
{
    QByteArray xml = "<?xml version=\"1.0\"?><rss version=\"2.0\" "
                     "xmlns:tockly=\"urn:tockly:appcast:1\"><channel><title>Tockly</title>";
    for (const auto &[version, display] : versions) {
        xml += "<item><title>Tockly " + display.toUtf8() + "</title><tockly:version>" +
               version.toUtf8() + "</tockly:version>";
        if (!display.isEmpty())
            xml += "<tockly:displayVersion>" + display.toUtf8() + "</tockly:displayVersion>";
        xml += "<link>https://example.org/tockly/" + version.toUtf8() + "</link></item>";
    }
    return xml + "</channel></rss>";
}

// The desktop's notification service: remembers what it was asked to show.
class FakeNotifications : public QObject, protected QDBusContext {
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

} // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

    PrivateBus bus;
    QDBusConnection desktop = QDBusConnection(QString());
    FakeNotifications notifications;
    TestHttpServer server;

    struct Check {
        QStringList lines;
        QList<QUrl> opened;
        std::unique_ptr<UpdateChecker> checker;

        Check(const QString &feedUrl, QDBusConnection bus)
        {
            checker = std::make_unique<UpdateChecker>(
                UpdateChecker::Options{feedUrl, QStringLiteral("1.2.0"), std::move(bus),
                                       [this](const QString &line) { lines << line; },
                                       [this](const QUrl &url) {
                                           opened << url;
                                           return true;
                                       }});
        }
        bool run()
        {
            QSignalSpy done(checker.get(), &UpdateChecker::checkFinished);
            checker->checkForUpdates();
            return done.size() == 1 || done.wait(10000);
        }
    };

    void invokeAction(uint id, const QString &key)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
        signal << id << key;
        desktop.send(signal);
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(bus.start(PrivateBus::Kind::session, &error), qPrintable(error));
        desktop = bus.connect(QStringLiteral("desktop"));
        QVERIFY(desktop.registerObject("/org/freedesktop/Notifications", &notifications,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(desktop.registerService("org.freedesktop.Notifications"));
        QVERIFY(server.listen());
    }
    void init()
    {
        server.reset();
        notifications.summaries.clear();
        notifications.actions.clear();
    }

    void aNewerReleaseIsOfferedAndItsPageOpened()
    {
        server.setFallback(
            TestHttpServer::json(200, feed({{"1.1.0", "1.1"}, {"1.10.0", "1.10"}, {"1.3.0", ""}})));
        Check check(server.url("/appcast.xml").toString(), bus.connect("checker-1"));
        QVERIFY(check.run());
        QCOMPARE(check.lines, (QStringList{"[Quenby/Sparkle] appcast loaded: 3 item(s)",
                                           "[Quenby/Sparkle] update available: 1.10 (1.10.0)"}));
        QTRY_COMPARE(notifications.summaries, QStringList{"Tockly 1.10 is available"});
        QVERIFY(notifications.actions.first().contains("download"));

        // Another notification's action is not ours.
        invokeAction(99, "download");
        QTest::qWait(100);
        QVERIFY(check.opened.isEmpty());
        invokeAction(1, "download");
        QTRY_COMPARE(check.opened, QList<QUrl>{QUrl("https://example.org/tockly/1.10.0")});
        QCOMPARE(check.lines.last(), QStringLiteral("[Quenby/Sparkle] installing 1.10"));
    }

    // An equal version ("1.2" is the running 1.2.0) and a feed over plain http offer nothing.
    void checksThatOfferNothing()
    {
        server.setFallback(TestHttpServer::json(200, feed({{"1.1.0", "1.1"}, {"1.2", "1.2"}})));
        Check upToDate(server.url("/appcast.xml").toString(), bus.connect("checker-2"));
        QVERIFY(upToDate.run());
        QCOMPARE(upToDate.lines.last(),
                 "[Quenby/Sparkle] up to date: Tockly 1.2.0 is the newest version.");
        Check plain(QStringLiteral("http://example.org/appcast.xml"), bus.connect("checker-3"));
        QVERIFY(plain.run());
        QCOMPARE(plain.lines, QStringList{"[Quenby/Sparkle] aborted: the update feed must be "
                                          "https: http://example.org/appcast.xml"});
        QTest::qWait(50);
        QCOMPARE(notifications.summaries, QStringList());
    }
};

QTEST_MAIN(UpdaterTest)
#include "tst_updater.moc"
