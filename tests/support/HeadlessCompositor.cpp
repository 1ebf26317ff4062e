#include "HeadlessCompositor.h"

#include <QFile>

QString HeadlessCompositor::socketPath() const
{
    return m_client.value(QStringLiteral("XDG_RUNTIME_DIR")) + u'/' +
           m_client.value(QStringLiteral("WAYLAND_DISPLAY"));
}

void HeadlessCompositor::setClient(const QString &runtimeDir, const QString &display,
                                   const QString &desktop)
{
    m_client = QProcessEnvironment::systemEnvironment();
    m_client.remove(QStringLiteral("DISPLAY"));
    m_client.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    m_client.insert(QStringLiteral("WAYLAND_DISPLAY"), display);
    m_client.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    m_client.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
    m_client.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
}

bool HeadlessCompositor::launch(const QString &program, const QStringList &arguments,
                                const QProcessEnvironment &environment, int timeoutMs,
                                const std::function<bool()> &ready, QString *error)
{
    const QString log = m_runtime.filePath(QStringLiteral("compositor.log"));
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(log);
    m_process.start(program, arguments);
    if (waitUntil(m_process, timeoutMs, ready))
        return true;
    QFile f(log);
    f.open(QIODevice::ReadOnly);
    *error =
        program + QStringLiteral(" did not start: ") + QString::fromUtf8(f.readAll().right(3000));
    return false;
}

void HeadlessCompositor::stop()
{
    m_windows.clear();
    stopProcess(m_process);
}

bool HeadlessCompositor::openWindow(const QString &appId, const QString &title, QString *error)
{
    auto p = std::make_unique<ChildProcess>();
    p->setProcessEnvironment(m_client);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(TOCKLY_TEST_WAYLAND_CLIENT), {appId, title});
    *error = QStringLiteral("the test window %1 was not shown").arg(appId);
    if (readLine(*p) != QLatin1String("mapped"))
        return false;
    m_windows.emplace_back(appId, std::move(p));
    return true;
}

void HeadlessCompositor::closeWindow(const QString &appId)
{
    std::erase_if(m_windows, [&](const auto &window) { return window.first == appId; });
}

QString activationToken(const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOCKLY_TEST_WAYLAND_CLIENT), {QStringLiteral("--activation-token")});
    const QString token = readLine(p);
    p.waitForFinished();
    return token;
}
