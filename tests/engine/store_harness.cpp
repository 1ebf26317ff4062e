// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real store on real files, for the crash tests, driven by its arguments so that nothing
// depends on how fast this process runs:
//
//   --at T    the clock reads T (an instant) at the start
//   --type S  two key presses a second before each 5-second tick of the store's timer, S seconds
//   --key S   two key presses S seconds on
//   --tick S  the store's timer fires S seconds on
//   --wait    prints "waiting" and reads a line from standard input
//
// Prints "ready" once through them; SIGTERM, SIGINT and SIGHUP end it cleanly.

#include "CrewClient.h"
#include "StoreFixture.h"
#include "linux/JsonSettingsStore.h"
#include "linux/SystemProcess.h"
#include "linux/UnixSignals.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    FakeClock clock(args.value(args.indexOf(QStringLiteral("--at")) + 1).toDouble());
    SystemProcess process(args);
    JsonSettingsStore settings(JsonSettingsStore::defaultPath(process));
    FakeInputSource input(clock);
    FakeWorkspace workspace;
    workspace.front =
        FrontmostApplication{QStringLiteral("org.quenby.harness"), QStringLiteral("Harness")};
    FakeLoginItems loginItems;
    FakeTimer timer;
    UnixSignals unixSignals;
    CrewClient::HttpConnection crews;

    QString error;
    const auto store = MacWorkStore::open({clock, Calendar::system(), input, workspace, settings,
                                           loginItems, process, timer, xdgDataHome(process), crews},
                                          &error);
    if (!store) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&unixSignals, &UnixSignals::received, &app, &QCoreApplication::quit);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, store.get(),
                     &MacWorkStore::writePendingActivity);

    auto key = [&](double after) {
        clock.advance(after);
        input.event(InputEvent::keyDown, 2);
    };
    auto tick = [&](double after) {
        clock.advance(after);
        timer.fire();
    };
    for (qsizetype i = 1; i < args.size(); ++i) {
        const double seconds = args.value(i + 1).toDouble();
        if (args[i] == u"--type") {
            for (double done = 0; done + 5 <= seconds; done += 5) {
                key(4);
                tick(1);
            }
        } else if (args[i] == u"--key") {
            key(seconds);
        } else if (args[i] == u"--tick") {
            tick(seconds);
        } else if (args[i] == u"--wait") {
            std::puts("waiting");
            std::fflush(stdout);
            char line[64];
            if (!std::fgets(line, sizeof line, stdin))
                return 1;
        }
    }
    std::puts("ready");
    std::fflush(stdout);
    return app.exec();
}
