// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace CrewClient {

// The crew service origin, or the reason none can be used.
struct BaseUrl {
    std::optional<QUrl> url; // scheme, host and port only
    QString problem;         // empty when url is set
};

// Checks one origin text: https, or http to a loopback host, with no path beyond "/", no
// query, fragment or credentials. `source` names where the text came from, for the message.
BaseUrl checkBaseUrl(const QString &text, const QString &source);

// The built-in origin, replaced by `override` when that is not empty.
BaseUrl resolveBaseUrl(const QString &builtIn, const QString &override);

// The origin of this process: the build's TOCKLY_CREW_URL or QUENBY_CREW_URL, computed on first
// use and then fixed. Absent when it was refused; crews are then unavailable.
const std::optional<QUrl> &baseURL();
// Why baseURL() is absent, for the app to print at start; empty when crews are available.
QString baseUrlProblem();

bool isLoopbackHost(const QString &host);

// The base with a path from the root ("/api/join", "/c/ABC123"); the path must already be
// percent-encoded.
QUrl urlWithPath(const QUrl &base, const QString &encodedPath);

} // namespace CrewClient
