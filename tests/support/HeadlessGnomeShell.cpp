#include "HeadlessGnomeShell.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDir>
#include <QFile>

namespace {

using References = QList<std::pair<QString, QDBusObjectPath>>; // (application, path)

QDBusMessage shellCall(const QString &interface, const QString &method, const QVariantList &args)
{
    auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"), interface, method);
    call.setArguments(args);
    return call;
}

QDBusConnection a11y()
{
    return QDBusConnection(QStringLiteral("gnome-a11y"));
}

// A Shell busy with a redraw must cost a retry, not the default 25 s a call over a whole tree.
QVariant accessibleCall(const QString &app, const QString &path, const QString &method)
{
    return a11y()
        .call(QDBusMessage::createMethodCall(app, path, QStringLiteral("org.a11y.atspi.Accessible"),
                                             method),
              QDBus::Block, 2000)
        .arguments()
        .value(0);
}

} // namespace

HeadlessGnomeShell::~HeadlessGnomeShell()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("gnome-a11y"));
    stop();
}

bool HeadlessGnomeShell::start(const QStringList &extensions,
                               const QMap<QString, QString> &applications, QString *error)
{
    const QString home = m_runtime.path();
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    QDir().mkpath(home + QStringLiteral("/runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (auto it = applications.cbegin(); it != applications.cend(); ++it)
        writeFile(home + QStringLiteral("/data/applications/%1.desktop").arg(it.key()),
                  "[Desktop Entry]\nType=Application\nExec=true\nName=" + it.value().toUtf8() +
                      '\n');
    // Without a display manager the Shell warns once that it cannot lock the screen.
    writeFile(home + QStringLiteral("/data/gnome-shell/lock-warning-shown"), {});
    // The pointer passes the top left corner on its way: no overview there.
    writeFile(home + QStringLiteral("/config/glib-2.0/settings/keyfile"),
              "[org/gnome/shell]\nenabled-extensions=['" + extensions.join("','").toUtf8() +
                  "']\n[org/gnome/desktop/interface]\ntoolkit-accessibility=true\n"
                  "enable-animations=false\nenable-hot-corners=false\n");
    // Tockly's extension as the build made it, installed for this user.
    const QString ours = QStringLiteral(TOCKLY_GNOME_SHELL_EXTENSION);
    const QString installed =
        home + QStringLiteral("/data/gnome-shell/extensions/") + QFileInfo(ours).fileName();
    QDir().mkpath(installed);
    for (const QString &name : QDir(ours).entryList(QDir::Files))
        QFile::copy(ours + u'/' + name, installed + u'/' + name);

    if (!m_systemBus.start(PrivateBus::Kind::system, error) ||
        !m_bus.start(PrivateBus::Kind::session, error, env))
        return false;
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemBus.address());
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
    setClient(home + QStringLiteral("/runtime"), QStringLiteral("wayland-0"),
              QStringLiteral("GNOME"));
    for (const QString &name : env.keys())
        m_client.insert(name, env.value(name));
    m_connection = m_bus.connect(QStringLiteral("gnome-session"));
    // Up once it answers on its own interface, half a minute on a busy machine, and shows the
    // overview it starts in.
    if (!launch(
            QStringLiteral("gnome-shell"),
            {QStringLiteral("--headless"), QStringLiteral("--wayland"), QStringLiteral("--no-x11"),
             QStringLiteral("--virtual-monitor"), QStringLiteral("1280x800")},
            env, 90000,
            [&] {
                return QFile::exists(socketPath()) &&
                       busProperty(m_connection, QStringLiteral("org.gnome.Shell"),
                                   QStringLiteral("/org/gnome/Shell"),
                                   QStringLiteral("org.gnome.Shell"),
                                   QStringLiteral("OverviewActive"), 2000)
                           .toBool();
            },
            error))
        return false;
    // New windows get no focus in the overview.
    m_connection.call(
        shellCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                  {QStringLiteral("org.gnome.Shell"), QStringLiteral("OverviewActive"),
                   QVariant::fromValue(QDBusVariant(false))}));
    const QString remote = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
    m_remoteDesktop =
        QDBusReply<QDBusObjectPath>(m_connection.call(QDBusMessage::createMethodCall(
                                        remote, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                                        remote, QStringLiteral("CreateSession"))))
            .value()
            .path();
    pointer(QStringLiteral("Start"), {});
    // A session run as root begins with a warning that stays until the user moves.
    nudgePointer();
    const QDBusReply<QString> address = m_connection.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    return QDBusConnection::connectToBus(address.value(), QStringLiteral("gnome-a11y"))
               .isConnected() &&
           m_connection.registerService(
               QStringLiteral("org.freedesktop.impl.portal.desktop.gnome"));
}

