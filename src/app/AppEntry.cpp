#include "AppEntry.h"

#include "CrewInvite.h"
#include "SharedStore.h"
#include "linux/XdgFolders.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Links are the arguments that are not launch options ("-quenbyReset", ...).
QStringList linksIn(const QStringList &arguments)
{
    QStringList links;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith(u'-'))
            links << arguments[i];
    return links;
}

} // namespace

AppEntry::AppEntry(const QStringList &arguments)
    : m_process(arguments), m_links(linksIn(arguments)),
      m_sessionBus(QDBusConnection::sessionBus()),
      m_instance(m_sessionBus,
                 m_process.environmentValue(QStringLiteral("XDG_RUNTIME_DIR")).value_or(QString()))
{}

AppEntry::~AppEntry()
{
    setSharedStore(nullptr);
}

std::optional<int> AppEntry::start()
{
    // Exported before the name is taken, so a later process that finds the name finds the
    // object too.
    if (m_sessionBus.isConnected())
        m_sessionBus.registerObject(SingleInstance::objectPath, &m_busObject,
                                    QDBusConnection::ExportScriptableSlots |
                                        QDBusConnection::ExportScriptableSignals |
                                        QDBusConnection::ExportScriptableProperties);
    if (m_instance.claim() == SingleInstance::Role::later) {
        m_sessionBus.unregisterObject(SingleInstance::objectPath);
        QString error;
        if (!m_instance.handOver(m_links, &error)) {
            std::fprintf(stderr, "tockly: already running (%s); %s\n",
                         qPrintable(m_instance.mechanism()), qPrintable(error));
            return 1;
        }
        std::fprintf(stderr, "tockly: already running; %lld link(s) handed over\n",
                     qlonglong(m_links.size()));
        return 0;
    }

    m_settings = std::make_unique<JsonSettingsStore>(JsonSettingsStore::defaultPath(m_process));
    m_loginItems = std::make_unique<AutostartLoginItems>(xdgConfigHome(m_process),
                                                         QCoreApplication::applicationFilePath());
    m_backends = DesktopBackends::build(m_process, m_sessionBus, QDBusConnection::systemBus());
    const MacWorkStore::Services services{
        m_clock,       Calendar::system(), *m_backends.input, *m_backends.workspace, *m_settings,
        *m_loginItems, m_process,          m_timer,           xdgDataHome(m_process)};
    QString error;
    m_store = MacWorkStore::open(services, &error);
    if (!m_store) {
        std::fprintf(stderr, "tockly: %s\n", qPrintable(error));
        return 1;
    }
    setSharedStore(m_store.get());

    connect(&m_signals, &UnixSignals::received, this, [this] {
        m_store->writePendingActivity();
        QCoreApplication::quit();
    });
    connect(&m_busObject, &TocklyBusObject::linksReceived, this, &AppEntry::openLinks);
    QTimer::singleShot(0, this, &AppEntry::startUp);
    return std::nullopt;
}

void AppEntry::startUp()
{
    // The pasteboard is read once, at start.
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QString text = app->clipboard()->text();
        const QString offered =
            m_settings->textValue(MacWorkStore::inviteOfferedKey).value_or(QString());
        if (const auto code =
                CrewInvite::pasteboardInviteToOffer(text, m_store->crewConfigs(), offered)) {
            m_settings->setValue(MacWorkStore::inviteOfferedKey, *code);
            offerInvite(*code);
        }
    }
    openLinks(m_links);
}

void AppEntry::openLinks(const QStringList &links)
{
    for (const QString &link : links) {
        const auto code = CrewInvite::codeFromLink(link);
        if (code && CrewInvite::inviteWanted(m_store->crewConfigs(), *code))
            offerInvite(*code);
    }
}

void AppEntry::offerInvite(const QString &code)
{
    // The invitation window will open from here; until then the offer is visible on the bus.
    m_busObject.setPendingInvite(code);
}
