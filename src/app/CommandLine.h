// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCommandLineParser>
#include <QTextStream>

#include <optional>

// Parses `arguments` ("tockly COMMAND OPTION...", or "tockly OPTION..." when `command` is empty)
// with `parser`, after adding the conventional -h/--help, --help-all and -v/--version to it. The
// exit code when the process ends here: 0 after the help or the version, 2 after a one-line
// complaint on `err` about a bad option, a missing value or more than `maxPositional` arguments
// besides the command (any number when negative).
std::optional<int> parseCommandLine(QCommandLineParser &parser, const QStringList &arguments,
                                    const QString &command, qsizetype maxPositional,
                                    QTextStream &out, QTextStream &err);
