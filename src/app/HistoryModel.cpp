// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HistoryModel.h"

#include "AtomicFile.h"
#include "ExportDocument.h"
#include "HistoryText.h"
#include "HistoryValues.h"
#include "MacWorkStore.h"

#include <QStandardPaths>

namespace {

Instant startOfMonth(const Calendar &calendar, Instant t)
{
    const auto month = calendar.monthInterval(t);
    return month ? month->start : t;
}

} // namespace

using HistoryText::Chip;

HistoryModel::HistoryModel(MacWorkStore &store, QObject *parent)
    : QObject(parent), m_store(store),
      m_chips({{"emoji", [](const Chip &c) -> QVariant { return c.emoji; }},
               {"value", [](const Chip &c) -> QVariant { return c.value; }},
               {"label", [](const Chip &c) -> QVariant { return c.label; }}},
              this),
      m_apps({{"name", [](const AppRow &a) -> QVariant { return a.name; }},
              {"fraction", [](const AppRow &a) -> QVariant { return a.fraction; }},
              {"duration", [](const AppRow &a) -> QVariant { return a.duration; }}},
             this),
      m_sessions({{"symbol", [](const SessionRow &r) -> QVariant { return r.symbol; }},
                  {"title", [](const SessionRow &r) -> QVariant { return r.title; }},
                  {"times", [](const SessionRow &r) -> QVariant { return r.times; }}},
                 this)
{
    const Instant now = store.clock().now();
    m_displayedMonth = startOfMonth(store.calendar(), now);
    m_selectedDay = store.calendar().startOfDay(now);
    const auto changed = [this] {
        if (m_live)
            redraw();
    };
    connect(&store, &MacWorkStore::entriesChanged, this, changed);
    connect(&store, &MacWorkStore::activityByDayChanged, this, changed);
    connect(&store, &MacWorkStore::segmentStartChanged, this, changed);
    connect(&store, &MacWorkStore::goalSecondsChanged, this, changed);
    // The other computers' records, when the record is synced.
    connect(&store, &MacWorkStore::syncChanged, this, changed);
    connect(&store, &MacWorkStore::isTrackingChanged, this, &HistoryModel::followClock);
    drawMonth();
    drawDay();
    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &HistoryModel::redraw);
}

void HistoryModel::setLive(bool live)
{
    m_live = live;
    followClock();
    if (live)
        redraw();
}

void HistoryModel::followClock()
{
    if (m_live && m_store.isTracking())
        m_clockTimer.start();
    else
        m_clockTimer.stop();
}

HistoryTiles HistoryModel::tiles() const
{
    return historyTiles(m_store.recordView());
}

void HistoryModel::redraw()
{
    drawMonth();
    drawDay();
    emit figuresChanged();
}

void HistoryModel::drawMonth()
{
    m_month = historyMonth(m_store.recordView(), m_displayedMonth, m_selectedDay);
    m_cells.setRows(m_month.cells);
}

void HistoryModel::drawDay()
{
    m_day = historyDay(m_store.recordView(), m_selectedDay);
    m_chips.setRows(m_day.chips);
    m_apps.setRows(m_day.apps);
    m_sessions.setRows(m_day.sessions);
}

void HistoryModel::moveMonth(int months)
{
    const auto moved = m_store.calendar().addMonths(m_displayedMonth, months);
    if (!moved)
        return;
    m_displayedMonth = startOfMonth(m_store.calendar(), *moved);
    redraw();
}

void HistoryModel::previousMonth()
{
    moveMonth(-1);
}

void HistoryModel::nextMonth()
{
    moveMonth(1);
}

void HistoryModel::selectDay(double day)
{
    m_selectedDay = m_store.calendar().startOfDay(day);
    redraw();
}

QUrl HistoryModel::proposedFolder() const
{
    return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QUrl HistoryModel::proposedFile() const
{
    return QUrl::fromLocalFile(proposedFolder().toLocalFile() +
                               QStringLiteral("/Quenby-History.json"));
}

void HistoryModel::exportTo(const QUrl &file)
{
    if (file.isLocalFile())
        exportToPath(file.toLocalFile());
    else
        setTransferMessage(tr("Export failed"));
}

void HistoryModel::exportToPath(const QString &path)
{
    const QList<WorkEntry> &entries = m_store.entries();
    const auto document = exportData(entries);
    if (!document)
        return;
    const bool written = writeFileAtomically(path, *document);
    setTransferMessage(written ? exportedMessage(entries.size()) : tr("Export failed"));
}

void HistoryModel::setTransferMessage(const QString &message)
{
    m_transferMessage = message;
    emit transferMessageChanged();
}
