// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Crew operations may overlap and are never cancelled. Each task checks, whenever it resumes,
// that the crews (and so the store) still exist and that the crew it worked for is still held,
// so that a reply arriving after the user left a crew never brings any of it back.

#include "Crews.h"

#include "CrewBaseUrl.h"
#include "CrewInvite.h"
#include "Pasteboard.h"
#include "SettingsStore.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

using CrewClient::Config;

namespace {

// The store's clock while the store exists. A fetch reads the clock when its reply arrives,
// which may be after the store and its clock are gone.
class GuardedClock final : public Clock {
public:
    GuardedClock(const Crews *crews, const Clock &clock) : m_crews(crews), m_clock(clock) {}
    Instant now() const override { return m_crews ? m_clock.now() : m_fallback.now(); }

private:
    QPointer<const Crews> m_crews;
    const Clock &m_clock;
    SystemClock m_fallback;
};

// Needs nothing of the store: the memberships and days were copied when the report started.
QCoro::Task<> reportToEach(CrewClient::Connection &connection, QList<Config> configs,
                           QHash<QString, double> days)
{
    // One after the other, in list order; a crew that fails does not stop the others.
    for (const Config &config : configs)
        co_await connection.report(config, days);
}

QList<Config>::const_iterator findCrew(const QList<Config> &configs, const QString &code)
{
    return std::find_if(configs.begin(), configs.end(),
                        [&](const Config &c) { return c.code == code; });
}

} // namespace

Crews::Crews(const Services &s)
    : m_clock(s.clock), m_calendar(s.calendar), m_settings(s.settings), m_connection(s.connection),
      m_reportNow(s.reportNow)
{}

// ---- Stored list

void Crews::load()
{
    if (const auto data = m_settings.dataValue(crewsKey)) {
        if (auto configs = CrewClient::decodeConfigs(*data)) {
            m_crewConfigs = std::move(*configs);
            saveCrews();
            return;
        }
    }
    const auto data = m_settings.dataValue(crewKey);
    const auto single = data ? CrewClient::decodeConfig(*data) : std::nullopt;
    if (!single)
        return;
    m_crewConfigs = {*single};
    // The older key goes only once the list holding it is stored.
    if (saveCrews())
        m_settings.remove(crewKey);
}

bool Crews::saveCrews()
{
    return m_settings.setValue(crewsKey, CrewClient::encodeConfigs(m_crewConfigs));
}

void Crews::setCrewConfigs(const QList<Config> &configs)
{
    if (configs != m_crewConfigs) {
        m_crewConfigs = configs;
        emit crewConfigsChanged();
    }
    saveCrews();
}

// ---- Published crew state

std::optional<Config> Crews::crewConfig() const
{
    if (m_crewConfigs.isEmpty())
        return std::nullopt;
    return m_crewConfigs.first();
}

void Crews::setCrewError(const QString &error)
{
    if (error == m_crewError)
        return;
    m_crewError = error;
    emit crewErrorChanged();
}

void Crews::setStandings(const QString &code, const QList<CrewClient::Standing> &standings)
{
    const auto it = m_standingsByCode.constFind(code);
    if (it != m_standingsByCode.constEnd() && *it == standings)
        return;
    m_standingsByCode.insert(code, standings);
    emit standingsByCodeChanged();
}

void Crews::setOwned(const QString &code, bool owned)
{
    if (owned == m_ownedCrewCodes.contains(code))
        return;
    if (owned)
        m_ownedCrewCodes.append(code);
    else
        m_ownedCrewCodes.removeAll(code);
    emit ownedCrewCodesChanged();
}

// ---- Joining and creating

QString Crews::crewLimitMessage()
{
    return tr("You can be in up to %n crews.", nullptr, CrewClient::maxCrews);
}

bool Crews::holdsCrew(const QString &code) const
{
    return findCrew(m_crewConfigs, code) != m_crewConfigs.cend();
}

// Why a crew with this code cannot be added now, if it cannot. The duplicate test comes first.
std::optional<QString> Crews::joinRefusal(const QString &code) const
{
    if (holdsCrew(code))
        return tr("You're already in that crew.");
    if (m_crewConfigs.size() >= CrewClient::maxCrews)
        return crewLimitMessage();
    return std::nullopt;
}

QCoro::Task<> Crews::joinCrew(QString code, QString nickname)
{
    const std::optional<QString> refusal = joinRefusal(code.toUpper());
    if (refusal) {
        setCrewError(*refusal);
        co_return;
    }
    setCrewError({});
    QPointer<Crews> self(this);
    auto result = co_await m_connection.joinCrew(code, nickname);
    if (self)
        co_await addMembership(std::move(result));
}

QCoro::Task<> Crews::createCrew(QString crewName, QString nickname)
{
    if (m_crewConfigs.size() >= CrewClient::maxCrews) {
        setCrewError(crewLimitMessage());
        co_return;
    }
    setCrewError({});
    QPointer<Crews> self(this);
    auto result = co_await m_connection.createCrew(crewName, nickname);
    if (self)
        co_await addMembership(std::move(result));
}

