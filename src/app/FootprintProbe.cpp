// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FootprintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWindow>

bool FootprintProbe::wanted()
{
    return qEnvironmentVariableIsSet("TOCKLY_FOOTPRINT_PROBE");
}

FootprintProbe::FootprintProbe(QDBusConnection bus, QObject *parent) : QObject(parent)
{
    m_uptime.start();
    QCoreApplication::instance()->installEventFilter(this);
    bus.registerObject(QStringLiteral("/org/quenby/Tockly/Probe"), this,
                       QDBusConnection::ExportScriptableSlots);
}

bool FootprintProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Timer) {
        ++m_timers[QString::fromLatin1(watched->metaObject()->className())];
    } else if (event->type() == QEvent::UpdateRequest) {
        if (auto *window = qobject_cast<QWindow *>(watched))
            ++m_frames[window->title()];
    }
    return false;
}

QString FootprintProbe::Snapshot() const
{
    const auto counts = [](const QHash<QString, qint64> &hash) {
        QJsonObject o;
        for (auto it = hash.begin(); it != hash.end(); ++it)
            o.insert(it.key(), it.value());
        return o;
    };
    const QJsonObject o{{QStringLiteral("uptimeMs"), m_uptime.elapsed()},
                        {QStringLiteral("timers"), counts(m_timers)},
                        {QStringLiteral("frames"), counts(m_frames)}};
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}
