// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewClient.h"

#include "CrewBaseUrl.h"
#include "CrewHttp.h"
#include "CrewResponses.h"
#include "CrewWire.h"
#include "Json.h"

#include <QCoreApplication>
#include <QJsonObject>

namespace CrewClient {

namespace Field = CrewWire::Field;
using Kind = CrewFailure::Kind;

static CrewFailure unavailable()
{
    return {Kind::unavailable, baseUrlProblem()};
}

static CrewFailure decodingFailure()
{
    return {Kind::decoding, QCoreApplication::translate(
                                "CrewError", "The crew server's answer could not be read.")};
}

// Connection, TLS, timeout and proxy errors. Qt numbers the errors that it derives from an HTTP
// status from 200 on, all but the one for 407.
static bool isTransportError(const HttpReply &reply)
{
    if (reply.status == 407)
        return false;
    return reply.error > QNetworkReply::NoError && reply.error < QNetworkReply::ContentAccessDenied;
}

// What ends a reply before its status is looked at, if anything.
static std::optional<CrewFailure> brokenReply(const HttpReply &reply)
{
    if (reply.bodyTooLarge || reply.redirectRefused)
        return CrewFailure(CrewError::badResponse());
    if (isTransportError(reply))
        return CrewFailure(Kind::transport, reply.errorText, reply.error);
    if (!reply.status)
        return CrewFailure(CrewError::badResponse());
    return std::nullopt;
}

static CrewResult<QJsonValue> successBody(const HttpReply &reply)
{
    auto json = parseJson(reply.body);
    if (!json)
        return decodingFailure();
    return *json;
}

static CrewResult<QJsonValue> classifyPostReply(const HttpReply &reply)
{
    if (reply.status == 404)
        return CrewError::notFound();
    if (auto broken = brokenReply(reply))
        return *broken;
    if (*reply.status >= 200 && *reply.status < 300)
        return successBody(reply);
    const auto json = parseJson(reply.body);
    const auto fields = json ? decodeErrorBody(*json) : std::nullopt;
    const QString error = QLatin1String(Field::error);
    if (!fields || !fields->contains(error))
        return CrewError::badResponse();
    return CrewError::server(fields->value(error), fields->value(QLatin1String(Field::errorCode)));
}

static CrewResult<QJsonValue> classifyFetchReply(const HttpReply &reply)
{
    if (reply.status == 404)
        return CrewError::notFound();
    if (auto broken = brokenReply(reply))
        return *broken;
    if (*reply.status != 200)
        return CrewError::badResponse();
    return successBody(reply);
}

static QCoro::Task<CrewResult<QJsonValue>> post(const char *path, QJsonObject body)
{
    const std::optional<QUrl> &base = baseURL();
    if (!base)
        co_return unavailable();
    const QNetworkRequest request = postRequest(urlWithPath(*base, QLatin1String(path)));
    const HttpReply reply = co_await exchange(request, QByteArrayLiteral("POST"), writeJson(body));
    co_return classifyPostReply(reply);
}

static CrewResult<Config> configFromReply(const CrewResult<QJsonValue> &reply,
                                          const QString &nickname)
{
    if (!reply)
        return reply.failure();
    const auto join = decodeJoinResponse(*reply);
    if (!join)
        return decodingFailure();
    return Config{join->code, join->memberId, nickname, join->crewName};
}

static CrewResult<void> okFromReply(const CrewResult<QJsonValue> &reply)
{
    if (!reply)
        return reply.failure();
    if (!decodeOkResponse(*reply))
        return decodingFailure();
    return {};
}

// The public requests are plain functions that hand their body to a coroutine: g++ 12 cannot
// compile a braced JSON object inside a coroutine.
using PendingReply = QCoro::Task<CrewResult<QJsonValue>>;

static QCoro::Task<CrewResult<Config>> asConfig(PendingReply pending, QString nickname)
{
    const auto reply = co_await std::move(pending);
    co_return configFromReply(reply, nickname);
}

static QCoro::Task<CrewResult<void>> asOk(PendingReply pending)
{
    const auto reply = co_await std::move(pending);
    co_return okFromReply(reply);
}

static QCoro::Task<> dropped(PendingReply pending)
{
    co_await std::move(pending);
}

QCoro::Task<CrewResult<Config>> createCrew(QString crewName, QString nickname)
{
    return asConfig(
        post(CrewWire::createPath, {{Field::crewName, crewName}, {Field::nickname, nickname}}),
        nickname);
}

QCoro::Task<CrewResult<Config>> joinCrew(QString code, QString nickname)
{
    return asConfig(
        post(CrewWire::joinPath, {{Field::code, code.toUpper()}, {Field::nickname, nickname}}),
        nickname);
}

QCoro::Task<CrewResult<FetchedCrew>> fetchCrew(QString code, const Clock &clock, QTimeZone zone)
{
    const std::optional<QUrl> &base = baseURL();
    if (!base)
        co_return unavailable();
    // Percent-encoding cannot protect these two: URLs treat them as path steps whatever their
    // spelling. No crew has such a code.
    if (code == QLatin1String(".") || code == QLatin1String(".."))
        co_return CrewError::notFound();
    const QString path =
        QLatin1String(CrewWire::fetchPrefix) + QString::fromLatin1(QUrl::toPercentEncoding(code));
    const HttpReply reply = co_await exchange(fetchRequest(urlWithPath(*base, path)), "GET");
    const auto body = classifyFetchReply(reply);
    if (!body)
        co_return body.failure();
    const auto crew = decodeCrewResponse(*body);
    if (!crew)
        co_return decodingFailure();
    co_return FetchedCrew{crew->crewName, crew->ownerNickname,
                          standings(crew->members, clock.now(), zone)};
}

QCoro::Task<> leave(Config config)
{
    return dropped(post(CrewWire::leavePath,
                        {{Field::code, config.code}, {Field::memberId, config.memberId}}));
}

QCoro::Task<CrewResult<void>> kick(Config config, QString nickname)
{
    return asOk(post(CrewWire::kickPath, {{Field::code, config.code},
                                          {Field::memberId, config.memberId},
                                          {Field::nickname, nickname}}));
}

QCoro::Task<CrewResult<void>> report(Config config, QHash<QString, double> days)
{
    QJsonObject dayObject;
    for (auto it = days.begin(); it != days.end(); ++it)
        dayObject.insert(it.key(), it.value());
    return asOk(post(CrewWire::reportPath, {{Field::code, config.code},
                                            {Field::memberId, config.memberId},
                                            {Field::nickname, config.nickname},
                                            {Field::days, dayObject}}));
}

QCoro::Task<CrewResult<Config>> HttpConnection::createCrew(QString crewName, QString nickname)
{
    return CrewClient::createCrew(std::move(crewName), std::move(nickname));
}

QCoro::Task<CrewResult<Config>> HttpConnection::joinCrew(QString code, QString nickname)
{
    return CrewClient::joinCrew(std::move(code), std::move(nickname));
}

QCoro::Task<CrewResult<FetchedCrew>> HttpConnection::fetchCrew(QString code, const Clock &clock,
                                                               QTimeZone zone)
{
    return CrewClient::fetchCrew(std::move(code), clock, std::move(zone));
}

QCoro::Task<> HttpConnection::leave(Config config)
{
    return CrewClient::leave(std::move(config));
}

QCoro::Task<CrewResult<void>> HttpConnection::kick(Config config, QString nickname)
{
    return CrewClient::kick(std::move(config), std::move(nickname));
}

QCoro::Task<CrewResult<void>> HttpConnection::report(Config config, QHash<QString, double> days)
{
    return CrewClient::report(std::move(config), std::move(days));
}

} // namespace CrewClient
