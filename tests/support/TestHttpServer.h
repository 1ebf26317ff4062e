#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A scriptable HTTP/1.1 server on 127.0.0.1 for client tests. It runs in the test's own event
// loop, answers each request with the next scripted reply and records every request it read.
class TestHttpServer : public QObject {
    Q_OBJECT
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers; // besides Content-Length and Connection
        int delayMs = 0;                              // before anything is written
        bool dropConnection = false;                  // close without writing anything
        bool omitContentLength = false;               // the body then ends with the connection
        QByteArray raw; // when set, written as it is instead of a status line, headers and body

        void addHeader(const QByteArray &name, const QByteArray &value)
        {
            headers.append(qMakePair(name, value));
        }
    };

    struct Request {
        QByteArray target; // as written in the request line: path and query, still encoded
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        // The value of a header, by case-insensitive name; empty when absent.
        QByteArray header(const QByteArray &name) const;
        bool hasHeader(const QByteArray &name) const { return !header(name).isEmpty(); }
    };

    explicit TestHttpServer(QObject *parent = nullptr);

    // Port 0 lets the system choose one.
    bool listen(quint16 port = 0);
    void close() { m_server.close(); }
    quint16 port() const { return m_server.serverPort(); }
    // http://127.0.0.1:PORT followed by the path.
    QUrl url(const QString &path = {}) const;

    // Replies are used in order; once they run out every request gets the fallback, a 500
    // unless set otherwise. A fallback suits clients that may resend a request.
    void enqueue(const Reply &reply) { m_replies.append(reply); }
    void setFallback(const Reply &reply) { m_fallback = reply; }
    static Reply json(int status, const QByteArray &body);

    const QList<Request> &requests() const { return m_requests; }
    // Forgets the recorded requests, any replies not yet used and the fallback.
    void reset();

private:
    void accept();
    void readFrom(QTcpSocket *socket);
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    QList<Reply> m_replies;
    Reply m_fallback;
    QList<Request> m_requests;
};
