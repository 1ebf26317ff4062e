// The real store on real files, for the crash tests. The test drives it line by line on stdin,
// so that nothing depends on how fast this process runs:
//
//   at T   the clock reads T (an instant) from now on
//   key N  N key presses, now
//   tick   the store's timer fires; "tick T" is printed once the store has handled it
//
// Prints "ready T" once built; SIGTERM, SIGINT and SIGHUP end it cleanly.

#include "CrewClient.h"
#include "FakeClock.h"
#include "FakeInputSource.h"
#include "FakeLoginItems.h"
#include "FakeTimer.h"
#include "FakeWorkspace.h"
#include "MacWorkStore.h"
#include "linux/JsonSettingsStore.h"
#include "linux/SystemProcess.h"
#include "linux/UnixSignals.h"
#include "linux/XdgFolders.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

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

    QByteArray pending;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            stdinNotifier.setEnabled(false);
            return;
        }
        pending.append(buffer, n);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> words = pending.left(end).split(' ');
            pending.remove(0, end + 1);
            if (words[0] == "at") {
                clock.set(words.value(1).toDouble());
            } else if (words[0] == "key") {
                input.event(InputEvent::keyDown, words.value(1).toUInt());
            } else if (words[0] == "tick") {
                timer.fire();
                std::printf("tick %.3f\n", store->lastTickAt());
                std::fflush(stdout);
            }
        }
    });

    std::printf("ready %.3f\n", clock.now());
    std::fflush(stdout);
    return app.exec();
}
