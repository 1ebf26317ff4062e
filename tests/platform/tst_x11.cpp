// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopTestEnvironment.h"
#include "FrontmostText.h"
#include "TestMounts.h"
#include "linux/SystemProcess.h"
#include "linux/X11FrontmostApplication.h"
#include "linux/XInputSource.h"

#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

// A client that makes windows the way applications do, and plays the window manager's part
// of announcing the active one.
class TestClient {
public:
    explicit TestClient(const QString &display)
        : c(xcb_connect(display.toLocal8Bit().constData(), nullptr)),
          root(xcb_setup_roots_iterator(xcb_get_setup(c)).data->root)
    {
        auto *reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 18, "_NET_ACTIVE_WINDOW"), nullptr);
        activeAtom = reply->atom;
        std::free(reply);
    }
    ~TestClient() { xcb_disconnect(c); }

    xcb_window_t window(const QByteArray &wmClass)
    {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (!wmClass.isNull())
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                                uint32_t(wmClass.size()), wmClass.constData());
        xcb_map_window(c, w);
        sync();
        return w;
    }
    void activate(xcb_window_t w)
    {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, activeAtom, XCB_ATOM_WINDOW, 32, 1, &w);
        sync();
    }
    void destroy(xcb_window_t w)
    {
        xcb_destroy_window(c, w);
        sync();
    }

private:
    void sync() { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    xcb_connection_t *c;
    xcb_window_t root;
    xcb_atom_t activeAtom;
};

} // namespace

class TestX11 : public QObject {
    Q_OBJECT

    XvfbServer xvfb;
    std::unique_ptr<XInputSource> input;

    quint32 n(InputEvent type) const { return input->eventCounter(type); }
    double since(InputEvent type) const { return input->secondsSinceLastEvent(type); }
    void xdotool(const char *command)
    {
        QVERIFY2(xvfb.run(u"xdotool"_s, QString::fromLatin1(command).split(u' ')), command);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(TestMounts::hideInputDevices());
        QString error;
        QVERIFY2(xvfb.start(&error), qPrintable(error));
        input = XInputSource::open(xvfb.display().toLocal8Bit(), &error);
        QVERIFY2(input, qPrintable(error));
    }

    // Three left clicks, a right and a middle one; the wheel down, up and sideways: scrolls, never
    // clicks. Shift, and Ctrl with z: modifier changes, not keys. A key held past the repeat delay
    // is one press.
    void countsKeysClicksScrollsAndModifiers()
    {
        for (const char *command :
             {"type --delay 20 abcdefghijklmnopqrstuvwxy", "click --repeat 3 --delay 20 1",
              "click 3", "click 2", "click --repeat 4 --delay 20 5", "click 4", "click 6",
              "key shift", "key ctrl+z", "keydown x sleep 0.9 keyup x"})
            xdotool(command);
        QTRY_COMPARE(n(InputEvent::keyDown), 27u);
        QTRY_COMPARE(n(InputEvent::scrollWheel), 6u);
        QTest::qWait(200);
        QCOMPARE(n(InputEvent::keyDown), 27u);
        QCOMPARE(n(InputEvent::flagsChanged), 4u);
        QCOMPARE(n(InputEvent::leftMouseDown), 3u);
        QCOMPARE(n(InputEvent::rightMouseDown), 1u);
        QCOMPARE(n(InputEvent::otherMouseDown), 1u);
    }

