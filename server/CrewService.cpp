// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewService.h"

#include "CrewRequest.h"
#include "CrewWire.h"
#include "InvitePage.h"
#include "RandomIds.h"

#include <QDateTime>

#include <string_view>

namespace http = boost::beast::http;
using Response = HttpServer::Response;
namespace Code = CrewWire::ErrorCode;

namespace {

Response send(const Reply &reply)
{
    Response res = HttpServer::jsonResponse(reply);
    if (reply.status == 429)
        res.set(http::field::retry_after, "60");
    return res;
}

Response sendPage(int status, const QByteArray &html)
{
    Response res(http::status(status), 11);
    res.set(http::field::content_type, "text/html; charset=utf-8");
    const QByteArray &policy = InvitePage::contentSecurityPolicy();
    res.set("Content-Security-Policy",
            boost::beast::string_view(policy.constData(), size_t(policy.size())));
    res.set("Referrer-Policy", "no-referrer");
    res.body().assign(html.constData(), size_t(html.size()));
    return res;
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

bool isJson(const HttpServer::Request &req)
{
    // Browsers cannot send this type across sites without asking first, so a page elsewhere
    // cannot make a visitor's browser create or join crews.
    return req[http::field::content_type].starts_with("application/json");
}

// The path of a request target, without its query and with its escapes decoded.
std::string pathOf(boost::beast::string_view target)
{
    const QByteArray path(target.data(), qsizetype(target.substr(0, target.find('?')).size()));
    return QByteArray::fromPercentEncoding(path).toStdString();
}

boost::beast::string_view trimmed(boost::beast::string_view s)
{
    const size_t begin = s.find_first_not_of(" \t");
    if (begin == s.npos)
        return {};
    return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
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

Response CrewService::answer(const Request &req, const std::string &peerAddress)
{
    const std::string path = pathOf(req.target());
    switch (req.method()) {
    case http::verb::get:
    case http::verb::head:
        return get(path, clientAddress(req, peerAddress));
    case http::verb::post:
        return post(path, req, clientAddress(req, peerAddress));
    case http::verb::unknown:
        return send(Reply::error(400, Code::badRequest, u"The request could not be read."));
    default:
        return send(Reply::error(404, Code::notFound, u"Not found."));
    }
}

std::string CrewService::clientAddress(const Request &req, const std::string &peerAddress) const
{
    if (!m_limits.trustProxy)
        return peerAddress;
    // The proxy appends the address it saw to the last of these lines; anything before it came
    // from the client.
    boost::beast::string_view chain;
    const auto [first, end] = req.equal_range("X-Forwarded-For");
    for (auto it = first; it != end; ++it)
        chain = it->value();
    const boost::beast::string_view last = trimmed(chain.substr(chain.rfind(',') + 1));
    return last.empty() ? peerAddress : std::string(last);
}

Response CrewService::get(const std::string &path, const std::string &address)
{
    if (path == "/healthz")
        return send(Reply::ok());
    const std::string_view prefix = path.starts_with(CrewWire::fetchPrefix)  ? CrewWire::fetchPrefix
                                    : path.starts_with(CrewWire::pagePrefix) ? CrewWire::pagePrefix
                                                                             : "";
    const bool page = prefix == CrewWire::pagePrefix;
    if (prefix.empty())
        return send(Reply::error(404, Code::notFound, u"Not found."));
    if (!m_requests.allow(address))
        return send(Reply::error(429, Code::tooManyRequests,
                                 u"Too many requests. Please wait a minute and try again."));
    const QString code = normalizedCode(QString::fromStdString(path.substr(prefix.size())));
    if (page)
        return invitePage(code);
    if (!CrewWire::isCrewCode(code))
        return send(Reply::unknownCrew());
    return send(fetch(code));
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

Response CrewService::invitePage(const QString &code)
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
        return send(Reply::storageFailure());
    if (found == CrewStore::Lookup::unknown)
        return sendPage(404, InvitePage::notFound());
    return sendPage(200, InvitePage::html(code, crew.name, crew.members));
}

Response CrewService::post(const std::string &path, const Request &req, const std::string &address)
{
    const bool known = path == CrewWire::createPath || path == CrewWire::joinPath ||
                       path == CrewWire::leavePath || path == CrewWire::kickPath ||
                       path == CrewWire::reportPath;
    if (!known)
        return send(Reply::error(404, Code::notFound, u"Not found."));
    if (!m_requests.allow(address))
        return send(Reply::error(429, Code::tooManyRequests,
                                 u"Too many requests. Please wait a minute and try again."));
    if (!isJson(req))
        return send(
            Reply::error(415, Code::notJson, u"Requests must be sent as application/json."));

    const QByteArrayView body(req.body().data(), qsizetype(req.body().size()));
    auto answer = [&](const auto &parsed, auto operation) {
        if (!parsed.request)
            return send(parsed.refusal);
        const auto &request = *parsed.request;
        return send(
            change(code(request), [&](CrewStore &store) { return operation(store, request); }));
    };
    if (path == CrewWire::createPath) {
        const auto parsed = parseCreate(body);
        // Only well-formed creations use up the allowance for new crews.
        if (parsed.request && !m_creates.allow(address))
            return send(
                Reply::error(429, Code::tooManyCrews,
                             u"Too many new crews from your network. Please try again later."));
        return answer(parsed, [](CrewStore &s, const CreateRequest &r) { return s.create(r); });
    }
    if (path == CrewWire::joinPath)
        return answer(parseJoin(body),
                      [](CrewStore &s, const JoinRequest &r) { return s.join(r); });
    if (path == CrewWire::leavePath)
        return answer(parseLeave(body),
                      [](CrewStore &s, const LeaveRequest &r) { return s.leave(r); });
    if (path == CrewWire::kickPath)
        return answer(parseKick(body),
                      [](CrewStore &s, const KickRequest &r) { return s.kick(r); });
    const QDate day = today();
    return answer(parseReport(body, day),
                  [day](CrewStore &s, const ReportRequest &r) { return s.report(r, day); });
}
