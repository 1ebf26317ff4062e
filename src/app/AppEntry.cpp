// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppEntry.h"

#include "AppShell.h"
#include "CardPanel.h"
#include "CrewBaseUrl.h"
#include "Fonts.h"
#include "FootprintProbe.h"
#include "ShellExtensionOffer.h"
#include "SyncBusObject.h"
#include "TrayItem.h"
#include "UpdateChecker.h"
#include "WindowSlots.h"
#include "linux/MachineId.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Links are the arguments that are not launch options ("-quenbyReset", ...).
QStringList linksIn(const QStringList &arguments)
{
    QStringList links;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(u'-'))
            links << arguments[i];
    return links;
}

} // namespace

AppEntry::AppEntry(const QStringList &arguments)
    : m_process(arguments), m_links(linksIn(arguments)),
      m_sessionBus(QDBusConnection::sessionBus()),
      m_instance(m_sessionBus,
                 m_process.environmentValue(QStringLiteral("XDG_RUNTIME_DIR")).value_or(QString()))
{}

AppEntry::~AppEntry() = default;

std::optional<int> AppEntry::start()
{
    // Exported before the name is taken, so a later process that finds the name finds the
    // object too.
    if (m_sessionBus.isConnected())
        m_sessionBus.registerObject(SingleInstance::objectPath, &m_busObject);
    if (m_instance.claim() == SingleInstance::Role::later) {
        m_sessionBus.unregisterObject(SingleInstance::objectPath);
        QString error;
        // Launchers built on GLib before 2.76 (GNOME 43's own among them) hand the token over
        // only as DESKTOP_STARTUP_ID.
        const QString token =
            m_process.environmentValue(QStringLiteral("XDG_ACTIVATION_TOKEN"))
                .value_or(m_process.environmentValue(QStringLiteral("DESKTOP_STARTUP_ID"))
                              .value_or(QString()));
        if (!m_instance.handOver(m_links, token, &error)) {
            std::fprintf(stderr, "tockly: already running (%s); %s\n",
                         qPrintable(m_instance.mechanism()), qPrintable(error));
            return 1;
        }
        std::fprintf(stderr, "tockly: already running; %lld link(s) handed over\n",
                     qlonglong(m_links.size()));
        return 0;
    }

    m_settings = std::make_unique<JsonSettingsStore>(JsonSettingsStore::defaultPath(m_process));
    m_loginItems = std::make_unique<AutostartLoginItems>(xdgConfigHome(m_process),
                                                         QCoreApplication::applicationFilePath());
    m_backends = DesktopBackends::build(m_process, m_sessionBus, QDBusConnection::systemBus());
    const MacWorkStore::Services services{m_clock,
                                          Calendar::system(),
                                          *m_backends.input,
                                          *m_backends.workspace,
                                          *m_settings,
                                          *m_loginItems,
                                          m_process,
                                          m_timer,
                                          xdgDataHome(m_process),
                                          m_crewConnection,
                                          &m_folderWatcher,
                                          systemMachineId()};
    QString error;
    m_store = MacWorkStore::open(services, &error);
    if (!m_store) {
        std::fprintf(stderr, "tockly: %s\n", qPrintable(error));
        return 1;
    }
    // A refused crew service address leaves crews unavailable; say so once, at start.
    if (const QString problem = CrewClient::baseUrlProblem(); !problem.isEmpty())
        std::fprintf(stderr, "tockly: %s\n", qPrintable(problem));

    connect(&m_signals, &UnixSignals::received, this, [this] {
        m_store->writePendingActivity();
        QCoreApplication::quit();
    });
    m_pasteboard = std::make_unique<ClipboardPasteboard>(
        m_backends.facts.wayland ? m_backends.facts.waylandDisplay : QString());
    m_store->crews()->setPasteboard(m_pasteboard.get());
    // The offer is also visible on the bus.
    connect(m_store->crews(), &Crews::inviteWindowRequested, &m_busObject,
            &TocklyBusObject::setPendingInvite);
    buildShell();
    connect(&m_busObject, &TocklyBusObject::linksReceived, this,
            [this](const QStringList &links, const QString &token) {
                // The token is for the window these links open, and for no later one.
                m_shell->windows().setActivationToken(token);
                m_store->crews()->openInviteLinks(links);
                m_shell->windows().setActivationToken(QString());
            });
    QTimer::singleShot(0, this, &AppEntry::startUp);
    return std::nullopt;
}

