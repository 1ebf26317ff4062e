#include "CrewService.h"

#include "CrewRequest.h"
#include "CrewWire.h"
#include "InvitePage.h"
#include "RandomIds.h"

#include <QDateTime>

#include <string_view>

#include <httplib.h>

namespace {

const char kJson[] = "application/json";

void send(httplib::Response &res, const Reply &reply)
{
    res.status = reply.status;
    res.set_content(reply.body.constData(), size_t(reply.body.size()), kJson);
    if (reply.status == 429)
        res.set_header("Retry-After", "60");
}

void sendPage(httplib::Response &res, int status, const QByteArray &html)
{
    res.status = status;
    res.set_header("Content-Security-Policy", InvitePage::contentSecurityPolicy().constData());
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_content(html.constData(), size_t(html.size()), "text/html; charset=utf-8");
}

QByteArrayView bodyOf(const httplib::Request &req)
{
    return QByteArrayView(req.body.data(), qsizetype(req.body.size()));
}

// The crew a request changes; a new crew has no code yet, and nothing to forget.
QString code(const CreateRequest &)
{
    return {};
}
template<typename Request> QString code(const Request &r)
{
    return r.code;
}

bool isJson(const httplib::Request &req)
{
    // Browsers cannot send this type across sites without asking first, so a page elsewhere
    // cannot make a visitor's browser create or join crews.
    const std::string type = req.get_header_value("Content-Type");
    return type.compare(0, 16, "application/json") == 0;
}

} // namespace

CrewService::CrewService(StorePool &pool, Limits limits, FetchCache *cache)
    : m_pool(pool), m_cache(cache), m_limits(limits),
      m_requests(limits.requestsPerMinute, limits.requestsPerMinute),
      m_creates(limits.createsPerHour / 60.0, limits.createsPerHour)
{}

QDate CrewService::today()
{
    return QDateTime::currentDateTimeUtc().date();
}

void CrewService::install(httplib::Server &server)
{
    server.set_payload_max_length(size_t(CrewWire::maxBodyBytes));
    server.Get(".*",
               [this](const httplib::Request &req, httplib::Response &res) { get(req, res); });
    server.Post(".*",
                [this](const httplib::Request &req, httplib::Response &res) { post(req, res); });
    // Whatever the library refuses by itself (too large, unknown method) still gets an "error".
    server.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request &, httplib::Response &res) {
            if (!res.body.empty())
                return httplib::Server::HandlerResponse::Unhandled;
            const char16_t *text = res.status == 413   ? u"The request is too large."
                                   : res.status == 404 ? u"Not found."
                                                       : u"The request could not be read.";
            send(res, Reply::error(res.status, text));
            return httplib::Server::HandlerResponse::Handled;
        }));
    server.set_exception_handler(
        [](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
            send(res, Reply::error(500, u"Something went wrong on the crew server."));
        });
}

std::string CrewService::clientAddress(const httplib::Request &req) const
{
    if (m_limits.trustProxy && req.has_header("X-Forwarded-For")) {
        // The proxy appends the address it saw; anything before it came from the client.
        const std::string chain = req.get_header_value("X-Forwarded-For");
        const size_t comma = chain.rfind(',');
        std::string last = comma == std::string::npos ? chain : chain.substr(comma + 1);
        const size_t begin = last.find_first_not_of(" \t");
        const size_t end = last.find_last_not_of(" \t");
        if (begin != std::string::npos)
            return last.substr(begin, end - begin + 1);
    }
    return req.remote_addr;
}

