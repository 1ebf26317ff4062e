#include "HttpServer.h"

#include "RateLimiter.h"
#include "Reply.h"
#include "RequestFraming.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

using namespace std::chrono_literals;

struct HttpServer::Connection {
    int fd = -1;
    std::string clientKey; // what the per-client cap counts it under; empty when not counted
    std::string remoteIp, localIp;
    int remotePort = 0, localPort = 0;
    std::string bytes;           // received and not yet answered
    size_t searchedTo = 0;       // how far the end of the headers has been looked for
    RequestFrame frame;          // headerBytes is set once the headers are in
    bool clientDone = false;     // the client shut down its side: no more bytes will come
    bool sentContinue = false;   // "100 Continue" went out for the request under way
    bool closing = false;        // refused: what still arrives is dropped until the deadline
    std::string outbox;          // the answer, as far as the socket has not taken it yet
    bool waitingToWrite = false; // for room in the socket: reads nothing meanwhile
    bool closeWhenSent = false;
    Clock::time_point idleSince;
    // Of the request under way, of the answer waiting to be sent, or of closing.
    std::optional<Clock::time_point> deadline;
    size_t requestsLeft = 0;
};

struct HttpServer::Worker {
    int epoll = -1;
    int wakeFd = -1; // new connections, and the end
    std::thread thread;
    std::mutex mutex; // guards arrivals
    std::vector<ConnectionPtr> arrivals;
    // Only on the worker's thread: its connections, by address (the epoll key), and those with
    // more requests at hand than one turn answers.
    std::unordered_map<const Connection *, ConnectionPtr> connections;
    std::vector<ConnectionPtr> again;
};

// Requests answered on one connection before the worker's other connections get their turn.
constexpr int kRequestsPerTurn = 8;

// The request gathered, and the connection's outbox for the answer: the worker sends it when
// the socket has room, and serves others meanwhile.
class HttpServer::Stream final : public httplib::Stream {
public:
    Stream(Connection &c, std::string_view request) : m_c(c), m_request(request) {}

    bool is_readable() const override { return m_at < m_request.size(); }
    bool is_writable() const override { return true; }

