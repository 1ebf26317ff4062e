// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"
#include "WeekModel.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <optional>

class MacWorkStore;
class QJSEngine;
class QQmlEngine;

// Today's progress towards the daily goal.
struct GoalFigure {
    Q_GADGET
    QML_VALUE_TYPE(goalFigure)
    // Without a goal, nothing else is set.
    Q_PROPERTY(bool shown MEMBER shown)
    Q_PROPERTY(double fraction MEMBER fraction)
    Q_PROPERTY(int percent MEMBER percent)
    Q_PROPERTY(bool reached MEMBER reached)
    Q_PROPERTY(QString label MEMBER label)
    Q_PROPERTY(QString accessibleName MEMBER accessibleName)

public:
    bool shown = false;
    double fraction = 0;
    int percent = 0;
    bool reached = false;
    QString label;
    QString accessibleName;
};

// The line under the chart for the chosen day.
struct DayDetail {
    Q_GADGET
    QML_VALUE_TYPE(dayDetail)
    Q_PROPERTY(QString date MEMBER date)
    Q_PROPERTY(QString duration MEMBER duration)
    // Empty under 5 keystrokes.
    Q_PROPERTY(QString words MEMBER words)

public:
    QString date;
    QString duration;
    QString words;
};

// What the card shows, computed from the store at the card's redraw instants: today's figures
// each second and the chart each minute while the card is shown, and whenever what they depend
// on changes.
class CardModel : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Card)
    QML_SINGLETON

public:
    enum class Status {
        Counting, // a segment runs
        Waiting,  // for input, to start one
        Off,      // counting does not start by itself
    };
    Q_ENUM(Status)

private:
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusChanged)
    // Today: the running clock while counting, the duration otherwise.
    Q_PROPERTY(QString todayText READ todayText NOTIFY todayChanged)
    Q_PROPERTY(double score READ score NOTIFY todayChanged)
    // The score with the locale's digit grouping.
    Q_PROPERTY(QString scoreText READ scoreText NOTIFY todayChanged)
    Q_PROPERTY(double typingPace READ typingPace NOTIFY todayChanged)
    Q_PROPERTY(GoalFigure goal READ goal NOTIFY todayChanged)

    Q_PROPERTY(QString streakBadge READ streakBadge NOTIFY chartChanged)
    Q_PROPERTY(QObject *week READ week CONSTANT)
    Q_PROPERTY(QString weekTotalText READ weekTotalText NOTIFY chartChanged)
    // Whether a day is chosen, and the detail of the last one chosen (kept while it fades out).
    Q_PROPERTY(bool dayChosen READ dayChosen NOTIFY chartChanged)
    Q_PROPERTY(DayDetail dayDetail READ dayDetail NOTIFY chartChanged)

    // The goal menu: "Off", then the goals in hours; the store's goal among them (-1: another).
    Q_PROPERTY(QStringList goalChoices READ goalChoices CONSTANT)
    Q_PROPERTY(int goalIndex READ goalIndex WRITE setGoalIndex NOTIFY goalSecondsChanged)

public:
    explicit CardModel(MacWorkStore &store, QObject *parent = nullptr);
    // The card of the shell that owns the engine.
    static CardModel *create(QQmlEngine *engine, QJSEngine *);

    Status status() const;
    QString statusText() const;
    QString todayText() const;
    double score() const;
    QString scoreText() const;
    double typingPace() const;
    GoalFigure goal() const;
    QString streakBadge() const;
    WeekModel *week() { return &m_week; }
    QString weekTotalText() const { return m_weekTotalText; }
    bool dayChosen() const { return m_chosenDay.has_value(); }
    DayDetail dayDetail() const;
    QStringList goalChoices() const;
    int goalIndex() const;
    void setGoalIndex(int index);

    // The card went on or off the screen: on it, the figures are redrawn.
    void setShown(bool shown);
    // A bar was chosen: shows that day's detail, or hides it when it was shown.
    Q_INVOKABLE void chooseDay(double day);

signals:
    void statusChanged();
    void todayChanged();
    void chartChanged();
    void goalSecondsChanged();

private:
    void redraw();
    // The week is kept, not computed when read, so that its rows change in place; it is drawn
    // before the views hear of the change, as QML bindings are told before connections.
    void drawChart();
    void drawWeek();
    double worked() const;

    MacWorkStore &m_store;
    // The redraw instants of today's figures and of the chart.
    Instant m_now = 0;
    Instant m_chartNow = 0;
    std::optional<Instant> m_chosenDay;
    Instant m_lastChosenDay = 0;
    WeekModel m_week;
    QString m_weekTotalText;
    QTimer m_todayTimer;
    QTimer m_chartTimer;
};
