// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>

class DBusMenu;
class MacWorkStore;
class QDBusServiceWatcher;
class QAction;
class QMenu;
class QSystemTrayIcon;
class StatusNotifierItem;

// The item in the panel's status area. Where a StatusNotifierWatcher runs on the session bus the
// item is our StatusNotifierItem, with the store's menu-bar title as its label; elsewhere Qt's
// system tray icon stands in, with the title as its tooltip. While Tockly's GNOME Shell extension
// runs, it shows the item in the top bar itself and this one withdraws, so that the AppIndicator
// extension does not show a second. It moves between these as the services come and go. Both
// menus carry a "Track automatically" check that shows the store's setting and asks to change it.
//
// The StatusNotifierItem lives on a connection of its own, opened when the item is shown and
// closed when it withdraws: GNOME's AppIndicator extension, when it starts, also looks for items
// among the connections on the bus and names one it finds after any name its connection holds,
// so an item on Tockly's main connection, which holds other names, could show twice. Closing the
// connection is also what tells every host the item is gone.
class TrayItem : public QObject {
    Q_OBJECT
public:
    enum class Mode { none, statusNotifier, fallback, shellExtension };

    static inline const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
    static constexpr int registrationAttempts = 3;
    static constexpr int registrationCheckMs = 2000;

    // Opens a new connection to the bus of `bus` under the given connection name.
    using Connect = std::function<QDBusConnection(const QString &name)>;

    TrayItem(QDBusConnection bus, Connect connectItemBus, const MacWorkStore &store,
             QObject *parent = nullptr);
    ~TrayItem() override;

    Mode mode() const { return m_mode; }
    // The bus name the item registered under, while it is a StatusNotifierItem.
    QString serviceName() const { return m_serviceName; }
    QSystemTrayIcon *fallbackIcon() const { return m_fallback.get(); }

signals:
    // A left click, at the item's position on the screen when the panel gave one.
    void activated(QPoint position);
    void openRequested();
    void historyRequested();
    void otherComputersRequested();
    // The menu's "Track automatically" was chosen: the setting asked for.
    void autoTrackRequested(bool enabled);
    void quitRequested();
    void modeChanged();

private:
    void choose();
    void useStatusNotifier();
    void useFallback();
    void useShellExtension();
    void registerWithWatcher(int attemptsLeft);
    void withdrawStatusNotifier();
    void closeItemBus();
    void setMode(Mode mode);
    void follow();

    QDBusConnection m_bus;
    Connect m_connect;
    std::optional<QDBusConnection> m_itemBus; // while a StatusNotifierItem
    const MacWorkStore &m_store;
    Mode m_mode = Mode::none;
    QString m_serviceName;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<DBusMenu> m_menu;
    std::unique_ptr<QDBusServiceWatcher> m_watcher;
    std::unique_ptr<QMenu> m_fallbackMenu;
    QAction *m_autoTrackAction = nullptr; // in m_fallbackMenu
    std::unique_ptr<QSystemTrayIcon> m_fallback;
};
