// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewStore.h"
#include "Database.h"
#include "Reply.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Runs requests on database connections; QtSql connections belong to the thread that opened
// them, so each thread here has its own.
//
// PostgreSQL: a few threads, each with a connection, take every request in turn, so the number
// of server connections stays small however many clients are connected, even with several
// instances on one database.
// SQLite: a connection is only a file handle. Reads run at once on the HTTP thread that asks,
// with a connection of that thread's own (WAL lets them run beside a write), which spares two
// thread switches per fetch. SQLite lets one writer in at a time: one thread takes all writes,
// in the order they come, so they queue here instead of backing off in SQLite's busy handler.
class StorePool {
public:
    enum class Access { read, write };

    explicit StorePool(Database config);
    ~StorePool();

    // Migrates the schema, then opens the connections (`connections` for PostgreSQL, the
    // writer's for SQLite); false with the reason on error.
    bool start(int connections, QString *error);
    void stop();

    Reply run(Access access, std::function<Reply(CrewStore &)> job);

private:
    struct Job;
    struct Queue {
        std::deque<Job *> jobs;
        std::condition_variable wake;
    };
    void work(CrewStore &store);
    Reply runHere(const std::function<Reply(CrewStore &)> &job);

    Database m_config;
    std::mutex m_mutex;
    Queue m_queue;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
