// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CardModel.h"

#include "AppShell.h"
#include "CardText.h"
#include "CrewBaseUrl.h"
#include "CrewInvite.h"
#include "DateText.h"
#include "DayRhythm.h"
#include "DayTotals.h"
#include "DurationText.h"
#include "MacWorkStore.h"
#include "Stats.h"

#include <QDesktopServices>
#include <QPointer>
#include <QQmlEngine>

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
        emit chartChanged();
    });
    connect(&store, &MacWorkStore::isTrackingChanged, this, &CardModel::todayChanged);
    connect(&store, &MacWorkStore::goalSecondsChanged, this, [this] {
        emit goalSecondsChanged();
        redraw();
    });
    const Crews *memberships = store.crews();
    connect(memberships, &Crews::crewConfigsChanged, this, &CardModel::crewsChanged);
    connect(memberships, &Crews::ownedCrewCodesChanged, this, &CardModel::crewsChanged);
    connect(memberships, &Crews::standingsByCodeChanged, this, &CardModel::boardsChanged);
    connect(memberships, &Crews::crewErrorChanged, this, &CardModel::crewErrorChanged);
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
    emit chartChanged();
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
    if (m_store.crews()->crewConfig())
        refresh();
}

double CardModel::worked() const
{
    return dayTotal(m_store.recordView(), m_store.calendar().startOfDay(m_now), m_now);
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

QVariantMap CardModel::goal() const
{
    const double goalSeconds = m_store.goalSeconds();
    const auto progress = goalProgress(dayTotal(m_store.recordView(), m_now, m_now), goalSeconds);
    if (!progress)
        return {{QStringLiteral("shown"), false}};
    return {{QStringLiteral("shown"), true},
            {QStringLiteral("fraction"), progress->fraction},
            {QStringLiteral("percent"), progress->percent},
            {QStringLiteral("reached"), progress->reached},
            {QStringLiteral("label"),
             CardText::goalLabel(progress->reached, progress->percent, goalSeconds)},
            {QStringLiteral("accessibleName"), CardText::goalAccessibleName(progress->percent)}};
}

QString CardModel::streakBadge() const
{
    return CardText::streakBadge(currentStreak(m_store.recordView()));
}

QVariantMap CardModel::week() const
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
    QVariantList list;
    double total = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const QDate date = calendar.date(days[i]);
        const int weekday = date.dayOfWeek();
        const QString name = DateText::weekdayName(weekday, QLocale::LongFormat, locale);
        total += seconds[i];
        list.append(QVariantMap{{QStringLiteral("day"), days[i]},
                                {QStringLiteral("seconds"), seconds[i]},
                                {QStringLiteral("height"), CardText::barHeight(seconds[i], scale)},
                                {QStringLiteral("letter"),
                                 DateText::weekdayName(weekday, QLocale::NarrowFormat, locale)},
                                {QStringLiteral("isToday"), days[i] == today},
                                {QStringLiteral("selected"), m_chosenDay && date == chosenDate},
                                {QStringLiteral("accessibleName"),
                                 name + QStringLiteral(", ") + durationText(seconds[i])}});
    }
    return {{QStringLiteral("totalText"), durationText(total)}, {QStringLiteral("days"), list}};
}

QVariant CardModel::dayDetail() const
{
    if (!m_chosenDay)
        return QVariant::fromValue(nullptr);
    const Calendar &calendar = m_store.calendar();
    const QLocale &locale = calendar.locale();
    const RecordView record = m_store.recordView();
    const auto activity = activityOnDay(record, *m_chosenDay);
    QString wordsText;
    if (activity && activity->keys >= 5)
        wordsText = QStringLiteral("~%1 words").arg(locale.toString(words(activity)));
    return QVariantMap{
        {QStringLiteral("date"), DateText::weekdayMonthDay(calendar.date(*m_chosenDay), locale)},
        {QStringLiteral("duration"), durationText(dayTotal(record, *m_chosenDay, m_chartNow))},
        {QStringLiteral("words"), wordsText}};
}

void CardModel::chooseDay(double day)
{
    const Calendar &calendar = m_store.calendar();
    if (m_chosenDay && calendar.date(*m_chosenDay) == calendar.date(day))
        m_chosenDay.reset();
    else
        m_chosenDay = day;
    emit chartChanged();
}

QVariantList CardModel::goalChoices() const
{
    QVariantList list;
    for (const auto &choice : CardText::goalChoices())
        list.append(QVariantMap{{QStringLiteral("label"), choice.label},
                                {QStringLiteral("seconds"), choice.seconds}});
    return list;
}

double CardModel::goalSeconds() const
{
    return m_store.goalSeconds();
}

void CardModel::setGoalSeconds(double seconds)
{
    m_store.setGoalSeconds(seconds);
}

QVariantList CardModel::crews() const
{
    QVariantList list;
    for (const auto &c : m_store.crews()->crewConfigs())
        list.append(QVariantMap{
            {QStringLiteral("code"), c.code},
            {QStringLiteral("nickname"), c.nickname},
            {QStringLiteral("crewName"), c.crewName},
            {QStringLiteral("owned"), m_store.crews()->ownedCrewCodes().contains(c.code)}});
    return list;
}

QVariantMap CardModel::boards() const
{
    QVariantMap boards;
    const auto &all = m_store.crews()->standingsByCode();
    for (auto it = all.begin(); it != all.end(); ++it) {
        QVariantList rows;
        for (const auto &s : it.value())
            rows.append(
                QVariantMap{{QStringLiteral("nickname"), s.nickname},
                            {QStringLiteral("todaySeconds"), s.todaySeconds},
                            {QStringLiteral("rankMark"), CardText::rankMark(int(rows.size()))},
                            {QStringLiteral("todayText"), durationText(s.todaySeconds)}});
        boards.insert(it.key(), rows);
    }
    return boards;
}

QString CardModel::crewError() const
{
    return m_store.crews()->crewError();
}

QString CardModel::crewBoxContent(int memberships, const QString &form) const
{
    return CardText::crewBoxContent(memberships, form);
}

QString CardModel::trimmed(const QString &text) const
{
    return CardText::trimmed(text);
}

void CardModel::refresh()
{
    m_store.reportNow();
    m_store.crews()->refreshCrews();
}

void CardModel::createCrew(const QString &crewName, const QString &nickname)
{
    finishFormRequest(m_store.crews()->createCrew(crewName, nickname));
}

void CardModel::joinCrew(const QString &code, const QString &nickname)
{
    finishFormRequest(m_store.crews()->joinCrew(code, nickname));
}

QCoro::Task<> CardModel::finishFormRequest(QCoro::Task<> request)
{
    QPointer<CardModel> self(this);
    co_await std::move(request);
    if (self)
        emit formRequestFinished();
}

void CardModel::removeMember(const QString &code, const QString &nickname)
{
    m_store.crews()->removeMember(code, nickname);
}

void CardModel::leaveCrew(const QString &code)
{
    m_store.crews()->leaveCrew(code);
}

void CardModel::copyInvite(const QString &code)
{
    m_store.crews()->copyInvite(code);
}

void CardModel::openCrewPage(const QString &code)
{
    if (const auto &base = CrewClient::baseURL())
        QDesktopServices::openUrl(QUrl(CrewInvite::inviteLink(*base, code)));
}
