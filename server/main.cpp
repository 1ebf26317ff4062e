// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

// tockly-crewd: the crew leaderboard service.

#include "CrewChangeListener.h"
#include "CrewRequest.h"
#include "CrewService.h"
#include "CrewdOptions.h"
#include "HttpServer.h"
#include "StorePool.h"
#include "VersionText.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <sys/resource.h>
#include <thread>

int main(int argc, char **argv)
{
    // SIGINT and SIGTERM are taken by one thread below and stop the server cleanly; they are
    // blocked before any other thread starts so that none of them receives them instead.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication::setApplicationVersion(QStringLiteral(TOCKLY_VERSION));
    QCoreApplication app(argc, argv);
    QString error;
    QCommandLineParser parser;
    const auto options = CrewdOptions::parse(parser, app.arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "tockly-crewd: %s\n", qPrintable(error));
        return 2;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::fputs(qPrintable(versionText()), stdout);
        return 0;
    }
    // --help and --help-all: printed, and the process exits.
    parser.process(app.arguments());

    StorePool pool(options->database);
    if (!pool.start(options->connections, &error)) {
        std::fprintf(stderr, "tockly-crewd: %s: %s\n", qPrintable(options->database.description()),
                     qPrintable(error));
        return 1;
    }

    HttpServer::Limits http;
    http.threads = options->threads;
    http.requestTimeout = std::chrono::seconds(options->requestSeconds);
    // Behind a proxy every connection comes from the proxy.
    http.connectionsPerClient = options->limits.trustProxy ? 0 : options->clientConnections;
    http.maxBodyBytes = size_t(CrewWire::maxBodyBytes);
    // Connections wait without a thread, so they are bounded by the open-files limit alone.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }

    // With SQLite this process makes every change, so a kept fetch reply is right until it
    // invalidates it. With PostgreSQL other instances' changes arrive as notifications, and
    // the cache stays off while the listener cannot hear them.
    const bool pg = options->database.engine == Database::Engine::postgresql;
    FetchCache cache(!pg);
    std::unique_ptr<CrewChangeListener> listener;
    if (pg) {
        listener = std::make_unique<CrewChangeListener>(options->database, cache);
        listener->start();
        // Serve at once either way; the cache comes on when the listener is in place.
        listener->waitUntilListening(5000);
    }
    CrewService service(pool, options->limits, &cache);
    HttpServer server(http, [&service](const HttpServer::Request &req, const std::string &peer) {
        return service.answer(req, peer);
    });

    const std::string host = options->host.toStdString();
    std::string why;
    const int port = server.listen(host, options->port, &why);
    if (port == 0) {
        std::fprintf(stderr, "tockly-crewd: cannot listen on %s:%d: %s\n", host.c_str(),
                     options->port, why.c_str());
        return 1;
    }
    std::printf("tockly-crewd: listening on %s:%d, crews in %s\n", host.c_str(), port,
                qPrintable(options->database.description()));
    std::fflush(stdout);

    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.stop();
    });
    server.run();
    // run returns only after stop; should it ever end otherwise, the stopper must not wait on.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    listener.reset();
    pool.stop();
    return 0;
}
