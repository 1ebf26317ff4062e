// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "HistoryValues.h"
#include "Instant.h"

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class MacWorkStore;

// The history window's state (the month shown, the day chosen, the last export's message) and
// what it shows, computed from the store when read. One lives as long as its window, so a closed
// and reopened window shows what it showed before. While it is live (its window on screen) and a
// segment runs, today's figures follow the clock.
class HistoryModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Built with its window")
    Q_PROPERTY(HistoryTiles tiles READ tiles NOTIFY figuresChanged)
    // The month shown, its day chosen.
    Q_PROPERTY(QString monthTitle READ monthTitle NOTIFY figuresChanged)
    Q_PROPERTY(QStringList weekdays READ weekdays NOTIFY figuresChanged)
    Q_PROPERTY(QObject *cells READ cells CONSTANT)
    // The day chosen: its figures, and its rows as list models.
    Q_PROPERTY(HistoryDay day READ day NOTIFY figuresChanged)
    Q_PROPERTY(QObject *chips READ chips CONSTANT)
    Q_PROPERTY(QObject *apps READ apps CONSTANT)
    Q_PROPERTY(QObject *sessions READ sessions CONSTANT)
    Q_PROPERTY(QString transferMessage READ transferMessage NOTIFY transferMessageChanged)
    // What the save dialog proposes: "Quenby-History.json" in the documents folder.
    Q_PROPERTY(QUrl proposedFolder READ proposedFolder CONSTANT)
    Q_PROPERTY(QUrl proposedFile READ proposedFile CONSTANT)

public:
    explicit HistoryModel(MacWorkStore &store, QObject *parent = nullptr);

    HistoryTiles tiles() const;
    QString monthTitle() const { return m_month.title; }
    QStringList weekdays() const { return m_month.weekdays; }
    MonthModel *cells() { return &m_cells; }
    HistoryDay day() const { return m_day; }
    RowsModel<HistoryText::Chip> *chips() { return &m_chips; }
    RowsModel<AppRow> *apps() { return &m_apps; }
    RowsModel<SessionRow> *sessions() { return &m_sessions; }
    QString transferMessage() const { return m_transferMessage; }
    QUrl proposedFolder() const;
    QUrl proposedFile() const;

    void setLive(bool live);

    Q_INVOKABLE void previousMonth();
    Q_INVOKABLE void nextMonth();
    Q_INVOKABLE void selectDay(double day);

    // Writes the export to a file the save dialog gave. A new file beside the old one replaces
    // it only once whole, so a failed write leaves the old file as it was.
    Q_INVOKABLE void exportTo(const QUrl &file);
    void exportToPath(const QString &path);

signals:
    void figuresChanged();
    void transferMessageChanged();

private:
    void moveMonth(int months);
    void setTransferMessage(const QString &message);
    void followClock();
    // The grid and the day's rows are kept, not computed when read, so that they change in place;
    // it is drawn before the views hear of the change, as QML bindings are told before connections.
    void redraw();
    void drawMonth();
    void drawDay();

    MacWorkStore &m_store;
    Instant m_displayedMonth = 0;
    Instant m_selectedDay = 0;
    QString m_transferMessage;
    bool m_live = false;
    QTimer m_clockTimer;
    HistoryMonth m_month;
    MonthModel m_cells;
    HistoryDay m_day;
    RowsModel<HistoryText::Chip> m_chips;
    RowsModel<AppRow> m_apps;
    RowsModel<SessionRow> m_sessions;
};
