// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SyncBusObject.h"

#include "MacWorkStore.h"
#include "SyncCommand.h"

#include <QJsonDocument>

SyncBusObject::SyncBusObject(MacWorkStore &store, QObject *parent) : QObject(parent), m_store(store)
{}

QString SyncBusObject::Status() const
{
    const QJsonObject status =
        syncStatus(m_store.syncFolder(), m_store.otherComputers(), m_store.syncProblems());
    return QString::fromUtf8(QJsonDocument(status).toJson(QJsonDocument::Compact));
}

QString SyncBusObject::SetFolder(const QString &folder)
{
    return m_store.setSyncFolder(folder);
}

void SyncBusObject::SetName(const QString &name)
{
    m_store.setComputerName(name);
}

void SyncBusObject::NewId()
{
    m_store.makeNewComputerId();
}
