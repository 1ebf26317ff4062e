#pragma once

#include <QObject>
#include <QStringList>

// What the running Tockly offers on the session bus at /org/quenby/Tockly: later processes hand
// their links to OpenLinks; PendingInvite is the crew code of the invitation waiting to be shown.
class TocklyBusObject final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quenby.Tockly")
    Q_PROPERTY(QString PendingInvite READ pendingInvite SCRIPTABLE true)

public:
    using QObject::QObject;

    QString pendingInvite() const { return m_pendingInvite; }
    void setPendingInvite(const QString &code);

public slots:
    // Returns at once; the links are handled at the next turn of the main loop.
    Q_SCRIPTABLE void OpenLinks(const QStringList &links);

signals:
    void linksReceived(const QStringList &links);
    Q_SCRIPTABLE void InviteOffered(const QString &code);

private:
    QString m_pendingInvite;
};
