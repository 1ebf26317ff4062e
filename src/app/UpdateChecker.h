// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Appcast.h"

#include <QDBusConnection>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTimer>

#include <functional>

// Looks for a newer Tockly in the update feed and offers it in a desktop notification whose
// action opens the release's download page. Each step writes one "[Quenby/Sparkle] ..." line to
// the system log, and nothing else is shown: a failed check is only logged.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString feed;           // the appcast URL; empty: no feed, every check aborts
        QString currentVersion; // this build's version
        QDBusConnection bus;    // where org.freedesktop.Notifications lives
        std::function<void(const QString &line)> log = systemLog;
        std::function<bool(const QUrl &)> openUrl = openInBrowser;
    };

    explicit UpdateChecker(Options options, QObject *parent = nullptr);

    // QUENBY_UPDATE_FEED when set, else the feed built in (which may be empty).
    static QString feedFromEnvironment();
    static void systemLog(const QString &line);
    static bool openInBrowser(const QUrl &url);

    // A check now; asked while one is under way, it is that one.
    void checkForUpdates();
    // Checks on its own, first after `firstDelayMs`, then every `intervalMs`; only with a feed.
    void startAutomaticChecks(int firstDelayMs, int intervalMs);

signals:
    void checkFinished();

private:
    void finishCheck();
    void offer(const Appcast::Item &item);
    Q_SLOT void onActionInvoked(uint id, const QString &actionKey);
    void log(const QString &text) { m_options.log(QStringLiteral("[Quenby/Sparkle] ") + text); }

    Options m_options;
    QNetworkAccessManager m_network;
    QNetworkReply *m_reply = nullptr;
    QTimer m_schedule;
    // The notification on screen and the release it offers.
    uint m_notification = 0;
    std::optional<Appcast::Item> m_offered;
};
