// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"
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
    if (!parser.parse(rest)) {
        err << name << ": " << parser.errorText() << Qt::endl;
        return 2;
    }
    const QStringList extra =
        maxPositional < 0 ? QStringList() : parser.positionalArguments().mid(maxPositional);
    if (!extra.isEmpty()) {
        err << name << ": "
            << QCoreApplication::translate("CommandLine", "unexpected argument \"%1\"")
                   .arg(extra.first())
            << Qt::endl;
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
