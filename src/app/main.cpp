#include "AppEntry.h"
#include "CommandLineHelp.h"
#include "Doctor.h"
#include "ReportCommand.h"
#include "SelfTest.h"
#include "StatusCommand.h"
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

    if (std::strcmp(command, "status") == 0 || std::strcmp(command, "card") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (std::strcmp(command, "card") == 0)
            return runCardToggle(QDBusConnection::sessionBus(), err);
        return runStatus(app.arguments().mid(2), QDBusConnection::sessionBus(), out, err);
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
