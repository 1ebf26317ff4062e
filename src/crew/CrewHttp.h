// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <QCoro/QCoroTask>

#include <chrono>
#include <optional>

// The HTTP exchange under the crew requests: one shared client, the request rules, a bounded
// reply body and a redirect policy.
namespace CrewClient {

inline constexpr std::chrono::milliseconds requestTimeout{60'000};
// Larger reply bodies are refused unread, so a broken service cannot exhaust memory.
inline constexpr qint64 maxReplyBytes = 1024 * 1024;

// The one HTTP client of the process, created on first use on the main thread.
QNetworkAccessManager &sharedNetwork();

// POST with a JSON body; the client's default caching.
QNetworkRequest postRequest(const QUrl &url);
// GET that always goes to the network.
QNetworkRequest fetchRequest(const QUrl &url);

// Whether a redirect from a request to `base` may be followed to `target`: https always,
// plain http only to a loopback host and only when the base itself is loopback http.
bool redirectAllowed(const QUrl &base, const QUrl &target);

struct HttpReply {
    std::optional<int> status; // absent when no HTTP status line arrived
    QByteArray body;
    bool bodyTooLarge = false;
    bool redirectRefused = false;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
};

// Sends the request with the shared client and waits for the whole reply.
QCoro::Task<HttpReply> exchange(QNetworkRequest request, QByteArray method, QByteArray body = {});

} // namespace CrewClient
