// The invitation page as a browser shows it: headless Chromium takes screenshots (kept in
// build/screenshots/) and dumps the page as it ends up after its script ran.

#include "CrewdProcess.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>

namespace {

// Runs headless Chromium on one address with a new, empty profile; returns its standard output.
QByteArray chromium(const QStringList &action, const QString &url, bool *ok)
{
    QTemporaryDir profile;
    QProcess p;
    p.setProgram(QStringLiteral("chromium"));
    p.setArguments(QStringList{u"--headless"_qs, u"--no-sandbox"_qs, u"--disable-gpu"_qs,
                               u"--disable-quic"_qs, u"--no-first-run"_qs,
                               u"--disable-background-networking"_qs,
                               u"--disable-component-update"_qs, u"--disable-sync"_qs,
                               u"--disable-dev-shm-usage"_qs, u"--hide-scrollbars"_qs,
                               u"--user-data-dir="_qs + profile.path()}
                   << action << url);
    p.start();
    *ok = p.waitForFinished(90000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!*ok)
        qWarning("chromium: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

} // namespace

class CrewdPageTest : public QObject {
    Q_OBJECT

    CrewdProcess server;
    QString screenshots = QStringLiteral(TOCKLY_SCREENSHOT_DIR);

    QString url(const QString &code) const
    {
        return u"http://127.0.0.1:%1/c/%2"_qs.arg(server.port()).arg(code);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(server.start(), server.errorOutput().constData());
        QVERIFY(QDir().mkpath(screenshots));
    }

    // Styled under its own policy: the cream background, and the coral button.
    void pageLooksRight()
    {
        const QString file = screenshots + u"/crewd-invite.png"_qs;
        QFile::remove(file);
        bool ok = false;
        chromium({u"--window-size=900,1000"_qs, u"--screenshot="_qs + file},
                 url(server.create(u"Night Owls \U0001F989"_qs, u"Ann"_qs).code), &ok);
        QVERIFY(ok);
        const QImage shot(file);
        QCOMPARE(shot.size(), QSize(900, 1000));
        QCOMPARE(QColor(shot.pixel(5, 5)).name(), u"#fff7eb"_qs);
        bool coral = false;
        for (int y = 0; y < shot.height() && !coral; y += 2)
            for (int x = 0; x < shot.width() && !coral; x += 2)
                coral = QColor(shot.pixel(x, y)).name() == u"#ff8c61";
        QVERIFY(coral);
    }

    void hostileCrewNameStaysText()
    {
        const QString code = server.create(u"<img src=x onerror=alert(1)>"_qs, u"Ann"_qs).code;
        bool ok = false;
        const QByteArray dom = chromium({u"--dump-dom"_qs}, url(code), &ok);
        QVERIFY(ok);
        QVERIFY2(dom.contains("<h1>&lt;img src=x onerror=alert(1)&gt;</h1>"), dom.constData());
        QVERIFY(!dom.contains("<img"));
        // The page's own script ran under the policy: it reveals the copy button.
        QVERIFY(dom.contains("<button id=\"copy\" type=\"button\">Copy</button>"));
        QVERIFY(dom.contains("QUENBY-JOIN:" + code.toLatin1()));
    }
};

QTEST_GUILESS_MAIN(CrewdPageTest)
#include "tst_crewdpage.moc"
