// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's services on a private bus, for the platform tests:
//   tockly-fake-desktop-services ADDRESS [login1] [screensaver-idle=S]
// The logind has sleep notices, inhibitor locks and the sessions the test sets.
// Prints "ready" once every name is owned.

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <poll.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

// One row of ListSessions: id, user id, user name, seat, object path.
struct SessionRow {
    QString id;
    uint uid = 0;
    QString user;
    QString seat;
    QDBusObjectPath path;
};
Q_DECLARE_METATYPE(SessionRow)

QDBusArgument &operator<<(QDBusArgument &a, const SessionRow &r)
{
    a.beginStructure();
    a << r.id << r.uid << r.user << r.seat << r.path;
    a.endStructure();
    return a;
}

const QDBusArgument &operator>>(const QDBusArgument &a, SessionRow &r)
{
    a.beginStructure();
    a >> r.id >> r.uid >> r.user >> r.seat >> r.path;
    a.endStructure();
    return a;
}

// A session's properties, as logind serves them at its object path.
class FakeSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool Active MEMBER active)
    Q_PROPERTY(bool Remote MEMBER remote)
public:
    SessionRow row;
    bool active = false;
    bool remote = false;
};

class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogind() override
    {
        for (int fd : readEnds)
            close(fd);
    }

    std::vector<int> readEnds; // of the locks handed out
    std::map<QString, std::unique_ptr<FakeSession>> sessions;
    int sessionLists = 0;

public slots:
    QList<SessionRow> ListSessions()
    {
        ++sessionLists;
        QList<SessionRow> rows;
        for (const auto &[id, session] : sessions)
            rows << session->row;
        return rows;
    }

    QDBusUnixFileDescriptor Inhibit(const QString &, const QString &, const QString &,
                                    const QString &)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return {};
        readEnds.push_back(fds[0]);
        QDBusUnixFileDescriptor handed(fds[1]);
        close(fds[1]);
        return handed;
    }

signals:
    void PrepareForSleep(bool start);
};

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    uint idleSeconds = 0;
public slots:
    uint GetSessionIdleTime() { return idleSeconds; }
};

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.test.FakeDesktop")
public:
    explicit Control(QDBusConnection bus) : bus(bus) {}
    FakeLogind logind;
    QDBusConnection bus;
public slots:
    // Adds or changes a session; an empty seat makes it seatless, as a remote login is.
    void SetSession(const QString &id, uint uid, const QString &seat, bool active, bool remote)
    {
        auto &s = logind.sessions[id];
        if (!s) {
            s = std::make_unique<FakeSession>();
            s->row.path = QDBusObjectPath(u"/org/freedesktop/login1/session/"_s + id);
            bus.registerObject(s->row.path.path(), s.get(), QDBusConnection::ExportAllProperties);
        }
        s->row = {id, uid, u"user%1"_s.arg(uid), seat, s->row.path};
        s->active = active;
        s->remote = remote;
    }
    // How often the session list was asked for.
    int SessionLists() { return logind.sessionLists; }
    void EmitPrepareForSleep(bool start) { emit logind.PrepareForSleep(start); }
    // Locks whose holder has not closed its end yet: the read end of a pipe reports a hang-up
    // once every write end is closed, as logind sees it.
    int InhibitorsHeld()
    {
        return int(std::count_if(logind.readEnds.cbegin(), logind.readEnds.cend(), [](int fd) {
            pollfd p{fd, POLLIN, 0};
            return poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP);
        }));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QDBusConnection bus = QDBusConnection::connectToBus(args.value(1), u"fake"_s);
    qDBusRegisterMetaType<SessionRow>();
    qDBusRegisterMetaType<QList<SessionRow>>();
    const auto all = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals;
    Control control(bus);
    FakeScreenSaver screenSaver;
    bool ok = bus.isConnected() && bus.registerObject(u"/Control"_s, &control, all);
    for (const QString &a : args.mid(2)) {
        if (a == "login1"_L1) {
            ok = ok && bus.registerObject(u"/org/freedesktop/login1"_s, &control.logind, all) &&
                 bus.registerService(u"org.freedesktop.login1"_s);
        } else if (a.startsWith("screensaver-idle="_L1)) {
            screenSaver.idleSeconds = a.section(u'=', 1).toUInt();
            ok = ok && bus.registerObject(u"/org/freedesktop/ScreenSaver"_s, &screenSaver, all) &&
                 bus.registerService(u"org.freedesktop.ScreenSaver"_s);
        }
    }
    if (!ok)
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

#include "FakeDesktopServices.moc"
