#pragma once

#include "CrewService.h"
#include "Database.h"

#include <QStringList>

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
    bool version = false;       // --version: print it and exit

    // Absent, with a message in error, for a bad command line; with help set for --help.
    static std::optional<CrewdOptions> parse(const QStringList &args, QString *error, bool *help);
    static QString usage();
};
