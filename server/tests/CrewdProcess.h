// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <boost/asio/io_context.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/fields.hpp>
#include <boost/beast/http/verb.hpp>

#include <chrono>
#include <map>
#include <memory>

using HttpHeaders = std::map<std::string, std::string>;

// One answer, as the tests look at it.
struct HttpReply {
    int status = 0; // 0: no HTTP answer at all
    QByteArray body;
    boost::beast::http::fields headers;

    QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
    QString error() const { return json().value(u"error").toString(); }
    std::string header(const std::string &name) const { return std::string(headers[name]); }
    // A refusal the app can show: a JSON object of strings with a non-empty "error".
    bool isRefusal() const;
};

// One keep-alive connection to 127.0.0.1:port, as the app's HTTP client keeps one, opened again
// when the server has closed it; each exchange must end within the timeout.
class HttpClient {
public:
    explicit HttpClient(int port, std::chrono::seconds timeout = std::chrono::seconds(20));
    HttpReply request(boost::beast::http::verb method, const std::string &target,
                      const QByteArray &body = {}, const HttpHeaders &headers = {});

private:
    int m_port;
    std::chrono::seconds m_timeout;
    boost::asio::io_context m_io;
    boost::beast::tcp_stream m_stream{m_io};
    boost::beast::flat_buffer m_buffer;
};

// A member as the service knows it; the id is empty when the service refused (see `reply`).
struct Member {
    QString code;
    QString memberId;
    QString nickname;
    HttpReply reply;
};

// A real tockly-crewd on 127.0.0.1 and a free port, over a database of its own: a SQLite file
// in a temporary folder, or a fresh database in the test PostgreSQL cluster, chosen by
// TOCKLY_CREWD_ENGINE (sqlite or postgresql; the cluster's state file in TOCKLY_PG_STATE).
class CrewdProcess {
public:
    explicit CrewdProcess(QStringList extraArgs = {});
    // A second instance over the database of `first`, as behind a load balancer.
    struct SameDatabaseAs {
        const CrewdProcess &first;
    };
    explicit CrewdProcess(SameDatabaseAs shared);
    ~CrewdProcess();

    bool start();
    // SIGTERM; true when it then ended by itself, with status 0.
    bool stop();
    void kill(); // SIGKILL, as a crash would
    bool running() const { return m_process.state() == QProcess::Running; }
    int port() const { return m_port; }
    QByteArray errorOutput() { return m_stderr += m_process.readAllStandardError(); }

    HttpReply post(const std::string &path, const QByteArray &body,
                   const std::string &contentType = "application/json");
    HttpReply get(const std::string &path, const HttpHeaders &headers = {});

    // The crew operations as the app calls them.
    Member create(const QString &crewName, const QString &nickname);
    Member join(const QString &code, const QString &nickname);
    HttpReply report(const Member &m, const std::map<QString, double> &days);
    HttpReply leave(const Member &m);
    HttpReply kick(const Member &by, const QString &nickname);
    QJsonObject fetch(const QString &code);

    // Every stored row, in a fixed order: equal before and after means nothing changed.
    QString stateDigest();
    // Runs one statement directly on the database (to age a schema, for example).
    bool execSql(const QString &sql);

private:
    QSqlDatabase database(const QString &connection, const QString &name);

    QStringList m_args;
    QTemporaryDir m_dir;
    QString m_dbArgument; // the --db argument
    QString m_pgName;     // empty on SQLite
    bool m_ownsDatabase = true;
    QProcess m_process;
    QByteArray m_stderr;
    int m_port = 0;
    std::unique_ptr<HttpClient> m_client;
    QString m_connection = QStringLiteral("digest-%1").arg(QRandomGenerator::global()->generate());
};

QByteArray compactJson(const QJsonObject &o);
// The body of a report the member sends.
QByteArray reportBody(const Member &m, const std::map<QString, double> &days);
// The members' nicknames in the order a fetch lists them, and one member's days.
QStringList nicknames(const QJsonObject &crew);
QJsonObject daysOf(const QJsonObject &crew, const QString &nickname);
// The server's date (UTC), n days on, as a day key.
QString dayKey(int daysFromToday = 0);

// A plain TCP connection to 127.0.0.1:port from 127.0.0.`from`, with the receive buffer set first
// when given; -1 when it fails.
int rawConnection(int port, int from = 1, int receiveBuffer = 0);
// Sends bytes on a plain connection, closing its sending side after them when asked, and reads
// until the answer holds `until` (when given), the server closes it or a read waits `seconds`.
QByteArray exchangeOn(int fd, const QByteArray &bytes, const QByteArray &until = {},
                      int seconds = 1, bool closeSending = false);
// The same on a fresh connection, closed after it.
QByteArray rawExchange(int port, const QByteArray &bytes, bool closeSending = false);
