// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewBaseUrl.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace CrewClient {

bool isLoopbackHost(const QString &host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    QHostAddress address;
    return address.setAddress(host) && address.isLoopback();
}

BaseUrl checkBaseUrl(const QString &text, const QString &source)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    const bool schemeOk = scheme == QLatin1String("https") ||
                          (scheme == QLatin1String("http") && isLoopbackHost(url.host()));
    const bool originOnly = url.userInfo().isEmpty() && !url.hasQuery() && !url.hasFragment() &&
                            (url.path().isEmpty() || url.path() == QLatin1String("/"));
    if (url.isValid() && !url.host().isEmpty() && schemeOk && originOnly) {
        QUrl origin;
        origin.setScheme(scheme);
        origin.setHost(url.host());
        origin.setPort(url.port());
        return {origin, {}};
    }
    return {std::nullopt,
            //: %1 is the address as written, %2 where it came from ("from QUENBY_CREW_URL").
            QCoreApplication::translate(
                "CrewError", "Crews are unavailable: the crew service address \"%1\" (%2) was "
                             "refused. It must be an https:// origin, or http:// to a loopback "
                             "address, with no path, query or credentials.")
                .arg(text, source)};
}

BaseUrl resolveBaseUrl(const QString &builtIn, const QString &override)
{
    if (!override.isEmpty())
        return checkBaseUrl(override,
                            QCoreApplication::translate("CrewError", "from QUENBY_CREW_URL"));
    return checkBaseUrl(builtIn, QCoreApplication::translate("CrewError", "built in"));
}

static const BaseUrl &processBaseUrl()
{
    static const BaseUrl base =
        resolveBaseUrl(QStringLiteral(TOCKLY_CREW_URL), qEnvironmentVariable("QUENBY_CREW_URL"));
    return base;
}

const std::optional<QUrl> &baseURL()
{
    return processBaseUrl().url;
}

QString baseUrlProblem()
{
    return processBaseUrl().problem;
}

QUrl urlWithPath(const QUrl &base, const QString &encodedPath)
{
    // setPath rather than resolved(): resolving would collapse "." and ".." segments.
    QUrl url = base;
    url.setPath(encodedPath, QUrl::StrictMode);
    return url;
}

} // namespace CrewClient
