#include "CrewdProcess.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <csignal>

QJsonObject HttpReply::json() const
{
    return QJsonDocument::fromJson(body).object();
}

bool HttpReply::isRefusal() const
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (status < 400 || !doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!it.value().isString())
            return false;
    }
    return !o.value(QLatin1StringView("error")).toString().isEmpty();
}

std::string HttpReply::header(const std::string &name) const
{
    auto it = headers.find(name);
    return it == headers.end() ? std::string() : it->second;
}

bool CrewdProcess::onPostgres()
{
    return qgetenv("TOCKLY_CREWD_ENGINE") == "postgresql";
}

CrewdProcess::CrewdProcess(QStringList extraArgs) : m_args(std::move(extraArgs))
{
    m_connection = QStringLiteral("digest-%1").arg(QRandomGenerator::global()->generate());
    if (!onPostgres()) {
        m_spec = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("crewd.sqlite"));
        return;
    }
    QFile state(QString::fromLocal8Bit(qgetenv("TOCKLY_PG_STATE")));
    if (!state.open(QIODevice::ReadOnly)) {
        qWarning("no PostgreSQL cluster: TOCKLY_PG_STATE is not readable");
        return;
    }
    const QList<QByteArray> lines = state.readAll().split('\n');
    m_pgAdminUrl = lines.value(1).trimmed();
    m_pgName = QStringLiteral("crewd_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    m_spec = m_pgAdminUrl.left(m_pgAdminUrl.lastIndexOf(u'/') + 1) + m_pgName;
    // A fresh database for each server, created through the cluster's own database.
    if (!adminExec(QStringLiteral("CREATE DATABASE ") + m_pgName))
        qWarning("cannot create the database %s", qPrintable(m_pgName));
}

bool CrewdProcess::adminExec(const QString &sql)
{
    const QUrl admin(m_pgAdminUrl);
    const QString name = m_connection + QStringLiteral("-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(admin.host());
        db.setPort(admin.port());
        db.setUserName(admin.userName());
        db.setDatabaseName(QStringLiteral("postgres"));
        ok = db.open() && QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

CrewdProcess::~CrewdProcess()
{
    stop();
    QSqlDatabase::removeDatabase(m_connection);
    if (!m_pgName.isEmpty())
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgName));
}

bool CrewdProcess::start()
{
    QStringList args{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--db"), m_spec};
    // Tests send far more requests from one address than any client would; the rate limit has
    // its own test, which passes its own --rate-limit after these.
    args << QStringLiteral("--rate-limit") << QStringLiteral("10000000")
         << QStringLiteral("--create-limit") << QStringLiteral("10000000") << m_args;
    m_process.setProgram(QStringLiteral(TOCKLY_CREWD_BINARY));
    m_process.setArguments(args);
    m_process.start();
    if (!m_process.waitForStarted(10000))
        return false;
    // The first line names the port the system chose.
    QByteArray line;
    while (!line.contains('\n')) {
        if (!m_process.waitForReadyRead(20000)) {
            m_stderr += m_process.readAllStandardError();
            return false;
        }
        line += m_process.readAllStandardOutput();
    }
    const qsizetype at = line.indexOf("listening on 127.0.0.1:");
    if (at < 0)
        return false;
    m_port = line.mid(at + 23).split(',').value(0).toInt();
    m_client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
    m_client->set_keep_alive(true);
    m_client->set_tcp_nodelay(true);
    m_client->set_read_timeout(20, 0);
    return m_port > 0;
}

void CrewdProcess::stop()
{
    m_client.reset();
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(15000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    m_stderr += m_process.readAllStandardError();
}

void CrewdProcess::kill()
{
    m_client.reset();
    ::kill(pid_t(m_process.processId()), SIGKILL);
    m_process.waitForFinished(10000);
    m_stderr += m_process.readAllStandardError();
}

static HttpReply toReply(const httplib::Result &r)
{
    HttpReply reply;
    if (!r)
        return reply;
    reply.status = r->status;
    reply.body = QByteArray::fromStdString(r->body);
    reply.headers = r->headers;
    return reply;
}

HttpReply CrewdProcess::post(const std::string &path, const QByteArray &body,
                             const std::string &contentType, const httplib::Headers &headers)
{
    if (!m_client)
        return {};
    return toReply(
        m_client->Post(path, headers, body.constData(), size_t(body.size()), contentType));
}

HttpReply CrewdProcess::get(const std::string &path, const httplib::Headers &headers)
{
    if (!m_client)
        return {};
    return toReply(m_client->Get(path, headers));
}

bool CrewdProcess::openDatabase()
{
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection).isOpen();
    QSqlDatabase db;
    if (onPostgres()) {
        const QUrl url(m_spec);
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        db.setHostName(url.host());
        db.setPort(url.port());
        db.setUserName(url.userName());
        db.setDatabaseName(m_pgName);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_spec.mid(7));
    }
    return db.open();
}

QString CrewdProcess::stateDigest()
{
    if (!openDatabase())
        return QStringLiteral("<no database>");
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    QString out;
    for (const char *sql : {"SELECT version FROM schema_migrations ORDER BY version",
                            "SELECT id, code, name FROM crews ORDER BY id",
                            "SELECT seq, member_id, crew_id, nickname, nickname_key, days FROM "
                            "members ORDER BY seq"}) {
        QSqlQuery q(db);
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
    return openDatabase() && QSqlQuery(QSqlDatabase::database(m_connection)).exec(sql);
}

namespace Body {

static QByteArray compact(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QByteArray create(const QString &crewName, const QString &nickname)
{
    return compact(
        {{QStringLiteral("crewName"), crewName}, {QStringLiteral("nickname"), nickname}});
}

QByteArray join(const QString &code, const QString &nickname)
{
    return compact({{QStringLiteral("code"), code}, {QStringLiteral("nickname"), nickname}});
}

QByteArray leave(const QString &code, const QString &memberId)
{
    return compact({{QStringLiteral("code"), code}, {QStringLiteral("memberId"), memberId}});
}

QByteArray kick(const QString &code, const QString &memberId, const QString &nickname)
{
    return compact({{QStringLiteral("code"), code},
                    {QStringLiteral("memberId"), memberId},
                    {QStringLiteral("nickname"), nickname}});
}

QByteArray report(const QString &code, const QString &memberId, const QString &nickname,
                  const std::map<QString, double> &days)
{
    QJsonObject d;
    for (const auto &[key, seconds] : days)
        d.insert(key, seconds);
    return compact({{QStringLiteral("code"), code},
                    {QStringLiteral("memberId"), memberId},
                    {QStringLiteral("nickname"), nickname},
                    {QStringLiteral("days"), d}});
}

} // namespace Body

QString dayKey(int daysFromToday)
{
    return QDateTime::currentDateTimeUtc().date().addDays(daysFromToday).toString(Qt::ISODate);
}
