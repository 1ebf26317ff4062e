#include "TocklyBusObject.h"

#include <QTimer>

void TocklyBusObject::setPendingInvite(const QString &code)
{
    m_pendingInvite = code;
    emit InviteOffered(code);
}

void TocklyBusObject::OpenLinks(const QStringList &links)
{
    QTimer::singleShot(0, this, [this, links] { emit linksReceived(links); });
}
