// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <memory>

class CardModel;
class CrewModel;
class CardPanel;
class MacWorkStore;
class SettingsStore;
class TrayItem;
class WindowSlots;

// The application around the store: the QML engine with the card and the window slots, the
// start-up sequence that decides between an invitation and the welcome, and the commands the
// views call (the singleton Shell in QML).
class AppShell : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Shell)
    QML_SINGLETON
    // The short version string; empty when the build has none.
    Q_PROPERTY(QString version READ version CONSTANT)

public:
    static inline const QString welcomedKey = QStringLiteral("quenby.mac.welcomed.v1");
    // The in-process notification that asks the updater to check now.
    static inline const QString checkForUpdatesName = QStringLiteral("quenbyCheckForUpdates");

    AppShell(MacWorkStore &store, SettingsStore &settings, QObject *parent = nullptr);
    ~AppShell() override;

    // The shell that owns the engine: the views' singletons are its objects.
    static AppShell &owning(const QQmlEngine &engine);
    static AppShell *create(QQmlEngine *engine, QJSEngine *);

    QQmlEngine &engine() { return m_engine; }
    MacWorkStore &store() { return m_store; }
    CardModel &cardModel() { return *m_cardModel; }
    CrewModel &crewModel() { return *m_crewModel; }
    CardPanel &card() { return *m_card; }
    WindowSlots &windows() { return *m_windows; }
    QString version() const;

    // Once, after the store is built: the pasteboard invitation, the links the process was
    // started with, and the welcome only when neither offered an invitation. A pasteboard that
    // is readable only while one of our windows has the keyboard focus (Wayland without
    // data-control) is read when one first has it instead.
    void startUp(const QStringList &links = {}, bool pasteboardNeedsFocus = false);
    // A click on the tray item toggles the card; its menu opens the card or the history, switches
    // automatic tracking, or quits.
    void attachTray(TrayItem &tray);
    void showWelcomeIfNeeded();

    Q_INVOKABLE void showWelcome();
    Q_INVOKABLE void showHowItWorks();
    Q_INVOKABLE void showHistory();
    Q_INVOKABLE void showOtherComputers();
    Q_INVOKABLE void requestUpdateCheck();
    Q_INVOKABLE void quit();

signals:
    // An in-process notification by name, for the observers that registered for it.
    void posted(const QString &name);
    void quitRequested();

private:
    void checkPasteboardAtFirstFocus();

    MacWorkStore &m_store;
    SettingsStore &m_settings;
    std::unique_ptr<CardModel> m_cardModel;
    std::unique_ptr<CrewModel> m_crewModel;
    QQmlEngine m_engine;
    std::unique_ptr<WindowSlots> m_windows;
    std::unique_ptr<CardPanel> m_card;
    QMetaObject::Connection m_firstFocus;
};
