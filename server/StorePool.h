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

// A few threads, each with its own connection (QtSql connections belong to the thread that
// opened them). The HTTP threads hand each request to the pool and wait for its reply, so the
// number of connections stays small however many clients are connected.
class StorePool {
public:
    explicit StorePool(Database config);
    ~StorePool();

    // Migrates the schema, then opens `connections` connections; false with the reason on error.
    bool start(int connections, QString *error);
    void stop();

    Reply run(std::function<Reply(CrewStore &)> job);

private:
    struct Job;
    void work(std::unique_ptr<CrewStore> store);

    Database m_config;
    std::mutex m_writeLock; // SQLite only: one writer at a time, queued in memory
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job *> m_jobs;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
