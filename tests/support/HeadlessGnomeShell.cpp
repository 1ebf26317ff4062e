#include "HeadlessGnomeShell.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

QDBusMessage shellCall(const QString &interface, const QString &method, const QVariantList &args)
{
    auto call = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"), interface, method);
    call.setArguments(args);
    return call;
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size();
}

bool showing(const QList<uint> &states)
{
    return !states.isEmpty() && (states[0] & (1u << 25)); // ATSPI_STATE_SHOWING
}

// A Shell busy with a redraw must cost a retry, not the default 25 s a call over a whole tree.
QVariant a11yCall(const QDBusMessage &call)
{
    return QDBusConnection(QStringLiteral("gnome-a11y"))
        .call(call, QDBus::Block, 2000)
        .arguments()
        .value(0);
}

QVariant accessibleCall(const QString &app, const QString &path, const QString &method)
{
    return a11yCall(QDBusMessage::createMethodCall(
        app, path, QStringLiteral("org.a11y.atspi.Accessible"), method));
}

using References = HeadlessGnomeShell::References;

// One object asked for itself, for those the cache lacks.
HeadlessGnomeShell::Accessible describe(const QString &app, const QString &path, int *children)
{
    auto property = [&](const QString &name) {
        return qdbus_cast<QDBusVariant>(
                   a11yCall(QDBusMessage::createMethodCall(
                                app, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                QStringLiteral("Get"))
                            << QStringLiteral("org.a11y.atspi.Accessible") << name))
            .variant();
    };
    HeadlessGnomeShell::Accessible a{app, path, property(QStringLiteral("Name")).toString()};
    a.role = accessibleCall(app, path, QStringLiteral("GetRole")).toUInt();
    a.showing =
        showing(qdbus_cast<QList<uint>>(accessibleCall(app, path, QStringLiteral("GetState"))));
    *children = property(QStringLiteral("ChildCount")).toInt();
    return a;
}

} // namespace

HeadlessGnomeShell::~HeadlessGnomeShell()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("gnome-a11y"));
    stopProcess(m_shell);
}

