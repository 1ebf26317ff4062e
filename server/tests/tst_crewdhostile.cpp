// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Hostile input: random and mutated bodies against every endpoint, and garbage on the wire.
// Every request must get a success or a 4xx with its "error" text, never a crash or a 5xx,
// and a refused request must leave every stored row as it was.

#include "CrewdProcess.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Pieces of JSON and of broken UTF-8 to drop into bodies, separated by '|'.
const QList<QByteArray> kTokens =
    QByteArray(
        "{|}|[|]|\"|,|:|\\|\\u0000|\\ud800|\\udfff|1e999|-0|NaN|null|true|\xff|\xc0\x80|"
        "\xed\xa0\x80|{\"a\":|\"days\":{|\"code\":\"|9e307|\t|\n|\"2024-02-30\"|\"memberId\":1")
        .split('|');

} // namespace

class CrewdHostileTest : public QObject {
    Q_OBJECT

    CrewdProcess server;
    std::vector<Member> members;
    QRandomGenerator random{20240301};

    int pick(qsizetype n) { return int(random.bounded(int(n))); }
    const Member &anyMember() { return members[size_t(pick(qsizetype(members.size())))]; }

    // A request the app could have sent, with the crews made so far.
    std::pair<std::string, QJsonObject> validRequest()
    {
        const Member &m = anyMember();
        QJsonObject o{{u"code"_s, m.code}, {u"memberId"_s, m.memberId}};
        switch (pick(6)) {
        case 0:
            return {"/api/crew", {{u"crewName"_s, u"Fuzz"_s}, {u"nickname"_s, u"Owner"_s}}};
        case 1:
            return {"/api/join",
                    {{u"code"_s, m.code}, {u"nickname"_s, u"N%1"_s.arg(pick(100000))}}};
        case 2:
            return {"/api/leave", o};
        case 3:
            o.insert(u"nickname"_s, anyMember().nickname);
            return {"/api/kick", o};
        }
        QJsonObject days;
        for (int i = pick(5); i > 0; --i)
            days.insert(dayKey(-pick(14)), double(pick(90000)));
        o.insert(u"nickname"_s, m.nickname);
        o.insert(u"days"_s, days);
        return {"/api/report", o};
    }

    QByteArray mutated(QJsonObject o)
    {
        QByteArray text = compactJson(o);
        const QString key = o.keys().value(pick(o.size()));
        // Values of the wrong kind, out of range, or from another member.
        QJsonArray values{QJsonValue(), 0, -1, 90001, 1e308, 9007199254740993.0, anyMember().code};
        values << anyMember().memberId << QString(pick(4000), u'x')
               << QString(QChar(char16_t(pick(0x20)))) + u'x'
               << QJsonObject{{dayKey(pick(40) - 20), pick(100000)}};
        switch (pick(6)) {
        case 0: // flipped bytes
            for (int i = pick(4) + 1; i > 0; --i)
                text[pick(text.size())] = char(pick(256));
            return text;
        case 1:
            return text.left(pick(text.size()));
        case 2:
            return text.insert(pick(text.size() + 1), kTokens[pick(kTokens.size())]);
        case 3:
            o.insert(key, values.at(pick(values.size())));
            return compactJson(o);
        case 4:
            o.remove(key);
            return compactJson(o);
        }
        return text.insert(text.size() - 1,
                           ",\"x\":" + QByteArray(pick(200), '[') + QByteArray(pick(200), ']'));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), server.errorOutput().constData());
        for (int c = 0; c < 3; ++c) {
            members.push_back(server.create(u"Crew %1"_s.arg(c), u"Owner"_s));
            const QString code = members.back().code;
            for (int i = 0; i < 5; ++i) {
                members.push_back(server.join(code, u"M%1"_s.arg(i)));
                server.report(members.back(), {{dayKey(0), 100.0 * i}});
            }
        }
        QCOMPARE(server.stateDigest().count(u'\n'), 1 + 3 + 18 + 3); // rows and separators
    }

    void mutatedBodiesChangeNothing()
    {
        QString state = server.stateDigest();
        int refused = 0, accepted = 0;
        // A fixed number, not as many as fit in a time: the counts below must not depend on how
        // busy the machine is.
        for (int i = 0; i < 600; ++i) {
            HttpReply r;
            std::string path;
            QJsonObject sent;
            const int kind = pick(10);
            if (kind == 0) {
                path = (pick(2) ? "/api/crew/" : "/c/") +
                       QUrl::toPercentEncoding(
                           QString::fromLatin1(mutated({{u"c"_s, members[0].code}})))
                           .toStdString();
                r = server.get(path);
            } else {
                std::tie(path, sent) = validRequest();
                r = server.post(path, kind == 1 ? compactJson(sent) : mutated(sent));
            }
            QVERIFY2(r.status != 0, qPrintable(u"no answer to request %1"_s.arg(i)));
            QVERIFY2(r.status < 500, r.body.constData());
            const QString after = server.stateDigest();
            if (r.status >= 400) {
                ++refused;
                QVERIFY2(path.starts_with("/c/") || r.isRefusal(), r.body.constData());
                QVERIFY2(after == state, qPrintable(u"a refused %1 changed the stored rows"_s.arg(
                                             QString::fromStdString(path))));
            } else if (++accepted; r.json().contains(u"memberId")) {
                // A crew made or joined: use it from now on.
                members.push_back({r.json().value(u"code").toString(),
                                   r.json().value(u"memberId").toString(),
                                   sent.value(u"nickname").toString().trimmed(),
                                   {}});
            }
            state = after;
        }
        QVERIFY2(refused > 300 && accepted > 20,
                 qPrintable(u"%1 refused, %2 accepted"_s.arg(refused).arg(accepted)));
    }

    void garbageOnTheWire()
    {
        const QString before = server.stateDigest();
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
            "BREW /pot HTTP/9.9\r\n\r\n"};
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes = shapes[i % shapes.size()];
            for (int k = i < shapes.size() ? 0 : pick(6); k > 0; --k)
                bytes[pick(bytes.size())] = char(pick(256));
            rawExchange(server.port(), bytes, true);
        }
        QVERIFY(server.running());
        QCOMPARE(server.get("/healthz").status, 200);
        QCOMPARE(server.stateDigest(), before);
    }
};

QTEST_GUILESS_MAIN(CrewdHostileTest)
#include "tst_crewdhostile.moc"
