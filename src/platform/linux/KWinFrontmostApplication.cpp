// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linux/KWinFrontmostApplication.h"

#include "AtomicFile.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");
constexpr int loadAttempts = 5;
constexpr int retryMs = 200;

QDBusMessage scripting(const QString &method, const QVariantList &args)
{
    auto call = QDBusMessage::createMethodCall(kwinService, QStringLiteral("/Scripting"),
                                               QStringLiteral("org.kde.kwin.Scripting"), method);
    call.setArguments(args);
    return call;
}

} // namespace

KWinFrontmostApplication::KWinFrontmostApplication(QDBusConnection bus, DesktopEntryNames names,
                                                   QString scriptFolder)
    : m_bus(std::move(bus)), m_names(std::move(names)), m_scriptFolder(std::move(scriptFolder))
{}

KWinFrontmostApplication::~KWinFrontmostApplication()
{
    if (m_loaded)
        m_bus.send(scripting(QStringLiteral("unloadScript"), {pluginName}));
    m_bus.unregisterObject(objectPath);
}

bool KWinFrontmostApplication::start()
{
    if (!m_bus.isConnected() ||
        !m_bus.registerObject(objectPath, this, QDBusConnection::ExportAllSlots))
        return false;
    QFile source(QStringLiteral(":/tockly/kwin/active-window.js"));
    m_scriptPath = QDir(m_scriptFolder).filePath(QStringLiteral("tockly-kwin-active-window.js"));
    if (!source.open(QIODevice::ReadOnly) || !writeFileAtomically(m_scriptPath, source.readAll()))
        return false;
    if (m_bus.interface())
        m_kwinOwner = m_bus.interface()->serviceOwner(kwinService).value();

    // A copy left loaded by an earlier run would report twice: unloaded first.
    auto *unloading = new QDBusPendingCallWatcher(
        m_bus.asyncCall(scripting(QStringLiteral("unloadScript"), {pluginName})), this);
    connect(unloading, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                load(loadAttempts);
            });
    return true;
}

void KWinFrontmostApplication::load(int attemptsLeft)
{
    auto *loading = new QDBusPendingCallWatcher(
        m_bus.asyncCall(scripting(QStringLiteral("loadScript"), {m_scriptPath, pluginName})), this);
    connect(loading, &QDBusPendingCallWatcher::finished, this,
            [this, attemptsLeft](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<int> id = *w;
                if (id.isError())
                    return;
                // KWin frees an unloaded script at a later turn of its loop; until then the name
                // still counts as loaded.
                if (id.value() < 0) {
                    if (attemptsLeft > 1)
                        QTimer::singleShot(retryMs, this,
                                           [this, attemptsLeft] { load(attemptsLeft - 1); });
                    return;
                }
                m_loaded = true;
                // start() runs every loaded script that is not running yet. KWin 5 and 6 both
                // have it, while the loaded script's own object lives at /ID in KWin 5 and at
                // /Scripting/ScriptID in KWin 6.
                m_bus.send(scripting(QStringLiteral("start"), {}));
            });
}

bool KWinFrontmostApplication::fromKWin()
{
    if (!calledFromDBus())
        return true;
    const QString sender = message().service();
    if (sender == m_kwinOwner && !sender.isEmpty())
        return true;
    // KWin may have started after us.
    if (m_bus.interface())
        m_kwinOwner = m_bus.interface()->serviceOwner(kwinService).value();
    return sender == m_kwinOwner && !sender.isEmpty();
}

void KWinFrontmostApplication::Activated(const QString &desktopFileName,
                                         const QString &resourceClass)
{
    if (!fromKWin())
        return;
    // The script reports once as soon as it runs.
    m_running = true;
    m_desktopFileName = desktopFileName;
    m_resourceClass = resourceClass;
}

std::optional<FrontmostApplication> KWinFrontmostApplication::query() const
{
    const QString id = m_desktopFileName.isEmpty() ? m_resourceClass : m_desktopFileName;
    if (id.isEmpty())
        return std::nullopt;
    FrontmostApplication app;
    app.identifier = id;
    app.displayName = m_names.nameFor(id, m_resourceClass).value_or(id);
    return app;
}
