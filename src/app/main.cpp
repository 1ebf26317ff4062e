// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "AppEntry.h"
#include "CommandLine.h"
#include "Doctor.h"
#include "ReportCommand.h"
#include "SelfTest.h"
#include "StatusCommand.h"
#include "SyncCommand.h"
#include "Translations.h"
#include "linux/SystemProcess.h"

#include <QApplication>
#include <QCoreApplication>

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

QString description()
{
    return Text::tr(
        "Tockly counts your work time from the fact of input alone: it runs a work clock while "
        "you\n"
        "type or move the mouse, pauses after 30 seconds without input, and never sees what you\n"
        "type. Without a command it starts the tray application, or hands its links to the one\n"
        "already running.\n"
        "\n"
        "Commands (tockly COMMAND --help says more):\n"
        "  status [--follow] [--json]          the running Tockly's title and status, for panels\n"
        "  card                                open or close the card of the running Tockly\n"
        "  pause                               switch the running Tockly's automatic tracking off\n"
        "  resume                              switch it on again\n"
        "  report [--day yyyy-MM-dd] [--json]  a day's figures and the records\n"
        "  sync [FOLDER | --off] [--json]      add up the day across your computers\n"
        "  doctor                              what Tockly can see on this desktop\n"
        "\n"
        "Environment: QUENBY_DATA_DIR keeps the work record in $QUENBY_DATA_DIR/Quenby/,\n"
        "QUENBY_CREW_URL is the crew service's origin, QUENBY_UPDATE_FEED the update feed.\n"
        "See tockly(1).");
}

// A command with no options of its own: the conventional ones only.
std::optional<int> parseBare(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    return parseCommandLine(parser, arguments, arguments[1], 0, out, err);
}

// The commands, which need no display; nothing when the arguments start the tray application
// (or, with `selfTest` set, build its views to check them).
std::optional<int> runCommand(const QStringList &arguments, bool *selfTest)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString command = arguments.value(1);
    if (command == u"doctor") {
        if (const auto exitCode = parseBare(arguments, out, err))
            return exitCode;
        return runDoctor(SystemProcess(arguments), out);
    }
    if (command == u"report")
        return runReport(SystemProcess(arguments), SystemClock(), out, err);
    if (command == u"sync")
        return runSync(SystemProcess(arguments), SystemClock(), QDBusConnection::sessionBus(), out,
                       err);
    if (command == u"status")
        return runStatus(arguments, QDBusConnection::sessionBus(), out, err);
    if (command == u"card" || command == u"pause" || command == u"resume") {
        if (const auto exitCode = parseBare(arguments, out, err))
            return exitCode;
        if (command == u"card")
            return runCardToggle(QDBusConnection::sessionBus(), err);
        return runAutoTrack(command == u"resume", QDBusConnection::sessionBus(), out, err);
    }

    QCommandLineParser parser;
    // The launch options are written with one dash, as other builds of Tockly take them.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(description());
    parser.addOptions({{QStringLiteral("quenbyReset"),
                        Text::tr("Empty the recorded entries and activity at start.")},
                       {QStringLiteral("quenbyCheckUpdates"),
                        Text::tr("Check for a newer version one second after start.")}});
    QCommandLineOption selfTestOption(QStringLiteral("self-test"));
    selfTestOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(selfTestOption);
    parser.addPositionalArgument(QStringLiteral("link"),
                                 Text::tr("quenby://join/CODE offers to join the crew CODE."),
                                 //: The placeholder for links in the usage line of --help.
                                 Text::tr("[link...]"));
    if (const auto exitCode = parseCommandLine(parser, arguments, QString(), -1, out, err))
        return exitCode;
    *selfTest = parser.isSet(selfTestOption);
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tockly"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOCKLY_VERSION));
    bool selfTest = false;
    {
        // The commands, the help and a bad command line need no display.
        QCoreApplication core(argc, argv);
        installTranslations(core);
        if (const auto exitCode = runCommand(core.arguments(), &selfTest))
            return *exitCode;
    }

    // The tray icon of desktops without a StatusNotifierWatcher is a widget-world object.
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Tockly"));
    app.setDesktopFileName(QStringLiteral("tockly"));
    app.setQuitOnLastWindowClosed(false);
    installTranslations(app);

    if (selfTest) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runSelfTest(out, err);
    }

    AppEntry entry(app.arguments());
    if (const auto exitCode = entry.start())
        return *exitCode;
    return app.exec();
}
