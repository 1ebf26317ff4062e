// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DesktopTestEnvironment.h"

#include <QTemporaryDir>

#include <memory>
#include <vector>

// What the headless compositors of the tests share: a private runtime folder (holding the
// compositor's log), a private session bus, the compositor, and the test windows it was asked to
// open. They all stop with the object.
class HeadlessCompositor {
public:
    virtual ~HeadlessCompositor() = default;
    // The environment of a client of this compositor and its bus (and of no X server), where
    // LeakSanitizer leaves aside what Qt's Wayland client leaves behind at exit.
    QProcessEnvironment clientEnvironment() const { return m_client; }
    const PrivateBus &sessionBus() const { return m_bus; }
    QString socketPath() const;

    // A window of tockly-test-wayland-client with that app_id and title; true once shown, which
    // gives it the focus. Closing it gives the focus back to the window below.
    bool openWindow(const QString &appId, const QString &title);
    void closeWindow(const QString &appId);
    // What a launcher hands to the program `appId` it starts on a click: an activation token the
    // compositor gave it with its seat, the serial of that click and its surface. The launcher
    // (app id "launcher", in the middle of the screen) stays open until closed, as a browser
    // whose link was clicked does. Empty (and why in `error`) when there is none.
    QString launcherToken(const QString &appId, QString *error);

protected:
    // The client environment for the socket `display` in `runtimeDir`, in that desktop.
    void setClient(const QString &runtimeDir, const QString &display, const QString &desktop);
    // Starts the compositor, its output going to the log; false (and the log's end in `error`)
    // when `ready` does not hold within `timeoutMs`.
    bool launch(const QString &program, const QStringList &arguments,
                const QProcessEnvironment &environment, int timeoutMs,
                const std::function<bool()> &ready, QString *error);
    void stop();
    // For compositors that lend no input device to clients: the pointer to the middle of the
    // screen, and a left click where it is.
    virtual void pointAtTheMiddle() {}
    virtual void click() {}

    QTemporaryDir m_runtime;
    PrivateBus m_bus;
    QProcessEnvironment m_client;
    ChildProcess m_process;

private:
    std::vector<std::pair<QString, std::unique_ptr<ChildProcess>>> m_windows;
};
