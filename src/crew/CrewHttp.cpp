// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CrewHttp.h"

#include "CrewBaseUrl.h"

#include <QCoreApplication>
#include <QCoro/QCoroNetworkReply>

#include <memory>

namespace CrewClient {

QNetworkAccessManager &sharedNetwork()
{
    // Owned by the application so that it goes before the event loop's last resources do.
    static QNetworkAccessManager *network = new QNetworkAccessManager(QCoreApplication::instance());
    return *network;
}

static void applyCommonRules(QNetworkRequest &request)
{
    request.setTransferTimeout(int(requestTimeout.count()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    // No credentials of any kind: no cookies kept or sent, no remembered authentication.
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
}

QNetworkRequest postRequest(const QUrl &url)
{
    QNetworkRequest request(url);
    applyCommonRules(request);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    return request;
}

QNetworkRequest fetchRequest(const QUrl &url)
{
    QNetworkRequest request(url);
    applyCommonRules(request);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    return request;
}

bool redirectAllowed(const QUrl &base, const QUrl &target)
{
    if (!target.isValid() || target.host().isEmpty())
        return false;
    if (target.scheme() == QLatin1String("https"))
        return true;
    const bool baseIsLoopbackHttp =
        base.scheme() == QLatin1String("http") && isLoopbackHost(base.host());
    return baseIsLoopbackHttp && target.scheme() == QLatin1String("http") &&
           isLoopbackHost(target.host());
}

struct DeleteLater {
    void operator()(QObject *o) const { o->deleteLater(); }
};

QCoro::Task<HttpReply> exchange(QNetworkRequest request, QByteArray method, QByteArray body)
{
    const QUrl base = request.url();
    std::unique_ptr<QNetworkReply, DeleteLater> owner(
        sharedNetwork().sendCustomRequest(request, method, body));
    QNetworkReply *reply = owner.get();
    HttpReply out;
    bool abortedByUs = false;

    // Aborting from inside a handler would finish the reply, and so resume this coroutine,
    // in the middle of Qt's signal delivery; the abort waits for the next turn of the loop.
    const auto stop = [&] {
        abortedByUs = true;
        QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!abortedByUs && length.isValid() && length.toLongLong() > maxReplyBytes) {
            out.bodyTooLarge = true;
            stop();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        if (abortedByUs)
            return;
        out.body += reply->read(maxReplyBytes + 1 - out.body.size());
        if (out.body.size() > maxReplyBytes) {
            out.bodyTooLarge = true;
            stop();
        }
    });
    QObject::connect(reply, &QNetworkReply::redirected, reply, [&](const QUrl &target) {
        if (redirectAllowed(base, target)) {
            emit reply->redirectAllowed();
            return;
        }
        out.redirectRefused = true;
        stop();
    });

    if (!reply->isFinished())
        co_await reply;

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        out.status = status.toInt();
    if (!abortedByUs && reply->isReadable()) {
        out.body += reply->read(maxReplyBytes + 1 - out.body.size());
        out.bodyTooLarge = out.body.size() > maxReplyBytes;
    }
    out.error = reply->error();
    out.errorText = reply->errorString();
    // Nothing but the transfer timeout cancels a reply that we did not abort ourselves.
    if (out.error == QNetworkReply::OperationCanceledError && !abortedByUs) {
        out.error = QNetworkReply::TimeoutError;
        out.errorText =
            QCoreApplication::translate("CrewError", "The crew server did not answer in time.");
    }
    co_return out;
}

} // namespace CrewClient
