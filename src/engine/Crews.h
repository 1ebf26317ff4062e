// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
// owns it and publishes it whole, as its `crews`.
class Crews : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<CrewClient::Config> crewConfigs READ crewConfigs NOTIFY crewConfigsChanged)
    Q_PROPERTY(StandingsByCode standingsByCode READ standingsByCode NOTIFY standingsByCodeChanged)
    // A set: each code at most once, in the order ownership was first seen.
    Q_PROPERTY(QStringList ownedCrewCodes READ ownedCrewCodes NOTIFY ownedCrewCodesChanged)
    // The last crew failure for the crew section to show; empty when there is nothing to show.
    Q_PROPERTY(QString crewError READ crewError NOTIFY crewErrorChanged)
    Q_PROPERTY(bool hasPendingInvite READ hasPendingInvite NOTIFY hasPendingInviteChanged)

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
    // The first membership, if any.
    std::optional<CrewClient::Config> crewConfig() const;

    // The stored list, moved from the older single-crew key when only that one is there.
    void load();
    // Every change is saved at once.
    void setCrewConfigs(const QList<CrewClient::Config> &configs);

    // They run on the main thread and may overlap; the asynchronous ones suspend while their
    // requests run, and their tasks may outlive the store. Nicknames go to the service as given:
    // trimming is the caller's business. Failures end up in crewError.
    QCoro::Task<> joinCrew(QString code, QString nickname);
    QCoro::Task<> createCrew(QString crewName, QString nickname);
    QCoro::Task<> refreshCrews();
    // Takes effect here at once; the service is told in the background.
    Q_INVOKABLE void leaveCrew(const QString &code);
    // Starts at once; the service decides whether this membership may remove members.
    QCoro::Task<> removeMember(QString code, QString nickname);
    // Sends the days (day key -> seconds worked) to every crew held now; returns at once.
    void sendReports(const QHash<QString, double> &days);

    // Invitations. Without a pasteboard, copying and the pasteboard check do nothing.
    void setPasteboard(Pasteboard *pasteboard) { m_pasteboard = pasteboard; }
    Q_INVOKABLE void copyInvite(const QString &code);
    // Once per run, at start: offers an invitation token found on the pasteboard, each code
    // only once across starts. hasPendingInvite is set at once, the window is asked for later.
    void checkPasteboardForInvite();
    // Application links ("quenby://join/CODE"); anything else is ignored.
    void openInviteLinks(const QStringList &links);

signals:
    void crewConfigsChanged();
    void standingsByCodeChanged();
    void ownedCrewCodesChanged();
    void crewErrorChanged();
    void hasPendingInviteChanged();
    // The window opener shows the invitation window for the code.
    void inviteWindowRequested(const QString &code);

private:
    static QString crewLimitMessage();
    bool saveCrews();
    // Asks for the invitation window unless the crew is held or there is no room for it.
    void openInvite(const QString &code);
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
