// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The invitation page: as served, and as a browser shows it (headless Chromium takes a
// screenshot, kept in build/screenshots/, and dumps the page as it ends up after its script ran).

#include "CrewdProcess.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Runs headless Chromium on one address with a new, empty profile; returns its standard output.
QByteArray chromium(const QStringList &action, const QString &url, bool *ok)
{
    QTemporaryDir profile;
    QProcess p;
    p.start(u"chromium"_s,
            QStringList{u"--headless"_s, u"--no-sandbox"_s, u"--disable-gpu"_s, u"--disable-quic"_s,
                        u"--no-first-run"_s, u"--disable-background-networking"_s,
                        u"--disable-component-update"_s, u"--disable-sync"_s,
                        u"--disable-dev-shm-usage"_s, u"--hide-scrollbars"_s,
                        u"--user-data-dir="_s + profile.path()}
                << action << url);
    *ok = p.waitForFinished(90000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!*ok)
        qWarning("chromium: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

} // namespace

class CrewdPageTest : public QObject {
    Q_OBJECT

private slots:
    void invitationPage()
    {
        CrewdProcess server;
        QVERIFY2(server.start(), server.errorOutput().constData());
        const Member ann = server.create(u"<img src=x onerror=alert(1)> & \"Jerry's\""_s, u"Ann"_s);
        const HttpReply page = server.get("/c/" + ann.code.toLower().toStdString());
        QCOMPARE(page.status, 200);
        const std::string csp = page.header("Content-Security-Policy");
        QVERIFY(csp.starts_with("default-src 'none'") &&
                csp.find("unsafe-inline") == std::string::npos);
        const QByteArray name = "&lt;img src=x onerror=alert(1)&gt; &amp; &quot;Jerry&#39;s&quot;";
        QVERIFY(page.body.contains("<h1>" + name + "</h1>"));
        QVERIFY(page.body.contains("href=\"quenby://join/" + ann.code.toLatin1() + '"'));
        // Nothing is loaded from anywhere else.
        const QByteArray rest = QByteArray(page.body).replace(name, "");
        QVERIFY(!rest.contains("http") && !rest.contains("src="));
        QVERIFY(server.get("/c/QQQQQ0").body.contains("can't find that crew"));

        // The hostile name stays text in the browser too, and the page's own script ran under
        // the policy: it reveals the copy button.
        const QString url = u"http://127.0.0.1:%1/c/%2"_s.arg(server.port()).arg(ann.code);
        bool ok = false;
        const QByteArray dom = chromium({u"--dump-dom"_s}, url, &ok);
        QVERIFY(ok);
        QVERIFY2(dom.contains("<h1>&lt;img src=x onerror=alert(1)&gt;"), dom.constData());
        QVERIFY(!dom.contains("<img"));
        QVERIFY(dom.contains("<button id=\"copy\" type=\"button\">Copy</button>"));
        QVERIFY(dom.contains("QUENBY-JOIN:" + ann.code.toLatin1()));

        // Styled under its own policy: the cream background, and the coral button.
        const QString file = u"%1/crewd-invite.png"_s.arg(TOCKLY_SCREENSHOT_DIR);
        QVERIFY(QDir().mkpath(TOCKLY_SCREENSHOT_DIR));
        QFile::remove(file);
        chromium({u"--window-size=900,1000"_s, u"--screenshot="_s + file}, url, &ok);
        QVERIFY(ok);
        const QImage shot(file);
        QCOMPARE(shot.size(), QSize(900, 1000));
        QCOMPARE(QColor(shot.pixel(5, 5)).name(), u"#fff7eb"_s);
        bool coral = false;
        for (int y = 0; y < shot.height() && !coral; y += 2)
            for (int x = 0; x < shot.width() && !coral; x += 2)
                coral = QColor(shot.pixel(x, y)).name() == u"#ff8c61";
        QVERIFY(coral);
    }
};

QTEST_GUILESS_MAIN(CrewdPageTest)
#include "tst_crewdpage.moc"
