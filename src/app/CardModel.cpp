#include "CardModel.h"

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

CardModel::CardModel(MacWorkStore &store, QObject *parent)
    : QObject(parent), m_store(store),
      m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    connect(&store, &MacWorkStore::crewConfigsChanged, this, &CardModel::crewsChanged);
    connect(&store, &MacWorkStore::standingsByCodeChanged, this, &CardModel::boardsChanged);
}

QVariantList CardModel::crews() const
{
    QVariantList list;
    for (const auto &c : m_store.crewConfigs())
        list.append(QVariantMap{{QStringLiteral("code"), c.code},
                                {QStringLiteral("nickname"), c.nickname},
                                {QStringLiteral("crewName"), c.crewName}});
    return list;
}

QVariantMap CardModel::boards() const
{
    QVariantMap boards;
    const auto &all = m_store.standingsByCode();
    for (auto it = all.begin(); it != all.end(); ++it) {
        QVariantList rows;
        for (const auto &s : it.value())
            rows.append(QVariantMap{{QStringLiteral("nickname"), s.nickname},
                                    {QStringLiteral("todaySeconds"), s.todaySeconds}});
        boards.insert(it.key(), rows);
    }
    return boards;
}

double CardModel::now() const
{
    return m_store.clock().now();
}

double CardModel::startOfDay(double instant) const
{
    return m_store.calendar().startOfDay(instant);
}

bool CardModel::sameDay(double a, double b) const
{
    const Calendar &calendar = m_store.calendar();
    return calendar.date(a) == calendar.date(b);
}

double CardModel::dayTotal(double day, double now) const
{
    return ::dayTotal(m_store.recordView(), day, now);
}

QString CardModel::durationText(double seconds) const
{
    return ::durationText(seconds);
}

QString CardModel::clockText(double seconds) const
{
    return ::clockText(seconds);
}

QString CardModel::number(double value) const
{
    return m_store.calendar().locale().toString(qint64(value));
}

double CardModel::score(double day, double now) const
{
    return double(::score(m_store.recordView(), day, now));
}

double CardModel::typingPace(double day) const
{
    return double(::typingPace(activityOnDay(m_store.recordView(), day)));
}

double CardModel::currentStreak() const
{
    return double(::currentStreak(m_store.recordView()));
}

QString CardModel::streakBadge(double streak) const
{
    return CardText::streakBadge(qint64(streak));
}

QVariantMap CardModel::goal(double now) const
{
    const double goalSeconds = m_store.goalSeconds();
    const auto progress = goalProgress(::dayTotal(m_store.recordView(), now, now), goalSeconds);
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

QVariantList CardModel::goalChoices() const
{
    QVariantList list;
    for (const auto &choice : CardText::goalChoices())
        list.append(QVariantMap{{QStringLiteral("label"), choice.label},
                                {QStringLiteral("seconds"), choice.seconds}});
    return list;
}

QVariantMap CardModel::week(double now) const
{
    const Calendar &calendar = m_store.calendar();
    const RecordView record = m_store.recordView();
    const Instant today = calendar.startOfDay(now);
    QList<Instant> days;
    QList<double> seconds;
    for (int k = -6; k <= 0; ++k) {
        if (const auto day = calendar.addDays(today, k)) {
            days.append(calendar.startOfDay(*day));
            seconds.append(::dayTotal(record, days.last(), now));
        }
    }
    const double scale = CardText::chartScale(seconds);
    const QLocale &locale = calendar.locale();
    QVariantList list;
    double total = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const int weekday = calendar.date(days[i]).dayOfWeek();
        const QString name = DateText::weekdayName(weekday, QLocale::LongFormat, locale);
        total += seconds[i];
        list.append(QVariantMap{{QStringLiteral("day"), days[i]},
                                {QStringLiteral("seconds"), seconds[i]},
                                {QStringLiteral("height"), CardText::barHeight(seconds[i], scale)},
                                {QStringLiteral("letter"),
                                 DateText::weekdayName(weekday, QLocale::NarrowFormat, locale)},
                                {QStringLiteral("isToday"), days[i] == today},
                                {QStringLiteral("accessibleName"),
                                 name + QStringLiteral(", ") + ::durationText(seconds[i])}});
    }
    return {{QStringLiteral("total"), total}, {QStringLiteral("days"), list}};
}

QVariantMap CardModel::dayDetail(double day, double now) const
{
    const Calendar &calendar = m_store.calendar();
    const QLocale &locale = calendar.locale();
    const QDate date = calendar.date(day);
    const RecordView record = m_store.recordView();
    const auto activity = activityOnDay(record, day);
    QString wordsText;
    if (activity && activity->keys >= 5)
        wordsText = QStringLiteral("~%1 words").arg(locale.toString(words(activity)));
    return {{QStringLiteral("date"), DateText::weekdayMonthDay(date, locale)},
            {QStringLiteral("duration"), ::durationText(::dayTotal(record, day, now))},
            {QStringLiteral("words"), wordsText}};
}

QString CardModel::rankMark(int position) const
{
    return CardText::rankMark(position);
}

QString CardModel::crewBoxContent(int memberships, const QString &form) const
{
    return CardText::crewBoxContent(memberships, form);
}

QString CardModel::trimmed(const QString &text) const
{
    return CardText::trimmed(text);
}

void CardModel::cardShown()
{
    if (m_store.crewConfig())
        refresh();
}

void CardModel::refresh()
{
    m_store.reportNow();
    m_store.refreshCrews();
}

void CardModel::createCrew(const QString &crewName, const QString &nickname)
{
    finishFormRequest(m_store.createCrew(crewName, nickname));
}

void CardModel::joinCrew(const QString &code, const QString &nickname)
{
    finishFormRequest(m_store.joinCrew(code, nickname));
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
    m_store.removeMember(code, nickname);
}

void CardModel::openCrewPage(const QString &code)
{
    if (const auto &base = CrewClient::baseURL())
        m_openUrl(QUrl(CrewInvite::inviteLink(*base, code)));
}
