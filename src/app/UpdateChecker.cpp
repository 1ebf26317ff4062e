// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UpdateChecker.h"

#include "CrewBaseUrl.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QNetworkReply>

#include <syslog.h>

namespace {

constexpr int feedTimeoutMs = 30'000;

// https anywhere; plain http only to this machine, and local files, for tests and mirrors.
QString feedProblem(const QUrl &url)
{
    if (!url.isValid() || url.isRelative())
        return QStringLiteral("the update feed \"%1\" is not a URL").arg(url.toString());
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("https") || scheme == QLatin1String("file"))
        return {};
    if (scheme == QLatin1String("http") && CrewClient::isLoopbackHost(url.host()))
        return {};
    return QStringLiteral("the update feed must be https: %1").arg(url.toString());
}

} // namespace

UpdateChecker::UpdateChecker(Options options, QObject *parent)
    : QObject(parent), m_options(std::move(options))
{
    m_schedule.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_schedule, &QTimer::timeout, this, &UpdateChecker::checkForUpdates);
    if (m_options.bus.isConnected())
        m_options.bus.connect(QStringLiteral("org.freedesktop.Notifications"),
                              QStringLiteral("/org/freedesktop/Notifications"),
                              QStringLiteral("org.freedesktop.Notifications"),
                              QStringLiteral("ActionInvoked"), this,
                              SLOT(onActionInvoked(uint, QString)));
}

QString UpdateChecker::feedFromEnvironment()
{
    if (qEnvironmentVariableIsSet("QUENBY_UPDATE_FEED"))
        return qEnvironmentVariable("QUENBY_UPDATE_FEED");
    return QStringLiteral(TOCKLY_UPDATE_FEED);
}

void UpdateChecker::systemLog(const QString &line)
{
    static const bool opened = [] {
        openlog("tockly", LOG_PID, LOG_USER);
        return true;
    }();
    Q_UNUSED(opened);
    syslog(LOG_NOTICE, "%s", line.toUtf8().constData());
}

bool UpdateChecker::openInBrowser(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

void UpdateChecker::startAutomaticChecks(int firstDelayMs, int intervalMs)
{
    if (m_options.feed.isEmpty())
        return;
    QTimer::singleShot(firstDelayMs, Qt::VeryCoarseTimer, this, &UpdateChecker::checkForUpdates);
    m_schedule.start(intervalMs);
}

void UpdateChecker::checkForUpdates()
{
    if (m_reply)
        return;
    if (m_options.feed.isEmpty()) {
        log(QStringLiteral("aborted: no update feed is set (QUENBY_UPDATE_FEED)"));
        emit checkFinished();
        return;
    }
    const QUrl url(m_options.feed);
    if (const QString problem = feedProblem(url); !problem.isEmpty()) {
        log(QStringLiteral("aborted: ") + problem);
        emit checkFinished();
        return;
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(feedTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Tockly/") + m_options.currentVersion);
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateChecker::finishCheck);
}

void UpdateChecker::finishCheck()
{
    QNetworkReply *reply = std::exchange(m_reply, nullptr);
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        log(QStringLiteral("aborted: the update feed could not be read: ") + reply->errorString());
        emit checkFinished();
        return;
    }
    QString error;
    const auto items = Appcast::parse(reply->readAll(), &error);
    if (!items) {
        log(QStringLiteral("aborted: the update feed is not an appcast: ") + error);
        emit checkFinished();
        return;
    }
    log(QStringLiteral("appcast loaded: %1 item(s)").arg(items->size()));
    const auto newest = Appcast::newest(*items);
    if (newest && Appcast::compareVersions(newest->version, m_options.currentVersion) > 0) {
        log(QStringLiteral("update available: %1 (%2)")
                .arg(newest->displayVersion, newest->version));
        offer(*newest);
    } else {
        log(QStringLiteral("up to date: Tockly %1 is the newest version.")
                .arg(m_options.currentVersion));
    }
    emit checkFinished();
}

void UpdateChecker::offer(const Appcast::Item &item)
{
    m_offered = item;
    if (!m_options.bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    //: Notification button that opens the new version's download page.
    const QString download = tr("Download");
    const QStringList actions{QStringLiteral("default"), download, QStringLiteral("download"),
                              download};
    notify << QStringLiteral("Tockly") << m_notification << QStringLiteral("tockly")
           << tr("Tockly %1 is available").arg(item.displayVersion)
           << tr("You have %1. Open the download page to get the new version.")
                  .arg(m_options.currentVersion)
           << actions << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("tockly")}}
           << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_options.bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isValid())
            m_notification = reply.value();
        watcher->deleteLater();
    });
}

void UpdateChecker::onActionInvoked(uint id, const QString &actionKey)
{
    if (id == 0 || id != m_notification || !m_offered)
        return;
    if (actionKey != QLatin1String("download") && actionKey != QLatin1String("default"))
        return;
    const Appcast::Item item = *m_offered;
    if (item.link.isEmpty())
        log(QStringLiteral("download failed: the update feed names no download page for %1")
                .arg(item.displayVersion));
    else if (!m_options.openUrl(item.link))
        log(QStringLiteral("download failed: could not open %1").arg(item.link.toString()));
    else
        log(QStringLiteral("installing %1").arg(item.displayVersion));
}
