// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"
#include "ParseArguments.h"
#include "VersionText.h"

#include <QCoreApplication>

std::optional<int> parseCommandLine(QCommandLineParser &parser, const QStringList &arguments,
                                    const QString &command, qsizetype maxPositional,
                                    QTextStream &out, QTextStream &err)
{
    parser.addHelpOption();
    parser.addVersionOption();
    QStringList rest = arguments;
    if (!command.isEmpty())
        rest.removeAt(1);
    const QString name =
        QCoreApplication::applicationName() + (command.isEmpty() ? QString() : u' ' + command);
    if (const QString why =
            parseArguments(parser, rest, maxPositional < 0 ? rest.size() : maxPositional);
        !why.isEmpty()) {
        err << name << ": " << why << Qt::endl;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The parser's usage line names the program only.
        QString help = parser.helpText();
        if (!command.isEmpty())
            help.insert(help.indexOf(u" [options]"), u' ' + command);
        out << help << Qt::flush;
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << versionText() << Qt::flush;
        return 0;
    }
    // --help-all is printed by the parser itself, which then exits with 0.
    parser.process(rest);
    return std::nullopt;
}
