// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewdProcess.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
namespace http = boost::beast::http;

bool HttpReply::isRefusal() const
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    const QJsonObject o = doc.object();
    const bool allText =
        std::all_of(o.begin(), o.end(), [](const QJsonValue &v) { return v.isString(); });
    return status >= 400 && doc.isObject() && allText && !o.value(u"error").toString().isEmpty();
}

CrewdProcess::CrewdProcess(QStringList extraArgs) : m_args(std::move(extraArgs))
{
    m_dbArgument = u"sqlite:"_s + m_dir.filePath(u"crewd.sqlite"_s);
    if (qgetenv("TOCKLY_CREWD_ENGINE") != "postgresql")
        return;
    QFile state(qEnvironmentVariable("TOCKLY_PG_STATE"));
    if (!state.open(QIODevice::ReadOnly))
        qWarning("no PostgreSQL cluster: TOCKLY_PG_STATE is not readable");
    const QString adminUrl = QString::fromUtf8(state.readAll().split('\n').value(1).trimmed());
    m_pgName = u"crewd_%1"_s.arg(QRandomGenerator::global()->generate64(), 0, 16);
    m_dbArgument = adminUrl.left(adminUrl.lastIndexOf(u'/') + 1) + m_pgName;
    if (!QSqlQuery(database(m_connection + u"-admin"_s, u"postgres"_s))
             .exec(u"CREATE DATABASE "_s + m_pgName))
        qWarning("cannot create the database %s", qPrintable(m_pgName));
}

CrewdProcess::CrewdProcess(SameDatabaseAs shared)
    : m_args(shared.first.m_args), m_dbArgument(shared.first.m_dbArgument),
      m_pgName(shared.first.m_pgName), m_ownsDatabase(false)
{}

CrewdProcess::~CrewdProcess()
{
    stop();
    QSqlDatabase::removeDatabase(m_connection);
    if (!m_pgName.isEmpty() && m_ownsDatabase) {
        QSqlQuery(database(m_connection + u"-admin"_s, u"postgres"_s))
            .exec(u"DROP DATABASE IF EXISTS %1 WITH (FORCE)"_s.arg(m_pgName));
        QSqlDatabase::removeDatabase(m_connection + u"-admin"_s);
    }
}

bool CrewdProcess::start()
{
    // Tests send far more from one address than any client would; the rate-limit test passes
    // its own limits after these.
    m_process.setProgram(QStringLiteral(TOCKLY_CREWD_BINARY));
    m_process.setArguments(QStringList{u"--listen"_s, u"127.0.0.1:0"_s, u"--db"_s, m_dbArgument,
                                       u"--rate-limit"_s, u"10000000"_s, u"--create-limit"_s,
                                       u"10000000"_s}
                           << m_args);
    // A test that crashes takes its server with it.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start();
    // The first line names the port the system chose.
    QByteArray line;
    while (!line.contains('\n') && m_process.waitForReadyRead(20000))
        line += m_process.readAllStandardOutput();
    const qsizetype at = line.indexOf("listening on 127.0.0.1:");
    m_port = at < 0 ? 0 : line.mid(at + 23).split(',').value(0).toInt();
    if (m_port <= 0)
        return false;
    m_client = std::make_unique<HttpClient>(m_port);
    return true;
}

bool CrewdProcess::stop()
{
    m_client.reset();
    bool clean = false;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        clean = m_process.waitForFinished(15000) &&
                m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        if (m_process.state() != QProcess::NotRunning)
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_stderr += m_process.readAllStandardError();
    return clean;
}

void CrewdProcess::kill()
{
    m_client.reset();
    ::kill(pid_t(m_process.processId()), SIGKILL);
    m_process.waitForFinished(10000);
}

HttpClient::HttpClient(int port, std::chrono::seconds timeout) : m_port(port), m_timeout(timeout) {}

HttpReply HttpClient::request(http::verb method, const std::string &target, const QByteArray &body,
                              const HttpHeaders &headers)
{
    auto &socket = m_stream.socket();
    // A connection the server has closed meanwhile reads as readable: its end.
    pollfd p{socket.native_handle(), POLLIN, 0};
    if (socket.is_open() && ::poll(&p, 1, 0) != 0)
        m_stream.close();
    http::request<http::string_body> req(method, target, 11);
    req.set(http::field::host, "127.0.0.1");
    for (const auto &[name, value] : headers)
        req.set(name, value);
    if (method == http::verb::post) {
        req.body() = body.toStdString();
        req.prepare_payload();
    }
    http::response<http::string_body> res;
    boost::beast::error_code failed;
    const auto read = [&] {
        http::async_read(m_stream, m_buffer, res,
                         [&](boost::beast::error_code ec, size_t) { failed = ec; });
    };
    const auto write = [&] {
        http::async_write(m_stream, req, [&](boost::beast::error_code ec, size_t) {
            ec ? void(failed = ec) : read();
        });
    };
    m_stream.expires_after(m_timeout);
    if (socket.is_open()) {
        write();
    } else {
        m_buffer.clear();
        m_stream.async_connect(
            {boost::asio::ip::address_v4::loopback(), quint16(m_port)},
            [&](boost::beast::error_code ec) { ec ? void(failed = ec) : write(); });
    }
    m_io.restart();
    m_io.run();
    if (failed || !res.keep_alive())
        m_stream.close();
    if (failed)
        return {};
    return {int(res.result_int()), QByteArray::fromStdString(res.body()), res.base()};
}

