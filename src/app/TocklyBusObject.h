// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

// What the running Tockly offers on the session bus at /org/quenby/Tockly, as
// packaging/dbus/org.quenby.Tockly.xml describes it (the adaptor made from that file relays the
// calls here): later processes hand their links to OpenLinksWithActivation, `tockly status` and
// panels read the status, `tockly pause`/`resume` call SetAutoTrackEnabled, and the other methods
// do what the tray item's click and menu do, for panel widgets of their own (GNOME's top bar,
// `tockly card`).
class TocklyBusObject final : public QObject {
    Q_OBJECT
    // Read by the adaptor under these names.
    Q_PROPERTY(QString PendingInvite READ pendingInvite)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString StatusText READ statusText)
    Q_PROPERTY(bool IsTracking READ isTracking)
    Q_PROPERTY(bool AutoTrackEnabled READ autoTrackEnabled)

public:
    // With its adaptor: registered on a bus, it serves org.quenby.Tockly.
    explicit TocklyBusObject(QObject *parent = nullptr);

    QString pendingInvite() const { return m_pendingInvite; }
    void setPendingInvite(const QString &code);
    QString title() const { return m_title; }
    QString statusText() const { return m_statusText; }
    bool isTracking() const { return m_isTracking; }
    bool autoTrackEnabled() const { return m_autoTrackEnabled; }
    void setStatus(const QString &title, const QString &statusText, bool isTracking,
                   bool autoTrackEnabled = true);

public:
    // Returns at once; the links are handled at the next turn of the main loop.
    void OpenLinks(const QStringList &links);
    // The same with the activation token of the caller's launcher, for the window they open.
    void OpenLinksWithActivation(const QStringList &links, const QString &activationToken);
    // Opens the card under the pointer, or closes it (a panel widget's click).
    void ToggleCard();
    // Runs the setting's change before it returns, so the reply finds the new state.
    void SetAutoTrackEnabled(bool enabled);
    // The tray menu's entries, for panel widgets that show their own menu.
    void ShowCard();
    // For a panel widget that sees whether the card is on the screen, and so toggles it itself.
    void HideCard();
    void ShowHistory();
    void ShowOtherComputers();
    void Quit();

signals:
    void linksReceived(const QStringList &links, const QString &activationToken);
    void InviteOffered(const QString &code);
    void StatusChanged(const QString &title, const QString &statusText, bool isTracking);
    void cardToggleRequested();
    void autoTrackChangeRequested(bool enabled);
    void cardRequested();
    void cardHideRequested();
    void historyRequested();
    void otherComputersRequested();
    void quitRequested();

private:
    QString m_pendingInvite;
    QString m_title;
    QString m_statusText;
    bool m_isTracking = false;
    bool m_autoTrackEnabled = true;
};
