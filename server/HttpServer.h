#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

// The service's HTTP server. cpp-httplib parses, routes and answers, but a connection does not
// own a thread: one reader thread receives from every connection (epoll) and hands a request to
// a worker only once it has arrived whole. A client that sends slowly, or connects and sends
// nothing, costs a socket and a buffer but never a worker, so everyone else is still served.
// Each request must arrive whole within requestTimeout of its first byte, an idle connection is
// closed after idleTimeout, and one client address (IPv6: its /64) may hold at most
// connectionsPerClient connections.
class HttpServer : public httplib::Server {
public:
    struct Limits {
        int workers = 96; // requests served at once
        std::chrono::milliseconds requestTimeout{10000};
        std::chrono::milliseconds idleTimeout{10000};
        std::chrono::milliseconds writeTimeout{10000};
        int connectionsPerClient = 16; // 0: no cap (behind a proxy, which is the only client)
        size_t requestsPerConnection = 10000;
        size_t maxHeaderBytes = 32 * 1024;
        size_t maxBodyBytes = 16 * 1024;
    };

    explicit HttpServer(Limits limits);
    ~HttpServer() override;

private:
    using Clock = std::chrono::steady_clock;
    struct Connection;
    using ConnectionPtr = std::shared_ptr<Connection>;
    class Stream;
    class Lifetime;

    // Called by the listening loop for each accepted socket, on its own thread: takes the
    // socket in without blocking, or refuses it when its client holds too many.
    bool process_and_close_socket(socket_t sock) override;

    void startServing();
    void stopServing();
    void wake();

    // On the reader thread.
    void readLoop();
    void receive(const ConnectionPtr &c, Clock::time_point now);
    // Hands a whole request to a worker, refuses a bad one, or waits for more.
    void progress(const ConnectionPtr &c);
    // Closes what has taken too long.
    void sweep(Clock::time_point now);
    // No longer received from here (a worker has it, or it is being closed).
    void forget(const ConnectionPtr &c);

    // On a worker: answers the gathered request, then hands the connection back or closes it.
    void serve(const ConnectionPtr &c);

    // Answers with an error and leaves the connection to the reader to close.
    void refuse(const ConnectionPtr &c, int status, const char16_t *reason);
    // Any thread.
    void close(const ConnectionPtr &c);

    const Limits m_limits;
    int m_epoll = -1;
    int m_wakeFd = -1;
    std::thread m_reader;
    std::unique_ptr<httplib::ThreadPool> m_workers;

    // Owned by the reader thread: the connections it is receiving from.
    std::unordered_map<int, ConnectionPtr> m_receiving;

    std::mutex m_mutex; // guards what follows
    bool m_stopping = false;
    std::vector<ConnectionPtr> m_arrivals; // new, or back from a worker
    std::unordered_map<std::string, int> m_perClient;
};
