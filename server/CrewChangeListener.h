// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Database.h"
#include "FetchCache.h"

#include <QThread>

#include <atomic>

// Keeps one instance's fetch cache right while other instances change crews on the same
// PostgreSQL database. Every change notifies CrewStore::changeChannel with the crew's code
// when it commits; this thread listens on a connection of its own and drops that crew's kept
// reply. The cache is trusted only while the listening connection answers: until it first
// listens, and from the moment a check (every second) finds it gone until it listens again,
// every fetch reads the database.
class CrewChangeListener final : public QThread {
public:
    CrewChangeListener(Database config, FetchCache &cache);
    ~CrewChangeListener() override; // stops the thread

    // Waits up to `timeoutMs` for the first LISTEN to be in place; false if it is not yet (the
    // thread keeps trying, and the cache stays off meanwhile).
    bool waitUntilListening(int timeoutMs);

    // How often the listening connection is checked, and retried when it is gone.
    static constexpr int checkIntervalMs = 1000;

protected:
    void run() override;

private:
    Database m_config;
    FetchCache &m_cache;
    std::atomic<bool> m_listening = false;
};
