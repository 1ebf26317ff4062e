#pragma once

#include "Calendar.h"
#include "Clock.h"
#include "CrewConfig.h"
#include "CrewConnection.h"
#include "CrewStandings.h"

#include <QCoro/QCoroTask>
#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class Pasteboard;
class SettingsStore;

// Crew code -> that crew's leaderboard, rows in leaderboard order.
using StandingsByCode = QHash<QString, QList<CrewClient::Standing>>;

// The store's crew half: the memberships and their leaderboards, the reports and the
// invitations. It reaches the crew service only through the connection it is given. The store
// owns it and publishes its state and operations as its own.
class Crews : public QObject {
    Q_OBJECT

public:
    static inline const QString crewKey = QStringLiteral("quenby.mac.crew.v1");
    static inline const QString crewsKey = QStringLiteral("quenby.mac.crews.v1");
    static inline const QString inviteOfferedKey = QStringLiteral("quenby.mac.inviteoffered.v1");

    // The services must outlive this object; the connection also the tasks it starts.
    struct Services {
        const Clock &clock;
        // The store's calendar, followed as its zone changes.
        const Calendar &calendar;
        SettingsStore &settings;
        CrewClient::Connection &connection;
        // The store's report of today's and the previous days' totals to every crew.
        std::function<void()> reportNow;
    };

    explicit Crews(const Services &services);

    const QList<CrewClient::Config> &crewConfigs() const { return m_crewConfigs; }
    const StandingsByCode &standingsByCode() const { return m_standingsByCode; }
    const QStringList &ownedCrewCodes() const { return m_ownedCrewCodes; }
    const QString &crewError() const { return m_crewError; }
    bool hasPendingInvite() const { return m_hasPendingInvite; }

    // The stored list, moved from the older single-crew key when only that one is there.
    void load();
    bool save();
    // Every change is saved at once.
    void setCrewConfigs(const QList<CrewClient::Config> &configs);

    static QString crewLimitMessage();
    QCoro::Task<> joinCrew(QString code, QString nickname);
    QCoro::Task<> createCrew(QString crewName, QString nickname);
    QCoro::Task<> refreshCrews();
    void leaveCrew(const QString &code);
    QCoro::Task<> removeMember(QString code, QString nickname);
    // Sends the days (day key -> seconds worked) to every crew held now; returns at once.
    void sendReports(const QHash<QString, double> &days);

    void setPasteboard(Pasteboard *pasteboard) { m_pasteboard = pasteboard; }
    void copyInvite(const QString &code);
    void checkPasteboardForInvite();
    void openInvite(const QString &code);
    void openInviteLinks(const QStringList &links);

signals:
    void crewConfigsChanged();
    void standingsByCodeChanged();
    void ownedCrewCodesChanged();
    void crewErrorChanged();
    void hasPendingInviteChanged();
    void inviteWindowRequested(const QString &code);

private:
    bool holdsCrew(const QString &code) const;
    std::optional<QString> joinRefusal(const QString &code) const;
    QCoro::Task<> addMembership(CrewClient::CrewResult<CrewClient::Config> result);
    void applyFetchedCrew(const QString &code, const CrewClient::FetchedCrew &crew);
    void setCrewError(const QString &error);
    void setStandings(const QString &code, const QList<CrewClient::Standing> &standings);
    void setOwned(const QString &code, bool owned);
    void markInvitePending();

    const Clock &m_clock;
    const Calendar &m_calendar;
    SettingsStore &m_settings;
    CrewClient::Connection &m_connection;
    std::function<void()> m_reportNow;

    QList<CrewClient::Config> m_crewConfigs;
    StandingsByCode m_standingsByCode;
    QStringList m_ownedCrewCodes;
    QString m_crewError;
    bool m_hasPendingInvite = false;
    Pasteboard *m_pasteboard = nullptr;
};