QStringList HeadlessGnomeShell::windows() const
{
    using Windows = QMap<qulonglong, QVariantMap>;
    qDBusRegisterMetaType<Windows>();
    const QDBusReply<Windows> reply = m_connection.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("/org/gnome/Shell/Introspect"),
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("GetWindows")));
    QStringList shown;
    for (const QVariantMap &w : reply.value())
        if (!w.value(QStringLiteral("is-hidden")).toBool())
            shown << w.value(QStringLiteral("wm-class")).toString();
    return shown;
}

int HeadlessGnomeShell::extensionState(const QString &uuid) const
{
    const QDBusReply<QVariantMap> info = m_connection.call(shellCall(
        QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"), {uuid}));
    return info.value().value(QStringLiteral("state")).toInt();
}

bool HeadlessGnomeShell::setExtensionEnabled(const QString &uuid, bool enabled) const
{
    const QDBusReply<bool> done = m_connection.call(shellCall(
        QStringLiteral("org.gnome.Shell.Extensions"),
        enabled ? QStringLiteral("EnableExtension") : QStringLiteral("DisableExtension"), {uuid}));
    return done.value();
}

// Walks down through what is shown, in the Shell's own tree only: the top bar, its menus and the
// notifications are there, and the other applications (Tockly under the sanitizers, the test
// windows) can be slow to answer. Which is the Shell the bus itself tells, so a busy application
// is never asked. (AT-SPI's cache would answer in one call, but it lags behind what changes at
// the moment, a notification's buttons for one.)
QList<HeadlessGnomeShell::Accessible> HeadlessGnomeShell::accessibles() const
{
    References todo = qdbus_cast<References>(accessibleCall(
        QStringLiteral("org.a11y.atspi.Registry"),
        QStringLiteral("/org/a11y/atspi/accessible/root"), QStringLiteral("GetChildren")));
    todo.removeIf([&](const auto &app) {
        return a11y().interface()->servicePid(app.first).value() != uint(m_process.processId());
    });
    QList<Accessible> shown;
    while (!todo.isEmpty()) {
        const auto [app, parent] = todo.takeFirst();
        for (const auto &[_, child] : qdbus_cast<References>(
                 accessibleCall(app, parent.path(), QStringLiteral("GetChildren")))) {
            const auto states = qdbus_cast<QList<uint>>(
                accessibleCall(app, child.path(), QStringLiteral("GetState")));
            if (states.isEmpty() || !(states[0] & (1u << 25))) // ATSPI_STATE_SHOWING
                continue;
            shown << Accessible{
                app, child.path(),
                busProperty(a11y(), app, child.path(), QStringLiteral("org.a11y.atspi.Accessible"),
                            QStringLiteral("Name"), 2000)
                    .toString(),
                accessibleCall(app, child.path(), QStringLiteral("GetRole")).toUInt()};
            todo << std::pair{app, child};
        }
    }
    return shown;
}

void HeadlessGnomeShell::pointer(const QString &method, const QVariantList &args)
{
    auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Mutter.RemoteDesktop"), m_remoteDesktop,
        QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"), method);
    call.setArguments(args);
    m_connection.call(call);
}

void HeadlessGnomeShell::nudgePointer()
{
    pointer(QStringLiteral("NotifyPointerMotionRelative"), {1.0, 1.0});
    pointer(QStringLiteral("NotifyPointerMotionRelative"), {-1.0, -1.0});
}

bool HeadlessGnomeShell::pointAt(const QString &name, uint role)
{
    for (const Accessible &a : accessibles()) {
        if (a.role != role || a.name != name)
            continue;
        const QDBusMessage extents =
            a11y().call(QDBusMessage::createMethodCall(a.application, a.path,
                                                       QStringLiteral("org.a11y.atspi.Component"),
                                                       QStringLiteral("GetExtents"))
                        << 0u); // screen coordinates
        int x = 0, y = 0, width = 0, height = 0;
        if (extents.type() == QDBusMessage::ReplyMessage) { // else gone meanwhile
            const QDBusArgument box = extents.arguments().value(0).value<QDBusArgument>();
            box.beginStructure();
            box >> x >> y >> width >> height;
            box.endStructure();
        }
        if (width <= 0 || height <= 0)
            continue;
        // Relative moves only (absolute ones need a screen cast): first into the corner, so
        // that the pointer is where we think.
        const QString move = QStringLiteral("NotifyPointerMotionRelative");
        if (m_pointer.x() < 0) {
            pointer(move, {-10000.0, -10000.0});
            m_pointer = QPointF(0, 0);
        }
        const QPointF target(x + width / 2.0, y + height / 2.0);
        pointer(move, {target.x() - m_pointer.x(), target.y() - m_pointer.y()});
        m_pointer = target;
        return true;
    }
    return false;
}

bool HeadlessGnomeShell::click(const QString &name, uint role, bool rightButton)
{
    if (!pointAt(name, role))
        return false;
    const int button = rightButton ? 0x111 : 0x110; // BTN_RIGHT, BTN_LEFT
    pointer(QStringLiteral("NotifyPointerButton"), {button, true});
    pointer(QStringLiteral("NotifyPointerButton"), {button, false});
    return true;
}
