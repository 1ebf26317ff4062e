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

void TocklyBusObject::setStatus(const QString &title, const QString &statusText, bool isTracking)
{
    if (title == m_title && statusText == m_statusText && isTracking == m_isTracking)
        return;
    m_title = title;
    m_statusText = statusText;
    m_isTracking = isTracking;
    emit StatusChanged(title, statusText, isTracking);
}

void TocklyBusObject::ToggleCard()
{
    QTimer::singleShot(0, this, &TocklyBusObject::cardToggleRequested);
}

void TocklyBusObject::ShowCard()
{
    QTimer::singleShot(0, this, &TocklyBusObject::cardRequested);
}

void TocklyBusObject::ShowHistory()
{
    QTimer::singleShot(0, this, &TocklyBusObject::historyRequested);
}

void TocklyBusObject::Quit()
{
    QTimer::singleShot(0, this, &TocklyBusObject::quitRequested);
}
