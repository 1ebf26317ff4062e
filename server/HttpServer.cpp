// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "HttpServer.h"

#include "RateLimiter.h"

#include <boost/asio/post.hpp>
#include <boost/beast/http/write.hpp>

#include <sstream>
#include <thread>
#include <vector>

namespace asio = boost::asio;
namespace http = boost::beast::http;
using asio::ip::tcp;
using boost::system::error_code;
using namespace std::chrono_literals;
namespace Code = CrewWire::ErrorCode;

namespace {

using Clock = std::chrono::steady_clock;

// What one read takes from a socket at most; a request's parser asks for more when it needs it.
constexpr size_t kReadBytes = 16 * 1024;

// How long a connection that is being closed may still send: closing at once would answer what
// it sends with a reset, which can overtake the answer.
constexpr auto kLinger = 1s;

} // namespace

// Lives on one worker's thread. Exactly one wait for bytes or one write is under way at a time,
// beside one timer that checks the deadline of the phase.
class HttpServer::Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(HttpServer &server, tcp::socket socket, std::string peer, std::string clientKey)
        : m_server(server), m_socket(std::move(socket)), m_timer(m_socket.get_executor()),
          m_peer(std::move(peer)), m_clientKey(std::move(clientKey)),
          m_reader(server.m_limits.maxHeaderBytes, server.m_limits.maxBodyBytes),
          m_requestsLeft(server.m_limits.requestsPerConnection)
    {}
    ~Connection() { m_server.forget(*this); }

    const std::string &clientKey() const { return m_clientKey; }
    tcp::socket::executor_type executor() { return m_socket.get_executor(); }

    void start(bool overCap)
    {
        error_code ec;
        // Reads and the refusals' sends take what is there and never wait.
        m_socket.non_blocking(true, ec);
        // Nagle would only delay small answers.
        m_socket.set_option(tcp::no_delay(true), ec);
        if (overCap)
            return refuse(503, Code::tooManyConnections,
                          u"Too many connections from your address. Please try again later.");
        waitForRequest();
    }

    void stop()
    {
        if (m_phase == Phase::idle || m_phase == Phase::reading)
            close();
        else
            m_closeAfter = true;
    }

