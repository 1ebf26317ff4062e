#pragma once

#include "FetchCache.h"
#include "RateLimiter.h"
#include "StorePool.h"

#include <QDate>

#include <functional>
#include <memory>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The HTTP face of the service: the six API requests, the invitation page and /healthz, with
// the checks that come before any storage is touched (size, rate, JSON shape).
class CrewService {
public:
    struct Limits {
        double requestsPerMinute = 120; // per client address, 0 = no limit
        double createsPerHour = 20;
        bool trustProxy = false; // take the client address from X-Forwarded-For
    };

    // cache: where fetch replies are kept until their crew changes; null to read every fetch
    // from the database.
    CrewService(StorePool &pool, Limits limits, FetchCache *cache);

    void install(httplib::Server &server);

    // The day the service counts reports against: the date in UTC.
    static QDate today();

private:
    void get(const httplib::Request &req, httplib::Response &res);
    void post(const httplib::Request &req, httplib::Response &res);
    void invitePage(const QString &code, httplib::Response &res);
    std::string clientAddress(const httplib::Request &req) const;

    Reply fetch(const QString &code);
    Reply change(const QString &code, std::function<Reply(CrewStore &)> operation);

    StorePool &m_pool;
    FetchCache *m_cache;
    Limits m_limits;
    RateLimiter m_requests;
    RateLimiter m_creates;
};
