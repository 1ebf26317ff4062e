// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

TestHttpServer::TestHttpServer()
{
    reset();
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { read(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

TestHttpServer::Reply TestHttpServer::http(int status, const QByteArray &headers,
                                           const QByteArray &body, bool withLength)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + " Scripted\r\n" + headers;
    if (withLength)
        out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    return {out + "Connection: close\r\n\r\n" + body};
}

TestHttpServer::Reply TestHttpServer::json(int status, const QByteArray &body)
{
    return http(status, "Content-Type: application/json\r\n", body);
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void TestHttpServer::reset()
{
    m_replies.clear();
    m_requests.clear();
    m_fallback = json(500, R"({"error":"no scripted reply"})");
}

// Waits for one whole request (head and Content-Length body), then answers it.
void TestHttpServer::read(QTcpSocket *socket)
{
    const QByteArray buffer = socket->peek(socket->bytesAvailable());
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;
    const QByteArray head = buffer.left(headEnd);
    qsizetype length = 0;
    for (const QByteArray &line : head.split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    if (buffer.size() < headEnd + 4 + length)
        return;
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
    m_requests.append({head.split(' ').value(1), head});
    const Reply reply = m_replies.isEmpty() ? m_fallback : m_replies.takeFirst();
    QTimer::singleShot(reply.delayMs, socket, [socket, reply] {
        if (reply.bytes.isEmpty())
            return socket->abort();
        socket->write(reply.bytes);
        socket->disconnectFromHost();
    });
}
