#pragma once

#include "DesktopTestEnvironment.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// The windows a compositor was asked to open, by app_id; they stop with the object.
class TestWindows {
public:
    ~TestWindows() { close({}); }
    // Opens a window of tockly-test-wayland-client with that app_id and title, and waits until
    // the compositor of `environment` shows it; false (and why in `error`) after 10 s.
    bool open(const QProcessEnvironment &environment, const QString &appId, const QString &title,
              QString *error);
    void add(const QString &appId, std::unique_ptr<QProcess> process)
    {
        m_windows.emplace_back(appId, std::move(process));
    }
    // Closes those of that app_id; all of them when it is empty.
    void close(const QString &appId);

private:
    std::vector<std::pair<QString, std::unique_ptr<QProcess>>> m_windows;
};

// A headless sway of the test's own: no outputs but a virtual one, no input devices, software
// rendering, its sockets in a private runtime folder. sway refuses to run as root, so under root
// it runs as the unprivileged user "nobody" (root still reaches its sockets). Stops with the
// object, and so do the windows it was asked to open.
class HeadlessSway {
public:
    ~HeadlessSway() { stopProcess(m_sway); }
    bool start(QString *error);

    QString socketPath() const { return m_runtime.filePath(m_display); }
    // The environment of a client of this compositor (and of no X server).
    QProcessEnvironment clientEnvironment() const;

    // Runs swaymsg with these arguments and waits for it; true when sway said success. Its
    // reply (JSON) goes to `reply` when given.
    bool swaymsg(const QStringList &arguments, QByteArray *reply = nullptr) const;
    bool openWindow(const QString &appId, const QString &title, QString *error)
    {
        return m_windows.open(clientEnvironment(), appId, title, error);
    }

private:
    QTemporaryDir m_runtime;
    QProcess m_sway;
    QString m_display;
    QString m_ipcSocket;
    TestWindows m_windows;
};

// The environment of a client of the compositor with that runtime folder and socket name, in
// that desktop (and of no X server).
QProcessEnvironment waylandClientEnvironment(const QString &runtimeDir, const QString &display,
                                             const QString &desktop);
// "WHAT did not start: " and the end of the log it left.
QString startFailure(const QString &what, const QString &logPath);
// A new activation token from the compositor of `environment`, as a launcher gets one for the
// program it starts; empty when it offers no xdg-activation.
QString activationToken(const QProcessEnvironment &environment);
