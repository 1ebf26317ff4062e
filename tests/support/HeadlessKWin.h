#pragma once

#include "DesktopTestEnvironment.h"
#include "HeadlessSway.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A headless KWin of the test's own, on a session bus of its own: one virtual output, software
// compositing, its socket in a private runtime folder. The sandbox refuses binaries with file
// capabilities, so it runs a plain copy of kwin_wayland. Stops with the object, and so do the
// windows it was asked to open.
class HeadlessKWin {
public:
    ~HeadlessKWin() { stopProcess(m_kwin); }
    // Returns once KWin answers on the bus.
    bool start(QString *error);

    const PrivateBus &bus() const { return m_bus; }
    QString socketPath() const { return m_runtime.filePath(socketName); }
    // The environment of a client of this compositor and its bus (and of no X server).
    QProcessEnvironment clientEnvironment() const;

    // Opens Chromium as a native Wayland client on `url` (a local file); it takes the focus once
    // its window is shown, some seconds later.
    bool openChromium(const QString &url, QString *error);
    bool openWindow(const QString &appId, const QString &title, QString *error)
    {
        return m_windows.open(clientEnvironment(), appId, title, error);
    }

private:
    static inline const QString socketName = QStringLiteral("kwin-test");

    QTemporaryDir m_runtime;
    PrivateBus m_bus;
    QProcess m_kwin;
    TestWindows m_windows;
};
