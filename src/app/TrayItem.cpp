// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TrayItem.h"

#include "DBusMenu.h"
#include "MacWorkStore.h"
#include "StatusNotifierItem.h"
#include "StatusWords.h"
#include "TrayIcon.h"
#include "linux/GnomeShellExtension.h"

#include <QAction>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

TrayItem::TrayItem(QDBusConnection bus, Connect connectItemBus, const MacWorkStore &store,
                   QObject *parent)
    : QObject(parent), m_bus(std::move(bus)), m_connect(std::move(connectItemBus)), m_store(store),
      m_serviceName(
          QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid()))
{
    m_item = std::make_unique<StatusNotifierItem>();
    m_menu = std::make_unique<DBusMenu>();
    follow();
    connect(&store, &MacWorkStore::menuBarTitleChanged, this, &TrayItem::follow);
    connect(&store, &MacWorkStore::statusTextChanged, this, &TrayItem::follow);
    connect(&store, &MacWorkStore::autoTrackEnabledChanged, this, &TrayItem::follow);
    connect(m_item.get(), &StatusNotifierItem::activated, this, &TrayItem::activated);
    connect(m_menu.get(), &DBusMenu::triggered, this, [this](DBusMenu::Entry entry) {
        if (entry == DBusMenu::open)
            emit openRequested();
        else if (entry == DBusMenu::history)
            emit historyRequested();
        else if (entry == DBusMenu::otherComputers)
            emit otherComputersRequested();
        else if (entry == DBusMenu::autoTrack)
            emit autoTrackRequested(!m_store.autoTrackEnabled());
        else if (entry == DBusMenu::quit)
            emit quitRequested();
    });

    if (m_bus.isConnected()) {
        m_watcher = std::make_unique<QDBusServiceWatcher>(watcherService, m_bus,
                                                          QDBusServiceWatcher::WatchForOwnerChange);
        m_watcher->addWatchedService(GnomeShellExtension::serviceName);
        connect(m_watcher.get(), &QDBusServiceWatcher::serviceOwnerChanged, this,
                &TrayItem::choose);
    }
    choose();
}

TrayItem::~TrayItem()
{
    withdrawStatusNotifier();
}

void TrayItem::choose()
{
    if (GnomeShellExtension::isActive(m_bus))
        useShellExtension();
    else if (m_bus.isConnected() && m_bus.interface() &&
             m_bus.interface()->isServiceRegistered(watcherService))
        useStatusNotifier();
    else
        useFallback();
}

void TrayItem::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    emit modeChanged();
}

void TrayItem::useStatusNotifier()
{
    if (m_mode != Mode::statusNotifier) {
        // Qt's own tray icon may hold a name like ours: it goes first.
        m_fallback.reset();
        m_autoTrackAction = nullptr;
        m_fallbackMenu.reset();
        // The name before the objects: a host that finds the objects finds them under it.
        m_itemBus = m_connect(m_serviceName);
        const auto contents =
            QDBusConnection::ExportScriptableContents | QDBusConnection::ExportAllProperties;
        if (!m_itemBus->registerService(m_serviceName) ||
            !m_itemBus->registerObject(StatusNotifierItem::objectPath, m_item.get(), contents) ||
            !m_itemBus->registerObject(StatusNotifierItem::menuPath, m_menu.get(), contents)) {
            closeItemBus();
            useFallback();
            return;
        }
    }
    // A watcher that restarted has forgotten us: registering again is how it learns.
    registerWithWatcher(registrationAttempts);
    setMode(Mode::statusNotifier);
}

