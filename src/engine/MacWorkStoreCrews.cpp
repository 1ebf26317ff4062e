// The store's crew memberships, leaderboards and reports.
//
// Crew operations may overlap and are never cancelled. Each task checks, whenever it resumes,
// that the store still exists and that the crew it worked for is still held, so that a reply
// arriving after the user left a crew never brings any of it back.

#include "MacWorkStore.h"

#include "DayTotals.h"

#include <QPointer>

#include <algorithm>

using CrewClient::Config;

namespace {

// The store's clock while the store exists. A fetch reads the clock when its reply arrives,
// which may be after the store and its clock are gone.
class GuardedClock final : public Clock {
public:
    explicit GuardedClock(const MacWorkStore *store) : m_store(store) {}
    Instant now() const override { return m_store ? m_store->clock().now() : m_fallback.now(); }

private:
    QPointer<const MacWorkStore> m_store;
    SystemClock m_fallback;
};

// Needs nothing of the store: the memberships and days were copied when the report started.
QCoro::Task<> sendReports(QList<Config> configs, QHash<QString, double> days)
{
    // One after the other, in list order; a crew that fails does not stop the others.
    for (const Config &config : configs)
        co_await CrewClient::report(config, days);
}

QList<Config>::const_iterator findCrew(const QList<Config> &configs, const QString &code)
{
    return std::find_if(configs.begin(), configs.end(),
                        [&](const Config &c) { return c.code == code; });
}

} // namespace

// ---- Stored list

void MacWorkStore::loadCrews()
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

bool MacWorkStore::saveCrews()
{
    return m_settings.setValue(crewsKey, CrewClient::encodeConfigs(m_crewConfigs));
}

void MacWorkStore::setCrewConfigs(const QList<Config> &configs)
{
    if (configs != m_crewConfigs) {
        m_crewConfigs = configs;
        emit crewConfigsChanged();
    }
    saveCrews();
}

std::optional<Config> MacWorkStore::crewConfig() const
{
    if (m_crewConfigs.isEmpty())
        return std::nullopt;
    return m_crewConfigs.first();
}

// ---- Published crew state

void MacWorkStore::setCrewError(const QString &error)
{
    if (error == m_crewError)
        return;
    m_crewError = error;
    emit crewErrorChanged();
}

void MacWorkStore::setStandings(const QString &code, const QList<CrewClient::Standing> &standings)
{
    const auto it = m_standingsByCode.constFind(code);
    if (it != m_standingsByCode.constEnd() && *it == standings)
        return;
    m_standingsByCode.insert(code, standings);
    emit standingsByCodeChanged();
}

void MacWorkStore::setOwned(const QString &code, bool owned)
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

QString MacWorkStore::crewLimitMessage()
{
    return QStringLiteral("You can be in up to %1 crews.").arg(maxCrews);
}

bool MacWorkStore::holdsCrew(const QString &code) const
{
    return findCrew(m_crewConfigs, code) != m_crewConfigs.cend();
}

// Why a crew with this code cannot be added now, if it cannot. The duplicate test comes first.
std::optional<QString> MacWorkStore::joinRefusal(const QString &code) const
{
    if (holdsCrew(code))
        return QStringLiteral("You're already in that crew.");
    if (m_crewConfigs.size() >= maxCrews)
        return crewLimitMessage();
    return std::nullopt;
}

QCoro::Task<> MacWorkStore::joinCrew(QString code, QString nickname)
{
    const std::optional<QString> refusal = joinRefusal(code.toUpper());
    if (refusal) {
        setCrewError(*refusal);
        co_return;
    }
    setCrewError({});
    QPointer<MacWorkStore> self(this);
    auto result = co_await CrewClient::joinCrew(code, nickname);
    if (self)
        co_await addMembership(std::move(result));
}

QCoro::Task<> MacWorkStore::createCrew(QString crewName, QString nickname)
{
    if (m_crewConfigs.size() >= maxCrews) {
        setCrewError(crewLimitMessage());
        co_return;
    }
    setCrewError({});
    QPointer<MacWorkStore> self(this);
    auto result = co_await CrewClient::createCrew(crewName, nickname);
    if (self)
        co_await addMembership(std::move(result));
}

QCoro::Task<> MacWorkStore::addMembership(CrewClient::CrewResult<Config> result)
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
        CrewClient::leave(config);
        setCrewError(*refusal);
        co_return;
    }
    QList<Config> configs = m_crewConfigs;
    configs.append(config);
    setCrewConfigs(configs);
    reportNow();
    co_await refreshCrews();
}

// ---- Leaderboards

QCoro::Task<> MacWorkStore::refreshCrews()
{
    if (m_crewConfigs.isEmpty())
        co_return;
    const QList<Config> configs = m_crewConfigs;
    QPointer<MacWorkStore> self(this);
    const GuardedClock clock(this);
    std::optional<QString> firstFailure;
    for (const Config &config : configs) {
        const QTimeZone zone = m_calendar.zone();
        const auto fetched = co_await CrewClient::fetchCrew(config.code, clock, zone);
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

void MacWorkStore::applyFetchedCrew(const QString &code, const CrewClient::FetchedCrew &crew)
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

void MacWorkStore::leaveCrew(const QString &code)
{
    const auto held = findCrew(m_crewConfigs, code);
    // Told in the background; leaving takes effect here whatever the service answers.
    if (held != m_crewConfigs.cend())
        CrewClient::leave(*held);
    QList<Config> remaining = m_crewConfigs;
    remaining.removeIf([&](const Config &c) { return c.code == code; });
    setCrewConfigs(remaining);
    if (m_standingsByCode.remove(code))
        emit standingsByCodeChanged();
    setOwned(code, false);
    setCrewError({});
}

QCoro::Task<> MacWorkStore::removeMember(QString code, QString nickname)
{
    const auto held = findCrew(m_crewConfigs, code);
    if (held == m_crewConfigs.cend())
        co_return;
    setCrewError({});
    const Config config = *held;
    QPointer<MacWorkStore> self(this);
    const auto result = co_await CrewClient::kick(config, nickname);
    if (!self || !holdsCrew(config.code))
        co_return;
    if (result)
        co_await refreshCrews();
    else
        setCrewError(result.failure().description);
}

// ---- Reports

QHash<QString, double> MacWorkStore::reportDays(Instant now) const
{
    const RecordView record = recordView();
    QHash<QString, double> days;
    for (int offset = 0; offset >= -7; --offset) {
        if (const auto day = m_calendar.addDays(now, offset))
            days.insert(m_calendar.dayKey(*day), dayTotal(record, *day, now));
    }
    return days;
}

void MacWorkStore::reportNow()
{
    if (m_crewConfigs.isEmpty())
        return;
    const Instant now = m_clock.now();
    // Set whatever the outcome, so a failed report is repeated at the tick's pace, not sooner.
    m_lastReport = now;
    sendReports(m_crewConfigs, reportDays(now));
}
