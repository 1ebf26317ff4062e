// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StoreFixture.h"
#include "linux/AutostartLoginItems.h"

#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using Status = LoginItems::Status;

bool validates(const QString &path)
{
    QProcess p;
    p.start(u"desktop-file-validate"_s, {path});
    return p.waitForFinished(10000) && p.exitCode() == 0 && p.readAll().trimmed().isEmpty();
}

} // namespace

class TestAutostart : public QObject {
    Q_OBJECT

private slots:
    void entryFileIsTheLoginItem()
    {
        QTemporaryDir config;
        AutostartLoginItems items(config.path(), u"/opt/Tockly 100%/tockly"_s);
        QCOMPARE(items.status(), Status::notRegistered);
        QVERIFY(items.unregisterApp());

        QVERIFY(items.registerApp());
        QCOMPARE(items.status(), Status::enabled);
        QVERIFY(validates(items.entryPath()));
        const QByteArray entry = readFile(items.entryPath());
        QVERIFY(entry.contains("\nExec=\"/opt/Tockly 100%%/tockly\"\n"));
        QVERIFY(items.registerApp());

        // Switched off in the desktop's own settings: the entry stays, hidden.
        QVERIFY(writeFile(items.entryPath(), entry + "Hidden = true\n"));
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
        AutostartLoginItems items(config.path(), u"/usr/bin/tockly"_s);
        f.loginItemsService = &items;
        MacWorkStore *store = &f.open();
        QVERIFY(!store->launchAtLogin());

        store->setLaunchAtLogin(true);
        QVERIFY(store->launchAtLogin());
        QCOMPARE(items.status(), Status::enabled);
        // Not a stored setting: the next start reads the file again.
        QVERIFY(QFile::remove(items.entryPath()));
        store = &f.open();
        QVERIFY(!store->launchAtLogin());

        // A file where the autostart folder should be blocks even root.
        QVERIFY(QDir(config.path()).removeRecursively());
        QVERIFY(writeFile(config.filePath(u"autostart"_s), {}));
        QVERIFY(!items.registerApp());
        store->setLaunchAtLogin(true);
        QVERIFY(!store->launchAtLogin());
        QCOMPARE(items.status(), Status::notRegistered);
    }
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
