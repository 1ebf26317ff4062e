#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <httplib.h>

#include <map>
#include <memory>

// One answer, as the tests look at it.
struct HttpReply {
    int status = 0; // 0: no HTTP answer at all
    QByteArray body;
    httplib::Headers headers;

    QJsonObject json() const;
    QString error() const { return json().value(QLatin1StringView("error")).toString(); }
    // A refusal the app can show: a JSON object of strings with a non-empty "error".
    bool isRefusal() const;
    std::string header(const std::string &name) const;
};

// A real tockly-crewd on 127.0.0.1 and a free port, over a database of its own: a SQLite file
// in a temporary folder, or a fresh database in the test PostgreSQL cluster, chosen by
// TOCKLY_CREWD_ENGINE (sqlite or postgresql; the cluster's state file in TOCKLY_PG_STATE).
class CrewdProcess {
public:
    explicit CrewdProcess(QStringList extraArgs = {});
    ~CrewdProcess();

    static bool onPostgres();

    bool start();
    void stop();
    void kill(); // SIGKILL, as a crash would
    bool running() const { return m_process.state() == QProcess::Running; }
    int port() const { return m_port; }
    QString databaseSpec() const { return m_spec; }
    QByteArray errorOutput() { return m_stderr + m_process.readAllStandardError(); }
    int exitCode() const { return m_process.exitCode(); }

    HttpReply post(const std::string &path, const QByteArray &body,
                   const std::string &contentType = "application/json",
                   const httplib::Headers &headers = {});
    HttpReply get(const std::string &path, const httplib::Headers &headers = {});

    // Every stored row, in a fixed order: equal before and after means nothing changed.
    QString stateDigest();
    // Runs one statement directly on the database (to age a schema, for example).
    bool execSql(const QString &sql);

private:
    bool openDatabase();
    bool adminExec(const QString &sql);

    QStringList m_args;
    QTemporaryDir m_dir;
    QString m_spec;
    QString m_pgAdminUrl;
    QString m_pgName;
    QProcess m_process;
    QByteArray m_stderr;
    int m_port = 0;
    std::unique_ptr<httplib::Client> m_client;
    QString m_connection;
};

// Request bodies, built the way the app builds them.
namespace Body {
QByteArray create(const QString &crewName, const QString &nickname);
QByteArray join(const QString &code, const QString &nickname);
QByteArray leave(const QString &code, const QString &memberId);
QByteArray kick(const QString &code, const QString &memberId, const QString &nickname);
QByteArray report(const QString &code, const QString &memberId, const QString &nickname,
                  const std::map<QString, double> &days);
} // namespace Body

// The server's date in UTC, n days on.
QString dayKey(int daysFromToday = 0);
