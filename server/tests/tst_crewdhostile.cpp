// Hostile input: random and mutated bodies against every endpoint, and garbage on the wire.
// The service must answer every request with a 4xx and its "error" text or a success, never
// crash, never fail with a 5xx, and a refused request must leave every stored row as it was.

#include "CrewdProcess.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Member {
    QString code;
    QString memberId;
    QString nickname;
};

const char *const kTokens[] = {"{",
                               "}",
                               "[",
                               "]",
                               "\"",
                               ",",
                               ":",
                               "\\",
                               "\\u0000",
                               "\\ud800",
                               "\\udfff",
                               "1e999",
                               "-0",
                               "NaN",
                               "null",
                               "true",
                               "\xff",
                               "\xc0\x80",
                               "\xed\xa0\x80",
                               "{\"a\":",
                               "\"days\":{",
                               "\"code\":\"",
                               "9e307",
                               "\t",
                               "\n",
                               "\"2024-02-30\"",
                               "\"memberId\":1"};

// Sends raw bytes on a fresh connection and reads until the server closes it or a second passes.
void sendRaw(int port, const QByteArray &bytes)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval timeout{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0) {
        [[maybe_unused]] ssize_t sent =
            ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
        ::shutdown(fd, SHUT_WR);
        char buffer[4096];
        while (::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
    }
    ::close(fd);
}

} // namespace

class CrewdHostileTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CrewdProcess> server;
    std::vector<Member> members;
    QRandomGenerator random{20240301};

    int pick(int n) { return int(random.bounded(n)); }

    QJsonValue randomValue()
    {
        switch (pick(10)) {
        case 0:
            return QJsonValue();
        case 1:
            return pick(2) == 0;
        case 2:
            return std::vector<double>{
                0, -1, 90000, 90001, 1e308, 3.5, 9007199254740993.0}[size_t(pick(7))];
        case 3:
            return QString(pick(80), QChar(u'a' + pick(26)));
        case 4:
            return QString(QChar(char16_t(pick(0x30)))) + QLatin1Char('x');
        case 5:
            return QJsonArray{1, u"a"_qs};
        case 6:
            return QJsonObject{{dayKey(pick(40) - 20), pick(100000)}};
        case 7:
            return members[size_t(pick(int(members.size())))].code;
        case 8:
            return members[size_t(pick(int(members.size())))].memberId;
        default:
            return QString(pick(4000), u'x');
        }
    }

    // A request the app could have sent, using the crews made so far.
    std::pair<std::string, QJsonObject> validRequest()
    {
        const Member &m = members[size_t(pick(int(members.size())))];
        const Member &other = members[size_t(pick(int(members.size())))];
        switch (pick(6)) {
        case 0:
            return {
                "/api/crew",
                {{u"crewName"_qs, u"Fuzz %1"_qs.arg(pick(1000))}, {u"nickname"_qs, u"Owner"_qs}}};
        case 1:
            return {"/api/join",
                    {{u"code"_qs, m.code}, {u"nickname"_qs, u"N%1"_qs.arg(pick(100000))}}};
        case 2:
            return {"/api/leave", {{u"code"_qs, m.code}, {u"memberId"_qs, m.memberId}}};
        case 3:
            return {"/api/kick",
                    {{u"code"_qs, m.code},
                     {u"memberId"_qs, m.memberId},
                     {u"nickname"_qs, other.nickname}}};
        default: {
            QJsonObject days;
            for (int i = pick(5); i > 0; --i)
                days.insert(dayKey(-pick(14)), double(pick(90000)));
            return {"/api/report",
                    {{u"code"_qs, m.code},
                     {u"memberId"_qs, m.memberId},
                     {u"nickname"_qs, m.nickname},
                     {u"days"_qs, days}}};
        }
        }
    }

    QByteArray mutated(QJsonObject o)
    {
        QByteArray text = QJsonDocument(o).toJson(QJsonDocument::Compact);
        switch (pick(8)) {
        case 0: { // random bytes
            QByteArray junk(pick(300), Qt::Uninitialized);
            for (char &c : junk)
                c = char(pick(256));
            return junk;
        }
        case 1: // flipped bytes
            for (int i = pick(4) + 1; i > 0 && !text.isEmpty(); --i)
                text[pick(int(text.size()))] = char(pick(256));
            return text;
        case 2: // truncated
            return text.left(pick(int(text.size())));
        case 3: // a stray token
            return text.insert(pick(int(text.size()) + 1), kTokens[pick(int(std::size(kTokens)))]);
        case 4: { // a field with the wrong value
            const QStringList keys = o.keys();
            o.insert(keys[pick(int(keys.size()))], randomValue());
            return QJsonDocument(o).toJson(QJsonDocument::Compact);
        }
        case 5: { // a field missing
            const QStringList keys = o.keys();
            o.remove(keys[pick(int(keys.size()))]);
            return QJsonDocument(o).toJson(QJsonDocument::Compact);
        }
        case 6: { // a key twice
            const QString key = o.keys().value(0);
            text.insert(1, "\"" + key.toUtf8() + "\":" +
                               QJsonDocument(QJsonArray{randomValue()})
                                   .toJson(QJsonDocument::Compact)
                                   .mid(1)
                                   .chopped(1) +
                               ",");
            return text;
        }
        default: // deep nesting inside a field
            return text.insert(text.size() - 1,
                               ",\"x\":" + QByteArray(pick(200), '[') + QByteArray(pick(200), ']'));
        }
    }

    void remember(const std::string &path, const QJsonObject &sent, const HttpReply &r)
    {
        const QJsonObject o = r.json();
        if ((path == "/api/crew" || path == "/api/join") && o.contains(u"memberId"))
            members.push_back({o.value(u"code").toString(), o.value(u"memberId").toString(),
                               sent.value(u"nickname").toString().trimmed()});
    }

