#pragma once

#include "Clock.h"
#include "DesktopBackends.h"
#include "MacWorkStore.h"
#include "TocklyBusObject.h"
#include "linux/AutostartLoginItems.h"
#include "linux/ClipboardPasteboard.h"
#include "linux/JsonSettingsStore.h"
#include "linux/QtRepeatingTimer.h"
#include "linux/SingleInstance.h"
#include "linux/SystemProcess.h"
#include "linux/UnixSignals.h"

#include <QObject>

#include <memory>

// The tracker process: claims the single instance (or hands its links to the one running),
// builds the desktop backends and the store on them, and handles application links. The
// windows and the tray item will hang off this object.
class AppEntry final : public QObject {
    Q_OBJECT
public:
    explicit AppEntry(const QStringList &arguments);
    ~AppEntry() override;

    // The process's exit code when it must not run on, else nothing: go on to the event loop.
    std::optional<int> start();

private:
    void startUp();

    SystemProcess m_process;
    QStringList m_links;
    QDBusConnection m_sessionBus;
    TocklyBusObject m_busObject;
    SingleInstance m_instance;

    SystemClock m_clock;
    std::unique_ptr<JsonSettingsStore> m_settings;
    std::unique_ptr<AutostartLoginItems> m_loginItems;
    QtRepeatingTimer m_timer;
    ClipboardPasteboard m_pasteboard;
    DesktopBackends m_backends;
    UnixSignals m_signals;
    // Last: it refers to everything above.
    std::unique_ptr<MacWorkStore> m_store;
};
