// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>

#include <mutex>
#include <optional>

// Fetch replies kept in memory until their crew changes. With SQLite every change passes
// through this process, so a kept reply is right until this process invalidates it. With
// PostgreSQL other instances change crews too: their changes arrive as notifications
// (CrewChangeListener), and the cache is trusted only while those can arrive.
//
// A reader takes a token before it reads the database and hands it back with the reply; the
// reply is kept only if no change to that crew was recorded in between, so a reply read before
// a change can never be kept after it.
class FetchCache {
public:
    // trusted: whether to serve kept replies from the start.
    explicit FetchCache(bool trusted = true) : m_trusted(trusted) {}

    std::optional<QByteArray> find(const QString &code, QDate day);
    quint64 token(const QString &code);
    void store(const QString &code, QDate day, quint64 token, const QByteArray &body);
    // Called once a change to the crew has been committed, before it is acknowledged.
    void invalidate(const QString &code);
    // Forgets every reply and starts or stops keeping them; each change of trust forgets
    // everything, so nothing read while changes could go unnoticed survives it.
    void setTrusted(bool trusted);
    bool trusted() const;

private:
    struct Entry {
        quint64 epoch = 0;
        QDate day; // the fetch's days depend on the date
        std::optional<QByteArray> body;
    };
    quint64 epochOf(const QString &code) const;
    void clear();
    bool makeRoom();

    mutable std::mutex m_mutex;
    bool m_trusted;
    QHash<QString, Entry> m_entries;
    quint64 m_counter = 0;
    quint64 m_clearedAt = 0; // the epoch of every crew without an entry
};
