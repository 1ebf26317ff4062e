#include "DesktopTestEnvironment.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

ChildProcess::ChildProcess()
{
    setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

ChildProcess::~ChildProcess()
{
    stopProcess(*this);
}

QVariant busProperty(const QDBusConnection &bus, const QString &service, const QString &path,
                     const QString &interface, const QString &name, int timeoutMs)
{
    auto get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

void stopProcess(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

QString readLine(QProcess &process)
{
    QDeadlineTimer deadline(10000);
    while (!process.canReadLine()) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return {};
        process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

bool waitUntil(const QProcess &process, int timeoutMs, const std::function<bool()> &ready)
{
    for (QDeadlineTimer deadline(timeoutMs);
         !deadline.hasExpired() && process.state() != QProcess::NotRunning;) {
        if (ready())
            return true;
        QCoreApplication::processEvents();
        QThread::msleep(100);
    }
    return false;
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size();
}

bool XvfbServer::start(QString *error)
{
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("1024x768x24")});
    m_display = u':' + readLine(m_process);
    *error = QStringLiteral("Xvfb did not start: ") + m_process.errorString();
    return m_display.size() > 1;
}

bool XvfbServer::xdotool(const QStringList &arguments) const
{
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("xdotool"), arguments);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

PrivateBus::~PrivateBus()
{
    for (const QString &name : m_connections)
        QDBusConnection::disconnectFromBus(name);
}

bool PrivateBus::start(Kind kind, QString *error, const QProcessEnvironment &environment)
{
    if (!environment.isEmpty())
        m_process.setProcessEnvironment(environment);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                     kind == Kind::session ? QStringLiteral("--session")
                                           : QStringLiteral("--config-file=" TOCKLY_TEST_SUPPORT_DIR
                                                            "/test-system-bus.conf")});
    m_address = readLine(m_process);
    *error = QStringLiteral("dbus-daemon did not start: ") + m_process.errorString();
    return !m_address.isEmpty();
}

QDBusConnection PrivateBus::connect(const QString &connectionName) const
{
    m_connections << connectionName;
    return QDBusConnection::connectToBus(m_address, connectionName);
}

bool FakeDesktopServices::start(const QString &busAddress, const QStringList &services,
                                QString *error)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TOCKLY_FAKE_DESKTOP_SERVICES),
                    QStringList{busAddress} + services);
    *error = QStringLiteral("the fake desktop services did not start");
    return readLine(m_process) == QLatin1String("ready");
}
