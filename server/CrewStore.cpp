// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewStore.h"

#include "Calendar.h"
#include "CrewWire.h"
#include "Json.h"
#include "RandomIds.h"

#include <QJsonObject>
#include <QSqlError>
#include <QSqlRecord>

#include <cstdio>

namespace {

namespace Field = CrewWire::Field;
namespace Code = CrewWire::ErrorCode;

// Thrown by the query helpers; each request turns it into a 503 after its transaction has been
// rolled back.
struct StorageError {
    QString text;
};

// {lock} takes the crew's row, {lockMember} the member's, for the rest of the transaction on
// PostgreSQL; on SQLite the single writer already has the whole database.
const char kFindCrew[] = "SELECT id, name FROM crews WHERE code = ?{lock}";
const char kInsertCrew[] =
    "INSERT INTO crews (code, name) VALUES (?, ?) ON CONFLICT (code) DO NOTHING RETURNING id";
const char kInsertMember[] = "INSERT INTO members (member_id, crew_id, nickname, nickname_key)"
                             " VALUES (?, ?, ?, ?) ON CONFLICT DO NOTHING RETURNING seq";
const char kCountMembers[] = "SELECT COUNT(*) FROM members WHERE crew_id = ?";
const char kFindMember[] = "SELECT seq FROM members WHERE crew_id = ? AND member_id = ?";
const char kFindReporter[] = "SELECT m.seq, m.days FROM members m JOIN crews c ON c.id = m.crew_id"
                             " WHERE c.code = ? AND m.member_id = ?{lockMember}";
const char kFindOwner[] = "SELECT seq FROM members WHERE crew_id = ? ORDER BY seq LIMIT 1";
const char kFindNickname[] = "SELECT seq FROM members WHERE crew_id = ? AND nickname_key = ?";
const char kDeleteMember[] = "DELETE FROM members WHERE seq = ?";
const char kDeleteEmptyCrew[] =
    "DELETE FROM crews WHERE id = ? AND NOT EXISTS (SELECT 1 FROM members WHERE crew_id = ?)";
const char kSaveDays[] = "UPDATE members SET days = ? WHERE seq = ?";
const char kFetch[] = "SELECT c.name, m.seq, m.nickname, m.days FROM crews c"
                      " LEFT JOIN members m ON m.crew_id = c.id WHERE c.code = ? ORDER BY m.seq";
const char kNotifyChange[] = "SELECT pg_notify(?, ?)";
const char kSummary[] =
    "SELECT c.name, COUNT(m.seq) FROM crews c"
    " LEFT JOIN members m ON m.crew_id = c.id WHERE c.code = ? GROUP BY c.id, c.name";

QString oldestKept(QDate today)
{
    return dayKeyOfDate(today.addDays(-CrewWire::reportWindowDays));
}

QJsonObject parseDays(const QString &stored)
{
    auto days = parseJson(stored.toUtf8());
    return days && days->isObject() ? days->toObject() : QJsonObject();
}

void dropOldDays(QJsonObject &days, const QString &oldest)
{
    while (!days.isEmpty() && days.begin().key() < oldest)
        days.erase(days.begin());
}

// The stored days with the reported ones put in, and those too old for any fetch dropped.
QByteArray mergedDays(const QString &stored, const ReportRequest &request, QDate today)
{
    QJsonObject days = parseDays(stored);
    for (const auto &[day, seconds] : request.days)
        days.insert(day, seconds);
    dropOldDays(days, oldestKept(today));
    return writeJson(days);
}

// A member's days as a fetch sends them. Keys are stored in order, so when the first one is
// recent enough the text goes out as it is, without parsing.
QByteArray recentDays(const QString &stored, const QString &oldest)
{
    if (stored.size() < 14 || QStringView(stored).mid(2, 10) >= oldest)
        return stored.toUtf8();
    QJsonObject days = parseDays(stored);
    dropOldDays(days, oldest);
    return writeJson(days);
}

Reply joined(const QString &code, const QString &memberId, const QString &crewName)
{
    QByteArray body = "{";
    appendKey(body, Field::code);
    appendJsonString(body, code);
    body += ',';
    appendKey(body, Field::memberId);
    appendJsonString(body, memberId);
    body += ',';
    appendKey(body, Field::crewName);
    appendJsonString(body, crewName);
    body += '}';
    return Reply::json(body);
}

Reply failed(const StorageError &e)
{
    std::fprintf(stderr, "tockly-crewd: storage: %s\n", qPrintable(e.text));
    return Reply::storageFailure();
}

} // namespace

struct CrewStore::Row {
    std::vector<QVariant> values;
    const QVariant &operator[](size_t i) const { return values[i]; }
};

class CrewStore::Transaction {
public:
    enum class Commit { durable, report };

