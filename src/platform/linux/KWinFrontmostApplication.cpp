#include "linux/KWinFrontmostApplication.h"

#include "AtomicFile.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>

namespace {

const QString kwinService = QStringLiteral("org.kde.KWin");

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
    if (m_running)
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

    // A copy left loaded by an earlier run would report twice.
    m_bus.send(scripting(QStringLiteral("unloadScript"), {pluginName}));
    auto *loading = new QDBusPendingCallWatcher(
        m_bus.asyncCall(scripting(QStringLiteral("loadScript"), {m_scriptPath, pluginName})), this);
    connect(loading, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<int> id = *w;
        if (id.isError() || id.value() < 0)
            return;
        auto run = QDBusMessage::createMethodCall(
            kwinService, QStringLiteral("/Scripting/Script%1").arg(id.value()),
            QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run"));
        auto *running = new QDBusPendingCallWatcher(m_bus.asyncCall(run), this);
        connect(running, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher *r) {
                    r->deleteLater();
                    m_running = !r->isError();
                });
    });
    return true;
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
