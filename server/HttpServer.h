#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

// The service's HTTP server. cpp-httplib parses, routes and answers, but a connection does not
// own a thread: each worker thread keeps many connections in an epoll set of its own, reads
// whatever has arrived on them without waiting, and answers a request once it is whole. A client
// that sends slowly, connects and sends nothing, or does not read its answers costs a socket and
// buffers but never holds a worker, so everyone else is still served. Each request must arrive
// whole within requestTimeout of its first byte, an idle connection is closed after idleTimeout,
// and one client address (IPv6: its /64) may hold connectionsPerClient connections.
class HttpServer : public httplib::Server {
public:
    struct Limits {
        int workers = 96; // requests served at once
        std::chrono::milliseconds requestTimeout{10000};
        std::chrono::milliseconds idleTimeout{10000};
        std::chrono::milliseconds writeTimeout{10000}; // for an answer to leave
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
    struct Worker;
    class Stream;
    class Lifetime;

    // Called by the listening loop for each accepted socket, on its own thread: hands the
    // socket to the next worker, refused when its client holds too many.
    bool process_and_close_socket(socket_t sock) override;

    void startServing();
    void stopServing();

    // On a worker's thread.
    void work(Worker &w);
    // Reads what has arrived and answers every whole request in it.
    void take(Worker &w, const ConnectionPtr &c);
    // Answers the request at the front into the connection's outbox.
    void serve(Connection &c);
    // Sends the outbox; false when the socket has no room, and the connection then waits for
    // room (for at most writeTimeout) instead of for more requests.
    bool flush(Worker &w, Connection &c);
    void watch(Worker &w, Connection &c, uint32_t events);
    // Refuses what has taken too long and closes what is done.
    void sweep(Worker &w, Clock::time_point now);
    void close(Worker &w, const ConnectionPtr &c);

    // Answers with an error and shuts this side; the worker drops what still arrives until the
    // client closes or a second has passed.
    void refuse(Connection &c, int status, const char16_t *reason);

    const Limits m_limits;
    std::atomic<bool> m_stopping = false;
    std::vector<std::unique_ptr<Worker>> m_workers;
    size_t m_nextWorker = 0; // the listening thread's

    std::mutex m_clientsMutex;
    std::unordered_map<std::string, int> m_perClient;
};
