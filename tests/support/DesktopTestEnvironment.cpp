#include "DesktopTestEnvironment.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QProcessEnvironment>

#include <csignal>
#include <sys/prctl.h>

QVariant busProperty(const QDBusConnection &bus, const QString &service, const QString &path,
                     const QString &interface, const QString &name)
{
    auto get = QDBusMessage::createMethodCall(
        service, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << interface << name;
    const QDBusMessage reply = bus.call(get);
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

void stopWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

QString readLine(QProcess &process, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!process.canReadLine()) {
        if (deadline.hasExpired() || process.state() == QProcess::NotRunning)
            return {};
        process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
    }
    return QString::fromUtf8(process.readLine()).trimmed();
}

XvfbServer::~XvfbServer()
{
    stopProcess(m_process);
}

bool XvfbServer::start(QString *error)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("1024x768x24")});
    const QString number = readLine(m_process);
    if (number.isEmpty()) {
        *error = QStringLiteral("Xvfb did not start: ") + m_process.errorString();
        return false;
    }
    m_display = u':' + number;
    return true;
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
    stopProcess(m_process);
}

bool PrivateBus::start(Kind kind, QString *error, const QProcessEnvironment &environment)
{
    if (!environment.isEmpty())
        m_process.setProcessEnvironment(environment);
    stopWithParent(m_process);
    QStringList args{QStringLiteral("--nofork"), QStringLiteral("--print-address=1")};
    if (kind == Kind::session)
        args << QStringLiteral("--session");
    else
        args << QStringLiteral("--config-file=" TOCKLY_TEST_SUPPORT_DIR "/test-system-bus.conf");
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(QStringLiteral("dbus-daemon"), args);
    m_address = readLine(m_process);
    if (m_address.isEmpty()) {
        *error = QStringLiteral("dbus-daemon did not start: ") + m_process.errorString();
        return false;
    }
    return true;
}

QDBusConnection PrivateBus::connect(const QString &connectionName) const
{
    const_cast<PrivateBus *>(this)->m_connections << connectionName;
    return QDBusConnection::connectToBus(m_address, connectionName);
}

FakeDesktopServices::~FakeDesktopServices()
{
    stopProcess(m_process);
}

bool FakeDesktopServices::start(const QString &busAddress, const QStringList &services,
                                QString *error)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(TOCKLY_FAKE_DESKTOP_SERVICES),
                    QStringList{busAddress} + services);
    if (readLine(m_process) != QLatin1String("ready")) {
        *error = QStringLiteral("the fake desktop services did not start");
        return false;
    }
    return true;
}
