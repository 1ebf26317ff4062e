// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Slow clients beside a normal one. Connections that send a request line and then a header line
// now and then, never finishing, come from one address (far more than it may hold) and from
// twenty others, more of them than the service has threads; more connections send requests in
// a stream and never read the answers. The normal client's /healthz must be answered within a
// second throughout (a held thread would keep it waiting until the deadline), one address must
// hold no more connections than the cap, and every slow request must be cut off at its deadline.

#include "CrewdProcess.h"

#include <QElapsedTimer>
#include <QTest>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kThreads = 8;
constexpr int kCap = 8;
constexpr int kDeadlineSeconds = 2;

struct Slow {
    int fd;
    int from;      // last byte of the source address
    double sentAt; // seconds from the start, when its request line went out
    QByteArray answer;
    double closedAt = -1; // once the service closed it
};

} // namespace

class CrewdSlowClientsTest : public QObject {
    Q_OBJECT

private slots:
    void slowClientsDoNotStarveOthers()
    {
        CrewdProcess server({u"--threads"_s, QString::number(kThreads), u"--request-timeout"_s,
                             QString::number(kDeadlineSeconds), u"--client-connections"_s,
                             QString::number(kCap)});
        QVERIFY2(server.start(), server.errorOutput().constData());
        // A fresh connection from 127.0.0.1: whether a whole 200 answer came within a second.
        const auto healthzAnswered = [port = server.port()] {
            const QByteArray answer =
                rawExchange(port, "GET /healthz HTTP/1.1\r\nHost: t\r\nConnection: close\r\n\r\n");
            return answer.startsWith("HTTP/1.1 200") && answer.endsWith("{\"ok\":true}");
        };
        QVERIFY(healthzAnswered());

        // 300 from 127.0.0.2, and 8 each from 127.0.0.3 to 127.0.0.22.
        QElapsedTimer clock;
        clock.start();
        const auto seconds = [&clock] { return double(clock.nsecsElapsed()) / 1e9; };
        std::vector<Slow> slow;
        for (int i = 0; i < 300 + 20 * kCap; ++i) {
            const int from = i < 300 ? 2 : 3 + (i - 300) / kCap;
            const int fd = rawConnection(server.port(), from);
            QVERIFY(fd >= 0);
            // Timed before it goes out: the service may have read it before send returns here.
            const double sentAt = seconds();
            ::send(fd, "GET /healthz HTTP/1.1\r\n", 23, MSG_NOSIGNAL);
            slow.push_back({fd, from, sentAt, {}});
        }
        // 2 from 127.0.0.23 that ask for more answers than their sockets hold, pages of 2 KiB,
        // and never read them: answers wait for room there, and must hold no thread meanwhile.
        const QByteArray requests =
            QByteArray("GET /c/x HTTP/1.1\r\nHost: t\r\n\r\n").repeated(4000);
        std::vector<std::pair<int, qsizetype>> deaf; // socket, bytes sent
        for (int i = 0; i < 2; ++i) {
            deaf.emplace_back(rawConnection(server.port(), 23, 2048), 0);
            QVERIFY(deaf.back().first >= 0);
        }
        int answered = 0, unanswered = 0, line = 0;
        auto lastTrickle = clock.elapsed();
        while (clock.elapsed() < (kDeadlineSeconds + 2) * 1000) {
            ++(healthzAnswered() ? answered : unanswered);
            for (auto &[fd, sent] : deaf)
                sent += std::max<ssize_t>(0, ::send(fd, requests.constData() + sent,
                                                    size_t(requests.size() - sent),
                                                    MSG_NOSIGNAL | MSG_DONTWAIT));
            if (clock.elapsed() - lastTrickle >= 400) {
                lastTrickle = clock.elapsed();
                const QByteArray header = "X-Slow-" + QByteArray::number(++line) + ": 1\r\n";
                for (const Slow &s : slow)
                    if (s.closedAt < 0)
                        ::send(s.fd, header.constData(), size_t(header.size()), MSG_NOSIGNAL);
            }
            for (Slow &s : slow) {
                pollfd p{s.fd, POLLIN, 0};
                char buffer[1024];
                ssize_t n = 0;
                while (s.closedAt < 0 && ::poll(&p, 1, 0) > 0 &&
                       (n = ::recv(s.fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
                    s.answer.append(buffer, n);
                if (s.closedAt < 0 && n <= 0 && (p.revents & (POLLIN | POLLHUP)))
                    s.closedAt = seconds();
            }
        }
        for (const Slow &s : slow)
            ::close(s.fd);
        for (const auto &[fd, sent] : deaf) {
            QCOMPARE(sent, requests.size());
            ::close(fd);
        }
        QCOMPARE(unanswered, 0);
        QVERIFY(answered >= 50);

        // The cap: all but kCap of the 300 were turned away with a reason, long before the
        // deadline (connecting them all takes a while on a busy machine).
        const auto turnedAway = std::count_if(slow.begin(), slow.end(), [](const Slow &s) {
            return s.from == 2 && s.closedAt >= 0 &&
                   s.closedAt - s.sentAt < kDeadlineSeconds - 0.5 &&
                   s.answer.startsWith("HTTP/1.1 503");
        });
        QCOMPARE(turnedAway, 300 - kCap);
        // The deadline: every other one was cut off after it, not before.
        for (const Slow &s : slow) {
            if (s.from == 2 && s.answer.startsWith("HTTP/1.1 503"))
                continue;
            QVERIFY2(s.answer.startsWith("HTTP/1.1 408"), s.answer.constData());
            const double held = s.closedAt - s.sentAt;
            QVERIFY2(s.closedAt >= 0 && held >= kDeadlineSeconds - 0.05 &&
                         held < kDeadlineSeconds + 1,
                     qPrintable(u"closed after %1 s"_s.arg(held)));
        }
        QVERIFY(server.running());
    }
};

QTEST_GUILESS_MAIN(CrewdSlowClientsTest)
#include "tst_crewdslowclients.moc"
