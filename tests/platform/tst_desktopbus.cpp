// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DesktopTestEnvironment.h"
#include "StoreFixture.h"
#include "linux/IdleOnlyInputSource.h"
#include "linux/InputTally.h"
#include "linux/LinuxWorkspace.h"
#include "linux/SleepAwareIdle.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDesktopBus : public QObject {
    Q_OBJECT

private slots:
    void sleepWaitsForTheWillSleepWorkAndWakeTicks()
    {
        PrivateBus system;
        FakeDesktopServices logind;
        QString error;
        QVERIFY2(system.start(PrivateBus::Kind::system, &error) &&
                     logind.start(system.address(), {u"login1"_s}, &error),
                 qPrintable(error));
        QDBusConnection controlBus = system.connect(u"control"_s);
        const auto ask = [&](const char *method, const QVariantList &args = {}) {
            return busCall(controlBus, u"org.freedesktop.login1"_s, u"/Control"_s,
                           u"org.quenby.test.FakeDesktop"_s, QString::fromLatin1(method), args)
                .toInt();
        };

        auto monitor = std::make_unique<LogindSleepMonitor>(system.connect(u"tockly"_s));
        QVERIFY(monitor->isWatching());
        QTRY_VERIFY(monitor->holdsInhibitor());
        QCOMPARE(ask("InhibitorsHeld"), 1);

        StoreFixture f;
        LinuxWorkspace workspace(nullptr, std::move(monitor));
        f.workspaceService = &workspace;
        MacWorkStore *store = &f.open();
        f.type(60);
        const Instant lastInput = f.clock.now() - 1;
        QVERIFY(store->isTracking());

        // Seen from inside the will-sleep emission, after the store's own handler.
        int heldDuringWork = -1;
        bool trackingDuringWork = true;
        connect(&workspace, &Workspace::willSleep, this, [&] {
            trackingDuringWork = store->isTracking();
            heldDuringWork = ask("InhibitorsHeld");
        });
        ask("EmitPrepareForSleep", {true});
        QTRY_COMPARE(heldDuringWork, 1);
        QVERIFY(!trackingDuringWork);
        // The segment ends at the last input, and the counts are on disk.
        QCOMPARE(store->entries().size(), 1);
        QCOMPARE(store->entries().first().date + store->entries().first().seconds, lastInput);
        QCOMPARE(decodeActivity(f.readData("activity.json")), store->activityByDay());
        QTRY_COMPARE(ask("InhibitorsHeld"), 0);
        QVERIFY(!workspace.sleepMonitor()->holdsInhibitor());

        // An hour later the machine wakes: a tick runs at once and a new lock is taken.
        f.clock.advance(3600);
        QVERIFY(store->lastTickAt() < f.clock.now());
        ask("EmitPrepareForSleep", {false});
        QTRY_COMPARE(store->lastTickAt(), f.clock.now());
        QTRY_COMPARE(ask("InhibitorsHeld"), 1);
        QCOMPARE(store->entries().size(), 1);
        QVERIFY(!store->isTracking());
    }

    // GNOME's idle monitor is read from the real Shell in tst_gnome.
    void idleOnlyReadsTheSessionIdleTime()
    {
        QString error;
        PrivateBus plasma, bare;
        FakeDesktopServices screenSaver;
        QVERIFY2(plasma.start(PrivateBus::Kind::session, &error) &&
                     bare.start(PrivateBus::Kind::session, &error) &&
                     screenSaver.start(plasma.address(), {u"screensaver-idle=7"_s}, &error),
                 qPrintable(error));

        IdleOnlyInputSource onPlasma(plasma.connect(u"plasma"_s));
        QCOMPARE(onPlasma.provider(), IdleOnlyInputSource::Provider::screenSaver);
        QVERIFY(qAbs(onPlasma.secondsSinceLastEvent(InputEvent::leftMouseDown) - 7) < 0.5);
        QCOMPARE(onPlasma.eventCounter(InputEvent::keyDown), 0u);

        // With nobody to ask, nothing counts as recent input.
        IdleOnlyInputSource alone(bare.connect(u"bare"_s));
        QCOMPARE(alone.provider(), IdleOnlyInputSource::Provider::none);
        QVERIFY(alone.secondsSinceLastEvent(InputEvent::keyDown) >= bootSeconds() - 1);
    }

    // Idle readings from the X server, the desktop or the compositor run on clocks that stop
    // while the machine sleeps; the boot clock runs on. An hour asleep is an hour idle, and the
    // activity a desktop reports when it lights the screen at the wake is no one's input.
    void idleReadingsIncludeTimeAsleep()
    {
        SleepAwareIdle idle;
        auto at = [](double monotonic, double asleep) {
            return SleepAwareIdle::Clocks{monotonic, monotonic + asleep};
        };
        QCOMPARE(idle.lastInput(10, at(1000, 0)), 990.0);
        // Asleep for an hour: the reading goes on from 10 s, the boot clock jumped.
        QCOMPARE(idle.lastInput(15, at(1005, 3600)), 990.0);
        // The desktop resets its idle time just after the wake.
        QCOMPARE(idle.lastInput(1, at(1007, 3600)), 990.0);
        QCOMPARE(idle.lastInput(4, at(1010, 3600)), 990.0);
        // Real input, once the wake is a few seconds old.
        QCOMPARE(idle.lastInput(2, at(1020, 3600)), 1018.0 + 3600);
        // Two more sleeps since that input, of 600 s and 100 s: both count.
        idle.lastInput(20, at(1040, 4200));
        const auto now = at(1050, 4300);
        QCOMPARE(now.boot - idle.lastInput(30, now), 30.0 + 700);
    }
};

QTEST_GUILESS_MAIN(TestDesktopBus)
#include "tst_desktopbus.moc"
