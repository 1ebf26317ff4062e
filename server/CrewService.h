// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FetchCache.h"
#include "HttpServer.h"
#include "RateLimiter.h"
#include "StorePool.h"

#include <QDate>

#include <functional>
#include <memory>

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

    // Answers one request from peerAddress (the proxy's, with trustProxy).
    HttpServer::Response answer(const HttpServer::Request &req, const std::string &peerAddress);

    // The day the service counts reports against: the date in UTC.
    static QDate today();

private:
    using Request = HttpServer::Request;
    using Response = HttpServer::Response;
    Response get(const std::string &path, const std::string &address);
    Response post(const std::string &path, const Request &req, const std::string &address);
    Response invitePage(const QString &code);
    std::string clientAddress(const Request &req, const std::string &peerAddress) const;

    Reply fetch(const QString &code);
    Reply change(const QString &code, std::function<Reply(CrewStore &)> operation);

    StorePool &m_pool;
    FetchCache *m_cache;
    Limits m_limits;
    RateLimiter m_requests;
    RateLimiter m_creates;
};
