// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CardModel.h"

#include "AppShell.h"
#include "CardText.h"
#include "DateText.h"
#include "DayRhythm.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "MacWorkStore.h"
#include "Stats.h"
#include "StatusWords.h"

#include <QQmlEngine>

#include <algorithm>

CardModel::CardModel(MacWorkStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    m_now = m_chartNow = store.clock().now();
    m_todayTimer.setInterval(1000);
    m_chartTimer.setInterval(60000);
    connect(&m_todayTimer, &QTimer::timeout, this, [this] {
        m_now = m_store.clock().now();
        emit todayChanged();
    });
    connect(&m_chartTimer, &QTimer::timeout, this, [this] {
        m_chartNow = m_store.clock().now();
        drawChart();
    });
    connect(&store, &MacWorkStore::isTrackingChanged, this, &CardModel::todayChanged);
    for (const auto changed :
         {&MacWorkStore::isTrackingChanged, &MacWorkStore::autoTrackEnabledChanged,
          &MacWorkStore::statusTextChanged})
        connect(&store, changed, this, &CardModel::statusChanged);
    connect(&store, &MacWorkStore::goalSecondsChanged, this, [this] {
        emit goalSecondsChanged();
        redraw();
    });
    drawWeek();
}

CardModel *CardModel::create(QQmlEngine *engine, QJSEngine *)
{
    CardModel *card = &AppShell::owning(*engine).cardModel();
    QJSEngine::setObjectOwnership(card, QJSEngine::CppOwnership);
    return card;
}

void CardModel::redraw()
{
    emit todayChanged();
    drawChart();
}

void CardModel::setShown(bool shown)
{
    if (!shown) {
        m_todayTimer.stop();
        m_chartTimer.stop();
        return;
    }
    m_now = m_chartNow = m_store.clock().now();
    m_todayTimer.start();
    m_chartTimer.start();
    redraw();
}

double CardModel::worked() const
{
    return dayTotal(m_store.recordView(), m_store.calendar().startOfDay(m_now), m_now);
}

CardModel::Status CardModel::status() const
{
    if (m_store.isTracking())
        return Status::Counting;
    return m_store.autoTrackEnabled() ? Status::Waiting : Status::Off;
}

QString CardModel::statusText() const
{
    return statusWords(m_store.statusText());
}

QString CardModel::todayText() const
{
    return m_store.isTracking() ? clockText(worked()) : durationText(worked());
}

double CardModel::score() const
{
    return double(::score(m_store.recordView(), m_store.calendar().startOfDay(m_now), m_now));
}

QString CardModel::scoreText() const
{
    return m_store.calendar().locale().toString(qint64(score()));
}

double CardModel::typingPace() const
{
    const Instant today = m_store.calendar().startOfDay(m_now);
    return double(::typingPace(activityOnDay(m_store.recordView(), today)));
}

GoalFigure CardModel::goal() const
{
    const double goalSeconds = m_store.goalSeconds();
    const auto progress = goalProgress(dayTotal(m_store.recordView(), m_now, m_now), goalSeconds);
    if (!progress)
        return {};
    return {.shown = true,
            .fraction = progress->fraction,
            .percent = progress->percent,
            .reached = progress->reached,
            .label = CardText::goalLabel(progress->reached, progress->percent, goalSeconds),
            .accessibleName = CardText::goalAccessibleName(progress->percent)};
}

QString CardModel::streakBadge() const
{
    return CardText::streakBadge(currentStreak(m_store.recordView()));
}

void CardModel::drawChart()
{
    drawWeek();
    emit chartChanged();
}

void CardModel::drawWeek()
{
    const Calendar &calendar = m_store.calendar();
    const RecordView record = m_store.recordView();
    const Instant today = calendar.startOfDay(m_chartNow);
    QList<Instant> days;
    QList<double> seconds;
    for (int k = -6; k <= 0; ++k) {
        if (const auto day = calendar.addDays(today, k)) {
            days.append(calendar.startOfDay(*day));
            seconds.append(dayTotal(record, days.last(), m_chartNow));
        }
    }
    const double scale = CardText::chartScale(seconds);
    const QLocale &locale = calendar.locale();
    const auto chosenDate = m_chosenDay ? calendar.date(*m_chosenDay) : QDate();
    QList<DayBar> bars;
    double total = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QDate date = calendar.date(days[i]);
        const int weekday = date.dayOfWeek();
        const QString name = DateText::weekdayName(weekday, QLocale::LongFormat, locale);
        total += seconds[i];
        bars.append({.day = days[i],
                     .fraction = std::max(0.0, seconds[i]) / scale,
                     .worked = seconds[i] > 0,
                     .letter = DateText::weekdayName(weekday, QLocale::NarrowFormat, locale),
                     .isToday = days[i] == today,
                     .selected = m_chosenDay && date == chosenDate,
                     .accessibleName = name + QStringLiteral(", ") + durationText(seconds[i])});
    }
    m_week.setRows(bars);
    m_weekTotalText = durationText(total);
}

DayDetail CardModel::dayDetail() const
{
    const Calendar &calendar = m_store.calendar();
    const QLocale &locale = calendar.locale();
    const RecordView record = m_store.recordView();
    const auto activity = activityOnDay(record, m_lastChosenDay);
    DayDetail detail{.date = DateText::weekdayMonthDay(calendar.date(m_lastChosenDay), locale),
                     .duration = durationText(dayTotal(record, m_lastChosenDay, m_chartNow)),
                     .words = {}};
    if (activity && activity->keys >= 5)
        //: About so many words typed on the chosen day.
        detail.words = tr("~%1 words").arg(locale.toString(words(activity)));
    return detail;
}

void CardModel::chooseDay(double day)
{
    const Calendar &calendar = m_store.calendar();
    if (m_chosenDay && calendar.date(*m_chosenDay) == calendar.date(day))
        m_chosenDay.reset();
    else
        m_chosenDay = m_lastChosenDay = day;
    drawChart();
}

QStringList CardModel::goalChoices() const
{
    QStringList labels;
    for (const auto &choice : CardText::goalChoices())
        labels.append(choice.label);
    return labels;
}

int CardModel::goalIndex() const
{
    const auto choices = CardText::goalChoices();
    const auto found = std::find_if(choices.begin(), choices.end(), [this](const auto &choice) {
        return choice.seconds == m_store.goalSeconds();
    });
    return found == choices.end() ? -1 : int(found - choices.begin());
}

void CardModel::setGoalIndex(int index)
{
    const auto choices = CardText::goalChoices();
    if (index >= 0 && index < choices.size())
        m_store.setGoalSeconds(choices[index].seconds);
}
