#include "StoreFixture.h"
#include "linux/AutostartLoginItems.h"
#include "linux/PlatformChoice.h"

#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

using Status = LoginItems::Status;

bool validates(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("desktop-file-validate"), {path});
    return p.waitForFinished(10000) && p.exitCode() == 0 && p.readAll().trimmed().isEmpty();
}

// A store on fakes whose login item is the real autostart entry.
std::unique_ptr<MacWorkStore> openStore(StoreFixture &f, LoginItems &items)
{
    return MacWorkStore::open({f.clock, f.calendar, f.input, f.workspace, f.settings, items,
                               f.process, f.timer, f.dir.filePath(QStringLiteral("support")),
                               f.crew});
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT

private slots:
    void entryFileIsTheLoginItem()
    {
        QTemporaryDir config;
        AutostartLoginItems items(config.path(), QStringLiteral("/opt/Tockly 100%/tockly"));
        QCOMPARE(items.status(), Status::notRegistered);
        QVERIFY(items.unregisterApp());

        QVERIFY(items.registerApp());
        QCOMPARE(items.status(), Status::enabled);
        QVERIFY(validates(items.entryPath()));
        QFile f(items.entryPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("\nExec=\"/opt/Tockly 100%%/tockly\"\n"));
        f.close();
        QVERIFY(items.registerApp());

        // Switched off in the desktop's own settings: the entry stays, hidden.
        QVERIFY(f.open(QIODevice::Append));
        f.write("Hidden = true\n");
        f.close();
        QCOMPARE(items.status(), Status::notRegistered);
        QVERIFY(items.registerApp());
        QCOMPARE(items.status(), Status::enabled);

        QVERIFY(items.unregisterApp());
        QVERIFY(!QFile::exists(items.entryPath()));
        QCOMPARE(items.status(), Status::notRegistered);
    }

    void switchShowsTheRealStateWhenTheFolderCannotBeWritten()
    {
        StoreFixture f;
        QTemporaryDir config;
        AutostartLoginItems items(config.path(), QStringLiteral("/usr/bin/tockly"));
        auto store = openStore(f, items);
        QVERIFY(!store->launchAtLogin());

        store->setLaunchAtLogin(true);
        QVERIFY(store->launchAtLogin());
        QCOMPARE(items.status(), Status::enabled);
        // Not a stored setting: the next start reads the file again.
        QVERIFY(QFile::remove(items.entryPath()));
        store.reset();
        store = openStore(f, items);
        QVERIFY(!store->launchAtLogin());

        // A file where the autostart folder should be blocks even root.
        QVERIFY(QDir(config.path()).removeRecursively());
        QDir().mkpath(config.path());
        QFile blocker(config.filePath(QStringLiteral("autostart")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!items.registerApp());
        store->setLaunchAtLogin(true);
        QVERIFY(!store->launchAtLogin());
        QCOMPARE(items.status(), Status::notRegistered);

        // A folder that only its owner could change (permissions do not bind root).
        if (geteuid() != 0) {
            QVERIFY(blocker.remove());
            store->setLaunchAtLogin(true);
            QVERIFY(store->launchAtLogin());
            QFile::setPermissions(config.filePath(QStringLiteral("autostart")),
                                  QFile::ReadOwner | QFile::ExeOwner);
            store->setLaunchAtLogin(false);
            QVERIFY(store->launchAtLogin());
            QCOMPARE(items.status(), Status::enabled);
            QFile::setPermissions(config.filePath(QStringLiteral("autostart")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    void platformChoice_data()
    {
        QTest::addColumn<int>("readable");
        QTest::addColumn<bool>("inGroup");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("x11Problem");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<int>("idle");
        QTest::addColumn<int>("input");
        QTest::addColumn<bool>("frontmost");
        QTest::addColumn<QString>("says");

        const int none = int(IdleOnlyInputSource::Provider::none);
        const int mutter = int(IdleOnlyInputSource::Provider::mutterIdleMonitor);
        const int evdev = int(InputBackend::evdev), x11 = int(InputBackend::x11),
                  idle = int(InputBackend::idleOnly);
        QTest::newRow("devices readable on X11")
            << 2 << true << ":0"
            << "" << false << none << evdev << true << "evdev, 2 keyboards";
        QTest::newRow("X11 without the group")
            << 0 << false << ":0"
            << "" << false << none << x11 << true
            << "X11 XI2 raw events on :0, idle from MIT-SCREEN-SAVER (add yourself to the "
               "input group for counting under Wayland)";
        QTest::newRow("X11 server too old") << 0 << false << ":1"
                                            << "the X11 server lacks XInput 2.2" << false << none
                                            << idle << false << "lacks XInput 2.2";
        QTest::newRow("Wayland with XWayland")
            << 0 << false << ":0"
            << "" << true << mutter << idle << false
            << "idle time only, from org.gnome.Mutter.IdleMonitor";
        QTest::newRow("Wayland with the group")
            << 3 << true << ""
            << "" << true << mutter << evdev << false << "evdev, 3";
        QTest::newRow("nothing at all")
            << 0 << false << ""
            << "" << false << none << idle << false << "the clock cannot run";
    }

    void platformChoice()
    {
        QFETCH(int, readable);
        QFETCH(bool, inGroup);
        QFETCH(QString, display);
        QFETCH(QString, x11Problem);
        QFETCH(bool, wayland);
        QFETCH(int, idle);
        QFETCH(int, input);
        QFETCH(bool, frontmost);
        QFETCH(QString, says);
        PlatformFacts facts;
        facts.inputDevices = 3;
        facts.readableInputDevices = readable;
        facts.inInputGroup = inGroup;
        facts.display = display;
        facts.x11Problem = x11Problem;
        facts.wayland = wayland;
        facts.idleProvider = IdleOnlyInputSource::Provider(idle);
        facts.logind = readable > 0;
        const PlatformChoice c = choosePlatform(facts);
        QCOMPARE(int(c.input), input);
        QVERIFY2(c.inputReason.contains(says), qPrintable(c.inputReason));
        QCOMPARE(c.frontmost == FrontmostBackend::x11, frontmost);
        QCOMPARE(c.logind, facts.logind);
        QCOMPARE(c.inputReason.contains(QLatin1String("add yourself")),
                 !inGroup && input != int(InputBackend::evdev));
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
