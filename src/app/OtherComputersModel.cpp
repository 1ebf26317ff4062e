// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "OtherComputersModel.h"

#include "MacWorkStore.h"

#include <QDir>

OtherComputersModel::OtherComputersModel(MacWorkStore &store, QObject *parent)
    : QObject(parent), m_store(store)
{
    connect(&store, &MacWorkStore::syncChanged, this, &OtherComputersModel::redraw);
    redraw();
}

ComputersModel::ComputersModel(QObject *parent)
    : RowsModel({{"name", [](const ComputerRow &c) -> QVariant { return c.name; }},
                 {"detail", [](const ComputerRow &c) -> QVariant { return c.detail; }},
                 {"isThis", [](const ComputerRow &c) -> QVariant { return c.isThis; }}},
                parent)
{}

QString OtherComputersModel::folder() const
{
    return m_store.syncFolder().isOn() ? m_store.syncFolder().setting().folder : QString();
}

void OtherComputersModel::redraw()
{
    const Calendar &calendar = m_store.calendar();
    const auto when = [&](Instant t) {
        const QDateTime local =
            QDateTime::fromMSecsSinceEpoch(qint64(unixMSecs(t)), calendar.zone());
        const QDate today = calendar.date(m_store.clock().now());
        const QString time = calendar.locale().toString(local.time(), QLocale::ShortFormat);
        if (local.date() == today)
            //: When another computer last wrote: %1 is a time of today.
            return tr("today %1").arg(time);
        return calendar.locale().toString(local.date(), QLocale::ShortFormat) + u' ' + time;
    };
    QList<ComputerRow> rows{{.name = m_store.syncFolder().computerName(),
                             .detail = tr("this computer"),
                             .isThis = true}};
    for (const auto &[id, c] : m_store.otherComputers().computers()) {
        //: %1 is when: "today 14:05" or a date and time.
        QString detail =
            c.lastWrote ? tr("last wrote %1").arg(when(*c.lastWrote)) : tr("nothing written yet");
        if (c.goneSince)
            detail += QStringLiteral(" · ") + tr("its folder is gone");
        rows.append({.name = c.name, .detail = detail, .isThis = false});
    }
    m_computers.setRows(rows);
    emit changed();
}

QStringList OtherComputersModel::problems() const
{
    return m_store.syncProblems();
}

QUrl OtherComputersModel::proposedFolder() const
{
    const QString current = folder();
    return QUrl::fromLocalFile(current.isEmpty() ? QDir::homePath() : current);
}

void OtherComputersModel::chooseFolder(const QUrl &folder)
{
    setError(folder.isLocalFile() ? m_store.setSyncFolder(folder.toLocalFile())
                                  : tr("Only a folder on this computer can be used"));
}

void OtherComputersModel::stop()
{
    setError(m_store.setSyncFolder(QString()));
}

void OtherComputersModel::setError(const QString &error)
{
    if (error == m_error)
        return;
    m_error = error;
    emit errorChanged();
}