    // A report's commit does not wait for PostgreSQL's disk flush: it is acknowledged once the
    // database server has it, which survives a crash of this service, like SQLite's
    // synchronous=NORMAL. Only a crash of the database machine within a fraction of a second
    // can lose it, and the app sends its totals again at its next report anyway. Without this
    // every report waited for a flush of its own (4 ms each here).
    explicit Transaction(CrewStore &store, Commit commit = Commit::durable) : m_store(store)
    {
        if (!store.pg())
            store.exec("BEGIN IMMEDIATE");
        else if (commit == Commit::report)
            store.exec("BEGIN; SET LOCAL synchronous_commit TO OFF");
        else
            store.exec("BEGIN");
        m_open = true;
    }
    ~Transaction()
    {
        if (m_open) {
            for (auto &[sql, q] : m_store.m_queries)
                q.finish();
            QSqlQuery(m_store.m_db).exec(QStringLiteral("ROLLBACK"));
        }
    }
    void commit()
    {
        m_store.exec("COMMIT");
        m_open = false;
    }

private:
    CrewStore &m_store;
    bool m_open = false;
};

CrewStore::CrewStore(Database config, QString connectionName)
    : m_config(std::move(config)), m_name(std::move(connectionName))
{}

CrewStore::~CrewStore()
{
    m_queries.clear();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool CrewStore::open(QString *error)
{
    m_queries.clear();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    auto db = m_config.open(m_name, error);
    if (!db)
        return false;
    m_db = *db;
    return true;
}

bool CrewStore::recover()
{
    QSqlQuery probe(m_db);
    if (m_db.isOpen() && probe.exec(QStringLiteral("SELECT 1")))
        return true;
    probe = QSqlQuery();
    QString error;
    if (open(&error))
        return true;
    std::fprintf(stderr, "tockly-crewd: storage: reconnecting: %s\n", qPrintable(error));
    return false;
}

void CrewStore::exec(const char *sql)
{
    QSqlQuery q(m_db);
    if (!q.exec(QLatin1StringView(sql)))
        throw StorageError{
            QStringLiteral("%1: %2").arg(QLatin1StringView(sql), q.lastError().text())};
}

QSqlQuery &CrewStore::run(const char *sql, std::initializer_list<QVariant> values)
{
    auto it = m_queries.find(sql);
    if (it == m_queries.end()) {
        QString text = QString::fromLatin1(sql);
        text.replace(QLatin1StringView("{lock}"),
                     pg() ? QLatin1StringView(" FOR UPDATE") : QLatin1StringView());
        text.replace(QLatin1StringView("{lockMember}"),
                     pg() ? QLatin1StringView(" FOR UPDATE OF m") : QLatin1StringView());
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        if (!q.prepare(text))
            throw StorageError{QStringLiteral("%1: %2").arg(text, q.lastError().text())};
        it = m_queries.emplace(sql, std::move(q)).first;
    }
    QSqlQuery &q = it->second;
    int i = 0;
    for (const QVariant &v : values)
        q.bindValue(i++, v);
    if (!q.exec())
        throw StorageError{
            QStringLiteral("%1: %2").arg(QLatin1StringView(sql), q.lastError().text())};
    return q;
}

void CrewStore::notifyChanged(const QString &code)
{
    if (pg())
        run(kNotifyChange, {QString::fromLatin1(changeChannel), code}).finish();
}

std::optional<CrewStore::Row> CrewStore::firstRow(const char *sql,
                                                  std::initializer_list<QVariant> values)
{
    QSqlQuery &q = run(sql, values);
    std::optional<Row> row;
    if (q.next()) {
        row.emplace();
        for (int i = 0, n = q.record().count(); i < n; ++i)
            row->values.push_back(q.value(i));
    }
    q.finish();
    return row;
}

Reply CrewStore::create(const CreateRequest &request)
{
    try {
        Transaction t(*this);
        // 36^6 codes: a collision is rare, and another try almost surely finds a free one.
        for (int attempt = 0; attempt < 16; ++attempt) {
            const QString code = newCrewCode();
            const auto crew = firstRow(kInsertCrew, {code, request.crewName});
            if (!crew)
                continue;
            const QString memberId = newMemberId();
            const auto member = firstRow(kInsertMember, {memberId, (*crew)[0], request.nickname,
                                                         nicknameKey(request.nickname)});
            if (!member)
                throw StorageError{QStringLiteral("a fresh member id is already taken")};
            t.commit();
            return joined(code, memberId, request.crewName);
        }
        throw StorageError{QStringLiteral("no free crew code after 16 tries")};
    } catch (const StorageError &e) {
        return failed(e);
    }
}

Reply CrewStore::join(const JoinRequest &request)
{
    try {
        Transaction t(*this);
        const auto crew = firstRow(kFindCrew, {request.code});
        if (!crew)
            return Reply::unknownCrew();
        const auto count = firstRow(kCountMembers, {(*crew)[0]});
        if (count && (*count)[0].toInt() >= CrewWire::maxMembers)
            return Reply::error(409, Code::crewFull,
                                QStringLiteral("This crew is full: it already has %1 members.")
                                    .arg(CrewWire::maxMembers));
        const QString memberId = newMemberId();
        const auto member = firstRow(
            kInsertMember, {memberId, (*crew)[0], request.nickname, nicknameKey(request.nickname)});
        if (!member)
            return Reply::error(
                409, Code::nicknameTaken,
                u"Someone in this crew already has that nickname. Please pick another one.");
        notifyChanged(request.code);
        t.commit();
        return joined(request.code, memberId, (*crew)[1].toString());
    } catch (const StorageError &e) {
        return failed(e);
    }
}

Reply CrewStore::fetch(const QString &code, QDate today)
{
    try {
        const QString oldest = oldestKept(today);
        QSqlQuery &q = run(kFetch, {code});
        QByteArray body;
        body.reserve(4096);
        bool first = true;
        while (q.next()) {
            if (first) {
                body += '{';
                appendKey(body, Field::code);
                appendJsonString(body, code);
                body += ',';
                appendKey(body, Field::crewName);
                appendJsonString(body, q.value(0).toString());
                body += ',';
                appendKey(body, Field::ownerNickname);
                // Members come in order of joining: the first one owns the crew.
                if (q.value(1).isNull())
                    body += "null";
                else
                    appendJsonString(body, q.value(2).toString());
                body += ',';
                appendKey(body, Field::members);
                body += '[';
            }
            if (!q.value(1).isNull()) {
                body += first ? "{" : ",{";
                appendKey(body, Field::nickname);
                appendJsonString(body, q.value(2).toString());
                body += ',';
                appendKey(body, Field::days);
                body += recentDays(q.value(3).toString(), oldest);
                body += '}';
            }
            first = false;
        }
        q.finish();
        if (first)
            return Reply::unknownCrew();
        body += "]}";
        return Reply::json(body);
    } catch (const StorageError &e) {
        return failed(e);
    }
}

Reply CrewStore::leave(const LeaveRequest &request)
{
    try {
        Transaction t(*this);
        const auto crew = firstRow(kFindCrew, {request.code});
        if (!crew)
            return Reply::unknownCrew();
        const auto member = firstRow(kFindMember, {(*crew)[0], request.memberId});
        if (!member)
            return Reply::notAMember();
        // The owner is whoever has been in the crew longest, so when the owner leaves the next
        // longest-standing member takes over without anything to rewrite.
        run(kDeleteMember, {(*member)[0]});
        run(kDeleteEmptyCrew, {(*crew)[0], (*crew)[0]});
        notifyChanged(request.code);
        t.commit();
        return Reply::ok();
    } catch (const StorageError &e) {
        return failed(e);
    }
}

Reply CrewStore::kick(const KickRequest &request)
{
    try {
        Transaction t(*this);
        const auto crew = firstRow(kFindCrew, {request.code});
        if (!crew)
            return Reply::unknownCrew();
        const auto caller = firstRow(kFindMember, {(*crew)[0], request.memberId});
        if (!caller)
            return Reply::notAMember();
        const auto owner = firstRow(kFindOwner, {(*crew)[0]});
        if (!owner || (*owner)[0] != (*caller)[0])
            return Reply::error(403, Code::notOwner, u"Only the crew's owner can remove members.");
        const auto target = firstRow(kFindNickname, {(*crew)[0], nicknameKey(request.nickname)});
        if (!target)
            return Reply::error(409, Code::noSuchNickname,
                                u"Nobody in this crew has that nickname.");
        if ((*target)[0] == (*caller)[0])
            return Reply::error(409, Code::kickSelf,
                                u"You can't remove yourself. Leave the crew instead.");
        run(kDeleteMember, {(*target)[0]});
        notifyChanged(request.code);
        t.commit();
        return Reply::ok();
    } catch (const StorageError &e) {
        return failed(e);
    }
}

Reply CrewStore::report(const ReportRequest &request, QDate today)
{
    try {
        Transaction t(*this, Transaction::Commit::report);
        const auto member = firstRow(kFindReporter, {request.code, request.memberId});
        if (!member) {
            if (!firstRow(kFindCrew, {request.code}))
                return Reply::unknownCrew();
            return Reply::notAMember();
        }
        run(kSaveDays,
            {QString::fromUtf8(mergedDays((*member)[1].toString(), request, today)), (*member)[0]});
        notifyChanged(request.code);
        t.commit();
        return Reply::ok();
    } catch (const StorageError &e) {
        return failed(e);
    }
}

CrewStore::Lookup CrewStore::summary(const QString &code, Summary *out)
{
    try {
        const auto row = firstRow(kSummary, {code});
        if (!row)
            return Lookup::unknown;
        *out = {(*row)[0].toString(), (*row)[1].toInt()};
        return Lookup::found;
    } catch (const StorageError &e) {
        failed(e);
        return Lookup::failed;
    }
}
