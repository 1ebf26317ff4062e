// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Reply.h"
#include "RequestReader.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// The service's HTTP server, on Boost.Asio and Beast. A connection does not own a thread: each
// of a fixed pool of threads waits on the sockets of its share of the connections (handed out
// in turn as they come) and runs whatever has become possible on any of them, reading what has
// arrived and answering a request once it is whole. A client that sends slowly, connects and
// sends nothing, or does not read its answers costs a socket and buffers but never holds a
// thread, so everyone else is still served. Each request must arrive
// whole within requestTimeout of its first byte (408 otherwise), an idle connection is closed
// after idleTimeout, and one client address (IPv6: its /64) may hold connectionsPerClient
// connections (503 beyond).
class HttpServer {
public:
    using Request = RequestReader::Request;
    using Response = boost::beast::http::response<boost::beast::http::string_body>;
    // Answers one request, on one of the server's threads; it may wait there (for the database),
    // which holds that thread's connections meanwhile.
    using Handler = std::function<Response(const Request &, const std::string &peerAddress)>;

    struct Limits {
        int threads = 96; // requests served at once
        std::chrono::milliseconds requestTimeout{10000};
        std::chrono::milliseconds idleTimeout{10000};
        std::chrono::milliseconds writeTimeout{10000}; // for an answer to leave
        int connectionsPerClient = 16; // 0: no cap (behind a proxy, which is the only client)
        size_t requestsPerConnection = 10000;
        size_t maxHeaderBytes = 32 * 1024;
        size_t maxBodyBytes = 16 * 1024;
    };

    HttpServer(Limits limits, Handler handler);
    ~HttpServer();

    // The reply as an answer of type application/json.
    static Response jsonResponse(const Reply &reply);

    // Binds and listens; the port (the one the system chose for 0), or 0 and why not in error.
    int listen(const std::string &host, int port, std::string *error);
    // Serves on limits.threads threads until stop() has taken effect; this one accepts.
    void run();
    // From any thread: accepts no more, closes connections that wait for a request, and lets
    // those being answered finish, each with "Connection: close".
    void stop();

private:
    class Connection;
    void accept();
    void onAccepted(boost::asio::ip::tcp::socket socket);
    void forget(const Connection &c);

    const Limits m_limits;
    const Handler m_handler;
    const std::string m_keepAlive; // the Keep-Alive header of answers that keep the connection
    // One per thread, so that a connection's handlers never run at once and threads never hand
    // work to each other.
    std::vector<std::unique_ptr<boost::asio::io_context>> m_workers;
    using WorkGuard = boost::asio::executor_work_guard<boost::asio::io_context::executor_type>;
    std::vector<WorkGuard> m_keepWorking; // until stop
    size_t m_nextWorker = 0;
    boost::asio::io_context m_io; // the acceptor's
    boost::asio::ip::tcp::acceptor m_acceptor;
    boost::asio::steady_timer m_acceptPause;
    std::atomic<bool> m_stopping = false;

    std::mutex m_mutex; // guards what follows
    std::unordered_map<std::string, int> m_perClient;
    std::unordered_map<const Connection *, std::weak_ptr<Connection>> m_connections;
};
