// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CrewService.h"
#include "Database.h"

#include <QCommandLineParser>

#include <optional>

// The command line of tockly-crewd.
struct CrewdOptions {
    QString host = QStringLiteral("127.0.0.1");
    int port = 8787; // 0: any free port, printed at start
    Database database = Database::defaultSqlite();
    CrewService::Limits limits;
    int threads = 96;           // requests served at once, one thread each
    int requestSeconds = 10;    // a request must arrive whole within this of its first byte
    int clientConnections = 16; // per client address, 0 = no cap
    int connections = 4;        // PostgreSQL connections

    // Declares the options on `parser` (with --help and --version) and parses `args` with it;
    // absent, with a one-line message in error, for a bad command line.
    static std::optional<CrewdOptions> parse(QCommandLineParser &parser, const QStringList &args,
                                             QString *error);
};
