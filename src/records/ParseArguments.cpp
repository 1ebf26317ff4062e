// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ParseArguments.h"

#include <QCoreApplication>

QString parseArguments(QCommandLineParser &parser, const QStringList &arguments,
                       qsizetype maxPositional)
{
    if (!parser.parse(arguments))
        return parser.errorText();
    const QStringList extra = parser.positionalArguments().mid(maxPositional);
    return extra.isEmpty()
               ? QString()
               : QCoreApplication::translate("CommandLine", "unexpected argument \"%1\"")
                     .arg(extra.first());
}
