// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewRequest.h"
#include "Database.h"
#include "Reply.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>
#include <unordered_map>

// The six requests against one database connection, used by one thread at a time. Every change
// is one transaction. With SQLite one thread of the pool does all the writing, so writers queue
// in memory instead of backing off in SQLite's busy handler; with PostgreSQL the crew's (or the
// member's) row is locked instead, which also holds across instances.
class CrewStore {
public:
    // On PostgreSQL every committed change to a crew notifies this channel with its code.
    static constexpr char changeChannel[] = "tockly_crew_changed";

    CrewStore(Database config, QString connectionName);
    ~CrewStore();
    CrewStore(const CrewStore &) = delete;
    CrewStore &operator=(const CrewStore &) = delete;

    bool open(QString *error);
    QSqlDatabase &database() { return m_db; }

    Reply create(const CreateRequest &request);
    Reply join(const JoinRequest &request);
    Reply fetch(const QString &code, QDate today);
    Reply leave(const LeaveRequest &request);
    Reply kick(const KickRequest &request);
    Reply report(const ReportRequest &request, QDate today);

    // What the invitation page shows.
    struct Summary {
        QString name;
        int members = 0;
    };
    enum class Lookup { found, unknown, failed };
    Lookup summary(const QString &code, Summary *out);

    // After a storage failure: whether the connection still answers; reopens it if not.
    bool recover();

private:
    class Transaction;
    struct Row;

    QSqlQuery &run(const char *sql, std::initializer_list<QVariant> values);
    std::optional<Row> firstRow(const char *sql, std::initializer_list<QVariant> values);
    void exec(const char *sql);
    // Tells the other instances, when the transaction commits, that the crew changed.
    void notifyChanged(const QString &code);
    bool pg() const { return m_config.engine == Database::Engine::postgresql; }

    Database m_config;
    QString m_name;
    QSqlDatabase m_db;
    std::unordered_map<const char *, QSqlQuery> m_queries;
};