QCoro::Task<> Crews::addMembership(CrewClient::CrewResult<Config> result)
{
    if (!result) {
        setCrewError(result.failure().description);
        co_return;
    }
    const Config config = result.value();
    // Another join or create may have finished while this one was under way, with the same
    // crew or the last free place. The membership just made is then given back to the service,
    // which would otherwise list a member who never reports.
    const std::optional<QString> refusal = joinRefusal(config.code);
    if (refusal) {
        m_connection.leave(config);
        setCrewError(*refusal);
        co_return;
    }
    QList<Config> configs = m_crewConfigs;
    configs.append(config);
    setCrewConfigs(configs);
    m_reportNow();
    co_await refreshCrews();
}

// ---- Leaderboards

QCoro::Task<> Crews::refreshCrews()
{
    if (m_crewConfigs.isEmpty())
        co_return;
    const QList<Config> configs = m_crewConfigs;
    QPointer<Crews> self(this);
    const GuardedClock clock(this, m_clock);
    std::optional<QString> firstFailure;
    for (const Config &config : configs) {
        const QTimeZone zone = m_calendar.zone();
        const auto fetched = co_await m_connection.fetchCrew(config.code, clock, zone);
        if (!self)
            co_return;
        // Left while the request ran: its answer no longer matters, not even as an error.
        if (!holdsCrew(config.code))
            continue;
        if (fetched)
            applyFetchedCrew(config.code, fetched.value());
        else if (!firstFailure)
            firstFailure = fetched.failure().description;
    }
    setCrewError(firstFailure.value_or(QString()));
}

void Crews::applyFetchedCrew(const QString &code, const CrewClient::FetchedCrew &crew)
{
    setStandings(code, crew.standings);
    // Looked up again in the current list: other operations may have changed it meanwhile.
    const auto held = findCrew(m_crewConfigs, code);
    const Config membership = *held;
    if (membership.crewName != crew.crewName) {
        QList<Config> configs = m_crewConfigs;
        configs[held - m_crewConfigs.cbegin()].crewName = crew.crewName;
        setCrewConfigs(configs);
    }
    setOwned(code, crew.ownerNickname == membership.nickname);
}

// ---- Leaving and removing members

void Crews::leaveCrew(const QString &code)
{
    const auto held = findCrew(m_crewConfigs, code);
    // Told in the background; leaving takes effect here whatever the service answers.
    if (held != m_crewConfigs.cend())
        m_connection.leave(*held);
    QList<Config> remaining = m_crewConfigs;
    remaining.removeIf([&](const Config &c) { return c.code == code; });
    setCrewConfigs(remaining);
    if (m_standingsByCode.remove(code))
        emit standingsByCodeChanged();
    setOwned(code, false);
    setCrewError({});
}

QCoro::Task<> Crews::removeMember(QString code, QString nickname)
{
    const auto held = findCrew(m_crewConfigs, code);
    if (held == m_crewConfigs.cend())
        co_return;
    setCrewError({});
    const Config config = *held;
    QPointer<Crews> self(this);
    const auto result = co_await m_connection.kick(config, nickname);
    if (!self || !holdsCrew(config.code))
        co_return;
    if (result)
        co_await refreshCrews();
    else
        setCrewError(result.failure().description);
}

// ---- Reports

void Crews::sendReports(const QHash<QString, double> &days)
{
    reportToEach(m_connection, m_crewConfigs, days);
}

// ---- Invitations

void Crews::copyInvite(const QString &code)
{
    const std::optional<QUrl> &base = CrewClient::baseURL();
    if (!m_pasteboard || !base)
        return;
    m_pasteboard->clear();
    m_pasteboard->setText(CrewInvite::inviteText(*base, code));
}

// Never cleared while the program runs.
void Crews::markInvitePending()
{
    if (m_hasPendingInvite)
        return;
    m_hasPendingInvite = true;
    emit hasPendingInviteChanged();
}

void Crews::checkPasteboardForInvite()
{
    if (!m_pasteboard)
        return;
    const QString lastOffered = m_settings.textValue(inviteOfferedKey).value_or(QString());
    const auto code =
        CrewInvite::pasteboardInviteToOffer(m_pasteboard->text(), m_crewConfigs, lastOffered);
    if (!code)
        return;
    m_settings.setValue(inviteOfferedKey, *code);
    markInvitePending();
    // At a later turn of the loop, once the start-up sequence has seen the pending invitation
    // (and skipped the welcome window for it).
    QTimer::singleShot(0, this, [this, code = *code] { openInvite(code); });
}

void Crews::openInvite(const QString &code)
{
    if (!CrewInvite::inviteWanted(m_crewConfigs, code))
        return;
    markInvitePending();
    emit inviteWindowRequested(code);
}

void Crews::openInviteLinks(const QStringList &links)
{
    // No once-only rule here: a link opens its invitation every time.
    for (const QString &link : links) {
        if (const auto code = CrewInvite::codeFromLink(link))
            openInvite(*code);
    }
}
