#include "StorePool.h"

#include "Schema.h"

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
        CrewStore migrator(m_config, QStringLiteral("crewd-migrate"), nullptr);
        if (!migrator.open(error))
            return false;
        auto db = QSqlDatabase::database(QStringLiteral("crewd-migrate"));
        if (!Schema::migrate(db, m_config.engine, error))
            return false;
    }
    std::mutex *writeLock = m_config.engine == Database::Engine::sqlite ? &m_writeLock : nullptr;
    for (int i = 0; i < connections; ++i) {
        std::promise<QString> opened;
        auto result = opened.get_future();
        m_threads.emplace_back([this, i, writeLock, &opened] {
            auto store =
                std::make_unique<CrewStore>(m_config, QStringLiteral("crewd-%1").arg(i), writeLock);
            QString e;
            const bool ok = store->open(&e);
            opened.set_value(ok ? QString() : e);
            if (ok)
                work(std::move(store));
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
    m_wake.notify_all();
    for (auto &t : m_threads)
        t.join();
    m_threads.clear();
}

Reply StorePool::run(std::function<Reply(CrewStore &)> fn)
{
    Job job{std::move(fn), {}};
    auto reply = job.done.get_future();
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return Reply::storageFailure();
        m_jobs.push_back(&job);
    }
    m_wake.notify_one();
    return reply.get();
}

void StorePool::work(std::unique_ptr<CrewStore> store)
{
    for (;;) {
        Job *job = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_jobs.empty())
                return;
            job = m_jobs.front();
            m_jobs.pop_front();
        }
        Reply reply = job->fn(*store);
        if (reply.status >= 500)
            store->recover();
        job->done.set_value(std::move(reply));
    }
}
