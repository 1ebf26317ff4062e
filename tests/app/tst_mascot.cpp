// The mascot's motion on absolute time, its frame rate, and when it blinks.
#include "UiFixture.h"

#include <QSignalSpy>

#include <cmath>

namespace {

QQuickItem *mascot(QQuickView *view)
{
    return view->rootObject();
}

} // namespace

class MascotTest : public QObject {
    Q_OBJECT

    std::unique_ptr<UiFixture> f;
    QList<QQuickView *> views;

    QQuickView *make(bool working, bool animated)
    {
        QQuickView *view = createModuleView(f->shell->engine(), QStringLiteral("MascotView.qml"),
                                            {{"isWorking", working}, {"animated", animated}});
        view->show();
        views << view;
        return view;
    }

private slots:
    void init()
    {
        f = std::make_unique<UiFixture>();
        f->start();
    }
    void cleanup()
    {
        qDeleteAll(views);
        views.clear();
        f.reset();
    }

    void motionFollowsAbsoluteTime()
    {
        QQuickItem *m = mascot(make(false, true));
        QTest::qWait(200);
        const double t = m->property("t").toDouble();
        const double now = QDateTime::currentMSecsSinceEpoch() / 1000.0 - 978307200.0;
        QVERIFY(std::abs(now - t) < 0.5);
        const double w = 2 * M_PI * t;
        const double bob = 5 * std::sin(w / 2.4);
        QCOMPARE(m->property("bob").toDouble(), bob);
        QCOMPARE(m->property("floatOffset").toDouble(), 4 * std::sin(w / 2.8 + 1.2));
        QCOMPARE(m->property("armA").toDouble(), (std::sin(w / 1.7) + 1) * 0.5);
        QCOMPARE(m->property("armB").toDouble(), (std::sin(w / 1.7 + M_PI) + 1) * 0.5);
        // The body rides on the bob; the ground shadow shrinks as it rises.
        QCOMPARE(findItem(m, QStringLiteral("mascotBody"))->y(), 40 + bob);
    }

    void framesAtMostThirtyASecondAndOnlyWhileAnimated()
    {
        QQuickItem *running = mascot(make(false, true));
        QQuickItem *still = mascot(make(false, false));
        const int before = running->property("frames").toInt();
        const double stillT = still->property("t").toDouble();
        QTest::qWait(2000);
        const int frames = running->property("frames").toInt() - before;
        QVERIFY2(frames >= 40 && frames <= 60, qPrintable(QString::number(frames)));
        QCOMPARE(still->property("frames").toInt(), 0);
        QCOMPARE(still->property("t").toDouble(), stillT);
        // Stopping the animation stops the frames.
        running->setProperty("animated", false);
        const int stopped = running->property("frames").toInt();
        QTest::qWait(200);
        QCOMPARE(running->property("frames").toInt(), stopped);
    }

    void blinksOnlyWhenIdleAndAnimated()
    {
        QQuickItem *idle = mascot(make(false, true));
        QQuickItem *working = mascot(make(true, true));
        QQuickItem *still = mascot(make(false, false));
        QSignalSpy idleBlinks(idle, SIGNAL(blinkChanged()));
        QSignalSpy workingBlinks(working, SIGNAL(blinkChanged()));
        QSignalSpy stillBlinks(still, SIGNAL(blinkChanged()));
        // One 3.4-second period: the eyes close, and open 0.13 s later.
        QTRY_COMPARE_WITH_TIMEOUT(idleBlinks.size(), 1, 3700);
        QCOMPARE(idle->property("blink").toBool(), true);
        // Starting to work mid-blink still lets the eyes open.
        idle->setProperty("isWorking", true);
        QTRY_COMPARE_WITH_TIMEOUT(idleBlinks.size(), 2, 400);
        QCOMPARE(idle->property("blink").toBool(), false);
        QCOMPARE(workingBlinks.size(), 0);
        QCOMPARE(stillBlinks.size(), 0);
    }
};

QTEST_MAIN(MascotTest)
#include "tst_mascot.moc"
