// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TocklyBusObject.h"

#include "TocklyAdaptor.h"

#include <QTimer>

TocklyBusObject::TocklyBusObject(QObject *parent) : QObject(parent)
{
    new TocklyAdaptor(this);
}

void TocklyBusObject::setPendingInvite(const QString &code)
{
    m_pendingInvite = code;
    emit InviteOffered(code);
}

void TocklyBusObject::OpenLinks(const QStringList &links)
{
    OpenLinksWithActivation(links, QString());
}

void TocklyBusObject::OpenLinksWithActivation(const QStringList &links,
                                              const QString &activationToken)
{
    QTimer::singleShot(
        0, this, [this, links, activationToken] { emit linksReceived(links, activationToken); });
}

void TocklyBusObject::setStatus(const QString &title, const QString &statusText, bool isTracking,
                                bool autoTrackEnabled)
{
    if (title == m_title && statusText == m_statusText && isTracking == m_isTracking &&
        autoTrackEnabled == m_autoTrackEnabled)
        return;
    m_title = title;
    m_statusText = statusText;
    m_isTracking = isTracking;
    m_autoTrackEnabled = autoTrackEnabled;
    emit StatusChanged(title, statusText, isTracking);
}

void TocklyBusObject::ToggleCard()
{
    QTimer::singleShot(0, this, &TocklyBusObject::cardToggleRequested);
}

void TocklyBusObject::SetAutoTrackEnabled(bool enabled)
{
    emit autoTrackChangeRequested(enabled);
}

void TocklyBusObject::ShowCard()
{
    QTimer::singleShot(0, this, &TocklyBusObject::cardRequested);
}

void TocklyBusObject::HideCard()
{
    QTimer::singleShot(0, this, &TocklyBusObject::cardHideRequested);
}

void TocklyBusObject::ShowHistory()
{
    QTimer::singleShot(0, this, &TocklyBusObject::historyRequested);
}

void TocklyBusObject::ShowOtherComputers()
{
    QTimer::singleShot(0, this, &TocklyBusObject::otherComputersRequested);
}

void TocklyBusObject::Quit()
{
    QTimer::singleShot(0, this, &TocklyBusObject::quitRequested);
}