private:
    enum class Phase { idle, reading, answering, writing, lingering, closed };

    void waitForRequest()
    {
        if (m_pending.empty()) {
            m_phase = Phase::idle;
            setDeadline(Clock::now() + m_server.m_limits.idleTimeout);
            return waitForBytes();
        }
        // The next request came with the last one.
        m_phase = Phase::reading;
        setDeadline(Clock::now() + m_server.m_limits.requestTimeout);
        readRequest();
    }

    void waitForBytes()
    {
        if (m_waiting)
            return;
        m_waiting = true;
        m_socket.async_wait(tcp::socket::wait_read,
                            [self = shared_from_this()](error_code ec) { self->onReadable(ec); });
    }

    // Reads only once bytes are there, so a connection that waits holds no buffer.
    void onReadable(error_code ec)
    {
        m_waiting = false;
        if (m_phase == Phase::closed)
            return;
        if (ec)
            return close();
        char chunk[kReadBytes];
        const size_t n = m_socket.read_some(asio::buffer(chunk), ec);
        if (ec == asio::error::would_block)
            return waitForBytes();
        // The client closed or failed; a request not whole by then gets no answer.
        if (ec)
            return close();
        if (m_phase == Phase::lingering)
            return waitForBytes();
        if (m_phase == Phase::idle) {
            m_phase = Phase::reading;
            setDeadline(Clock::now() + m_server.m_limits.requestTimeout);
        }
        m_pending.append(chunk, n);
        readRequest();
    }

    void readRequest()
    {
        m_pending.erase(0, m_reader.read(m_pending));
        switch (m_reader.state()) {
        case RequestReader::State::incomplete:
            if (m_reader.expectsContinue() && !m_sentContinue) {
                static constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
                error_code ec;
                m_socket.send(asio::buffer(kContinue), 0, ec);
                m_sentContinue = true;
            }
            return waitForBytes();
        case RequestReader::State::refused:
            return refuse(m_reader.status(), m_reader.code(), m_reader.reason());
        case RequestReader::State::complete:
            return answer();
        }
    }

    void answer()
    {
        m_phase = Phase::answering;
        m_deadline = Clock::time_point::max();
        m_sentContinue = false;
        const Request request = m_reader.take();
        Response res;
        try {
            res = m_server.m_handler(request, m_peer);
        } catch (...) {
            res = jsonResponse(
                Reply::error(500, Code::serverFault, u"Something went wrong on the crew server."));
        }
        m_closeAfter = m_closeAfter || !request.keep_alive() || request.version() < 11 ||
                       --m_requestsLeft == 0 || m_server.m_stopping;
        res.version(11);
        res.keep_alive(!m_closeAfter);
        if (!m_closeAfter)
            res.set(http::field::keep_alive, m_server.m_keepAlive);
        if (request.method() == http::verb::head) {
            res.content_length(res.body().size());
            res.body().clear();
        } else {
            res.prepare_payload();
        }
        m_response = std::move(res);

        // An answer goes out whole before the next request is read; a client that does not
        // read it holds its socket until the write deadline, and no thread.
        m_phase = Phase::writing;
        setDeadline(Clock::now() + m_server.m_limits.writeTimeout);
        http::async_write(m_socket, m_response, [self = shared_from_this()](error_code ec, size_t) {
            self->onWritten(ec);
        });
    }

    void onWritten(error_code ec)
    {
        if (m_phase == Phase::closed)
            return;
        m_response = {};
        if (ec)
            return close();
        if (m_closeAfter)
            return linger();
        waitForRequest();
    }

    // Best effort: the socket is new or has sent little, so its buffer has room.
    void refuse(int status, const char *code, const char16_t *reason)
    {
        Response res = jsonResponse(Reply::error(status, code, reason));
        res.keep_alive(false);
        if (status == 503)
            res.set(http::field::retry_after, "60");
        res.prepare_payload();
        std::ostringstream text;
        text << res;
        error_code ec;
        m_socket.send(asio::buffer(text.str()), 0, ec);
        linger();
    }

    // Shuts this side and drops what still arrives until the client closes, for a moment.
    void linger()
    {
        m_phase = Phase::lingering;
        error_code ec;
        m_socket.shutdown(tcp::socket::shutdown_send, ec);
        setDeadline(Clock::now() + kLinger);
        waitForBytes();
    }

    void close()
    {
        if (m_phase == Phase::closed)
            return;
        m_phase = Phase::closed;
        error_code ec;
        // What is under way ends with operation_aborted.
        m_socket.close(ec);
        m_timer.cancel();
    }

    // The timer is moved only when a deadline comes sooner than it fires; a later one is looked
    // at when it fires. Most requests then cost no timer operation at all.
    void setDeadline(Clock::time_point at)
    {
        m_deadline = at;
        if (m_timerSet && m_timer.expiry() <= at)
            return;
        m_timerSet = true;
        m_timer.expires_at(at);
        m_timer.async_wait([self = shared_from_this()](error_code ec) { self->onTimer(ec); });
    }

    void onTimer(error_code ec)
    {
        if (ec == asio::error::operation_aborted || m_phase == Phase::closed)
            return;
        m_timerSet = false;
        if (Clock::now() < m_deadline)
            return setDeadline(m_deadline);
        if (m_phase == Phase::reading)
            refuse(408, Code::requestTimeout, u"The request took too long to arrive.");
        else
            close();
    }

    HttpServer &m_server;
    tcp::socket m_socket;
    asio::steady_timer m_timer;
    const std::string m_peer;
    const std::string m_clientKey; // what the per-client cap counts it under; empty when not
    RequestReader m_reader;
    std::string m_pending; // received and not yet read by the parser
    Response m_response;   // being written
    size_t m_requestsLeft;
    Phase m_phase = Phase::idle;
    Clock::time_point m_deadline;
    bool m_timerSet = false;
    bool m_waiting = false;
    bool m_sentContinue = false; // "100 Continue" went out for the request under way
    bool m_closeAfter = false;
};

HttpServer::HttpServer(Limits limits, Handler handler)
    : m_limits(limits), m_handler(std::move(handler)),
      m_keepAlive(
          "timeout=" +
          std::to_string(std::chrono::ceil<std::chrono::seconds>(limits.idleTimeout).count()) +
          ", max=" + std::to_string(limits.requestsPerConnection)),
      m_io(1), m_acceptor(m_io), m_acceptPause(m_io)
{
    for (int i = 0; i < std::max(1, limits.threads); ++i)
        m_workers.push_back(std::make_unique<asio::io_context>(1));
}

