#include "HttpServer.h"

#include "RateLimiter.h"
#include "Reply.h"
#include "RequestFraming.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

using namespace std::chrono_literals;

struct HttpServer::Connection {
    int fd = -1;
    std::string clientKey; // what the per-client cap counts it under; empty when not counted
    std::string remoteIp, localIp;
    int remotePort = 0, localPort = 0;
    std::string bytes;       // received and not yet served
    size_t searchedTo = 0;   // how far the end of the headers has been looked for
    RequestFrame frame;      // headerBytes is set once the headers are in
    bool clientDone = false; // the client shut down its side: no more bytes will come
    bool sentContinue = false;
    bool closing = false; // refused: what still arrives is dropped until the deadline
    Clock::time_point idleSince;
    std::optional<Clock::time_point> deadline; // for the request under way
    size_t requestsLeft = 0;
};

// The request the reader gathered, and the socket for the answer.
class HttpServer::Stream final : public httplib::Stream {
public:
    Stream(const Connection &c, std::string_view request, std::chrono::milliseconds writeTimeout)
        : m_c(c), m_request(request), m_writeDeadline(Clock::now() + writeTimeout)
    {}

    bool is_readable() const override { return m_at < m_request.size(); }
    bool is_writable() const override { return writable(); }

    ssize_t read(char *ptr, size_t size) override
    {
        const size_t n = std::min(size, m_request.size() - m_at);
        std::memcpy(ptr, m_request.data() + m_at, n);
        m_at += n;
        return ssize_t(n);
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        for (size_t done = 0; done < size;) {
            if (!writable())
                return -1;
            const ssize_t n = ::send(m_c.fd, ptr + done, size - done, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return -1;
            done += size_t(std::max<ssize_t>(n, 0));
        }
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
    // The whole answer shares one deadline, so a client that does not read cannot keep a
    // worker for long either.
    bool writable() const
    {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(m_writeDeadline - Clock::now());
        pollfd p{m_c.fd, POLLOUT, 0};
        return left > 0ms && ::poll(&p, 1, int(left.count())) > 0 && (p.revents & POLLOUT);
    }

    const Connection &m_c;
    std::string_view m_request;
    size_t m_at = 0;
    Clock::time_point m_writeDeadline;
};

// The listening loop hands every accepted socket to its task queue. This queue takes each one
// in at once, on the listening thread, and spans the server's life: made when listening starts,
// shut down when it ends.
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
    // Only for the Keep-Alive header of answers; the reader keeps these limits.
    set_keep_alive_max_count(limits.requestsPerConnection);
    set_keep_alive_timeout(
        std::chrono::duration_cast<std::chrono::seconds>(limits.idleTimeout).count());
}

HttpServer::~HttpServer() = default;

void HttpServer::startServing()
{
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.fd = m_wakeFd;
    ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_wakeFd, &ev);
    m_stopping = false;
    m_workers = std::make_unique<httplib::ThreadPool>(size_t(std::max(1, m_limits.workers)));
    m_reader = std::thread([this] { readLoop(); });
}

void HttpServer::stopServing()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    wake();
    m_reader.join();
    // Requests already gathered are still answered, each with "Connection: close".
    m_workers->shutdown();
    m_workers.reset();
    for (const ConnectionPtr &c : m_arrivals)
        close(c);
    m_arrivals.clear();
    ::close(m_wakeFd);
    ::close(m_epoll);
}

void HttpServer::wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
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
    {
        std::lock_guard lock(m_mutex);
        if (m_limits.connectionsPerClient > 0) {
            const std::string key = RateLimiter::clientKey(c->remoteIp);
            int &held = m_perClient[key];
            full = held >= m_limits.connectionsPerClient;
            if (!full) {
                ++held;
                c->clientKey = key;
            }
        }
        if (!full)
            m_arrivals.push_back(c);
    }
    if (full) {
        refuse(c, 503, u"Too many connections from your address. Please try again later.");
        std::lock_guard lock(m_mutex);
        m_arrivals.push_back(c);
    }
    wake();
    return !full;
}

void HttpServer::readLoop()
{
    std::vector<epoll_event> events(256);
    auto lastSweep = Clock::now();
    for (;;) {
        const int n = ::epoll_wait(m_epoll, events.data(), int(events.size()), 100);
        const auto now = Clock::now();
        std::vector<ConnectionPtr> arrivals;
        {
            std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
            arrivals.swap(m_arrivals);
        }
        for (int i = 0; i < n; ++i) {
            const int fd = events[size_t(i)].data.fd;
            if (fd == m_wakeFd) {
                uint64_t count = 0;
                [[maybe_unused]] const ssize_t r = ::read(m_wakeFd, &count, sizeof count);
            } else if (const auto it = m_receiving.find(fd); it != m_receiving.end()) {
                receive(ConnectionPtr(it->second), now);
            }
        }
        for (const ConnectionPtr &c : arrivals) {
            m_receiving.emplace(c->fd, c);
            epoll_event ev{};
            ev.events = EPOLLIN;
            ev.data.fd = c->fd;
            ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, c->fd, &ev);
            if (!c->closing && !c->bytes.empty()) { // the next request came with the last one
                c->deadline = now + m_limits.requestTimeout;
                progress(c);
            }
        }
        if (now - lastSweep >= 100ms) {
            lastSweep = now;
            sweep(now);
        }
    }
    for (const auto &[fd, c] : m_receiving)
        close(c);
    m_receiving.clear();
}

