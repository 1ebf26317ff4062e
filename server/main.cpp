// tockly-crewd: the crew leaderboard service.

#include "CrewChangeListener.h"
#include "CrewRequest.h"
#include "CrewService.h"
#include "CrewdOptions.h"
#include "HttpServer.h"
#include "StorePool.h"

#include <QCoreApplication>

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

    QCoreApplication app(argc, argv);
    QString error;
    bool help = false;
    const auto options = CrewdOptions::parse(app.arguments(), &error, &help);
    if (help) {
        std::fputs(qPrintable(CrewdOptions::usage()), stdout);
        return 0;
    }
    if (options && options->version) {
        std::fputs("tockly-crewd " TOCKLY_VERSION "\n", stdout);
        return 0;
    }
    if (!options) {
        std::fprintf(stderr, "tockly-crewd: %s\n%s", qPrintable(error),
                     qPrintable(CrewdOptions::usage()));
        return 2;
    }

    StorePool pool(options->database);
    if (!pool.start(options->connections, &error)) {
        std::fprintf(stderr, "tockly-crewd: %s: %s\n", qPrintable(options->database.description()),
                     qPrintable(error));
        return 1;
    }

    HttpServer::Limits http;
    http.workers = options->threads;
    http.requestTimeout = std::chrono::seconds(options->requestSeconds);
    // Behind a proxy every connection comes from the proxy.
    http.connectionsPerClient = options->limits.trustProxy ? 0 : options->clientConnections;
    http.maxBodyBytes = size_t(CrewWire::maxBodyBytes);
    HttpServer server(http);
    // Nagle would only delay small replies.
    server.set_tcp_nodelay(true);
    // Connections wait without a thread, so they are bounded by the open-files limit alone.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    // The library listens with a backlog of 5: when many clients connect at once, the rest
    // would wait for retransmitted handshakes, seconds each. The socket is listened on again,
    // with room, once it is bound.
    int listening = -1;
    server.set_socket_options([&listening](int sock) {
        httplib::default_socket_options(sock);
        listening = sock;
    });

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
    service.install(server);

    const std::string host = options->host.toStdString();
    int port = options->port;
    const bool bound =
        port == 0 ? (port = server.bind_to_any_port(host)) > 0 : server.bind_to_port(host, port);
    if (!bound || ::listen(listening, SOMAXCONN) != 0) {
        std::fprintf(stderr, "tockly-crewd: cannot listen on %s:%d\n", host.c_str(), options->port);
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
    const bool ok = server.listen_after_bind();
    // listen_after_bind also returns when the socket fails; wake the stopper in that case.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    listener.reset();
    pool.stop();
    return ok ? 0 : 1;
}
