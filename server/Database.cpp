// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

std::optional<Database> Database::parse(const QString &text, QString *error)
{
    Database db;
    if (text.startsWith(QLatin1StringView("sqlite:"))) {
        db.path = text.mid(7);
        if (db.path.isEmpty()) {
            *error = QStringLiteral("sqlite: needs a file path");
            return std::nullopt;
        }
        return db;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"postgresql" && url.scheme() != u"postgres")) {
        *error = QStringLiteral("--db takes sqlite:PATH or postgresql://USER@HOST:PORT/NAME");
        return std::nullopt;
    }
    db.engine = Engine::postgresql;
    db.host = url.host();
    db.port = url.port(5432);
    db.user = url.userName();
    db.password = url.password();
    db.name = url.path().mid(1);
    QStringList options;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == u"host")
            db.host = value; // a socket directory, as libpq allows
        else
            options << key + u'=' + value;
    }
    db.options = options.join(u';');
    if (db.name.isEmpty()) {
        *error = QStringLiteral("postgresql:// needs a database name");
        return std::nullopt;
    }
    return db;
}

Database Database::defaultSqlite()
{
    Database db;
    db.path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QLatin1StringView("/tockly-crewd/crewd.sqlite");
    return db;
}

QString Database::description() const
{
    if (engine == Engine::sqlite)
        return QStringLiteral("SQLite %1").arg(QFileInfo(path).absoluteFilePath());
    return QStringLiteral("PostgreSQL %1@%2:%3/%4").arg(user, host).arg(port).arg(name);
}

std::optional<QSqlDatabase> Database::open(const QString &connectionName, QString *error) const
{
    const bool sqlite = engine == Engine::sqlite;
    QSqlDatabase db = QSqlDatabase::addDatabase(
        sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), connectionName);
    if (sqlite) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        db.setHostName(host);
        db.setPort(port);
        db.setUserName(user);
        db.setPassword(password);
        db.setDatabaseName(name);
        db.setConnectOptions(options);
    }
    if (!db.open()) {
        *error = db.lastError().text();
        return std::nullopt;
    }
    if (sqlite) {
        // WAL with synchronous=NORMAL: a committed report survives a crash of this process; only
        // a power loss can take the last moments. The busy timeout covers a second process.
        for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL",
                                   "PRAGMA busy_timeout=5000", "PRAGMA foreign_keys=ON"}) {
            QSqlQuery q(db);
            if (!q.exec(QLatin1StringView(pragma))) {
                *error = q.lastError().text();
                return std::nullopt;
            }
            if (q.next() && pragma[7] == 'j' && q.value(0).toString() != u"wal") {
                *error = QStringLiteral("%1 cannot be used in WAL mode").arg(path);
                return std::nullopt;
            }
        }
    }
    return db;
}