void HttpServer::receive(const ConnectionPtr &c, Clock::time_point now)
{
    if (c->closing) {
        char dropped[4096];
        ssize_t n;
        while ((n = ::recv(c->fd, dropped, sizeof dropped, MSG_DONTWAIT)) > 0) {
        }
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
            forget(c);
            close(c);
        }
        return;
    }
    // No more than one request's worth beyond what is held; the rest waits in the socket.
    const size_t room = m_limits.maxHeaderBytes + m_limits.maxBodyBytes;
    char buffer[16384];
    while (c->bytes.size() < room) {
        const ssize_t n = ::recv(c->fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            if (!c->deadline)
                c->deadline = now + m_limits.requestTimeout;
            c->bytes.append(buffer, size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // Closed by the client, or failed. What it sent before shutting down its side may still
        // be a whole request that wants an answer.
        c->clientDone = true;
        break;
    }
    progress(c);
}

void HttpServer::progress(const ConnectionPtr &c)
{
    if (!c->frame.headerBytes) {
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
        return refuse(c, c->frame.status, c->frame.reason);
    case RequestFrame::State::complete:
        forget(c);
        m_workers->enqueue([this, c] { serve(c); });
        return;
    case RequestFrame::State::incomplete:
        if (c->clientDone) {
            forget(c);
            return close(c);
        }
        if (c->frame.expectsContinue && !c->sentContinue) {
            static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
            ::send(c->fd, kContinue, sizeof kContinue - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            c->sentContinue = true;
        }
        return;
    }
}

void HttpServer::sweep(Clock::time_point now)
{
    std::vector<ConnectionPtr> late, done;
    for (const auto &[fd, c] : m_receiving) {
        const bool past = c->deadline && now >= *c->deadline;
        if (past && !c->closing)
            late.push_back(c);
        else if (past || (!c->deadline && now - c->idleSince >= m_limits.idleTimeout))
            done.push_back(c);
    }
    for (const ConnectionPtr &c : late)
        refuse(c, 408, u"The request took too long to arrive.");
    for (const ConnectionPtr &c : done) {
        forget(c);
        close(c);
    }
}

void HttpServer::serve(const ConnectionPtr &c)
{
    const RequestFrame frame = c->frame;
    bool closeAfter = frame.bodyTooLarge || c->clientDone || --c->requestsLeft == 0;
    {
        std::lock_guard lock(m_mutex);
        closeAfter = closeAfter || m_stopping;
    }
    Stream stream(*c, std::string_view(c->bytes).substr(0, frame.size), m_limits.writeTimeout);
    bool closedByClient = false;
    const bool sentContinue = c->sentContinue;
    const bool answered =
        process_request(stream, closeAfter, closedByClient, [sentContinue](httplib::Request &req) {
            // The reader has already said "100 Continue".
            if (sentContinue)
                req.headers.erase("Expect");
        });

    c->bytes.erase(0, frame.size);
    c->frame = {};
    c->searchedTo = 0;
    c->sentContinue = false;
    c->deadline.reset();
    c->idleSince = Clock::now();
    if (!answered || closedByClient || closeAfter)
        return close(c);
    {
        std::lock_guard lock(m_mutex);
        if (!m_stopping) {
            m_arrivals.push_back(c);
            wake();
            return;
        }
    }
    close(c);
}

void HttpServer::forget(const ConnectionPtr &c)
{
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, c->fd, nullptr);
    m_receiving.erase(c->fd);
}

void HttpServer::refuse(const ConnectionPtr &c, int status, const char16_t *reason)
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
    // answer; so this side is shut, and the reader drops what arrives for a moment.
    ::send(c->fd, text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    ::shutdown(c->fd, SHUT_WR);
    c->closing = true;
    c->deadline = Clock::now() + 1s;
}

void HttpServer::close(const ConnectionPtr &c)
{
    ::shutdown(c->fd, SHUT_RDWR);
    ::close(c->fd);
    c->fd = -1;
    if (c->clientKey.empty())
        return;
    std::lock_guard lock(m_mutex);
    if (const auto it = m_perClient.find(c->clientKey);
        it != m_perClient.end() && --it->second <= 0)
        m_perClient.erase(it);
}