bool HeadlessGnomeShell::start(const QStringList &extensions,
                               const QMap<QString, QString> &applications, QString *error)
{
    const QString home = m_home.path();
    m_env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH", "/usr/bin:/bin"));
    m_env.insert(QStringLiteral("HOME"), home);
    m_env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    m_env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/cache"));
    m_env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("keyfile"));
    QDir().mkpath(home + QStringLiteral("/runtime"));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (auto it = applications.cbegin(); it != applications.cend(); ++it)
        writeFile(home + QStringLiteral("/data/applications/%1.desktop").arg(it.key()),
                  "[Desktop Entry]\nType=Application\nExec=true\nName=" + it.value().toUtf8() +
                      '\n');
    // Without a display manager the Shell warns once that it cannot lock the screen.
    writeFile(home + QStringLiteral("/data/gnome-shell/lock-warning-shown"), {});
    // Tockly's extension as the build made it, installed for this user.
    const QString ours = QStringLiteral(TOCKLY_GNOME_SHELL_EXTENSION);
    const QString installed =
        home + QStringLiteral("/data/gnome-shell/extensions/") + QFileInfo(ours).fileName();
    QDir().mkpath(installed);
    for (const QString &name : QDir(ours).entryList(QDir::Files))
        QFile::copy(ours + u'/' + name, installed + u'/' + name);

    if (!m_systemBus.start(PrivateBus::Kind::system, error) ||
        !m_sessionBus.start(PrivateBus::Kind::session, error, m_env))
        return false;
    m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_sessionBus.address());
    m_env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_systemBus.address());
    QStringList quoted;
    for (const QString &uuid : extensions)
        quoted << u'\'' + uuid + u'\'';
    const QList<QStringList> settings{
        {QStringLiteral("org.gnome.shell"), QStringLiteral("enabled-extensions"),
         u'[' + quoted.join(u',') + u']'},
        {QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("toolkit-accessibility"),
         QStringLiteral("true")},
        {QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-animations"),
         QStringLiteral("false")},
        // The pointer passes the top left corner on its way: no overview there.
        {QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("enable-hot-corners"),
         QStringLiteral("false")}};
    for (const QStringList &setting : settings) {
        QProcess gsettings;
        gsettings.setProcessEnvironment(m_env);
        gsettings.start(QStringLiteral("gsettings"), QStringList{QStringLiteral("set")} + setting);
        if (!gsettings.waitForFinished(10000) || gsettings.exitCode() != 0) {
            *error = QStringLiteral("gsettings set failed: ") + setting.join(u' ');
            return false;
        }
    }

    m_shell.setProcessEnvironment(m_env);
    stopWithParent(m_shell);
    m_shell.setProcessChannelMode(QProcess::MergedChannels);
    m_shell.setStandardOutputFile(home + QStringLiteral("/gnome-shell.log"));
    m_shell.start(QStringLiteral("gnome-shell"),
                  {QStringLiteral("--headless"), QStringLiteral("--wayland"),
                   QStringLiteral("--no-x11"), QStringLiteral("--virtual-monitor"),
                   QStringLiteral("1280x800")});
    m_bus = m_sessionBus.connect(QStringLiteral("gnome-session"));
    // The Shell is up once it answers on its own interface, half a minute on a busy machine.
    QDeadlineTimer deadline(90000);
    while (!deadline.hasExpired() && m_shell.state() != QProcess::NotRunning) {
        if (shellProperty(QStringLiteral("ShellVersion")).isValid() &&
            QFile::exists(home + QStringLiteral("/runtime/wayland-0")) &&
            shellProperty(QStringLiteral("OverviewActive")).toBool()) {
            // The session starts in the overview, where new windows get no focus.
            m_bus.call(
                shellCall(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                          {QStringLiteral("org.gnome.Shell"), QStringLiteral("OverviewActive"),
                           QVariant::fromValue(QDBusVariant(false))}));
            // A session run as root begins with a warning that stays until the user moves.
            nudgePointer();
            return connectAccessibility() && m_bus.registerService(QStringLiteral(
                                                 "org.freedesktop.impl.portal.desktop.gnome"));
        }
        QThread::msleep(200);
    }
    *error = startFailure(QStringLiteral("GNOME Shell"), home + QStringLiteral("/gnome-shell.log"));
    return false;
}

QVariant HeadlessGnomeShell::shellProperty(const QString &name) const
{
    const QDBusMessage reply =
        m_bus.call(shellCall(QStringLiteral("org.freedesktop.DBus.Properties"),
                             QStringLiteral("Get"), {QStringLiteral("org.gnome.Shell"), name}),
                   QDBus::Block, 2000);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QProcessEnvironment HeadlessGnomeShell::clientEnvironment() const
{
    QProcessEnvironment env =
        waylandClientEnvironment(m_env.value(QStringLiteral("XDG_RUNTIME_DIR")),
                                 QStringLiteral("wayland-0"), QStringLiteral("GNOME"));
    for (const QString &name : m_env.keys())
        env.insert(name, m_env.value(name));
    return env;
}

QStringList HeadlessGnomeShell::windows() const
{
    using Windows = QMap<qulonglong, QVariantMap>;
    qDBusRegisterMetaType<Windows>();
    const QDBusReply<Windows> reply = m_bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("/org/gnome/Shell/Introspect"),
        QStringLiteral("org.gnome.Shell.Introspect"), QStringLiteral("GetWindows")));
    QStringList shown;
    for (const QVariantMap &w : reply.value()) {
        const QString wmClass = w.value(QStringLiteral("wm-class")).toString();
        if (w.value(QStringLiteral("is-hidden")).toBool())
            continue;
        if (w.value(QStringLiteral("has-focus")).toBool())
            shown.prepend(wmClass);
        else
            shown.append(wmClass);
    }
    return shown;
}

