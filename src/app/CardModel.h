#pragma once

#include <QCoro/QCoroTask>
#include <QObject>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

class MacWorkStore;

// What the QML views compute from the store: day totals, score, pace, streak, goal, the week's
// chart, and the crews and leaderboards as plain QML values. Every figure is computed on the call
// from the store's current state, never kept. The crew requests that the card awaits run here.
class CardModel : public QObject {
    Q_OBJECT
    // [{code, nickname, crewName}] in membership order.
    Q_PROPERTY(QVariantList crews READ crews NOTIFY crewsChanged)
    // Crew code -> [{nickname, todaySeconds}] in leaderboard order.
    Q_PROPERTY(QVariantMap boards READ boards NOTIFY boardsChanged)

public:
    explicit CardModel(MacWorkStore &store, QObject *parent = nullptr);

    QVariantList crews() const;
    QVariantMap boards() const;

    // Instants are seconds since 2001-01-01 UTC, as everywhere in the program.
    Q_INVOKABLE double now() const;
    Q_INVOKABLE double startOfDay(double instant) const;
    Q_INVOKABLE bool sameDay(double a, double b) const;
    Q_INVOKABLE double dayTotal(double day, double now) const;
    Q_INVOKABLE QString durationText(double seconds) const;
    Q_INVOKABLE QString clockText(double seconds) const;
    // With the locale's digit grouping.
    Q_INVOKABLE QString number(double value) const;
    Q_INVOKABLE double score(double day, double now) const;
    Q_INVOKABLE double typingPace(double day) const;
    Q_INVOKABLE double currentStreak() const;
    Q_INVOKABLE QString streakBadge(double streak) const;
    // {shown, fraction, percent, reached, label, accessibleName} for today's total at `now`.
    Q_INVOKABLE QVariantMap goal(double now) const;
    // [{label, seconds}] for the goal menu.
    Q_INVOKABLE QVariantList goalChoices() const;
    // {total, days: [{day, seconds, height, letter, name, isToday, accessibleName}]}, oldest
    // first, today last.
    Q_INVOKABLE QVariantMap week(double now) const;
    // {date, duration, words} for the chart's detail line; words is empty under 5 keystrokes.
    Q_INVOKABLE QVariantMap dayDetail(double day, double now) const;

    Q_INVOKABLE QString rankMark(int position) const;
    Q_INVOKABLE QString crewBoxContent(int memberships, const QString &form) const;
    Q_INVOKABLE QString trimmed(const QString &text) const;

    // The card was opened: with crews, one report and one refresh.
    Q_INVOKABLE void cardShown();
    Q_INVOKABLE void refresh();
    // The crew form's requests; formRequestFinished follows each.
    Q_INVOKABLE void createCrew(const QString &crewName, const QString &nickname);
    Q_INVOKABLE void joinCrew(const QString &code, const QString &nickname);
    Q_INVOKABLE void removeMember(const QString &code, const QString &nickname);
    Q_INVOKABLE void openCrewPage(const QString &code);

    // How "Open ↗" reaches the browser; the desktop's URL handler unless replaced.
    void setUrlOpener(std::function<void(const QUrl &)> opener) { m_openUrl = std::move(opener); }

signals:
    void crewsChanged();
    void boardsChanged();
    void formRequestFinished();

private:
    QCoro::Task<> finishFormRequest(QCoro::Task<> request);

    MacWorkStore &m_store;
    std::function<void(const QUrl &)> m_openUrl;
};
