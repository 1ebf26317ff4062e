// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Clock.h"
#include "CrewClient.h"
#include "DesktopBackends.h"
#include "MacWorkStore.h"
#include "TocklyBusObject.h"
#include "linux/AutostartLoginItems.h"
#include "linux/ClipboardPasteboard.h"
#include "linux/InotifyFolderWatcher.h"
#include "linux/JsonSettingsStore.h"
#include "linux/QtRepeatingTimer.h"
#include "linux/SingleInstance.h"
#include "linux/SystemProcess.h"
#include "linux/UnixSignals.h"

#include <QObject>

#include <memory>

class AppShell;
class SyncBusObject;
class FootprintProbe;
class ShellExtensionOffer;
class TrayItem;
class UpdateChecker;

// The tracker process: claims the single instance (or hands its links to the one running),
// builds the desktop backends and the store on them, then the shell with its windows, the tray
// item and the updater, and handles application links.
class AppEntry final : public QObject {
    Q_OBJECT
public:
    explicit AppEntry(const QStringList &arguments);
    ~AppEntry() override;

    // The process's exit code when it must not run on, else nothing: go on to the event loop.
    std::optional<int> start();

private:
    void startUp();
    void buildShell();
    void publishStatus();

    SystemProcess m_process;
    QStringList m_links;
    QDBusConnection m_sessionBus;
    TocklyBusObject m_busObject;
    SingleInstance m_instance;

    SystemClock m_clock;
    std::unique_ptr<JsonSettingsStore> m_settings;
    std::unique_ptr<AutostartLoginItems> m_loginItems;
    QtRepeatingTimer m_timer;
    InotifyFolderWatcher m_folderWatcher;
    std::unique_ptr<ClipboardPasteboard> m_pasteboard;
    DesktopBackends m_backends;
    UnixSignals m_signals;
    // It refers to everything above.
    CrewClient::HttpConnection m_crewConnection;
    std::unique_ptr<MacWorkStore> m_store;
    // These refer to the store, so they go first.
    std::unique_ptr<AppShell> m_shell;
    std::unique_ptr<TrayItem> m_tray;
    std::unique_ptr<UpdateChecker> m_updater;
    std::unique_ptr<SyncBusObject> m_syncBusObject;
    std::unique_ptr<FootprintProbe> m_probe;
    std::unique_ptr<ShellExtensionOffer> m_shellExtensionOffer;
};
