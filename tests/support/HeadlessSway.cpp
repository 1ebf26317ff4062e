#include "HeadlessSway.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

bool HeadlessSway::start(QString *error)
{
    const QString dir = m_runtime.path();
    // No bar, no X server; focus moves only when the test says so.
    const QString config = m_runtime.filePath(QStringLiteral("config"));
    if (!m_bus.start(PrivateBus::Kind::session, error) ||
        !writeFile(config, "output HEADLESS-1 resolution 800x600\nxwayland disable\n"
                           "focus_follows_mouse no\ndefault_border none\n"))
        return false;
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    env.insert(QStringLiteral("HOME"), dir);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman")); // no GPU here
    QStringList args{QStringLiteral("sway"), QStringLiteral("-c"), config};
    // The folder must belong to the user sway runs as.
    constexpr uid_t nobody = 65534;
    if (geteuid() == 0 && chown(QFile::encodeName(dir).constData(), nobody, nobody) == 0)
        args = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(nobody),
                           QStringLiteral("--regid=%1").arg(nobody),
                           QStringLiteral("--clear-groups")} +
               args;
    const auto ready = [&] {
        const QDir d(dir);
        const QStringList ipc = d.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
        const QStringList wl = d.entryList({QStringLiteral("wayland-?")}, QDir::System);
        if (ipc.isEmpty() || wl.isEmpty())
            return false;
        m_ipcSocket = d.filePath(ipc.first());
        setClient(dir, wl.first(), QStringLiteral("sway"));
        m_client.insert(QStringLiteral("SWAYSOCK"), m_ipcSocket);
        return swaymsg({QStringLiteral("-t"), QStringLiteral("get_version")});
    };
    return launch(args.takeFirst(), args, env, 15000, ready, error);
}

bool HeadlessSway::swaymsg(const QStringList &arguments, QByteArray *reply) const
{
    QProcess p;
    p.start(QStringLiteral("swaymsg"), QStringList{QStringLiteral("-s"), m_ipcSocket} + arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    const QByteArray out = p.readAll();
    if (reply)
        *reply = out;
    return !out.contains("\"success\": false");
}
