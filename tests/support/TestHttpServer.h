// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A scriptable HTTP/1.1 server on 127.0.0.1 for client tests. It runs in the test's own event
// loop, answers each request with the next scripted reply, closing the connection after it, and
// records every request it read.
class TestHttpServer {
public:
    struct Reply {
        QByteArray bytes; // written as they are; none: the connection is dropped without a word
        int delayMs = 0;  // before anything is written
    };
    struct Request {
        QByteArray target; // as written in the request line: path and query, still encoded
        QByteArray head;   // the request line and the headers
    };

    TestHttpServer();

    // `headers` are "Name: value\r\n" lines; without a length the body ends with the connection.
    static Reply http(int status, const QByteArray &headers, const QByteArray &body,
                      bool withLength = true);
    static Reply json(int status, const QByteArray &body);

    // Port 0 lets the system choose one.
    bool listen(quint16 port = 0) { return m_server.listen(QHostAddress::LocalHost, port); }
    void close() { m_server.close(); }
    quint16 port() const { return m_server.serverPort(); }
    // http://127.0.0.1:PORT followed by the path.
    QUrl url(const QString &path = {}) const;

    // Replies are used in order; once they run out every request gets the fallback, a 500
    // unless set otherwise. A fallback suits clients that may resend a request.
    void enqueue(const Reply &reply) { m_replies.append(reply); }
    void setFallback(const Reply &reply) { m_fallback = reply; }
    const QList<Request> &requests() const { return m_requests; }
    // Forgets the recorded requests, any replies not yet used and the fallback.
    void reset();

private:
    void read(QTcpSocket *socket);

    QTcpServer m_server;
    QList<Reply> m_replies;
    Reply m_fallback;
    QList<Request> m_requests;
};
