// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickView>
#include <QVariantMap>

class MacWorkStore;
class QQmlEngine;

// The auxiliary windows, one slot each. A window is built on first use and brought to the front
// on every later call. The explainer and the history window are only hidden when closed and come
// back as they were; the welcome window is dropped when it closes, and the explainer follows it;
// a new invitation replaces an open one.
class WindowSlots : public QObject {
    Q_OBJECT
public:
    WindowSlots(QQmlEngine &engine, MacWorkStore &store, QObject *parent = nullptr);
    ~WindowSlots() override;

    void showWelcome();
    void showHowItWorks();
    void showHistory();
    void showInviteWindow(const QString &code);
    void showOtherComputers();
    // The activation token (Wayland's XDG_ACTIVATION_TOKEN) that the windows brought to the front
    // from now on present to the compositor; empty for none.
    void setActivationToken(const QString &token) { m_activationToken = token; }

    QQuickView *welcomeWindow() const { return m_welcome; }
    QQuickView *howItWorksWindow() const { return m_howItWorks; }
    QQuickView *historyWindow() const { return m_history; }
    QQuickView *inviteWindow() const { return m_invite; }
    QQuickView *otherComputersWindow() const { return m_otherComputers; }

private:
    QQuickView *build(const QString &file, const QString &title, Qt::WindowFlags buttons,
                      const QVariantMap &properties);
    void bringToFront(QQuickView *window);

    QQmlEngine &m_engine;
    MacWorkStore &m_store;
    QPointer<QQuickView> m_welcome;
    QPointer<QQuickView> m_howItWorks;
    QPointer<QQuickView> m_history;
    QPointer<QQuickView> m_invite;
    QPointer<QQuickView> m_otherComputers;
    QString m_activationToken;
};

// Builds a QML view of the module "Tockly" in a window sized by its root item. Load errors go
// to the log.
QQuickView *createModuleView(QQmlEngine &engine, const QString &file,
                             const QVariantMap &properties = {});
