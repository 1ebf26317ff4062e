// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCommandLineParser>
#include <QString>

// Parses `arguments` with `parser`. The one-line complaint to print when it cannot take them (an
// unknown option, a missing value, more than `maxPositional` arguments besides the options), or
// an empty text when it can. Shared by all three programs, so they complain alike.
QString parseArguments(QCommandLineParser &parser, const QStringList &arguments,
                       qsizetype maxPositional);
