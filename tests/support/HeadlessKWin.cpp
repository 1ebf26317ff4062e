#include "HeadlessKWin.h"

#include <QDBusConnectionInterface>
#include <QFile>

bool HeadlessKWin::start(QString *error)
{
    const QString kwin = m_runtime.filePath(QStringLiteral("kwin_wayland"));
    if (!m_bus.start(PrivateBus::Kind::session, error))
        return false;
    if (!QFile::copy(QStringLiteral("/usr/bin/kwin_wayland"), kwin)) {
        *error = QStringLiteral("cannot copy /usr/bin/kwin_wayland (is kwin-wayland installed?)");
        return false;
    }
    setClient(m_runtime.path(), QStringLiteral("kwin-test"), QStringLiteral("KDE"));
    QProcessEnvironment env = m_client;
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("Q")); // no GPU here
    QDBusConnection probe = m_bus.connect(QStringLiteral("kwin-probe"));
    return launch(
        kwin,
        {QStringLiteral("--virtual"), QStringLiteral("--width"), QStringLiteral("1280"),
         QStringLiteral("--height"), QStringLiteral("800"), QStringLiteral("--socket"),
         QStringLiteral("kwin-test")},
        env, 20000,
        [&] {
            return QFile::exists(socketPath()) &&
                   probe.interface()->isServiceRegistered(QStringLiteral("org.kde.KWin")).value();
        },
        error);
}
