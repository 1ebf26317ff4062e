#pragma once

#include <QObject>
#include <QStringList>

// What the running Tockly offers on the session bus at /org/quenby/Tockly: later processes hand
// their links to OpenLinksWithActivation (OpenLinks without an activation token); PendingInvite is
// the crew code of the invitation waiting to be shown. Title, StatusText and IsTracking are what
// the tray item shows, for panels without tray labels (`tockly status`); AutoTrackEnabled is the
// "Track automatically" setting, which SetAutoTrackEnabled changes (`tockly pause`, `tockly
// resume`). StatusChanged announces each change of any of the four. The other methods do what the
// tray item's click and menu do, for panel widgets of their own (GNOME's top bar, `tockly card`).
class TocklyBusObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.Tockly")
    Q_PROPERTY(QString PendingInvite READ pendingInvite SCRIPTABLE true)
    Q_PROPERTY(QString Title READ title SCRIPTABLE true)
    Q_PROPERTY(QString StatusText READ statusText SCRIPTABLE true)
    Q_PROPERTY(bool IsTracking READ isTracking SCRIPTABLE true)
    Q_PROPERTY(bool AutoTrackEnabled READ autoTrackEnabled SCRIPTABLE true)

public:
    using QObject::QObject;

    QString pendingInvite() const { return m_pendingInvite; }
    void setPendingInvite(const QString &code);
    QString title() const { return m_title; }
    QString statusText() const { return m_statusText; }
    bool isTracking() const { return m_isTracking; }
    bool autoTrackEnabled() const { return m_autoTrackEnabled; }
    void setStatus(const QString &title, const QString &statusText, bool isTracking,
                   bool autoTrackEnabled = true);

public slots:
    // Returns at once; the links are handled at the next turn of the main loop.
    Q_SCRIPTABLE void OpenLinks(const QStringList &links);
    // The same with the activation token of the caller's launcher, for the window they open.
    Q_SCRIPTABLE void OpenLinksWithActivation(const QStringList &links,
                                              const QString &activationToken);
    // Opens the card under the pointer, or closes it (a panel widget's click).
    Q_SCRIPTABLE void ToggleCard();
    // Runs the setting's change before it returns, so the reply finds the new state.
    Q_SCRIPTABLE void SetAutoTrackEnabled(bool enabled);
    // The tray menu's entries, for panel widgets that show their own menu.
    Q_SCRIPTABLE void ShowCard();
    // For a panel widget that sees whether the card is on the screen, and so toggles it itself.
    Q_SCRIPTABLE void HideCard();
    Q_SCRIPTABLE void ShowHistory();
    Q_SCRIPTABLE void ShowOtherComputers();
    Q_SCRIPTABLE void Quit();

signals:
    void linksReceived(const QStringList &links, const QString &activationToken);
    Q_SCRIPTABLE void InviteOffered(const QString &code);
    Q_SCRIPTABLE void StatusChanged(const QString &title, const QString &statusText,
                                    bool isTracking);
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
