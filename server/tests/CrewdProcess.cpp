#include "CrewdProcess.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <csignal>
#include <sys/prctl.h>

bool HttpReply::isRefusal() const
{
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    const QJsonObject o = doc.object();
    const bool allText =
        std::all_of(o.begin(), o.end(), [](const QJsonValue &v) { return v.isString(); });
    return status >= 400 && doc.isObject() && allText && !o.value(u"error").toString().isEmpty();
}

static QSqlDatabase postgres(const QString &connection, const QUrl &url, const QString &name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setHostName(url.host());
    db.setPort(url.port());
    db.setUserName(url.userName());
    db.setDatabaseName(name);
    return db;
}

CrewdProcess::CrewdProcess(QStringList extraArgs) : m_args(std::move(extraArgs))
{
    if (qgetenv("TOCKLY_CREWD_ENGINE") != "postgresql") {
        m_dbArgument = QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("crewd.sqlite"));
        return;
    }
    QFile state(qEnvironmentVariable("TOCKLY_PG_STATE"));
    if (!state.open(QIODevice::ReadOnly))
        qWarning("no PostgreSQL cluster: TOCKLY_PG_STATE is not readable");
    m_pgAdminUrl = QString::fromUtf8(state.readAll().split('\n').value(1).trimmed());
    m_pgName = QStringLiteral("crewd_%1").arg(QRandomGenerator::global()->generate64(), 0, 16);
    m_dbArgument = m_pgAdminUrl.left(m_pgAdminUrl.lastIndexOf(u'/') + 1) + m_pgName;
    if (!adminExec(QStringLiteral("CREATE DATABASE ") + m_pgName))
        qWarning("cannot create the database %s", qPrintable(m_pgName));
}

CrewdProcess::CrewdProcess(SameDatabaseAs shared)
    : m_args(shared.first.m_args), m_dbArgument(shared.first.m_dbArgument),
      m_pgAdminUrl(shared.first.m_pgAdminUrl), m_pgName(shared.first.m_pgName),
      m_ownsDatabase(false)
{}

CrewdProcess::~CrewdProcess()
{
    stop();
    QSqlDatabase::removeDatabase(m_connection);
    if (!m_pgName.isEmpty() && m_ownsDatabase)
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgName));
}

bool CrewdProcess::adminExec(const QString &sql)
{
    const QString name = m_connection + QStringLiteral("-admin");
    bool ok = false;
    {
        QSqlDatabase db = postgres(name, QUrl(m_pgAdminUrl), QStringLiteral("postgres"));
        ok = db.open() && QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool CrewdProcess::start()
{
    // Tests send far more from one address than any client would; the rate-limit test passes
    // its own limits after these.
    m_process.setProgram(QStringLiteral(TOCKLY_CREWD_BINARY));
    m_process.setArguments(QStringList{u"--listen"_qs, u"127.0.0.1:0"_qs, u"--db"_qs, m_dbArgument,
                                       u"--rate-limit"_qs, u"10000000"_qs, u"--create-limit"_qs,
                                       u"10000000"_qs}
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
    m_client = std::make_unique<httplib::Client>("127.0.0.1", m_port);
    m_client->set_keep_alive(true);
    m_client->set_tcp_nodelay(true);
    m_client->set_read_timeout(20, 0);
    return true;
}

void CrewdProcess::stop()
{
    m_client.reset();
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(15000))
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
}

static HttpReply toReply(const httplib::Result &r)
{
    return r ? HttpReply{r->status, QByteArray::fromStdString(r->body), r->headers} : HttpReply{};
}

HttpReply CrewdProcess::post(const std::string &path, const QByteArray &body,
                             const std::string &contentType)
{
    if (!m_client)
        return {};
    return toReply(m_client->Post(path, body.constData(), size_t(body.size()), contentType));
}

HttpReply CrewdProcess::get(const std::string &path, const httplib::Headers &headers)
{
    return m_client ? toReply(m_client->Get(path, headers)) : HttpReply{};
}

static QByteArray body(const Member &m, QJsonObject o)
{
    o.insert(u"code"_qs, m.code);
    o.insert(u"memberId"_qs, m.memberId);
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
        post("/api/crew", compactJson({{u"crewName"_qs, crewName}, {u"nickname"_qs, nickname}})),
        nickname);
}

Member CrewdProcess::join(const QString &code, const QString &nickname)
{
    return member(post("/api/join", compactJson({{u"code"_qs, code}, {u"nickname"_qs, nickname}})),
                  nickname);
}

HttpReply CrewdProcess::report(const Member &m, const std::map<QString, double> &days)
{
    QJsonObject d;
    for (const auto &[key, seconds] : days)
        d.insert(key, seconds);
    return post("/api/report", body(m, {{u"nickname"_qs, m.nickname}, {u"days"_qs, d}}));
}

HttpReply CrewdProcess::leave(const Member &m)
{
    return post("/api/leave", body(m, {}));
}

HttpReply CrewdProcess::kick(const Member &by, const QString &nickname)
{
    return post("/api/kick", body(by, {{u"nickname"_qs, nickname}}));
}

QJsonObject CrewdProcess::fetch(const QString &code)
{
    return get("/api/crew/" + code.toStdString()).json();
}

QByteArray compactJson(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
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

QSqlDatabase CrewdProcess::database()
{
    if (!QSqlDatabase::contains(m_connection)) {
        QSqlDatabase db = m_pgName.isEmpty()
                              ? QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection)
                              : postgres(m_connection, QUrl(m_dbArgument), m_pgName);
        if (m_pgName.isEmpty())
            db.setDatabaseName(m_dbArgument.mid(7));
        db.open();
    }
    return QSqlDatabase::database(m_connection);
}

QString CrewdProcess::stateDigest()
{
    QString out;
    for (const char *sql : {"SELECT version FROM schema_migrations ORDER BY version",
                            "SELECT id, code, name FROM crews ORDER BY id",
                            "SELECT seq, member_id, crew_id, nickname, nickname_key, days FROM "
                            "members ORDER BY seq"}) {
        QSqlQuery q(database());
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
    return QSqlQuery(database()).exec(sql);
}

QString dayKey(int daysFromToday)
{
    return QDateTime::currentDateTimeUtc().date().addDays(daysFromToday).toString(Qt::ISODate);
}
