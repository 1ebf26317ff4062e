// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FetchCache.h"

namespace {

// About 6 KiB a 20-member crew: the cache stays well under a few hundred MiB.
constexpr qsizetype kMaxEntries = 50000;

} // namespace

quint64 FetchCache::epochOf(const QString &code) const
{
    const auto it = m_entries.constFind(code);
    return it == m_entries.cend() ? m_clearedAt : it->epoch;
}

void FetchCache::clear()
{
    // Forgetting everything also moves every crew to a new epoch: no token taken before stays
    // valid.
    m_entries.clear();
    m_clearedAt = ++m_counter;
}

bool FetchCache::makeRoom()
{
    if (m_entries.size() < kMaxEntries)
        return false;
    clear();
    return true;
}

std::optional<QByteArray> FetchCache::find(const QString &code, QDate day)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_entries.constFind(code);
    if (!m_trusted || it == m_entries.cend() || it->day != day)
        return std::nullopt;
    return it->body;
}

quint64 FetchCache::token(const QString &code)
{
    std::lock_guard lock(m_mutex);
    return epochOf(code);
}

void FetchCache::store(const QString &code, QDate day, quint64 token, const QByteArray &body)
{
    std::lock_guard lock(m_mutex);
    if (!m_trusted || epochOf(code) != token || makeRoom())
        return;
    m_entries.insert(code, Entry{token, day, body});
}

void FetchCache::invalidate(const QString &code)
{
    std::lock_guard lock(m_mutex);
    makeRoom();
    m_entries.insert(code, Entry{++m_counter, {}, std::nullopt});
}

void FetchCache::setTrusted(bool trusted)
{
    std::lock_guard lock(m_mutex);
    clear();
    m_trusted = trusted;
}

bool FetchCache::trusted() const
{
    std::lock_guard lock(m_mutex);
    return m_trusted;
}
