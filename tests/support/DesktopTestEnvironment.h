#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QVariant>

// The desktop a platform test needs, started by the test itself and private to it: an X server
// for real X input, dbus-daemons standing in for the session and system buses, and fake desktop
// services on them. Each stops when its object goes.

// Xvfb on a free display that it picks itself (-displayfd), listening on no TCP port.
class XvfbServer {
public:
    ~XvfbServer();
    bool start(QString *error);
    QString display() const { return m_display; }
    // Runs xdotool on this display and waits for it to finish.
    bool xdotool(const QStringList &arguments) const;

private:
    QProcess m_process;
    QString m_display;
};

// A dbus-daemon of our own. The "system" kind uses a configuration that lets the fake system
// services own their names. The services it starts on demand get `environment` (default: ours).
class PrivateBus {
public:
    enum class Kind { session, system };
    ~PrivateBus();
    bool start(Kind kind, QString *error, const QProcessEnvironment &environment = {});
    QString address() const { return m_address; }
    // A new connection of this process to the bus, under a name of its own.
    QDBusConnection connect(const QString &connectionName) const;

private:
    QProcess m_process;
    QString m_address;
    QStringList m_connections;
};

// The helper process playing the desktop's services on a private bus: with "login1" it is a
// logind that hands out delay inhibitor locks, announces sleep on request and lists the sessions
// the test sets (SetSession: id, uid, seat, active, remote); with "screensaver-idle=S" it answers
// the idle-time query. Control methods
// live at /Control, interface org.quenby.test.FakeDesktop.
class FakeDesktopServices {
public:
    ~FakeDesktopServices();
    bool start(const QString &busAddress, const QStringList &services, QString *error);

private:
    QProcess m_process;
};

// A property of an object on the bus; invalid when it cannot be read.
QVariant busProperty(const QDBusConnection &bus, const QString &service, const QString &path,
                     const QString &interface, const QString &name);

// Asks a process to end, and kills it when it does not within 3 s.
void stopProcess(QProcess &process);
// The process gets SIGTERM when the test dies before it could stop it.
void stopWithParent(QProcess &process);

// Waits for a process's standard output to give one line; empty on timeout.
QString readLine(QProcess &process, int timeoutMs = 10000);
