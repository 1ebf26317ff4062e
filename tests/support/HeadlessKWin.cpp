#include "HeadlessKWin.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

bool HeadlessKWin::start(QString *error)
{
    if (!m_runtime.isValid() || !m_bus.start(PrivateBus::Kind::session, error))
        return false;
    const QString kwin = m_runtime.filePath(QStringLiteral("kwin_wayland"));
    if (!QFile::copy(QStringLiteral("/usr/bin/kwin_wayland"), kwin)) {
        *error = QStringLiteral("cannot copy /usr/bin/kwin_wayland (is kwin-wayland installed?)");
        return false;
    }
    QProcessEnvironment env = clientEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("Q")); // no GPU here
    m_kwin.setProcessEnvironment(env);
    m_kwin.setStandardOutputFile(QProcess::nullDevice());
    m_kwin.setStandardErrorFile(m_runtime.filePath(QStringLiteral("kwin.log")));
    m_kwin.start(kwin, {QStringLiteral("--virtual"), QStringLiteral("--width"),
                        QStringLiteral("1280"), QStringLiteral("--height"), QStringLiteral("800"),
                        QStringLiteral("--socket"), socketName});

    QDBusConnection probe = m_bus.connect(QStringLiteral("kwin-probe"));
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_kwin.state() != QProcess::NotRunning) {
        if (QFile::exists(socketPath()) &&
            probe.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin")).value())
            return true;
        QThread::msleep(100);
    }
    *error = startFailure(QStringLiteral("headless KWin"),
                          m_runtime.filePath(QStringLiteral("kwin.log")));
    return false;
}

QProcessEnvironment HeadlessKWin::clientEnvironment() const
{
    QProcessEnvironment env =
        waylandClientEnvironment(m_runtime.path(), socketName, QStringLiteral("KDE"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
    return env;
}

bool HeadlessKWin::openChromium(const QString &url, QString *error)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(clientEnvironment());
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    // A real window (not --headless), no network, nothing of the user's.
    p->start(QStringLiteral("chromium"),
             {QStringLiteral("--ozone-platform=wayland"), QStringLiteral("--no-sandbox"),
              QStringLiteral("--user-data-dir=") + m_runtime.filePath(QStringLiteral("chromium")),
              QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
              QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
              QStringLiteral("--disable-gpu"), url});
    if (!p->waitForStarted(10000)) {
        *error = QStringLiteral("chromium did not start: ") + p->errorString();
        return false;
    }
    m_windows.add(QStringLiteral("chromium"), std::move(p));
    return true;
}
