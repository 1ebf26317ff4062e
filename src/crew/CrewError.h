// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QNetworkReply>
#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace CrewClient {

// A refusal or an unreadable answer from the crew service.
struct CrewError {
    enum class Kind { server, badResponse, notFound };
    Kind kind = Kind::badResponse;
    QString message; // the service's own words, for Kind::server
    QString code;    // the service's CrewWire::ErrorCode for them, if it sent one

    static CrewError server(QString message, QString code = {})
    {
        return {Kind::server, std::move(message), std::move(code)};
    }
    static CrewError badResponse() { return {Kind::badResponse, {}, {}}; }
    static CrewError notFound() { return {Kind::notFound, {}, {}}; }

    // The text shown to the user, in the session's language: the app's own words for a code it
    // knows, else the service's.
    QString description() const;

    friend bool operator==(const CrewError &, const CrewError &) = default;
};

// Why a crew request ended without its result. The store shows `description` as its crew error.
struct CrewFailure {
    enum class Kind {
        server,
        badResponse,
        notFound,
        transport,   // the HTTP client's own error (no connection, timeout, TLS), passed through
        decoding,    // a success reply that does not match its record
        unavailable, // no usable crew service origin is configured
    };
    Kind kind = Kind::badResponse;
    QString description;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError; // for Kind::transport

    CrewFailure(Kind kind, QString description,
                QNetworkReply::NetworkError networkError = QNetworkReply::NoError)
        : kind(kind), description(std::move(description)), networkError(networkError)
    {}
    CrewFailure(const CrewError &error);
};

// The outcome of a crew request: a value or the failure that ended it.
template<typename T> class CrewResult {
public:
    CrewResult(T value) : m_outcome(std::move(value)) {}
    CrewResult(CrewFailure failure) : m_outcome(std::move(failure)) {}
    CrewResult(const CrewError &error) : m_outcome(CrewFailure(error)) {}

    explicit operator bool() const { return m_outcome.index() == 0; }
    const T &value() const { return std::get<0>(m_outcome); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }
    const CrewFailure &failure() const { return std::get<1>(m_outcome); }

private:
    std::variant<T, CrewFailure> m_outcome;
};

template<> class CrewResult<void> {
public:
    CrewResult() = default;
    CrewResult(CrewFailure failure) : m_failure(std::move(failure)) {}
    CrewResult(const CrewError &error) : m_failure(CrewFailure(error)) {}

    explicit operator bool() const { return !m_failure; }
    const CrewFailure &failure() const { return *m_failure; }

private:
    std::optional<CrewFailure> m_failure;
};

} // namespace CrewClient
