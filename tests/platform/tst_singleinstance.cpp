#include "TocklyProcess.h"

#include <QDBusConnectionInterface>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What a process could have left in a folder: every file with its size and change time.
QStringList snapshot(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        out << QStringLiteral("%1 %2 %3")
                   .arg(it.filePath())
                   .arg(it.fileInfo().size())
                   .arg(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    out.sort();
    return out;
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;

    // Tockly's environment: its own folders, no display, no system bus, the given session bus.
    QProcessEnvironment environment(const QString &sessionBus, const QString &dataDir) const
    {
        auto env =
            tocklyEnvironment(QProcessEnvironment::systemEnvironment(), tmp.path(), sessionBus);
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QUENBY_DATA_DIR"), dataDir);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp.filePath(QStringLiteral("runtime")));
        return env;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        QDir().mkpath(tmp.filePath(QStringLiteral("runtime")));
        QFile::setPermissions(tmp.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void laterProcessesHandOverTheirLinksAndLeaveTheDataAlone()
    {
        PrivateBus session;
        QString error;
        QVERIFY2(session.start(PrivateBus::Kind::session, &error), qPrintable(error));
        QDBusConnection bus = session.connect(QStringLiteral("test"));
        const QString data = tmp.filePath(QStringLiteral("data"));
        const auto env = environment(session.address(), data);

        QProcess first;
        QVERIFY(startTockly(first, env, bus));
        QCOMPARE(bus.interface()->servicePid(QStringLiteral("org.quenby.Tockly")).value(),
                 uint(first.processId()));
        const QString lock = data + QStringLiteral("/Quenby/tockly.lock");
        QTRY_VERIFY(QFile::exists(lock));
        const QStringList before = snapshot(data);
        QCOMPARE(pendingInvite(bus), QString());

        QString output, errors;
        QCOMPARE(runTockly(env, {QStringLiteral("quenby://join/abc123")}, &output, &errors), 0);
        QVERIFY2(errors.contains(QLatin1String("already running")), qPrintable(errors));
        QTRY_COMPARE(pendingInvite(bus), QStringLiteral("ABC123"));

        // The next link replaces the offer; the reset asked with it is not done.
        QCOMPARE(runTockly(
                     env, {QStringLiteral("-quenbyReset"), QStringLiteral("quenby://join/zz9zz9")}),
                 0);
        QTRY_COMPARE(pendingInvite(bus), QStringLiteral("ZZ9ZZ9"));

        // A later process with a data folder of its own does not even create it.
        const QString elsewhere = tmp.filePath(QStringLiteral("elsewhere"));
        QCOMPARE(runTockly(environment(session.address(), elsewhere), {}), 0);
        QVERIFY(!QFileInfo::exists(elsewhere));

        // Only the first process ever wrote the data folder, and it still holds it.
        QCOMPARE(snapshot(data), before);
        qint64 pid = 0;
        QVERIFY(QLockFile(lock).getLockInfo(&pid, nullptr, nullptr) && pid == first.processId());

        // The doctor sees the running one.
        QCOMPARE(runTockly(env, {QStringLiteral("doctor")}, &output), 0);
        QVERIFY2(output.contains(QStringLiteral("single instance: session bus name "
                                                "org.quenby.Tockly, held by process %1")
                                     .arg(first.processId())),
                 qPrintable(output));

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitCode(), 0);
    }

    void withoutASessionBusTheRuntimeLockDecides()
    {
        const QString data = tmp.filePath(QStringLiteral("lonely"));
        const auto env = environment(
            QStringLiteral("unix:path=") + tmp.filePath(QStringLiteral("no-session-bus")), data);
        QProcess first;
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(TOCKLY_BINARY), QStringList());
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data + QStringLiteral("/Quenby/tockly.lock")),
                                 15000);
        QVERIFY(QFile::exists(tmp.filePath(QStringLiteral("runtime/tockly.lock"))));

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
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
