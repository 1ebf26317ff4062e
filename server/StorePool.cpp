// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "StorePool.h"

#include "Schema.h"

#include <atomic>
#include <cstdio>
#include <future>

struct StorePool::Job {
    std::function<Reply(CrewStore &)> fn;
    std::promise<Reply> done;
};

StorePool::StorePool(Database config) : m_config(std::move(config)) {}

StorePool::~StorePool()
{
    stop();
}

bool StorePool::start(int connections, QString *error)
{
    {
        CrewStore migrator(m_config, QStringLiteral("crewd-migrate"));
        if (!migrator.open(error) || !Schema::migrate(migrator.database(), m_config.engine, error))
            return false;
    }
    if (m_config.engine == Database::Engine::sqlite)
        connections = 1;
    for (int i = 0; i < connections; ++i) {
        std::promise<QString> opened;
        auto result = opened.get_future();
        m_threads.emplace_back([this, i, &opened] {
            CrewStore store(m_config, QStringLiteral("crewd-%1").arg(i));
            QString e;
            const bool ok = store.open(&e);
            opened.set_value(ok ? QString() : e);
            if (ok)
                work(store);
        });
        *error = result.get();
        if (!error->isEmpty()) {
            stop();
            return false;
        }
    }
    return true;
}

void StorePool::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queue.wake.notify_all();
    for (auto &t : m_threads)
        t.join();
    m_threads.clear();
}

Reply StorePool::runHere(const std::function<Reply(CrewStore &)> &fn)
{
    static std::atomic<int> readers{0};
    thread_local std::unique_ptr<CrewStore> reader;
    if (!reader) {
        auto store =
            std::make_unique<CrewStore>(m_config, QStringLiteral("crewd-reader-%1").arg(++readers));
        QString error;
        if (!store->open(&error)) {
            std::fprintf(stderr, "tockly-crewd: storage: %s\n", qPrintable(error));
            return Reply::storageFailure();
        }
        reader = std::move(store);
    }
    Reply reply = fn(*reader);
    if (reply.status >= 500)
        reader->recover();
    return reply;
}

Reply StorePool::run(Access access, std::function<Reply(CrewStore &)> fn)
{
    if (access == Access::read && m_config.engine == Database::Engine::sqlite)
        return runHere(fn);
    Job job{std::move(fn), {}};
    auto reply = job.done.get_future();
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return Reply::storageFailure();
        m_queue.jobs.push_back(&job);
    }
    m_queue.wake.notify_one();
    return reply.get();
}

void StorePool::work(CrewStore &store)
{
    for (;;) {
        Job *job = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_queue.wake.wait(lock, [&] { return m_stopping || !m_queue.jobs.empty(); });
            // Jobs still queued at stop are run: their callers are waiting.
            if (m_queue.jobs.empty())
                return;
            job = m_queue.jobs.front();
            m_queue.jobs.pop_front();
        }
        Reply reply = job->fn(store);
        if (reply.status >= 500)
            store.recover();
        job->done.set_value(std::move(reply));
    }
}