void AppEntry::buildShell()
{
    setUpFonts();
    m_shell = std::make_unique<AppShell>(*m_store, *m_settings);
    CardPanel &card = m_shell->card();

    m_tray = std::make_unique<TrayItem>(
        m_sessionBus,
        [](const QString &name) {
            return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
        },
        *m_store);
    m_shell->attachTray(*m_tray);
    connect(&m_busObject, &TocklyBusObject::cardToggleRequested, &card, [&card] { card.toggle(); });
    connect(&m_busObject, &TocklyBusObject::cardRequested, &card, [&card] { card.show(); });
    connect(&m_busObject, &TocklyBusObject::cardHideRequested, &card, &CardPanel::hide);
    connect(&m_busObject, &TocklyBusObject::historyRequested, m_shell.get(),
            &AppShell::showHistory);
    connect(&m_busObject, &TocklyBusObject::otherComputersRequested, m_shell.get(),
            &AppShell::showOtherComputers);
    m_syncBusObject = std::make_unique<SyncBusObject>(*m_store);
    if (m_sessionBus.isConnected())
        m_sessionBus.registerObject(SyncBusObject::objectPath, m_syncBusObject.get(),
                                    QDBusConnection::ExportScriptableSlots);
    connect(&m_busObject, &TocklyBusObject::quitRequested, m_shell.get(), &AppShell::quit);
    connect(m_shell.get(), &AppShell::quitRequested, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);

    connect(m_store.get(), &MacWorkStore::menuBarTitleChanged, this, &AppEntry::publishStatus);
    connect(m_store.get(), &MacWorkStore::statusTextChanged, this, &AppEntry::publishStatus);
    connect(m_store.get(), &MacWorkStore::isTrackingChanged, this, &AppEntry::publishStatus);
    connect(m_store.get(), &MacWorkStore::autoTrackEnabledChanged, this, &AppEntry::publishStatus);
    connect(&m_busObject, &TocklyBusObject::autoTrackChangeRequested, m_store.get(),
            &MacWorkStore::setAutoTrackEnabled);
    publishStatus();

    m_updater = std::make_unique<UpdateChecker>(
        UpdateChecker::Options{UpdateChecker::feedFromEnvironment(),
                               QCoreApplication::applicationVersion(), m_sessionBus});
    connect(m_shell.get(), &AppShell::posted, m_updater.get(), [this](const QString &name) {
        if (name == AppShell::checkForUpdatesName)
            m_updater->checkForUpdates();
    });
    if (m_process.arguments().contains(QStringLiteral("-quenbyCheckUpdates")))
        QTimer::singleShot(1000, m_updater.get(), &UpdateChecker::checkForUpdates);
    // The feed's own schedule: a while after start, then daily.
    m_updater->startAutomaticChecks(10 * 60 * 1000, 24 * 60 * 60 * 1000);

    if (FootprintProbe::wanted())
        m_probe = std::make_unique<FootprintProbe>(m_sessionBus);
}

void AppEntry::publishStatus()
{
    m_busObject.setStatus(m_store->menuBarTitle(), m_store->statusText(), m_store->isTracking(),
                          m_store->autoTrackEnabled());
}

void AppEntry::startUp()
{
    // The pasteboard is read once, at start, before the links of this start; the welcome only
    // when neither offered an invitation.
    m_shell->startUp(m_links, m_pasteboard->readsOnlyWithFocus());
    m_shellExtensionOffer = std::make_unique<ShellExtensionOffer>(m_sessionBus, *m_settings);
    m_shellExtensionOffer->offerIfNeeded(m_backends.facts.gnomeExtension.state);
}
