// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Instant.h"

#include <QCoro/QCoroTask>
#include <QObject>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <optional>

class MacWorkStore;
class QJSEngine;
class QQmlEngine;

// What the card shows, computed from the store at the card's redraw instants: today's figures
// each second and the chart each minute while the card is shown, and whenever what they depend
// on changes. The crew box's memberships, boards and requests run here too.
class CardModel : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Card)
    QML_SINGLETON

    // Today: the running clock while counting, the duration otherwise.
    Q_PROPERTY(QString todayText READ todayText NOTIFY todayChanged)
    Q_PROPERTY(double score READ score NOTIFY todayChanged)
    // The score with the locale's digit grouping.
    Q_PROPERTY(QString scoreText READ scoreText NOTIFY todayChanged)
    Q_PROPERTY(double typingPace READ typingPace NOTIFY todayChanged)
    // {shown, fraction, percent, reached, label, accessibleName}.
    Q_PROPERTY(QVariantMap goal READ goal NOTIFY todayChanged)

    Q_PROPERTY(QString streakBadge READ streakBadge NOTIFY chartChanged)
    // {totalText, days: [{day, seconds, height, letter, isToday, selected, accessibleName}]},
    // oldest first, today last.
    Q_PROPERTY(QVariantMap week READ week NOTIFY chartChanged)
    // {date, duration, words} of the chosen day, or null; words is empty under 5 keystrokes.
    Q_PROPERTY(QVariant dayDetail READ dayDetail NOTIFY chartChanged)

    // The goal menu: [{label, seconds}], and the store's goal.
    Q_PROPERTY(QVariantList goalChoices READ goalChoices CONSTANT)
    Q_PROPERTY(double goalSeconds READ goalSeconds WRITE setGoalSeconds NOTIFY goalSecondsChanged)

    // [{code, nickname, crewName, owned}] in membership order.
    Q_PROPERTY(QVariantList crews READ crews NOTIFY crewsChanged)
    // Crew code -> [{nickname, todaySeconds, rankMark, todayText}] in leaderboard order.
    Q_PROPERTY(QVariantMap boards READ boards NOTIFY boardsChanged)
    // The last crew failure; empty when there is nothing to show.
    Q_PROPERTY(QString crewError READ crewError NOTIFY crewErrorChanged)

public:
    explicit CardModel(MacWorkStore &store, QObject *parent = nullptr);
    // The card of the shell that owns the engine.
    static CardModel *create(QQmlEngine *engine, QJSEngine *);

    QString todayText() const;
    double score() const;
    QString scoreText() const;
    double typingPace() const;
    QVariantMap goal() const;
    QString streakBadge() const;
    QVariantMap week() const;
    QVariant dayDetail() const;
    QVariantList goalChoices() const;
    double goalSeconds() const;
    void setGoalSeconds(double seconds);
    QVariantList crews() const;
    QVariantMap boards() const;
    QString crewError() const;

    // The card went on or off the screen: on it, the figures are redrawn, and with crews one
    // report and one refresh are sent.
    void setShown(bool shown);
    // A bar was chosen: shows that day's detail, or hides it when it was shown.
    Q_INVOKABLE void chooseDay(double day);

    Q_INVOKABLE QString crewBoxContent(int memberships, const QString &form) const;
    Q_INVOKABLE QString trimmed(const QString &text) const;

    Q_INVOKABLE void refresh();
    // The crew form's requests; formRequestFinished follows each.
    Q_INVOKABLE void createCrew(const QString &crewName, const QString &nickname);
    Q_INVOKABLE void joinCrew(const QString &code, const QString &nickname);
    Q_INVOKABLE void removeMember(const QString &code, const QString &nickname);
    Q_INVOKABLE void leaveCrew(const QString &code);
    Q_INVOKABLE void copyInvite(const QString &code);
    Q_INVOKABLE void openCrewPage(const QString &code);

signals:
    void todayChanged();
    void chartChanged();
    void goalSecondsChanged();
    void crewsChanged();
    void boardsChanged();
    void crewErrorChanged();
    void formRequestFinished();

private:
    void redraw();
    double worked() const;
    QCoro::Task<> finishFormRequest(QCoro::Task<> request);

    MacWorkStore &m_store;
    // The redraw instants of today's figures and of the chart.
    Instant m_now = 0;
    Instant m_chartNow = 0;
    std::optional<Instant> m_chosenDay;
    QTimer m_todayTimer;
    QTimer m_chartTimer;
};
