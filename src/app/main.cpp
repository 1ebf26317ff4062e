#include "AppEntry.h"
#include "CommandLineHelp.h"
#include "Doctor.h"
#include "ReportCommand.h"
#include "SelfTest.h"
#include "StatusCommand.h"
#include "SyncCommand.h"
#include "linux/SystemProcess.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    const char *command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        std::fputs(qPrintable(tocklyHelp()), stdout);
        return 0;
    }
    if (std::strcmp(command, "--version") == 0) {
        std::fputs(qPrintable(tocklyVersion()), stdout);
        return 0;
    }
    if (std::strcmp(command, "doctor") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return runDoctor(SystemProcess(app.arguments()), out);
    }

    if (std::strcmp(command, "report") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runReport(SystemProcess(app.arguments()), SystemClock(), out, err);
    }

    if (std::strcmp(command, "sync") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runSync(SystemProcess(app.arguments()), SystemClock(), QDBusConnection::sessionBus(),
                       out, err);
    }

    // The commands that talk to the running Tockly over the session bus.
    const QByteArray busCommand(command);
    if (busCommand == "status" || busCommand == "card" || busCommand == "pause" ||
        busCommand == "resume") {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const QStringList options = app.arguments().mid(2);
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (busCommand == "card")
            return runCardToggle(bus, err);
        if (busCommand == "status")
            return runStatus(options, bus, out, err);
        return runAutoTrack(busCommand == "resume", options, bus, out, err);
    }

    // The tray icon of desktops without a StatusNotifierWatcher is a widget-world object.
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Tockly"));
    app.setApplicationVersion(QStringLiteral(TOCKLY_VERSION));
    app.setDesktopFileName(QStringLiteral("tockly"));
    app.setQuitOnLastWindowClosed(false);

    if (std::strcmp(command, "--self-test") == 0) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runSelfTest(out, err);
    }

    AppEntry entry(app.arguments());
    if (const auto exitCode = entry.start())
        return *exitCode;
    return app.exec();
}
