// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppShell.h"

#include "CardModel.h"
#include "CardPanel.h"
#include "CrewModel.h"
#include "MacWorkStore.h"
#include "SettingsStore.h"
#include "TrayItem.h"
#include "WindowSlots.h"

#include <QCoreApplication>
#include <QGuiApplication>

// The module's generated type registration. It runs when the module is first imported, once it
// is linked in: the linker leaves it out of the static library unless something refers to it.
void qml_register_types_Tockly();

AppShell::AppShell(MacWorkStore &store, SettingsStore &settings, QObject *parent)
    : QObject(parent), m_store(store), m_settings(settings),
      m_cardModel(std::make_unique<CardModel>(store)),
      m_crewModel(std::make_unique<CrewModel>(store)), m_engine(this)
{
    volatile auto registration = &qml_register_types_Tockly;
    Q_UNUSED(registration);
    // The module's files are in the resources, under qrc:/Tockly.
    m_engine.addImportPath(QStringLiteral("qrc:/"));
    m_windows = std::make_unique<WindowSlots>(m_engine, store);
    m_card = std::make_unique<CardPanel>(m_engine);
    connect(m_card.get(), &CardPanel::shownChanged, m_cardModel.get(), &CardModel::setShown);
    connect(m_card.get(), &CardPanel::shownChanged, m_crewModel.get(), &CrewModel::setShown);
    connect(store.crews(), &Crews::inviteWindowRequested, m_windows.get(),
            &WindowSlots::showInviteWindow);
}

// The windows go before the engine that built them.
AppShell::~AppShell()
{
    m_card.reset();
    m_windows.reset();
}

AppShell &AppShell::owning(const QQmlEngine &engine)
{
    auto *shell = qobject_cast<AppShell *>(engine.parent());
    Q_ASSERT(shell);
    return *shell;
}

AppShell *AppShell::create(QQmlEngine *engine, QJSEngine *)
{
    AppShell *shell = &owning(*engine);
    QJSEngine::setObjectOwnership(shell, QJSEngine::CppOwnership);
    return shell;
}

QString AppShell::version() const
{
    return QCoreApplication::applicationVersion();
}

void AppShell::startUp(const QStringList &links, bool pasteboardNeedsFocus)
{
    if (pasteboardNeedsFocus)
        checkPasteboardAtFirstFocus();
    else
        m_store.crews()->checkPasteboardForInvite();
    m_store.crews()->openInviteLinks(links);
    // A first start caused by an invitation leaves the welcome for a later start.
    if (!m_store.crews()->hasPendingInvite())
        showWelcomeIfNeeded();
}

void AppShell::checkPasteboardAtFirstFocus()
{
    m_firstFocus =
        connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *window) {
            if (!window)
                return;
            disconnect(m_firstFocus);
            m_store.crews()->checkPasteboardForInvite();
        });
}

void AppShell::attachTray(TrayItem &tray)
{
    CardPanel *card = m_card.get();
    connect(&tray, &TrayItem::activated, card, [card](QPoint at) { card->toggle(at); });
    connect(&tray, &TrayItem::openRequested, card, [card] { card->show(); });
    connect(&tray, &TrayItem::historyRequested, this, &AppShell::showHistory);
    connect(&tray, &TrayItem::otherComputersRequested, this, &AppShell::showOtherComputers);
    connect(&tray, &TrayItem::autoTrackRequested, &m_store, &MacWorkStore::setAutoTrackEnabled);
    connect(&tray, &TrayItem::quitRequested, this, &AppShell::quit);
}

void AppShell::showWelcomeIfNeeded()
{
    if (m_settings.boolValue(welcomedKey).value_or(false))
        return;
    // Set before the window is built: a crash while it is open does not offer it again.
    m_settings.setValue(welcomedKey, true);
    showWelcome();
}

void AppShell::showWelcome()
{
    m_windows->showWelcome();
}

void AppShell::showHowItWorks()
{
    m_windows->showHowItWorks();
}

void AppShell::showHistory()
{
    m_windows->showHistory();
}

void AppShell::showOtherComputers()
{
    m_windows->showOtherComputers();
}

void AppShell::requestUpdateCheck()
{
    emit posted(checkForUpdatesName);
}

void AppShell::quit()
{
    emit quitRequested();
}
