#include "AppEntry.h"
#include "Doctor.h"
#include "ReportCommand.h"
#include "linux/SystemProcess.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "doctor") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        return runDoctor(SystemProcess(app.arguments()), out);
    }

    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runReport(SystemProcess(app.arguments()), SystemClock(), out, err);
    }

    QGuiApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Tockly"));
    app.setDesktopFileName(QStringLiteral("tockly"));
    app.setQuitOnLastWindowClosed(false);

    AppEntry entry(app.arguments());
    if (const auto exitCode = entry.start())
        return *exitCode;
    return app.exec();
}
