#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>

#include <mutex>
#include <optional>

// Fetch replies kept in memory until their crew changes. Used with SQLite only, where every
// change passes through this process; with PostgreSQL another instance may change a crew at any
// time, so there every fetch reads the database.
//
// A reader takes a token before it reads the database and hands it back with the reply; the
// reply is kept only if no change to that crew was recorded in between, so a reply read before
// a change can never be kept after it.
class FetchCache {
public:
    std::optional<QByteArray> find(const QString &code, QDate day);
    quint64 token(const QString &code);
    void store(const QString &code, QDate day, quint64 token, const QByteArray &body);
    // Called once a change to the crew has been committed, before it is acknowledged.
    void invalidate(const QString &code);

private:
    struct Entry {
        quint64 epoch = 0;
        QDate day; // the fetch's days depend on the date
        std::optional<QByteArray> body;
    };
    quint64 epochOf(const QString &code) const;
    bool makeRoom();

    std::mutex m_mutex;
    QHash<QString, Entry> m_entries;
    quint64 m_counter = 0;
    quint64 m_clearedAt = 0; // the epoch of every crew without an entry
};
