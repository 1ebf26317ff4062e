#include "TestHttpServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

QByteArray TestHttpServer::Request::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

static TestHttpServer::Reply unscripted()
{
    return TestHttpServer::json(500, R"({"error":"no scripted reply"})");
}

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent), m_fallback(unscripted())
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::accept);
}

bool TestHttpServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

TestHttpServer::Reply TestHttpServer::json(int status, const QByteArray &body)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.addHeader("Content-Type", "application/json");
    return reply;
}

void TestHttpServer::reset()
{
    m_replies.clear();
    m_requests.clear();
    m_fallback = unscripted();
}

void TestHttpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

// Reads one whole request (head and Content-Length body) and answers it; the connection is
// closed after every reply, so there is never a second request on it.
void TestHttpServer::readFrom(QTcpSocket *socket)
{
    if (socket->property("answered").toBool())
        return;
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    socket->setProperty("buffer", buffer);
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    Request request;
    request.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.append(
                qMakePair(lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()));
    }
    const qsizetype length = request.header("Content-Length").toLongLong();
    if (buffer.size() - (headEnd + 4) < length)
        return;
    request.body = buffer.mid(headEnd + 4, length);
    socket->setProperty("answered", true);
    m_requests.append(request);
    answer(socket);
}

void TestHttpServer::answer(QTcpSocket *socket)
{
    const Reply reply = m_replies.isEmpty() ? m_fallback : m_replies.takeFirst();
    const QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(reply.delayMs, this, [guard, reply] {
        if (!guard)
            return;
        if (reply.dropConnection) {
            guard->abort();
            return;
        }
        QByteArray out = reply.raw;
        if (out.isEmpty()) {
            out = "HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n";
            for (const auto &[key, value] : reply.headers)
                out += key + ": " + value + "\r\n";
            if (!reply.omitContentLength)
                out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
            out += "Connection: close\r\n\r\n" + reply.body;
        }
        guard->write(out);
        guard->disconnectFromHost();
    });
}