    ssize_t read(char *ptr, size_t size) override
    {
        const size_t n = std::min(size, m_request.size() - m_at);
        std::memcpy(ptr, m_request.data() + m_at, n);
        m_at += n;
        return ssize_t(n);
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        m_c.outbox.append(ptr, size);
        return ssize_t(size);
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override
    {
        ip = m_c.remoteIp;
        port = m_c.remotePort;
    }
    void get_local_ip_and_port(std::string &ip, int &port) const override
    {
        ip = m_c.localIp;
        port = m_c.localPort;
    }
    socket_t socket() const override { return m_c.fd; }

private:
    Connection &m_c;
    std::string_view m_request;
    size_t m_at = 0;
};

// The listening loop hands every accepted socket to its task queue. This queue takes each one
// in at once, on the listening thread (process_and_close_socket), and spans the server's life:
// made when listening starts, shut down when it ends.
class HttpServer::Lifetime final : public httplib::TaskQueue {
public:
    explicit Lifetime(HttpServer &server) : m_server(server) { m_server.startServing(); }
    void enqueue(std::function<void()> fn) override { fn(); }
    void shutdown() override { m_server.stopServing(); }

private:
    HttpServer &m_server;
};

namespace {

void describe(const sockaddr_storage &a, std::string &ip, int &port)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (a.ss_family == AF_INET) {
        const auto &v4 = reinterpret_cast<const sockaddr_in &>(a);
        ::inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (a.ss_family == AF_INET6) {
        const auto &v6 = reinterpret_cast<const sockaddr_in6 &>(a);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

const char *statusText(int status)
{
    switch (status) {
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Bad Request";
    }
}

} // namespace

HttpServer::HttpServer(Limits limits) : m_limits(limits)
{
    new_task_queue = [this] { return new Lifetime(*this); };
    // Only for the Keep-Alive header of answers; the workers keep these limits.
    set_keep_alive_max_count(limits.requestsPerConnection);
    set_keep_alive_timeout(
        std::chrono::duration_cast<std::chrono::seconds>(limits.idleTimeout).count());
}

HttpServer::~HttpServer() = default;

void HttpServer::startServing()
{
    m_stopping = false;
    for (int i = 0; i < std::max(1, m_limits.workers); ++i) {
        auto w = std::make_unique<Worker>();
        w->epoll = ::epoll_create1(EPOLL_CLOEXEC);
        w->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.ptr = w.get();
        ::epoll_ctl(w->epoll, EPOLL_CTL_ADD, w->wakeFd, &ev);
        m_workers.push_back(std::move(w));
    }
    for (const auto &w : m_workers)
        w->thread = std::thread([this, &w = *w] { work(w); });
}

void HttpServer::stopServing()
{
    m_stopping = true;
    const uint64_t one = 1;
    for (const auto &w : m_workers)
        [[maybe_unused]] const ssize_t n = ::write(w->wakeFd, &one, sizeof one);
    // Requests being answered are finished, each with "Connection: close".
    for (const auto &w : m_workers) {
        w->thread.join();
        for (const ConnectionPtr &c : w->arrivals)
            w->connections.emplace(c.get(), c);
        while (!w->connections.empty())
            close(*w, w->connections.begin()->second);
        ::close(w->wakeFd);
        ::close(w->epoll);
    }
    m_workers.clear();
}

bool HttpServer::process_and_close_socket(socket_t sock)
{
    auto c = std::make_shared<Connection>();
    c->fd = sock;
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    ::getpeername(sock, reinterpret_cast<sockaddr *>(&address), &size);
    describe(address, c->remoteIp, c->remotePort);
    size = sizeof address;
    ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &size);
    describe(address, c->localIp, c->localPort);
    c->idleSince = Clock::now();
    c->requestsLeft = m_limits.requestsPerConnection;

    bool full = false;
    if (m_limits.connectionsPerClient > 0) {
        const std::string key = RateLimiter::clientKey(c->remoteIp);
        std::lock_guard lock(m_clientsMutex);
        int &held = m_perClient[key];
        full = held >= m_limits.connectionsPerClient;
        if (!full) {
            ++held;
            c->clientKey = key;
        }
    }
    if (full)
        refuse(*c, 503, u"Too many connections from your address. Please try again later.");
    // In turn, so that connections that keep busy spread over the workers.
    Worker &w = *m_workers[m_nextWorker++ % m_workers.size()];
    {
        std::lock_guard lock(w.mutex);
        w.arrivals.push_back(c);
    }
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(w.wakeFd, &one, sizeof one);
    return !full;
}

void HttpServer::work(Worker &w)
{
    std::array<epoll_event, 64> events;
    auto lastSweep = Clock::now();
    for (;;) {
        // Idle connections still need their time checked.
        const int timeout = !w.again.empty() ? 0 : w.connections.empty() ? -1 : 100;
        const int n = ::epoll_wait(w.epoll, events.data(), int(events.size()), timeout);
        if (m_stopping)
            return;
        // Cleared before the arrivals are taken: one that comes later wakes the next wait.
        uint64_t wakes = 0;
        [[maybe_unused]] const ssize_t r = ::read(w.wakeFd, &wakes, sizeof wakes);
        std::vector<ConnectionPtr> arrivals;
        {
            std::lock_guard lock(w.mutex);
            arrivals.swap(w.arrivals);
        }
        for (const ConnectionPtr &c : arrivals) {
            w.connections.emplace(c.get(), c);
            epoll_event ev{};
            ev.events = EPOLLIN;
            ev.data.ptr = c.get();
            ::epoll_ctl(w.epoll, EPOLL_CTL_ADD, c->fd, &ev);
        }
        for (int i = 0; i < n; ++i) {
            // An earlier event of this round may have closed it.
            const auto it =
                w.connections.find(static_cast<Connection *>(events[size_t(i)].data.ptr));
            if (it != w.connections.end())
                take(w, ConnectionPtr(it->second));
        }
        std::vector<ConnectionPtr> again;
        again.swap(w.again);
        for (const ConnectionPtr &c : again)
            if (w.connections.contains(c.get()))
                take(w, c);
        if (const auto now = Clock::now(); now - lastSweep >= 100ms) {
            lastSweep = now;
            sweep(w, now);
        }
    }
}

void HttpServer::take(Worker &w, const ConnectionPtr &c)
{
    if (c->closing) {
        char dropped[4096];
        ssize_t n;
        while ((n = ::recv(c->fd, dropped, sizeof dropped, MSG_DONTWAIT)) > 0) {
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            close(w, c);
        return;
    }
    // No more than one request's worth beyond what is held; the rest waits in the socket.
    const size_t room = m_limits.maxHeaderBytes + m_limits.maxBodyBytes;
    char buffer[16384];
    for (int turn = 0;; ++turn) {
        if (turn == kRequestsPerTurn) {
            w.again.push_back(c);
            return;
        }
        // An answer goes out whole before the next request is read.
        if (!c->outbox.empty() && !flush(w, *c))
            return;
        if (c->closeWhenSent)
            return close(w, c);

        while (!c->clientDone && c->bytes.size() < room) {
            const ssize_t n = ::recv(c->fd, buffer, sizeof buffer, MSG_DONTWAIT);
            if (n > 0) {
                if (!c->deadline)
                    c->deadline = Clock::now() + m_limits.requestTimeout;
                c->bytes.append(buffer, size_t(n));
            } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                break;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                // Closed by the client, or failed. What it sent before shutting down its side
                // may still be a whole request that wants an answer.
                c->clientDone = true;
            }
        }

        if (!c->frame.headerBytes) {
            // The headers end at the first "\n\r\n": look only at what is new.
            const size_t from = c->searchedTo > 2 ? c->searchedTo - 2 : 0;
            const bool ended = c->bytes.find("\n\r\n", from) != std::string::npos;
            c->searchedTo = c->bytes.size();
            if (ended || c->bytes.size() >= m_limits.maxHeaderBytes)
                c->frame = frameRequest(c->bytes, m_limits.maxHeaderBytes, m_limits.maxBodyBytes);
        } else if (c->bytes.size() >= c->frame.size) {
            c->frame.state = RequestFrame::State::complete;
        }

        switch (c->frame.state) {
        case RequestFrame::State::refused:
            return refuse(*c, c->frame.status, c->frame.reason);
        case RequestFrame::State::incomplete:
            if (c->clientDone)
                return close(w, c);
            if (c->frame.expectsContinue && !c->sentContinue) {
                static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
                ::send(c->fd, kContinue, sizeof kContinue - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
                c->sentContinue = true;
            }
            return;
        case RequestFrame::State::complete:
            serve(*c);
            // The answer goes out first; the next request may be here already, and if not, the
            // read above finds nothing.
            break;
        }
    }
}

void HttpServer::serve(Connection &c)
{
    const RequestFrame frame = c.frame;
    const bool closeAfter =
        frame.bodyTooLarge || c.clientDone || --c.requestsLeft == 0 || m_stopping;
    Stream stream(c, std::string_view(c.bytes).substr(0, frame.size));
    bool closedByClient = false;
    const bool sentContinue = c.sentContinue;
    const bool answered =
        process_request(stream, closeAfter, closedByClient, [sentContinue](httplib::Request &req) {
            // "100 Continue" went out already.
            if (sentContinue)
                req.headers.erase("Expect");
        });

    c.bytes.erase(0, frame.size);
    c.frame = {};
    c.searchedTo = 0;
    c.sentContinue = false;
    c.idleSince = Clock::now();
    c.deadline.reset();
    if (!c.bytes.empty())
        c.deadline = c.idleSince + m_limits.requestTimeout;
    c.closeWhenSent = !answered || closedByClient || closeAfter;
}

bool HttpServer::flush(Worker &w, Connection &c)
{
    while (!c.outbox.empty()) {
        const ssize_t n =
            ::send(c.fd, c.outbox.data(), c.outbox.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            c.outbox.erase(0, size_t(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!c.waitingToWrite) {
                c.waitingToWrite = true;
                c.deadline = Clock::now() + m_limits.writeTimeout;
                watch(w, c, EPOLLOUT);
            }
            return false;
        } else if (n < 0 && errno != EINTR) {
            // The client is gone.
            c.outbox.clear();
            c.closeWhenSent = true;
        }
    }
    if (c.waitingToWrite) {
        c.waitingToWrite = false;
        c.deadline.reset();
        if (!c.bytes.empty())
            c.deadline = Clock::now() + m_limits.requestTimeout;
        watch(w, c, EPOLLIN);
    }
    return true;
}

void HttpServer::watch(Worker &w, Connection &c, uint32_t events)
{
    epoll_event ev{};
    ev.events = events;
    ev.data.ptr = &c;
    ::epoll_ctl(w.epoll, EPOLL_CTL_MOD, c.fd, &ev);
}

void HttpServer::sweep(Worker &w, Clock::time_point now)
{
    std::vector<ConnectionPtr> done;
    for (const auto &[key, c] : w.connections) {
        const bool past = c->deadline && now >= *c->deadline;
        if (past && !c->closing && !c->waitingToWrite)
            refuse(*c, 408, u"The request took too long to arrive.");
        else if (past || (!c->deadline && now - c->idleSince >= m_limits.idleTimeout))
            done.push_back(c);
    }
    for (const ConnectionPtr &c : done)
        close(w, c);
}

void HttpServer::refuse(Connection &c, int status, const char16_t *reason)
{
    const Reply reply = Reply::error(status, reason);
    std::string text = "HTTP/1.1 " + std::to_string(status) + ' ' + statusText(status) +
                       "\r\nContent-Type: application/json\r\nContent-Length: " +
                       std::to_string(reply.body.size()) + "\r\nConnection: close\r\n";
    if (status == 503)
        text += "Retry-After: 60\r\n";
    text += "\r\n";
    text.append(reply.body.constData(), size_t(reply.body.size()));
    // Best effort: the socket is new or has sent little, so its buffer has room. Closing at
    // once would answer what the client still sends with a reset, which can overtake the
    // answer; so this side is shut, and what arrives is dropped for a moment.
    ::send(c.fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(c.fd, SHUT_WR);
    c.closing = true;
    c.deadline = Clock::now() + 1s;
}

void HttpServer::close(Worker &w, const ConnectionPtr &c)
{
    ::epoll_ctl(w.epoll, EPOLL_CTL_DEL, c->fd, nullptr);
    ::shutdown(c->fd, SHUT_RDWR);
    ::close(c->fd);
    if (!c->clientKey.empty()) {
        std::lock_guard lock(m_clientsMutex);
        if (const auto it = m_perClient.find(c->clientKey);
            it != m_perClient.end() && --it->second <= 0)
            m_perClient.erase(it);
    }
    w.connections.erase(c.get());
}