int HeadlessGnomeShell::extensionState(const QString &uuid) const
{
    const QDBusReply<QVariantMap> info = m_bus.call(shellCall(
        QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"), {uuid}));
    return info.isValid() ? info.value().value(QStringLiteral("state")).toInt() : 0;
}

bool HeadlessGnomeShell::setExtensionEnabled(const QString &uuid, bool enabled) const
{
    const QDBusReply<bool> done = m_bus.call(shellCall(
        QStringLiteral("org.gnome.Shell.Extensions"),
        enabled ? QStringLiteral("EnableExtension") : QStringLiteral("DisableExtension"), {uuid}));
    return done.isValid() && done.value();
}

// Walks down from each application through what is shown. (AT-SPI's cache would answer in one
// call, but it lags behind what changes at the moment, a notification's buttons for one.)
QList<HeadlessGnomeShell::Accessible> HeadlessGnomeShell::accessibles() const
{
    QList<Accessible> shown;
    References todo = applications();
    while (!todo.isEmpty()) {
        const auto [app, path] = todo.takeFirst();
        for (const auto &child : qdbus_cast<References>(
                 accessibleCall(app, path.path(), QStringLiteral("GetChildren")))) {
            int children = 0;
            const Accessible a = describe(app, child.second.path(), &children);
            if (!a.showing)
                continue;
            shown << a;
            if (children > 0)
                todo << std::pair{app, child.second};
        }
    }
    return shown;
}

bool HeadlessGnomeShell::connectAccessibility()
{
    const QDBusReply<QString> address = m_bus.call(QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    return QDBusConnection::connectToBus(address.value(), QStringLiteral("gnome-a11y"))
        .isConnected();
}

// The Shell's own tree only: the top bar, its menus and the notifications are there, and the
// other applications (Tockly under the sanitizers, the test windows) can be slow to answer.
// Which is the Shell the bus itself tells, so a busy application is never asked.
HeadlessGnomeShell::References HeadlessGnomeShell::applications() const
{
    References all = qdbus_cast<References>(accessibleCall(
        QStringLiteral("org.a11y.atspi.Registry"),
        QStringLiteral("/org/a11y/atspi/accessible/root"), QStringLiteral("GetChildren")));
    const QDBusConnection a11y(QStringLiteral("gnome-a11y"));
    all.removeIf([&](const auto &app) {
        return a11y.interface()->servicePid(app.first).value() != uint(m_shell.processId());
    });
    return all;
}

int HeadlessGnomeShell::countShown(const QString &name, uint role) const
{
    const QList<Accessible> all = accessibles();
    return int(std::count_if(all.cbegin(), all.cend(), [&](const Accessible &a) {
        return a.showing && a.role == role && a.name == name;
    }));
}

void HeadlessGnomeShell::pointer(const QString &method, const QVariantList &args)
{
    const QString service = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
    if (m_remoteDesktop.isEmpty()) {
        const QDBusReply<QDBusObjectPath> created = m_bus.call(QDBusMessage::createMethodCall(
            service, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), service,
            QStringLiteral("CreateSession")));
        m_remoteDesktop = created.value().path();
        pointer(QStringLiteral("Start"), {});
    }
    auto call = QDBusMessage::createMethodCall(service, m_remoteDesktop,
                                               service + QStringLiteral(".Session"), method);
    call.setArguments(args);
    m_bus.call(call);
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
            QDBusConnection(QStringLiteral("gnome-a11y"))
                .call(QDBusMessage::createMethodCall(a.application, a.path,
                                                     QStringLiteral("org.a11y.atspi.Component"),
                                                     QStringLiteral("GetExtents"))
                      << 0u);                             // screen coordinates
        if (extents.type() != QDBusMessage::ReplyMessage) // gone meanwhile
            continue;
        const QDBusArgument box = extents.arguments().value(0).value<QDBusArgument>();
        int x = 0, y = 0, width = 0, height = 0;
        box.beginStructure();
        box >> x >> y >> width >> height;
        box.endStructure();
        if (width <= 0 || height <= 0)
            continue;
        // Relative moves only (absolute ones need a screen cast): first into the corner, so
        // that the pointer is where we think.
        const QString move = QStringLiteral("NotifyPointerMotionRelative");
        if (!m_pointer) {
            pointer(move, {-10000.0, -10000.0});
            m_pointer = QPointF(0, 0);
        }
        const QPointF target(x + width / 2.0, y + height / 2.0);
        pointer(move, {target.x() - m_pointer->x(), target.y() - m_pointer->y()});
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