HttpReply CrewdProcess::post(const std::string &path, const QByteArray &body,
                             const std::string &contentType)
{
    return m_client
               ? m_client->request(http::verb::post, path, body, {{"Content-Type", contentType}})
               : HttpReply{};
}

HttpReply CrewdProcess::get(const std::string &path, const HttpHeaders &headers)
{
    return m_client ? m_client->request(http::verb::get, path, {}, headers) : HttpReply{};
}

static QByteArray body(const Member &m, QJsonObject o)
{
    o.insert(u"code"_s, m.code);
    o.insert(u"memberId"_s, m.memberId);
    return compactJson(o);
}

static Member member(HttpReply reply, const QString &nickname)
{
    const QJsonObject o = reply.json();
    return {o.value(u"code").toString(), o.value(u"memberId").toString(), nickname,
            std::move(reply)};
}

Member CrewdProcess::create(const QString &crewName, const QString &nickname)
{
    return member(
        post("/api/crew", compactJson({{u"crewName"_s, crewName}, {u"nickname"_s, nickname}})),
        nickname);
}

Member CrewdProcess::join(const QString &code, const QString &nickname)
{
    return member(post("/api/join", compactJson({{u"code"_s, code}, {u"nickname"_s, nickname}})),
                  nickname);
}

HttpReply CrewdProcess::report(const Member &m, const std::map<QString, double> &days)
{
    return post("/api/report", reportBody(m, days));
}

HttpReply CrewdProcess::leave(const Member &m)
{
    return post("/api/leave", body(m, {}));
}

HttpReply CrewdProcess::kick(const Member &by, const QString &nickname)
{
    return post("/api/kick", body(by, {{u"nickname"_s, nickname}}));
}

QJsonObject CrewdProcess::fetch(const QString &code)
{
    return get("/api/crew/" + code.toStdString()).json();
}

QSqlDatabase CrewdProcess::database(const QString &connection, const QString &name)
{
    if (QSqlDatabase::contains(connection))
        return QSqlDatabase::database(connection);
    const QUrl url(m_dbArgument);
    QSqlDatabase db =
        QSqlDatabase::addDatabase(m_pgName.isEmpty() ? u"QSQLITE"_s : u"QPSQL"_s, connection);
    db.setHostName(url.host());
    db.setPort(url.port());
    db.setUserName(url.userName());
    db.setDatabaseName(m_pgName.isEmpty() ? m_dbArgument.mid(7) : name);
    db.open();
    return db;
}

QString CrewdProcess::stateDigest()
{
    QString out;
    for (const char *sql : {"SELECT version FROM schema_migrations ORDER BY version",
                            "SELECT id, code, name FROM crews ORDER BY id",
                            "SELECT seq, member_id, crew_id, nickname, nickname_key, days FROM "
                            "members ORDER BY seq"}) {
        QSqlQuery q(database(m_connection, m_pgName));
        if (!q.exec(QLatin1StringView(sql)))
            return QStringLiteral("<%1>").arg(q.lastError().text());
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                out += q.value(i).toString() + u'|';
            out += u'\n';
        }
        out += QLatin1StringView("--\n");
    }
    return out;
}

bool CrewdProcess::execSql(const QString &sql)
{
    return QSqlQuery(database(m_connection, m_pgName)).exec(sql);
}

QByteArray compactJson(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray reportBody(const Member &m, const std::map<QString, double> &days)
{
    QJsonObject d;
    for (const auto &[key, seconds] : days)
        d.insert(key, seconds);
    return body(m, {{u"nickname"_s, m.nickname}, {u"days"_s, d}});
}

QStringList nicknames(const QJsonObject &crew)
{
    QStringList out;
    for (const QJsonValue &m : crew.value(u"members").toArray())
        out << m.toObject().value(u"nickname").toString();
    return out;
}

QJsonObject daysOf(const QJsonObject &crew, const QString &nickname)
{
    for (const QJsonValue &m : crew.value(u"members").toArray()) {
        if (m.toObject().value(u"nickname").toString() == nickname)
            return m.toObject().value(u"days").toObject();
    }
    return {};
}

QString dayKey(int daysFromToday)
{
    return QDateTime::currentDateTimeUtc().date().addDays(daysFromToday).toString(Qt::ISODate);
}

int rawConnection(int port, int from, int receiveBuffer)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in source{}, to{};
    source.sin_family = to.sin_family = AF_INET;
    source.sin_addr.s_addr = htonl((127u << 24) | unsigned(from));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(quint16(port));
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&source), sizeof source) != 0 ||
        ::connect(fd, reinterpret_cast<const sockaddr *>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QByteArray exchangeOn(int fd, const QByteArray &bytes, const QByteArray &until, int seconds,
                      bool closeSending)
{
    timeval timeout{seconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
    if (closeSending)
        ::shutdown(fd, SHUT_WR);
    QByteArray answer;
    char buffer[4096];
    for (ssize_t n; (until.isEmpty() || !answer.contains(until)) &&
                    (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
        answer.append(buffer, n);
    return answer;
}

QByteArray rawExchange(int port, const QByteArray &bytes, bool closeSending)
{
    const int fd = rawConnection(port);
    if (fd < 0)
        return {};
    const QByteArray answer = exchangeOn(fd, bytes, {}, 1, closeSending);
    ::close(fd);
    return answer;
}
