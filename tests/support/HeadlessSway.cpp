// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessSway.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

bool HeadlessSway::start(QString *error)
{
    const QString dir = m_runtime.path();
    // No bar, no X server; focus moves only when the test says so. A launcher floats in the
    // middle, where it is clicked.
    const QString config = m_runtime.filePath(u"config"_s);
    if (!m_bus.start(PrivateBus::Kind::session, error) ||
        !writeFile(config, "output HEADLESS-1 resolution 800x600\nxwayland disable\n"
                           "focus_follows_mouse no\ndefault_border none\n"
                           "for_window [app_id=\"launcher\"] floating enable\n"))
        return false;
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env;
    env.insert(u"PATH"_s, qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    env.insert(u"HOME"_s, dir);
    env.insert(u"XDG_RUNTIME_DIR"_s, dir);
    env.insert(u"WLR_BACKENDS"_s, u"headless"_s);
    env.insert(u"WLR_LIBINPUT_NO_DEVICES"_s, u"1"_s);
    env.insert(u"WLR_RENDERER"_s, u"pixman"_s); // no GPU here
    QStringList args{u"sway"_s, u"-c"_s, config};
    // The folder must belong to the user sway runs as.
    constexpr uid_t nobody = 65534;
    if (geteuid() == 0 && chown(QFile::encodeName(dir).constData(), nobody, nobody) == 0)
        args = QStringList{u"setpriv"_s, u"--reuid=%1"_s.arg(nobody), u"--regid=%1"_s.arg(nobody),
                           u"--clear-groups"_s} +
               args;
    const auto ready = [&] {
        const QDir d(dir);
        const QStringList ipc = d.entryList({u"sway-ipc.*.sock"_s}, QDir::System);
        const QStringList wl = d.entryList({u"wayland-?"_s}, QDir::System);
        if (ipc.isEmpty() || wl.isEmpty())
            return false;
        m_ipcSocket = d.filePath(ipc.first());
        setClient(dir, wl.first(), u"sway"_s);
        m_client.insert(u"SWAYSOCK"_s, m_ipcSocket);
        return swaymsg({u"-t"_s, u"get_version"_s});
    };
    return launch(args.takeFirst(), args, env, 15000, ready, error);
}

bool HeadlessSway::swaymsg(const QStringList &arguments, QByteArray *reply) const
{
    QProcess p;
    p.start(u"swaymsg"_s, QStringList{u"-s"_s, m_ipcSocket} + arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    const QByteArray out = p.readAll();
    if (reply)
        *reply = out;
    return !out.contains("\"success\": false");
}
