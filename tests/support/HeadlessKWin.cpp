// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessKWin.h"

#include <QDBusConnectionInterface>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

bool HeadlessKWin::start(QString *error)
{
    const QString kwin = m_runtime.filePath(u"kwin_wayland"_s);
    if (!m_bus.start(PrivateBus::Kind::session, error))
        return false;
    if (!QFile::copy(u"/usr/bin/kwin_wayland"_s, kwin)) {
        *error = u"cannot copy /usr/bin/kwin_wayland (is kwin-wayland installed?)"_s;
        return false;
    }
    setClient(m_runtime.path(), u"kwin-test"_s, u"KDE"_s);
    QProcessEnvironment env = m_client;
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    env.insert(u"KWIN_COMPOSE"_s, u"Q"_s); // no GPU here
    env.insert(u"XDG_CONFIG_HOME"_s, m_runtime.filePath(u"config"_s));
    QDBusConnection probe = m_bus.connect(u"kwin-probe"_s);
    return launch(
        kwin,
        {u"--virtual"_s, u"--width"_s, u"1280"_s, u"--height"_s, u"800"_s, u"--socket"_s,
         u"kwin-test"_s},
        env, 20000,
        [&] {
            return QFile::exists(socketPath()) &&
                   probe.interface()->isServiceRegistered(u"org.kde.KWin"_s).value();
        },
        error);
}
