#include "HeadlessSway.h"

#include "DesktopTestEnvironment.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <unistd.h>

namespace {

constexpr uid_t nobody = 65534;

} // namespace

bool HeadlessSway::start(QString *error)
{
    if (!m_runtime.isValid()) {
        *error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString dir = m_runtime.path();
    QFile config(m_runtime.filePath(QStringLiteral("config")));
    if (!config.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write the sway configuration");
        return false;
    }
    // No bar, no X server; focus moves only when the test says so.
    config.write("output HEADLESS-1 resolution 800x600\n"
                 "xwayland disable\n"
                 "focus_follows_mouse no\n"
                 "default_border none\n");
    config.close();
    config.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    env.insert(QStringLiteral("HOME"), dir);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman")); // no GPU here
    m_sway.setProcessEnvironment(env);
    m_sway.setStandardOutputFile(QProcess::nullDevice());
    m_sway.setStandardErrorFile(m_runtime.filePath(QStringLiteral("sway.log")));
    QStringList args{QStringLiteral("sway"), QStringLiteral("-c"), config.fileName()};
    if (geteuid() == 0) {
        // The folder must belong to the user sway runs as.
        if (chown(QFile::encodeName(dir).constData(), nobody, nobody) != 0) {
            *error = QStringLiteral("cannot hand the runtime folder to nobody");
            return false;
        }
        args = QStringList{QStringLiteral("--reuid=%1").arg(nobody),
                           QStringLiteral("--regid=%1").arg(nobody),
                           QStringLiteral("--clear-groups")} +
               args;
        m_sway.start(QStringLiteral("setpriv"), args);
    } else {
        m_sway.start(args.takeFirst(), args);
    }

    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired() && m_sway.state() != QProcess::NotRunning) {
        const QDir d(dir);
        const QStringList ipc = d.entryList({QStringLiteral("sway-ipc.*.sock")}, QDir::System);
        const QStringList wl = d.entryList({QStringLiteral("wayland-*")}, QDir::System);
        for (const QString &name : wl)
            if (!name.endsWith(QLatin1String(".lock")))
                m_display = name;
        if (!ipc.isEmpty() && !m_display.isEmpty()) {
            m_ipcSocket = d.filePath(ipc.first());
            if (swaymsg({QStringLiteral("-t"), QStringLiteral("get_version")}))
                return true;
        }
        QThread::msleep(50);
    }
    *error = startFailure(QStringLiteral("headless sway"),
                          m_runtime.filePath(QStringLiteral("sway.log")));
    return false;
}

QProcessEnvironment HeadlessSway::clientEnvironment() const
{
    QProcessEnvironment env =
        waylandClientEnvironment(m_runtime.path(), m_display, QStringLiteral("sway"));
    env.insert(QStringLiteral("SWAYSOCK"), m_ipcSocket);
    return env;
}

QProcessEnvironment waylandClientEnvironment(const QString &runtimeDir, const QString &display,
                                             const QString &desktop)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), display);
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), desktop);
    return env;
}

QString startFailure(const QString &what, const QString &logPath)
{
    QFile log(logPath);
    log.open(QIODevice::ReadOnly);
    return what + QStringLiteral(" did not start: ") + QString::fromUtf8(log.readAll().right(3000));
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

bool TestWindows::open(const QProcessEnvironment &environment, const QString &appId,
                       const QString &title, QString *error)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(environment);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QStringLiteral(TOCKLY_TEST_WAYLAND_CLIENT), {appId, title});
    if (readLine(*p, 10000) != QLatin1String("mapped")) {
        *error = QStringLiteral("the test window %1 was not shown").arg(appId);
        stopProcess(*p);
        return false;
    }
    add(appId, std::move(p));
    return true;
}

void TestWindows::close(const QString &appId)
{
    std::erase_if(m_windows, [&](auto &window) {
        if (!appId.isEmpty() && window.first != appId)
            return false;
        stopProcess(*window.second);
        return true;
    });
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