void CrewService::get(const httplib::Request &req, httplib::Response &res)
{
    const std::string &path = req.path;
    if (path == "/healthz")
        return send(res, Reply::ok());
    const std::string_view prefix = path.starts_with(CrewWire::fetchPrefix)  ? CrewWire::fetchPrefix
                                    : path.starts_with(CrewWire::pagePrefix) ? CrewWire::pagePrefix
                                                                             : "";
    const bool page = prefix == CrewWire::pagePrefix;
    if (prefix.empty())
        return send(res, Reply::error(404, u"Not found."));
    if (!m_requests.allow(clientAddress(req)))
        return send(res,
                    Reply::error(429, u"Too many requests. Please wait a minute and try again."));
    const QString code = normalizedCode(QString::fromStdString(path.substr(prefix.size())));
    if (page)
        return invitePage(code, res);
    if (!CrewWire::isCrewCode(code))
        return send(res, Reply::unknownCrew());
    send(res, fetch(code));
}

Reply CrewService::fetch(const QString &code)
{
    const QDate day = today();
    quint64 token = 0;
    if (m_cache) {
        if (auto body = m_cache->find(code, day))
            return Reply::json(*body);
        token = m_cache->token(code);
    }
    Reply reply = m_pool.run(StorePool::Access::read,
                             [&](CrewStore &store) { return store.fetch(code, day); });
    if (m_cache && reply.status == 200)
        m_cache->store(code, day, token, reply.body);
    return reply;
}

Reply CrewService::change(const QString &code, std::function<Reply(CrewStore &)> operation)
{
    Reply reply = m_pool.run(StorePool::Access::write, std::move(operation));
    if (m_cache && !code.isEmpty())
        m_cache->invalidate(code);
    return reply;
}

void CrewService::invitePage(const QString &code, httplib::Response &res)
{
    CrewStore::Summary crew;
    CrewStore::Lookup found = CrewStore::Lookup::unknown;
    if (CrewWire::isCrewCode(code)) {
        m_pool.run(StorePool::Access::read, [&](CrewStore &store) {
            found = store.summary(code, &crew);
            return Reply::ok();
        });
    }
    if (found == CrewStore::Lookup::failed)
        return send(res, Reply::storageFailure());
    if (found == CrewStore::Lookup::unknown)
        return sendPage(res, 404, InvitePage::notFound());
    sendPage(res, 200, InvitePage::html(code, crew.name, crew.members));
}

void CrewService::post(const httplib::Request &req, httplib::Response &res)
{
    const std::string &path = req.path;
    const bool known = path == CrewWire::createPath || path == CrewWire::joinPath ||
                       path == CrewWire::leavePath || path == CrewWire::kickPath ||
                       path == CrewWire::reportPath;
    if (!known)
        return send(res, Reply::error(404, u"Not found."));
    const std::string address = clientAddress(req);
    if (!m_requests.allow(address))
        return send(res,
                    Reply::error(429, u"Too many requests. Please wait a minute and try again."));
    if (!isJson(req))
        return send(res, Reply::error(415, u"Requests must be sent as application/json."));

    const QByteArrayView body = bodyOf(req);
    auto answer = [&](const auto &parsed, auto operation) {
        if (!parsed.request)
            return send(res, parsed.refusal);
        const auto &request = *parsed.request;
        send(res,
             change(code(request), [&](CrewStore &store) { return operation(store, request); }));
    };
    if (path == CrewWire::createPath) {
        const auto parsed = parseCreate(body);
        // Only well-formed creations use up the allowance for new crews.
        if (parsed.request && !m_creates.allow(address))
            return send(res,
                        Reply::error(
                            429, u"Too many new crews from your network. Please try again later."));
        answer(parsed, [](CrewStore &s, const CreateRequest &r) { return s.create(r); });
    } else if (path == CrewWire::joinPath) {
        answer(parseJoin(body), [](CrewStore &s, const JoinRequest &r) { return s.join(r); });
    } else if (path == CrewWire::leavePath) {
        answer(parseLeave(body), [](CrewStore &s, const LeaveRequest &r) { return s.leave(r); });
    } else if (path == CrewWire::kickPath) {
        answer(parseKick(body), [](CrewStore &s, const KickRequest &r) { return s.kick(r); });
    } else {
        const QDate day = today();
        answer(parseReport(body, day),
               [day](CrewStore &s, const ReportRequest &r) { return s.report(r, day); });
    }
}
