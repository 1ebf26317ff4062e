// Durability: tockly-crewd is killed with SIGKILL in the middle of a load of reports. After a
// restart every acknowledged report must be there, and no report may be there by halves.

#include "CrewdProcess.h"

#include <QTest>

#include <atomic>
#include <thread>

class CrewdDurabilityTest : public QObject {
    Q_OBJECT

private slots:
    void acknowledgedReportsSurviveSigkill()
    {
        CrewdProcess server;
        QVERIFY2(server.start(), server.errorOutput().constData());
        struct Reporter {
            QString memberId;
            QString nickname;
            int acknowledged = 0; // the last value the server answered 200 to
            int unanswered = 0;   // a value sent when the server died, if any
        };
        std::vector<Reporter> reporters(8);
        const Member owner = server.create(u"Load"_qs, u"R0"_qs);
        const QString code = owner.code;
        reporters[0] = {owner.memberId, owner.nickname};
        for (size_t i = 1; i < reporters.size(); ++i) {
            const Member m = server.join(code, u"R%1"_qs.arg(i));
            QVERIFY(!m.memberId.isEmpty());
            reporters[i] = {m.memberId, m.nickname};
        }

        // Each reporter sends rising totals for today, with half of it for yesterday in the
        // same report, one after the other on its own connection.
        const std::string today = dayKey(0).toStdString();
        const std::string yesterday = dayKey(-1).toStdString();
        std::atomic<int> acknowledged{0};
        std::vector<std::thread> threads;
        for (Reporter &r : reporters) {
            threads.emplace_back([&, port = server.port()] {
                httplib::Client client("127.0.0.1", port);
                client.set_keep_alive(true);
                client.set_tcp_nodelay(true);
                client.set_read_timeout(5, 0);
                for (int value = 2; value <= 80000; value += 2) {
                    const std::string body =
                        "{\"code\":\"" + code.toStdString() + "\",\"memberId\":\"" +
                        r.memberId.toStdString() + "\",\"nickname\":\"" + r.nickname.toStdString() +
                        "\",\"days\":{\"" + today + "\":" + std::to_string(value) + ",\"" +
                        yesterday + "\":" + std::to_string(value / 2) + "}}";
                    const auto result = client.Post("/api/report", body, "application/json");
                    if (!result) {
                        r.unanswered = value;
                        return;
                    }
                    if (result->status != 200)
                        return;
                    r.acknowledged = value;
                    ++acknowledged;
                }
            });
        }
        // Kill it once the load is well under way.
        QTRY_VERIFY_WITH_TIMEOUT(acknowledged.load() >= 1500, 60000);
        server.kill();
        for (auto &t : threads)
            t.join();
        QVERIFY(!server.running());

        QVERIFY2(server.start(), server.errorOutput().constData());
        const QJsonObject crew = server.fetch(code);
        QCOMPARE(nicknames(crew).size(), qsizetype(reporters.size()));
        int survived = 0, inFlight = 0;
        for (const Reporter &r : reporters) {
            const QJsonObject days = daysOf(crew, r.nickname);
            const int stored = days.value(dayKey(0)).toInt();
            // The last acknowledged value, or the one in flight when the server died.
            QVERIFY2(stored == r.acknowledged || (r.unanswered && stored == r.unanswered),
                     qPrintable(u"%1: stored %2, acknowledged %3, unanswered %4"_qs.arg(r.nickname)
                                    .arg(stored)
                                    .arg(r.acknowledged)
                                    .arg(r.unanswered)));
            QCOMPARE(days.value(dayKey(-1)).toInt(), stored / 2);
            survived += r.acknowledged / 2;
            inFlight += r.unanswered ? 1 : 0;
        }
        qInfo("%d reports acknowledged before SIGKILL (%d in flight), all found after the restart",
              survived, inFlight);
        QVERIFY(survived >= 1500);
    }
};

QTEST_GUILESS_MAIN(CrewdDurabilityTest)
#include "tst_crewddurability.moc"
