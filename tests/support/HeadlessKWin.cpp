// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessKWin.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// Where the test's script prints the window KWin activates, in KWin's log.
const QByteArray activeMark = "tockly-test active window: ";

} // namespace

bool HeadlessKWin::start(QString *error, bool strictFocus)
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
    if (strictFocus)
        writeFile(m_runtime.filePath(u"config/kwinrc"_s),
                  "[Windows]\nFocusStealingPreventionLevel=4\n");
    // The test launcher clicks through KWin's fake input, which KWin otherwise lends only to the
    // programs that installed .desktop files name.
    env.insert(u"KWIN_WAYLAND_NO_PERMISSION_CHECKS"_s, u"1"_s);
    QDBusConnection probe = m_bus.connect(u"kwin-probe"_s);
    if (!launch(
            kwin,
            {u"--virtual"_s, u"--width"_s, u"1280"_s, u"--height"_s, u"800"_s, u"--socket"_s,
             u"kwin-test"_s},
            env, 20000,
            [&] {
                return QFile::exists(socketPath()) &&
                       probe.interface()->isServiceRegistered(u"org.kde.KWin"_s).value();
            },
            error))
        return false;
    const QString script = m_runtime.filePath(u"active-window.js"_s);
    const auto scripting = [&](const QString &method, const QVariantList &arguments) {
        return busCall(probe, u"org.kde.KWin"_s, u"/Scripting"_s, u"org.kde.kwin.Scripting"_s,
                       method, arguments);
    };
    *error = u"KWin did not load the test's script"_s;
    if (!writeFile(script, "function report(w) { print('" + activeMark +
                               "' + (w ? w.caption : '')); }\n"
                               "(workspace.windowActivated || workspace.clientActivated)"
                               ".connect(report);\n"
                               "report(workspace.activeWindow || workspace.activeClient);\n") ||
        scripting(u"loadScript"_s, {script, u"tockly-test-active-window"_s}).toInt() < 0)
        return false;
    scripting(u"start"_s, {});
    return true;
}

QString HeadlessKWin::activeWindow() const
{
    const QByteArray all = readFile(m_runtime.filePath(u"compositor.log"_s));
    const qsizetype at = all.lastIndexOf(activeMark);
    if (at < 0)
        return {};
    const qsizetype from = at + activeMark.size();
    return QString::fromUtf8(all.mid(from, all.indexOf('\n', from) - from));
}

int HeadlessKWin::version() const
{
    static const QRegularExpression line(u"KWin version: (\\d+)\\."_s);
    return line
        .match(busCall(m_bus.connect(u"kwin-version"_s), u"org.kde.KWin"_s, u"/KWin"_s,
                       u"org.kde.KWin"_s, u"supportInformation"_s)
                   .toString())
        .captured(1)
        .toInt();
}