HttpServer::~HttpServer() = default;

HttpServer::Response HttpServer::jsonResponse(const Reply &reply)
{
    Response res(http::status(reply.status), 11);
    res.set(http::field::content_type, "application/json");
    res.body().assign(reply.body.constData(), size_t(reply.body.size()));
    return res;
}

int HttpServer::listen(const std::string &host, int port, std::string *error)
{
    error_code ec;
    tcp::resolver resolver(m_io);
    const auto addresses = resolver.resolve(
        host, std::to_string(port), tcp::resolver::passive | tcp::resolver::numeric_service, ec);
    for (const auto &address : addresses) {
        m_acceptor.open(address.endpoint().protocol(), ec);
        if (!ec)
            m_acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
        if (!ec)
            m_acceptor.bind(address.endpoint(), ec);
        // With room for many clients that connect at once.
        if (!ec)
            m_acceptor.listen(tcp::acceptor::max_listen_connections, ec);
        if (!ec)
            return m_acceptor.local_endpoint().port();
        error_code ignored;
        m_acceptor.close(ignored);
    }
    *error = ec.message();
    return 0;
}

void HttpServer::run()
{
    // Requests are answered on the workers only: this thread ends last, after what they kept
    // per thread (a database connection) is gone.
    std::vector<std::thread> threads;
    for (const auto &worker : m_workers) {
        m_keepWorking.push_back(asio::make_work_guard(*worker));
        threads.emplace_back([&worker = *worker] { worker.run(); });
    }
    accept();
    m_io.run();
    for (std::thread &t : threads)
        t.join();
}

void HttpServer::stop()
{
    asio::post(m_io, [this] {
        m_stopping = true;
        error_code ec;
        m_acceptor.close(ec);
        m_acceptPause.cancel();
        // Each worker ends once its last connection has closed.
        m_keepWorking.clear();
        std::vector<std::shared_ptr<Connection>> open;
        {
            std::lock_guard lock(m_mutex);
            for (const auto &[key, weak] : m_connections)
                if (auto c = weak.lock())
                    open.push_back(std::move(c));
        }
        for (const auto &c : open)
            asio::post(c->executor(), [c] { c->stop(); });
    });
}

void HttpServer::accept()
{
    // In turn, so that connections that keep busy spread over the threads.
    asio::io_context &worker = *m_workers[m_nextWorker++ % m_workers.size()];
    m_acceptor.async_accept(worker, [this](error_code ec, tcp::socket socket) {
        if (m_stopping)
            return;
        if (!ec) {
            onAccepted(std::move(socket));
            return accept();
        }
        // Out of file descriptors, most likely: wait for some to close rather than spin.
        m_acceptPause.expires_after(100ms);
        m_acceptPause.async_wait([this](error_code e) {
            if (!e && !m_stopping)
                accept();
        });
    });
}

void HttpServer::onAccepted(tcp::socket socket)
{
    error_code ec;
    const tcp::endpoint peer = socket.remote_endpoint(ec);
    if (ec)
        return; // gone already
    const std::string address = peer.address().to_string();
    std::string key;
    bool overCap = false;
    if (m_limits.connectionsPerClient > 0) {
        key = RateLimiter::clientKey(address);
        std::lock_guard lock(m_mutex);
        int &held = m_perClient[key];
        overCap = held >= m_limits.connectionsPerClient;
        if (overCap)
            key.clear(); // a refused connection is not counted
        else
            ++held;
    }
    auto c = std::make_shared<Connection>(*this, std::move(socket), address, std::move(key));
    {
        std::lock_guard lock(m_mutex);
        m_connections.emplace(c.get(), c);
    }
    asio::post(c->executor(), [c, overCap] { c->start(overCap); });
}

void HttpServer::forget(const Connection &c)
{
    std::lock_guard lock(m_mutex);
    m_connections.erase(&c);
    if (c.clientKey().empty())
        return;
    if (const auto it = m_perClient.find(c.clientKey());
        it != m_perClient.end() && --it->second <= 0)
        m_perClient.erase(it);
}