// A watcher that is itself starting can drop an item registered meanwhile (GNOME's AppIndicator
// extension does when it also finds the item on its own), so once it has settled we look for
// ours in its list and register again when it is missing.
void TrayItem::registerWithWatcher(int attemptsLeft)
{
    const QString path = QStringLiteral("/StatusNotifierWatcher");
    m_bus.asyncCall(QDBusMessage::createMethodCall(watcherService, path, watcherService,
                                                   QStringLiteral("RegisterStatusNotifierItem"))
                    << m_serviceName);
    if (--attemptsLeft == 0)
        return;
    QTimer::singleShot(registrationCheckMs, this, [this, path, attemptsLeft] {
        if (m_mode != Mode::statusNotifier)
            return;
        const auto get =
            QDBusMessage::createMethodCall(watcherService, path,
                                           QStringLiteral("org.freedesktop.DBus.Properties"),
                                           QStringLiteral("Get"))
            << watcherService << QStringLiteral("RegisteredStatusNotifierItems");
        auto *reply = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
        connect(reply, &QDBusPendingCallWatcher::finished, this, [this, attemptsLeft, reply] {
            reply->deleteLater();
            const QDBusPendingReply<QDBusVariant> items = *reply;
            // Entries are our name, or our name and path.
            const QStringList listed = items.value().variant().toStringList();
            if (items.isValid() && m_mode == Mode::statusNotifier &&
                std::none_of(listed.cbegin(), listed.cend(), [this](const QString &item) {
                    return item.startsWith(m_serviceName);
                }))
                registerWithWatcher(attemptsLeft);
        });
    });
}

void TrayItem::withdrawStatusNotifier()
{
    if (m_mode == Mode::statusNotifier)
        closeItemBus();
}

void TrayItem::closeItemBus()
{
    if (!m_itemBus)
        return;
    m_itemBus->unregisterObject(StatusNotifierItem::objectPath);
    m_itemBus->unregisterObject(StatusNotifierItem::menuPath);
    m_itemBus->unregisterService(m_serviceName);
    m_itemBus.reset();
    QDBusConnection::disconnectFromBus(m_serviceName);
}

void TrayItem::useShellExtension()
{
    withdrawStatusNotifier();
    m_fallback.reset();
    m_fallbackMenu.reset();
    setMode(Mode::shellExtension);
}

void TrayItem::useFallback()
{
    withdrawStatusNotifier();
    if (!m_fallback) {
        m_fallbackMenu = std::make_unique<QMenu>();
        m_fallbackMenu->addAction(DBusMenu::label(DBusMenu::open), this, &TrayItem::openRequested);
        m_fallbackMenu->addAction(DBusMenu::label(DBusMenu::history), this,
                                  &TrayItem::historyRequested);
        m_fallbackMenu->addAction(DBusMenu::label(DBusMenu::otherComputers), this,
                                  &TrayItem::otherComputersRequested);
        m_fallbackMenu->addSeparator();
        m_autoTrackAction = m_fallbackMenu->addAction(DBusMenu::label(DBusMenu::autoTrack));
        m_autoTrackAction->setCheckable(true);
        m_autoTrackAction->setChecked(m_store.autoTrackEnabled());
        // Only the user's choice: the store's own changes arrive through follow().
        connect(m_autoTrackAction, &QAction::triggered, this, &TrayItem::autoTrackRequested);
        m_fallbackMenu->addSeparator();
        m_fallbackMenu->addAction(DBusMenu::label(DBusMenu::quit), this, &TrayItem::quitRequested);
        m_fallback = std::make_unique<QSystemTrayIcon>(smileyIcon());
        m_fallback->setContextMenu(m_fallbackMenu.get());
        m_fallback->setToolTip(m_store.menuBarTitle());
        connect(m_fallback.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        emit activated(m_fallback->geometry().center());
                });
        m_fallback->show();
    }
    setMode(Mode::fallback);
}

void TrayItem::follow()
{
    m_item->setTitle(m_store.menuBarTitle());
    m_item->setToolTipText(statusWords(m_store.statusText()));
    m_menu->setAutoTrackChecked(m_store.autoTrackEnabled());
    if (m_fallback) {
        m_fallback->setToolTip(m_store.menuBarTitle());
        m_autoTrackAction->setChecked(m_store.autoTrackEnabled());
    }
}
