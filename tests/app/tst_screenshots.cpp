// The windows rendered by the software renderer on a real X server (Xvfb), written as PNG files to
// the build tree's screenshots/ folder for people to look at, and checked for their fixed width
// and for holding a picture at all.
#include "CrewTestSupport.h"
#include "DesktopTestEnvironment.h"
#include "UiFixture.h"

#include <QApplication>
#include <QDir>
#include <QSet>

namespace {

// A picture, not a flat fill: many colours, and much of it away from the background.
bool looksDrawn(const QImage &image, QRgb background)
{
    QSet<QRgb> colours;
    qsizetype differing = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            colours.insert(p);
            if (p != background)
                ++differing;
        }
    const qsizetype samples = qsizetype(image.width() / 2) * (image.height() / 2);
    return colours.size() > 200 && differing * 10 > samples;
}

const QRgb cream = qRgb(255, 247, 235);

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

    // Renders the window, saves it and checks it.
    void capture(QQuickWindow *window, const QString &name, int width, int height = 0)
    {
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::qWait(300); // fonts, the mascot's first frames
        const QImage image = window->grabWindow();
        QDir().mkpath(TOCKLY_SCREENSHOT_DIR);
        QVERIFY(image.save(QStringLiteral(TOCKLY_SCREENSHOT_DIR "/%1.png").arg(name)));
        QCOMPARE(image.width(), width);
        if (height)
            QCOMPARE(image.height(), height);
        QVERIFY2(looksDrawn(image, cream), qPrintable(name + " looks blank"));
    }

    // A week of work behind today.
    static void history(UiFixture &f)
    {
        const double days[] = {0, 2.2 * 3600, 3.1 * 3600, 1.4 * 3600, 4.6 * 3600, 2.9 * 3600};
        for (int d = 1; d <= 5; ++d)
            f.worked(d, days[d]);
        DayActivity today;
        today.keys = 9400;
        today.typingSeconds = 2100;
        today.clicks = 620;
        today.scrolls = 2300;
        f.activity.insert(QStringLiteral("2026-03-10"), today);
    }

private slots:
    void cardCountingWithOwnedCrewOfSix()
    {
        UiFixture f;
        history(f);
        f.worked(0, 2.5 * 3600);
        FakeCrewConnection::Answer board;
        board.crewName = QStringLiteral("Night Owls");
        board.owner = QStringLiteral("Ann");
        board.board = {{"Mika", 5.2 * 3600},
                       {"Jo", 3.9 * 3600},
                       {"Ann", 2.6 * 3600},
                       {"Sam", 1.1 * 3600},
                       {"Priya", 0.7 * 3600}};
        f.crew.answers["fetch LUCKY7"] = {board};
        f.start();
        QVERIFY(awaitTask(f.store->joinCrew(QStringLiteral("LUCKY7"), QStringLiteral("Ann"))));
        f.type(120);
        QVERIFY(f.store->isTracking());
        QQuickItem *card = f.showCard();
        QVERIFY(card);
        QTRY_COMPARE(findItems(card, QStringLiteral("rankMark")).size(), 5);
        capture(f.shell->card().window(), QStringLiteral("card-counting-crew"), 330);
    }

    // Yesterday in full: every chip, typing against mousing, hours, apps and sessions.
    void historyRichDay()
    {
        UiFixture f;
        history(f);
        const Instant yesterday = *f.calendar.addDays(f.at("2026-03-10 08:00"), -1);
        f.entries.append({QUuid::createUuid(), yesterday - 1800, 900, WorkEntry::Kind::added});
        f.entries.append(
            {QUuid::createUuid(), yesterday + 3 * 3600, -600, WorkEntry::Kind::removed});
        DayActivity rich;
        rich.keys = 12840;
        rich.clicks = 1460;
        rich.scrolls = 3120;
        rich.modifierTaps = 388;
        rich.appSwitches = 142;
        rich.typingSeconds = 5400;
        rich.mousingSeconds = 2700;
        for (int h = 6; h <= 9; ++h)
            rich.hourlyKeys[size_t(h)] = 900 + 610 * (h % 3);
        rich.appSeconds = {{"Code Editor", 6200},
                           {"Terminal", 2900},
                           {"Web Browser", 1800},
                           {"Notes", 700},
                           {"Chat", 240}};
        f.activity.insert(QStringLiteral("2026-03-09"), rich);
        f.start().showHistory();
        QQuickView *window = f.shell->windows().historyWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QQuickItem *root = window->rootObject();
        click(findItems(root, QStringLiteral("dayCell")).at(8));
        QTRY_COMPARE(findItems(root, QStringLiteral("chip")).size(), 7);
        capture(window, QStringLiteral("history-rich-day"), 760, 600);
    }

    void invitation()
    {
        UiFixture f;
        f.start().windows().showInviteWindow(QStringLiteral("LUCKY7"));
        QQuickView *window = f.shell->windows().inviteWindow();
        QVERIFY(window);
        // The window manager-less server gives the focus a moment after the window maps.
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_COMPARE(window->activeFocusItem()->objectName(), QStringLiteral("inviteNickname"));
        typeText(window, QStringLiteral("Ann"));
        QTRY_COMPARE(findItem(window->rootObject(), QStringLiteral("inviteNickname"))
                         ->property("text")
                         .toString(),
                     QStringLiteral("Ann"));
        capture(window, QStringLiteral("invitation"), 380);
    }
};

int main(int argc, char *argv[])
{
    XvfbServer xvfb;
    QString error;
    if (!xvfb.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qputenv("DISPLAY", xvfb.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    ScreenshotTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenshots.moc"