    // Movement from raw motion, dated anew at each reading while the mouse goes on moving; a
    // client resetting the screen saver, as film players do, is no input of any kind.
    void idleTimesFollowInput()
    {
        xdotool("mousemove_relative -- 15 10");
        QTRY_VERIFY(since(InputEvent::mouseMoved) < 0.5);
        const double key = since(InputEvent::keyDown);
        QTest::qWait(1200);
        QVERIFY(since(InputEvent::mouseMoved) >= 1.1);
        QVERIFY(since(InputEvent::keyDown) >= key + 1.1);
        QVERIFY(xvfb.run(u"xset"_s, {u"s"_s, u"reset"_s}));
        QTest::qWait(600);
        QVERIFY(since(InputEvent::mouseMoved) >= 1.7);
        QVERIFY(since(InputEvent::keyDown) >= key + 1.7);

        // A key press is not taken for movement, a move not for a key.
        xdotool("key q");
        QTRY_VERIFY(since(InputEvent::keyDown) < 0.5);
        QVERIFY(since(InputEvent::mouseMoved) >= 1.1);
        QTest::qWait(300);
        xdotool("mousemove_relative -- -5 0");
        // Movement after the key, however slowly xdotool ran.
        QTRY_VERIFY(since(InputEvent::mouseMoved) + 0.25 < since(InputEvent::keyDown));

        // Two seconds of movement, read every 300 ms: each reading finds it fresh.
        QString moves = u"mousemove_relative -- 4 0"_s;
        for (int i = 0; i < 20; ++i)
            moves += u" sleep 0.1 mousemove_relative -- %1 0"_s.arg(i % 2 ? 4 : -4);
        QProcess mover;
        mover.setProcessEnvironment(xvfb.environment());
        mover.start(u"xdotool"_s, moves.split(u' '));
        QTRY_VERIFY(since(InputEvent::mouseMoved) < 0.5);
        double stalest = 0;
        while (!mover.waitForFinished(300))
            stalest = std::max(stalest, since(InputEvent::mouseMoved));
        QVERIFY2(stalest < 0.8, qPrintable(QString::number(stalest)));
        QTest::qWait(1200);
        QVERIFY(since(InputEvent::mouseMoved) >= 1.1);
    }

    void frontmostApplicationFromActiveWindowAndDesktopFiles()
    {
        QTemporaryDir home, system;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (system.path() + u":/nonexistent"_s).toLocal8Bit());
        QVERIFY(writeFile(system.filePath(u"applications/org.example.Editor.desktop"_s),
                          "[Desktop Entry]\nType=Application\nName=Test Editor\n"
                          "Name[de]=Testeditor\nStartupWMClass=TocklyTestEditor\nExec=editor\n"
                          "[Desktop Action New]\nName=New Window\n"));
        QVERIFY(writeFile(system.filePath(u"applications/sketchpad.desktop"_s),
                          "[Desktop Entry]\nType=Application\nName=Sketch Pad\nExec=sketchpad\n"));
        // The user's own entry comes first.
        QVERIFY(
            writeFile(home.filePath(u"applications/sketchpad.desktop"_s),
                      "[Desktop Entry]\nType=Application\nName=My Sketch Pad\nExec=sketchpad\n"));
        const auto folders = DesktopEntryNames::applicationFolders(SystemProcess({}));
        QCOMPARE(folders.size(), 3);

        auto frontmost = X11FrontmostApplication::open(xvfb.display().toLocal8Bit(),
                                                       DesktopEntryNames(folders, "C"));
        auto german = X11FrontmostApplication::open(xvfb.display().toLocal8Bit(),
                                                    DesktopEntryNames(folders, "de_DE.UTF-8"));
        QVERIFY(frontmost && german);
        QVERIFY(!frontmost->query()); // no window manager has named one yet

        TestClient client(xvfb.display());
        const auto inFront = [&](xcb_window_t w, const FrontmostApplicationSource &source) {
            client.activate(w);
            return ::frontmost(source);
        };
        const auto editor = client.window(QByteArray("tockly-editor\0TocklyTestEditor\0", 31));
        QCOMPARE(inFront(editor, *frontmost), u"TocklyTestEditor/Test Editor"_s);
        QCOMPARE(inFront(editor, *german), u"TocklyTestEditor/Testeditor"_s);
        QCOMPARE(inFront(client.window(QByteArray("sketchpad\0SketchPad\0", 20)), *frontmost),
                 u"SketchPad/My Sketch Pad"_s);
        QCOMPARE(inFront(client.window(QByteArray("calc\0Calc\0", 10)), *frontmost),
                 u"Calc/Calc"_s);
        QCOMPARE(inFront(client.window(QByteArray()), *frontmost), u"?/?"_s);
        QCOMPARE(inFront(client.window(QByteArray("\0\0\0", 3)), *frontmost), u"?/?"_s);
        // The window manager still names a window that is gone.
        client.destroy(editor);
        QCOMPARE(inFront(editor, *frontmost), u"none"_s);
        QCOMPARE(inFront(XCB_WINDOW_NONE, *frontmost), u"none"_s);
    }
};

QTEST_GUILESS_MAIN(TestX11)
#include "tst_x11.moc"