private slots:
    void initTestCase()
    {
        server = std::make_unique<CrewdProcess>();
        QVERIFY2(server->start(), server->errorOutput().constData());
        for (int c = 0; c < 3; ++c) {
            const HttpReply r =
                server->post("/api/crew", Body::create(u"Crew %1"_qs.arg(c), u"Owner"_qs));
            const QString code = r.json().value(u"code").toString();
            members.push_back({code, r.json().value(u"memberId").toString(), u"Owner"_qs});
            for (int i = 0; i < 5; ++i) {
                const QString nick = u"M%1"_qs.arg(i);
                const HttpReply j = server->post("/api/join", Body::join(code, nick));
                members.push_back({code, j.json().value(u"memberId").toString(), nick});
                server->post("/api/report", Body::report(code, members.back().memberId, nick,
                                                         {{dayKey(0), 100.0 * i}}));
            }
        }
        QCOMPARE(members.size(), size_t(18));
    }
    void cleanupTestCase() { server.reset(); }

    void mutatedBodiesChangeNothing()
    {
        QString state = server->stateDigest();
        int refused = 0, accepted = 0;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 1500 && clock.elapsed() < 60000; ++i) {
            HttpReply r;
            std::string path;
            QJsonObject sent;
            const int kind = pick(10);
            if (kind == 0) {
                path = (pick(2) ? "/api/crew/" : "/c/") +
                       QUrl::toPercentEncoding(
                           QString::fromLatin1(mutated({{u"c"_qs, members[0].code}})))
                           .toStdString();
                r = server->get(path);
            } else {
                auto [p, body] = validRequest();
                path = p;
                sent = body;
                const QByteArray text =
                    kind == 1 ? QJsonDocument(body).toJson(QJsonDocument::Compact) : mutated(body);
                r = server->post(path, text);
            }
            QVERIFY2(r.status != 0, qPrintable(u"no answer to request %1 on %2"_qs.arg(i).arg(
                                        QString::fromStdString(path))));
            QVERIFY2(r.status < 500, r.body.constData());
            const QString after = server->stateDigest();
            if (r.status >= 400) {
                ++refused;
                if (!path.starts_with("/c/"))
                    QVERIFY2(r.isRefusal(), r.body.constData());
                QVERIFY2(after == state, qPrintable(u"refused %1 changed the stored rows"_qs.arg(
                                             QString::fromStdString(path))));
            } else {
                ++accepted;
                remember(path, sent, r);
            }
            state = after;
        }
        qInfo("%d refused, %d accepted", refused, accepted);
        QVERIFY(refused > 500);
        QVERIFY(accepted > 20);
    }

    void garbageOnTheWire()
    {
        const QString before = server->stateDigest();
        const QList<QByteArray> shapes = {
            "GET / HTTP/1.1\r\n\r\n",
            "POST /api/join HTTP/1.1\r\nContent-Type: application/json\r\nContent-Length: "
            "99999999\r\n\r\n{",
            "POST /api/join HTTP/1.1\r\nContent-Type: application/json\r\nContent-Length: "
            "-5\r\n\r\n{}",
            "POST /api/report HTTP/1.1\r\nContent-Type: application/json\r\nTransfer-Encoding: "
            "chunked\r\n\r\nffffffff\r\n{",
            "POST /api/crew HTTP/1.1\r\nContent-Type: application/json\r\nTransfer-Encoding: "
            "chunked\r\n\r\n5\r\n{\"a\":\r\n0\r\n\r\n",
            "GET /api/crew/" + QByteArray(10000, 'A') + " HTTP/1.1\r\n\r\n",
            "GET /c/ABC HTTP/1.1\r\n" + QByteArray(20000, 'X') + ": y\r\n\r\n",
            "\r\n\r\n\r\n",
            "BREW /pot HTTP/1.1\r\n\r\n",
            "GET /healthz HTTP/9.9\r\n\r\n"};
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes = shapes[i % shapes.size()];
            if (i >= shapes.size()) {
                for (int k = pick(6); k > 0; --k)
                    bytes[pick(int(bytes.size()))] = char(pick(256));
            }
            sendRaw(server->port(), bytes);
        }
        QVERIFY(server->running());
        QCOMPARE(server->get("/healthz").status, 200);
        QCOMPARE(server->stateDigest(), before);
    }
};

QTEST_GUILESS_MAIN(CrewdHostileTest)
#include "tst_crewdhostile.moc"
