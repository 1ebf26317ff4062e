// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewChangeListener.h"

#include "CrewStore.h"

#include <QDeadlineTimer>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTimer>

#include <cstdio>

namespace {

const QString kConnection = QStringLiteral("tockly-crewd-listener");

} // namespace

CrewChangeListener::CrewChangeListener(Database config, FetchCache &cache)
    : m_config(std::move(config)), m_cache(cache)
{
    // The name shows in pg_stat_activity, so an admin can tell this connection from the pool's.
    // A connection that dies without a word (a cable, a firewall) must still show within a few
    // seconds: keepalives while it idles, and a check's query given up after 3 s.
    const QString ours = QStringLiteral("application_name=tockly-crewd-listener;keepalives=1;"
                                        "keepalives_idle=5;keepalives_interval=1;"
                                        "keepalives_count=3;tcp_user_timeout=3000");
    m_config.options = m_config.options.isEmpty() ? ours : m_config.options + u';' + ours;
}

CrewChangeListener::~CrewChangeListener()
{
    quit();
    wait();
}

bool CrewChangeListener::waitUntilListening(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_listening && !deadline.hasExpired())
        QThread::msleep(10);
    return m_listening;
}

void CrewChangeListener::run()
{
    const QString channel = QString::fromLatin1(CrewStore::changeChannel);
    QString lastError;
    auto connectAndListen = [&] {
        QString error = QStringLiteral("cannot listen on ") + channel;
        auto db = m_config.open(kConnection, &error);
        if (!db || !db->driver()->subscribeToNotification(channel)) {
            // Retried every second: say it once, not every time.
            if (error != lastError)
                std::fprintf(stderr, "tockly-crewd: change notifications: %s\n", qPrintable(error));
            lastError = error;
            return false;
        }
        lastError.clear();
        QObject::connect(db->driver(), &QSqlDriver::notification, db->driver(),
                         [this, channel](const QString &name, QSqlDriver::NotificationSource,
                                         const QVariant &payload) {
                             if (name == channel)
                                 m_cache.invalidate(payload.toString());
                         });
        // Changes committed before the LISTEN went unnoticed: start from nothing.
        m_cache.setTrusted(true);
        return true;
    };
    auto alive = [] {
        QSqlDatabase db = QSqlDatabase::database(kConnection, false);
        return db.isOpen() && QSqlQuery(db).exec(QStringLiteral("SELECT 1"));
    };
    auto drop = [] {
        QSqlDatabase::database(kConnection, false).close();
        QSqlDatabase::removeDatabase(kConnection);
    };

    m_listening = connectAndListen();
    QTimer check;
    check.setInterval(checkIntervalMs);
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (m_listening && alive())
            return;
        if (m_listening)
            std::fprintf(stderr, "tockly-crewd: change notifications lost; fetches read the "
                                 "database until they are back\n");
        m_cache.setTrusted(false);
        drop();
        m_listening = connectAndListen();
    });
    check.start();
    exec();
    check.stop();
    m_cache.setTrusted(false);
    drop();
}
