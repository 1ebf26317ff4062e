#pragma once

#include "DesktopTestEnvironment.h"
#include "HeadlessSway.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A headless KWin of the test's own, on a session bus of its own: one virtual output, software
// compositing, its socket in a private runtime folder. The sandbox refuses binaries with file
// capabilities, so it runs a plain copy of kwin_wayland. Stops with the object, and so do the
// windows it was asked to open.
class HeadlessKWin {
public:
    ~HeadlessKWin();
    // Returns once KWin answers on the bus.
    bool start(QString *error);

    const PrivateBus &bus() const { return m_bus; }
    QString socketPath() const { return m_runtime.filePath(socketName); }
    // The environment of a client of this compositor and its bus (and of no X server).
    QProcessEnvironment clientEnvironment() const;

    // Opens Chromium as a native Wayland client on `url` (a local file); it takes the focus once
    // its window is shown, some seconds later.
    bool openChromium(const QString &url, QString *error);
    // Opens a window of the test client with that app_id and waits until it is shown.
    bool openWindow(const QString &appId, const QString &title, QString *error)
    {
        auto window = openTestWindow(clientEnvironment(), appId, title, error);
        if (!window)
            return false;
        m_windows.push_back(std::move(window));
        return true;
    }

private:
    static inline const QString socketName = QStringLiteral("kwin-test");

    QTemporaryDir m_runtime;
    PrivateBus m_bus;
    QProcess m_kwin;
    std::vector<std::unique_ptr<QProcess>> m_windows;
};
