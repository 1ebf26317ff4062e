#pragma once

#include "HeadlessSway.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <QPointF>

#include <optional>

// A headless GNOME Shell of the test's own: Wayland on one virtual monitor, no Xwayland, private
// session and system buses, a private home whose settings are a key file (the machine's stay
// untouched), Tockly's extension installed for its user. Accessibility is on, so that a test
// reads the screen as a screen reader does; the pointer is driven as a remote desktop. Stops
// with the object, and so do its windows.
class HeadlessGnomeShell {
public:
    // What a screen reader finds on the screen (AT-SPI): an object of the Shell's.
    struct Accessible {
        QString application; // its connection to the accessibility bus
        QString path;
        QString name;
        uint role = 0; // AT-SPI's: 29 a label, 43 a push button, 33 a menu
        bool showing = false;
    };

    using References = QList<std::pair<QString, QDBusObjectPath>>; // (application, path)

    ~HeadlessGnomeShell();
    // `extensions` are enabled from the start; `applications` maps desktop-file ids to the
    // Name= of .desktop files in the session's data folder.
    bool start(const QStringList &extensions, const QMap<QString, QString> &applications,
               QString *error);

    QString home() const { return m_home.path(); }
    QDBusConnection bus() const { return m_bus; }
    // The environment of a program of this session (and of no X server).
    QProcessEnvironment clientEnvironment() const;

    // A new window takes the focus; when it closes, the focus goes back to the window below.
    bool openWindow(const QString &appId, const QString &title, QString *error)
    {
        return m_windows.open(clientEnvironment(), appId, title, error);
    }
    void closeWindow(const QString &appId) { m_windows.close(appId); }

    // The Shell's org.gnome.Shell.Extensions: the extension's state (1 enabled, 2 disabled, 6
    // loaded but never enabled), and switching it.
    int extensionState(const QString &uuid) const;
    bool setExtensionEnabled(const QString &uuid, bool enabled) const;

    // The shown windows' WM classes (Wayland app ids), the focused one first, from the Shell's
    // own introspection interface (it answers the desktop portal, whose name the test takes).
    QStringList windows() const;

    // What the Shell shows now, as a screen reader finds it.
    QList<Accessible> accessibles() const;
    // Shown objects of that role whose name is `name`.
    int countShown(const QString &name, uint role) const;

    // The user at the pointer, through Mutter's remote desktop interface: a small move (the
    // user is active again), the pointer over the middle of what shows under that name and
    // role, or a click there.
    void nudgePointer();
    bool pointAt(const QString &name, uint role);
    bool click(const QString &name, uint role, bool rightButton = false);

private:
    References applications() const;
    QVariant shellProperty(const QString &name) const;
    bool connectAccessibility();
    void pointer(const QString &method, const QVariantList &args);

    QTemporaryDir m_home;
    PrivateBus m_systemBus;
    PrivateBus m_sessionBus;
    QProcess m_shell;
    QProcessEnvironment m_env;
    QDBusConnection m_bus{QString()};
    QString m_remoteDesktop; // the session's path
    std::optional<QPointF> m_pointer;
    TestWindows m_windows;
};
