// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HeadlessGnomeShell.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRect>

using namespace Qt::Literals::StringLiterals;

namespace {

using References = QList<std::pair<QString, QDBusObjectPath>>; // (application, path)

const QSize monitor(1280, 800);

} // namespace

HeadlessGnomeShell::~HeadlessGnomeShell()
{
    QDBusConnection::disconnectFromBus(m_a11yName);
    stop();
}

// A Shell busy with a redraw must cost a retry, not the default 25 s a call over a whole tree.
QVariant HeadlessGnomeShell::accessibleCall(const QString &app, const QString &path,
                                            const QString &method) const
{
    return busCall(a11y(), app, path, u"org.a11y.atspi.Accessible"_s, method, {}, 2000);
}

bool HeadlessGnomeShell::start(const QStringList &extensions,
                               const QMap<QString, QString> &applications, QString *error)
{
    const QString home = m_runtime.path();
    QProcessEnvironment env;
    env.insert(u"PATH"_s, qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    env.insert(u"HOME"_s, home);
    env.insert(u"LANG"_s, u"C.UTF-8"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, home + u"/runtime"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
    env.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
    env.insert(u"XDG_CACHE_HOME"_s, home + u"/cache"_s);
    env.insert(u"GSETTINGS_BACKEND"_s, u"keyfile"_s);
    QDir().mkpath(home + u"/runtime"_s);
    QFile::setPermissions(home + u"/runtime"_s,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (auto it = applications.cbegin(); it != applications.cend(); ++it)
        writeFile(home + u"/data/applications/%1.desktop"_s.arg(it.key()),
                  "[Desktop Entry]\nType=Application\nExec=true\nName=" + it.value().toUtf8() +
                      '\n');
    // Without a display manager the Shell warns once that it cannot lock the screen.
    writeFile(home + u"/data/gnome-shell/lock-warning-shown"_s, {});
    // The pointer passes the top left corner on its way: no overview there.
    writeFile(home + u"/config/glib-2.0/settings/keyfile"_s,
              "[org/gnome/shell]\nenabled-extensions=['" + extensions.join("','").toUtf8() +
                  "']\n[org/gnome/desktop/interface]\ntoolkit-accessibility=true\n"
                  "enable-animations=false\nenable-hot-corners=false\n");
    // The machine's data folders as seen without their applications: the Shell knows only those
    // of the test, whether Tockly's package is installed here or not.
    QStringList dataDirs;
    if (!m_packagePrefix.isEmpty()) {
        // A desktop entry counts only when its program is found.
        env.insert(u"PATH"_s, m_packagePrefix + u"/bin:"_s + env.value(u"PATH"_s));
        dataDirs << m_packagePrefix + u"/share"_s;
    }
    for (const QString &share : {u"/usr/local/share"_s, u"/usr/share"_s}) {
        const QString view = home + u"/system%1"_s.arg(dataDirs.size());
        QDir().mkpath(view);
        for (const QFileInfo &entry :
             QDir(share).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
            if (entry.fileName() != u"applications"_s)
                QFile::link(entry.filePath(), view + u'/' + entry.fileName());
        dataDirs << view;
    }
    env.insert(u"XDG_DATA_DIRS"_s, dataDirs.join(u':'));
    // Without the package's layout, Tockly's extension as the build made it, installed for this
    // user.
    if (m_packagePrefix.isEmpty()) {
        const QString ours = QStringLiteral(TOCKLY_GNOME_SHELL_EXTENSION);
        const QString installed =
            home + u"/data/gnome-shell/extensions/"_s + QFileInfo(ours).fileName();
        // Its translations too, in locale/.
        QDirIterator files(ours, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            const QString copy = installed + file.mid(ours.size());
            QDir().mkpath(QFileInfo(copy).path());
            QFile::copy(file, copy);
        }
    }
    if (m_locale)
        env = m_locale->applied(env);

    if (!m_systemBus.start(PrivateBus::Kind::system, error) ||
        !m_bus.start(PrivateBus::Kind::session, error, env))
        return false;
    env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, m_systemBus.address());
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_bus.address());
    setClient(home + u"/runtime"_s, u"wayland-0"_s, u"GNOME"_s);
    for (const QString &name : env.keys())
        m_client.insert(name, env.value(name));
    if (m_locale)
        m_client = m_locale->applied(m_client);
    m_connection = m_bus.connect(u"gnome-session "_s + home);
    // Up once it answers on its own interface, half a minute on a busy machine, and shows the
    // overview it starts in.
    if (!launch(
            u"gnome-shell"_s,
            {u"--headless"_s, u"--wayland"_s, u"--no-x11"_s, u"--virtual-monitor"_s,
             u"%1x%2"_s.arg(monitor.width()).arg(monitor.height())},
            env, 90000,
            [&] {
                return QFile::exists(socketPath()) &&
                       busProperty(m_connection, u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
                                   u"org.gnome.Shell"_s, u"OverviewActive"_s, 2000)
                           .toBool();
            },
            error))
        return false;
    // New windows get no focus in the overview.
    busCall(m_connection, u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
            u"org.freedesktop.DBus.Properties"_s, u"Set"_s,
            {u"org.gnome.Shell"_s, u"OverviewActive"_s, QVariant::fromValue(QDBusVariant(false))});
    m_remoteDesktop = busCall(m_connection, u"org.gnome.Mutter.RemoteDesktop"_s,
                              u"/org/gnome/Mutter/RemoteDesktop"_s,
                              u"org.gnome.Mutter.RemoteDesktop"_s, u"CreateSession"_s)
                          .value<QDBusObjectPath>()
                          .path();
    pointer(u"Start"_s, {});
    // A session run as root begins with a warning that stays until the user moves.
    nudgePointer();
    const QString address = busCall(m_connection, u"org.a11y.Bus"_s, u"/org/a11y/bus"_s,
                                    u"org.a11y.Bus"_s, u"GetAddress"_s)
                                .toString();
    return QDBusConnection::connectToBus(address, m_a11yName).isConnected() &&
           m_connection.registerService(u"org.freedesktop.impl.portal.desktop.gnome"_s);
}

QStringList HeadlessGnomeShell::windows(bool focusedOnly) const
{
    using Windows = QMap<qulonglong, QVariantMap>;
    qDBusRegisterMetaType<Windows>();
    QStringList shown;
    for (const QVariantMap &w : qdbus_cast<Windows>(busCall(
             m_connection, u"org.gnome.Shell.Introspect"_s, u"/org/gnome/Shell/Introspect"_s,
             u"org.gnome.Shell.Introspect"_s, u"GetWindows"_s)))
        if (!w.value(u"is-hidden"_s).toBool() && (!focusedOnly || w.value(u"has-focus"_s).toBool()))
            shown << w.value(u"wm-class"_s).toString();
    return shown;
}

QVariant HeadlessGnomeShell::extensions(const QString &method, const QString &uuid) const
{
    return busCall(m_connection, u"org.gnome.Shell"_s, u"/org/gnome/Shell"_s,
                   u"org.gnome.Shell.Extensions"_s, method, {uuid});
}

int HeadlessGnomeShell::extensionState(const QString &uuid) const
{
    return qdbus_cast<QVariantMap>(extensions(u"GetExtensionInfo"_s, uuid))
        .value(u"state"_s)
        .toInt();
}

bool HeadlessGnomeShell::setExtensionEnabled(const QString &uuid, bool enabled) const
{
    return extensions(enabled ? u"EnableExtension"_s : u"DisableExtension"_s, uuid).toBool();
}

// Walks down through what is shown, in the Shell's own tree only: the top bar, its menus and the
// notifications are there, and the other applications (Tockly under the sanitizers, the test
// windows) can be slow to answer. Which is the Shell the bus itself tells, so a busy application
// is never asked. (AT-SPI's cache would answer in one call, but it lags behind what changes at
// the moment, a notification's buttons for one.)
QList<HeadlessGnomeShell::Accessible> HeadlessGnomeShell::accessibles() const
{
    References todo = qdbus_cast<References>(accessibleCall(
        u"org.a11y.atspi.Registry"_s, u"/org/a11y/atspi/accessible/root"_s, u"GetChildren"_s));
    todo.removeIf([&](const auto &app) {
        return a11y().interface()->servicePid(app.first).value() != uint(m_process.processId());
    });
    QList<Accessible> shown;
    while (!todo.isEmpty()) {
        const auto [app, parent] = todo.takeFirst();
        for (const auto &[_, child] :
             qdbus_cast<References>(accessibleCall(app, parent.path(), u"GetChildren"_s))) {
            const auto property = [&](const QString &name) {
                return busProperty(a11y(), app, child.path(), u"org.a11y.atspi.Accessible"_s, name,
                                   2000);
            };
            const Accessible a{app, child.path(), parent.path(), property(u"Name"_s).toString(),
                               accessibleCall(app, child.path(), u"GetRole"_s).toUInt()};
            const auto states =
                qdbus_cast<QList<uint>>(accessibleCall(app, child.path(), u"GetState"_s));
            if (states.isEmpty() || !(states[0] & (1u << 25))) // ATSPI_STATE_SHOWING
                continue;
            shown << a;
            if (property(u"ChildCount"_s).toInt() > 0)
                todo << std::pair{app, child};
        }
    }
    return shown;
}

void HeadlessGnomeShell::pointer(const QString &method, const QVariantList &args)
{
    busCall(m_connection, u"org.gnome.Mutter.RemoteDesktop"_s, m_remoteDesktop,
            u"org.gnome.Mutter.RemoteDesktop.Session"_s, method, args);
}

void HeadlessGnomeShell::key(int code, bool pressed)
{
    pointer(u"NotifyKeyboardKeycode"_s, {uint(code), pressed});
}

bool HeadlessGnomeShell::screenshot(const QString &file) const
{
    return busCall(m_connection, u"org.gnome.Shell.Screenshot"_s, u"/org/gnome/Shell/Screenshot"_s,
                   u"org.gnome.Shell.Screenshot"_s, u"Screenshot"_s, {false, false, file})
        .toBool();
}

void HeadlessGnomeShell::nudgePointer()
{
    pointer(u"NotifyPointerMotionRelative"_s, {1.0, 1.0});
    pointer(u"NotifyPointerMotionRelative"_s, {-1.0, -1.0});
}

QRect HeadlessGnomeShell::extents(const Accessible &a) const
{
    // In screen coordinates; none when it is gone meanwhile.
    return qdbus_cast<QRect>(busCall(a11y(), a.application, a.path, u"org.a11y.atspi.Component"_s,
                                     u"GetExtents"_s, {0u}));
}

QRect HeadlessGnomeShell::extents(const QString &name, uint role) const
{
    for (const Accessible &a : accessibles()) {
        const QRect box = a.role == role && a.name == name ? extents(a) : QRect();
        if (!box.isEmpty())
            return box;
    }
    return {};
}

bool HeadlessGnomeShell::pointAt(const QString &name, uint role)
{
    const QRect box = extents(name, role);
    if (box.isEmpty())
        return false;
    pointAt(QRectF(box).center());
    return true;
}

void HeadlessGnomeShell::pointAt(QPointF target)
{
    // Relative moves only (absolute ones need a screen cast): first into the corner, so that the
    // pointer is where we think.
    const QString move = u"NotifyPointerMotionRelative"_s;
    if (m_pointer.x() < 0) {
        pointer(move, {-10000.0, -10000.0});
        m_pointer = QPointF(0, 0);
    }
    pointer(move, {target.x() - m_pointer.x(), target.y() - m_pointer.y()});
    m_pointer = target;
}

bool HeadlessGnomeShell::click(const QString &name, uint role, bool rightButton)
{
    const QRect box = extents(name, role);
    if (box.isEmpty())
        return false;
    click(QRectF(box).center(), rightButton);
    return true;
}

void HeadlessGnomeShell::click(QPointF at, bool rightButton)
{
    pointAt(at);
    pressButton(rightButton ? 0x111 : 0x110); // BTN_RIGHT, BTN_LEFT
}

void HeadlessGnomeShell::pointAtTheMiddle()
{
    pointAt(QRectF(QPoint(), monitor).center());
}

void HeadlessGnomeShell::click()
{
    pressButton(0x110);
}

void HeadlessGnomeShell::pressButton(int button)
{
    pointer(u"NotifyPointerButton"_s, {button, true});
    pointer(u"NotifyPointerButton"_s, {button, false});
}
